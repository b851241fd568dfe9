#include "settings/permissions/models/PermissionItems.h"

#include "net/http/JsonValues.h"
#include "net/http/NetRequestObjecet.h"
#include "settings/permissions/models/PermissionRights.h"

namespace {

const QString kId = QStringLiteral("id");
const QString kSelected = QStringLiteral("selected");
const QString kRange = QStringLiteral("range");
const QString kBumens = QStringLiteral("bumens");

// The service keeps a right only with its yes or no, so every item goes out with all of its
// fields: what the owner gave, and for a field it left out, a right not granted over the whole
// company.
QVariantMap completeItem(QVariantMap item)
{
    item.insert(kSelected, PermissionItems::selectedOf(item));
    if (!item.contains(kRange))
        item.insert(kRange, 0);
    if (!item.contains(kBumens))
        item.insert(kBumens, QStringLiteral("[]"));
    return item;
}

QVariantMap bareItem(int id)
{
    return completeItem(QVariantMap{{kId, id}});
}

} // namespace

PermissionItems::PermissionItems()
{
    for (const PermissionRights::Right& right : PermissionRights::all())
        m_items.append(bareItem(right.id));
}

void PermissionItems::setData(const QVariantList& values)
{
    for (int i = 0; i < m_items.size(); ++i)
        m_items[i] = bareItem(PermissionRights::all().at(i).id);
    for (const QVariant& value : values) {
        const QVariantMap map = value.toMap();
        bool isNumber = false;
        const int index = PermissionRights::indexOf(map.value(kId).toInt(&isNumber));
        if (isNumber && index >= 0)
            m_items[index] = completeItem(map);
    }
}

bool PermissionItems::contains(int id) const
{
    return PermissionRights::indexOf(id) >= 0;
}

QVariantMap PermissionItems::item(int id) const
{
    const int index = PermissionRights::indexOf(id);
    return index < 0 ? QVariantMap() : m_items.at(index);
}

void PermissionItems::setSelected(int id, bool selected)
{
    const int index = PermissionRights::indexOf(id);
    if (index >= 0)
        m_items[index].insert(kSelected, selected);
}

void PermissionItems::setRange(int id, int range, const QString& bumens)
{
    const int index = PermissionRights::indexOf(id);
    if (index < 0)
        return;
    m_items[index].insert(kRange, range);
    m_items[index].insert(kBumens, bumens);
}

bool PermissionItems::selectedOf(const QVariantMap& item)
{
    return JsonValues::toBool(item.value(kSelected));
}

int PermissionItems::rangeOf(const QVariantMap& item)
{
    return item.value(kRange).toInt();
}

QString PermissionItems::bumensOf(const QVariantMap& item)
{
    const QVariant bumens = item.value(kBumens);
    if (bumens.userType() == QMetaType::QVariantList)
        return NetRequestObjecet::listToJson(bumens.toList());
    return bumens.toString();
}
