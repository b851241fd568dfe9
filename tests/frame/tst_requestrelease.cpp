#include "net/http/NetRequestObjecet.h"
#include "support/service/ReferenceService.h"
#include "support/ui/CardPageFixture.h"
#include "support/ui/ListPageKinds.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "support/ui/RequestLog.h"

#include <QtTest>

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
    return QTest::qWaitFor([&page] { return ListPageKinds::idle(&page) && liveRequests(page) == 0; }, 10000);
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
        QWidget* page = ListPageKinds::open(kind, &host);
        host.resize(1000, 700);
        host.show();
        // The main page asks shortly after it is built.
        QTRY_VERIFY(RequestLog::countSentBy(page) >= 1);
        QVERIFY(idle(*page));
        const int sentBefore = RequestLog::countSentBy(page);

        for (int i = 0; i < kTurns; ++i) {
            ListPageKinds::reload(kind, page);
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
