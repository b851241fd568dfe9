#ifndef RIGHTSCHECK_H
#define RIGHTSCHECK_H

#include <QJsonObject>
#include <QList>
#include <QString>

class ServiceDatabase;
struct SessionInfo;

// The one lookup of a user's rights on the service side: the job role's stored right entries,
// the same ones the login hands to the desktop. Route classes that need a scope on top of the
// grant read it from the entry.
class RightsCheck
{
public:
    // A manager passes; anyone else needs one of the functions granted to their job role.
    static bool hasAny(ServiceDatabase& db, const SessionInfo& session, const QList<int>& functionIds);
    // The job role's first entry for the function, searched through every app's rights in app
    // order, when it grants the function ("selected"); an empty object otherwise.
    static QJsonObject grantedEntry(ServiceDatabase& db, qint64 jobId, int functionId);
    // A stored yes/no as the rights editor may write it: true, a non-zero number, "1" or "true".
    static bool isSet(const QJsonValue& value);
    // The refusal of an operation the user has no right to.
    static QString noRightMessage();

private:
    RightsCheck() = delete;
};

#endif // RIGHTSCHECK_H
