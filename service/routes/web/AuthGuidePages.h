#ifndef AUTHGUIDEPAGES_H
#define AUTHGUIDEPAGES_H

class ServiceRouter;

// The site host's pages that the mini-program authorization steps open, fixed texts that need
// no login and show no company's data:
//   "ap/instruction/3274.html"  how to get a registered mini-program verified
//   "Wechat/startAuth"          a stand-in for the platform's authorization page, which has no
//                               host of its own here: it says what would happen there
class AuthGuidePages
{
public:
    AuthGuidePages();
    void registerRoutes(ServiceRouter& router);
};

#endif // AUTHGUIDEPAGES_H
