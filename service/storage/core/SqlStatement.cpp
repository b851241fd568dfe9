#include "storage/core/SqlStatement.h"

#include <sqlite3.h>

SqlStatement::SqlStatement(sqlite3* db, const QString& sql)
    : m_db(db)
{
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), text.size(), &m_stmt, nullptr) != SQLITE_OK) {
        m_error = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

SqlStatement::SqlStatement(sqlite3* db, sqlite3_stmt* prepared)
    : m_db(db)
    , m_stmt(prepared)
    , m_borrowed(true)
{
}

SqlStatement::~SqlStatement()
{
    if (!m_borrowed) {
        sqlite3_finalize(m_stmt);
        return;
    }
    // Ready for its next use, and no read left open by rows that were not all stepped through.
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

bool SqlStatement::bindAll(const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i) {
        if (!bind(i + 1, values.at(i)))
            return false;
    }
    return true;
}

bool SqlStatement::bind(int index, const QVariant& value)
{
    if (!m_stmt)
        return false;
    int rc = SQLITE_OK;
    // Only an invalid QVariant is NULL: a null QString is still a (blank) text.
    if (!value.isValid()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (static_cast<int>(value.type())) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
            break;
        case QMetaType::Double:
            rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray blob = value.toByteArray();
            rc = sqlite3_bind_blob64(m_stmt, index, blob.constData(), static_cast<sqlite3_uint64>(blob.size()),
                                     SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text64(m_stmt, index, text.constData(), static_cast<sqlite3_uint64>(text.size()),
                                     SQLITE_TRANSIENT, SQLITE_UTF8);
            break;
        }
        }
    }
    if (rc != SQLITE_OK) {
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
        return false;
    }
    return true;
}

bool SqlStatement::next()
{
    if (!m_stmt)
        return false;
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
    return false;
}

bool SqlStatement::exec()
{
    if (!m_stmt)
        return false;
    while (next()) {
    }
    return !failed();
}

int SqlStatement::columnCount() const
{
    return m_stmt ? sqlite3_column_count(m_stmt) : 0;
}

QString SqlStatement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

QVariant SqlStatement::value(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column)),
                                          sqlite3_column_bytes(m_stmt, column)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(m_stmt, column)),
                                   sqlite3_column_bytes(m_stmt, column)));
    default:
        return QVariant();
    }
}

QVariantMap SqlStatement::row() const
{
    // Every row has the same names; they are read once.
    if (m_names.isEmpty()) {
        const int count = columnCount();
        for (int i = 0; i < count; ++i)
            m_names.append(columnName(i));
    }
    QVariantMap result;
    for (int i = 0; i < m_names.size(); ++i)
        result.insert(m_names.at(i), value(i));
    return result;
}
