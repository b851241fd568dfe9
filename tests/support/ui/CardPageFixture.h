#ifndef CARDPAGEFIXTURE_H
#define CARDPAGEFIXTURE_H

#include "listings/common/CardListPage.h"
#include "support/ui/HostWindowFixture.h"
#include "widgets/lists/CustomListWidget.h"

#include "CustomTabWidget.h"

#include <QList>
#include <QListWidget>
#include <QSignalSpy>
#include <QString>
#include <QVariantMap>

#include <memory>

class ReferenceService;
class ScriptedHttpServer;

// A card list page (new-house projects, loan products) in the host's tabs, talking either to the
// reference service or to a canned server, and the lists it has shown so far. Going out of scope
// closes the page with the host window, then stops the servers.
class CardPageFixture
{
public:
    CardPageFixture();
    ~CardPageFixture();

    // The reference service with its demo data at every base address; `phone` logs in there (its
    // session goes to DataCenter) and is stored locally as a manager with the login's user,
    // changed by userChanges. Null when the service does not start or the login fails.
    ReferenceService* startService(const QString& phone, const QVariantMap& userChanges = {});
    // A canned server at the API base, for the test to script; `phone` stored locally as a
    // manager. Null when it cannot listen.
    ScriptedHttpServer* startCannedServer(const QString& phone);

    // A new page of this class as a tab of the host under the title, once it shows its first
    // list; null when none came. `listShown` is the page's signal for a list on screen.
    template<typename Page, typename Signal>
    Page* open(const QString& title, Signal listShown)
    {
        auto* page = new Page(m_host.tabs());
        m_host.tabs()->addTabWidget(title, page);
        m_shown = std::make_unique<QSignalSpy>(page, listShown);
        m_listsSeen = 0;
        return waitForList() ? page : nullptr;
    }
    // Waits for the page's next list on screen; false after the timeout.
    bool waitForList(int timeoutMs = 15000);
    // Lists the page has shown that no waitForList() has taken yet.
    int listsNotWaitedFor() const;

    // Fills, as a user, the filters both card pages have: the put-up state box (left alone when
    // status is empty), the name (committed by the input method) and the price range. False when
    // the state box has no such entry.
    static bool fillSharedFilters(const CardListPage* page, const QString& status, const QString& name,
                                  const QString& low, const QString& high);

    // The cards on screen, in order; null for a row that is not a card of this class.
    template<typename Card>
    static QList<Card*> cards(const CardListPage* page)
    {
        QList<Card*> found;
        const QListWidget* list = page->listWidget()->listWidget();
        for (int row = 0; row < list->count(); ++row)
            found.append(qobject_cast<Card*>(list->itemWidget(list->item(row))));
        return found;
    }

private:
    // Destroyed in reverse: the spy and the page go before the servers they talk to.
    std::unique_ptr<ScriptedHttpServer> m_server;
    std::unique_ptr<ReferenceService> m_service;
    HostWindowFixture m_host;
    std::unique_ptr<QSignalSpy> m_shown;
    int m_listsSeen = 0;
};

#endif // CARDPAGEFIXTURE_H
