#ifndef MICROWEBSITESEEKSALEORRENTLIST_MODEL_H
#define MICROWEBSITESEEKSALEORRENTLIST_MODEL_H

#include "net/http/JsonRows.h"

#include <QJsonValue>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariantMap>

// Reads one reply of "mtore/gzposts": what the site's visitors want to buy or to rent. Every field
// but the id stays the text the service sent.
class MicroWebSiteSeekSaleOrRentList_Model : public QObject
{
    Q_OBJECT
public:
    struct ListData
    {
        int id = 0;
        QString type;
        QString needarea;
        QString mianji;   // least size, square metres
        QString tmianji;  // greatest size
        QString price;    // least price: ten-thousands of yuan to buy, yuan per month to rent
        QString tprice;   // greatest price
        QString floors;   // lowest floor
        QString tfloors;  // highest floor
        QString name;
        QString sex;      // "0" a man, anything else a woman
        QString phone;
        QString remark;
        QString time;
        QVariantMap displayValues; // table texts by column key, filled by the page
    };

    // Reads at most limit rows of the reply (JsonRows::All: every one).
    explicit MicroWebSiteSeekSaleOrRentList_Model(const QJsonValue& value, int limit = JsonRows::All, QObject* parent = nullptr);

    static ListData fromJson(const QJsonObject& object);

    QList<ListData> list; // in reply order
    int total = 0;
};

#endif // MICROWEBSITESEEKSALEORRENTLIST_MODEL_H
