#ifndef SHELLLOGINDIALOG_H
#define SHELLLOGINDIALOG_H

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class ShellSession;

// Asks for phone and password and logs in; stays open with the service's message on failure.
class ShellLoginDialog : public QDialog
{
    Q_OBJECT
public:
    ShellLoginDialog(ShellSession* session, const QString& phone, const QString& password, QWidget* parent = nullptr);

    void setMessage(const QString& message);

private:
    void submit();

    ShellSession* m_session;
    QLineEdit* m_phone;
    QLineEdit* m_password;
    QLabel* m_message;
    QPushButton* m_loginButton;
};

#endif // SHELLLOGINDIALOG_H
