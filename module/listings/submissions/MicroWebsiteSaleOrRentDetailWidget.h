#ifndef MICROWEBSITESALEORRENTDETAILWIDGET_H
#define MICROWEBSITESALEORRENTDETAILWIDGET_H

#include "listings/submissions/MicroWebSiteSaleOrRentList_Model.h"

#include <QList>
#include <QScopedPointer>
#include <QStringList>
#include <QWidget>

class CityHouseDetailPhotosWidget;
class OmitLabel;

namespace Ui {
class MicroWebsiteSaleOrRentDetailWidget;
}

// Everything an owner left with a house for sale or for rent, its photos, and "一键保存" that
// copies it into the agency's house book.
class MicroWebsiteSaleOrRentDetailWidget : public QWidget
{
    Q_OBJECT
public:
    explicit MicroWebsiteSaleOrRentDetailWidget(QWidget* parent = nullptr);
    ~MicroWebsiteSaleOrRentDetailWidget() override;

    void setData(const MicroWebSiteSaleOrRentList_Model::ListData& record, bool isRent);

    // The price as the table and the detail show it: a sale's total in 万, a rent in 元/月.
    static QString priceText(double price, bool isRent);
    // The property lines as they read, in order; hidden lines are left out.
    static QStringList propertyLines(const MicroWebSiteSaleOrRentList_Model::ListData& record, bool isRent);
    QStringList shownPropertyLines() const;
    CityHouseDetailPhotosWidget* photosWidget() const;

public slots:
    void saveToHouseBook();

private:
    QScopedPointer<Ui::MicroWebsiteSaleOrRentDetailWidget> ui;
    QList<OmitLabel*> m_propertyLabels;
    MicroWebSiteSaleOrRentList_Model::ListData m_record;
    bool m_isRent = false;
};

#endif // MICROWEBSITESALEORRENTDETAILWIDGET_H
