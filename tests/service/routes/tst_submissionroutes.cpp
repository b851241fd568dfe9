#include "support/service/ReferenceService.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QScopedPointer>
#include <QSet>
#include <QTest>

namespace {

using Headers = ReferenceService::Headers;
using Pieces = ReferenceService::Pieces;

const QString kOwners = QStringLiteral("api/mtore/mzposts");
const QString kDemands = QStringLiteral("api/mtore/gzposts");

Pieces paging(const QString& type, const QString& pageSize, const QString& pageIndex)
{
    return {piece("type", type), piece("pagesize", pageSize), piece("pageindex", pageIndex)};
}

} // namespace

class TestSubmissionRoutes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void pagesOfSeededRows_data();
    void pagesOfSeededRows();
    void ownerRowKeys();
    void photosAreServed();
    void demandFieldsAreText();
    void otherCompanySeesOnlyItsRows();
    void refusesBadParameters_data();
    void refusesBadParameters();
    void needsSession();

private:
    QScopedPointer<ReferenceService> m_service;
    Headers m_anju;      // 安居地产, 成都
    Headers m_shancheng; // 山城置业, 重庆
};

void TestSubmissionRoutes::initTestCase()
{
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    m_anju = m_service->login(QStringLiteral("13800000000"));
    m_shancheng = m_service->login(QStringLiteral("13900000000"));
    QVERIFY(!m_anju.isEmpty());
    QVERIFY(!m_shancheng.isEmpty());
}

void TestSubmissionRoutes::cleanupTestCase()
{
    QCOMPARE(m_service->stop(), 0);
}

void TestSubmissionRoutes::pagesOfSeededRows_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("total");

    QTest::newRow("houses to sell") << kOwners << QStringLiteral("0") << 41;
    QTest::newRow("houses to let") << kOwners << QStringLiteral("1") << 25;
    QTest::newRow("buying demands") << kDemands << QStringLiteral("0") << 30;
    QTest::newRow("renting demands") << kDemands << QStringLiteral("1") << 20;
}

// Every page holds its share of the rows, newest first, and together the pages hold each row once.
void TestSubmissionRoutes::pagesOfSeededRows()
{
    QFETCH(QString, path);
    QFETCH(QString, type);
    QFETCH(int, total);

    QList<qint64> seen;
    QString previousTime;
    const int pages = (total + 19) / 20;
    for (int index = 1; index <= pages + 1; ++index) {
        const ReferenceService::Reply reply =
            m_service->call(path, paging(type, QStringLiteral("20"), QString::number(index)), m_anju);
        QCOMPARE(reply.httpStatus, 200);
        QCOMPARE(reply.code(), 200);
        QCOMPARE(reply.total(), total);
        const QJsonArray rows = reply.rows();
        QCOMPARE(rows.size(), qBound(0, total - (index - 1) * 20, 20));
        for (const QJsonValue& row : rows) {
            const QString time = row.toObject().value(QStringLiteral("time")).toString();
            QVERIFY2(previousTime.isEmpty() || time <= previousTime, qPrintable(time));
            previousTime = time;
        }
        seen += reply.ids();
    }
    QCOMPARE(seen.size(), total);
    QCOMPARE(QSet<qint64>(seen.begin(), seen.end()).size(), total);

    // Another page size cuts the same rows differently.
    const ReferenceService::Reply small =
        m_service->call(path, paging(type, QStringLiteral("7"), QStringLiteral("2")), m_anju);
    QCOMPARE(small.ids(), seen.mid(7, 7));
}

void TestSubmissionRoutes::ownerRowKeys()
{
    const ReferenceService::Reply sale =
        m_service->call(kOwners, paging(QStringLiteral("0"), QStringLiteral("20"), QStringLiteral("1")), m_anju);
    const QJsonObject row = sale.rows().first().toObject();
    for (const char* key : {"type", "name", "phone", "housename", "buildingNo", "unitNo", "roomNo", "districtstr",
                            "areastr", "address", "hutype", "renovation", "housetype", "remark", "toward", "payway",
                            "rentway", "time"})
        QVERIFY2(row.value(QString::fromUtf8(key)).isString(), key);
    for (const char* key : {"id", "floors", "allfloors", "price", "unitprice", "builtuparea"})
        QVERIFY2(row.value(QString::fromUtf8(key)).isDouble(), key);
    QVERIFY(row.value(QStringLiteral("imgurl")).isArray());
    QCOMPARE(row.value(QStringLiteral("type")).toString(), QStringLiteral("出售"));
    QVERIFY(row.value(QStringLiteral("floors")).toInt() <= row.value(QStringLiteral("allfloors")).toInt());
    QVERIFY(row.value(QStringLiteral("price")).toDouble() > 0);

    const ReferenceService::Reply rent =
        m_service->call(kOwners, paging(QStringLiteral("1"), QStringLiteral("20"), QStringLiteral("1")), m_anju);
    const QJsonArray rentRows = rent.rows();
    QCOMPARE(rentRows.first().toObject().value(QStringLiteral("type")).toString(), QStringLiteral("出租"));
    bool anyPayway = false;
    for (const QJsonValue& r : rentRows)
        anyPayway = anyPayway || !r.toObject().value(QStringLiteral("payway")).toString().isEmpty();
    QVERIFY(anyPayway);
}

// The demo rows carry 0, 1 and 3 photos, and each address answers with a picture.
void TestSubmissionRoutes::photosAreServed()
{
    const ReferenceService::Reply reply =
        m_service->call(kOwners, paging(QStringLiteral("0"), QStringLiteral("20"), QStringLiteral("1")), m_anju);
    QSet<int> counts;
    QString address;
    for (const QJsonValue& row : reply.rows()) {
        const QJsonArray photos = row.toObject().value(QStringLiteral("imgurl")).toArray();
        counts.insert(photos.size());
        for (const QJsonValue& photo : photos) {
            QVERIFY(photo.toString().startsWith(m_service->baseUrl() + QStringLiteral("files/")));
            address = photo.toString();
        }
    }
    QVERIFY(counts.contains(0));
    QVERIFY(counts.contains(1));
    QVERIFY(counts.contains(3));

    const ReferenceService::Reply picture = m_service->get(address);
    QCOMPARE(picture.httpStatus, 200);
    QImage image;
    QVERIFY(image.loadFromData(picture.body));
    QVERIFY(image.width() > 100 && image.height() > 100);
}

void TestSubmissionRoutes::demandFieldsAreText()
{
    const ReferenceService::Reply reply =
        m_service->call(kDemands, paging(QStringLiteral("1"), QStringLiteral("20"), QStringLiteral("1")), m_anju);
    const QJsonArray rows = reply.rows();
    QSet<QString> sexes;
    for (const QJsonValue& value : rows) {
        const QJsonObject row = value.toObject();
        QVERIFY(row.value(QStringLiteral("id")).isDouble());
        for (const QString& key : row.keys()) {
            if (key != QLatin1String("id"))
                QVERIFY2(row.value(key).isString(), qPrintable(key));
        }
        QCOMPARE(row.value(QStringLiteral("type")).toString(), QStringLiteral("求租"));
        QVERIFY(row.value(QStringLiteral("price")).toString().toInt() < row.value(QStringLiteral("tprice")).toString().toInt());
        sexes.insert(row.value(QStringLiteral("sex")).toString());
    }
    QCOMPARE(sexes, QSet<QString>({QStringLiteral("0"), QStringLiteral("1")}));
}

void TestSubmissionRoutes::otherCompanySeesOnlyItsRows()
{
    for (const QString& path : {kOwners, kDemands}) {
        for (const QString& type : {QStringLiteral("0"), QStringLiteral("1")}) {
            const auto theirs =
                m_service->call(path, paging(type, QStringLiteral("100"), QStringLiteral("1")), m_shancheng);
            const auto ours = m_service->call(path, paging(type, QStringLiteral("100"), QStringLiteral("1")), m_anju);
            const QList<qint64> theirIds = theirs.ids();
            const QList<qint64> ourIds = ours.ids();
            QVERIFY(!theirIds.isEmpty());
            QCOMPARE(theirs.total(), theirIds.size());
            QVERIFY(theirIds.size() < 5);
            for (qint64 id : theirIds)
                QVERIFY(!ourIds.contains(id));
        }
    }
    // 重庆's houses are in 重庆's districts.
    const auto houses =
        m_service->call(kOwners, paging(QStringLiteral("0"), QStringLiteral("20"), QStringLiteral("1")), m_shancheng);
    for (const QJsonValue& row : houses.rows()) {
        const QString district = row.toObject().value(QStringLiteral("districtstr")).toString();
        QVERIFY2(QStringList({QStringLiteral("渝中区"), QStringLiteral("江北区"), QStringLiteral("南岸区")}).contains(district),
                 qPrintable(district));
    }
}

void TestSubmissionRoutes::refusesBadParameters_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("message");

    QTest::newRow("no type") << QByteArray("pagesize=20&pageindex=1") << QStringLiteral("缺少参数：类型");
    QTest::newRow("type 2") << QByteArray("type=2&pagesize=20&pageindex=1") << QStringLiteral("参数超出范围：类型");
    QTest::newRow("type text") << QByteArray("type=x&pagesize=20&pageindex=1") << QStringLiteral("参数格式错误：类型");
    QTest::newRow("page size 0") << QByteArray("type=0&pagesize=0&pageindex=1") << QStringLiteral("参数超出范围：每页条数");
    QTest::newRow("page size 101") << QByteArray("type=0&pagesize=101&pageindex=1") << QStringLiteral("参数超出范围：每页条数");
    QTest::newRow("page 0") << QByteArray("type=0&pagesize=20&pageindex=0") << QStringLiteral("参数超出范围：页码");
    QTest::newRow("page -1") << QByteArray("type=1&pagesize=20&pageindex=-1") << QStringLiteral("参数超出范围：页码");
    QTest::newRow("page as text") << QByteArray("type=1&pagesize=20&pageindex=1%3B") << QStringLiteral("参数格式错误：页码");
    QTest::newRow("huge page") << QByteArray("type=1&pagesize=20&pageindex=99999999999999999999")
                               << QStringLiteral("参数格式错误：页码");
}

void TestSubmissionRoutes::refusesBadParameters()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, message);
    for (const QString& path : {kOwners, kDemands}) {
        const ReferenceService::Reply reply = m_service->post(path, body, m_anju);
        QCOMPARE(reply.httpStatus, 200);
        QCOMPARE(reply.code(), 405);
        QCOMPARE(reply.message(), message);
    }
}

void TestSubmissionRoutes::needsSession()
{
    for (const QString& path : {kOwners, kDemands}) {
        const ReferenceService::Reply reply = m_service->post(path, QByteArray("type=0&pagesize=20&pageindex=1"));
        QCOMPARE(reply.code(), 400);
        QVERIFY(reply.data().isNull() || reply.data().isUndefined() || !reply.data().toObject().contains(QStringLiteral("data")));
    }
}

QTEST_GUILESS_MAIN(TestSubmissionRoutes)
#include "tst_submissionroutes.moc"
