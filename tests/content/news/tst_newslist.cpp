#include "content/news/MicroWebsiteNewsBaiKeListWidget.h"
#include "content/news/MicroWebsiteNewsListItemView.h"
#include "content/news/MicroWebsiteNewsListWidget.h"
#include "content/news/MicroWebsiteNewsStackWidget.h"
#include "content/topics/MicroWebsiteNewsThemeListWidget.h"
#include "net/paging/ListPager.h"
#include "support/cefview_stub/CefViewStubProbe.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/service/TestEnvironment.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/CardPageFixture.h"
#include "support/ui/HostWindowFixture.h"
#include "support/ui/InputProbe.h"
#include "support/ui/LocalStoreFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "support/ui/PagingProbe.h"
#include "support/ui/RequestLog.h"
#include "widgets/inputs/CustomLineEdit.h"
#include "widgets/lists/CustomListWidget.h"
#include "widgets/lists/PagingBar.h"
#include "widgets/popups/ScreenFit.h"
#include "widgets/web/CefViewLibrary.h"
#include "widgets/web/CefWebWidget.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QUrl>
#include <QUrlQuery>
#include <QtTest>

#include <memory>

using F = LocalStoreFixture;
using Kind = NewsTwin::Kind;
using Page = NewsTwin::Page;

Q_DECLARE_METATYPE(NewsTwin::Kind)
Q_DECLARE_METATYPE(NewsTwin::Page)

namespace {

const QString kManager = QStringLiteral("13800000000");
const QString kNewsPath = QStringLiteral("/site/softzixun");
// A company name a query string must not break.
const QString kCompany = QStringLiteral("安居&地产 #1=好+");

QJsonArray articleRows(int first, int count)
{
    QJsonArray rows;
    for (int i = first; i < first + count; ++i)
        rows.append(QJsonObject{{QStringLiteral("id"), i},
                                {QStringLiteral("title"), QStringLiteral("资讯%1").arg(i)},
                                {QStringLiteral("cate_alias"), QStringLiteral("楼市动态")},
                                {QStringLiteral("come_from"), QStringLiteral("安居地产")},
                                {QStringLiteral("hits"), i * 3},
                                {QStringLiteral("create_time"), QStringLiteral("2024-05-01 09:30")}});
    return rows;
}

QStringList titlesOf(const NewsTwinListWidget* list)
{
    QStringList titles;
    for (const MicroWebsiteNewsListItemView* row : list->rows())
        titles.append(row->row().value(QStringLiteral("title")).toString());
    return titles;
}

QUrlQuery bodyOf(const ScriptedHttpServer::Request& request)
{
    return QUrlQuery(QString::fromUtf8(request.body));
}

void click(QAbstractButton* button)
{
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

QPushButton* pagingButton(const NewsTwinListWidget* list, const char* name)
{
    return list->pagingBar()->findChild<QPushButton*>(QLatin1String(name));
}

} // namespace

class TestNewsList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void webPagesCarryTheirQueryEncoded_data();
    void webPagesCarryTheirQueryEncoded();
    void pagingSaysWhereItEndsAndNamesAPageOnlyOnceItCame();
    void aFailedPageKeepsItsNumberAndRows();
    void aFullLastPageSaysItIsTheLast_data();
    void aFullLastPageSaysItIsTheLast();
    void aReplyWithoutAnArrayEmptiesTheListAndNamesThePage();
    void searchSendsTheKeyWithoutBlanksFromTheFirstPage();
    void deletingAsksWithTheTitleAndSendsTheIntegerId_data();
    void deletingAsksWithTheTitleAndSendsTheIntegerId();
    void onlySuccessClosesTheDialogAndReloads();
    void withoutTheBrowserLibraryTheDialogStaysEmptyAndSilent();
    void theStackMakesEachListOnceAndMarksItsEntry();

private:
    template<typename List>
    List* openList(const QString& title)
    {
        return m_pages->open<List>(title, &NewsTwinListWidget::listShown);
    }
    // A canned server at the site base, answering the news list by page; the user keeps a company
    // name that a query string would break.
    ScriptedHttpServer* startSite(const std::function<QJsonValue(int page)>& pageReply, const QString& path = kNewsPath);

    std::unique_ptr<CardPageFixture> m_pages;
};

void TestNewsList::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
}

void TestNewsList::init()
{
    QVERIFY(CefViewStubProbe::use());
    m_pages = std::make_unique<CardPageFixture>();
}

void TestNewsList::cleanup()
{
    AlertProbe::closeAll();
    m_pages.reset();
    qunsetenv("MICROSITE_SITE_BASE");
    TestEnvironment::addressesChanged();
}

ScriptedHttpServer* TestNewsList::startSite(const std::function<QJsonValue(int page)>& pageReply, const QString& path)
{
    ScriptedHttpServer* server = m_pages->startCannedServer(kManager);
    if (!server)
        return nullptr;
    F::storeUser(kManager, true, {},
                 {{QStringLiteral("companyid"), QStringLiteral("10001")},
                  {QStringLiteral("company"), kCompany},
                  {QStringLiteral("cityid"), QStringLiteral("1")}});
    server->setResponder(path, [pageReply](const ScriptedHttpServer::Request& request) {
        const QJsonValue reply = pageReply(bodyOf(request).queryItemValue(QStringLiteral("page")).toInt());
        if (reply.isUndefined())
            return ScriptedHttpServer::contentReply("text/html", "<html>服务器错误</html>");
        return ScriptedHttpServer::envelope(200, QString(), reply);
    });
    qputenv("MICROSITE_SITE_BASE", server->url(QStringLiteral("/site/")).toUtf8());
    TestEnvironment::addressesChanged();
    return server;
}

void TestNewsList::webPagesCarryTheirQueryEncoded_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<Page>("page");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QStringList>("query"); // keys and values in order
    const QStringList add = {QStringLiteral("companyid"), QStringLiteral("10001"), QStringLiteral("company"), kCompany,
                             QStringLiteral("city"), QStringLiteral("1")};
    const QStringList edit = {QStringLiteral("companyid"), QStringLiteral("10001"), QStringLiteral("id"),
                              QStringLiteral("7"), QStringLiteral("city"), QStringLiteral("1")};
    const QStringList category = {QStringLiteral("companyid"), QStringLiteral("10001"), QStringLiteral("company"),
                                  kCompany, QStringLiteral("cityid"), QStringLiteral("1")};
    const QStringList picture = {QStringLiteral("companyid"), QStringLiteral("10001"), QStringLiteral("cityid"),
                                 QStringLiteral("1")};
    QTest::newRow("news add") << Kind::News << Page::Add << "zixun_add.html" << QStringLiteral("添加资讯") << QSize(980, 950) << add;
    QTest::newRow("news edit") << Kind::News << Page::Edit << "zixun_edit.html" << QStringLiteral("编辑资讯") << QSize(980, 950) << edit;
    QTest::newRow("news category") << Kind::News << Page::Category << "zixun_menu_list.html"
                                   << QStringLiteral("添加资讯类目") << QSize(980, 900) << category;
    QTest::newRow("news pictures") << Kind::News << Page::Picture << "zixun_img.html" << QStringLiteral("轮播图片")
                                   << QSize(1200, 900) << picture;
    QTest::newRow("baike add") << Kind::BaiKe << Page::Add << "baike_add.html" << QStringLiteral("添加百科") << QSize(980, 950) << add;
    QTest::newRow("baike edit") << Kind::BaiKe << Page::Edit << "baike_edit.html" << QStringLiteral("编辑百科") << QSize(980, 950) << edit;
    QTest::newRow("baike category") << Kind::BaiKe << Page::Category << "baike_menu_list.html"
                                    << QStringLiteral("添加百科类目") << QSize(980, 900) << category;
    QTest::newRow("baike pictures") << Kind::BaiKe << Page::Picture << "baike_img.html" << QStringLiteral("顶部图片")
                                    << QSize(1200, 900) << picture;
}

void TestNewsList::webPagesCarryTheirQueryEncoded()
{
    QFETCH(Kind, kind);
    QFETCH(Page, page);
    QFETCH(QString, file);
    QFETCH(QString, title);
    QFETCH(QSize, size);
    QFETCH(QStringList, query);
    ScriptedHttpServer* server = startSite([](int) { return QJsonValue(articleRows(7, 1)); });
    QVERIFY(server);
    server->setReply(QStringLiteral("/site/softbaikelist"), ScriptedHttpServer::envelope(200, QString(), articleRows(7, 1)));
    NewsTwinListWidget* list = kind == Kind::News
        ? static_cast<NewsTwinListWidget*>(openList<MicroWebsiteNewsListWidget>(QStringLiteral("资讯")))
        : openList<MicroWebsiteNewsBaiKeListWidget>(QStringLiteral("百科"));
    QVERIFY(list);
    QCOMPARE(list->rows().size(), 1);

    // As the user opens each page.
    switch (page) {
    case Page::Add:
        click(list->addButton());
        break;
    case Page::Edit:
        click(list->rows().first()->editButton());
        break;
    case Page::Category:
        click(list->categoryButton());
        break;
    case Page::Picture:
        click(list->pictureButton());
        break;
    }
    CefWebWidget* dialog = list->webDialog();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), title);
    // The page's size is the most it takes: on the office screen it shrinks to fit, frame and all.
    const QRect room = ScreenFit::room(dialog);
    QCOMPARE(dialog->width(), qMin(size.width(), room.width()));
    QVERIFY(dialog->height() <= size.height());
    QVERIFY(room.contains(dialog->frameGeometry()));
    const QList<QVariantMap> inserts = CefViewStubProbe::callsOf(QStringLiteral("insertOnlyWeb"));
    QCOMPARE(inserts.size(), 1);
    const QString address = inserts.first().value(QStringLiteral("url")).toString();
    QCOMPARE(address, dialog->url());

    const QUrl url(address);
    QCOMPARE(url.toString(QUrl::RemoveQuery), server->url(QStringLiteral("/site/")) + file);
    // Nothing of the values reaches the query unencoded.
    for (const QString& raw : {QStringLiteral("&地产"), QStringLiteral("#1"), QStringLiteral("=好"), QStringLiteral("安")})
        QVERIFY2(!url.query(QUrl::FullyEncoded).contains(raw), qPrintable(address));
    QStringList pieces;
    for (const auto& item : QUrlQuery(url).queryItems(QUrl::FullyDecoded))
        pieces << item.first << item.second;
    QCOMPARE(pieces, query);
}

void TestNewsList::pagingSaysWhereItEndsAndNamesAPageOnlyOnceItCame()
{
    ScriptedHttpServer* server = startSite([](int page) {
        return QJsonValue(page == 1 ? articleRows(1, 10) : articleRows(11, 4));
    });
    QVERIFY(server);
    auto* list = openList<MicroWebsiteNewsListWidget>(QStringLiteral("资讯"));
    QVERIFY(list);
    QCOMPARE(list->rows().size(), 10);
    QCOMPARE(PagingProbe::pageInfo(list->pagingBar()), QStringLiteral("第1页"));

    click(pagingButton(list, "pushButton_previous"));
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("已经是第一页了！"));
    QCOMPARE(server->requestsTo(kNewsPath).size(), 1);

    click(pagingButton(list, "pushButton_next"));
    QCOMPARE(PagingProbe::pageInfo(list->pagingBar()), QStringLiteral("第1页"));
    QVERIFY(m_pages->waitForList());
    QCOMPARE(PagingProbe::pageInfo(list->pagingBar()), QStringLiteral("第2页"));
    QCOMPARE(titlesOf(list), (QStringList{QStringLiteral("资讯11"), QStringLiteral("资讯12"), QStringLiteral("资讯13"),
                                          QStringLiteral("资讯14")}));
    QCOMPARE(bodyOf(server->requestsTo(kNewsPath).last()).queryItemValue(QStringLiteral("page")), QStringLiteral("2"));

    // Fewer than ten rows: the last page.
    list->nextPage();
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("已经是最后一页了！"));
    QCOMPARE(server->requestsTo(kNewsPath).size(), 2);

    list->lastPage();
    QVERIFY(m_pages->waitForList());
    QCOMPARE(PagingProbe::pageInfo(list->pagingBar()), QStringLiteral("第1页"));
    QCOMPARE(list->rows().size(), 10);
}

void TestNewsList::aFailedPageKeepsItsNumberAndRows()
{
    ScriptedHttpServer* server = startSite([](int page) {
        return page == 1 ? QJsonValue(articleRows(1, 10)) : QJsonValue(QJsonValue::Undefined);
    });
    QVERIFY(server);
    auto* list = openList<MicroWebsiteNewsListWidget>(QStringLiteral("资讯"));
    QVERIFY(list);
    QSignalSpy failed(list->pager(), &ListPager::pageFailed);
    click(pagingButton(list, "pushButton_next"));
    QVERIFY(failed.wait(10000));
    QCOMPARE(PagingProbe::pageInfo(list->pagingBar()), QStringLiteral("第1页"));
    QCOMPARE(list->pager()->pageIndex(), 1);
    QCOMPARE(titlesOf(list).first(), QStringLiteral("资讯1"));
    QCOMPARE(list->rows().size(), 10);
    AlertProbe::closeAll();

    // The next try starts from the page on screen again.
    click(pagingButton(list, "pushButton_next"));
    QVERIFY(failed.wait(10000));
    QCOMPARE(bodyOf(server->requestsTo(kNewsPath).last()).queryItemValue(QStringLiteral("page")), QStringLiteral("2"));
}

void TestNewsList::aFullLastPageSaysItIsTheLast_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("path");
    QTest::newRow("news") << int(MicroWebsiteNewsStackWidget::News) << kNewsPath;
    QTest::newRow("encyclopedia") << int(MicroWebsiteNewsStackWidget::BaiKe) << QStringLiteral("/site/softbaikelist");
    QTest::newRow("topics") << int(MicroWebsiteNewsStackWidget::Topics) << QStringLiteral("/site/softsubjectlist");
}

// Ten rows and nothing after them: the next page is asked for once, comes back empty, and the list
// stays on its page and says it is the last, then and on every later click, without asking again.
void TestNewsList::aFullLastPageSaysItIsTheLast()
{
    QFETCH(int, entry);
    QFETCH(QString, path);
    ScriptedHttpServer* server =
        startSite([](int page) { return QJsonValue(page == 1 ? articleRows(1, 10) : QJsonArray()); }, path);
    QVERIFY(server);
    HostWindowFixture host;
    auto* stack = new MicroWebsiteNewsStackWidget(entry, host.tabs());
    host.tabs()->addTabWidget(QStringLiteral("资讯"), stack);
    QWidget* list = stack->stack()->currentWidget();
    QVERIFY(list);
    QSignalSpy shown(list, SIGNAL(listShown()));
    QVERIFY(shown.wait(10000));
    auto* bar = list->findChild<PagingBar*>();
    auto* pager = list->findChild<ListPager*>();
    QVERIFY(bar && pager);
    const auto rowCount = [list] { return list->findChild<CustomListWidget*>()->listWidget()->count(); };
    QCOMPARE(rowCount(), 10);

    for (int round = 0; round < 2; ++round) {
        click(bar->findChild<QPushButton*>(QStringLiteral("pushButton_next")));
        QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton"), 10000), QStringLiteral("已经是最后一页了！"));
        QVERIFY(!pager->isLoading());
        QCOMPARE(server->requestsTo(path).size(), 2);
        QCOMPARE(bodyOf(server->requestsTo(path).at(1)).queryItemValue(QStringLiteral("page")), QStringLiteral("2"));
        QCOMPARE(PagingProbe::pageInfo(bar), QStringLiteral("第1页"));
        QCOMPARE(pager->pageIndex(), 1);
        QCOMPARE(rowCount(), 10);
        QCOMPARE(shown.count(), 1);
    }
}

void TestNewsList::aReplyWithoutAnArrayEmptiesTheListAndNamesThePage()
{
    bool broken = false;
    ScriptedHttpServer* server = startSite([&broken](int page) {
        if (broken)
            return QJsonValue(QJsonObject{{QStringLiteral("data"), QStringLiteral("none")}});
        return QJsonValue(page == 1 ? articleRows(1, 10) : articleRows(11, 3));
    });
    QVERIFY(server);
    auto* list = openList<MicroWebsiteNewsListWidget>(QStringLiteral("资讯"));
    QVERIFY(list);
    list->nextPage();
    QVERIFY(m_pages->waitForList());
    QCOMPARE(PagingProbe::pageInfo(list->pagingBar()), QStringLiteral("第2页"));
    QCOMPARE(list->rows().size(), 3);

    broken = true;
    click(list->searchButton());
    QVERIFY(m_pages->waitForList());
    QVERIFY(list->rows().isEmpty());
    QCOMPARE(PagingProbe::pageInfo(list->pagingBar()), QStringLiteral("第1页"));
}

void TestNewsList::searchSendsTheKeyWithoutBlanksFromTheFirstPage()
{
    QVERIFY(m_pages->startService(kManager));
    auto* list = openList<MicroWebsiteNewsListWidget>(QStringLiteral("资讯"));
    QVERIFY(list);
    QCOMPARE(list->rows().size(), 10);
    list->nextPage();
    QVERIFY(m_pages->waitForList());
    QCOMPARE(PagingProbe::pageInfo(list->pagingBar()), QStringLiteral("第2页"));

    // Typed through the input method, as Chinese is; the box takes it while it has the focus.
    QApplication::setActiveWindow(list->window());
    list->searchEdit()->setFocus();
    QTRY_VERIFY(list->searchEdit()->hasFocus());
    InputProbe::commitText(list->searchEdit(), QStringLiteral(" 公积\u3000金 "));
    click(list->searchButton());
    QVERIFY(m_pages->waitForList());
    QCOMPARE(titlesOf(list), QStringList{QStringLiteral("公积金贷款额度调整，最高可贷七十万")});
    QCOMPARE(PagingProbe::pageInfo(list->pagingBar()), QStringLiteral("第1页"));
    const RequestLog::Sent sent = RequestLog::sentBy(list).last();
    QVERIFY(sent.url.endsWith(QLatin1String("/site/softzixun")));
    QCOMPARE(QString::fromUtf8(sent.body),
             QStringLiteral("companyid=10001&cityid=1&page=1&pagesize=10&key=%E5%85%AC%E7%A7%AF%E9%87%91"));
}

void TestNewsList::deletingAsksWithTheTitleAndSendsTheIntegerId_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("endpoint");
    QTest::newRow("news") << Kind::News << QStringLiteral("您确定是否删除该资讯【%1】") << QStringLiteral("site/zixun_list_remove");
    QTest::newRow("baike") << Kind::BaiKe << QStringLiteral("您确定是否删除该百科【%1】") << QStringLiteral("site/baike_list_remove");
}

void TestNewsList::deletingAsksWithTheTitleAndSendsTheIntegerId()
{
    QFETCH(Kind, kind);
    QFETCH(QString, question);
    QFETCH(QString, endpoint);
    QVERIFY(m_pages->startService(kManager));
    NewsTwinListWidget* list = kind == Kind::News
        ? static_cast<NewsTwinListWidget*>(openList<MicroWebsiteNewsListWidget>(QStringLiteral("资讯")))
        : openList<MicroWebsiteNewsBaiKeListWidget>(QStringLiteral("百科"));
    QVERIFY(list);
    const QVariantMap doomed = list->rows().first()->row();
    const QString title = doomed.value(QStringLiteral("title")).toString();
    const int sentBefore = RequestLog::countSentBy(list);

    click(list->rows().first()->deleteButton());
    QCOMPARE(AlertProbe::answer(QStringLiteral("cancleBtn")), question.arg(title));
    QVERIFY(AlertProbe::flushPending());
    QCOMPARE(RequestLog::countSentBy(list), sentBefore);

    click(list->rows().first()->deleteButton());
    QCOMPARE(AlertProbe::answer(QStringLiteral("sureBtn")), question.arg(title));
    QVERIFY(m_pages->waitForList());
    QVERIFY(!titlesOf(list).contains(title));
    const RequestLog::Sent removal = RequestLog::sentBy(list).at(sentBefore);
    QVERIFY2(removal.url.endsWith(endpoint), qPrintable(removal.url));
    QCOMPARE(QString::fromUtf8(removal.body),
             QStringLiteral("companyid=10001&id=%1").arg(doomed.value(QStringLiteral("id")).toInt()));
}

void TestNewsList::onlySuccessClosesTheDialogAndReloads()
{
    ScriptedHttpServer* server = startSite([](int) { return QJsonValue(articleRows(1, 3)); });
    QVERIFY(server);
    auto* list = openList<MicroWebsiteNewsListWidget>(QStringLiteral("资讯"));
    QVERIFY(list);
    // Counted as they leave: a reload would be on its way before post() returns.
    const auto loads = [list] { return RequestLog::countSentBy(list); };

    click(list->addButton());
    QPointer<CefWebWidget> dialog = list->webDialog();
    QVERIFY(dialog);
    QVERIFY(CefViewStubProbe::post(0, QStringLiteral("saved")));
    QVERIFY(CefViewStubProbe::post(0, QStringLiteral("SUCCESS")));
    QVERIFY(dialog->isVisible());
    QCOMPARE(loads(), 1);

    QVERIFY(CefViewStubProbe::post(0, QStringLiteral("success")));
    QVERIFY(!dialog->isVisible());
    QVERIFY(m_pages->waitForList());
    QCOMPARE(loads(), 2);
    QTRY_VERIFY(dialog.isNull());

    // A page that speaks after its dialog was closed changes nothing.
    click(list->rows().first()->editButton());
    dialog = list->webDialog();
    QVERIFY(dialog);
    dialog->close();
    QVERIFY(CefViewStubProbe::post(1, QStringLiteral("success")));
    QCOMPARE(loads(), 2);
    QTRY_VERIFY(dialog.isNull());
    QVERIFY(!CefViewStubProbe::post(1, QStringLiteral("success")));
    QCOMPARE(loads(), 2);
    QCOMPARE(m_pages->listsNotWaitedFor(), 0);
}

void TestNewsList::withoutTheBrowserLibraryTheDialogStaysEmptyAndSilent()
{
    CefViewLibrary::setBaseName(QStringLiteral("kq_cefview_missing"));
    ScriptedHttpServer* server = startSite([](int) { return QJsonValue(articleRows(1, 3)); });
    QVERIFY(server);
    server->setReply(QStringLiteral("/site/softbaikelist"), ScriptedHttpServer::envelope(200, QString(), articleRows(1, 3)));
    auto* list = openList<MicroWebsiteNewsBaiKeListWidget>(QStringLiteral("百科"));
    QVERIFY(list);
    click(list->addButton());
    CefWebWidget* dialog = list->webDialog();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("添加百科"));
    QVERIFY(!dialog->handle());
    QVERIFY(dialog->contentArea()->findChildren<QWidget*>().isEmpty());
    QVERIFY(AlertProbe::flushPending());
    QVERIFY(AlertProbe::visibleAlerts().isEmpty());
    dialog->close();
}

void TestNewsList::theStackMakesEachListOnceAndMarksItsEntry()
{
    ScriptedHttpServer* server = startSite([](int) { return QJsonValue(articleRows(1, 2)); });
    QVERIFY(server);
    server->setReply(QStringLiteral("/site/softbaikelist"), ScriptedHttpServer::envelope(200, QString(), articleRows(5, 1)));
    server->setReply(QStringLiteral("/site/softsubjectlist"), ScriptedHttpServer::envelope(200, QString(), QJsonArray()));
    HostWindowFixture host;
    auto* stack = new MicroWebsiteNewsStackWidget(MicroWebsiteNewsStackWidget::BaiKe, host.tabs());
    host.tabs()->addTabWidget(QStringLiteral("百科"), stack);

    const auto marked = [stack](int chosen) {
        for (int index = 1; index <= 3; ++index) {
            const QString style = stack->menuButton(index)->styleSheet();
            if (style != (index == chosen ? MicroWebsiteNewsStackWidget::chosenStyle() : QString()))
                return false;
        }
        return true;
    };
    QCOMPARE(stack->menuButton(1)->text(), QStringLiteral("· 房产资讯"));
    QCOMPARE(stack->menuButton(2)->text(), QStringLiteral("· 房产百科"));
    QCOMPARE(stack->menuButton(3)->text(), QStringLiteral("· 房产专题"));
    QCOMPARE(MicroWebsiteNewsStackWidget::chosenStyle(),
             QStringLiteral("border-left: 4px solid rgb(11, 143, 234);border-right: 4px solid white;"
                            "background-color: rgb(255, 255, 255);"));
    QVERIFY(marked(2));
    QVERIFY(!stack->newsList());
    QCOMPARE(stack->stack()->currentWidget(), stack->baiKeList());

    click(stack->menuButton(1));
    QVERIFY(marked(1));
    QVERIFY(stack->newsList());
    QCOMPARE(stack->stack()->currentWidget(), stack->newsList());
    click(stack->menuButton(3));
    QVERIFY(marked(3));
    QCOMPARE(stack->stack()->currentWidget(), stack->topicsList());

    MicroWebsiteNewsListWidget* news = stack->newsList();
    stack->setIndex(1);
    stack->setIndex(2);
    stack->setIndex(0);
    QVERIFY(marked(2));
    QCOMPARE(stack->newsList(), news);
    QCOMPARE(stack->stack()->count(), 3);
    QTRY_COMPARE(server->requestsTo(kNewsPath).size(), 1);
}

QTEST_MAIN(TestNewsList)
#include "tst_newslist.moc"
