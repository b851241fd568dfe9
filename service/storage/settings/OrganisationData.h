#ifndef ORGANISATIONDATA_H
#define ORGANISATIONDATA_H

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class ServiceDatabase;

// The organisation the person and department choosers browse: the departments of one or more
// companies (a tree through parent_id, 0 for a top department) and their staff. A company sees its
// own; a joint sale (a group of agencies selling together) is seen by its members as their
// organisations side by side.
class OrganisationData
{
public:
    struct Department
    {
        qint64 id = 0;
        qint64 parentId = 0;
        QString name;
    };
    struct Person
    {
        qint64 id = 0;
        qint64 deptId = 0;
        QString name;
        QString phone;
    };

    static bool createSchema(ServiceDatabase& db);

    // The joint sale the company takes part in: its id, or an empty string (name in *name).
    static QString jointSaleOf(ServiceDatabase& db, const QString& companyId, QString* name);
    static QStringList jointSaleMembers(ServiceDatabase& db, const QString& jointSaleId);

    // Reads the companies' departments and staff; ok() is false when the store could not be read.
    static OrganisationData load(ServiceDatabase& db, const QStringList& companyIds);

    bool ok() const { return m_ok; }
    bool contains(qint64 deptId) const { return m_departments.contains(deptId); }
    Department department(qint64 deptId) const { return m_departments.value(deptId); }
    // Direct sub-departments of a department (0: the top ones), in the company's order.
    QList<Department> children(qint64 deptId) const;
    // Every department below the given ones, each once, level by level; the given ones left out.
    QList<Department> descendants(const QList<qint64>& deptIds) const;
    // The department and every one below it.
    QList<qint64> subtree(qint64 deptId) const;
    // Names from the top down to the department's parent, or to the department itself.
    QStringList path(qint64 deptId, bool withItself) const;
    // Staff whose department is one of these, in the company's order.
    QList<Person> staffIn(const QList<qint64>& deptIds) const;
    // Departments whose name, and staff whose name or phone, contain the text (case-insensitive),
    // within the subtree of deptId (0: everywhere).
    QList<Department> findDepartments(const QString& text, qint64 deptId) const;
    QList<Person> findStaff(const QString& text, qint64 deptId) const;

private:
    QList<qint64> scope(qint64 deptId) const;

    bool m_ok = false;
    QHash<qint64, Department> m_departments;
    // Department ids in the companies' order (sort, id), so every list keeps it.
    QList<qint64> m_order;
    QList<Person> m_staff;
};

#endif // ORGANISATIONDATA_H
