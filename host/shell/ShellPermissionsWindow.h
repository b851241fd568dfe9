#ifndef SHELLPERMISSIONSWINDOW_H
#define SHELLPERMISSIONSWINDOW_H

#include <QString>
#include <QVariantList>
#include <QWidget>

class PermissionMicroWebSiteWidget;
class QLabel;
class QPlainTextEdit;
class QStackedWidget;

// The host's role editor: the module's permission page embedded in a stack of ours through the
// module's export, filled with a role's rights, and the JSON text the page reports after every
// change shown below it, as the host would keep it to save the role.
class ShellPermissionsWindow : public QWidget
{
    Q_OBJECT
public:
    using Callback = void (*)(QString json, void* context);
    using InitAutuView = void (*)(QWidget* parent, QStackedWidget* stack, PermissionMicroWebSiteWidget** cache,
                                  QVariantList values, Callback callback, void* context);

    // A window of its own (deleted when closed) over parent.
    ShellPermissionsWindow(InitAutuView initAutuView, const QString& roleName, const QVariantList& rights,
                           QWidget* parent = nullptr);
    ~ShellPermissionsWindow() override;

private:
    static void receive(QString json, void* context);
    // Shows the page with the role's rights, dropping the changes made so far.
    void showRole();
    void showJson(const QString& json);

    InitAutuView m_initAutuView;
    QVariantList m_rights;
    QStackedWidget* m_stack;
    QLabel* m_jsonCaption;
    QPlainTextEdit* m_json;
    // The module's cache slot: the page it built for this window, which lives in m_stack.
    PermissionMicroWebSiteWidget* m_page = nullptr;
    int m_changes = 0;
};

#endif // SHELLPERMISSIONSWINDOW_H
