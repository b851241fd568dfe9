#ifndef HOSTWINDOWFIXTURE_H
#define HOSTWINDOWFIXTURE_H

#include <QList>
#include <QSize>
#include <QString>

#include <memory>

class CommonAddWidget;
class CustomTabWidget;
class QMainWindow;
class QWidget;

// The host around a page under test: DataCenter reset, a shown main window registered as "main"
// whose central widget is the tab bar. Going out of scope closes alerts and popups and the window,
// and resets DataCenter again.
class HostWindowFixture
{
public:
    explicit HostWindowFixture(const QSize& windowSize = QSize(1100, 760));
    ~HostWindowFixture();

    QMainWindow* window() const { return m_window.get(); }
    CustomTabWidget* tabs() const { return m_tabs; }

    // Popup frames on screen now.
    static QList<CommonAddWidget*> openPopups();
    static QString popupTitle(const CommonAddWidget* frame);

    // Top-level windows by object name, such as the dialogs of sibling components.
    static QWidget* visibleWindow(const QString& objectName);
    static int visibleWindowCount(const QString& objectName);
    // Closes every one of that name, shown or not, and lets their deletion run.
    static void closeWindows(const QString& objectName);

private:
    std::unique_ptr<QMainWindow> m_window;
    CustomTabWidget* m_tabs = nullptr;
};

#endif // HOSTWINDOWFIXTURE_H
