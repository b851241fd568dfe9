#ifndef MIRCROWEBSITEFINANCIALCUSTOMERLISTWIDGET_H
#define MIRCROWEBSITEFINANCIALCUSTOMERLISTWIDGET_H

#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QWidget>

class CustomListWidget;
class ListPager;
class QLabel;
class QPushButton;

// The visitors who applied for a loan on the site, one selectable line each, a page at a time.
// On the first page "上一页" is disabled, on the last page "下一页"; both wait while a page loads.
class MircroWebSiteFinancialCustomerListWidget : public QWidget
{
    Q_OBJECT
public:
    // Applications per page when the reply does not say.
    static constexpr int DefaultPageSize = 10;

    explicit MircroWebSiteFinancialCustomerListWidget(QWidget* parent = nullptr);

    int pageIndex() const;
    int pageCount() const;
    ListPager* pager() const { return m_pager; }
    // "【type】title：name（phone）time".
    static QString applicationText(const QJsonObject& application);

signals:
    // A reply's applications are on screen.
    void listShown();

public slots:
    void downloadData();
    void dealData(const QJsonValue& value);
    void showList();

private:
    void stepTo(int pageIndex);
    void updateButtons();

    CustomListWidget* m_list;
    QLabel* m_pageLabel;
    QPushButton* m_last;
    QPushButton* m_next;
    ListPager* m_pager;
    QList<QJsonObject> m_applications;
};

#endif // MIRCROWEBSITEFINANCIALCUSTOMERLISTWIDGET_H
