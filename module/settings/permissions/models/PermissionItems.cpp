#include "settings/permissions/models/PermissionItems.h"

#include "net/http/JsonValues.h"
#include "net/http/NetRequestObjecet.h"
#include "settings/permissions/models/PermissionRights.h"

namespace {

const QString kId = QStringLiteral("id");
const QString kSelected = QStringLiteral("selected");
const QString kRange = QStringLiteral("range");
const QString kBumens = QStringLiteral("bumens");

QVariantMap bareItem(int id)
{
    return QVariantMap{{kId, id}};
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
            m_items[index] = map;
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
