#include "support/service/RawReply.h"
#include "support/service/ReferenceService.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTest>
#include <QUrl>
#include <QVector>

#include <memory>
#include <vector>

// The service with many clients at once, over HTTP: connections that stay open doing nothing and
// requests that arrive slowly take no room from the others.
class TestServiceConnections : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void idleConnectionsLeaveRoom();
    void slowRequestsDoNotHoldOthers();
    void loginsAtOnceAreAllCounted();
    void guessesAtOnceWhenAWaitEnds();

private:
    quint16 port() const { return static_cast<quint16>(QUrl(m_service->baseUrl()).port()); }
    QByteArray sessionHeaders() const;
    // The answers to logins sent at once, one per password in that order, by message.
    QMap<QString, int> loginsAtOnce(const QByteArray& phone, const QList<QByteArray>& passwords);

    QScopedPointer<ReferenceService> m_service;
    ReferenceService::Headers m_manager;
};

void TestServiceConnections::initTestCase()
{
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    m_manager = m_service->login(QStringLiteral("13800000000"));
    QVERIFY(!m_manager.isEmpty());
}

void TestServiceConnections::cleanupTestCase()
{
    QCOMPARE(m_service->stop(), 0);
}

QByteArray TestServiceConnections::sessionHeaders() const
{
    return "sessionid: " + m_manager.value(QStringLiteral("sessionid")).toString().toUtf8() + "\r\ntoken: "
           + m_manager.value(QStringLiteral("token")).toString().toUtf8() + "\r\n";
}

// A thousand kept-alive connections left idle, as a large office's desktops keep them: a
// newcomer is answered at once, and the idle ones are still served afterwards.
void TestServiceConnections::idleConnectionsLeaveRoom()
{
    const int count = 1000;
    const QByteArray echo = "GET /api/diagnostics/echo HTTP/1.1\r\nHost: x\r\n\r\n";
    std::vector<std::unique_ptr<QTcpSocket>> idle;
    for (int i = 0; i < count; ++i) {
        idle.push_back(std::make_unique<QTcpSocket>());
        idle.back()->connectToHost(QStringLiteral("127.0.0.1"), port());
        idle.back()->write(echo);
    }
    // Each makes one call first, so each is a kept-alive connection the service has served.
    QElapsedTimer timer;
    timer.start();
    int answered = 0;
    std::vector<QByteArray> data(count);
    while (answered < count && timer.elapsed() < 60000) {
        QTest::qWait(20);
        answered = 0;
        for (int i = 0; i < count; ++i) {
            data[i] += idle[i]->readAll();
            RawReply reply;
            answered += RawReply::parse(data[i], &reply) > 0 && reply.status == 200 ? 1 : 0;
        }
    }
    QCOMPARE(answered, count);

    // Generous for a loaded machine; a newcomer queued behind idle connections waits for them
    // to time out, many seconds.
    timer.restart();
    const RawReply newcomer = RawReply::exchange(port(), "POST /api/mtore/appposts HTTP/1.1\r\nHost: x\r\n" + sessionHeaders()
                                       + "Content-Length: 0\r\n\r\n");
    const qint64 waitedMs = timer.elapsed();
    QCOMPARE(newcomer.code(), 200);
    QVERIFY2(waitedMs < 3000, qPrintable(QStringLiteral("the newcomer waited %1 ms").arg(waitedMs)));

    for (int i = 0; i < count; i += 97) {
        QCOMPARE(idle[i]->state(), QAbstractSocket::ConnectedState);
        data[i].clear();
        idle[i]->write(echo);
        RawReply reply;
        while (RawReply::parse(data[i], &reply) == 0 && idle[i]->waitForReadyRead(5000))
            data[i] += idle[i]->readAll();
        QCOMPARE(reply.status, 200);
    }
}

// Two requests whose bodies are held back are waited for without holding up a third client.
void TestServiceConnections::slowRequestsDoNotHoldOthers()
{
    const QByteArray body = "title=slow";
    const QByteArray head = "POST /api/diagnostics/echo HTTP/1.1\r\nHost: x\r\nContent-Type: "
                            "application/x-www-form-urlencoded\r\nContent-Length: "
                            + QByteArray::number(body.size()) + "\r\n\r\n";
    QTcpSocket slow[2];
    for (QTcpSocket& socket : slow) {
        socket.connectToHost(QStringLiteral("127.0.0.1"), port());
        QVERIFY(socket.waitForConnected(5000));
        socket.write(head + body.left(3));
        QVERIFY(socket.waitForBytesWritten(5000));
    }

    const RawReply fast = RawReply::exchange(port(), "POST /api/mtore/appposts HTTP/1.1\r\nHost: x\r\n" + sessionHeaders()
                                   + "Content-Length: 0\r\n\r\n");
    QCOMPARE(fast.code(), 200);
    QCoreApplication::processEvents();
    for (QTcpSocket& socket : slow) {
        QCOMPARE(socket.state(), QAbstractSocket::ConnectedState);
        QCOMPARE(socket.bytesAvailable(), qint64(0));
    }

    // Still waited for: their rest arrives and they are answered.
    for (QTcpSocket& socket : slow) {
        socket.write(body.mid(3));
        QByteArray data;
        RawReply reply;
        while (RawReply::parse(data, &reply) == 0 && socket.waitForReadyRead(5000))
            data += socket.readAll();
        QCOMPARE(reply.code(), 200);
        QCOMPARE(QJsonDocument::fromJson(reply.body).object().value(QStringLiteral("data")).toObject()
                     .value(QStringLiteral("params")).toObject().value(QStringLiteral("title")).toString(),
                 QStringLiteral("slow"));
    }
}

QMap<QString, int> TestServiceConnections::loginsAtOnce(const QByteArray& phone, const QList<QByteArray>& passwords)
{
    std::vector<std::unique_ptr<QTcpSocket>> logins;
    for (int i = 0; i < passwords.size(); ++i) {
        logins.push_back(std::make_unique<QTcpSocket>());
        logins.back()->connectToHost(QStringLiteral("127.0.0.1"), port());
        logins.back()->waitForConnected(5000);
    }
    for (size_t i = 0; i < logins.size(); ++i) {
        const QByteArray body = "phone=" + phone + "&password=" + passwords.at(static_cast<int>(i));
        logins[i]->write("POST /api/account/initialize HTTP/1.1\r\nHost: x\r\nContent-Type: "
                         "application/x-www-form-urlencoded\r\nContent-Length: "
                         + QByteArray::number(body.size()) + "\r\n\r\n" + body);
        logins[i]->flush();
    }
    QMap<QString, int> answers;
    for (const auto& socket : logins) {
        QByteArray data;
        RawReply reply;
        while (RawReply::parse(data, &reply) == 0 && socket->waitForReadyRead(10000))
            data += socket->readAll();
        ++answers[QJsonDocument::fromJson(reply.body).object().value(QStringLiteral("message")).toString()];
    }
    return answers;
}

// Logins sent all at once, on connections of their own: of wrong passwords for one phone only
// the five free ones are checked, however the handlers interleave; right ones all succeed.
void TestServiceConnections::loginsAtOnceAreAllCounted()
{
    const int count = 12;
    const QMap<QString, int> wrong = loginsAtOnce("13700000000", QVector<QByteArray>(count, "wrong").toList());
    QCOMPARE(wrong.value(QStringLiteral("账号或密码错误")), 5);
    QCOMPARE(wrong.value(QStringLiteral("账号或密码错误")) + wrong.value(QStringLiteral("密码错误次数过多，请1秒后再试")),
             count);
    const QMap<QString, int> right = loginsAtOnce("13900000000", QVector<QByteArray>(count, "demo123").toList());
    QCOMPARE(right.value(QStringLiteral("登录成功")), count);
}

// Once a phone's wait ends, guesses sent together take one turn between them: one is checked,
// the rest are refused unchecked, the right password sent among them too.
void TestServiceConnections::guessesAtOnceWhenAWaitEnds()
{
    const QString phone = QStringLiteral("13800000001");
    const QByteArray wrong =
        ReferenceService::form({piece("phone", phone), piece("password", QStringLiteral("guess"))});
    for (int i = 0; i < 5; ++i)
        QCOMPARE(m_service->post(QStringLiteral("api/account/initialize"), wrong).message(),
                 QStringLiteral("账号或密码错误"));
    QTest::qWait(1200);
    QList<QByteArray> guesses;
    for (int i = 0; i < 39; ++i)
        guesses.append("guess" + QByteArray::number(i));
    guesses.append("demo123");
    const QMap<QString, int> answers = loginsAtOnce(phone.toUtf8(), guesses);
    QCOMPARE(answers.value(QStringLiteral("登录成功")), 0);
    QCOMPARE(answers.value(QStringLiteral("账号或密码错误")), 1);
    int throttled = 0;
    for (auto it = answers.cbegin(); it != answers.cend(); ++it)
        throttled += it.key().startsWith(QStringLiteral("密码错误次数过多")) ? it.value() : 0;
    QCOMPARE(throttled, 39);
}

QTEST_GUILESS_MAIN(TestServiceConnections)
#include "tst_serviceconnections.moc"
