#include "support/service/ReferenceService.h"
#include "support/service/TestEnvironment.h"

#include "ShellMainWindow.h"
#include "ShellPermissionsWindow.h"
#include "ShellSession.h"

#include <QAction>
#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QtTest>

#include <memory>

namespace {

// The staff member's role "经纪人" holds right 65 with range 2 ("仅自己") and right 148.
const QString kStaff = QStringLiteral("13800000001");
const QString kHouseOnOff = QStringLiteral("二手房/租房-上下架"); // right 65
const QString kNewHouseOnOff = QStringLiteral("新房管理-上下架"); // right 70
const QString kNews = QStringLiteral("资讯管理"); // right 148

QCheckBox* rightBox(QWidget* window, const QString& text)
{
    for (QCheckBox* box : window->findChildren<QCheckBox*>()) {
        if (box->text() == text)
            return box;
    }
    return nullptr;
}

void click(QCheckBox* box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

// The items of the JSON box by their "id"; empty when the box holds no JSON array.
QMap<int, QJsonObject> itemsShown(QWidget* window, QString* text = nullptr)
{
    const QString json = window->findChild<QPlainTextEdit*>(QStringLiteral("plainTextEdit_json"))->toPlainText();
    if (text)
        *text = json;
    QMap<int, QJsonObject> items;
    for (const QJsonValue& item : QJsonDocument::fromJson(json.toUtf8()).array())
        items.insert(item.toObject().value(QStringLiteral("id")).toInt(), item.toObject());
    return items;
}

} // namespace

class TestShellPermissions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();

    void menuEntryShowsTheRoleAndTheJsonOfEveryChange();
    void restoreShowsTheRoleAgainOnTheSamePage();
    void closingTheWindowTakesThePageWithIt();

private:
    ShellPermissionsWindow* openFromMenu();

    std::unique_ptr<ReferenceService> m_service;
    std::unique_ptr<ShellSession> m_session;
    std::unique_ptr<ShellMainWindow> m_window;
};

void TestShellPermissions::initTestCase()
{
    TestEnvironment::isolate();
    m_service = std::make_unique<ReferenceService>();
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    // Before the plug-in loads: it reads its addresses once.
    m_service->useAsBaseAddresses();

    m_session = std::make_unique<ShellSession>();
    QSignalSpy loggedIn(m_session.get(), &ShellSession::loggedIn);
    QSignalSpy failed(m_session.get(), &ShellSession::loginFailed);
    m_session->login(kStaff, QStringLiteral("demo123"));
    QTRY_VERIFY_WITH_TIMEOUT(loggedIn.count() + failed.count() > 0, 20000);
    QVERIFY2(failed.isEmpty(), failed.isEmpty() ? "" : qPrintable(failed.first().first().toString()));

    // The shell finds the plug-in in its own folder, as the test binary's is the build's.
    m_window = std::make_unique<ShellMainWindow>(m_session.get());
    m_window->show();
    QString error;
    QVERIFY2(m_window->loadModule(&error), qPrintable(error));
}

void TestShellPermissions::cleanup()
{
    for (ShellPermissionsWindow* window : m_window->findChildren<ShellPermissionsWindow*>())
        window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestShellPermissions::cleanupTestCase()
{
    m_window.reset();
    m_session.reset();
    m_service.reset();
}

ShellPermissionsWindow* TestShellPermissions::openFromMenu()
{
    auto* action = m_window->findChild<QAction*>(QStringLiteral("action_permissions"));
    if (!action || !action->isEnabled() || action->text() != QStringLiteral("角色权限"))
        return nullptr;
    action->trigger();
    const QList<ShellPermissionsWindow*> windows = m_window->findChildren<ShellPermissionsWindow*>();
    if (windows.size() != 1 || !windows.first()->isVisible())
        return nullptr;
    return windows.first();
}

void TestShellPermissions::menuEntryShowsTheRoleAndTheJsonOfEveryChange()
{
    ShellPermissionsWindow* window = openFromMenu();
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("角色权限 - 经纪人"));
    QVERIFY(rightBox(window, kHouseOnOff)->isChecked());
    QVERIFY(rightBox(window, kNews)->isChecked());
    QVERIFY(!rightBox(window, kNewHouseOnOff)->isChecked());
    QVERIFY(itemsShown(window).isEmpty());

    click(rightBox(window, kNewHouseOnOff));
    QString text;
    QMap<int, QJsonObject> items = itemsShown(window, &text);
    QCOMPARE(items.size(), 14);
    QVERIFY2(!text.contains(QLatin1Char(' ')) && !text.contains(QLatin1Char('\n')), qPrintable(text));
    QCOMPARE(items.value(70).value(QStringLiteral("selected")), QJsonValue(true));
    // The role's other rights come back as the host handed them in.
    QCOMPARE(items.value(65).value(QStringLiteral("selected")), QJsonValue(true));
    QCOMPARE(items.value(65).value(QStringLiteral("range")).toInt(), 2);

    // The newest state replaces the previous one.
    click(rightBox(window, kNews));
    items = itemsShown(window);
    QCOMPARE(items.value(148).value(QStringLiteral("selected")), QJsonValue(false));
    QCOMPARE(items.value(70).value(QStringLiteral("selected")), QJsonValue(true));
    QVERIFY(window->findChild<QLabel*>(QStringLiteral("jsonCaptionLabel"))->text().contains(QStringLiteral("第 2 次")));

    // The menu entry again brings the same window forward, changes kept.
    QCOMPARE(openFromMenu(), window);
    QVERIFY(rightBox(window, kNewHouseOnOff)->isChecked());
}

void TestShellPermissions::restoreShowsTheRoleAgainOnTheSamePage()
{
    ShellPermissionsWindow* window = openFromMenu();
    QVERIFY(window);
    auto* stack = window->findChild<QStackedWidget*>(QStringLiteral("stackedWidget_permissions"));
    QPointer<QWidget> page = stack->currentWidget();
    QVERIFY(page);
    click(rightBox(window, kNewHouseOnOff));
    click(rightBox(window, kNews));
    QVERIFY(!itemsShown(window).isEmpty());

    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("pushButton_restore")), Qt::LeftButton);
    QCOMPARE(stack->count(), 1);
    QCOMPARE(stack->currentWidget(), page.data());
    QVERIFY(!rightBox(window, kNewHouseOnOff)->isChecked());
    QVERIFY(rightBox(window, kNews)->isChecked());
    QVERIFY(itemsShown(window).isEmpty());

    // The restored page still reports to the window.
    click(rightBox(window, kHouseOnOff));
    QCOMPARE(itemsShown(window).value(65).value(QStringLiteral("selected")), QJsonValue(false));
}

void TestShellPermissions::closingTheWindowTakesThePageWithIt()
{
    QPointer<ShellPermissionsWindow> first = openFromMenu();
    QVERIFY(first);
    QPointer<QWidget> firstPage =
        first->findChild<QStackedWidget*>(QStringLiteral("stackedWidget_permissions"))->currentWidget();
    QVERIFY(firstPage);
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first);
    QVERIFY(!firstPage);

    // A new window builds a page of its own, which reports to the new window.
    ShellPermissionsWindow* second = openFromMenu();
    QVERIFY(second);
    QVERIFY(!rightBox(second, kNewHouseOnOff)->isChecked());
    click(rightBox(second, kNewHouseOnOff));
    QCOMPARE(itemsShown(second).value(70).value(QStringLiteral("selected")), QJsonValue(true));
}

QTEST_MAIN(TestShellPermissions)
#include "tst_shellpermissions.moc"
