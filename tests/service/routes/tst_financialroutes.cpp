#include "support/service/DemoSessions.h"
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

const QString kConfig = QStringLiteral("api/apptwo/figetconfig");
const QString kPosts = QStringLiteral("api/apptwo/fimsposts");
const QString kSort = QStringLiteral("api/apptwo/fipaixu");
const QString kClickStore = QStringLiteral("api/apptwo/ficlickstore");
const QString kClients = QStringLiteral("api/apptwo/ficlientposts");
const QString kDetail = QStringLiteral("api/apptwo/fidetail");
const QString kNoRight = QStringLiteral("您当前没有权利操作，请联系管理员！");
const int kAgentJob = 2; // the staff member's job role

} // namespace

class TestFinancialRoutes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void config();
    void twelveProductsMakePagesOfFiveFiveAndTwo();
    void filters_data();
    void filters();
    void refusesBadParameters_data();
    void refusesBadParameters();
    void sortReallyReorders();
    void clickStoreToggles();
    void rightsOfStaff();
    void applicationsNewestFirstTenAPage();
    void otherCompanySeesAndTouchesNothing();
    void detailForTheComponent();

private:
    QJsonArray all(const Headers& who) const
    {
        return m_service->call(kPosts, {piece("pageindex", 1), piece("pagesize", 50)}, who).rows();
    }
    QList<qint64> order(const Headers& who) const
    {
        return m_service->call(kPosts, {piece("pageindex", 1), piece("pagesize", 50)}, who).ids();
    }
    bool putUp(qint64 id) const
    {
        for (const QJsonValue& row : all(m_manager)) {
            if (row.toObject().value(QStringLiteral("id")).toInt() == id)
                return row.toObject().value(QStringLiteral("wstore")).toBool();
        }
        return false;
    }

    QScopedPointer<ReferenceService> m_service;
    Headers m_manager;
    Headers m_staff;
    Headers m_chongqing;
};

void TestFinancialRoutes::initTestCase()
{
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    const DemoSessions demo = DemoSessions::login(*m_service);
    QVERIFY(demo.complete());
    m_manager = demo.manager;
    m_staff = demo.staff;
    m_chongqing = demo.chongqing;
}

void TestFinancialRoutes::cleanupTestCase()
{
    QCOMPARE(m_service->stop(), 0);
}

void TestFinancialRoutes::config()
{
    const ReferenceService::Reply reply = m_service->call(kConfig, {}, m_manager);
    QCOMPARE(reply.code(), 200);
    const QJsonObject config = reply.data().toObject();
    QCOMPARE(config.value(QStringLiteral("dyleixing")).toArray().toVariantList(),
             QVariantList({QStringLiteral("抵押贷款"), QStringLiteral("信用贷款"), QStringLiteral("按揭贷款"),
                           QStringLiteral("经营贷款")}));
    QCOMPARE(config.value(QStringLiteral("changhuanway")).toArray().size(), 4);
    QCOMPARE(m_service->call(kConfig, {}, {}).code(), 400);
}

void TestFinancialRoutes::twelveProductsMakePagesOfFiveFiveAndTwo()
{
    QStringList titles;
    for (int page = 1; page <= 3; ++page) {
        const ReferenceService::Reply reply =
            m_service->call(kPosts, {piece("pageindex", page), piece("pagesize", 5)}, m_manager);
        QCOMPARE(reply.total(), 12);
        QCOMPARE(reply.rows().size(), QList<int>({5, 5, 2}).at(page - 1));
        titles += reply.texts(QStringLiteral("title"));
    }
    QCOMPARE(titles.first(), QStringLiteral("安居房抵贷"));
    QCOMPARE(titles.last(), QStringLiteral("公务员信用贷"));
    const QJsonObject first = all(m_manager).first().toObject();
    for (const char* key : {"id", "photo", "title", "des", "monthLixi", "daikuandate", "maxedu", "dyleixing", "yongjin",
                            "wstore"})
        QVERIFY2(first.contains(QLatin1String(key)), key);
    QCOMPARE(first.value(QStringLiteral("maxedu")).toString(), QStringLiteral("1000"));
    QCOMPARE(m_service->get(first.value(QStringLiteral("photo")).toString()).httpStatus, 200);
}

void TestFinancialRoutes::filters_data()
{
    QTest::addColumn<Pieces>("filter");
    QTest::addColumn<QStringList>("titles");

    QTest::newRow("loan type") << Pieces{piece("dyleixing", QStringLiteral("抵押贷款"))}
                               << QStringList{QStringLiteral("安居房抵贷"), QStringLiteral("车位抵押贷"),
                                              QStringLiteral("赎楼过桥贷"), QStringLiteral("商铺抵押贷")};
    QTest::newRow("loan type and repayment")
        << Pieces{piece("dyleixing", QStringLiteral("按揭贷款")), piece("changhuanway", QStringLiteral("等额本金"))}
        << QStringList{QStringLiteral("首套按揭优选"), QStringLiteral("公积金组合贷")};
    QTest::newRow("name") << Pieces{piece("key", QStringLiteral("信用"))}
                          << QStringList{QStringLiteral("工薪信用贷"), QStringLiteral("公务员信用贷")};
    QTest::newRow("at least 500 万") << Pieces{piece("priceone", 500)}
                                    << QStringList{QStringLiteral("安居房抵贷"), QStringLiteral("首套按揭优选"),
                                                   QStringLiteral("赎楼过桥贷"), QStringLiteral("商铺抵押贷")};
    QTest::newRow("at most 50 万") << Pieces{piece("pricetwo", 50)}
                                  << QStringList{QStringLiteral("工薪信用贷"), QStringLiteral("车位抵押贷"),
                                                 QStringLiteral("装修分期贷")};
    QTest::newRow("not put up") << Pieces{piece("wstore", 0)}
                                << QStringList{QStringLiteral("车位抵押贷"), QStringLiteral("商铺抵押贷")};
    QTest::newRow("repayment, put up") << Pieces{piece("changhuanway", QStringLiteral("随借随还")), piece("wstore", 1)}
                                       << QStringList{QStringLiteral("赎楼过桥贷"), QStringLiteral("税票经营贷")};
    QTest::newRow("unknown type") << Pieces{piece("dyleixing", QStringLiteral("消费贷款"))} << QStringList{};
}

void TestFinancialRoutes::filters()
{
    QFETCH(Pieces, filter);
    QFETCH(QStringList, titles);
    const ReferenceService::Reply reply =
        m_service->call(kPosts, Pieces{piece("pageindex", 1), piece("pagesize", 20)} + filter, m_manager);
    QCOMPARE(reply.code(), 200);
    QCOMPARE(reply.texts(QStringLiteral("title")), titles);
    QCOMPARE(reply.total(), titles.size());
}

void TestFinancialRoutes::refusesBadParameters_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<Pieces>("pieces");

    QTest::newRow("amount not a number") << kPosts << Pieces{piece("priceone", QStringLiteral("1e3"))};
    QTest::newRow("wstore -1") << kPosts << Pieces{piece("wstore", -1)};
    QTest::newRow("sort type 9") << kSort << Pieces{piece("id", 1), piece("type", 9)};
    QTest::newRow("sort unknown product") << kSort << Pieces{piece("id", 777), piece("type", 0)};
    QTest::newRow("click store without id") << kClickStore << Pieces{};
    QTest::newRow("clients page 0") << kClients << Pieces{piece("pageindex", 0)};
    QTest::newRow("detail unknown") << kDetail << Pieces{piece("id", 777)};
}

void TestFinancialRoutes::refusesBadParameters()
{
    QFETCH(QString, path);
    QFETCH(Pieces, pieces);
    const QList<qint64> before = order(m_manager);
    const ReferenceService::Reply reply = m_service->call(path, pieces, m_manager);
    QCOMPARE(reply.code(), 405);
    QVERIFY(!reply.message().isEmpty());
    QCOMPARE(order(m_manager), before);
}

void TestFinancialRoutes::sortReallyReorders()
{
    const QList<qint64> before = order(m_manager);
    const qint64 id = before.at(6);

    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 1)}, m_manager).code(), 200);
    QList<qint64> expected = before;
    expected.swapItemsAt(6, 5);
    QCOMPARE(order(m_manager), expected);

    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 2)}, m_manager).code(), 200);
    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 2)}, m_manager).code(), 200);
    expected = before;
    expected.swapItemsAt(6, 7);
    QCOMPARE(order(m_manager), expected);

    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 0)}, m_manager).code(), 200);
    expected.removeOne(id);
    expected.prepend(id);
    QCOMPARE(order(m_manager), expected);

    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 1)}, m_manager).code(), 405);
    QCOMPARE(m_service->call(kSort, {piece("id", expected.last()), piece("type", 2)}, m_manager).code(), 405);
    QCOMPARE(order(m_manager), expected);
}

void TestFinancialRoutes::clickStoreToggles()
{
    const qint64 id = order(m_manager).at(2);
    const bool was = putUp(id);
    const ReferenceService::Reply reply = m_service->call(kClickStore, {piece("id", id)}, m_manager);
    QCOMPARE(reply.code(), 200);
    QCOMPARE(reply.data().toObject().value(QStringLiteral("wstore")).toBool(), !was);
    QCOMPARE(putUp(id), !was);
    QCOMPARE(m_service->call(kClickStore, {piece("id", id)}, m_manager).code(), 200);
    QCOMPARE(putUp(id), was);
}

void TestFinancialRoutes::rightsOfStaff()
{
    const QList<qint64> before = order(m_manager);
    const qint64 id = before.at(4);
    QCOMPARE(m_service->call(kPosts, {piece("pageindex", 1)}, m_staff).code(), 200);
    QCOMPARE(m_service->call(kClients, {piece("pageindex", 1)}, m_staff).code(), 200);
    for (int type : {0, 1, 2})
        QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", type)}, m_staff).message(), kNoRight);
    QCOMPARE(m_service->call(kClickStore, {piece("id", id)}, m_staff).message(), kNoRight);
    QCOMPARE(order(m_manager), before);

    QVERIFY(m_service->selectJobRights(kAgentJob, {82}));
    QCOMPARE(m_service->call(kClickStore, {piece("id", id)}, m_staff).code(), 200);
    QCOMPARE(m_service->call(kClickStore, {piece("id", id)}, m_staff).code(), 200);
    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 0)}, m_staff).code(), 405);

    QVERIFY(m_service->selectJobRights(kAgentJob, {80}));
    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 1)}, m_staff).code(), 405);
    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 0)}, m_staff).code(), 200);
    QCOMPARE(order(m_manager).first(), id);

    QVERIFY(m_service->selectJobRights(kAgentJob, {83}));
    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 2)}, m_staff).code(), 200);
    QCOMPARE(order(m_manager).at(1), id);
    QCOMPARE(m_service->call(kClickStore, {piece("id", id)}, m_staff).code(), 405);
    QVERIFY(m_service->selectJobRights(kAgentJob, {65, 148}));
}

void TestFinancialRoutes::applicationsNewestFirstTenAPage()
{
    const ReferenceService::Reply first = m_service->call(kClients, {piece("pageindex", 1)}, m_manager);
    QCOMPARE(first.code(), 200);
    const QJsonObject page = first.data().toObject();
    QCOMPARE(page.value(QStringLiteral("total")).toInt(), 14);
    QCOMPARE(page.value(QStringLiteral("pagesize")).toInt(), 10);
    const QJsonArray rows = first.rows();
    QCOMPARE(rows.size(), 10);
    const QJsonObject newest = rows.first().toObject();
    QCOMPARE(newest.value(QStringLiteral("name")).toString(), QStringLiteral("朱琳"));
    QCOMPARE(newest.value(QStringLiteral("phone")).toString(), QStringLiteral("15208004680"));
    QCOMPARE(newest.value(QStringLiteral("title")).toString(), QStringLiteral("小微经营贷"));
    QCOMPARE(newest.value(QStringLiteral("type")).toString(), QStringLiteral("经营贷款"));
    QCOMPARE(newest.value(QStringLiteral("time")).toString(), QStringLiteral("2024-05-15 16:20"));
    const QStringList times = first.texts(QStringLiteral("time"));
    QStringList sorted = times;
    std::sort(sorted.begin(), sorted.end(), std::greater<QString>());
    QCOMPARE(times, sorted);

    QCOMPARE(m_service->call(kClients, {piece("pageindex", 2)}, m_manager).rows().size(), 4);
    QCOMPARE(m_service->call(kClients, {piece("pageindex", 3)}, m_manager).rows().size(), 0);
    QCOMPARE(m_service->call(kClients, {piece("pageindex", 1)}, m_chongqing).total(), 3);
}

void TestFinancialRoutes::otherCompanySeesAndTouchesNothing()
{
    const QList<qint64> ours = order(m_manager);
    const QList<qint64> theirs = order(m_chongqing);
    QCOMPARE(theirs.size(), 2);
    for (qint64 id : theirs)
        QVERIFY(!ours.contains(id));
    const qint64 id = ours.at(3);
    const bool was = putUp(id);
    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 0)}, m_chongqing).code(), 405);
    QCOMPARE(m_service->call(kClickStore, {piece("id", id)}, m_chongqing).code(), 405);
    QCOMPARE(m_service->call(kDetail, {piece("id", id)}, m_chongqing).code(), 405);
    QCOMPARE(order(m_manager), ours);
    QCOMPARE(putUp(id), was);
}

void TestFinancialRoutes::detailForTheComponent()
{
    const qint64 id = order(m_manager).first();
    const ReferenceService::Reply reply = m_service->call(kDetail, {piece("id", id)}, m_manager);
    QCOMPARE(reply.code(), 200);
    const QJsonObject detail = reply.data().toObject();
    QCOMPARE(detail.value(QStringLiteral("id")).toInt(), id);
    for (const char* key : {"title", "changhuanway", "tiaojian", "cailiao"})
        QVERIFY2(!detail.value(QLatin1String(key)).toString().isEmpty(), key);
}

QTEST_GUILESS_MAIN(TestFinancialRoutes)
#include "tst_financialroutes.moc"
