#include "storage/settings/OrganisationData.h"

#include "storage/core/ServiceDatabase.h"

#include <QSet>
#include <QVariantList>

bool OrganisationData::createSchema(ServiceDatabase& db)
{
    return db.execute(QStringLiteral(
               "CREATE TABLE IF NOT EXISTS staff(id INTEGER PRIMARY KEY,"
               " company_id TEXT NOT NULL REFERENCES companies(id),"
               " dept_id INTEGER NOT NULL REFERENCES departments(id), name TEXT NOT NULL, phone TEXT NOT NULL,"
               " sort INTEGER NOT NULL DEFAULT 0)"))
        && db.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS joint_sales(id TEXT PRIMARY KEY, name TEXT NOT NULL)"))
        && db.execute(QStringLiteral(
            "CREATE TABLE IF NOT EXISTS joint_sale_members(joint_sale_id TEXT NOT NULL REFERENCES joint_sales(id),"
            " company_id TEXT NOT NULL REFERENCES companies(id), sort INTEGER NOT NULL DEFAULT 0,"
            " PRIMARY KEY(joint_sale_id, company_id))"));
}

QString OrganisationData::jointSaleOf(ServiceDatabase& db, const QString& companyId, QString* name)
{
    const QVariantMap row = db.selectOne(QStringLiteral("SELECT j.id, j.name FROM joint_sale_members m"
                                                        " JOIN joint_sales j ON j.id = m.joint_sale_id"
                                                        " WHERE m.company_id = ? ORDER BY j.id LIMIT 1"),
                                         {companyId});
    *name = row.value(QStringLiteral("name")).toString();
    return row.value(QStringLiteral("id")).toString();
}

QStringList OrganisationData::jointSaleMembers(ServiceDatabase& db, const QString& jointSaleId)
{
    QStringList members;
    const QList<QVariantMap> rows = db.select(
        QStringLiteral("SELECT company_id FROM joint_sale_members WHERE joint_sale_id = ? ORDER BY sort, company_id"),
        {jointSaleId});
    for (const QVariantMap& row : rows)
        members.append(row.value(QStringLiteral("company_id")).toString());
    return members;
}

OrganisationData OrganisationData::load(ServiceDatabase& db, const QStringList& companyIds)
{
    OrganisationData data;
    data.m_ok = true;
    for (const QString& companyId : companyIds) {
        const QList<QVariantMap> departments = db.select(
            QStringLiteral("SELECT id, parent_id, name FROM departments WHERE company_id = ? ORDER BY sort, id"),
            {companyId});
        data.m_ok = data.m_ok && db.lastError().isEmpty();
        for (const QVariantMap& row : departments) {
            Department department;
            department.id = row.value(QStringLiteral("id")).toLongLong();
            department.parentId = row.value(QStringLiteral("parent_id")).toLongLong();
            department.name = row.value(QStringLiteral("name")).toString();
            data.m_departments.insert(department.id, department);
            data.m_order.append(department.id);
        }
        const QList<QVariantMap> staff = db.select(
            QStringLiteral("SELECT id, dept_id, name, phone FROM staff WHERE company_id = ? ORDER BY sort, id"),
            {companyId});
        data.m_ok = data.m_ok && db.lastError().isEmpty();
        for (const QVariantMap& row : staff) {
            Person person;
            person.id = row.value(QStringLiteral("id")).toLongLong();
            person.deptId = row.value(QStringLiteral("dept_id")).toLongLong();
            person.name = row.value(QStringLiteral("name")).toString();
            person.phone = row.value(QStringLiteral("phone")).toString();
            data.m_staff.append(person);
        }
    }
    return data;
}

QList<OrganisationData::Department> OrganisationData::children(qint64 deptId) const
{
    QList<Department> list;
    for (qint64 id : m_order) {
        const Department& department = m_departments[id];
        // A department whose parent lies outside the organisation counts as a top one.
        const qint64 parent = m_departments.contains(department.parentId) ? department.parentId : 0;
        if (parent == deptId && id != deptId)
            list.append(department);
    }
    return list;
}

QList<OrganisationData::Department> OrganisationData::descendants(const QList<qint64>& deptIds) const
{
    QSet<qint64> seen(deptIds.cbegin(), deptIds.cend());
    QList<Department> list;
    QList<qint64> queue = deptIds;
    while (!queue.isEmpty()) {
        const qint64 id = queue.takeFirst();
        for (const Department& child : children(id)) {
            if (seen.contains(child.id))
                continue;
            seen.insert(child.id);
            list.append(child);
            queue.append(child.id);
        }
    }
    return list;
}

QList<qint64> OrganisationData::subtree(qint64 deptId) const
{
    QList<qint64> ids{deptId};
    for (const Department& department : descendants({deptId}))
        ids.append(department.id);
    return ids;
}

QStringList OrganisationData::path(qint64 deptId, bool withItself) const
{
    QStringList names;
    QSet<qint64> seen;
    qint64 current = withItself ? deptId : m_departments.value(deptId).parentId;
    while (m_departments.contains(current) && !seen.contains(current)) {
        seen.insert(current);
        names.prepend(m_departments[current].name);
        current = m_departments[current].parentId;
    }
    return names;
}

QList<OrganisationData::Person> OrganisationData::staffIn(const QList<qint64>& deptIds) const
{
    const QSet<qint64> wanted(deptIds.cbegin(), deptIds.cend());
    QList<Person> list;
    for (const Person& person : m_staff) {
        if (wanted.contains(person.deptId))
            list.append(person);
    }
    return list;
}

QList<qint64> OrganisationData::scope(qint64 deptId) const
{
    return deptId == 0 ? m_order : subtree(deptId);
}

QList<OrganisationData::Department> OrganisationData::findDepartments(const QString& text, qint64 deptId) const
{
    const QList<qint64> ids = scope(deptId);
    const QSet<qint64> within(ids.cbegin(), ids.cend());
    QList<Department> list;
    for (qint64 id : m_order) {
        if (within.contains(id) && m_departments[id].name.contains(text, Qt::CaseInsensitive))
            list.append(m_departments[id]);
    }
    return list;
}

QList<OrganisationData::Person> OrganisationData::findStaff(const QString& text, qint64 deptId) const
{
    QList<Person> list;
    for (const Person& person : staffIn(scope(deptId))) {
        if (person.name.contains(text, Qt::CaseInsensitive) || person.phone.contains(text))
            list.append(person);
    }
    return list;
}
