#include "net/paging/ListPager.h"

#include "net/http/FormBody.h"
#include "net/http/NetRequestObjecet.h"
#include "net/paging/PagingRules.h"

ListPager::ListPager(QObject* parent, int pageSize)
    : QObject(parent)
    , m_pageSize(qMax(1, pageSize))
{
}

void ListPager::setPageSize(int pageSize)
{
    m_pageSize = qMax(1, pageSize);
}

void ListPager::setPageIndex(int pageIndex)
{
    pageIndex = qMax(1, pageIndex);
    if (pageIndex == m_pageIndex)
        return;
    m_pageIndex = pageIndex;
    emit pageIndexChanged(m_pageIndex);
}

int ListPager::pageCount() const
{
    return PagingRules::pageCountFor(m_total, m_pageSize);
}

NetRequestObjecet* ListPager::send(const QString& url, const FormBody& body)
{
    const bool wasLoading = isLoading();
    // An older request still in flight runs out on its own and is released then, but its reply
    // no longer reaches the page.
    if (m_current)
        disconnect(m_current, nullptr, this, nullptr);

    auto* request = new NetRequestObjecet(this);
    m_current = request;
    connect(request, &NetRequestObjecet::loadFinish, request, &QObject::deleteLater);
    connect(request, &NetRequestObjecet::loadSuccess, this, &ListPager::pageReceived);
    connect(request, &NetRequestObjecet::loadFail, this, [this, request] {
        setPageIndex(m_shownPageIndex);
        emit pageFailed(request->failureReason());
    });
    connect(request, &NetRequestObjecet::loadFinish, this, [this] {
        m_current.clear();
        emit loadingChanged(false);
    });
    if (!wasLoading)
        emit loadingChanged(true);
    request->sendForm(url, body);
    return request;
}

bool ListPager::accept(int total, int rowsOnPage)
{
    m_total = qMax(0, total);
    emit totalReceived(m_total);
    const int lastPage = pageCount();
    if (rowsOnPage == 0 && lastPage > 0 && m_pageIndex > lastPage) {
        turnTo(lastPage);
        return false;
    }
    m_shownPageIndex = m_pageIndex;
    m_hasShownPage = true;
    emit pageShown();
    return true;
}

bool ListPager::acceptWithoutTotal(int rowsOnPage)
{
    const bool shownPageWasFull = m_hasShownPage && pageCount() > m_shownPageIndex;
    if (rowsOnPage == 0 && shownPageWasFull && m_pageIndex == m_shownPageIndex + 1) {
        // Asking for the page on screen again would only make it look as if another page followed.
        m_total = m_shownPageIndex * m_pageSize;
        emit totalReceived(m_total);
        setPageIndex(m_shownPageIndex);
        emit lastPageReached();
        return false;
    }
    return accept(PagingRules::siteTotal(m_pageIndex, rowsOnPage, m_pageSize), rowsOnPage);
}

void ListPager::turnTo(int pageIndex)
{
    setPageIndex(pageIndex);
    emit loadRequested();
}

void ListPager::reload()
{
    emit loadRequested();
}
