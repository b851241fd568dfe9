#ifndef SHELLSESSION_H
#define SHELLSESSION_H

#include <QObject>

class QNetworkAccessManager;

// Logs in at the service and fills the host's login data and local store, as the suite's host does.
class ShellSession : public QObject
{
    Q_OBJECT
public:
    explicit ShellSession(QObject* parent = nullptr);

    static QString apiBase();
    void login(const QString& phone, const QString& password);

signals:
    void loggedIn();
    void loginFailed(const QString& message);

private:
    QNetworkAccessManager* m_manager;
};

#endif // SHELLSESSION_H
