#include "frame/MicroWebsiteControlCenter.h"
#include "listings/common/HouseTableLabelItemView.h"
#include "listings/common/HoverTableWidget.h"
#include "listings/common/TableButtonItemView.h"
#include "listings/housemanager/HouseManagerSaleOrRentListWidget.h"
#include "support/service/ReferenceService.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/HostWindowFixture.h"
#include "support/ui/LocalStoreFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "support/ui/RequestLog.h"
#include "support/ui/TablePageProbe.h"
#include "widgets/inputs/CustomComboBox.h"
#include "widgets/lists/PagingBar.h"
#include "widgets/popups/AlertWidget.h"

#include "CommonSignalTool.h"
#include "CustomTabWidget.h"
#include "DataCenter.h"

#include <QInputMethodEvent>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>
#include <QUrl>

#include <functional>
#include <memory>

using F = LocalStoreFixture;
using House = HouseManagerSaleOrRentListWidget::ListData;
using Page = HouseManagerSaleOrRentListWidget;
using TablePageProbe::settled;

namespace {

const QString kManager = QStringLiteral("13800000000");
const QString kStaff = QStringLiteral("13800000001"); // right 65 for his own houses only

const QString kRed = QStringLiteral("color: rgb(255,0,0);border:1px solid rgb(255,0,0);");
const QString kGrey = QStringLiteral("color: rgb(121,121,121);border:1px solid rgb(121,121,121);");

QList<RequestLog::Sent> requests(const Page& page)
{
    return RequestLog::sentBy(&page);
}

QString lastListBody(const Page& page)
{
    const QList<RequestLog::Sent> sent = requests(page);
    for (int i = sent.size() - 1; i >= 0; --i) {
        if (sent.at(i).url.endsWith(QLatin1String("mtore/mshouseposts")))
            return QString::fromUtf8(sent.at(i).body);
    }
    return QString();
}

int operationColumn(const Page& page)
{
    return page.table()->columnCount() - 1;
}

TableButtonItemView* operationCell(const Page& page, int row)
{
    return qobject_cast<TableButtonItemView*>(page.table()->cellWidget(row, operationColumn(page)));
}

QStringList buttonTexts(const Page& page, int row)
{
    QStringList texts;
    if (TableButtonItemView* cell = operationCell(page, row)) {
        for (QPushButton* button : cell->buttons())
            texts.append(button->text());
    }
    return texts;
}

int rowWhere(const Page& page, const std::function<bool(const House&)>& condition)
{
    const QList<House> rows = page.rows();
    for (int i = 0; i < rows.size(); ++i) {
        if (condition(rows.at(i)))
            return i;
    }
    return -1;
}

int rowOfId(const Page& page, int id)
{
    return rowWhere(page, [id](const House& house) { return house.id == id; });
}

// Scrolls the row into view, as a user would before clicking in it.
bool bringIntoView(const Page& page, int row, QWidget* target)
{
    page.table()->scrollTo(page.table()->model()->index(row, 0));
    return target && QTest::qWaitFor([target] { return target->isVisible() && target->width() > 0; }, 3000);
}

bool clickRowButton(const Page& page, int row, const QString& text)
{
    TableButtonItemView* cell = operationCell(page, row);
    QPushButton* button = cell ? cell->button(text) : nullptr;
    if (!bringIntoView(page, row, button))
        return false;
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
}

bool clickRowText(const Page& page, int row, int column)
{
    auto* cell = qobject_cast<HouseTableLabelItemView*>(page.table()->cellWidget(row, column));
    if (!bringIntoView(page, row, cell))
        return false;
    QTest::mouseClick(cell, Qt::LeftButton);
    return true;
}

QByteArray encoded(const QString& text)
{
    return QUrl::toPercentEncoding(text);
}

} // namespace

class TestHouseManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void opensFromTheMainPageTiles();
    void buttonsOfReviewedAndWaitingHouses();
    void waitingButtonColourFollowsReviewRight_data();
    void waitingButtonColourFollowsReviewRight();
    void listRequestCarriesFiltersInOrder_data();
    void listRequestCarriesFiltersInOrder();
    void rowClickSendsHouseBookIds();
    void refusedWithoutRight_data();
    void refusedWithoutRight();
    void recommendNeedsTheSiteService();
    void confirmedOrCancelled_data();
    void confirmedOrCancelled();
    void reviewNeedsNoQuestion();
    void successReloadsSamePageKeepingSelection();
    void failedOperationDoesNotReload();

private:
    // Logs in at the service and opens the page of that kind as a tab, its first page loaded.
    Page* openPage(const QString& phone, int type);

    std::unique_ptr<ReferenceService> m_service;
    std::unique_ptr<HostWindowFixture> m_host;
};

// One service for the suite: each test picks its houses by their state on the page, so the
// changes of one test never decide another's outcome.
void TestHouseManager::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
    m_service = std::make_unique<ReferenceService>();
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
}

void TestHouseManager::cleanupTestCase()
{
    QCOMPARE(m_service->stop(), 0);
}

void TestHouseManager::init()
{
    m_host = std::make_unique<HostWindowFixture>();
}

void TestHouseManager::cleanup()
{
    m_host.reset();
}

Page* TestHouseManager::openPage(const QString& phone, int type)
{
    if (!F::loginAtService(*m_service, phone))
        return nullptr;
    auto* page =
        TablePageProbe::open<Page>(m_host->tabs(), type == 0 ? QStringLiteral("二手房") : QStringLiteral("租房"), type);
    if (!settled(*page) || page->rows().isEmpty())
        return nullptr;
    return page;
}

void TestHouseManager::opensFromTheMainPageTiles()
{
    QVERIFY(F::loginAtService(*m_service, kStaff));
    MicroWebsiteControlCenter center(m_host->tabs());
    center.mainPageFunctionsClick(2, QStringLiteral("二手房"));
    center.mainPageFunctionsClick(3, QStringLiteral("租房"));
    QCOMPARE(m_host->tabs()->count(), 2);

    const QStringList saleTitles = {QStringLiteral("编号"), QStringLiteral("标题"), QStringLiteral("小区"),
                                    QStringLiteral("价格"), QStringLiteral("均价"), QStringLiteral("发布人"),
                                    QStringLiteral("发布时间"), QStringLiteral("操作")};
    const QStringList rentTitles = {QStringLiteral("编号"), QStringLiteral("标题"), QStringLiteral("小区"),
                                    QStringLiteral("租金"), QStringLiteral("发布人"), QStringLiteral("发布时间"),
                                    QStringLiteral("操作")};
    for (int type : {0, 1}) {
        auto* page = qobject_cast<Page*>(m_host->tabs()->widget(type));
        QVERIFY(page);
        QCOMPARE(page->objectName(), QStringLiteral("HouseManagerSaleOrRentListWidget"));
        QCOMPARE(m_host->tabs()->tabText(type), type == 0 ? QStringLiteral("二手房") : QStringLiteral("租房"));
        QVERIFY(settled(*page));
        QCOMPARE(lastListBody(*page), QStringLiteral("type=%1&pageindex=1&pagesize=20").arg(type));
        QStringList titles;
        for (int i = 0; i < page->table()->columnCount(); ++i)
            titles.append(page->table()->horizontalHeaderItem(i)->text());
        QCOMPARE(titles, type == 0 ? saleTitles : rentTitles);

        // Prices carry their units; the row's texts are the service's.
        const House first = page->rows().first();
        QCOMPARE(page->table()->rowCount(), page->rows().size());
        auto* title = qobject_cast<HouseTableLabelItemView*>(page->table()->cellWidget(0, 1));
        QCOMPARE(title->text(), first.title);
        auto* price = qobject_cast<HouseTableLabelItemView*>(page->table()->cellWidget(0, 3));
        QCOMPARE(price->text(), first.price + (type == 0 ? QStringLiteral("万") : QStringLiteral("元/月")));
        if (type == 0) {
            auto* unitPrice = qobject_cast<HouseTableLabelItemView*>(page->table()->cellWidget(0, 4));
            QCOMPARE(unitPrice->text(), first.unitprice + QStringLiteral("元/㎡"));
        }
    }
}

void TestHouseManager::buttonsOfReviewedAndWaitingHouses()
{
    Page* page = openPage(kManager, 0);
    QVERIFY(page);

    const int shown = rowWhere(*page, [](const House& h) { return h.sh && h.putup && h.tuijian; });
    const int hidden = rowWhere(*page, [](const House& h) { return h.sh && !h.putup && !h.tuijian; });
    const int waiting = rowWhere(*page, [](const House& h) { return !h.sh; });
    QVERIFY(shown >= 0 && hidden >= 0 && waiting >= 0);

    QCOMPARE(buttonTexts(*page, shown),
             QStringList({QStringLiteral("删除"), QStringLiteral("已上架"), QStringLiteral("已推荐")}));
    QCOMPARE(buttonTexts(*page, hidden),
             QStringList({QStringLiteral("删除"), QStringLiteral("已下架"), QStringLiteral("待推荐")}));
    QCOMPARE(buttonTexts(*page, waiting), QStringList({QStringLiteral("等待审核")}));

    // Delete in red, the states that are "off" in grey, the others in the normal blue.
    const auto style = [page](int row, const QString& text) { return operationCell(*page, row)->button(text)->styleSheet(); };
    const QString base = TableButtonItemView::baseButtonStyle();
    QCOMPARE(style(shown, QStringLiteral("删除")), base + kRed);
    QCOMPARE(style(shown, QStringLiteral("已上架")), base);
    QCOMPARE(style(shown, QStringLiteral("已推荐")), base);
    QCOMPARE(style(hidden, QStringLiteral("已下架")), base + kGrey);
    QCOMPARE(style(hidden, QStringLiteral("待推荐")), base + kGrey);
    QVERIFY(base.contains(QLatin1String("color: rgb(12,145,235)")));

    // Buttons stay narrow and fit their text.
    QPushButton* remove = operationCell(*page, shown)->button(QStringLiteral("删除"));
    QCOMPARE(remove->maximumWidth(), 50);
    QCOMPARE(operationCell(*page, shown)->button(QStringLiteral("已上架"))->maximumWidth(), 55);
    QCOMPARE(remove->maximumHeight(), 25);
}

void TestHouseManager::waitingButtonColourFollowsReviewRight_data()
{
    QTest::addColumn<bool>("manager");
    QTest::addColumn<QVariantList>("rights");
    QTest::addColumn<bool>("allBlue");
    QTest::addColumn<QList<int>>("blueStores"); // besides: waiting houses of these stores show blue

    QTest::newRow("manager") << true << QVariantList() << true << QList<int>();
    QTest::newRow("no review right") << false << QVariantList{F::right(65, true, 2)} << false << QList<int>();
    // Review right for the own department only (store 4): decided per house, as the operation is.
    QTest::newRow("review right in own department")
        << false << QVariantList{F::right(93, true, 6)} << false << QList<int>{4};
}

void TestHouseManager::waitingButtonColourFollowsReviewRight()
{
    QFETCH(bool, manager);
    QFETCH(QVariantList, rights);
    QFETCH(bool, allBlue);
    QFETCH(QList<int>, blueStores);

    QVERIFY(F::loginAtService(*m_service, manager ? kManager : kStaff));
    // The local store as the host would have it for such a user.
    F::storeUser(manager ? kManager : kStaff, manager, rights,
                 {{QStringLiteral("suozai_bumens"), QStringLiteral("4")}, {QStringLiteral("weiguanwang"), 1}});
    auto* page = TablePageProbe::open<Page>(m_host->tabs(), QStringLiteral("二手房"), 0);
    QVERIFY(settled(*page));

    int blue = 0;
    int grey = 0;
    const QList<House> rows = page->rows();
    for (int row = 0; row < rows.size(); ++row) {
        if (rows.at(row).sh)
            continue;
        const bool expectBlue = allBlue || blueStores.contains(rows.at(row).storeid);
        const QString style = operationCell(*page, row)->button(QStringLiteral("等待审核"))->styleSheet();
        QCOMPARE(style.contains(kGrey), !expectBlue);
        ++(expectBlue ? blue : grey);
    }
    // The seeded page shows both kinds where the right is per department.
    QVERIFY(blue + grey >= 2);
    if (!blueStores.isEmpty())
        QVERIFY(blue > 0 && grey > 0);
}

void TestHouseManager::listRequestCarriesFiltersInOrder_data()
{
    QTest::addColumn<int>("statusDowns"); // Down presses on the status box
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("tail"); // what follows the paging part
    QTest::addColumn<bool>("putUp");

    QTest::newRow("taken down, with an estate")
        << 2 << QStringLiteral("金房苑") << QByteArray("&putup=0&key=" + encoded(QStringLiteral("金房苑"))) << false;
    QTest::newRow("put up only") << 1 << QString() << QByteArray("&putup=1") << true;
    QTest::newRow("estate only, blanks dropped")
        << 0 << QStringLiteral(" 中海 ") << QByteArray("&key=" + encoded(QStringLiteral("中海"))) << true;
}

void TestHouseManager::listRequestCarriesFiltersInOrder()
{
    QFETCH(int, statusDowns);
    QFETCH(QString, text);
    QFETCH(QByteArray, tail);
    QFETCH(bool, putUp);

    Page* page = openPage(kStaff, 0);
    QVERIFY(page);
    auto* status = page->findChild<CustomComboBox*>(QStringLiteral("comboBox_putup"));
    auto* search = page->findChild<QLineEdit*>(QStringLiteral("lineEdit_search"));
    auto* searchButton = page->findChild<QPushButton*>(QStringLiteral("pushButton_search"));
    QVERIFY(status && search && searchButton);
    QCOMPARE(status->count(), 3);
    QCOMPARE(status->currentText(), QStringLiteral("上架状态"));

    for (int i = 0; i < statusDowns; ++i)
        QTest::keyClick(status, Qt::Key_Down);
    QCOMPARE(status->currentIndex(), statusDowns);
    // Chinese comes in through the input method, committed as a whole.
    search->setFocus();
    QInputMethodEvent typed;
    typed.setCommitString(text);
    QApplication::sendEvent(search, &typed);
    QCOMPARE(search->text(), text);
    const int before = requests(*page).size();
    QTest::mouseClick(searchButton, Qt::LeftButton);
    QCOMPARE(requests(*page).size(), before + 1);
    QVERIFY(settled(*page));

    QCOMPARE(requests(*page).last().body, QByteArray("type=0&pageindex=1&pagesize=20") + tail);
    // The service answered the filters.
    QVERIFY(!page->rows().isEmpty());
    for (const House& house : page->rows()) {
        if (statusDowns > 0)
            QCOMPARE(house.putup, putUp);
        if (!text.trimmed().isEmpty())
            QVERIFY(house.village.contains(text.trimmed()) || house.title.contains(text.trimmed()));
    }
}

void TestHouseManager::rowClickSendsHouseBookIds()
{
    Page* page = openPage(kManager, 0);
    QVERIFY(page);
    QList<int> withBook;
    for (const House& house : page->rows()) {
        if (house.bookid > 0)
            withBook.append(house.bookid);
    }
    // The seeded first page holds houses that are on the site only.
    QVERIFY(withBook.size() < page->rows().size());

    QSignalSpy hub(CommonSignalTool::Instance(), &CommonSignalTool::reviceMsg);
    const int row = rowWhere(*page, [](const House& h) { return h.bookid > 0; });
    QVERIFY(clickRowText(*page, row, 1));
    QCOMPARE(hub.count(), 1);
    QCOMPARE(hub.first().at(0).toString(), QStringLiteral("HouseDetail"));
    const QVariantMap message = hub.first().at(1).toMap();
    QCOMPARE(message.value(QStringLiteral("id")).toInt(), page->rows().at(row).bookid);
    QCOMPARE(message.value(QStringLiteral("index")).toInt(), 6);
    QList<int> ids;
    for (const QVariant& id : message.value(QStringLiteral("ids")).toList())
        ids.append(id.toInt());
    QCOMPARE(ids, withBook);
    QCOMPARE(page->selectedRow(), row);
    QCOMPARE(page->table()->selectedRow(), row);

    // A row button is an operation: it marks its row but does not open the house.
    const int other = rowWhere(*page, [](const House& h) { return h.sh; });
    QVERIFY(other != row);
    QVERIFY(clickRowButton(*page, other, QStringLiteral("删除")));
    QVERIFY(!AlertProbe::answer(QStringLiteral("cancleBtn")).isEmpty());
    QCOMPARE(hub.count(), 1);
    QCOMPARE(page->selectedRow(), other);
}

void TestHouseManager::refusedWithoutRight_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("own"); // on a house the staff member published
    QTest::addColumn<QString>("message");

    QTest::newRow("delete (66)") << QStringLiteral("删除") << true
                                 << QStringLiteral("您没有对该房源删除的权限,如需操作请联系管理员！");
    QTest::newRow("take down another's house (65, scope 2)")
        << QStringLiteral("已上架") << false << QStringLiteral("您没有对该房源进行上下架的权限,如需操作请联系管理员！");
    QTest::newRow("review (93)") << QStringLiteral("等待审核") << true << QStringLiteral("您没有审核的权限，请联系管理员！");
    QTest::newRow("recommend (98)") << QStringLiteral("待推荐") << true
                                    << QStringLiteral("您没有对该房源进行推荐到官网的权限,如需操作请联系管理员！");
}

void TestHouseManager::refusedWithoutRight()
{
    QFETCH(QString, button);
    QFETCH(bool, own);
    QFETCH(QString, message);

    Page* page = openPage(kStaff, 0);
    QVERIFY(page);
    int row = -1;
    for (int i = 0; i < page->rows().size() && row < 0; ++i) {
        if ((page->rows().at(i).faburenphone == kStaff) == own && buttonTexts(*page, i).contains(button))
            row = i;
    }
    QVERIFY2(row >= 0, qPrintable(button));
    const int before = requests(*page).size();

    QVERIFY(clickRowButton(*page, row, button));
    AlertWidget* alert = AlertProbe::waitForAlertContaining(message);
    QVERIFY2(alert, qPrintable(message));
    QCOMPARE(alert->title(), QStringLiteral("警告"));
    // A refusal only: no question, nothing sent.
    QVERIFY(AlertProbe::flushPending());
    QCOMPARE(AlertProbe::visibleAlerts().size(), 1);
    QVERIFY(AlertProbe::hasButton(alert, QStringLiteral("knowButton")));
    QVERIFY(!AlertProbe::hasButton(alert, QStringLiteral("sureBtn")));
    QCOMPARE(requests(*page).size(), before);
}

void TestHouseManager::recommendNeedsTheSiteService()
{
    Page* page = openPage(kManager, 0);
    QVERIFY(page);
    // The company's site service has been closed since the page was loaded.
    F::storeUser(kManager, true, {}, {{QStringLiteral("weiguanwang"), 0}});
    const int row = rowWhere(*page, [](const House& h) { return h.sh && !h.tuijian; });
    const int before = requests(*page).size();

    QVERIFY(clickRowButton(*page, row, QStringLiteral("待推荐")));
    AlertWidget* tip = AlertProbe::waitForAlertContaining(QStringLiteral("您尚未开通官网服务！"));
    QVERIFY(tip);
    QCOMPARE(tip->title(), QStringLiteral("提示"));
    QVERIFY(AlertProbe::flushPending());
    QCOMPARE(AlertProbe::visibleAlerts().size(), 1);
    QCOMPARE(requests(*page).size(), before);
}

void TestHouseManager::confirmedOrCancelled_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("question");  // %1: the house id
    QTest::addColumn<QString>("sureText");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("body");      // %1: the house id
    QTest::addColumn<QStringList>("after"); // its buttons once reloaded; empty: gone
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<bool>("putUp");   // the state of the reviewed house operated on
    QTest::addColumn<bool>("recommended");

    const QStringList takenDown = {QStringLiteral("删除"), QStringLiteral("已下架"), QStringLiteral("待推荐")};
    const QStringList recommended = {QStringLiteral("删除"), QStringLiteral("已上架"), QStringLiteral("已推荐")};
    const QStringList plain = {QStringLiteral("删除"), QStringLiteral("已上架"), QStringLiteral("待推荐")};
    const QString remove = QStringLiteral("您确定要删除编号为<%1>的房源吗？");
    const QString down = QStringLiteral("您确定要下架编号为<%1>的房源吗？");
    const QString up = QStringLiteral("您确定要上架编号为<%1>的房源吗？");
    const QString recommend = QStringLiteral("您确定要推荐编号为<%1>的房源到您的官网吗？");
    const QString cancel = QStringLiteral("您确定要取消推荐编号为<%1>的房源到您的官网吗？");
    const QString id = QStringLiteral("id=%1");

    for (bool confirm : {true, false}) {
        const char* how = confirm ? "confirmed" : "cancelled";
        QTest::addRow("delete, %s", how) << QStringLiteral("删除") << remove << QStringLiteral("删除")
                                         << QStringLiteral("mtore/deletemshouse") << id << QStringList() << confirm
                                         << true << false;
        QTest::addRow("take down, %s", how) << QStringLiteral("已上架") << down << QStringLiteral("下架")
                                            << QStringLiteral("mtore/mshouseclickstore") << id << takenDown << confirm
                                            << true << false;
        QTest::addRow("put up, %s", how) << QStringLiteral("已下架") << up << QStringLiteral("上架")
                                         << QStringLiteral("mtore/mshouseclickstore") << id << plain << confirm
                                         << false << false;
        QTest::addRow("recommend, %s", how) << QStringLiteral("待推荐") << recommend << QStringLiteral("确定")
                                            << QStringLiteral("mtore/settuijian")
                                            << QStringLiteral("type=0&id=%1&state=1") << recommended << confirm
                                            << true << false;
        QTest::addRow("cancel recommendation, %s", how)
            << QStringLiteral("已推荐") << cancel << QStringLiteral("确定") << QStringLiteral("mtore/settuijian")
            << QStringLiteral("type=0&id=%1&state=0") << plain << confirm << true << true;
    }
}

void TestHouseManager::confirmedOrCancelled()
{
    QFETCH(QString, button);
    QFETCH(QString, question);
    QFETCH(QString, sureText);
    QFETCH(QString, path);
    QFETCH(QString, body);
    QFETCH(QStringList, after);
    QFETCH(bool, confirm);
    QFETCH(bool, putUp);
    QFETCH(bool, recommended);

    Page* page = openPage(kManager, 0);
    QVERIFY(page);
    const int row = rowWhere(*page, [&](const House& h) { return h.sh && h.putup == putUp && h.tuijian == recommended; });
    QVERIFY2(row >= 0, qPrintable(button));
    const House house = page->rows().at(row);
    const QStringList before = buttonTexts(*page, row);
    const int requestsBefore = requests(*page).size();

    QVERIFY(clickRowButton(*page, row, button));
    AlertWidget* alert = AlertProbe::waitForAlert();
    QVERIFY(alert);
    QCOMPARE(alert->message(), question.arg(house.id));
    QVERIFY(AlertProbe::hasButton(alert, QStringLiteral("sureBtn")));
    QVERIFY(AlertProbe::hasButton(alert, QStringLiteral("cancleBtn")));
    QVERIFY(!AlertProbe::hasButton(alert, QStringLiteral("knowButton")));
    QCOMPARE(alert->findChild<QPushButton*>(QStringLiteral("sureBtn"))->text(), sureText);
    QVERIFY(AlertProbe::clickButton(alert, confirm ? QStringLiteral("sureBtn") : QStringLiteral("cancleBtn")));

    if (!confirm) {
        // Nothing was sent: the page's next request is the reload asked for here.
        QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("pushButton_refresh")), Qt::LeftButton);
        QVERIFY(settled(*page));
        QCOMPARE(requests(*page).size(), requestsBefore + 1);
        QVERIFY(requests(*page).last().url.endsWith(QLatin1String("mtore/mshouseposts")));
        QCOMPARE(buttonTexts(*page, rowOfId(*page, house.id)), before);
        return;
    }
    QVERIFY(settled(*page));
    // The operation, then the same page again.
    QCOMPARE(requests(*page).size(), requestsBefore + 2);
    const RequestLog::Sent operation = requests(*page).at(requestsBefore);
    QVERIFY2(operation.url.endsWith(path), qPrintable(operation.url));
    QCOMPARE(QString::fromUtf8(operation.body), body.arg(house.id));
    QCOMPARE(lastListBody(*page), QStringLiteral("type=0&pageindex=1&pagesize=20"));
    const int reloaded = rowOfId(*page, house.id);
    if (after.isEmpty()) {
        QCOMPARE(reloaded, -1);
    } else {
        QVERIFY(reloaded >= 0);
        QCOMPARE(buttonTexts(*page, reloaded), after);
    }
}

void TestHouseManager::reviewNeedsNoQuestion()
{
    Page* page = openPage(kManager, 1);
    QVERIFY(page);
    const int row = rowWhere(*page, [](const House& h) { return !h.sh; });
    QVERIFY(row >= 0);
    const int id = page->rows().at(row).id;
    const int before = requests(*page).size();

    QVERIFY(clickRowButton(*page, row, QStringLiteral("等待审核")));
    QCOMPARE(requests(*page).size(), before + 1);
    QVERIFY(requests(*page).last().url.endsWith(QLatin1String("mtore/mshouseshenhe")));
    QCOMPARE(requests(*page).last().body, QByteArray("id=") + QByteArray::number(id));
    QVERIFY(settled(*page));
    QVERIFY(AlertProbe::visibleAlerts().isEmpty());
    // Approved: on the site, with the three buttons of a reviewed house.
    QCOMPARE(buttonTexts(*page, rowOfId(*page, id)),
             QStringList({QStringLiteral("删除"), QStringLiteral("已上架"), QStringLiteral("待推荐")}));
}

void TestHouseManager::successReloadsSamePageKeepingSelection()
{
    Page* page = openPage(kManager, 0);
    QVERIFY(page);
    QVERIFY(page->pagingBar()->pageCount() >= 2);
    QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("pushButton_next")), Qt::LeftButton);
    QVERIFY(settled(*page));
    QCOMPARE(lastListBody(*page), QStringLiteral("type=0&pageindex=2&pagesize=20"));

    // The last reviewed house of the page, so the kept selection is not simply the first row.
    int row = -1;
    for (int i = 0; i < page->rows().size(); ++i) {
        if (page->rows().at(i).sh)
            row = i;
    }
    QVERIFY(row > 0);
    const int id = page->rows().at(row).id;
    const QString toggle = page->rows().at(row).putup ? QStringLiteral("已上架") : QStringLiteral("已下架");
    QVERIFY(clickRowButton(*page, row, toggle));
    QVERIFY(!AlertProbe::answer(QStringLiteral("sureBtn")).isEmpty());
    QVERIFY(settled(*page));

    QCOMPARE(page->pagingBar()->pageIndex(), 2);
    QCOMPARE(lastListBody(*page), QStringLiteral("type=0&pageindex=2&pagesize=20"));
    QCOMPARE(rowOfId(*page, id), row);
    QCOMPARE(page->selectedRow(), row);
    QCOMPARE(page->table()->selectedRow(), row);
    QVERIFY(page->table()->selectionModel()->isRowSelected(row, QModelIndex()));

    // Another module changed listings: the same page again, the selection still there.
    const int before = requests(*page).size();
    CommonSignalTool::Instance()->send_refreshMicroWebSiteList(QVariant(), nullptr);
    QCOMPARE(requests(*page).size(), before + 1);
    QVERIFY(settled(*page));
    QCOMPARE(lastListBody(*page), QStringLiteral("type=0&pageindex=2&pagesize=20"));
    QCOMPARE(page->table()->selectedRow(), row);
}

void TestHouseManager::failedOperationDoesNotReload()
{
    Page* page = openPage(kManager, 1);
    QVERIFY(page);
    const int row = rowWhere(*page, [](const House& h) { return h.sh; });
    const int id = page->rows().at(row).id;
    // Someone else deletes the house while the page still shows it.
    const ReferenceService::Reply gone =
        m_service->post(QStringLiteral("api/mtore/deletemshouse"), "id=" + QByteArray::number(id),
                        DataCenter::HttpHeadMap);
    QCOMPARE(gone.code(), 200);
    const int before = requests(*page).size();

    QVERIFY(clickRowButton(*page, row, QStringLiteral("删除")));
    QVERIFY(!AlertProbe::answer(QStringLiteral("sureBtn")).isEmpty());
    QVERIFY(AlertProbe::waitForAlertContaining(QStringLiteral("该房源不存在或已被删除")));
    QVERIFY(settled(*page));
    QCOMPARE(requests(*page).size(), before + 1);
    QCOMPARE(rowOfId(*page, id), row);
}

QTEST_MAIN(TestHouseManager)
#include "tst_housemanager.moc"
