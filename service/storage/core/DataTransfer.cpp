#include "storage/core/DataTransfer.h"

#include "storage/core/SchemaMigrations.h"
#include "storage/core/ServiceDatabase.h"
#include "storage/core/SqlBackend.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>

#include <cmath>

namespace {

const QString kFormat = QStringLiteral("kq_service data");
const QString kVersionTable = QStringLiteral("schema_version");

QJsonValue jsonOf(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QJsonValue::Null;
    switch (static_cast<QMetaType::Type>(value.type())) {
    case QMetaType::LongLong:
    case QMetaType::Int:
        return QJsonValue(value.toLongLong());
    case QMetaType::Double:
        return QJsonValue(value.toDouble());
    default:
        return QJsonValue(value.toString());
    }
}

QVariant valueOf(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Double: {
        const double number = value.toDouble();
        double whole = 0;
        if (std::modf(number, &whole) == 0.0 && std::fabs(number) < 9007199254740992.0)
            return QVariant(static_cast<qlonglong>(whole));
        return QVariant(number);
    }
    case QJsonValue::String:
        return QVariant(value.toString());
    case QJsonValue::Bool:
        return QVariant(static_cast<qlonglong>(value.toBool() ? 1 : 0));
    default:
        return QVariant();
    }
}

bool isEmpty(ServiceDatabase& db, const QStringList& tables, QString* error)
{
    for (const QString& table : tables) {
        if (table == kVersionTable)
            continue;
        const QVariantMap row =
            db.selectOne(QStringLiteral("SELECT COUNT(*) AS n FROM ") + SqlBackend::quotedName(table));
        if (!db.lastError().isEmpty()) {
            *error = db.lastError();
            return false;
        }
        if (row.value(QStringLiteral("n")).toLongLong() > 0) {
            *error = QStringLiteral("the database already holds data (table %1); import into a new one").arg(table);
            return false;
        }
    }
    return true;
}

// Names come from the database's own catalog, never from the file, before they are pasted.
bool importTable(ServiceDatabase& db, const QJsonObject& entry, const QStringList& tables, QString* error)
{
    const QString table = entry.value(QStringLiteral("name")).toString();
    if (!tables.contains(table) || table == kVersionTable) {
        *error = QStringLiteral("unknown table \"%1\"").arg(table);
        return false;
    }
    const QStringList known = db.columnNames(table);
    QStringList columns;
    QStringList marks;
    for (const QJsonValue& column : entry.value(QStringLiteral("columns")).toArray()) {
        if (!known.contains(column.toString()) || columns.contains(column.toString())) {
            *error = QStringLiteral("unknown column \"%1\" of table %2").arg(column.toString(), table);
            return false;
        }
        columns.append(SqlBackend::quotedName(column.toString()));
        marks.append(QStringLiteral("?"));
    }
    if (columns.isEmpty())
        return true;
    const QString insert = QStringLiteral("INSERT INTO %1(%2) VALUES(%3)")
                               .arg(SqlBackend::quotedName(table), columns.join(QStringLiteral(", ")),
                                    marks.join(QStringLiteral(", ")));
    for (const QJsonValue& rowValue : entry.value(QStringLiteral("rows")).toArray()) {
        const QJsonArray row = rowValue.toArray();
        if (row.size() != columns.size()) {
            *error = QStringLiteral("a row of table %1 has %2 values for %3 columns")
                         .arg(table)
                         .arg(row.size())
                         .arg(columns.size());
            return false;
        }
        QVariantList values;
        values.reserve(row.size());
        for (const QJsonValue& value : row)
            values.append(valueOf(value));
        if (!db.execute(insert, values)) {
            *error = QStringLiteral("table %1: %2").arg(table, db.lastError());
            return false;
        }
    }
    return true;
}

} // namespace

bool DataTransfer::exportTo(ServiceDatabase& db, const QString& file, QString* error)
{
    QJsonArray tables;
    for (const QString& table : db.tableNames()) {
        if (table == kVersionTable)
            continue;
        const QStringList columns = db.columnNames(table);
        QJsonArray rows;
        const QList<QVariantMap> stored = db.select(QStringLiteral("SELECT * FROM ") + SqlBackend::quotedName(table));
        for (const QVariantMap& row : stored) {
            QJsonArray values;
            for (const QString& column : columns)
                values.append(jsonOf(row.value(column)));
            rows.append(values);
        }
        if (!db.lastError().isEmpty()) {
            *error = QStringLiteral("table %1: %2").arg(table, db.lastError());
            return false;
        }
        tables.append(QJsonObject{{QStringLiteral("name"), table},
                                  {QStringLiteral("columns"), QJsonArray::fromStringList(columns)},
                                  {QStringLiteral("rows"), rows}});
    }
    const QJsonObject document{{QStringLiteral("format"), kFormat},
                               {QStringLiteral("schema"), SchemaMigrations::currentVersion(db)},
                               {QStringLiteral("tables"), tables}};
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(QJsonDocument(document).toJson(QJsonDocument::Compact)) < 0
        || !out.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(file, out.errorString());
        return false;
    }
    return true;
}

bool DataTransfer::importFrom(ServiceDatabase& db, const QString& file, QString* error)
{
    error->clear();
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(file, in.errorString());
        return false;
    }
    QJsonParseError parseError;
    const QJsonObject document = QJsonDocument::fromJson(in.readAll(), &parseError).object();
    if (parseError.error != QJsonParseError::NoError || document.value(QStringLiteral("format")).toString() != kFormat) {
        *error = QStringLiteral("%1 is not a data file of kq_service --export").arg(file);
        return false;
    }
    const int schema = document.value(QStringLiteral("schema")).toInt();
    if (schema > SchemaMigrations::currentVersion(db)) {
        *error = QStringLiteral("%1 comes from a newer schema (%2); update this service first").arg(file).arg(schema);
        return false;
    }
    const QStringList tables = db.tableNames();
    bool ok = db.transaction([&] {
        if (!isEmpty(db, tables, error))
            return false;
        for (const QJsonValue& entry : document.value(QStringLiteral("tables")).toArray()) {
            if (!importTable(db, entry.toObject(), tables, error))
                return false;
        }
        if (!db.idsWritten()) {
            *error = db.lastError();
            return false;
        }
        return true;
    });
    if (!ok && error->isEmpty())
        *error = db.lastError();
    return ok;
}
