#include "widgets/lists/CustomListWidget.h"
#include "widgets/lists/QProgressIndicator.h"
#include "widgets/lists/ScrollListWidget.h"

#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QtTest>
#include <QVBoxLayout>

namespace {

QWidget* makeRow(int minimumHeight)
{
    auto* row = new QWidget;
    row->setMinimumHeight(minimumHeight);
    return row;
}

// Shows the list at 300 x 200 with twenty rows of 40 px, far more than fit; returns its scroll bar.
QScrollBar* overfill(CustomListWidget& list)
{
    list.resize(300, 200);
    list.show();
    for (int i = 0; i < 20; ++i)
        list.addItemWidget(makeRow(40));
    return list.listWidget()->verticalScrollBar();
}

QString currentPageName(const QWidget* container)
{
    const auto* stack = container->findChild<QStackedWidget*>(QStringLiteral("stackedWidget"));
    return stack && stack->currentWidget() ? stack->currentWidget()->objectName() : QString();
}

} // namespace

class TestCustomListWidget : public QObject
{
    Q_OBJECT

private slots:
    void switchesPages();
    void rowsTakeTheirWidgetsHeight();
    void scrollToTopIsReportedOnce();
    void scrollBarChangeFollowsOverflow();
    void reachingTheBottomAsksForMore();
    void scrollListLoadMoreButton();
};

void TestCustomListWidget::switchesPages()
{
    CustomListWidget list;
    list.resize(300, 200);
    list.show();
    QCOMPARE(currentPageName(&list), QStringLiteral("page_list"));
    QCOMPARE(list.focusPolicy(), Qt::NoFocus);

    auto* spinner = list.findChild<QProgressIndicator*>();
    QVERIFY(spinner);
    list.showWaitPage();
    QCOMPARE(currentPageName(&list), QStringLiteral("page_wait"));
    QVERIFY(spinner->isAnimated());

    list.showNoDataPage();
    QCOMPARE(currentPageName(&list), QStringLiteral("page_noData"));
    QVERIFY(!spinner->isAnimated());
    auto* noData = list.findChild<QLabel*>(QStringLiteral("label_noData"));
    QVERIFY(noData && noData->isVisible());
    QCOMPARE(noData->text(), QStringLiteral("暂无数据"));

    // A filled list must be seen even after a clear switched to "暂无数据".
    list.addItemWidget(makeRow(40));
    QCOMPARE(currentPageName(&list), QStringLiteral("page_list"));
    QCOMPARE(list.count(), 1);

    list.clearItems();
    QCOMPARE(list.count(), 0);
    QCOMPARE(currentPageName(&list), QStringLiteral("page_noData"));

    // Replacing rows: the new ones made on the rows' parent, the old ones gone once the event
    // loop has run; none left is "暂无数据".
    QPointer<QWidget> old = makeRow(40);
    list.replaceItems({old});
    list.replaceItems({makeRow(30), makeRow(50)});
    QCOMPARE(list.count(), 2);
    QCOMPARE(currentPageName(&list), QStringLiteral("page_list"));
    QTRY_VERIFY(old.isNull());
    auto* made = new QWidget(list.rowParent());
    made->setMinimumHeight(20);
    list.replaceItems({made});
    QCOMPARE(list.listWidget()->itemWidget(list.listWidget()->item(0)), made);
    QVERIFY(made->isVisible());
    list.replaceItems({});
    QCOMPARE(list.count(), 0);
    QCOMPARE(currentPageName(&list), QStringLiteral("page_noData"));
}

void TestCustomListWidget::rowsTakeTheirWidgetsHeight()
{
    CustomListWidget list;
    list.resize(300, 400);
    list.show();

    QWidget* fixedRow = makeRow(55);
    list.addItemWidget(fixedRow);
    QCOMPARE(list.listWidget()->item(0)->sizeHint().height(), 55);

    // A row widget without a minimum height must not collapse to an invisible row.
    auto* labelRow = new QWidget;
    auto* layout = new QVBoxLayout(labelRow);
    layout->addWidget(new QLabel(QStringLiteral("【买房】张先生：13800000000（2024-01-01）")));
    list.addItemWidget(labelRow);
    QVERIFY(list.listWidget()->item(1)->sizeHint().height() > 0);

    // A row widget that grows takes its row with it.
    fixedRow->setMinimumHeight(90);
    QTRY_COMPARE(list.listWidget()->item(0)->sizeHint().height(), 90);
    QTRY_COMPARE(fixedRow->height(), 90);
    QVERIFY(fixedRow->width() > 200); // rows span the list

    // A word-wrapped text row grows as the list narrows, and shrinks back.
    auto* wrapped = new QLabel(QStringLiteral("【买房】李女士：13900000000（2024-03-08）希望购买学区房，预算三百万以内，"
                                              "南北通透，近地铁，楼层不限。"));
    wrapped->setWordWrap(true);
    list.addItemWidget(wrapped);
    QListWidgetItem* wrappedItem = list.listWidget()->item(2);
    QTRY_COMPARE(wrapped->width(), list.listWidget()->viewport()->width());
    QTRY_COMPARE(wrappedItem->sizeHint().height(), wrapped->heightForWidth(wrapped->width()));
    const int wideHeight = wrappedItem->sizeHint().height();
    list.resize(120, 400);
    QTRY_VERIFY(wrappedItem->sizeHint().height() > wideHeight);
    QTRY_COMPARE(wrapped->height(), wrappedItem->sizeHint().height());
    list.resize(300, 400);
    QTRY_COMPARE(wrappedItem->sizeHint().height(), wideHeight);
}

void TestCustomListWidget::scrollToTopIsReportedOnce()
{
    CustomListWidget list;
    QScrollBar* bar = overfill(list);
    QTRY_VERIFY(bar->maximum() > 100);

    QSignalSpy top(&list, &CustomListWidget::hasScrollToTop);
    bar->setValue(100);
    QCOMPARE(top.count(), 0);
    bar->setValue(0);
    QCOMPARE(top.count(), 1);
    bar->setValue(100);
    bar->setValue(0);
    QCOMPARE(top.count(), 1);
}

void TestCustomListWidget::scrollBarChangeFollowsOverflow()
{
    CustomListWidget list;
    list.resize(300, 200);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QSignalSpy change(&list, &CustomListWidget::haveScrollBarChange);

    // 5 rows of 40 exactly fill the 200 px list; the sixth overflows.
    for (int i = 0; i < 5; ++i)
        list.addItemWidget(makeRow(40));
    QCOMPARE(change.count(), 0);
    QVERIFY(!list.hasScrollBar());
    for (int i = 0; i < 5; ++i)
        list.addItemWidget(makeRow(40));
    QCOMPARE(change.count(), 1);
    QCOMPARE(change.at(0).at(0).toBool(), true);

    list.clearItems();
    QCOMPARE(change.count(), 2);
    QCOMPARE(change.at(1).at(0).toBool(), false);

    // A list made taller than its rows loses the bar again.
    for (int i = 0; i < 6; ++i)
        list.addItemWidget(makeRow(40));
    QCOMPARE(change.count(), 3);
    list.resize(300, 400);
    QTRY_COMPARE(change.count(), 4);
    QCOMPARE(change.at(3).at(0).toBool(), false);
}

void TestCustomListWidget::reachingTheBottomAsksForMore()
{
    CustomListWidget list;
    QScrollBar* bar = overfill(list);
    QTRY_VERIFY(bar->maximum() > 100);

    QSignalSpy more(&list, &CustomListWidget::moreClick);
    bar->setValue(bar->maximum() - 10);
    QCOMPARE(more.count(), 0);
    bar->setValue(bar->maximum());
    QCOMPARE(more.count(), 1);
    // Staying at the bottom asks once; leaving and coming back asks again.
    bar->setValue(bar->maximum());
    QCOMPARE(more.count(), 1);
    bar->setValue(bar->maximum() - 10);
    bar->setValue(bar->maximum());
    QCOMPARE(more.count(), 2);
}

void TestCustomListWidget::scrollListLoadMoreButton()
{
    ScrollListWidget list;
    list.resize(300, 300);
    list.show();
    auto* more = list.findChild<QPushButton*>(QStringLiteral("pushButton_more"));
    QVERIFY(more);
    QCOMPARE(more->text(), QStringLiteral("加载更多"));

    list.addItemWidget(makeRow(40));
    QCOMPARE(list.count(), 1);
    QVERIFY(more->isVisible());
    QVERIFY(more->geometry().top() >= list.listWidget()->geometry().bottom());

    QSignalSpy spy(&list, &ScrollListWidget::moreClick);
    QTest::mouseClick(more, Qt::LeftButton);
    QCOMPARE(spy.count(), 1);

    list.showWaitPage();
    QCOMPARE(currentPageName(list.listContainer()), QStringLiteral("page_wait"));
    QVERIFY(!more->isVisible());
    list.clearItems();
    QCOMPARE(currentPageName(list.listContainer()), QStringLiteral("page_noData"));
    QVERIFY(!more->isVisible());
    list.showListPage();
    QVERIFY(more->isVisible());
    list.setMoreVisible(false);
    QVERIFY(!more->isVisible());
}

QTEST_MAIN(TestCustomListWidget)
#include "tst_customlistwidget.moc"
