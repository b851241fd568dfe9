#include "support/service/DemoSessions.h"
#include "support/service/ReferenceService.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QScopedPointer>
#include <QTest>

#include <climits>

namespace {

using Headers = ReferenceService::Headers;
using Pieces = ReferenceService::Pieces;

const QString kNewsList = QStringLiteral("site/softzixun");
const QString kBaiKeList = QStringLiteral("site/softbaikelist");
const QString kNoRight = QStringLiteral("您当前没有权利操作，请联系管理员！");
const int kAgentJob = 2; // the staff member's job role

// What a user may type and a careless form body would break.
const QString kAwkward = QStringLiteral("A&B=C+D 100% #1 \"引号\" <b>粗</b>\n第二行");

Pieces owner(const QString& companyId = QStringLiteral("10001"), const QString& cityId = QStringLiteral("1"))
{
    return {piece("companyid", companyId), piece("cityid", cityId)};
}

Pieces listPage(int page, const QString& key = QString())
{
    Pieces pieces = owner();
    pieces << piece("page", page) << piece("pagesize", 10) << piece("key", key);
    return pieces;
}

Pieces article(const QString& title, qint64 categoryId, const QString& img = QString())
{
    return {piece("title", title), piece("cate_id", categoryId), piece("come_from", QStringLiteral("本站 & 原创")),
            piece("img", img), piece("content", kAwkward)};
}

QStringList titles(const ReferenceService::Reply& reply)
{
    QStringList list;
    for (const QJsonValue& row : reply.data().toArray())
        list.append(row.toObject().value(QStringLiteral("title")).toString());
    return list;
}

QJsonObject rowTitled(const ReferenceService::Reply& reply, const QString& title)
{
    for (const QJsonValue& row : reply.data().toArray()) {
        if (row.toObject().value(QStringLiteral("title")).toString() == title)
            return row.toObject();
    }
    return {};
}

qint64 idOf(const ReferenceService::Reply& reply)
{
    return reply.data().toObject().value(QStringLiteral("id")).toVariant().toLongLong();
}

// The session as the desktop's browser carries it: a cookie.
Headers cookieOf(const Headers& session)
{
    return {{QStringLiteral("Cookie"), QStringLiteral("sessionid=%1; token=%2")
                                           .arg(session.value(QStringLiteral("sessionid")).toString(),
                                                session.value(QStringLiteral("token")).toString())}};
}

} // namespace

class TestNewsRoutes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void everyCallNeedsASession();
    void seededListsTenAPageNewestFirst();
    void searchTakesTheKeyLiterally();
    void anArticleIsAddedEditedAndDeletedWithWhatWasTyped();
    void savesRefused_data();
    void savesRefused();
    void categoriesAndPictures();
    void rightsAndTenancy();
    void pagesNeedTheLoginTheirCompanyAndTheRight_data();
    void pagesNeedTheLoginTheirCompanyAndTheRight();
    void editPageShowsTheArticleEscaped();

private:
    QScopedPointer<ReferenceService> m_service;
    Headers m_manager;   // 安居地产's manager
    Headers m_staff;     // 安居地产's agent, job role 2 (right 148)
    Headers m_chongqing; // 山城置业's manager, city 2
};

void TestNewsRoutes::initTestCase()
{
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    const DemoSessions demo = DemoSessions::login(*m_service);
    QVERIFY(demo.complete());
    m_manager = demo.manager;
    m_staff = demo.staff;
    m_chongqing = demo.chongqing;
}

void TestNewsRoutes::cleanupTestCase()
{
    QCOMPARE(m_service->stop(), 0);
}

void TestNewsRoutes::everyCallNeedsASession()
{
    for (const char* kind : {"zixun", "baike"}) {
        for (const char* call : {"_list_remove", "_save", "_menu_save", "_menu_remove", "_img_add", "_img_remove"})
            QCOMPARE(m_service->call(QStringLiteral("site/%1%2").arg(QLatin1String(kind), QLatin1String(call)),
                                     {piece("id", 1)}, {})
                         .code(),
                     400);
    }
    QCOMPARE(m_service->call(kNewsList, listPage(1), {}).code(), 400);
    QCOMPARE(m_service->call(kBaiKeList, listPage(1), {}).code(), 400);
}

void TestNewsRoutes::seededListsTenAPageNewestFirst()
{
    const ReferenceService::Reply first = m_service->call(kNewsList, listPage(1), m_staff);
    QCOMPARE(first.code(), 200);
    const QJsonArray rows = first.data().toArray();
    QCOMPARE(rows.size(), 10);
    qint64 previous = LLONG_MAX;
    for (const QJsonValue& value : rows) {
        const QJsonObject row = value.toObject();
        for (const char* key : {"id", "title", "img", "cate_alias", "come_from", "hits", "create_time"})
            QVERIFY2(row.contains(QLatin1String(key)), key);
        const qint64 id = row.value(QStringLiteral("id")).toVariant().toLongLong();
        QVERIFY(id < previous);
        previous = id;
    }
    QCOMPARE(titles(first).first(), QStringLiteral("安居地产天府新区店开业"));
    QCOMPARE(rowTitled(first, QStringLiteral("人才购房政策问答")).value(QStringLiteral("cate_alias")).toString(),
             QStringLiteral("政策解读"));
    const QString cover = rows.first().toObject().value(QStringLiteral("img")).toString();
    QCOMPARE(m_service->get(cover).httpStatus, 200);

    QCOMPARE(m_service->call(kNewsList, listPage(2), m_staff).data().toArray().size(), 2);
    QCOMPARE(m_service->call(kNewsList, listPage(3), m_staff).data().toArray().size(), 0);
    // The twins keep apart, and so do the companies.
    QCOMPARE(m_service->call(kBaiKeList, listPage(1), m_staff).data().toArray().size(), 6);
    QCOMPARE(m_service->call(kNewsList, owner(QStringLiteral("20002"), QStringLiteral("2")), m_chongqing)
                 .data().toArray().size(),
             3);
}

void TestNewsRoutes::searchTakesTheKeyLiterally()
{
    QCOMPARE(titles(m_service->call(kNewsList, listPage(1, QStringLiteral("公积金")), m_manager)),
             QStringList{QStringLiteral("公积金贷款额度调整，最高可贷七十万")});
    QVERIFY(titles(m_service->call(kNewsList, listPage(1, QStringLiteral("%")), m_manager)).isEmpty());
    QVERIFY(titles(m_service->call(kBaiKeList, listPage(1, QStringLiteral("公积金")), m_manager)).isEmpty());
}

void TestNewsRoutes::anArticleIsAddedEditedAndDeletedWithWhatWasTyped()
{
    const ReferenceService::Reply category =
        m_service->call(QStringLiteral("site/zixun_menu_save"), {piece("name", QStringLiteral("小区 & 配套"))}, m_staff);
    QCOMPARE(category.code(), 200);
    const QString img = m_service->baseUrl() + QStringLiteral("files/0123456789abcdef0123456789abcdef.jpg");
    const ReferenceService::Reply added =
        m_service->call(QStringLiteral("site/zixun_save"), article(kAwkward, idOf(category), img), m_staff);
    QCOMPARE(added.code(), 200);
    const qint64 id = idOf(added);
    QVERIFY(id > 0);

    ReferenceService::Reply list = m_service->call(kNewsList, listPage(1), m_staff);
    QJsonObject row = list.data().toArray().first().toObject();
    QCOMPARE(row.value(QStringLiteral("id")).toVariant().toLongLong(), id);
    QCOMPARE(row.value(QStringLiteral("title")).toString(), kAwkward);
    QCOMPARE(row.value(QStringLiteral("cate_alias")).toString(), QStringLiteral("小区 & 配套"));
    QCOMPARE(row.value(QStringLiteral("come_from")).toString(), QStringLiteral("本站 & 原创"));
    QCOMPARE(row.value(QStringLiteral("img")).toString(), img);
    QCOMPARE(row.value(QStringLiteral("hits")).toInt(), 0);
    QVERIFY(!row.value(QStringLiteral("create_time")).toString().isEmpty());

    Pieces edit = article(QStringLiteral("改过的标题"), 0);
    edit.prepend(piece("id", id));
    QCOMPARE(m_service->call(QStringLiteral("site/zixun_save"), edit, m_staff).code(), 200);
    row = rowTitled(m_service->call(kNewsList, listPage(1), m_staff), QStringLiteral("改过的标题"));
    QCOMPARE(row.value(QStringLiteral("id")).toVariant().toLongLong(), id);
    QCOMPARE(row.value(QStringLiteral("cate_alias")).toString(), QString());

    // The encyclopedia's call does not reach a news article.
    Pieces removal = {piece("companyid", QStringLiteral("10001")), piece("id", id)};
    QCOMPARE(m_service->call(QStringLiteral("site/baike_list_remove"), removal, m_staff).message(),
             QStringLiteral("该百科不存在或已被删除"));
    QCOMPARE(m_service->call(QStringLiteral("site/zixun_list_remove"), removal, m_staff).code(), 200);
    QVERIFY(rowTitled(m_service->call(kNewsList, listPage(1), m_staff), QStringLiteral("改过的标题")).isEmpty());
    QCOMPARE(m_service->call(QStringLiteral("site/zixun_list_remove"), removal, m_staff).message(),
             QStringLiteral("该资讯不存在或已被删除"));
}

void TestNewsRoutes::savesRefused_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<Pieces>("form");
    QTest::addColumn<QString>("message");
    const QString save = QStringLiteral("site/zixun_save");
    QTest::newRow("no title") << save << Pieces{piece("content", QStringLiteral("正文"))}
                              << QStringLiteral("缺少参数：标题");
    QTest::newRow("no content") << save << Pieces{piece("title", QStringLiteral("标题"))}
                                << QStringLiteral("缺少参数：内容");
    QTest::newRow("script cover") << save << article(QStringLiteral("标题"), 0, QStringLiteral("javascript:alert(1)"))
                                  << QStringLiteral("封面图片的地址无效");
    // Category 4 is the encyclopedia's first one.
    QTest::newRow("the other kind's category") << save << article(QStringLiteral("标题"), 4)
                                               << QStringLiteral("该类目不存在或已被删除");
    Pieces foreign = article(QStringLiteral("标题"), 0);
    foreign.prepend(piece("id", 19));
    QTest::newRow("an encyclopedia entry") << save << foreign << QStringLiteral("该资讯不存在或已被删除");
    QTest::newRow("category without a name") << QStringLiteral("site/baike_menu_save")
                                             << Pieces{piece("name", QStringLiteral("  "))}
                                             << QStringLiteral("缺少参数：类目名称");
    QTest::newRow("picture without one") << QStringLiteral("site/zixun_img_add") << Pieces{piece("link", QString())}
                                         << QStringLiteral("请选择图片");
    QTest::newRow("picture with a script link")
        << QStringLiteral("site/zixun_img_add")
        << Pieces{piece("img", QStringLiteral("https://img.example.com/a.jpg")),
                  piece("link", QStringLiteral("javascript:alert(1)"))}
        << QStringLiteral("链接地址无效");
}

void TestNewsRoutes::savesRefused()
{
    QFETCH(QString, path);
    QFETCH(Pieces, form);
    QFETCH(QString, message);
    const ReferenceService::Reply reply = m_service->call(path, form, m_manager);
    QCOMPARE(reply.code(), 405);
    QCOMPARE(reply.message(), message);
}

void TestNewsRoutes::categoriesAndPictures()
{
    const QString save = QStringLiteral("site/baike_menu_save");
    const qint64 id = idOf(m_service->call(save, {piece("name", QStringLiteral("新类目")), piece("sort", -5)}, m_manager));
    QVERIFY(id > 0);
    QCOMPARE(m_service->call(save, {piece("id", id), piece("name", QStringLiteral("改名")), piece("sort", 2)}, m_manager)
                 .code(),
             200);
    const qint64 entry =
        idOf(m_service->call(QStringLiteral("site/baike_save"), article(QStringLiteral("词条"), id), m_manager));
    QCOMPARE(rowTitled(m_service->call(kBaiKeList, listPage(1), m_manager), QStringLiteral("词条"))
                 .value(QStringLiteral("cate_alias")).toString(),
             QStringLiteral("改名"));
    // Removing a category keeps its articles.
    QCOMPARE(m_service->call(QStringLiteral("site/baike_menu_remove"), {piece("id", id)}, m_manager).code(), 200);
    const QJsonObject kept = rowTitled(m_service->call(kBaiKeList, listPage(1), m_manager), QStringLiteral("词条"));
    QCOMPARE(kept.value(QStringLiteral("id")).toVariant().toLongLong(), entry);
    QCOMPARE(kept.value(QStringLiteral("cate_alias")).toString(), QString());
    QCOMPARE(m_service->call(QStringLiteral("site/baike_menu_remove"), {piece("id", id)}, m_manager).message(),
             QStringLiteral("该类目不存在或已被删除"));

    const qint64 picture = idOf(m_service->call(
        QStringLiteral("site/baike_img_add"),
        {piece("img", QStringLiteral("https://img.example.com/top.jpg")), piece("link", QStringLiteral("https://x.cn/"))},
        m_manager));
    QVERIFY(picture > 0);
    QCOMPARE(m_service->call(QStringLiteral("site/zixun_img_remove"), {piece("id", picture)}, m_manager).message(),
             QStringLiteral("该图片不存在或已被删除"));
    QCOMPARE(m_service->call(QStringLiteral("site/baike_img_remove"), {piece("id", picture)}, m_manager).code(), 200);
}

void TestNewsRoutes::rightsAndTenancy()
{
    // Another company's article is unknown to 山城置业, and its list cannot be asked for.
    const qint64 id = m_service->call(kNewsList, listPage(1), m_manager).data().toArray().first().toObject()
                          .value(QStringLiteral("id")).toVariant().toLongLong();
    QCOMPARE(m_service->call(QStringLiteral("site/zixun_list_remove"),
                             {piece("companyid", QStringLiteral("20002")), piece("id", id)}, m_chongqing)
                 .message(),
             QStringLiteral("该资讯不存在或已被删除"));
    QCOMPARE(m_service->call(kNewsList, listPage(1), m_chongqing).message(), QStringLiteral("无权访问其他公司的数据"));
    QCOMPARE(m_service->call(kNewsList, owner(QStringLiteral("20002"), QStringLiteral("1")), m_chongqing).message(),
             QStringLiteral("无权访问其他城市的数据"));
    QCOMPARE(m_service->call(kNewsList, {piece("companyid", QStringLiteral("20002"))}, m_chongqing).message(),
             QStringLiteral("缺少参数：城市编号"));
    QCOMPARE(m_service->call(kNewsList, listPage(1), m_manager).data().toArray().first().toObject()
                 .value(QStringLiteral("id")).toVariant().toLongLong(),
             id);

    QVERIFY(m_service->selectJobRights(kAgentJob, {65}));
    for (const QString& path : {kNewsList, QStringLiteral("site/zixun_list_remove"), QStringLiteral("site/zixun_save"),
                                QStringLiteral("site/baike_menu_save"), QStringLiteral("site/zixun_img_add")}) {
        Pieces pieces = listPage(1);
        pieces << piece("id", id);
        QCOMPARE(m_service->call(path, pieces, m_staff).message(), kNoRight);
    }
    QVERIFY(m_service->selectJobRights(kAgentJob, {65, 148}));
    QCOMPARE(m_service->call(kNewsList, listPage(1), m_staff).code(), 200);
}

void TestNewsRoutes::pagesNeedTheLoginTheirCompanyAndTheRight_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("who"); // 0 nobody, 1 the manager, 2 the staff member without right 148
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("says");
    const QString form = QStringLiteral("id=\"articleForm\"");
    QTest::newRow("add") << QStringLiteral("site/zixun_add.html?companyid=10001&company=%E5%AE%89%26&city=1") << 1
                         << 200 << form;
    QTest::newRow("add, baike") << QStringLiteral("site/baike_add.html?companyid=10001&company=x&city=1") << 1 << 200
                                << QStringLiteral("请输入百科标题");
    QTest::newRow("categories") << QStringLiteral("site/zixun_menu_list.html?companyid=10001&company=x&cityid=1") << 1
                                << 200 << QStringLiteral("楼市动态");
    QTest::newRow("pictures") << QStringLiteral("site/baike_img.html?companyid=10001&cityid=1") << 1 << 200
                              << QStringLiteral("顶部图片");
    QTest::newRow("no login") << QStringLiteral("site/zixun_add.html?companyid=10001&company=x&city=1") << 0 << 401
                              << QStringLiteral("请先登录");
    QTest::newRow("another company") << QStringLiteral("site/zixun_img.html?companyid=20002&cityid=1") << 1 << 403
                                     << QStringLiteral("无权访问其他公司的数据");
    QTest::newRow("no company") << QStringLiteral("site/zixun_img.html?cityid=1") << 1 << 403
                                << QStringLiteral("无权访问其他公司的数据");
    QTest::newRow("another city") << QStringLiteral("site/zixun_edit.html?companyid=10001&id=3&city=2") << 1 << 403
                                  << QStringLiteral("无权访问其他城市的数据");
    QTest::newRow("unknown article") << QStringLiteral("site/zixun_edit.html?companyid=10001&id=99999&city=1") << 1
                                     << 404 << QStringLiteral("该资讯不存在或已被删除");
    QTest::newRow("without right 148") << QStringLiteral("site/baike_menu_list.html?companyid=10001&cityid=1") << 2
                                       << 403 << kNoRight;
}

void TestNewsRoutes::pagesNeedTheLoginTheirCompanyAndTheRight()
{
    QFETCH(QString, path);
    QFETCH(int, who);
    QFETCH(int, status);
    QFETCH(QString, says);
    if (who == 2)
        QVERIFY(m_service->selectJobRights(kAgentJob, {65}));
    const Headers session = who == 0 ? Headers() : cookieOf(who == 1 ? m_manager : m_staff);
    const ReferenceService::Reply page = m_service->get(path, session);
    if (who == 2)
        QVERIFY(m_service->selectJobRights(kAgentJob, {65, 148}));
    QCOMPARE(page.httpStatus, status);
    QVERIFY(page.contentType.startsWith("text/html"));
    const QString html = QString::fromUtf8(page.body);
    QVERIFY2(html.contains(says), qPrintable(html));
    // Only a page that opened carries the bridge to the desktop.
    QCOMPARE(html.contains(QStringLiteral("desktop_bridge.js")), status == 200);
}

void TestNewsRoutes::editPageShowsTheArticleEscaped()
{
    const qint64 id =
        idOf(m_service->call(QStringLiteral("site/zixun_save"), article(kAwkward, 2), m_manager));
    const ReferenceService::Reply page = m_service->get(
        QStringLiteral("site/zixun_edit.html?companyid=10001&id=%1&city=1").arg(id), cookieOf(m_manager));
    QCOMPARE(page.httpStatus, 200);
    const QString html = QString::fromUtf8(page.body);
    QVERIFY(html.contains(QStringLiteral("value=\"%1\"").arg(id)));
    QVERIFY(html.contains(kAwkward.toHtmlEscaped()));
    QVERIFY(!html.contains(QStringLiteral("<b>粗</b>")));
    QVERIFY(html.contains(QStringLiteral("<option value=\"2\" selected>政策解读</option>")));

    const ReferenceService::Reply bridge = m_service->get(QStringLiteral("site/desktop_bridge.js"));
    QCOMPARE(bridge.httpStatus, 200);
    QVERIFY(bridge.body.contains("desktop.postMessage"));
}

QTEST_GUILESS_MAIN(TestNewsRoutes)
#include "tst_newsroutes.moc"
