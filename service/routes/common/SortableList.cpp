#include "routes/common/SortableList.h"

#include "http/Envelope.h"
#include "http/ParamReader.h"
#include "http/ServiceRequest.h"
#include "sessions/RightsCheck.h"
#include "storage/core/ListFilter.h"
#include "storage/core/ServiceDatabase.h"

#include <QJsonArray>

#include <climits>

SortableList::SortableList(ServiceDatabase& db, const QString& table, const QString& pinColumn, const QString& idLabel,
                           const QString& missing)
    : m_db(db)
    , m_table(table)
    , m_pinColumn(pinColumn)
    , m_idLabel(idLabel)
    , m_missing(missing)
{
}

ServiceReply SortableList::posts(const ServiceRequest& request, const Filters& filters, const RowJson& toJson)
{
    ParamReader in(request.params);
    const qint64 pageIndex = in.optionalInteger(QStringLiteral("pageindex"), QStringLiteral("页码"), 1, 1, 100000);
    const qint64 pageSize = in.optionalInteger(QStringLiteral("pagesize"), QStringLiteral("每页条数"), 5, 1, 100);
    ListFilter filter(request.params, in);
    filters(filter);
    filter.flag(QStringLiteral("wstore"), QStringLiteral("上架状态"), QStringLiteral("wstore = ?"));
    if (!in.ok())
        return Envelope::refused(in.message());

    const QString order =
        m_pinColumn.isEmpty() ? QStringLiteral("sort, id") : m_pinColumn % QStringLiteral(" DESC, sort, id");
    qint64 total = 0;
    const QList<QVariantMap> rows =
        m_db.selectPage(QStringLiteral("*"), m_table % QStringLiteral(" WHERE company_id = ?") % filter.conditions(),
                        QVariantList{request.session.companyId} + filter.values(), order, pageIndex, pageSize, &total);
    if (!m_db.lastError().isEmpty())
        return Envelope::internalError();
    QJsonArray list;
    for (const QVariantMap& row : rows)
        list.append(toJson(row));
    return Envelope::success(QJsonObject{{QStringLiteral("total"), total}, {QStringLiteral("data"), list}});
}

ServiceReply SortableList::detail(const ServiceRequest& request, const RowJson& toJson)
{
    ParamReader in(request.params);
    const qint64 id = in.integer(QStringLiteral("id"), m_idLabel, 1, LLONG_MAX);
    if (!in.ok())
        return Envelope::refused(in.message());
    const QVariantMap row = m_db.selectOne(QStringLiteral("SELECT * FROM ") % m_table
                                               % QStringLiteral(" WHERE id = ? AND company_id = ?"),
                                           {id, request.session.companyId});
    if (row.isEmpty())
        return m_db.lastError().isEmpty() ? Envelope::refused(m_missing) : Envelope::internalError();
    return Envelope::success(toJson(row));
}

ServiceReply SortableList::sort(const ServiceRequest& request, int sortRight, int pinRight)
{
    ParamReader in(request.params);
    const qint64 id = in.integer(QStringLiteral("id"), m_idLabel, 1, LLONG_MAX);
    const int type = static_cast<int>(in.integer(QStringLiteral("type"), QStringLiteral("排序类型"), 0, 2));
    if (!in.ok())
        return Envelope::refused(in.message());
    const QList<int> rights = type == 0 ? QList<int>{pinRight, sortRight} : QList<int>{sortRight};
    if (!RightsCheck::hasAny(m_db, request.session, rights))
        return Envelope::refused(RightsCheck::noRightMessage());
    return answer(moveRow(request.session.companyId, id, type));
}

ServiceReply SortableList::unpin(const ServiceRequest& request, const QList<int>& rights)
{
    ParamReader in(request.params);
    const qint64 id = in.integer(QStringLiteral("id"), m_idLabel, 1, LLONG_MAX);
    if (!in.ok())
        return Envelope::refused(in.message());
    if (!RightsCheck::hasAny(m_db, request.session, rights))
        return Envelope::refused(RightsCheck::noRightMessage());
    return answer(unpinRow(request.session.companyId, id));
}

ServiceReply SortableList::togglePutUp(const ServiceRequest& request, int putUpRight)
{
    ParamReader in(request.params);
    const qint64 id = in.integer(QStringLiteral("id"), m_idLabel, 1, LLONG_MAX);
    if (!in.ok())
        return Envelope::refused(in.message());
    if (!RightsCheck::hasAny(m_db, request.session, {putUpRight}))
        return Envelope::refused(RightsCheck::noRightMessage());
    if (!m_db.execute(QStringLiteral("UPDATE ") % m_table
                          % QStringLiteral(" SET wstore = 1 - wstore WHERE id = ? AND company_id = ?"),
                      {id, request.session.companyId}))
        return Envelope::internalError();
    if (m_db.changes() == 0)
        return Envelope::refused(m_missing);
    const QVariantMap row =
        m_db.selectOne(QStringLiteral("SELECT wstore FROM ") % m_table % QStringLiteral(" WHERE id = ?"), {id});
    const bool wstore = row.value(QStringLiteral("wstore")).toInt() != 0;
    return Envelope::success(QJsonObject{{QStringLiteral("id"), id}, {QStringLiteral("wstore"), wstore}},
                             wstore ? QStringLiteral("上架成功") : QStringLiteral("下架成功"));
}

SortableList::Move SortableList::moveRow(const QString& companyId, qint64 id, int type)
{
    const QVariantMap row = m_db.selectOne(QStringLiteral("SELECT * FROM ") % m_table
                                               % QStringLiteral(" WHERE id = ? AND company_id = ?"),
                                           {id, companyId});
    if (row.isEmpty())
        return m_db.lastError().isEmpty() ? Move::NotFound : Move::Failed;

    if (type == 0) {
        // Before every row of the company, so also before the other pinned rows.
        const QString pin =
            m_pinColumn.isEmpty() ? QString() : QStringLiteral(", ") % m_pinColumn % QStringLiteral(" = 1");
        const bool ok = m_db.execute(QStringLiteral("UPDATE ") % m_table % QStringLiteral(" SET sort = ") % sortBefore(QStringLiteral("company_id = ?")) % pin
                                         % QStringLiteral(" WHERE id = ?"),
                                     {companyId, id});
        return ok ? Move::Done : Move::Failed;
    }

    const int pinned = m_pinColumn.isEmpty() ? 0 : row.value(m_pinColumn).toInt();
    Move result = Move::Done;
    const bool ok = m_db.transaction([&] {
        QList<qint64> ids = orderedIds(companyId, pinned);
        if (!m_db.lastError().isEmpty())
            return false;
        const int at = ids.indexOf(id);
        const int to = type == 1 ? at - 1 : at + 1;
        if (to < 0 || to >= ids.size()) {
            result = type == 1 ? Move::AtFirst : Move::AtLast;
            return true;
        }
        ids.swapItemsAt(at, to);
        for (int i = 0; i < ids.size(); ++i) {
            if (!m_db.execute(QStringLiteral("UPDATE ") % m_table % QStringLiteral(" SET sort = ? WHERE id = ?"),
                              {i + 1, ids.at(i)}))
                return false;
        }
        return true;
    });
    return ok ? result : Move::Failed;
}

SortableList::Move SortableList::unpinRow(const QString& companyId, qint64 id)
{
    const QVariantMap row = m_db.selectOne(QStringLiteral("SELECT id FROM ") % m_table
                                               % QStringLiteral(" WHERE id = ? AND company_id = ?"),
                                           {id, companyId});
    if (row.isEmpty())
        return m_db.lastError().isEmpty() ? Move::NotFound : Move::Failed;
    const bool ok = m_db.execute(QStringLiteral("UPDATE ") % m_table % QStringLiteral(" SET ") % m_pinColumn
                                     % QStringLiteral(" = 0, sort = ")
                                     % sortBefore(QStringLiteral("company_id = ? AND ") % m_pinColumn
                                                  % QStringLiteral(" = 0"))
                                     % QStringLiteral(" WHERE id = ?"),
                                 {companyId, id});
    return ok ? Move::Done : Move::Failed;
}

ServiceReply SortableList::answer(Move move) const
{
    switch (move) {
    case Move::Done:
        return Envelope::success(QJsonValue());
    case Move::NotFound:
        return Envelope::refused(m_missing);
    case Move::AtFirst:
        return Envelope::refused(QStringLiteral("已经排在最前面了，无法上移"));
    case Move::AtLast:
        return Envelope::refused(QStringLiteral("已经排在最后面了，无法下移"));
    case Move::Failed:
        break;
    }
    return Envelope::internalError();
}

QList<qint64> SortableList::orderedIds(const QString& companyId, int pinned)
{
    const QString where =
        m_pinColumn.isEmpty() ? QString() : QStringLiteral(" AND ") % m_pinColumn % QStringLiteral(" = ?");
    QVariantList values{companyId};
    if (!m_pinColumn.isEmpty())
        values.append(pinned);
    QList<qint64> ids;
    const QList<QVariantMap> rows = m_db.select(QStringLiteral("SELECT id FROM ") % m_table
                                                    % QStringLiteral(" WHERE company_id = ?") % where
                                                    % QStringLiteral(" ORDER BY sort, id"),
                                                values);
    for (const QVariantMap& row : rows)
        ids.append(row.value(QStringLiteral("id")).toLongLong());
    return ids;
}

QString SortableList::sortBefore(const QString& where) const
{
    // Read and written in one statement, so two rows moved at once do not share a place.
    return QStringLiteral("(SELECT COALESCE(MIN(sort), 0) - 1 FROM ") % m_table % QStringLiteral(" WHERE ") % where
           % QStringLiteral(")");
}
