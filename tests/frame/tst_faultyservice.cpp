#include "frame/MicroWebsiteMainPageWidget.h"
#include "net/paging/ListPager.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/CardPageFixture.h"
#include "support/ui/ListPageKinds.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/lists/LoadFailedView.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QPushButton>
#include <QtTest>

namespace {

const QString kManager = QStringLiteral("13800000000");

// The four kinds of list the module shows, each with its address and its page size.
struct ListKind
{
    QString path;
    int pageSize;
};

ListKind kindOf(const QString& page)
{
    if (page == QLatin1String("table"))
        return {QStringLiteral("/api/mtore/mzposts"), 20};
    if (page == QLatin1String("cards"))
        return {QStringLiteral("/api/mtore/newhouseposts"), 5};
    if (page == QLatin1String("customers"))
        return {QStringLiteral("/api/apptwo/ficlientposts"), 10};
    return {QStringLiteral("/api/mtore/appposts"), MicroWebsiteMainPageWidget::MaxServiceTiles};
}

QJsonArray rows(int count, bool tiles)
{
    QJsonArray list;
    for (int i = 0; i < count; ++i) {
        if (tiles) {
            list.append(QJsonObject{{QStringLiteral("show"), 1}, {QStringLiteral("itemid"), 1000 + i},
                                    {QStringLiteral("type"), 0}, {QStringLiteral("title"), QStringLiteral("功能%1").arg(i)},
                                    {QStringLiteral("sort"), i}});
        } else {
            list.append(QJsonObject{{QStringLiteral("id"), i + 1}, {QStringLiteral("name"), QStringLiteral("名称%1").arg(i)},
                                    {QStringLiteral("title"), QStringLiteral("标题%1").arg(i)}});
        }
    }
    return list;
}

ScriptedHttpServer::Reply listReply(const QString& page, int total, int count)
{
    if (page == QLatin1String("main"))
        return ScriptedHttpServer::envelope(200, QString(), rows(count, true));
    return ScriptedHttpServer::envelope(
        200, QString(), QJsonObject{{QStringLiteral("total"), total}, {QStringLiteral("data"), rows(count, false)}});
}

ScriptedHttpServer::Reply faultyReply(const QString& fault, const QString& path)
{
    ScriptedHttpServer::Reply reply;
    if (fault == QLatin1String("not JSON")) {
        reply = ScriptedHttpServer::contentReply("text/html", "<html><body>维护中</body></html>");
    } else if (fault == QLatin1String("HTTP 500")) {
        reply.status = 500;
        reply.body = "busy";
    } else if (fault == QLatin1String("connection closed")) {
        reply = ScriptedHttpServer::envelope(200, QString(), QJsonObject{{QStringLiteral("total"), 1}});
        reply.closeMidBody = true;
    } else if (fault == QLatin1String("moved in a loop")) {
        reply = ScriptedHttpServer::objectMoved(path.toUtf8());
    } else {
        reply = ScriptedHttpServer::envelope(405, QStringLiteral("接口暂停服务"));
    }
    return reply;
}

} // namespace

// The list pages against a service that answers badly: they never build more than a page of rows
// from one reply, and a failed load either keeps what was shown or says why, with "重试".
class TestFaultyService : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ModuleTestEnvironment::prepareWidgetTests(); }

    void init()
    {
        m_pages = std::make_unique<CardPageFixture>();
        m_server = m_pages->startCannedServer(kManager);
        QVERIFY(m_server);
    }

    void cleanup()
    {
        AlertProbe::closeAll();
        m_host.reset();
        m_pages.reset();
    }

    void oversizedReplyShowsOnePage_data() { pages(); }

    void oversizedReplyShowsOnePage()
    {
        QFETCH(QString, page);
        const ListKind kind = kindOf(page);
        m_server->setReply(kind.path, listReply(page, 11, 5000));
        QWidget* shown = open(page);
        QTRY_VERIFY_WITH_TIMEOUT(shownCount(shown, page) > 0, 15000);
        QCOMPARE(shownCount(shown, page), kind.pageSize);
        // The paging texts keep the service's total.
        if (auto* pager = shown->findChild<ListPager*>())
            QCOMPARE(pager->total(), 11);
    }

    void failedFirstLoadSaysWhy_data() { faults(); }

    void failedFirstLoadSaysWhy()
    {
        QFETCH(QString, page);
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        const ListKind kind = kindOf(page);
        m_server->setReply(kind.path, faultyReply(fault, kind.path));
        QWidget* shown = open(page);
        LoadFailedView* failed = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((failed = visibleFailure(shown)) != nullptr, 15000);
        QCOMPARE(failed->reason(), QStringLiteral("加载失败：%1").arg(reason));
        if (page == QLatin1String("main")) {
            // The built-in tiles still work.
            QVERIFY(!static_cast<MicroWebsiteMainPageWidget*>(shown)->tiles().isEmpty());
        }

        // "重试" asks again; an answer now takes the failure away.
        m_server->setReply(kind.path, listReply(page, 3, 3));
        QTest::mouseClick(failed->findChild<QPushButton*>(QStringLiteral("pushButton_retry")), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!visibleFailure(shown), 15000);
        QTRY_COMPARE(shownCount(shown, page), 3);
    }

    void failedReloadKeepsRows_data() { faults(); }

    void failedReloadKeepsRows()
    {
        QFETCH(QString, page);
        QFETCH(QString, fault);
        const ListKind kind = kindOf(page);
        m_server->setReply(kind.path, listReply(page, 3, 3));
        QWidget* shown = open(page);
        QTRY_COMPARE_WITH_TIMEOUT(shownCount(shown, page), 3, 15000);
        const int asked = m_server->requestsTo(kind.path).size();

        m_server->setReply(kind.path, faultyReply(fault, kind.path));
        reload(shown, page);
        QTRY_VERIFY_WITH_TIMEOUT(m_server->requestsTo(kind.path).size() > asked, 15000);
        QTRY_VERIFY_WITH_TIMEOUT(ListPageKinds::idle(shown), 15000);
        QCOMPARE(shownCount(shown, page), 3);
        QVERIFY(!visibleFailure(shown));
    }

private:
    static void pages()
    {
        QTest::addColumn<QString>("page");
        for (const char* page : {"table", "cards", "customers", "main"})
            QTest::newRow(page) << QString::fromLatin1(page);
    }

    static void faults()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");
        const QList<QPair<QString, QString>> kinds{
            {QStringLiteral("not JSON"), QStringLiteral("服务返回的数据无法识别")},
            {QStringLiteral("HTTP 500"), QStringLiteral("服务暂时不可用（500），请稍后重试")},
            {QStringLiteral("connection closed"), QStringLiteral("网络连接中断")},
            {QStringLiteral("moved in a loop"), QStringLiteral("请求重定向次数过多！")},
            {QStringLiteral("405"), QStringLiteral("接口暂停服务")},
        };
        for (const char* page : {"table", "cards", "customers", "main"}) {
            for (const auto& kind : kinds) {
                QTest::addRow("%s, %s", page, qPrintable(kind.first))
                    << QString::fromLatin1(page) << kind.first << kind.second;
            }
        }
    }

    QWidget* open(const QString& page)
    {
        m_host = std::make_unique<QWidget>();
        m_host->resize(1000, 700);
        QWidget* shown = ListPageKinds::open(page, m_host.get());
        shown->resize(1000, 700);
        m_host->show();
        return shown;
    }

    static void reload(QWidget* shown, const QString& page) { ListPageKinds::reload(page, shown); }

    static int shownCount(QWidget* shown, const QString& page) { return ListPageKinds::shownRows(page, shown); }

    static LoadFailedView* visibleFailure(QWidget* shown)
    {
        for (LoadFailedView* view : shown->findChildren<LoadFailedView*>()) {
            if (view->isVisible())
                return view;
        }
        return nullptr;
    }

    std::unique_ptr<CardPageFixture> m_pages;
    ScriptedHttpServer* m_server = nullptr;
    std::unique_ptr<QWidget> m_host;
};

QTEST_MAIN(TestFaultyService)
#include "tst_faultyservice.moc"
