#include "net/http/FormBody.h"
#include "net/http/NetRequestObjecet.h"
#include "net/paging/ListPager.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/ui/ModuleTestEnvironment.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QSignalSpy>
#include <QtTest>
#include <QUrlQuery>

namespace {

const QString kPath = QStringLiteral("/api/list");

QJsonArray rows(int count)
{
    QJsonArray list;
    for (int i = 0; i < count; ++i)
        list.append(QJsonObject{{QStringLiteral("id"), i}});
    return list;
}

// The page the reply answers, carried back so the test sees which request a reply belongs to.
ScriptedHttpServer::Reply pageReply(int total, int rowsOnPage, int page, int delayMs = 0)
{
    ScriptedHttpServer::Reply reply = ScriptedHttpServer::envelope(
        200, QString(),
        QJsonObject{{QStringLiteral("total"), total}, {QStringLiteral("page"), page},
                    {QStringLiteral("data"), rows(rowsOnPage)}});
    reply.delayMs = delayMs;
    return reply;
}

int requestedPage(const ScriptedHttpServer::Request& request)
{
    return QUrlQuery(QString::fromUtf8(request.body)).queryItemValue(QStringLiteral("pageindex")).toInt();
}

// A list page reduced to what the pager needs of it: it asks when told and shows accepted replies.
class PagedList : public QObject
{
public:
    // With perPage, each page has an address of its own (url followed by the page number); with
    // withoutTotal, the replies' totals are not read, as the site host sends none.
    PagedList(const QString& url, int pageSize, bool perPage = false, bool withoutTotal = false)
        : pager(new ListPager(this, pageSize))
        , m_url(url)
    {
        connect(pager, &ListPager::loadRequested, this, [this, perPage] {
            const int page = pager->pageIndex();
            pager->send(perPage ? m_url + QString::number(page) : m_url,
                        FormBody().add(QStringLiteral("pageindex"), page));
        });
        connect(pager, &ListPager::pageReceived, this, [this, withoutTotal](const QJsonValue& value) {
            const QJsonObject reply = value.toObject();
            const int count = reply.value(QStringLiteral("data")).toArray().size();
            const bool shown = withoutTotal ? pager->acceptWithoutTotal(count)
                                            : pager->accept(reply.value(QStringLiteral("total")).toInt(), count);
            if (shown)
                shownPages.append(reply.value(QStringLiteral("page")).toInt());
        });
    }

    ListPager* pager;
    QList<int> shownPages;

private:
    QString m_url;
};

} // namespace

class TestListPager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ModuleTestEnvironment::prepare();
        QVERIFY(m_server.start());
        m_server.useAsApiBase();
    }

    void init() { m_server.clear(); }

    // The user turns on before the first page came: the slow reply must not replace the newer page.
    void newestRequestWins()
    {
        m_server.setReply(kPath + QLatin1Char('2'), pageReply(100, 20, 2, 600));
        m_server.setReply(kPath + QLatin1Char('3'), pageReply(100, 20, 3));
        PagedList list(m_server.url(kPath), 20, true);
        list.pager->turnTo(2);
        list.pager->turnTo(3);
        QTRY_COMPARE(list.shownPages, QList<int>{3});
        QCOMPARE(list.pager->shownPageIndex(), 3);
        // The older request is answered as well (and released then), and its reply dropped.
        QTRY_VERIFY_WITH_TIMEOUT(list.pager->findChildren<NetRequestObjecet*>().isEmpty(), 5000);
        QCOMPARE(m_server.requests().size(), 2);
        QCOMPARE(list.shownPages, QList<int>{3});
    }

    void failedPageReturnsToThePageOnScreen()
    {
        m_server.enqueueReply(kPath, pageReply(100, 20, 1));
        m_server.enqueueReply(kPath, ScriptedHttpServer::contentReply("text/html", "<html>busy</html>"));
        PagedList list(m_server.url(kPath), 20);
        QSignalSpy failed(list.pager, &ListPager::pageFailed);
        QSignalSpy indexes(list.pager, &ListPager::pageIndexChanged);
        list.pager->reload();
        QTRY_COMPARE(list.shownPages, QList<int>{1});

        list.pager->turnTo(4);
        QTRY_COMPARE(failed.count(), 1);
        QCOMPARE(list.pager->pageIndex(), 1);
        QCOMPARE(indexes.last().first().toInt(), 1);
        QCOMPARE(list.shownPages, QList<int>{1});
        QVERIFY(!list.pager->isLoading());
    }

    // Rows deleted while the user stood on page 4: the pager asks for the last page instead.
    void shrunkListMovesToTheLastPage_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("expectedPage");
        QTest::newRow("two pages left") << 25 << 2;
        QTest::newRow("exactly one page left") << 20 << 1;
        QTest::newRow("last page full") << 40 << 2;
    }

    void shrunkListMovesToTheLastPage()
    {
        QFETCH(int, total);
        QFETCH(int, expectedPage);
        m_server.enqueueReply(kPath, pageReply(total, 0, 4));
        m_server.setReply(kPath, pageReply(total, 5, expectedPage));
        PagedList list(m_server.url(kPath), 20);
        list.pager->turnTo(4);
        QTRY_COMPARE(list.shownPages, QList<int>{expectedPage});
        const QList<ScriptedHttpServer::Request> sent = m_server.requestsTo(kPath);
        QCOMPARE(sent.size(), 2);
        QCOMPARE(requestedPage(sent.at(1)), expectedPage);
        QCOMPARE(list.pager->pageIndex(), expectedPage);
        QCOMPARE(list.pager->total(), total);
    }

    // Without a total, a full page may have another after it; an empty one after it ends the list
    // there, and the rows on screen stay. A page emptied under the user still moves back.
    void listWithoutTotalFindsItsEnd_data()
    {
        QTest::addColumn<QStringList>("steps"); // after page 1: "next" or "reload"
        QTest::addColumn<QList<int>>("pagesAsked");
        QTest::addColumn<QList<int>>("rowsSent"); // for each page asked
        QTest::addColumn<QList<int>>("pagesShown");
        QTest::addColumn<int>("endsReached");
        QTest::addColumn<int>("pageCount");

        const QString next = QStringLiteral("next");
        const QString reload = QStringLiteral("reload");
        QTest::newRow("a full page, then nothing")
            << QStringList{next} << QList<int>{1, 2} << QList<int>{10, 0} << QList<int>{1} << 1 << 1;
        QTest::newRow("a reload forgets the end")
            << QStringList{next, reload, next} << QList<int>{1, 2, 1, 2} << QList<int>{10, 0, 10, 0}
            << QList<int>{1, 1} << 2 << 1;
        QTest::newRow("a short page is the last")
            << QStringList{next} << QList<int>{1, 2} << QList<int>{10, 4} << QList<int>{1, 2} << 0 << 2;
        QTest::newRow("the last rows deleted")
            << QStringList{next, reload} << QList<int>{1, 2, 2, 1} << QList<int>{10, 3, 0, 10} << QList<int>{1, 2, 1} << 0
            << 2;
    }

    void listWithoutTotalFindsItsEnd()
    {
        QFETCH(QStringList, steps);
        QFETCH(QList<int>, pagesAsked);
        QFETCH(QList<int>, rowsSent);
        QFETCH(QList<int>, pagesShown);
        QFETCH(int, endsReached);
        QFETCH(int, pageCount);

        for (int i = 0; i < pagesAsked.size(); ++i)
            m_server.enqueueReply(kPath, pageReply(0, rowsSent.at(i), pagesAsked.at(i)));
        PagedList list(m_server.url(kPath), 10, false, true);
        QSignalSpy ends(list.pager, &ListPager::lastPageReached);
        list.pager->reload();
        QTRY_VERIFY(!list.pager->isLoading());
        for (const QString& step : steps) {
            if (step == QLatin1String("next"))
                list.pager->turnTo(list.pager->shownPageIndex() + 1);
            else
                list.pager->reload();
            QTRY_VERIFY(!list.pager->isLoading());
        }
        QList<int> asked;
        for (const ScriptedHttpServer::Request& request : m_server.requestsTo(kPath))
            asked.append(requestedPage(request));
        QCOMPARE(asked, pagesAsked);
        QCOMPARE(list.shownPages, pagesShown);
        QCOMPARE(ends.count(), endsReached);
        QCOMPARE(list.pager->pageIndex(), list.pager->shownPageIndex());
        QCOMPARE(list.pager->pageCount(), pageCount);
    }

    // An empty list is an empty page 1, not a reason to ask again.
    void emptyListIsShown()
    {
        m_server.setReply(kPath, pageReply(0, 0, 1));
        PagedList list(m_server.url(kPath), 20);
        list.pager->reload();
        QTRY_COMPARE(list.shownPages, QList<int>{1});
        QCOMPARE(list.pager->pageCount(), 0);
        // The next request the service sees is the user's own reload, not one of the pager's.
        list.pager->reload();
        QTRY_COMPARE(list.shownPages, (QList<int>{1, 1}));
        QCOMPARE(m_server.requestsTo(kPath).size(), 2);
    }

    // Every request object goes once it has finished, answered or failed.
    void requestsAreReleased()
    {
        m_server.setReply(kPath, pageReply(300, 20, 1));
        PagedList list(m_server.url(kPath), 20);
        for (int page = 1; page <= 30; ++page) {
            list.pager->turnTo(page);
            QVERIFY(list.pager->findChildren<NetRequestObjecet*>().size() <= 1);
            QTRY_VERIFY(!list.pager->isLoading());
        }
        QTRY_VERIFY(list.pager->findChildren<NetRequestObjecet*>().isEmpty());
        QCOMPARE(list.shownPages.size(), 30);
    }

private:
    ScriptedHttpServer m_server;
};

QTEST_MAIN(TestListPager)
#include "tst_listpager.moc"
