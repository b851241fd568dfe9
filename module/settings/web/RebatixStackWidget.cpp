#include "settings/web/RebatixStackWidget.h"

#include "net/http/FormBody.h"
#include "net/http/ServiceAddresses.h"
#include "store/UserMessage_DataSqlTable.h"
#include "widgets/web/CefViewLibrary.h"

#include "DataCenter.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

const char* const kChosenStyle =
    "border-left: 4px solid rgb(11, 143, 234);border-right: 4px solid white;background-color: rgb(255, 255, 255);";
const char* const kPlainStyle = "border-left: 4px solid transparent;border-right: 4px solid transparent;";

struct SubPage
{
    const char* label;
    const char* page;
    bool withCityName;
    bool withSession;
};

const SubPage kPages[RebatixStackWidget::PageCount] = {{"成交中心", "trad.html", true, true},
                                                       {"佣金预估", "commission_rate.html", true, false},
                                                       {"注册用户", "rebate_user.html", false, false},
                                                       {"推介客户", "rebates_clientwantzg.html", false, false},
                                                       {"推介房源", "rebates_clinethousetable.html", false, false}};

} // namespace

RebatixStackWidget::RebatixStackWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("RebatixStackWidget"));
    auto* column = new QWidget(this);
    column->setObjectName(QStringLiteral("rebatixColumn"));
    column->setAttribute(Qt::WA_StyledBackground);
    column->setStyleSheet(QStringLiteral("#rebatixColumn{background:rgb(245,245,245);}"));
    column->setFixedWidth(150);
    auto* title = new QLabel(QStringLiteral("Rebatix"), column);
    title->setStyleSheet(QStringLiteral("font-size:15px;background:rgb(235,235,235);padding:10px;"));
    auto* columnLayout = new QVBoxLayout(column);
    columnLayout->setContentsMargins(0, 0, 0, 0);
    columnLayout->setSpacing(0);
    columnLayout->addWidget(title);
    for (const SubPage& page : kPages) {
        auto* label = new QLabel(QStringLiteral("· ") + QString::fromUtf8(page.label), column);
        label->setFixedHeight(40);
        // Inside the 4 px marker border, room so the entry is not flush with the column's edge.
        label->setContentsMargins(16, 0, 0, 0);
        label->setCursor(Qt::PointingHandCursor);
        label->setStyleSheet(QLatin1String(kPlainStyle));
        label->installEventFilter(this);
        QFont font = label->font();
        font.setPixelSize(13);
        label->setFont(font);
        columnLayout->addWidget(label);
        m_labels.append(label);
        m_browsers.append(nullptr);
        m_stackPages.append(-1);
    }
    columnLayout->addStretch();
    m_stack = new QStackedWidget(this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(column);
    layout->addWidget(m_stack, 1);
    showItem(1);
}

QString RebatixStackWidget::pageUrl(int n, const QVariantMap& user, const QVariantMap& headers)
{
    if (n < 1 || n > PageCount)
        return QString();
    const SubPage& page = kPages[n - 1];
    FormBody query;
    query.add(QStringLiteral("companyid"), user.value(QStringLiteral("companyid")).toLongLong())
        .add(QStringLiteral("cityid"), user.value(QStringLiteral("cityid")).toLongLong());
    if (page.withCityName)
        query.add(QStringLiteral("cityname"), user.value(QStringLiteral("cityname")).toString());
    if (page.withSession) {
        query.add(QStringLiteral("sessionID"), headers.value(QStringLiteral("sessionid")).toString())
            .add(QStringLiteral("_sn"), headers.value(QStringLiteral("token")).toString());
    }
    return query.appendedTo(ServiceAddresses::siteBase() + QString::fromUtf8(page.page));
}

void RebatixStackWidget::showItem(int n)
{
    if (n < 1 || n > PageCount)
        return;
    m_current = n;
    for (int i = 0; i < m_labels.size(); ++i)
        m_labels.at(i)->setStyleSheet(QLatin1String(i == n - 1 ? kChosenStyle : kPlainStyle));
    if (m_browsers.at(n - 1)) {
        // The browser is opaque; its page of the stack is the one that came with it.
        m_stack->setCurrentIndex(m_stackPages.at(n - 1));
        return;
    }
    const QVariantMap user = UserMessage_DataSqlTable(this).getUserMessage().init;
    const int pagesBefore = m_stack->count();
    m_browsers[n - 1] = CefViewLibrary::insertOnlyWeb(pageUrl(n, user, DataCenter::HttpHeadMap), m_stack, &m_browsers[n - 1],
                                                      &RebatixStackWidget::receiveMessage, this);
    if (m_stack->count() > pagesBefore)
        m_stackPages[n - 1] = m_stack->count() - 1;
}

void RebatixStackWidget::receiveMessage(QString message, void* context)
{
    static_cast<RebatixStackWidget*>(context)->webJs(message);
}

void RebatixStackWidget::refreshMap(CefBrowserStackWidget* web, QString url)
{
    CefViewLibrary::refreshWeb(web, url);
}

void RebatixStackWidget::runJs(CefBrowserStackWidget* web, QString js)
{
    CefViewLibrary::runJs(web, js);
}

void RebatixStackWidget::webJs(QString js)
{
    // The rebate pages' messages ask nothing of the desktop.
    Q_UNUSED(js)
}

bool RebatixStackWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const int index = m_labels.indexOf(qobject_cast<QLabel*>(watched));
        if (index >= 0) {
            showItem(index + 1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
