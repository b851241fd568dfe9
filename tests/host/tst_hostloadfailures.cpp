#include "support/host/ShellDriver.h"
#include "support/service/FaultProxy.h"

#include "DataCenter.h"
#include "ShellMainWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

const QString kUnavailable = QStringLiteral("服务暂时不可用（500），请稍后重试");
// Reasons as patterns: a stopped service refuses the connection, or drops one kept alive from before.
const QString kStopped = QStringLiteral("无法连接到服务|网络连接中断");
// What the service answers, with HTTP 503, when its database is unavailable.
const QString kOutage = QStringLiteral("服务暂时不可用，请稍后重试");
QByteArray outageBody()
{
    return QJsonDocument(QJsonObject{{QStringLiteral("code"), 500}, {QStringLiteral("message"), kOutage},
                                     {QStringLiteral("data"), QJsonValue()}})
        .toJson(QJsonDocument::Compact);
}

QWidget* waitVisible(const QString& nameOrClass, QWidget* within = nullptr, int timeoutMs = 10000)
{
    return ShellDriver::waitFor([=] { return ShellDriver::findVisible(nameOrClass, within); }, timeoutMs);
}

QWidget* openSettings(ShellDriver& driver)
{
    ShellDriver::click(ShellDriver::button(QStringLiteral("设置"), driver.window()));
    return waitVisible(QStringLiteral("MircroWebSiteSetStackWidget"));
}

QWidget* openBasicPage(ShellDriver& driver)
{
    QWidget* stack = openSettings(driver);
    return stack ? waitVisible(QStringLiteral("MircroWebSiteSetWidget"), stack) : nullptr;
}

QWidget* openStylePage(ShellDriver& driver)
{
    QWidget* stack = openSettings(driver);
    if (!stack)
        return nullptr;
    ShellDriver::click(stack->findChild<QAbstractButton*>(QStringLiteral("styleButton")));
    return waitVisible(QStringLiteral("MircroWebsiteStyleSetWidget"), stack);
}

QWidget* openCompanyProfile(ShellDriver& driver)
{
    for (QWidget* item : ShellDriver::findAllVisible(QStringLiteral("ItemButtonWidget"), driver.window())) {
        auto* label = item->findChild<QLabel*>(QStringLiteral("tileTitle"));
        if (label && label->text() == QStringLiteral("公司介绍")) {
            ShellDriver::click(item);
            return waitVisible(QStringLiteral("CompanyProfileWidget"));
        }
    }
    return nullptr;
}

bool anyRadioChecked(QWidget* page)
{
    for (QRadioButton* radio : page->findChildren<QRadioButton*>()) {
        if (radio->isChecked())
            return true;
    }
    return false;
}

// A page that loads when it opens, as a user meets it.
struct LoadCase
{
    std::function<QWidget*(ShellDriver&)> open;
    QString failPath;
    // What the page shows once its data is in.
    std::function<bool(QWidget* page)> shown;
};

QHash<QString, LoadCase> loadCases()
{
    QHash<QString, LoadCase> cases;
    cases.insert(QStringLiteral("basic"), {openBasicPage, QStringLiteral("getmstoreconfig"), anyRadioChecked});
    cases.insert(QStringLiteral("style"), {openStylePage, QStringLiteral("getmstorestyleconfig"), [](QWidget* page) {
                                               return ShellDriver::findVisible(QStringLiteral("ItemButtonWidget"), page) != nullptr;
                                           }});
    cases.insert(QStringLiteral("profile"), {openCompanyProfile, QStringLiteral("companyinfo"), [](QWidget* page) {
                                                 auto* label = page->findChild<QLabel*>(QStringLiteral("descriptionLabel"));
                                                 return label && !label->text().isEmpty();
                                             }});
    return cases;
}

} // namespace

class TestHostLoadFailures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();

    void failedLoadSaysWhyAndRetryShowsTheData_data();
    void failedLoadSaysWhyAndRetryShowsTheData();
    void databaseOutageIsAFailureNotALostLogin();

private:
    std::unique_ptr<ShellDriver> m_driver;
};

void TestHostLoadFailures::initTestCase()
{
    m_driver = std::make_unique<ShellDriver>();
    QString error;
    QVERIFY2(m_driver->start(QStringLiteral("13800000000"), &error), qPrintable(error));
}

void TestHostLoadFailures::cleanup()
{
    m_driver->backToMainPage();
}

void TestHostLoadFailures::cleanupTestCase()
{
    m_driver.reset();
}

void TestHostLoadFailures::failedLoadSaysWhyAndRetryShowsTheData_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("stopped");
    QTest::addColumn<QString>("reason");
    QTest::newRow("basic settings answered 500") << QStringLiteral("basic") << false << kUnavailable;
    QTest::newRow("basic settings, service stopped") << QStringLiteral("basic") << true << kStopped;
    QTest::newRow("style answered 500") << QStringLiteral("style") << false << kUnavailable;
    QTest::newRow("company profile answered 500") << QStringLiteral("profile") << false << kUnavailable;
}

void TestHostLoadFailures::failedLoadSaysWhyAndRetryShowsTheData()
{
    QFETCH(QString, page);
    QFETCH(bool, stopped);
    QFETCH(QString, reason);
    const LoadCase c = loadCases().value(page);
    ShellDriver& driver = *m_driver;
    QStatusBar* status = driver.window()->statusBar();
    status->clearMessage();
    if (stopped)
        driver.proxy()->setDown(true);
    else
        driver.proxy()->failPath(c.failPath, 500);

    QWidget* shownPage = c.open(driver);
    QVERIFY(shownPage);
    QWidget* failed = waitVisible(QStringLiteral("LoadFailedView"), shownPage);
    QVERIFY(failed);
    const QRegularExpression said(QStringLiteral("^加载失败：(%1)$").arg(reason));
    const QString text = failed->findChild<QLabel*>(QStringLiteral("label_reason"))->text();
    QVERIFY2(said.match(text).hasMatch(), qPrintable(text));
    QVERIFY(!c.shown(shownPage));
    // The host's status bar gives the same words, not the network's own English.
    const QRegularExpression inStatus(QStringLiteral("^请求失败：(%1)  http").arg(reason));
    QVERIFY2(inStatus.match(status->currentMessage()).hasMatch(), qPrintable(status->currentMessage()));
    QVERIFY(!status->currentMessage().contains(QStringLiteral("server replied")));

    driver.proxy()->clearFaults();
    driver.proxy()->setDown(false);
    QVERIFY(ShellDriver::click(ShellDriver::button(QStringLiteral("重试"), failed)));
    QVERIFY(ShellDriver::waitFor([&c, shownPage]() -> QWidget* { return c.shown(shownPage) ? shownPage : nullptr; }, 10000));
    QVERIFY(!failed->isVisible());
}

void TestHostLoadFailures::databaseOutageIsAFailureNotALostLogin()
{
    ShellDriver& driver = *m_driver;
    // The host asks for a new login in a modal dialog: one showing up would be the fault.
    int loginDialogs = 0;
    QTimer loginWatch;
    connect(&loginWatch, &QTimer::timeout, this, [&loginDialogs] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(top);
            if (dialog && dialog->isVisible() && top->inherits("ShellLoginDialog")) {
                ++loginDialogs;
                dialog->reject();
            }
        }
    });
    loginWatch.start(20);
    QVERIFY(DataCenter::UserOnline);

    driver.proxy()->failPath(QStringLiteral("getmstoreconfig"), 503, outageBody());
    QWidget* page = openBasicPage(driver);
    QVERIFY(page);
    QWidget* failed = waitVisible(QStringLiteral("LoadFailedView"), page);
    QVERIFY(failed);
    QCOMPARE(failed->findChild<QLabel*>(QStringLiteral("label_reason"))->text(), QStringLiteral("加载失败：") + kOutage);

    driver.proxy()->clearFaults();
    QVERIFY(ShellDriver::click(ShellDriver::button(QStringLiteral("重试"), failed)));
    QVERIFY(ShellDriver::waitFor([page]() -> QWidget* { return anyRadioChecked(page) ? page : nullptr; }, 10000));

    // A save during the outage fails and says so; the form keeps what was typed.
    auto* day = page->findChild<QLineEdit*>(QStringLiteral("dayEdit"));
    QVERIFY(day);
    const QString before = day->text();
    const QString typed = before == QStringLiteral("21") ? QStringLiteral("22") : QStringLiteral("21");
    day->selectAll();
    ShellDriver::typeInto(day, typed);
    auto* apply = page->findChild<QAbstractButton*>(QStringLiteral("applyButton"));
    QVERIFY(apply);
    driver.proxy()->failPath(QStringLiteral("mtore/mstoreconfig"), 503, outageBody());
    driver.clearAlerts();
    QVERIFY(ShellDriver::click(apply));
    QVERIFY2(driver.waitForAlert(QStringLiteral("保存失败：") + kOutage, 15000), qPrintable(driver.alertTexts().join(QLatin1Char('|'))));
    QCOMPARE(day->text(), typed);

    // Back: the same login goes on working, without being asked again.
    driver.proxy()->clearFaults();
    driver.clearAlerts();
    QTRY_VERIFY(apply->isEnabled());
    QVERIFY(ShellDriver::click(apply));
    QVERIFY2(driver.waitForAlert(QStringLiteral("设置微官网设置成功！"), 15000), qPrintable(driver.alertTexts().join(QLatin1Char('|'))));
    QVERIFY(DataCenter::UserOnline);
    QCOMPARE(loginDialogs, 0);
}

QTEST_MAIN(TestHostLoadFailures)
#include "tst_hostloadfailures.moc"
