#include "listings/financial/MircroWebSiteFinancialCustomerListWidget.h"

#include "listings/common/ListingJson.h"
#include "net/http/Endpoints.h"
#include "net/http/FormBody.h"
#include "net/http/JsonRows.h"
#include "net/http/NetRequestObjecet.h"
#include "net/paging/ListPager.h"
#include "widgets/lists/CustomListWidget.h"
#include "widgets/lists/LoadFailedView.h"
#include "widgets/lists/QProgressIndicator.h"

#include <QHBoxLayout>
#include <QJsonArray>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

MircroWebSiteFinancialCustomerListWidget::MircroWebSiteFinancialCustomerListWidget(QWidget* parent)
    : QWidget(parent)
    , m_list(new CustomListWidget(this))
    , m_pageLabel(new QLabel(this))
    , m_last(new QPushButton(QStringLiteral("上一页"), this))
    , m_next(new QPushButton(QStringLiteral("下一页"), this))
    , m_pager(new ListPager(this, DefaultPageSize))
{
    setObjectName(QStringLiteral("MircroWebSiteFinancialCustomerListWidget"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral(
        "#MircroWebSiteFinancialCustomerListWidget{background: white;}"
        "QPushButton{border: 1px solid rgb(221,221,221); border-radius: 3px; background: white; font: 13px \"微软雅黑\";"
        " color: rgb(60,60,60);}"
        "QPushButton:hover{border-color: rgb(55,129,241); color: rgb(55,129,241);}"
        "QPushButton:disabled{color: rgb(190,190,190); border-color: rgb(235,235,235);}"
        "#label_pageInfo{font: 13px \"微软雅黑\"; color: rgb(100,100,100);}"));
    m_last->setObjectName(QStringLiteral("pushButton_lastButton"));
    m_next->setObjectName(QStringLiteral("pushButton_nextButton"));
    m_pageLabel->setObjectName(QStringLiteral("label_pageInfo"));
    for (QPushButton* button : {m_last, m_next}) {
        button->setCursor(Qt::PointingHandCursor);
        button->setFixedSize(72, 28);
    }

    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(20, 8, 20, 12);
    // Its own spacing: the page's layout has none, and the two buttons would touch.
    bottom->setSpacing(10);
    bottom->addWidget(m_pageLabel);
    bottom->addStretch();
    bottom->addWidget(m_last);
    bottom->addWidget(m_next);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_list, 1);
    layout->addLayout(bottom);

    connect(m_last, &QPushButton::clicked, this, [this] { stepTo(pageIndex() - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { stepTo(pageIndex() + 1); });
    connect(m_pager, &ListPager::loadRequested, this, &MircroWebSiteFinancialCustomerListWidget::downloadData);
    connect(m_pager, &ListPager::pageReceived, this, &MircroWebSiteFinancialCustomerListWidget::dealData);
    connect(m_pager, &ListPager::loadingChanged, this, &MircroWebSiteFinancialCustomerListWidget::updateButtons);
    LoadFailedView::follow(m_pager, m_list);
    updateButtons();
    downloadData();
}

int MircroWebSiteFinancialCustomerListWidget::pageIndex() const
{
    return m_pager->pageIndex();
}

int MircroWebSiteFinancialCustomerListWidget::pageCount() const
{
    return m_pager->pageCount();
}

QString MircroWebSiteFinancialCustomerListWidget::applicationText(const QJsonObject& application)
{
    using ListingJson::toText;
    const QString type = toText(application, QStringLiteral("type"));
    return QStringLiteral("%1%2：%3（%4）%5")
        .arg(type.isEmpty() ? QString() : QStringLiteral("【%1】").arg(type), toText(application, QStringLiteral("title")),
             toText(application, QStringLiteral("name")), toText(application, QStringLiteral("phone")),
             toText(application, QStringLiteral("time")));
}

void MircroWebSiteFinancialCustomerListWidget::stepTo(int pageIndex)
{
    if (pageIndex < 1 || (pageIndex > this->pageIndex() && pageIndex > pageCount()))
        return;
    m_pager->turnTo(pageIndex);
}

void MircroWebSiteFinancialCustomerListWidget::downloadData()
{
    NetRequestObjecet* request =
        m_pager->send(Api::apptwoFiclientposts(), FormBody().add(QStringLiteral("pageindex"), pageIndex()));
    QProgressIndicator* indicator = QProgressIndicator::showOver(m_list, false, QString());
    connect(request, &NetRequestObjecet::loadFinish, indicator, &QProgressIndicator::stopAnimation);
}

void MircroWebSiteFinancialCustomerListWidget::dealData(const QJsonValue& value)
{
    const QJsonObject reply = value.toObject();
    const int pageSize = ListingJson::toInt(reply, QStringLiteral("pagesize"));
    m_pager->setPageSize(pageSize > 0 ? pageSize : DefaultPageSize);
    const QList<QJsonObject> applications =
        JsonRows::objects(reply.value(QStringLiteral("data")).toArray(), m_pager->pageSize());
    if (!m_pager->accept(ListingJson::toInt(reply, QStringLiteral("total")), applications.size()))
        return;
    m_applications = applications;
    showList();
    emit listShown();
}

void MircroWebSiteFinancialCustomerListWidget::showList()
{
    m_list->clearItems();
    for (const QJsonObject& application : qAsConst(m_applications)) {
        auto* label = new QLabel(applicationText(application));
        // The visitors' own words: never markup.
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setStyleSheet(QStringLiteral(
            "font: 13px \"微软雅黑\";padding: 0px 10px 0px 10px;background-color:rgba(255,255,255,0);"));
        label->setMinimumHeight(36);
        m_list->addItemWidget(label);
    }
    const int count = qMax(1, pageCount());
    m_pageLabel->setText(
        QStringLiteral("第%1页，共%2页，共计%3条").arg(pageIndex()).arg(count).arg(m_pager->total()));
}

void MircroWebSiteFinancialCustomerListWidget::updateButtons()
{
    const bool loading = m_pager->isLoading();
    m_last->setEnabled(!loading && pageIndex() > 1);
    m_next->setEnabled(!loading && pageIndex() < pageCount());
}
