#ifndef SHELLMAINWINDOW_H
#define SHELLMAINWINDOW_H

#include "ShellPermissionsWindow.h"

#include <QMainWindow>
#include <QPointer>
#include <QVariant>

class CustomTabWidget;
class QAction;
class ShellSession;

// The host's main window: the tab bar the module's pages live in, and the host's answers to the
// module's hub messages.
class ShellMainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit ShellMainWindow(ShellSession* session, QWidget* parent = nullptr);
    ~ShellMainWindow() override;

    // Loads the module from the application's folder and calls its init. False with a message on failure.
    bool loadModule(QString* error);
    void openMicroWebsite();
    // The "角色权限" window with the logged-in user's role; brought to the front when it is open.
    // Before the module is loaded, or when it has no permission page to offer, the status bar says so.
    void openPermissions();
    // Saves a picture of the window (of the "角色权限" window while that is open) once the first
    // page has had time to load, then quits.
    void screenshotWhenReady(const QString& file);

    // The window's size is the most it takes: shrinks it into the available room of the screen
    // (task bar and title bar left out) and centres it there, over `over` when given.
    static void fitToScreen(QWidget* window, const QWidget* over = nullptr);

private:
    void dealHubMessage(const QString& key, const QVariant& value, QObject* obj);
    void dealLostLogin(const QVariant& value);

    ShellSession* m_session;
    CustomTabWidget* m_tabs;
    QAction* m_permissionsAction;
    ShellPermissionsWindow::InitAutuView m_initAutuView = nullptr;
    QPointer<ShellPermissionsWindow> m_permissions;
    bool m_reloggingIn = false;
};

#endif // SHELLMAINWINDOW_H
