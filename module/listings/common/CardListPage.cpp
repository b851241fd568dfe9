#include "listings/common/CardListPage.h"

#include "listings/common/CardFilterBar.h"
#include "listings/common/ListCardView.h"
#include "net/http/FormBody.h"
#include "net/http/NetRequestObjecet.h"
#include "net/paging/ListPager.h"
#include "net/platform/SiblingLibrary.h"
#include "widgets/bars/MicroWebsiteTopOperateView.h"
#include "widgets/lists/CustomListWidget.h"
#include "widgets/lists/LoadFailedView.h"
#include "widgets/lists/PagingBar.h"
#include "widgets/lists/RequestWait.h"
#include "widgets/popups/AlertWidget.h"

#include "DataCenter.h"

#include <QVBoxLayout>

CardListPage::CardListPage(QWidget* parent)
    : QWidget(parent)
    , m_operateView(new MicroWebsiteTopOperateView(this))
    , m_filterBar(new CardFilterBar(this))
    , m_list(new CustomListWidget(this))
    , m_paging(new PagingBar(this, PagingRules::Style::Card))
    , m_pager(new ListPager(this, PageSize))
{
    setAttribute(Qt::WA_StyledBackground);
    m_list->setStyleSheet(ListCardView::styleSheetText());
    m_paging->follow(m_pager);
    LoadFailedView::follow(m_pager, m_list);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_operateView);
    layout->addWidget(m_filterBar);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_paging);

    connect(m_operateView, &MicroWebsiteTopOperateView::refresh, this, &CardListPage::reloadFromFirstPage);
    connect(m_pager, &ListPager::loadRequested, this, &CardListPage::dealPageChange);
}

int CardListPage::pageIndex() const
{
    return m_pager->pageIndex();
}

void CardListPage::dealPageChange()
{
    reloadList();
}

void CardListPage::showAlert(const QString& text)
{
    AlertWidget::showWarning(text, QStringLiteral("main"));
}

void CardListPage::reloadFromFirstPage()
{
    m_pager->turnTo(1);
}

void CardListPage::sendListRequest(const QString& url, const FormBody& body)
{
    RequestWait::sendPage(m_pager, url, body, m_list);
}

bool CardListPage::acceptPage(int total, int rowsOnPage)
{
    return m_pager->accept(total, rowsOnPage);
}

void CardListPage::showCards(const QList<QWidget*>& cards)
{
    m_list->replaceItems(cards);
}

QWidget* CardListPage::cardParent() const
{
    return m_list->rowParent();
}

NetRequestObjecet* CardListPage::sendOperation(const QString& url, const FormBody& body)
{
    auto* request = new NetRequestObjecet(this);
    connect(request, &NetRequestObjecet::loadSuccess, this, [this] { reloadList(); });
    connect(request, &NetRequestObjecet::loadFinish, request, &QObject::deleteLater);
    request->sendForm(url, body);
    return request;
}

void CardListPage::confirmOperation(const QString& question, const QString& url, const FormBody& body)
{
    AlertWidget* alert = ask(question, AlertWidget::Tip);
    connect(alert, &AlertWidget::sureClick, this, [this, url, body] { sendOperation(url, body); });
}

AlertWidget* CardListPage::ask(const QString& question, int type, const QString& sureText)
{
    return AlertWidget::askConfirm(question, type, sureText);
}

bool CardListPage::openDetail(const char* function, const QVariantList& arguments)
{
    const auto show = SiblingLibrary::resolveAs<DetailFunction>(m_detailLibrary, function);
    if (!show)
        return false;
    show(arguments);
    return true;
}
