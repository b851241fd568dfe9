#ifndef BROWSELOGDATA_H
#define BROWSELOGDATA_H

#include <QList>
#include <QString>
#include <QVariantMap>

class ServiceDatabase;

// The visits recorded on a company's site: who looked (a visitor's name and, when they left it,
// phone) at which item and when. An item is named by its type and id as the desktop opens it:
// 1 a house for sale, 2 a house for rent (the house book's id, or the house circle's where the
// company shares one), 3 a new-house project, 4 a financial product. The title is the item's as
// it was seen.
class BrowseLogData
{
public:
    enum Type { SaleHouse = 1, RentHouse = 2, NewHouse = 3, Financial = 4 };

    struct Visit
    {
        QString visitor;
        QString phone;
        int type = SaleHouse;
        qint64 itemId = 0;
        QString title;
        QString visitedAt; // "yyyy-MM-dd HH:mm"
        int seconds = 0;   // how long the visitor stayed
    };

    static bool createSchema(ServiceDatabase& db);
    // The new row's id, or 0 on failure.
    static qint64 add(ServiceDatabase& db, const QString& companyId, const Visit& visit);
    // pageSize visits of page pageIndex, newest first, all types or one (type 0 for all); *total
    // counts all pages. Rows: id, visitor, phone, type, item_id, title, visited_at, seconds. A
    // failure is kept in db.lastError().
    static QList<QVariantMap> visits(ServiceDatabase& db, const QString& companyId, int type, qint64 pageIndex,
                                     qint64 pageSize, qint64* total);

private:
    BrowseLogData() = delete;
};

#endif // BROWSELOGDATA_H
