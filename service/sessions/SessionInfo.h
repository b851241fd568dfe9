#ifndef SESSIONINFO_H
#define SESSIONINFO_H

#include <QString>

// Who a request speaks for, read from a valid session.
struct SessionInfo
{
    bool valid = false;
    QString sessionId;
    qint64 userId = 0;
    QString phone;
    QString companyId;
    QString cityId;
    bool isManager = false;
    qint64 jobId = 0;
};

#endif // SESSIONINFO_H
