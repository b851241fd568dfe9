#ifndef MICROWEBSITENEWSTHEMELISTWIDGET_H
#define MICROWEBSITENEWSTHEMELISTWIDGET_H

#include "widgets/popups/CommonAddWidget.h"

#include <QJsonValue>
#include <QList>
#include <QPointer>
#include <QVariantMap>
#include <QWidget>

class CustomLineEdit;
class CustomListWidget;
class FormBody;
class ListPager;
class MicroWebsiteNewsThemeListItemView;
class NetRequestObjecet;
class PagingBar;
class QPushButton;

// The site's topic pages, ten a page with search: sort values changed in place, topics added,
// edited and deleted.
class MicroWebsiteNewsThemeListWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr int PageSize = 10;

    explicit MicroWebsiteNewsThemeListWidget(QWidget* parent = nullptr);

    // The rows of a reply: its array's objects (the array itself or under "data").
    static QList<QVariantMap> readRows(const QJsonValue& value, int limit);

    QList<MicroWebsiteNewsThemeListItemView*> rows() const;
    ListPager* pager() const { return m_pager; }
    PagingBar* pagingBar() const { return m_paging; }
    CustomLineEdit* searchEdit() const { return m_search; }
    CommonAddWidget* editorPopup() const { return m_popup; }

public slots:
    void lastPage();
    void nextPage();
    void downloadData();
    void dealData(QJsonValue value);
    void showListView();
    // Returns the request, released once it has finished.
    NetRequestObjecet* changeIndex(int id, const QString& sort);
    void editItem(const QVariantMap& row);
    void deleteItem(int id, const QString& title);
    void addTheme();

signals:
    void listShown();

private:
    // The company's and city's ids that every request of the list carries.
    FormBody ownerBody();
    NetRequestObjecet* sendOperation(const QString& url, const FormBody& body, const QString& waitText);
    void openEditor(const QString& title, const QVariantMap* row);

    CustomLineEdit* m_search = nullptr;
    QPushButton* m_addButton = nullptr;
    CustomListWidget* m_list = nullptr;
    PagingBar* m_paging = nullptr;
    ListPager* m_pager = nullptr;
    QList<QVariantMap> m_rows;
    QPointer<CommonAddWidget> m_popup;
};

#endif // MICROWEBSITENEWSTHEMELISTWIDGET_H
