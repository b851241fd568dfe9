#ifndef MICROWEBSITENEWHOUSELISTWIDGET_H
#define MICROWEBSITENEWHOUSELISTWIDGET_H

#include "listings/common/CardListPage.h"
#include "listings/newhouse/NewHouseList_Model.h"

#include <QJsonValue>
#include <QList>
#include <QUrl>
#include <QVariantMap>

class CustomComboBox;
class FormBody;
class QLineEdit;

// The new-house projects on the site, five to a page as cards, filtered by district, quarter,
// name, price and put-up state. A click on a card opens the project in the new-house component.
class MicroWebSiteNewHouseListWidget : public CardListPage
{
    Q_OBJECT
public:
    // What the filter bar asks for; empty texts and status -1 send nothing.
    struct Filter
    {
        QString district;
        QString area;
        QString name;
        QString priceLow;
        QString priceHigh;
        int status = -1; // 1 put up, 0 not put up
        FormBody body(int pageIndex, int pageSize) const;
    };

    explicit MicroWebSiteNewHouseListWidget(QWidget* parent = nullptr);

    Filter currentFilter() const;
    QList<NewHouseList_Model::ListData> projects() const { return m_projects; }
    // Where "查看官网示例" leads: the site host's showcase of sites.
    static QUrl exampleSiteUrl();

signals:
    // A reply's projects are on screen.
    void refreshList();

public slots:
    void setDistric(const QList<QVariantMap>& districArray);
    void deal_areaChooseDeal(int index);
    void download_productList();
    void deal_dataList(const QJsonValue& resultValue);
    void showListView();
    void clickItemRow(const NewHouseList_Model::ListData& model);
    void moveTopDeal(const NewHouseList_Model::ListData& model);
    void cancleTop(const NewHouseList_Model::ListData& model);
    void moveUpDeal(const NewHouseList_Model::ListData& model);
    void moveDownDeal(const NewHouseList_Model::ListData& model);
    void putDownOrUpHouse(const NewHouseList_Model::ListData& model);
    void tuiJianHouse(const NewHouseList_Model::ListData& model);
    void listSort(const NewHouseList_Model::ListData& model, int id, int type);

protected:
    void reloadList() override;

private:

    CustomComboBox* m_district;
    CustomComboBox* m_area;
    CustomComboBox* m_status;
    QLineEdit* m_name;
    QLineEdit* m_priceLow = nullptr;
    QLineEdit* m_priceHigh = nullptr;
    QList<QVariantMap> m_districts;
    QList<NewHouseList_Model::ListData> m_projects;
};

#endif // MICROWEBSITENEWHOUSELISTWIDGET_H
