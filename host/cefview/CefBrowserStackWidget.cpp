#include "CefBrowserStackWidget.h"

#include "DesktopBridge.h"
#include "HostLoginCookies.h"

#include <QFile>
#include <QGuiApplication>
#include <QLayout>
#include <QSet>
#include <QStackedWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

#include <unistd.h>

namespace {

QSet<const CefBrowserStackWidget*>& liveBrowsers()
{
    static QSet<const CefBrowserStackWidget*> browsers;
    return browsers;
}

// Chromium cannot sandbox its renderers for root and refuses to start instead; the host shell
// runs as root on a fresh machine. The engine reads this when the first view starts it.
QWebEngineView* startView(QWidget* parent)
{
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    return new QWebEngineView(parent);
}

// The channel's client side, before any script of the page runs: pages of any origin can then
// open the channel without loading Qt's script themselves.
QWebEngineScript channelScript()
{
    static const QString source = [] {
        QFile file(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }();
    QWebEngineScript script;
    script.setName(QStringLiteral("qwebchannel"));
    script.setSourceCode(source);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(false);
    return script;
}

} // namespace

CefBrowserStackWidget::CefBrowserStackWidget(QWidget* parent)
    : QWidget(parent)
    , m_view(startView(this))
    , m_channel(new QWebChannel(this))
    , m_bridge(new DesktopBridge(this))
{
    setObjectName(QStringLiteral("CefBrowserStackWidget"));
    liveBrowsers().insert(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    m_channel->registerObject(QStringLiteral("desktop"), m_bridge);
    m_view->page()->setWebChannel(m_channel);
    m_view->page()->scripts().insert(channelScript());
    // Queued: a receiver may close the browser's holder, which must not happen inside the page's call.
    connect(m_bridge, &DesktopBridge::messagePosted, this, &CefBrowserStackWidget::deliver, Qt::QueuedConnection);
}

CefBrowserStackWidget::~CefBrowserStackWidget()
{
    liveBrowsers().remove(this);
}

bool CefBrowserStackWidget::engineCanRun()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

CefBrowserStackWidget* CefBrowserStackWidget::insertInto(QWidget* holder)
{
    if (!holder || !engineCanRun())
        return nullptr;
    auto* browser = new CefBrowserStackWidget(holder);
    if (auto* stack = qobject_cast<QStackedWidget*>(holder)) {
        stack->addWidget(browser);
        stack->setCurrentWidget(browser);
        return browser;
    }
    QLayout* layout = holder->layout();
    if (!layout) {
        layout = new QVBoxLayout(holder);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    layout->addWidget(browser);
    browser->show();
    return browser;
}

bool CefBrowserStackWidget::isAlive(const CefBrowserStackWidget* handle)
{
    return handle && liveBrowsers().contains(handle);
}

void CefBrowserStackWidget::setReceiver(QWidget* watched, MessageCallback callback, void* context)
{
    m_watched = watched;
    m_callback = callback;
    m_context = context;
}

void CefBrowserStackWidget::load(const QString& address)
{
    const QUrl url = QUrl::fromUserInput(address);
    HostLoginCookies::carry(m_view->page()->profile(), url);
    m_view->load(url);
}

void CefBrowserStackWidget::runScript(const QString& script)
{
    m_view->page()->runJavaScript(script);
}

void CefBrowserStackWidget::deliver(const QString& message)
{
    if (!m_callback || !m_watched)
        return;
    m_callback(message, m_context);
}
