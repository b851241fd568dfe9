#include "settings/web/BrowsingTrackVisit.h"

#include <QJsonDocument>
#include <QJsonObject>

bool BrowsingTrackVisit::parse(const QString& json, BrowsingTrackVisit* visit)
{
    const QJsonObject object = QJsonDocument::fromJson(json.toUtf8()).object();
    const QJsonValue id = object.value(QStringLiteral("itemId"));
    qint64 itemId = 0;
    bool ok = false;
    if (id.isString()) {
        itemId = id.toString().trimmed().toLongLong(&ok);
    } else if (id.isDouble()) {
        const double number = id.toDouble();
        ok = number == static_cast<double>(static_cast<qint64>(number));
        itemId = static_cast<qint64>(number);
    }
    if (!ok || itemId <= 0)
        return false;
    visit->type = object.value(QStringLiteral("type")).toVariant().toInt();
    visit->itemId = itemId;
    return true;
}
