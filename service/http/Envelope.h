#ifndef ENVELOPE_H
#define ENVELOPE_H

#include "http/ServiceReply.h"

#include <QJsonValue>
#include <QString>

// The JSON envelope of every API reply: {"code": ..., "message": ..., "data": ...}. The HTTP
// status is 200 whatever the code, so clients always read the envelope; only an unknown path
// (404) and a service that cannot reach its database (503) say so in the status too.
class Envelope
{
public:
    static ServiceReply make(int code, const QString& message, const QJsonValue& data = QJsonValue());
    // 200: success.
    static ServiceReply success(const QJsonValue& data, const QString& message = QStringLiteral("成功"));
    // 400: the session is missing or no longer valid; the client asks the user to log in again.
    static ServiceReply sessionLost();
    // 405: a refused operation or bad input; the message is shown to the user.
    static ServiceReply refused(const QString& message);
    // 500: the service itself failed; nothing was changed.
    static ServiceReply internalError();
    // 500 with HTTP status 503: the database is out of reach; nothing was changed, the login
    // and the session stay valid, and the same request may succeed later.
    static ServiceReply unavailable();
    // An unknown API path, with HTTP status 404.
    static ServiceReply unknownPath();

    static constexpr int kSuccess = 200;
    static constexpr int kSessionLost = 400;
    static constexpr int kRefused = 405;
    static constexpr int kInternalError = 500;
};

#endif // ENVELOPE_H
