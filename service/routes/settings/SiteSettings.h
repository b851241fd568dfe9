#ifndef SITESETTINGS_H
#define SITESETTINGS_H

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class ParamReader;
class ServiceDatabase;
class ServiceParams;

// The settings a company's site keeps, by key, and how each is checked.
//
// Whole numbers in a range: "shenhe" 0..1 (review of pushed listings), "pushStyle" 1..3 (which
// listings are pushed), "moshi" 0..3 (the contact shown: default, agent, owner, none),
// "agentmoshiday" 1..999 (the agent mode's days), "fangzhumoshi" 1..3 (owner mode: 1 the number,
// 2 the chat, 3 both), "bsearch" 1..2 (search box style), "menutype" 1..4 (icon layout), "zhuti"
// 1..6 (theme colour), "dibu" 1..5 (bottom bar).
//
// Ordering lists, as JSON array text: "menushow" (home icons), "searchshow" (search scopes),
// "caishow" (guess-you-like categories), "pushoption" (push reminders) and the sub-settings of
// the icons 16 to 20, "zhuzhai", "bieshu", "gongyu", "shangpu", "xiezilou". A list holds every
// item of its kind exactly once, in the company's order, each {"id", "title", "choose" (bool),
// "tip_id", "default_choose" (bool)} with any further keys kept as sent. Required items stay
// chosen, and every list but the push reminders needs a chosen item.
//
// A setting the company never saved reads as its default.
class SiteSettings
{
public:
    // The company's value of each key, every setting when keys is empty: numbers as numbers,
    // lists as JSON array text. A failure is kept in db.lastError().
    static QJsonObject values(ServiceDatabase& db, const QString& companyId, const QStringList& keys = {});
    // Checks the settings a save names ("companyid" and "cityid" aside, the router matched them):
    // the values to store as text by key, and in *saved the same as values() reads them back.
    // Problems go to `in`; an unknown key is one.
    static QVariantMap read(const ServiceParams& params, ParamReader& in, QJsonObject* saved);
    // A list setting's items in their default order and choice; empty for another key.
    static QJsonArray defaultList(const QString& key);

private:
    SiteSettings() = delete;
};

#endif // SITESETTINGS_H
