#ifndef MICROWEBSITESEEKSALEORRENTWIDGET_H
#define MICROWEBSITESEEKSALEORRENTWIDGET_H

#include "listings/common/ListingTablePage.h"
#include "listings/submissions/MicroWebSiteSeekSaleOrRentList_Model.h"

#include <QJsonValue>
#include <QList>

// What the site's visitors want to buy (type 0) or to rent (type 1), a page of the table at a
// time; a row opens the demand's detail.
class MicroWebsiteSeekSaleOrRentWidget : public ListingTablePage
{
    Q_OBJECT
public:
    using ListData = MicroWebSiteSeekSaleOrRentList_Model::ListData;

    explicit MicroWebsiteSeekSaleOrRentWidget(QWidget* parent = nullptr);

    QList<ListData> rows() const { return m_rows; }

    // The seven columns of the table.
    static QString columnsJson();
    // The texts a row shows, by column key; the price unit depends on the kind.
    static QVariantMap displayValuesFor(const ListData& row, int type);

public slots:
    void downloadData() override;
    void dealHouseData(const QJsonValue& value);

protected:
    QString columnConfig(int type) const override;
    void openRow(int row) override;

private:
    QList<ListData> m_rows;
};

#endif // MICROWEBSITESEEKSALEORRENTWIDGET_H
