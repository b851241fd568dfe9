#ifndef BASICSETTINGSFORM_H
#define BASICSETTINGSFORM_H

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// What the basic settings page holds, apart from its widgets: the choices as codes (0 for a group
// with nothing chosen), the four ordering lists, and the checks and map of a save.
struct BasicSettingsForm
{
    int shenhe = -1;    // 1 on, 0 off, -1 nothing chosen
    int pushStyle = 0;  // 1..3
    int moshi = -1;     // 0..3
    QString agentDays;  // as typed
    bool ownerNumber = false;
    bool ownerChat = false;
    int bsearch = 0;    // 1..2
    int menutype = 0;   // 1..4
    QList<QVariantMap> menushow;
    QList<QVariantMap> searchshow;
    QList<QVariantMap> caishow;
    QList<QVariantMap> pushoption;

    // The keys of the home icons' sub-settings, for the icons with ids 16 to 20.
    static QStringList subSettingKeys();
    // The sub-setting key of an icon id; empty for an icon without sub-settings.
    static QString subSettingKey(int iconId);
    static int fangzhumoshi(bool number, bool chat);
    static bool anyChosen(const QList<QVariantMap>& items);
    // A list setting as the service sends it: JSON array text, or the array itself.
    static QList<QVariantMap> listOf(const QVariant& value);
    // The same setting as JSON array text.
    static QString textOf(const QVariant& value);

    // The form as the page shows a settings reply: a value outside a group's choices chooses
    // nothing, the days go with the agent mode and the owner's options with the owner mode.
    static BasicSettingsForm fromConfig(const QVariantMap& config);

    // The first failing check of a save, in the order the page shows them; empty when it may go.
    QString validate() const;
    // The map sent to the service; the sub-settings are copied from `config`.
    QVariantMap toMap(const QVariantMap& config) const;
};

#endif // BASICSETTINGSFORM_H
