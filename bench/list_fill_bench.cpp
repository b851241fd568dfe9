// Fills a table page of 20 rows and a card page of 5 cards from canned records, as the pages do
// when a reply arrives (no service, no pictures: the cards have no thumbnail), and prints the
// median time per fill over the runs: building the rows or cards, then that with the layout,
// deletions and painting that the event loop does before the next frame.
//
//   list_fill_bench [RUNS]        default 25 runs after 3 unmeasured ones

#include "listings/common/CardListPage.h"
#include "listings/newhouse/NewHouse_ProductList_ItemView.h"
#include "listings/submissions/MicroWebsiteSaleOrRentWidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// The submissions page with its request switched off, filled straight from records.
class TableBenchPage : public MicroWebsiteSaleOrRentWidget
{
public:
    using MicroWebsiteSaleOrRentWidget::MicroWebsiteSaleOrRentWidget;
    void downloadData() override {}
    void fill(QList<ListData> rows) { showRows(rows, &MicroWebsiteSaleOrRentWidget::displayValuesFor); }
};

// A card page without requests, filled with new-house cards.
class CardBenchPage : public CardListPage
{
public:
    using CardListPage::CardListPage;
    void fill(const QList<NewHouseList_Model::ListData>& projects)
    {
        QList<QWidget*> cards;
        const ListCardView::Rights rights = NewHouse_ProductList_ItemView::readRights(this);
        for (const NewHouseList_Model::ListData& project : projects)
            cards.append(new NewHouse_ProductList_ItemView(project, rights, cardParent()));
        showCards(cards);
    }

protected:
    void reloadList() override {}
};

QList<MicroWebsiteSaleOrRentWidget::ListData> cannedHouses()
{
    QList<MicroWebsiteSaleOrRentWidget::ListData> rows;
    for (int i = 1; i <= 20; ++i) {
        MicroWebsiteSaleOrRentWidget::ListData row;
        row.id = 1000 + i;
        row.housename = QStringLiteral("阳光花园");
        row.buildingNo = QString::number(i % 7 + 1);
        row.unitNo = QString::number(i % 3 + 1);
        row.roomNo = QString::number(300 + i);
        row.districtstr = QStringLiteral("锦江区");
        row.areastr = QStringLiteral("春熙路");
        row.hutype = QStringLiteral("3室2厅1卫");
        row.floors = i % 18 + 1;
        row.allfloors = 18;
        row.builtuparea = 80.5 + i;
        row.price = 89.5 + i;
        row.housetype = QStringLiteral("住宅");
        row.time = QStringLiteral("2024-05-12 14:30:00");
        rows.append(row);
    }
    return rows;
}

QList<NewHouseList_Model::ListData> cannedProjects()
{
    QList<NewHouseList_Model::ListData> projects;
    for (int i = 1; i <= 5; ++i) {
        NewHouseList_Model::ListData project;
        project.id = i;
        project.name = QStringLiteral("锦城湖岸%1期").arg(i);
        project.zhuangtai = QStringLiteral("在售");
        project.dongtai = QStringLiteral("三号楼本周开盘，首付两成起");
        project.province = QStringLiteral("四川省");
        project.cityname = QStringLiteral("成都市");
        project.address = QStringLiteral("高新区天府大道中段%1号").arg(100 + i);
        project.junjia = QString::number(17000 + 500 * i);
        project.yongjin = QStringLiteral("成交总价的1.5%，结佣周期30天");
        project.leixing = QStringLiteral("住宅");
        project.istop = i == 1;
        project.telbefore = QStringLiteral("400-800-1234");
        project.telafter = QString::number(i);
        projects.append(project);
    }
    return projects;
}

// Everything the event loop would do before the next frame: layout, deletions, painting.
void drain()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Median, in milliseconds, of `runs` measured calls after a few unmeasured ones; each starts
// with nothing left over from the one before.
double medianMs(int runs, const std::function<void()>& fill)
{
    for (int i = 0; i < 3; ++i) {
        fill();
        drain();
    }
    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        drain();
        timer.start();
        fill();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The cards read the user's rights from the local store: keep it out of the user's files.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    QApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 25;

    TableBenchPage table;
    table.resize(1200, 1000);
    table.setType(0);
    table.show();
    CardBenchPage cards;
    cards.resize(1200, 900);
    cards.show();
    QCoreApplication::processEvents();

    const QList<MicroWebsiteSaleOrRentWidget::ListData> houses = cannedHouses();
    const QList<NewHouseList_Model::ListData> projects = cannedProjects();

    QTextStream out(stdout);
    out << "median of " << runs << " fills, milliseconds (one frame is 16.7)\n";
    out << "table, 20 rows, built                 " << medianMs(runs, [&] { table.fill(houses); }) << '\n';
    out << "table, 20 rows, laid out and painted  " << medianMs(runs, [&] { table.fill(houses); drain(); }) << '\n';
    out << "cards, 5 cards, built                 " << medianMs(runs, [&] { cards.fill(projects); }) << '\n';
    out << "cards, 5 cards, laid out and painted  " << medianMs(runs, [&] { cards.fill(projects); drain(); }) << '\n';
    return 0;
}
