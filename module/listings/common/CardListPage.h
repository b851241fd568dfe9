#ifndef CARDLISTPAGE_H
#define CARDLISTPAGE_H

#include "listings/common/ListCardView.h"
#include "net/paging/ListPager.h"
#include "widgets/lists/CustomListWidget.h"

#include <QJsonValue>
#include <QList>
#include <QString>
#include <QVariantList>
#include <QWidget>

class AlertWidget;
class CardFilterBar;
class FormBody;
class MicroWebsiteTopOperateView;
class NetRequestObjecet;
class PagingBar;

// A page that lists records of the site as cards, five to a page: the operation bar, a filter
// bar, the card list and the card paging bar. The pages built on it differ in their records,
// texts and endpoints; the loading, paging, confirming and reloading are done here.
//
// Every operation that succeeds reloads the current page; the cards are never patched locally.
class CardListPage : public QWidget
{
    Q_OBJECT
public:
    static constexpr int PageSize = 5;

    // How the page calls a sibling component's detail function: one list of arguments.
    using DetailFunction = void (*)(const QVariantList& arguments);

    explicit CardListPage(QWidget* parent = nullptr);

    MicroWebsiteTopOperateView* operateView() const { return m_operateView; }
    CardFilterBar* filterBar() const { return m_filterBar; }
    CustomListWidget* listWidget() const { return m_list; }
    PagingBar* pagingBar() const { return m_paging; }
    // The paging state; its pageReceived() carries the newest list reply to the page.
    ListPager* pager() const { return m_pager; }
    int pageIndex() const;

    // Base name of the sibling component that shows a clicked card's record.
    QString detailLibrary() const { return m_detailLibrary; }
    void setDetailLibrary(const QString& baseName) { m_detailLibrary = baseName; }

public slots:
    // The paging bar has moved to another page.
    void dealPageChange();
    void showAlert(const QString& text);

protected:
    // Requests the current page with the current filters.
    virtual void reloadList() = 0;

    // Starts again on page 1 (refresh).
    void reloadFromFirstPage();
    // Sends the list request with the wait indicator over the cards. Only the newest request's
    // reply reaches pager()->pageReceived(), which the page connects to its receiving slot; when
    // the request fails, the paging bar returns to the page on screen.
    void sendListRequest(const QString& url, const FormBody& body);
    // Reads a list reply with Model, at most a page of it, and keeps its records in rows, unless the page asked for lies
    // beyond the last one (the list shrank meanwhile): then the last page is requested instead and
    // it returns false.
    template <typename Model>
    bool acceptReply(const QJsonValue& value, QList<typename Model::ListData>& rows)
    {
        const Model model(value, m_pager->pageSize());
        if (!acceptPage(model.total, model.list.size()))
            return false;
        rows = model.list;
        return true;
    }
    // Replaces the cards (the list takes them over); none shows "暂无数据".
    void showCards(const QList<QWidget*>& cards);
    // Shows one Card per record: the cards already in the list are refilled (Card::setData(record,
    // rights)), and only those missing are made, by makeCard(cardParent()), which also connects
    // them; cards past the records go. A page turn thus makes and styles no widget again. None
    // shows "暂无数据".
    template <typename Card, typename Record, typename MakeCard>
    void showRecords(const QList<Record>& records, const ListCardView::Rights& rights, MakeCard makeCard)
    {
        m_list->keepRows(records.size());
        for (int i = 0; i < records.size(); ++i) {
            if (auto* kept = qobject_cast<Card*>(m_list->rowWidget(i))) {
                kept->setData(records.at(i), rights);
                continue;
            }
            Card* card = makeCard(cardParent());
            card->setData(records.at(i), rights);
            m_list->addItemWidget(card);
        }
    }
    // The parent to make cards with: they get the list's style when made, not again when shown.
    QWidget* cardParent() const;

    // Sends an operation; on success the page reloads.
    NetRequestObjecet* sendOperation(const QString& url, const FormBody& body);
    // Asks first; sends the operation only on "确定".
    void confirmOperation(const QString& question, const QString& url, const FormBody& body);
    // A question with "确定" (or sureText) and "取消", centred over the main window.
    static AlertWidget* ask(const QString& question, int type, const QString& sureText = QString());

    // Calls the detail function of the sibling component with the arguments; returns false, and
    // does nothing else, when the component or the function is missing.
    bool openDetail(const char* function, const QVariantList& arguments);

private:
    bool acceptPage(int total, int rowsOnPage);

    MicroWebsiteTopOperateView* m_operateView;
    CardFilterBar* m_filterBar;
    CustomListWidget* m_list;
    PagingBar* m_paging;
    ListPager* m_pager;
    QString m_detailLibrary;
};

#endif // CARDLISTPAGE_H
