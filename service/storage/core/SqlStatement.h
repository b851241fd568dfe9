#ifndef SQLSTATEMENT_H
#define SQLSTATEMENT_H

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

struct sqlite3;
struct sqlite3_stmt;

// One prepared SQLite statement. Values are always bound, never pasted into the text.
class SqlStatement
{
public:
    SqlStatement(sqlite3* db, const QString& sql);
    // Uses a statement prepared and kept by the caller; it is reset, not finalized, at the end.
    SqlStatement(sqlite3* db, sqlite3_stmt* prepared);
    ~SqlStatement();
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    bool isValid() const { return m_stmt != nullptr; }
    QString errorString() const { return m_error; }

    // Binds positional parameters 1..n. An invalid QVariant binds NULL; bools and integers bind as
    // integers, doubles as reals, byte arrays as blobs, everything else as UTF-8 text.
    bool bindAll(const QVariantList& values);
    bool bind(int index, const QVariant& value);

    // Steps once; true while a row is available. A failure ends the loop and sets errorString().
    bool next();
    // Runs to completion; false on failure.
    bool exec();
    bool failed() const { return !m_error.isEmpty(); }

    int columnCount() const;
    QString columnName(int column) const;
    QVariant value(int column) const;
    // The current row, keyed by column name.
    QVariantMap row() const;

private:
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
    bool m_borrowed = false;
    QString m_error;
    mutable QStringList m_names;
};

#endif // SQLSTATEMENT_H
