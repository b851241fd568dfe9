#ifndef STYLEDATA_H
#define STYLEDATA_H

#include <QList>
#include <QString>
#include <QVariantMap>

class ServiceDatabase;

// The look of a company's site: its home-page apps, its settings as named values, and the three
// icons at the top of the mini-program's home page.
//
// The apps are the main page's tiles (one table, read here and by the main page): system apps
// (type 0) come with the site, custom apps (type 1) are the company's own. Item ids are the apps'
// ids; custom apps get ids above the system ones that are never handed out twice, so a stale
// page cannot reach an app made after it loaded.
//
// Settings are kept as text under their key, one row per company and key: keys that a company
// never saved are simply missing, and adding a key needs no change of schema.
class StyleData
{
public:
    struct App
    {
        qint64 id = 0;
        int type = 0;
        QString title;
        // The icon's address; empty for a system app that shows its built-in icon.
        QString url;
        qint64 sort = 0;
        QString content;
    };

    enum class Change { Done, NotFound, Failed };

    static constexpr int kSystemApp = 0;
    static constexpr int kCustomApp = 1;

    static bool createSchema(ServiceDatabase& db);

    // The company's site apps in display order (sort, then id). The desktop's own shortcuts (item
    // ids below 0, such as the link to the site) are not apps of the site. A failure is kept in
    // db.lastError().
    static QList<App> apps(ServiceDatabase& db, const QString& companyId);
    // The company's app, or one with id 0.
    static App app(ServiceDatabase& db, const QString& companyId, qint64 id);
    static int customAppCount(ServiceDatabase& db, const QString& companyId);
    // Stores a new custom app after the others (its id, type and sort ignored); the new app, or
    // one with id 0 on failure.
    static App addCustomApp(ServiceDatabase& db, const QString& companyId, const App& app);
    // Rewrites the title, icon and content of the company's custom app app.id.
    static Change updateCustomApp(ServiceDatabase& db, const QString& companyId, const App& app);
    // Rewrites the title and icon of the company's system app app.id.
    static Change updateSystemApp(ServiceDatabase& db, const QString& companyId, const App& app);
    static Change removeCustomApp(ServiceDatabase& db, const QString& companyId, qint64 id);

    // Every setting the company saved, as text by key. A failure is kept in db.lastError().
    static QVariantMap settings(ServiceDatabase& db, const QString& companyId);
    // Stores the values (as text) under their keys, all or none.
    static bool saveSettings(ServiceDatabase& db, const QString& companyId, const QVariantMap& values);

    // The top icons as JSON array text, exactly as last saved; empty when never saved.
    static QString topIcons(ServiceDatabase& db, const QString& companyId);
    static bool saveTopIcons(ServiceDatabase& db, const QString& companyId, const QString& json);

private:
    StyleData() = delete;
};

#endif // STYLEDATA_H
