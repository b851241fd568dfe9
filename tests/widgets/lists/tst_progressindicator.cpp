#include "widgets/lists/QProgressIndicator.h"

#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Pixels the indicator paints by itself, without any background.
int paintedPixels(QWidget* widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            painted += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    return painted;
}

// Warnings Qt prints while a test shows widgets (a style sheet it had to guess at, for one).
QStringList g_warnings;
QtMessageHandler g_previousHandler = nullptr;

void recordWarning(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg || type == QtCriticalMsg)
        g_warnings.append(message);
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

} // namespace

class TestProgressIndicator : public QObject
{
    Q_OBJECT

private slots:
    void showOverCoversThePage_data();
    void showOverCoversThePage();
    void stopRemovesShadeAndIndicator();
    void closingTheIndicatorTakesTheShade();
    void tinyPageIsEnlarged_data();
    void tinyPageIsEnlarged();
    void coverFollowsThePage();
    void animation();
    void paintsOnlyWhatIsShown();
    void showingWarnsNothing_data();
    void showingWarnsNothing();
};

void TestProgressIndicator::showOverCoversThePage_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("shadeStyle");
    QTest::addColumn<QColor>("wordColor");
    QTest::addColumn<int>("shadedWhite");
    // 70 of 255 black over white leaves 185.
    QTest::newRow("dark") << true << QStringLiteral("删除中...")
                          << QStringLiteral("background-color:rgba(0,0,0,70);border:0px;") << QColor(Qt::white)
                          << 185;
    QTest::newRow("light") << false << QString() << QStringLiteral("background-color:rgba(0,0,0,0);border:0px;")
                           << QColor(120, 120, 120) << 255;
}

void TestProgressIndicator::showOverCoversThePage()
{
    QFETCH(bool, dark);
    QFETCH(QString, word);
    QFETCH(QString, shadeStyle);
    QFETCH(QColor, wordColor);
    QFETCH(int, shadedWhite);

    QWidget page;
    page.resize(600, 400);
    page.setAutoFillBackground(true);
    QPalette white = page.palette();
    white.setColor(QPalette::Window, Qt::white);
    page.setPalette(white);
    auto* button = new QPushButton(QStringLiteral("保存"), &page);
    page.show();

    QProgressIndicator* indicator = QProgressIndicator::showOver(&page, dark, word);
    QVERIFY(indicator);
    QCOMPARE(indicator->parentWidget(), &page);
    QCOMPARE(indicator->objectName(), QStringLiteral("QProgressIndicator"));
    QVERIFY(indicator->isVisible());
    QVERIFY(indicator->isAnimated());
    QCOMPARE(indicator->size(), QSize(300, 130));
    QCOMPARE(indicator->geometry().center(), page.rect().center());
    QCOMPARE(indicator->waitWord(), word);
    QCOMPARE(indicator->waitWordColor(), wordColor);
    QCOMPARE(indicator->focusPolicy(), Qt::NoFocus);

    QPushButton* shade = indicator->shade();
    QVERIFY(shade);
    QCOMPARE(shade->parentWidget(), &page);
    QVERIFY(shade->isVisible());
    QCOMPARE(shade->geometry(), page.rect());
    QCOMPARE(shade->styleSheet(), shadeStyle);
    QCOMPARE(shade->focusPolicy(), Qt::NoFocus);

    // The shade takes the clicks meant for the page; the indicator sits on top of it.
    QCOMPARE(page.childAt(button->geometry().center()), shade);
    QCOMPARE(page.childAt(page.rect().center()), indicator);

    const QImage shot = page.grab().toImage();
    const QPoint bare(page.width() - 5, page.height() - 5);
    QVERIFY(qAbs(qRed(shot.pixel(bare)) - shadedWhite) <= 2);
}

void TestProgressIndicator::stopRemovesShadeAndIndicator()
{
    QWidget page;
    page.resize(600, 400);
    page.show();
    QPointer<QProgressIndicator> indicator = QProgressIndicator::showOver(&page, true, QString());
    QPointer<QPushButton> shade = indicator->shade();
    QSignalSpy stopped(indicator.data(), &QProgressIndicator::stop);

    indicator->stopAnimation();
    QCOMPARE(stopped.count(), 1);
    QTRY_VERIFY(indicator.isNull());
    QTRY_VERIFY(shade.isNull());
    QVERIFY(page.findChildren<QWidget*>().isEmpty());
}

void TestProgressIndicator::closingTheIndicatorTakesTheShade()
{
    // Some pages close the indicator instead of stopping it; the shade must not keep blocking them.
    QWidget page;
    page.resize(600, 400);
    page.show();
    QPointer<QProgressIndicator> indicator = QProgressIndicator::showOver(&page, false, QString());
    QPointer<QPushButton> shade = indicator->shade();
    indicator->close();
    QTRY_VERIFY(indicator.isNull());
    QTRY_VERIFY(shade.isNull());

    // Deleted outright, the same.
    QProgressIndicator* second = QProgressIndicator::showOver(&page, false, QString());
    shade = second->shade();
    delete second;
    QTRY_VERIFY(shade.isNull());
}

void TestProgressIndicator::tinyPageIsEnlarged_data()
{
    QTest::addColumn<QSize>("before");
    QTest::addColumn<QSize>("after");
    QTest::newRow("default child size") << QSize(100, 30) << QSize(1000, 650);
    QTest::newRow("100 x 100") << QSize(100, 100) << QSize(1000, 650);
    QTest::newRow("wide enough") << QSize(101, 50) << QSize(101, 50);
    QTest::newRow("high enough") << QSize(50, 101) << QSize(50, 101);
    QTest::newRow("normal") << QSize(600, 400) << QSize(600, 400);
}

void TestProgressIndicator::tinyPageIsEnlarged()
{
    QFETCH(QSize, before);
    QFETCH(QSize, after);
    QWidget page;
    page.resize(before);
    QProgressIndicator* indicator = QProgressIndicator::showOver(&page, true, QString());
    QCOMPARE(page.size(), after);
    QCOMPARE(indicator->shade()->size(), after);
    QCOMPARE(indicator->geometry().center(), page.rect().center());
}

void TestProgressIndicator::coverFollowsThePage()
{
    // A page covered before its layout ran gets its real size afterwards.
    QWidget window;
    auto* page = new QWidget(&window);
    window.show();
    QProgressIndicator* indicator = QProgressIndicator::showOver(page, true, QString());
    QCOMPARE(page->size(), QSize(1000, 650));
    page->resize(500, 300);
    QCOMPARE(indicator->shade()->geometry(), QRect(0, 0, 500, 300));
    QCOMPARE(indicator->geometry().center(), page->rect().center());
}

void TestProgressIndicator::animation()
{
    QProgressIndicator indicator;
    QCOMPARE(indicator.sizeHint(), QSize(20, 20));
    QCOMPARE(indicator.animationDelay(), 40);
    QVERIFY(!indicator.isAnimated());
    QVERIFY(indicator.testAttribute(Qt::WA_DeleteOnClose));
    indicator.setAttribute(Qt::WA_DeleteOnClose, false); // it lives on the stack here

    indicator.startAnimation();
    QVERIFY(indicator.isAnimated());
    QTRY_VERIFY(indicator.angle() != 0);

    indicator.setAnimationDelay(10);
    QVERIFY(indicator.isAnimated());
    QCOMPARE(indicator.animationDelay(), 10);
    const int angle = indicator.angle();
    QTRY_VERIFY(indicator.angle() != angle);

    QSignalSpy stopped(&indicator, &QProgressIndicator::stop);
    indicator.stopAnimation();
    QCOMPARE(stopped.count(), 1);
    QVERIFY(!indicator.isAnimated());
    const int stoppedAngle = indicator.angle();
    // A running one beside it turns meanwhile; the stopped one does not.
    QProgressIndicator running;
    running.setAnimationDelay(10);
    running.startAnimation();
    const int startAngle = running.angle();
    QTRY_VERIFY(running.angle() != startAngle);
    QCOMPARE(indicator.angle(), stoppedAngle);

    indicator.startAnimation();
    QCOMPARE(indicator.angle(), 0);
    QVERIFY(indicator.isAnimated());
}

void TestProgressIndicator::paintsOnlyWhatIsShown()
{
    QProgressIndicator indicator;
    indicator.setAttribute(Qt::WA_DeleteOnClose, false);
    indicator.resize(300, 130);

    QCOMPARE(paintedPixels(&indicator), 0);
    indicator.startAnimation();
    const int spinning = paintedPixels(&indicator);
    QVERIFY(spinning > 0);

    indicator.stopAnimation();
    QCOMPARE(paintedPixels(&indicator), 0);
    indicator.setDisplayedWhenStopped(true);
    QCOMPARE(paintedPixels(&indicator), spinning);

    // The wait word is drawn too, even without the spinner.
    indicator.setDisplayedWhenStopped(false);
    indicator.setWaitWord(QStringLiteral("提交数据中"));
    QVERIFY(paintedPixels(&indicator) > 0);
}

void TestProgressIndicator::showingWarnsNothing_data()
{
    QTest::addColumn<bool>("dark");
    QTest::newRow("dark") << true;
    QTest::newRow("light") << false;
}

void TestProgressIndicator::showingWarnsNothing()
{
    QFETCH(bool, dark);

    QWidget page;
    page.resize(600, 400);
    page.show();
    g_warnings.clear();
    g_previousHandler = qInstallMessageHandler(recordWarning);
    QProgressIndicator* indicator = QProgressIndicator::showOver(&page, dark, QStringLiteral("加载中"));
    // Painting applies the shade's style sheet.
    page.grab();
    qInstallMessageHandler(g_previousHandler);
    QVERIFY(indicator);
    QVERIFY2(g_warnings.isEmpty(), qPrintable(g_warnings.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestProgressIndicator)
#include "tst_progressindicator.moc"
