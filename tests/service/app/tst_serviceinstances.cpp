#include "support/service/ReferenceService.h"
#include "support/service/TestImages.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QScopedPointer>
#include <QTest>

#include <algorithm>

namespace {

using Headers = ReferenceService::Headers;

const QString kLogin = QStringLiteral("api/account/initialize");
const QString kLogout = QStringLiteral("api/account/logout");
const QString kTiles = QStringLiteral("api/mtore/appposts");
const QString kAdverts = QStringLiteral("api/mtore/lunboposts");
const QString kAddAdvert = QStringLiteral("api/mtore/lunboadd");
const QString kMoveAdvert = QStringLiteral("api/mtore/lunbopaixu");
const QString kUpload = QStringLiteral("api/app/upphoto");
const QString kManager = QStringLiteral("13800000000");
const int kMoveUp = 1;
const int kMoveDown = 2;

// The ids of the company's adverts, in the order the site shows them.
QList<qint64> advertOrder(ReferenceService& service, const Headers& who)
{
    QList<qint64> ids;
    for (const QJsonValue& advert : service.call(kAdverts, {}, who).data().toArray())
        ids.append(advert.toObject().value(QStringLiteral("id")).toVariant().toLongLong());
    return ids;
}

QJsonObject advertOf(ReferenceService& service, const Headers& who, qint64 id)
{
    for (const QJsonValue& advert : service.call(kAdverts, {}, who).data().toArray()) {
        if (advert.toObject().value(QStringLiteral("id")).toVariant().toLongLong() == id)
            return advert.toObject();
    }
    return {};
}

// The order after one move of a hand-ordered list, done alone.
QList<qint64> moved(QList<qint64> order, qint64 id, int type)
{
    const int at = order.indexOf(id);
    order.swapItemsAt(at, type == kMoveUp ? at - 1 : at + 1);
    return order;
}

} // namespace

// Two instances of the service on one database and one files folder, as behind a load balancer:
// whichever instance a request reaches, it sees one service.
class TestServiceInstances : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void sessionsAreShared();
    void writtenThroughOneReadThroughTheOther();
    void movesAtOnceKeepOneOrder();
    void failedLoginsCountTogether();
    void guessesThroughBothWhenAWaitEnds();
    void lastAppAddedThroughBothAtOnce();
    void restartedInstanceCarriesOn();

private:
    QScopedPointer<ReferenceService> m_a;
    QScopedPointer<ReferenceService> m_b;
    Headers m_manager; // logged in through A
};

void TestServiceInstances::initTestCase()
{
    m_a.reset(new ReferenceService);
    QVERIFY2(m_a->isRunning(), qPrintable(m_a->errorString()));
    m_b.reset(new ReferenceService(m_a->databaseLocator(), m_a->filesDir()));
    QVERIFY2(m_b->isRunning(), qPrintable(m_b->errorString()));
    QVERIFY(m_a->baseUrl() != m_b->baseUrl());
    m_manager = m_a->login(kManager);
    QVERIFY(!m_manager.isEmpty());
}

void TestServiceInstances::cleanupTestCase()
{
    QCOMPARE(m_b->stop(), 0);
    QCOMPARE(m_a->stop(), 0);
}

void TestServiceInstances::sessionsAreShared()
{
    const Headers session = m_a->login(kManager);
    QVERIFY(!session.isEmpty());
    const ReferenceService::Reply onB = m_b->call(kTiles, {}, session);
    QCOMPARE(onB.code(), 200);
    QVERIFY(!onB.data().toArray().isEmpty());

    // A logout through B ends the session on A as well.
    QCOMPARE(m_b->call(kLogout, {}, session).code(), 200);
    const ReferenceService::Reply after = m_a->call(kTiles, {}, session);
    QCOMPARE(after.code(), 400);
    QCOMPARE(after.message(), QStringLiteral("登录已失效，请重新登录"));
}

void TestServiceInstances::writtenThroughOneReadThroughTheOther()
{
    // A picture uploaded through A is served by B from the shared folder.
    const QImage picture = TestImages::filled(QSize(64, 32), QColor(200, 80, 20));
    const ReferenceService::Reply uploaded =
        m_a->upload(kUpload, {{QStringLiteral("type"), QStringLiteral("11")}}, QStringLiteral("file"),
                    QStringLiteral("banner.png"), TestImages::encode(picture, "PNG"), m_manager);
    QCOMPARE(uploaded.code(), 200);
    const QString address = uploaded.message();
    QVERIFY2(address.startsWith(m_a->baseUrl() + QStringLiteral("files/")), qPrintable(address));
    const ReferenceService::Reply served =
        m_b->get(m_b->baseUrl() + QStringLiteral("files/") + address.section(QLatin1Char('/'), -1));
    QCOMPARE(served.httpStatus, 200);
    QCOMPARE(QImage::fromData(served.body).convertToFormat(QImage::Format_RGB32),
             picture.convertToFormat(QImage::Format_RGB32));

    // An advert added through A is in B's list, as it was written.
    const QString title = QStringLiteral("两台之一 A&B=C+D 100%");
    const ReferenceService::Reply added =
        m_a->call(kAddAdvert,
                  {piece("title", title), piece("photo", address), piece("type", 0), piece("itemid", 0)}, m_manager);
    QCOMPARE(added.code(), 200);
    const qint64 id = added.data().toObject().value(QStringLiteral("id")).toVariant().toLongLong();
    QVERIFY(id > 0);
    const QJsonObject seen = advertOf(*m_b, m_manager, id);
    QCOMPARE(seen.value(QStringLiteral("title")).toString(), title);
    QCOMPARE(seen.value(QStringLiteral("photo")).toString(), address);
    QCOMPARE(advertOrder(*m_b, m_manager), advertOrder(*m_a, m_manager));
}

// Moves of one list sent to both instances at once come out as if made one after the other:
// neither is lost, and the list holds every advert once.
void TestServiceInstances::movesAtOnceKeepOneOrder()
{
    for (int round = 0; round < 5; ++round) {
        const QList<qint64> before = advertOrder(*m_a, m_manager);
        QVERIFY(before.size() >= 4);
        // Neighbours, so that each move changes what the other one swaps with.
        const int at = 1 + round % (before.size() - 3);
        const qint64 down = before.at(at);
        const qint64 up = before.at(at + 1);

        QNetworkReply* throughA =
            m_a->callUnwaited(kMoveAdvert, {piece("id", down), piece("type", kMoveDown)}, m_manager);
        QNetworkReply* throughB = m_b->callUnwaited(kMoveAdvert, {piece("id", up), piece("type", kMoveUp)}, m_manager);
        QCOMPARE(m_a->wait(throughA).code(), 200);
        QCOMPARE(m_b->wait(throughB).code(), 200);

        const QList<qint64> after = advertOrder(*m_b, m_manager);
        QCOMPARE(advertOrder(*m_a, m_manager), after);
        QList<qint64> sortedBefore = before;
        QList<qint64> sortedAfter = after;
        std::sort(sortedBefore.begin(), sortedBefore.end());
        std::sort(sortedAfter.begin(), sortedAfter.end());
        QCOMPARE(sortedAfter, sortedBefore);
        const QList<qint64> aFirst = moved(moved(before, down, kMoveDown), up, kMoveUp);
        const QList<qint64> bFirst = moved(moved(before, up, kMoveUp), down, kMoveDown);
        QVERIFY2(after == aFirst || after == bFirst, qPrintable(QStringLiteral("round %1").arg(round)));
    }
}

void TestServiceInstances::failedLoginsCountTogether()
{
    const QString phone = QStringLiteral("13700000000");
    const QByteArray wrong =
        ReferenceService::form({piece("phone", phone), piece("password", QStringLiteral("demo999"))});
    const QString wrongPassword = QStringLiteral("账号或密码错误");
    // The wrong passwords that are let through before the waits begin.
    for (int i = 0; i < 5; ++i)
        QCOMPARE(m_a->post(kLogin, wrong).message(), wrongPassword);

    // B refuses before it looks at the password. Should the pause after the fifth refusal outlast
    // the first wait on a slow machine, the sixth counts and the wait doubles; B counting on its
    // own would let five more through.
    ReferenceService::Reply reply = m_b->post(kLogin, wrong);
    if (reply.message() == wrongPassword)
        reply = m_b->post(kLogin, wrong);
    QCOMPARE(reply.code(), 405);
    static const QRegularExpression throttled(QStringLiteral("^密码错误次数过多，请\\d+秒后再试$"));
    QVERIFY2(throttled.match(reply.message()).hasMatch(), qPrintable(reply.message()));
}

// When a phone's wait ends, guesses sent together through both instances take one turn between
// them: one password is checked, the right one sent among them is not.
void TestServiceInstances::guessesThroughBothWhenAWaitEnds()
{
    const QString phone = QStringLiteral("13900000000");
    const auto guess = [&phone](const QString& password) {
        return ReferenceService::Pieces{piece("phone", phone), piece("password", password)};
    };
    for (int i = 0; i < 5; ++i)
        QCOMPARE(m_a->call(kLogin, guess(QStringLiteral("guess"))).message(), QStringLiteral("账号或密码错误"));
    QTest::qWait(1200);
    QList<QPair<ReferenceService*, QNetworkReply*>> sent;
    for (int i = 0; i < 40; ++i) {
        ReferenceService* through = i % 2 == 0 ? m_a.data() : m_b.data();
        sent.append({through, through->callUnwaited(kLogin, guess(i == 39 ? QStringLiteral("demo123")
                                                                           : QStringLiteral("guess%1").arg(i)))});
    }
    int checked = 0;
    int held = 0;
    for (const auto& one : sent) {
        const QString message = one.first->wait(one.second).message();
        QVERIFY2(message != QStringLiteral("登录成功"), "the right password was checked");
        checked += message == QStringLiteral("账号或密码错误") ? 1 : 0;
        held += message.startsWith(QStringLiteral("密码错误次数过多")) ? 1 : 0;
    }
    QCOMPARE(checked, 1);
    QCOMPARE(held, 39);
}

// The tenth custom app asked for through both instances at once: one is added, the other is
// told the list is full; neither fails, whichever instance counts first.
void TestServiceInstances::lastAppAddedThroughBothAtOnce()
{
    const QString add = QStringLiteral("api/mtore/customappadd");
    const ReferenceService::Reply icon = m_a->upload(kUpload, {{QStringLiteral("type"), QStringLiteral("11")}},
                                                     QStringLiteral("file"), QStringLiteral("icon.png"),
                                                     TestImages::encode(TestImages::filled(QSize(132, 132), Qt::darkCyan), "PNG"),
                                                     m_manager);
    QCOMPARE(icon.code(), 200);
    const auto form = [&icon](int i) {
        // Names are four characters at most.
        return ReferenceService::Pieces{piece("name", QString::number(i)), piece("photo", icon.message()),
                                        piece("content", QStringLiteral("内容"))};
    };
    const QString full = QStringLiteral("最多只能添加10个自定义应用");
    int tries = 0;
    while (m_a->call(add, form(tries), m_manager).code() == 200 && tries < 20)
        ++tries;
    // The list is full: free one place, then ask for it through both.
    QCOMPARE(m_a->call(add, form(99), m_manager).message(), full);
    for (int round = 0; round < 5; ++round) {
        const QJsonArray apps = m_a->call(QStringLiteral("api/mtore/getmstorestyleconfig"), {}, m_manager)
                                    .data().toObject().value(QStringLiteral("app")).toArray();
        qint64 lastCustom = 0;
        for (const QJsonValue& app : apps) {
            if (app.toObject().value(QStringLiteral("type")).toInt() == 1)
                lastCustom = app.toObject().value(QStringLiteral("id")).toVariant().toLongLong();
        }
        QCOMPARE(m_a->call(QStringLiteral("api/mtore/customappdelete"), {piece("id", lastCustom)}, m_manager).code(),
                 200);
        QNetworkReply* throughA = m_a->callUnwaited(add, form(100 + round), m_manager);
        QNetworkReply* throughB = m_b->callUnwaited(add, form(200 + round), m_manager);
        const ReferenceService::Reply a = m_a->wait(throughA);
        const ReferenceService::Reply b = m_b->wait(throughB);
        const QString answers = QString::fromUtf8(a.body + " / " + b.body);
        QVERIFY2(a.code() + b.code() == 605, qPrintable(answers));
        QVERIFY2((a.code() == 405 ? a : b).message() == full, qPrintable(answers));
    }
}

void TestServiceInstances::restartedInstanceCarriesOn()
{
    const Headers session = m_a->login(kManager);
    QVERIFY(!session.isEmpty());
    QCOMPARE(m_a->stop(), 0);

    const QList<qint64> before = advertOrder(*m_b, session);
    QVERIFY(!before.isEmpty());
    const QString photo = advertOf(*m_b, session, before.first()).value(QStringLiteral("photo")).toString();
    const ReferenceService::Reply added = m_b->call(
        kAddAdvert,
        {piece("title", QStringLiteral("A 停机时添加")), piece("photo", photo), piece("type", 0), piece("itemid", 0)},
        session);
    QCOMPARE(added.code(), 200);
    const qint64 id = added.data().toObject().value(QStringLiteral("id")).toVariant().toLongLong();

    QVERIFY2(m_a->start(), qPrintable(m_a->errorString()));
    // The session made before the restart still holds, and A shows B's advert; starting on a
    // database in use seeds nothing twice.
    QCOMPARE(m_a->call(kAdverts, {}, session).code(), 200);
    const QList<qint64> order = advertOrder(*m_a, session);
    QVERIFY(order.contains(id));
    QCOMPARE(order, advertOrder(*m_b, session));
}

QTEST_GUILESS_MAIN(TestServiceInstances)
#include "tst_serviceinstances.moc"
