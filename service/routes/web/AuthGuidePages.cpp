#include "routes/web/AuthGuidePages.h"

#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"
#include "routes/common/SitePage.h"

AuthGuidePages::AuthGuidePages()
{
    // The pages live in this static library; naming them keeps the linker from dropping them.
    Q_INIT_RESOURCE(site_pages);
}

void AuthGuidePages::registerRoutes(ServiceRouter& router)
{
    router.add(QStringLiteral("site/ap/instruction/3274.html"), ServiceRouter::Access::Public, [](const ServiceRequest&) {
        return SitePage::framed(QStringLiteral("认证小程序"), QStringLiteral("小程序微信认证教程"),
                                SitePage::render(QStringLiteral(":/site_pages/instruction_3274.html"), {}));
    });
    router.add(QStringLiteral("site/Wechat/startAuth"), ServiceRouter::Access::Public, [](const ServiceRequest&) {
        return SitePage::framed(QStringLiteral("授权小程序"), QStringLiteral("将小程序授权给开发人员"),
                                SitePage::render(QStringLiteral(":/site_pages/start_auth.html"), {}));
    });
}
