#include "listings/newhouse/MicroWebSiteNewHouseListWidget.h"
#include "listings/newhouse/NewHouse_ProductList_ItemView.h"
#include "support/service/ReferenceService.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/CardPageFixture.h"
#include "support/ui/HostWindowFixture.h"
#include "support/ui/InputProbe.h"
#include "support/ui/LabelProbe.h"
#include "support/ui/LocalStoreFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "support/ui/PagingProbe.h"
#include "support/ui/RequestLog.h"
#include "widgets/inputs/CustomComboBox.h"
#include "widgets/inputs/OmitLabel.h"
#include "widgets/lists/CustomListWidget.h"
#include "widgets/lists/PagingBar.h"
#include "widgets/popups/AlertWidget.h"

#include "CommonSignalTool.h"
#include "DataCenter.h"
#include "LocalDatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <QUrl>

#include <memory>

using F = LocalStoreFixture;
using Card = NewHouse_ProductList_ItemView;
using Page = MicroWebSiteNewHouseListWidget;
using Pieces = ReferenceService::Pieces;
using InputProbe::chooseEntry;

namespace {

const QString kManager = QStringLiteral("13800000000");
const QString kListPath = QStringLiteral("/api/mtore/newhouseposts");
const QString kDetailDialog = QStringLiteral("NewHouseDetailDialog");

QString json(const QJsonValue& value)
{
    return QString::fromUtf8(value.isArray() ? QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact)
                                             : QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact));
}

// A page of `total` projects with five rows, named "项目1" ... for the canned server.
ScriptedHttpServer::Reply cannedPage(int total)
{
    QJsonArray rows;
    for (int i = 1; i <= 5; ++i)
        rows.append(QJsonObject{{QStringLiteral("id"), i}, {QStringLiteral("name"), QStringLiteral("项目%1").arg(i)},
                                {QStringLiteral("wstore"), true}});
    return ScriptedHttpServer::listReply(total, rows, QStringLiteral("成功"));
}

QList<Card*> cardsOf(const CardListPage* page)
{
    return CardPageFixture::cards<Card>(page);
}

QStringList namesOf(const CardListPage* page)
{
    QStringList names;
    for (Card* card : cardsOf(page))
        names.append(card ? card->data().name : QStringLiteral("<not a card>"));
    return names;
}

bool badgeShown(const Card* card)
{
    const auto* badge = card->findChild<QLabel*>(QStringLiteral("label_top"));
    return badge && !badge->isHidden();
}

QPushButton* button(const QWidget* page, const char* name)
{
    return page->findChild<QPushButton*>(QLatin1String(name));
}

QString pageInfo(const CardListPage* page)
{
    return PagingProbe::pageInfo(page->pagingBar());
}

QString currentPageBox(const CardListPage* page)
{
    return PagingProbe::currentPage(page->pagingBar());
}

} // namespace

class TestNewHouseList : public QObject
{
    Q_OBJECT

public slots:
    void openUrl(const QUrl& url) { m_openedUrls.append(url); }

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void elevenProjectsMakePagesOfFiveFiveAndOne();
    void pagingRules_data();
    void pagingRules();
    void requestBodies_data();
    void requestBodies();
    void failedPageKeepsCardsAndPage();
    void noEntryThatDoesNothing();
    void pinnedProjectOffersCancelTop();
    void sortOperationsShowTheNewOrder();
    void putUpOrDownAfterConfirmation();
    void recommendToTheSite();
    void recommendWithoutSiteServiceOffersExample();
    void operationBoxFollowsRights_data();
    void operationBoxFollowsRights();
    void clickOpensProjectInComponent();
    void missingComponentLeavesClickWithoutEffect();
    void hubSignalAndRefreshReload();
    void searchKeepsThePage();
    void serviceTextsShowAsWritten();
    void textFlagsOfTheReply();
    void missingValuesShowADash();

private:
    // The reference service with the demo data; the manager logged in and stored locally.
    void startServiceAsManager(bool siteOpen = true);
    // The canned server answering every list request with `total` projects.
    void startCannedServer(int total);
    Page* openPage();
    void waitForRequests(int count);

    std::unique_ptr<CardPageFixture> m_pages;
    // The servers of the case, owned by m_pages.
    ReferenceService* m_service = nullptr;
    ScriptedHttpServer* m_server = nullptr;
    QList<QUrl> m_openedUrls;
};

void TestNewHouseList::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
}

void TestNewHouseList::init()
{
    m_pages = std::make_unique<CardPageFixture>();
    m_openedUrls.clear();
}

void TestNewHouseList::cleanup()
{
    HostWindowFixture::closeWindows(kDetailDialog);
    m_pages.reset();
    m_service = nullptr;
    m_server = nullptr;
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

void TestNewHouseList::startServiceAsManager(bool siteOpen)
{
    m_service = m_pages->startService(kManager, {{QStringLiteral("weiguanwang"), siteOpen ? 1 : 0}});
    QVERIFY(m_service);
    const QJsonValue areas = m_service->lastLoginData().value(QStringLiteral("base")).toObject().value(QStringLiteral("area"));
    QVERIFY(LocalDatabase::writeBaseMessage(kManager, {{QStringLiteral("area"), json(areas)}}));
}

void TestNewHouseList::startCannedServer(int total)
{
    m_server = m_pages->startCannedServer(kManager);
    QVERIFY(m_server);
    m_server->setReply(kListPath, cannedPage(total));
    const QJsonArray areas{
        QJsonObject{{QStringLiteral("name"), QStringLiteral("锦江区")},
                    {QStringLiteral("area"), QJsonArray{QJsonObject{{QStringLiteral("name"), QStringLiteral("春熙路")}},
                                                        QJsonObject{{QStringLiteral("name"), QStringLiteral("东大街")}}}}},
        QJsonObject{{QStringLiteral("name"), QStringLiteral("高新区")},
                    {QStringLiteral("area"), QJsonArray{QJsonObject{{QStringLiteral("name"), QStringLiteral("金融城")}}}}},
    };
    QVERIFY(LocalDatabase::writeBaseMessage(kManager, {{QStringLiteral("area"), json(areas)}}));
}

Page* TestNewHouseList::openPage()
{
    return m_pages->open<Page>(QStringLiteral("新房"), &Page::refreshList);
}

void TestNewHouseList::waitForRequests(int count)
{
    QTRY_COMPARE_WITH_TIMEOUT(m_server->requestsTo(kListPath).size(), count, 10000);
}

void TestNewHouseList::elevenProjectsMakePagesOfFiveFiveAndOne()
{
    startServiceAsManager();
    Page* page = openPage();
    QVERIFY(page);
    QCOMPARE(page->objectName(), QStringLiteral("MicroWebSiteNewHouseListWidget"));
    QCOMPARE(cardsOf(page).size(), 5);
    QCOMPARE(pageInfo(page), QStringLiteral("条，共3页，共计11条，当前第"));
    QCOMPARE(PagingProbe::pageSize(page->pagingBar()), QStringLiteral("5"));
    const QStringList first = namesOf(page);

    button(page, "pushButton_next")->click();
    QVERIFY(m_pages->waitForList());
    QCOMPARE(cardsOf(page).size(), 5);
    QCOMPARE(currentPageBox(page), QStringLiteral("2"));
    button(page, "pushButton_next")->click();
    QVERIFY(m_pages->waitForList());
    QCOMPARE(namesOf(page), QStringList{QStringLiteral("中和雅苑")});
    const Card* last = cardsOf(page).first();
    QCOMPARE(last->findChild<OmitLabel*>(QStringLiteral("label_line2"))->fullText(),
             QStringLiteral("四川省-成都市-高新区中和大道一段58号"));
    QVERIFY(last->findChild<QLabel*>(QStringLiteral("label_value"))->text().contains(QStringLiteral(">17500 </span>")));

    button(page, "pushButton_next")->click();
    QVERIFY(AlertProbe::waitForAlertContaining(QStringLiteral("当前已经是最后一页了")));
    QCOMPARE(currentPageBox(page), QStringLiteral("3"));
    AlertProbe::closeAll();

    // Filters of the local store: the districts, then the chosen district's quarters.
    auto* district = page->findChild<QComboBox*>(QStringLiteral("comboBox_quYu"));
    auto* quarter = page->findChild<QComboBox*>(QStringLiteral("comboBox_pianQu"));
    QCOMPARE(district->itemText(0), QStringLiteral("选择区域"));
    QCOMPARE(district->count(), 5);
    QCOMPARE(quarter->count(), 1);
    QVERIFY(chooseEntry(district, QStringLiteral("武侯区")));
    QCOMPARE(quarter->count(), 4);
    QCOMPARE(quarter->itemText(0), QStringLiteral("选择片区"));
    QCOMPARE(quarter->itemText(2), QStringLiteral("玉林"));
    QVERIFY(!first.isEmpty());
}

void TestNewHouseList::pagingRules_data()
{
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("startPage");
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<QString>("jumpText");
    QTest::addColumn<int>("requested"); // 0: no request
    QTest::addColumn<QString>("alert");

    const QString first = QStringLiteral("当前已经是第一页了");
    const QString last = QStringLiteral("当前已经是最后一页了");
    const QString beyond = QStringLiteral("超出最大页数！");
    QTest::newRow("上一页 on page 1") << 100 << 1 << QStringLiteral("pushButton_previous") << QString() << 0 << first;
    QTest::newRow("上一页 on page 3") << 100 << 3 << QStringLiteral("pushButton_previous") << QString() << 2 << QString();
    QTest::newRow("下一页 on page 1") << 100 << 1 << QStringLiteral("pushButton_next") << QString() << 2 << QString();
    QTest::newRow("下一页 on the last page") << 100 << 20 << QStringLiteral("pushButton_next") << QString() << 0 << last;
    QTest::newRow("<< on page 1") << 100 << 1 << QStringLiteral("pushButton_backTen") << QString() << 0 << first;
    QTest::newRow("<< on page 4") << 100 << 4 << QStringLiteral("pushButton_backTen") << QString() << 1 << QString();
    QTest::newRow("<< on page 14") << 100 << 14 << QStringLiteral("pushButton_backTen") << QString() << 4 << QString();
    QTest::newRow(">> on page 1 of 20") << 100 << 1 << QStringLiteral("pushButton_forwardTen") << QString() << 11 << QString();
    QTest::newRow(">> on page 10 of 20") << 100 << 10 << QStringLiteral("pushButton_forwardTen") << QString() << 20 << QString();
    QTest::newRow(">> on page 11 of 20") << 100 << 11 << QStringLiteral("pushButton_forwardTen") << QString() << 0 << beyond;
    QTest::newRow(">> with 11 projects") << 11 << 1 << QStringLiteral("pushButton_forwardTen") << QString() << 0 << beyond;
    QTest::newRow("跳转 to 7") << 100 << 1 << QStringLiteral("pushButton_jump") << QStringLiteral("7") << 7 << QString();
    QTest::newRow("跳转 beyond the last page") << 100 << 2 << QStringLiteral("pushButton_jump") << QStringLiteral("21") << 0 << beyond;
    QTest::newRow("跳转 0 goes to 1") << 100 << 5 << QStringLiteral("pushButton_jump") << QStringLiteral("0") << 1 << QString();
    QTest::newRow("跳转 text goes to 1") << 100 << 5 << QStringLiteral("pushButton_jump") << QStringLiteral("abc") << 1 << QString();
}

void TestNewHouseList::pagingRules()
{
    QFETCH(int, total);
    QFETCH(int, startPage);
    QFETCH(QString, buttonName);
    QFETCH(QString, jumpText);
    QFETCH(int, requested);
    QFETCH(QString, alert);

    startCannedServer(total);
    Page* page = openPage();
    QVERIFY(page);
    QLineEdit* pageBox = PagingProbe::currentPageBox(page->pagingBar());
    if (startPage > 1) {
        pageBox->setText(QString::number(startPage));
        button(page, "pushButton_jump")->click();
        QVERIFY(m_pages->waitForList());
    }
    const int before = m_server->requestsTo(kListPath).size();
    if (!jumpText.isEmpty()) {
        pageBox->clear();
        QTest::keyClicks(pageBox, jumpText);
    }
    QTest::mouseClick(button(page, qPrintable(buttonName)), Qt::LeftButton);

    if (requested > 0) {
        waitForRequests(before + 1);
        QVERIFY(m_server->requestsTo(kListPath).last().body.startsWith(
            "pageindex=" + QByteArray::number(requested) + "&pagesize=5"));
        QVERIFY(m_pages->waitForList());
        QCOMPARE(currentPageBox(page), QString::number(requested));
        QVERIFY(AlertProbe::visibleAlerts().isEmpty());
    } else {
        QVERIFY(AlertProbe::waitForAlertContaining(alert));
        QCOMPARE(AlertProbe::titleText(AlertProbe::visibleAlerts().first()), QStringLiteral("警告"));
        // Nothing was asked for: the next list request is the refresh asked for here.
        QTest::mouseClick(button(page, "pushButton_refresh"), Qt::LeftButton);
        waitForRequests(before + 1);
        QVERIFY(m_server->requestsTo(kListPath).last().body.startsWith("pageindex=1&"));
    }
}

void TestNewHouseList::requestBodies_data()
{
    QTest::addColumn<QStringList>("districts"); // chosen one after the other
    QTest::addColumn<QString>("quarter");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("high");
    QTest::addColumn<Pieces>("expected"); // after pageindex and pagesize

    QTest::newRow("no filter") << QStringList() << QString() << QString() << QString() << QString() << QString() << Pieces{};
    QTest::newRow("district, quarter left at 选择片区")
        << QStringList{QStringLiteral("锦江区")} << QString() << QString() << QString() << QString() << QString() << Pieces{piece("district", QStringLiteral("锦江区"))};
    QTest::newRow("district and quarter")
        << QStringList{QStringLiteral("锦江区")} << QStringLiteral("东大街") << QString() << QString() << QString() << QString()
        << Pieces{piece("district", QStringLiteral("锦江区")), piece("area", QStringLiteral("东大街"))};
    QTest::newRow("district chosen, then 选择区域 again")
        << QStringList{QStringLiteral("高新区"), QStringLiteral("选择区域")} << QString() << QString() << QString() << QString() << QString() << Pieces{};
    QTest::newRow("name, trimmed") << QStringList() << QString() << QString() << QStringLiteral("  天府 锦城 ") << QString() << QString()
                                   << Pieces{piece("name", QStringLiteral("天府 锦城"))};
    QTest::newRow("name with & and =") << QStringList() << QString() << QString() << QStringLiteral("A&B=C") << QString() << QString()
                                       << Pieces{piece("name", QStringLiteral("A&B=C"))};
    QTest::newRow("lower price") << QStringList() << QString() << QString() << QString() << QStringLiteral("18000") << QString() << Pieces{piece("priceone", QStringLiteral("18000"))};
    QTest::newRow("upper price") << QStringList() << QString() << QString() << QString() << QString() << QStringLiteral("25000.5")
                                 << Pieces{piece("pricetwo", QStringLiteral("25000.5"))};
    QTest::newRow("已上架") << QStringList() << QString() << QStringLiteral("已上架") << QString() << QString() << QString() << Pieces{piece("wstore", QStringLiteral("1"))};
    QTest::newRow("未上架") << QStringList() << QString() << QStringLiteral("未上架") << QString() << QString() << QString() << Pieces{piece("wstore", QStringLiteral("0"))};
    QTest::newRow("everything")
        << QStringList{QStringLiteral("锦江区")} << QStringLiteral("春熙路") << QStringLiteral("未上架")
        << QStringLiteral("锦城") << QStringLiteral("20000") << QStringLiteral("30000")
        << Pieces{piece("district", QStringLiteral("锦江区")), piece("area", QStringLiteral("春熙路")), piece("name", QStringLiteral("锦城")),
                  piece("priceone", QStringLiteral("20000")), piece("pricetwo", QStringLiteral("30000")), piece("wstore", QStringLiteral("0"))};
}

void TestNewHouseList::requestBodies()
{
    QFETCH(QStringList, districts);
    QFETCH(QString, quarter);
    QFETCH(QString, status);
    QFETCH(QString, name);
    QFETCH(QString, low);
    QFETCH(QString, high);
    QFETCH(Pieces, expected);

    startCannedServer(100);
    Page* page = openPage();
    QVERIFY(page);
    QCOMPARE(m_server->requestsTo(kListPath).first().body, QByteArray("pageindex=1&pagesize=5"));
    // Searching from another page keeps that page.
    button(page, "pushButton_next")->click();
    QVERIFY(m_pages->waitForList());

    for (const QString& district : districts)
        QVERIFY(chooseEntry(page->findChild<QComboBox*>(QStringLiteral("comboBox_quYu")), district));
    if (!quarter.isEmpty())
        QVERIFY(chooseEntry(page->findChild<QComboBox*>(QStringLiteral("comboBox_pianQu")), quarter));
    QVERIFY(CardPageFixture::fillSharedFilters(page, status, name, low, high));
    const int before = m_server->requestsTo(kListPath).size();
    QTest::mouseClick(button(page, "searchButton"), Qt::LeftButton);
    waitForRequests(before + 1);
    const Pieces paging{piece("pageindex", 2), piece("pagesize", 5)};
    QCOMPARE(m_server->requestsTo(kListPath).last().body, ReferenceService::form(paging + expected));
}

void TestNewHouseList::failedPageKeepsCardsAndPage()
{
    startCannedServer(100);
    Page* page = openPage();
    QVERIFY(page);
    const QStringList shown = namesOf(page);
    m_server->enqueueReply(kListPath, ScriptedHttpServer::envelope(405, QStringLiteral("查询条件有误")));
    button(page, "pushButton_next")->click();
    QVERIFY(AlertProbe::waitForAlertContaining(QStringLiteral("查询条件有误")));
    QCOMPARE(namesOf(page), shown);
    // The page box still names the page on screen, so the next step starts from there.
    QCOMPARE(currentPageBox(page), QStringLiteral("1"));
    AlertProbe::closeAll();
    button(page, "pushButton_next")->click();
    waitForRequests(3);
    QVERIFY(m_server->requestsTo(kListPath).last().body.startsWith("pageindex=2&"));
}

void TestNewHouseList::noEntryThatDoesNothing()
{
    startCannedServer(11);
    m_server->setReply(QStringLiteral("/api/nhouse/paixu"), ScriptedHttpServer::envelope(200, QStringLiteral("成功")));
    Page* page = openPage();
    QVERIFY(page);
    // The page deletes nothing, so even a manager is offered no "删除".
    for (Card* shown : cardsOf(page)) {
        QVERIFY(!shown->operations().isEmpty());
        QVERIFY(!chooseEntry(shown->operationBox(), QStringLiteral("删除")));
    }
    Card* card = cardsOf(page).at(1);

    // The sort entries post the project's id and the type.
    QVERIFY(chooseEntry(card->operationBox(), QStringLiteral("下移")));
    QCOMPARE(card->operationBox()->currentText(), QStringLiteral("操作"));
    QTRY_COMPARE(m_server->requestsTo(QStringLiteral("/api/nhouse/paixu")).size(), 1);
    QCOMPARE(m_server->requestsTo(QStringLiteral("/api/nhouse/paixu")).first().body, QByteArray("id=2&type=2"));
    // The page then asks for itself again.
    waitForRequests(2);
}

void TestNewHouseList::pinnedProjectOffersCancelTop()
{
    startServiceAsManager();
    Page* page = openPage();
    QVERIFY(page);
    Card* pinned = cardsOf(page).first();
    QCOMPARE(pinned->data().name, QStringLiteral("天府锦城"));
    QVERIFY(badgeShown(pinned));
    QVERIFY(pinned->operations().contains(QStringLiteral("取消置顶")));
    QVERIFY(!pinned->operations().contains(QStringLiteral("置顶")));
    QVERIFY(!badgeShown(cardsOf(page).at(1)));

    QVERIFY(chooseEntry(pinned->operationBox(), QStringLiteral("取消置顶")));
    QVERIFY(m_pages->waitForList());
    Card* first = cardsOf(page).first();
    QCOMPARE(first->data().name, QStringLiteral("天府锦城"));
    QVERIFY(!badgeShown(first));
    QVERIFY(first->operations().contains(QStringLiteral("置顶")));
    QVERIFY(!first->operations().contains(QStringLiteral("取消置顶")));
}

void TestNewHouseList::sortOperationsShowTheNewOrder()
{
    startServiceAsManager();
    Page* page = openPage();
    QVERIFY(page);
    const QStringList seeded = namesOf(page);
    QCOMPARE(seeded.mid(0, 3), (QStringList{QStringLiteral("天府锦城"), QStringLiteral("东湖国际"), QStringLiteral("攀成钢·江景苑")}));

    QVERIFY(chooseEntry(cardsOf(page).at(1)->operationBox(), QStringLiteral("下移")));
    QVERIFY(m_pages->waitForList());
    QStringList expected = seeded;
    expected.swapItemsAt(1, 2);
    QCOMPARE(namesOf(page), expected);

    QVERIFY(chooseEntry(cardsOf(page).at(2)->operationBox(), QStringLiteral("上移")));
    QVERIFY(m_pages->waitForList());
    QCOMPARE(namesOf(page), seeded);

    QVERIFY(chooseEntry(cardsOf(page).at(3)->operationBox(), QStringLiteral("置顶")));
    QVERIFY(m_pages->waitForList());
    QCOMPARE(namesOf(page).first(), seeded.at(3));
    QVERIFY(badgeShown(cardsOf(page).first()));
    QCOMPARE(namesOf(page).at(1), seeded.at(0));
}

void TestNewHouseList::putUpOrDownAfterConfirmation()
{
    startServiceAsManager();
    Page* page = openPage();
    QVERIFY(page);
    Card* card = cardsOf(page).at(1);
    QCOMPARE(card->operations().first(), QStringLiteral("已上架"));

    QVERIFY(chooseEntry(card->operationBox(), QStringLiteral("已上架")));
    QCOMPARE(AlertProbe::answer(QStringLiteral("cancleBtn")), QStringLiteral("您确定要下架该新房项目吗？"));
    // Nothing was sent: the page's next request is the refresh asked for here.
    const int sent = RequestLog::countSentBy(page);
    QTest::mouseClick(button(page, "pushButton_refresh"), Qt::LeftButton);
    QVERIFY(m_pages->waitForList());
    QCOMPARE(m_pages->listsNotWaitedFor(), 0);
    QCOMPARE(RequestLog::countSentBy(page), sent + 1);
    QVERIFY(RequestLog::sentBy(page).constLast().url.endsWith(QLatin1String("mtore/newhouseposts")));
    card = cardsOf(page).at(1);
    QCOMPARE(card->operations().first(), QStringLiteral("已上架"));

    QVERIFY(chooseEntry(card->operationBox(), QStringLiteral("已上架")));
    QCOMPARE(AlertProbe::answer(QStringLiteral("sureBtn")), QStringLiteral("您确定要下架该新房项目吗？"));
    QVERIFY(m_pages->waitForList());
    card = cardsOf(page).at(1);
    QCOMPARE(card->operations().first(), QStringLiteral("已下架"));

    QVERIFY(chooseEntry(card->operationBox(), QStringLiteral("已下架")));
    QCOMPARE(AlertProbe::answer(QStringLiteral("sureBtn")), QStringLiteral("您确定要上架该新房项目吗？"));
    QVERIFY(m_pages->waitForList());
    QCOMPARE(cardsOf(page).at(1)->operations().first(), QStringLiteral("已上架"));
}

void TestNewHouseList::recommendToTheSite()
{
    startServiceAsManager();
    Page* page = openPage();
    QVERIFY(page);
    Card* card = cardsOf(page).at(2);
    QCOMPARE(card->operations().last(), QStringLiteral("待推荐"));
    QVERIFY(chooseEntry(card->operationBox(), QStringLiteral("待推荐")));
    QCOMPARE(AlertProbe::answer(QStringLiteral("sureBtn")), QStringLiteral("您确定要推荐该新房项目到您的官网吗？"));
    QVERIFY(m_pages->waitForList());
    card = cardsOf(page).at(2);
    QCOMPARE(card->operations().last(), QStringLiteral("已推荐"));

    QVERIFY(chooseEntry(card->operationBox(), QStringLiteral("已推荐")));
    QCOMPARE(AlertProbe::answer(QStringLiteral("sureBtn")), QStringLiteral("您确定要取消推荐该新房项目到您的官网吗？"));
    QVERIFY(m_pages->waitForList());
    QCOMPARE(cardsOf(page).at(2)->operations().last(), QStringLiteral("待推荐"));
}

void TestNewHouseList::recommendWithoutSiteServiceOffersExample()
{
    startServiceAsManager(false);
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openUrl");
    Page* page = openPage();
    QVERIFY(page);
    QVERIFY(chooseEntry(cardsOf(page).at(2)->operationBox(), QStringLiteral("待推荐")));
    AlertWidget* alert = AlertProbe::waitForAlertContaining(QStringLiteral("您尚未开通官网服务!"));
    QVERIFY(alert);
    QCOMPARE(alert->findChild<QPushButton*>(QStringLiteral("sureBtn"))->text(), QStringLiteral("查看官网示例"));
    QVERIFY(AlertProbe::clickButton(alert, QStringLiteral("sureBtn")));
    QTRY_COMPARE(m_openedUrls.size(), 1);
    QCOMPARE(m_openedUrls.first(), QUrl(m_service->baseUrl() + QStringLiteral("site/")));
    // The example page exists on the site host.
    QCOMPARE(m_service->get(m_openedUrls.first().toString()).httpStatus, 200);
    QCOMPARE(cardsOf(page).at(2)->operations().last(), QStringLiteral("待推荐"));
}

void TestNewHouseList::operationBoxFollowsRights_data()
{
    QTest::addColumn<bool>("manager");
    QTest::addColumn<QList<int>>("rights");
    QTest::addColumn<bool>("pinned");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("manager") << true << QList<int>{} << false
                             << QStringList{QStringLiteral("已上架"), QStringLiteral("置顶"), QStringLiteral("上移"),
                                            QStringLiteral("下移"), QStringLiteral("待推荐")};
    QTest::newRow("manager, pinned") << true << QList<int>{} << true
                                     << QStringList{QStringLiteral("已上架"), QStringLiteral("取消置顶"), QStringLiteral("上移"),
                                                    QStringLiteral("下移"), QStringLiteral("待推荐")};
    QTest::newRow("no rights") << false << QList<int>{} << false << QStringList{};
    QTest::newRow("70 puts up") << false << QList<int>{70} << false << QStringList{QStringLiteral("已上架")};
    QTest::newRow("71 alone offers nothing") << false << QList<int>{71} << false << QStringList{};
    QTest::newRow("72 pins") << false << QList<int>{72} << true << QStringList{QStringLiteral("取消置顶")};
    QTest::newRow("73 orders") << false << QList<int>{73} << false
                               << QStringList{QStringLiteral("置顶"), QStringLiteral("上移"), QStringLiteral("下移")};
    QTest::newRow("97 recommends") << false << QList<int>{97} << false << QStringList{QStringLiteral("待推荐")};
    QTest::newRow("other rights") << false << QList<int>{65, 80, 82, 83} << false << QStringList{};
}

void TestNewHouseList::operationBoxFollowsRights()
{
    QFETCH(bool, manager);
    QFETCH(QList<int>, rights);
    QFETCH(bool, pinned);
    QFETCH(QStringList, entries);

    QVariantList granted;
    for (int id : {65, 70, 71, 72, 73, 80, 82, 83, 97})
        granted.append(F::right(id, rights.contains(id)));
    F::storeUser(QStringLiteral("13800000001"), manager, granted);
    NewHouseList_Model::ListData data;
    data.id = 7;
    data.name = QStringLiteral("玉林花园");
    data.wstore = true;
    data.istop = pinned;
    QObject reader;
    Card card(data, Card::readRights(&reader));
    QCOMPARE(card.operations(), entries);
    QCOMPARE(card.operationBox()->itemText(0), QStringLiteral("操作"));
    QCOMPARE(card.operationBox()->isEnabled(), !entries.isEmpty());
    QCOMPARE(badgeShown(&card), pinned);
}

void TestNewHouseList::clickOpensProjectInComponent()
{
    startServiceAsManager();
    Page* page = openPage();
    QVERIFY(page);
    const QStringList names = namesOf(page);
    QTest::mouseClick(cardsOf(page).at(1), Qt::LeftButton, {}, QPoint(260, 30));
    QWidget* dialog = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((dialog = HostWindowFixture::visibleWindow(kDetailDialog)) != nullptr, 5000);
    const auto heading = [dialog] { return dialog->findChild<QLabel*>(QStringLiteral("label_heading"))->text(); };
    QTRY_COMPARE_WITH_TIMEOUT(heading(), names.at(1), 10000);
    QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("label_position"))->text(), QStringLiteral("2 / 5"));
    QTRY_VERIFY(!dialog->findChild<QLabel*>(QStringLiteral("value_kaifashang"))->text().isEmpty());
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("pushButton_next")), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(heading(), names.at(2), 10000);
    QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("label_position"))->text(), QStringLiteral("3 / 5"));
    QVERIFY(AlertProbe::visibleAlerts().isEmpty());
}

void TestNewHouseList::missingComponentLeavesClickWithoutEffect()
{
    startServiceAsManager();
    Page* page = openPage();
    QVERIFY(page);
    page->setDetailLibrary(QStringLiteral("kq_no_such_component"));
    const int windows = QApplication::topLevelWidgets().size();
    QTest::mouseClick(cardsOf(page).at(1), Qt::LeftButton, {}, QPoint(260, 30));
    QVERIFY(AlertProbe::flushPending());
    QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    QVERIFY(AlertProbe::visibleAlerts().isEmpty());
    QCOMPARE(cardsOf(page).size(), 5);
}

void TestNewHouseList::hubSignalAndRefreshReload()
{
    startServiceAsManager();
    Page* page = openPage();
    QVERIFY(page);
    button(page, "pushButton_next")->click();
    QVERIFY(m_pages->waitForList());
    const QStringList second = namesOf(page);

    // Another module reorders: the hub's signal reloads the page on screen.
    const qint64 id = cardsOf(page).at(0)->data().id;
    QCOMPARE(m_service->call(QStringLiteral("api/nhouse/paixu"), {piece("id", id), piece("type", 2)}, DataCenter::HttpHeadMap)
                 .code(),
             200);
    CommonSignalTool::Instance()->send_refreshNewHouseList(QVariant(), nullptr);
    QVERIFY(m_pages->waitForList());
    QCOMPARE(currentPageBox(page), QStringLiteral("2"));
    QStringList expected = second;
    expected.swapItemsAt(0, 1);
    QCOMPARE(namesOf(page), expected);

    // The operation bar's refresh starts on the first page again.
    QTest::mouseClick(button(page, "pushButton_refresh"), Qt::LeftButton);
    QVERIFY(m_pages->waitForList());
    QCOMPARE(currentPageBox(page), QStringLiteral("1"));
    QCOMPARE(namesOf(page).first(), QStringLiteral("天府锦城"));
}

void TestNewHouseList::searchKeepsThePage()
{
    // Like the listing manager, a search asks for the page on screen.
    startCannedServer(100);
    Page* page = openPage();
    QVERIFY(page);
    button(page, "pushButton_next")->click();
    QVERIFY(m_pages->waitForList());
    QVERIFY(CardPageFixture::fillSharedFilters(page, QString(), QStringLiteral("锦城"), QString(), QString()));
    QTest::mouseClick(button(page, "searchButton"), Qt::LeftButton);
    waitForRequests(3);
    const Pieces name{piece("pagesize", 5), piece("name", QStringLiteral("锦城"))};
    QCOMPARE(m_server->requestsTo(kListPath).last().body, ReferenceService::form(Pieces{piece("pageindex", 2)} + name));
    QVERIFY(m_pages->waitForList());
    QCOMPARE(currentPageBox(page), QStringLiteral("2"));

    // A narrower search whose result ends before that page brings its last page.
    QJsonArray three;
    for (int i = 1; i <= 3; ++i)
        three.append(QJsonObject{{QStringLiteral("id"), i}, {QStringLiteral("name"), QStringLiteral("锦城%1").arg(i)}});
    m_server->enqueueReply(kListPath, ScriptedHttpServer::listReply(3, QJsonArray(), QStringLiteral("成功")));
    m_server->enqueueReply(kListPath, ScriptedHttpServer::listReply(3, three, QStringLiteral("成功")));
    QTest::mouseClick(button(page, "searchButton"), Qt::LeftButton);
    QVERIFY(m_pages->waitForList());
    const QList<ScriptedHttpServer::Request> requests = m_server->requestsTo(kListPath);
    QCOMPARE(requests.size(), 5);
    QCOMPARE(requests.at(3).body, ReferenceService::form(Pieces{piece("pageindex", 2)} + name));
    QCOMPARE(requests.at(4).body, ReferenceService::form(Pieces{piece("pageindex", 1)} + name));
    QCOMPARE(currentPageBox(page), QStringLiteral("1"));
    QCOMPARE(namesOf(page).size(), 3);
}

void TestNewHouseList::serviceTextsShowAsWritten()
{
    startCannedServer(1);
    const QString name = QStringLiteral("<b>锦城</b><img src=\"http://127.0.0.1:1/x.png\">");
    const QJsonObject row{{QStringLiteral("id"), 1},
                          {QStringLiteral("name"), name},
                          {QStringLiteral("leixing"), QStringLiteral("<i>住宅</i>")},
                          {QStringLiteral("junjia"), QStringLiteral("<b>9</b>&amp;")}};
    m_server->setReply(kListPath, ScriptedHttpServer::listReply(1, QJsonArray{row}, QStringLiteral("成功")));
    Page* page = openPage();
    QVERIFY(page);
    QCOMPARE(cardsOf(page).size(), 1);
    const Card* card = cardsOf(page).first();
    const QStringList labels{QStringLiteral("label_name"), QStringLiteral("label_type"), QStringLiteral("label_value")};
    QCOMPARE(LabelProbe::shownTexts(card, labels),
             (QStringList{name, QStringLiteral("<i>住宅</i>"), QStringLiteral("<b>9</b>&amp; 元/m²")}));
    // The price keeps its styling around the service's text.
    QVERIFY(card->findChild<QLabel*>(QStringLiteral("label_value"))->text().contains(QStringLiteral("font-size:27px")));
}

void TestNewHouseList::textFlagsOfTheReply()
{
    startCannedServer(2);
    const QJsonArray rows{
        QJsonObject{{QStringLiteral("id"), 1}, {QStringLiteral("name"), QStringLiteral("甲")}, {QStringLiteral("wstore"), QStringLiteral("true")},
                    {QStringLiteral("istop"), QStringLiteral(" TRUE ")}, {QStringLiteral("tuijian"), QStringLiteral("1")}},
        QJsonObject{{QStringLiteral("id"), 2}, {QStringLiteral("name"), QStringLiteral("乙")}, {QStringLiteral("wstore"), QStringLiteral("false")},
                    {QStringLiteral("istop"), QStringLiteral("0")}, {QStringLiteral("tuijian"), QStringLiteral("False")}},
    };
    m_server->setReply(kListPath, ScriptedHttpServer::listReply(2, rows, QStringLiteral("成功")));
    Page* page = openPage();
    QVERIFY(page);
    QCOMPARE(cardsOf(page).size(), 2);
    const Card* on = cardsOf(page).at(0);
    QVERIFY(on->data().wstore && on->data().istop && on->data().tuijian);
    QVERIFY(badgeShown(on));
    QCOMPARE(on->operations(), (QStringList{QStringLiteral("已上架"), QStringLiteral("取消置顶"), QStringLiteral("上移"),
                                            QStringLiteral("下移"), QStringLiteral("已推荐")}));
    const Card* off = cardsOf(page).at(1);
    QVERIFY(!badgeShown(off));
    QCOMPARE(off->operations(), (QStringList{QStringLiteral("已下架"), QStringLiteral("置顶"), QStringLiteral("上移"),
                                             QStringLiteral("下移"), QStringLiteral("待推荐")}));
}

void TestNewHouseList::missingValuesShowADash()
{
    startCannedServer(2);
    const QJsonArray rows{QJsonObject{{QStringLiteral("id"), 1}},
                          QJsonObject{{QStringLiteral("id"), 2}, {QStringLiteral("zhuangtai"), QStringLiteral("在售")},
                                      {QStringLiteral("cityname"), QStringLiteral("成都市")},
                                      {QStringLiteral("address"), QStringLiteral("红星路")}}};
    m_server->setReply(kListPath, ScriptedHttpServer::listReply(2, rows, QStringLiteral("成功")));
    Page* page = openPage();
    QVERIFY(page);
    QCOMPARE(cardsOf(page).size(), 2);
    const QStringList labels{QStringLiteral("label_name"), QStringLiteral("label_value"), QStringLiteral("label_yongJin"),
                             QStringLiteral("label_line1"), QStringLiteral("label_line2")};
    const QString dash = QStringLiteral("—");
    // Read as shown, once the cards are laid out and the lines know their widths.
    QTRY_COMPARE(LabelProbe::shownTexts(cardsOf(page).at(0), labels), (QStringList{dash, dash, dash, dash, dash}));
    // What is there keeps its order; the missing province leaves no separator behind.
    QTRY_COMPARE(LabelProbe::shownTexts(cardsOf(page).at(1), labels),
             (QStringList{dash, dash, dash, QStringLiteral("在售"), QStringLiteral("成都市-红星路")}));
}

QTEST_MAIN(TestNewHouseList)
#include "tst_newhouselist.moc"
