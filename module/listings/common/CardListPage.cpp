#include "listings/common/CardListPage.h"

#include "widgets/popups/AlertWidget.h"
#include "listings/common/CardFilterBar.h"
#include "widgets/lists/CustomListWidget.h"
#include "DataCenter.h"
#include "net/http/FormBody.h"
#include "widgets/bars/MicroWebsiteTopOperateView.h"
#include "net/http/NetRequestObjecet.h"
#include "widgets/lists/PagingBar.h"
#include "widgets/lists/QProgressIndicator.h"
#include "net/platform/SiblingLibrary.h"

#include <QVBoxLayout>

CardListPage::CardListPage(QWidget* parent)
    : QWidget(parent)
    , m_operateView(new MicroWebsiteTopOperateView(this))
    , m_filterBar(new CardFilterBar(this))
    , m_list(new CustomListWidget(this))
    , m_paging(new PagingBar(this, PagingRules::Style::Card))
{
    setAttribute(Qt::WA_StyledBackground);
    m_paging->setPageSize(PageSize);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_operateView);
    layout->addWidget(m_filterBar);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_paging);

    connect(m_operateView, &MicroWebsiteTopOperateView::refresh, this, &CardListPage::reloadFromFirstPage);
    connect(m_paging, &PagingBar::pageRequested, this, &CardListPage::dealPageChange);
}

int CardListPage::pageIndex() const
{
    return m_paging->pageIndex();
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
    m_paging->setPageIndex(1);
    reloadList();
}

NetRequestObjecet* CardListPage::sendListRequest(const QString& url, const FormBody& body)
{
    if (m_listRequest)
        disconnect(m_listRequest, &NetRequestObjecet::loadSuccess, this, nullptr);
    auto* request = new NetRequestObjecet(this);
    m_listRequest = request;
    QProgressIndicator* indicator = QProgressIndicator::showOver(m_list, false, QString());
    connect(request, &NetRequestObjecet::loadFinish, indicator, &QProgressIndicator::stopAnimation);
    connect(request, &NetRequestObjecet::loadFinish, request, &QObject::deleteLater);
    // A page that did not come leaves the paging bar on the page still on screen.
    connect(request, &NetRequestObjecet::loadFail, this, [this, request] {
        if (request == m_listRequest)
            m_paging->setPageIndex(m_shownPage);
    });
    request->sendForm(url, body);
    return request;
}

bool CardListPage::acceptTotal(int total, int rowsOnPage)
{
    m_paging->setTotal(total);
    if (rowsOnPage == 0 && m_paging->pageCount() > 0 && m_paging->pageIndex() > m_paging->pageCount()) {
        m_paging->setPageIndex(m_paging->pageCount());
        reloadList();
        return false;
    }
    m_shownPage = m_paging->pageIndex();
    return true;
}

void CardListPage::showCards(const QList<QWidget*>& cards)
{
    m_list->clearItems();
    for (QWidget* card : cards)
        m_list->addItemWidget(card);
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
