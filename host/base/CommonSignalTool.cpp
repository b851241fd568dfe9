#include "CommonSignalTool.h"

CommonSignalTool::CommonSignalTool(QObject* parent)
    : QObject(parent)
{
}

CommonSignalTool* CommonSignalTool::Instance()
{
    // Lives for the whole process; modules connect to it and never own it.
    static CommonSignalTool* instance = new CommonSignalTool;
    return instance;
}

void CommonSignalTool::send_reviceMsg(const QString& key, const QVariant& value, QObject* obj)
{
    emit reviceMsg(key, value, obj);
}

void CommonSignalTool::send_lostLogin(const QVariant& value, QObject* obj)
{
    emit lostLogin(value, obj);
}

void CommonSignalTool::send_refreshMicroWebSiteList(const QVariant& value, QObject* obj)
{
    emit refreshMicroWebSiteList(value, obj);
}

void CommonSignalTool::send_refreshNewHouseList(const QVariant& value, QObject* obj)
{
    emit refreshNewHouseList(value, obj);
}

void CommonSignalTool::send_refreshFinancialList(const QVariant& value, QObject* obj)
{
    emit refreshFinancialList(value, obj);
}
