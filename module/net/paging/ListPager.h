#ifndef LISTPAGER_H
#define LISTPAGER_H

#include <QJsonValue>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class FormBody;
class NetRequestObjecet;

// The paging state of a list that loads a page at a time from the service, apart from any widget:
// the page asked for and the page on screen, the total, and the page requests themselves.
//
// Only the newest page request counts: a reply to an older one (the user paged on before it came)
// is dropped, so a slow reply never overwrites the page the user now asks for. A request that fails
// sends the page index back to the page on screen. When the list shrank under the page (rows
// deleted, a narrower search), accept() moves to the last page and asks for it again rather than
// showing an empty page while rows exist. Every request object is released once it has finished.
class ListPager : public QObject
{
    Q_OBJECT
public:
    explicit ListPager(QObject* parent = nullptr, int pageSize = 20);

    int pageSize() const { return m_pageSize; }
    void setPageSize(int pageSize);
    // The page to load next, or being loaded.
    int pageIndex() const { return m_pageIndex; }
    void setPageIndex(int pageIndex);
    // The page whose rows are on screen.
    int shownPageIndex() const { return m_shownPageIndex; }
    int total() const { return m_total; }
    int pageCount() const;
    bool isLoading() const { return !m_current.isNull(); }
    // Whether a page has been shown since the list was made.
    bool hasShownPage() const { return m_hasShownPage; }

    // Sends the request for pageIndex(). Its reply reaches pageReceived() only while no newer
    // request has been sent. Connect the returned request's loadFinish to a wait indicator if the
    // page shows one; do not keep the pointer: the request goes once it has finished.
    NetRequestObjecet* send(const QString& url, const FormBody& body);

    // After a reply: keeps the total. Returns false when the page asked for lies beyond the last
    // one: the pager has then moved to the last page and asked for it (loadRequested), and the caller
    // shows nothing of this reply. Returns true when the reply's rows are to be shown.
    bool accept(int total, int rowsOnPage);
    // The same for a list whose replies carry no total (the site host's): a full page means another
    // may follow. When the page after a full one comes back empty, the list ends with the page on
    // screen: its rows stay, the index goes back to it, lastPageReached() is emitted and false is
    // returned; the next step forward is then refused without asking again.
    bool acceptWithoutTotal(int rowsOnPage);

public slots:
    // Moves to the page and asks for it (loadRequested).
    void turnTo(int pageIndex);
    // Asks for the current page again.
    void reload();

signals:
    void pageIndexChanged(int pageIndex);
    // After every accepted reply, so that paging texts follow.
    void totalReceived(int total);
    // The newest request's reply.
    void pageReceived(const QJsonValue& value);
    // The newest request failed, for this reason (in words for the user); pageIndex() is back on
    // the page on screen.
    void pageFailed(const QString& reason);
    // accept() took a reply: its rows are to be shown.
    void pageShown();
    // The page is to load pageIndex() now: the user turned a page, asked for a reload, or the list
    // shrank under the page. The page answers by building its request and calling send().
    void loadRequested();
    // The page asked for lies just past the end of the list, which ends with the page on screen.
    void lastPageReached();
    void loadingChanged(bool loading);

private:
    QPointer<NetRequestObjecet> m_current;
    int m_pageSize;
    int m_pageIndex = 1;
    int m_shownPageIndex = 1;
    int m_total = 0;
    bool m_hasShownPage = false;
};

#endif // LISTPAGER_H
