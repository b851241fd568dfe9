#ifndef NEWSTWINLISTWIDGET_H
#define NEWSTWINLISTWIDGET_H

#include "content/news/NewsTwin.h"
#include "widgets/web/CefWebWidget.h"

#include <QJsonValue>
#include <QList>
#include <QPointer>
#include <QVariantMap>
#include <QWidget>

class CustomLineEdit;
class CustomListWidget;
class ListPager;
class MicroWebsiteNewsListItemView;
class PagingBar;
class QPushButton;

// The news list and the encyclopedia list: ten articles a page from the site host, with search and
// delete; adding and editing articles, categories and pictures happen in the site host's web pages,
// shown in a browser dialog. A page that answers "success" closes its dialog and the list reloads.
// The twins differ only in what NewsTwin holds.
class NewsTwinListWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr int PageSize = 10;

    NewsTwinListWidget(NewsTwin::Kind kind, QWidget* parent = nullptr);

    const NewsTwin& twin() const { return m_twin; }
    // The rows of a reply: the objects of an array; anything else holds none.
    static QList<QVariantMap> readRows(const QJsonValue& value, int limit);

    QList<MicroWebsiteNewsListItemView*> rows() const;
    ListPager* pager() const { return m_pager; }
    PagingBar* pagingBar() const { return m_paging; }
    CustomLineEdit* searchEdit() const { return m_search; }
    QPushButton* searchButton() const { return m_searchButton; }
    QPushButton* addButton() const { return m_addButton; }
    QPushButton* categoryButton() const { return m_categoryButton; }
    QPushButton* pictureButton() const { return m_pictureButton; }
    // The browser dialog opened last, null once it is gone.
    CefWebWidget* webDialog() const { return m_webDialog; }

public slots:
    void lastPage();
    void nextPage();
    void downloadData();
    void dealData(QJsonValue value);
    void showListView();
    void editItem(const QVariantMap& row);
    void deleteItem(const QVariantMap& row);

signals:
    // A reply's rows are on screen.
    void listShown();

protected:
    // Opens the twin's web page for the current user in a browser dialog.
    CefWebWidget* openWebPage(NewsTwin::Page page, const QString& rowId = QString());

private:
    QVariantMap currentUser();
    void search();

    const NewsTwin& m_twin;
    CustomLineEdit* m_search = nullptr;
    QPushButton* m_searchButton = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_categoryButton = nullptr;
    QPushButton* m_pictureButton = nullptr;
    CustomListWidget* m_list = nullptr;
    PagingBar* m_paging = nullptr;
    ListPager* m_pager = nullptr;
    QList<QVariantMap> m_rows;
    QPointer<CefWebWidget> m_webDialog;
};

#endif // NEWSTWINLISTWIDGET_H
