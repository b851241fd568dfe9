#ifndef SHELLDRIVER_H
#define SHELLDRIVER_H

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class FaultProxy;
class QAbstractButton;
class QTimer;
class QWidget;
class ReferenceService;
class ShellMainWindow;
class ShellSession;

// Runs the real shell with the real plug-in as a person would use it, on the office screen
// (OfficeScreen), against the reference service behind a FaultProxy. The plug-in is loaded at run
// time with its own copy of the module, so its widgets are found by object or class name, and its
// modal dialogs are answered by a watcher that also runs inside their event loops.
class ShellDriver : public QObject
{
    Q_OBJECT
public:
    explicit ShellDriver(QObject* parent = nullptr);
    ~ShellDriver() override;

    // Isolated folders, the office screen, the service and its proxy, the login, the shell's main
    // window with the plug-in loaded and "微官网" open on its main page. False with a reason on failure.
    bool start(const QString& phone = QStringLiteral("13800000000"), QString* error = nullptr);

    ReferenceService* service() const { return m_service.get(); }
    FaultProxy* proxy() const { return m_proxy; }
    ShellMainWindow* window() const { return m_window.get(); }

    // Visible widgets (top-level ones included) whose object name or class name is nameOrClass,
    // inside `within` or anywhere.
    static QWidget* findVisible(const QString& nameOrClass, QWidget* within = nullptr);
    static QList<QWidget*> findAllVisible(const QString& nameOrClass, QWidget* within = nullptr);
    // A visible button whose text (mnemonic '&' removed) or object name is textOrName.
    static QAbstractButton* button(const QString& textOrName, QWidget* within = nullptr);
    // A left click in the middle of the widget; false for null.
    static bool click(QWidget* widget);
    // Focuses the edit and types the text key by key.
    static void typeInto(QWidget* edit, const QString& text);
    // Processes events until find() returns a widget; null after the timeout.
    static QWidget* waitFor(const std::function<QWidget*()>& find, int timeoutMs = 5000);

    // Between tasks: the proxy passing everything again, every popup frame closed and the
    // "微官网" tab in front, as a person starts the next task from the main page.
    void backToMainPage();

    // Visible popup frames (CommonAddWidget), newest last, and the title one shows.
    static QList<QWidget*> openPopups();
    static QString popupTitle(QWidget* frame);

    // The next file dialog that shows gets these paths (all in one folder) typed into its file
    // name field, and its open button clicked.
    void answerFileDialogs(const QStringList& paths);
    // Every alert seen since clearAlerts(), by its content text. Each is answered with the next
    // queued button ("sureBtn", "cancleBtn", "knowButton"), else knowButton, else sureBtn.
    QStringList alertTexts() const { return m_alerts; }
    void clearAlerts();
    void queueAlertAnswer(const QString& buttonName);
    // Processes events until an alert holding `containing` has been seen.
    bool waitForAlert(const QString& containing, int timeoutMs = 5000);
    // Texts of the toasts (AlertFlashWidget) seen since clearAlerts().
    QStringList toastTexts() const { return m_toasts; }
    bool waitForToast(const QString& containing, int timeoutMs = 5000);

private:
    void watch();
    void answerAlert(QWidget* alert);
    bool answerFileDialog(QWidget* dialog);

    std::unique_ptr<ReferenceService> m_service;
    FaultProxy* m_proxy = nullptr;
    std::unique_ptr<ShellSession> m_session;
    std::unique_ptr<ShellMainWindow> m_window;
    QTimer* m_watcher;
    QStringList m_alerts;
    QStringList m_toasts;
    QStringList m_answers;
    QStringList m_filePaths;
    QList<QPointer<QWidget>> m_seenAlerts;
    QList<QPointer<QWidget>> m_seenToasts;
};

#endif // SHELLDRIVER_H
