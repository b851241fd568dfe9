#include "content/topics/MicroWebsiteNewsThemeAddWidget.h"
#include "content/topics/MicroWebsiteNewsThemeListItemView.h"
#include "content/topics/MicroWebsiteNewsThemeListWidget.h"
#include "listings/pickers/MicroWebsiteChooseHouseWidget.h"
#include "net/http/FormBody.h"
#include "net/http/ServiceAddresses.h"
#include "net/paging/ListPager.h"
#include "net/pictures/ImageShowLabel.h"
#include "support/service/ReferenceService.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/CardPageFixture.h"
#include "support/ui/HostWindowFixture.h"
#include "support/ui/InputProbe.h"
#include "support/ui/LocalStoreFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "support/ui/PagingProbe.h"
#include "support/ui/RequestLog.h"
#include "widgets/inputs/CustomLineEdit.h"
#include "widgets/lists/PagingBar.h"
#include "widgets/photos/PhotoFileDialog.h"
#include "widgets/popups/AlertWidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QUrlQuery>
#include <QtTest>

#include <memory>

using Editor = MicroWebsiteNewsThemeAddWidget;
using List = MicroWebsiteNewsThemeListWidget;
using Row = MicroWebsiteNewsThemeListItemView;

namespace {

const QString kManager = QStringLiteral("13800000000");
const QString kListPath = QStringLiteral("/site/softsubjectlist");

QString testPhoto(const QString& name)
{
    return QStringLiteral(KQ_TESTDATA_DIR "/photos/") + name;
}

QVariantMap house(int id, const QString& title)
{
    return {{QStringLiteral("id"), id}, {QStringLiteral("title"), title}};
}

QJsonArray topicRows(int first, int count)
{
    QJsonArray rows;
    for (int i = first; i < first + count; ++i)
        rows.append(QJsonObject{{QStringLiteral("id"), i}, {QStringLiteral("title"), QStringLiteral("专题%1").arg(i)},
                                {QStringLiteral("houseid"), QStringLiteral("[]")}, {QStringLiteral("sort"), i}});
    return rows;
}

// Types over a row's sort value as a user does, the box keeping the focus; false when it got none.
bool typeSort(Row* row, const QString& text)
{
    QApplication::setActiveWindow(row->window());
    row->sortEdit()->setFocus();
    if (!QTest::qWaitFor([row] { return row->sortEdit()->hasFocus(); }))
        return false;
    row->sortEdit()->selectAll();
    QTest::keyClicks(row->sortEdit(), text);
    return true;
}

QStringList titlesOf(const List* list)
{
    QStringList titles;
    for (const Row* row : list->rows())
        titles.append(row->row().value(QStringLiteral("title")).toString());
    return titles;
}

} // namespace

class TestTopics : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void editorChecksInOrder_data();
    void editorChecksInOrder();
    void bodiesOfNewAndEditedTopics();
    void rowsCountTheirLinkedHouses_data();
    void rowsCountTheirLinkedHouses();
    void pagingSaysWhereItEndsAndKeepsThePageOnFailure();
    void sortValuesMustBeIntegers();
    void sortValueIsSavedOnceWhenTheBoxIsLeft_data();
    void sortValueIsSavedOnceWhenTheBoxIsLeft();
    void aSortValueNotSavedIsPutBack();
    void searchKeyLeavesOutEveryBlank_data();
    void searchKeyLeavesOutEveryBlank();
    void aTopicIsAddedWithItsHousesAndDeleted();

private:
    List* openList();
    // A canned server as the site host, listing topicRows(1, count) on every page.
    ScriptedHttpServer* startCannedSite(int count);

    std::unique_ptr<CardPageFixture> m_pages;
};

void TestTopics::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
}

void TestTopics::init()
{
    m_pages = std::make_unique<CardPageFixture>();
}

void TestTopics::cleanup()
{
    PhotoFileDialog::setPicker({});
    AlertProbe::closeAll();
    m_pages.reset();
    qunsetenv("MICROSITE_SITE_BASE");
    ServiceAddresses::reload();
}

List* TestTopics::openList()
{
    return m_pages->open<List>(QStringLiteral("房产专题"), &List::listShown);
}

ScriptedHttpServer* TestTopics::startCannedSite(int count)
{
    ScriptedHttpServer* server = m_pages->startCannedServer(kManager);
    if (!server)
        return nullptr;
    server->setReply(kListPath, ScriptedHttpServer::envelope(200, QString(), topicRows(1, count)));
    qputenv("MICROSITE_SITE_BASE", server->url(QStringLiteral("/site/")).toUtf8());
    ServiceAddresses::reload();
    return server;
}

void TestTopics::editorChecksInOrder_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<int>("houses");
    QTest::addColumn<bool>("compressing");
    QTest::addColumn<QString>("message");
    const QString icon = QStringLiteral("http://h/i.png");
    QTest::newRow("nothing") << QString() << QString() << 0 << false << QStringLiteral("请输入专题标题");
    QTest::newRow("no icon") << QStringLiteral("学区房") << QString() << 2 << false << QStringLiteral("请选择专题图标");
    QTest::newRow("icon compressing") << QStringLiteral("学区房") << QString() << 2 << true << QStringLiteral("正在处理图片，请稍等！");
    QTest::newRow("no house") << QStringLiteral("学区房") << icon << 0 << false << QStringLiteral("至少得选择一套关联房源");
    QTest::newRow("complete") << QStringLiteral("学区房") << icon << 1 << false << QString();
}

void TestTopics::editorChecksInOrder()
{
    QFETCH(QString, title);
    QFETCH(QString, icon);
    QFETCH(int, houses);
    QFETCH(bool, compressing);
    QFETCH(QString, message);
    QCOMPARE(Editor::checkInput(title, icon, houses, compressing), message);
}

void TestTopics::bodiesOfNewAndEditedTopics()
{
    const QList<QVariantMap> houses{house(12, QStringLiteral("阳光\"花园\"")), house(7, QStringLiteral("锦城&湖岸"))};
    const FormBody added = Editor::saveBody(0, QStringLiteral("10001"), QStringLiteral("510100"), houses,
                                            QStringLiteral("学区房"), QStringLiteral("近地铁"), QStringLiteral("http://h/i.png"));
    QStringList keys;
    for (const auto& piece : added.pieces())
        keys.append(piece.first);
    QCOMPARE(keys, (QStringList{QStringLiteral("companyid"), QStringLiteral("cityid"), QStringLiteral("houseid"),
                                QStringLiteral("title"), QStringLiteral("title_one"), QStringLiteral("img")}));
    QCOMPARE(added.pieces().at(2).second,
             QStringLiteral("[{\"id\":12,\"title\":\"阳光\\\"花园\\\"\"},{\"id\":7,\"title\":\"锦城&湖岸\"}]"));

    const FormBody edited = Editor::saveBody(33, QStringLiteral("10001"), QStringLiteral("510100"), houses,
                                             QStringLiteral("学区房"), QString(), QStringLiteral("http://h/i.png"));
    QCOMPARE(edited.pieces().first(), qMakePair(QStringLiteral("id"), QStringLiteral("33")));
    QVERIFY(!edited.toString().contains(QStringLiteral("companyid")));
    QVERIFY(!edited.toString().contains(QStringLiteral("cityid")));
    QCOMPARE(Editor::housesText(houses), QStringLiteral("【2套】阳光\"花园\";锦城&湖岸"));
    QCOMPARE(Editor::housesText({}), QString());
}

void TestTopics::rowsCountTheirLinkedHouses_data()
{
    QTest::addColumn<QString>("houseid");
    QTest::addColumn<int>("count");
    QTest::newRow("three") << QStringLiteral("[{\"id\":1,\"title\":\"a\"},{\"id\":2,\"title\":\"b\"},{\"id\":3,\"title\":\"c\"}]") << 3;
    QTest::newRow("none") << QStringLiteral("[]") << 0;
    QTest::newRow("not JSON") << QStringLiteral("1,2,3") << 0;
}

void TestTopics::rowsCountTheirLinkedHouses()
{
    QFETCH(QString, houseid);
    QFETCH(int, count);
    const Row row({{QStringLiteral("id"), 1}, {QStringLiteral("houseid"), houseid}});
    QCOMPARE(row.houseCountText(), QStringLiteral("%1套房源").arg(count));
}

void TestTopics::pagingSaysWhereItEndsAndKeepsThePageOnFailure()
{
    ScriptedHttpServer* server = m_pages->startCannedServer(kManager);
    QVERIFY(server);
    server->setResponder(kListPath, [](const ScriptedHttpServer::Request& request) {
        const int page = QUrlQuery(QString::fromUtf8(request.body)).queryItemValue(QStringLiteral("page")).toInt();
        if (page == 3)
            return ScriptedHttpServer::contentReply("text/html", "<html>oops</html>");
        return ScriptedHttpServer::envelope(200, QString(), page == 1 ? topicRows(1, 10) : topicRows(11, 10));
    });
    // The site lists hang under the site base.
    qputenv("MICROSITE_SITE_BASE", server->url(QStringLiteral("/site/")).toUtf8());
    ServiceAddresses::reload();
    List* list = openList();
    QVERIFY(list);
    QCOMPARE(list->rows().size(), 10);
    QCOMPARE(PagingProbe::pageInfo(list->pagingBar()), QStringLiteral("第1页"));
    list->lastPage();
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("已经是第一页了！"));

    list->nextPage();
    // The label names the page on screen until the next page has come.
    QCOMPARE(PagingProbe::pageInfo(list->pagingBar()), QStringLiteral("第1页"));
    QVERIFY(m_pages->waitForList());
    QCOMPARE(PagingProbe::pageInfo(list->pagingBar()), QStringLiteral("第2页"));
    QCOMPARE(titlesOf(list).first(), QStringLiteral("专题11"));

    QSignalSpy failed(list->pager(), &ListPager::pageFailed);
    list->nextPage();
    QVERIFY(failed.wait(5000));
    QCOMPARE(PagingProbe::pageInfo(list->pagingBar()), QStringLiteral("第2页"));
    QCOMPARE(list->pager()->pageIndex(), 2);
    QCOMPARE(titlesOf(list).first(), QStringLiteral("专题11"));
    qunsetenv("MICROSITE_SITE_BASE");
    ServiceAddresses::reload();
}

void TestTopics::sortValuesMustBeIntegers()
{
    QVERIFY(m_pages->startService(kManager));
    List* list = openList();
    QVERIFY(list);
    QVERIFY(!list->rows().isEmpty());
    Row* row = list->rows().first();
    const int id = row->row().value(QStringLiteral("id")).toInt();
    const int sentBefore = RequestLog::countSentBy(list);

    row->sortEdit()->setText(QStringLiteral("3.5"));
    QTest::keyClick(row->sortEdit(), Qt::Key_Return);
    QVERIFY(!AlertProbe::answer(QStringLiteral("knowButton")).isEmpty());
    QCOMPARE(RequestLog::countSentBy(list), sentBefore);

    row->sortEdit()->setText(QStringLiteral("-7"));
    QTest::keyClick(row->sortEdit(), Qt::Key_Return);
    QVERIFY(m_pages->waitForList());
    const QList<RequestLog::Sent> sent = RequestLog::sentBy(list);
    QVERIFY(sent.at(sentBefore).url.endsWith(QLatin1String("subjects")));
    const QUrlQuery body(QString::fromUtf8(sent.at(sentBefore).body));
    QCOMPARE(body.queryItemValue(QStringLiteral("sort")), QStringLiteral("-7"));
    QCOMPARE(body.queryItemValue(QStringLiteral("id")), QString::number(id));
    bool found = false;
    for (const Row* shown : list->rows()) {
        if (shown->row().value(QStringLiteral("id")).toInt() == id) {
            found = true;
            QCOMPARE(shown->row().value(QStringLiteral("sort")).toInt(), -7);
        }
    }
    QVERIFY(found);
}

void TestTopics::sortValueIsSavedOnceWhenTheBoxIsLeft_data()
{
    QTest::addColumn<QString>("leave"); // how the user finishes typing
    QTest::newRow("Return") << QStringLiteral("return");
    QTest::newRow("Tab to the next button") << QStringLiteral("tab");
    QTest::newRow("a click into the search box") << QStringLiteral("click");
    QTest::newRow("Return, then a click elsewhere") << QStringLiteral("return click");
}

// A value typed and left is saved as one typed and confirmed, and only once.
void TestTopics::sortValueIsSavedOnceWhenTheBoxIsLeft()
{
    QFETCH(QString, leave);
    QVERIFY(m_pages->startService(kManager));
    List* list = openList();
    QVERIFY(list);
    QVERIFY(!list->rows().isEmpty());
    Row* row = list->rows().first();
    const int id = row->row().value(QStringLiteral("id")).toInt();
    const int sentBefore = RequestLog::countSentBy(list);
    QVERIFY(typeSort(row, QStringLiteral("-42")));
    if (leave.contains(QStringLiteral("return")))
        QTest::keyClick(row->sortEdit(), Qt::Key_Return);
    if (leave.contains(QStringLiteral("tab")))
        QTest::keyClick(row->sortEdit(), Qt::Key_Tab);
    if (leave.contains(QStringLiteral("click")))
        QTest::mouseClick(list->searchEdit(), Qt::LeftButton);
    if (leave != QLatin1String("return"))
        QVERIFY(!row->sortEdit()->hasFocus());
    QVERIFY(m_pages->waitForList());

    int saves = 0;
    for (const RequestLog::Sent& sent : RequestLog::sentBy(list).mid(sentBefore)) {
        if (!sent.url.endsWith(QLatin1String("subjects")))
            continue;
        ++saves;
        const QUrlQuery body(QString::fromUtf8(sent.body));
        QCOMPARE(body.queryItemValue(QStringLiteral("id")), QString::number(id));
        QCOMPARE(body.queryItemValue(QStringLiteral("sort")), QStringLiteral("-42"));
    }
    QCOMPARE(saves, 1);
    // The reloaded list reads the value back from the service.
    QStringList shown;
    for (const Row* reloaded : list->rows()) {
        if (reloaded->row().value(QStringLiteral("id")).toInt() == id)
            shown.append(reloaded->sortEdit()->text());
    }
    QCOMPARE(shown, QStringList{QStringLiteral("-42")});
}

void TestTopics::aSortValueNotSavedIsPutBack()
{
    ScriptedHttpServer* server = startCannedSite(3);
    QVERIFY(server);
    server->setReply(QStringLiteral("/site/subjects"), ScriptedHttpServer::envelope(405, QStringLiteral("排序保存失败")));
    List* list = openList();
    QVERIFY(list);
    Row* row = list->rows().at(1);
    QCOMPARE(row->sortEdit()->text(), QStringLiteral("2"));
    QVERIFY(typeSort(row, QStringLiteral("9")));
    QTest::mouseClick(list->searchEdit(), Qt::LeftButton);
    QVERIFY(AlertProbe::waitForAlertContaining(QStringLiteral("排序保存失败"), 10000));
    QTRY_COMPARE(row->sortEdit()->text(), QStringLiteral("2"));
    QCOMPARE(server->requestsTo(QStringLiteral("/site/subjects")).size(), 1);
    // Nothing changed, so the list was not asked for again.
    QCOMPARE(server->requestsTo(kListPath).size(), 1);
}

void TestTopics::searchKeyLeavesOutEveryBlank_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("key"); // null: no key sent

    QTest::newRow("ASCII blanks") << QStringLiteral(" 学区 房 ") << QStringLiteral("学区房");
    QTest::newRow("full-width blank") << QStringLiteral("学区\u3000房") << QStringLiteral("学区房");
    QTest::newRow("both") << QStringLiteral("\u3000学 区\u3000房 ") << QStringLiteral("学区房");
    QTest::newRow("only blanks") << QStringLiteral(" \u3000 ") << QString();
}

// The topic search sends the key as the news search does.
void TestTopics::searchKeyLeavesOutEveryBlank()
{
    QFETCH(QString, typed);
    QFETCH(QString, key);
    ScriptedHttpServer* server = startCannedSite(2);
    QVERIFY(server);
    List* list = openList();
    QVERIFY(list);
    QApplication::setActiveWindow(list->window());
    list->searchEdit()->setFocus();
    QTRY_VERIFY(list->searchEdit()->hasFocus());
    InputProbe::commitText(list->searchEdit(), typed);
    QVERIFY(m_pages->waitForList());
    QCOMPARE(server->requestsTo(kListPath).size(), 2);
    const QUrlQuery body(QString::fromUtf8(server->requestsTo(kListPath).last().body));
    QCOMPARE(body.queryItemValue(QStringLiteral("page")), QStringLiteral("1"));
    QCOMPARE(body.hasQueryItem(QStringLiteral("key")), !key.isNull());
    QCOMPARE(body.queryItemValue(QStringLiteral("key"), QUrl::FullyDecoded), key.isNull() ? QString() : key);
}

void TestTopics::aTopicIsAddedWithItsHousesAndDeleted()
{
    QVERIFY(m_pages->startService(kManager));
    List* list = openList();
    QVERIFY(list);
    QTest::mouseClick(list->findChild<QPushButton*>(QStringLiteral("addThemeButton")), Qt::LeftButton);
    QVERIFY(list->editorPopup());
    auto* editor = list->editorPopup()->findChild<Editor*>();
    QVERIFY(editor);
    const QString title = QStringLiteral("地铁 & 学区 100%");
    InputProbe::commitText(editor->findChild<QLineEdit*>(QStringLiteral("titleEdit")), title);
    // The empty icon says where to click, and a click on it picks the icon.
    auto* icon = editor->findChild<ImageShowLabel*>(QStringLiteral("iconLabel"));
    QCOMPARE(icon->text(), ImageShowLabel::pickHint());
    PhotoFileDialog::setPicker([](QWidget*, bool) { return QStringList{testPhoto(QStringLiteral("Portrait_3.jpg"))}; });
    QTest::mouseClick(icon, Qt::LeftButton);
    QVERIFY(editor->isProcessingIcon());
    QTRY_VERIFY_WITH_TIMEOUT(!editor->isProcessingIcon(), 20000);
    QTRY_COMPARE(icon->text(), QString());

    QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("houseButton")), Qt::LeftButton);
    QVERIFY(editor->pickerPopup());
    auto* picker = editor->pickerPopup()->findChild<MicroWebsiteChooseHouseWidget*>();
    QVERIFY(picker);
    QTRY_VERIFY_WITH_TIMEOUT(picker->listed().size() >= 2, 10000);
    const QList<MicroWebsiteChooseHouseWidget::ItemData> listed = picker->listed();
    for (QCheckBox* box : picker->findChildren<QCheckBox*>()) {
        if (box->text() == MicroWebsiteChooseHouseWidget::itemText(listed.at(0))
            || box->text() == MicroWebsiteChooseHouseWidget::itemText(listed.at(1)))
            QTest::mouseClick(box, Qt::LeftButton);
    }
    QTest::mouseClick(picker->findChild<QToolButton*>(QStringLiteral("toolButton_sure")), Qt::LeftButton);
    QTRY_VERIFY(!editor->pickerPopup());
    QCOMPARE(editor->houses().size(), 2);
    QVERIFY(editor->housesLabel()->text().startsWith(QStringLiteral("【2套】")));

    QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("submitButton")), Qt::LeftButton);
    QVERIFY(m_pages->waitForList(20000));
    QTRY_VERIFY(!list->editorPopup());
    Row* added = nullptr;
    for (Row* row : list->rows()) {
        if (row->row().value(QStringLiteral("title")).toString() == title)
            added = row;
    }
    QVERIFY(added);
    QCOMPARE(added->houseCountText(), QStringLiteral("2套房源"));
    QVERIFY(added->row().value(QStringLiteral("img")).toString().startsWith(QStringLiteral("http")));

    const int countBefore = list->rows().size();
    QTest::mouseClick(added->findChild<QPushButton*>(QStringLiteral("deleteButton")), Qt::LeftButton);
    AlertWidget* alert = AlertProbe::waitForAlert();
    QVERIFY(alert);
    QCOMPARE(AlertProbe::contentText(alert), QStringLiteral("您确定是否删除该主题【%1】").arg(title));
    QVERIFY(AlertProbe::clickButton(alert, QStringLiteral("sureBtn")));
    QVERIFY(m_pages->waitForList());
    QCOMPARE(list->rows().size(), countBefore - 1);
    QVERIFY(!titlesOf(list).contains(title));
}

QTEST_MAIN(TestTopics)
#include "tst_topics.moc"
