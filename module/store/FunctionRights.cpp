#include "store/FunctionRights.h"

#include "net/http/JsonValues.h"
#include "net/http/UserNotice.h"
#include "store/UserMessage_DataSqlTable.h"

bool FunctionRights::isManagerRecord(QObject* parent)
{
    auto* table = new UserMessage_DataSqlTable(parent, false);
    const bool manager = table->getUserMessage().isManager;
    table->deleteLater();
    return manager;
}

bool FunctionRights::userHasRight(int functionId, QObject* parent)
{
    auto* table = new UserMessage_DataSqlTable(parent, false);
    const bool passes = table->getUserMessage().isManager || table->getFunctionAuth({}, functionId).selected;
    table->deleteLater();
    return passes;
}

bool FunctionRights::checkOrWarn(int functionId, const QString& message, QObject* parent)
{
    if (userHasRight(functionId, parent))
        return true;
    UserNotice::show(UserNotice::Kind::Warning, message);
    return false;
}

bool FunctionRights::siteServiceOpen(QObject* parent)
{
    auto* table = new UserMessage_DataSqlTable(parent, false);
    const bool open = JsonValues::toBool(table->getUserMessage().init.value(QStringLiteral("weiguanwang")));
    table->deleteLater();
    return open;
}
