// The recording stand-in for the host's browser library. Like the real one, it drops a text for a
// browser whose holder is gone, so the callback's context is never called after its owner.
#include "kq_cefview_stub_export.h"

#include <QLabel>
#include <QLayout>
#include <QList>
#include <QPointer>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QVariantList>
#include <QVariantMap>

class CefBrowserStackWidget;

namespace {

using MessageCallback = void (*)(QString message, void* context);

struct Browser
{
    QPointer<QWidget> holder;
    QPointer<QLabel> view;
    MessageCallback callback = nullptr;
    void* context = nullptr;
};

QList<Browser>& browsers()
{
    static QList<Browser> list;
    return list;
}

QVariantList& calls()
{
    static QVariantList list;
    return list;
}

// Handles are 1-based indices into browsers(), so a stale one is never dereferenced.
CefBrowserStackWidget* handleOf(int index)
{
    return reinterpret_cast<CefBrowserStackWidget*>(static_cast<quintptr>(index + 1));
}

int indexOf(const CefBrowserStackWidget* handle)
{
    return static_cast<int>(reinterpret_cast<quintptr>(handle)) - 1;
}

void record(const QString& function, const QVariantMap& values)
{
    QVariantMap call = values;
    call.insert(QStringLiteral("function"), function);
    calls().append(call);
}

} // namespace

extern "C" KQ_CEFVIEW_STUB_EXPORT CefBrowserStackWidget* insertOnlyWeb(QString url, QWidget* holder, void* slot,
                                                                       MessageCallback callback, void* context)
{
    Browser browser;
    browser.holder = holder;
    browser.callback = callback;
    browser.context = context;
    if (holder) {
        auto* view = new QLabel(url, holder);
        view->setObjectName(QStringLiteral("CefViewStubBrowser"));
        view->setTextFormat(Qt::PlainText);
        // Like a browser, it takes the room it is given instead of asking for its text's width.
        view->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        if (auto* stack = qobject_cast<QStackedWidget*>(holder)) {
            stack->addWidget(view);
            stack->setCurrentWidget(view);
        } else {
            QLayout* layout = holder->layout() ? holder->layout() : new QVBoxLayout(holder);
            layout->addWidget(view);
        }
        browser.view = view;
    }
    browsers().append(browser);
    const int index = browsers().size() - 1;
    record(QStringLiteral("insertOnlyWeb"),
           {{QStringLiteral("url"), url},
            {QStringLiteral("browser"), index},
            {QStringLiteral("holder"), QVariant::fromValue(static_cast<QObject*>(holder))},
            {QStringLiteral("slot"), reinterpret_cast<quintptr>(slot)},
            {QStringLiteral("context"), reinterpret_cast<quintptr>(context)}});
    return holder ? handleOf(index) : nullptr;
}

extern "C" KQ_CEFVIEW_STUB_EXPORT void refreshWeb(CefBrowserStackWidget* handle, QString url)
{
    record(QStringLiteral("refreshWeb"), {{QStringLiteral("browser"), indexOf(handle)}, {QStringLiteral("url"), url}});
}

extern "C" KQ_CEFVIEW_STUB_EXPORT void runJs(CefBrowserStackWidget* handle, QString script)
{
    record(QStringLiteral("runJs"), {{QStringLiteral("browser"), indexOf(handle)}, {QStringLiteral("script"), script}});
}

extern "C" KQ_CEFVIEW_STUB_EXPORT void loadUrl(QString url, QVariantMap options)
{
    record(QStringLiteral("loadUrl"), {{QStringLiteral("url"), url}, {QStringLiteral("options"), options}});
}

// Every call so far, oldest first: maps with "function" and the call's values.
extern "C" KQ_CEFVIEW_STUB_EXPORT QVariantList kqStubCalls()
{
    return calls();
}

// The page of browser `index` sends text. False when it was dropped (no such browser, or its
// holder is gone).
extern "C" KQ_CEFVIEW_STUB_EXPORT bool kqStubPost(int index, QString text)
{
    if (index < 0 || index >= browsers().size())
        return false;
    const Browser browser = browsers().at(index);
    if (!browser.holder || !browser.callback)
        return false;
    browser.callback(text, browser.context);
    return true;
}

extern "C" KQ_CEFVIEW_STUB_EXPORT void kqStubReset()
{
    calls().clear();
    browsers().clear();
}
