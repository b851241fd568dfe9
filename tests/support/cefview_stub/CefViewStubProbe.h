#ifndef CEFVIEWSTUBPROBE_H
#define CEFVIEWSTUBPROBE_H

#include "widgets/web/CefViewLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QVariantList>
#include <QVariantMap>

// Points the module at the recording stand-in of the browser library and reads what it recorded.
namespace CefViewStubProbe {

inline const QString& baseName()
{
    static const QString name = QStringLiteral("kq_cefview_stub");
    return name;
}

inline QFunctionPointer function(const char* name)
{
    QLibrary library(QDir(QCoreApplication::applicationDirPath()).filePath(baseName()));
    return library.load() ? library.resolve(name) : nullptr;
}

// The module uses the stand-in from now on, with nothing recorded. False when it cannot be loaded.
inline bool use()
{
    const auto reset = reinterpret_cast<void (*)()>(function("kqStubReset"));
    if (!reset)
        return false;
    reset();
    CefViewLibrary::setBaseName(baseName());
    return true;
}

// Every call the module made, oldest first ("function" and its values: "url", "browser", ...).
inline QVariantList calls()
{
    const auto read = reinterpret_cast<QVariantList (*)()>(function("kqStubCalls"));
    return read ? read() : QVariantList();
}

// The calls of one function, oldest first.
inline QList<QVariantMap> callsOf(const QString& name)
{
    QList<QVariantMap> found;
    for (const QVariant& call : calls()) {
        if (call.toMap().value(QStringLiteral("function")).toString() == name)
            found.append(call.toMap());
    }
    return found;
}

// The page of browser `index` (the "browser" of its insertOnlyWeb call) sends text; false when
// the stand-in dropped it because the browser's holder is gone.
inline bool post(int index, const QString& text)
{
    const auto send = reinterpret_cast<bool (*)(int, QString)>(function("kqStubPost"));
    return send && send(index, text);
}

} // namespace CefViewStubProbe

#endif // CEFVIEWSTUBPROBE_H
