#include "support/ui/HostWindowFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/popups/CommonAddWidget.h"
#include "widgets/popups/PopupLauncher.h"
#include "widgets/popups/ScreenFit.h"
#include "widgets/web/CefWebWidget.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QRect screenRoom()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// A form that needs `height` pixels: a column of fixed rows.
QWidget* formOfHeight(int height)
{
    auto* form = new QWidget;
    auto* layout = new QVBoxLayout(form);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int done = 0; done < height; done += 50) {
        auto* row = new QWidget(form);
        row->setFixedHeight(50);
        layout->addWidget(row);
    }
    return form;
}

} // namespace

class TestScreenFit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void fit_data();
    void fit();
    void place_data();
    void place();
    void decorationOnlyForFramedWindows();

    void aPopupLargerThanTheScreenFitsAndItsFormScrolls();
    void changeSizeKeepsTheAskedSizeAsTheMost();
    void aPopupThatFitsKeepsItsSizeAndNeedsNoScrolling();
    void aWebDialogOpensWithinTheScreen();
};

void TestScreenFit::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
    QVERIFY(screenRoom().width() >= 400 && screenRoom().height() >= 300);
}

void TestScreenFit::cleanup()
{
    for (CommonAddWidget* frame : HostWindowFixture::openPopups())
        frame->closeWidget();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestScreenFit::fit_data()
{
    QTest::addColumn<QSize>("wanted");
    QTest::addColumn<QSize>("room");
    QTest::addColumn<QSize>("fitted");
    const QSize office(1366, 728);
    QTest::newRow("settings popup on an office laptop") << QSize(812, 712) << office << QSize(812, 712);
    QTest::newRow("news editor: too tall") << QSize(980, 950) << office << QSize(980, 728);
    QTest::newRow("picture page: too tall") << QSize(1200, 900) << office << QSize(1200, 728);
    QTest::newRow("custom app editor: too tall") << QSize(577, 762) << office << QSize(577, 728);
    QTest::newRow("too wide only") << QSize(1500, 600) << office << QSize(1366, 600);
    QTest::newRow("too large both ways") << QSize(1920, 1080) << office << QSize(1366, 728);
    QTest::newRow("exactly the room") << office << office << office;
    QTest::newRow("never grown") << QSize(240, 130) << QSize(1920, 1040) << QSize(240, 130);
    QTest::newRow("on a larger screen unchanged") << QSize(980, 950) << QSize(1920, 1040) << QSize(980, 950);
    QTest::newRow("no screen: as asked") << QSize(980, 950) << QSize() << QSize(980, 950);
}

void TestScreenFit::fit()
{
    QFETCH(QSize, wanted);
    QFETCH(QSize, room);
    QFETCH(QSize, fitted);
    QCOMPARE(ScreenFit::fit(wanted, room), fitted);
}

void TestScreenFit::place_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("centre");
    QTest::addColumn<QRect>("placed");
    // A task bar on the left: the room does not start at 0.
    QTest::newRow("centred where it fits") << QSize(200, 100) << QPoint(700, 400) << QRect(600, 350, 200, 100);
    QTest::newRow("over an owner near the right edge") << QSize(400, 200) << QPoint(1300, 400) << QRect(966, 300, 400, 200);
    QTest::newRow("over an owner near the bottom") << QSize(400, 300) << QPoint(700, 700) << QRect(500, 428, 400, 300);
    QTest::newRow("left of the room") << QSize(400, 300) << QPoint(0, 300) << QRect(40, 150, 400, 300);
    QTest::newRow("above the screen") << QSize(400, 300) << QPoint(600, -500) << QRect(400, 0, 400, 300);
    QTest::newRow("larger than the room keeps its top left inside")
        << QSize(1500, 800) << QPoint(700, 400) << QRect(40, 0, 1500, 800);
}

void TestScreenFit::place()
{
    QFETCH(QSize, size);
    QFETCH(QPoint, centre);
    QFETCH(QRect, placed);
    QCOMPARE(ScreenFit::place(size, centre, QRect(40, 0, 1326, 728)), placed);
}

void TestScreenFit::decorationOnlyForFramedWindows()
{
    QWidget frameless(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    QCOMPARE(ScreenFit::decoration(&frameless), QMargins());
    QWidget framed;
    const QMargins frame = ScreenFit::decoration(&framed);
    // A title bar at least, before the window system has told its frame.
    QVERIFY(frame.top() >= 20);

    // A framed window given more than the screen: it and its frame fit.
    framed.setMinimumSize(10, 10);
    ScreenFit::resizeWithin(&framed, screenRoom().size() + QSize(300, 300));
    ScreenFit::centreWithin(&framed);
    QVERIFY(screenRoom().contains(QRect(framed.pos(), framed.size().grownBy(frame))));
}

void TestScreenFit::aPopupLargerThanTheScreenFitsAndItsFormScrolls()
{
    HostWindowFixture host;
    const QRect room = screenRoom();
    QWidget* form = formOfHeight(room.height() + 400);
    CommonAddWidget* frame = PopupLauncher::open(QStringLiteral("添加自定义应用"), room.size() + QSize(200, 300), form);
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    QVERIFY2(room.contains(frame->geometry()), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(frame->x()).arg(frame->y())
                                                               .arg(frame->width()).arg(frame->height())));
    auto* scroll = frame->findChild<QScrollArea*>(QStringLiteral("contentScrollArea"));
    QVERIFY(scroll);
    QCOMPARE(scroll->widget(), form);
    QCOMPARE(frame->content(), form);
    // The form keeps its height and scrolls; nothing is squashed or cut off.
    QTRY_VERIFY(scroll->verticalScrollBar()->isVisible());
    QCOMPARE(form->height(), form->minimumSizeHint().height());
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
}

void TestScreenFit::changeSizeKeepsTheAskedSizeAsTheMost()
{
    HostWindowFixture host;
    const QRect room = screenRoom();
    CommonAddWidget* frame = PopupLauncher::open(QStringLiteral("设置"), QSize(300, 200), formOfHeight(100));
    frame->changeSize(QSize(room.width() + 100, 400));
    QCOMPARE(frame->maximumSize(), QSize(room.width() + 100, 400));
    QCOMPARE(frame->size(), QSize(room.width(), 400));
    QVERIFY(room.contains(frame->geometry()));
}

void TestScreenFit::aPopupThatFitsKeepsItsSizeAndNeedsNoScrolling()
{
    HostWindowFixture host(QSize(700, 500));
    CommonAddWidget* frame = PopupLauncher::open(QStringLiteral("添加职位标签"), QSize(240, 130), formOfHeight(50));
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    QCOMPARE(frame->size(), QSize(240, 130));
    // Centred over the host's window, as before.
    const QPoint centre = host.window()->mapToGlobal(host.window()->rect().center());
    QVERIFY((frame->geometry().center() - centre).manhattanLength() <= 2);
    auto* scroll = frame->findChild<QScrollArea*>(QStringLiteral("contentScrollArea"));
    QVERIFY(!scroll->verticalScrollBar()->isVisible());
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
}

void TestScreenFit::aWebDialogOpensWithinTheScreen()
{
    HostWindowFixture host;
    const QRect room = screenRoom();
    QPointer<CefWebWidget> dialog = new CefWebWidget(QStringLiteral("http://127.0.0.1:1/site/zixun_add.html"), host.window());
    dialog->resize(room.width() - 100, room.height() + 200);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QCOMPARE(dialog->width(), room.width() - 100);
    QVERIFY(dialog->height() < room.height());
    QVERIFY(room.contains(dialog->frameGeometry()));
    dialog->close();
    QTRY_VERIFY(dialog.isNull());

    // A size that fits is kept.
    dialog = new CefWebWidget(QStringLiteral("http://127.0.0.1:1/site/zixun_add.html"), host.window());
    dialog->resize(400, 300);
    dialog->show();
    QCOMPARE(dialog->size(), QSize(400, 300));
    dialog->close();
    QTRY_VERIFY(dialog.isNull());
}

QTEST_MAIN(TestScreenFit)
#include "tst_screenfit.moc"
