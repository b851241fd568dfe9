#ifndef HOSTWINDOWFIXTURE_H
#define HOSTWINDOWFIXTURE_H

#include <QList>
#include <QString>

#include <memory>

class CommonAddWidget;
class CustomTabWidget;
class QMainWindow;

// The host around a page under test: DataCenter reset, a shown main window registered as "main"
// whose central widget is the tab bar. Going out of scope closes alerts and popups and the window.
class HostWindowFixture
{
public:
    HostWindowFixture();
    ~HostWindowFixture();

    QMainWindow* window() const { return m_window.get(); }
    CustomTabWidget* tabs() const { return m_tabs; }

    // Popup frames on screen now.
    static QList<CommonAddWidget*> openPopups();
    static QString popupTitle(const CommonAddWidget* frame);

private:
    std::unique_ptr<QMainWindow> m_window;
    CustomTabWidget* m_tabs = nullptr;
};

#endif // HOSTWINDOWFIXTURE_H
