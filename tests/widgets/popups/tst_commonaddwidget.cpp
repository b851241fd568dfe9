// Mouse events travel through the window, which tracks held buttons, so drags can be replayed.
#define QTEST_QPA_MOUSE_HANDLING
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/popups/CommonAddWidget.h"

#include "DataCenter.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString kMain = QStringLiteral("main");

QList<QPushButton*> shadesOn(const QWidget* window)
{
    QList<QPushButton*> shades;
    const auto buttons = window->findChildren<QPushButton*>(QStringLiteral("CommonAddWidgetShade"), Qt::FindDirectChildrenOnly);
    for (QPushButton* b : buttons) {
        if (!b->isHidden())
            shades.append(b);
    }
    return shades;
}

// No shade left at all, not even a hidden one waiting for deletion.
bool noShadeObjectsOn(const QWidget* window)
{
    return window->findChildren<QPushButton*>(QStringLiteral("CommonAddWidgetShade")).isEmpty();
}

} // namespace

class TestCommonAddWidget : public QObject
{
    Q_OBJECT
private slots:
    // The office screen: the host window of these tests fits on it, so frames centre over it.
    void initTestCase() { ModuleTestEnvironment::prepareWidgetTests(); }
    void init();
    void cleanup();

    void typicalUseShadesRegistersAndCentres();
    void shadeClickModes_data();
    void shadeClickModes();
    void nullTitleLaysNoShade();
    void shadeTargets();
    void withoutRegisteredWindowsShadesMainWindow();
    void closingAfterContentWasDestroyed();
    void dragByTitleBarThenCloseRemovesShades();
    void destroyedWithParentLeavesNoShade();
    void comboBoxEntriesEmitBoxClick();
    void changeSizeAndMaximise();

private:
    CommonAddWidget* openFrame(int shadeClick, QWidget* shadeOver = nullptr, QWidget** formOut = nullptr);

    QWidget* m_main = nullptr;
    QWidget* m_tabs = nullptr;
};

void TestCommonAddWidget::init()
{
    DataCenter::reset();
    m_main = new QWidget;
    m_main->setObjectName(QStringLiteral("mainWindow"));
    m_main->setGeometry(100, 80, 1000, 700);
    m_tabs = new QWidget(m_main);
    m_tabs->setGeometry(0, 40, 1000, 660);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main));
    DataCenter::MainWindowWidget = m_main;
    DataCenter::registerWindow(kMain, m_main);
}

void TestCommonAddWidget::cleanup()
{
    delete m_main;
    m_main = nullptr;
    m_tabs = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    DataCenter::reset();
}

CommonAddWidget* TestCommonAddWidget::openFrame(int shadeClick, QWidget* shadeOver, QWidget** formOut)
{
    auto* frame = new CommonAddWidget(m_tabs, kMain, true);
    frame->resize(520, 420);
    frame->setTitle(QStringLiteral("新增新闻"), shadeOver, QColor(0, 0, 0, 30), shadeClick, true);
    auto* form = new QWidget;
    form->setObjectName(QStringLiteral("form"));
    frame->setContent(form);
    frame->show();
    if (formOut)
        *formOut = form;
    return frame;
}

void TestCommonAddWidget::typicalUseShadesRegistersAndCentres()
{
    QWidget* form = nullptr;
    QPointer<CommonAddWidget> frame = openFrame(1, nullptr, &form);

    QVERIFY(frame->isWindow());
    QVERIFY(frame->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(frame->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(frame->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(frame->findChild<QLabel*>(QStringLiteral("titleLabel"))->text(), QStringLiteral("新增新闻"));
    QCOMPARE(frame->content(), form);
    QVERIFY(frame->isAncestorOf(form));
    QVERIFY(form->isVisible());

    // With only the main window registered, both shades fall on it.
    const auto shades = shadesOn(m_main);
    QCOMPARE(shades.size(), 2);
    for (QPushButton* shade : shades) {
        QCOMPARE(shade->geometry(), m_main->rect());
        QCOMPARE(shade->styleSheet(), QStringLiteral("background-color:rgba(0,0,0,0.1176);border:0px;"));
        QVERIFY(shade->isVisible());
    }
    QCOMPARE(DataCenter::getWindowsFromName(kMain), (QList<QWidget*>{m_main, frame.data()}));

    const QPoint mainCentre = m_main->mapToGlobal(m_main->rect().center());
    QVERIFY((frame->geometry().center() - mainCentre).manhattanLength() <= 2);

    // The shades keep covering the window when it grows.
    m_main->resize(1100, 760);
    for (QPushButton* shade : shadesOn(m_main))
        QCOMPARE(shade->geometry(), m_main->rect());

    frame->closeWidget();
    QTRY_VERIFY(frame.isNull());
    QTRY_VERIFY(noShadeObjectsOn(m_main));
    QCOMPARE(DataCenter::getWindowsFromName(kMain), QList<QWidget*>{m_main});
}

void TestCommonAddWidget::shadeClickModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("closes");
    QTest::newRow("0 closes") << 0 << true;
    QTest::newRow("1 only blocks") << 1 << false;
    QTest::newRow("other values connect nothing") << 7 << false;
}

void TestCommonAddWidget::shadeClickModes()
{
    QFETCH(int, mode);
    QFETCH(bool, closes);

    QPointer<CommonAddWidget> frame = openFrame(mode);
    QSignalSpy hasClose(frame.data(), &CommonAddWidget::hasClose);
    QSignalSpy closeExe(frame.data(), &CommonAddWidget::closeExe);
    const auto shades = shadesOn(m_main);
    QCOMPARE(shades.size(), 2);

    // A click on the main window lands on the topmost shade.
    QTest::mouseClick(m_main, Qt::LeftButton, {}, QPoint(30, 30));

    if (closes) {
        QCOMPARE(hasClose.count(), 1);
        QTRY_VERIFY(frame.isNull());
        QTRY_VERIFY(noShadeObjectsOn(m_main));
        QCOMPARE(DataCenter::getWindowsFromName(kMain), QList<QWidget*>{m_main});
    } else {
        // A closing would be on its way by now (a deferred deletion).
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(frame);
        QVERIFY(frame->isVisible());
        QCOMPARE(hasClose.count(), 0);
        QCOMPARE(shadesOn(m_main).size(), 2);
        frame->closeWidget();
        QTRY_VERIFY(frame.isNull());
    }
    QCOMPARE(hasClose.count(), 1);
    // closeExe stands for the title bar's close button only.
    QCOMPARE(closeExe.count(), 0);
}

void TestCommonAddWidget::nullTitleLaysNoShade()
{
    QPointer<CommonAddWidget> frame = new CommonAddWidget(m_tabs, kMain, true);
    auto* title = frame->findChild<QLabel*>(QStringLiteral("titleLabel"));
    const QString before = title->text();
    frame->setTitle(QStringLiteral("null"), nullptr, QColor(255, 0, 0, 100), 0, true);
    QCOMPARE(title->text(), before);
    QCOMPARE(frame->shadeColor(), QColor(0, 0, 0, 30));
    QVERIFY(noShadeObjectsOn(m_main));

    // A frame built without shading lays none for a real title either.
    QPointer<CommonAddWidget> plain = new CommonAddWidget(m_tabs, kMain, false);
    plain->setTitle(QStringLiteral("设置"), nullptr, QColor(0, 0, 0, 30), 1, true);
    QCOMPARE(plain->findChild<QLabel*>(QStringLiteral("titleLabel"))->text(), QStringLiteral("设置"));
    QVERIFY(noShadeObjectsOn(m_main));

    frame->closeWidget();
    plain->closeWidget();
    QTRY_VERIFY(frame.isNull() && plain.isNull());
}

void TestCommonAddWidget::shadeTargets()
{
    // An explicit target takes the second shade.
    auto* panel = new QWidget(m_main);
    panel->setGeometry(10, 10, 300, 200);
    panel->show();
    QPointer<CommonAddWidget> first = openFrame(1, panel);
    QCOMPARE(shadesOn(m_main).size(), 1);
    QCOMPARE(shadesOn(panel).size(), 1);
    QCOMPARE(shadesOn(panel).first()->geometry(), panel->rect());

    // A frame opened from a frame shades the main window and the frame below it.
    QPointer<CommonAddWidget> second = openFrame(1);
    QCOMPARE(shadesOn(m_main).size(), 2);
    QCOMPARE(shadesOn(first).size(), 1);
    QCOMPARE(shadesOn(first).first()->geometry(), first->rect());
    QVERIFY(noShadeObjectsOn(second));
    QCOMPARE(DataCenter::getWindowsFromName(kMain), (QList<QWidget*>{m_main, first.data(), second.data()}));

    // Closing the upper frame takes only its own shades.
    QTest::mouseClick(second->findChild<QPushButton*>(QStringLiteral("closeButton")), Qt::LeftButton);
    QTRY_VERIFY(second.isNull());
    QTRY_VERIFY(noShadeObjectsOn(first));
    QTRY_COMPARE(m_main->findChildren<QPushButton*>(QStringLiteral("CommonAddWidgetShade"), Qt::FindDirectChildrenOnly).size(), 1);
    QCOMPARE(shadesOn(panel).size(), 1);
    QCOMPARE(DataCenter::getWindowsFromName(kMain), (QList<QWidget*>{m_main, first.data()}));

    first->closeWidget();
    QTRY_VERIFY(first.isNull());
    QTRY_VERIFY(noShadeObjectsOn(m_main));
}

void TestCommonAddWidget::withoutRegisteredWindowsShadesMainWindow()
{
    DataCenter::unregisterWindow(m_main);
    QVERIFY(DataCenter::cp_active_windows.isEmpty());
    QPointer<CommonAddWidget> frame = openFrame(1);
    QCOMPARE(shadesOn(m_main).size(), 2);
    frame->closeWidget();
    QTRY_VERIFY(frame.isNull());
    QTRY_VERIFY(noShadeObjectsOn(m_main));

    // Neither a registered window nor a main window: nothing to shade, nothing breaks.
    DataCenter::MainWindowWidget = nullptr;
    QPointer<CommonAddWidget> lone = openFrame(0);
    QVERIFY(noShadeObjectsOn(m_main));
    QVERIFY(lone->isVisible());
    lone->closeWidget();
    QTRY_VERIFY(lone.isNull());
}

void TestCommonAddWidget::closingAfterContentWasDestroyed()
{
    QWidget* form = nullptr;
    QPointer<CommonAddWidget> frame = openFrame(1, nullptr, &form);
    QSignalSpy hasClose(frame.data(), &CommonAddWidget::hasClose);
    QSignalSpy closeExe(frame.data(), &CommonAddWidget::closeExe);

    delete form;
    QCOMPARE(frame->content(), nullptr);
    QVERIFY(frame->isVisible());

    QTest::mouseClick(frame->findChild<QPushButton*>(QStringLiteral("closeButton")), Qt::LeftButton);
    QCOMPARE(closeExe.count(), 1);
    QCOMPARE(hasClose.count(), 1);
    QTRY_VERIFY(frame.isNull());
    QTRY_VERIFY(noShadeObjectsOn(m_main));
    QCOMPARE(DataCenter::getWindowsFromName(kMain), QList<QWidget*>{m_main});
}

void TestCommonAddWidget::dragByTitleBarThenCloseRemovesShades()
{
    QPointer<CommonAddWidget> frame = openFrame(1);
    frame->move(300, 200);
    auto* titleBar = frame->findChild<QWidget*>(QStringLiteral("titleWidget"));
    auto* form = frame->content();

    // A press in the form below the title bar does not grab the frame.
    QTest::mousePress(form, Qt::LeftButton, {}, QPoint(60, 60));
    QTest::mouseMove(form, QPoint(160, 120));
    QTest::mouseRelease(form, Qt::LeftButton, {}, QPoint(160, 120));
    QCOMPARE(frame->pos(), QPoint(300, 200));

    const QPoint grab(120, 20);
    QTest::mousePress(titleBar, Qt::LeftButton, {}, grab);
    QCOMPARE(frame->cursor().shape(), Qt::ClosedHandCursor);
    QTest::mouseMove(titleBar, grab + QPoint(1, 1));
    QCOMPARE(frame->pos(), QPoint(300, 200));
    QTest::mouseMove(titleBar, grab + QPoint(-150, 90));
    QCOMPARE(frame->pos(), QPoint(150, 290));
    QTest::mouseRelease(titleBar, Qt::LeftButton, {}, grab);
    QCOMPARE(frame->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(frame->pos(), QPoint(150, 290));

    QCOMPARE(shadesOn(m_main).size(), 2);
    QTest::mouseClick(frame->findChild<QPushButton*>(QStringLiteral("closeButton")), Qt::LeftButton);
    QTRY_VERIFY(frame.isNull());
    QTRY_VERIFY(noShadeObjectsOn(m_main));
}

void TestCommonAddWidget::destroyedWithParentLeavesNoShade()
{
    QPointer<CommonAddWidget> frame = openFrame(1);
    QCOMPARE(shadesOn(m_main).size(), 2);
    delete m_tabs;
    m_tabs = nullptr;
    QVERIFY(frame.isNull());
    QCOMPARE(DataCenter::getWindowsFromName(kMain), QList<QWidget*>{m_main});
    QTRY_VERIFY(noShadeObjectsOn(m_main));
}

void TestCommonAddWidget::comboBoxEntriesEmitBoxClick()
{
    QPointer<CommonAddWidget> frame = openFrame(1);
    auto* combo = frame->findChild<QComboBox*>(QStringLiteral("boxComboBox"));
    QVERIFY(!combo->isVisible());

    const QList<QVariantMap> items{{{QStringLiteral("id"), 1}, {QStringLiteral("title"), QStringLiteral("出售")}},
                                   {{QStringLiteral("id"), 2}, {QStringLiteral("title"), QStringLiteral("出租")}}};
    frame->setBoxItems(items);
    QVERIFY(combo->isVisible());
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(1), QStringLiteral("出租"));

    QSignalSpy box(frame.data(), &CommonAddWidget::boxClick);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(box.count(), 1);
    QCOMPARE(box.at(0).at(0).toMap(), items.at(1));

    frame->dealComboboxClick(2);
    frame->dealComboboxClick(-1);
    QCOMPARE(box.count(), 1);
    frame->closeWidget();
    QTRY_VERIFY(frame.isNull());
}

void TestCommonAddWidget::changeSizeAndMaximise()
{
    QPointer<CommonAddWidget> frame = openFrame(1);
    frame->move(0, 0);
    frame->changeSize(QSize(600, 500));
    QCOMPARE(frame->size(), QSize(600, 500));
    QCOMPARE(frame->maximumSize(), QSize(600, 500));
    const QPoint mainCentre = m_main->mapToGlobal(m_main->rect().center());
    QVERIFY((frame->geometry().center() - mainCentre).manhattanLength() <= 2);

    auto* maxButton = frame->findChild<QPushButton*>(QStringLiteral("maxButton"));
    QVERIFY(!maxButton->isVisible());
    frame->setMaximizable(true);
    QVERIFY(maxButton->isVisible());
    const QRect normal = frame->geometry();
    QTest::mouseClick(maxButton, Qt::LeftButton);
    // The window reaches below the task bar: the frame fills only the part on the screen.
    QCOMPARE(frame->geometry(), QRect(m_main->mapToGlobal(QPoint(0, 0)), m_main->size())
                                    .intersected(QGuiApplication::primaryScreen()->availableGeometry()));
    QVERIFY(frame->geometry().bottom() < m_main->geometry().bottom());
    QTest::mouseClick(maxButton, Qt::LeftButton);
    QCOMPARE(frame->geometry(), normal);
    QCOMPARE(frame->maximumSize(), QSize(600, 500));

    frame->closeWidget();
    QTRY_VERIFY(frame.isNull());
}

QTEST_MAIN(TestCommonAddWidget)
#include "tst_commonaddwidget.moc"
