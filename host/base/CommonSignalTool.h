#ifndef COMMONSIGNALTOOL_H
#define COMMONSIGNALTOOL_H

#include "kq_base_export.h"

#include <QObject>
#include <QVariant>

// The suite's message hub: one instance, every module listens and sends through it.
class KQ_BASE_EXPORT CommonSignalTool : public QObject
{
    Q_OBJECT
public:
    static CommonSignalTool* Instance();

    void send_reviceMsg(const QString& key, const QVariant& value, QObject* obj);
    void send_lostLogin(const QVariant& value, QObject* obj);
    void send_refreshMicroWebSiteList(const QVariant& value, QObject* obj);
    void send_refreshNewHouseList(const QVariant& value, QObject* obj);
    void send_refreshFinancialList(const QVariant& value, QObject* obj);

signals:
    void reviceMsg(const QString& key, const QVariant& value, QObject* obj);
    void lostLogin(const QVariant& value, QObject* obj);
    void refreshMicroWebSiteList(const QVariant& value, QObject* obj);
    void refreshNewHouseList(const QVariant& value, QObject* obj);
    void refreshFinancialList(const QVariant& value, QObject* obj);

private:
    explicit CommonSignalTool(QObject* parent = nullptr);
};

#endif // COMMONSIGNALTOOL_H
