#ifndef HOUSEMANAGERSALEORRENTLISTWIDGET_H
#define HOUSEMANAGERSALEORRENTLISTWIDGET_H

#include "listings/common/ListingTablePage.h"
#include "listings/housemanager/MicroWebsite_HouseMangerList_Model.h"
#include "net/http/FormBody.h"

#include <QJsonValue>
#include <QList>
#include <QVector>

class CustomComboBox;
class HouseManagerOperation;
class QLineEdit;
class QPushButton;

// The agency's houses for sale (type 0) or for rent (type 1) on its site: filtered by put-up
// state and estate, a page of the table at a time, with the operations of each house on its
// row. A row opens the house in the host's house book.
class HouseManagerSaleOrRentListWidget : public ListingTablePage
{
    Q_OBJECT
public:
    using ListData = MicroWebsite_HouseMangerList_Model::ListData;

    explicit HouseManagerSaleOrRentListWidget(QWidget* parent = nullptr);

    QList<ListData> rows() const { return m_rows; }
    int selectedRow() const { return m_selectedRow; }

    static QString columnsJson(int type);
    // The texts a row shows, by column key.
    static QVariantMap displayValuesFor(const ListData& row, int type);
    // The list request: kind and paging, then the put-up filter (status box index 1 "已上架",
    // 2 "已下架") and the search text, each only when set.
    static FormBody listBody(int type, int pageIndex, int pageSize, int statusIndex, const QString& key);
    // What "HouseDetail" carries for a click on row: its house-book id and those of the page.
    static QVariantMap houseDetailMessage(const QList<ListData>& rows, int row);

public slots:
    void downloadData() override;
    void dealHouseData(const QJsonValue& value);
    void btnClickDeal(int row, const QString& text);

protected:
    QString columnConfig(int type) const override;
    void openRow(int row) override;
    QWidget* createCell(int row, const QVariantMap& column, const QVariantMap& values) override;

private:
    QWidget* createFilterBar();
    int operationColumn() const;
    void confirmThen(const HouseManagerOperation& operation);
    void sendOperation(const HouseManagerOperation& operation);

    CustomComboBox* m_statusBox = nullptr;
    QLineEdit* m_searchEdit = nullptr;
    QPushButton* m_searchButton = nullptr;
    QList<ListData> m_rows;
    // Whether the user may review each row's house, which decides how "等待审核" looks.
    QVector<bool> m_canReview;
    int m_selectedRow = -1;
};

#endif // HOUSEMANAGERSALEORRENTLISTWIDGET_H
