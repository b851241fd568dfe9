#ifndef REBATEDATA_H
#define REBATEDATA_H

#include <QList>
#include <QString>
#include <QVariantMap>

class ServiceDatabase;

// The agency's rebate business: the rates it sets (what it charges on a deal and which share of
// that goes to the person who referred it), the people registered to refer, the clients and the
// houses they referred, and the deals that came of them. Every read names the company, so one
// company never reaches another's rows; rows come as maps keyed by the columns named below.
class RebateData
{
public:
    enum class Table { Rates, Users, Clients, Houses, Deals };

    static bool createSchema(ServiceDatabase& db);

    // Adds a row of the company to the table; `columns` maps the table's other columns (names
    // from this code, never from a request) to their values. The new id, or 0 on failure.
    static qint64 add(ServiceDatabase& db, Table table, const QString& companyId, const QVariantMap& columns);

    // By sort value: id, business (0 resale, 1 letting, 2 new houses), name, basis (what the rate
    // is taken of), commission (percent of it), rebate (percent of the commission), note.
    static QList<QVariantMap> rates(ServiceDatabase& db, const QString& companyId);
    // Newest first: id, name, phone, source, registered_at, and what they brought: clients,
    // houses, deals, rebate (the sum of their deals' rebates, in yuan).
    static QList<QVariantMap> users(ServiceDatabase& db, const QString& companyId);
    // Newest first: id, name, phone, want (0 to buy, 1 to rent), area, budget, status, created_at
    // and the referrer's name as referrer.
    static QList<QVariantMap> clients(ServiceDatabase& db, const QString& companyId);
    // Newest first: id, owner, phone, kind (0 for sale, 1 for rent), housename, hutype, mianji,
    // price, status, created_at and referrer.
    static QList<QVariantMap> houses(ServiceDatabase& db, const QString& companyId);
    // Newest first: id, source (0 a referred client, 1 a referred house), business, title,
    // amount, commission, rebate (yuan), settled (0 or 1), deal_time and referrer.
    static QList<QVariantMap> deals(ServiceDatabase& db, const QString& companyId);

private:
    RebateData() = delete;
};

#endif // REBATEDATA_H
