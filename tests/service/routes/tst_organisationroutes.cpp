#include "support/service/DemoSessions.h"
#include "support/service/ReferenceService.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QScopedPointer>
#include <QTest>

namespace {

using Headers = ReferenceService::Headers;
using Pieces = ReferenceService::Pieces;

const QString kList = QStringLiteral("office/omp/lwpV2");
const QString kSub = QStringLiteral("office/omp/dept/lwpSub");
const QString kJointList = QStringLiteral("office/lmai/lwpV2");
const QString kJointSub = QStringLiteral("office/lmai/dept/lwpSub");
const QString kUnknown = QStringLiteral("部门不存在");

QStringList names(const ReferenceService::Reply& reply, const char* array)
{
    QStringList list;
    for (const QJsonValue& value : reply.data().toObject().value(QLatin1String(array)).toArray())
        list.append(value.toObject().value(QStringLiteral("name")).toString());
    return list;
}

QJsonObject first(const ReferenceService::Reply& reply, const char* array)
{
    return reply.data().toObject().value(QLatin1String(array)).toArray().first().toObject();
}

} // namespace

class TestOrganisationRoutes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void browsesTheTreeFourLevelsDeep();
    void search_data();
    void search();
    void subDepartmentsOfTheChosenOnes();
    void refusesBadParameters_data();
    void refusesBadParameters();
    void eachCompanySeesOnlyItsOwn();
    void jointSaleShowsItsMembersSideBySide();

private:
    QScopedPointer<ReferenceService> m_service;
    Headers m_manager;
    Headers m_staff;
    Headers m_chongqing;
};

void TestOrganisationRoutes::initTestCase()
{
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    const DemoSessions demo = DemoSessions::login(*m_service);
    QVERIFY(demo.complete());
    m_manager = demo.manager;
    m_staff = demo.staff;
    m_chongqing = demo.chongqing;
}

void TestOrganisationRoutes::cleanupTestCase()
{
    QCOMPARE(m_service->stop(), 0);
}

void TestOrganisationRoutes::browsesTheTreeFourLevelsDeep()
{
    const ReferenceService::Reply top = m_service->call(kList, {piece("appid", 12), piece("mdept", 0)}, m_manager);
    QCOMPARE(top.code(), 200);
    QCOMPARE(top.data().toObject().value(QStringLiteral("title")).toString(), QStringLiteral("安居地产"));
    QCOMPARE(names(top, "dept"), QStringList{QStringLiteral("安居地产")});
    QCOMPARE(first(top, "dept").value(QStringLiteral("subcount")).toInt(), 4);
    QVERIFY(top.data().toObject().value(QStringLiteral("user")).toArray().isEmpty());

    const ReferenceService::Reply company = m_service->call(kList, {piece("deptId", 1)}, m_manager);
    QCOMPARE(names(company, "dept"), (QStringList{QStringLiteral("总经办"), QStringLiteral("春熙路店"),
                                                  QStringLiteral("天府新区店"), QStringLiteral("营销中心")}));

    // A store lists its groups and its own staff, each person with their department.
    const ReferenceService::Reply store = m_service->call(kList, {piece("deptId", 3)}, m_staff);
    QCOMPARE(names(store, "dept"), (QStringList{QStringLiteral("春熙路一组"), QStringLiteral("春熙路二组")}));
    QCOMPARE(names(store, "user"), QStringList{QStringLiteral("周婷")});
    const QJsonObject person = first(store, "user");
    QCOMPARE(person.value(QStringLiteral("phone")).toString(), QStringLiteral("13800000006"));
    QCOMPARE(person.value(QStringLiteral("storeid")).toInt(), 3);
    QCOMPARE(person.value(QStringLiteral("storename")).toString(), QStringLiteral("春熙路店"));
    QCOMPARE(person.value(QStringLiteral("path")).toString(), QStringLiteral("安居地产 / 春熙路店"));

    const ReferenceService::Reply third = m_service->call(kList, {piece("deptId", 9)}, m_manager);
    QCOMPARE(names(third, "dept"), QStringList{QStringLiteral("新媒体小组")});
    const QJsonObject fourth = first(third, "dept");
    QCOMPARE(fourth.value(QStringLiteral("id")).toInt(), 10);
    QCOMPARE(fourth.value(QStringLiteral("parentid")).toInt(), 9);
    QCOMPARE(fourth.value(QStringLiteral("subcount")).toInt(), 0);
    QCOMPARE(fourth.value(QStringLiteral("path")).toString(), QStringLiteral("安居地产 / 营销中心 / 网络推广部"));
    QCOMPARE(names(third, "user"), QStringList{QStringLiteral("孙悦")});

    // Departments only: no staff.
    QVERIFY(names(m_service->call(kList, {piece("deptId", 3), piece("mdept", 1)}, m_manager), "user").isEmpty());
}

void TestOrganisationRoutes::search_data()
{
    QTest::addColumn<Pieces>("pieces");
    QTest::addColumn<QStringList>("departments");
    QTest::addColumn<QStringList>("staff");

    const QStringList chunxi{QStringLiteral("春熙路店"), QStringLiteral("春熙路一组"), QStringLiteral("春熙路二组")};
    QTest::newRow("department names at every level") << Pieces{piece("key", QStringLiteral("春熙路"))} << chunxi
                                                     << QStringList{};
    QTest::newRow("departments and people") << Pieces{piece("key", QStringLiteral("春"))} << chunxi
                                            << QStringList{QStringLiteral("张春燕")};
    QTest::newRow("departments only") << Pieces{piece("key", QStringLiteral("春")), piece("mdept", 1)} << chunxi
                                      << QStringList{};
    QTest::newRow("phone") << Pieces{piece("key", QStringLiteral("13800000010"))} << QStringList{}
                           << QStringList{QStringLiteral("马骁")};
    QTest::newRow("below a department") << Pieces{piece("key", QStringLiteral("组")), piece("deptId", 6)}
                                        << QStringList{QStringLiteral("天府一组")} << QStringList{};
    QTest::newRow("deep below") << Pieces{piece("key", QStringLiteral("媒体")), piece("deptId", 8)}
                                << QStringList{QStringLiteral("新媒体小组")} << QStringList{};
    // The client takes the white space out; the service matches what it is sent.
    QTest::newRow("text as sent") << Pieces{piece("key", QStringLiteral("春熙 路"))} << QStringList{}
                                  << QStringList{};
    QTest::newRow("another company's names") << Pieces{piece("key", QStringLiteral("解放碑"))} << QStringList{}
                                             << QStringList{};
}

void TestOrganisationRoutes::search()
{
    QFETCH(Pieces, pieces);
    QFETCH(QStringList, departments);
    QFETCH(QStringList, staff);
    const ReferenceService::Reply reply = m_service->call(kList, pieces, m_manager);
    QCOMPARE(reply.code(), 200);
    QCOMPARE(names(reply, "dept"), departments);
    QCOMPARE(names(reply, "user"), staff);
}

void TestOrganisationRoutes::subDepartmentsOfTheChosenOnes()
{
    const ReferenceService::Reply store = m_service->call(kSub, {piece("deptids", QStringLiteral("3")), piece("appid", 12)},
                                                          m_manager);
    QCOMPARE(store.code(), 200);
    QCOMPARE(names(store, "dept"), (QStringList{QStringLiteral("春熙路一组"), QStringLiteral("春熙路二组")}));
    QCOMPARE(names(store, "user"), (QStringList{QStringLiteral("周婷"), QStringLiteral("李小明"), QStringLiteral("张春燕"),
                                                QStringLiteral("刘洋"), QStringLiteral("杨帆")}));

    // Several at once, each sub-department once, down to the fourth level; one that was asked for
    // itself (春熙路一组) is not repeated as a sub-department.
    const ReferenceService::Reply several =
        m_service->call(kSub, {piece("deptids", QStringLiteral("8, 3,4,8")), piece("mdept", 1)}, m_manager);
    QCOMPARE(several.code(), 200);
    QCOMPARE(names(several, "dept"), (QStringList{QStringLiteral("网络推广部"), QStringLiteral("春熙路二组"),
                                                  QStringLiteral("新媒体小组")}));
    QVERIFY(names(several, "user").isEmpty());

    const ReferenceService::Reply leaf = m_service->call(kSub, {piece("deptids", QStringLiteral("10"))}, m_manager);
    QCOMPARE(leaf.code(), 200);
    QVERIFY(names(leaf, "dept").isEmpty());
    QCOMPARE(names(leaf, "user"), QStringList{QStringLiteral("马骁")});
}

void TestOrganisationRoutes::refusesBadParameters_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<Pieces>("pieces");
    QTest::addColumn<QString>("message");

    QString manyIds;
    for (int i = 0; i < 501; ++i)
        manyIds += QStringLiteral("3,");
    QTest::newRow("deptId not a number") << kList << Pieces{piece("deptId", QStringLiteral("3a"))} << QString();
    QTest::newRow("deptId unknown") << kList << Pieces{piece("deptId", 777)} << kUnknown;
    QTest::newRow("mdept 2") << kList << Pieces{piece("mdept", 2)} << QString();
    QTest::newRow("appid not a number") << kList << Pieces{piece("appid", QStringLiteral("x"))} << QString();
    QTest::newRow("key too long") << kList << Pieces{piece("key", QString(51, QLatin1Char('a')))} << QString();
    QTest::newRow("deptids missing") << kSub << Pieces{} << QString();
    QTest::newRow("deptids only commas") << kSub << Pieces{piece("deptids", QStringLiteral(",,"))} << QString();
    QTest::newRow("deptids with a word") << kSub << Pieces{piece("deptids", QStringLiteral("3,x"))} << kUnknown;
    QTest::newRow("deptids unknown") << kSub << Pieces{piece("deptids", QStringLiteral("3,777"))} << kUnknown;
    QTest::newRow("too many deptids") << kSub << Pieces{piece("deptids", manyIds)} << QString();
}

void TestOrganisationRoutes::refusesBadParameters()
{
    QFETCH(QString, path);
    QFETCH(Pieces, pieces);
    QFETCH(QString, message);
    const ReferenceService::Reply reply = m_service->call(path, pieces, m_manager);
    QCOMPARE(reply.code(), 405);
    QVERIFY(!reply.message().isEmpty());
    if (!message.isEmpty())
        QCOMPARE(reply.message(), message);
}

void TestOrganisationRoutes::eachCompanySeesOnlyItsOwn()
{
    const ReferenceService::Reply top = m_service->call(kList, {}, m_chongqing);
    QCOMPARE(top.data().toObject().value(QStringLiteral("title")).toString(), QStringLiteral("山城置业"));
    QCOMPARE(names(top, "dept"), QStringList{QStringLiteral("山城置业")});
    QCOMPARE(names(m_service->call(kList, {piece("deptId", 11)}, m_chongqing), "dept"),
             (QStringList{QStringLiteral("解放碑店"), QStringLiteral("观音桥店")}));

    // Another company's department is unknown here, by browsing and by lwpSub alike.
    QCOMPARE(m_service->call(kList, {piece("deptId", 3)}, m_chongqing).message(), kUnknown);
    QCOMPARE(m_service->call(kSub, {piece("deptids", QStringLiteral("12,3"))}, m_chongqing).message(), kUnknown);
    QCOMPARE(m_service->call(kList, {piece("deptId", 12)}, m_manager).message(), kUnknown);
    QVERIFY(names(m_service->call(kList, {piece("key", QStringLiteral("刘"))}, m_chongqing), "user")
                == QStringList{QStringLiteral("刘德明")});

    for (const QString& path : {kList, kSub, kJointList, kJointSub})
        QCOMPARE(m_service->call(path, {piece("deptids", 3)}, {}).code(), 400);
}

void TestOrganisationRoutes::jointSaleShowsItsMembersSideBySide()
{
    const ReferenceService::Reply top = m_service->call(kJointList, {piece("appid", 12)}, m_manager);
    QCOMPARE(top.code(), 200);
    QCOMPARE(top.data().toObject().value(QStringLiteral("title")).toString(), QStringLiteral("成都房产联卖"));
    QCOMPARE(names(top, "dept"), (QStringList{QStringLiteral("安居地产"), QStringLiteral("蓉城房产")}));
    QCOMPARE(names(m_service->call(kJointList, {piece("deptId", 21)}, m_staff), "dept"),
             (QStringList{QStringLiteral("武侯店"), QStringLiteral("高新店")}));
    QCOMPARE(names(m_service->call(kJointList, {piece("key", QStringLiteral("钱"))}, m_manager), "user"),
             QStringList{QStringLiteral("钱坤")});
    QCOMPARE(names(m_service->call(kJointSub, {piece("deptids", QStringLiteral("21,2")), piece("mdept", 1)}, m_manager),
                   "dept"),
             (QStringList{QStringLiteral("武侯店"), QStringLiteral("高新店")}));

    // A company outside the joint sale: neither the joint organisation nor a member's department.
    QCOMPARE(m_service->call(kJointList, {piece("deptId", 12)}, m_manager).message(), kUnknown);
    const ReferenceService::Reply outsider = m_service->call(kJointList, {}, m_chongqing);
    QCOMPARE(outsider.code(), 405);
    QVERIFY(outsider.message().contains(QStringLiteral("未加入联卖")));
    QCOMPARE(m_service->call(kJointSub, {piece("deptids", QStringLiteral("3"))}, m_chongqing).code(), 405);
}

QTEST_GUILESS_MAIN(TestOrganisationRoutes)
#include "tst_organisationroutes.moc"
