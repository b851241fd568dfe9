#ifndef NEWHOUSELIST_MODEL_H
#define NEWHOUSELIST_MODEL_H

#include "net/http/JsonRows.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QVariantMap>

// Reads one reply of "mtore/newhouseposts": the new-house projects of a page.
class NewHouseList_Model : public QObject
{
    Q_OBJECT
public:
    struct ListData
    {
        int id = 0;
        QString thumbnail;
        QString name;
        QString zhuangtai; // sales status
        QString dongtai;   // latest news line
        QString province;
        QString cityname;
        QString address;
        QString junjia; // average price, yuan per square metre
        QString yongjin; // commission policy
        bool wstore = false; // put up on the site
        QString leixing;     // property type
        bool istop = false;  // pinned to the top
        bool tuijian = false; // recommended to the site's front page
        QString telbefore;
        QString telafter;
    };

    // Reads at most limit rows of the reply (JsonRows::All: every one).
    explicit NewHouseList_Model(const QJsonValue& value, int limit = JsonRows::All, QObject* parent = nullptr);

    static ListData fromJson(const QJsonObject& object);
    // The project under the service's keys, as the new-house component receives it.
    static QVariantMap toMap(const ListData& data);

    QList<ListData> list; // in reply order
    int total = 0;
};

Q_DECLARE_METATYPE(NewHouseList_Model::ListData)

#endif // NEWHOUSELIST_MODEL_H
