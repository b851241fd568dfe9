#include "widgets/inputs/CustomComboBox.h"
#include "widgets/inputs/CustomComboBoxLineEdit.h"
#include "widgets/inputs/CustomLineEdit.h"
#include "widgets/inputs/OmitLabel.h"

#include <QAbstractItemView>
#include <QColor>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QPalette>
#include <QSignalSpy>
#include <QToolTip>
#include <QtTest>

namespace {

// Shows widget in an active window with the keyboard focus, as a user typing into it would have.
bool focusForTyping(QWidget* widget)
{
    widget->show();
    QApplication::setActiveWindow(widget->window());
    if (!QTest::qWaitForWindowActive(widget->window()))
        return false;
    widget->setFocus();
    return widget->hasFocus();
}

void sendPreedit(QWidget* widget, const QString& preedit)
{
    QInputMethodEvent event(preedit, {});
    QApplication::sendEvent(widget, &event);
}

void sendCommit(QWidget* widget, const QString& commit)
{
    QInputMethodEvent event;
    event.setCommitString(commit);
    QApplication::sendEvent(widget, &event);
}

// The pause is one second; a coarse timer may fire up to 5 % early.
constexpr int kPauseLowerBoundMs = 900;
constexpr int kPauseWaitMs = 3000;

} // namespace

class TestSmallInputs : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void lineEditReportsOnceAfterPause();
    void lineEditWaitsForComposition();
    void lineEditDropsCompositionOnFocusOut();
    void lineEditReportsEditingFinished();

    void omitLabelElides_data();
    void omitLabelElides();
    void omitLabelFollowsWidthAndMode();
    void omitLabelClick();
    void omitLabelCutsHugeTexts();

    void comboFillAndSelect();
    void comboRowsAre30PixelsHigh();
    void comboTextStyle();
    void comboClickOpensListAndReportsChoice();
};

void TestSmallInputs::cleanup()
{
    QToolTip::hideText();
}

void TestSmallInputs::lineEditReportsOnceAfterPause()
{
    CustomLineEdit edit;
    QVERIFY(focusForTyping(&edit));
    QSignalSpy value(&edit, &CustomLineEdit::valueChange);

    QTest::keyClicks(&edit, QStringLiteral("abc"));
    QElapsedTimer sinceLastKey;
    sinceLastKey.start();
    QCOMPARE(value.count(), 0);

    QVERIFY(value.wait(kPauseWaitMs));
    QVERIFY(sinceLastKey.elapsed() >= kPauseLowerBoundMs);
    QCOMPARE(value.count(), 1);
    QCOMPARE(value.at(0).at(0).toString(), QStringLiteral("abc"));
    // The timer stopped: no repeat while nothing changes.
    QVERIFY(!value.wait(1500));
    QCOMPARE(value.count(), 1);
}

void TestSmallInputs::lineEditWaitsForComposition()
{
    CustomLineEdit edit;
    QVERIFY(focusForTyping(&edit));
    QSignalSpy value(&edit, &CustomLineEdit::valueChange);

    QTest::keyClicks(&edit, QStringLiteral("s "));
    sendPreedit(&edit, QStringLiteral("fang"));
    QCOMPARE(edit.pendingComposition(), QStringLiteral("fang"));
    QVERIFY(!value.wait(2500));
    QCOMPARE(value.count(), 0);

    sendPreedit(&edit, QStringLiteral("fang yuan"));
    QVERIFY(!value.wait(1500));
    sendCommit(&edit, QStringLiteral("房源"));
    QCOMPARE(edit.pendingComposition(), QString());
    QVERIFY(value.wait(kPauseWaitMs));
    QCOMPARE(value.count(), 1);
    QCOMPARE(value.at(0).at(0).toString(), QStringLiteral("s 房源"));
}

void TestSmallInputs::lineEditDropsCompositionOnFocusOut()
{
    // An input method that drops its composition silently must not hold the report back for ever.
    QWidget window;
    auto* edit = new CustomLineEdit(&window);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    window.show();
    QVERIFY(focusForTyping(edit));
    QSignalSpy value(edit, &CustomLineEdit::valueChange);

    QTest::keyClicks(edit, QStringLiteral("ab"));
    sendPreedit(edit, QStringLiteral("zhong"));
    other->setFocus();
    QVERIFY(!edit->hasFocus());
    QVERIFY(value.wait(kPauseWaitMs));
    QCOMPARE(value.at(0).at(0).toString(), QStringLiteral("ab"));

    // Without the focus, input-method text is not taken.
    sendCommit(edit, QStringLiteral("中"));
    QCOMPARE(edit->text(), QStringLiteral("ab"));
}

void TestSmallInputs::lineEditReportsEditingFinished()
{
    CustomLineEdit edit;
    QVERIFY(focusForTyping(&edit));
    QSignalSpy finished(&edit, &CustomLineEdit::comTxtEdit);
    QTest::keyClicks(&edit, QStringLiteral("3f"));
    QTest::keyClick(&edit, Qt::Key_Return);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toString(), QStringLiteral("3f"));
}

void TestSmallInputs::omitLabelElides_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("elided");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("long") << QStringLiteral("阳光花园三期精装修南北通透三室两厅满五唯一") << true
                          << QStringLiteral("<p>阳光花园三期精装修南北通透三室两厅满五唯一</p>");
    QTest::newRow("short") << QStringLiteral("三房") << false << QStringLiteral("<p>三房</p>");
    QTest::newRow("markup shown as text") << QStringLiteral("A<b>B") << false
                                          << QStringLiteral("<p>A&lt;b&gt;B</p>");
}

void TestSmallInputs::omitLabelElides()
{
    QFETCH(QString, text);
    QFETCH(bool, elided);
    QFETCH(QString, toolTip);

    OmitLabel label;
    label.resize(120, 20);
    label.setText(text);
    label.show();
    QVERIFY(QTest::qWaitForWindowExposed(&label));

    QCOMPARE(label.fullText(), text);
    if (elided) {
        QVERIFY(label.text() != text);
        QVERIFY(label.text().endsWith(QChar(0x2026)));
        QVERIFY(label.fontMetrics().horizontalAdvance(label.text()) <= label.contentsRect().width());
    } else {
        QCOMPARE(label.text(), text);
    }

    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(&label, &enter);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), toolTip);
}

void TestSmallInputs::omitLabelFollowsWidthAndMode()
{
    const QString text = QStringLiteral("阳光花园三期精装修南北通透三室两厅");
    OmitLabel label;
    QCOMPARE(label.elideMode(), Qt::ElideRight);
    QCOMPARE(label.sizePolicy().horizontalPolicy(), QSizePolicy::Ignored);
    label.resize(100, 20);
    label.setText(text);
    label.show();
    QVERIFY(QTest::qWaitForWindowExposed(&label));
    QVERIFY(label.text().endsWith(QChar(0x2026)));

    label.setElideMode(Qt::ElideLeft);
    QVERIFY(label.text().startsWith(QChar(0x2026)));

    label.resize(label.fontMetrics().horizontalAdvance(text) + 10, 20);
    QCOMPARE(label.text(), text);
    label.resize(60, 20);
    QVERIFY(label.text().startsWith(QChar(0x2026)));
}

// A faulty service's megabyte of text is cut before layout, and still shown elided.
void TestSmallInputs::omitLabelCutsHugeTexts()
{
    OmitLabel label;
    label.resize(120, 20);
    label.setText(QString(1000000, QLatin1Char('x')));
    label.show();
    QVERIFY(QTest::qWaitForWindowExposed(&label));
    QCOMPARE(label.fullText().size(), OmitLabel::MaxTextLength);
    QVERIFY(label.text().endsWith(QChar(0x2026)));
}

void TestSmallInputs::omitLabelClick()
{
    OmitLabel label;
    label.setText(QStringLiteral("指定部门"));
    label.resize(100, 20);
    QSignalSpy click(&label, &OmitLabel::click);
    QTest::mouseClick(&label, Qt::LeftButton);
    QCOMPARE(click.count(), 1);
}

void TestSmallInputs::comboFillAndSelect()
{
    CustomComboBox combo;
    QCOMPARE(combo.focusPolicy(), Qt::StrongFocus);
    QCOMPARE(combo.cursor().shape(), Qt::PointingHandCursor);
    CustomComboBoxLineEdit* edit = combo.customLineEdit();
    QCOMPARE(combo.lineEdit(), edit);
    QVERIFY(edit->isReadOnly());
    QCOMPARE(edit->alignment(), Qt::AlignCenter);

    const QStringList ranges = {QStringLiteral("全公司"), QStringLiteral("所在部门及下级部门"),
                                QStringLiteral("仅所在部门"), QStringLiteral("指定部门")};
    combo.setTextList(ranges);
    QCOMPARE(combo.count(), 4);
    QCOMPARE(combo.currentIndex(), 0);
    QCOMPARE(edit->text(), QStringLiteral("全公司"));

    QCOMPARE(combo.setCurrentItemText(QStringLiteral("指定部门")), 3);
    QCOMPARE(combo.currentIndex(), 3);
    QCOMPARE(edit->text(), QStringLiteral("指定部门"));

    QCOMPARE(combo.setCurrentItemText(QStringLiteral("仅自己")), -1);
    QCOMPARE(combo.currentIndex(), -1);
    QCOMPARE(edit->text(), QString());

    // Filling again replaces the entries instead of adding to them.
    combo.setTextList({QStringLiteral("操作"), QStringLiteral("置顶")});
    QCOMPARE(combo.count(), 2);
    QCOMPARE(combo.currentText(), QStringLiteral("操作"));
}

void TestSmallInputs::comboRowsAre30PixelsHigh()
{
    CustomComboBox combo;
    combo.setTextList({QStringLiteral("全公司"), QStringLiteral("仅自己")});
    combo.addItem(QStringLiteral("指定部门"));
    combo.insertItem(0, QStringLiteral("默认范围"));
    // As the user sees them: in the open list.
    combo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&combo));
    combo.showPopup();
    for (int row = 0; row < combo.count(); ++row)
        QCOMPARE(combo.view()->sizeHintForRow(row), 30);
    combo.hidePopup();
}

void TestSmallInputs::comboTextStyle()
{
    CustomComboBox combo;
    QFont font = combo.font();
    font.setPixelSize(14);
    combo.setFont(font);
    const CustomComboBoxLineEdit* edit = combo.customLineEdit();
    QCOMPARE(QFontInfo(edit->font()).pixelSize(), 14);
    QCOMPARE(edit->font().family(), QStringLiteral("微软雅黑"));
    QCOMPARE(edit->palette().color(QPalette::Text), QColor(40, 40, 40));
    QVERIFY(!edit->hasFrame());
}

void TestSmallInputs::comboClickOpensListAndReportsChoice()
{
    CustomComboBox combo;
    combo.setTextList({QStringLiteral("操作"), QStringLiteral("置顶"), QStringLiteral("上移")});
    combo.resize(160, 30);
    combo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&combo));
    QSignalSpy tap(combo.customLineEdit(), &CustomComboBoxLineEdit::tapClick);
    QSignalSpy click(&combo, &CustomComboBox::clickItem);

    // A click on the read-only text opens the list.
    QTest::mouseClick(combo.customLineEdit(), Qt::LeftButton);
    QCOMPARE(tap.count(), 1);
    QAbstractItemView* view = combo.view();
    QTRY_VERIFY(view->isVisible());

    const QRect row = view->visualRect(combo.model()->index(2, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row.center());
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(click.count(), 1);
    QCOMPARE(combo.currentText(), QStringLiteral("上移"));

    // Choosing the entry already shown is a choice too.
    QTest::mouseClick(combo.customLineEdit(), Qt::LeftButton);
    QTRY_VERIFY(view->isVisible());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(combo.model()->index(2, 0)).center());
    QTRY_COMPARE(click.count(), 2);
}

QTEST_MAIN(TestSmallInputs)
#include "tst_smallinputs.moc"
