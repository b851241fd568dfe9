#include "settings/basic/BasicSettingsMerge.h"

#include <QSet>

#include <tuple>

namespace {

template <typename T>
T kept(const T& shown, const T& edited, const T& fresh)
{
    return edited == shown ? fresh : edited;
}

int idOf(const QVariantMap& item)
{
    return item.value(QStringLiteral("id")).toInt();
}

} // namespace

BasicSettingsForm BasicSettingsMerge::form(const BasicSettingsForm& shown, const BasicSettingsForm& edited,
                                           const BasicSettingsForm& fresh)
{
    BasicSettingsForm merged = fresh;
    merged.shenhe = kept(shown.shenhe, edited.shenhe, fresh.shenhe);
    merged.pushStyle = kept(shown.pushStyle, edited.pushStyle, fresh.pushStyle);
    const auto contact = [](const BasicSettingsForm& form) {
        return std::make_tuple(form.moshi, form.agentDays, form.ownerNumber, form.ownerChat);
    };
    if (contact(edited) != contact(shown)) {
        merged.moshi = edited.moshi;
        merged.agentDays = edited.agentDays;
        merged.ownerNumber = edited.ownerNumber;
        merged.ownerChat = edited.ownerChat;
    }
    merged.bsearch = kept(shown.bsearch, edited.bsearch, fresh.bsearch);
    merged.menutype = kept(shown.menutype, edited.menutype, fresh.menutype);
    merged.menushow = list(shown.menushow, edited.menushow, fresh.menushow);
    merged.searchshow = list(shown.searchshow, edited.searchshow, fresh.searchshow);
    merged.caishow = list(shown.caishow, edited.caishow, fresh.caishow);
    merged.pushoption = list(shown.pushoption, edited.pushoption, fresh.pushoption);
    return merged;
}

QList<QVariantMap> BasicSettingsMerge::list(const QList<QVariantMap>& shown, const QList<QVariantMap>& edited,
                                            const QList<QVariantMap>& fresh)
{
    if (edited == shown)
        return fresh;
    const QString choose = QStringLiteral("choose");
    QList<QVariantMap> merged;
    QSet<int> placed;
    for (const QVariantMap& mine : edited) {
        for (const QVariantMap& theirs : fresh) {
            if (idOf(theirs) == idOf(mine) && !placed.contains(idOf(mine))) {
                QVariantMap item = theirs;
                item.insert(choose, mine.value(choose));
                merged.append(item);
                placed.insert(idOf(mine));
                break;
            }
        }
    }
    for (const QVariantMap& theirs : fresh) {
        if (!placed.contains(idOf(theirs)))
            merged.append(theirs);
    }
    return merged;
}

QVariantMap BasicSettingsMerge::config(const QVariantMap& shown, const QVariantMap& edited, const QVariantMap& fresh)
{
    QVariantMap merged = fresh;
    for (const QString& key : BasicSettingsForm::subSettingKeys()) {
        if (BasicSettingsForm::textOf(edited.value(key)) != BasicSettingsForm::textOf(shown.value(key)))
            merged.insert(key, edited.value(key));
    }
    return merged;
}
