#include "app/ServiceContext.h"
#include "http/Envelope.h"
#include "http/ServiceReply.h"
#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"
#include "routes/account/AccountRoutes.h"
#include "routes/common/DiagnosticsRoutes.h"
#include "routes/listings/HouseManagerRoutes.h"
#include "routes/listings/SubmissionRoutes.h"
#include "seed/DemoData.h"
#include "sessions/HouseManagerRights.h"
#include "sessions/LoginThrottle.h"
#include "sessions/RightsCheck.h"
#include "sessions/SessionInfo.h"
#include "sessions/SessionStore.h"
#include "storage/core/ServiceDatabase.h"

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
    void submissionsNeedTheRight_data();
    void submissionsNeedTheRight();
    void unreadableTextRefused_data();
    void unreadableTextRefused();
    void logoutEndsOneSession();
    void sessionsPerUserBounded();
    void wrongPasswordsSlowDown_data();
    void wrongPasswordsSlowDown();
    void throttleDoublesUpToItsCap();

private:
    ServiceReply dispatch(const QString& path, const QVariantMap& params, const QVariantMap& headers = {});
    // A login attempt's envelope.
    QJsonObject tryLogin(const QString& phone, const QString& password);
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
    SubmissionRoutes m_submissions{m_context};
    DiagnosticsRoutes m_diagnostics;

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
    m_submissions.registerRoutes(m_router);
    m_diagnostics.registerRoutes(m_router);

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

QJsonObject TestRouter::tryLogin(const QString& phone, const QString& password)
{
    return envelopeOf(dispatch(QStringLiteral("api/account/initialize"),
                               {{QStringLiteral("phone"), phone}, {QStringLiteral("password"), password}}));
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

void TestRouter::submissionsNeedTheRight_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("who");
    QTest::addColumn<bool>("granted");
    QTest::addColumn<int>("code");

    for (const QString& path : {QStringLiteral("api/mtore/mzposts"), QStringLiteral("api/mtore/gzposts")}) {
        const QByteArray name = path.section(QLatin1Char('/'), -1).toUtf8();
        QTest::newRow(QByteArray(name + " manager").constData()) << path << kManager << false << Envelope::kSuccess;
        QTest::newRow(QByteArray(name + " staff without 156").constData()) << path << kStaff << false << Envelope::kRefused;
        QTest::newRow(QByteArray(name + " staff granted 156").constData()) << path << kStaff << true << Envelope::kSuccess;
    }
}

// Visitors' names and phone numbers reach only those the pages let in, whoever sends the call.
void TestRouter::submissionsNeedTheRight()
{
    QFETCH(QString, path);
    QFETCH(QString, who);
    QFETCH(bool, granted);
    QFETCH(int, code);

    auto setStaffRight = [this](bool on) {
        return m_db.execute(QStringLiteral("UPDATE job_auth SET content = replace(content, ?, ?) WHERE job_id = 2"),
                            {on ? QStringLiteral("\"id\":156,\"range\":0,\"selected\":false")
                                : QStringLiteral("\"id\":156,\"range\":0,\"selected\":true"),
                             on ? QStringLiteral("\"id\":156,\"range\":0,\"selected\":true")
                                : QStringLiteral("\"id\":156,\"range\":0,\"selected\":false")});
    };
    QVERIFY(setStaffRight(granted));
    const QJsonObject envelope =
        envelopeOf(dispatch(path, {{QStringLiteral("type"), 0}}, who == kManager ? m_manager : m_staff));
    QVERIFY(setStaffRight(false));
    QCOMPARE(envelope.value(QStringLiteral("code")).toInt(), code);
    if (code == Envelope::kRefused) {
        QCOMPARE(envelope.value(QStringLiteral("message")).toString(), RightsCheck::noRightMessage());
        QVERIFY(envelope.value(QStringLiteral("data")).isNull());
    } else {
        QVERIFY(envelope.value(QStringLiteral("data")).toObject().value(QStringLiteral("total")).toInt() > 0);
    }
}

void TestRouter::unreadableTextRefused_data()
{
    QTest::addColumn<QByteArray>("form");
    QTest::addColumn<int>("code");

    QTest::newRow("NUL after an id") << QByteArray("id=987654321%00junk") << Envelope::kRefused;
    QTest::newRow("NUL in a name") << QByteArray("housename=1%00junk&n=1") << Envelope::kRefused;
    QTest::newRow("NUL in a key") << QByteArray("house%00name=1") << Envelope::kRefused;
    QTest::newRow("not UTF-8") << QByteArray("housename=%FF%FE") << Envelope::kRefused;
    QTest::newRow("cut UTF-8 sequence") << QByteArray("housename=%E5%AE") << Envelope::kRefused;
    QTest::newRow("Chinese text") << QByteArray("housename=%E5%AE%89%E5%B1%85") << Envelope::kSuccess;
}

// A value is refused rather than cut at a NUL or altered into replacement characters.
void TestRouter::unreadableTextRefused()
{
    QFETCH(QByteArray, form);
    QFETCH(int, code);

    ServiceRequest request;
    request.method = QStringLiteral("POST");
    request.path = QStringLiteral("api/diagnostics/echo");
    request.params = ServiceParams::fromForm(form);
    const QJsonObject envelope = envelopeOf(m_router.dispatch(request));
    QCOMPARE(envelope.value(QStringLiteral("code")).toInt(), code);
    if (code == Envelope::kRefused)
        QCOMPARE(envelope.value(QStringLiteral("message")).toString(), QStringLiteral("参数含有无效字符"));
}

void TestRouter::logoutEndsOneSession()
{
    const QVariantMap first = login(kManager);
    const QVariantMap second = login(kManager);
    QVERIFY(sessionOf(first).valid);
    const QJsonObject envelope = envelopeOf(dispatch(QStringLiteral("api/account/logout"), {}, first));
    QCOMPARE(envelope.value(QStringLiteral("code")).toInt(), Envelope::kSuccess);
    QVERIFY(!sessionOf(first).valid);
    QVERIFY(sessionOf(second).valid);
    // Logged out is logged out: the same headers no longer reach anything.
    QCOMPARE(envelopeOf(dispatch(QStringLiteral("api/account/logout"), {}, first)).value(QStringLiteral("code")).toInt(),
             Envelope::kSessionLost);
}

void TestRouter::sessionsPerUserBounded()
{
    const QString user = QStringLiteral("(SELECT id FROM users WHERE phone = '%1')").arg(kStaff);
    QList<QVariantMap> sessions;
    for (int i = 0; i < SessionStore::kSessionsPerUser + 5; ++i)
        sessions.append(login(kStaff));
    QCOMPARE(number(QStringLiteral("SELECT COUNT(*) AS n FROM sessions WHERE user_id = ") + user),
             qint64(SessionStore::kSessionsPerUser));
    QVERIFY(!sessionOf(sessions.first()).valid);
    QVERIFY(sessionOf(sessions.last()).valid);
    QVERIFY(sessionOf(sessions.at(5)).valid);
    // Other users' sessions are not touched.
    QVERIFY(sessionOf(m_manager).valid);
    m_staff = sessions.last();
}

void TestRouter::wrongPasswordsSlowDown_data()
{
    QTest::addColumn<QString>("phone");
    QTest::addColumn<bool>("known");

    QTest::newRow("known phone") << QStringLiteral("13900000000") << true;
    QTest::newRow("unknown phone") << QStringLiteral("13911112222") << false;
}

// Five wrong passwords in a row are answered as usual; then even the right one waits, with the
// same answers whether the phone has an account or not.
void TestRouter::wrongPasswordsSlowDown()
{
    QFETCH(QString, phone);
    QFETCH(bool, known);

    for (int i = 0; i < LoginThrottle::kFreeFailures; ++i) {
        const QJsonObject envelope = tryLogin(phone, QStringLiteral("wrong%1").arg(i));
        QCOMPARE(envelope.value(QStringLiteral("code")).toInt(), Envelope::kRefused);
        QCOMPARE(envelope.value(QStringLiteral("message")).toString(), QStringLiteral("账号或密码错误"));
    }
    const QJsonObject envelope = tryLogin(phone, QStringLiteral("demo123"));
    QCOMPARE(envelope.value(QStringLiteral("code")).toInt(), Envelope::kRefused);
    QCOMPARE(envelope.value(QStringLiteral("message")).toString(), QStringLiteral("密码错误次数过多，请1秒后再试"));
    // Other phones are not held up.
    QVERIFY(sessionOf(login(kManager)).valid);
    if (known) {
        QTest::qWait(1100);
        QCOMPARE(tryLogin(phone, QStringLiteral("demo123")).value(QStringLiteral("code")).toInt(), Envelope::kSuccess);
    }
}

void TestRouter::throttleDoublesUpToItsCap()
{
    LoginThrottle throttle(m_db);
    const QString phone = QStringLiteral("13800000000");
    // Each check claimed as soon as the phone may try: the wait it leaves behind.
    qint64 now = 1000000;
    const auto claimWhenAllowed = [&] {
        qint64 wait = -1;
        return throttle.claim(phone, now, &wait) && wait == 0;
    };
    QList<qint64> waits;
    for (int i = 0; i < 12; ++i) {
        QVERIFY(claimWhenAllowed());
        waits.append(throttle.waitMs(phone, now));
        now += waits.last();
    }
    const QList<qint64> expected{0, 0, 0, 0, 1000, 2000, 4000, 8000, 16000, 32000, 64000, 128000};
    QCOMPARE(waits, expected);
    // A claim while the phone must wait is refused and not counted.
    qint64 wait = 0;
    QVERIFY(throttle.claim(phone, now - 1, &wait));
    QCOMPARE(wait, qint64(1));
    QCOMPARE(throttle.waitMs(phone, now - 1), qint64(1));
    for (int i = 0; i < 20; ++i) {
        QVERIFY(claimWhenAllowed());
        now += throttle.waitMs(phone, now);
    }
    QCOMPARE(throttle.waitMs(phone, now - LoginThrottle::kMaxDelayMs), LoginThrottle::kMaxDelayMs);
    QCOMPARE(throttle.waitMs(QStringLiteral("13800000009"), now), qint64(0));
    QVERIFY(throttle.succeeded(phone));
    QCOMPARE(throttle.waitMs(phone, 0), qint64(0));
}

QTEST_GUILESS_MAIN(TestRouter)
#include "tst_router.moc"
