#include "ShellLanguage.h"
#include "ShellLoginDialog.h"
#include "ShellMainWindow.h"
#include "ShellSession.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QEventLoop>
#include <QMessageBox>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    ShellLanguage::apply();
    QApplication::setApplicationName(QStringLiteral("kq_shell"));
    QApplication::setFont(QFont(QStringLiteral("微软雅黑"), 10));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Host shell for the micro website module"));
    parser.addHelpOption();
    const QCommandLineOption userOption(QStringLiteral("user"), QStringLiteral("Log in as PHONE without asking."), QStringLiteral("PHONE"));
    const QCommandLineOption passwordOption(QStringLiteral("password"), QStringLiteral("Password for --user (default demo123)."),
                                            QStringLiteral("PASSWORD"), QStringLiteral("demo123"));
    const QCommandLineOption screenshotOption(QStringLiteral("screenshot"),
                                              QStringLiteral("Save a picture of the main window to FILE once the first page is shown, then quit."),
                                              QStringLiteral("FILE"));
    const QCommandLineOption permissionsOption(
        QStringLiteral("permissions"),
        QStringLiteral("Also open the \"角色权限\" window with the user's role (with --screenshot, its picture is saved)."));
    parser.addOption(userOption);
    parser.addOption(passwordOption);
    parser.addOption(screenshotOption);
    parser.addOption(permissionsOption);
    parser.process(app);

    ShellSession session;
    if (parser.isSet(userOption)) {
        QEventLoop loop;
        QString failure;
        QObject::connect(&session, &ShellSession::loggedIn, &loop, &QEventLoop::quit);
        QObject::connect(&session, &ShellSession::loginFailed, &loop, [&](const QString& message) {
            failure = message;
            loop.quit();
        });
        session.login(parser.value(userOption), parser.value(passwordOption));
        loop.exec();
        if (!failure.isEmpty()) {
            qWarning("Login failed: %s", qPrintable(failure));
            return 2;
        }
    } else {
        ShellLoginDialog dialog(&session, QStringLiteral("13800000000"), QStringLiteral("demo123"));
        if (dialog.exec() != QDialog::Accepted)
            return 0;
    }

    ShellMainWindow window(&session);
    window.show();
    QString error;
    if (!window.loadModule(&error)) {
        QMessageBox::critical(&window, QStringLiteral("微官网"), QStringLiteral("无法加载微官网模块：%1").arg(error));
        return 3;
    }
    window.openMicroWebsite();
    if (parser.isSet(permissionsOption))
        window.openPermissions();
    if (parser.isSet(screenshotOption))
        window.screenshotWhenReady(parser.value(screenshotOption));
    return app.exec();
}
