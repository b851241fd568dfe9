#include "net/http/ServiceAddresses.h"
#include "settings/apps/MircroWebSiteAddCustomAppWidget.h"
#include "settings/style/MircroWebsiteStyleSetWidget.h"
#include "settings/topicons/MircroWebSiteTopTherePhotoView.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/HostWindowFixture.h"
#include "support/ui/LocalStoreFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "support/ui/RequestProbe.h"
#include "CustomTabWidget.h"
#include "widgets/lists/LoadFailedView.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/tiles/ItemButtonWidget.h"

#include "DataCenter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QUrlQuery>
#include <QtTest>

#include <memory>

using Page = MircroWebsiteStyleSetWidget;

namespace {

const QString kConfigPath = QStringLiteral("/api/mtore/getmstorestyleconfig");
const QString kChoicePath = QStringLiteral("/api/mtore/mstoreconfig");
const QString kDeletePath = QStringLiteral("/api/mtore/customappdelete");
const QString kIconsPath = QStringLiteral("/site/setwmenu");

QJsonObject app(int id, int type, int sort)
{
    return QJsonObject{{QStringLiteral("id"), id}, {QStringLiteral("type"), type},
                       {QStringLiteral("title"), QStringLiteral("应用%1").arg(id)}, {QStringLiteral("url"), QStringLiteral(":/res/mircro_website_1.png")},
                       {QStringLiteral("sort"), sort}, {QStringLiteral("content"), QStringLiteral("说明%1").arg(id)}};
}

QJsonObject config(int apps, int zhuti, int dibu)
{
    QJsonArray list;
    for (int i = 0; i < apps; ++i)
        list.append(app(i + 1, i < 3 ? 0 : 1, apps - i));
    return QJsonObject{{QStringLiteral("app"), list}, {QStringLiteral("zhuti"), zhuti}, {QStringLiteral("dibu"), dibu}};
}

QJsonObject icon(const QString& name)
{
    return QJsonObject{{QStringLiteral("url"), QStringLiteral("http://127.0.0.1:1/files/%1.png").arg(name)},
                       {QStringLiteral("housetype"), QStringLiteral("二手房")}, {QStringLiteral("districts"), QString()}};
}

QStringList iconNames(const Page& page)
{
    QStringList names;
    for (const MircroWebSiteTopTherePhotoView* view : page.topIconViews())
        names.append(view->getData().value(QStringLiteral("url")).toString().section(QLatin1Char('/'), -1));
    return names;
}

int checkedIndex(const QList<QRadioButton*>& buttons)
{
    for (int i = 0; i < buttons.size(); ++i) {
        if (buttons.at(i)->isChecked())
            return i + 1;
    }
    return 0;
}

ItemButtonWidget* tileWithId(const Page& page, int id)
{
    for (ItemButtonWidget* tile : page.appTiles()) {
        if (tile->itemId() == id)
            return tile;
    }
    return nullptr;
}

} // namespace

class TestStylePage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void appTilesAndTheAddTile_data();
    void appTilesAndTheAddTile();
    void themeAndBarCodes_data();
    void themeAndBarCodes();
    void aRefusedChoiceGoesBack();
    void topIconsMoveWithinTheEndsAndAreSentInOrder();
    void anIconReplyOfTwoFillsTwo();
    void appTilesOpenTheirEditorsAndCustomAppsCanBeDeleted();
    void aFailedLoadSaysWhyAndOffersRetry_data();
    void aFailedLoadSaysWhyAndOffersRetry();
    void aFailedReloadKeepsTheTiles();

private:
    Page* openPage(const QJsonObject& style, const QJsonArray& icons);

    ScriptedHttpServer m_server;
    std::unique_ptr<HostWindowFixture> m_host;
};

void TestStylePage::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
    QVERIFY(m_server.start());
    m_server.useAsApiBase();
    qputenv("MICROSITE_SITE_BASE", m_server.url(QStringLiteral("/site/")).toUtf8());
    ServiceAddresses::reload();
}

void TestStylePage::cleanupTestCase()
{
    qunsetenv("MICROSITE_SITE_BASE");
    ServiceAddresses::reload();
}

void TestStylePage::init()
{
    m_server.clear();
    m_host = std::make_unique<HostWindowFixture>();
    LocalStoreFixture::storeUser(QStringLiteral("13800000000"), true, {});
    m_server.setReply(kChoicePath, ScriptedHttpServer::envelope(200, QStringLiteral("成功")));
}

void TestStylePage::cleanup()
{
    AlertProbe::closeAll();
    m_host.reset();
}

Page* TestStylePage::openPage(const QJsonObject& style, const QJsonArray& icons)
{
    m_server.setReply(kConfigPath, ScriptedHttpServer::envelope(200, QString(), style));
    m_server.setReply(kIconsPath, ScriptedHttpServer::envelope(200, QString(), icons));
    auto* page = new Page(m_host->tabs());
    page->setWindowFlags(Qt::Window);
    QSignalSpy shown(page, &Page::contentShown);
    page->resize(800, 700);
    page->show();
    if (!shown.wait(5000))
        return nullptr;
    // The icons' reply is independent of the style's; "应用" is offered once they are in.
    auto* apply = page->findChild<QPushButton*>(QStringLiteral("applyButton"));
    if (!QTest::qWaitFor([apply] { return apply->isEnabled(); }, 5000))
        return nullptr;
    return page;
}

void TestStylePage::appTilesAndTheAddTile_data()
{
    QTest::addColumn<int>("apps");
    QTest::addColumn<int>("tiles");
    QTest::addColumn<bool>("addTile");
    QTest::addColumn<int>("height");
    // Three system apps come first; the rest are custom apps, at most ten of them.
    QTest::newRow("six apps: seven tiles in two rows") << 6 << 7 << true << 200;
    QTest::newRow("nine custom apps") << 12 << 13 << true << 300;
    QTest::newRow("ten custom apps") << 13 << 13 << false << 300;
    QTest::newRow("no apps") << 0 << 1 << true << 100;
}

void TestStylePage::appTilesAndTheAddTile()
{
    QFETCH(int, apps);
    QFETCH(int, tiles);
    QFETCH(bool, addTile);
    QFETCH(int, height);
    Page* page = openPage(config(apps, 1, 1), {});
    QVERIFY(page);
    QCOMPARE(page->appTiles().size(), tiles);
    QCOMPARE(page->appTiles().last()->itemId() == -1, addTile);
    if (addTile)
        QCOMPARE(page->appTiles().last()->title(), QStringLiteral("自定义应用"));
    QVERIFY(page->appArea()->minimumHeight() >= height);
    // In display order: by "sort".
    if (apps > 1)
        QCOMPARE(page->appTiles().first()->itemId(), apps);
}

void TestStylePage::themeAndBarCodes_data()
{
    QTest::addColumn<int>("zhuti");
    QTest::addColumn<int>("theme");
    QTest::newRow("0 checks none") << 0 << 0;
    QTest::newRow("7 checks none") << 7 << 0;
    QTest::newRow("3") << 3 << 3;
}

void TestStylePage::themeAndBarCodes()
{
    QFETCH(int, zhuti);
    QFETCH(int, theme);
    Page* page = openPage(config(3, zhuti, 2), {});
    QVERIFY(page);
    QCOMPARE(checkedIndex(page->themeButtons()), theme);
    QCOMPARE(checkedIndex(page->styleButtons()), 2);

    QSignalSpy saved(page, &Page::choiceSaved);
    QTest::mouseClick(page->themeButtons().at(1), Qt::LeftButton);
    QVERIFY(saved.wait(5000));
    QCOMPARE(QString::fromUtf8(m_server.requestsTo(kChoicePath).last().body), QStringLiteral("zhuti=2"));
    QTest::mouseClick(page->styleButtons().at(4), Qt::LeftButton);
    QVERIFY(saved.wait(5000));
    QCOMPARE(QString::fromUtf8(m_server.requestsTo(kChoicePath).last().body), QStringLiteral("dibu=5"));
}

void TestStylePage::aRefusedChoiceGoesBack()
{
    Page* page = openPage(config(3, 4, 3), {});
    QVERIFY(page);
    m_server.setReply(kChoicePath, ScriptedHttpServer::envelope(405, QStringLiteral("您当前没有权利操作，请联系管理员！")));
    QSignalSpy saved(page, &Page::choiceSaved);
    QTest::mouseClick(page->themeButtons().at(0), Qt::LeftButton);
    QCOMPARE(checkedIndex(page->themeButtons()), 1);
    QVERIFY(saved.wait(5000));
    QCOMPARE(saved.first().first().toBool(), false);
    QCOMPARE(checkedIndex(page->themeButtons()), 4);
    QTest::mouseClick(page->styleButtons().at(0), Qt::LeftButton);
    QVERIFY(saved.wait(5000));
    QCOMPARE(checkedIndex(page->styleButtons()), 3);
}

void TestStylePage::topIconsMoveWithinTheEndsAndAreSentInOrder()
{
    Page* page = openPage(config(3, 1, 1), {icon(QStringLiteral("a")), icon(QStringLiteral("b")), icon(QStringLiteral("c"))});
    QVERIFY(page);
    QTRY_COMPARE(iconNames(*page), (QStringList{QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("c.png")}));
    QList<MircroWebSiteTopTherePhotoView*> views = page->topIconViews();
    QTest::mouseClick(views.at(0)->findChild<QPushButton*>(QStringLiteral("pushButton_last")), Qt::LeftButton);
    QTest::mouseClick(views.at(2)->findChild<QPushButton*>(QStringLiteral("pushButton_next")), Qt::LeftButton);
    QCOMPARE(iconNames(*page), (QStringList{QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("c.png")}));
    QTest::mouseClick(views.at(1)->findChild<QPushButton*>(QStringLiteral("pushButton_last")), Qt::LeftButton);
    QCOMPARE(iconNames(*page), (QStringList{QStringLiteral("b.png"), QStringLiteral("a.png"), QStringLiteral("c.png")}));
    QTest::mouseClick(views.at(1)->findChild<QPushButton*>(QStringLiteral("pushButton_next")), Qt::LeftButton);
    QCOMPARE(iconNames(*page), (QStringList{QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("c.png")}));
    QTest::mouseClick(views.at(0)->findChild<QPushButton*>(QStringLiteral("pushButton_next")), Qt::LeftButton);
    QCOMPARE(iconNames(*page), (QStringList{QStringLiteral("b.png"), QStringLiteral("a.png"), QStringLiteral("c.png")}));

    QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("applyButton")), Qt::LeftButton);
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("设置微官网风格成功！"));
    const QUrlQuery sent(QString::fromUtf8(m_server.requestsTo(kIconsPath).last().body));
    QCOMPARE(sent.queryItemValue(QStringLiteral("companyid")), DataCenter::CompanyID);
    const QJsonArray content =
        QJsonDocument::fromJson(sent.queryItemValue(QStringLiteral("content"), QUrl::FullyDecoded).toUtf8()).array();
    QCOMPARE(content.size(), 3);
    QVERIFY(content.at(0).toObject().value(QStringLiteral("url")).toString().endsWith(QStringLiteral("b.png")));
    QVERIFY(content.at(1).toObject().value(QStringLiteral("url")).toString().endsWith(QStringLiteral("a.png")));
}

void TestStylePage::anIconReplyOfTwoFillsTwo()
{
    Page* page = openPage(config(3, 1, 1), {icon(QStringLiteral("x")), icon(QStringLiteral("y"))});
    QVERIFY(page);
    QTRY_COMPARE(iconNames(*page).mid(0, 2), (QStringList{QStringLiteral("x.png"), QStringLiteral("y.png")}));
    QVERIFY(page->topIconViews().at(2)->getData().isEmpty());
}

void TestStylePage::appTilesOpenTheirEditorsAndCustomAppsCanBeDeleted()
{
    Page* page = openPage(config(5, 1, 1), {});
    QVERIFY(page);
    // A system app offers no menu.
    QTest::mouseClick(tileWithId(*page, 1), Qt::RightButton);
    QVERIFY(page->menu()->actions().isEmpty());

    QTest::mouseClick(tileWithId(*page, -1), Qt::LeftButton);
    QVERIFY(page->editorPopup());
    QCOMPARE(HostWindowFixture::popupTitle(page->editorPopup()), QStringLiteral("添加自定义应用"));
    QVERIFY(page->editorPopup()->findChild<QLineEdit*>(QStringLiteral("nameEdit"))->text().isEmpty());
    page->editorPopup()->closeWidget();
    QTRY_VERIFY(!page->editorPopup());

    QTest::mouseClick(tileWithId(*page, 4), Qt::LeftButton);
    QVERIFY(page->editorPopup());
    QCOMPARE(HostWindowFixture::popupTitle(page->editorPopup()), QStringLiteral("编辑自定义应用"));
    QCOMPARE(page->editorPopup()->findChild<QLineEdit*>(QStringLiteral("nameEdit"))->text(), QStringLiteral("应用4"));
    page->editorPopup()->closeWidget();
    QTRY_VERIFY(!page->editorPopup());

    QTest::mouseClick(tileWithId(*page, 2), Qt::LeftButton);
    QCOMPARE(HostWindowFixture::popupTitle(page->editorPopup()), QStringLiteral("编辑应用"));
    page->editorPopup()->closeWidget();

    m_server.setReply(kDeletePath, ScriptedHttpServer::envelope(200, QStringLiteral("删除成功")));
    QTest::mouseClick(tileWithId(*page, 5), Qt::RightButton);
    QCOMPARE(page->menu()->actions().size(), 1);
    QCOMPARE(page->menu()->actions().first()->text(), QStringLiteral("删除"));
    QSignalSpy changed(page, &Page::updateSetUI);
    page->menu()->actions().first()->trigger();
    AlertWidget* alert = AlertProbe::waitForAlert();
    QVERIFY(alert);
    QCOMPARE(AlertProbe::contentText(alert), QStringLiteral("您确定要删除该应用吗?"));
    QVERIFY(AlertProbe::clickButton(alert, QStringLiteral("sureBtn")));
    QVERIFY(changed.wait(5000));
    QCOMPARE(QString::fromUtf8(m_server.requestsTo(kDeletePath).first().body), QStringLiteral("id=5"));
    QTRY_COMPARE(m_server.requestsTo(kConfigPath).size(), 2);
}

void TestStylePage::aFailedLoadSaysWhyAndOffersRetry_data()
{
    QTest::addColumn<QString>("failingPath");
    QTest::addColumn<bool>("stopped");
    QTest::addColumn<QString>("reason");
    QTest::newRow("style answered 500") << kConfigPath << false << QStringLiteral("服务暂时不可用（500），请稍后重试");
    QTest::newRow("top icons answered 500") << kIconsPath << false << QStringLiteral("服务暂时不可用（500），请稍后重试");
    QTest::newRow("service stopped") << kConfigPath << true << QStringLiteral("无法连接到服务");
}

void TestStylePage::aFailedLoadSaysWhyAndOffersRetry()
{
    QFETCH(QString, failingPath);
    QFETCH(bool, stopped);
    QFETCH(QString, reason);
    const quint16 port = m_server.serverPort();
    m_server.setReply(kConfigPath, ScriptedHttpServer::envelope(200, QString(), config(5, 2, 3)));
    m_server.setReply(kIconsPath, ScriptedHttpServer::envelope(200, QString(), QJsonArray{icon(QStringLiteral("x"))}));
    ScriptedHttpServer::Reply failure;
    failure.status = 500;
    failure.body = "Internal Server Error";
    m_server.setReply(failingPath, failure);
    if (stopped)
        m_server.close();

    auto* page = new Page(m_host->tabs());
    page->setWindowFlags(Qt::Window);
    page->resize(800, 700);
    page->show();
    auto* view = page->findChild<LoadFailedView*>();
    QVERIFY(view);
    QTRY_VERIFY_WITH_TIMEOUT(view->isVisible(), 10000);
    QCOMPARE(view->findChild<QLabel*>(QStringLiteral("label_reason"))->text(), QStringLiteral("加载失败：") + reason);
    auto* apply = page->findChild<QPushButton*>(QStringLiteral("applyButton"));
    // The part that did come in does not take the failure away.
    QTest::qWait(100);
    QVERIFY(view->isVisible());
    QVERIFY(!apply->isEnabled() || failingPath == kConfigPath);

    if (stopped)
        QVERIFY(m_server.listen(QHostAddress::LocalHost, port));
    m_server.setReply(failingPath, ScriptedHttpServer::envelope(200, QString(),
                                                                failingPath == kIconsPath ? QJsonValue(QJsonArray{icon(QStringLiteral("x"))})
                                                                                          : QJsonValue(config(5, 2, 3))));
    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("pushButton_retry")), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(page->appTiles().size(), 6, 5000);
    QTRY_VERIFY(apply->isEnabled());
    QTRY_COMPARE(iconNames(*page).first(), QStringLiteral("x.png"));
    QVERIFY(!view->isVisible());
    QCOMPARE(checkedIndex(page->themeButtons()), 2);
}

void TestStylePage::aFailedReloadKeepsTheTiles()
{
    Page* page = openPage(config(5, 2, 3), {icon(QStringLiteral("x"))});
    QVERIFY(page);
    ScriptedHttpServer::Reply failure;
    failure.status = 500;
    m_server.setReply(kConfigPath, failure);
    page->download_set();
    QVERIFY(RequestProbe::waitForNewest(page));
    QVERIFY(!page->findChild<LoadFailedView*>()->isVisible());
    QCOMPARE(page->appTiles().size(), 6);
    QCOMPARE(checkedIndex(page->themeButtons()), 2);
}

QTEST_MAIN(TestStylePage)
#include "tst_stylepage.moc"
