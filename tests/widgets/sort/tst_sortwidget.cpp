#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/popups/AlertFlashWidget.h"
#include "widgets/sort/SortItemView.h"
#include "widgets/sort/SortWidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QList<QVariantMap> items(int count)
{
    QList<QVariantMap> list;
    for (int i = 0; i < count; ++i)
        list.append({{QStringLiteral("id"), 14 + i}, {QStringLiteral("title"), QStringLiteral("项%1").arg(i)},
                     {QStringLiteral("choose"), i % 2 == 0}, {QStringLiteral("tip_id"), 0},
                     {QStringLiteral("default_choose"), false}, {QStringLiteral("extra"), QStringLiteral("kept%1").arg(i)}});
    return list;
}

QList<int> idsOf(const QList<QVariantMap>& list)
{
    QList<int> ids;
    for (const QVariantMap& item : list)
        ids.append(item.value(QStringLiteral("id")).toInt());
    return ids;
}

// Drops a drag that started at (row, column) of the grid named `from` onto the view.
bool drop(SortItemView* target, const QString& from, int row, int column)
{
    QMimeData mime;
    mime.setHtml(from);
    mime.setText(QStringLiteral("%1,%2").arg(row).arg(column));
    QDragEnterEvent enter(QPoint(5, 5), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(QPointF(5, 5), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    return dropped.isAccepted();
}

} // namespace

class TestSortWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ModuleTestEnvironment::prepareWidgetTests(); }

    void rowsOfForty_data();
    void rowsOfForty();
    void droppingMovesTheItemWithinItsGrid();
    void dragsFromAnotherGridAreRefused();
    void requiredItemsStayChosen();
    void settingsButtonsOnlyForTheirIds();
    void aNarrowGridReflowsAndDropsStillLandRight();
};

void TestSortWidget::rowsOfForty_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("height");
    QTest::newRow("five in one row") << 5 << 40;
    QTest::newRow("six in two rows") << 6 << 80;
    QTest::newRow("none") << 0 << 0;
}

void TestSortWidget::rowsOfForty()
{
    QFETCH(int, count);
    QFETCH(int, height);
    SortWidget grid;
    grid.setData(items(count), 5);
    QCOMPARE(grid.height(), height);
    QCOMPARE(grid.itemViews().size(), count);
}

void TestSortWidget::droppingMovesTheItemWithinItsGrid()
{
    SortWidget grid;
    grid.setData(items(8), 5);
    grid.show();
    SortItemView* target = grid.itemViews().at(2);
    QCOMPARE(target->row(), 0);
    QCOMPARE(target->column(), 2);
    QVERIFY(drop(target, grid.objectName(), 1, 0));
    QCOMPARE(idsOf(grid.getData()), (QList<int>{14, 15, 19, 16, 17, 18, 20, 21}));
    QTRY_COMPARE(grid.itemViews().at(2)->checkBox()->text(), QStringLiteral("项5"));
    // Keys the grid does not know travel with their item.
    QCOMPARE(grid.getData().at(2).value(QStringLiteral("extra")).toString(), QStringLiteral("kept5"));
    // A drop naming a place outside the list changes nothing.
    QVERIFY(drop(grid.itemViews().at(0), grid.objectName(), 3, 4));
    QCOMPARE(idsOf(grid.getData()), (QList<int>{14, 15, 19, 16, 17, 18, 20, 21}));
}

void TestSortWidget::dragsFromAnotherGridAreRefused()
{
    SortWidget first;
    SortWidget second;
    QVERIFY(first.objectName() != second.objectName());
    first.setData(items(6), 5);
    second.setData(items(6), 5);
    QVERIFY(!drop(second.itemViews().at(0), first.objectName(), 1, 0));
    QCOMPARE(idsOf(second.getData()), idsOf(items(6)));
}

void TestSortWidget::requiredItemsStayChosen()
{
    QList<QVariantMap> list = items(3);
    list[0].insert(QStringLiteral("default_choose"), true);
    list[0].insert(QStringLiteral("choose"), true);
    SortWidget grid;
    grid.setData(list, 5);
    grid.show();
    QCheckBox* required = grid.itemViews().at(0)->checkBox();
    required->click();
    QVERIFY(required->isChecked());
    QVERIFY(grid.getData().at(0).value(QStringLiteral("choose")).toBool());
    bool toast = false;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* flash = qobject_cast<AlertFlashWidget*>(widget))
            toast = toast || flash->text() == QStringLiteral("【项0】为必选项！");
    }
    QVERIFY(toast);

    QCheckBox* other = grid.itemViews().at(1)->checkBox();
    QVERIFY(!other->isChecked());
    other->click();
    QVERIFY(grid.getData().at(1).value(QStringLiteral("choose")).toBool());
    QVERIFY(!grid.noneChosen());
    other->click();
    grid.itemViews().at(2)->checkBox()->click();
    QVERIFY(!grid.noneChosen());
}

void TestSortWidget::settingsButtonsOnlyForTheirIds()
{
    SortWidget grid;
    grid.setButtonIds({16, 17, 18, 19, 20});
    grid.setData(items(8), 5);
    QSignalSpy clicked(&grid, &SortWidget::btnClick);
    for (SortItemView* view : grid.itemViews()) {
        const int id = grid.getData().at(grid.itemViews().indexOf(view)).value(QStringLiteral("id")).toInt();
        QCOMPARE(!view->settingsButton()->isHidden(), id >= 16 && id <= 20);
    }
    grid.itemViews().at(3)->settingsButton()->click();
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.first().first().toInt(), 17);
}

void TestSortWidget::aNarrowGridReflowsAndDropsStillLandRight()
{
    // In a page narrower than five items side by side, as in the settings popup on a laptop.
    QWidget page;
    auto* layout = new QVBoxLayout(&page);
    auto* grid = new SortWidget(&page);
    layout->addWidget(grid);
    grid->setData(items(10), 5);
    page.show();
    const int cell = grid->itemViews().first()->sizeHint().width();
    page.resize(3 * cell + 40, 300);
    QTRY_COMPARE(grid->shownColumns(), 3);
    QCOMPARE(grid->height(), 4 * SortWidget::RowHeight);
    QVERIFY(grid->width() < 5 * cell);
    // Each item knows where it stands now: item 4 opens the second row.
    QCOMPARE(grid->itemViews().at(4)->row(), 1);
    QCOMPARE(grid->itemViews().at(4)->column(), 1);
    QVERIFY(!grid->itemViews().at(4)->visibleRegion().isEmpty());

    // The drop names reflowed places: (2, 0) is item 6, moved onto item 1.
    QVERIFY(drop(grid->itemViews().at(1), grid->objectName(), 2, 0));
    QCOMPARE(idsOf(grid->getData()), (QList<int>{14, 20, 15, 16, 17, 18, 19, 21, 22, 23}));

    // Given room again, it shows the five asked for.
    page.resize(5 * cell + 200, 300);
    QTRY_COMPARE(grid->shownColumns(), 5);
    QCOMPARE(grid->height(), 2 * SortWidget::RowHeight);
}

QTEST_MAIN(TestSortWidget)
#include "tst_sortwidget.moc"
