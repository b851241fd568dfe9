// Mouse events travel through the window, which tracks held buttons, so drags can be replayed.
#define QTEST_QPA_MOUSE_HANDLING
#include "support/ui/AlertProbe.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/popups/AlertWidget.h"

#include "DataCenter.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class TestAlertWidget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void iconsAreCompiledIn_data();
    void iconsAreCompiledIn();
    void buttonModes_data();
    void buttonModes();
    void typesSetTitleAndIcon_data();
    void typesSetTitleAndIcon();
    void showReturnsBeforeDialogAndEachCallGetsItsOwn();
    void buttonClicks_data();
    void buttonClicks();
    void setSureButtonChangesTextAndStyle();
    void closeButtonAndEscapeCloseOnce_data();
    void closeButtonAndEscapeCloseOnce();
    void closingBeforeShownKeepsItHidden();
    void modalLoopRunsAndDeletesDialog();
    void draggingFollowsPointerPastStartDistance();
    void opensCentredOverNamedWindow();
};

void TestAlertWidget::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
}

void TestAlertWidget::cleanup()
{
    AlertProbe::closeAll();
    QCOMPARE(AlertProbe::visibleAlerts().size(), 0);
}

void TestAlertWidget::iconsAreCompiledIn_data()
{
    QTest::addColumn<QString>("path");
    for (const char* path : {":/res/icon_alert_warn.png", ":/res/icon_alert_error.png", ":/res/icon_alert_club.png",
                             ":/res/icon_close.png", ":/res/icon_main_window_close_pressed.png",
                             "://res/icon_deleteTag.png", "://res/max_show.png", ":/res/jqqd_univer.png"})
        QTest::newRow(path) << QString::fromLatin1(path);
}

void TestAlertWidget::iconsAreCompiledIn()
{
    QFETCH(QString, path);
    QVERIFY(!QPixmap(path).isNull());
}

void TestAlertWidget::buttonModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("know");
    QTest::addColumn<bool>("sureCancel");
    QTest::newRow("0 acknowledge only") << 0 << true << false;
    QTest::newRow("1 confirm and cancel") << 1 << false << true;
    QTest::newRow("2 all three") << 2 << true << true;
}

void TestAlertWidget::buttonModes()
{
    QFETCH(int, mode);
    QFETCH(bool, know);
    QFETCH(bool, sureCancel);

    auto* alert = new AlertWidget(nullptr);
    alert->showMessage(QStringLiteral("内容"), 2, mode);
    QCOMPARE(AlertProbe::waitForAlert(), alert);

    QCOMPARE(AlertProbe::hasButton(alert, QStringLiteral("knowButton")), know);
    QCOMPARE(AlertProbe::hasButton(alert, QStringLiteral("sureBtn")), sureCancel);
    QCOMPARE(AlertProbe::hasButton(alert, QStringLiteral("cancleBtn")), sureCancel);
    // Dropped buttons are gone, not merely hidden.
    QCOMPARE(alert->findChild<QPushButton*>(QStringLiteral("knowButton")) != nullptr, know);
    QCOMPARE(alert->findChild<QPushButton*>(QStringLiteral("sureBtn")) != nullptr, sureCancel);
    QCOMPARE(alert->findChild<QPushButton*>(QStringLiteral("cancleBtn")) != nullptr, sureCancel);
    if (know)
        QCOMPARE(alert->findChild<QPushButton*>(QStringLiteral("knowButton"))->text(), QStringLiteral("我知道了"));
    if (sureCancel) {
        QCOMPARE(alert->findChild<QPushButton*>(QStringLiteral("sureBtn"))->text(), QStringLiteral("确定"));
        QCOMPARE(alert->findChild<QPushButton*>(QStringLiteral("cancleBtn"))->text(), QStringLiteral("取消"));
    }
}

void TestAlertWidget::typesSetTitleAndIcon_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("icon");
    QTest::newRow("warning") << 0 << QStringLiteral("警告") << QStringLiteral("image: url(:/res/icon_alert_warn.png);");
    QTest::newRow("error") << 1 << QStringLiteral("错误") << QStringLiteral("image: url(:/res/icon_alert_error.png);");
    QTest::newRow("tip") << 2 << QStringLiteral("提示") << QStringLiteral("image: url(:/res/icon_alert_club.png);");
}

void TestAlertWidget::typesSetTitleAndIcon()
{
    QFETCH(int, type);
    QFETCH(QString, title);
    QFETCH(QString, icon);

    const QString text = QStringLiteral("房源编号<A&B>不存在 %1").arg(type);
    AlertWidget* alert = nullptr;
    switch (type) {
    case 0: alert = AlertWidget::showWarning(text, QStringLiteral("main")); break;
    case 1: alert = AlertWidget::showError(text, QStringLiteral("main")); break;
    default: alert = AlertWidget::showTip(text, QStringLiteral("main")); break;
    }
    QVERIFY(alert);
    QCOMPARE(alert->parent(), nullptr);
    QVERIFY(alert->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(alert->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(alert->windowFlags() & Qt::FramelessWindowHint);

    QCOMPARE(AlertProbe::waitForAlertContaining(text), alert);
    QCOMPARE(AlertProbe::titleText(alert), title);
    QCOMPARE(AlertProbe::contentText(alert), text);
    QCOMPARE(alert->findChild<QLabel*>(QStringLiteral("iconLabel"))->styleSheet(), icon);
    // The statics ask only for acknowledgement.
    QVERIFY(AlertProbe::hasButton(alert, QStringLiteral("knowButton")));
    QVERIFY(!AlertProbe::hasButton(alert, QStringLiteral("sureBtn")));
    QVERIFY(alert->isModal());
}

void TestAlertWidget::showReturnsBeforeDialogAndEachCallGetsItsOwn()
{
    QPointer<AlertWidget> first = AlertWidget::showWarning(QStringLiteral("第一条"), QStringLiteral("main"));
    // The caller gets control back before the dialog exists on screen, free to connect to it.
    QVERIFY(!first->isVisible());
    QPointer<AlertWidget> second = AlertWidget::showWarning(QStringLiteral("第二条"), QStringLiteral("main"));
    QVERIFY(!first->isVisible());
    QVERIFY(!second->isVisible());

    QTRY_COMPARE(AlertProbe::visibleAlerts().size(), 2);
    QVERIFY(first != second);
    QVERIFY(AlertProbe::visibleAlerts().contains(first.data()));
    QVERIFY(AlertProbe::visibleAlerts().contains(second.data()));

    // The later one opens on top; answering it leaves the earlier one.
    QVERIFY(AlertProbe::clickButton(second, QStringLiteral("knowButton")));
    QTRY_VERIFY(second.isNull());
    QCOMPARE(AlertProbe::visibleAlerts(), QList<AlertWidget*>{first.data()});
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("第一条"));
    QTRY_VERIFY(first.isNull());
}

void TestAlertWidget::buttonClicks_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("autoClose");
    QTest::addColumn<bool>("checked");
    QTest::newRow("acknowledge closes") << 0 << QStringLiteral("knowButton") << true << false;
    QTest::newRow("confirm closes") << 1 << QStringLiteral("sureBtn") << true << false;
    QTest::newRow("confirm stays open without autoClose") << 1 << QStringLiteral("sureBtn") << false << false;
    QTest::newRow("cancel closes, check box ticked") << 2 << QStringLiteral("cancleBtn") << true << true;
    QTest::newRow("acknowledge stays open, check box ticked") << 2 << QStringLiteral("knowButton") << false << true;
}

void TestAlertWidget::buttonClicks()
{
    QFETCH(int, mode);
    QFETCH(QString, button);
    QFETCH(bool, autoClose);
    QFETCH(bool, checked);

    QPointer<AlertWidget> alert = new AlertWidget(nullptr);
    QCOMPARE(alert->autoClose(), true);
    alert->setAutoClose(autoClose);
    if (checked)
        alert->setCheckText(QStringLiteral("不再提示"));
    QSignalSpy know(alert.data(), &AlertWidget::knowClick);
    QSignalSpy sure(alert.data(), &AlertWidget::sureClick);
    QSignalSpy cancle(alert.data(), &AlertWidget::cancleClick);
    QSignalSpy closed(alert.data(), &AlertWidget::hasClosed);
    alert->showMessage(QStringLiteral("确定要删除吗？"), 2, mode);
    QCOMPARE(AlertProbe::waitForAlert(), alert.data());

    if (checked) {
        auto* box = alert->findChild<QCheckBox*>(QStringLiteral("checkBox"));
        QVERIFY(box->isVisible());
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        QVERIFY(box->isChecked());
    }
    QVERIFY(AlertProbe::clickButton(alert, button));

    QSignalSpy& fired = button == QLatin1String("knowButton") ? know : button == QLatin1String("sureBtn") ? sure : cancle;
    QCOMPARE(fired.count(), 1);
    QCOMPARE(fired.at(0).at(0).toBool(), checked);
    QCOMPARE(know.count() + sure.count() + cancle.count(), 1);

    if (autoClose) {
        QCOMPARE(closed.count(), 1);
        QTRY_VERIFY(alert.isNull());
    } else {
        // A closing would be on its way by now (a deferred deletion).
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(alert);
        QVERIFY(alert->isVisible());
        QCOMPARE(closed.count(), 0);
        // Still answers a second click, and the caller can close it.
        QVERIFY(AlertProbe::clickButton(alert, button));
        QCOMPARE(fired.count(), 2);
        alert->closeWidget();
        QCOMPARE(closed.count(), 1);
        QCOMPARE(alert->result(), 1);
        QTRY_VERIFY(alert.isNull());
    }
}

void TestAlertWidget::setSureButtonChangesTextAndStyle()
{
    auto* alert = new AlertWidget(nullptr);
    const QString style = QStringLiteral("background-color: rgb(240,80,80);");
    alert->setSureButton(QStringLiteral("删除"), style);
    alert->showMessage(QStringLiteral("确定删除该条新闻吗？"), 0, 1);
    QCOMPARE(AlertProbe::waitForAlert(), alert);
    auto* sure = alert->findChild<QPushButton*>(QStringLiteral("sureBtn"));
    QCOMPARE(sure->text(), QStringLiteral("删除"));
    QCOMPARE(sure->styleSheet(), style);

    // An empty style sheet keeps the current one.
    alert->setSureButton(QStringLiteral("下架"), QString());
    QCOMPARE(sure->text(), QStringLiteral("下架"));
    QCOMPARE(sure->styleSheet(), style);
}

void TestAlertWidget::closeButtonAndEscapeCloseOnce_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("close button") << false;
    QTest::newRow("escape key") << true;
}

void TestAlertWidget::closeButtonAndEscapeCloseOnce()
{
    QFETCH(bool, escape);
    QPointer<AlertWidget> alert = AlertWidget::showError(QStringLiteral("网络错误"), QStringLiteral("main"));
    QSignalSpy closed(alert.data(), &AlertWidget::hasClosed);
    QSignalSpy know(alert.data(), &AlertWidget::knowClick);
    QVERIFY(AlertProbe::waitForAlert());
    if (escape)
        QTest::keyClick(alert.data(), Qt::Key_Escape);
    else
        QVERIFY(AlertProbe::clickButton(alert, QStringLiteral("closeButton")));
    QCOMPARE(closed.count(), 1);
    QCOMPARE(know.count(), 0);
    QVERIFY(!alert || !alert->isVisible());
    QTRY_VERIFY(alert.isNull());
    QCOMPARE(closed.count(), 1);
}

void TestAlertWidget::closingBeforeShownKeepsItHidden()
{
    QPointer<AlertWidget> alert = AlertWidget::showTip(QStringLiteral("保存成功"), QStringLiteral("main"));
    QSignalSpy closed(alert.data(), &AlertWidget::hasClosed);
    alert->closeWidget();
    QCOMPARE(closed.count(), 1);
    // Its deferred showing would have come before a later alert's.
    QVERIFY(AlertProbe::flushPending());
    QVERIFY(alert.isNull());
    QCOMPARE(AlertProbe::visibleAlerts().size(), 0);
}

void TestAlertWidget::modalLoopRunsAndDeletesDialog()
{
    AlertWidget::setModalLoopEnabled(true);
    QPointer<AlertWidget> alert = AlertWidget::showWarning(QStringLiteral("无权限"), QStringLiteral("main"));
    QSignalSpy know(alert.data(), &AlertWidget::knowClick);
    bool wasModal = false;
    bool clicked = false;
    // Runs inside the dialog's own exec() loop.
    QTimer::singleShot(300, this, [&] {
        AlertWidget* shown = AlertProbe::visibleAlerts().value(0);
        wasModal = shown && shown->isModal() && QApplication::activeModalWidget() == shown;
        clicked = AlertProbe::clickButton(shown, QStringLiteral("knowButton"));
    });
    QTRY_VERIFY(alert.isNull());
    AlertWidget::setModalLoopEnabled(false);
    QVERIFY(clicked);
    QVERIFY(wasModal);
    QCOMPARE(know.count(), 1);
}

void TestAlertWidget::draggingFollowsPointerPastStartDistance()
{
    auto* alert = AlertWidget::showTip(QStringLiteral("拖动"), QStringLiteral("main"));
    QVERIFY(AlertProbe::waitForAlert());
    alert->move(100, 100);
    const QPoint start = alert->pos();
    auto* title = alert->findChild<QLabel*>(QStringLiteral("titleLabel"));
    const QPoint grab = title->rect().center();

    QTest::mousePress(title, Qt::LeftButton, {}, grab);
    // A tremble below the start-drag distance leaves the dialog where it is.
    QTest::mouseMove(title, grab + QPoint(1, 0));
    QCOMPARE(alert->pos(), start);
    QTest::mouseMove(title, grab + QPoint(80, 40));
    QCOMPARE(alert->pos(), start + QPoint(80, 40));
    QTest::mouseRelease(title, Qt::LeftButton, {}, grab + QPoint(80, 40));
    const QPoint dropped = alert->pos();
    QTest::mouseMove(title, grab + QPoint(150, 150));
    QCOMPARE(alert->pos(), dropped);
}

void TestAlertWidget::opensCentredOverNamedWindow()
{
    QWidget main;
    main.setGeometry(300, 200, 900, 600);
    main.show();
    DataCenter::registerWindow(QStringLiteral("main"), &main);
    AlertWidget* alert = AlertWidget::showWarning(QStringLiteral("请选择城市"), QStringLiteral("main"));
    QCOMPARE(AlertProbe::waitForAlert(), alert);
    QCOMPARE(alert->parent(), nullptr);
    QVERIFY((alert->geometry().center() - main.geometry().center()).manhattanLength() <= 2);
    DataCenter::reset();
}

QTEST_MAIN(TestAlertWidget)
#include "tst_alertwidget.moc"
