#ifndef BASESQLOBJECT_H
#define BASESQLOBJECT_H

#include <QObject>
#include <QSqlDatabase>

// Shared base of the local-store tables: opens the current user's database and names the table.
class BaseSqlObject : public QObject
{
    Q_OBJECT
public:
    BaseSqlObject(QObject* parent, const QString& baseName, bool jointSale);

    QString tableName() const { return m_tableName; }
    bool isOpen() const { return m_db.isOpen(); }

protected:
    QSqlDatabase& database() { return m_db; }

private:
    QString m_tableName;
    QSqlDatabase m_db;
};

#endif // BASESQLOBJECT_H
