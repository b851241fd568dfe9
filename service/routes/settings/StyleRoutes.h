#ifndef STYLEROUTES_H
#define STYLEROUTES_H

#include "http/ServiceReply.h"
#include "storage/settings/StyleData.h"

#include <QJsonArray>
#include <QJsonObject>

class ParamReader;
class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// The site's style and home-page apps:
//   "mtore/getmstorestyleconfig"  -> {"app": [{"id", "type" (0 system, 1 custom), "title", "url",
//                                 "sort", "content"}], "zhuti", "dibu"}; the apps are the main
//                                 page's tiles, in their order; "zhuti" and "dibu" are saved
//                                 through "mtore/mstoreconfig" (SettingsRoutes)
//   "mtore/customappadd"          name (at most 4 characters), photo (the icon's http or https
//                                 address), content (below); at most 10 custom apps -> the app
//   "mtore/CustomAppmodify"       id and name, photo: a system app's title and icon (an empty
//                                 photo brings back its built-in icon; no content); a custom
//                                 app's also with content -> the app
//   "mtore/customappdelete"       id of a custom app
// On the site host:
//   "setwmenu"                    companyid, cityid -> the three top icons [{"url", "housetype",
//                                 "districts"}]; with content (JSON array text of the three, each
//                                 with an http or https "url", a "housetype" and a "districts"
//                                 text, further keys kept) saves them -> the icons
// A custom app's content is a text, or the JSON text of its pictures ([{"photo", "sort"}], at
// least one, each an http or https address) or of its house search ({"type": 2, "housetype",
// "districts"}); JSON text is stored exactly as sent. Everyone of the company reads; only a manager
// writes. Another company's app is unknown here.
class StyleRoutes
{
public:
    explicit StyleRoutes(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

    // The three top icons of a "setwmenu" content, checked as a save checks them; problems go to `in`.
    static QJsonArray checkTopIcons(ParamReader& in, const QString& content);

private:
    ServiceReply styleConfig(const ServiceRequest& request);
    ServiceReply addApp(const ServiceRequest& request);
    ServiceReply modifyApp(const ServiceRequest& request);
    ServiceReply deleteApp(const ServiceRequest& request);
    ServiceReply topIcons(const ServiceRequest& request);
    ServiceReply saveTopIcons(const ServiceRequest& request);

    // Reads "id" and finds the company's app, for a manager; a reply with a body refuses the call.
    ServiceReply findApp(const ServiceRequest& request, StyleData::App* app) const;
    // A custom app's name, icon and content, checked in the order the editor checks them.
    static StyleData::App readCustomApp(ParamReader& in);
    static void checkContent(ParamReader& in, const QString& content);
    static void checkPictures(ParamReader& in, const QJsonArray& pictures);
    static QString readName(ParamReader& in);
    static QJsonObject appJson(const StyleData::App& app);

    ServiceContext& m_context;
};

#endif // STYLEROUTES_H
