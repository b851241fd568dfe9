#include "support/service/EngineTestMain.h"
#include "support/service/ReferenceService.h"
#include "support/service/TestEnvironment.h"

#include "DataCenter.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLibrary>
#include <QRegularExpression>
#include <QWidget>
#include <QtTest>

#include <memory>

class CefBrowserStackWidget;

namespace {

using MessageCallback = void (*)(QString message, void* context);
using InsertOnlyWeb = CefBrowserStackWidget* (*)(QString url, QWidget* holder, void* slot, MessageCallback callback,
                                                 void* context);
using RunJs = void (*)(CefBrowserStackWidget* handle, QString script);

QStringList& received()
{
    static QStringList messages;
    return messages;
}

void receive(QString message, void*)
{
    received().append(message);
}

const int kEngineTimeoutMs = 60000;

} // namespace

// The browsing-track page in the host's real browser, logged in by the host's cookie: what the
// desktop receives when a visit is clicked.
class TestBrowseLogsWeb : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void clickingAVisitPostsItsItem();

private:
    // Runs script until the page answers "ready"; false after the timeout.
    bool waitUntilReady(CefBrowserStackWidget* browser, const QString& script);

    std::unique_ptr<ReferenceService> m_service;
    InsertOnlyWeb m_insert = nullptr;
    RunJs m_runJs = nullptr;
};

void TestBrowseLogsWeb::initTestCase()
{
    KQ_SKIP_WITHOUT_ENGINE();
    TestEnvironment::isolate();
    QLibrary library(QStringLiteral(KQ_BIN_DIR "/kq_cefview"));
    QVERIFY2(library.load(), qPrintable(library.errorString()));
    m_insert = reinterpret_cast<InsertOnlyWeb>(library.resolve("insertOnlyWeb"));
    m_runJs = reinterpret_cast<RunJs>(library.resolve("runJs"));
    QVERIFY(m_insert && m_runJs);
    m_service = std::make_unique<ReferenceService>();
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    const ReferenceService::Headers session = m_service->login(QStringLiteral("13800000000"));
    QVERIFY(!session.isEmpty());
    DataCenter::CookieVar = QStringLiteral("sessionid=%1; token=%2")
                                .arg(session.value(QStringLiteral("sessionid")).toString(),
                                     session.value(QStringLiteral("token")).toString());
}

void TestBrowseLogsWeb::cleanupTestCase()
{
    DataCenter::CookieVar = QVariant();
}

bool TestBrowseLogsWeb::waitUntilReady(CefBrowserStackWidget* browser, const QString& script)
{
    return QTest::qWaitFor(
        [&] {
            m_runJs(browser, script);
            QTest::qWait(200);
            return received().contains(QStringLiteral("ready"));
        },
        kEngineTimeoutMs);
}

void TestBrowseLogsWeb::clickingAVisitPostsItsItem()
{
    QWidget holder;
    holder.resize(900, 600);
    holder.show();
    CefBrowserStackWidget* browser = m_insert(m_service->baseUrl() + QStringLiteral("site/browselogs.html?companyid=10001"),
                                              &holder, &holder, &receive, &holder);
    QVERIFY(browser);
    QVERIFY2(waitUntilReady(browser, QStringLiteral("if (document.querySelector('tr.visit') && window.sendToDesktop)"
                                                    " window.sendToDesktop('ready');")),
             "the page did not open with its visits");
    received().clear();

    // The first four visits are one of each type; a click on a cell, then Enter on a row.
    m_runJs(browser, QStringLiteral("var rows = document.querySelectorAll('tr.visit');"
                                    "rows[0].cells[4].click(); rows[1].click(); rows[2].click();"
                                    "rows[3].dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter', bubbles: true}));"));
    QTRY_COMPARE_WITH_TIMEOUT(received().size(), 4, kEngineTimeoutMs);
    // The rows as the page was served.
    const QString page = QString::fromUtf8(
        m_service->get(QStringLiteral("site/browselogs.html?companyid=10001"),
                       {{QStringLiteral("Cookie"), DataCenter::CookieVar}})
            .body);
    static const QRegularExpression row(QStringLiteral("data-type=\"(\\d+)\" data-item=\"(\\d+)\""));
    QRegularExpressionMatchIterator rows = row.globalMatch(page);
    for (int i = 0; i < 4; ++i) {
        QVERIFY(rows.hasNext());
        const QRegularExpressionMatch served = rows.next();
        const QJsonObject visit = QJsonDocument::fromJson(received().at(i).toUtf8()).object();
        QCOMPARE(visit.keys(), (QStringList{QStringLiteral("itemId"), QStringLiteral("type")}));
        QVERIFY(visit.value(QStringLiteral("type")).isDouble());
        QCOMPARE(visit.value(QStringLiteral("type")).toInt(), i + 1);
        QCOMPARE(visit.value(QStringLiteral("type")).toInt(), served.captured(1).toInt());
        QVERIFY(visit.value(QStringLiteral("itemId")).isString());
        QCOMPARE(visit.value(QStringLiteral("itemId")).toString(), served.captured(2));
    }
    // The header row and the paging posts nothing.
    m_runJs(browser, QStringLiteral("document.querySelector('th').click(); document.querySelector('.pages span').click();"
                                    "window.sendToDesktop('marker');"));
    QTRY_VERIFY_WITH_TIMEOUT(received().contains(QStringLiteral("marker")), kEngineTimeoutMs);
    QCOMPARE(received().size(), 5);
}

KQ_ENGINE_TEST_MAIN(TestBrowseLogsWeb)

#include "tst_browselogsweb.moc"
