// The browser library's four entry points, in the call shapes the module resolves by name.
#include "CefBrowserStackWidget.h"
#include "kq_cefview_export.h"

#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace {

// A window of the library's own when the caller leaves the width to it (-1).
const int kDefaultWindowWidth = 1024;
const int kDefaultWindowHeight = 720;

} // namespace

// A browser showing the address inside holder; every text its pages post arrives as
// callback(text, context) while holder lives. slot is kept with the browser for the caller.
// Null, with nothing shown, where the engine cannot run.
extern "C" KQ_CEFVIEW_EXPORT CefBrowserStackWidget* insertOnlyWeb(QString url, QWidget* holder, void* slot,
                                                                  CefBrowserStackWidget::MessageCallback callback,
                                                                  void* context)
{
    CefBrowserStackWidget* browser = CefBrowserStackWidget::insertInto(holder);
    if (!browser)
        return nullptr;
    browser->setPassThrough(slot);
    browser->setReceiver(holder, callback, context);
    browser->load(url);
    return browser;
}

// A handle whose browser is gone is ignored.
extern "C" KQ_CEFVIEW_EXPORT void refreshWeb(CefBrowserStackWidget* handle, QString url)
{
    if (CefBrowserStackWidget::isAlive(handle))
        handle->load(url);
}

extern "C" KQ_CEFVIEW_EXPORT void runJs(CefBrowserStackWidget* handle, QString script)
{
    if (CefBrowserStackWidget::isAlive(handle))
        handle->runScript(script);
}

// A window of its own, deleted when closed, titled options["title"]; options["width"] of -1 (or
// none) leaves the width to the library.
extern "C" KQ_CEFVIEW_EXPORT void loadUrl(QString url, QVariantMap options)
{
    if (!CefBrowserStackWidget::engineCanRun())
        return;
    auto* window = new CefBrowserStackWidget;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(options.value(QStringLiteral("title")).toString());
    const int width = options.value(QStringLiteral("width"), -1).toInt();
    window->resize(width > 0 ? width : kDefaultWindowWidth, kDefaultWindowHeight);
    window->load(url);
    window->show();
}
