#include "content/ads/MicroWebSiteScrollAdsItemView.h"
#include "content/ads/MicroWebSite_ScrollAds_Model.h"
#include "content/ads/MicroWebsiteScrollAdsWidget.h"
#include "content/jobs/JoinUsListView.h"
#include "content/jobs/JoinUsListWidget.h"
#include "content/jobs/MicroWebsite_JoinUsJob_Model.h"
#include "content/profile/CompanyProfileWidget.h"
#include "content/profile/MicroWebsite_CompanyProfile_Model.h"
#include "listings/common/HouseTableLabelItemView.h"
#include "listings/common/HoverTableWidget.h"
#include "listings/financial/FinancialProductListItemView.h"
#include "listings/financial/FinancialProductList_Model.h"
#include "listings/financial/MircroWebSiteFinancialListWidget.h"
#include "listings/housemanager/MicroWebsite_HouseMangerList_Model.h"
#include "listings/newhouse/MicroWebSiteNewHouseListWidget.h"
#include "listings/newhouse/NewHouseList_Model.h"
#include "listings/newhouse/NewHouse_ProductList_ItemView.h"
#include "listings/submissions/MicroWebSiteSaleOrRentList_Model.h"
#include "listings/submissions/MicroWebSiteSeekSaleOrRentList_Model.h"
#include "listings/submissions/MicroWebsiteSaleOrRentWidget.h"
#include "net/http/JsonRows.h"
#include "net/http/NetRequestObjecet.h"
#include "settings/style/MircroWebsiteStyleSetWidget.h"
#include "settings/style/MircroWebsiteStyleSet_Model.h"
#include "support/service/FaultProxy.h"
#include "support/service/ReferenceService.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/ui/CardPageFixture.h"
#include "support/ui/ListPageKinds.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/inputs/CustomComboBox.h"
#include "widgets/lists/PagingBar.h"
#include "widgets/photos/ShowAdsWidget.h"
#include "widgets/tiles/ItemButtonWidget.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QtTest>

#include <memory>

namespace {

const QString kManager = QStringLiteral("13800000000");
const int kHugeRows = 5000;

// A row of any list: every model finds the keys it reads, a photo list among them.
QJsonObject row(int i)
{
    QJsonArray photos;
    for (int p = 0; p < kHugeRows; ++p)
        photos.append(QStringLiteral("http://127.0.0.1:1/p%1.jpg").arg(p));
    return {{QStringLiteral("id"), i + 1},          {QStringLiteral("name"), QStringLiteral("名称%1").arg(i)},
            {QStringLiteral("title"), QStringLiteral("标题%1").arg(i)}, {QStringLiteral("imgurl"), photos},
            {QStringLiteral("tags"), photos},       {QStringLiteral("photos"), photos}};
}

QJsonArray hugeList()
{
    QJsonArray rows;
    const QJsonObject one = row(0);
    for (int i = 0; i < kHugeRows; ++i)
        rows.append(one);
    return rows;
}

// What one model keeps of a reply: its records, the reply's total, and the longest list inside a
// record.
struct Read
{
    int records = 0;
    int total = 0;
    int longestInRecord = 0;
};

Read readWith(const QString& model, int limit)
{
    const QJsonArray rows = hugeList();
    const QJsonObject paged{{QStringLiteral("total"), 7}, {QStringLiteral("data"), rows}};
    Read read;
    if (model == QLatin1String("new-house projects")) {
        const NewHouseList_Model m(paged, limit);
        read = {m.list.size(), m.total, 0};
    } else if (model == QLatin1String("loan products")) {
        const FinancialProductList_Model m(paged, limit);
        read = {m.list.size(), m.total, 0};
    } else if (model == QLatin1String("owners' houses")) {
        const MicroWebSiteSaleOrRentList_Model m(paged, limit);
        read = {m.list.size(), m.total, m.list.isEmpty() ? 0 : m.list.first().imgurl.size()};
    } else if (model == QLatin1String("demands")) {
        const MicroWebSiteSeekSaleOrRentList_Model m(paged, limit);
        read = {m.list.size(), m.total, 0};
    } else if (model == QLatin1String("listing manager")) {
        const MicroWebsite_HouseMangerList_Model m(paged, limit);
        read = {m.list.size(), m.total, m.list.isEmpty() ? 0 : m.list.first().tags.size()};
    } else if (model == QLatin1String("jobs")) {
        const MicroWebsite_JoinUsJob_Model m(paged, limit);
        read = {m.getDataList().size(), 7, m.getDataList().isEmpty() ? 0 : m.getDataList().first().tags.size()};
    } else if (model == QLatin1String("adverts")) {
        const MicroWebSite_ScrollAds_Model m(rows, limit);
        read = {m.list().size(), 7, 0};
    }
    return read;
}

} // namespace

// A faulty or hostile service may send thousands of rows where a view shows a page: every view
// takes at most its bound of a reply before it converts or builds anything, and a card page turns
// its pages by refilling the cards it has.
class TestBigReplies : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ModuleTestEnvironment::prepareWidgetTests(); }
    void cleanup() { m_pages.reset(); }

    void modelsReadAtMostTheirBound_data();
    void modelsReadAtMostTheirBound();
    void recordsKeepABoundOnTheirLists();
    void viewsBuildAtMostTheirBound_data();
    void viewsBuildAtMostTheirBound();
    void pageTurnRefillsTheCards();
    void largeReplyArrivesWhole();
    void tablePageTurnRewritesTheCells();

private:
    // The reference service behind a proxy that makes every list of every reply 5,000 long.
    bool startMultipliedService();

    std::unique_ptr<CardPageFixture> m_pages;
    std::unique_ptr<FaultProxy> m_proxy;
};

void TestBigReplies::modelsReadAtMostTheirBound_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("limit");
    for (const char* model : {"new-house projects", "loan products", "owners' houses", "demands", "listing manager",
                              "jobs", "adverts"}) {
        QTest::addRow("%s, a page of 5", model) << QString::fromLatin1(model) << 5;
        QTest::addRow("%s, a page of 20", model) << QString::fromLatin1(model) << 20;
    }
    QTest::newRow("adverts, unbounded") << QStringLiteral("adverts") << int(JsonRows::All);
}

void TestBigReplies::modelsReadAtMostTheirBound()
{
    QFETCH(QString, model);
    QFETCH(int, limit);
    const Read read = readWith(model, limit);
    QCOMPARE(read.records, limit == JsonRows::All ? kHugeRows : limit);
    // The paging texts keep what the service says the list holds.
    QCOMPARE(read.total, 7);
}

void TestBigReplies::recordsKeepABoundOnTheirLists()
{
    // Photos and tags of one record: a detail builds a thumbnail per photo.
    for (const char* model : {"owners' houses", "listing manager", "jobs"})
        QCOMPARE(readWith(QString::fromLatin1(model), 1).longestInRecord, int(JsonRows::PerRecord));

    const QJsonObject profile = row(0);
    QStringList photos;
    MicroWebsite_CompanyProfile_Model(profile).getData(nullptr, nullptr, nullptr, &photos);
    QCOMPARE(photos.size(), int(JsonRows::PerRecord));

    const MircroWebsiteStyleSet_Model style(QJsonObject{{QStringLiteral("app"), hugeList()}});
    QCOMPARE(style.apps.size(), int(JsonRows::PerRecord));
}

bool TestBigReplies::startMultipliedService()
{
    m_pages = std::make_unique<CardPageFixture>();
    ReferenceService* service = m_pages->startService(kManager);
    if (!service)
        return false;
    m_proxy = std::make_unique<FaultProxy>(service->baseUrl());
    if (!m_proxy->start())
        return false;
    m_proxy->multiplyLists(kHugeRows);
    m_proxy->useAsBaseAddresses();
    return true;
}

void TestBigReplies::viewsBuildAtMostTheirBound_data()
{
    QTest::addColumn<QString>("view");
    for (const char* view : {"new-house projects", "loan products", "adverts", "jobs", "company profile", "style page"})
        QTest::newRow(view) << QString::fromLatin1(view);
}

void TestBigReplies::viewsBuildAtMostTheirBound()
{
    QFETCH(QString, view);
    QVERIFY(startMultipliedService());
    // What the view built, and its bound.
    int built = -1;
    int bound = 0;
    if (view == QLatin1String("new-house projects")) {
        using Page = MicroWebSiteNewHouseListWidget;
        Page* page = m_pages->open<Page>(view, &Page::refreshList);
        QVERIFY(page);
        QCOMPARE(page->projects().size(), Page::PageSize);
        built = page->findChildren<NewHouse_ProductList_ItemView*>().size();
        bound = Page::PageSize;
    } else if (view == QLatin1String("loan products")) {
        using Page = MircroWebSiteFinancialListWidget;
        Page* page = m_pages->open<Page>(view, &Page::refresh);
        QVERIFY(page);
        built = page->findChildren<FinancialProductListItemView*>().size();
        bound = Page::PageSize;
        // The filter choices come in a list of their own.
        for (const CustomComboBox* box : page->findChildren<CustomComboBox*>())
            QVERIFY2(box->count() <= JsonRows::PerRecord + 1, qPrintable(box->objectName()));
    } else if (view == QLatin1String("adverts")) {
        using Page = MicroWebsiteScrollAdsWidget;
        Page* page = m_pages->open<Page>(view, &Page::listShown);
        QVERIFY(page);
        built = page->findChildren<MicroWebSiteScrollAdsItemView*>().size();
        bound = Page::MaxAds;
    } else if (view == QLatin1String("jobs")) {
        using Page = JoinUsListWidget;
        Page* page = m_pages->open<Page>(view, &Page::listShown);
        QVERIFY(page);
        built = page->findChildren<JoinUsListView*>().size();
        bound = Page::MaxJobs;
    } else if (view == QLatin1String("company profile")) {
        using Page = CompanyProfileWidget;
        Page* page = m_pages->open<Page>(view, &Page::profileShown);
        QVERIFY(page);
        built = page->carousel()->items().size();
        bound = JsonRows::PerRecord;
    } else if (view == QLatin1String("style page")) {
        using Page = MircroWebsiteStyleSetWidget;
        Page* page = m_pages->open<Page>(view, &Page::contentShown);
        QVERIFY(page);
        built = page->appTiles().size();
        // And the tile that adds a custom app.
        bound = JsonRows::PerRecord + 1;
    }
    QVERIFY2(built > 0, "the view showed nothing of the reply");
    QVERIFY2(built <= bound, qPrintable(QStringLiteral("%1 widgets for a bound of %2").arg(built).arg(bound)));
}

void TestBigReplies::pageTurnRefillsTheCards()
{
    m_pages = std::make_unique<CardPageFixture>();
    QVERIFY(m_pages->startService(kManager));
    using Page = MicroWebSiteNewHouseListWidget;
    Page* page = m_pages->open<Page>(QStringLiteral("新房"), &Page::refreshList);
    QVERIFY(page);
    const QList<NewHouse_ProductList_ItemView*> first = CardPageFixture::cards<NewHouse_ProductList_ItemView>(page);
    QCOMPARE(first.size(), Page::PageSize);
    const auto names = [](const QList<NewHouse_ProductList_ItemView*>& cards) {
        QStringList texts;
        for (const NewHouse_ProductList_ItemView* card : cards)
            texts.append(card->findChild<QLabel*>(QStringLiteral("label_name"))->text());
        return texts;
    };
    const QStringList firstNames = names(first);
    QList<QPointer<NewHouse_ProductList_ItemView>> guarded;
    for (NewHouse_ProductList_ItemView* card : first)
        guarded.append(card);

    auto* next = page->pagingBar()->findChild<QPushButton*>(QStringLiteral("pushButton_next"));
    QTest::mouseClick(next, Qt::LeftButton);
    QVERIFY(m_pages->waitForList());
    const QList<NewHouse_ProductList_ItemView*> second = CardPageFixture::cards<NewHouse_ProductList_ItemView>(page);
    QCOMPARE(second, first);
    QVERIFY(names(second) != firstNames);
    // Each card now stands for the record it shows: a click reports that project.
    QCOMPARE(second.first()->data().name, names(second).first());

    // The last page holds fewer projects: the cards past them go, the others stay.
    while (page->pager()->pageIndex() < page->pager()->pageCount()) {
        QTest::mouseClick(next, Qt::LeftButton);
        QVERIFY(m_pages->waitForList());
    }
    const QList<NewHouse_ProductList_ItemView*> last = CardPageFixture::cards<NewHouse_ProductList_ItemView>(page);
    const int onLast = page->pager()->total() - (page->pager()->pageCount() - 1) * Page::PageSize;
    QVERIFY2(onLast < Page::PageSize, "the demo data fills its last page");
    QCOMPARE(last, first.mid(0, onLast));
    QTRY_VERIFY(!guarded.last());
}

void TestBigReplies::largeReplyArrivesWhole()
{
    ScriptedHttpServer server;
    QVERIFY(server.start());
    QJsonArray rows;
    for (int i = 0; i < 10 * kHugeRows; ++i)
        rows.append(QJsonObject{{QStringLiteral("id"), i}, {QStringLiteral("name"), QStringLiteral("名称%1").arg(i)}});
    const ScriptedHttpServer::Reply reply = ScriptedHttpServer::listReply(7, rows);
    QVERIFY(reply.body.size() > NetRequestObjecet::ParseOnGuiThreadBytes);
    server.setReply(QStringLiteral("/api/big"), reply);

    // Read on a worker, it still reaches the page whole, on the page's thread, and only once.
    auto* request = new NetRequestObjecet(this);
    QThread* received = nullptr;
    int rowsRead = 0;
    connect(request, &NetRequestObjecet::loadSuccess, this, [&](const QJsonValue& data) {
        received = QThread::currentThread();
        rowsRead = data.toObject().value(QStringLiteral("data")).toArray().size();
    });
    QSignalSpy finished(request, &NetRequestObjecet::loadFinish);
    QSignalSpy failed(request, &NetRequestObjecet::loadFail);
    request->sendRequest(server.url(QStringLiteral("/api/big")));
    QVERIFY(finished.wait(60000));
    QCOMPARE(received, QThread::currentThread());
    QCOMPARE(rowsRead, rows.size());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(failed.count(), 0);
    delete request;

    // A page that goes while its reply is read hears nothing, and nothing is left to touch it.
    QPointer<NetRequestObjecet> gone = new NetRequestObjecet(this);
    bool heard = false;
    connect(gone, &NetRequestObjecet::loadSuccess, this, [&heard] { heard = true; });
    QNetworkReply* sent = gone->sendRequest(server.url(QStringLiteral("/api/big")));
    connect(sent, &QNetworkReply::finished, this, [&gone] { delete gone; }, Qt::QueuedConnection);
    QTRY_VERIFY_WITH_TIMEOUT(!gone, 60000);
    // Long enough for the worker to have finished reading.
    QTest::qWait(3000);
    QVERIFY(!heard);
}

void TestBigReplies::tablePageTurnRewritesTheCells()
{
    m_pages = std::make_unique<CardPageFixture>();
    ScriptedHttpServer* server = m_pages->startCannedServer(kManager);
    QVERIFY(server);
    const QString path = QStringLiteral("/api/mtore/mzposts");
    const auto page = [](int first, int count) {
        QJsonArray rows;
        for (int i = first; i < first + count; ++i)
            rows.append(QJsonObject{{QStringLiteral("id"), i}, {QStringLiteral("housename"), QStringLiteral("小区%1").arg(i)}});
        return ScriptedHttpServer::listReply(45, rows);
    };
    server->setReply(path, page(1, 20));
    QWidget host;
    auto* table = static_cast<MicroWebsiteSaleOrRentWidget*>(ListPageKinds::open(QStringLiteral("table"), &host));
    table->resize(1200, 700);
    host.show();
    QTRY_COMPARE_WITH_TIMEOUT(ListPageKinds::shownRows(QStringLiteral("table"), table), 20, 15000);
    HoverTableWidget* cells = table->table();
    const auto texts = [cells](int row) {
        QStringList shown;
        for (int column = 0; column < cells->columnCount(); ++column) {
            if (auto* cell = qobject_cast<HouseTableLabelItemView*>(cells->cellWidget(row, column)))
                shown.append(cell->text());
        }
        return shown.join(QLatin1Char('|'));
    };
    QWidget* firstCell = cells->cellWidget(0, 0);
    const QString firstRow = texts(0);
    QVERIFY(firstRow.contains(QStringLiteral("小区1")));
    // The row the user clicked stays marked on its page only.
    cells->rowHadClick(3);
    QCOMPARE(cells->selectedRow(), 3);

    const auto turnTo = [&](const ScriptedHttpServer::Reply& reply) {
        const int asked = server->requestsTo(path).size();
        server->setReply(path, reply);
        QTest::mouseClick(table->pagingBar()->findChild<QPushButton*>(QStringLiteral("pushButton_next")), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(server->requestsTo(path).size() > asked, 15000);
        QTRY_VERIFY_WITH_TIMEOUT(ListPageKinds::idle(table), 15000);
    };
    turnTo(page(21, 20));
    QCOMPARE(ListPageKinds::shownRows(QStringLiteral("table"), table), 20);
    QCOMPARE(cells->cellWidget(0, 0), firstCell);
    QVERIFY(texts(0).contains(QStringLiteral("小区21")));
    QCOMPARE(cells->selectedRow(), -1);

    // A shorter last page: the rows past it go, the others are written over.
    turnTo(page(41, 5));
    QCOMPARE(ListPageKinds::shownRows(QStringLiteral("table"), table), 5);
    QCOMPARE(cells->cellWidget(0, 0), firstCell);
    QVERIFY(texts(4).contains(QStringLiteral("小区45")));
}

QTEST_MAIN(TestBigReplies)
#include "tst_bigreplies.moc"
