#include "support/host/ShellDriver.h"

#include "support/service/OfficeScreen.h"
#include "support/service/FaultProxy.h"
#include "support/service/KeyboardInput.h"
#include "support/service/ReferenceService.h"
#include "support/service/TestEnvironment.h"

#include "ShellLanguage.h"
#include "ShellMainWindow.h"
#include "ShellSession.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTimer>
#include <QtTest>

namespace {

bool named(const QWidget* widget, const QString& nameOrClass)
{
    return widget->objectName() == nameOrClass || QLatin1String(widget->metaObject()->className()) == nameOrClass;
}

QString withoutMnemonics(QString text)
{
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text;
}

// Every visible widget, top-level windows first, each followed by its visible descendants.
QList<QWidget*> visibleWidgets(QWidget* within)
{
    QList<QWidget*> roots;
    if (within)
        roots.append(within);
    else
        roots = QApplication::topLevelWidgets();
    QList<QWidget*> found;
    for (QWidget* root : roots) {
        if (!root->isVisible())
            continue;
        found.append(root);
        for (QWidget* child : root->findChildren<QWidget*>()) {
            if (child->isVisible())
                found.append(child);
        }
    }
    return found;
}

QString labelText(QWidget* widget, const QString& objectName = QString())
{
    for (QLabel* label : widget->findChildren<QLabel*>()) {
        if ((objectName.isEmpty() || label->objectName() == objectName) && !label->text().isEmpty())
            return label->text();
    }
    return QString();
}

} // namespace

ShellDriver::ShellDriver(QObject* parent)
    : QObject(parent)
    , m_watcher(new QTimer(this))
{
    m_watcher->setInterval(30);
    connect(m_watcher, &QTimer::timeout, this, &ShellDriver::watch);
}

ShellDriver::~ShellDriver()
{
    m_watcher->stop();
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget != m_window.get() && widget->isVisible())
            widget->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_window.reset();
    m_session.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_service.reset();
}

bool ShellDriver::start(const QString& phone, QString* error)
{
    auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    TestEnvironment::isolate();
    // As the shell's main() starts: Qt's own dialogs in Chinese.
    ShellLanguage::apply();
    OfficeScreen::apply();
    m_service = std::make_unique<ReferenceService>();
    if (!m_service->isRunning())
        return fail(QStringLiteral("the service did not start: ") + m_service->errorString());
    m_proxy = new FaultProxy(m_service->baseUrl(), this);
    if (!m_proxy->start())
        return fail(QStringLiteral("the proxy did not start"));
    // Before the plug-in loads: it reads its addresses once.
    m_proxy->useAsBaseAddresses();

    m_session = std::make_unique<ShellSession>();
    QSignalSpy loggedIn(m_session.get(), &ShellSession::loggedIn);
    QSignalSpy failed(m_session.get(), &ShellSession::loginFailed);
    m_session->login(phone, QStringLiteral("demo123"));
    QElapsedTimer clock;
    clock.start();
    while (loggedIn.isEmpty() && failed.isEmpty() && clock.elapsed() < 20000)
        QTest::qWait(20);
    if (!failed.isEmpty())
        return fail(QStringLiteral("login failed: ") + failed.first().first().toString());
    if (loggedIn.isEmpty())
        return fail(QStringLiteral("login timed out"));

    m_window = std::make_unique<ShellMainWindow>(m_session.get());
    m_window->show();
    QString loadError;
    if (!m_window->loadModule(&loadError))
        return fail(QStringLiteral("the plug-in did not load: ") + loadError);
    m_watcher->start();
    m_window->openMicroWebsite();
    if (!waitFor([this] { return findVisible(QStringLiteral("ItemButtonWidget"), m_window.get()); }, 20000))
        return fail(QStringLiteral("the main page's tiles did not show"));
    return true;
}

QWidget* ShellDriver::findVisible(const QString& nameOrClass, QWidget* within)
{
    const QList<QWidget*> all = findAllVisible(nameOrClass, within);
    return all.isEmpty() ? nullptr : all.first();
}

QList<QWidget*> ShellDriver::findAllVisible(const QString& nameOrClass, QWidget* within)
{
    QList<QWidget*> found;
    for (QWidget* widget : visibleWidgets(within)) {
        if (named(widget, nameOrClass))
            found.append(widget);
    }
    return found;
}

QAbstractButton* ShellDriver::button(const QString& textOrName, QWidget* within)
{
    for (QWidget* widget : visibleWidgets(within)) {
        auto* candidate = qobject_cast<QAbstractButton*>(widget);
        if (candidate && (candidate->objectName() == textOrName || withoutMnemonics(candidate->text()) == textOrName))
            return candidate;
    }
    return nullptr;
}

bool ShellDriver::click(QWidget* widget)
{
    if (!widget)
        return false;
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    return true;
}

void ShellDriver::typeInto(QWidget* edit, const QString& text)
{
    KeyboardInput::type(edit, text);
}

QWidget* ShellDriver::waitFor(const std::function<QWidget*()>& find, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (QWidget* widget = find())
            return widget;
        if (clock.elapsed() > timeoutMs)
            return nullptr;
        QTest::qWait(20);
    }
}

void ShellDriver::backToMainPage()
{
    m_proxy->clearFaults();
    m_proxy->setDown(false);
    for (int round = 0; round < 5 && !openPopups().isEmpty(); ++round) {
        for (QWidget* frame : openPopups())
            QMetaObject::invokeMethod(frame, "closeWidget");
        QTest::qWait(50);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QTabBar* tabs : m_window->findChildren<QTabBar*>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->tabText(i) == QStringLiteral("微官网") && tabs->currentIndex() != i)
                QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
        }
    }
}

QList<QWidget*> ShellDriver::openPopups()
{
    return findAllVisible(QStringLiteral("CommonAddWidget"));
}

QString ShellDriver::popupTitle(QWidget* frame)
{
    return frame ? labelText(frame, QStringLiteral("titleLabel")) : QString();
}

void ShellDriver::answerFileDialogs(const QStringList& paths)
{
    m_filePaths = paths;
}

void ShellDriver::clearAlerts()
{
    m_alerts.clear();
    m_toasts.clear();
}

void ShellDriver::queueAlertAnswer(const QString& buttonName)
{
    m_answers.append(buttonName);
}

bool ShellDriver::waitForAlert(const QString& containing, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() <= timeoutMs) {
        for (const QString& text : qAsConst(m_alerts)) {
            if (text.contains(containing))
                return true;
        }
        QTest::qWait(20);
    }
    return false;
}

bool ShellDriver::waitForToast(const QString& containing, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() <= timeoutMs) {
        for (const QString& text : qAsConst(m_toasts)) {
            if (text.contains(containing))
                return true;
        }
        QTest::qWait(20);
    }
    return false;
}

void ShellDriver::watch()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!widget->isVisible())
            continue;
        const QLatin1String className(widget->metaObject()->className());
        if (className == QLatin1String("AlertWidget")) {
            answerAlert(widget);
        } else if (auto* dialog = qobject_cast<QFileDialog*>(widget)) {
            if (!m_filePaths.isEmpty() && answerFileDialog(dialog))
                m_filePaths.clear();
        }
    }
    // Toasts may be children of the window they show over.
    for (QWidget* toast : findAllVisible(QStringLiteral("AlertFlashWidget"))) {
        if (m_seenToasts.contains(toast))
            continue;
        const QString text = labelText(toast);
        if (text.isEmpty())
            continue;
        m_seenToasts.append(toast);
        m_toasts.append(text);
    }
    m_seenToasts.removeAll(nullptr);
}

void ShellDriver::answerAlert(QWidget* alert)
{
    if (m_seenAlerts.contains(alert))
        return;
    m_seenAlerts.removeAll(nullptr);
    m_seenAlerts.append(alert);
    m_alerts.append(labelText(alert, QStringLiteral("contentLabel")));
    QStringList choices;
    if (!m_answers.isEmpty())
        choices.append(m_answers.takeFirst());
    choices << QStringLiteral("knowButton") << QStringLiteral("sureBtn");
    for (const QString& name : qAsConst(choices)) {
        auto* chosen = alert->findChild<QAbstractButton*>(name);
        if (chosen && chosen->isVisible()) {
            // Later, from the event loop: the alert may be inside its own exec() right now.
            QPointer<QAbstractButton> target(chosen);
            QTimer::singleShot(0, this, [target] {
                if (target)
                    click(target);
            });
            return;
        }
    }
}

bool ShellDriver::answerFileDialog(QWidget* widget)
{
    auto* dialog = qobject_cast<QFileDialog*>(widget);
    auto* nameEdit = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
    if (!nameEdit || m_filePaths.isEmpty())
        return false;
    const QString folder = QFileInfo(m_filePaths.first()).absolutePath();
    dialog->setDirectory(folder);
    QString typed;
    if (m_filePaths.size() == 1) {
        typed = m_filePaths.first();
    } else {
        QStringList quoted;
        for (const QString& path : qAsConst(m_filePaths))
            quoted.append(QLatin1Char('"') + QFileInfo(path).fileName() + QLatin1Char('"'));
        typed = quoted.join(QLatin1Char(' '));
    }
    QPointer<QFileDialog> target(dialog);
    QTimer::singleShot(0, this, [target, nameEdit, typed] {
        if (!target)
            return;
        nameEdit->clear();
        typeInto(nameEdit, typed);
        QTest::keyClick(nameEdit, Qt::Key_Return);
    });
    return true;
}
