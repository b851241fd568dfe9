#include "app/ServiceContext.h"
#include "http/Envelope.h"
#include "http/ServiceReply.h"
#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"
#include "routes/AccountRoutes.h"
#include "routes/HouseManagerRoutes.h"
#include "seed/DemoData.h"
#include "sessions/HouseManagerRights.h"
#include "sessions/RightsCheck.h"
#include "sessions/SessionInfo.h"
#include "sessions/SessionStore.h"
#include "storage/ServiceDatabase.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kManager = QStringLiteral("13800000000");
const QString kStaff = QStringLiteral("13800000001"); // job 2 "经纪人": right 65 on own listings, no 66 or 93
const QString kOtherAgent = QStringLiteral("13800000002"); // publishes listings, has no account
const qint64 kStaffStore = 4;

const QString kHouses = QStringLiteral("api/mtore/mshouseposts");
const QString kDelete = QStringLiteral("api/mtore/deletemshouse");

QJsonObject envelopeOf(const ServiceReply& reply)
{
    return QJsonDocument::fromJson(reply.body).object();
}

} // namespace

// The router and the rights checks called in process, without HTTP: the login gate, the
// company and city fences and the rights decisions, against a freshly seeded database.
class TestRouter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void sessionDecidesAccess_data();
    void sessionDecidesAccess();
    void rightsFollowRoleAndScope_data();
    void rightsFollowRoleAndScope();
    void deleteChecksTheRightFirst();

private:
    ServiceReply dispatch(const QString& path, const QVariantMap& params, const QVariantMap& headers = {});
    // The session headers ("sessionid", "token") of a demo user logged in through the router.
    QVariantMap login(const QString& phone);
    SessionInfo sessionOf(const QVariantMap& headers);
    qint64 number(const QString& sql);

    // Declared in the order they are built: each piece holds references to those before it.
    QTemporaryDir m_dir;
    ServiceDatabase m_db;
    SessionStore m_sessions{m_db};
    ServiceContext m_context{m_db, m_sessions, QStringLiteral("http://127.0.0.1:1/"),
                             m_dir.filePath(QStringLiteral("files"))};
    ServiceRouter m_router{m_sessions};
    AccountRoutes m_account{m_context};
    HouseManagerRoutes m_houseManager{m_context};

    QVariantMap m_manager;
    QVariantMap m_staff;
};

void TestRouter::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir().mkpath(m_context.filesDir()));
    QString error;
    QVERIFY2(m_db.open(m_dir.filePath(QStringLiteral("service.sqlite")), &error), qPrintable(error));
    QVERIFY2(DemoData::seed(m_context, &error), qPrintable(error));
    m_account.registerRoutes(m_router);
    m_houseManager.registerRoutes(m_router);

    m_manager = login(kManager);
    m_staff = login(kStaff);
    QVERIFY(sessionOf(m_manager).valid);
    QVERIFY(sessionOf(m_staff).valid);
}

ServiceReply TestRouter::dispatch(const QString& path, const QVariantMap& params, const QVariantMap& headers)
{
    ServiceRequest request;
    request.method = QStringLiteral("POST");
    request.path = path;
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        request.params.add(it.key(), it.value().toString());
    for (auto it = headers.cbegin(); it != headers.cend(); ++it)
        request.headers.insert(it.key(), it.value().toString());
    return m_router.dispatch(request);
}

QVariantMap TestRouter::login(const QString& phone)
{
    const QVariantMap params{{QStringLiteral("phone"), phone}, {QStringLiteral("password"), QStringLiteral("demo123")}};
    const ServiceReply reply = dispatch(QStringLiteral("api/account/initialize"), params);
    const QJsonObject session =
        envelopeOf(reply).value(QStringLiteral("data")).toObject().value(QStringLiteral("session")).toObject();
    return session.toVariantMap();
}

SessionInfo TestRouter::sessionOf(const QVariantMap& headers)
{
    return m_sessions.find(headers.value(QStringLiteral("sessionid")).toString(),
                           headers.value(QStringLiteral("token")).toString());
}

qint64 TestRouter::number(const QString& sql)
{
    return m_db.selectOne(sql).value(QStringLiteral("n")).toLongLong();
}

void TestRouter::sessionDecidesAccess_data()
{
    QTest::addColumn<QVariantMap>("headers");
    QTest::addColumn<QVariantMap>("params");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");

    const QString lost = QStringLiteral("登录已失效，请重新登录");
    const QString managerId = m_manager.value(QStringLiteral("sessionid")).toString();
    const QString managerToken = m_manager.value(QStringLiteral("token")).toString();
    const QVariantMap saleList{{QStringLiteral("type"), 0}};
    const QString cookie = QStringLiteral("theme=1; sessionid=%1; token=%2").arg(managerId, managerToken);
    const QString staffToken = m_staff.value(QStringLiteral("token")).toString();

    QTest::newRow("no session") << QVariantMap() << saleList << Envelope::kSessionLost << lost;
    QTest::newRow("unknown session id") << QVariantMap{{QStringLiteral("sessionid"), QString(32, QLatin1Char('0'))},
                                                       {QStringLiteral("token"), managerToken}}
                                        << saleList << Envelope::kSessionLost << lost;
    QTest::newRow("another user's token")
        << QVariantMap{{QStringLiteral("sessionid"), managerId}, {QStringLiteral("token"), staffToken}}
        << saleList << Envelope::kSessionLost << lost;
    QTest::newRow("id without token") << QVariantMap{{QStringLiteral("sessionid"), managerId}} << saleList
                                      << Envelope::kSessionLost << lost;
    QTest::newRow("session in headers") << m_manager << saleList << Envelope::kSuccess << QStringLiteral("成功");
    QTest::newRow("session in the cookie") << QVariantMap{{QStringLiteral("cookie"), cookie}} << saleList
                                           << Envelope::kSuccess << QStringLiteral("成功");
    QTest::newRow("another company") << m_manager
                                     << QVariantMap{{QStringLiteral("type"), 0}, {QStringLiteral("companyid"), 20002}}
                                     << Envelope::kRefused << QStringLiteral("无权访问其他公司的数据");
    QTest::newRow("another city") << m_manager
                                  << QVariantMap{{QStringLiteral("type"), 0}, {QStringLiteral("cityid"), 2}}
                                  << Envelope::kRefused << QStringLiteral("无权访问其他城市的数据");
}

// Every answer is the envelope with HTTP 200; only a valid session of the right company and city
// reaches the handler, which answers the company's own houses.
void TestRouter::sessionDecidesAccess()
{
    QFETCH(QVariantMap, headers);
    QFETCH(QVariantMap, params);
    QFETCH(int, code);
    QFETCH(QString, message);

    const ServiceReply reply = dispatch(kHouses, params, headers);
    QCOMPARE(reply.status, 200);
    QVERIFY(reply.contentType.startsWith("application/json"));
    const QJsonObject envelope = envelopeOf(reply);
    QCOMPARE(envelope.value(QStringLiteral("code")).toInt(), code);
    QCOMPARE(envelope.value(QStringLiteral("message")).toString(), message);

    const QJsonObject data = envelope.value(QStringLiteral("data")).toObject();
    if (code != Envelope::kSuccess) {
        QVERIFY(data.isEmpty());
        return;
    }
    const qint64 total =
        number(QStringLiteral("SELECT COUNT(*) AS n FROM site_houses WHERE company_id = '10001' AND kind = 0"));
    QVERIFY(total > 20);
    QCOMPARE(data.value(QStringLiteral("total")).toInt(), int(total));
    const QJsonArray rows = data.value(QStringLiteral("data")).toArray();
    QCOMPARE(rows.size(), 20);
    for (const QJsonValue& row : rows) {
        const qint64 id = row.toObject().value(QStringLiteral("id")).toVariant().toLongLong();
        QCOMPARE(number(QStringLiteral("SELECT COUNT(*) AS n FROM site_houses WHERE id = %1 AND company_id = '10001'"
                                       " AND kind = 0")
                            .arg(id)),
                 qint64(1));
    }
}

void TestRouter::rightsFollowRoleAndScope_data()
{
    QTest::addColumn<QString>("phone");
    QTest::addColumn<int>("function");
    QTest::addColumn<QString>("publisher");
    QTest::addColumn<bool>("granted");
    QTest::addColumn<bool>("mayOperate");

    // 65 put up / take down, 66 delete, 93 review.
    QTest::newRow("manager deletes another's listing") << kManager << 66 << kOtherAgent << true << true;
    QTest::newRow("manager reviews") << kManager << 93 << kOtherAgent << true << true;
    QTest::newRow("staff without the delete right") << kStaff << 66 << kStaff << false << false;
    QTest::newRow("staff without the review right") << kStaff << 93 << kStaff << false << false;
    QTest::newRow("staff puts up an own listing") << kStaff << 65 << kStaff << true << true;
    QTest::newRow("staff puts up another's listing") << kStaff << 65 << kOtherAgent << true << false;
}

// The right comes from the stored job role (a manager needs none); the listing manager's check
// adds the right's scope, here "own listings only" for the staff member.
void TestRouter::rightsFollowRoleAndScope()
{
    QFETCH(QString, phone);
    QFETCH(int, function);
    QFETCH(QString, publisher);
    QFETCH(bool, granted);
    QFETCH(bool, mayOperate);

    const SessionInfo session = sessionOf(phone == kManager ? m_manager : m_staff);
    QVERIFY(session.valid);
    QCOMPARE(session.phone, phone);
    QCOMPARE(RightsCheck::hasAny(m_db, session, {function}), granted);
    QCOMPARE(HouseManagerRights::canOperate(m_db, session, function, kStaffStore, publisher), mayOperate);
}

// The route refuses the staff member with the page's message and leaves the house alone; the
// manager's same call deletes it.
void TestRouter::deleteChecksTheRightFirst()
{
    const qint64 id = number(QStringLiteral("SELECT MIN(id) AS n FROM site_houses WHERE company_id = '10001'"
                                            " AND publisher_phone = '%1'")
                                 .arg(kStaff));
    QVERIFY(id > 0);
    const QString exists = QStringLiteral("SELECT COUNT(*) AS n FROM site_houses WHERE id = %1").arg(id);

    QJsonObject envelope = envelopeOf(dispatch(kDelete, {{QStringLiteral("id"), id}}, m_staff));
    QCOMPARE(envelope.value(QStringLiteral("code")).toInt(), Envelope::kRefused);
    QCOMPARE(envelope.value(QStringLiteral("message")).toString(),
             QStringLiteral("您没有对该房源删除的权限,如需操作请联系管理员！"));
    QCOMPARE(number(exists), qint64(1));

    envelope = envelopeOf(dispatch(kDelete, {{QStringLiteral("id"), id}}, m_manager));
    QCOMPARE(envelope.value(QStringLiteral("code")).toInt(), Envelope::kSuccess);
    QCOMPARE(envelope.value(QStringLiteral("message")).toString(), QStringLiteral("删除成功"));
    QCOMPARE(number(exists), qint64(0));
}

QTEST_GUILESS_MAIN(TestRouter)
#include "tst_router.moc"
