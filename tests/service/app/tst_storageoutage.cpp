#include "support/service/ReferenceService.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QScopedPointer>
#include <QTest>

namespace {

using Headers = ReferenceService::Headers;

const QString kLogin = QStringLiteral("api/account/initialize");
const QString kAdverts = QStringLiteral("api/mtore/lunboposts");
const QString kMoveAdvert = QStringLiteral("api/mtore/lunbopaixu");
const QString kManager = QStringLiteral("13800000000");
const QString kUnavailable = QStringLiteral("服务暂时不可用，请稍后重试");
const int kMoveDown = 2;

} // namespace

// The service when its database is out of reach while it runs: it says so, and neither logs
// anyone out nor calls a right password wrong; once the database is back, all carries on.
class TestStorageOutage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void outageIsAServiceFailure();

private:
    void verifyUnavailable(const ReferenceService::Reply& reply, const char* what);

    QScopedPointer<ReferenceService> m_service;
};

void TestStorageOutage::initTestCase()
{
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
}

void TestStorageOutage::cleanupTestCase()
{
    QCOMPARE(m_service->stop(), 0);
}

void TestStorageOutage::verifyUnavailable(const ReferenceService::Reply& reply, const char* what)
{
    QVERIFY2(reply.httpStatus == 503, qPrintable(QStringLiteral("%1: HTTP %2, %3")
                                                     .arg(QString::fromUtf8(what))
                                                     .arg(reply.httpStatus)
                                                     .arg(QString::fromUtf8(reply.body))));
    QCOMPARE(reply.code(), 500);
    QCOMPARE(reply.message(), kUnavailable);
}

void TestStorageOutage::outageIsAServiceFailure()
{
    const Headers manager = m_service->login(kManager);
    QVERIFY(!manager.isEmpty());
    const QJsonArray adverts = m_service->call(kAdverts, {}, manager).data().toArray();
    QVERIFY(adverts.size() >= 2);
    const qint64 first = adverts.first().toObject().value(QStringLiteral("id")).toVariant().toLongLong();
    const QByteArray rightPassword =
        ReferenceService::form({piece("phone", kManager), piece("password", QStringLiteral("demo123"))});

    QVERIFY2(m_service->cutDatabase(), qPrintable(m_service->errorString()));
    const ReferenceService::Reply read = m_service->call(kAdverts, {}, manager);
    const ReferenceService::Reply write =
        m_service->call(kMoveAdvert, {piece("id", first), piece("type", kMoveDown)}, manager);
    const ReferenceService::Reply login = m_service->post(kLogin, rightPassword);
    QVERIFY2(m_service->restoreDatabase(), qPrintable(m_service->errorString()));

    if (ReferenceService::backend() == QLatin1String("postgresql")) {
        verifyUnavailable(read, "read");
    } else {
        // A locked file can still be read; the session is still known.
        QCOMPARE(read.code(), 200);
        QCOMPARE(read.data().toArray(), adverts);
    }
    verifyUnavailable(write, "write");
    verifyUnavailable(login, "login");

    // Back again: the same session reads and writes, nothing was changed meanwhile, and the
    // right password logs in.
    const ReferenceService::Reply after = m_service->call(kAdverts, {}, manager);
    QCOMPARE(after.code(), 200);
    QCOMPARE(after.data().toArray(), adverts);
    QCOMPARE(m_service->call(kMoveAdvert, {piece("id", first), piece("type", kMoveDown)}, manager).code(), 200);
    QCOMPARE(m_service->post(kLogin, rightPassword).code(), 200);
}

QTEST_GUILESS_MAIN(TestStorageOutage)
#include "tst_storageoutage.moc"
