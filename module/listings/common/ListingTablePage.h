#ifndef LISTINGTABLEPAGE_H
#define LISTINGTABLEPAGE_H

#include <QList>
#include <QSize>
#include <QString>
#include <QVariantMap>
#include <QWidget>

class FormBody;
class HoverTableWidget;
class ListPager;
class MicroWebsiteTopOperateView;
class NetRequestObjecet;
class PagingBar;
class QVBoxLayout;
class StayTunedWidget;

// What the table pages of the listings share: the operation bar on top, the table with its
// header, column widths and no-data view, and the paging bar below; a refresh or a paging step
// asks the page for its data again. A page supplies its columns, its request and its rows.
class ListingTablePage : public QWidget
{
    Q_OBJECT
    // The kind the page serves, as the control center set it.
    Q_PROPERTY(int pageType READ type)
public:
    explicit ListingTablePage(QWidget* parent = nullptr);
    ~ListingTablePage() override;

    // Stores the kind (0 for sale, 1 for rent), installs its columns and requests the first page.
    void setType(int type);
    int type() const { return m_type; }

    HoverTableWidget* table() const { return m_table; }
    PagingBar* pagingBar() const { return m_pagingBar; }
    MicroWebsiteTopOperateView* operateView() const { return m_operateView; }
    // Made on the first empty page; null before.
    StayTunedWidget* noDataView() const { return m_noDataView; }
    QList<QVariantMap> columns() const { return m_columns; }
    // The paging state; its pageReceived() carries the newest page reply to the page.
    ListPager* pager() const { return m_pager; }

    int pageIndex() const;
    int pageSize() const;
    int totalCount() const;
    int pageCount() const;

    static constexpr int PageSize = 20;
    static constexpr int HeaderHeight = 40;

public slots:
    virtual void downloadData() = 0;

protected:
    // The column configuration (JSON text) for a kind.
    virtual QString columnConfig(int type) const = 0;
    // Opens the row's detail; row is within the rows shown, which are the page's records.
    virtual void openRow(int row) = 0;
    // The widget of one cell; by default a text cell with the row's value under the column's key.
    virtual QWidget* createCell(int row, const QVariantMap& column, const QVariantMap& values);
    // Writes a row's values into a cell that createCell() made for an earlier page, where the cell
    // is of the kind createCell() makes for the column now; false when it is not, and a new cell
    // replaces it. A page turn thus makes and styles few widgets again.
    virtual bool refillCell(QWidget* cell, int row, const QVariantMap& column, const QVariantMap& values);

    // The list request of a page that sends only its kind and page: "type", "pagesize", "pageindex".
    FormBody typePageBody() const;
    // Sends the page request with the table covered by the wait indicator until it finishes. Only
    // the newest request's reply reaches pager()->pageReceived().
    void requestPage(const QString& url, const FormBody& body);
    // First step with a page reply: false when the page asked for lies beyond the list's last page
    // (the list shrank); the last page is then requested and the page keeps its rows and records
    // as they are, so the two stay in step. Replace the records only after it returned true.
    bool acceptPage(int total, int rowsOnPage);
    // Refills the table with one page: each row's texts by column key.
    void showRows(const QList<QVariantMap>& rowValues);
    // The same for a page's records: each keeps its texts, made by displayValuesFor for the kind.
    template <typename Row>
    void showRows(QList<Row>& rows, QVariantMap (*displayValuesFor)(const Row&, int))
    {
        QList<QVariantMap> rowValues;
        for (Row& row : rows) {
            row.displayValues = displayValuesFor(row, m_type);
            rowValues.append(row.displayValues);
        }
        showRows(rowValues);
    }
    // Shows a row's detail in the popup frame "详情" over the main window.
    void openDetail(const QSize& size, QWidget* detail);
    // Puts a bar (such as filters) between the operation bar and the table.
    void addBar(QWidget* bar);
    void adjustColumnWidths();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void installHeader();
    void placeNoDataView();

    QVBoxLayout* m_layout = nullptr;
    MicroWebsiteTopOperateView* m_operateView = nullptr;
    HoverTableWidget* m_table = nullptr;
    PagingBar* m_pagingBar = nullptr;
    StayTunedWidget* m_noDataView = nullptr;
    ListPager* m_pager = nullptr;
    QList<QVariantMap> m_columns;
    int m_type = 0;
};

#endif // LISTINGTABLEPAGE_H
