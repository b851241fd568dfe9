#include "support/service/ReferenceService.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopedPointer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

namespace {

using Headers = ReferenceService::Headers;
using Pieces = ReferenceService::Pieces;

const QString kList = QStringLiteral("api/mtore/mshouseposts");
const QString kClickStore = QStringLiteral("api/mtore/mshouseclickstore");
const QString kDelete = QStringLiteral("api/mtore/deletemshouse");
const QString kReview = QStringLiteral("api/mtore/mshouseshenhe");
const QString kRecommend = QStringLiteral("api/mtore/settuijian");
const QString kBookDetail = QStringLiteral("api/app/SyncHousebookDetail");

const QString kManager = QStringLiteral("13800000000");
const QString kStaff = QStringLiteral("13800000001"); // job 2 "经纪人", store 4 (春熙路一组, under 春熙路店 3)
const int kAgentJob = 2;

QString number(qint64 value)
{
    return QString::number(value);
}

QJsonObject right(int id, int range, const QJsonArray& bumens = {})
{
    return QJsonObject{{QStringLiteral("id"), id},
                       {QStringLiteral("selected"), true},
                       {QStringLiteral("range"), range},
                       {QStringLiteral("bumens"), bumens}};
}

QJsonObject dept(int id, bool withDown)
{
    return QJsonObject{{QStringLiteral("dept_id"), id},
                       {QStringLiteral("dept_name"), QStringLiteral("部门%1").arg(id)},
                       {QStringLiteral("with_down"), withDown}};
}

} // namespace

// The listing manager's endpoints, and above all that the service itself refuses what the page
// would refuse: a request sent by hand can do no more than the page allows.
class TestHouseManagerRoutes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void listsByKindFilterAndPage();
    void otherCompaniesSeeNothing();
    void refusedWithoutRightEvenByHand_data();
    void refusedWithoutRightEvenByHand();
    void scopeDecidesPerHouse_data();
    void scopeDecidesPerHouse();
    void managerRunsEveryOperation();
    void deletedHouseLeavesNoLinks();
    void reviewAndRecommendNeedAReviewedHouse();
    void recommendNeedsTheSiteService();
    void houseBookDetailBehindAListing();
    void refusesBadInput_data();
    void refusesBadInput();

private:
    // The first house (by id) of 安居地产 matching the condition on site_houses; 0 when none.
    qint64 houseWhere(const QString& condition) const;
    QVariantMap house(qint64 id) const;
    int count(const QString& sql) const;
    bool execute(const QString& sql, const QVariantList& values) const;
    // Replaces the rights of the agent role (the staff member's) by these entries.
    bool setAgentRights(const QJsonArray& rights) const;
    QString agentRights() const;

    QScopedPointer<ReferenceService> m_service;
    Headers m_manager;
    Headers m_staff;
    QString m_agentRights; // as seeded
};

// One service for the suite: each test picks the houses it works on by their state, so the
// changes of one test never decide another's outcome.
void TestHouseManagerRoutes::initTestCase()
{
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    m_manager = m_service->login(kManager);
    m_staff = m_service->login(kStaff);
    QVERIFY(!m_manager.isEmpty());
    QVERIFY(!m_staff.isEmpty());
    m_agentRights = agentRights();
    QVERIFY(m_agentRights.contains(QLatin1String("\"id\":65")));
}

void TestHouseManagerRoutes::cleanupTestCase()
{
    QSqlDatabase::removeDatabase(QStringLiteral("inspect"));
    QCOMPARE(m_service->stop(), 0);
}

void TestHouseManagerRoutes::cleanup()
{
    QVERIFY(execute(QStringLiteral("UPDATE job_auth SET content = ? WHERE job_id = ?"), {m_agentRights, kAgentJob}));
}

qint64 TestHouseManagerRoutes::houseWhere(const QString& condition) const
{
    const QString sql = QStringLiteral("SELECT COALESCE(MIN(id), 0) FROM site_houses WHERE company_id = '10001' AND ")
                        + condition;
    return count(sql);
}

int TestHouseManagerRoutes::count(const QString& sql) const
{
    QSqlQuery query(m_service->inspect(QStringLiteral("inspect")));
    return query.exec(sql) && query.next() ? query.value(0).toInt() : -1;
}

QVariantMap TestHouseManagerRoutes::house(qint64 id) const
{
    QSqlQuery query(m_service->inspect(QStringLiteral("inspect")));
    query.prepare(QStringLiteral("SELECT * FROM site_houses WHERE id = ?"));
    query.addBindValue(id);
    QVariantMap row;
    if (query.exec() && query.next()) {
        for (int i = 0; i < query.record().count(); ++i)
            row.insert(query.record().fieldName(i), query.value(i));
    }
    return row;
}

bool TestHouseManagerRoutes::execute(const QString& sql, const QVariantList& values) const
{
    QSqlQuery query(m_service->inspect(QStringLiteral("inspect")));
    query.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    return query.exec();
}

QString TestHouseManagerRoutes::agentRights() const
{
    QSqlQuery query(m_service->inspect(QStringLiteral("inspect")));
    query.prepare(QStringLiteral("SELECT content FROM job_auth WHERE job_id = ?"));
    query.addBindValue(kAgentJob);
    return query.exec() && query.next() ? query.value(0).toString() : QString();
}

bool TestHouseManagerRoutes::setAgentRights(const QJsonArray& rights) const
{
    return execute(QStringLiteral("UPDATE job_auth SET content = ? WHERE job_id = ?"),
                   {QString::fromUtf8(QJsonDocument(rights).toJson(QJsonDocument::Compact)), kAgentJob});
}

void TestHouseManagerRoutes::listsByKindFilterAndPage()
{
    const int sale = count(QStringLiteral("SELECT COUNT(*) FROM site_houses WHERE company_id = '10001' AND kind = 0"));
    const int rent = count(QStringLiteral("SELECT COUNT(*) FROM site_houses WHERE company_id = '10001' AND kind = 1"));
    QVERIFY(sale > 20); // more than one page of the table
    QVERIFY(rent > 0);

    // Page 2 of the houses for sale holds the rest, newest first across the pages.
    const ReferenceService::Reply first =
        m_service->call(kList, {piece("type", QStringLiteral("0")), piece("pageindex", QStringLiteral("1")),
                                piece("pagesize", QStringLiteral("20"))}, m_staff);
    const ReferenceService::Reply second =
        m_service->call(kList, {piece("type", QStringLiteral("0")), piece("pageindex", QStringLiteral("2")),
                                piece("pagesize", QStringLiteral("20"))}, m_staff);
    QCOMPARE(first.code(), 200);
    QCOMPARE(first.total(), sale);
    const QJsonArray firstRows = first.rows();
    const QJsonArray secondRows = second.rows();
    QCOMPARE(firstRows.size(), 20);
    QCOMPARE(secondRows.size(), sale - 20);
    QVERIFY(firstRows.last().toObject().value(QStringLiteral("time")).toString()
            >= secondRows.first().toObject().value(QStringLiteral("time")).toString());

    // Every key the page reads, with the flags as booleans.
    const QJsonObject row = firstRows.first().toObject();
    for (const char* key : {"putup", "faburen", "faburenphone", "bookid", "storeid", "id", "tags", "picture",
                            "village", "title", "time", "price", "unitprice", "info", "sh", "shows", "tuijian"})
        QVERIFY2(row.contains(QString::fromUtf8(key)), key);
    QVERIFY(row.value(QStringLiteral("putup")).isBool());
    QVERIFY(row.value(QStringLiteral("tags")).isArray());

    // Taken down, with an estate: both filters hold for every row, and the count matches the store.
    const ReferenceService::Reply filtered =
        m_service->call(kList, {piece("type", QStringLiteral("0")), piece("pageindex", QStringLiteral("1")),
                                piece("pagesize", QStringLiteral("20")), piece("putup", QStringLiteral("0")),
                                piece("key", QStringLiteral("金房苑"))}, m_staff);
    const QJsonArray down = filtered.rows();
    QCOMPARE(down.size(), 1);
    QCOMPARE(down.first().toObject().value(QStringLiteral("village")).toString(), QStringLiteral("金房苑"));
    QCOMPARE(down.first().toObject().value(QStringLiteral("putup")).toBool(), false);

    // A search text is matched literally: "%" finds nothing instead of everything.
    const ReferenceService::Reply literal = m_service->call(
        kList, {piece("type", QStringLiteral("0")), piece("key", QStringLiteral("%"))}, m_staff);
    QCOMPARE(literal.total(), 0);

    const ReferenceService::Reply rents = m_service->call(kList, {piece("type", QStringLiteral("1"))}, m_staff);
    QCOMPARE(rents.total(), rent);
}

void TestHouseManagerRoutes::otherCompaniesSeeNothing()
{
    const Headers chongqing = m_service->login(QStringLiteral("13900000000"));
    const qint64 chengduHouse = houseWhere(QStringLiteral("sh = 1"));
    QVERIFY(chengduHouse > 0);

    const QJsonArray rows = m_service->call(kList, {piece("type", QStringLiteral("0"))}, chongqing).rows();
    QVERIFY(!rows.isEmpty());
    for (const QJsonValue& row : rows)
        QVERIFY(row.toObject().value(QStringLiteral("id")).toInt() != chengduHouse);

    // Their manager passes every right, yet cannot touch another company's house.
    const ReferenceService::Reply reply = m_service->call(kDelete, {piece("id", number(chengduHouse))}, chongqing);
    QCOMPARE(reply.code(), 405);
    QCOMPARE(reply.message(), QStringLiteral("该房源不存在或已被删除"));
    QVERIFY(!house(chengduHouse).isEmpty());
    const qint64 bookId = house(chengduHouse).value(QStringLiteral("bookid")).toLongLong();
    QCOMPARE(m_service->call(kBookDetail, {piece("id", number(bookId))}, chongqing).code(), 405);
}

void TestHouseManagerRoutes::refusedWithoutRightEvenByHand_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("condition"); // which house of 安居地产
    QTest::addColumn<QString>("extra");     // further pieces, "key=value"
    QTest::addColumn<QString>("column");    // the column that must stay as it was
    QTest::addColumn<QString>("message");

    // The staff member holds only right 65 for his own houses.
    QTest::newRow("delete own house (66)")
        << kDelete << QStringLiteral("publisher_phone = '13800000001' AND sh = 1") << QString() << QStringLiteral("id")
        << QStringLiteral("您没有对该房源删除的权限,如需操作请联系管理员！");
    QTest::newRow("take down another's house (65, scope 2)")
        << kClickStore << QStringLiteral("publisher_phone <> '13800000001' AND sh = 1 AND putup = 1") << QString()
        << QStringLiteral("putup") << QStringLiteral("您没有对该房源进行上下架的权限,如需操作请联系管理员！");
    QTest::newRow("review own house (93)")
        << kReview << QStringLiteral("publisher_phone = '13800000001' AND sh = 0") << QString() << QStringLiteral("sh")
        << QStringLiteral("您没有审核的权限，请联系管理员！");
    QTest::newRow("recommend own house (98)")
        << kRecommend << QStringLiteral("publisher_phone = '13800000001' AND sh = 1 AND tuijian = 0")
        << QStringLiteral("state=1") << QStringLiteral("tuijian")
        << QStringLiteral("您没有对该房源进行推荐到官网的权限,如需操作请联系管理员！");
    QTest::newRow("cancel the recommendation of own house (98)")
        << kRecommend << QStringLiteral("publisher_phone = '13800000001' AND tuijian = 1") << QStringLiteral("state=0")
        << QStringLiteral("tuijian") << QStringLiteral("您没有对该房源进行推荐到官网的权限,如需操作请联系管理员！");
}

void TestHouseManagerRoutes::refusedWithoutRightEvenByHand()
{
    QFETCH(QString, path);
    QFETCH(QString, condition);
    QFETCH(QString, extra);
    QFETCH(QString, column);
    QFETCH(QString, message);

    const qint64 id = houseWhere(condition);
    QVERIFY2(id > 0, qPrintable(condition));
    const QVariantMap before = house(id);

    Pieces pieces;
    if (path == kRecommend)
        pieces.append(piece("type", QStringLiteral("0")));
    pieces.append(piece("id", number(id)));
    if (!extra.isEmpty())
        pieces.append(qMakePair(extra.section(QLatin1Char('='), 0, 0), extra.section(QLatin1Char('='), 1)));

    const ReferenceService::Reply reply = m_service->call(path, pieces, m_staff);
    QCOMPARE(reply.httpStatus, 200);
    QCOMPARE(reply.code(), 405);
    QCOMPARE(reply.message(), message);
    const QVariantMap after = house(id);
    QVERIFY(!after.isEmpty());
    QCOMPARE(after.value(column), before.value(column));
}

void TestHouseManagerRoutes::scopeDecidesPerHouse_data()
{
    QTest::addColumn<QJsonObject>("grant");
    QTest::addColumn<int>("storeId");
    QTest::addColumn<bool>("allowed");

    // Stores of 安居地产: 3 春熙路店 over 4 and 5; 6 天府新区店 over 7. The staff member sits in 4.
    QTest::newRow("scope 0: every house") << right(65, 0) << 7 << true;
    QTest::newRow("scope 2: not another's") << right(65, 2) << 4 << false;
    QTest::newRow("scope 2: not even in his store") << right(65, 2) << 5 << false;
    QTest::newRow("scope 4: named department") << right(65, 4, {dept(5, false)}) << 5 << true;
    QTest::newRow("scope 4: not below one without with_down") << right(65, 4, {dept(3, false)}) << 5 << false;
    QTest::newRow("scope 5: below one with with_down") << right(65, 5, {dept(3, true)}) << 5 << true;
    QTest::newRow("scope 5: another branch") << right(65, 5, {dept(3, true)}) << 7 << false;
    QTest::newRow("stored 3 reads as 4") << right(65, 3, {dept(7, false)}) << 7 << true;
    QTest::newRow("scope 6: own department") << right(65, 6) << 4 << true;
    QTest::newRow("stored 1 reads as 6") << right(65, 1) << 5 << false;
    QTest::newRow("unknown scope") << right(65, 9) << 4 << false;
    QJsonObject notGranted = right(65, 0);
    notGranted.insert(QStringLiteral("selected"), false);
    QTest::newRow("not granted") << notGranted << 4 << false;
    QTest::newRow("another right only") << right(66, 0) << 4 << false;
}

void TestHouseManagerRoutes::scopeDecidesPerHouse()
{
    QFETCH(QJsonObject, grant);
    QFETCH(int, storeId);
    QFETCH(bool, allowed);

    QVERIFY(setAgentRights({grant}));
    // A house of that store published by someone else, so only the scope can let him pass.
    const qint64 id = houseWhere(
        QStringLiteral("store_id = %1 AND publisher_phone <> '13800000001' AND sh = 1").arg(storeId));
    QVERIFY(id > 0);
    const int putup = house(id).value(QStringLiteral("putup")).toInt();

    const ReferenceService::Reply reply = m_service->call(kClickStore, {piece("id", number(id))}, m_staff);
    QCOMPARE(reply.code(), allowed ? 200 : 405);
    QCOMPARE(house(id).value(QStringLiteral("putup")).toInt(), allowed ? 1 - putup : putup);
}

void TestHouseManagerRoutes::managerRunsEveryOperation()
{
    // Take down and put up again.
    const qint64 shown = houseWhere(QStringLiteral("sh = 1 AND putup = 1 AND tuijian = 0"));
    QCOMPARE(m_service->call(kClickStore, {piece("id", number(shown))}, m_manager).code(), 200);
    QCOMPARE(house(shown).value(QStringLiteral("putup")).toInt(), 0);
    QCOMPARE(m_service->call(kClickStore, {piece("id", number(shown))}, m_manager).code(), 200);
    QCOMPARE(house(shown).value(QStringLiteral("putup")).toInt(), 1);

    // Recommend, then cancel.
    QCOMPARE(m_service->call(kRecommend, {piece("type", QStringLiteral("0")), piece("id", number(shown)),
                                          piece("state", QStringLiteral("1"))}, m_manager).code(),
             200);
    QCOMPARE(house(shown).value(QStringLiteral("tuijian")).toInt(), 1);
    QCOMPARE(m_service->call(kRecommend, {piece("type", QStringLiteral("0")), piece("id", number(shown)),
                                          piece("state", QStringLiteral("0"))}, m_manager).code(),
             200);
    QCOMPARE(house(shown).value(QStringLiteral("tuijian")).toInt(), 0);

    // Approving a waiting house puts it on the site.
    const qint64 waiting = houseWhere(QStringLiteral("sh = 0 AND publisher_phone <> '13800000001'"));
    QCOMPARE(m_service->call(kReview, {piece("id", number(waiting))}, m_manager).code(), 200);
    QCOMPARE(house(waiting).value(QStringLiteral("sh")).toInt(), 1);
    QCOMPARE(house(waiting).value(QStringLiteral("putup")).toInt(), 1);

    // Deleting removes the site entry only; the house stays in the house book.
    const qint64 bookId = house(shown).value(QStringLiteral("bookid")).toLongLong();
    QVERIFY(bookId > 0);
    QCOMPARE(m_service->call(kDelete, {piece("id", number(shown))}, m_manager).code(), 200);
    QVERIFY(house(shown).isEmpty());
    QCOMPARE(m_service->call(kBookDetail, {piece("id", number(bookId))}, m_manager).code(), 200);
    QCOMPARE(m_service->call(kDelete, {piece("id", number(shown))}, m_manager).message(),
             QStringLiteral("该房源不存在或已被删除"));
}

// The adverts that linked to a deleted house open the house list instead, and topics drop it,
// so no link is left for a later record to be mistaken for.
void TestHouseManagerRoutes::deletedHouseLeavesNoLinks()
{
    const QString grouping = QStringLiteral("SELECT COUNT(*) FROM site_topics WHERE company_id = '10001'"
                                            " AND houseid LIKE '%\"id\":%1,%'");
    const qint64 linked = houseWhere(QStringLiteral(
        "id IN (SELECT itemid FROM carousel_ads WHERE company_id = '10001' AND type = 2 + site_houses.kind)"
        " AND EXISTS(SELECT 1 FROM site_topics t WHERE t.company_id = '10001'"
        " AND t.houseid LIKE '%\"id\":' || site_houses.id || ',%')"));
    QVERIFY(linked > 0);
    const QString advertsOf = QStringLiteral("SELECT COUNT(*) FROM carousel_ads WHERE company_id = '10001'"
                                             " AND type IN (2, 3) AND itemid = %1");
    const int adverts = count(QStringLiteral("SELECT COUNT(*) FROM carousel_ads"));
    QVERIFY(count(advertsOf.arg(linked)) > 0);
    QVERIFY(count(grouping.arg(linked)) > 0);
    const int topics = count(QStringLiteral("SELECT COUNT(*) FROM site_topics"));

    QCOMPARE(m_service->call(kDelete, {piece("id", number(linked))}, m_manager).code(), 200);
    QCOMPARE(count(advertsOf.arg(linked)), 0);
    QCOMPARE(count(grouping.arg(linked)), 0);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM carousel_ads")), adverts);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM site_topics")), topics);
}

void TestHouseManagerRoutes::reviewAndRecommendNeedAReviewedHouse()
{
    // Nothing that waits for review reaches the site, whoever asks.
    const qint64 waiting = houseWhere(QStringLiteral("sh = 0"));
    const ReferenceService::Reply up = m_service->call(kClickStore, {piece("id", number(waiting))}, m_manager);
    QCOMPARE(up.code(), 405);
    QCOMPARE(up.message(), QStringLiteral("该房源尚未审核，不能上架"));
    const ReferenceService::Reply recommended = m_service->call(
        kRecommend, {piece("type", QStringLiteral("0")), piece("id", number(waiting)), piece("state", QStringLiteral("1"))},
        m_manager);
    QCOMPARE(recommended.code(), 405);
    QCOMPARE(recommended.message(), QStringLiteral("该房源尚未审核，不能推荐"));
    const QVariantMap row = house(waiting);
    QCOMPARE(row.value(QStringLiteral("putup")).toInt(), 0);
    QCOMPARE(row.value(QStringLiteral("tuijian")).toInt(), 0);
}

void TestHouseManagerRoutes::recommendNeedsTheSiteService()
{
    // 蓉城房产's site service is closed: its manager is told so, whatever the house.
    const Headers closed = m_service->login(QStringLiteral("13700000000"));
    const QVariant before = house(1).value(QStringLiteral("tuijian"));
    QVERIFY(before.isValid());
    const ReferenceService::Reply reply = m_service->call(
        kRecommend, {piece("type", QStringLiteral("0")), piece("id", QStringLiteral("1")), piece("state", QStringLiteral("1"))},
        closed);
    QCOMPARE(reply.code(), 405);
    QCOMPARE(reply.message(), QStringLiteral("您尚未开通官网服务！"));
    QCOMPARE(house(1).value(QStringLiteral("tuijian")), before);
}

void TestHouseManagerRoutes::houseBookDetailBehindAListing()
{
    const qint64 id = houseWhere(QStringLiteral("bookid > 0 AND kind = 1"));
    const QVariantMap listing = house(id);
    const ReferenceService::Reply reply =
        m_service->call(kBookDetail, {piece("id", listing.value(QStringLiteral("bookid")).toString())}, m_staff);
    QCOMPARE(reply.code(), 200);
    const QJsonObject detail = reply.data().toObject();
    QCOMPARE(detail.value(QStringLiteral("id")).toVariant().toLongLong(), listing.value(QStringLiteral("bookid")).toLongLong());
    QCOMPARE(detail.value(QStringLiteral("kind")).toInt(), 1);
    QCOMPARE(detail.value(QStringLiteral("name")).toString(), listing.value(QStringLiteral("village")).toString());
    QCOMPARE(detail.value(QStringLiteral("price")).toDouble(), listing.value(QStringLiteral("price")).toDouble());
    QVERIFY(!detail.contains(QStringLiteral("company_id")));
    QVERIFY(detail.value(QStringLiteral("contacts")).isArray());

    // Houses on the site only have no record behind them.
    QVERIFY(houseWhere(QStringLiteral("bookid = 0")) > 0);
    QCOMPARE(m_service->call(kBookDetail, {piece("id", QStringLiteral("0"))}, m_staff).code(), 405);
}

void TestHouseManagerRoutes::refusesBadInput_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("body");

    QTest::newRow("list: type 2") << kList << QByteArray("type=2");
    QTest::newRow("list: page 0") << kList << QByteArray("type=0&pageindex=0");
    QTest::newRow("list: page size 1000") << kList << QByteArray("type=0&pagesize=1000");
    QTest::newRow("list: putup 2") << kList << QByteArray("type=0&putup=2");
    QTest::newRow("put up: no id") << kClickStore << QByteArray();
    QTest::newRow("put up: id text") << kClickStore << QByteArray("id=1%20OR%201=1");
    QTest::newRow("delete: negative id") << kDelete << QByteArray("id=-1");
    QTest::newRow("review: unknown id") << kReview << QByteArray("id=999999");
    QTest::newRow("recommend: state 2") << kRecommend << QByteArray("type=0&id=1&state=2");
    QTest::newRow("recommend: no state") << kRecommend << QByteArray("type=0&id=1");
}

void TestHouseManagerRoutes::refusesBadInput()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, body);
    const int houses = count(QStringLiteral("SELECT COUNT(*) FROM site_houses"));
    const int changed = count(QStringLiteral("SELECT SUM(putup + sh * 2 + tuijian * 4) FROM site_houses"));

    const ReferenceService::Reply reply = m_service->post(path, body, m_manager);
    QCOMPARE(reply.code(), 405);
    QVERIFY(!reply.message().isEmpty());
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM site_houses")), houses);
    QCOMPARE(count(QStringLiteral("SELECT SUM(putup + sh * 2 + tuijian * 4) FROM site_houses")), changed);
}

QTEST_GUILESS_MAIN(TestHouseManagerRoutes)
#include "tst_housemanagerroutes.moc"
