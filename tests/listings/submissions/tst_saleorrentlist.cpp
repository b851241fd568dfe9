#include "frame/MicroWebsiteControlCenter.h"
#include "listings/common/HouseListTableHeadView.h"
#include "listings/common/HouseTableLabelItemView.h"
#include "listings/common/HoverTableWidget.h"
#include "listings/housemanager/HouseManagerSaleOrRentListWidget.h"
#include "listings/submissions/MicroWebsiteSaleOrRentDetailWidget.h"
#include "listings/submissions/MicroWebsiteSaleOrRentWidget.h"
#include "listings/submissions/MicroWebsiteSeekSaleOrRentWidget.h"
#include "net/http/NetRequestObjecet.h"
#include "support/service/ReferenceService.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/HostWindowFixture.h"
#include "support/ui/LocalStoreFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "support/ui/PagingProbe.h"
#include "support/ui/RequestLog.h"
#include "support/ui/TablePageProbe.h"
#include "widgets/inputs/OmitLabel.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/CommonAddWidget.h"
#include "widgets/popups/StayTunedWidget.h"

#include "CustomTabWidget.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using F = LocalStoreFixture;
using TablePageProbe::cellText;
using TablePageProbe::settled;

namespace {

const QString kPath = QStringLiteral("/api/mtore/mzposts");

QJsonObject houseWithId(int id)
{
    return QJsonObject{{QStringLiteral("id"), id}, {QStringLiteral("housename"), QStringLiteral("春熙花园")},
                       {QStringLiteral("price"), 100 + id}};
}

int columnOf(const QString& key)
{
    return TablePageProbe::columnOf(MicroWebsiteSaleOrRentWidget::columnsJson(), key);
}

int requestsMade(const ListingTablePage& listing)
{
    return RequestLog::countSentBy(&listing);
}

QPushButton* button(const ListingTablePage& listing, const char* name)
{
    return listing.findChild<QPushButton*>(QString::fromUtf8(name));
}

QString currentPageBox(const ListingTablePage& listing)
{
    return PagingProbe::currentPage(listing.pagingBar());
}

QString pageInfo(const ListingTablePage& listing)
{
    return PagingProbe::pageInfo(listing.pagingBar());
}

QList<int> shownIds(const ListingTablePage& listing)
{
    QList<int> ids;
    for (int row = 0; row < listing.table()->rowCount(); ++row)
        ids.append(cellText(listing, row, 0).toInt());
    return ids;
}

} // namespace

class TestSaleOrRentList : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<HostWindowFixture> m_host;
    CustomTabWidget* m_tabs = nullptr;

    // Clicks a paging button that must be refused with this alert, and checks nothing was asked.
    void expectRefusal(const ListingTablePage& listing, QPushButton* pressed, const QString& alert)
    {
        const int before = requestsMade(listing);
        const int pageBefore = listing.pageIndex();
        QTest::mouseClick(pressed, Qt::LeftButton);
        QVERIFY2(AlertProbe::waitForAlertContaining(alert), qPrintable(alert));
        QCOMPARE(AlertProbe::visibleAlerts().first()->title(), QStringLiteral("警告"));
        AlertProbe::closeAll();
        QCOMPARE(requestsMade(listing), before);
        QCOMPARE(listing.pageIndex(), pageBefore);
    }

private slots:
    void initTestCase()
    {
        ModuleTestEnvironment::prepareWidgetTests();
    }

    void init()
    {
        m_host = std::make_unique<HostWindowFixture>(QSize(1200, 800));
        m_tabs = m_host->tabs();
    }

    void cleanup()
    {
        m_host.reset();
    }

    void cellTexts_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QJsonObject>("house");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");

        const QString name = QStringLiteral("housename");
        QTest::newRow("sale price with a half") << 0 << QJsonObject{{QStringLiteral("price"), 89.5}} << "key_price" << "89.5万";
        QTest::newRow("rent price per month") << 1 << QJsonObject{{QStringLiteral("price"), 1500}} << "key_price" << "1500元/月";
        QTest::newRow("price sent as text") << 0 << QJsonObject{{QStringLiteral("price"), QStringLiteral("120")}} << "key_price" << "120万";
        QTest::newRow("whole area") << 0 << QJsonObject{{QStringLiteral("builtuparea"), 120}} << "key_size" << "120㎡";
        QTest::newRow("area with decimals") << 1 << QJsonObject{{QStringLiteral("builtuparea"), 89.25}} << "key_size" << "89.25㎡";
        QTest::newRow("floor of the building")
            << 0 << QJsonObject{{QStringLiteral("floors"), 5}, {QStringLiteral("allfloors"), 18}} << "key_floor" << "5/18";
        QTest::newRow("floors sent as text")
            << 1 << QJsonObject{{QStringLiteral("floors"), QStringLiteral("12")}, {QStringLiteral("allfloors"), QStringLiteral("33")}}
            << "key_floor" << "12/33";
        QTest::newRow("estate, building, unit and room")
            << 0
            << QJsonObject{{name, QStringLiteral("阳光花园")}, {QStringLiteral("buildingNo"), QStringLiteral("3")},
                           {QStringLiteral("unitNo"), QStringLiteral("2")}, {QStringLiteral("roomNo"), QStringLiteral("301")}}
            << "key_address" << "阳光花园3-2-301";
        QTest::newRow("house numbers sent as numbers")
            << 0
            << QJsonObject{{name, QStringLiteral("阳光花园")}, {QStringLiteral("buildingNo"), 3}, {QStringLiteral("unitNo"), 2},
                           {QStringLiteral("roomNo"), 301}}
            << "key_address" << "阳光花园3-2-301";
        QTest::newRow("district and quarter")
            << 0 << QJsonObject{{QStringLiteral("districtstr"), QStringLiteral("锦江区")}, {QStringLiteral("areastr"), QStringLiteral("春熙路")}}
            << "key_quyu" << "锦江区春熙路";
        QTest::newRow("id") << 1 << QJsonObject{{QStringLiteral("id"), 1024}} << "key_bianHao" << "1024";
        QTest::newRow("layout as sent") << 0 << QJsonObject{{QStringLiteral("hutype"), QStringLiteral("3室2厅1卫")}} << "key_hutype" << "3室2厅1卫";
        QTest::newRow("house type as sent") << 0 << QJsonObject{{QStringLiteral("housetype"), QStringLiteral("公寓")}} << "key_housetype" << "公寓";
        QTest::newRow("time as sent")
            << 1 << QJsonObject{{QStringLiteral("time"), QStringLiteral("2024-05-12 14:30:00")}} << "key_publishtime" << "2024-05-12 14:30:00";
        QTest::newRow("missing floors") << 0 << QJsonObject() << "key_floor" << "—";
        QTest::newRow("missing price") << 1 << QJsonObject() << "key_price" << "—";
        QTest::newRow("missing address parts") << 0 << QJsonObject() << "key_address" << "—";
    }

    // What each column shows for a row of the reply, as the page receives it from the service.
    void cellTexts()
    {
        QFETCH(int, type);
        QFETCH(QJsonObject, house);
        QFETCH(QString, key);
        QFETCH(QString, text);

        ScriptedHttpServer server;
        QVERIFY(server.start());
        server.setReply(kPath, ScriptedHttpServer::listReply(1, {house}));
        server.useAsApiBase();

        MicroWebsiteSaleOrRentWidget listing(m_tabs);
        listing.resize(1100, 700);
        listing.show();
        listing.setType(type);
        QVERIFY(settled(listing));

        QCOMPARE(server.requestsTo(kPath).size(), 1);
        QCOMPARE(QString::fromUtf8(server.requestsTo(kPath).first().body),
                 QStringLiteral("type=%1&pagesize=20&pageindex=1").arg(type));
        QCOMPARE(listing.table()->rowCount(), 1);
        QCOMPARE(listing.table()->columnCount(), 9);
        QVERIFY(columnOf(key) >= 0);
        QCOMPARE(cellText(listing, 0, columnOf(key)), text);
        // The cell shows the text after one space, the whole text in its tool tip.
        auto* cell = qobject_cast<HouseTableLabelItemView*>(listing.table()->cellWidget(0, columnOf(key)));
        QCOMPARE(cell->text(), text);
        QVERIFY(cell->shownText().startsWith(QLatin1Char(' ')));
        QVERIFY(cell->toolTip().contains(text.toHtmlEscaped()));
        QVERIFY(!cell->isBadgeShown());
        QCOMPARE(listing.rows().first().displayValues.value(key).toString(), text);
    }

    void headerAndColumnWidths()
    {
        ScriptedHttpServer server;
        QVERIFY(server.start());
        server.setReply(kPath, ScriptedHttpServer::listReply(3, {houseWithId(1), houseWithId(2), houseWithId(3)}));
        server.useAsApiBase();

        auto* listing = TablePageProbe::open<MicroWebsiteSaleOrRentWidget>(m_tabs, QStringLiteral("业主委托出售"), 0);
        QVERIFY(settled(*listing));

        QCOMPARE(TablePageProbe::headerTitles(*listing),
                 QStringList({QStringLiteral("编号"), QStringLiteral("区域"), QStringLiteral("小区地址"), QStringLiteral("户型"),
                              QStringLiteral("楼层"), QStringLiteral("面积"), QStringLiteral("价格"), QStringLiteral("房屋类型"),
                              QStringLiteral("发布时间")}));
        auto* header = qobject_cast<HouseListTableHeadView*>(listing->table()->horizontalHeader());
        QVERIFY(header);
        QVERIFY(header->sortColumns().isEmpty());
        QCOMPARE(header->height(), 40);
        QCOMPARE(header->defaultAlignment(), Qt::AlignLeft | Qt::AlignVCenter);

        // Widths follow the rates (2,3,6,4,4,3,3,4,6 of 35), now and after the window grows.
        const QList<int> rates = {2, 3, 6, 4, 4, 3, 3, 4, 6};
        for (const QSize& size : {QSize(1200, 800), QSize(1500, 900)}) {
            m_host->window()->resize(size);
            QTRY_COMPARE(listing->table()->columnWidth(0), 2 * listing->table()->width() / 35);
            const int width = listing->table()->width();
            for (int i = 0; i < rates.size() - 1; ++i)
                QCOMPARE(listing->table()->columnWidth(i), rates.at(i) * width / 35);
            const int rowHeight = listing->table()->rowHeight(0);
            QCOMPARE(rowHeight, qBound(40, (listing->table()->height() - 40) / 20, 45));
        }
    }

    // 41 submissions on the service: three pages, and every paging button with its refusal.
    void pagingOverTheService()
    {
        ReferenceService service;
        QVERIFY2(service.isRunning(), qPrintable(service.errorString()));
        QVERIFY(F::loginAtService(service, QStringLiteral("13800000000")));

        MicroWebsiteControlCenter center;
        center.loadSaleCustomer(QStringLiteral("业主委托出售"));
        auto* listing = m_tabs->findChild<MicroWebsiteSaleOrRentWidget*>(QStringLiteral("MicroWebsiteSaleOrRentWidget"));
        QVERIFY(listing);
        QCOMPARE(listing->type(), 0);
        QVERIFY(settled(*listing));

        QCOMPARE(listing->table()->rowCount(), 20);
        QCOMPARE(pageInfo(*listing), QStringLiteral("条，共3页，共计41条，当前第"));
        QCOMPARE(listing->findChild<QLineEdit*>(QStringLiteral("lineEdit_pageSize"))->text(), QStringLiteral("20"));
        QCOMPARE(currentPageBox(*listing), QStringLiteral("1"));
        const QList<int> first = shownIds(*listing);

        QTest::mouseClick(button(*listing, "pushButton_next"), Qt::LeftButton);
        QVERIFY(settled(*listing));
        QCOMPARE(currentPageBox(*listing), QStringLiteral("2"));
        const QList<int> second = shownIds(*listing);
        QCOMPARE(second.size(), 20);

        QTest::mouseClick(button(*listing, "pushButton_next"), Qt::LeftButton);
        QVERIFY(settled(*listing));
        QCOMPARE(currentPageBox(*listing), QStringLiteral("3"));
        const QList<int> third = shownIds(*listing);
        QCOMPARE(third.size(), 1);
        QSet<int> all;
        for (int id : first + second + third)
            all.insert(id);
        QCOMPARE(all.size(), 41);

        expectRefusal(*listing, button(*listing, "pushButton_next"), QStringLiteral("亲，当前已是最后一页无法再翻到下一页了！"));
        expectRefusal(*listing, button(*listing, "pushButton_forwardTen"), QStringLiteral("后面没有十页内容了！"));
        QCOMPARE(currentPageBox(*listing), QStringLiteral("3"));

        auto* box = listing->findChild<QLineEdit*>(QStringLiteral("lineEdit_currentPage"));
        for (const QString& typed : {QStringLiteral("0"), QStringLiteral("abc"), QStringLiteral("4"), QString()}) {
            box->clear();
            QTest::keyClicks(box, typed);
            expectRefusal(*listing, button(*listing, "pushButton_jump"), QStringLiteral("请选择有效的页数！"));
            QCOMPARE(shownIds(*listing), third);
        }
        box->clear();
        QTest::keyClicks(box, QStringLiteral("2"));
        QTest::mouseClick(button(*listing, "pushButton_jump"), Qt::LeftButton);
        QVERIFY(settled(*listing));
        QCOMPARE(shownIds(*listing), second);

        QTest::mouseClick(button(*listing, "pushButton_previous"), Qt::LeftButton);
        QVERIFY(settled(*listing));
        QCOMPARE(currentPageBox(*listing), QStringLiteral("1"));
        QCOMPARE(shownIds(*listing), first);
        expectRefusal(*listing, button(*listing, "pushButton_previous"), QStringLiteral("亲，当前已是第一页无法再翻到上一页了！"));

        // "<<" on the first page stays there and asks again.
        const int before = requestsMade(*listing);
        QTest::mouseClick(button(*listing, "pushButton_backTen"), Qt::LeftButton);
        QCOMPARE(requestsMade(*listing), before + 1);
        QVERIFY(settled(*listing));
        QCOMPARE(currentPageBox(*listing), QStringLiteral("1"));
        QCOMPARE(shownIds(*listing), first);
        QVERIFY(AlertProbe::visibleAlerts().isEmpty());

        // The rent page is a page of its own with the rent submissions.
        center.loadRentCustomer(QStringLiteral("业主委托出租"));
        QCOMPARE(m_tabs->count(), 2);
        auto* rent = qobject_cast<MicroWebsiteSaleOrRentWidget*>(m_tabs->currentWidget());
        QVERIFY(rent && rent != listing);
        QVERIFY(settled(*rent));
        QCOMPARE(pageInfo(*rent), QStringLiteral("条，共2页，共计25条，当前第"));
        QVERIFY(cellText(*rent, 0, columnOf(QStringLiteral("key_price"))).endsWith(QStringLiteral("元/月")));
    }

    // An empty page shows "暂无数据" under the header; the next page with rows hides it.
    void noDataView()
    {
        ScriptedHttpServer server;
        QVERIFY(server.start());
        server.setReply(kPath, ScriptedHttpServer::listReply(0, {}));
        server.useAsApiBase();

        auto* listing = TablePageProbe::open<MicroWebsiteSaleOrRentWidget>(m_tabs, QStringLiteral("业主委托出租"), 1);
        QVERIFY(settled(*listing));

        StayTunedWidget* empty = listing->noDataView();
        QVERIFY(empty);
        QVERIFY(empty->isVisible());
        QCOMPARE(empty->text(), QStringLiteral("暂无数据"));
        QCOMPARE(empty->parentWidget(), listing->table());
        QCOMPARE(empty->geometry(), QRect(0, 40, listing->table()->width(), listing->table()->height() - 40));
        QCOMPARE(pageInfo(*listing), QStringLiteral("条，共0页，共计0条，当前第"));

        server.setReply(kPath, ScriptedHttpServer::listReply(2, {houseWithId(7), houseWithId(8)}));
        QTest::mouseClick(listing->findChild<QPushButton*>(QStringLiteral("pushButton_refresh")), Qt::LeftButton);
        QVERIFY(settled(*listing));
        QCOMPARE(listing->table()->rowCount(), 2);
        QVERIFY(!empty->isVisible());
        QCOMPARE(listing->noDataView(), empty);

        server.setReply(kPath, ScriptedHttpServer::listReply(0, {}));
        QTest::mouseClick(listing->findChild<QPushButton*>(QStringLiteral("pushButton_refresh")), Qt::LeftButton);
        QVERIFY(settled(*listing));
        QVERIFY(empty->isVisible());
        QCOMPARE(listing->findChildren<StayTunedWidget*>().size(), 1);
    }

    void replyWithoutRows_data()
    {
        QTest::addColumn<QJsonValue>("data");
        QTest::newRow("no data key") << QJsonValue(QJsonObject{{QStringLiteral("total"), 41}});
        QTest::newRow("data not an array") << QJsonValue(QJsonObject{{QStringLiteral("total"), 41}, {QStringLiteral("data"), QStringLiteral("x")}});
        QTest::newRow("no object at all") << QJsonValue(QJsonArray{houseWithId(1)});
        QTest::newRow("null") << QJsonValue();
    }

    // A reply without a "data" array shows an empty table with no pages, and replaces the rows.
    void replyWithoutRows()
    {
        QFETCH(QJsonValue, data);
        ScriptedHttpServer server;
        QVERIFY(server.start());
        server.setReply(kPath, ScriptedHttpServer::listReply(30, {houseWithId(1), houseWithId(2)}));
        server.useAsApiBase();

        auto* listing = TablePageProbe::open<MicroWebsiteSaleOrRentWidget>(m_tabs, QStringLiteral("业主委托出售"), 0);
        QVERIFY(settled(*listing));
        QCOMPARE(listing->table()->rowCount(), 2);

        server.setReply(kPath, ScriptedHttpServer::envelope(200, QString(), data));
        QTest::mouseClick(listing->findChild<QPushButton*>(QStringLiteral("pushButton_refresh")), Qt::LeftButton);
        QVERIFY(settled(*listing));
        QCOMPARE(listing->table()->rowCount(), 0);
        QCOMPARE(listing->table()->columnCount(), 9);
        QVERIFY(listing->noDataView() && listing->noDataView()->isVisible());
        QCOMPARE(pageInfo(*listing), QStringLiteral("条，共0页，共计0条，当前第"));
        expectRefusal(*listing, button(*listing, "pushButton_next"), QStringLiteral("亲，当前已是最后一页无法再翻到下一页了！"));
    }

    // A refused or broken request leaves the rows as they were, and the wait indicator goes.
    void failedRequestKeepsTheTable()
    {
        ScriptedHttpServer server;
        QVERIFY(server.start());
        server.setReply(kPath, ScriptedHttpServer::listReply(43, {houseWithId(4), houseWithId(5), houseWithId(6)}));
        server.useAsApiBase();

        auto* listing = TablePageProbe::open<MicroWebsiteSaleOrRentWidget>(m_tabs, QStringLiteral("业主委托出售"), 0);
        QVERIFY(settled(*listing));
        const QList<int> before = shownIds(*listing);

        // The bar stays on the page whose rows are still shown.
        server.setReply(kPath, ScriptedHttpServer::envelope(405, QStringLiteral("服务繁忙，请稍后再试")));
        QTest::mouseClick(button(*listing, "pushButton_next"), Qt::LeftButton);
        QVERIFY(AlertProbe::waitForAlertContaining(QStringLiteral("服务繁忙，请稍后再试")));
        QVERIFY(settled(*listing));
        QCOMPARE(shownIds(*listing), before);
        QCOMPARE(currentPageBox(*listing), QStringLiteral("1"));
        QCOMPARE(listing->pageIndex(), 1);
        AlertProbe::closeAll();

        ScriptedHttpServer::Reply broken = ScriptedHttpServer::jsonReply(QByteArray("{\"code\":200,\"data\":{\"total\":1,"));
        broken.closeMidBody = true;
        server.setReply(kPath, broken);
        QTest::mouseClick(listing->findChild<QPushButton*>(QStringLiteral("pushButton_refresh")), Qt::LeftButton);
        QVERIFY(settled(*listing));
        QCOMPARE(shownIds(*listing), before);
        QCOMPARE(pageInfo(*listing), QStringLiteral("条，共3页，共计43条，当前第"));
    }

    // Paging on before a slow reply came: the late reply of the old page must not replace the new one.
    void lateReplyOfAnOlderRequestIsDropped()
    {
        ScriptedHttpServer server;
        QVERIFY(server.start());
        ScriptedHttpServer::Reply slow = ScriptedHttpServer::listReply(1, {houseWithId(1)});
        slow.delayMs = 700;
        server.enqueueReply(kPath, slow);
        server.setReply(kPath, ScriptedHttpServer::listReply(1, {houseWithId(2)}));
        server.useAsApiBase();

        auto* listing = TablePageProbe::open<MicroWebsiteSaleOrRentWidget>(m_tabs, QStringLiteral("业主委托出售"), 0);
        QTRY_COMPARE(server.requestsTo(kPath).size(), 1);
        QTest::mouseClick(listing->findChild<QPushButton*>(QStringLiteral("pushButton_refresh")), Qt::LeftButton);
        QTRY_COMPARE(server.requestsTo(kPath).size(), 2);
        QVERIFY(settled(*listing));
        // The slow first reply has come too (its request is released once answered).
        QTRY_VERIFY_WITH_TIMEOUT(listing->findChildren<NetRequestObjecet*>().isEmpty(), 5000);
        QCOMPARE(shownIds(*listing), QList<int>{2});
    }

    // A click on a row opens its detail in a popup over the page; the row stays marked.
    void rowOpensDetail()
    {
        ScriptedHttpServer server;
        QVERIFY(server.start());
        server.setReply(kPath, ScriptedHttpServer::listReply(3, {houseWithId(11), houseWithId(12), houseWithId(13)}));
        server.useAsApiBase();

        auto* listing = TablePageProbe::open<MicroWebsiteSaleOrRentWidget>(m_tabs, QStringLiteral("业主委托出租"), 1);
        QVERIFY(settled(*listing));

        QSignalSpy clicked(listing->table(), &HoverTableWidget::clickRowIndex);
        QWidget* cell = listing->table()->cellWidget(1, 2);
        QTest::mouseClick(cell, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked.first().first().toInt(), 1);
        QTRY_COMPARE(HostWindowFixture::openPopups().size(), 1);
        CommonAddWidget* frame = HostWindowFixture::openPopups().first();
        QCOMPARE(frame->parentWidget(), listing);
        QCOMPARE(frame->size(), QSize(862, 592));
        QCOMPARE(frame->findChild<QLabel*>(QStringLiteral("titleLabel"))->text(), QStringLiteral("详情"));
        // The detail shows the clicked row of this rent page.
        auto* detail = qobject_cast<MicroWebsiteSaleOrRentDetailWidget*>(frame->content());
        QVERIFY(detail);
        const QStringList lines = detail->shownPropertyLines();
        QVERIFY2(lines.contains(QStringLiteral("租金：112元/月")), qPrintable(lines.join(QLatin1Char('|'))));
        QVERIFY2(lines.filter(QStringLiteral("租房方式：")).size() == 1, qPrintable(lines.join(QLatin1Char('|'))));
        QCOMPARE(listing->table()->selectedRow(), 1);
        QCOMPARE(cell->styleSheet(), HoverTableWidget::rowStyle(QColor(230, 230, 230, 255), QColor(30, 30, 30, 255)));
    }

    // The detail names the price as the row does: a sale's total in 万 with its price per square
    // metre, a rent per month with a price per square metre only when the service sent one.
    void detailPriceLines_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QJsonObject>("prices");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QStringList>("lines");

        const QString price = QStringLiteral("price");
        const QString unit = QStringLiteral("unitprice");
        QTest::newRow("sale") << 0 << QJsonObject{{price, 89.5}, {unit, 7458}} << QStringLiteral("89.5万")
                              << QStringList{QStringLiteral("总价：89.5万"), QStringLiteral("单价：7458元/平")};
        QTest::newRow("sale without a unit price") << 0 << QJsonObject{{price, 120}} << QStringLiteral("120万")
                                                   << QStringList{QStringLiteral("总价：120万"), QStringLiteral("单价：—")};
        QTest::newRow("rent") << 1 << QJsonObject{{price, 2600}} << QStringLiteral("2600元/月")
                              << QStringList{QStringLiteral("租金：2600元/月")};
        QTest::newRow("rent with a unit price") << 1 << QJsonObject{{price, 2600}, {unit, 50}} << QStringLiteral("2600元/月")
                                                << QStringList{QStringLiteral("租金：2600元/月"), QStringLiteral("单价：50元/平")};
        QTest::newRow("rent without a price") << 1 << QJsonObject() << QStringLiteral("—")
                                              << QStringList{QStringLiteral("租金：—")};
    }

    void detailPriceLines()
    {
        QFETCH(int, type);
        QFETCH(QJsonObject, prices);
        QFETCH(QString, cell);
        QFETCH(QStringList, lines);

        QJsonObject house = houseWithId(7);
        house.remove(QStringLiteral("price"));
        for (auto it = prices.constBegin(); it != prices.constEnd(); ++it)
            house.insert(it.key(), it.value());
        ScriptedHttpServer server;
        QVERIFY(server.start());
        server.setReply(kPath, ScriptedHttpServer::listReply(1, {house}));
        server.useAsApiBase();
        auto* listing = TablePageProbe::open<MicroWebsiteSaleOrRentWidget>(
            m_tabs, type == 0 ? QStringLiteral("业主委托出售") : QStringLiteral("业主委托出租"), type);
        QVERIFY(settled(*listing));
        QCOMPARE(cellText(*listing, 0, columnOf(QStringLiteral("key_price"))), cell);

        QTest::mouseClick(listing->table()->cellWidget(0, 2), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QTRY_COMPARE(HostWindowFixture::openPopups().size(), 1);
        auto* detail = qobject_cast<MicroWebsiteSaleOrRentDetailWidget*>(HostWindowFixture::openPopups().first()->content());
        QVERIFY(detail);
        QStringList shown;
        for (const QString& line : detail->shownPropertyLines()) {
            if (line.startsWith(QStringLiteral("总价")) || line.startsWith(QStringLiteral("租金"))
                || line.startsWith(QStringLiteral("单价")))
                shown.append(line);
        }
        QCOMPARE(shown, lines);
    }

    // Rows light up under the pointer, a clicked row stays marked until another is clicked.
    void hoverAndSelection()
    {
        HoverTableWidget table;
        table.resize(400, 300);
        table.setRowCount(3);
        table.setColumnCount(2);
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 2; ++column) {
                auto* cell = new HouseTableLabelItemView;
                cell->setText(QStringLiteral("%1-%2").arg(row).arg(column), row == 2);
                table.setCellWidget(row, column, cell);
            }
        }
        table.setRowColors(0, QColor(10, 20, 30), QColor(1, 2, 3, 4), QColor(40, 50, 60), QColor(5, 6, 7, 8));
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));

        auto cellAt = [&table](int row, int column) { return qobject_cast<HouseTableLabelItemView*>(table.cellWidget(row, column)); };
        const QString hover = HoverTableWidget::rowStyle(QColor(230, 230, 230, 255), QColor(30, 30, 30, 255));
        const QString normal = HoverTableWidget::rowStyle(QColor(255, 255, 255, 0), QColor(0, 0, 0, 255));
        QCOMPARE(cellAt(1, 1)->row(), 1);
        QCOMPARE(cellAt(1, 1)->column(), 1);
        QVERIFY(cellAt(2, 0)->isBadgeShown());
        QVERIFY(!cellAt(1, 0)->isBadgeShown());

        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(cellAt(1, 0), &enter);
        QCOMPARE(table.hoverRow(), 1);
        QCOMPARE(cellAt(1, 1)->styleSheet(), hover);
        // The cell paints its text in the colour the row's style gives it.
        QCOMPARE(cellAt(1, 1)->palette().color(cellAt(1, 1)->foregroundRole()), QColor(30, 30, 30));

        QCoreApplication::sendEvent(cellAt(0, 1), &enter);
        QCOMPARE(cellAt(1, 1)->styleSheet(), normal);
        QCOMPARE(cellAt(0, 0)->styleSheet(), HoverTableWidget::rowStyle(QColor(5, 6, 7, 8), QColor(40, 50, 60)));

        QSignalSpy clicked(&table, &HoverTableWidget::clickRowIndex);
        QTest::mouseClick(cellAt(2, 1), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(table.selectedRow(), 2);
        QCOMPARE(cellAt(0, 0)->styleSheet(), HoverTableWidget::rowStyle(QColor(1, 2, 3, 4), QColor(10, 20, 30)));
        QCOMPARE(cellAt(2, 0)->styleSheet(), hover);

        // Passing over another row and leaving the table keeps the selected row marked.
        QCoreApplication::sendEvent(cellAt(1, 0), &enter);
        QCOMPARE(cellAt(2, 0)->styleSheet(), hover);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&table, &leave);
        QCOMPARE(cellAt(1, 0)->styleSheet(), normal);
        QCOMPARE(cellAt(2, 0)->styleSheet(), hover);

        // Another click moves the mark; a right click marks without opening.
        QTest::mouseClick(cellAt(0, 0), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QCOMPARE(cellAt(2, 1)->styleSheet(), normal);
        QCOMPARE(clicked.size(), 2);
        emit table.customContextMenuRequested(table.visualRect(table.model()->index(1, 0)).center());
        QCOMPARE(table.selectedRow(), 1);
        QCOMPARE(clicked.size(), 2);

        // A new page of cells starts unmarked.
        table.clearCells();
        QCOMPARE(table.selectedRow(), -1);
        QCOMPARE(table.hoverRow(), -1);
    }

    void sortableHeaderSection()
    {
        QTableWidget table(2, 3);
        auto* header = new HouseListTableHeadView(Qt::Horizontal, &table);
        table.setHorizontalHeader(header);
        header->setSortColumns(0, {1});
        table.resize(600, 200);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));

        QSignalSpy pressed(header, &QHeaderView::sectionPressed);
        const auto centreOf = [header](int section) {
            return QPoint(header->sectionViewportPosition(section) + header->sectionSize(section) / 2, header->height() / 2);
        };
        QTest::mousePress(header->viewport(), Qt::LeftButton, Qt::NoModifier, centreOf(1));
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, Qt::NoModifier, centreOf(1));
        QVERIFY(header->isAscending());
        QVERIFY(pressed.size() >= 1);
        QCOMPARE(pressed.first().first().toInt(), 1);

        pressed.clear();
        QTest::mousePress(header->viewport(), Qt::LeftButton, Qt::NoModifier, centreOf(2));
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, Qt::NoModifier, centreOf(2));
        QVERIFY(header->isAscending());
        for (const QList<QVariant>& args : qAsConst(pressed))
            QCOMPARE(args.first().toInt(), 2);
        QCOMPARE(HouseListTableHeadView::sortIcon(true), QStringLiteral("://res/icon_sort_up.png"));
        QVERIFY(!QPixmap(HouseListTableHeadView::sortIcon(true)).isNull());
        QVERIFY(!QPixmap(HouseListTableHeadView::sortIcon(false)).isNull());
    }

    // A value the service left out shows as "—" in every table, never as a lone unit or separator.
    void missingValuesShowADash_data()
    {
        QTest::addColumn<QVariantMap>("texts");
        QTest::addColumn<QVariantMap>("expected");

        // "—" under each of these space-separated keys.
        const auto dashes = [](const QString& keys) {
            QVariantMap map;
            for (const QString& key : keys.split(QLatin1Char(' ')))
                map.insert(key, QStringLiteral("—"));
            return map;
        };
        const auto texts = [](std::initializer_list<std::pair<const char*, const char*>> pairs) {
            QVariantMap map;
            for (const auto& pair : pairs)
                map.insert(QString::fromUtf8(pair.first), QString::fromUtf8(pair.second));
            return map;
        };

        QTest::newRow("submission, nothing sent")
            << MicroWebsiteSaleOrRentWidget::displayValuesFor({}, 0)
            << dashes(QStringLiteral("key_bianHao key_quyu key_address key_hutype key_floor key_size key_price "
                                     "key_housetype key_publishtime"));
        MicroWebsiteSaleOrRentWidget::ListData house;
        house.buildingNo = QStringLiteral("11");
        house.roomNo = QStringLiteral("101");
        house.floors = 5;
        QTest::newRow("submission without its unit and building height")
            << MicroWebsiteSaleOrRentWidget::displayValuesFor(house, 1)
            << texts({{"key_address", "11-—-101"}, {"key_floor", "5/—"}});

        QTest::newRow("demand, nothing sent")
            << MicroWebsiteSeekSaleOrRentWidget::displayValuesFor({}, 1)
            << dashes(QStringLiteral("key_bianHao key_quyu key_size key_floor key_price key_link key_publishtime"));
        MicroWebsiteSeekSaleOrRentWidget::ListData demand;
        demand.mianji = QStringLiteral("80");
        demand.price = QStringLiteral("1000");
        demand.tfloors = QStringLiteral("15");
        demand.name = QStringLiteral("李女士");
        QTest::newRow("demand with half of each range")
            << MicroWebsiteSeekSaleOrRentWidget::displayValuesFor(demand, 1)
            << texts({{"key_size", "80-—㎡"}, {"key_price", "1000-—元/月"}, {"key_floor", "—-15层"}, {"key_link", "李女士-—"}});

        QTest::newRow("managed house for sale, nothing sent")
            << HouseManagerSaleOrRentListWidget::displayValuesFor({}, 0)
            << dashes(QStringLiteral("key_bianHao key_title key_xiaoqu key_price key_unitprice key_publisher key_publishtime"));
        QTest::newRow("managed house for rent, nothing sent")
            << HouseManagerSaleOrRentListWidget::displayValuesFor({}, 1) << dashes(QStringLiteral("key_monthmoney"));
    }

    void missingValuesShowADash()
    {
        QFETCH(QVariantMap, texts);
        QFETCH(QVariantMap, expected);
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(qMakePair(it.key(), texts.value(it.key()).toString()), qMakePair(it.key(), it.value().toString()));
    }
};

QTEST_MAIN(TestSaleOrRentList)
#include "tst_saleorrentlist.moc"
