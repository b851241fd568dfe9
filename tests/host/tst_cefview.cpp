#include "support/service/EngineTestMain.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/service/TestEnvironment.h"

#include "DataCenter.h"

#include <QApplication>
#include <QLibrary>
#include <QPointer>
#include <QVariantMap>
#include <QtTest>

#include <memory>

class CefBrowserStackWidget;

namespace {

using MessageCallback = void (*)(QString message, void* context);
using InsertOnlyWeb = CefBrowserStackWidget* (*)(QString url, QWidget* holder, void* slot, MessageCallback callback,
                                                 void* context);
using RefreshWeb = void (*)(CefBrowserStackWidget* handle, QString url);
using RunJs = void (*)(CefBrowserStackWidget* handle, QString script);
using LoadUrl = void (*)(QString url, QVariantMap options);

struct Received
{
    QString text;
    void* context;
};

QList<Received>& received()
{
    static QList<Received> list;
    return list;
}

void receive(QString message, void* context)
{
    received().append({message, context});
}

int countFrom(void* context, const QString& text = QString())
{
    int count = 0;
    for (const Received& r : received()) {
        if (r.context == context && (text.isEmpty() || r.text == text))
            ++count;
    }
    return count;
}

// A page that opens the channel and posts `script`'s messages through `desktop`.
QByteArray page(const char* title, const char* script)
{
    return QByteArrayLiteral("<!doctype html><html><head><meta charset=\"utf-8\"><title>") + title
        + QByteArrayLiteral("</title></head><body><p>页面</p><script>"
                            "new QWebChannel(qt.webChannelTransport, function (channel) {"
                            " window.desktop = channel.objects.desktop;")
        + script + QByteArrayLiteral("});</script></body></html>");
}

QWidget* windowTitled(const QString& title)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->windowTitle() == title)
            return widget;
    }
    return nullptr;
}

const int kEngineTimeoutMs = 60000;

} // namespace

class TestCefView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void pagePostsThroughTheChannelToTheCallbackWithItsContext();
    void runJsChangesThePageAndRefreshLoadsAnother();
    void pagesCarryTheHostLogin();
    void loadUrlOpensAWindowWithTheTitle();
    void holderGoneMeansNoMoreMessagesAndStaleHandlesAreIgnored();

private:
    // A shown holder with a browser of the library showing path; null handle when none came.
    CefBrowserStackWidget* insert(QWidget* holder, const QString& path, void* context);

    ScriptedHttpServer m_server;
    InsertOnlyWeb m_insert = nullptr;
    RefreshWeb m_refresh = nullptr;
    RunJs m_runJs = nullptr;
    LoadUrl m_loadUrl = nullptr;
    std::unique_ptr<QWidget> m_holder;
};

void TestCefView::initTestCase()
{
    KQ_SKIP_WITHOUT_ENGINE();
    TestEnvironment::isolate();
    QLibrary library(QStringLiteral(KQ_BIN_DIR "/kq_cefview"));
    QVERIFY2(library.load(), qPrintable(library.errorString()));
    m_insert = reinterpret_cast<InsertOnlyWeb>(library.resolve("insertOnlyWeb"));
    m_refresh = reinterpret_cast<RefreshWeb>(library.resolve("refreshWeb"));
    m_runJs = reinterpret_cast<RunJs>(library.resolve("runJs"));
    m_loadUrl = reinterpret_cast<LoadUrl>(library.resolve("loadUrl"));
    QVERIFY(m_insert && m_refresh && m_runJs && m_loadUrl);
    QVERIFY(m_server.start());
}

void TestCefView::init()
{
    m_server.setReply(QStringLiteral("/success"),
                      ScriptedHttpServer::contentReply("text/html; charset=utf-8",
                                                       page("起始", "desktop.postMessage('success');")));
    m_server.setReply(QStringLiteral("/second"),
                      ScriptedHttpServer::contentReply("text/html; charset=utf-8",
                                                       page("第二页", "desktop.postMessage('second');")));
    m_server.setReply(QStringLiteral("/ticks"),
                      ScriptedHttpServer::contentReply("text/html; charset=utf-8",
                                                       page("计时", "setInterval(function () {"
                                                                    " desktop.postMessage('tick'); }, 30);")));
}

void TestCefView::cleanup()
{
    m_holder.reset();
    received().clear();
    m_server.clear();
    DataCenter::CookieVar = QVariant();
}

CefBrowserStackWidget* TestCefView::insert(QWidget* holder, const QString& path, void* context)
{
    holder->resize(640, 480);
    holder->show();
    return m_insert(m_server.url(path), holder, holder, &receive, context);
}

void TestCefView::pagePostsThroughTheChannelToTheCallbackWithItsContext()
{
    m_holder = std::make_unique<QWidget>();
    int context = 0;
    CefBrowserStackWidget* handle = insert(m_holder.get(), QStringLiteral("/success"), &context);
    QVERIFY(handle);
    QWidget* browser = m_holder->findChild<QWidget*>(QStringLiteral("CefBrowserStackWidget"));
    QVERIFY(browser);
    QVERIFY(browser->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!received().isEmpty(), kEngineTimeoutMs);
    QCOMPARE(received().first().text, QStringLiteral("success"));
    QCOMPARE(received().first().context, static_cast<void*>(&context));
    QCOMPARE(received().size(), 1);
}

void TestCefView::runJsChangesThePageAndRefreshLoadsAnother()
{
    m_holder = std::make_unique<QWidget>();
    int context = 0;
    CefBrowserStackWidget* handle = insert(m_holder.get(), QStringLiteral("/success"), &context);
    QTRY_VERIFY_WITH_TIMEOUT(countFrom(&context, QStringLiteral("success")) == 1, kEngineTimeoutMs);

    m_runJs(handle, QStringLiteral("document.title = '已改 & 完成'; desktop.postMessage(document.title);"));
    QTRY_COMPARE_WITH_TIMEOUT(countFrom(&context, QStringLiteral("已改 & 完成")), 1, kEngineTimeoutMs);

    m_refresh(handle, m_server.url(QStringLiteral("/second")));
    QTRY_COMPARE_WITH_TIMEOUT(countFrom(&context, QStringLiteral("second")), 1, kEngineTimeoutMs);
    m_runJs(handle, QStringLiteral("desktop.postMessage(document.title);"));
    QTRY_COMPARE_WITH_TIMEOUT(countFrom(&context, QStringLiteral("第二页")), 1, kEngineTimeoutMs);
}

void TestCefView::pagesCarryTheHostLogin()
{
    DataCenter::CookieVar = QStringLiteral("sessionid=abc123; token=tok456");
    m_holder = std::make_unique<QWidget>();
    int context = 0;
    insert(m_holder.get(), QStringLiteral("/success"), &context);
    QTRY_VERIFY_WITH_TIMEOUT(countFrom(&context) == 1, kEngineTimeoutMs);
    const QList<ScriptedHttpServer::Request> requests = m_server.requestsTo(QStringLiteral("/success"));
    QVERIFY(!requests.isEmpty());
    const QByteArray cookie = requests.first().header("cookie");
    QVERIFY2(cookie.contains("sessionid=abc123") && cookie.contains("token=tok456"), cookie.constData());
}

void TestCefView::loadUrlOpensAWindowWithTheTitle()
{
    const QString title = QStringLiteral("授权指引");
    m_loadUrl(m_server.url(QStringLiteral("/second")),
              {{QStringLiteral("title"), title}, {QStringLiteral("width"), 800}});
    QPointer<QWidget> window = windowTitled(title);
    QVERIFY(window);
    QCOMPARE(window->width(), 800);
    QTRY_VERIFY_WITH_TIMEOUT(!m_server.requestsTo(QStringLiteral("/second")).isEmpty(), kEngineTimeoutMs);
    window->close();
    QTRY_VERIFY(window.isNull());

    // -1 leaves the width to the library.
    m_loadUrl(m_server.url(QStringLiteral("/second")), {{QStringLiteral("title"), title}, {QStringLiteral("width"), -1}});
    window = windowTitled(title);
    QVERIFY(window);
    QVERIFY(window->width() > 0);
    window->close();
    QTRY_VERIFY(window.isNull());
}

void TestCefView::holderGoneMeansNoMoreMessagesAndStaleHandlesAreIgnored()
{
    auto* doomed = new QWidget;
    m_holder = std::make_unique<QWidget>();
    int doomedContext = 0;
    int livingContext = 0;
    CefBrowserStackWidget* doomedHandle = insert(doomed, QStringLiteral("/ticks"), &doomedContext);
    insert(m_holder.get(), QStringLiteral("/ticks"), &livingContext);
    QTRY_VERIFY_WITH_TIMEOUT(countFrom(&doomedContext) >= 2 && countFrom(&livingContext) >= 2, kEngineTimeoutMs);

    delete doomed;
    const int doomedCount = countFrom(&doomedContext);
    m_refresh(doomedHandle, m_server.url(QStringLiteral("/second")));
    m_runJs(doomedHandle, QStringLiteral("desktop.postMessage('stale');"));
    // The living browser keeps ticking: time enough for anything still queued for the other.
    const int livingCount = countFrom(&livingContext);
    QTRY_VERIFY_WITH_TIMEOUT(countFrom(&livingContext) >= livingCount + 5, kEngineTimeoutMs);
    QCOMPARE(countFrom(&doomedContext), doomedCount);
    QVERIFY(m_server.requestsTo(QStringLiteral("/second")).isEmpty());
}

KQ_ENGINE_TEST_MAIN(TestCefView)

#include "tst_cefview.moc"
