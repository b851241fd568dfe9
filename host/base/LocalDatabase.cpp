#include "LocalDatabase.h"

#include "DataCenter.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUrl>

namespace {

const QLatin1String kMarker("kqx1:");

QByteArray xorWithKey(QByteArray bytes)
{
    QByteArray key = DataCenter::KQFUCNTIONPASSWORD.toUtf8();
    if (key.isEmpty())
        key = QByteArrayLiteral("kq");
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(bytes.at(i) ^ key.at(i % key.size()));
    return bytes;
}

bool isPlainIdentifier(const QString& name)
{
    if (name.isEmpty())
        return false;
    for (const QChar c : name) {
        if (!(c.isLetterOrNumber() || c == QLatin1Char('_')) || c.unicode() > 127)
            return false;
    }
    return true;
}

// The host writes through its own connection per phone.
bool hostConnection(const QString& phone, QSqlDatabase* db)
{
    return LocalDatabase::open(QStringLiteral("kq_host_") + phone, phone, db);
}

} // namespace

QString LocalDatabase::databasePath(const QString& phone)
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString name = QString::fromLatin1(QUrl::toPercentEncoding(phone.isEmpty() ? QStringLiteral("_") : phone));
    return base + QStringLiteral("/kq_suite/users/") + name + QStringLiteral(".sqlite");
}

bool LocalDatabase::open(const QString& connectionName, const QString& phone, QSqlDatabase* db)
{
    const QString path = databasePath(phone);
    if (QSqlDatabase::contains(connectionName)) {
        *db = QSqlDatabase::database(connectionName, false);
        if (db->databaseName() != path) {
            db->close();
            db->setDatabaseName(path);
        }
    } else {
        *db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        db->setDatabaseName(path);
    }
    if (db->isOpen())
        return true;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return db->open();
}

bool LocalDatabase::createUserTable(QSqlDatabase& db, const QString& table)
{
    if (!isPlainIdentifier(table))
        return false;
    if (db.tables().contains(table))
        return true;
    QSqlQuery query(db);
    return query.exec(QStringLiteral("create table %1(phone varchar unique,init varchar,userauth varchar,bumens varchar)").arg(table));
}

QStringList LocalDatabase::baseMessageTextColumns()
{
    return {QStringLiteral("zhuangxiu"), QStringLiteral("fangchan"), QStringLiteral("housetype"), QStringLiteral("tag"),
            QStringLiteral("area"), QStringLiteral("job"), QStringLiteral("property1"), QStringLiteral("property2"),
            QStringLiteral("traffic"), QStringLiteral("renttag"), QStringLiteral("saletag"), QStringLiteral("payway"),
            QStringLiteral("storelist"), QStringLiteral("stafflist"), QStringLiteral("applist"), QStringLiteral("cloudarea"),
            QStringLiteral("leftapp"), QStringLiteral("clouditem"), QStringLiteral("hutype"),
            QStringLiteral("salecontractshowsort"), QStringLiteral("rentcontractshowsort"), QStringLiteral("customersaleset"),
            QStringLiteral("customerrentset"), QStringLiteral("customerbaseset"), QStringLiteral("elecontractset"),
            QStringLiteral("salecontractset"), QStringLiteral("rentcontractset"), QStringLiteral("customernewhouseset"),
            QStringLiteral("callbabybaseset"), QStringLiteral("contrct_step"), QStringLiteral("watchcommunitys"),
            QStringLiteral("oaauth"), QStringLiteral("housesource")};
}

bool LocalDatabase::createBaseMessageTable(QSqlDatabase& db, const QString& table)
{
    if (!isPlainIdentifier(table))
        return false;
    if (db.tables().contains(table))
        return true;
    QStringList columns{QStringLiteral("id int unique")};
    const QStringList text = baseMessageTextColumns();
    for (const QString& c : text) {
        if (c == QLatin1String("cloudarea"))
            columns.append(QStringLiteral("cloudrefreshtime int"));
        columns.append(c + QStringLiteral(" text"));
    }
    QSqlQuery query(db);
    return query.exec(QStringLiteral("create table %1(%2)").arg(table, columns.join(QLatin1Char(','))));
}

bool LocalDatabase::writeUser(const QString& phone, const QString& initJson, const QString& userauthJson,
                              const QString& bumensJson, const QString& table)
{
    QSqlDatabase db;
    if (!hostConnection(phone, &db) || !createUserTable(db, table))
        return false;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("insert or replace into %1 values(?,?,?,?)").arg(table));
    query.addBindValue(phone);
    query.addBindValue(initJson);
    query.addBindValue(userauthJson);
    query.addBindValue(bumensJson);
    return query.exec();
}

bool LocalDatabase::updateUserColumn(const QString& phone, const QString& column, const QString& value,
                                     const QString& table)
{
    static const QStringList allowed{QStringLiteral("init"), QStringLiteral("userauth"), QStringLiteral("bumens")};
    if (!allowed.contains(column))
        return false;
    QSqlDatabase db;
    if (!hostConnection(phone, &db) || !createUserTable(db, table))
        return false;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("update %1 set %2=? where phone=?").arg(table, column));
    query.addBindValue(value);
    query.addBindValue(phone);
    return query.exec();
}

bool LocalDatabase::writeBaseMessage(const QString& phone, const QVariantMap& columns, const QString& table)
{
    QSqlDatabase db;
    if (!hostConnection(phone, &db) || !createBaseMessageTable(db, table))
        return false;
    QSqlQuery insert(db);
    if (!insert.exec(QStringLiteral("insert or ignore into %1(id) values(1)").arg(table)))
        return false;
    const QStringList text = baseMessageTextColumns();
    for (auto it = columns.constBegin(); it != columns.constEnd(); ++it) {
        const bool isText = text.contains(it.key());
        if (!isText && it.key() != QLatin1String("cloudrefreshtime"))
            continue; // unknown column: never pasted into the SQL
        QSqlQuery query(db);
        query.prepare(QStringLiteral("update %1 set %2=? where id=1").arg(table, it.key()));
        query.addBindValue(isText ? QVariant(scramble(it.value().toString())) : QVariant(it.value().toInt()));
        if (!query.exec())
            return false;
    }
    return true;
}

QString LocalDatabase::scramble(const QString& text)
{
    return kMarker + QString::fromLatin1(xorWithKey(text.toUtf8()).toBase64());
}

QString LocalDatabase::unscramble(const QString& text)
{
    if (!text.startsWith(kMarker))
        return text;
    const QByteArray raw = QByteArray::fromBase64(text.mid(kMarker.size()).toLatin1());
    return QString::fromUtf8(xorWithKey(raw));
}
