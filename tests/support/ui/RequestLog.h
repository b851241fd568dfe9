#ifndef REQUESTLOG_H
#define REQUESTLOG_H

#include <QByteArray>
#include <QList>
#include <QString>

class QObject;

// Every request the module sends in this test process, with the objects it came from: pages
// release their request objects once answered, so tests read here what was sent.
// ModuleTestEnvironment::prepare() starts it.
class RequestLog
{
public:
    struct Sent
    {
        QString url;
        QByteArray body;
        int method = 0;
        QList<const QObject*> owners; // the request's parent chain when it left; compared, never used
    };

    static void start();
    // The requests sent by the object or anything it owns, oldest first.
    static QList<Sent> sentBy(const QObject* owner);
    static int countSentBy(const QObject* owner) { return sentBy(owner).size(); }

private:
    RequestLog() = delete;
};

#endif // REQUESTLOG_H
