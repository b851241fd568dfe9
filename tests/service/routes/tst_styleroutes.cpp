#include "support/service/DemoSessions.h"
#include "support/service/ReferenceService.h"
#include "support/service/TestImages.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopedPointer>
#include <QTest>

namespace {

using Headers = ReferenceService::Headers;
using Pieces = ReferenceService::Pieces;

const QString kStyle = QStringLiteral("api/mtore/getmstorestyleconfig");
const QString kSettings = QStringLiteral("api/mtore/mstoreconfig");
const QString kAdd = QStringLiteral("api/mtore/customappadd");
const QString kModify = QStringLiteral("api/mtore/CustomAppmodify");
const QString kDelete = QStringLiteral("api/mtore/customappdelete");
const QString kTiles = QStringLiteral("api/mtore/appposts");
const QString kTopIcons = QStringLiteral("site/setwmenu");
const QString kNoRight = QStringLiteral("您当前没有权利操作，请联系管理员！");
const QString kMissingApp = QStringLiteral("该应用不存在或已被删除");
const QString kBadContent = QStringLiteral("应用内容格式错误");
const QString kBadIcons = QStringLiteral("首页图标格式错误");
const int kAgentJob = 2; // the staff member's job role
const int kSeededText = 1001;  // 安居地产's "看房团", a text
const int kSeededHouses = 1002; // 安居地产's "学区房", a house search

// 安居地产 in 成都.
const Pieces kOwner = {piece("companyid", QStringLiteral("10001")), piece("cityid", QStringLiteral("1"))};

// What a user may type and a careless form body or JSON builder would break.
const QString kAwkward = QStringLiteral("A&B=C+D 100% \"引号\" '单引号' %26 #1\n第二行");
const QString kPicture = QStringLiteral("https://img.example.com/a.png?x=1&y=%E4%B8%AD");

Pieces operator+(const Pieces& a, const QPair<QString, QString>& b)
{
    Pieces pieces = a;
    pieces.append(b);
    return pieces;
}

QString compact(const QJsonValue& value)
{
    const QJsonDocument document = value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    return QString::fromUtf8(document.toJson(QJsonDocument::Compact));
}

QString picturesContent(const QStringList& addresses)
{
    QJsonArray pictures;
    for (int i = 0; i < addresses.size(); ++i)
        pictures.append(QJsonObject{{QStringLiteral("photo"), addresses.at(i)}, {QStringLiteral("sort"), i}});
    return compact(pictures);
}

QString housesContent(const QJsonValue& houseType, const QJsonValue& districts)
{
    return compact(QJsonObject{{QStringLiteral("type"), 2},
                               {QStringLiteral("housetype"), houseType},
                               {QStringLiteral("districts"), districts}});
}

Pieces appForm(const QString& name, const QString& photo, const QString& content)
{
    return {piece("name", name), piece("photo", photo), piece("content", content)};
}

QJsonObject topIcon(const QString& url, const QString& houseType, const QString& districts)
{
    return QJsonObject{{QStringLiteral("url"), url},
                       {QStringLiteral("housetype"), houseType},
                       {QStringLiteral("districts"), districts}};
}

QJsonObject byKey(const QJsonArray& rows, const char* key, qint64 id)
{
    for (const QJsonValue& row : rows) {
        if (row.toObject().value(QLatin1String(key)).toInt() == id)
            return row.toObject();
    }
    return {};
}

} // namespace

class TestStyleRoutes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void needsSession();
    void seededStyleIsTheMainPagesTiles();
    void seededTopIconsWithServedPictures();
    void settings_data();
    void settings();
    void customAppRoundTrip_data();
    void customAppRoundTrip();
    void customAppRefused_data();
    void customAppRefused();
    void tenCustomAppsAtMost();
    void systemApps();
    void topIconsRoundTrip();
    void topIconsRefused_data();
    void topIconsRefused();
    void managersOnly();
    void otherCompanySeesAndTouchesNothing();

private:
    QJsonObject styleOf(const Headers& who) const { return m_service->call(kStyle, {}, who).data().toObject(); }
    QJsonArray appsOf(const Headers& who) const { return styleOf(who).value(QStringLiteral("app")).toArray(); }
    QJsonObject appOf(const Headers& who, qint64 id) const { return byKey(appsOf(who), "id", id); }
    QJsonArray tilesOf(const Headers& who) const { return m_service->call(kTiles, {}, who).data().toArray(); }
    QJsonArray topIconsOf(const Headers& who, const Pieces& owner = kOwner) const
    {
        return m_service->call(kTopIcons, owner, who).data().toArray();
    }
    qint64 add(const Pieces& form) const
    {
        return m_service->call(kAdd, form, m_manager).data().toObject().value(QStringLiteral("id")).toInt();
    }

    QScopedPointer<ReferenceService> m_service;
    QString m_uploaded; // a picture uploaded to the service
    Headers m_manager;   // 安居地产's manager
    Headers m_staff;     // 安居地产's agent, job role 2
    Headers m_chongqing; // 山城置业's manager
};

void TestStyleRoutes::initTestCase()
{
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    const DemoSessions demo = DemoSessions::login(*m_service);
    QVERIFY(demo.complete());
    m_manager = demo.manager;
    m_staff = demo.staff;
    m_chongqing = demo.chongqing;
    const QByteArray icon = TestImages::encode(TestImages::filled(QSize(132, 132), Qt::darkCyan), "PNG");
    const ReferenceService::Reply uploaded =
        m_service->upload(QStringLiteral("api/app/upphoto"), {{QStringLiteral("type"), QStringLiteral("11")}},
                          QStringLiteral("file"), QStringLiteral("图标.png"), icon, m_manager);
    QCOMPARE(uploaded.code(), 200);
    m_uploaded = uploaded.message();
    QVERIFY(m_uploaded.startsWith(m_service->baseUrl()));
}

void TestStyleRoutes::cleanupTestCase()
{
    QCOMPARE(m_service->stop(), 0);
}

void TestStyleRoutes::needsSession()
{
    for (const QString& path : {kStyle, kSettings, kAdd, kModify, kDelete, kTopIcons})
        QCOMPARE(m_service->call(path, kOwner + piece("id", kSeededText), {}).code(), 400);
}

void TestStyleRoutes::seededStyleIsTheMainPagesTiles()
{
    const ReferenceService::Reply reply = m_service->call(kStyle, {}, m_manager);
    QCOMPARE(reply.code(), 200);
    const QJsonObject style = reply.data().toObject();
    QCOMPARE(style.value(QStringLiteral("zhuti")).toInt(), 5);
    QCOMPARE(style.value(QStringLiteral("dibu")).toInt(), 2);

    // The same records in the same order; only the desktop's link to the site is no app of it.
    QJsonArray expected;
    for (const QJsonValue& value : tilesOf(m_manager)) {
        const QJsonObject tile = value.toObject();
        if (tile.value(QStringLiteral("itemid")).toInt() == -3)
            continue;
        expected.append(QJsonObject{{QStringLiteral("id"), tile.value(QStringLiteral("itemid"))},
                                    {QStringLiteral("type"), tile.value(QStringLiteral("type"))},
                                    {QStringLiteral("title"), tile.value(QStringLiteral("title"))},
                                    {QStringLiteral("url"), tile.value(QStringLiteral("photo"))},
                                    {QStringLiteral("sort"), tile.value(QStringLiteral("sort"))},
                                    {QStringLiteral("content"), tile.value(QStringLiteral("content"))}});
    }
    QCOMPARE(style.value(QStringLiteral("app")).toArray(), expected);
    QCOMPARE(expected.size(), 15);

    const QJsonObject system = appOf(m_manager, 2);
    QCOMPARE(system.value(QStringLiteral("type")).toInt(), 0);
    QCOMPARE(system.value(QStringLiteral("title")).toString(), QStringLiteral("二手房"));
    QCOMPARE(system.value(QStringLiteral("url")).toString(), QString());
    const QJsonObject text = appOf(m_manager, kSeededText);
    QCOMPARE(text.value(QStringLiteral("type")).toInt(), 1);
    QVERIFY(text.value(QStringLiteral("url")).toString().startsWith(m_service->baseUrl() + QStringLiteral("files/")));
    const QJsonObject search =
        QJsonDocument::fromJson(appOf(m_manager, kSeededHouses).value(QStringLiteral("content")).toString().toUtf8())
            .object();
    QCOMPARE(search.value(QStringLiteral("type")).toInt(), 2);
    QCOMPARE(search.value(QStringLiteral("housetype")).toString(), QStringLiteral("二手房"));

    // A company that never chose keeps the first colour and bar.
    const QJsonObject rongcheng = styleOf(m_service->login(QStringLiteral("13700000000")));
    QCOMPARE(rongcheng.value(QStringLiteral("zhuti")).toInt(), 1);
    QCOMPARE(rongcheng.value(QStringLiteral("dibu")).toInt(), 1);
    QVERIFY(!rongcheng.value(QStringLiteral("app")).toArray().isEmpty());
}

void TestStyleRoutes::seededTopIconsWithServedPictures()
{
    const ReferenceService::Reply reply = m_service->call(kTopIcons, kOwner, m_manager);
    QCOMPARE(reply.code(), 200);
    const QJsonArray icons = reply.data().toArray();
    QCOMPARE(icons.size(), 3);
    QStringList houseTypes;
    for (const QJsonValue& value : icons) {
        const QJsonObject icon = value.toObject();
        QCOMPARE(icon.keys(), QStringList({QStringLiteral("districts"), QStringLiteral("housetype"), QStringLiteral("url")}));
        houseTypes << icon.value(QStringLiteral("housetype")).toString();
        const ReferenceService::Reply picture = m_service->get(icon.value(QStringLiteral("url")).toString());
        QCOMPARE(picture.httpStatus, 200);
        QCOMPARE(picture.contentType, QByteArrayLiteral("image/png"));
        QCOMPARE(QImage::fromData(picture.body).size(), QSize(109, 92));
    }
    QCOMPARE(houseTypes, QStringList({QStringLiteral("二手房"), QStringLiteral("租房"), QStringLiteral("新房")}));
    QCOMPARE(icons.at(0).toObject().value(QStringLiteral("districts")).toString(), QString());
    QCOMPARE(icons.at(1).toObject().value(QStringLiteral("districts")).toString(), QStringLiteral("锦江区"));
    // 蓉城房产 searches by quarter id.
    const Headers rongcheng = m_service->login(QStringLiteral("13700000000"));
    const QJsonArray quarters =
        topIconsOf(rongcheng, {piece("companyid", QStringLiteral("30728")), piece("cityid", QStringLiteral("1"))});
    QCOMPARE(quarters.at(1).toObject().value(QStringLiteral("districts")).toString(), QStringLiteral("10102"));
}

void TestStyleRoutes::settings_data()
{
    QTest::addColumn<Pieces>("form");
    QTest::addColumn<QString>("message"); // empty: saved
    QTest::addColumn<int>("zhuti");
    QTest::addColumn<int>("dibu");

    QTest::newRow("zhuti 1") << Pieces{piece("zhuti", 1)} << QString() << 1 << 2;
    QTest::newRow("zhuti 6") << Pieces{piece("zhuti", 6)} << QString() << 6 << 2;
    QTest::newRow("dibu 1") << Pieces{piece("dibu", 1)} << QString() << 5 << 1;
    QTest::newRow("dibu 5") << Pieces{piece("dibu", 5)} << QString() << 5 << 5;
    QTest::newRow("both, with the owner") << kOwner + piece("zhuti", 3) + piece("dibu", 4) << QString() << 3 << 4;
    const QString zhutiRange = QStringLiteral("参数超出范围：主题颜色");
    const QString dibuRange = QStringLiteral("参数超出范围：底部导航样式");
    QTest::newRow("zhuti 0") << Pieces{piece("zhuti", 0)} << zhutiRange << 5 << 2;
    QTest::newRow("zhuti 7") << Pieces{piece("zhuti", 7)} << zhutiRange << 5 << 2;
    QTest::newRow("dibu 0") << Pieces{piece("dibu", 0)} << dibuRange << 5 << 2;
    QTest::newRow("dibu 6") << Pieces{piece("dibu", 6)} << dibuRange << 5 << 2;
    QTest::newRow("zhuti red") << Pieces{piece("zhuti", QStringLiteral("红色"))}
                               << QStringLiteral("参数格式错误：主题颜色") << 5 << 2;
    QTest::newRow("zhuti empty") << Pieces{piece("zhuti", QString())} << QStringLiteral("缺少参数：主题颜色") << 5 << 2;
    // Nothing is saved when one value is bad.
    QTest::newRow("good zhuti, bad dibu") << Pieces{piece("zhuti", 2), piece("dibu", 9)} << dibuRange << 5 << 2;
    QTest::newRow("unknown key") << Pieces{piece("zhuti", 2), piece("yanse", 2)}
                                 << QStringLiteral("不支持的设置项：yanse") << 5 << 2;
    QTest::newRow("nothing") << Pieces{} << QStringLiteral("缺少参数：设置项") << 5 << 2;
}

void TestStyleRoutes::settings()
{
    QFETCH(Pieces, form);
    QFETCH(QString, message);
    QFETCH(int, zhuti);
    QFETCH(int, dibu);
    const Pieces seeded = {piece("zhuti", 5), piece("dibu", 2)};
    QCOMPARE(m_service->call(kSettings, seeded, m_manager).code(), 200);

    const ReferenceService::Reply reply = m_service->call(kSettings, form, m_manager);
    QCOMPARE(reply.code(), message.isEmpty() ? 200 : 405);
    QCOMPARE(reply.message(), message.isEmpty() ? QStringLiteral("设置成功") : message);
    const QJsonObject style = styleOf(m_manager);
    QCOMPARE(style.value(QStringLiteral("zhuti")).toInt(), zhuti);
    QCOMPARE(style.value(QStringLiteral("dibu")).toInt(), dibu);
    QCOMPARE(m_service->call(kSettings, seeded, m_manager).code(), 200);
}

void TestStyleRoutes::customAppRoundTrip_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("content");

    QTest::newRow("text") << QStringLiteral("看房&团") << kAwkward;
    // A text that only looks like JSON stays a text.
    QTest::newRow("text in braces") << QStringLiteral("说明") << QStringLiteral("{\"a\": \"b & c\"}");
    QTest::newRow("pictures") << QStringLiteral("实景") << picturesContent({kPicture, QStringLiteral("http://127.0.0.1:1/files/b.jpg")});
    // Stored as sent, blanks and order of keys included.
    QTest::newRow("pictures, loosely written")
        << QStringLiteral("图集") << QStringLiteral("[ {\"sort\": 0, \"photo\": \"%1\"} ]").arg(kPicture);
    QTest::newRow("houses") << QStringLiteral("学区 房")
                            << housesContent(QStringLiteral("二手房 \"精装\" & 满五"), QStringLiteral("锦江区"));
    QTest::newRow("houses, all districts") << QStringLiteral("租房")
                                           << housesContent(QStringLiteral("租房"), QString());
}

void TestStyleRoutes::customAppRoundTrip()
{
    QFETCH(QString, name);
    QFETCH(QString, content);
    const int tilesBefore = tilesOf(m_manager).size();

    const ReferenceService::Reply added = m_service->call(kAdd, appForm(name, m_uploaded, content), m_manager);
    QCOMPARE(added.code(), 200);
    QCOMPARE(added.message(), QStringLiteral("添加成功"));
    const qint64 id = added.data().toObject().value(QStringLiteral("id")).toInt();
    QVERIFY(id > 1002);
    const QJsonObject app = appOf(m_manager, id);
    QCOMPARE(app, added.data().toObject());
    QCOMPARE(app.value(QStringLiteral("type")).toInt(), 1);
    QCOMPARE(app.value(QStringLiteral("title")).toString(), name);
    QCOMPARE(app.value(QStringLiteral("url")).toString(), m_uploaded);
    QCOMPARE(app.value(QStringLiteral("content")).toString(), content);
    // Last on the style page and the main page alike.
    QCOMPARE(appsOf(m_manager).last().toObject(), app);
    QCOMPARE(appOf(m_staff, id), app);

    // The main page's tiles follow.
    const QJsonArray tiles = tilesOf(m_manager);
    QCOMPARE(tiles.size(), tilesBefore + 1);
    const QJsonObject tile = byKey(tiles, "itemid", id);
    QCOMPARE(tile.value(QStringLiteral("type")).toInt(), 1);
    QCOMPARE(tile.value(QStringLiteral("title")).toString(), name);
    QCOMPARE(tile.value(QStringLiteral("photo")).toString(), m_uploaded);
    QCOMPARE(tile.value(QStringLiteral("content")).toString(), content);

    // Changed to another kind of content, and back.
    const QString text = QStringLiteral("改成文字 & \"引号\"");
    const ReferenceService::Reply modified =
        m_service->call(kModify, appForm(QStringLiteral("改名"), kPicture, text) + piece("id", id), m_manager);
    QCOMPARE(modified.code(), 200);
    QCOMPARE(modified.data().toObject(), appOf(m_manager, id));
    QCOMPARE(appOf(m_manager, id).value(QStringLiteral("content")).toString(), text);
    QCOMPARE(appOf(m_manager, id).value(QStringLiteral("sort")), app.value(QStringLiteral("sort")));
    QCOMPARE(byKey(tilesOf(m_manager), "itemid", id).value(QStringLiteral("title")).toString(), QStringLiteral("改名"));
    QCOMPARE(m_service->call(kModify, appForm(name, m_uploaded, content) + piece("id", id), m_manager).code(), 200);
    QCOMPARE(appOf(m_manager, id), app);

    const ReferenceService::Reply removed = m_service->call(kDelete, {piece("id", id)}, m_manager);
    QCOMPARE(removed.code(), 200);
    QVERIFY(appOf(m_manager, id).isEmpty());
    QVERIFY(byKey(tilesOf(m_manager), "itemid", id).isEmpty());
    QCOMPARE(m_service->call(kDelete, {piece("id", id)}, m_manager).message(), kMissingApp);
    QCOMPARE(m_service->call(kModify, appForm(name, m_uploaded, content) + piece("id", id), m_manager).message(),
             kMissingApp);
}

void TestStyleRoutes::customAppRefused_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<Pieces>("form");
    QTest::addColumn<QString>("message");

    const QString a = QStringLiteral("http://127.0.0.1:1/files/a.jpg");
    const QString text = QStringLiteral("内容");
    const QList<QPair<QString, QPair<Pieces, QString>>> cases = {
        {QStringLiteral("five characters"), {appForm(QStringLiteral("看房团啊啊"), a, text), QStringLiteral("应用名称长度应小于等于4位！")}},
        {QStringLiteral("no name"), {appForm(QString(), a, text), QStringLiteral("缺少参数：应用名称")}},
        {QStringLiteral("name of blanks"), {appForm(QStringLiteral("  "), a, text), QStringLiteral("缺少参数：应用名称")}},
        {QStringLiteral("no icon"), {appForm(QStringLiteral("名"), QString(), text), QStringLiteral("请选择应用图标！")}},
        {QStringLiteral("script icon"), {appForm(QStringLiteral("名"), QStringLiteral("javascript:alert(1)"), text),
                                         QStringLiteral("应用图标的地址无效")}},
        {QStringLiteral("no content"), {appForm(QStringLiteral("名"), a, QString()), QStringLiteral("缺少参数：应用内容")}},
        {QStringLiteral("text of blanks"), {appForm(QStringLiteral("名"), a, QStringLiteral(" \n ")),
                                            QStringLiteral("缺少参数：应用内容")}},
        // The content is checked first, as the editor does.
        {QStringLiteral("no picture and no name"), {appForm(QString(), a, QStringLiteral("[]")), QStringLiteral("请至少选择一张图片")}},
        {QStringLiteral("failed upload"), {appForm(QStringLiteral("名"), a, picturesContent({a, QString()})),
                                           QStringLiteral("第2张图片没有地址，请重新上传")}},
        {QStringLiteral("picture without host"), {appForm(QStringLiteral("名"), a, picturesContent({QStringLiteral("http:///x.jpg")})),
                                                  QStringLiteral("第1张图片的地址无效")}},
        {QStringLiteral("picture of a file"), {appForm(QStringLiteral("名"), a, picturesContent({a, QStringLiteral("file:///etc/passwd")})),
                                               QStringLiteral("第2张图片的地址无效")}},
        {QStringLiteral("picture as a bare text"), {appForm(QStringLiteral("名"), a, QStringLiteral("[\"%1\"]").arg(a)), kBadContent}},
        {QStringLiteral("sort not a number"),
         {appForm(QStringLiteral("名"), a, QStringLiteral("[{\"photo\":\"%1\",\"sort\":\"1\"}]").arg(a)), kBadContent}},
        {QStringLiteral("sort a fraction"),
         {appForm(QStringLiteral("名"), a, QStringLiteral("[{\"photo\":\"%1\",\"sort\":0.5}]").arg(a)), kBadContent}},
        {QStringLiteral("numbers for pictures"), {appForm(QStringLiteral("名"), a, QStringLiteral("[1,2]")), kBadContent}},
        {QStringLiteral("houses without type"), {appForm(QStringLiteral("名"), a, housesContent(QString(), QStringLiteral("锦江区"))),
                                                 QStringLiteral("请选择房屋类型")}},
        {QStringLiteral("houses, district a number"), {appForm(QStringLiteral("名"), a, housesContent(QStringLiteral("二手房"), 10102)),
                                                       kBadContent}},
        {QStringLiteral("houses without district"),
         {appForm(QStringLiteral("名"), a, QStringLiteral("{\"type\":2,\"housetype\":\"二手房\"}")), kBadContent}},
        {QStringLiteral("text too long"), {appForm(QStringLiteral("名"), a, QString(20001, QLatin1Char('x'))),
                                           QStringLiteral("应用内容过长，最多20000个字符")}},
    };
    for (const auto& c : cases) {
        QTest::addRow("add, %s", qPrintable(c.first)) << kAdd << c.second.first << c.second.second;
        QTest::addRow("modify, %s", qPrintable(c.first)) << kModify << c.second.first + piece("id", kSeededText)
                                                        << c.second.second;
    }

    const Pieces good = appForm(QStringLiteral("名"), a, text);
    QTest::newRow("modify without id") << kModify << good << QStringLiteral("缺少参数：应用编号");
    QTest::newRow("modify, id not a number") << kModify << good + piece("id", QStringLiteral("1x"))
                                             << QStringLiteral("参数格式错误：应用编号");
    // The desktop's own tiles are no apps of the site.
    QTest::newRow("modify the link to the site") << kModify << good + piece("id", -3)
                                                 << QStringLiteral("参数超出范围：应用编号");
    QTest::newRow("modify, unknown id") << kModify << good + piece("id", 987654) << kMissingApp;
    QTest::newRow("delete without id") << kDelete << Pieces{} << QStringLiteral("缺少参数：应用编号");
    QTest::newRow("delete, unknown id") << kDelete << Pieces{piece("id", 987654)} << kMissingApp;
    QTest::newRow("delete a system app") << kDelete << Pieces{piece("id", 2)} << QStringLiteral("系统应用不能删除");
}

void TestStyleRoutes::customAppRefused()
{
    QFETCH(QString, path);
    QFETCH(Pieces, form);
    QFETCH(QString, message);
    const QJsonArray apps = appsOf(m_manager);
    const QJsonArray tiles = tilesOf(m_manager);
    const ReferenceService::Reply reply = m_service->call(path, form, m_manager);
    QCOMPARE(reply.code(), 405);
    QCOMPARE(reply.message(), message);
    QCOMPARE(appsOf(m_manager), apps);
    QCOMPARE(tilesOf(m_manager), tiles);
}

void TestStyleRoutes::tenCustomAppsAtMost()
{
    int custom = 0;
    for (const QJsonValue& app : appsOf(m_manager))
        custom += app.toObject().value(QStringLiteral("type")).toInt() == 1 ? 1 : 0;
    QCOMPARE(custom, 2);
    QList<qint64> added;
    for (int i = custom; i < 10; ++i) {
        added << add(appForm(QStringLiteral("应用%1").arg(i), m_uploaded, QStringLiteral("第%1个").arg(i)));
        QVERIFY(added.last() > 0);
    }
    const Pieces eleventh = appForm(QStringLiteral("多一个"), m_uploaded, QStringLiteral("内容"));
    const ReferenceService::Reply refused = m_service->call(kAdd, eleventh, m_manager);
    QCOMPARE(refused.code(), 405);
    QCOMPARE(refused.message(), QStringLiteral("最多只能添加10个自定义应用"));
    QCOMPARE(appsOf(m_manager).size(), 15 + 8);
    // Other companies count their own.
    const ReferenceService::Reply theirs = m_service->call(kAdd, eleventh, m_chongqing);
    QCOMPARE(theirs.code(), 200);
    QCOMPARE(m_service->call(kDelete, {piece("id", theirs.data().toObject().value(QStringLiteral("id")).toInt())},
                             m_chongqing).code(),
             200);

    // A freed place can be taken again, and a deleted app's id is never handed out twice.
    const qint64 last = added.takeLast();
    QCOMPARE(m_service->call(kDelete, {piece("id", last)}, m_manager).code(), 200);
    const qint64 again = add(eleventh);
    QVERIFY(again > last);
    added << again;
    for (qint64 id : added)
        QCOMPARE(m_service->call(kDelete, {piece("id", id)}, m_manager).code(), 200);
    QCOMPARE(appsOf(m_manager).size(), 15);
}

void TestStyleRoutes::systemApps()
{
    const QJsonObject before = appOf(m_manager, 2);
    const ReferenceService::Reply renamed =
        m_service->call(kModify, {piece("id", 2), piece("name", QStringLiteral("二手&房")), piece("photo", m_uploaded)},
                        m_manager);
    QCOMPARE(renamed.code(), 200);
    QJsonObject expected = before;
    expected.insert(QStringLiteral("title"), QStringLiteral("二手&房"));
    expected.insert(QStringLiteral("url"), m_uploaded);
    QCOMPARE(renamed.data().toObject(), expected);
    QCOMPARE(appOf(m_manager, 2), expected);
    const QJsonObject tile = byKey(tilesOf(m_manager), "itemid", 2);
    QCOMPARE(tile.value(QStringLiteral("title")).toString(), QStringLiteral("二手&房"));
    QCOMPARE(tile.value(QStringLiteral("photo")).toString(), m_uploaded);

    // What a system app does is not the company's to change.
    const ReferenceService::Reply content = m_service->call(
        kModify, appForm(QStringLiteral("二手房"), m_uploaded, QStringLiteral("别的")) + piece("id", 2), m_manager);
    QCOMPARE(content.message(), QStringLiteral("系统应用只能修改图标和名称"));
    QCOMPARE(m_service->call(kModify, {piece("id", 2), piece("name", QStringLiteral("二手房源啊"))}, m_manager).message(),
             QStringLiteral("应用名称长度应小于等于4位！"));
    QCOMPARE(m_service->call(kModify, {piece("id", 2), piece("name", QStringLiteral("二手")),
                                       piece("photo", QStringLiteral("ftp://x.cn/a.png"))},
                             m_manager)
                 .message(),
             QStringLiteral("应用图标的地址无效"));
    QCOMPARE(appOf(m_manager, 2), expected);

    // Without an icon of its own it shows its built-in one again.
    QCOMPARE(m_service->call(kModify, {piece("id", 2), piece("name", QStringLiteral("二手房")), piece("photo", QString())},
                             m_manager)
                 .code(),
             200);
    QCOMPARE(appOf(m_manager, 2), before);
}

void TestStyleRoutes::topIconsRoundTrip()
{
    const QJsonArray seeded = topIconsOf(m_manager);
    QJsonObject extra = topIcon(kPicture, QStringLiteral("新房"), kAwkward);
    extra.insert(QStringLiteral("note"), QStringLiteral("kept"));
    const QJsonArray icons = {topIcon(m_uploaded, QStringLiteral("租房 & \"整租\""), QString()),
                              seeded.at(0).toObject(), extra};
    const ReferenceService::Reply saved =
        m_service->call(kTopIcons, kOwner + piece("content", compact(icons)), m_manager);
    QCOMPARE(saved.code(), 200);
    QCOMPARE(saved.data().toArray(), icons);
    QCOMPARE(topIconsOf(m_manager), icons);
    QCOMPARE(topIconsOf(m_staff), icons);
    // The city is checked, not used: the order of the pieces does not matter either.
    QCOMPARE(m_service->call(kTopIcons, {piece("cityid", QStringLiteral("1")), piece("companyid", QStringLiteral("10001"))},
                             m_manager)
                 .data()
                 .toArray(),
             icons);
    QCOMPARE(m_service->call(kTopIcons, kOwner + piece("content", compact(seeded)), m_manager).code(), 200);
    QCOMPARE(topIconsOf(m_manager), seeded);
}

void TestStyleRoutes::topIconsRefused_data()
{
    QTest::addColumn<Pieces>("form");
    QTest::addColumn<QString>("message");

    const QString a = QStringLiteral("http://127.0.0.1:1/files/a.png");
    const QJsonObject good = topIcon(a, QStringLiteral("二手房"), QString());
    const auto content = [](const QJsonArray& icons) { return kOwner + piece("content", compact(icons)); };
    QJsonObject noDistricts = good;
    noDistricts.remove(QStringLiteral("districts"));

    QTest::newRow("two icons") << content({good, good}) << QStringLiteral("首页图标应为3个");
    QTest::newRow("four icons") << content({good, good, good, good}) << QStringLiteral("首页图标应为3个");
    QTest::newRow("empty content") << kOwner + piece("content", QString()) << QStringLiteral("缺少参数：首页图标");
    QTest::newRow("not JSON") << kOwner + piece("content", QStringLiteral("[{\"url\":")) << kBadIcons;
    QTest::newRow("an object") << kOwner + piece("content", compact(good)) << kBadIcons;
    QTest::newRow("a text among them") << content({good, QStringLiteral("x"), good}) << kBadIcons;
    QTest::newRow("no districts") << content({good, good, noDistricts}) << kBadIcons;
    QTest::newRow("failed upload") << content({good, topIcon(QString(), QStringLiteral("租房"), QString()), good})
                                   << QStringLiteral("第2个图标没有地址，请重新上传");
    QTest::newRow("script address") << content({topIcon(QStringLiteral("javascript:alert(1)"), QStringLiteral("租房"), QString()),
                                                good, good})
                                    << QStringLiteral("第1个图标的地址无效");
    QTest::newRow("no house type") << content({good, good, topIcon(a, QStringLiteral(" "), QString())})
                                   << QStringLiteral("第3个图标缺少房屋类型");
    const Pieces three = {piece("content", compact(QJsonArray{good, good, good}))};
    QTest::newRow("no company") << three + piece("cityid", QStringLiteral("1")) << QStringLiteral("缺少参数：公司编号");
    QTest::newRow("no city") << three + piece("companyid", QStringLiteral("10001")) << QStringLiteral("缺少参数：城市编号");
    QTest::newRow("another company") << three + piece("companyid", QStringLiteral("30728")) + piece("cityid", QStringLiteral("1"))
                                     << QStringLiteral("无权访问其他公司的数据");
    QTest::newRow("read, another city") << Pieces{piece("companyid", QStringLiteral("10001")), piece("cityid", QStringLiteral("2"))}
                                        << QStringLiteral("无权访问其他城市的数据");
    QTest::newRow("read, no city") << Pieces{piece("companyid", QStringLiteral("10001"))}
                                   << QStringLiteral("缺少参数：城市编号");
}

void TestStyleRoutes::topIconsRefused()
{
    QFETCH(Pieces, form);
    QFETCH(QString, message);
    const QJsonArray icons = topIconsOf(m_manager);
    const ReferenceService::Reply reply = m_service->call(kTopIcons, form, m_manager);
    QCOMPARE(reply.code(), 405);
    QCOMPARE(reply.message(), message);
    QCOMPARE(topIconsOf(m_manager), icons);
}

void TestStyleRoutes::managersOnly()
{
    const QJsonObject style = styleOf(m_manager);
    const QJsonArray icons = topIconsOf(m_manager);
    // Reading is for everyone of the company.
    QCOMPARE(styleOf(m_staff), style);
    QCOMPARE(topIconsOf(m_staff), icons);

    // No right of a job role opens the site's settings: only a manager.
    QVERIFY(m_service->selectJobRights(kAgentJob, {65, 66, 67, 68, 69, 70, 71, 72, 73, 80, 81, 82, 83, 93, 97, 98, 148, 156}));
    const QList<QPair<QString, Pieces>> writes = {
        {kSettings, {piece("zhuti", 2)}},
        {kAdd, appForm(QStringLiteral("员工"), m_uploaded, QStringLiteral("内容"))},
        {kModify, appForm(QStringLiteral("员工"), m_uploaded, QStringLiteral("内容")) + piece("id", kSeededText)},
        {kModify, {piece("id", 2), piece("name", QStringLiteral("员工"))}},
        {kDelete, {piece("id", kSeededText)}},
        // Refused before the parameters are read: a malformed request learns nothing more.
        {kDelete, {}},
        {kTopIcons, kOwner + piece("content", compact(icons))},
    };
    for (const auto& write : writes) {
        const ReferenceService::Reply reply = m_service->call(write.first, write.second, m_staff);
        QCOMPARE(reply.code(), 405);
        QCOMPARE(reply.message(), kNoRight);
    }
    QVERIFY(m_service->selectJobRights(kAgentJob, {65, 148}));
    QCOMPARE(styleOf(m_manager), style);
    QCOMPARE(topIconsOf(m_manager), icons);
}

void TestStyleRoutes::otherCompanySeesAndTouchesNothing()
{
    const QJsonObject ours = styleOf(m_manager);
    const QJsonArray ourIcons = topIconsOf(m_manager);
    const QJsonObject theirs = styleOf(m_chongqing);
    QVERIFY(!theirs.value(QStringLiteral("app")).toArray().isEmpty());
    QVERIFY(theirs != ours);

    // 学区房 is ours; 山城置业 has an app 1001 of its own, and only that one changes.
    const Pieces form = appForm(QStringLiteral("山城"), m_uploaded, QStringLiteral("山城的"));
    QCOMPARE(m_service->call(kModify, form + piece("id", kSeededHouses), m_chongqing).message(), kMissingApp);
    QCOMPARE(m_service->call(kDelete, {piece("id", kSeededHouses)}, m_chongqing).message(), kMissingApp);
    QCOMPARE(m_service->call(kModify, form + piece("id", kSeededText), m_chongqing).code(), 200);
    QCOMPARE(byKey(styleOf(m_chongqing).value(QStringLiteral("app")).toArray(), "id", kSeededText)
                 .value(QStringLiteral("title"))
                 .toString(),
             QStringLiteral("山城"));
    QCOMPARE(m_service->call(kSettings, {piece("zhuti", 6), piece("dibu", 5)}, m_chongqing).code(), 200);
    const Pieces theirOwner = {piece("companyid", QStringLiteral("20002")), piece("cityid", QStringLiteral("2"))};
    QCOMPARE(m_service->call(kTopIcons, theirOwner + piece("content", compact(QJsonArray{ourIcons.at(2), ourIcons.at(1), ourIcons.at(0)})),
                             m_chongqing)
                 .code(),
             200);
    QCOMPARE(topIconsOf(m_chongqing, theirOwner).first(), ourIcons.at(2));

    QCOMPARE(styleOf(m_manager), ours);
    QCOMPARE(topIconsOf(m_manager), ourIcons);
    // Naming another company does not reach it either.
    QCOMPARE(m_service->call(kTopIcons, kOwner, m_chongqing).message(), QStringLiteral("无权访问其他公司的数据"));
    QCOMPARE(m_service->call(kStyle, {piece("companyid", QStringLiteral("10001"))}, m_chongqing).code(), 405);
}

QTEST_GUILESS_MAIN(TestStyleRoutes)
#include "tst_styleroutes.moc"
