#include "settings/auth/MicroWebSiteAuthWidget.h"

#include "net/http/FormBody.h"
#include "net/http/ServiceAddresses.h"
#include "widgets/web/CefViewLibrary.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace {

// The WeChat public platform, where mini-programs are registered.
const char* const kWeChatPlatform = "https://mp.weixin.qq.com/";

} // namespace

MicroWebSiteAuthWidget::MicroWebSiteAuthWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MicroWebSiteAuthWidget"));
    const QStringList steps{QStringLiteral("登录微信公众平台，注册自己的小程序"), QStringLiteral("认证已注册的小程序"),
                            QStringLiteral("将该小程序授权给开发人员"),
                            QStringLiteral("开发人员提交至微信官方审核，通过后即可使用。")};
    const QList<Link> linkList = links();
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(22);
    for (int i = 0; i < steps.size(); ++i) {
        auto* number = new QLabel(QString::number(i + 1), this);
        number->setFixedSize(26, 26);
        number->setAlignment(Qt::AlignCenter);
        number->setStyleSheet(QStringLiteral("background:rgb(44,137,255);color:white;border-radius:13px;"));
        auto* text = new QLabel(steps.at(i), this);
        text->setStyleSheet(QStringLiteral("font-size:14px;color:#333333;"));
        grid->addWidget(number, i, 0);
        grid->addWidget(text, i, 1);
        if (i < linkList.size()) {
            auto* link = new QLabel(linkList.at(i).text, this);
            link->setObjectName(QStringLiteral("stepLink%1").arg(i + 1));
            link->setCursor(Qt::PointingHandCursor);
            link->setStyleSheet(QStringLiteral("font-size:13px;color:rgb(44,137,255);text-decoration:underline;"));
            link->installEventFilter(this);
            grid->addWidget(link, i, 2);
            m_links.append(link);
        }
    }
    grid->setColumnStretch(3, 1);
    auto* footer = new QLabel(QStringLiteral("如有疑问，请联系我们的销售人员!"), this);
    footer->setObjectName(QStringLiteral("footerLabel"));
    footer->setStyleSheet(QStringLiteral("font-size:14px;color:rgb(150,150,150);border-top:1px solid rgb(230,230,230);padding-top:12px;"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 30, 40, 20);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addWidget(footer);
}

QList<MicroWebSiteAuthWidget::Link> MicroWebSiteAuthWidget::links()
{
    return {{QStringLiteral("前往注册>"),
             FormBody().add(QStringLiteral("action"), QStringLiteral("step1"))
                 .appendedTo(QString::fromLatin1(kWeChatPlatform) + QStringLiteral("wxopen/waregister")),
             QStringLiteral("注册小程序")},
            {QStringLiteral("查看教程>"), ServiceAddresses::siteBase() + QStringLiteral("ap/instruction/3274.html"),
             QStringLiteral("认证小程序")},
            {QStringLiteral("点击授权>"), ServiceAddresses::siteBase() + QStringLiteral("Wechat/startAuth"),
             QStringLiteral("授权小程序")}};
}

void MicroWebSiteAuthWidget::dealDataJson(QJsonValue value)
{
    if (value.isString())
        openUrl(value.toString(), QStringLiteral("授权小程序"));
}

void MicroWebSiteAuthWidget::openUrl(QString url, QString title)
{
    // Without the browser library the click does nothing.
    CefViewLibrary::loadUrl(url, title, -1);
}

bool MicroWebSiteAuthWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const int index = m_links.indexOf(qobject_cast<QLabel*>(watched));
        if (index >= 0) {
            const Link link = links().at(index);
            openUrl(link.url, link.title);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
