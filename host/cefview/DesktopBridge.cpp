#include "DesktopBridge.h"

DesktopBridge::DesktopBridge(QObject* parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("desktop"));
}

void DesktopBridge::postMessage(const QString& text)
{
    emit messagePosted(text);
}
