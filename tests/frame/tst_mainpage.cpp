#include "frame/MicroWebsiteControlCenter.h"
#include "frame/MicroWebsiteMainPageWidget.h"
#include "frame/MicroWebsiteModule.h"
#include "settings/apps/CustomAppContent.h"
#include "settings/apps/MircroWebSiteAddCustomAppWidget.h"
#include "support/service/ReferenceService.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/HostWindowFixture.h"
#include "support/ui/LocalStoreFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/bars/MicroWebsiteTopOperateView.h"
#include "widgets/photos/PhotoFileDialog.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/CommonAddWidget.h"
#include "widgets/tiles/ItemButtonWidget.h"

#include "CommonSignalTool.h"
#include "CustomTabWidget.h"
#include "DataCenter.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include <algorithm>

#include <memory>

using F = LocalStoreFixture;
using Host = HostWindowFixture;

namespace {

QJsonArray serviceTiles(int plain, int customApps)
{
    QJsonArray tiles;
    for (int i = 0; i < plain; ++i)
        tiles.append(QJsonObject{{QStringLiteral("show"), 1}, {QStringLiteral("itemid"), 100 + i}, {QStringLiteral("type"), 0},
                                 {QStringLiteral("title"), QStringLiteral("功能%1").arg(i)}, {QStringLiteral("sort"), i},
                                 {QStringLiteral("content"), QString()}});
    for (int i = 0; i < customApps; ++i)
        tiles.append(QJsonObject{{QStringLiteral("show"), 1}, {QStringLiteral("itemid"), 500 + i}, {QStringLiteral("type"), 1},
                                 {QStringLiteral("title"), QStringLiteral("应用%1").arg(i)}, {QStringLiteral("sort"), 50 + i},
                                 {QStringLiteral("content"), QString()}});
    return tiles;
}

QList<ItemButtonWidget*> tileButtons(const MicroWebsiteMainPageWidget& page)
{
    QList<ItemButtonWidget*> buttons;
    for (ItemButtonWidget* b : page.tileArea()->findChildren<ItemButtonWidget*>()) {
        if (b->isVisible())
            buttons.append(b);
    }
    return buttons;
}

ItemButtonWidget* tileWithId(const MicroWebsiteMainPageWidget& page, int itemid)
{
    for (ItemButtonWidget* b : tileButtons(page)) {
        if (b->itemId() == itemid)
            return b;
    }
    return nullptr;
}

} // namespace

class TestMainPage : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<HostWindowFixture> m_host;

    // Waits for the start-up request of a page to finish.
    static void settle(MicroWebsiteMainPageWidget& page)
    {
        QTRY_VERIFY_WITH_TIMEOUT(!page.tiles().isEmpty(), 10000);
        QTest::qWait(50);
    }

private slots:
    void initTestCase()
    {
        ModuleTestEnvironment::prepareWidgetTests();
    }

    void init()
    {
        m_host = std::make_unique<HostWindowFixture>();
    }

    void cleanup()
    {
        m_host.reset();
    }

    void grid_data()
    {
        QTest::addColumn<int>("plain");
        QTest::addColumn<int>("customApps");
        QTest::addColumn<int>("tiles");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("addTile");

        QTest::newRow("no service tiles: one row") << 0 << 0 << 3 << 100 << true;
        QTest::newRow("fourteen tiles: two rows") << 9 << 2 << 14 << 210 << true;
        QTest::newRow("fifteen tiles: three rows") << 10 << 2 << 15 << 320 << true;
        QTest::newRow("nine custom apps keep the add tile") << 0 << 9 << 12 << 210 << true;
        QTest::newRow("ten custom apps drop the add tile") << 0 << 10 << 12 << 210 << false;
    }

    void grid()
    {
        QFETCH(int, plain);
        QFETCH(int, customApps);
        QFETCH(int, tiles);
        QFETCH(int, height);
        QFETCH(bool, addTile);

        MicroWebsiteMainPageWidget page;
        page.resize(1000, 700);
        page.show();
        page.deal_appList(serviceTiles(plain, customApps));
        QCOMPARE(tileButtons(page).size(), tiles);
        QCOMPARE(page.tileArea()->minimumHeight(), height);
        QCOMPARE(page.tiles().first().itemid, -1);
        QCOMPARE(page.tiles().at(1).itemid, -4);
        QCOMPARE(tileWithId(page, -2) != nullptr, addTile);
        if (addTile)
            QCOMPARE(page.tiles().last().itemid, -2);

        // Seven to a row: the eighth tile starts the second row under the first.
        if (tiles > 7) {
            const QList<ItemButtonWidget*> buttons = tileButtons(page);
            QCOMPARE(buttons.at(7)->x(), buttons.at(0)->x());
            QVERIFY(buttons.at(7)->y() > buttons.at(0)->y());
        }

        // A new fill replaces the tiles, it does not add to them.
        page.deal_appList(serviceTiles(0, 0));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(page.tileArea()->findChildren<ItemButtonWidget*>().size(), 3);
    }

    void tilesComeFromTheService()
    {
        ReferenceService service;
        QVERIFY2(service.isRunning(), qPrintable(service.errorString()));
        QVERIFY(F::loginAtService(service, QStringLiteral("13800000000")));
        MicroWebsiteMainPageWidget page;
        page.show();
        settle(page);
        QStringList titles;
        for (const auto& tile : page.tiles())
            titles.append(tile.title);
        QVERIFY2(titles.contains(QStringLiteral("新房")), qPrintable(titles.join(QLatin1Char(','))));
        QCOMPARE(titles.first(), QStringLiteral("轮播广告"));
        QCOMPARE(titles.at(1), QStringLiteral("用户轨迹"));
        QCOMPARE(titles.last(), QStringLiteral("自定义应用"));

        // Clicking a service tile asks the control center for its page.
        QSignalSpy clicked(&page, &MicroWebsiteMainPageWidget::clickID);
        ItemButtonWidget* sale = tileWithId(page, 2);
        QVERIFY(sale);
        QTest::mouseClick(sale, Qt::LeftButton);
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked.first().at(0).toInt(), 2);
        QCOMPARE(clicked.first().at(1).toString(), sale->title());
    }

    // A custom app added from the main page's add tile, with an icon and two pictures, comes back
    // from the service as a tile with its icon.
    void anAddedCustomAppShowsItsTile()
    {
        ReferenceService service;
        QVERIFY2(service.isRunning(), qPrintable(service.errorString()));
        QVERIFY(F::loginAtService(service, QStringLiteral("13800000000")));
        MicroWebsiteMainPageWidget page;
        page.show();
        settle(page);
        const QString photos = QStringLiteral(KQ_TESTDATA_DIR "/photos/");
        PhotoFileDialog::setPicker([photos](QWidget*, bool several) {
            return several ? QStringList{photos + QStringLiteral("Landscape_0.jpg"), photos + QStringLiteral("Portrait_5.jpg")}
                           : QStringList{photos + QStringLiteral("Landscape_8.jpg")};
        });
        QTest::mouseClick(tileWithId(page, -2), Qt::LeftButton);
        auto* editor = Host::openPopups().value(0) ? Host::openPopups().first()->findChild<MircroWebSiteAddCustomAppWidget*>() : nullptr;
        QVERIFY(editor);
        editor->chooseIconPhoto();
        QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("addPhotosButton")), Qt::LeftButton);
        editor->findChild<QLineEdit*>(QStringLiteral("nameEdit"))->setText(QStringLiteral("新盘速递"));
        QTRY_VERIFY_WITH_TIMEOUT(!editor->isBusy(), 30000);
        QCOMPARE(editor->photos().size(), 2);
        QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("submitButton")), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(std::any_of(page.tiles().cbegin(), page.tiles().cend(),
                                             [](const auto& tile) { return tile.title == QStringLiteral("新盘速递"); }),
                                 30000);
        PhotoFileDialog::setPicker({});
        for (const auto& tile : page.tiles()) {
            if (tile.title == QStringLiteral("新盘速递")) {
                QCOMPARE(tile.type, 1);
                QVERIFY2(tile.icon.startsWith(service.baseUrl() + QStringLiteral("files/")), qPrintable(tile.icon));
                QCOMPARE(CustomAppContent::photoAddresses(tile.content).size(), 2);
            }
        }
        QVERIFY(Host::openPopups().isEmpty());
    }

    void failedRequestKeepsTheTiles()
    {
        ScriptedHttpServer server;
        QVERIFY(server.start());
        server.setReply(QStringLiteral("/api/mtore/appposts"),
                        ScriptedHttpServer::envelope(405, QStringLiteral("服务繁忙"), QJsonValue()));
        server.useAsApiBase();

        MicroWebsiteMainPageWidget page;
        page.show();
        page.deal_appList(serviceTiles(4, 1));
        const int before = tileButtons(page).size();
        QTRY_VERIFY_WITH_TIMEOUT(server.requestsTo(QStringLiteral("/api/mtore/appposts")).size() == 1, 5000);
        QVERIFY(AlertProbe::waitForAlertContaining(QStringLiteral("服务繁忙")));
        QCOMPARE(tileButtons(page).size(), before);
        QCOMPARE(page.tiles().size(), 4 + 1 + 3);
    }

    // Titles come from the service: shown as written, never as markup.
    void tileTitlesArePlainText()
    {
        MicroWebsiteMainPageWidget page;
        page.show();
        QJsonArray tiles = serviceTiles(1, 0);
        QJsonObject tile = tiles.at(0).toObject();
        tile.insert(QStringLiteral("title"), QStringLiteral("<b>粗</b>"));
        tiles.replace(0, tile);
        page.deal_appList(tiles);
        const ItemButtonWidget* button = tileWithId(page, 100);
        QVERIFY(button);
        auto* title = button->findChild<QLabel*>(QStringLiteral("tileTitle"));
        QVERIFY(title);
        QCOMPARE(title->textFormat(), Qt::PlainText);
        QVERIFY(title->text().contains(QStringLiteral("<b>")));
    }

    void customAppsNeedAManager()
    {
        F::storeUser(QStringLiteral("13800000001"), false, {});
        MicroWebsiteMainPageWidget page;
        page.show();
        page.deal_appList(serviceTiles(0, 1));
        QTest::mouseClick(tileWithId(page, 500), Qt::LeftButton);
        QVERIFY(AlertProbe::waitForAlertContaining(QStringLiteral("您当前没有权利操作，请联系管理员！")));
        QVERIFY(Host::openPopups().isEmpty());
        AlertProbe::closeAll();

        F::storeUser(QStringLiteral("13800000000"), true, {});
        QTest::mouseClick(tileWithId(page, 500), Qt::LeftButton);
        QCOMPARE(Host::openPopups().size(), 1);
        QCOMPARE(Host::popupTitle(Host::openPopups().first()), QStringLiteral("编辑自定义应用"));
        // 577 x 762 at most: on the office screen, 728 px high above the task bar.
        QCOMPARE(Host::openPopups().first()->size(), QSize(577, 728));
        // The tile's record reaches the editor.
        auto* editor = Host::openPopups().first()->findChild<MircroWebSiteAddCustomAppWidget*>();
        QVERIFY(editor);
        QCOMPARE(editor->findChild<QLineEdit*>(QStringLiteral("nameEdit"))->text(), QStringLiteral("应用0"));
        Host::openPopups().first()->closeWidget();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QTest::mouseClick(tileWithId(page, -2), Qt::LeftButton);
        QCOMPARE(Host::popupTitle(Host::openPopups().first()), QStringLiteral("添加自定义应用"));
    }

    void builtInPopupsAndSiteTile_data()
    {
        QTest::addColumn<int>("itemid");
        QTest::addColumn<QString>("title");
        QTest::newRow("company profile") << 9 << "公司介绍";
        QTest::newRow("job postings") << 10 << "加入我们";
        QTest::newRow("carousel adverts") << -1 << "轮播广告";
    }

    void builtInPopupsAndSiteTile()
    {
        QFETCH(int, itemid);
        QFETCH(QString, title);
        MicroWebsiteMainPageWidget page;
        page.show();
        QJsonArray tiles = serviceTiles(0, 0);
        tiles.append(QJsonObject{{QStringLiteral("itemid"), 9}, {QStringLiteral("title"), QStringLiteral("公司介绍")}});
        tiles.append(QJsonObject{{QStringLiteral("itemid"), 10}, {QStringLiteral("title"), QStringLiteral("加入我们")}});
        page.deal_appList(tiles);
        QSignalSpy clicked(&page, &MicroWebsiteMainPageWidget::clickID);
        QTest::mouseClick(tileWithId(page, itemid), Qt::LeftButton);
        QCOMPARE(clicked.size(), 0);
        QCOMPARE(Host::openPopups().size(), 1);
        QCOMPARE(Host::popupTitle(Host::openPopups().first()), title);
        QCOMPARE(Host::openPopups().first()->size(), QSize(862, 712));
    }

    void siteTileWhileTheSiteIsClosed()
    {
        F::storeUser(QStringLiteral("13700000000"), true, {}, {{QStringLiteral("weiguanwang"), 0}});
        MicroWebsiteMainPageWidget page;
        page.show();
        page.deal_appList(QJsonArray{QJsonObject{{QStringLiteral("itemid"), -3}, {QStringLiteral("title"), QStringLiteral("我的官网")},
                                                 {QStringLiteral("content"), QStringLiteral("http://127.0.0.1:1/site/")}}});
        QTest::mouseClick(tileWithId(page, -3), Qt::LeftButton);
        AlertWidget* tip = AlertProbe::waitForAlertContaining(QStringLiteral("您尚未开通官网服务！"));
        QVERIFY(tip);
        QCOMPARE(AlertProbe::titleText(tip), QStringLiteral("提示"));
    }

    void settingsButtonOnlyForManagers()
    {
        DataCenter::isManager = false;
        MicroWebsiteTopOperateView staffBar;
        staffBar.show();
        QVERIFY(!staffBar.findChild<QPushButton*>(QStringLiteral("pushButton_set"))->isVisible());
        QVERIFY(!staffBar.findChild<QPushButton*>(QStringLiteral("pushButton_financialCustomer"))->isVisible());
        QVERIFY(!staffBar.findChild<QPushButton*>(QStringLiteral("pushButton_step"))->isVisible());

        // A manager's button reaches the control center through the hub and opens the settings.
        DataCenter::isManager = true;
        MicroWebsiteModule::init(m_host->window());
        MicroWebsiteTopOperateView bar;
        bar.show();
        QPushButton* set = bar.findChild<QPushButton*>(QStringLiteral("pushButton_set"));
        QVERIFY(set->isVisible());
        QTest::mouseClick(set, Qt::LeftButton);
        QCOMPARE(Host::openPopups().size(), 1);
        QCOMPARE(Host::popupTitle(Host::openPopups().first()), QStringLiteral("微官网设置"));

        QSignalSpy refresh(&bar, &MicroWebsiteTopOperateView::refresh);
        QTest::mouseClick(bar.findChild<QPushButton*>(QStringLiteral("pushButton_refresh")), Qt::LeftButton);
        QCOMPARE(refresh.size(), 1);
        bar.showFinancilCustomerButton();
        QVERIFY(bar.findChild<QPushButton*>(QStringLiteral("pushButton_financialCustomer"))->isVisible());
    }
};

QTEST_MAIN(TestMainPage)
#include "tst_mainpage.moc"
