#include "store/BaseMessage_SqlTable.h"
#include "store/FunctionRights.h"
#include "store/UserMessage_DataSqlTable.h"
#include "support/ui/LocalStoreFixture.h"
#include "support/ui/ModuleTestEnvironment.h"

#include "DataCenter.h"
#include "LocalDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QtTest>

using F = LocalStoreFixture;

class TestLocalStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ModuleTestEnvironment::prepare();
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/kq_suite")).removeRecursively();
    }

    void init()
    {
        DataCenter::reset();
    }

    void noRowReadsAsNoRights()
    {
        F::loginAs(QStringLiteral("19900000000"), false);
        UserMessage_DataSqlTable table;
        const auto user = table.getUserMessage();
        QVERIFY(!user.found);
        QVERIFY(!user.isManager);
        QVERIFY(!table.hasFunctionAuth({}, 156));
        QVERIFY(!table.canOperate(65, QStringLiteral("1"), QStringLiteral("19900000000"), true, false));
    }

    void managerFlagAndRights()
    {
        F::storeUser(QStringLiteral("13800000009"), false,
                     {F::right(148, true, 1), F::right(156, false, 0), F::right(65, true, 3)},
                     {{QStringLiteral("name"), QStringLiteral("张三")}});
        UserMessage_DataSqlTable table;
        const auto user = table.getUserMessage();
        QVERIFY(user.found);
        QVERIFY(!user.isManager);
        QCOMPARE(user.value(QStringLiteral("name")), QStringLiteral("张三"));
        QVERIFY(table.hasFunctionAuth({}, 148));
        QVERIFY(!table.hasFunctionAuth({}, 156));
        QVERIFY(!table.hasFunctionAuth({}, 999));
        // Stored scopes 1 and 3 read as 6 and 4.
        QCOMPARE(table.getFunctionAuth({}, 148).range, 6);
        QCOMPARE(table.getFunctionAuth({}, 65).range, 4);

        F::storeUser(QStringLiteral("13800000008"), true, {});
        QVERIFY(UserMessage_DataSqlTable().getUserMessage().isManager);
    }

    // A phone holding quote characters must read its own row, and never another's.
    void quotedPhoneReadsOnlyItsOwnRow()
    {
        const QString tricky = QStringLiteral("138' or '1'='1");
        {
            // A manager's row stands first in the same file, where pasted SQL would find it.
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("seed"));
            db.setDatabaseName(LocalDatabase::databasePath(tricky));
            QDir().mkpath(QFileInfo(db.databaseName()).absolutePath());
            QVERIFY(db.open());
            QVERIFY(LocalDatabase::createUserTable(db, QStringLiteral("user")));
            QSqlQuery insert(db);
            QVERIFY(insert.exec(QStringLiteral("insert into user values('13800000007','{\"userinfo\":{\"ismanager\":1}}',"
                                               "'[{\"content\":[{\"id\":156,\"selected\":true}]}]','[]')")));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("seed"));
        QVERIFY(LocalDatabase::writeUser(tricky, QStringLiteral("{\"userinfo\":{\"ismanager\":0}}"), QStringLiteral("[]"),
                                         QStringLiteral("[]")));
        F::loginAs(tricky, false);
        UserMessage_DataSqlTable table;
        const auto user = table.getUserMessage();
        QVERIFY(user.found);
        QVERIFY(!user.isManager);
        QVERIFY(!table.hasFunctionAuth({}, 156));
    }

    // The suite writes flags as booleans, numbers or texts; every form reads alike.
    void storedFlagsInEveryForm_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<bool>("expected");
        QTest::newRow("true") << QStringLiteral("true") << true;
        QTest::newRow("1") << QStringLiteral("1") << true;
        QTest::newRow("text true") << QStringLiteral("\"true\"") << true;
        QTest::newRow("text TRUE, padded") << QStringLiteral("\" TRUE \"") << true;
        QTest::newRow("text 1") << QStringLiteral("\"1\"") << true;
        QTest::newRow("false") << QStringLiteral("false") << false;
        QTest::newRow("text false") << QStringLiteral("\"false\"") << false;
        QTest::newRow("text 0") << QStringLiteral("\"0\"") << false;
    }

    void storedFlagsInEveryForm()
    {
        QFETCH(QString, flag);
        QFETCH(bool, expected);

        const QString phone = QStringLiteral("13800000003");
        const QString init = QStringLiteral("{\"userinfo\":{\"ismanager\":%1},\"weiguanwang\":%1}").arg(flag);
        const QString rights = QStringLiteral("[{\"content\":[{\"id\":148,\"selected\":%1,\"range\":0,"
                                              "\"bumens\":[{\"dept_id\":\"1\",\"dept_name\":\"一部\",\"with_down\":%1}]}]}]")
                                   .arg(flag);
        QVERIFY(LocalDatabase::writeUser(phone, init, rights, QStringLiteral("[]")));
        F::loginAs(phone, false);
        UserMessage_DataSqlTable table;
        QCOMPARE(table.getUserMessage().isManager, expected);
        QObject owner;
        QCOMPARE(FunctionRights::siteServiceOpen(&owner), expected);
        const auto auth = table.getFunctionAuth({}, 148);
        QCOMPARE(auth.selected, expected);
        QCOMPARE(auth.departmentNames(),
                 QStringList{expected ? QStringLiteral("一部(含以下)") : QStringLiteral("一部")});
    }

    void canOperate_data()
    {
        QTest::addColumn<bool>("manager");
        QTest::addColumn<int>("functionId");
        QTest::addColumn<bool>("granted");
        QTest::addColumn<int>("storedRange");
        QTest::addColumn<QString>("deptId");
        QTest::addColumn<QString>("owner");
        QTest::addColumn<bool>("ownerPasses");
        QTest::addColumn<bool>("expected");

        const QString me = QStringLiteral("13811112222");
        const QString other = QStringLiteral("13833334444");
        QTest::newRow("manager passes anything") << true << 0 << false << 0 << "" << other << false << true;
        QTest::newRow("function 0 fails") << false << 0 << true << 0 << "10" << me << true << false;
        QTest::newRow("not granted fails") << false << 66 << false << 0 << "10" << me << true << false;
        QTest::newRow("owner flag lets owner pass") << false << 65 << true << 7 << "10" << me << true << true;
        QTest::newRow("scope 0 passes all") << false << 65 << true << 0 << "99" << other << false << true;
        QTest::newRow("scope 2 owner") << false << 65 << true << 2 << "99" << me << false << true;
        QTest::newRow("scope 2 not owner") << false << 65 << true << 2 << "99" << other << false << false;
        QTest::newRow("scope 4 listed dept") << false << 65 << true << 4 << "10" << other << false << true;
        QTest::newRow("scope 4 dept below a with-down dept") << false << 65 << true << 4 << "12" << other << false << true;
        QTest::newRow("scope 5 unlisted dept") << false << 65 << true << 5 << "30" << other << false << false;
        QTest::newRow("scope 5 dept below a plain dept") << false << 65 << true << 5 << "21" << other << false << false;
        QTest::newRow("stored 3 reads as 4") << false << 65 << true << 3 << "10" << other << false << true;
        QTest::newRow("scope 6 own dept") << false << 65 << true << 6 << "41" << other << false << true;
        QTest::newRow("stored 1 reads as 6, other dept") << false << 65 << true << 1 << "10" << other << false << false;
        QTest::newRow("unknown scope fails") << false << 65 << true << 7 << "10" << other << false << false;
    }

    void canOperate()
    {
        QFETCH(bool, manager);
        QFETCH(int, functionId);
        QFETCH(bool, granted);
        QFETCH(int, storedRange);
        QFETCH(QString, deptId);
        QFETCH(QString, owner);
        QFETCH(bool, ownerPasses);
        QFETCH(bool, expected);

        // Departments 10 (with those below it) and 20 (alone); 12 sits under 11 under 10, 21 under 20.
        const QVariantList scopeDepts{F::dept(QStringLiteral("10"), QStringLiteral("一部"), true),
                                      F::dept(QStringLiteral("20"), QStringLiteral("二部"), false)};
        const auto node = [](const char* id, const char* parent) {
            return QVariantMap{{QStringLiteral("dept_id"), QString::fromLatin1(id)},
                               {QStringLiteral("parent_id"), QString::fromLatin1(parent)}};
        };
        const QVariantList tree{node("10", "0"), node("11", "10"), node("12", "11"), node("20", "0"), node("21", "20")};
        F::storeUser(QStringLiteral("13811112222"), manager, {F::right(functionId, granted, storedRange, scopeDepts)},
                     {{QStringLiteral("suozai_bumens"), QStringLiteral("40,41")}}, tree);
        UserMessage_DataSqlTable table;
        QCOMPARE(table.canOperate(functionId, deptId, owner, ownerPasses, false), expected);
    }

    void jointSaleUsesItsOwnManagerFlagAndTable()
    {
        F::storeUser(QStringLiteral("13800000006"), true, {});
        DataCenter::isJointSaleManger = false;
        UserMessage_DataSqlTable joint(nullptr, true);
        QCOMPARE(joint.tableName(), QStringLiteral("user_jointsale"));
        QVERIFY(!joint.canOperate(65, QStringLiteral("1"), QString(), false, true));
        DataCenter::isJointSaleManger = true;
        QVERIFY(joint.canOperate(65, QStringLiteral("1"), QString(), false, true));
    }

    void departmentNamesMarkWithDown()
    {
        F::storeUser(QStringLiteral("13800000005"), false,
                     {F::right(65, true, 4, {F::dept(QStringLiteral("1"), QStringLiteral("一部"), true),
                                            F::dept(QStringLiteral("2"), QStringLiteral("二部"), false)})});
        const auto auth = UserMessage_DataSqlTable().getFunctionAuth({}, 65);
        QCOMPARE(auth.departmentNames(), (QStringList{QStringLiteral("一部(含以下)"), QStringLiteral("二部")}));
    }

    void baseMessageListsAreUnscrambled()
    {
        F::loginAs(QStringLiteral("13800000004"), false);
        const QString area = QStringLiteral("[{\"id\":1,\"name\":\"锦江区\",\"area\":[{\"id\":11,\"name\":\"春熙路\"}]},2]");
        QVERIFY(LocalDatabase::writeBaseMessage(QStringLiteral("13800000004"),
                                                {{QStringLiteral("area"), area},
                                                 {QStringLiteral("job"), QStringLiteral("[{\"id\":3,\"name\":\"店长\"}]")},
                                                 {QStringLiteral("zhuangxiu'; drop table basemessage; --"), QStringLiteral("x")}}));
        BaseMessage_SqlTable table;
        const QList<QVariantMap> areas = table.getAreaList();
        QCOMPARE(areas.size(), 1); // the bare number is not an object
        QCOMPARE(areas.first().value(QStringLiteral("name")).toString(), QStringLiteral("锦江区"));
        QCOMPARE(table.getJobList().first().value(QStringLiteral("name")).toString(), QStringLiteral("店长"));

        // What is stored is not the plain text.
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(LocalDatabase::databasePath(QStringLiteral("13800000004")));
        QVERIFY(db.open());
        QSqlQuery raw(db);
        QVERIFY(raw.exec(QStringLiteral("select area from basemessage where id=1")) && raw.next());
        QVERIFY(!raw.value(0).toString().contains(QStringLiteral("锦江区")));
        raw.finish();
        db.close();
    }

    void scrambleRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("chinese and json") << QStringLiteral("[{\"name\":\"高新区\"}]");
        QTest::newRow("quotes") << QStringLiteral("a'b\"c");
    }

    void scrambleRoundTrip()
    {
        QFETCH(QString, text);
        QCOMPARE(LocalDatabase::unscramble(LocalDatabase::scramble(text)), text);
        QCOMPARE(LocalDatabase::unscramble(text), text); // plain text reads as itself
    }
};

QTEST_MAIN(TestLocalStore)
#include "tst_localstore.moc"
