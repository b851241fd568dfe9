#include "listings/financial/FinancialProductListItemView.h"
#include "listings/financial/MircroWebSiteFinancialCustomerListWidget.h"
#include "listings/financial/MircroWebSiteFinancialListWidget.h"
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
#include "widgets/popups/CommonAddWidget.h"

#include "CommonSignalTool.h"
#include "DataCenter.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using F = LocalStoreFixture;
using Card = FinancialProductListItemView;
using Page = MircroWebSiteFinancialListWidget;
using Customers = MircroWebSiteFinancialCustomerListWidget;
using Pieces = ReferenceService::Pieces;
using InputProbe::chooseEntry;

namespace {

const QString kManager = QStringLiteral("13800000000");
const QString kListPath = QStringLiteral("/api/apptwo/fimsposts");
const QString kConfigPath = QStringLiteral("/api/apptwo/figetconfig");
const QString kDetailDialog = QStringLiteral("FinancialDetailDialog");

QList<Card*> cardsOf(const CardListPage* page)
{
    return CardPageFixture::cards<Card>(page);
}

QStringList titlesOf(const CardListPage* page)
{
    QStringList titles;
    for (Card* card : cardsOf(page))
        titles.append(card ? card->data().title : QStringLiteral("<not a card>"));
    return titles;
}

QStringList linesOf(const Customers* customers)
{
    QStringList lines;
    QListWidget* list = customers->findChild<CustomListWidget*>()->listWidget();
    for (int row = 0; row < list->count(); ++row)
        lines.append(qobject_cast<QLabel*>(list->itemWidget(list->item(row)))->text());
    return lines;
}

QPushButton* button(const QWidget* widget, const char* name)
{
    return widget->findChild<QPushButton*>(QLatin1String(name));
}

} // namespace

class TestFinancialList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void twelveProductsAndTheFilterBoxes();
    void requestBodies_data();
    void requestBodies();
    void sortOperationsShowTheNewOrder();
    void putUpOrDownAfterConfirmation();
    void operationBoxFollowsRights_data();
    void operationBoxFollowsRights();
    void clickOpensProductInComponent();
    void missingComponentLeavesClickWithoutEffect();
    void hubSignalReloads();
    void customerListPages();
    void searchKeepsThePage();
    void serviceTextsShowAsWritten();
    void missingValuesShowADash();

private:
    void startServiceAsManager();
    void startCannedServer();
    Page* openPage();

    std::unique_ptr<CardPageFixture> m_pages;
    // The servers of the case, owned by m_pages.
    ReferenceService* m_service = nullptr;
    ScriptedHttpServer* m_server = nullptr;
};

void TestFinancialList::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
}

void TestFinancialList::init()
{
    m_pages = std::make_unique<CardPageFixture>();
}

void TestFinancialList::cleanup()
{
    HostWindowFixture::closeWindows(kDetailDialog);
    m_pages.reset();
    m_service = nullptr;
    m_server = nullptr;
}

void TestFinancialList::startServiceAsManager()
{
    m_service = m_pages->startService(kManager);
    QVERIFY(m_service);
}

void TestFinancialList::startCannedServer()
{
    m_server = m_pages->startCannedServer(kManager);
    QVERIFY(m_server);
    QJsonArray rows;
    for (int i = 1; i <= 5; ++i)
        rows.append(QJsonObject{{QStringLiteral("id"), i}, {QStringLiteral("title"), QStringLiteral("产品%1").arg(i)}});
    m_server->setReply(kListPath, ScriptedHttpServer::listReply(60, rows, QStringLiteral("成功")));
    m_server->setReply(kConfigPath,
                       ScriptedHttpServer::envelope(
                           200, QStringLiteral("成功"),
                           QJsonObject{{QStringLiteral("dyleixing"), QJsonArray{QStringLiteral("抵押贷款"), QStringLiteral("信用贷款")}},
                                       {QStringLiteral("changhuanway"), QJsonArray{QStringLiteral("等额本息"), QStringLiteral("先息后本")}}}));
}

Page* TestFinancialList::openPage()
{
    return m_pages->open<Page>(QStringLiteral("金融"), &Page::refresh);
}

void TestFinancialList::twelveProductsAndTheFilterBoxes()
{
    startServiceAsManager();
    Page* page = openPage();
    QVERIFY(page);
    QCOMPARE(page->objectName(), QStringLiteral("MircroWebSiteFinancialListWidget"));
    QVERIFY(!button(page, "pushButton_financialCustomer")->isHidden());
    QCOMPARE(cardsOf(page).size(), 5);
    QCOMPARE(PagingProbe::pageInfo(page->pagingBar()), QStringLiteral("条，共3页，共计12条，当前第"));

    const Card* first = cardsOf(page).first();
    QCOMPARE(first->data().title, QStringLiteral("安居房抵贷"));
    QCOMPARE(first->findChild<OmitLabel*>(QStringLiteral("label_line1"))->fullText(),
             QStringLiteral("放款额度1000万 贷款时间120月"));
    QCOMPARE(first->findChild<OmitLabel*>(QStringLiteral("label_line2"))->fullText(),
             QStringLiteral("成都全款房产可贷，最快3天放款"));
    QVERIFY(first->findChild<QLabel*>(QStringLiteral("label_value"))->text().contains(QStringLiteral(">0.35 </span>")));
    QCOMPARE(first->findChild<QLabel*>(QStringLiteral("label_type"))->text(), QStringLiteral("抵押贷款"));

    auto* loanType = page->findChild<QComboBox*>(QStringLiteral("comboBox_daiKuanLeiXing"));
    auto* repayment = page->findChild<QComboBox*>(QStringLiteral("comboBox_changHuanFangShi"));
    QTRY_COMPARE(loanType->count(), 5);
    QCOMPARE(loanType->itemText(0), QStringLiteral("贷款类型"));
    QCOMPARE(loanType->itemText(1), QStringLiteral("抵押贷款"));
    QCOMPARE(repayment->count(), 5);
    QCOMPARE(repayment->itemText(0), QStringLiteral("偿还方式"));

    button(page, "pushButton_next")->click();
    QVERIFY(m_pages->waitForList());
    button(page, "pushButton_next")->click();
    QVERIFY(m_pages->waitForList());
    QCOMPARE(titlesOf(page), (QStringList{QStringLiteral("税票经营贷"), QStringLiteral("公务员信用贷")}));

    // Filtering by a loan type really filters, from the first page.
    QVERIFY(chooseEntry(loanType, QStringLiteral("抵押贷款")));
    QTest::mouseClick(button(page, "searchButton"), Qt::LeftButton);
    QVERIFY(m_pages->waitForList());
    QCOMPARE(titlesOf(page), (QStringList{QStringLiteral("安居房抵贷"), QStringLiteral("车位抵押贷"),
                                          QStringLiteral("赎楼过桥贷"), QStringLiteral("商铺抵押贷")}));
}

void TestFinancialList::requestBodies_data()
{
    QTest::addColumn<QString>("loanType");
    QTest::addColumn<QString>("repayment");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("high");
    QTest::addColumn<Pieces>("expected");

    QTest::newRow("boxes at 贷款类型 and 偿还方式") << QStringLiteral("贷款类型") << QStringLiteral("偿还方式") << QString()
                                           << QString() << QString() << QString() << Pieces{};
    QTest::newRow("loan type") << QStringLiteral("信用贷款") << QString() << QString() << QString() << QString() << QString()
                               << Pieces{piece("dyleixing", QStringLiteral("信用贷款"))};
    QTest::newRow("repayment") << QString() << QStringLiteral("先息后本") << QString() << QString() << QString() << QString()
                               << Pieces{piece("changhuanway", QStringLiteral("先息后本"))};
    QTest::newRow("name as key") << QString() << QString() << QString() << QStringLiteral("房抵") << QString() << QString()
                                 << Pieces{piece("key", QStringLiteral("房抵"))};
    QTest::newRow("amounts") << QString() << QString() << QString() << QString() << QStringLiteral("50")
                             << QStringLiteral("500") << Pieces{piece("priceone", QStringLiteral("50")), piece("pricetwo", QStringLiteral("500"))};
    QTest::newRow("已上架") << QString() << QString() << QStringLiteral("已上架") << QString() << QString() << QString()
                         << Pieces{piece("wstore", QStringLiteral("1"))};
    QTest::newRow("everything") << QStringLiteral("抵押贷款") << QStringLiteral("等额本息") << QStringLiteral("未上架")
                                << QStringLiteral("安居") << QStringLiteral("100") << QStringLiteral("1000")
                                << Pieces{piece("dyleixing", QStringLiteral("抵押贷款")), piece("changhuanway", QStringLiteral("等额本息")),
                                          piece("key", QStringLiteral("安居")), piece("priceone", QStringLiteral("100")),
                                          piece("pricetwo", QStringLiteral("1000")), piece("wstore", QStringLiteral("0"))};
}

void TestFinancialList::requestBodies()
{
    QFETCH(QString, loanType);
    QFETCH(QString, repayment);
    QFETCH(QString, status);
    QFETCH(QString, name);
    QFETCH(QString, low);
    QFETCH(QString, high);
    QFETCH(Pieces, expected);

    startCannedServer();
    Page* page = openPage();
    QVERIFY(page);
    QCOMPARE(m_server->requestsTo(kConfigPath).size(), 1);
    QCOMPARE(m_server->requestsTo(kListPath).first().body, QByteArray("pageindex=1&pagesize=5"));
    auto* loanBox = page->findChild<QComboBox*>(QStringLiteral("comboBox_daiKuanLeiXing"));
    QTRY_COMPARE(loanBox->count(), 3);
    if (!loanType.isEmpty())
        QVERIFY(chooseEntry(loanBox, loanType));
    if (!repayment.isEmpty())
        QVERIFY(chooseEntry(page->findChild<QComboBox*>(QStringLiteral("comboBox_changHuanFangShi")), repayment));
    QVERIFY(CardPageFixture::fillSharedFilters(page, status, name, low, high));
    QTest::mouseClick(button(page, "searchButton"), Qt::LeftButton);
    QTRY_COMPARE(m_server->requestsTo(kListPath).size(), 2);
    const Pieces paging{piece("pageindex", 1), piece("pagesize", 5)};
    QCOMPARE(m_server->requestsTo(kListPath).last().body, ReferenceService::form(paging + expected));
}

void TestFinancialList::sortOperationsShowTheNewOrder()
{
    startServiceAsManager();
    Page* page = openPage();
    QVERIFY(page);
    const QStringList seeded = titlesOf(page);

    QVERIFY(chooseEntry(cardsOf(page).at(1)->operationBox(), QStringLiteral("下移")));
    QVERIFY(m_pages->waitForList());
    QStringList expected = seeded;
    expected.swapItemsAt(1, 2);
    QCOMPARE(titlesOf(page), expected);

    QVERIFY(chooseEntry(cardsOf(page).at(2)->operationBox(), QStringLiteral("上移")));
    QVERIFY(m_pages->waitForList());
    QCOMPARE(titlesOf(page), seeded);

    QVERIFY(chooseEntry(cardsOf(page).at(4)->operationBox(), QStringLiteral("置顶")));
    QVERIFY(m_pages->waitForList());
    expected = seeded;
    expected.move(4, 0);
    QCOMPARE(titlesOf(page), expected);

    // Moving the first product up is refused by the service; the page keeps its order.
    QVERIFY(chooseEntry(cardsOf(page).at(0)->operationBox(), QStringLiteral("上移")));
    QVERIFY(AlertProbe::waitForAlertContaining(QStringLiteral("无法上移")));
    QCOMPARE(titlesOf(page), expected);
}

void TestFinancialList::putUpOrDownAfterConfirmation()
{
    startServiceAsManager();
    Page* page = openPage();
    QVERIFY(page);
    QCOMPARE(cardsOf(page).at(3)->operations().first(), QStringLiteral("已上架"));
    QVERIFY(chooseEntry(cardsOf(page).at(3)->operationBox(), QStringLiteral("已上架")));
    QCOMPARE(AlertProbe::answer(QStringLiteral("sureBtn")), QStringLiteral("您确定要下架该金融项目吗？"));
    QVERIFY(m_pages->waitForList());
    const Card* card = cardsOf(page).at(3);
    QCOMPARE(card->operations().first(), QStringLiteral("已下架"));
    QCOMPARE(card->findChild<OmitLabel*>(QStringLiteral("label_line3"))->fullText(), QStringLiteral("状态：已下架"));

    QVERIFY(chooseEntry(cardsOf(page).at(3)->operationBox(), QStringLiteral("已下架")));
    QCOMPARE(AlertProbe::answer(QStringLiteral("cancleBtn")), QStringLiteral("您确定要上架该金融项目吗？"));
    // Nothing was sent: the page's next request is the refresh asked for here.
    const int sent = RequestLog::countSentBy(page);
    QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("pushButton_refresh")), Qt::LeftButton);
    QVERIFY(m_pages->waitForList());
    QCOMPARE(m_pages->listsNotWaitedFor(), 0);
    QCOMPARE(RequestLog::countSentBy(page), sent + 1);
    QVERIFY(RequestLog::sentBy(page).constLast().url.endsWith(QLatin1String("apptwo/fimsposts")));
    QCOMPARE(cardsOf(page).at(3)->operations().first(), QStringLiteral("已下架"));
}

void TestFinancialList::operationBoxFollowsRights_data()
{
    QTest::addColumn<bool>("manager");
    QTest::addColumn<QList<int>>("rights");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("manager") << true << QList<int>{}
                             << QStringList{QStringLiteral("已上架"), QStringLiteral("置顶"), QStringLiteral("上移"),
                                            QStringLiteral("下移")};
    QTest::newRow("no rights") << false << QList<int>{} << QStringList{};
    QTest::newRow("80 to the top") << false << QList<int>{80} << QStringList{QStringLiteral("置顶")};
    QTest::newRow("81 alone offers nothing") << false << QList<int>{81} << QStringList{};
    QTest::newRow("82 puts up") << false << QList<int>{82} << QStringList{QStringLiteral("已上架")};
    QTest::newRow("83 orders") << false << QList<int>{83}
                               << QStringList{QStringLiteral("置顶"), QStringLiteral("上移"), QStringLiteral("下移")};
    QTest::newRow("new-house rights") << false << QList<int>{70, 71, 72, 73, 97} << QStringList{};
}

void TestFinancialList::operationBoxFollowsRights()
{
    QFETCH(bool, manager);
    QFETCH(QList<int>, rights);
    QFETCH(QStringList, entries);

    QVariantList granted;
    for (int id : {70, 71, 72, 73, 80, 81, 82, 83, 97})
        granted.append(F::right(id, rights.contains(id)));
    F::storeUser(QStringLiteral("13800000001"), manager, granted);
    FinancialProductList_Model::ListData data;
    data.id = 3;
    data.title = QStringLiteral("首套按揭优选");
    data.wstore = true;
    QObject reader;
    Card card(data, Card::readRights(&reader));
    QCOMPARE(card.operations(), entries);
    QCOMPARE(card.operationBox()->isEnabled(), !entries.isEmpty());
}

void TestFinancialList::clickOpensProductInComponent()
{
    startServiceAsManager();
    Page* page = openPage();
    QVERIFY(page);
    const QStringList titles = titlesOf(page);
    QTest::mouseClick(cardsOf(page).at(3), Qt::LeftButton, {}, QPoint(260, 30));
    QWidget* dialog = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((dialog = HostWindowFixture::visibleWindow(kDetailDialog)) != nullptr, 5000);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("金融详情"));
    const auto heading = [dialog] { return dialog->findChild<QLabel*>(QStringLiteral("label_heading"))->text(); };
    QTRY_COMPARE_WITH_TIMEOUT(heading(), titles.at(3), 10000);
    QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("label_position"))->text(), QStringLiteral("4 / 5"));
    QVERIFY(!dialog->findChild<QLabel*>(QStringLiteral("value_cailiao"))->text().isEmpty());
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("pushButton_previous")), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(heading(), titles.at(2), 10000);
}

void TestFinancialList::missingComponentLeavesClickWithoutEffect()
{
    startServiceAsManager();
    Page* page = openPage();
    QVERIFY(page);
    page->setDetailLibrary(QStringLiteral("kq_no_such_component"));
    const int windows = QApplication::topLevelWidgets().size();
    QTest::mouseClick(cardsOf(page).at(0), Qt::LeftButton, {}, QPoint(260, 30));
    QVERIFY(AlertProbe::flushPending());
    QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    QVERIFY(AlertProbe::visibleAlerts().isEmpty());
}

void TestFinancialList::hubSignalReloads()
{
    startServiceAsManager();
    Page* page = openPage();
    QVERIFY(page);
    const QStringList before = titlesOf(page);
    const qint64 id = cardsOf(page).at(2)->data().id;
    QCOMPARE(m_service->call(QStringLiteral("api/apptwo/fipaixu"), {piece("id", id), piece("type", 0)}, DataCenter::HttpHeadMap)
                 .code(),
             200);
    CommonSignalTool::Instance()->send_refreshFinancialList(QVariant(), nullptr);
    QVERIFY(m_pages->waitForList());
    QCOMPARE(titlesOf(page).first(), before.at(2));
}

void TestFinancialList::customerListPages()
{
    startServiceAsManager();
    Page* page = openPage();
    QVERIFY(page);
    QTest::mouseClick(button(page, "pushButton_financialCustomer"), Qt::LeftButton);
    QTRY_COMPARE(HostWindowFixture::openPopups().size(), 1);
    CommonAddWidget* frame = HostWindowFixture::openPopups().first();
    QCOMPARE(HostWindowFixture::popupTitle(frame), QStringLiteral("金融客户列表"));
    auto* customers = frame->findChild<Customers*>();
    QVERIFY(customers);
    QSignalSpy shown(customers, &Customers::listShown);
    QVERIFY(shown.wait(10000));

    QStringList lines = linesOf(customers);
    QCOMPARE(lines.size(), 10);
    QCOMPARE(lines.first(), QStringLiteral("【经营贷款】小微经营贷：朱琳（15208004680）2024-05-15 16:20"));
    QPushButton* previous = button(customers, "pushButton_lastButton");
    QPushButton* next = button(customers, "pushButton_nextButton");
    // On the first page there is nothing before it.
    QVERIFY(!previous->isEnabled());
    QVERIFY(next->isEnabled());

    QTest::mouseClick(next, Qt::LeftButton);
    QVERIFY(shown.wait(10000));
    lines = linesOf(customers);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.last(), QStringLiteral("【抵押贷款】安居房抵贷：张伟（13980001234）2024-05-02 09:15"));
    QCOMPARE(customers->pageIndex(), 2);
    // The last page offers nothing after it.
    QTRY_VERIFY(previous->isEnabled());
    QVERIFY(!next->isEnabled());

    QTest::mouseClick(previous, Qt::LeftButton);
    QVERIFY(shown.wait(10000));
    QCOMPARE(linesOf(customers).size(), 10);
    QCOMPARE(customers->pageIndex(), 1);
}

void TestFinancialList::searchKeepsThePage()
{
    startCannedServer();
    Page* page = openPage();
    QVERIFY(page);
    button(page, "pushButton_next")->click();
    QVERIFY(m_pages->waitForList());
    QCOMPARE(PagingProbe::currentPage(page->pagingBar()), QStringLiteral("2"));
    QVERIFY(CardPageFixture::fillSharedFilters(page, QStringLiteral("已上架"), QString(), QString(), QString()));
    QTest::mouseClick(button(page, "searchButton"), Qt::LeftButton);
    QTRY_COMPARE(m_server->requestsTo(kListPath).size(), 3);
    QCOMPARE(m_server->requestsTo(kListPath).last().body,
             ReferenceService::form({piece("pageindex", 2), piece("pagesize", 5), piece("wstore", 1)}));
    QVERIFY(m_pages->waitForList());
    QCOMPARE(PagingProbe::currentPage(page->pagingBar()), QStringLiteral("2"));
}

void TestFinancialList::serviceTextsShowAsWritten()
{
    startCannedServer();
    const QString title = QStringLiteral("<b>房抵</b><img src=\"http://127.0.0.1:1/x.png\">");
    const QJsonObject product{{QStringLiteral("id"), 1},
                              {QStringLiteral("title"), title},
                              {QStringLiteral("dyleixing"), QStringLiteral("<i>抵押</i>")},
                              {QStringLiteral("monthLixi"), QStringLiteral("<b>0.3</b>")}};
    m_server->setReply(kListPath, ScriptedHttpServer::listReply(1, QJsonArray{product}, QStringLiteral("成功")));
    const QJsonObject application{{QStringLiteral("type"), QStringLiteral("<i>抵押</i>")},
                                  {QStringLiteral("title"), title},
                                  {QStringLiteral("name"), QStringLiteral("<b>王</b>")},
                                  {QStringLiteral("phone"), QStringLiteral("13800000000")},
                                  {QStringLiteral("time"), QStringLiteral("2024-05-01 10:00")}};
    m_server->setReply(QStringLiteral("/api/apptwo/ficlientposts"),
                       ScriptedHttpServer::listReply(1, QJsonArray{application}, QStringLiteral("成功")));
    Page* page = openPage();
    QVERIFY(page);

    const Card* card = cardsOf(page).first();
    const QStringList labels{QStringLiteral("label_name"), QStringLiteral("label_type"), QStringLiteral("label_value")};
    QCOMPARE(LabelProbe::shownTexts(card, labels), (QStringList{title, QStringLiteral("<i>抵押</i>"), QStringLiteral("<b>0.3</b> %")}));
    // The rate keeps its styling around the service's text.
    QVERIFY(card->findChild<QLabel*>(QStringLiteral("label_value"))->text().contains(QStringLiteral("font-size:27px")));

    // The visitors' applications.
    QTest::mouseClick(button(page, "pushButton_financialCustomer"), Qt::LeftButton);
    QTRY_COMPARE(HostWindowFixture::openPopups().size(), 1);
    auto* customers = HostWindowFixture::openPopups().first()->findChild<Customers*>();
    QVERIFY(customers);
    QListWidget* list = customers->findChild<CustomListWidget*>()->listWidget();
    QTRY_COMPARE_WITH_TIMEOUT(list->count(), 1, 10000);
    const auto* line = qobject_cast<QLabel*>(list->itemWidget(list->item(0)));
    QVERIFY(line);
    QCOMPARE(LabelProbe::shownText(line),
             QStringLiteral("【<i>抵押</i>】%1：<b>王</b>（13800000000）2024-05-01 10:00").arg(title));
}

void TestFinancialList::missingValuesShowADash()
{
    startCannedServer();
    const QJsonArray products{QJsonObject{{QStringLiteral("id"), 1}},
                              QJsonObject{{QStringLiteral("id"), 2}, {QStringLiteral("maxedu"), QStringLiteral("50")}}};
    m_server->setReply(kListPath, ScriptedHttpServer::listReply(2, products, QStringLiteral("成功")));
    Page* page = openPage();
    QVERIFY(page);
    QCOMPARE(cardsOf(page).size(), 2);
    const QStringList labels{QStringLiteral("label_name"), QStringLiteral("label_value"), QStringLiteral("label_yongJin"),
                             QStringLiteral("label_line1"), QStringLiteral("label_line2")};
    const QString dash = QStringLiteral("—");
    // Read as shown, once the cards are laid out and the lines know their widths.
    QTRY_COMPARE(LabelProbe::shownTexts(cardsOf(page).at(0), labels),
             (QStringList{dash, dash, dash, QStringLiteral("放款额度— 贷款时间—"), dash}));
    QTRY_COMPARE(LabelProbe::shownTexts(cardsOf(page).at(1), labels).at(3), QStringLiteral("放款额度50万 贷款时间—"));
}

QTEST_MAIN(TestFinancialList)
#include "tst_financiallist.moc"
