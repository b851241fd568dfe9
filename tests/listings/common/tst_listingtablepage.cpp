#include "listings/common/HoverTableWidget.h"
#include "listings/submissions/MicroWebsiteSaleOrRentWidget.h"
#include "listings/submissions/MicroWebsiteSeekSaleOrRentWidget.h"
#include "net/http/ServiceAddresses.h"
#include "net/paging/ListPager.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/ui/HostWindowFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/lists/PagingBar.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/CommonAddWidget.h"
#include "widgets/popups/StayTunedWidget.h"

#include "CustomTabWidget.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QtTest>
#include <QUrlQuery>

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

// The list shrank and the request for its last page failed: the page keeps the rows it shows
// together with their records, and a click on a row opens that row's own record.
template <typename Page>
void checkShrunkThenFailed(const QString& path)
{
    ScriptedHttpServer server;
    QVERIFY(server.start());
    server.useAsApiBase();
    server.enqueueReply(path, ScriptedHttpServer::envelope(200, QString(), page(61, 20)));
    server.enqueueReply(path, ScriptedHttpServer::envelope(200, QString(), page(61, 1)));
    server.enqueueReply(path, ScriptedHttpServer::envelope(200, QString(), page(25, 0)));
    ScriptedHttpServer::Reply broken;
    broken.status = 500;
    broken.body = "busy";
    server.setReply(path, broken);

    HostWindowFixture host;
    Page list(host.tabs());
    list.setType(0);
    list.show();
    QTRY_COMPARE(list.table()->rowCount(), 20);
    list.pager()->turnTo(4);
    QTRY_COMPARE(list.table()->rowCount(), 1);

    list.pager()->reload();
    QTRY_COMPARE_WITH_TIMEOUT(server.requestsTo(path).size(), 4, 5000);
    QTRY_VERIFY(!list.pager()->isLoading());
    QCOMPARE(list.table()->rowCount(), 1);
    QCOMPARE(list.rows().size(), 1);
    QCOMPARE(list.pageIndex(), 4);

    QTest::mouseClick(list.table()->cellWidget(0, 1), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTRY_COMPARE(HostWindowFixture::openPopups().size(), 1);
    HostWindowFixture::openPopups().first()->close();
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

        list.pager()->turnTo(4);
        QTRY_COMPARE(list.table()->rowCount(), 1);
        QCOMPARE(list.pageIndex(), 4);

        // Fewer rows now: page 4 is past the end.
        list.pager()->reload();
        QTRY_COMPARE_WITH_TIMEOUT(server.requestsTo(path).size(), 4, 5000);
        QCOMPARE(requestedPage(server.requestsTo(path).at(2)), 4);
        QCOMPARE(requestedPage(server.requestsTo(path).at(3)), 2);
        QTRY_COMPARE(list.table()->rowCount(), 5);
        QCOMPARE(list.pageIndex(), 2);
        QVERIFY(!list.noDataView() || !list.noDataView()->isVisible());
    }

    void shrunkThenFailedKeepsRowsAndRecords_data()
    {
        QTest::addColumn<bool>("demands");
        QTest::newRow("owners' submissions") << false;
        QTest::newRow("visitors' demands") << true;
    }

    void shrunkThenFailedKeepsRowsAndRecords()
    {
        QFETCH(bool, demands);
        if (demands)
            checkShrunkThenFailed<MicroWebsiteSeekSaleOrRentWidget>(QStringLiteral("/api/mtore/gzposts"));
        else
            checkShrunkThenFailed<MicroWebsiteSaleOrRentWidget>(QStringLiteral("/api/mtore/mzposts"));
    }
};

QTEST_MAIN(TestListingTablePage)
#include "tst_listingtablepage.moc"
