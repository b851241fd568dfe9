#include "widgets/popups/AlertWidget.h"
#include "CustomTabWidget.h"
#include "support/ui/HostWindowFixture.h"
#include "listings/common/HoverTableWidget.h"
#include "listings/submissions/MicroWebsiteSaleOrRentWidget.h"
#include "widgets/lists/PagingBar.h"
#include "support/service/ScriptedHttpServer.h"
#include "net/http/ServiceAddresses.h"
#include "widgets/popups/StayTunedWidget.h"
#include "support/ui/ModuleTestEnvironment.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QUrlQuery>
#include <QtTest>

namespace {

QJsonObject page(int total, int rows)
{
    QJsonArray data;
    for (int i = 0; i < rows; ++i)
        data.append(QJsonObject{{QStringLiteral("id"), i + 1}, {QStringLiteral("name"), QStringLiteral("业主%1").arg(i)}});
    return QJsonObject{{QStringLiteral("total"), total}, {QStringLiteral("data"), data}};
}

int requestedPage(const ScriptedHttpServer::Request& request)
{
    return QUrlQuery(QString::fromUtf8(request.body)).queryItemValue(QStringLiteral("pageindex")).toInt();
}

} // namespace

// What every table page shares beyond what its own page tests drive.
class TestListingTablePage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ModuleTestEnvironment::prepare();
        AlertWidget::setModalLoopEnabled(false);
    }

    // The list shrank while the user stood on a later page: the page moves to the last page
    // that has rows instead of showing "暂无数据" over rows that exist.
    void pageBeyondTheEndMovesToTheLastPage()
    {
        ScriptedHttpServer server;
        QVERIFY(server.start());
        qputenv("MICROSITE_API_BASE", server.url(QStringLiteral("/api/")).toUtf8());
        ServiceAddresses::reload();
        const QString path = QStringLiteral("/api/mtore/mzposts");
        server.enqueueReply(path, ScriptedHttpServer::envelope(200, QString(), page(61, 20)));
        server.enqueueReply(path, ScriptedHttpServer::envelope(200, QString(), page(61, 1)));
        server.enqueueReply(path, ScriptedHttpServer::envelope(200, QString(), page(25, 0)));
        server.setReply(path, ScriptedHttpServer::envelope(200, QString(), page(25, 5)));

        HostWindowFixture host;
        MicroWebsiteSaleOrRentWidget list(host.tabs());
        list.setType(0);
        list.show();
        QTRY_COMPARE(server.requestsTo(path).size(), 1);
        QTRY_COMPARE(list.table()->rowCount(), 20);

        list.pagingBar()->setPageIndex(4);
        list.downloadData();
        QTRY_COMPARE(list.table()->rowCount(), 1);
        QCOMPARE(list.pageIndex(), 4);

        // Fewer rows now: page 4 is past the end.
        list.downloadData();
        QTRY_COMPARE_WITH_TIMEOUT(server.requestsTo(path).size(), 4, 5000);
        QCOMPARE(requestedPage(server.requestsTo(path).at(2)), 4);
        QCOMPARE(requestedPage(server.requestsTo(path).at(3)), 2);
        QTRY_COMPARE(list.table()->rowCount(), 5);
        QCOMPARE(list.pageIndex(), 2);
        QVERIFY(!list.noDataView() || !list.noDataView()->isVisible());
    }
};

QTEST_MAIN(TestListingTablePage)
#include "tst_listingtablepage.moc"
