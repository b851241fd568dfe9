#ifndef BOOKDATA_H
#define BOOKDATA_H

#include <QString>
#include <QVariantMap>

class ServiceDatabase;

// The tables of the agency's house book and customer book, where copied submissions and demands
// are kept; the house book also holds the records behind the demo houses on the site.
class BookData
{
public:
    enum class Book { Houses, Customers };

    static bool createSchema(ServiceDatabase& db);
    static QString table(Book book);
    // Adds an entry of the kind to the company's book, kept by the user; `columns` maps the
    // book's other columns (names from this code, never from a request) to their values. The new
    // entry's id, or 0 on failure (kept in the database's lastError()).
    static qint64 add(ServiceDatabase& db, Book book, const QString& companyId, qint64 userId, qint64 kind,
                      qint64 createdAt, const QVariantMap& columns);

private:
    BookData() = delete;
};

#endif // BOOKDATA_H
