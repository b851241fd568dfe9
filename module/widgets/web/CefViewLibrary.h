#ifndef CEFVIEWLIBRARY_H
#define CEFVIEWLIBRARY_H

#include <QString>
#include <QVariantMap>

class CefBrowserStackWidget;
class QWidget;

// The host's browser library, found at run time by base name like the suite's siblings: web pages
// of the site host are shown through its four functions. When the library or a function is
// missing, each call here does nothing, says nothing and reports that nothing happened.
class CefViewLibrary
{
public:
    // A text a web page sent to the desktop, with the context given when the browser was made.
    using MessageCallback = void (*)(QString message, void* context);
    using InsertOnlyWeb = CefBrowserStackWidget* (*)(QString url, QWidget* holder, void* slot,
                                                      MessageCallback callback, void* context);
    using RefreshWeb = void (*)(CefBrowserStackWidget* handle, QString url);
    using RunJs = void (*)(CefBrowserStackWidget* handle, QString script);
    using LoadUrl = void (*)(QString url, QVariantMap options);

    // A browser showing url inside holder; the library calls callback(text, context) for every
    // text its page sends while holder lives. Null when there is no browser.
    static CefBrowserStackWidget* insertOnlyWeb(const QString& url, QWidget* holder, void* slot,
                                                MessageCallback callback, void* context);
    // Loads the address again in the browser; false when nothing was done.
    static bool refreshWeb(CefBrowserStackWidget* handle, const QString& url);
    // Runs the script in the browser's page; false when nothing was done.
    static bool runJs(CefBrowserStackWidget* handle, const QString& script);
    // A browser window of its own; a width of -1 leaves it to the library. False when nothing opened.
    static bool loadUrl(const QString& url, const QString& title, int width = -1);

    // "kq_cefview"; tests point it at a stand-in that records the calls.
    static QString baseName();
    static void setBaseName(const QString& baseName);

private:
    CefViewLibrary() = delete;
};

#endif // CEFVIEWLIBRARY_H
