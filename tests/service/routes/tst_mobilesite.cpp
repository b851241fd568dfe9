#include "support/service/DemoSessions.h"
#include "support/service/ReferenceService.h"
#include "support/service/TestImages.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QScopedPointer>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QUrl>

namespace {

using Headers = ReferenceService::Headers;

QString text(const ReferenceService::Reply& reply)
{
    return QString::fromUtf8(reply.body);
}

QString encoded(const QString& value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

// Every address a page names (links, pictures, the search form), resolved against the page.
QStringList addressesOf(const QString& pageUrl, const QString& html)
{
    static const QRegularExpression attribute(QStringLiteral("\\b(?:href|src|action)=\"([^\"]*)\""));
    QStringList addresses;
    QRegularExpressionMatchIterator it = attribute.globalMatch(html);
    while (it.hasNext()) {
        QString value = it.next().captured(1);
        value.replace(QLatin1String("&amp;"), QLatin1String("&"));
        const QString resolved = QUrl(pageUrl).resolved(QUrl(value)).toString();
        if (!addresses.contains(resolved))
            addresses << resolved;
    }
    return addresses;
}

} // namespace

class TestMobileSite : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void pagesShowTheData_data();
    void pagesShowTheData();
    void homePageAddressesAnswer_data();
    void homePageAddressesAnswer();
    void onlyWhatTheSitePublishes();
    void storedMarkupIsEscaped();
    void customAppOfPictures();
    void unknownIsNotFound_data();
    void unknownIsNotFound();
    void pagesFollowChanges();
    void topIconPreview();
    void badTopIconPreviewIsRefused_data();
    void badTopIconPreviewIsRefused();

private:
    QString siteUrl(const QString& path) const { return m_service->baseUrl() + QStringLiteral("site/m/") + path; }
    QVariant scalar(const QString& sql, const QVariantList& values = {}) const;
    // Every page of the company's site a visitor reaches from the home page, by following links.
    QStringList crawl(const QString& companyId, QHash<QString, QString>* pages);

    QScopedPointer<ReferenceService> m_service;
    DemoSessions m_demo;
};

QVariant TestMobileSite::scalar(const QString& sql, const QVariantList& values) const
{
    QSqlQuery query(m_service->inspect(QStringLiteral("inspect")));
    query.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    return query.exec() && query.next() ? query.value(0) : QVariant();
}

QStringList TestMobileSite::crawl(const QString& companyId, QHash<QString, QString>* pages)
{
    const QString root = siteUrl(companyId + QLatin1Char('/'));
    QStringList queue{root};
    QStringList failures;
    while (!queue.isEmpty() && pages->size() < 400) {
        const QString address = queue.takeFirst();
        if (pages->contains(address))
            continue;
        const ReferenceService::Reply reply = m_service->get(address);
        if (reply.httpStatus != 200)
            failures << QStringLiteral("%1 -> %2").arg(address).arg(reply.httpStatus);
        pages->insert(address, text(reply));
        if (!reply.contentType.startsWith("text/html"))
            continue;
        for (const QString& next : addressesOf(address, text(reply))) {
            // Only pages of this site; pictures and the style sheet are checked elsewhere.
            if (next.startsWith(root) && !pages->contains(next) && !queue.contains(next))
                queue << next;
        }
    }
    return failures;
}

void TestMobileSite::initTestCase()
{
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    m_demo = DemoSessions::login(*m_service);
    QVERIFY(m_demo.complete());
}

void TestMobileSite::cleanupTestCase()
{
    QSqlDatabase::removeDatabase(QStringLiteral("inspect"));
    QCOMPARE(m_service->stop(), 0);
}

void TestMobileSite::pagesShowTheData_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("links");

    QTest::newRow("home") << QStringLiteral("10001/")
                          << QStringList{QStringLiteral("<title>安居地产</title>"), QStringLiteral("data-zhuti=\"5\""),
                                         QStringLiteral("--theme:rgb(0, 171, 133)"), QStringLiteral("nav-style-2"),
                                         QStringLiteral("search-style-2"), QStringLiteral("per-row-4"),
                                         QStringLiteral("看房团"), QStringLiteral("学区房"), QStringLiteral("地铁口好房"),
                                         QStringLiteral("猜你喜欢"), QStringLiteral("中海城南一号 精装三室 南北通透"),
                                         QStringLiteral("锦江区租房")}
                          << QStringList{QStringLiteral("houses/sale"), QStringLiteral("houses/rent"),
                                         QStringLiteral("newhouses"), QStringLiteral("app/1001"),
                                         QStringLiteral("app/1002"), QStringLiteral("topics"), QStringLiteral("profile"),
                                         QStringLiteral("jobs"), QStringLiteral("news"), QStringLiteral("baike"),
                                         QStringLiteral("loans"),
                                         QStringLiteral("houses/rent?district=%E9%94%A6%E6%B1%9F%E5%8C%BA"),
                                         QStringLiteral("newhouses?district=%E9%AB%98%E6%96%B0%E5%8C%BA")};
    QTest::newRow("Chongqing home") << QStringLiteral("20002/")
                                    << QStringList{QStringLiteral("<title>山城置业</title>"),
                                                   QStringLiteral("data-zhuti=\"2\""),
                                                   QStringLiteral("--theme:rgb(255, 1, 1)"),
                                                   QStringLiteral("nav-style-3"), QStringLiteral("山城好房"),
                                                   QStringLiteral("解放碑精选")}
                                    << QStringList{QStringLiteral("app/1001"), QStringLiteral("houses/sale")};
    QTest::newRow("houses for sale") << QStringLiteral("10001/houses/sale")
                                     << QStringList{QStringLiteral("中海城南一号 精装三室 南北通透"),
                                                    QStringLiteral("265万"), QStringLiteral("class=\"badge\">荐")}
                                     << QStringList{QStringLiteral("../house/1"), QStringLiteral("../")};
    QTest::newRow("houses of a district") << QStringLiteral("10001/houses/sale?district=") + encoded(QStringLiteral("锦江区"))
                                          << QStringList{QStringLiteral("锦江城市花园 低楼层三室 带花园")}
                                          << QStringList{};
    QTest::newRow("houses for rent") << QStringLiteral("10001/houses/rent")
                                     << QStringList{QStringLiteral("金融城 中海城南一号 精装两室 拎包入住"),
                                                    QStringLiteral("4500元/月")}
                                     << QStringList{};
    QTest::newRow("a house") << QStringLiteral("10001/house/1")
                             << QStringList{QStringLiteral("中海城南一号 精装三室 南北通透"), QStringLiteral("265万"),
                                            QStringLiteral("3室2厅2卫"), QStringLiteral("李小明"),
                                            QStringLiteral("13800000001"), QStringLiteral("满五唯一")}
                             << QStringList{QStringLiteral("../")};
    QTest::newRow("new houses") << QStringLiteral("10001/newhouses") << QStringList{QStringLiteral("天府锦城")}
                                << QStringList{QStringLiteral("newhouse/")};
    QTest::newRow("a new-house project") << QStringLiteral("10001/newhouse/1") << QStringList{QStringLiteral("天府锦城")}
                                         << QStringList{};
    QTest::newRow("loans") << QStringLiteral("10001/loans") << QStringList{QStringLiteral("安居房抵贷")}
                           << QStringList{QStringLiteral("loan/1")};
    QTest::newRow("a loan") << QStringLiteral("10001/loan/1")
                            << QStringList{QStringLiteral("安居房抵贷"), QStringLiteral("身份证、户口本、房产证、婚姻证明")}
                            << QStringList{};
    QTest::newRow("news") << QStringLiteral("10001/news")
                          << QStringList{QStringLiteral("安居地产天府新区店开业")}
                          << QStringList{QStringLiteral("news?page=2")};
    QTest::newRow("news, second page") << QStringLiteral("10001/news?page=2")
                                       << QStringList{QStringLiteral("成都二手房成交量连续三个月回升")}
                                       << QStringList{QStringLiteral("news?page=1")};
    QTest::newRow("encyclopedia") << QStringLiteral("10001/baike")
                                  << QStringList{QStringLiteral("二手房买卖的基本流程")} << QStringList{};
    QTest::newRow("topics") << QStringLiteral("10001/topics") << QStringList{QStringLiteral("学区房精选")}
                            << QStringList{QStringLiteral("topic/1")};
    QTest::newRow("a topic with its houses") << QStringLiteral("10001/topic/1")
                                             << QStringList{QStringLiteral("地铁口好房"),
                                                            QStringLiteral("盐市口地铁口 精装小户型")}
                                             << QStringList{};
    QTest::newRow("profile") << QStringLiteral("10001/profile")
                             << QStringList{QStringLiteral("安居地产成立于2008年"), QStringLiteral("028-86661234"),
                                            QStringLiteral("class=\"photo\"")}
                             << QStringList{};
    QTest::newRow("jobs with tags") << QStringLiteral("10001/jobs")
                                    << QStringList{QStringLiteral("行政文员"), QStringLiteral("4500-6000元/月"),
                                                   QStringLiteral("<em>")}
                                    << QStringList{QStringLiteral("job/1")};
    QTest::newRow("a job") << QStringLiteral("10001/job/1") << QStringList{QStringLiteral("行政文员")} << QStringList{};
    QTest::newRow("custom app, text") << QStringLiteral("10001/app/1001")
                                      << QStringList{QStringLiteral("每周六上午九点在春熙路店集合")} << QStringList{};
    QTest::newRow("custom app, houses") << QStringLiteral("10001/app/1002")
                                        << QStringList{QStringLiteral("锦江区二手房"),
                                                       QStringLiteral("锦江城市花园 低楼层三室 带花园")}
                                        << QStringList{QStringLiteral("../house/")};
    QTest::newRow("system app without a page") << QStringLiteral("10001/app/4")
                                               << QStringList{QStringLiteral("业主委托出售"), QStringLiteral("028-86661234")}
                                               << QStringList{};
}

void TestMobileSite::pagesShowTheData()
{
    QFETCH(QString, path);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, links);
    const ReferenceService::Reply reply = m_service->get(siteUrl(path));
    QCOMPARE(reply.httpStatus, 200);
    QVERIFY(reply.contentType.startsWith("text/html"));
    const QString html = text(reply);
    for (const QString& expected : texts)
        QVERIFY2(html.contains(expected), qPrintable(expected));
    for (const QString& link : links)
        QVERIFY2(html.contains(QStringLiteral("href=\"%1").arg(link.toHtmlEscaped())), qPrintable(link));
}

void TestMobileSite::homePageAddressesAnswer_data()
{
    QTest::addColumn<QString>("companyId");
    QTest::newRow("安居地产") << QStringLiteral("10001");
    QTest::newRow("山城置业") << QStringLiteral("20002");
}

void TestMobileSite::homePageAddressesAnswer()
{
    QFETCH(QString, companyId);
    const QString home = siteUrl(companyId + QLatin1Char('/'));
    const QStringList addresses = addressesOf(home, text(m_service->get(home)));
    QVERIFY(addresses.size() > 20);
    bool sawPicture = false;
    bool sawStyleSheet = false;
    for (const QString& address : addresses) {
        QVERIFY2(address.startsWith(m_service->baseUrl()), qPrintable(address));
        const ReferenceService::Reply reply = m_service->get(address);
        QVERIFY2(reply.httpStatus == 200, qPrintable(QStringLiteral("%1 -> %2").arg(address).arg(reply.httpStatus)));
        sawPicture = sawPicture || reply.contentType.startsWith("image/");
        sawStyleSheet = sawStyleSheet || reply.contentType.startsWith("text/css");
    }
    QVERIFY(sawPicture);
    QVERIFY(sawStyleSheet);
}

void TestMobileSite::onlyWhatTheSitePublishes()
{
    const qint64 takenDown =
        scalar(QStringLiteral("SELECT id FROM site_houses WHERE company_id = '10001' AND sh = 1 AND putup = 0")).toLongLong();
    const qint64 waiting =
        scalar(QStringLiteral("SELECT id FROM site_houses WHERE company_id = '10001' AND sh = 0")).toLongLong();
    const qint64 chongqing = scalar(QStringLiteral("SELECT id FROM site_houses WHERE company_id = '20002'")).toLongLong();
    QVERIFY(takenDown > 0 && waiting > 0 && chongqing > 0);
    const QString takenDownTitle =
        scalar(QStringLiteral("SELECT title FROM site_houses WHERE id = ?"), {takenDown}).toString();
    const QString waitingTitle = scalar(QStringLiteral("SELECT title FROM site_houses WHERE id = ?"), {waiting}).toString();
    const QString chongqingTitle =
        scalar(QStringLiteral("SELECT title FROM site_houses WHERE id = ?"), {chongqing}).toString();

    for (qint64 id : {takenDown, waiting, chongqing})
        QCOMPARE(m_service->get(siteUrl(QStringLiteral("10001/house/%1").arg(id))).httpStatus, 404);

    // Owners' and visitors' numbers (submissions, loan applications, the house book's contacts)
    // may reach no page of the site.
    QSet<QString> ownerPhones;
    QSqlQuery phones(m_service->inspect(QStringLiteral("inspect")));
    QVERIFY(phones.exec(QStringLiteral("SELECT phone FROM owner_submissions WHERE company_id = '10001' UNION"
                                       " SELECT phone FROM financial_applications WHERE company_id = '10001'")));
    while (phones.next())
        ownerPhones.insert(phones.value(0).toString());
    QSqlQuery contacts(m_service->inspect(QStringLiteral("inspect")));
    QVERIFY(contacts.exec(QStringLiteral("SELECT contacts FROM house_book WHERE company_id = '10001'")));
    while (contacts.next()) {
        for (const QJsonValue& contact : QJsonDocument::fromJson(contacts.value(0).toString().toUtf8()).array()) {
            const QString phone = contact.toObject().value(QStringLiteral("phone")).toString();
            if (!phone.isEmpty())
                ownerPhones.insert(phone);
        }
    }
    QVERIFY(!ownerPhones.isEmpty());

    QHash<QString, QString> pages;
    const QStringList failures = crawl(QStringLiteral("10001"), &pages);
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
    QVERIFY(pages.size() > 40);
    for (auto page = pages.cbegin(); page != pages.cend(); ++page) {
        for (const QString& hidden : {takenDownTitle, waitingTitle, chongqingTitle})
            QVERIFY2(!page.value().contains(hidden), qPrintable(page.key() + QStringLiteral(": ") + hidden));
        for (const QString& phone : ownerPhones)
            QVERIFY2(!page.value().contains(phone), qPrintable(page.key() + QStringLiteral(": ") + phone));
    }
}

void TestMobileSite::storedMarkupIsEscaped()
{
    const QString markup = QStringLiteral("<script>alert(1)</script>\"&'");
    const ReferenceService::Reply added =
        m_service->call(QStringLiteral("api/mtore/joinusadd"),
                        {piece("title", QStringLiteral("<b>店员</b>")), piece("xinzi", QStringLiteral("<i>面议</i>")),
                         piece("address", QStringLiteral("<u>春熙路</u>")), piece("tel", QStringLiteral("028-1\"><x>")),
                         piece("content", markup), piece("tags", QStringLiteral("<em>x</em>,五险"))},
                        m_demo.manager);
    QCOMPARE(added.code(), 200);
    const qint64 id = added.data().toObject().value(QStringLiteral("id")).toVariant().toLongLong();
    QVERIFY(id > 0);

    for (const QString& path : {QStringLiteral("10001/jobs"), QStringLiteral("10001/job/%1").arg(id)}) {
        const QString html = text(m_service->get(siteUrl(path)));
        QVERIFY2(html.contains(QStringLiteral("&lt;b&gt;店员&lt;/b&gt;")), qPrintable(path));
        QVERIFY(html.contains(QStringLiteral("&lt;em&gt;x&lt;/em&gt;")));
        for (const QString& raw : {QStringLiteral("<b>店员"), QStringLiteral("<i>面议"), QStringLiteral("<em>x</em>"),
                                   QStringLiteral("<script>"), QStringLiteral("<x>")})
            QVERIFY2(!html.contains(raw), qPrintable(path + QStringLiteral(": ") + raw));
    }
    const QString detail = text(m_service->get(siteUrl(QStringLiteral("10001/job/%1").arg(id))));
    QVERIFY(detail.contains(QStringLiteral("&lt;script&gt;alert(1)&lt;/script&gt;&quot;&amp;'")));
    QVERIFY(detail.contains(QStringLiteral("href=\"tel:028-1&quot;&gt;&lt;x&gt;\"")));
    QCOMPARE(m_service->call(QStringLiteral("api/mtore/joinusdelete"), {piece("id", id)}, m_demo.manager).code(), 200);

    // A custom app's name on the home page's grid, and its text on its own page.
    const ReferenceService::Reply icon = m_service->upload(
        QStringLiteral("api/app/upphoto"), {{QStringLiteral("type"), QStringLiteral("11")}}, QStringLiteral("file"),
        QStringLiteral("图标.png"), TestImages::encode(TestImages::filled(QSize(132, 132), Qt::darkCyan), "PNG"),
        m_demo.manager);
    QCOMPARE(icon.code(), 200);
    const ReferenceService::Reply app =
        m_service->call(QStringLiteral("api/mtore/customappadd"),
                        {piece("name", QStringLiteral("<u>")), piece("photo", icon.message()), piece("content", markup)},
                        m_demo.manager);
    QCOMPARE(app.code(), 200);
    const qint64 appId = app.data().toObject().value(QStringLiteral("id")).toVariant().toLongLong();
    const QString home = text(m_service->get(siteUrl(QStringLiteral("10001/"))));
    QVERIFY(home.contains(QStringLiteral("<span>&lt;u&gt;</span>")));
    QVERIFY(!home.contains(QStringLiteral("<u>")));
    const QString page = text(m_service->get(siteUrl(QStringLiteral("10001/app/%1").arg(appId))));
    QVERIFY(page.contains(QStringLiteral("&lt;script&gt;alert(1)&lt;/script&gt;")));
    QVERIFY(!page.contains(QStringLiteral("<script>")));
    QCOMPARE(m_service->call(QStringLiteral("api/mtore/customappdelete"), {piece("id", appId)}, m_demo.manager).code(),
             200);
    QCOMPARE(m_service->get(siteUrl(QStringLiteral("10001/app/%1").arg(appId))).httpStatus, 404);
}

void TestMobileSite::customAppOfPictures()
{
    QStringList photos;
    for (const Qt::GlobalColor colour : {Qt::darkRed, Qt::darkBlue}) {
        const ReferenceService::Reply uploaded = m_service->upload(
            QStringLiteral("api/app/upphoto"), {{QStringLiteral("type"), QStringLiteral("11")}}, QStringLiteral("file"),
            QStringLiteral("图片.png"), TestImages::encode(TestImages::filled(QSize(200, 120), colour), "PNG"),
            m_demo.manager);
        QCOMPARE(uploaded.code(), 200);
        photos << uploaded.message();
    }
    // Shown by their "sort", whatever the order of the list.
    const QJsonArray pictures = {QJsonObject{{QStringLiteral("photo"), photos.at(0)}, {QStringLiteral("sort"), 2}},
                                 QJsonObject{{QStringLiteral("photo"), photos.at(1)}, {QStringLiteral("sort"), 1}}};
    const ReferenceService::Reply app = m_service->call(
        QStringLiteral("api/mtore/customappadd"),
        {piece("name", QStringLiteral("相册")), piece("photo", photos.at(0)),
         piece("content", QString::fromUtf8(QJsonDocument(pictures).toJson(QJsonDocument::Compact)))},
        m_demo.manager);
    QCOMPARE(app.code(), 200);
    const qint64 appId = app.data().toObject().value(QStringLiteral("id")).toVariant().toLongLong();
    const QString page = text(m_service->get(siteUrl(QStringLiteral("10001/app/%1").arg(appId))));
    const int first = page.indexOf(QStringLiteral("class=\"wide\" src=\"%1\"").arg(photos.at(1)));
    const int second = page.indexOf(QStringLiteral("class=\"wide\" src=\"%1\"").arg(photos.at(0)));
    QVERIFY(first > 0 && first < second);
    QCOMPARE(m_service->call(QStringLiteral("api/mtore/customappdelete"), {piece("id", appId)}, m_demo.manager).code(),
             200);
}

void TestMobileSite::unknownIsNotFound_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("unknown company") << QStringLiteral("99999/");
    QTest::newRow("company without a site") << QStringLiteral("30728/");
    QTest::newRow("page of a company without a site") << QStringLiteral("30728/profile");
    QTest::newRow("no company") << QStringLiteral("");
    QTest::newRow("unknown house") << QStringLiteral("10001/house/999999");
    QTest::newRow("unknown project") << QStringLiteral("10001/newhouse/999999");
    QTest::newRow("unknown loan") << QStringLiteral("10001/loan/999999");
    QTest::newRow("unknown article") << QStringLiteral("10001/news/999999");
    QTest::newRow("another company's article kind") << QStringLiteral("20002/baike/1");
    QTest::newRow("unknown topic") << QStringLiteral("10001/topic/999999");
    QTest::newRow("unknown job") << QStringLiteral("10001/job/999999");
    QTest::newRow("another company's app") << QStringLiteral("20002/app/1002");
    QTest::newRow("desktop shortcut") << QStringLiteral("10001/app/-3");
    QTest::newRow("id that is no number") << QStringLiteral("10001/house/1x");
    QTest::newRow("unknown page") << QStringLiteral("10001/admin");
}

void TestMobileSite::unknownIsNotFound()
{
    QFETCH(QString, path);
    QCOMPARE(m_service->get(siteUrl(path)).httpStatus, 404);
}

void TestMobileSite::pagesFollowChanges()
{
    const QString home = siteUrl(QStringLiteral("10001/"));
    const QString sale = siteUrl(QStringLiteral("10001/houses/sale"));
    const QString title = QStringLiteral("中海城南一号 精装三室 南北通透");
    QVERIFY(text(m_service->get(sale)).contains(title));
    const QString stamp = scalar(QStringLiteral("SELECT value FROM meta WHERE key = 'site_changed:10001'")).toString();

    // Reading through the API changes nothing; the cached page stays.
    QCOMPARE(m_service->call(QStringLiteral("api/mtore/getmstoreconfig"), {}, m_demo.manager).code(), 200);
    QCOMPARE(scalar(QStringLiteral("SELECT value FROM meta WHERE key = 'site_changed:10001'")).toString(), stamp);

    // A browser that holds the page is told it is unchanged.
    const QByteArray etag = m_service->get(home).etag;
    QVERIFY(etag.startsWith('"') && etag.endsWith('"'));
    QCOMPARE(m_service->get(home, {{QStringLiteral("If-None-Match"), etag}}).httpStatus, 304);
    QCOMPARE(m_service->get(home, {{QStringLiteral("If-None-Match"), QByteArrayLiteral("\"0\"")}}).httpStatus, 200);

    // The theme saved on the style page shows at the next load, as does a house taken down.
    const qint64 house = scalar(QStringLiteral("SELECT id FROM site_houses WHERE title = ?"), {title}).toLongLong();
    QVERIFY(text(m_service->get(home)).contains(QStringLiteral("href=\"house/%1\"").arg(house)));
    QCOMPARE(m_service->call(QStringLiteral("api/mtore/mstoreconfig"), {piece("zhuti", 2)}, m_demo.manager).code(), 200);
    QCOMPARE(m_service->call(QStringLiteral("api/mtore/mshouseclickstore"), {piece("id", house)}, m_demo.manager).code(),
             200);
    const QString changed = scalar(QStringLiteral("SELECT value FROM meta WHERE key = 'site_changed:10001'")).toString();
    QVERIFY(!changed.isEmpty() && changed != stamp);
    const ReferenceService::Reply again = m_service->get(home, {{QStringLiteral("If-None-Match"), etag}});
    QCOMPARE(again.httpStatus, 200);
    QVERIFY(!again.etag.isEmpty() && again.etag != etag);
    QVERIFY(text(again).contains(QStringLiteral("data-zhuti=\"2\" style=\"--theme:rgb(255, 1, 1)")));
    // Its advert stays, without the link.
    QVERIFY(!text(again).contains(QStringLiteral("href=\"house/%1\"").arg(house)));
    QVERIFY(!text(m_service->get(sale)).contains(title));
    // Another company's site keeps its stamp.
    QVERIFY(text(m_service->get(siteUrl(QStringLiteral("20002/")))).contains(QStringLiteral("data-zhuti=\"2\"")));

    QCOMPARE(m_service->call(QStringLiteral("api/mtore/mshouseclickstore"), {piece("id", house)}, m_demo.manager).code(),
             200);
    QCOMPARE(m_service->call(QStringLiteral("api/mtore/mstoreconfig"), {piece("zhuti", 5)}, m_demo.manager).code(), 200);
    QVERIFY(text(m_service->get(sale)).contains(title));

    // A restarted service (perhaps another build, or another database) renders afresh instead of
    // letting a browser keep what the last one rendered.
    const QByteArray before = m_service->get(home).etag;
    QCOMPARE(m_service->stop(), 0);
    QVERIFY2(m_service->start(), qPrintable(m_service->errorString()));
    const QString restarted = siteUrl(QStringLiteral("10001/"));
    const ReferenceService::Reply fresh = m_service->get(restarted, {{QStringLiteral("If-None-Match"), before}});
    QCOMPARE(fresh.httpStatus, 200);
    QVERIFY(fresh.etag != before);
}

void TestMobileSite::topIconPreview()
{
    const QByteArray png = TestImages::encode(TestImages::filled(QSize(109, 92), Qt::darkCyan), "PNG");
    const ReferenceService::Reply uploaded =
        m_service->upload(QStringLiteral("api/app/upphoto"), {{QStringLiteral("type"), QStringLiteral("11")}},
                          QStringLiteral("file"), QStringLiteral("图标.png"), png, m_demo.manager);
    QCOMPARE(uploaded.code(), 200);
    const QString icon = uploaded.message();

    const QByteArray stored = m_service
                                  ->call(QStringLiteral("site/setwmenu"),
                                         {piece("companyid", QStringLiteral("10001")), piece("cityid", QStringLiteral("1"))},
                                         m_demo.manager)
                                  .body;
    const QJsonArray saved = QJsonDocument::fromJson(stored).object().value(QStringLiteral("data")).toArray();
    QCOMPARE(saved.size(), 3);
    // Reordered, the first one new, with markup in a district.
    const QJsonArray preview = {
        QJsonObject{{QStringLiteral("url"), icon}, {QStringLiteral("housetype"), QStringLiteral("新房")},
                    {QStringLiteral("districts"), QStringLiteral("<b>天府</b>")}},
        saved.at(2), saved.at(0)};
    const QString query = QStringLiteral("10001/?topicons=")
        + encoded(QString::fromUtf8(QJsonDocument(preview).toJson(QJsonDocument::Compact)));
    const QString html = text(m_service->get(siteUrl(query)));
    const int first = html.indexOf(icon.toHtmlEscaped());
    const int second = html.indexOf(saved.at(2).toObject().value(QStringLiteral("url")).toString());
    const int third = html.indexOf(saved.at(0).toObject().value(QStringLiteral("url")).toString());
    QVERIFY(first > 0 && first < second && second < third);
    QVERIFY(!html.contains(saved.at(1).toObject().value(QStringLiteral("url")).toString()));
    QVERIFY(html.contains(QStringLiteral("&lt;b&gt;天府&lt;/b&gt;新房")));
    QVERIFY(!html.contains(QStringLiteral("<b>天府")));

    // Nothing was stored: the saved icons and the plain home page are as before.
    QCOMPARE(m_service
                 ->call(QStringLiteral("site/setwmenu"),
                        {piece("companyid", QStringLiteral("10001")), piece("cityid", QStringLiteral("1"))},
                        m_demo.manager)
                 .body,
             stored);
    QVERIFY(!text(m_service->get(siteUrl(QStringLiteral("10001/")))).contains(icon));

    // A kind the site does not know, and another company's picture, are refused as a save would be.
    QJsonObject villa = preview.at(0).toObject();
    villa.insert(QStringLiteral("housetype"), QStringLiteral("别墅"));
    const ReferenceService::Reply theirs =
        m_service->upload(QStringLiteral("api/app/upphoto"), {{QStringLiteral("type"), QStringLiteral("11")}},
                          QStringLiteral("file"), QStringLiteral("图标.png"), png, m_demo.chongqing);
    QCOMPARE(theirs.code(), 200);
    QJsonObject foreign = preview.at(0).toObject();
    foreign.insert(QStringLiteral("url"), theirs.message());
    for (const QJsonObject& bad : {villa, foreign}) {
        const QJsonArray icons = {bad, saved.at(1), saved.at(2)};
        const ReferenceService::Reply refused = m_service->get(siteUrl(
            QStringLiteral("10001/?topicons=") + encoded(QString::fromUtf8(QJsonDocument(icons).toJson(QJsonDocument::Compact)))));
        QCOMPARE(refused.httpStatus, 400);
        QVERIFY(!text(refused).contains(theirs.message()));
    }
}

void TestMobileSite::badTopIconPreviewIsRefused_data()
{
    QTest::addColumn<QString>("content");

    const QString saleIcon = QStringLiteral("{\"url\":\"%1\",\"housetype\":\"二手房\",\"districts\":\"\"}");
    const auto three = [&saleIcon](const QString& url) {
        return QStringLiteral("[%1,%1,%1]").arg(saleIcon.arg(url));
    };
    QTest::newRow("not JSON") << QStringLiteral("[{");
    QTest::newRow("two icons") << QStringLiteral("[%1,%1]").arg(saleIcon.arg(QStringLiteral("http://127.0.0.1/x.png")));
    QTest::newRow("picture elsewhere") << three(QStringLiteral("http://evil.example/x.png"));
    QTest::newRow("not a web address") << three(QStringLiteral("javascript:alert(1)"));
    QTest::newRow("empty") << QString();
}

void TestMobileSite::badTopIconPreviewIsRefused()
{
    QFETCH(QString, content);
    const ReferenceService::Reply reply = m_service->get(siteUrl(QStringLiteral("10001/?topicons=") + encoded(content)));
    QCOMPARE(reply.httpStatus, 400);
    QVERIFY(!text(reply).contains(QStringLiteral("evil.example")));
    QVERIFY(!text(reply).contains(QStringLiteral("javascript:")));
}

QTEST_GUILESS_MAIN(TestMobileSite)
#include "tst_mobilesite.moc"
