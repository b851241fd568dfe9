#include "frame/MicroWebsiteMainPageWidget.h"
#include "listings/financial/MircroWebSiteFinancialCustomerListWidget.h"
#include "listings/newhouse/MicroWebSiteNewHouseListWidget.h"
#include "listings/submissions/MicroWebsiteSaleOrRentWidget.h"
#include "net/http/NetRequestObjecet.h"
#include "support/service/ReferenceService.h"
#include "support/ui/CardPageFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "support/ui/RequestLog.h"

#include <QPushButton>
#include <QtTest>

#include <functional>

namespace {

const QString kManager = QStringLiteral("13800000000");
constexpr int kTurns = 30;

int liveRequests(const QWidget& page)
{
    return page.findChildren<NetRequestObjecet*>().size();
}

// No wait indicator over the page (the shade each one puts up) and no request alive.
bool idle(const QWidget& page)
{
    return QTest::qWaitFor(
        [&page] {
            return page.findChildren<QPushButton*>(QStringLiteral("QProgressIndicator_shade")).isEmpty()
                && liveRequests(page) == 0;
        },
        10000);
}

QPushButton* refreshButton(const QWidget& page)
{
    return page.findChild<QPushButton*>(QStringLiteral("pushButton_refresh"));
}

} // namespace

// Pages live as long as their tab, often all day: each page request goes once it has been answered,
// however often the user turns, refreshes or the hub asks for a reload.
class TestRequestRelease : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ModuleTestEnvironment::prepareWidgetTests(); }

    void init()
    {
        m_pages = std::make_unique<CardPageFixture>();
        QVERIFY(m_pages->startService(kManager));
    }

    void cleanup() { m_pages.reset(); }

    void pagesHoldOneRequestAtMost_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("table page") << QStringLiteral("table");
        QTest::newRow("card page") << QStringLiteral("cards");
        QTest::newRow("financial customers") << QStringLiteral("customers");
        QTest::newRow("main page") << QStringLiteral("main");
    }

    void pagesHoldOneRequestAtMost()
    {
        QFETCH(QString, kind);
        QWidget host;
        QWidget* page = nullptr;
        std::function<void()> turn;
        if (kind == QLatin1String("table")) {
            auto* table = new MicroWebsiteSaleOrRentWidget(&host);
            table->setType(0);
            page = table;
            turn = [table] { QTest::mouseClick(refreshButton(*table), Qt::LeftButton); };
        } else if (kind == QLatin1String("cards")) {
            auto* cards = new MicroWebSiteNewHouseListWidget(&host);
            page = cards;
            turn = [cards] { QTest::mouseClick(refreshButton(*cards), Qt::LeftButton); };
        } else if (kind == QLatin1String("customers")) {
            auto* customers = new MircroWebSiteFinancialCustomerListWidget(&host);
            page = customers;
            turn = [customers] { customers->downloadData(); };
        } else {
            auto* main = new MicroWebsiteMainPageWidget(&host);
            page = main;
            turn = [main] { QTest::mouseClick(refreshButton(*main), Qt::LeftButton); };
        }
        host.resize(1000, 700);
        host.show();
        // The main page asks shortly after it is built.
        QTRY_VERIFY(RequestLog::countSentBy(page) >= 1);
        QVERIFY(idle(*page));
        const int sentBefore = RequestLog::countSentBy(page);

        for (int i = 0; i < kTurns; ++i) {
            turn();
            QVERIFY2(liveRequests(*page) <= 1, qPrintable(QStringLiteral("turn %1").arg(i)));
            QVERIFY2(idle(*page), qPrintable(QStringLiteral("turn %1 did not finish").arg(i)));
        }
        // Every turn really asked the service.
        QVERIFY(RequestLog::countSentBy(page) >= sentBefore + kTurns);
    }

private:
    std::unique_ptr<CardPageFixture> m_pages;
};

QTEST_MAIN(TestRequestRelease)
#include "tst_requestrelease.moc"
