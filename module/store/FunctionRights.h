#ifndef FUNCTIONRIGHTS_H
#define FUNCTIONRIGHTS_H

#include <QString>

class QObject;

// The one rights check of the pages: the manager flag of the stored user record, else the
// granted flag of the function's right.
class FunctionRights
{
public:
    static bool userHasRight(int functionId, QObject* parent);
    // As userHasRight; a refusal shows `message` as a warning on the main window.
    static bool checkOrWarn(int functionId, const QString& message, QObject* parent);
    static bool isManagerRecord(QObject* parent);
    // Whether the company's site service is open ("weiguanwang" of the stored login data).
    static bool siteServiceOpen(QObject* parent);

private:
    FunctionRights() = delete;
};

#endif // FUNCTIONRIGHTS_H
