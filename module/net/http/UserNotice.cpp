#include "net/http/UserNotice.h"

#include <QCoreApplication>
#include <QDebug>
#include <QElapsedTimer>
#include <QHash>
#include <QTimer>

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

void UserNotice::post(Kind kind, const QString& text, const QString& windowName)
{
    static QHash<QString, QElapsedTimer> lastPosted;
    const QString key = QString::number(static_cast<int>(kind)) + QLatin1Char('|') + windowName
                        + QLatin1Char('|') + text;
    auto it = lastPosted.find(key);
    if (it != lastPosted.end() && it->isValid() && it->elapsed() < 1000)
        return;
    if (lastPosted.size() > 64)
        lastPosted.clear();
    lastPosted[key].start();
    QTimer::singleShot(0, QCoreApplication::instance(), [kind, text, windowName] { show(kind, text, windowName); });
}
