#include "storage/core/PostgresBackend.h"

#include "storage/core/PostgresDialect.h"

#include <QRegularExpression>

#include <libpq-fe.h>

#include <memory>
#include <vector>

namespace {

// Any number, the same in every instance: the lock that makes write transactions take turns.
const char* const kWriteLock = "SELECT pg_advisory_xact_lock(2071605)";

// Type ids of PostgreSQL's built-in types (pg_type.h).
enum : Oid {
    kBool = 16,
    kBytea = 17,
    kInt8 = 20,
    kInt2 = 21,
    kInt4 = 23,
    kText = 25,
    kOid = 26,
    kFloat4 = 700,
    kFloat8 = 701,
    kNumeric = 1700,
};

struct ResultFree
{
    void operator()(PGresult* result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ResultFree>;

void ignoreNotice(void*, const char*) {}

QVariant valueOf(const PGresult* result, int row, int column)
{
    if (PQgetisnull(result, row, column))
        return QVariant();
    const char* text = PQgetvalue(result, row, column);
    const int length = PQgetlength(result, row, column);
    switch (PQftype(result, column)) {
    case kBool:
        return QVariant(static_cast<qlonglong>(text[0] == 't' ? 1 : 0));
    case kInt2:
    case kInt4:
    case kInt8:
    case kOid:
        return QVariant(QByteArray::fromRawData(text, length).toLongLong());
    case kFloat4:
    case kFloat8:
        return QVariant(QByteArray::fromRawData(text, length).toDouble());
    case kNumeric: {
        // Sums of integers come back as numeric; keep them whole as SQLite does.
        const QByteArray number = QByteArray::fromRawData(text, length);
        bool whole = false;
        const qlonglong integer = number.toLongLong(&whole);
        return whole ? QVariant(integer) : QVariant(number.toDouble());
    }
    case kBytea: {
        size_t size = 0;
        unsigned char* bytes = PQunescapeBytea(reinterpret_cast<const unsigned char*>(text), &size);
        const QByteArray data(reinterpret_cast<const char*>(bytes), static_cast<int>(size));
        PQfreemem(bytes);
        return QVariant(data);
    }
    default:
        return QVariant(QString::fromUtf8(text, length));
    }
}

QByteArray parameterText(const QVariant& value)
{
    switch (static_cast<QMetaType::Type>(value.type())) {
    case QMetaType::Bool:
        return value.toBool() ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
    case QMetaType::Double:
    case QMetaType::Float:
        return QByteArray::number(value.toDouble(), 'g', 17);
    case QMetaType::QByteArray:
        return value.toByteArray();
    default:
        return value.toString().toUtf8();
    }
}

Oid parameterType(const QVariant& value)
{
    switch (static_cast<QMetaType::Type>(value.type())) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return kInt8;
    case QMetaType::Double:
    case QMetaType::Float:
        return kFloat8;
    default:
        return kText;
    }
}

// The table an INSERT writes to, or an empty text.
QString insertTarget(const QString& sql)
{
    static const QRegularExpression insert(QStringLiteral("^\\s*INSERT\\s+INTO\\s+(\\w+)"));
    const QRegularExpressionMatch match = insert.match(sql);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace

PostgresBackend::~PostgresBackend()
{
    PQfinish(m_conn);
}

bool PostgresBackend::isLocator(const QString& locator)
{
    return locator.startsWith(QLatin1String("postgresql://")) || locator.startsWith(QLatin1String("postgres://"));
}

bool PostgresBackend::open(const QString& locator, QString* error)
{
    m_conn = PQconnectdb(locator.toUtf8().constData());
    m_unreachable = !m_conn || PQstatus(m_conn) != CONNECTION_OK;
    if (m_unreachable) {
        *error = m_conn ? QString::fromUtf8(PQerrorMessage(m_conn)).trimmed() : QStringLiteral("out of memory");
        return false;
    }
    PQsetNoticeProcessor(m_conn, ignoreNotice, nullptr);
    if (PQsetClientEncoding(m_conn, "UTF8") != 0) {
        *error = QString::fromUtf8(PQerrorMessage(m_conn)).trimmed();
        return false;
    }
    readIdentityTables();
    return true;
}

QString PostgresBackend::translated(const QString& sql)
{
    // Read once the schema has changed, not after each of its statements.
    if (m_identityStale)
        readIdentityTables();
    auto found = m_translated.constFind(sql);
    if (found != m_translated.constEnd())
        return *found;
    QString text = PostgresDialect::translate(sql);
    const QString target = insertTarget(sql);
    // Hands the new row's id back the way SQLite's last_insert_rowid() would.
    if (!target.isEmpty() && m_identityTables.contains(target) && !sql.contains(QLatin1String("RETURNING")))
        text += QLatin1String(" RETURNING id");
    // The statements of a running service are few; the cache stays small.
    if (m_translated.size() < 4096)
        m_translated.insert(sql, text);
    return text;
}

PGresult* PostgresBackend::execute(const QString& sql, const QVariantList& values, bool typed)
{
    std::vector<QByteArray> texts;
    std::vector<const char*> pointers;
    std::vector<Oid> types;
    texts.reserve(static_cast<size_t>(values.size()));
    for (const QVariant& value : values) {
        // Only an invalid QVariant is NULL: a null QString is still a (blank) text.
        const bool null = !value.isValid();
        texts.push_back(null ? QByteArray() : parameterText(value));
        pointers.push_back(null ? nullptr : texts.back().constData());
        types.push_back(typed ? parameterType(value) : 0);
    }
    const QByteArray statement = translated(sql).toUtf8();
    return PQexecParams(m_conn, statement.constData(), static_cast<int>(values.size()),
                        typed ? types.data() : nullptr, pointers.data(), nullptr, nullptr, 0);
}

bool PostgresBackend::run(const QString& sql, const QVariantList& values, QList<QVariantMap>* rows, int maxRows,
                          QString* error)
{
    if (PQstatus(m_conn) != CONNECTION_OK && PQtransactionStatus(m_conn) != PQTRANS_INTRANS)
        PQreset(m_conn);
    Result result(execute(sql, values, false));
    if (PQresultStatus(result.get()) == PGRES_FATAL_ERROR) {
        const char* state = PQresultErrorField(result.get(), PG_DIAG_SQLSTATE);
        if (state && qstrcmp(state, "42P18") == 0 && PQtransactionStatus(m_conn) == PQTRANS_IDLE) {
            // A mark whose type nothing around it tells: say it from the value. (Inside a
            // transaction the failure has ended it already.)
            result.reset(execute(sql, values, true));
        } else if (PQstatus(m_conn) != CONNECTION_OK && PQtransactionStatus(m_conn) == PQTRANS_UNKNOWN) {
            PQreset(m_conn);
            if (PQstatus(m_conn) == CONNECTION_OK)
                result.reset(execute(sql, values, false));
        }
    }
    const bool ok = readResult(result.get(), rows, maxRows, error);
    m_unreachable = !ok && unreachable(result.get());
    if (ok && (sql.startsWith(QLatin1String("CREATE TABLE")) || sql.startsWith(QLatin1String("ALTER"))))
        m_identityStale = true;
    return ok;
}

bool PostgresBackend::unreachable(const PGresult* result) const
{
    if (!result || PQstatus(m_conn) != CONNECTION_OK)
        return true;
    const char* state = PQresultErrorField(result, PG_DIAG_SQLSTATE);
    if (!state)
        return true;
    // Connection exceptions, insufficient resources, the server shutting down or refusing
    // connections for now, system errors.
    const QByteArray code(state);
    return code.startsWith("08") || code.startsWith("53") || code.startsWith("57P") || code.startsWith("58");
}

bool PostgresBackend::readResult(PGresult* result, QList<QVariantMap>* rows, int maxRows, QString* error)
{
    const ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        *error = result ? QString::fromUtf8(PQresultErrorMessage(result)).trimmed()
                        : QString::fromUtf8(PQerrorMessage(m_conn)).trimmed();
        if (error->isEmpty())
            *error = QStringLiteral("PostgreSQL: %1").arg(QString::fromUtf8(PQresStatus(status)));
        return false;
    }
    error->clear();
    const QByteArray command = QByteArray(PQcmdStatus(result));
    const bool changing = command.startsWith("INSERT") || command.startsWith("UPDATE")
        || command.startsWith("DELETE");
    if (changing)
        m_changes = QByteArray(PQcmdTuples(result)).toInt();
    const int count = PQntuples(result);
    if (command.startsWith("INSERT")) {
        // The id our RETURNING asked for, of the last row added.
        if (count > 0 && PQnfields(result) == 1)
            m_lastInsertId = QByteArray(PQgetvalue(result, count - 1, 0)).toLongLong();
        return true;
    }
    if (!rows)
        return true;
    const int columns = PQnfields(result);
    QStringList names;
    for (int c = 0; c < columns; ++c)
        names.append(QString::fromUtf8(PQfname(result, c)));
    for (int r = 0; r < count && (maxRows < 0 || rows->size() < maxRows); ++r) {
        QVariantMap row;
        for (int c = 0; c < columns; ++c)
            row.insert(names.at(c), valueOf(result, r, c));
        rows->append(row);
    }
    return true;
}

QStringList PostgresBackend::beginWrite() const
{
    return {QStringLiteral("BEGIN"), QString::fromUtf8(kWriteLock)};
}

QStringList PostgresBackend::tableNames()
{
    return names(QStringLiteral("SELECT c.relname AS name FROM pg_class c JOIN pg_namespace n"
                                " ON n.oid = c.relnamespace WHERE c.relkind = 'r' AND n.nspname = current_schema()"
                                " ORDER BY c.oid"));
}

QStringList PostgresBackend::columnNames(const QString& table)
{
    return names(QStringLiteral("SELECT column_name AS name FROM information_schema.columns"
                                " WHERE table_schema = current_schema() AND table_name = ? ORDER BY ordinal_position"),
                 {table});
}

void PostgresBackend::readIdentityTables()
{
    // A failed transaction answers nothing until it ends; ask again after it.
    if (PQtransactionStatus(m_conn) == PQTRANS_INERROR)
        return;
    m_identityStale = false;
    const QStringList list =
        names(QStringLiteral("SELECT table_name AS name FROM information_schema.columns"
                             " WHERE table_schema = current_schema() AND column_name = 'id' AND is_identity = 'YES'"));
    const QSet<QString> tables(list.cbegin(), list.cend());
    if (tables != m_identityTables) {
        m_identityTables = tables;
        m_translated.clear();
    }
}

bool PostgresBackend::idsWritten(QString* error)
{
    if (m_identityStale)
        readIdentityTables();
    for (const QString& table : qAsConst(m_identityTables)) {
        const QString name = quotedName(table);
        if (!run(QStringLiteral("SELECT setval(pg_get_serial_sequence(?, 'id'), COALESCE((SELECT MAX(id) FROM ")
                     + name + QStringLiteral("), 0) + 1, false)"),
                 {name}, nullptr, 0, error))
            return false;
    }
    return true;
}

bool PostgresBackend::neverReuseIds(QString* error)
{
    // Identity columns draw from sequences, which never hand out a number twice.
    error->clear();
    return true;
}

bool PostgresBackend::setReferenceChecks(bool, QString* error)
{
    // Nothing here rebuilds tables, so references stay checked.
    error->clear();
    return true;
}
