#ifndef SORTABLELIST_H
#define SORTABLELIST_H

#include "http/ServiceReply.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <functional>

class ListFilter;
class ServiceDatabase;
class ServiceRequest;

// A company's list on its site that staff order by hand and put up or take down, and the
// requests every such list answers. The table has "id", "company_id", "sort" and "wstore"; the
// list is ordered by "sort" ascending (then id), and a table with a pin column shows its pinned
// rows first, each group in its own order. Every request names a row by "id" and keeps to the
// session's company; refusals name the id with idLabel and an unknown row with `missing`.
class SortableList
{
public:
    using RowJson = std::function<QJsonObject(const QVariantMap& row)>;
    using Filters = std::function<void(ListFilter& filter)>;

    SortableList(ServiceDatabase& db, const QString& table, const QString& pinColumn, const QString& idLabel,
                 const QString& missing);

    // "pageindex", "pagesize" (five rows a page unless asked), the list's own filters, then
    // "wstore" (1 put up, 0 taken down) -> {"total", "data"}.
    ServiceReply posts(const ServiceRequest& request, const Filters& filters, const RowJson& toJson);
    // "id" -> the row.
    ServiceReply detail(const ServiceRequest& request, const RowJson& toJson);
    // "id", "type": 0 to the top (with a pin column: pinned, first among the pinned), 1 one place
    // up, 2 one place down within the row's group; up and down renumber the group 1..n. Needs
    // sortRight, or for type 0 either right.
    ServiceReply sort(const ServiceRequest& request, int sortRight, int pinRight);
    // "id": unpins the row and makes it the first of the unpinned ones. Needs one of the rights.
    ServiceReply unpin(const ServiceRequest& request, const QList<int>& rights);
    // "id": puts the row up on the site or takes it down -> {"id", "wstore"}. Needs the right.
    ServiceReply togglePutUp(const ServiceRequest& request, int putUpRight);

private:
    enum class Move { Done, NotFound, AtFirst, AtLast, Failed };

    Move moveRow(const QString& companyId, qint64 id, int type);
    Move unpinRow(const QString& companyId, qint64 id);
    ServiceReply answer(Move move) const;
    QList<qint64> orderedIds(const QString& companyId, int pinned);
    // SQL for a sort value before every row of the table matching where (one "?" for the company).
    QString sortBefore(const QString& where) const;

    ServiceDatabase& m_db;
    QString m_table;
    QString m_pinColumn;
    QString m_idLabel;
    QString m_missing;
};

#endif // SORTABLELIST_H
