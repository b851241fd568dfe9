#include "net/http/NetRequestObjecet.h"
#include "net/http/ServiceAddresses.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/popups/AlertWidget.h"

#include "CommonSignalTool.h"
#include "DataCenter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QSslSocket>
#include <QTemporaryDir>
#include <QtTest>
#include <QUrlQuery>

#include <algorithm>

namespace {

// Everything a request object and the hub report for one request, in order.
class Outcome : public QObject
{
public:
    explicit Outcome(NetRequestObjecet* request)
    {
        connect(request, &NetRequestObjecet::loadSuccess, this, [this](const QJsonValue& v) {
            events << QStringLiteral("success");
            successes << v;
        });
        connect(request, &NetRequestObjecet::loadFail, this, [this](int code, const QString& msg) {
            events << QStringLiteral("fail");
            failures << qMakePair(code, msg);
        });
        connect(request, &NetRequestObjecet::loadFinish, this, [this]() { events << QStringLiteral("finish"); });
        connect(request, &NetRequestObjecet::fileUploadSuccess, this, [this](const QString& address) {
            events << QStringLiteral("uploaded");
            uploaded << address;
        });
        connect(request, &NetRequestObjecet::fileUploadProgress, this,
                [this](qint64, qint64 total) { uploadTotals << total; });
        connect(request, &NetRequestObjecet::downloadFileSuccess, this, [this](const QString& path) {
            events << QStringLiteral("downloaded");
            downloaded << path;
        });
        auto* hub = CommonSignalTool::Instance();
        connect(hub, &CommonSignalTool::reviceMsg, this, [this](const QString& key, const QVariant& v, QObject* obj) {
            if (key != QLatin1String("request_fail"))
                return;
            events << QStringLiteral("request_fail");
            hubFailures << v.toMap();
            hubSenders << obj;
        });
        connect(hub, &CommonSignalTool::lostLogin, this, [this](const QVariant& v, QObject*) {
            events << QStringLiteral("lostLogin");
            lostLogins << v.toMap();
        });
    }

    bool finished() const { return events.contains(QStringLiteral("finish")); }

    QStringList events;
    QList<QJsonValue> successes;
    QList<QPair<int, QString>> failures;
    QStringList uploaded;
    QList<qint64> uploadTotals;
    QStringList downloaded;
    QList<QVariantMap> hubFailures;
    QList<QObject*> hubSenders;
    QList<QVariantMap> lostLogins;
};

QList<AlertWidget*> alerts()
{
    QList<AlertWidget*> found;
    const auto widgets = QApplication::topLevelWidgets();
    for (QWidget* widget : widgets) {
        auto* alert = qobject_cast<AlertWidget*>(widget);
        if (alert && alert->objectName() == QLatin1String("AlertWidget"))
            found << alert;
    }
    return found;
}

const QStringList failed = {QStringLiteral("fail"), QStringLiteral("request_fail"), QStringLiteral("finish")};


struct Part
{
    QByteArray disposition;
    QByteArray body;
};

// Splits a multipart/form-data body into its parts.
QList<Part> multipartParts(const QByteArray& contentType, const QByteArray& body)
{
    QList<Part> parts;
    const int at = contentType.indexOf("boundary=");
    if (at < 0)
        return parts;
    QByteArray boundary = contentType.mid(at + 9);
    if (boundary.startsWith('"'))
        boundary = boundary.mid(1, boundary.size() - 2);
    const QByteArray delimiter = "--" + boundary;
    int pos = body.indexOf(delimiter);
    while (pos >= 0) {
        const int start = pos + delimiter.size();
        if (body.mid(start, 2) == "--")
            break;
        const int next = body.indexOf("\r\n" + delimiter, start);
        if (next < 0)
            break;
        const QByteArray chunk = body.mid(start + 2, next - start - 2);
        const int split = chunk.indexOf("\r\n\r\n");
        Part part;
        for (const QByteArray& line : chunk.left(split).split('\n')) {
            if (line.toLower().startsWith("content-disposition:"))
                part.disposition = line.mid(20).trimmed();
        }
        part.body = chunk.mid(split + 4);
        parts << part;
        pos = next + 2;
    }
    return parts;
}

} // namespace

class TestNetRequestObject : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void envelope_data();
    void envelope();
    void refusals_data();
    void refusals();
    void connectionFailure_data();
    void connectionFailure();
    void objectMovedFollowed_data();
    void objectMovedFollowed();
    void failureReasons_data();
    void failureReasons();
    void identicalRefusalsShowOneAlert();
    void pageClosedDuringLostLoginIsLeftAlone();
    void objectMovedLoopStops();
    void formParams_data();
    void formParams();
    void jsonParams_data();
    void jsonParams();
    void headers();
    void testAddressesAlert_data();
    void testAddressesAlert();
    void addressAlertOncePerSession();
    void uploadParts();
    void uploadFailures_data();
    void uploadFailures();
    void uploadMissingFile();
    void downloadWritten();
    void downloadBroken_data();
    void downloadBroken();
    void certificateRefused();
    void stalledTransferTimesOut();
    void jsonConversions();

private:
    QString api(const QString& path) const { return m_server.url(QStringLiteral("/api/") + path); }

    ScriptedHttpServer m_server;
    QTemporaryDir m_dir;
};

void TestNetRequestObject::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
    QVERIFY(m_dir.isValid());
    QVERIFY(m_server.start());
    // Set before the addresses are first read: they are built once, on first use.
    qputenv("MICROSITE_API_BASE", m_server.url(QStringLiteral("/api/")).toUtf8());
    QCOMPARE(ServiceAddresses::apiBase(), m_server.url(QStringLiteral("/api/")));
}

void TestNetRequestObject::init()
{
    NetRequestObjecet::resetAddressWarning();
    DataCenter::reset();
    DataCenter::UserOnline = true;
    m_server.clear();
}

void TestNetRequestObject::cleanup()
{
    for (AlertWidget* alert : alerts())
        alert->closeWidget();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(alerts().isEmpty());
}

void TestNetRequestObject::envelope_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<QJsonValue>("data");
    QTest::addColumn<int>("failCode");
    QTest::addColumn<QString>("failMessage");

    const QJsonValue empty(QString{});
    QTest::newRow("code as text, null data") << QByteArray(R"({"code":"200","message":"","data":null})") << true
                                             << empty << 0 << QString();
    QTest::newRow("no data") << QByteArray(R"({"code":200,"message":"ok"})") << true << empty << 0 << QString();
    QJsonObject object;
    object.insert(QStringLiteral("total"), 2);
    object.insert(QStringLiteral("title"), QStringLiteral("花园"));
    QTest::newRow("object data") << QByteArray(R"({"code":200,"data":{"total":2,"title":"花园"}})") << true
                                 << QJsonValue(object) << 0 << QString();
    QTest::newRow("array data") << QByteArray(R"({"code":200,"data":[1,"a"]})") << true
                                << QJsonValue(QJsonArray{1, QStringLiteral("a")}) << 0 << QString();
    QTest::newRow("not JSON") << QByteArray("<html><body>Server Error</body></html>") << false << QJsonValue()
                              << 0 << QString();
    QTest::newRow("other code") << QByteArray(R"({"code":500,"message":"服务器错误"})") << false << QJsonValue()
                                << 500 << QStringLiteral("服务器错误");
    QTest::newRow("400 without message") << QByteArray(R"({"code":400,"message":""})") << false << QJsonValue()
                                         << 400 << QString();
    QTest::newRow("405 without message") << QByteArray(R"({"code":405})") << false << QJsonValue() << 405
                                         << QString();
    QTest::newRow("code not a number") << QByteArray(R"({"code":"abc","message":"x"})") << false << QJsonValue()
                                       << 0 << QStringLiteral("x");
}

void TestNetRequestObject::envelope()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, succeeds);
    QFETCH(QJsonValue, data);
    QFETCH(int, failCode);
    QFETCH(QString, failMessage);

    m_server.setReply(QStringLiteral("/api/mtore/appposts"), ScriptedHttpServer::jsonReply(body));
    NetRequestObjecet request;
    QCOMPARE(request.objectName(), QStringLiteral("NetRequestObjecet"));
    Outcome outcome(&request);
    const QString address = api(QStringLiteral("mtore/appposts"));
    request.sendRequest(address, QByteArrayLiteral("id=1"));
    QTRY_VERIFY(outcome.finished());

    QCOMPARE(request.resultText(), QString::fromUtf8(body));
    if (succeeds) {
        QCOMPARE(outcome.events, QStringList({QStringLiteral("success"), QStringLiteral("finish")}));
        QCOMPARE(outcome.successes.constFirst(), data);
        QVERIFY(outcome.hubFailures.isEmpty());
    } else {
        QCOMPARE(outcome.events, failed);
        QCOMPARE(outcome.failures.constFirst(), qMakePair(failCode, failMessage));
        const QVariantMap hub = outcome.hubFailures.constFirst();
        QCOMPARE(hub.value(QStringLiteral("code")).toInt(), failCode);
        QCOMPARE(hub.value(QStringLiteral("message")).toString(), failMessage);
        QCOMPARE(hub.value(QStringLiteral("isShowAlert")), QVariant(true));
        QCOMPARE(hub.value(QStringLiteral("url")).toString(), address);
        QVERIFY(!outcome.hubSenders.constFirst());
    }
    // Only a 400 or 405 that carries a message has a say beyond the signals.
    QVERIFY(outcome.lostLogins.isEmpty());
    QVERIFY(DataCenter::UserOnline);
    QVERIFY(alerts().isEmpty());
}

void TestNetRequestObject::refusals_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("showAlert");
    QTest::addColumn<QStringList>("events");

    // The host's login dialog is asked for once the reply has been handled.
    const QStringList withLostLogin = failed + QStringList{QStringLiteral("lostLogin")};
    QTest::newRow("400 lost login") << 400 << true << withLostLogin;
    QTest::newRow("400 lost login, alerts off") << 400 << false << failed;
    QTest::newRow("405 warning") << 405 << true << failed;
    QTest::newRow("405 warning, alerts off") << 405 << false << failed;
}

void TestNetRequestObject::refusals()
{
    QFETCH(int, code);
    QFETCH(bool, showAlert);
    QFETCH(QStringList, events);

    const QString text = code == 400 ? QStringLiteral("您的账号已在别处登录") : QStringLiteral("没有操作权限");
    m_server.setReply(QStringLiteral("/api/mtore/joinusadd"), ScriptedHttpServer::envelope(code, text));
    NetRequestObjecet request;
    if (!showAlert)
        request.disableAlert();
    Outcome outcome(&request);
    request.sendRequest(api(QStringLiteral("mtore/joinusadd")), QByteArrayLiteral("title=a"));
    QTRY_VERIFY(outcome.finished());
    // Notices come after the reply's own signals; a marker alert shows that all have come.
    QVERIFY(AlertProbe::flushPending());

    QCOMPARE(outcome.events, events);
    QCOMPARE(outcome.failures.constFirst(), qMakePair(code, text));
    QCOMPARE(outcome.hubFailures.constFirst().value(QStringLiteral("isShowAlert")), QVariant(showAlert));

    const bool lostLogin = code == 400 && showAlert;
    QCOMPARE(DataCenter::UserOnline, !lostLogin);
    if (lostLogin) {
        QVariantMap expected;
        expected.insert(QStringLiteral("use"), QStringLiteral("again_login"));
        expected.insert(QStringLiteral("message"), text);
        QCOMPARE(outcome.lostLogins.constFirst(), expected);
    }

    if (code == 405 && showAlert) {
        QTRY_COMPARE(alerts().size(), 1);
        AlertWidget* alert = alerts().constFirst();
        QTRY_VERIFY(alert->isVisible());
        QCOMPARE(alert->title(), QStringLiteral("警告"));
        QCOMPARE(alert->message(), text);
    } else {
        QVERIFY(alerts().isEmpty());
    }
}

void TestNetRequestObject::connectionFailure_data()
{
    QTest::addColumn<QString>("address");

    // A port that was free a moment ago: nothing listens there.
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
    QTest::newRow("refused") << QStringLiteral("http://127.0.0.1:%1/api/mtore/appposts").arg(closed.serverPort());
    closed.close();
    QTest::newRow("empty address") << QString();
    QTest::newRow("unknown scheme") << QStringLiteral("gopher://127.0.0.1/x");
}

void TestNetRequestObject::connectionFailure()
{
    QFETCH(QString, address);

    NetRequestObjecet request;
    Outcome outcome(&request);
    request.sendRequest(address);
    QTRY_VERIFY(outcome.finished());

    QCOMPARE(outcome.events, failed);
    QCOMPARE(outcome.failures.constFirst().first, 0);
    QVERIFY(!outcome.failures.constFirst().second.isEmpty());
    const QString expectedText = QStringLiteral("网络加载错误code: 0 \n错误信息：%1\n%2")
                                     .arg(outcome.failures.constFirst().second, address);
    QCOMPARE(request.message(), expectedText);
    QCOMPARE(request.resultText(), expectedText);
    QCOMPARE(outcome.hubFailures.constFirst().value(QStringLiteral("code")).toInt(), 0);
    QCOMPARE(outcome.hubFailures.constFirst().value(QStringLiteral("message")).toString(), expectedText);
}

void TestNetRequestObject::objectMovedFollowed_data()
{
    QTest::addColumn<QByteArray>("link");
    QTest::newRow("from the host's root") << QByteArrayLiteral("/api/new/place");
    QTest::newRow("relative to the page") << QByteArrayLiteral("place");
    QTest::newRow("whole address") << QByteArrayLiteral("FULL/api/new/place");
}

// The link of an "Object moved" page is resolved against the page's own address, and the same
// request goes there: same method, same body.
void TestNetRequestObject::objectMovedFollowed()
{
    QFETCH(QByteArray, link);
    if (link.startsWith("FULL"))
        link = m_server.url(QString::fromUtf8(link.mid(4))).toUtf8();
    const QString target = QStringLiteral("/api/new/place");
    ScriptedHttpServer::Reply moved = ScriptedHttpServer::objectMoved(link);
    m_server.setReply(QStringLiteral("/api/new/old"), moved);
    m_server.setReply(target, ScriptedHttpServer::envelope(200, QString(), QJsonObject{{QStringLiteral("ok"), true}}));

    NetRequestObjecet request;
    Outcome outcome(&request);
    request.sendRequest(api(QStringLiteral("new/old")), QByteArrayLiteral("id=3&name=%E6%88%BF"));
    QTRY_VERIFY(outcome.finished());

    // The moved page itself reports nothing; the followed request does.
    QCOMPARE(outcome.events, QStringList({QStringLiteral("success"), QStringLiteral("finish")}));
    QCOMPARE(outcome.successes.constFirst().toObject().value(QStringLiteral("ok")), QJsonValue(true));
    const auto followed = m_server.requestsTo(target);
    QCOMPARE(followed.size(), 1);
    QCOMPARE(followed.constFirst().method, QByteArrayLiteral("POST"));
    QCOMPARE(followed.constFirst().body, QByteArrayLiteral("id=3&name=%E6%88%BF"));
    QCOMPARE(request.url(), m_server.url(target));
    QCOMPARE(request.method(), int(NetRequestObjecet::Post));
}

void TestNetRequestObject::objectMovedLoopStops()
{
    ScriptedHttpServer::Reply moved = ScriptedHttpServer::objectMoved("/api/loop");
    m_server.setReply(QStringLiteral("/api/loop"), moved);

    NetRequestObjecet request;
    Outcome outcome(&request);
    request.sendRequest(api(QStringLiteral("loop")));
    QTRY_VERIFY(outcome.finished());
    // No further hop follows: the next request the server sees is this one.
    m_server.setReply(QStringLiteral("/api/marker"), ScriptedHttpServer::envelope(200, QString()));
    NetRequestObjecet marker;
    marker.sendRequest(api(QStringLiteral("marker")));
    QTRY_COMPARE(m_server.requestsTo(QStringLiteral("/api/marker")).size(), 1);

    QCOMPARE(m_server.requestsTo(QStringLiteral("/api/loop")).size(), 1 + NetRequestObjecet::MaxRedirects);
    QCOMPARE(outcome.events, failed);
    QCOMPARE(outcome.failures.constFirst().first, 0);
    QVERIFY(!outcome.failures.constFirst().second.isEmpty());

    // A fresh request through the same object may again follow a move.
    m_server.setReply(QStringLiteral("/api/done"), ScriptedHttpServer::envelope(200, QString()));
    m_server.setReply(QStringLiteral("/api/start"), ScriptedHttpServer::objectMoved("/api/done"));
    outcome.events.clear();
    request.sendRequest(api(QStringLiteral("start")));
    QTRY_VERIFY(outcome.finished());
    QCOMPARE(outcome.events, QStringList({QStringLiteral("success"), QStringLiteral("finish")}));
}

void TestNetRequestObject::failureReasons_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    QTest::newRow("not JSON") << QStringLiteral("/api/r/html") << QStringLiteral("服务返回的数据无法识别");
    QTest::newRow("HTTP 500") << QStringLiteral("/api/r/500") << QStringLiteral("服务暂时不可用（500），请稍后重试");
    QTest::newRow("connection closed") << QStringLiteral("/api/r/reset") << QStringLiteral("网络连接中断");
    QTest::newRow("no answer") << QStringLiteral("/api/r/hang") << QStringLiteral("请求超时");
    QTest::newRow("moved in a loop") << QStringLiteral("/api/r/loop") << QStringLiteral("请求重定向次数过多！");
    QTest::newRow("refused with a message") << QStringLiteral("/api/r/405") << QStringLiteral("没有操作权限");
    QTest::newRow("refused without one") << QStringLiteral("/api/r/300") << QStringLiteral("服务返回错误（300）");
}

// Every failure carries a reason the pages can show, also to the host.
void TestNetRequestObject::failureReasons()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    m_server.setReply(QStringLiteral("/api/r/html"), ScriptedHttpServer::contentReply("text/html", "<html>502</html>"));
    ScriptedHttpServer::Reply broken;
    broken.status = 500;
    broken.body = "busy";
    m_server.setReply(QStringLiteral("/api/r/500"), broken);
    ScriptedHttpServer::Reply reset = ScriptedHttpServer::envelope(200, QString(), QJsonObject{{QStringLiteral("a"), 1}});
    reset.closeMidBody = true;
    m_server.setReply(QStringLiteral("/api/r/reset"), reset);
    ScriptedHttpServer::Reply hang;
    hang.hang = true;
    m_server.setReply(QStringLiteral("/api/r/hang"), hang);
    ScriptedHttpServer::Reply loop = ScriptedHttpServer::objectMoved("/api/r/loop");
    m_server.setReply(QStringLiteral("/api/r/loop"), loop);
    m_server.setReply(QStringLiteral("/api/r/405"), ScriptedHttpServer::envelope(405, QStringLiteral("没有操作权限")));
    m_server.setReply(QStringLiteral("/api/r/300"), ScriptedHttpServer::envelope(300, QString()));

    NetRequestObjecet request;
    request.disableAlert();
    request.setTransferTimeout(300);
    Outcome outcome(&request);
    request.sendRequest(m_server.url(path), QByteArrayLiteral("a=1"));
    QTRY_VERIFY_WITH_TIMEOUT(outcome.finished(), 10000);
    QCOMPARE(outcome.events, failed);
    QCOMPARE(request.failureReason(), reason);
    QCOMPARE(outcome.hubFailures.constFirst().value(QStringLiteral("reason")).toString(), reason);
}

// Two requests refused for the same reason at the same time: one warning, not a stack of them.
void TestNetRequestObject::identicalRefusalsShowOneAlert()
{
    m_server.setReply(QStringLiteral("/api/twice"), ScriptedHttpServer::envelope(405, QStringLiteral("同一原因")));
    NetRequestObjecet first;
    NetRequestObjecet second;
    Outcome firstOutcome(&first);
    Outcome secondOutcome(&second);
    first.sendRequest(api(QStringLiteral("twice")));
    second.sendRequest(api(QStringLiteral("twice")));
    QTRY_VERIFY(firstOutcome.finished() && secondOutcome.finished());
    QVERIFY(AlertProbe::flushPending());
    QCOMPARE(alerts().size(), 1);
    QCOMPARE(alerts().constFirst()->message(), QStringLiteral("同一原因"));
}

// The host answers a lost login with a modal dialog, during which the user may close the page that
// asked: the request is done with by then and touches nothing afterwards (the sanitizers watch).
void TestNetRequestObject::pageClosedDuringLostLoginIsLeftAlone()
{
    m_server.setReply(QStringLiteral("/api/lost"), ScriptedHttpServer::envelope(400, QStringLiteral("登录已失效")));
    auto* page = new QObject;
    QPointer<NetRequestObjecet> request = new NetRequestObjecet(page);
    Outcome outcome(request);
    bool pageAliveAtDialog = false;
    QMetaObject::Connection dialog = connect(CommonSignalTool::Instance(), &CommonSignalTool::lostLogin, this,
                                             [&pageAliveAtDialog, &page, request](const QVariant&, QObject*) {
                                                 pageAliveAtDialog = request;
                                                 delete page; // the user closes the page meanwhile
                                                 page = nullptr;
                                             });
    request->sendRequest(api(QStringLiteral("lost")));
    QTRY_VERIFY(!page);
    disconnect(dialog);
    QVERIFY(pageAliveAtDialog);
    QCOMPARE(outcome.events, failed + QStringList{QStringLiteral("lostLogin")});
    QVERIFY(request.isNull());
    DataCenter::UserOnline = true;
}

void TestNetRequestObject::formParams_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<QByteArray>("httpMethod");
    QTest::addColumn<bool>("inQuery");

    QTest::newRow("POST") << 0 << QByteArrayLiteral("POST") << false;
    QTest::newRow("GET") << 1 << QByteArrayLiteral("GET") << true;
    QTest::newRow("DELETE") << 2 << QByteArrayLiteral("DELETE") << true;
    QTest::newRow("PUT") << 3 << QByteArrayLiteral("PUT") << false;
}

void TestNetRequestObject::formParams()
{
    QFETCH(int, method);
    QFETCH(QByteArray, httpMethod);
    QFETCH(bool, inQuery);

    m_server.setReply(QStringLiteral("/api/mtore/mzposts"), ScriptedHttpServer::envelope(200, QString()));
    QVariantMap params;
    params.insert(QStringLiteral("n"), 3);
    params.insert(QStringLiteral("f"), 0.5);
    params.insert(QStringLiteral("c"), QStringLiteral("中&文=+%#"));
    params.insert(QStringLiteral("b"), true);
    params.insert(QStringLiteral("a"), QStringLiteral("x y"));
    const QByteArray text = "a=x%20y&b=1&c=%E4%B8%AD%26%E6%96%87%3D%2B%25%23&f=0.5&n=3";

    NetRequestObjecet request;
    Outcome outcome(&request);
    const QString address = api(QStringLiteral("mtore/mzposts"));
    request.sendParams(address, params, method, 0);
    QTRY_VERIFY(outcome.finished());
    QCOMPARE(outcome.events.constFirst(), QStringLiteral("success"));

    const auto received = m_server.requestsTo(QStringLiteral("/api/mtore/mzposts"));
    QCOMPARE(received.size(), 1);
    const ScriptedHttpServer::Request& got = received.constFirst();
    QCOMPARE(got.method, httpMethod);
    const QByteArray sent = inQuery ? got.query.toLatin1() : got.body;
    QCOMPARE(sent, text);
    QCOMPARE(QUrlQuery(QString::fromLatin1(sent)).queryItemValue(QStringLiteral("c"), QUrl::FullyDecoded),
             QStringLiteral("中&文=+%#"));
    if (inQuery) {
        QVERIFY(got.body.isEmpty());
        QCOMPARE(request.url(), address + QLatin1Char('?') + QString::fromLatin1(text));
        QVERIFY(request.body().isEmpty());
    } else {
        QVERIFY(got.query.isEmpty());
        QCOMPARE(request.url(), address);
        QCOMPARE(request.body(), text);
        QCOMPARE(got.header("Content-Type"), QByteArrayLiteral("application/x-www-form-urlencoded"));
    }
    QCOMPARE(request.method(), method);
}

void TestNetRequestObject::jsonParams_data()
{
    QTest::addColumn<QVariant>("params");
    QTest::addColumn<int>("method");
    QTest::addColumn<QByteArray>("httpMethod");
    QTest::addColumn<QByteArray>("body");

    QVariantMap map;
    map.insert(QStringLiteral("name"), QStringLiteral("张三"));
    map.insert(QStringLiteral("n"), 1);
    QTest::newRow("map") << QVariant(map) << 0 << QByteArrayLiteral("POST")
                         << QStringLiteral(R"({"n":1,"name":"张三"})").toUtf8();
    QTest::newRow("list with PUT") << QVariant(QVariantList{1, QStringLiteral("a"), true}) << 3
                                   << QByteArrayLiteral("PUT") << QByteArrayLiteral(R"([1,"a",true])");
    QTest::newRow("text unchanged") << QVariant(QStringLiteral("{ \"raw\": true }")) << 0 << QByteArrayLiteral("POST")
                                    << QByteArrayLiteral("{ \"raw\": true }");
    QTest::newRow("other type") << QVariant(42) << 0 << QByteArrayLiteral("POST") << QByteArray();
    QTest::newRow("not with GET") << QVariant(map) << 1 << QByteArrayLiteral("GET") << QByteArray();
}

void TestNetRequestObject::jsonParams()
{
    QFETCH(QVariant, params);
    QFETCH(int, method);
    QFETCH(QByteArray, httpMethod);
    QFETCH(QByteArray, body);

    m_server.setReply(QStringLiteral("/api/workcenter/jobedit"), ScriptedHttpServer::envelope(200, QString()));
    NetRequestObjecet request;
    Outcome outcome(&request);
    request.sendParams(api(QStringLiteral("workcenter/jobedit")), params, method, 1);
    QTRY_VERIFY(outcome.finished());

    const auto received = m_server.requestsTo(QStringLiteral("/api/workcenter/jobedit"));
    QCOMPARE(received.size(), 1);
    QCOMPARE(received.constFirst().method, httpMethod);
    QCOMPARE(received.constFirst().body, body);
    QVERIFY(received.constFirst().query.isEmpty());
    QCOMPARE(received.constFirst().header("Content-Type"), QByteArrayLiteral("application/json"));
    QCOMPARE(request.contentType(), 1);
}

void TestNetRequestObject::headers()
{
    DataCenter::HttpHeadMap.insert(QStringLiteral("token"), QStringLiteral("t-1"));
    DataCenter::HttpHeadMap.insert(QStringLiteral("sessionid"), QStringLiteral("s-1"));
    DataCenter::HttpHeadMap.insert(QStringLiteral("companyid"), 42);
    DataCenter::CookieVar = QStringLiteral("sessionid=s-1; token=t-1");
    m_server.setReply(QStringLiteral("/api/mtore/companyinfo"), ScriptedHttpServer::envelope(200, QString()));

    NetRequestObjecet request;
    Outcome outcome(&request);
    request.sendRequest(api(QStringLiteral("mtore/companyinfo")));
    QTRY_VERIFY(outcome.finished());

    const auto received = m_server.requestsTo(QStringLiteral("/api/mtore/companyinfo"));
    QCOMPARE(received.size(), 1);
    const ScriptedHttpServer::Request& got = received.constFirst();
    QCOMPARE(got.method, QByteArrayLiteral("POST"));
    QCOMPARE(got.header("token"), QByteArrayLiteral("t-1"));
    QCOMPARE(got.header("sessionid"), QByteArrayLiteral("s-1"));
    QCOMPARE(got.header("companyid"), QByteArrayLiteral("42"));
    QCOMPARE(got.header("dump"), QByteArrayLiteral("3"));
    QCOMPARE(got.header("Cookie"), QByteArrayLiteral("sessionid=s-1; token=t-1"));
    QCOMPARE(got.header("Content-Type"), QByteArrayLiteral("application/x-www-form-urlencoded"));
}

void TestNetRequestObject::testAddressesAlert_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("alerted");

    QTest::newRow("test01.") << QStringLiteral("test01.check") << true;
    QTest::newRow("test02.") << QStringLiteral("test02.check") << true;
    QTest::newRow("192.") << QStringLiteral("v192.1") << true;
    QTest::newRow("ordinary") << QStringLiteral("mtore/appposts") << false;
    QTest::newRow("case-sensitive") << QStringLiteral("TEST01.check") << false;
}

void TestNetRequestObject::testAddressesAlert()
{
    QFETCH(QString, path);
    QFETCH(bool, alerted);

    m_server.setReply(QStringLiteral("/api/") + path, ScriptedHttpServer::envelope(200, QString()));
    NetRequestObjecet request;
    Outcome outcome(&request);
    request.sendRequest(api(path));

    if (alerted) {
        QCOMPARE(alerts().size(), 1);
        AlertWidget* alert = alerts().constFirst();
        QTRY_VERIFY(alert->isVisible());
        QCOMPARE(alert->title(), QStringLiteral("错误"));
        QCOMPARE(alert->message(), QStringLiteral("接口使用错误！"));
    }
    // Sent all the same.
    QTRY_VERIFY(outcome.finished());
    QCOMPARE(outcome.events.constFirst(), QStringLiteral("success"));
    QCOMPARE(m_server.requestsTo(QStringLiteral("/api/") + path).size(), 1);
    QCOMPARE(alerts().size(), alerted ? 1 : 0);

    // The next request to the same address does not warn again.
    NetRequestObjecet again;
    Outcome againOutcome(&again);
    again.sendRequest(api(path));
    QTRY_VERIFY(againOutcome.finished());
    QCOMPARE(m_server.requestsTo(QStringLiteral("/api/") + path).size(), 2);
    QCOMPARE(alerts().size(), alerted ? 1 : 0);
}

void TestNetRequestObject::addressAlertOncePerSession()
{
    // An office service on 192.168.x.x: every page's requests go there, one warning in all.
    const QStringList paths{QStringLiteral("v192.1"), QStringLiteral("test01.check"), QStringLiteral("v192.2")};
    for (const QString& path : paths)
        m_server.setReply(QStringLiteral("/api/") + path, ScriptedHttpServer::envelope(200, QString()));
    NetRequestObjecet request;
    for (const QString& path : paths) {
        Outcome outcome(&request);
        request.sendRequest(api(path));
        QTRY_VERIFY(outcome.finished());
    }
    QCOMPARE(alerts().size(), 1);
    QCOMPARE(alerts().constFirst()->message(), QStringLiteral("接口使用错误！"));
    alerts().constFirst()->closeWidget();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // A new session warns once again.
    NetRequestObjecet::resetAddressWarning();
    Outcome outcome(&request);
    request.sendRequest(api(paths.constFirst()));
    QTRY_VERIFY(outcome.finished());
    QCOMPARE(alerts().size(), 1);
    QCOMPARE(alerts().constFirst()->message(), QStringLiteral("接口使用错误！"));
}

void TestNetRequestObject::uploadParts()
{
    const QString path = m_dir.filePath(QStringLiteral("照片 1.jpg"));
    static const char head[] = "\xff\xd8\xff\xe0 binary\0with nul\r\n--and dashes";
    QByteArray content(head, sizeof(head) - 1);
    content += QByteArray(50000, 'x');
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    const QString address = QStringLiteral("http://127.0.0.1:8765/files/2024/abc.jpg");
    m_server.setReply(QStringLiteral("/api/app/upphoto"), ScriptedHttpServer::envelope(200, address));

    QMap<QString, QVariant> fields;
    fields.insert(QStringLiteral("type"), QStringLiteral("8"));
    fields.insert(QStringLiteral("count"), 2);
    fields.insert(QStringLiteral("ratio"), 0.5);
    fields.insert(QStringLiteral("public"), true);
    fields.insert(QStringLiteral("skipped"), QVariantList{1});

    NetRequestObjecet request;
    Outcome outcome(&request);
    QVERIFY(request.uploadFile(ServiceAddresses::uploadUrl(), path, fields, QStringLiteral("file")));
    QTRY_VERIFY(outcome.finished());

    QCOMPARE(outcome.events, QStringList({QStringLiteral("uploaded"), QStringLiteral("finish")}));
    QCOMPARE(outcome.uploaded, QStringList{address});
    QVERIFY(std::any_of(outcome.uploadTotals.cbegin(), outcome.uploadTotals.cend(),
                        [&content](qint64 total) { return total > content.size(); }));

    const auto received = m_server.requestsTo(QStringLiteral("/api/app/upphoto"));
    QCOMPARE(received.size(), 1);
    const ScriptedHttpServer::Request& got = received.constFirst();
    QCOMPARE(got.method, QByteArrayLiteral("POST"));
    QCOMPARE(got.header("dump"), QByteArrayLiteral("3"));
    QVERIFY(got.header("Content-Type").startsWith("multipart/form-data"));

    const QList<Part> parts = multipartParts(got.header("Content-Type"), got.body);
    QCOMPARE(parts.size(), 5);
    const QList<QPair<QByteArray, QByteArray>> expectedFields = {
        {"count", "2"}, {"public", "1"}, {"ratio", "0.5"}, {"type", "8"}};
    for (int i = 0; i < expectedFields.size(); ++i) {
        QCOMPARE(parts.at(i).disposition, QByteArray("form-data; name=\"" + expectedFields.at(i).first + '"'));
        QCOMPARE(parts.at(i).body, expectedFields.at(i).second);
    }
    QCOMPARE(parts.at(4).disposition,
             QStringLiteral("form-data; name=\"file\"; filename=\"照片 1.jpg\"").toUtf8());
    QCOMPARE(parts.at(4).body, content);
}

void TestNetRequestObject::uploadFailures_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("failCode");
    QTest::addColumn<QString>("alertText");

    QTest::newRow("refused by the service") << 200 << 500 << QStringLiteral("上传文件失败！");
    QTest::newRow("network error") << 404 << 0 << QStringLiteral("上传文件错误！");
}

void TestNetRequestObject::uploadFailures()
{
    QFETCH(int, status);
    QFETCH(int, failCode);
    QFETCH(QString, alertText);

    const QString path = m_dir.filePath(QStringLiteral("small.png"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("png");
    }
    ScriptedHttpServer::Reply reply = ScriptedHttpServer::envelope(500, QStringLiteral("保存失败"));
    reply.status = status;
    m_server.setReply(QStringLiteral("/api/app/upphoto"), reply);

    NetRequestObjecet request;
    Outcome outcome(&request);
    request.uploadFile(ServiceAddresses::uploadUrl(), path, {}, QStringLiteral("file"));
    QTRY_VERIFY(outcome.finished());

    QCOMPARE(outcome.events, failed);
    QCOMPARE(outcome.failures.constFirst().first, failCode);
    QVERIFY(!outcome.failures.constFirst().second.isEmpty());
    QCOMPARE(alerts().size(), 1);
    QCOMPARE(alerts().constFirst()->message(), alertText);
    QCOMPARE(alerts().constFirst()->title(), QStringLiteral("错误"));
}

void TestNetRequestObject::uploadMissingFile()
{
    m_server.setReply(QStringLiteral("/api/app/upphoto"), ScriptedHttpServer::envelope(200, QString()));
    NetRequestObjecet request;
    Outcome outcome(&request);
    QNetworkReply* reply = request.uploadFile(ServiceAddresses::uploadUrl(), m_dir.filePath(QStringLiteral("gone.jpg")),
                                              {}, QStringLiteral("file"));
    QVERIFY(!reply);
    QCOMPARE(outcome.events, QStringList({QStringLiteral("fail"), QStringLiteral("finish")}));
    QCOMPARE(outcome.failures.constFirst(), qMakePair(0, QStringLiteral("文件打开失败！")));
    // Nothing went out: the first request the server sees is the next one.
    m_server.setReply(QStringLiteral("/api/marker"), ScriptedHttpServer::envelope(200, QString()));
    NetRequestObjecet marker;
    marker.sendRequest(api(QStringLiteral("marker")));
    QTRY_COMPARE(m_server.requests().size(), 1);
    QCOMPARE(m_server.requests().constFirst().path, QStringLiteral("/api/marker"));
}

void TestNetRequestObject::downloadWritten()
{
    QFile photo(QStringLiteral(KQ_TESTDATA_DIR "/photos/Landscape_1.jpg"));
    QVERIFY(photo.open(QIODevice::ReadOnly));
    const QByteArray bytes = photo.readAll();
    ScriptedHttpServer::Reply reply;
    reply.body = bytes;
    m_server.setReply(QStringLiteral("/files/house/pic.jpg"), reply);

    const QString folder = m_dir.filePath(QStringLiteral("download/new"));
    // No scheme: "http://" goes in front.
    const QString address = m_server.url(QStringLiteral("/files/house/pic.jpg?v=2")).mid(7);
    const QString expectedPath = NetRequestObjecet::downloadPath(address, folder);
    QCOMPARE(expectedPath, NetRequestObjecet::downloadPath(QStringLiteral("http://") + address, folder));
    QVERIFY(expectedPath.endsWith(QStringLiteral("-pic.jpg")));

    NetRequestObjecet request;
    Outcome outcome(&request);
    QVERIFY(request.downloadFile(address, folder));
    QTRY_VERIFY(outcome.finished());

    QCOMPARE(outcome.events, QStringList({QStringLiteral("downloaded"), QStringLiteral("finish")}));
    QCOMPARE(outcome.downloaded, QStringList{expectedPath});
    QFile written(expectedPath);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), bytes);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
    QCOMPARE(m_server.requests().constFirst().header("dump"), QByteArrayLiteral("3"));

    // An empty address only finishes.
    Outcome nothing(&request);
    QVERIFY(!request.downloadFile(QString(), folder));
    QCOMPARE(nothing.events, QStringList{QStringLiteral("finish")});
    // No folder: refused, rather than written to the file system's root.
    Outcome noFolder(&request);
    QVERIFY(!request.downloadFile(address, QString()));
    QCOMPARE(noFolder.events, QStringList({QStringLiteral("fail"), QStringLiteral("finish")}));
    QVERIFY(!QFile::exists(NetRequestObjecet::downloadPath(address, QString())));
}

void TestNetRequestObject::downloadBroken_data()
{
    QTest::addColumn<bool>("closeMidBody");
    QTest::addColumn<bool>("earlierFile");

    QTest::newRow("closed half-way") << true << false;
    QTest::newRow("closed half-way over an earlier copy") << true << true;
    QTest::newRow("not found") << false << false;
}

void TestNetRequestObject::downloadBroken()
{
    QFETCH(bool, closeMidBody);
    QFETCH(bool, earlierFile);

    ScriptedHttpServer::Reply reply;
    reply.body = QByteArray(200000, 'p');
    reply.closeMidBody = true;
    if (closeMidBody)
        m_server.setReply(QStringLiteral("/files/big.jpg"), reply);

    QTemporaryDir dir;
    const QString address = m_server.url(QStringLiteral("/files/big.jpg"));
    const QString target = NetRequestObjecet::downloadPath(address, dir.path());
    if (earlierFile) {
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("complete earlier copy");
    }

    NetRequestObjecet request;
    Outcome outcome(&request);
    request.downloadFile(address, dir.path());
    QTRY_VERIFY(outcome.finished());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(outcome.events, failed);
    QCOMPARE(outcome.failures.constFirst().first, 0);
    const QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    if (earlierFile) {
        QCOMPARE(files, QStringList{QFileInfo(target).fileName()});
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArrayLiteral("complete earlier copy"));
    } else {
        QVERIFY2(files.isEmpty(), qPrintable(files.join(QLatin1Char(' '))));
    }
}

void TestNetRequestObject::certificateRefused()
{
    if (!QSslSocket::supportsSsl())
        QSKIP("This Qt has no TLS support");
    QFile certFile(QStringLiteral(KQ_TESTDATA_DIR "/tls/selfsigned.crt"));
    QFile keyFile(QStringLiteral(KQ_TESTDATA_DIR "/tls/selfsigned.key"));
    QVERIFY(certFile.open(QIODevice::ReadOnly));
    QVERIFY(keyFile.open(QIODevice::ReadOnly));
    const QSslCertificate certificate(&certFile, QSsl::Pem);
    const QSslKey key(&keyFile, QSsl::Rsa, QSsl::Pem);
    QVERIFY(!certificate.isNull());
    QVERIFY(!key.isNull());

    ScriptedHttpServer tls;
    QVERIFY(tls.startTls(certificate, key));
    tls.setReply(QStringLiteral("/api/mtore/appposts"), ScriptedHttpServer::envelope(200, QString()));

    NetRequestObjecet request;
    Outcome outcome(&request);
    const QString address = tls.url(QStringLiteral("/api/mtore/appposts"));
    QVERIFY(address.startsWith(QLatin1String("https://")));
    request.sendRequest(address);
    QTRY_VERIFY(outcome.finished());

    QCOMPARE(outcome.events, failed);
    QCOMPARE(outcome.failures.constFirst().first, 0);
    QCOMPARE(outcome.hubFailures.constFirst().value(QStringLiteral("url")).toString(), address);
    QVERIFY(tls.requests().isEmpty());
}

void TestNetRequestObject::stalledTransferTimesOut()
{
    ScriptedHttpServer::Reply silent;
    silent.hang = true;
    m_server.setReply(QStringLiteral("/api/mtore/lunboposts"), silent);

    NetRequestObjecet request;
    QCOMPARE(request.transferTimeout(), 30000);
    request.setTransferTimeout(300);
    Outcome outcome(&request);
    request.sendRequest(api(QStringLiteral("mtore/lunboposts")));
    QTRY_VERIFY_WITH_TIMEOUT(outcome.finished(), 10000);

    QCOMPARE(m_server.requestsTo(QStringLiteral("/api/mtore/lunboposts")).size(), 1);
    QCOMPARE(outcome.events, failed);
    QCOMPARE(outcome.failures.constFirst().first, 0);
}

void TestNetRequestObject::jsonConversions()
{
    const QList<QVariantMap> maps = NetRequestObjecet::jsonToMapList(QStringLiteral(R"([{"a":1},2,"x",{"b":"花"}])"));
    QCOMPARE(maps.size(), 2);
    QCOMPARE(maps.at(0).value(QStringLiteral("a")).toInt(), 1);
    QCOMPARE(maps.at(1).value(QStringLiteral("b")).toString(), QStringLiteral("花"));
    QVERIFY(NetRequestObjecet::jsonToMapList(QStringLiteral(R"({"a":1})")).isEmpty());
    QVERIFY(NetRequestObjecet::jsonToMapList(QStringLiteral("not json")).isEmpty());

    QCOMPARE(NetRequestObjecet::jsonToMap(QStringLiteral(R"({"id":"7","on":true})")).value(QStringLiteral("id")),
             QVariant(QStringLiteral("7")));
    QVERIFY(NetRequestObjecet::jsonToMap(QStringLiteral("[1]")).isEmpty());

    QVariantMap map;
    map.insert(QStringLiteral("title"), QStringLiteral("首页"));
    map.insert(QStringLiteral("choose"), true);
    QCOMPARE(NetRequestObjecet::mapToJson(map), QStringLiteral(R"({"choose":true,"title":"首页"})"));
    QCOMPARE(NetRequestObjecet::listToJson({1, QStringLiteral("a")}), QStringLiteral(R"([1,"a"])"));
    QCOMPARE(NetRequestObjecet::mapListToJson({map, {}}), QStringLiteral(R"([{"choose":true,"title":"首页"},{}])"));
    QCOMPARE(NetRequestObjecet::jsonToMapList(NetRequestObjecet::mapListToJson({map})), QList<QVariantMap>{map});

    QCOMPARE(NetRequestObjecet::md5Hex(QStringLiteral("abc")), QStringLiteral("900150983cd24fb0d6963f7d28e17f72"));
    // Latin-1 bytes, not UTF-8.
    QCOMPARE(NetRequestObjecet::md5Hex(QStringLiteral("été")), QStringLiteral("70b06e3087350c8c4fc3f13e741879f3"));
}

QTEST_MAIN(TestNetRequestObject)
#include "tst_netrequestobject.moc"
