#include "ShellMainWindow.h"

#include "CommonSignalTool.h"
#include "CustomTabWidget.h"
#include "DataCenter.h"
#include "ShellHouseDetailDialog.h"
#include "ShellLoginDialog.h"
#include "ShellSession.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLibrary>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

ShellMainWindow::ShellMainWindow(ShellSession* session, QWidget* parent)
    : QMainWindow(parent)
    , m_session(session)
    , m_tabs(new CustomTabWidget(this))
    , m_permissionsAction(menuBar()->addMenu(QStringLiteral("系统管理"))->addAction(QStringLiteral("角色权限")))
{
    setObjectName(QStringLiteral("ShellMainWindow"));
    setWindowTitle(QStringLiteral("房产经纪管理系统"));
    resize(1280, 820);
    fitToScreen(this);
    setCentralWidget(m_tabs);
    statusBar()->showMessage(QStringLiteral("已登录：%1").arg(DataCenter::UserPhoneNumber));
    m_permissionsAction->setObjectName(QStringLiteral("action_permissions"));
    m_permissionsAction->setEnabled(false);
    connect(m_permissionsAction, &QAction::triggered, this, &ShellMainWindow::openPermissions);

    DataCenter::KQTabBar = m_tabs;
    DataCenter::MainWindowWidget = this;
    DataCenter::registerWindow(QStringLiteral("main"), this);

    CommonSignalTool* hub = CommonSignalTool::Instance();
    connect(hub, &CommonSignalTool::reviceMsg, this, &ShellMainWindow::dealHubMessage);
    connect(hub, &CommonSignalTool::lostLogin, this, [this](const QVariant& value, QObject*) { dealLostLogin(value); });
}

ShellMainWindow::~ShellMainWindow()
{
    DataCenter::unregisterWindow(this);
    DataCenter::KQTabBar = nullptr;
    DataCenter::MainWindowWidget = nullptr;
}

bool ShellMainWindow::loadModule(QString* error)
{
    // By base name, so the platform's prefix and suffix apply; the application's folder first.
    QLibrary library(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("kq_microwebsite")));
    if (!library.load()) {
        library.setFileName(QStringLiteral("kq_microwebsite"));
        if (!library.load()) {
            *error = library.errorString();
            return false;
        }
    }
    using InitFunction = void (*)(QWidget*);
    auto initModule = reinterpret_cast<InitFunction>(library.resolve("init"));
    if (!initModule) {
        *error = library.errorString();
        return false;
    }
    initModule(this);
    // Optional: a module without its permission page still opens, without the menu entry.
    m_initAutuView = reinterpret_cast<ShellPermissionsWindow::InitAutuView>(library.resolve("initAutuView"));
    m_permissionsAction->setEnabled(m_initAutuView != nullptr);
    return true;
}

void ShellMainWindow::openMicroWebsite()
{
    CommonSignalTool::Instance()->send_reviceMsg(QStringLiteral("APP_MicroWebsite"), QVariant(), nullptr);
}

void ShellMainWindow::openPermissions()
{
    if (!m_initAutuView) {
        statusBar()->showMessage(QStringLiteral("微官网模块没有提供角色权限页"), 10000);
        return;
    }
    if (!m_permissions) {
        m_permissions = new ShellPermissionsWindow(m_initAutuView, m_session->roleName(), m_session->roleRights(), this);
        fitToScreen(m_permissions, this);
    }
    m_permissions->show();
    m_permissions->raise();
    m_permissions->activateWindow();
}

void ShellMainWindow::fitToScreen(QWidget* window, const QWidget* over)
{
    // Room for a title bar and borders, which the window system adds once the window shows.
    const QMargins frame(8, 32, 8, 8);
    QScreen* screen = (over ? over : window)->screen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QSize outer = window->size().boundedTo(room.size().shrunkBy(frame)).grownBy(frame);
    QRect placed(QPoint(0, 0), outer);
    placed.moveCenter(over ? over->frameGeometry().center() : room.center());
    placed.moveLeft(qBound(room.left(), placed.left(), room.right() + 1 - outer.width()));
    placed.moveTop(qBound(room.top(), placed.top(), room.bottom() + 1 - outer.height()));
    window->resize(outer.shrunkBy(frame));
    window->move(placed.topLeft());
}

void ShellMainWindow::screenshotWhenReady(const QString& file)
{
    auto* poll = new QTimer(this);
    poll->setInterval(100);
    connect(poll, &QTimer::timeout, this, [this, poll, file] {
        if (m_tabs->count() == 0)
            return;
        poll->stop();
        poll->deleteLater();
        // Give the first page time to fetch its data and pictures.
        QTimer::singleShot(2500, this, [this, file] {
            QWidget* shown = m_permissions ? static_cast<QWidget*>(m_permissions) : this;
            const bool saved = shown->grab().save(file);
            if (!saved)
                qWarning("Could not save the screenshot to %s", qPrintable(file));
            QApplication::exit(saved ? 0 : 1);
        });
    });
    poll->start();
}

void ShellMainWindow::dealHubMessage(const QString& key, const QVariant& value, QObject* obj)
{
    Q_UNUSED(obj)
    if (key == QLatin1String("request_fail")) {
        const QVariantMap map = value.toMap();
        // "message" is the network's own text (English for a failed connection); "reason" is the
        // user's words for it.
        QString reason = map.value(QStringLiteral("reason")).toString();
        if (reason.isEmpty())
            reason = map.value(QStringLiteral("message")).toString();
        statusBar()->showMessage(
            QStringLiteral("请求失败：%1  %2").arg(reason, map.value(QStringLiteral("url")).toString()), 10000);
    } else if (key == QLatin1String("HouseDetail")) {
        // One detail window, reused for the next house clicked.
        const QVariantMap map = value.toMap();
        QList<qint64> ids;
        for (const QVariant& id : map.value(QStringLiteral("ids")).toList())
            ids.append(id.toLongLong());
        auto* dialog = findChild<ShellHouseDetailDialog*>();
        if (!dialog)
            dialog = new ShellHouseDetailDialog(this);
        dialog->showHouse(map.value(QStringLiteral("id")).toLongLong(), ids);
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
    }
}

void ShellMainWindow::dealLostLogin(const QVariant& value)
{
    if (m_reloggingIn)
        return;
    m_reloggingIn = true;
    ShellLoginDialog dialog(m_session, DataCenter::UserPhoneNumber, QString(), this);
    dialog.setMessage(value.toMap().value(QStringLiteral("message")).toString());
    if (dialog.exec() == QDialog::Accepted)
        statusBar()->showMessage(QStringLiteral("已重新登录：%1").arg(DataCenter::UserPhoneNumber), 5000);
    m_reloggingIn = false;
}
