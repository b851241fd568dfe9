#ifndef DATACENTER_H
#define DATACENTER_H

#include "kq_base_export.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QVariant>

class QWidget;
class CustomTabWidget;

// The host's login data and window registry, shared by every module of the suite.
class KQ_BASE_EXPORT DataCenter
{
public:
    static CustomTabWidget* KQTabBar;
    static QWidget* MainWindowWidget;

    static QString CompanyID;
    static QString CityID;
    static QString UserPhoneNumber;
    static bool isManager;
    static bool isJointSaleManger;
    static QString JointSaleCompanyId;

    static QMap<QString, QVariant> HttpHeadMap;
    static QVariant CookieVar;
    static bool UserOnline;
    static QString CurrentWindow;
    static QString KQFUCNTIONPASSWORD;

    // Every window the host currently has registered, main window and open popup frames alike.
    static QList<QWidget*> cp_active_windows;

    // Windows registered under a name, in the order they were registered.
    static QList<QWidget*> getWindowsFromName(const QString& name);
    static void registerWindow(const QString& name, QWidget* window);
    static void unregisterWindow(QWidget* window);
    static void addThemeWidget(const QString& name, QWidget* widget);
    static void removeThemeWidget(const QString& name, QWidget* widget);

    // Back to the state before any login; the host calls it on log-out, tests between cases.
    static void reset();

private:
    DataCenter() = delete;
};

#endif // DATACENTER_H
