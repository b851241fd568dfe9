#include "support/service/ReferenceService.h"

#include <QJsonObject>
#include <QRegularExpression>
#include <QScopedPointer>
#include <QTest>
#include <QUrl>

#include <algorithm>
#include <iterator>

namespace {

using Headers = ReferenceService::Headers;

// The site host's pages of the rebate and browsing-track tabs, with the query each reads.
struct SitePageCase
{
    const char* file;
    const char* heading;
    bool withCity;
};

const SitePageCase kPages[] = {
    {"trad.html", "成交中心", true},
    {"commission_rate.html", "佣金预估", true},
    {"rebate_user.html", "注册用户", true},
    {"rebates_clientwantzg.html", "推介客户", true},
    {"rebates_clinethousetable.html", "推介房源", true},
    {"browselogs.html", "用户轨迹", false},
};

QString address(const SitePageCase& page, const QString& companyId, const QString& cityId)
{
    QString path = QStringLiteral("site/%1?companyid=%2").arg(QLatin1String(page.file), companyId);
    if (page.withCity)
        path += QStringLiteral("&cityid=") + cityId;
    return path;
}

// The session as the desktop's browser carries it: a cookie.
Headers cookieOf(const Headers& session)
{
    return {{QStringLiteral("Cookie"), QStringLiteral("sessionid=%1; token=%2")
                                           .arg(session.value(QStringLiteral("sessionid")).toString(),
                                                session.value(QStringLiteral("token")).toString())}};
}

QString encoded(const QString& value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

struct Visit
{
    int type;
    qint64 itemId;
    QString title;
};

// The visits of a browsing-track page, in order, as its rows carry them.
QList<Visit> visitsOf(const QString& html)
{
    static const QRegularExpression row(QStringLiteral(
        "<tr class=\"visit\" tabindex=\"0\" data-type=\"(\\d+)\" data-item=\"(\\d+)\">"
        "<td>[^<]*</td><td>[^<]*</td><td>[^<]*</td><td>[^<]*</td><td>([^<]*)</td>"));
    QList<Visit> visits;
    QRegularExpressionMatchIterator it = row.globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        visits.append({match.captured(1).toInt(), match.captured(2).toLongLong(), match.captured(3)});
    }
    return visits;
}

} // namespace

class TestRebatePages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void everyPageOpensForItsCompanysLoginOnly();
    void eachCompanySeesItsOwnRows_data();
    void eachCompanySeesItsOwnRows();
    void encodedQueryValuesAndTheAddressesLogin();
    void visitsCarryTheItemsTheyOpen();
    void visitPagesAndTypes();
    void guidePagesNeedNoLogin();

private:
    QString html(const QString& path, const Headers& who);
    Headers sessionOf(const QString& name) const;

    QScopedPointer<ReferenceService> m_service;
    Headers m_anju;      // 安居地产's manager (10001, city 1)
    Headers m_staff;     // 安居地产's agent, no manager flag
    Headers m_chongqing; // 山城置业's manager (20002, city 2), no rebates
    Headers m_rongcheng; // 蓉城房产's manager (30728, city 1), in a house circle
};

void TestRebatePages::initTestCase()
{
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    m_anju = m_service->login(QStringLiteral("13800000000"));
    m_staff = m_service->login(QStringLiteral("13800000001"));
    m_chongqing = m_service->login(QStringLiteral("13900000000"));
    m_rongcheng = m_service->login(QStringLiteral("13700000000"));
    QVERIFY(!m_anju.isEmpty() && !m_staff.isEmpty() && !m_chongqing.isEmpty() && !m_rongcheng.isEmpty());
}

void TestRebatePages::cleanupTestCase()
{
    QCOMPARE(m_service->stop(), 0);
}

QString TestRebatePages::html(const QString& path, const Headers& who)
{
    const ReferenceService::Reply page = m_service->get(path, cookieOf(who));
    if (page.httpStatus != 200 || !page.contentType.startsWith("text/html"))
        return QStringLiteral("HTTP %1").arg(page.httpStatus);
    return QString::fromUtf8(page.body);
}

Headers TestRebatePages::sessionOf(const QString& name) const
{
    if (name == QLatin1String("10001"))
        return m_anju;
    if (name == QLatin1String("20002"))
        return m_chongqing;
    return m_rongcheng;
}

void TestRebatePages::everyPageOpensForItsCompanysLoginOnly()
{
    for (const SitePageCase& page : kPages) {
        const QString own = address(page, QStringLiteral("10001"), QStringLiteral("1"));
        const QString heading = QString::fromUtf8(page.heading);
        for (const Headers& who : {m_anju, m_staff}) {
            const ReferenceService::Reply opened = m_service->get(own, cookieOf(who));
            QCOMPARE(opened.httpStatus, 200);
            QVERIFY2(QString::fromUtf8(opened.body).contains(QStringLiteral("<h1>%1</h1>").arg(heading)), page.file);
        }
        // The session headers serve as well as the cookie.
        QCOMPARE(m_service->get(own, m_anju).httpStatus, 200);

        const struct
        {
            QString path;
            Headers who;
            int status;
            QString says;
        } refusals[] = {
            {own, {}, 401, QStringLiteral("请先登录")},
            {own, cookieOf(m_chongqing), 403, QStringLiteral("无权访问其他公司的数据")},
            {address(page, QStringLiteral("20002"), QStringLiteral("1")), cookieOf(m_anju), 403,
             QStringLiteral("无权访问其他公司的数据")},
            {address(page, QString(), QStringLiteral("1")), cookieOf(m_anju), 403,
             QStringLiteral("无权访问其他公司的数据")},
            {QStringLiteral("site/%1?companyid=10001&cityid=2").arg(QLatin1String(page.file)), cookieOf(m_anju), 403,
             QStringLiteral("无权访问其他城市的数据")},
        };
        for (const auto& refusal : refusals) {
            const ReferenceService::Reply refused = m_service->get(refusal.path, refusal.who);
            QCOMPARE(refused.httpStatus, refusal.status);
            const QString text = QString::fromUtf8(refused.body);
            QVERIFY2(text.contains(refusal.says), qPrintable(refusal.path + QLatin1Char(' ') + text));
            QVERIFY(!text.contains(QStringLiteral("<table")));
            QVERIFY(!text.contains(QStringLiteral("desktop_bridge.js")));
        }
    }
}

void TestRebatePages::eachCompanySeesItsOwnRows_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("company");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("hidden");

    const auto row = [](const char* file, const char* company, const QStringList& shown, const QStringList& hidden) {
        QTest::addRow("%s %s", file, company) << QString::fromLatin1(file) << QString::fromLatin1(company) << shown
                                              << hidden;
    };
    // Figures and commissions follow the company's rates: 2% of 1.85, 2.05 and 3.2 million (1.5%
    // for the new house), a month's rent of 2600; rebates 10%, 10%, 15% and 20% of those.
    row("trad.html", "10001",
        {QStringLiteral("孙先生 购 金融城时代 写字楼"), QStringLiteral("<b>4</b>"), QStringLiteral("<b>128,600.00</b>"),
         QStringLiteral("<b>15,520.00</b>"), QStringLiteral("<b>7,200.00</b>"), QStringLiteral("2600 元/月"),
         QStringLiteral("185 万元")},
        {QStringLiteral("冯先生")});
    row("trad.html", "30728", {QStringLiteral("冯先生 购 玉林小区 2室1厅1卫"), QStringLiteral("28,750.00"),
                               QStringLiteral("2,300.00")},
        {QStringLiteral("孙先生")});
    row("trad.html", "20002", {QStringLiteral("还没有推介成交的记录"), QStringLiteral("<b>0.00</b>")},
        {QStringLiteral("孙先生"), QStringLiteral("冯先生")});
    row("commission_rate.html", "10001",
        {QStringLiteral("新房分销"), QStringLiteral("成交总价的1.5%"), QStringLiteral("月租金的100%"),
         QStringLiteral("成交总价 100 万元：佣金 20,000.00 元，返佣 2,000.00 元"), QStringLiteral("initRateCalculator")},
        {QStringLiteral("成交总价的2.5%")});
    row("commission_rate.html", "30728", {QStringLiteral("成交总价的2.5%"), QStringLiteral("佣金的8%")},
        {QStringLiteral("新房分销")});
    row("commission_rate.html", "20002", {QStringLiteral("本公司尚未设置返佣比例")}, {QStringLiteral("二手房买卖")});
    row("rebate_user.html", "10001", {QStringLiteral("张晓燕"), QStringLiteral("<b>7</b>"), QStringLiteral("7,800.00")},
        {QStringLiteral("何建")});
    row("rebate_user.html", "30728", {QStringLiteral("何建"), QStringLiteral("罗琳")}, {QStringLiteral("张晓燕")});
    row("rebate_user.html", "20002", {QStringLiteral("还没有注册用户")}, {QStringLiteral("张晓燕"), QStringLiteral("何建")});
    row("rebates_clientwantzg.html", "10001", {QStringLiteral("赵先生"), QStringLiteral("5000元/月以上")},
        {QStringLiteral("冯先生")});
    row("rebates_clientwantzg.html", "30728", {QStringLiteral("冯先生"), QStringLiteral("陈女士")},
        {QStringLiteral("赵先生")});
    row("rebates_clientwantzg.html", "20002", {QStringLiteral("还没有推介的客户")}, {QStringLiteral("赵先生")});
    row("rebates_clinethousetable.html", "10001", {QStringLiteral("锦江城市花园"), QStringLiteral("2800 元/月")},
        {QStringLiteral("谢先生")});
    row("rebates_clinethousetable.html", "30728", {QStringLiteral("谢先生"), QStringLiteral("88 万元")},
        {QStringLiteral("锦江城市花园")});
    row("rebates_clinethousetable.html", "20002", {QStringLiteral("还没有推介的房源")}, {QStringLiteral("谢先生")});
    row("browselogs.html", "10001", {QStringLiteral("天府锦城"), QStringLiteral("安居房抵贷")},
        {QStringLiteral("玉林小区 老三室"), QStringLiteral("解放碑中心")});
    row("browselogs.html", "30728", {QStringLiteral("玉林小区 老三室 生活方便")},
        {QStringLiteral("天府锦城"), QStringLiteral("安居房抵贷")});
    row("browselogs.html", "20002", {QStringLiteral("解放碑中心")}, {QStringLiteral("天府锦城")});
}

void TestRebatePages::eachCompanySeesItsOwnRows()
{
    QFETCH(QString, file);
    QFETCH(QString, company);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, hidden);
    const QString city = company == QLatin1String("20002") ? QStringLiteral("2") : QStringLiteral("1");
    const SitePageCase* page = std::find_if(std::begin(kPages), std::end(kPages),
                                            [&file](const SitePageCase& p) { return file == QLatin1String(p.file); });
    const QString text = html(address(*page, company, city), sessionOf(company));
    for (const QString& piece : shown)
        QVERIFY2(text.contains(piece), qPrintable(piece + QLatin1Char('\n') + text));
    for (const QString& piece : hidden)
        QVERIFY2(!text.contains(piece), qPrintable(piece));
}

void TestRebatePages::encodedQueryValuesAndTheAddressesLogin()
{
    // What the desktop puts in the deal centre's address, each value percent-encoded.
    const QString cityName = QStringLiteral("成都+天府&新区 #1 100% <b>");
    const QString query = QStringLiteral("site/trad.html?companyid=10001&cityid=1&cityname=%1&sessionID=%2&_sn=%3")
                              .arg(encoded(cityName), encoded(m_anju.value(QStringLiteral("sessionid")).toString()),
                                   encoded(m_anju.value(QStringLiteral("token")).toString()));
    const ReferenceService::Reply page = m_service->get(query);
    QCOMPARE(page.httpStatus, 200);
    const QString text = QString::fromUtf8(page.body);
    QVERIFY2(text.contains(QStringLiteral("安居地产 · ") + cityName.toHtmlEscaped()), qPrintable(text));
    QVERIFY(!text.contains(QStringLiteral("100% <b>")));

    // Without a city name the page names the login's city.
    QVERIFY(html(QStringLiteral("site/commission_rate.html?companyid=10001&cityid=1"), m_anju)
                .contains(QStringLiteral("安居地产 · 成都")));

    // A wrong token in the address is no login; the cookie, when there is one, is the login.
    QString wrong = query;
    wrong.replace(encoded(m_anju.value(QStringLiteral("token")).toString()), QStringLiteral("0%26token"));
    QCOMPARE(m_service->get(wrong).httpStatus, 401);
    QCOMPARE(m_service->get(query, cookieOf(m_rongcheng)).httpStatus, 403);
}

void TestRebatePages::visitsCarryTheItemsTheyOpen()
{
    // Every visit of both pages of 安居地产 and of 蓉城房产's page names an item that the desktop
    // opens through the call behind it, of the type the row states.
    const struct
    {
        Headers who;
        QString path;
        int rows;
        bool circle;
    } pages[] = {
        {m_anju, QStringLiteral("site/browselogs.html?companyid=10001"), 20, false},
        {m_anju, QStringLiteral("site/browselogs.html?companyid=10001&page=2"), 16, false},
        {m_rongcheng, QStringLiteral("site/browselogs.html?companyid=30728"), 16, true},
    };
    QMap<int, int> seen;
    for (const auto& page : pages) {
        const QString text = html(page.path, page.who);
        QVERIFY(text.contains(QStringLiteral("<script src=\"desktop_bridge.js\"></script>")));
        QVERIFY(text.contains(QStringLiteral("<script src=\"browse_logs.js\"></script>")));
        const QList<Visit> visits = visitsOf(text);
        QCOMPARE(visits.size(), page.rows);
        for (const Visit& visit : visits) {
            ++seen[visit.type + (page.circle ? 10 : 0)];
            const auto id = piece("id", visit.itemId);
            if (visit.type <= 2 && page.circle) {
                const ReferenceService::Reply house = m_service->call(
                    QStringLiteral("api/app/housegroupdetail"), {id, piece("type", visit.type - 1)}, page.who);
                QCOMPARE(house.data().toObject().value(QStringLiteral("title")).toString(), visit.title);
            } else if (visit.type <= 2) {
                const ReferenceService::Reply house =
                    m_service->call(QStringLiteral("api/app/SyncHousebookDetail"), {id}, page.who);
                QCOMPARE(house.code(), 200);
                QCOMPARE(house.data().toObject().value(QStringLiteral("kind")).toInt(), visit.type - 1);
            } else {
                const bool project = visit.type == 3;
                const ReferenceService::Reply item = m_service->call(
                    project ? QStringLiteral("api/nhouse/detail") : QStringLiteral("api/apptwo/fidetail"), {id}, page.who);
                QCOMPARE(item.data().toObject().value(project ? QStringLiteral("name") : QStringLiteral("title")).toString(),
                         visit.title);
            }
        }
    }
    // Houses for sale and rent, projects and products; the circle's company has houses only.
    QCOMPARE(seen.keys(), (QList<int>{1, 2, 3, 4, 11, 12}));

    // A click posts the row's type as a number and its item id as text.
    const ReferenceService::Reply script = m_service->get(QStringLiteral("site/browse_logs.js"));
    QCOMPARE(script.httpStatus, 200);
    QVERIFY(script.contentType.startsWith("application/javascript"));
    QVERIFY(QString::fromUtf8(script.body).contains(
        QStringLiteral("JSON.stringify({ type: Number(row.dataset.type), itemId: row.dataset.item })")));
    QCOMPARE(m_service->get(QStringLiteral("site/desktop_bridge.js")).httpStatus, 200);
}

void TestRebatePages::visitPagesAndTypes()
{
    const QString base = QStringLiteral("site/browselogs.html?companyid=10001");
    const struct
    {
        QString query;
        int rows;
        int type; // of every row; 0 for a mix
        QString position;
    } cases[] = {
        {QString(), 20, 0, QStringLiteral("第 1 / 2 页，共 36 条")},
        {QStringLiteral("&page=2"), 16, 0, QStringLiteral("第 2 / 2 页，共 36 条")},
        {QStringLiteral("&page=99"), 16, 0, QStringLiteral("第 2 / 2 页，共 36 条")},
        {QStringLiteral("&page=-1&type=abc"), 20, 0, QStringLiteral("第 1 / 2 页，共 36 条")},
        {QStringLiteral("&type=3"), 9, 3, QStringLiteral("第 1 / 1 页，共 9 条")},
        {QStringLiteral("&type=2&page=%32"), 9, 2, QStringLiteral("第 1 / 1 页，共 9 条")},
    };
    for (const auto& c : cases) {
        const QString text = html(base + c.query, m_anju);
        const QList<Visit> visits = visitsOf(text);
        QCOMPARE(visits.size(), c.rows);
        QVERIFY2(text.contains(c.position), qPrintable(c.query));
        for (const Visit& visit : visits)
            QVERIFY(c.type == 0 || visit.type == c.type);
    }
    // The page's own links keep to the login's company.
    QVERIFY(html(base, m_anju).contains(QStringLiteral("href=\"browselogs.html?companyid=10001&amp;type=0&amp;page=2\"")));
}

void TestRebatePages::guidePagesNeedNoLogin()
{
    const struct
    {
        QString path;
        QString says;
    } pages[] = {
        {QStringLiteral("site/ap/instruction/3274.html"), QStringLiteral("<h1>认证小程序</h1>")},
        {QStringLiteral("site/Wechat/startAuth"), QStringLiteral("这是演示环境中的替代页面")},
    };
    for (const auto& page : pages) {
        const ReferenceService::Reply reply = m_service->get(page.path);
        QCOMPARE(reply.httpStatus, 200);
        QVERIFY(reply.contentType.startsWith("text/html"));
        const QString text = QString::fromUtf8(reply.body);
        QVERIFY2(text.contains(page.says), qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("安居地产")));
    }
}

QTEST_GUILESS_MAIN(TestRebatePages)
#include "tst_rebatepages.moc"
