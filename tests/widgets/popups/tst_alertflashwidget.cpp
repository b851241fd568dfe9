#include "widgets/popups/AlertFlashWidget.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestAlertFlashWidget : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void withoutTimeStaysUntilClosed();
    void withTimeClosesItself_data();
    void withTimeClosesItself();
    void sitsBelowTopOfWindowAndFollowsText();
    void longTextWrapsInsideWindow();
    void successStyleReplacesAttentionStyle();

private:
    QWidget* m_over = nullptr;
};

void TestAlertFlashWidget::init()
{
    m_over = new QWidget;
    m_over->setGeometry(200, 150, 700, 500);
    m_over->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_over));
}

void TestAlertFlashWidget::cleanup()
{
    delete m_over;
    m_over = nullptr;
}

void TestAlertFlashWidget::withoutTimeStaysUntilClosed()
{
    QPointer<AlertFlashWidget> toast = new AlertFlashWidget(QStringLiteral("请先选择房源"), 0, m_over);
    QVERIFY(toast->testAttribute(Qt::WA_DeleteOnClose));
    toast->show();
    QVERIFY(!toast->findChild<QTimer*>(QStringLiteral("flashTimer")));
    // A timed toast shown beside it comes and goes; the untimed one stays.
    QPointer<AlertFlashWidget> timed = new AlertFlashWidget(QStringLiteral("已复制"), 100, m_over);
    timed->show();
    QTRY_VERIFY(timed.isNull());
    QVERIFY(toast);
    QVERIFY(toast->isVisible());

    auto* close = toast->findChild<QPushButton*>(QStringLiteral("closeButton"));
    QVERIFY(close);
    QVERIFY(close->isVisible());
    QCOMPARE(close->size(), QSize(20, 20));
    QCOMPARE(close->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(close->styleSheet().contains(QLatin1String("://res/icon_deleteTag.png")));
    // The close button sits inside the toast's coloured label, clear of the text.
    auto* label = toast->findChild<QLabel*>(QStringLiteral("flashLabel"));
    const QRect button(close->mapTo(label, QPoint(0, 0)), close->size());
    QVERIFY(label->rect().contains(button));
    QVERIFY(!label->contentsRect().intersects(button));

    QTest::mouseClick(close, Qt::LeftButton);
    QTRY_VERIFY(toast.isNull());
}

void TestAlertFlashWidget::withTimeClosesItself_data()
{
    QTest::addColumn<int>("msec");
    QTest::addColumn<int>("timerType");
    QTest::newRow("short, precise") << 150 << int(Qt::PreciseTimer);
    QTest::newRow("just below 2 s, precise") << 1999 << int(Qt::PreciseTimer);
    QTest::newRow("2 s, coarse") << 2000 << int(Qt::CoarseTimer);
}

void TestAlertFlashWidget::withTimeClosesItself()
{
    QFETCH(int, msec);
    QFETCH(int, timerType);

    QPointer<AlertFlashWidget> toast = new AlertFlashWidget(QStringLiteral("保存成功"), msec, m_over);
    QVERIFY(!toast->findChild<QPushButton*>(QStringLiteral("closeButton")));
    toast->show();
    auto* timer = toast->findChild<QTimer*>(QStringLiteral("flashTimer"));
    QVERIFY(timer);
    QVERIFY(timer->isActive());
    QVERIFY(timer->isSingleShot());
    QCOMPARE(timer->interval(), msec);
    QCOMPARE(int(timer->timerType()), timerType);
    QVERIFY(toast->isVisible());

    QTRY_VERIFY_WITH_TIMEOUT(toast.isNull(), msec + 3000);
}

void TestAlertFlashWidget::sitsBelowTopOfWindowAndFollowsText()
{
    QPointer<AlertFlashWidget> shortToast = new AlertFlashWidget(QStringLiteral("已删除"), 0, m_over);
    QPointer<AlertFlashWidget> longToast = new AlertFlashWidget(QStringLiteral("图片上传失败，请检查网络后重新保存"), 0, m_over);
    shortToast->show();
    longToast->show();

    const QRect window(m_over->mapToGlobal(QPoint(0, 0)), m_over->size());
    for (AlertFlashWidget* toast : {shortToast.data(), longToast.data()}) {
        auto* label = toast->findChild<QLabel*>(QStringLiteral("flashLabel"));
        const QRect shown(label->mapToGlobal(QPoint(0, 0)), label->size());
        QCOMPARE(shown.top(), window.top() + 30);
        QVERIFY(qAbs(shown.center().x() - window.center().x()) <= 1);
        QVERIFY(shown.width() > label->fontMetrics().horizontalAdvance(toast->text()));
        QVERIFY(!label->wordWrap());
    }
    QVERIFY(longToast->width() > shortToast->width());
    shortToast->close();
    longToast->close();
    QTRY_VERIFY(shortToast.isNull() && longToast.isNull());
}

void TestAlertFlashWidget::longTextWrapsInsideWindow()
{
    m_over->resize(320, 300);
    const QString text = QStringLiteral("房源的图片正在上传，上传完成之前请不要关闭窗口，否则本次填写的内容将不会保存");
    QPointer<AlertFlashWidget> toast = new AlertFlashWidget(text, 0, m_over);
    toast->show();
    auto* label = toast->findChild<QLabel*>(QStringLiteral("flashLabel"));
    QVERIFY(label->wordWrap());
    QVERIFY(toast->width() <= m_over->width());
    QVERIFY(label->height() > 44);
    QCOMPARE(toast->text(), text);
    toast->close();
    QTRY_VERIFY(toast.isNull());
}

void TestAlertFlashWidget::successStyleReplacesAttentionStyle()
{
    QPointer<AlertFlashWidget> plain = new AlertFlashWidget(QStringLiteral("请输入标题"), 0, m_over);
    const QString attention = plain->findChild<QLabel*>(QStringLiteral("flashLabel"))->styleSheet();
    QVERIFY(attention.contains(QLatin1String("border-radius: 5px")));
    QVERIFY(attention.contains(QLatin1String("rgb(236,205,193)")));
    QVERIFY(attention.contains(QLatin1String("rgb(186,122,128)")));
    plain->close();

    QPointer<AlertFlashWidget> success = AlertFlashWidget::showSuccess(QStringLiteral("保存成功"), 200, m_over);
    QVERIFY(success->isVisible());
    const QString style = success->findChild<QLabel*>(QStringLiteral("flashLabel"))->styleSheet();
    QVERIFY(style.contains(QLatin1String("rgb(124,237,154)")));
    QVERIFY(style.contains(QLatin1String("rgb(166,252,189)")));
    QVERIFY(style.contains(QLatin1String("rgb(0,112,12)")));
    QVERIFY(!style.contains(QLatin1String("rgb(236,205,193)")));
    QTRY_VERIFY(success.isNull());
    QTRY_VERIFY(plain.isNull());
}

QTEST_MAIN(TestAlertFlashWidget)
#include "tst_alertflashwidget.moc"
