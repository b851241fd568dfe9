#include "support/service/DemoSessions.h"
#include "support/service/ReferenceService.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopedPointer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {

using Headers = ReferenceService::Headers;
using Pieces = ReferenceService::Pieces;

const QString kRead = QStringLiteral("api/workcenter/jobauthInfo");
const QString kSave = QStringLiteral("api/workcenter/jobedit");
const QString kAddJob = QStringLiteral("api/mtore/joinusadd");
const QString kClickStore = QStringLiteral("api/mtore/mshouseclickstore");
const QString kNoRight = QStringLiteral("您当前没有权利操作，请联系管理员！");
const QString kMissingRole = QStringLiteral("该角色不存在");
const QString kBadRights = QStringLiteral("权限内容格式错误");
const QList<int> kModuleRights = {65, 66, 67, 68, 69, 70, 71, 72, 73, 80, 81, 82, 83, 93, 97, 98, 148, 156};
const int kAgentJob = 2; // 安居地产's 经纪人, the staff member's role: 65 (own listings) and 148
const int kClerkJob = 3; // 安居地产's 文员
const int kChongqingJob = 4; // 山城置业's 店长

QString compact(const QJsonValue& value)
{
    const QJsonDocument document = value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    return QString::fromUtf8(document.toJson(QJsonDocument::Compact));
}

QJsonArray contentOf(const QJsonArray& apps)
{
    return apps.first().toObject().value(QStringLiteral("content")).toArray();
}

int indexOf(const QJsonArray& content, int id)
{
    for (int i = 0; i < content.size(); ++i) {
        if (content.at(i).toObject().value(QStringLiteral("id")).toInt() == id)
            return i;
    }
    return -1;
}

QJsonObject rightOf(const QJsonArray& content, int id)
{
    return content.at(indexOf(content, id)).toObject();
}

// The app list with the right's entry replaced by this one (found by its id).
QJsonArray withEntry(QJsonArray apps, const QJsonObject& entry)
{
    QJsonObject app = apps.first().toObject();
    QJsonArray content = app.value(QStringLiteral("content")).toArray();
    content.replace(indexOf(content, entry.value(QStringLiteral("id")).toInt()), entry);
    app.insert(QStringLiteral("content"), content);
    apps.replace(0, app);
    return apps;
}

// The app list with one right's entry changed as the permission page changes it.
QJsonArray withRight(const QJsonArray& apps, int id, const QJsonObject& changes)
{
    QJsonObject entry = rightOf(contentOf(apps), id);
    for (auto it = changes.constBegin(); it != changes.constEnd(); ++it)
        entry.insert(it.key(), it.value());
    return withEntry(apps, entry);
}

// The app list with a key taken from one right's entry.
QJsonArray withoutKey(const QJsonArray& apps, int id, const QString& key)
{
    QJsonObject entry = rightOf(contentOf(apps), id);
    entry.remove(key);
    return withEntry(apps, entry);
}

// The app list with these entries added to the content.
QJsonArray withEntries(QJsonArray apps, const QJsonArray& entries)
{
    QJsonObject app = apps.first().toObject();
    QJsonArray content = app.value(QStringLiteral("content")).toArray();
    for (const QJsonValue& entry : entries)
        content.append(entry);
    app.insert(QStringLiteral("content"), content);
    apps.replace(0, app);
    return apps;
}

QJsonObject department(const QJsonValue& id, const QString& name, bool withDown)
{
    return QJsonObject{{QStringLiteral("nodeType"), 1},
                       {QStringLiteral("dept_id"), id},
                       {QStringLiteral("dept_name"), name},
                       {QStringLiteral("with_down"), withDown},
                       {QStringLiteral("hideData"), false}};
}

Pieces saveForm(int jobId, const QJsonArray& apps)
{
    return {piece("content", compact(apps)), piece("id", jobId)};
}

QJsonArray parsedBumens(const QJsonObject& entry)
{
    return QJsonDocument::fromJson(entry.value(QStringLiteral("bumens")).toString().toUtf8()).array();
}

} // namespace

// The rights of a job role: read and saved by the settings' role editor, and the same rights the
// login hands out and the service's own checks apply.
class TestJobRightsRoutes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void needsSession();
    void seededRights();
    void rolesOfTheCompanyOnly_data();
    void rolesOfTheCompanyOnly();
    void managersOnly();
    void roundTrip();
    void savedRightsAreEnforced();
    void savedScopeIsEnforced();
    void refused_data();
    void refused();

private:
    QJsonArray rightsOf(int jobId, const Headers& who) const
    {
        return m_service->call(kRead, {piece("id", jobId)}, who).data().toArray();
    }
    // A house of the store published by someone else than the staff member, on the site's list.
    qint64 houseOfStore(int storeId) const;

    QScopedPointer<ReferenceService> m_service;
    Headers m_manager;   // 安居地产's manager
    Headers m_staff;     // 安居地产's agent, job role 2
    Headers m_chongqing; // 山城置业's manager
    QJsonArray m_agent;  // role 2's rights as first read
    QJsonArray m_clerk;  // role 3's
};

void TestJobRightsRoutes::initTestCase()
{
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    const DemoSessions demo = DemoSessions::login(*m_service);
    QVERIFY(demo.complete());
    m_manager = demo.manager;
    m_staff = demo.staff;
    m_chongqing = demo.chongqing;
    m_agent = rightsOf(kAgentJob, m_manager);
    m_clerk = rightsOf(kClerkJob, m_manager);
    QVERIFY(!m_agent.isEmpty() && !m_clerk.isEmpty());
}

void TestJobRightsRoutes::cleanupTestCase()
{
    QSqlDatabase::removeDatabase(QStringLiteral("inspect"));
    QCOMPARE(m_service->stop(), 0);
}

void TestJobRightsRoutes::cleanup()
{
    // Saving what was read brings the seeded rights back: a round trip of its own.
    QCOMPARE(m_service->call(kSave, saveForm(kAgentJob, m_agent), m_manager).code(), 200);
    QCOMPARE(m_service->call(kSave, saveForm(kClerkJob, m_clerk), m_manager).code(), 200);
    QCOMPARE(rightsOf(kAgentJob, m_manager), m_agent);
    QCOMPARE(rightsOf(kClerkJob, m_manager), m_clerk);
}

qint64 TestJobRightsRoutes::houseOfStore(int storeId) const
{
    QSqlQuery query(m_service->inspect(QStringLiteral("inspect")));
    query.prepare(QStringLiteral("SELECT MIN(id) FROM site_houses WHERE company_id = '10001' AND store_id = ?"
                                 " AND publisher_phone <> '13800000001' AND sh = 1"));
    query.addBindValue(storeId);
    return query.exec() && query.next() ? query.value(0).toLongLong() : 0;
}

void TestJobRightsRoutes::needsSession()
{
    for (const QString& path : {kRead, kSave})
        QCOMPARE(m_service->call(path, saveForm(kAgentJob, m_agent), {}).code(), 400);
}

void TestJobRightsRoutes::seededRights()
{
    const ReferenceService::Reply reply = m_service->call(kRead, {piece("id", kAgentJob)}, m_staff);
    QCOMPARE(reply.code(), 200);
    const QJsonArray apps = reply.data().toArray();
    QCOMPARE(apps.size(), 1);
    const QJsonObject app = apps.first().toObject();
    QCOMPARE(app.value(QStringLiteral("id")).toInt(), 12);
    QCOMPARE(app.value(QStringLiteral("name")).toString(), QStringLiteral("微官网"));
    const QJsonArray content = app.value(QStringLiteral("content")).toArray();
    QCOMPARE(content.size(), kModuleRights.size());
    for (int id : kModuleRights) {
        const QJsonObject right = rightOf(content, id);
        QCOMPARE(right.value(QStringLiteral("selected")).toBool(), id == 65 || id == 148);
        QVERIFY(right.value(QStringLiteral("selected")).isBool());
        // The editor's form of the chosen departments.
        QCOMPARE(right.value(QStringLiteral("bumens")).toString(), QStringLiteral("[]"));
    }
    QCOMPARE(rightOf(content, 65).value(QStringLiteral("range")).toInt(), 2);
    // The manager role holds every right.
    for (const QJsonValue& right : contentOf(rightsOf(1, m_manager)))
        QVERIFY(right.toObject().value(QStringLiteral("selected")).toBool());
}

void TestJobRightsRoutes::rolesOfTheCompanyOnly_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("message");

    for (const QString& path : {kRead, kSave}) {
        const QString name = path.section(QLatin1Char('/'), -1);
        QTest::addRow("%s, another company's role", qPrintable(name)) << path << QString::number(kChongqingJob) << kMissingRole;
        QTest::addRow("%s, no such role", qPrintable(name)) << path << QStringLiteral("999") << kMissingRole;
        QTest::addRow("%s, no id", qPrintable(name)) << path << QString() << QStringLiteral("缺少参数：角色编号");
        QTest::addRow("%s, id 0", qPrintable(name)) << path << QStringLiteral("0") << QStringLiteral("参数超出范围：角色编号");
        QTest::addRow("%s, id in words", qPrintable(name)) << path << QStringLiteral("店长") << QStringLiteral("参数格式错误：角色编号");
    }
}

void TestJobRightsRoutes::rolesOfTheCompanyOnly()
{
    QFETCH(QString, path);
    QFETCH(QString, id);
    QFETCH(QString, message);

    const QJsonArray theirs = rightsOf(kChongqingJob, m_chongqing);
    QVERIFY(!theirs.isEmpty());
    const QJsonArray emptied = withRight(m_agent, 148, {{QStringLiteral("selected"), false}});
    const ReferenceService::Reply reply =
        m_service->call(path, {piece("content", compact(emptied)), piece("id", id)}, m_manager);
    QCOMPARE(reply.code(), 405);
    QCOMPARE(reply.message(), message);
    QCOMPARE(rightsOf(kChongqingJob, m_chongqing), theirs);
    // 山城置业's manager does not reach 安居地产's roles either.
    QCOMPARE(m_service->call(kRead, {piece("id", kAgentJob)}, m_chongqing).message(), kMissingRole);
}

void TestJobRightsRoutes::managersOnly()
{
    // Not even a role holding every right of the module may change rights, its own included.
    QVERIFY(m_service->selectJobRights(kAgentJob, kModuleRights));
    const QJsonArray granted = rightsOf(kAgentJob, m_staff);
    for (int job : {kAgentJob, kClerkJob}) {
        const ReferenceService::Reply reply = m_service->call(kSave, saveForm(job, granted), m_staff);
        QCOMPARE(reply.code(), 405);
        QCOMPARE(reply.message(), kNoRight);
    }
    // Refused before the parameters are read: a malformed request learns nothing more.
    QCOMPARE(m_service->call(kSave, {}, m_staff).message(), kNoRight);
    QCOMPARE(rightsOf(kClerkJob, m_manager), m_clerk);
}

void TestJobRightsRoutes::roundTrip()
{
    // What the permission page leaves after a few clicks: a right taken away, one granted, one given
    // chosen departments (as the range chooser writes them), a key of the host's kept.
    const QJsonArray chosen = {department(3, QStringLiteral("春熙路店"), true),
                               department(QStringLiteral("7"), QStringLiteral("天府一组"), false)};
    QJsonArray changed = withRight(m_clerk, 67, {{QStringLiteral("selected"), false}});
    changed = withRight(changed, 70, {{QStringLiteral("selected"), true}, {QStringLiteral("range"), 0}});
    changed = withRight(changed, 98, {{QStringLiteral("selected"), true},
                                      {QStringLiteral("range"), 5},
                                      {QStringLiteral("bumens"), compact(chosen)},
                                      {QStringLiteral("note"), QStringLiteral("A&B=C+D \"引号\"")}});
    const ReferenceService::Reply saved = m_service->call(kSave, saveForm(kClerkJob, changed), m_manager);
    QCOMPARE(saved.code(), 200);
    QCOMPARE(saved.message(), QStringLiteral("保存成功"));
    QCOMPARE(saved.data().toArray(), rightsOf(kClerkJob, m_manager));

    const QJsonArray content = contentOf(rightsOf(kClerkJob, m_manager));
    QCOMPARE(content.size(), contentOf(m_clerk).size());
    for (const QJsonValue& value : contentOf(changed)) {
        const QJsonObject sent = value.toObject();
        QJsonObject read = rightOf(content, sent.value(QStringLiteral("id")).toInt());
        QCOMPARE(parsedBumens(read), parsedBumens(sent));
        read.remove(QStringLiteral("bumens"));
        QJsonObject expected = sent;
        expected.remove(QStringLiteral("bumens"));
        QCOMPARE(read, expected);
    }
    QCOMPARE(rightOf(content, 98).value(QStringLiteral("note")).toString(), QStringLiteral("A&B=C+D \"引号\""));
    // Everyone of the company reads the same.
    QCOMPARE(rightsOf(kClerkJob, m_staff), rightsOf(kClerkJob, m_manager));
    // Other roles are untouched.
    QCOMPARE(rightsOf(kAgentJob, m_manager), m_agent);

    // A save that names no app changes nothing.
    QCOMPARE(m_service->call(kSave, saveForm(kClerkJob, {}), m_manager).code(), 200);
    QCOMPARE(contentOf(rightsOf(kClerkJob, m_manager)), content);
}

void TestJobRightsRoutes::savedRightsAreEnforced()
{
    const Pieces posting = {piece("title", QStringLiteral("置业顾问")), piece("xinzi", QStringLiteral("8000")),
                            piece("address", QStringLiteral("春熙路")), piece("tel", QStringLiteral("028-86661234")),
                            piece("content", QStringLiteral("带看、签约"))};
    QCOMPARE(m_service->call(kAddJob, posting, m_staff).message(), kNoRight);

    const QJsonArray granted = withRight(m_agent, 67, {{QStringLiteral("selected"), true}});
    QCOMPARE(m_service->call(kSave, saveForm(kAgentJob, granted), m_manager).code(), 200);
    QCOMPARE(m_service->call(kAddJob, posting, m_staff).code(), 200);
    // The next login hands out the same rights, departments as an array.
    QVERIFY(!m_service->login(QStringLiteral("13800000001")).isEmpty());
    const QJsonArray handedOut =
        contentOf(m_service->lastLoginData().value(QStringLiteral("userauth")).toArray());
    QCOMPARE(rightOf(handedOut, 67).value(QStringLiteral("selected")).toBool(), true);
    QVERIFY(rightOf(handedOut, 67).value(QStringLiteral("bumens")).isArray());

    const QJsonArray revoked = withRight(granted, 67, {{QStringLiteral("selected"), false}});
    QCOMPARE(m_service->call(kSave, saveForm(kAgentJob, revoked), m_manager).code(), 200);
    const ReferenceService::Reply refused = m_service->call(kAddJob, posting, m_staff);
    QCOMPARE(refused.code(), 405);
    QCOMPARE(refused.message(), kNoRight);
}

void TestJobRightsRoutes::savedScopeIsEnforced()
{
    // 春熙路二组 (5) sits below 春熙路店 (3); the staff member is in 春熙路一组 (4).
    const qint64 house = houseOfStore(5);
    QVERIFY(house > 0);
    const QString below = compact(QJsonArray{department(3, QStringLiteral("春熙路店"), true)});
    const QJsonArray scoped = withRight(m_agent, 65, {{QStringLiteral("range"), 5}, {QStringLiteral("bumens"), below}});
    QCOMPARE(m_service->call(kSave, saveForm(kAgentJob, scoped), m_manager).code(), 200);
    QCOMPARE(m_service->call(kClickStore, {piece("id", house)}, m_staff).code(), 200);
    QCOMPARE(m_service->call(kClickStore, {piece("id", house)}, m_staff).code(), 200);

    // Without "含下级" the store below is out of scope.
    const QString only = compact(QJsonArray{department(3, QStringLiteral("春熙路店"), false)});
    QCOMPARE(m_service->call(kSave, saveForm(kAgentJob, withRight(scoped, 65, {{QStringLiteral("bumens"), only}})),
                             m_manager)
                 .code(),
             200);
    QCOMPARE(m_service->call(kClickStore, {piece("id", house)}, m_staff).code(), 405);
}

void TestJobRightsRoutes::refused_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("message");

    const auto right = [this](int id, const QJsonObject& changes) { return compact(withRight(m_agent, id, changes)); };
    QJsonObject otherApp = m_agent.first().toObject();
    otherApp.insert(QStringLiteral("id"), 13);

    QTest::newRow("no content") << QString() << QStringLiteral("缺少参数：权限内容");
    QTest::newRow("not JSON") << QStringLiteral("[{\"id\":12,") << kBadRights;
    QTest::newRow("an object") << compact(m_agent.first()) << kBadRights;
    QTest::newRow("app without content")
        << compact(QJsonArray{QJsonObject{{QStringLiteral("id"), 12}, {QStringLiteral("name"), QStringLiteral("微官网")}}})
        << kBadRights;
    QTest::newRow("unknown app") << compact(QJsonArray{otherApp}) << QStringLiteral("不支持的应用：13");
    QTest::newRow("app twice") << compact(QJsonArray{m_agent.first(), m_agent.first()}) << kBadRights;
    QTest::newRow("unknown right") << compact(withEntries(m_agent, {QJsonObject{{QStringLiteral("id"), 132},
                                                                               {QStringLiteral("selected"), true}}}))
                                   << QStringLiteral("不支持的权限项：132");
    QTest::newRow("right twice") << compact(withEntries(m_agent, {rightOf(contentOf(m_agent), 65)}))
                                 << QStringLiteral("权限项重复：65");
    // The permission page's maps of rights it was never given.
    QTest::newRow("a right without id") << compact(withEntries(m_agent, {QJsonObject{{QStringLiteral("selected"), true}}}))
                                        << kBadRights;
    QTest::newRow("an empty map") << compact(withEntries(m_agent, {QJsonObject()})) << kBadRights;
    QTest::newRow("selected as text") << right(148, {{QStringLiteral("selected"), QStringLiteral("1")}}) << kBadRights;
    QTest::newRow("selected missing") << compact(withoutKey(m_agent, 148, QStringLiteral("selected"))) << kBadRights;
    QTest::newRow("range 7") << right(65, {{QStringLiteral("range"), 7}}) << QStringLiteral("权限范围错误：65");
    QTest::newRow("range -1") << right(65, {{QStringLiteral("range"), -1}}) << QStringLiteral("权限范围错误：65");
    QTest::newRow("range as text") << right(65, {{QStringLiteral("range"), QStringLiteral("2")}})
                                   << QStringLiteral("权限范围错误：65");
    QTest::newRow("departments not JSON") << right(65, {{QStringLiteral("range"), 5}, {QStringLiteral("bumens"), QStringLiteral("春熙路店")}})
                                          << QStringLiteral("指定部门格式错误");
    QTest::newRow("departments a number") << right(65, {{QStringLiteral("bumens"), 3}}) << QStringLiteral("指定部门格式错误");
    QTest::newRow("another company's department")
        << right(65, {{QStringLiteral("range"), 5},
                      {QStringLiteral("bumens"), compact(QJsonArray{department(12, QStringLiteral("解放碑店"), true)})}})
        << QStringLiteral("指定部门不存在");
    QTest::newRow("a department without id")
        << right(65, {{QStringLiteral("range"), 5},
                      {QStringLiteral("bumens"), compact(QJsonArray{QJsonObject{{QStringLiteral("dept_name"), QStringLiteral("A")}}})}})
        << QStringLiteral("指定部门不存在");
    // All or nothing: a grant before the bad entry is not kept either.
    QTest::newRow("a grant, then a bad entry")
        << compact(withRight(withRight(m_agent, 67, {{QStringLiteral("selected"), true}}), 68,
                             {{QStringLiteral("range"), 9}}))
        << QStringLiteral("权限范围错误：68");
}

void TestJobRightsRoutes::refused()
{
    QFETCH(QString, content);
    QFETCH(QString, message);

    const ReferenceService::Reply reply =
        m_service->call(kSave, {piece("content", content), piece("id", kAgentJob)}, m_manager);
    QCOMPARE(reply.message(), message);
    QCOMPARE(reply.code(), 405);
    QCOMPARE(rightsOf(kAgentJob, m_manager), m_agent);
}

QTEST_GUILESS_MAIN(TestJobRightsRoutes)
#include "tst_jobrightsroutes.moc"
