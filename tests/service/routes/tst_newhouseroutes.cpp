#include "support/service/ReferenceService.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QScopedPointer>
#include <QSet>
#include <QTest>

namespace {

using Headers = ReferenceService::Headers;
using Pieces = ReferenceService::Pieces;

const QString kPosts = QStringLiteral("api/mtore/newhouseposts");
const QString kSort = QStringLiteral("api/nhouse/paixu");
const QString kCancelTop = QStringLiteral("api/nhouse/canceltop");
const QString kClickStore = QStringLiteral("api/nhouse/clickstore");
const QString kRecommend = QStringLiteral("api/mtore/settuijian");
const QString kDetail = QStringLiteral("api/nhouse/detail");
const QString kNoRight = QStringLiteral("您当前没有权利操作，请联系管理员！");
const int kAgentJob = 2; // the staff member's job role

} // namespace

class TestNewHouseRoutes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void elevenProjectsMakePagesOfFiveFiveAndOne();
    void projectKeys();
    void filters_data();
    void filters();
    void refusesBadParameters_data();
    void refusesBadParameters();
    void sortReallyReorders();
    void pinAndCancelTop();
    void clickStoreToggles();
    void recommendProject();
    void recommendNeedsOpenSite();
    void rightsOfStaff();
    void otherCompanySeesAndTouchesNothing();
    void detailForTheComponent();
    void needsSession();

private:
    // The company's whole list in its order.
    QList<qint64> order(const Headers& who) const
    {
        return m_service->call(kPosts, {piece("pageindex", 1), piece("pagesize", 50)}, who).ids();
    }
    QJsonObject project(qint64 id) const
    {
        const QJsonArray rows =
            m_service->call(kPosts, {piece("pageindex", 1), piece("pagesize", 50)}, m_manager).rows();
        for (const QJsonValue& row : rows) {
            if (row.toObject().value(QStringLiteral("id")).toInt() == id)
                return row.toObject();
        }
        return {};
    }

    QScopedPointer<ReferenceService> m_service;
    Headers m_manager;   // 安居地产's manager
    Headers m_staff;     // 安居地产's agent, job role 2
    Headers m_chongqing; // 山城置业's manager
    Headers m_closedSite; // 蓉城房产's manager, site service not open
};

void TestNewHouseRoutes::initTestCase()
{
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    m_manager = m_service->login(QStringLiteral("13800000000"));
    m_staff = m_service->login(QStringLiteral("13800000001"));
    m_chongqing = m_service->login(QStringLiteral("13900000000"));
    m_closedSite = m_service->login(QStringLiteral("13700000000"));
    QVERIFY(!m_manager.isEmpty() && !m_staff.isEmpty() && !m_chongqing.isEmpty() && !m_closedSite.isEmpty());
}

void TestNewHouseRoutes::cleanupTestCase()
{
    QCOMPARE(m_service->stop(), 0);
}

void TestNewHouseRoutes::elevenProjectsMakePagesOfFiveFiveAndOne()
{
    QList<qint64> seen;
    for (int page = 1; page <= 4; ++page) {
        const ReferenceService::Reply reply =
            m_service->call(kPosts, {piece("pageindex", page), piece("pagesize", 5)}, m_manager);
        QCOMPARE(reply.code(), 200);
        QCOMPARE(reply.total(), 11);
        const QList<qint64> ids = reply.ids();
        QCOMPARE(ids.size(), QList<int>({5, 5, 1, 0}).at(page - 1));
        seen += ids;
    }
    QCOMPARE(QSet<qint64>(seen.begin(), seen.end()).size(), 11);
    // The pinned project leads the list.
    QCOMPARE(project(seen.first()).value(QStringLiteral("istop")).toBool(), true);
}

void TestNewHouseRoutes::projectKeys()
{
    const QJsonObject first = project(order(m_manager).first());
    for (const char* key : {"id", "thumbnail", "name", "zhuangtai", "dongtai", "province", "cityname", "address",
                            "junjia", "yongjin", "wstore", "leixing", "istop", "tuijian", "telbefore", "telafter"})
        QVERIFY2(first.contains(QLatin1String(key)), key);
    QVERIFY(first.value(QStringLiteral("wstore")).isBool());
    QVERIFY(first.value(QStringLiteral("junjia")).isString());
    QVERIFY(first.value(QStringLiteral("thumbnail")).toString().startsWith(m_service->baseUrl()));
    // The picture is really served.
    QCOMPARE(m_service->get(first.value(QStringLiteral("thumbnail")).toString()).httpStatus, 200);
}

void TestNewHouseRoutes::filters_data()
{
    QTest::addColumn<Pieces>("filter");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("district") << Pieces{piece("district", QStringLiteral("青羊区"))}
                              << QStringList{QStringLiteral("宽窄里"), QStringLiteral("光华公馆"), QStringLiteral("金沙映月")};
    QTest::newRow("district and quarter") << Pieces{piece("district", QStringLiteral("锦江区")), piece("area", QStringLiteral("东大街"))}
                                          << QStringList{QStringLiteral("东湖国际")};
    QTest::newRow("name anywhere") << Pieces{piece("name", QStringLiteral("金"))}
                                   << QStringList{QStringLiteral("金沙映月"), QStringLiteral("金融城时代")};
    QTest::newRow("wildcards are plain text") << Pieces{piece("name", QStringLiteral("%"))} << QStringList{};
    QTest::newRow("price range") << Pieces{piece("priceone", 30000), piece("pricetwo", 36000)}
                                 << QStringList{QStringLiteral("攀成钢·江景苑"), QStringLiteral("宽窄里")};
    QTest::newRow("lowest price only") << Pieces{piece("priceone", QStringLiteral("35000.5"))}
                                       << QStringList{QStringLiteral("金融城时代")};
    QTest::newRow("not put up") << Pieces{piece("wstore", 0)}
                                << QStringList{QStringLiteral("攀成钢·江景苑"), QStringLiteral("大源新城")};
    QTest::newRow("put up in 高新区") << Pieces{piece("district", QStringLiteral("高新区")), piece("wstore", 1)}
                                    << QStringList{QStringLiteral("金融城时代"), QStringLiteral("中和雅苑")};
    QTest::newRow("empty values filter nothing")
        << Pieces{piece("district", QString()), piece("area", QString()), piece("name", QString()), piece("priceone", QString())}
        << QStringList{QStringLiteral("天府锦城"), QStringLiteral("东湖国际"), QStringLiteral("攀成钢·江景苑"),
                       QStringLiteral("宽窄里"), QStringLiteral("光华公馆"), QStringLiteral("金沙映月"),
                       QStringLiteral("玉林花园"), QStringLiteral("桐梓林国际公寓"), QStringLiteral("金融城时代"),
                       QStringLiteral("大源新城"), QStringLiteral("中和雅苑")};
}

void TestNewHouseRoutes::filters()
{
    QFETCH(Pieces, filter);
    QFETCH(QStringList, names);
    const ReferenceService::Reply reply =
        m_service->call(kPosts, Pieces{piece("pageindex", 1), piece("pagesize", 20)} + filter, m_manager);
    QCOMPARE(reply.code(), 200);
    QCOMPARE(reply.texts(QStringLiteral("name")), names);
    QCOMPARE(reply.total(), names.size());
}

void TestNewHouseRoutes::refusesBadParameters_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<Pieces>("pieces");

    QTest::newRow("price not a number") << kPosts << Pieces{piece("priceone", QStringLiteral("abc"))};
    QTest::newRow("negative price") << kPosts << Pieces{piece("pricetwo", QStringLiteral("-5"))};
    QTest::newRow("wstore 2") << kPosts << Pieces{piece("wstore", 2)};
    QTest::newRow("page 0") << kPosts << Pieces{piece("pageindex", 0)};
    QTest::newRow("page size 1000") << kPosts << Pieces{piece("pagesize", 1000)};
    QTest::newRow("sort type 3") << kSort << Pieces{piece("id", 2), piece("type", 3)};
    QTest::newRow("sort without id") << kSort << Pieces{piece("type", 1)};
    QTest::newRow("unknown project") << kSort << Pieces{piece("id", 9999), piece("type", 2)};
    QTest::newRow("cancel top without id") << kCancelTop << Pieces{};
    QTest::newRow("click store, id text") << kClickStore << Pieces{piece("id", QStringLiteral("1 OR 1=1"))};
    QTest::newRow("recommend state 5") << kRecommend << Pieces{piece("type", 1), piece("id", 2), piece("state", 5)};
    QTest::newRow("recommend type 7") << kRecommend << Pieces{piece("type", 7), piece("id", 2), piece("state", 1)};
}

void TestNewHouseRoutes::refusesBadParameters()
{
    QFETCH(QString, path);
    QFETCH(Pieces, pieces);
    const QList<qint64> before = order(m_manager);
    const ReferenceService::Reply reply = m_service->call(path, pieces, m_manager);
    QCOMPARE(reply.httpStatus, 200);
    QCOMPARE(reply.code(), 405);
    QVERIFY(!reply.message().isEmpty());
    QCOMPARE(order(m_manager), before);
}

void TestNewHouseRoutes::sortReallyReorders()
{
    const QList<qint64> before = order(m_manager);
    // The second unpinned project (pinned ones come first).
    const int at = 2;
    const qint64 id = before.at(at);
    QCOMPARE(project(before.at(at - 1)).value(QStringLiteral("istop")).toBool(), false);

    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 2)}, m_manager).code(), 200);
    QList<qint64> expected = before;
    expected.swapItemsAt(at, at + 1);
    QCOMPARE(order(m_manager), expected);

    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 1)}, m_manager).code(), 200);
    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 1)}, m_manager).code(), 200);
    expected = before;
    expected.swapItemsAt(at, at - 1);
    QCOMPARE(order(m_manager), expected);

    // The first unpinned project cannot move up among the pinned ones, the last cannot move down.
    const ReferenceService::Reply atTop = m_service->call(kSort, {piece("id", id), piece("type", 1)}, m_manager);
    QCOMPARE(atTop.code(), 405);
    QCOMPARE(atTop.message(), QStringLiteral("已经排在最前面了，无法上移"));
    const ReferenceService::Reply atBottom =
        m_service->call(kSort, {piece("id", before.last()), piece("type", 2)}, m_manager);
    QCOMPARE(atBottom.code(), 405);
    QCOMPARE(order(m_manager), expected);

    // Back to the seeded order for the other cases.
    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 2)}, m_manager).code(), 200);
    QCOMPARE(order(m_manager), before);
}

void TestNewHouseRoutes::pinAndCancelTop()
{
    const QList<qint64> before = order(m_manager);
    const qint64 pinnedBefore = before.first();
    const qint64 id = before.at(5);

    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 0)}, m_manager).code(), 200);
    QList<qint64> after = order(m_manager);
    QCOMPARE(after.first(), id);
    QCOMPARE(after.at(1), pinnedBefore);
    QVERIFY(project(id).value(QStringLiteral("istop")).toBool());

    QCOMPARE(m_service->call(kCancelTop, {piece("id", id)}, m_manager).code(), 200);
    after = order(m_manager);
    QVERIFY(!project(id).value(QStringLiteral("istop")).toBool());
    // Unpinned, it leads the unpinned projects.
    QCOMPARE(after.first(), pinnedBefore);
    QCOMPARE(after.at(1), id);
}

void TestNewHouseRoutes::clickStoreToggles()
{
    const qint64 id = order(m_manager).at(3);
    const bool was = project(id).value(QStringLiteral("wstore")).toBool();
    const ReferenceService::Reply first = m_service->call(kClickStore, {piece("id", id)}, m_manager);
    QCOMPARE(first.code(), 200);
    QCOMPARE(first.data().toObject().value(QStringLiteral("wstore")).toBool(), !was);
    QCOMPARE(project(id).value(QStringLiteral("wstore")).toBool(), !was);
    QCOMPARE(m_service->call(kClickStore, {piece("id", id)}, m_manager).code(), 200);
    QCOMPARE(project(id).value(QStringLiteral("wstore")).toBool(), was);
}

void TestNewHouseRoutes::recommendProject()
{
    const qint64 id = order(m_manager).at(4);
    QCOMPARE(m_service->call(kRecommend, {piece("type", 1), piece("id", id), piece("state", 1)}, m_manager).code(), 200);
    QVERIFY(project(id).value(QStringLiteral("tuijian")).toBool());
    QCOMPARE(m_service->call(kRecommend, {piece("type", 1), piece("id", id), piece("state", 0)}, m_manager).code(), 200);
    QVERIFY(!project(id).value(QStringLiteral("tuijian")).toBool());
}

void TestNewHouseRoutes::recommendNeedsOpenSite()
{
    const ReferenceService::Reply reply =
        m_service->call(kRecommend, {piece("type", 1), piece("id", 1), piece("state", 1)}, m_closedSite);
    QCOMPARE(reply.code(), 405);
    QCOMPARE(reply.message(), QStringLiteral("您尚未开通官网服务!"));
    QVERIFY(!project(1).value(QStringLiteral("tuijian")).toBool());
}

void TestNewHouseRoutes::rightsOfStaff()
{
    const QList<qint64> before = order(m_manager);
    const qint64 id = before.at(4);

    // The demo agent holds none of the new-house rights: the list reads, nothing changes.
    QCOMPARE(m_service->call(kPosts, {piece("pageindex", 1)}, m_staff).code(), 200);
    for (const auto& attempt : QList<QPair<QString, Pieces>>{
             {kSort, {piece("id", id), piece("type", 0)}},
             {kSort, {piece("id", id), piece("type", 1)}},
             {kCancelTop, {piece("id", before.first())}},
             {kClickStore, {piece("id", id)}},
             {kRecommend, {piece("type", 1), piece("id", id), piece("state", 1)}}}) {
        const ReferenceService::Reply reply = m_service->call(attempt.first, attempt.second, m_staff);
        QCOMPARE(reply.code(), 405);
        QCOMPARE(reply.message(), kNoRight);
    }
    QCOMPARE(order(m_manager), before);

    // 70 puts up and down only.
    QVERIFY(m_service->selectJobRights(kAgentJob, {70}));
    QCOMPARE(m_service->call(kClickStore, {piece("id", id)}, m_staff).code(), 200);
    QCOMPARE(m_service->call(kClickStore, {piece("id", id)}, m_staff).code(), 200);
    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 2)}, m_staff).code(), 405);

    // 72 pins and unpins, but does not move up or down.
    QVERIFY(m_service->selectJobRights(kAgentJob, {72}));
    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 0)}, m_staff).code(), 200);
    QCOMPARE(m_service->call(kCancelTop, {piece("id", id)}, m_staff).code(), 200);
    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 2)}, m_staff).message(), kNoRight);
    QCOMPARE(m_service->call(kClickStore, {piece("id", id)}, m_staff).code(), 405);

    // 73 orders, pins included; 97 recommends.
    QVERIFY(m_service->selectJobRights(kAgentJob, {73, 97}));
    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 2)}, m_staff).code(), 200);
    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 0)}, m_staff).code(), 200);
    QCOMPARE(m_service->call(kCancelTop, {piece("id", id)}, m_staff).code(), 200);
    QCOMPARE(m_service->call(kRecommend, {piece("type", 1), piece("id", id), piece("state", 0)}, m_staff).code(), 200);
    QVERIFY(m_service->selectJobRights(kAgentJob, {65, 148}));
}

void TestNewHouseRoutes::otherCompanySeesAndTouchesNothing()
{
    const ReferenceService::Reply theirs =
        m_service->call(kPosts, {piece("pageindex", 1), piece("pagesize", 20)}, m_chongqing);
    QCOMPARE(theirs.total(), 3);
    const QList<qint64> ours = order(m_manager);
    for (qint64 id : theirs.ids())
        QVERIFY(!ours.contains(id));

    const qint64 id = ours.at(3);
    const QJsonObject before = project(id);
    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 0)}, m_chongqing).code(), 405);
    QCOMPARE(m_service->call(kClickStore, {piece("id", id)}, m_chongqing).code(), 405);
    QCOMPARE(m_service->call(kCancelTop, {piece("id", ours.first())}, m_chongqing).code(), 405);
    QCOMPARE(m_service->call(kRecommend, {piece("type", 1), piece("id", id), piece("state", 1)}, m_chongqing).code(), 405);
    QCOMPARE(m_service->call(kDetail, {piece("id", id)}, m_chongqing).code(), 405);
    QCOMPARE(project(id), before);
    QCOMPARE(order(m_manager), ours);
}

void TestNewHouseRoutes::detailForTheComponent()
{
    const qint64 id = order(m_manager).first();
    const ReferenceService::Reply reply = m_service->call(kDetail, {piece("id", id)}, m_manager);
    QCOMPARE(reply.code(), 200);
    const QJsonObject detail = reply.data().toObject();
    QCOMPARE(detail.value(QStringLiteral("id")).toInt(), id);
    QCOMPARE(detail.value(QStringLiteral("name")).toString(), project(id).value(QStringLiteral("name")).toString());
    for (const char* key : {"kaifashang", "kaipan", "huxing", "mianji"})
        QVERIFY2(!detail.value(QLatin1String(key)).toString().isEmpty(), key);
}

void TestNewHouseRoutes::needsSession()
{
    for (const QString& path : {kPosts, kSort, kCancelTop, kClickStore, kRecommend, kDetail})
        QCOMPARE(m_service->call(path, {piece("id", 1), piece("type", 1), piece("state", 1)}, {}).code(), 400);
}

QTEST_GUILESS_MAIN(TestNewHouseRoutes)
#include "tst_newhouseroutes.moc"
