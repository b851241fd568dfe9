#ifndef BASICSETTINGSMERGE_H
#define BASICSETTINGSMERGE_H

#include "settings/basic/BasicSettingsForm.h"

#include <QList>
#include <QVariantMap>

// What a reload of the basic settings keeps of the user's changes that were not applied yet: the
// service's new values, except in every group, ordering list and sub-setting that the user
// changed since the last reload was shown, where the user's stay.
class BasicSettingsMerge
{
public:
    // `shown` is the form as the last reply showed it, `edited` as the user has it now, `fresh`
    // as the new reply shows it. The contact mode, its days and the owner's options count as one
    // group.
    static BasicSettingsForm form(const BasicSettingsForm& shown, const BasicSettingsForm& edited,
                                  const BasicSettingsForm& fresh);
    // An ordering list the user changed keeps the user's order and choices for the items the
    // service still has; items new to the service follow in its order.
    static QList<QVariantMap> list(const QList<QVariantMap>& shown, const QList<QVariantMap>& edited,
                                   const QList<QVariantMap>& fresh);
    // The new settings object, with the sub-settings (edited in the "设置" popup) that the user
    // changed since `shown` arrived taken from `edited`.
    static QVariantMap config(const QVariantMap& shown, const QVariantMap& edited, const QVariantMap& fresh);

private:
    BasicSettingsMerge() = delete;
};

#endif // BASICSETTINGSMERGE_H
