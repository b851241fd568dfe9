#ifndef MICROWEBSITESALEORRENTWIDGET_H
#define MICROWEBSITESALEORRENTWIDGET_H

#include "listings/common/ListingTablePage.h"
#include "listings/submissions/MicroWebSiteSaleOrRentList_Model.h"

#include <QJsonValue>
#include <QList>

// The houses owners left on the site to sell (type 0) or to let (type 1), a page of the table at
// a time; a row opens the submission's detail.
class MicroWebsiteSaleOrRentWidget : public ListingTablePage
{
    Q_OBJECT
public:
    using ListData = MicroWebSiteSaleOrRentList_Model::ListData;

    explicit MicroWebsiteSaleOrRentWidget(QWidget* parent = nullptr);

    QList<ListData> rows() const { return m_rows; }

    // The nine columns of the table.
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

#endif // MICROWEBSITESALEORRENTWIDGET_H
