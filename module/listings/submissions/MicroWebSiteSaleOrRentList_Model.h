#ifndef MICROWEBSITESALEORRENTLIST_MODEL_H
#define MICROWEBSITESALEORRENTLIST_MODEL_H

#include "net/http/JsonRows.h"

#include <QJsonValue>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// Reads one reply of "mtore/mzposts": the houses owners left on the site to sell or to let.
class MicroWebSiteSaleOrRentList_Model : public QObject
{
    Q_OBJECT
public:
    struct ListData
    {
        int id = 0;
        QString type;
        QString name;
        QString phone;
        QString housename;
        QString unitNo;
        QString buildingNo;
        QString roomNo;
        QString districtstr;
        QString areastr;
        QString address;
        QString hutype;
        int floors = 0;
        int allfloors = 0;
        double price = 0.0;     // ten-thousands of yuan for sale, yuan per month for rent
        int unitprice = 0;
        double builtuparea = 0.0;
        QString renovation;
        QString housetype;
        QString remark;
        QString toward;
        QString payway;
        QString rentway;
        QStringList imgurl;
        QString time;
        QVariantMap displayValues; // table texts by column key, filled by the page
    };

    // Reads at most limit rows of the reply (JsonRows::All: every one).
    explicit MicroWebSiteSaleOrRentList_Model(const QJsonValue& value, int limit = JsonRows::All, QObject* parent = nullptr);

    static ListData fromJson(const QJsonObject& object);

    QList<ListData> list; // in reply order
    int total = 0;
};

#endif // MICROWEBSITESALEORRENTLIST_MODEL_H
