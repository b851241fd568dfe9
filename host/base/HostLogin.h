#ifndef HOSTLOGIN_H
#define HOSTLOGIN_H

#include "kq_base_export.h"

#include <QJsonObject>
#include <QString>

// What the host does with a successful login: fills DataCenter (ids, manager flag, the session's
// headers and cookie) and writes the user's row and base settings into the local store.
class KQ_BASE_EXPORT HostLogin
{
public:
    static bool apply(const QString& phone, const QJsonObject& data);

private:
    HostLogin() = delete;
};

#endif // HOSTLOGIN_H
