#ifndef PAGINGBAR_H
#define PAGINGBAR_H

#include "net/paging/PagingRules.h"

class ListPager;

#include <QScopedPointer>
#include <QWidget>

namespace Ui {
class PagingBar;
}

// The paging bar under every paged list: page size, page count and total, the current page box,
// "跳转" and the four stepping buttons. It keeps the page index; a page asks it which page to load.
class PagingBar : public QWidget
{
    Q_OBJECT
public:
    explicit PagingBar(QWidget* parent = nullptr, PagingRules::Style style = PagingRules::Style::Table);
    ~PagingBar() override;

    void setStyle(PagingRules::Style style);
    void setPageSize(int pageSize);
    int pageSize() const { return m_pageSize; }
    int pageIndex() const { return m_pageIndex; }
    void setPageIndex(int pageIndex);
    int pageCount() const { return m_pageCount; }
    int total() const { return m_total; }

    // After a reply: page count from the total, and the labels and boxes refreshed.
    void setTotal(int total);

    // Shows the pager's page and total from now on, and turns its pages.
    void follow(ListPager* pager);

    // Runs a button's rule as if it had been clicked.
    void trigger(PagingRules::Action action);

signals:
    // The page index has changed (or was asked again): load this page.
    void pageRequested(int pageIndex);

private:
    void refreshTexts();

    QScopedPointer<Ui::PagingBar> ui;
    PagingRules::Style m_style;
    int m_pageSize = 20;
    int m_pageIndex = 1;
    int m_pageCount = 0;
    int m_total = 0;
};

#endif // PAGINGBAR_H
