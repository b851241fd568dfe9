#include "settings/choosers/ChosenOrganisation.h"

#include "net/http/JsonValues.h"

#include <QSet>

namespace {

const QString kNodeType = QStringLiteral("nodeType");
const QString kDeptId = QStringLiteral("dept_id");
const QString kDeptName = QStringLiteral("dept_name");
const QString kName = QStringLiteral("name");
const QString kPhone = QStringLiteral("phone");
const QString kUserId = QStringLiteral("yonghuid");
const QString kStoreId = QStringLiteral("storeid");
const QString kStoreName = QStringLiteral("storename");
const QString kWithDown = QStringLiteral("with_down");
const QString kHidden = QStringLiteral("hideData");

} // namespace

void ChosenOrganisation::setChosen(const QList<QVariantMap>& list)
{
    m_entries.clear();
    for (const QVariantMap& entry : list) {
        if (JsonValues::toBool(entry.value(kHidden)) || indexOf(keyOf(entry)) >= 0)
            continue;
        m_entries.append(entry);
    }
}

bool ChosenOrganisation::withDown(const Node& node) const
{
    const int index = indexOf(node.key());
    return index >= 0 && JsonValues::toBool(m_entries.at(index).value(kWithDown));
}

void ChosenOrganisation::choose(const Node& node, bool withDown)
{
    const bool covers = withDown && !node.isPerson();
    const int index = indexOf(node.key());
    if (index < 0) {
        m_entries.append(toMap(node, covers, false));
        return;
    }
    m_entries[index].insert(kWithDown, covers);
    m_entries[index].insert(kHidden, false);
}

void ChosenOrganisation::remove(const QString& key)
{
    const int index = indexOf(key);
    if (index >= 0)
        m_entries.removeAt(index);
}

QStringList ChosenOrganisation::withDownIds() const
{
    QStringList ids;
    for (const QVariantMap& entry : m_entries) {
        if (!isPerson(entry) && JsonValues::toBool(entry.value(kWithDown)))
            ids.append(entry.value(kDeptId).toString());
    }
    return ids;
}

QList<QVariantMap> ChosenOrganisation::result(const QList<Node>& subDepartments) const
{
    QList<QVariantMap> list = m_entries;
    QSet<QString> keys;
    for (const QVariantMap& entry : m_entries)
        keys.insert(keyOf(entry));
    for (const Node& department : subDepartments) {
        if (department.isPerson() || keys.contains(department.key()))
            continue;
        keys.insert(department.key());
        list.append(toMap(department, false, true));
    }
    return list;
}

QString ChosenOrganisation::description() const
{
    QStringList names;
    for (const QVariantMap& entry : m_entries)
        names.append(chipText(entry));
    return names.join(QLatin1Char(';'));
}

QVariantMap ChosenOrganisation::toMap(const Node& node, bool withDown, bool hidden)
{
    if (node.isPerson()) {
        return QVariantMap{{kNodeType, OrganisationList_Model::Person},
                           {kDeptId, node.storeId},
                           {kDeptName, node.storeName},
                           {kName, node.name},
                           {kPhone, node.phone},
                           {kUserId, node.id},
                           {kStoreId, node.storeId},
                           {kStoreName, node.storeName},
                           {kWithDown, false},
                           {kHidden, hidden}};
    }
    return QVariantMap{{kNodeType, OrganisationList_Model::Department},
                       {kDeptId, node.id},
                       {kDeptName, node.name},
                       {kName, node.name},
                       {kPhone, QString()},
                       {kUserId, QString()},
                       {kStoreId, QString()},
                       {kStoreName, QString()},
                       {kWithDown, withDown},
                       {kHidden, hidden}};
}

bool ChosenOrganisation::isPerson(const QVariantMap& entry)
{
    return entry.value(kNodeType).toInt() == OrganisationList_Model::Person;
}

QString ChosenOrganisation::keyOf(const QVariantMap& entry)
{
    return isPerson(entry) ? QStringLiteral("p:") + entry.value(kUserId).toString()
                           : QStringLiteral("d:") + entry.value(kDeptId).toString();
}

QString ChosenOrganisation::nameOf(const QVariantMap& entry)
{
    return isPerson(entry) ? entry.value(kName).toString() : entry.value(kDeptName).toString();
}

QString ChosenOrganisation::chipText(const QVariantMap& entry)
{
    if (!isPerson(entry) && JsonValues::toBool(entry.value(kWithDown)))
        return nameOf(entry) + QStringLiteral("(含以下)");
    return nameOf(entry);
}

int ChosenOrganisation::indexOf(const QString& key) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (keyOf(m_entries.at(i)) == key)
            return i;
    }
    return -1;
}
