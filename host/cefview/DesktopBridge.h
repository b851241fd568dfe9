#ifndef DESKTOPBRIDGE_H
#define DESKTOPBRIDGE_H

#include <QObject>
#include <QString>

// The one object a web page sees through the channel, as "desktop": desktop.postMessage(text)
// hands a text to the desktop.
class DesktopBridge : public QObject
{
    Q_OBJECT
public:
    explicit DesktopBridge(QObject* parent = nullptr);

public slots:
    void postMessage(const QString& text);

signals:
    void messagePosted(const QString& text);
};

#endif // DESKTOPBRIDGE_H
