#include "support/service/ReferenceService.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopedPointer>
#include <QTest>

namespace {

using Headers = ReferenceService::Headers;
using Pieces = ReferenceService::Pieces;

// A complete house as the house book component sends it.
Pieces house(const QString& sourceId, const QString& kind = QStringLiteral("0"))
{
    return {piece("kind", kind),
            piece("source_type", QString()),
            piece("source_id", sourceId),
            piece("is_show_community", QStringLiteral("true")),
            piece("name", QStringLiteral("阳光花园 A&B=C+D")),
            piece("buildingNo", QStringLiteral("3")),
            piece("unitNo", QStringLiteral("2")),
            piece("roomNo", QStringLiteral("301")),
            piece("district", QStringLiteral("锦江区")),
            piece("area", QStringLiteral("春熙路")),
            piece("address", QStringLiteral("红星路 #100% 号")),
            piece("floors", QStringLiteral("5")),
            piece("allfloors", QStringLiteral("18")),
            piece("hutype", QStringLiteral("3室2厅")),
            piece("price", QStringLiteral("89.5")),
            piece("unitprice", QStringLiteral("12000")),
            piece("builtuparea", QStringLiteral("120")),
            piece("renovation", QStringLiteral("精装")),
            piece("housetype", QStringLiteral("住宅")),
            piece("remark", QStringLiteral("急售")),
            piece("toward", QStringLiteral("南")),
            piece("payway", QString()),
            piece("rentway", QString()),
            piece("contacts", QStringLiteral("[{\"name\":\"张\\\"三\",\"level\":\"先生\",\"phone\":\"13911112222\"}]")),
            piece("source", QStringLiteral("网络")),
            piece("photo", QStringLiteral("http://a/1.jpg,http://a/2.jpg"))};
}

Pieces customer(const QString& phone, const QString& kind = QStringLiteral("1"))
{
    return {piece("kind", kind),           piece("name", QStringLiteral("李四")),
            piece("phone", phone),         piece("sex", QStringLiteral("女")),
            piece("needarea", QStringLiteral("高新区")), piece("mianji", QStringLiteral("80")),
            piece("tmianji", QStringLiteral("120")), piece("price", QStringLiteral("100")),
            piece("tprice", QStringLiteral("150.5")), piece("floor", QStringLiteral("3")),
            piece("tfloor", QStringLiteral("")),      piece("remark", QStringLiteral("学区 & 地铁"))};
}

Pieces replaced(Pieces pieces, const QString& key, const QString& value)
{
    for (auto& p : pieces) {
        if (p.first == key)
            p.second = value;
    }
    return pieces;
}

Pieces without(Pieces pieces, const QString& key)
{
    for (int i = pieces.size() - 1; i >= 0; --i) {
        if (pieces.at(i).first == key)
            pieces.removeAt(i);
    }
    return pieces;
}

} // namespace

class TestBookRoutes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void houseRoundTrip();
    void houseKeptOncePerSubmission();
    void houseRefused_data();
    void houseRefused();
    void customerRoundTrip();
    void customerRefused_data();
    void customerRefused();
    void tenancyAndPaging();
    void sessionRequired_data();
    void sessionRequired();
    void componentDownloadNotOffered();

private:
    QJsonArray list(const QString& path, const Headers& headers, const QByteArray& query = QByteArray(),
                    int* total = nullptr);

    QScopedPointer<ReferenceService> m_service;
    Headers m_manager;
};

void TestBookRoutes::initTestCase()
{
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    m_manager = m_service->login(QStringLiteral("13800000000"));
    QVERIFY(!m_manager.isEmpty());
}

void TestBookRoutes::cleanupTestCase()
{
    QVERIFY(m_service->isRunning());
    QCOMPARE(m_service->stop(), 0);
}

QJsonArray TestBookRoutes::list(const QString& path, const Headers& headers, const QByteArray& query, int* total)
{
    const ReferenceService::Reply reply = m_service->post(path, query, headers);
    if (reply.code() != 200)
        return {};
    if (total)
        *total = reply.total();
    return reply.rows();
}

void TestBookRoutes::houseRoundTrip()
{
    const ReferenceService::Reply added =
        m_service->post(QStringLiteral("api/hbook/add"), ReferenceService::form(house(QStringLiteral("7"))), m_manager);
    QCOMPARE(added.code(), 200);
    QVERIFY(added.data().toObject().value(QStringLiteral("id")).toInt() > 0);

    const QJsonArray rows = list(QStringLiteral("api/hbook/posts"), m_manager, "kind=0");
    QVERIFY(!rows.isEmpty());
    const QJsonObject stored = rows.first().toObject();
    // Every value arrives as it was sent, the awkward characters included.
    QCOMPARE(stored.value(QStringLiteral("name")).toString(), QStringLiteral("阳光花园 A&B=C+D"));
    QCOMPARE(stored.value(QStringLiteral("address")).toString(), QStringLiteral("红星路 #100% 号"));
    QCOMPARE(stored.value(QStringLiteral("source_id")).toString(), QStringLiteral("7"));
    QCOMPARE(stored.value(QStringLiteral("floors")).toInt(), 5);
    QCOMPARE(stored.value(QStringLiteral("allfloors")).toInt(), 18);
    QCOMPARE(stored.value(QStringLiteral("price")).toDouble(), 89.5);
    QCOMPARE(stored.value(QStringLiteral("builtuparea")).toDouble(), 120.0);
    QCOMPARE(stored.value(QStringLiteral("is_show_community")).toBool(), true);
    QCOMPARE(stored.value(QStringLiteral("photo")).toString(), QStringLiteral("http://a/1.jpg,http://a/2.jpg"));
    const QJsonArray contacts =
        QJsonDocument::fromJson(stored.value(QStringLiteral("contacts")).toString().toUtf8()).array();
    QCOMPARE(contacts.size(), 1);
    QCOMPARE(contacts.at(0).toObject().value(QStringLiteral("name")).toString(), QStringLiteral("张\"三"));
    QVERIFY(!stored.value(QStringLiteral("time")).toString().isEmpty());

    // The rent list does not show a house for sale.
    for (const QJsonValue& row : list(QStringLiteral("api/hbook/posts"), m_manager, "kind=1"))
        QVERIFY(row.toObject().value(QStringLiteral("source_id")).toString() != QLatin1String("7"));
}

void TestBookRoutes::houseKeptOncePerSubmission()
{
    const QByteArray body = ReferenceService::form(house(QStringLiteral("8")));
    QCOMPARE(m_service->post(QStringLiteral("api/hbook/add"), body, m_manager).code(), 200);
    const ReferenceService::Reply again = m_service->post(QStringLiteral("api/hbook/add"), body, m_manager);
    QCOMPARE(again.code(), 405);
    QCOMPARE(again.message(), QStringLiteral("该房源已在房源本中"));
    // The same submission may still be kept as the other kind, and houses without a source as often as wanted.
    QCOMPARE(m_service->post(QStringLiteral("api/hbook/add"),
                             ReferenceService::form(house(QStringLiteral("8"), QStringLiteral("1"))), m_manager)
                 .code(),
             200);
    const QByteArray noSource = ReferenceService::form(house(QString()));
    QCOMPARE(m_service->post(QStringLiteral("api/hbook/add"), noSource, m_manager).code(), 200);
    QCOMPARE(m_service->post(QStringLiteral("api/hbook/add"), noSource, m_manager).code(), 200);
}

void TestBookRoutes::houseRefused_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("message");

    const Pieces base = house(QStringLiteral("9"));
    QTest::newRow("no kind") << ReferenceService::form(without(base, QStringLiteral("kind")))
                             << QStringLiteral("缺少参数：房源类型");
    QTest::newRow("kind 2") << ReferenceService::form(replaced(base, QStringLiteral("kind"), QStringLiteral("2")))
                            << QStringLiteral("参数超出范围：房源类型");
    QTest::newRow("no estate") << ReferenceService::form(replaced(base, QStringLiteral("name"), QStringLiteral("  ")))
                               << QStringLiteral("缺少参数：小区名称");
    QTest::newRow("price text")
        << ReferenceService::form(replaced(base, QStringLiteral("price"), QStringLiteral("八十"))) << QStringLiteral("参数格式错误：价格");
    QTest::newRow("negative area")
        << ReferenceService::form(replaced(base, QStringLiteral("builtuparea"), QStringLiteral("-3")))
        << QStringLiteral("参数格式错误：面积");
    QTest::newRow("floor out of range")
        << ReferenceService::form(replaced(base, QStringLiteral("floors"), QStringLiteral("999")))
        << QStringLiteral("参数超出范围：楼层");
    QTest::newRow("contacts not JSON")
        << ReferenceService::form(replaced(base, QStringLiteral("contacts"), QStringLiteral("[{\"name\":\"x\"")))
        << QStringLiteral("联系人格式错误");
    QTest::newRow("contacts not objects")
        << ReferenceService::form(replaced(base, QStringLiteral("contacts"), QStringLiteral("[\"x\"]")))
        << QStringLiteral("联系人格式错误");
    QTest::newRow("flag") << ReferenceService::form(replaced(base, QStringLiteral("is_show_community"), QStringLiteral("yes")))
                          << QStringLiteral("参数格式错误：显示小区");
}

void TestBookRoutes::houseRefused()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, message);
    int before = 0;
    list(QStringLiteral("api/hbook/posts"), m_manager, QByteArray(), &before);
    const ReferenceService::Reply reply = m_service->post(QStringLiteral("api/hbook/add"), body, m_manager);
    QCOMPARE(reply.httpStatus, 200);
    QCOMPARE(reply.code(), 405);
    QCOMPARE(reply.message(), message);
    int after = -1;
    list(QStringLiteral("api/hbook/posts"), m_manager, QByteArray(), &after);
    QCOMPARE(after, before);
}

void TestBookRoutes::customerRoundTrip()
{
    const ReferenceService::Reply added = m_service->post(
        QStringLiteral("api/cbook/add"), ReferenceService::form(customer(QStringLiteral("13600001111"))), m_manager);
    QCOMPARE(added.code(), 200);

    const QJsonArray rows = list(QStringLiteral("api/cbook/posts"), m_manager, "kind=1");
    QVERIFY(!rows.isEmpty());
    const QJsonObject stored = rows.first().toObject();
    QCOMPARE(stored.value(QStringLiteral("phone")).toString(), QStringLiteral("13600001111"));
    QCOMPARE(stored.value(QStringLiteral("sex")).toString(), QStringLiteral("女"));
    QCOMPARE(stored.value(QStringLiteral("tprice")).toString(), QStringLiteral("150.5"));
    QCOMPARE(stored.value(QStringLiteral("tfloor")).toString(), QString());
    QCOMPARE(stored.value(QStringLiteral("remark")).toString(), QStringLiteral("学区 & 地铁"));
    QCOMPARE(stored.value(QStringLiteral("kind")).toInt(), 1);

    // One entry per phone and kind: the same visitor may still want to rent as well.
    const ReferenceService::Reply again = m_service->post(
        QStringLiteral("api/cbook/add"), ReferenceService::form(customer(QStringLiteral("13600001111"))), m_manager);
    QCOMPARE(again.code(), 405);
    QCOMPARE(again.message(), QStringLiteral("该客户已在客户本中"));
    QCOMPARE(m_service
                 ->post(QStringLiteral("api/cbook/add"),
                        ReferenceService::form(customer(QStringLiteral("13600001111"), QStringLiteral("2"))), m_manager)
                 .code(),
             200);
}

void TestBookRoutes::customerRefused_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("message");

    const Pieces base = customer(QStringLiteral("13600002222"));
    QTest::newRow("kind 0") << ReferenceService::form(replaced(base, QStringLiteral("kind"), QStringLiteral("0")))
                            << QStringLiteral("参数超出范围：客户类型");
    QTest::newRow("no phone") << ReferenceService::form(without(base, QStringLiteral("phone")))
                              << QStringLiteral("缺少参数：电话");
    QTest::newRow("sex as code") << ReferenceService::form(replaced(base, QStringLiteral("sex"), QStringLiteral("0")))
                                 << QStringLiteral("性别只能是男或女");
    QTest::newRow("price text") << ReferenceService::form(replaced(base, QStringLiteral("price"), QStringLiteral("面议")))
                                << QStringLiteral("参数格式错误：最低价格");
}

void TestBookRoutes::customerRefused()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, message);
    const ReferenceService::Reply reply = m_service->post(QStringLiteral("api/cbook/add"), body, m_manager);
    QCOMPARE(reply.code(), 405);
    QCOMPARE(reply.message(), message);
    for (const QJsonValue& row : list(QStringLiteral("api/cbook/posts"), m_manager))
        QVERIFY(row.toObject().value(QStringLiteral("phone")).toString() != QLatin1String("13600002222"));
}

void TestBookRoutes::tenancyAndPaging()
{
    const Headers other = m_service->login(QStringLiteral("13900000000"));
    QVERIFY(!other.isEmpty());
    int before = 0;
    list(QStringLiteral("api/hbook/posts"), other, QByteArray(), &before);

    for (int i = 0; i < 3; ++i) {
        QCOMPARE(m_service
                     ->post(QStringLiteral("api/hbook/add"),
                            ReferenceService::form(house(QStringLiteral("page-%1").arg(i))), m_manager)
                     .code(),
                 200);
    }
    // Another company sees none of them.
    int otherTotal = -1;
    list(QStringLiteral("api/hbook/posts"), other, QByteArray(), &otherTotal);
    QCOMPARE(otherTotal, before);
    QCOMPARE(m_service->post(QStringLiteral("api/hbook/posts"), "companyid=20002", m_manager).code(), 405);

    // Newest first, two per page.
    int total = 0;
    const QJsonArray first = list(QStringLiteral("api/hbook/posts"), m_manager, "pagesize=2&pageindex=1", &total);
    const QJsonArray second = list(QStringLiteral("api/hbook/posts"), m_manager, "pagesize=2&pageindex=2");
    QVERIFY(total >= 3);
    QCOMPARE(first.size(), 2);
    QCOMPARE(first.at(0).toObject().value(QStringLiteral("source_id")).toString(), QStringLiteral("page-2"));
    QCOMPARE(first.at(1).toObject().value(QStringLiteral("source_id")).toString(), QStringLiteral("page-1"));
    QCOMPARE(second.at(0).toObject().value(QStringLiteral("source_id")).toString(), QStringLiteral("page-0"));
    QCOMPARE(m_service->post(QStringLiteral("api/hbook/posts"), "pagesize=0", m_manager).code(), 405);
}

void TestBookRoutes::sessionRequired_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("house add") << QStringLiteral("api/hbook/add");
    QTest::newRow("house list") << QStringLiteral("api/hbook/posts");
    QTest::newRow("customer add") << QStringLiteral("api/cbook/add");
    QTest::newRow("customer list") << QStringLiteral("api/cbook/posts");
    QTest::newRow("component") << QStringLiteral("api/upgrade/Brenvik_UpdateTools");
}

void TestBookRoutes::sessionRequired()
{
    QFETCH(QString, path);
    const ReferenceService::Reply reply =
        m_service->post(path, ReferenceService::form(house(QStringLiteral("no-session"))));
    QCOMPARE(reply.code(), 400);
}

void TestBookRoutes::componentDownloadNotOffered()
{
    const ReferenceService::Reply reply =
        m_service->post(QStringLiteral("api/upgrade/Brenvik_UpdateTools"), "filename=kq_housebook.dll", m_manager);
    QCOMPARE(reply.code(), 405);
    QCOMPARE(reply.message(), QStringLiteral("该组件暂不提供下载（kq_housebook.dll），请联系管理员安装。"));
    QCOMPARE(m_service->post(QStringLiteral("api/upgrade/Brenvik_UpdateTools"), QByteArray(), m_manager).message(),
             QStringLiteral("缺少参数：组件文件名"));
}

QTEST_GUILESS_MAIN(TestBookRoutes)
#include "tst_bookroutes.moc"
