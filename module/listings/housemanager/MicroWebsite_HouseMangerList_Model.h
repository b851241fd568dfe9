#ifndef MICROWEBSITE_HOUSEMANGERLIST_MODEL_H
#define MICROWEBSITE_HOUSEMANGERLIST_MODEL_H

#include "net/http/JsonRows.h"

#include <QJsonValue>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// Reads one reply of "mtore/mshouseposts": the agency's houses for sale or rent on its site.
class MicroWebsite_HouseMangerList_Model : public QObject
{
    Q_OBJECT
public:
    struct ListData
    {
        bool putup = false;   // shown on the site
        QString faburen;      // publisher's name
        QString faburenphone; // publisher's phone
        int bookid = 0;       // the house in the house book; 0 when it has none
        int storeid = 0;      // the store (department) that owns the house
        int id = 0;           // the site entry
        QStringList tags;
        QString picture;
        QString village;
        QString title;
        QString time;
        QString price;
        QString unitprice;
        QString info;
        bool sh = false;      // reviewed (approved)
        QString shows;        // view count
        bool tuijian = false; // recommended to the site's front page
        QVariantMap displayValues; // table texts by column key, filled by the page
    };

    // Reads at most limit rows of the reply (JsonRows::All: every one).
    explicit MicroWebsite_HouseMangerList_Model(const QJsonValue& value, int limit = JsonRows::All, QObject* parent = nullptr);

    static ListData fromJson(const QJsonObject& object);

    QList<ListData> list; // in reply order
    int total = 0;
};

#endif // MICROWEBSITE_HOUSEMANGERLIST_MODEL_H
