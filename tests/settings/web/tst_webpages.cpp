#include "settings/auth/MicroWebSiteAuthWidget.h"
#include "settings/web/MicroWebsiteUserBrowsingTrackWidget.h"
#include "settings/web/RebatixStackWidget.h"
#include "support/cefview_stub/CefViewStubProbe.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/HostWindowFixture.h"
#include "support/ui/LocalStoreFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/popups/ModuleUpdateDialog.h"

#include "CommonSignalTool.h"
#include "CustomTabWidget.h"
#include "DataCenter.h"

#include <QLabel>
#include <QSignalSpy>
#include <QUrlQuery>
#include <QtTest>

#include <memory>

using Track = MicroWebsiteUserBrowsingTrackWidget;

namespace {

const QString kManager = QStringLiteral("13800000000");

// Every hub message of one key, while the recorder lives.
class HubRecorder : public QObject
{
public:
    explicit HubRecorder(const QString& key)
    {
        connect(CommonSignalTool::Instance(), &CommonSignalTool::reviceMsg, this,
                [this, key](const QString& sent, const QVariant& value, QObject*) {
                    if (sent == key)
                        values.append(value);
                });
    }
    QVariantList values;
};

} // namespace

class TestWebPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void authorizationLinksOpenTheirPages();
    void rebatePagesAreBuiltOnceWithEncodedAddresses();
    void visitsOpenTheirDetails_data();
    void visitsOpenTheirDetails();
    void theCircleComponentMissingOrIncomplete();
    void theTrackPageSendsItsVisitsHere();

private:
    std::unique_ptr<HostWindowFixture> m_host;
    QString m_company;
};

void TestWebPages::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
    m_company = DataCenter::CompanyID;
}

void TestWebPages::init()
{
    QVERIFY(CefViewStubProbe::use());
    m_host = std::make_unique<HostWindowFixture>();
    LocalStoreFixture::storeUser(kManager, true, {},
                                 {{QStringLiteral("companyid"), QStringLiteral("10001")},
                                  {QStringLiteral("cityid"), QStringLiteral("510100")},
                                  {QStringLiteral("cityname"), QStringLiteral("成都&天府 新区")}});
    DataCenter::CompanyID = QStringLiteral("10001");
    DataCenter::HttpHeadMap = {{QStringLiteral("sessionid"), QStringLiteral("s&1=2")}, {QStringLiteral("token"), QStringLiteral("t+k/3")}};
}

void TestWebPages::cleanup()
{
    DataCenter::CompanyID = m_company;
    Track::setHouseCircleLibrary(QStringLiteral("kq_appcenter"));
    HostWindowFixture::closeWindows(QStringLiteral("ModuleUpdateDialog"));
    HostWindowFixture::closeWindows(QStringLiteral("NewHouseDetailDialog"));
    HostWindowFixture::closeWindows(QStringLiteral("FinancialDetailDialog"));
    AlertProbe::closeAll();
    m_host.reset();
}

void TestWebPages::authorizationLinksOpenTheirPages()
{
    MicroWebSiteAuthWidget page;
    page.show();
    QCOMPARE(page.linkLabels().size(), 3);
    for (QLabel* link : page.linkLabels())
        QTest::mouseClick(link, Qt::LeftButton);
    const QList<QVariantMap> opened = CefViewStubProbe::callsOf(QStringLiteral("loadUrl"));
    QCOMPARE(opened.size(), 3);
    const QStringList titles{QStringLiteral("注册小程序"), QStringLiteral("认证小程序"), QStringLiteral("授权小程序")};
    for (int i = 0; i < 3; ++i) {
        const QVariantMap options = opened.at(i).value(QStringLiteral("options")).toMap();
        QCOMPARE(options.value(QStringLiteral("title")).toString(), titles.at(i));
        QCOMPARE(options.value(QStringLiteral("width")).toInt(), -1);
    }
    QVERIFY(opened.at(0).value(QStringLiteral("url")).toString().endsWith(QStringLiteral("wxopen/waregister?action=step1")));
    QVERIFY(opened.at(1).value(QStringLiteral("url")).toString().endsWith(QStringLiteral("/site/ap/instruction/3274.html")));
    QVERIFY(opened.at(2).value(QStringLiteral("url")).toString().endsWith(QStringLiteral("/site/Wechat/startAuth")));

    page.dealDataJson(QJsonValue(5));
    page.dealDataJson(QJsonObject{{QStringLiteral("url"), QStringLiteral("x")}});
    QCOMPARE(CefViewStubProbe::callsOf(QStringLiteral("loadUrl")).size(), 3);
    page.dealDataJson(QStringLiteral("http://127.0.0.1:1/site/x"));
    QCOMPARE(CefViewStubProbe::callsOf(QStringLiteral("loadUrl")).last().value(QStringLiteral("options")).toMap().value(QStringLiteral("title")).toString(),
             QStringLiteral("授权小程序"));
}

void TestWebPages::rebatePagesAreBuiltOnceWithEncodedAddresses()
{
    RebatixStackWidget page;
    page.show();
    QCOMPARE(page.currentItem(), 1);
    QTest::mouseClick(page.labels().at(2), Qt::LeftButton);
    QTest::mouseClick(page.labels().at(2), Qt::LeftButton);
    QTest::mouseClick(page.labels().at(0), Qt::LeftButton);
    QTest::mouseClick(page.labels().at(2), Qt::LeftButton);
    const QList<QVariantMap> made = CefViewStubProbe::callsOf(QStringLiteral("insertOnlyWeb"));
    QCOMPARE(made.size(), 2);

    const QUrl first(made.at(0).value(QStringLiteral("url")).toString());
    QVERIFY(first.path().endsWith(QStringLiteral("/site/trad.html")));
    const QUrlQuery trad(first.query(QUrl::FullyEncoded));
    QCOMPARE(trad.queryItemValue(QStringLiteral("companyid")), QStringLiteral("10001"));
    QCOMPARE(trad.queryItemValue(QStringLiteral("cityid")), QStringLiteral("510100"));
    QCOMPARE(trad.queryItemValue(QStringLiteral("cityname"), QUrl::FullyDecoded), QStringLiteral("成都&天府 新区"));
    QCOMPARE(trad.queryItemValue(QStringLiteral("sessionID"), QUrl::FullyDecoded), QStringLiteral("s&1=2"));
    QCOMPARE(trad.queryItemValue(QStringLiteral("_sn"), QUrl::FullyDecoded), QStringLiteral("t+k/3"));
    QCOMPARE(trad.queryItems().size(), 5);

    const QUrl users(made.at(1).value(QStringLiteral("url")).toString());
    QVERIFY(users.path().endsWith(QStringLiteral("/site/rebate_user.html")));
    QCOMPARE(QUrlQuery(users.query()).queryItems().size(), 2);

    const QVariantMap user{{QStringLiteral("companyid"), 7}, {QStringLiteral("cityid"), 8}, {QStringLiteral("cityname"), QStringLiteral("重庆")}};
    QVERIFY(RebatixStackWidget::pageUrl(2, user, {}).contains(QStringLiteral("commission_rate.html?companyid=7&cityid=8&cityname=")));
    QVERIFY(RebatixStackWidget::pageUrl(4, user, {}).endsWith(QStringLiteral("rebates_clientwantzg.html?companyid=7&cityid=8")));
    QVERIFY(RebatixStackWidget::pageUrl(5, user, {}).endsWith(QStringLiteral("rebates_clinethousetable.html?companyid=7&cityid=8")));
}

void TestWebPages::visitsOpenTheirDetails_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("hubId");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("empty itemId") << QStringLiteral("{\"type\":3,\"itemId\":\"\"}") << 0 << QString();
    QTest::newRow("itemId abc") << QStringLiteral("{\"type\":1,\"itemId\":\"abc\"}") << 0 << QString();
    QTest::newRow("itemId -1") << QStringLiteral("{\"type\":1,\"itemId\":\"-1\"}") << 0 << QString();
    QTest::newRow("type 5") << QStringLiteral("{\"type\":5,\"itemId\":\"12\"}") << 0 << QString();
    QTest::newRow("not JSON") << QStringLiteral("open 12") << 0 << QString();
    QTest::newRow("sale house") << QStringLiteral("{\"type\":1,\"itemId\":\"12\"}") << 12 << QString();
    QTest::newRow("rent house, number id") << QStringLiteral("{\"type\":2,\"itemId\":27}") << 27 << QString();
    QTest::newRow("new-house project") << QStringLiteral("{\"type\":3,\"itemId\":\"2\"}") << 0 << QStringLiteral("NewHouseDetailDialog");
    QTest::newRow("financial product") << QStringLiteral("{\"type\":4,\"itemId\":\"3\"}") << 0 << QStringLiteral("FinancialDetailDialog");
}

void TestWebPages::visitsOpenTheirDetails()
{
    QFETCH(QString, message);
    QFETCH(int, hubId);
    QFETCH(QString, dialog);
    HubRecorder hub(QStringLiteral("HouseDetail"));
    Track page;
    page.openHouseDetail(message);
    QCOMPARE(hub.values.size(), hubId > 0 ? 1 : 0);
    if (hubId > 0)
        QCOMPARE(hub.values.first().toMap().value(QStringLiteral("id")).toLongLong(), qint64(hubId));
    if (!dialog.isEmpty())
        QTRY_VERIFY(HostWindowFixture::visibleWindow(dialog));
    else
        QVERIFY(!HostWindowFixture::visibleWindow(QStringLiteral("NewHouseDetailDialog"))
                && !HostWindowFixture::visibleWindow(QStringLiteral("FinancialDetailDialog")));
    QVERIFY(AlertProbe::flushPending());
    QVERIFY(AlertProbe::visibleAlerts().isEmpty());
}

void TestWebPages::theCircleComponentMissingOrIncomplete()
{
    DataCenter::CompanyID = QStringLiteral("30728");
    HubRecorder hub(QStringLiteral("HouseDetail"));
    Track page;
    Track::setHouseCircleLibrary(QStringLiteral("kq_no_such_component"));
    page.openHouseDetail(QStringLiteral("{\"type\":1,\"itemId\":\"5\"}"));
    auto* dialog = qobject_cast<ModuleUpdateDialog*>(HostWindowFixture::visibleWindow(QStringLiteral("ModuleUpdateDialog")));
    QVERIFY(dialog);
    QCOMPARE(dialog->message(), QStringLiteral("缺少<房圈>组件！"));
    QVERIFY(dialog->fileName().startsWith(QStringLiteral("kq_no_such_component")));

    // A component without the function.
    Track::setHouseCircleLibrary(QStringLiteral("kq_newhouse"));
    page.openHouseDetail(QStringLiteral("{\"type\":2,\"itemId\":\"5\"}"));
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("houseCircleDetail导出失败！"));
    QVERIFY(hub.values.isEmpty());
}

void TestWebPages::theTrackPageSendsItsVisitsHere()
{
    HubRecorder hub(QStringLiteral("HouseDetail"));
    auto* page = new Track(m_host->tabs());
    const QList<QVariantMap> made = CefViewStubProbe::callsOf(QStringLiteral("insertOnlyWeb"));
    QCOMPARE(made.size(), 1);
    QVERIFY(made.first().value(QStringLiteral("url")).toString().endsWith(QStringLiteral("/site/browselogs.html?companyid=10001")));
    page->loadWeb();
    QCOMPARE(CefViewStubProbe::callsOf(QStringLiteral("insertOnlyWeb")).size(), 1);
    const int browser = made.first().value(QStringLiteral("browser")).toInt();
    QVERIFY(CefViewStubProbe::post(browser, QStringLiteral("{\"type\":1,\"itemId\":\"9\"}")));
    QCOMPARE(hub.values.size(), 1);
    page->refresh();
    QCOMPARE(CefViewStubProbe::callsOf(QStringLiteral("refreshWeb")).size(), 1);
    // Once the page is gone its messages go nowhere.
    delete page;
    QVERIFY(!CefViewStubProbe::post(browser, QStringLiteral("{\"type\":1,\"itemId\":\"9\"}")));
    QCOMPARE(hub.values.size(), 1);
}

QTEST_MAIN(TestWebPages)
#include "tst_webpages.moc"
