#ifndef HOUSECIRCLEDATA_H
#define HOUSECIRCLEDATA_H

#include <QList>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

class ServiceDatabase;

// The house circle: houses that the agencies of a circle share with one another. Each company
// sees its own copy of the circle; a row shared by the company itself is marked "own".
class HouseCircleData
{
public:
    struct House
    {
        int kind = 0; // 0 for sale, 1 for rent
        bool own = false;
        QString company; // the agency that shared it
        QString housename;
        QString title;
        QString dongno;
        QString danyuan;
        QString fangno;
        QString hutype;
        double mianji = 0;
        QString price; // ten-thousands of yuan, or yuan a month
        QString time;  // "yyyy-MM-dd HH:mm"
    };

    static bool createSchema(ServiceDatabase& db);

    // The new row's id, or 0 on failure.
    static qint64 add(ServiceDatabase& db, const QString& companyId, const House& house);
    // The company's circle rows of one kind, newest first, narrowed by `conditions` (" AND ..."
    // on the columns, `values` bound to its marks); *total counts all pages. A failure is kept in
    // db.lastError().
    static QList<QVariantMap> houses(ServiceDatabase& db, const QString& companyId, int kind, const QString& conditions,
                                     const QVariantList& values, qint64 pageIndex, qint64 pageSize, qint64* total);
    // The company's circle row of the kind with this id, or an empty map.
    static QVariantMap house(ServiceDatabase& db, const QString& companyId, int kind, qint64 id);

private:
    HouseCircleData() = delete;
};

#endif // HOUSECIRCLEDATA_H
