#include "net/http/UserNotice.h"

#include <QDebug>

namespace {

UserNotice::Handler& installedHandler()
{
    static UserNotice::Handler handler;
    return handler;
}

} // namespace

void UserNotice::install(Handler handler)
{
    installedHandler() = std::move(handler);
}

void UserNotice::show(Kind kind, const QString& text, const QString& windowName)
{
    const Handler& handler = installedHandler();
    if (handler)
        handler(kind, text, windowName);
    else
        qWarning().noquote() << "notice for" << windowName << ':' << text;
}
