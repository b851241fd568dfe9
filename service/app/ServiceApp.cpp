#include "app/ServiceApp.h"

#include "app/ServiceContext.h"
#include "http/HttpServer.h"
#include "http/ServiceRouter.h"
#include "routes/account/AccountRoutes.h"
#include "routes/account/JobRightsRoutes.h"
#include "routes/account/OrganisationRoutes.h"
#include "routes/common/DiagnosticsRoutes.h"
#include "routes/common/HostPages.h"
#include "routes/content/AdsRoutes.h"
#include "routes/content/ContentRoutes.h"
#include "routes/content/NewsRoutes.h"
#include "routes/content/TopicRoutes.h"
#include "routes/listings/BookRoutes.h"
#include "routes/listings/FinancialRoutes.h"
#include "routes/listings/HouseCircleRoutes.h"
#include "routes/listings/HouseManagerRoutes.h"
#include "routes/listings/NewHouseRoutes.h"
#include "routes/listings/SubmissionRoutes.h"
#include "routes/settings/MainPageRoutes.h"
#include "routes/settings/SettingsRoutes.h"
#include "routes/settings/StyleRoutes.h"
#include "routes/site/MobileSiteRoutes.h"
#include "routes/uploads/UploadRoutes.h"
#include "routes/web/AuthGuidePages.h"
#include "routes/web/BrowseLogPages.h"
#include "routes/web/RebatePages.h"
#include "seed/DemoData.h"
#include "sessions/SessionStore.h"
#include "storage/core/DataTransfer.h"
#include "storage/core/ServiceDatabase.h"

#include <QDir>
#include <QRegularExpression>

#include <csignal>
#include <cstdio>
#include <pthread.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <thread>

namespace {

void fail(const QString& message)
{
    std::fprintf(stderr, "kq_service: %s\n", message.toLocal8Bit().constData());
}

} // namespace

int ServiceApp::run(const ServiceOptions& options)
{
    // Shutdown signals are taken by one thread with sigwait(); every other thread, the HTTP
    // workers included, inherits the blocked mask.
    sigset_t shutdownSignals;
    sigemptyset(&shutdownSignals);
    sigaddset(&shutdownSignals, SIGINT);
    sigaddset(&shutdownSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &shutdownSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
#ifdef __GLIBC__
    // Decoded pictures take buffers of megabytes. With a fixed threshold each is mapped apart and
    // goes back to the system once freed; glibc's moving threshold would keep them in the heap,
    // and a burst of uploads would leave the service holding hundreds of megabytes.
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
#endif

    if (!QDir().mkpath(options.filesDir)) {
        fail(QStringLiteral("cannot create the files folder %1").arg(options.filesDir));
        return 1;
    }
    ServiceDatabase db;
    QString error;
    // An address may carry a password; it is not printed.
    const QString shownDatabase =
        QString(options.database).replace(QRegularExpression(QStringLiteral("^(\\w+://[^:@/]*):[^@/]*@")),
                                          QStringLiteral("\\1@"));
    if (!db.open(options.database, &error)) {
        fail(QStringLiteral("cannot open the database %1: %2").arg(shownDatabase, error));
        return 1;
    }
    if (!options.exportFile.isEmpty()) {
        if (!DataTransfer::exportTo(db, options.exportFile, &error)) {
            fail(QStringLiteral("cannot export: %1").arg(error));
            return 1;
        }
        std::printf("kq_service exported %s to %s\n", shownDatabase.toUtf8().constData(),
                    options.exportFile.toUtf8().constData());
        return 0;
    }
    if (!options.importFile.isEmpty()) {
        if (!DataTransfer::importFrom(db, options.importFile, &error)) {
            fail(QStringLiteral("cannot import %1: %2").arg(options.importFile, error));
            return 1;
        }
        std::printf("kq_service imported %s into %s\n", options.importFile.toUtf8().constData(),
                    shownDatabase.toUtf8().constData());
        return 0;
    }

    HttpServer server;
    const int port = server.bind(options.port);
    if (port <= 0) {
        fail(QStringLiteral("cannot listen on 127.0.0.1:%1").arg(options.port));
        return 1;
    }
    const QString baseUrl = QStringLiteral("http://127.0.0.1:%1/").arg(port);

    SessionStore sessions(db);
    // Behind a load balancer the addresses handed out (pictures, pages) name the balancer.
    ServiceContext context(db, sessions, options.publicUrl.isEmpty() ? baseUrl : options.publicUrl,
                           options.filesDir);
    if (!db.isSeeded() && !DemoData::seed(context, &error)) {
        fail(QStringLiteral("cannot seed the database: %1").arg(error));
        return 1;
    }

    ServiceRouter router(sessions);
    AccountRoutes account(context);
    account.registerRoutes(router);
    UploadRoutes uploads(context);
    uploads.registerRoutes(router);
    const int unfinished = uploads.sweepUnfinished();
    if (unfinished > 0)
        std::printf("kq_service removed %d unfinished uploads\n", unfinished);
    MainPageRoutes mainPage(context);
    mainPage.registerRoutes(router);
    HostPages pages(context);
    pages.registerRoutes(router);
    MobileSiteRoutes mobileSite(context);
    mobileSite.registerRoutes(router);
    DiagnosticsRoutes diagnostics;
    diagnostics.registerRoutes(router);
    BookRoutes books(context);
    books.registerRoutes(router);
    SubmissionRoutes submissions(context);
    submissions.registerRoutes(router);
    NewHouseRoutes newHouses(context);
    newHouses.registerRoutes(router);
    FinancialRoutes financial(context);
    financial.registerRoutes(router);
    HouseManagerRoutes houseManager(context);
    houseManager.registerRoutes(router);
    ContentRoutes content(context);
    content.registerRoutes(router);
    OrganisationRoutes organisation(context);
    organisation.registerRoutes(router);
    AdsRoutes ads(context);
    ads.registerRoutes(router);
    TopicRoutes topics(context);
    topics.registerRoutes(router);
    HouseCircleRoutes houseCircle(context);
    houseCircle.registerRoutes(router);
    StyleRoutes style(context);
    style.registerRoutes(router);
    SettingsRoutes settings(context);
    settings.registerRoutes(router);
    JobRightsRoutes jobRights(context);
    jobRights.registerRoutes(router);
    NewsRoutes news(context);
    news.registerRoutes(router);
    RebatePages rebates(context);
    rebates.registerRoutes(router);
    BrowseLogPages browseLogs(context);
    browseLogs.registerRoutes(router);
    AuthGuidePages authGuide;
    authGuide.registerRoutes(router);

    std::thread signalWatcher([&server, shutdownSignals] {
        int received = 0;
        sigwait(&shutdownSignals, &received);
        server.stop();
    });

    std::printf("kq_service listening on %s\n", baseUrl.toUtf8().constData());
    std::fflush(stdout);
    const bool listened = server.serve(router);
    // serve() also returns when the socket fails; wake the watcher so it can end.
    pthread_kill(signalWatcher.native_handle(), SIGTERM);
    signalWatcher.join();
    return listened ? 0 : 1;
}
