#include "settings/style/HouseSearchChoices.h"

#include <QVariantList>

namespace {

const char* const kCircleCompany = "30728";

QList<QVariantMap> quartersOfFirst(const QList<QVariantMap>& areas)
{
    QList<QVariantMap> quarters;
    if (areas.isEmpty())
        return quarters;
    const QVariantList list = areas.first().value(QStringLiteral("area")).toList();
    for (const QVariant& item : list)
        quarters.append(item.toMap());
    return quarters;
}

} // namespace

QStringList HouseSearchChoices::houseTypes()
{
    return {QStringLiteral("二手房"), QStringLiteral("租房"), QStringLiteral("新房")};
}

bool HouseSearchChoices::searchesByQuarter(const QString& companyId)
{
    return companyId == QLatin1String(kCircleCompany);
}

QStringList HouseSearchChoices::districtNames(const QList<QVariantMap>& areas, const QString& companyId)
{
    QStringList names;
    const QList<QVariantMap> entries = searchesByQuarter(companyId) ? quartersOfFirst(areas) : areas;
    for (const QVariantMap& entry : entries)
        names.append(entry.value(QStringLiteral("name")).toString());
    return names;
}

QString HouseSearchChoices::districtValue(const QList<QVariantMap>& areas, const QString& companyId,
                                          const QString& chosen, QString* error)
{
    if (!searchesByQuarter(companyId))
        return chosen;
    if (areas.isEmpty()) {
        if (error)
            *error = QStringLiteral("未检索到区域！");
        return QString();
    }
    for (const QVariantMap& quarter : quartersOfFirst(areas)) {
        if (quarter.value(QStringLiteral("name")).toString() == chosen)
            return quarter.value(QStringLiteral("id")).toString();
    }
    // A district that matches nothing would search nowhere: refused like a missing one.
    if (error)
        *error = QStringLiteral("未检索到区域！");
    return QString();
}

QString HouseSearchChoices::districtText(const QList<QVariantMap>& areas, const QString& companyId, const QString& stored)
{
    if (!searchesByQuarter(companyId))
        return stored;
    for (const QVariantMap& quarter : quartersOfFirst(areas)) {
        if (quarter.value(QStringLiteral("id")).toString() == stored)
            return quarter.value(QStringLiteral("name")).toString();
    }
    return QString();
}
