#include "storage/settings/StyleData.h"

#include "storage/core/ServiceDatabase.h"

#include <QStringList>
#include <QVariantList>

namespace {

const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS site_settings(company_id TEXT NOT NULL REFERENCES companies(id), key TEXT NOT NULL,"
    " value TEXT NOT NULL, PRIMARY KEY(company_id, key))",
    // content: the JSON array text of the icons, as the style page sent it.
    "CREATE TABLE IF NOT EXISTS site_top_icons(company_id TEXT PRIMARY KEY REFERENCES companies(id),"
    " content TEXT NOT NULL)",
    // The last custom app id handed out, so a deleted app's id is never given to a new one.
    "CREATE TABLE IF NOT EXISTS custom_app_ids(company_id TEXT PRIMARY KEY REFERENCES companies(id),"
    " last_id INTEGER NOT NULL)",
};

// Custom apps count up from here, clear of the system apps' item ids.
const qint64 kFirstCustomId = 1001;

const QString kAppColumns = QStringLiteral("itemid, type, title, photo, sort, content");

StyleData::App appOf(const QVariantMap& row)
{
    StyleData::App app;
    app.id = row.value(QStringLiteral("itemid")).toLongLong();
    app.type = row.value(QStringLiteral("type")).toInt();
    app.title = row.value(QStringLiteral("title")).toString();
    app.url = row.value(QStringLiteral("photo")).toString();
    app.sort = row.value(QStringLiteral("sort")).toLongLong();
    app.content = row.value(QStringLiteral("content")).toString();
    return app;
}

StyleData::Change changed(ServiceDatabase& db, bool executed)
{
    if (!executed)
        return StyleData::Change::Failed;
    return db.changes() > 0 ? StyleData::Change::Done : StyleData::Change::NotFound;
}

} // namespace

bool StyleData::createSchema(ServiceDatabase& db)
{
    return db.executeAll(kSchema);
}

QList<StyleData::App> StyleData::apps(ServiceDatabase& db, const QString& companyId)
{
    const QList<QVariantMap> rows = db.select(QStringLiteral("SELECT ") % kAppColumns
                                                  % QStringLiteral(" FROM tiles WHERE company_id = ? AND itemid > 0"
                                                                   " ORDER BY sort, id"),
                                              {companyId});
    QList<App> list;
    for (const QVariantMap& row : rows)
        list.append(appOf(row));
    return list;
}

StyleData::App StyleData::app(ServiceDatabase& db, const QString& companyId, qint64 id)
{
    if (id <= 0)
        return App();
    return appOf(db.selectOne(QStringLiteral("SELECT ") % kAppColumns
                                  % QStringLiteral(" FROM tiles WHERE company_id = ? AND itemid = ?"),
                              {companyId, id}));
}

int StyleData::customAppCount(ServiceDatabase& db, const QString& companyId)
{
    return db.selectOne(QStringLiteral("SELECT COUNT(*) AS count FROM tiles WHERE company_id = ? AND type = ?"),
                        {companyId, kCustomApp})
        .value(QStringLiteral("count"))
        .toInt();
}

StyleData::App StyleData::addCustomApp(ServiceDatabase& db, const QString& companyId, const App& app)
{
    const QVariantMap last = db.selectOne(
        QStringLiteral("SELECT COALESCE((SELECT last_id FROM custom_app_ids WHERE company_id = ?1), 0) AS last_id,"
                       " COALESCE((SELECT MAX(itemid) FROM tiles WHERE company_id = ?1), 0) AS top_item,"
                       " COALESCE((SELECT MAX(sort) FROM tiles WHERE company_id = ?1), 0) AS sort"),
        {companyId});
    if (!db.lastError().isEmpty())
        return App();
    App added = app;
    added.id = qMax(qMax(last.value(QStringLiteral("last_id")).toLongLong(),
                         last.value(QStringLiteral("top_item")).toLongLong())
                        + 1,
                    kFirstCustomId);
    added.type = kCustomApp;
    added.sort = last.value(QStringLiteral("sort")).toLongLong() + 1;
    // The id is taken first: a failed insert then skips it rather than hands it out twice.
    if (!db.execute(QStringLiteral("INSERT INTO custom_app_ids(company_id, last_id) VALUES(?, ?)"
                                   " ON CONFLICT(company_id) DO UPDATE SET last_id = excluded.last_id"),
                    {companyId, added.id})
        || !db.execute(QStringLiteral("INSERT INTO tiles(company_id, itemid, type, title, sort, show, photo, content)"
                                      " VALUES(?, ?, ?, ?, ?, 1, ?, ?)"),
                       {companyId, added.id, kCustomApp, added.title, added.sort, added.url, added.content}))
        return App();
    return added;
}

StyleData::Change StyleData::updateCustomApp(ServiceDatabase& db, const QString& companyId, const App& app)
{
    const bool executed = db.execute(QStringLiteral("UPDATE tiles SET title = ?, photo = ?, content = ?"
                                                    " WHERE company_id = ? AND itemid = ? AND type = ?"),
                                     {app.title, app.url, app.content, companyId, app.id, kCustomApp});
    return changed(db, executed);
}

StyleData::Change StyleData::updateSystemApp(ServiceDatabase& db, const QString& companyId, const App& app)
{
    const bool executed = db.execute(QStringLiteral("UPDATE tiles SET title = ?, photo = ?"
                                                    " WHERE company_id = ? AND itemid = ? AND itemid > 0 AND type = ?"),
                                     {app.title, app.url, companyId, app.id, kSystemApp});
    return changed(db, executed);
}

StyleData::Change StyleData::removeCustomApp(ServiceDatabase& db, const QString& companyId, qint64 id)
{
    const bool executed = db.execute(QStringLiteral("DELETE FROM tiles WHERE company_id = ? AND itemid = ? AND type = ?"),
                                     {companyId, id, kCustomApp});
    return changed(db, executed);
}

QVariantMap StyleData::settings(ServiceDatabase& db, const QString& companyId)
{
    QVariantMap values;
    const QList<QVariantMap> rows =
        db.select(QStringLiteral("SELECT key, value FROM site_settings WHERE company_id = ?"), {companyId});
    for (const QVariantMap& row : rows)
        values.insert(row.value(QStringLiteral("key")).toString(), row.value(QStringLiteral("value")).toString());
    return values;
}

bool StyleData::saveSettings(ServiceDatabase& db, const QString& companyId, const QVariantMap& values)
{
    if (values.isEmpty())
        return true;
    // One statement, so the keys are stored all or none even inside a caller's transaction.
    QStringList rows;
    QVariantList bound;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        rows.append(QStringLiteral("(?, ?, ?)"));
        bound << companyId << it.key() << it.value().toString();
    }
    return db.execute(QStringLiteral("INSERT INTO site_settings(company_id, key, value) VALUES ")
                          + rows.join(QStringLiteral(", "))
                          + QStringLiteral(" ON CONFLICT(company_id, key) DO UPDATE SET value = excluded.value"),
                      bound);
}

QString StyleData::topIcons(ServiceDatabase& db, const QString& companyId)
{
    return db.selectOne(QStringLiteral("SELECT content FROM site_top_icons WHERE company_id = ?"), {companyId})
        .value(QStringLiteral("content"))
        .toString();
}

bool StyleData::saveTopIcons(ServiceDatabase& db, const QString& companyId, const QString& json)
{
    return db.execute(QStringLiteral("INSERT INTO site_top_icons(company_id, content) VALUES(?, ?)"
                                     " ON CONFLICT(company_id) DO UPDATE SET content = excluded.content"),
                      {companyId, json});
}
