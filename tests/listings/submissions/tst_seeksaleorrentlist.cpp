#include "frame/MicroWebsiteControlCenter.h"
#include "listings/common/HoverTableWidget.h"
#include "listings/submissions/MicroWebsiteSeekSaleOrRentDetailWidget.h"
#include "listings/submissions/MicroWebsiteSeekSaleOrRentWidget.h"
#include "support/service/ReferenceService.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/HostWindowFixture.h"
#include "support/ui/LocalStoreFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "support/ui/PagingProbe.h"
#include "support/ui/TablePageProbe.h"
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
#include <QtTest>

#include <memory>

using F = LocalStoreFixture;
using TablePageProbe::cellText;
using TablePageProbe::settled;

namespace {

const QString kPath = QStringLiteral("/api/mtore/gzposts");

int columnOf(const QString& key)
{
    return TablePageProbe::columnOf(MicroWebsiteSeekSaleOrRentWidget::columnsJson(), key);
}

QString pageInfo(const ListingTablePage& listing)
{
    return PagingProbe::pageInfo(listing.pagingBar());
}

} // namespace

class TestSeekSaleOrRentList : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<HostWindowFixture> m_host;
    CustomTabWidget* m_tabs = nullptr;

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
        QTest::addColumn<QJsonObject>("demand");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");

        const QString price = QStringLiteral("price");
        const QString tprice = QStringLiteral("tprice");
        QTest::newRow("renting price range")
            << 1 << QJsonObject{{price, QStringLiteral("1000")}, {tprice, QStringLiteral("2000")}} << "key_price" << "1000-2000元/月";
        QTest::newRow("buying price range")
            << 0 << QJsonObject{{price, QStringLiteral("80")}, {tprice, QStringLiteral("120")}} << "key_price" << "80-120万";
        QTest::newRow("prices sent as numbers") << 0 << QJsonObject{{price, 85.5}, {tprice, 100}} << "key_price" << "85.5-100万";
        QTest::newRow("size range")
            << 0 << QJsonObject{{QStringLiteral("mianji"), QStringLiteral("80")}, {QStringLiteral("tmianji"), QStringLiteral("120")}}
            << "key_size" << "80-120㎡";
        QTest::newRow("floor range")
            << 1 << QJsonObject{{QStringLiteral("floors"), QStringLiteral("3")}, {QStringLiteral("tfloors"), QStringLiteral("15")}}
            << "key_floor" << "3-15层";
        QTest::newRow("name and phone")
            << 0 << QJsonObject{{QStringLiteral("name"), QStringLiteral("李女士")}, {QStringLiteral("phone"), QStringLiteral("13912345678")}}
            << "key_link" << "李女士-13912345678";
        QTest::newRow("wanted area as typed")
            << 1 << QJsonObject{{QStringLiteral("needarea"), QStringLiteral("高新区金融城附近")}} << "key_quyu" << "高新区金融城附近";
        QTest::newRow("id") << 0 << QJsonObject{{QStringLiteral("id"), 77}} << "key_bianHao" << "77";
        QTest::newRow("time") << 1 << QJsonObject{{QStringLiteral("time"), QStringLiteral("2024-06-01 09:15:00")}}
                              << "key_publishtime" << "2024-06-01 09:15:00";
        QTest::newRow("missing range") << 1 << QJsonObject() << "key_price" << "—";
    }

    void cellTexts()
    {
        QFETCH(int, type);
        QFETCH(QJsonObject, demand);
        QFETCH(QString, key);
        QFETCH(QString, text);

        ScriptedHttpServer server;
        QVERIFY(server.start());
        server.setReply(kPath, ScriptedHttpServer::listReply(1, {demand}));
        server.useAsApiBase();

        MicroWebsiteSeekSaleOrRentWidget listing(m_tabs);
        listing.resize(1100, 700);
        listing.show();
        listing.setType(type);
        QVERIFY(settled(listing));

        QCOMPARE(server.requestsTo(kPath).size(), 1);
        QCOMPARE(QString::fromUtf8(server.requestsTo(kPath).first().body),
                 QStringLiteral("type=%1&pagesize=20&pageindex=1").arg(type));
        QCOMPARE(listing.table()->columnCount(), 7);
        QCOMPARE(cellText(listing, 0, columnOf(key)), text);
    }

    void columns()
    {
        ScriptedHttpServer server;
        QVERIFY(server.start());
        server.setReply(kPath, ScriptedHttpServer::listReply(1, {QJsonObject{{QStringLiteral("id"), 1}}}));
        server.useAsApiBase();

        auto* listing = TablePageProbe::open<MicroWebsiteSeekSaleOrRentWidget>(m_tabs, QStringLiteral("求购"), 0);
        QVERIFY(settled(*listing));
        QCOMPARE(TablePageProbe::headerTitles(*listing),
                 QStringList({QStringLiteral("编号"), QStringLiteral("需求区域"), QStringLiteral("需求面积"),
                              QStringLiteral("需求楼层"), QStringLiteral("需求价格"), QStringLiteral("联系方式"),
                              QStringLiteral("发布时间")}));
        const QList<int> rates = {2, 6, 4, 4, 4, 6, 6};
        const int width = listing->table()->width();
        for (int i = 0; i < rates.size() - 1; ++i)
            QCOMPARE(listing->table()->columnWidth(i), rates.at(i) * width / 32);
    }

    // The demands of the service, both kinds, paged as the submissions are.
    void demandsFromTheService()
    {
        ReferenceService service;
        QVERIFY2(service.isRunning(), qPrintable(service.errorString()));
        QVERIFY(F::loginAtService(service, QStringLiteral("13800000000")));

        MicroWebsiteControlCenter center;
        center.loadSeekSaleCustomer(QStringLiteral("求购"));
        auto* buying = qobject_cast<MicroWebsiteSeekSaleOrRentWidget*>(m_tabs->currentWidget());
        QVERIFY(buying);
        QCOMPARE(buying->objectName(), QStringLiteral("MicroWebsiteSeekSaleOrRentWidget"));
        QVERIFY(settled(*buying));
        QCOMPARE(buying->table()->rowCount(), 20);
        QCOMPARE(pageInfo(*buying), QStringLiteral("条，共2页，共计30条，当前第"));
        QVERIFY(cellText(*buying, 0, columnOf(QStringLiteral("key_price"))).endsWith(QStringLiteral("万")));
        QVERIFY(cellText(*buying, 0, columnOf(QStringLiteral("key_floor"))).endsWith(QStringLiteral("层")));

        QTest::mouseClick(buying->findChild<QPushButton*>(QStringLiteral("pushButton_next")), Qt::LeftButton);
        QVERIFY(settled(*buying));
        QCOMPARE(buying->table()->rowCount(), 10);
        QTest::mouseClick(buying->findChild<QPushButton*>(QStringLiteral("pushButton_next")), Qt::LeftButton);
        QVERIFY(AlertProbe::waitForAlertContaining(QStringLiteral("亲，当前已是最后一页无法再翻到下一页了！")));
        AlertProbe::closeAll();

        // Refresh goes back to the first page.
        QTest::mouseClick(buying->findChild<QPushButton*>(QStringLiteral("pushButton_refresh")), Qt::LeftButton);
        QVERIFY(settled(*buying));
        QCOMPARE(PagingProbe::currentPage(buying->pagingBar()), QStringLiteral("1"));
        QCOMPARE(buying->table()->rowCount(), 20);

        center.loadSeekRentCustomer(QStringLiteral("求租"));
        auto* renting = qobject_cast<MicroWebsiteSeekSaleOrRentWidget*>(m_tabs->currentWidget());
        QVERIFY(renting && renting != buying);
        QVERIFY(settled(*renting));
        QCOMPARE(pageInfo(*renting), QStringLiteral("条，共1页，共计20条，当前第"));
        QVERIFY(cellText(*renting, 0, columnOf(QStringLiteral("key_price"))).endsWith(QStringLiteral("元/月")));
        QVERIFY(!renting->noDataView());
    }

    void rowOpensDetail()
    {
        ScriptedHttpServer server;
        QVERIFY(server.start());
        const QJsonObject demand{{QStringLiteral("id"), 5}, {QStringLiteral("name"), QStringLiteral("王先生")},
                                 {QStringLiteral("sex"), QStringLiteral("0")}, {QStringLiteral("price"), QStringLiteral("1000")},
                                 {QStringLiteral("tprice"), QStringLiteral("2000")}};
        server.setReply(kPath, ScriptedHttpServer::listReply(1, {demand}));
        server.useAsApiBase();

        auto* listing = TablePageProbe::open<MicroWebsiteSeekSaleOrRentWidget>(m_tabs, QStringLiteral("求租"), 1);
        QVERIFY(settled(*listing));
        QCOMPARE(listing->rows().first().name, QStringLiteral("王先生"));

        QTest::mouseClick(listing->table()->cellWidget(0, 1), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QTRY_COMPARE(HostWindowFixture::openPopups().size(), 1);
        CommonAddWidget* frame = HostWindowFixture::openPopups().first();
        QCOMPARE(frame->parentWidget(), listing);
        QCOMPARE(frame->size(), QSize(612, 412));
        QCOMPARE(frame->findChild<QLabel*>(QStringLiteral("titleLabel"))->text(), QStringLiteral("详情"));
        // The detail shows the clicked demand as a renting one.
        auto* detail = qobject_cast<MicroWebsiteSeekSaleOrRentDetailWidget*>(frame->content());
        QVERIFY(detail);
        QStringList texts;
        for (const QLabel* label : detail->findChildren<QLabel*>())
            texts.append(label->text());
        QVERIFY2(texts.contains(QStringLiteral("需求月租：1000-2000元/月")), qPrintable(texts.join(QLatin1Char('|'))));
    }

    void emptyPage()
    {
        ScriptedHttpServer server;
        QVERIFY(server.start());
        server.setReply(kPath, ScriptedHttpServer::envelope(200, QString(), QJsonObject{{QStringLiteral("total"), 0}}));
        server.useAsApiBase();

        auto* listing = TablePageProbe::open<MicroWebsiteSeekSaleOrRentWidget>(m_tabs, QStringLiteral("求购"), 0);
        QVERIFY(settled(*listing));
        QVERIFY(listing->noDataView() && listing->noDataView()->isVisible());
        QCOMPARE(listing->noDataView()->text(), QStringLiteral("暂无数据"));
        QCOMPARE(listing->table()->rowCount(), 0);
    }
};

QTEST_MAIN(TestSeekSaleOrRentList)
#include "tst_seeksaleorrentlist.moc"
