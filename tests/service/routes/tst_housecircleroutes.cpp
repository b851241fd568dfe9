#include "support/service/ReferenceService.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QScopedPointer>
#include <QTest>

#include <algorithm>
#include <functional>

namespace {

using Headers = ReferenceService::Headers;
using Pieces = ReferenceService::Pieces;

const QString kCircle = QStringLiteral("api/app/housegrouppostst");

QList<qint64> range(qint64 from, qint64 to)
{
    QList<qint64> ids;
    for (qint64 id = from; id <= to; ++id)
        ids.append(id);
    return ids;
}

} // namespace

class TestHouseCircleRoutes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void needsSession();
    void pickerPageOfTwentyNewestFirst();
    void filters_data();
    void filters();
    void refused_data();
    void refused();
    void onlyTheCompanysCircle();
    void oneHouseByIdAndKind();

private:
    QScopedPointer<ReferenceService> m_service;
    Headers m_rongcheng; // 蓉城房产 (30728), the company in a circle
    Headers m_manager;   // 安居地产's manager
};

void TestHouseCircleRoutes::initTestCase()
{
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    m_rongcheng = m_service->login(QStringLiteral("13700000000"));
    m_manager = m_service->login(QStringLiteral("13800000000"));
    QVERIFY(!m_rongcheng.isEmpty() && !m_manager.isEmpty());
}

void TestHouseCircleRoutes::cleanupTestCase()
{
    QCOMPARE(m_service->stop(), 0);
}

void TestHouseCircleRoutes::needsSession()
{
    QCOMPARE(m_service->call(kCircle, {piece("type", 0)}, {}).code(), 400);
}

void TestHouseCircleRoutes::pickerPageOfTwentyNewestFirst()
{
    // The picker's own request.
    const Pieces picker = {piece("type", 0), piece("mtype", 0), piece("pageindex", 1), piece("pagesize", 20)};
    const ReferenceService::Reply reply = m_service->call(kCircle, picker, m_rongcheng);
    QCOMPARE(reply.code(), 200);
    QCOMPARE(reply.total(), 24);
    QCOMPARE(reply.ids(), range(1, 20));
    const QJsonObject newest = reply.rows().first().toObject();
    QCOMPARE(newest.value(QStringLiteral("title")).toString(), QStringLiteral("玉林小区 老三室 生活方便"));
    QCOMPARE(newest.value(QStringLiteral("housename")).toString(), QStringLiteral("玉林小区"));
    QCOMPARE(newest.value(QStringLiteral("company")).toString(), QStringLiteral("蓉城房产"));
    QVERIFY(newest.value(QStringLiteral("own")).toBool());
    for (const char* key : {"dongno", "danyuan", "fangno", "hutype", "price", "time"})
        QVERIFY2(!newest.value(QLatin1String(key)).toString().isEmpty(), key);
    QCOMPARE(newest.value(QStringLiteral("mianji")).toDouble(), 88.0);
    QStringList times = reply.texts(QStringLiteral("time"));
    QStringList sorted = times;
    std::sort(sorted.begin(), sorted.end(), std::greater<QString>());
    QCOMPARE(times, sorted);

    QCOMPARE(m_service->call(kCircle, {piece("pageindex", 2)}, m_rongcheng).ids(), range(21, 24));
    const ReferenceService::Reply rent = m_service->call(kCircle, {piece("type", 1)}, m_rongcheng);
    QCOMPARE(rent.total(), 6);
    QCOMPARE(rent.ids(), range(25, 30));
}

void TestHouseCircleRoutes::filters_data()
{
    QTest::addColumn<Pieces>("filter");
    QTest::addColumn<QList<qint64>>("ids");

    QTest::newRow("estate") << Pieces{piece("housename", QStringLiteral("玉林小区"))} << QList<qint64>({1, 2, 9, 21});
    // The title counts too: "致民路 两室 步行到玉林".
    QTest::newRow("estate or title") << Pieces{piece("housename", QStringLiteral("玉林"))}
                                     << QList<qint64>({1, 2, 6, 9, 13, 21});
    QTest::newRow("house id") << Pieces{piece("houseid", 3)} << QList<qint64>({3});
    QTest::newRow("house id of a rent") << Pieces{piece("houseid", 25)} << QList<qint64>();
    QTest::newRow("building") << Pieces{piece("dongno", QStringLiteral("5"))} << QList<qint64>({1, 2});
    QTest::newRow("building and room")
        << Pieces{piece("dongno", QStringLiteral("5")), piece("fangno", QStringLiteral("601"))} << QList<qint64>({1});
    QTest::newRow("building of letters") << Pieces{piece("dongno", QStringLiteral("B"))} << QList<qint64>({3});
    QTest::newRow("own shares") << Pieces{piece("mtype", 1)} << QList<qint64>({1, 5, 9, 13, 17, 21});
    QTest::newRow("own shares of an estate")
        << Pieces{piece("mtype", 1), piece("housename", QStringLiteral("玉林小区"))} << QList<qint64>({1, 9, 21});
    QTest::newRow("others' shares of an estate")
        << Pieces{piece("mtype", 2), piece("housename", QStringLiteral("玉林小区"))} << QList<qint64>({2});
    QTest::newRow("blank boxes are no filter")
        << Pieces{piece("housename", QStringLiteral(" ")), piece("dongno", QString()), piece("houseid", QString())}
        << range(1, 24);
    QTest::newRow("wildcards taken literally") << Pieces{piece("housename", QStringLiteral("%"))} << QList<qint64>();
    QTest::newRow("awkward text") << Pieces{piece("housename", QStringLiteral("玉林&dongno=5"))} << QList<qint64>();
}

void TestHouseCircleRoutes::filters()
{
    QFETCH(Pieces, filter);
    QFETCH(QList<qint64>, ids);
    const ReferenceService::Reply reply = m_service->call(kCircle, Pieces{piece("pagesize", 50)} + filter, m_rongcheng);
    QCOMPARE(reply.code(), 200);
    QCOMPARE(reply.ids(), ids);
    QCOMPARE(reply.total(), ids.size());
}

void TestHouseCircleRoutes::refused_data()
{
    QTest::addColumn<Pieces>("pieces");
    QTest::addColumn<QString>("message");

    QTest::newRow("type 2") << Pieces{piece("type", 2)} << QStringLiteral("参数超出范围：房源类型");
    QTest::newRow("mtype 3") << Pieces{piece("mtype", 3)} << QStringLiteral("参数超出范围：房源范围");
    QTest::newRow("house id of text") << Pieces{piece("houseid", QStringLiteral("FY001"))}
                                      << QStringLiteral("参数格式错误：房源编号");
    QTest::newRow("house id 0") << Pieces{piece("houseid", 0)} << QStringLiteral("参数超出范围：房源编号");
    QTest::newRow("page 0") << Pieces{piece("pageindex", 0)} << QStringLiteral("参数超出范围：页码");
    QTest::newRow("101 a page") << Pieces{piece("pagesize", 101)} << QStringLiteral("参数超出范围：每页条数");
    QTest::newRow("building too long") << Pieces{piece("dongno", QString(21, QLatin1Char('1')))}
                                       << QStringLiteral("参数过长：dongno");
}

void TestHouseCircleRoutes::refused()
{
    QFETCH(Pieces, pieces);
    QFETCH(QString, message);
    const ReferenceService::Reply reply = m_service->call(kCircle, pieces, m_rongcheng);
    QCOMPARE(reply.code(), 405);
    QCOMPARE(reply.message(), message);
}

void TestHouseCircleRoutes::onlyTheCompanysCircle()
{
    // 安居地产 is in no circle: an empty list, not another company's houses.
    const ReferenceService::Reply reply = m_service->call(kCircle, {piece("type", 0)}, m_manager);
    QCOMPARE(reply.code(), 200);
    QCOMPARE(reply.total(), 0);
    QCOMPARE(reply.rows().size(), 0);
    QCOMPARE(m_service->call(kCircle, {piece("houseid", 1)}, m_manager).total(), 0);
    QCOMPARE(m_service->call(kCircle, {piece("companyid", QStringLiteral("30728"))}, m_manager).code(), 405);
}

void TestHouseCircleRoutes::oneHouseByIdAndKind()
{
    const QString detail = QStringLiteral("api/app/housegroupdetail");
    const ReferenceService::Reply rent = m_service->call(detail, {piece("id", 25), piece("type", 1)}, m_rongcheng);
    QCOMPARE(rent.code(), 200);
    const QJsonObject house = rent.data().toObject();
    QCOMPARE(house.value(QStringLiteral("id")).toInt(), 25);
    QCOMPARE(house.value(QStringLiteral("type")).toInt(), 1);
    QCOMPARE(house.value(QStringLiteral("title")).toString(), QStringLiteral("玉林小区 两室 可养宠物"));
    QCOMPARE(house.value(QStringLiteral("price")).toString(), QStringLiteral("2300"));
    QCOMPARE(house.value(QStringLiteral("mianji")).toDouble(), 65.0);
    // The same list row, key for key.
    const QJsonObject row =
        m_service->call(kCircle, {piece("type", 1), piece("houseid", 25)}, m_rongcheng).rows().first().toObject();
    for (const QString& key : row.keys())
        QCOMPARE(house.value(key), row.value(key));

    const QString missing = QStringLiteral("该房源不存在或已被删除");
    // A house for rent is no house for sale; another company's circle is not there.
    QCOMPARE(m_service->call(detail, {piece("id", 25), piece("type", 0)}, m_rongcheng).message(), missing);
    QCOMPARE(m_service->call(detail, {piece("id", 25), piece("type", 1)}, m_manager).message(), missing);
    QCOMPARE(m_service->call(detail, {piece("id", 9999), piece("type", 0)}, m_rongcheng).message(), missing);
    QCOMPARE(m_service->call(detail, {piece("id", 1), piece("type", 2)}, m_rongcheng).message(),
             QStringLiteral("参数超出范围：房源类型"));
    QCOMPARE(m_service->call(detail, {piece("id", 1)}, m_rongcheng).code(), 405);
    QCOMPARE(m_service->call(detail, {piece("id", 1), piece("type", 0)}, {}).code(), 400);
}

QTEST_GUILESS_MAIN(TestHouseCircleRoutes)
#include "tst_housecircleroutes.moc"
