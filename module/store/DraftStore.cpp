#include "store/DraftStore.h"

#include "DataCenter.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QSqlQuery>
#include <QVariant>

namespace {

QString checksumOf(const QByteArray& payload)
{
    return QString::fromLatin1(QCryptographicHash::hash(payload, QCryptographicHash::Sha256).toHex());
}

} // namespace

DraftStore::DraftStore(QObject* parent)
    : BaseSqlObject(parent, QStringLiteral("editor_drafts"), false)
{
}

QString DraftStore::currentUser()
{
    return DataCenter::CompanyID + QLatin1Char('/') + DataCenter::UserPhoneNumber;
}

bool DraftStore::ensureTable()
{
    if (m_tableReady)
        return true;
    if (!isOpen())
        return false;
    QSqlQuery query(database());
    m_tableReady = query.exec(QStringLiteral("create table if not exists %1(user varchar not null, editor varchar not null, "
                                             "record varchar not null, payload blob not null, checksum varchar not null, "
                                             "saved_at integer not null, primary key(user, editor, record))")
                                  .arg(tableName()));
    return m_tableReady;
}

bool DraftStore::write(const QString& editor, const QString& record, const QJsonObject& fields, const QDateTime& savedAt)
{
    if (!ensureTable())
        return false;
    const QByteArray payload = QJsonDocument(fields).toJson(QJsonDocument::Compact);
    QSqlDatabase& db = database();
    // One transaction: a kill in the middle leaves the journal to undo it, never half a row.
    if (!db.transaction())
        return false;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("insert or replace into %1(user, editor, record, payload, checksum, saved_at) "
                                 "values(?, ?, ?, ?, ?, ?)")
                      .arg(tableName()));
    query.addBindValue(currentUser());
    query.addBindValue(editor);
    query.addBindValue(record);
    query.addBindValue(payload);
    query.addBindValue(checksumOf(payload));
    query.addBindValue(savedAt.toMSecsSinceEpoch());
    if (!query.exec()) {
        db.rollback();
        return false;
    }
    return db.commit();
}

DraftStore::Draft DraftStore::read(const QString& editor, const QString& record, const QDateTime& now)
{
    Draft draft;
    if (!ensureTable())
        return draft;
    dropExpired(now);
    QSqlQuery query(database());
    query.prepare(QStringLiteral("select payload, checksum, saved_at from %1 where user = ? and editor = ? and record = ?")
                      .arg(tableName()));
    query.addBindValue(currentUser());
    query.addBindValue(editor);
    query.addBindValue(record);
    if (!query.exec() || !query.next())
        return draft;
    const QByteArray payload = query.value(0).toByteArray();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(payload, &error);
    if (checksumOf(payload) != query.value(1).toString() || error.error != QJsonParseError::NoError
        || !document.isObject()) {
        // Never offer what cannot be trusted to be whole.
        query.finish();
        remove(editor, record);
        return draft;
    }
    draft.found = true;
    draft.fields = document.object();
    draft.savedAt = QDateTime::fromMSecsSinceEpoch(query.value(2).toLongLong(), Qt::UTC);
    return draft;
}

bool DraftStore::remove(const QString& editor, const QString& record)
{
    if (!ensureTable())
        return false;
    QSqlQuery query(database());
    query.prepare(QStringLiteral("delete from %1 where user = ? and editor = ? and record = ?").arg(tableName()));
    query.addBindValue(currentUser());
    query.addBindValue(editor);
    query.addBindValue(record);
    return query.exec();
}

void DraftStore::dropExpired(const QDateTime& now)
{
    QSqlQuery query(database());
    query.prepare(QStringLiteral("delete from %1 where saved_at < ?").arg(tableName()));
    query.addBindValue(now.addDays(-kKeepDays).toMSecsSinceEpoch());
    query.exec();
}
