#ifndef SETTINGSROUTES_H
#define SETTINGSROUTES_H

#include "http/ServiceReply.h"

class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// The site's settings (their keys, defaults and checks are SiteSettings'):
//   "mtore/getmstoreconfig"  -> every setting: {"shenhe", "pushStyle", "moshi", "agentmoshiday",
//                            "fangzhumoshi", "bsearch", "menutype", "zhuti", "dibu" (numbers),
//                            "menushow", "searchshow", "caishow", "pushoption", "zhuzhai",
//                            "bieshu", "gongyu", "shangpu", "xiezilou" (JSON array text)}
//   "mtore/mstoreconfig"     one or more settings, as the basic settings and the style page send
//                            them; all are saved or none -> the saved values, as read back
// Everyone of the company reads; only a manager saves.
class SettingsRoutes
{
public:
    explicit SettingsRoutes(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

private:
    ServiceReply settings(const ServiceRequest& request);
    ServiceReply saveSettings(const ServiceRequest& request);

    ServiceContext& m_context;
};

#endif // SETTINGSROUTES_H
