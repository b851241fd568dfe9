#ifndef SHELLSESSION_H
#define SHELLSESSION_H

#include <QObject>
#include <QVariantList>

class QNetworkAccessManager;

// Logs in at the service and fills the host's login data and local store, as the suite's host does.
class ShellSession : public QObject
{
    Q_OBJECT
public:
    explicit ShellSession(QObject* parent = nullptr);

    static QString apiBase();
    void login(const QString& phone, const QString& password);

    // The logged-in user's job role: its name, and the rights it holds in every app of the suite
    // (the entries of each "userauth" group's "content"), as the host's role editor hands them on.
    QString roleName() const { return m_roleName; }
    QVariantList roleRights() const { return m_roleRights; }

signals:
    void loggedIn();
    void loginFailed(const QString& message);

private:
    QNetworkAccessManager* m_manager;
    QString m_roleName;
    QVariantList m_roleRights;
};

#endif // SHELLSESSION_H
