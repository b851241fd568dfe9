#include "DataCenter.h"

#include <QPointer>
#include <QWidget>

CustomTabWidget* DataCenter::KQTabBar = nullptr;
QWidget* DataCenter::MainWindowWidget = nullptr;
QString DataCenter::CompanyID;
QString DataCenter::CityID;
QString DataCenter::UserPhoneNumber;
bool DataCenter::isManager = false;
bool DataCenter::isJointSaleManger = false;
QString DataCenter::JointSaleCompanyId;
QMap<QString, QVariant> DataCenter::HttpHeadMap;
QVariant DataCenter::CookieVar;
bool DataCenter::UserOnline = false;
QString DataCenter::CurrentWindow = QStringLiteral("main");
QString DataCenter::KQFUCNTIONPASSWORD = QStringLiteral("kq-microwebsite");
QList<QWidget*> DataCenter::cp_active_windows;

namespace {

struct Registration
{
    QString name;
    QPointer<QWidget> window;
};

QList<Registration>& registry()
{
    static QList<Registration> list;
    return list;
}

// Windows can die without unregistering; forget them before every answer.
void prune()
{
    auto& list = registry();
    for (int i = list.size() - 1; i >= 0; --i) {
        if (list.at(i).window.isNull())
            list.removeAt(i);
    }
    DataCenter::cp_active_windows.clear();
    for (const auto& r : qAsConst(list))
        DataCenter::cp_active_windows.append(r.window.data());
}

} // namespace

QList<QWidget*> DataCenter::getWindowsFromName(const QString& name)
{
    prune();
    QList<QWidget*> result;
    for (const auto& r : qAsConst(registry())) {
        if (r.name == name)
            result.append(r.window.data());
    }
    return result;
}

void DataCenter::registerWindow(const QString& name, QWidget* window)
{
    if (!window)
        return;
    registry().append({name, QPointer<QWidget>(window)});
    prune();
}

void DataCenter::unregisterWindow(QWidget* window)
{
    auto& list = registry();
    for (int i = list.size() - 1; i >= 0; --i) {
        if (list.at(i).window == window)
            list.removeAt(i);
    }
    prune();
}

void DataCenter::addThemeWidget(const QString& name, QWidget* widget)
{
    removeThemeWidget(name, widget);
    registerWindow(name, widget);
}

void DataCenter::removeThemeWidget(const QString& name, QWidget* widget)
{
    auto& list = registry();
    for (int i = list.size() - 1; i >= 0; --i) {
        if (list.at(i).name == name && list.at(i).window == widget)
            list.removeAt(i);
    }
    prune();
}

void DataCenter::reset()
{
    KQTabBar = nullptr;
    MainWindowWidget = nullptr;
    CompanyID.clear();
    CityID.clear();
    UserPhoneNumber.clear();
    isManager = false;
    isJointSaleManger = false;
    JointSaleCompanyId.clear();
    HttpHeadMap.clear();
    CookieVar = QVariant();
    UserOnline = false;
    CurrentWindow = QStringLiteral("main");
    registry().clear();
    cp_active_windows.clear();
}
