#include "content/news/MicroWebsiteNewsStackWidget.h"
#include "frame/MicroWebsiteControlCenter.h"
#include "frame/MicroWebsiteModule.h"
#include "settings/stack/MircroWebSiteSetStackWidget.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/HostWindowFixture.h"
#include "support/ui/LabelProbe.h"
#include "support/ui/LocalStoreFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/CommonAddWidget.h"

#include "CommonSignalTool.h"
#include "CustomTabWidget.h"
#include "DataCenter.h"

#include <QApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLibrary>
#include <QMainWindow>
#include <QStandardPaths>
#include <QTabBar>
#include <QtTest>

#include <memory>

using F = LocalStoreFixture;


class TestControlCenter : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<HostWindowFixture> m_host;
    CustomTabWidget* m_tabs = nullptr;
    MicroWebsiteControlCenter* m_center = nullptr;

    QWidget* pageNamed(const QString& name) const
    {
        for (int i = 0; i < m_tabs->count(); ++i) {
            if (m_tabs->widget(i)->objectName() == name)
                return m_tabs->widget(i);
        }
        return nullptr;
    }

private slots:
    void initTestCase()
    {
        ModuleTestEnvironment::prepareWidgetTests();
    }

    void init()
    {
        m_host = std::make_unique<HostWindowFixture>();
        m_tabs = m_host->tabs();
        m_center = MicroWebsiteModule::init(m_host->window());
    }

    void cleanup()
    {
        m_host.reset();
    }

    void pluginAnswersVersionBeforeInit()
    {
        QLibrary plugin(QStringLiteral(KQ_BIN_DIR "/kq_microwebsite"));
        QVERIFY2(plugin.load(), qPrintable(plugin.errorString()));
        using VersionFunction = int (*)();
        auto version = reinterpret_cast<VersionFunction>(plugin.resolve("getVersion"));
        QVERIFY(version);
        QCOMPARE(version(), 1);
        QVERIFY(plugin.resolve("init"));
    }

    void mainPageOpensOnceAndIsBroughtToTheFront()
    {
        CommonSignalTool::Instance()->send_reviceMsg(QStringLiteral("APP_MicroWebsite"), QVariant(), nullptr);
        QCOMPARE(m_tabs->count(), 1);
        QCOMPARE(m_tabs->tabText(0), QStringLiteral("微官网"));
        QWidget* main = m_tabs->widget(0);

        m_center->loadSaleHouse(QStringLiteral("二手房"));
        m_center->loadRentHouse(QStringLiteral("出租房源"));
        QCOMPARE(m_tabs->currentIndex(), 2);
        // Chosen again while another tab is in front: the same page comes to the front.
        CommonSignalTool::Instance()->send_reviceMsg(QStringLiteral("APP_MicroWebsite"), QVariant(), nullptr);
        QCOMPARE(m_tabs->count(), 3);
        QCOMPARE(m_tabs->widget(0), main);
        QCOMPARE(m_tabs->currentWidget(), main);
        QVERIFY(main->isVisible());

        // Also after the tabs were moved about.
        m_tabs->tabBar()->moveTab(0, 2);
        m_center->loadSaleHouse(QStringLiteral("二手房"));
        QVERIFY(m_tabs->currentWidget() != main);
        CommonSignalTool::Instance()->send_reviceMsg(QStringLiteral("APP_MicroWebsite"), QVariant(), nullptr);
        QCOMPARE(m_tabs->count(), 3);
        QCOMPARE(m_tabs->currentWidget(), main);

        // Unknown keys are ignored.
        CommonSignalTool::Instance()->send_reviceMsg(QStringLiteral("SomethingElse"), QVariant(), nullptr);
        QCOMPARE(m_tabs->count(), 3);
        QCOMPARE(m_tabs->currentWidget(), main);
    }

    void tileDispatch_data()
    {
        QTest::addColumn<bool>("manager");
        QTest::addColumn<bool>("right156");
        QTest::addColumn<bool>("right148");
        QTest::addColumn<int>("itemid");
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("pageType");
        QTest::addColumn<QString>("alert");

        const QString noCustomer = QStringLiteral("您没有管理该项的权限！");
        const QString noNews = QStringLiteral("您没有管理资讯的权限，如需修改，请联系管理员！");
        QTest::newRow("1 new houses, no rights needed") << false << false << false << 1 << "MicroWebSiteNewHouseListWidget" << -1 << "";
        QTest::newRow("2 sale houses") << false << false << false << 2 << "HouseManagerSaleOrRentListWidget" << 0 << "";
        QTest::newRow("3 rent houses") << false << false << false << 3 << "HouseManagerSaleOrRentListWidget" << 1 << "";
        QTest::newRow("15 financial") << false << false << false << 15 << "MircroWebSiteFinancialListWidget" << -1 << "";
        QTest::newRow("24 rebate") << false << false << false << 24 << "RebatixStackWidget" << -1 << "";
        QTest::newRow("-4 browsing track") << false << false << false << -4 << "MicroWebsiteUserBrowsingTrackWidget" << -1 << "";
        QTest::newRow("4 manager") << true << false << false << 4 << "MicroWebsiteSaleOrRentWidget" << 0 << "";
        QTest::newRow("5 without 156") << false << false << true << 5 << "" << -1 << noCustomer;
        QTest::newRow("5 with 156") << false << true << false << 5 << "MicroWebsiteSaleOrRentWidget" << 1 << "";
        QTest::newRow("6 with 156") << false << true << false << 6 << "MicroWebsiteSeekSaleOrRentWidget" << 0 << "";
        QTest::newRow("7 without 156") << false << false << false << 7 << "" << -1 << noCustomer;
        QTest::newRow("23 without 148") << false << true << false << 23 << "" << -1 << noNews;
        QTest::newRow("25 with 148") << false << false << true << 25 << "MicroWebsiteNewsStackWidget" << -1 << "";
        QTest::newRow("23 manager") << true << false << false << 23 << "MicroWebsiteNewsStackWidget" << -1 << "";
        QTest::newRow("unknown id") << true << true << true << 99 << "" << -1 << "";
    }

    void tileDispatch()
    {
        QFETCH(bool, manager);
        QFETCH(bool, right156);
        QFETCH(bool, right148);
        QFETCH(int, itemid);
        QFETCH(QString, page);
        QFETCH(int, pageType);
        QFETCH(QString, alert);

        F::storeUser(QStringLiteral("13800000001"), manager, {F::right(156, right156, 0), F::right(148, right148, 0)});
        m_center->mainPageFunctionsClick(itemid, QStringLiteral("标题"));

        if (page.isEmpty()) {
            QCOMPARE(m_tabs->count(), 0);
        } else {
            QCOMPARE(m_tabs->count(), 1);
            QCOMPARE(m_tabs->widget(0)->objectName(), page);
            QCOMPARE(m_tabs->tabText(0), QStringLiteral("标题"));
            if (pageType >= 0)
                QCOMPARE(m_tabs->widget(0)->property("pageType").toInt(), pageType);
        }
        if (alert.isEmpty()) {
            QVERIFY(AlertProbe::flushPending());
            QVERIFY(AlertProbe::visibleAlerts().isEmpty());
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(AlertProbe::visibleAlerts().size(), 1, 2000);
            QCOMPARE(AlertProbe::visibleAlerts().first()->message(), alert);
            QCOMPARE(AlertProbe::visibleAlerts().first()->title(), QStringLiteral("警告"));
        }
    }

    void openPageTwiceOnlyRaisesIt()
    {
        m_center->loadSaleHouse(QStringLiteral("出售房源"));
        QWidget* sale = m_tabs->widget(0);
        m_center->loadRentHouse(QStringLiteral("出租房源"));
        QCOMPARE(m_tabs->currentIndex(), 1);
        m_center->loadSaleHouse(QStringLiteral("另一个标题"));
        QCOMPARE(m_tabs->count(), 2);
        QCOMPARE(m_tabs->currentWidget(), sale);
        QCOMPARE(m_tabs->tabText(0), QStringLiteral("出售房源"));
    }

    void aTabShowsItsTitleAsTyped()
    {
        // A tile's title can be an app name the user typed.
        const QString title = QStringLiteral("张&李 R&&D &");
        m_center->mainPageFunctionsClick(2, title);
        QCOMPARE(m_tabs->count(), 1);
        QCOMPARE(LabelProbe::shownMnemonicText(m_tabs->tabText(0)), title);
        QVERIFY(QKeySequence::mnemonic(m_tabs->tabText(0)).isEmpty());
    }

    void closedTabIsRebuilt()
    {
        F::storeUser(QStringLiteral("13800000000"), true, {});
        m_center->mainPageFunctionsClick(4, QStringLiteral("业主委托出售"));
        QPointer<QWidget> first = m_tabs->widget(0);
        m_tabs->closeTabAt(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        QCOMPARE(m_tabs->count(), 0);

        m_center->mainPageFunctionsClick(4, QStringLiteral("业主委托出售"));
        QCOMPARE(m_tabs->count(), 1);
        QCOMPARE(m_tabs->widget(0)->objectName(), QStringLiteral("MicroWebsiteSaleOrRentWidget"));
        QCOMPARE(m_tabs->widget(0)->property("pageType").toInt(), 0);
    }

    void newsAndEncyclopediaShareOnePage()
    {
        F::storeUser(QStringLiteral("13800000000"), true, {});
        m_center->mainPageFunctionsClick(23, QStringLiteral("资讯"));
        m_center->loadRentHouse(QStringLiteral("出租房源"));
        m_center->mainPageFunctionsClick(25, QStringLiteral("百科"));
        QCOMPARE(m_tabs->count(), 2);
        QWidget* news = pageNamed(QStringLiteral("MicroWebsiteNewsStackWidget"));
        QVERIFY(news);
        QCOMPARE(m_tabs->currentWidget(), news);
        QCOMPARE(qobject_cast<MicroWebsiteNewsStackWidget*>(news)->currentIndex(), 2);
        QCOMPARE(m_tabs->tabText(m_tabs->indexOf(news)), QStringLiteral("资讯"));
    }

    void settingsMessageOpensThePopup()
    {
        CommonSignalTool::Instance()->send_reviceMsg(QStringLiteral("OpenMicroWebsiteSet"), QVariant(), nullptr);
        const QList<CommonAddWidget*> frames = m_tabs->findChildren<CommonAddWidget*>();
        QCOMPARE(frames.size(), 1);
        CommonAddWidget* frame = frames.first();
        QVERIFY(frame->isVisible());
        QCOMPARE(frame->size(), QSize(812, 712));
        QCOMPARE(frame->findChild<QLabel*>(QStringLiteral("titleLabel"))->text(), QStringLiteral("微官网设置"));
        QVERIFY(frame->findChild<MircroWebSiteSetStackWidget*>());
        // Each request builds a new one.
        CommonSignalTool::Instance()->send_reviceMsg(QStringLiteral("OpenMicroWebsiteSet"), QVariant(), nullptr);
        QCOMPARE(m_tabs->findChildren<CommonAddWidget*>().size(), 2);
        // The stack's own cancel closes its popup.
        QPointer<CommonAddWidget> second = m_tabs->findChildren<CommonAddWidget*>().last();
        emit second->findChild<MircroWebSiteSetStackWidget*>()->closeWidget();
        QTRY_VERIFY(!second || !second->isVisible());
    }
};

QTEST_MAIN(TestControlCenter)
#include "tst_controlcenter.moc"
