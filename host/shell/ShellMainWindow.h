#ifndef SHELLMAINWINDOW_H
#define SHELLMAINWINDOW_H

#include <QMainWindow>
#include <QVariant>

class CustomTabWidget;
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
    // Saves a picture of the window once the first page has had time to load, then quits.
    void screenshotWhenReady(const QString& file);

private:
    void dealHubMessage(const QString& key, const QVariant& value, QObject* obj);
    void dealLostLogin(const QVariant& value);

    ShellSession* m_session;
    CustomTabWidget* m_tabs;
    bool m_reloggingIn = false;
};

#endif // SHELLMAINWINDOW_H
