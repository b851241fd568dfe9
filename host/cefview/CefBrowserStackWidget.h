#ifndef CEFBROWSERSTACKWIDGET_H
#define CEFBROWSERSTACKWIDGET_H

#include <QPointer>
#include <QString>
#include <QWidget>

class DesktopBridge;
class QWebChannel;
class QWebEngineView;

// One browser: a web view whose pages can post texts to the desktop through the channel object
// "desktop". The callers know it only as an opaque handle.
//
// Texts reach the receiver from the event loop, never from inside the page's call, and only while
// the widget that holds the browser lives: the receiver's context is a raw pointer that must not be
// called once its owner is gone.
class CefBrowserStackWidget : public QWidget
{
    Q_OBJECT
public:
    using MessageCallback = void (*)(QString message, void* context);

    explicit CefBrowserStackWidget(QWidget* parent = nullptr);
    ~CefBrowserStackWidget() override;

    // Puts a new browser into holder: on top of a stacked widget, else into its layout (made when
    // it has none). Null when there is no holder.
    static CefBrowserStackWidget* insertInto(QWidget* holder);
    // Whether the handle names a browser that still exists.
    static bool isAlive(const CefBrowserStackWidget* handle);
    // Whether the engine can start on this platform. On one without windows ("offscreen",
    // "minimal") it would end the whole process; the library then makes no browsers.
    static bool engineCanRun();

    // Texts go to callback(text, context) while watched lives.
    void setReceiver(QWidget* watched, MessageCallback callback, void* context);
    // Kept with the browser for the caller; never used here.
    void setPassThrough(void* pointer) { m_passThrough = pointer; }
    void* passThrough() const { return m_passThrough; }

    void load(const QString& address);
    void runScript(const QString& script);
    QWebEngineView* view() const { return m_view; }

private:
    void deliver(const QString& message);

    QWebEngineView* m_view;
    QWebChannel* m_channel;
    DesktopBridge* m_bridge;
    QPointer<QWidget> m_watched;
    MessageCallback m_callback = nullptr;
    void* m_context = nullptr;
    void* m_passThrough = nullptr;
};

#endif // CEFBROWSERSTACKWIDGET_H
