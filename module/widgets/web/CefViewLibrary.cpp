#include "widgets/web/CefViewLibrary.h"

#include "net/platform/SiblingLibrary.h"

namespace {

QString& currentBaseName()
{
    static QString name = QStringLiteral("kq_cefview");
    return name;
}

template <typename Function>
Function resolved(const char* name)
{
    return SiblingLibrary::resolveAs<Function>(currentBaseName(), name);
}

} // namespace

CefBrowserStackWidget* CefViewLibrary::insertOnlyWeb(const QString& url, QWidget* holder, void* slot,
                                                     MessageCallback callback, void* context)
{
    const auto insert = resolved<InsertOnlyWeb>("insertOnlyWeb");
    return insert && holder ? insert(url, holder, slot, callback, context) : nullptr;
}

bool CefViewLibrary::refreshWeb(CefBrowserStackWidget* handle, const QString& url)
{
    const auto refresh = handle ? resolved<RefreshWeb>("refreshWeb") : nullptr;
    if (!refresh)
        return false;
    refresh(handle, url);
    return true;
}

bool CefViewLibrary::runJs(CefBrowserStackWidget* handle, const QString& script)
{
    const auto run = handle ? resolved<RunJs>("runJs") : nullptr;
    if (!run)
        return false;
    run(handle, script);
    return true;
}

bool CefViewLibrary::loadUrl(const QString& url, const QString& title, int width)
{
    const auto load = resolved<LoadUrl>("loadUrl");
    if (!load)
        return false;
    load(url, {{QStringLiteral("title"), title}, {QStringLiteral("width"), width}});
    return true;
}

QString CefViewLibrary::baseName()
{
    return currentBaseName();
}

void CefViewLibrary::setBaseName(const QString& baseName)
{
    currentBaseName() = baseName;
}
