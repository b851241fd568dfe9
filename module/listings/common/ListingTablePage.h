#ifndef LISTINGTABLEPAGE_H
#define LISTINGTABLEPAGE_H

#include <QList>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QVariantMap>
#include <QWidget>

class FormBody;
class HoverTableWidget;
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
    // Opens the row's detail; row is within the rows shown.
    virtual void openRow(int row) = 0;
    // The widget of one cell; by default a text cell with the row's value under the column's key.
    virtual QWidget* createCell(int row, const QVariantMap& column, const QVariantMap& values);

    // The list request of a page that sends only its kind and page: "type", "pagesize", "pageindex".
    FormBody typePageBody() const;
    // Sends the page request with the table covered by the wait indicator until it finishes.
    NetRequestObjecet* requestPage(const QString& url, const FormBody& body);
    // Whether the reply being handled answers the newest page request. A reply to an older one
    // (the user paged on before it came) must not overwrite the page the bar now shows.
    bool isLatestReply() const;
    // Refills the table with one page: the total on the service and each row's texts by column key.
    void showRows(int total, const QList<QVariantMap>& rowValues);
    // The same for a page's rows: each row keeps its texts, made by displayValuesFor for the kind.
    template <typename Row>
    void showRows(int total, QList<Row>& rows, QVariantMap (*displayValuesFor)(const Row&, int))
    {
        QList<QVariantMap> rowValues;
        for (Row& row : rows) {
            row.displayValues = displayValuesFor(row, m_type);
            rowValues.append(row.displayValues);
        }
        showRows(total, rowValues);
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
    QPointer<NetRequestObjecet> m_latestRequest;
    QList<QVariantMap> m_columns;
    int m_type = 0;
    int m_shownPageIndex = 1; // the page whose rows the table shows
};

#endif // LISTINGTABLEPAGE_H
