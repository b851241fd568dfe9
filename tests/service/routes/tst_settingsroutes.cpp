#include "support/service/ReferenceService.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopedPointer>
#include <QTest>

namespace {

using Headers = ReferenceService::Headers;
using Pieces = ReferenceService::Pieces;

const QString kRead = QStringLiteral("api/mtore/getmstoreconfig");
const QString kSave = QStringLiteral("api/mtore/mstoreconfig");
const QString kStyle = QStringLiteral("api/mtore/getmstorestyleconfig");
const QString kNoRight = QStringLiteral("您当前没有权利操作，请联系管理员！");
const int kAgentJob = 2; // the staff member's job role

const QStringList kNumberKeys = {QStringLiteral("shenhe"), QStringLiteral("pushStyle"), QStringLiteral("moshi"),
                                 QStringLiteral("agentmoshiday"), QStringLiteral("fangzhumoshi"),
                                 QStringLiteral("bsearch"), QStringLiteral("menutype"), QStringLiteral("zhuti"),
                                 QStringLiteral("dibu")};
const QStringList kListKeys = {QStringLiteral("menushow"), QStringLiteral("searchshow"), QStringLiteral("caishow"),
                               QStringLiteral("pushoption"), QStringLiteral("zhuzhai"), QStringLiteral("bieshu"),
                               QStringLiteral("gongyu"), QStringLiteral("shangpu"), QStringLiteral("xiezilou")};

// What a user may type and a careless form body or JSON builder would break.
const QString kAwkward = QStringLiteral("A&B=C+D 100% \"引号\" %26 #1\n第二行");

QString compact(const QJsonArray& list)
{
    return QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact));
}

QJsonArray listOf(const QJsonObject& values, const QString& key)
{
    return QJsonDocument::fromJson(values.value(key).toString().toUtf8()).array();
}

QList<int> idsOf(const QJsonArray& list)
{
    QList<int> ids;
    for (const QJsonValue& item : list)
        ids << item.toObject().value(QStringLiteral("id")).toInt();
    return ids;
}

int indexOf(const QJsonArray& list, int id)
{
    return idsOf(list).indexOf(id);
}

QJsonObject itemOf(const QJsonArray& list, int id)
{
    return list.at(indexOf(list, id)).toObject();
}

// The list with one key of an item set (or removed, for an undefined value).
QJsonArray edited(QJsonArray list, int id, const QString& key, const QJsonValue& value)
{
    const int index = indexOf(list, id);
    QJsonObject item = list.at(index).toObject();
    if (value.isUndefined())
        item.remove(key);
    else
        item.insert(key, value);
    list.replace(index, item);
    return list;
}

QJsonArray allChosen(QJsonArray list, bool chosen)
{
    for (int i = 0; i < list.size(); ++i) {
        QJsonObject item = list.at(i).toObject();
        item.insert(QStringLiteral("choose"), chosen);
        list.replace(i, item);
    }
    return list;
}

// Another order and choice, as a user dragging and ticking would leave it: reversed, every item
// that may be unticked flipped, and still one item chosen.
QJsonArray rearranged(const QJsonArray& list)
{
    QJsonArray changed;
    bool anyChosen = false;
    for (int i = list.size() - 1; i >= 0; --i) {
        QJsonObject item = list.at(i).toObject();
        if (!item.value(QStringLiteral("default_choose")).toBool())
            item.insert(QStringLiteral("choose"), !item.value(QStringLiteral("choose")).toBool());
        anyChosen = anyChosen || item.value(QStringLiteral("choose")).toBool();
        changed.append(item);
    }
    if (!anyChosen)
        changed = edited(changed, changed.first().toObject().value(QStringLiteral("id")).toInt(),
                         QStringLiteral("choose"), true);
    return changed;
}

// A form of every value, numbers in decimal and lists as their text.
Pieces formOf(const QJsonObject& values)
{
    Pieces pieces;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        const QString text = it.value().isString() ? it.value().toString() : QString::number(it.value().toInt());
        pieces.append(qMakePair(it.key(), text));
    }
    return pieces;
}

Pieces listPiece(const char* key, const QJsonArray& list)
{
    return {piece(key, compact(list))};
}

} // namespace

// The site's basic settings: what the settings page reads, and that a save keeps every setting it
// sends, checks each, and keeps none of a save that fails.
class TestSettingsRoutes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void needsSession();
    void seededSettings();
    void everyListHoldsItsItems();
    void roundTripOfEverySetting();
    void save_data();
    void save();
    void managersOnly();
    void eachCompanyItsOwn();

private:
    QJsonObject valuesOf(const Headers& who) const { return m_service->call(kRead, {}, who).data().toObject(); }

    QScopedPointer<ReferenceService> m_service;
    Headers m_manager;   // 安居地产's manager
    Headers m_staff;     // 安居地产's agent, job role 2
    Headers m_chongqing; // 山城置业's manager
    Headers m_rongcheng; // 蓉城房产's manager
    QJsonObject m_seeded; // 安居地产's settings as seeded
};

void TestSettingsRoutes::initTestCase()
{
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    m_manager = m_service->login(QStringLiteral("13800000000"));
    m_staff = m_service->login(QStringLiteral("13800000001"));
    m_chongqing = m_service->login(QStringLiteral("13900000000"));
    m_rongcheng = m_service->login(QStringLiteral("13700000000"));
    QVERIFY(!m_manager.isEmpty() && !m_staff.isEmpty() && !m_chongqing.isEmpty() && !m_rongcheng.isEmpty());
    m_seeded = valuesOf(m_manager);
    QCOMPARE(m_seeded.size(), kNumberKeys.size() + kListKeys.size());
}

void TestSettingsRoutes::cleanupTestCase()
{
    QCOMPARE(m_service->stop(), 0);
}

void TestSettingsRoutes::needsSession()
{
    for (const QString& path : {kRead, kSave})
        QCOMPARE(m_service->call(path, {piece("shenhe", 1)}, {}).code(), 400);
}

void TestSettingsRoutes::seededSettings()
{
    const ReferenceService::Reply reply = m_service->call(kRead, {}, m_manager);
    QCOMPARE(reply.code(), 200);
    const QJsonObject anju = reply.data().toObject();
    const QList<int> anjuNumbers = {1, 2, 1, 15, 1, 2, 3, 5, 2};
    for (int i = 0; i < kNumberKeys.size(); ++i) {
        QVERIFY2(anju.value(kNumberKeys.at(i)).isDouble(), qPrintable(kNumberKeys.at(i)));
        QCOMPARE(anju.value(kNumberKeys.at(i)).toInt(), anjuNumbers.at(i));
    }
    for (const QString& key : kListKeys)
        QVERIFY2(anju.value(key).isString() && !listOf(anju, key).isEmpty(), qPrintable(key));
    // 资讯 moved up to fourth place, 求购 shown; 百科 left out.
    const QJsonArray icons = listOf(anju, QStringLiteral("menushow"));
    QCOMPARE(idsOf(icons), QList<int>({1, 2, 3, 23, 16, 17, 18, 19, 20, 4, 5, 6, 7, 15, 25}));
    QCOMPARE(itemOf(icons, 6).value(QStringLiteral("choose")).toBool(), true);
    QCOMPARE(itemOf(icons, 25).value(QStringLiteral("choose")).toBool(), false);
    QCOMPARE(itemOf(listOf(anju, QStringLiteral("shangpu")), 4).value(QStringLiteral("choose")).toBool(), true);
    // The style page reads the same theme and bar.
    const QJsonObject style = m_service->call(kStyle, {}, m_manager).data().toObject();
    QCOMPARE(style.value(QStringLiteral("zhuti")), anju.value(QStringLiteral("zhuti")));
    QCOMPARE(style.value(QStringLiteral("dibu")), anju.value(QStringLiteral("dibu")));

    // 山城置业 shows the owner with number and chat, and no villas.
    const QJsonObject shancheng = valuesOf(m_chongqing);
    const QList<int> shanchengNumbers = {0, 3, 2, 7, 3, 1, 2, 2, 3};
    for (int i = 0; i < kNumberKeys.size(); ++i)
        QCOMPARE(shancheng.value(kNumberKeys.at(i)).toInt(), shanchengNumbers.at(i));
    QCOMPARE(itemOf(listOf(shancheng, QStringLiteral("menushow")), 17).value(QStringLiteral("choose")).toBool(), false);
    QCOMPARE(itemOf(listOf(shancheng, QStringLiteral("searchshow")), 4).value(QStringLiteral("choose")).toBool(), false);

    // 蓉城房产 never saved: the defaults.
    const QJsonObject rongcheng = valuesOf(m_rongcheng);
    const QList<int> defaults = {0, 1, 0, 7, 1, 1, 1, 1, 1};
    for (int i = 0; i < kNumberKeys.size(); ++i)
        QCOMPARE(rongcheng.value(kNumberKeys.at(i)).toInt(), defaults.at(i));
    QCOMPARE(idsOf(listOf(rongcheng, QStringLiteral("menushow"))),
             QList<int>({1, 2, 3, 16, 17, 18, 19, 20, 4, 5, 6, 7, 15, 23, 25}));
}

void TestSettingsRoutes::everyListHoldsItsItems()
{
    const QJsonObject values = valuesOf(m_rongcheng);
    const QStringList itemKeys = {QStringLiteral("choose"), QStringLiteral("default_choose"), QStringLiteral("id"),
                                  QStringLiteral("tip_id"), QStringLiteral("title")};
    for (const QString& key : kListKeys) {
        const QJsonArray list = listOf(values, key);
        QVERIFY2(!list.isEmpty(), qPrintable(key));
        bool anyChosen = false;
        for (const QJsonValue& value : list) {
            const QJsonObject item = value.toObject();
            QCOMPARE(item.keys(), itemKeys);
            QVERIFY(item.value(QStringLiteral("id")).isDouble() && item.value(QStringLiteral("tip_id")).isDouble());
            QVERIFY(item.value(QStringLiteral("choose")).isBool() && item.value(QStringLiteral("default_choose")).isBool());
            QVERIFY(!item.value(QStringLiteral("title")).toString().isEmpty());
            anyChosen = anyChosen || item.value(QStringLiteral("choose")).toBool();
        }
        QVERIFY2(anyChosen, qPrintable(key));
    }
    // The icons with sub-settings, and the required ones.
    const QJsonArray icons = listOf(values, QStringLiteral("menushow"));
    for (int id : {16, 17, 18, 19, 20})
        QVERIFY(indexOf(icons, id) >= 0);
    QCOMPARE(itemOf(icons, 2).value(QStringLiteral("title")).toString(), QStringLiteral("二手房"));
    QCOMPARE(itemOf(icons, 2).value(QStringLiteral("default_choose")).toBool(), true);
    QCOMPARE(itemOf(icons, 1).value(QStringLiteral("default_choose")).toBool(), false);
    QVERIFY(itemOf(icons, 4).value(QStringLiteral("tip_id")).toInt() > 0);
    QCOMPARE(itemOf(listOf(values, QStringLiteral("searchshow")), 1).value(QStringLiteral("default_choose")).toBool(),
             true);
}

void TestSettingsRoutes::roundTripOfEverySetting()
{
    // What the basic settings page sends, every value changed, and the style page's two.
    QJsonObject changed{{QStringLiteral("shenhe"), 0},       {QStringLiteral("pushStyle"), 3},
                        {QStringLiteral("moshi"), 2},        {QStringLiteral("fangzhumoshi"), 2},
                        {QStringLiteral("bsearch"), 1},      {QStringLiteral("menutype"), 4},
                        {QStringLiteral("zhuti"), 6},        {QStringLiteral("dibu"), 5}};
    for (const QString& key : kListKeys)
        changed.insert(key, compact(rearranged(listOf(m_seeded, key))));
    // Further keys of an item travel untouched.
    const QJsonArray icons = edited(listOf(changed, QStringLiteral("menushow")), 16, QStringLiteral("note"), kAwkward);
    changed.insert(QStringLiteral("menushow"), compact(icons));
    QVERIFY(changed.value(QStringLiteral("menushow")) != m_seeded.value(QStringLiteral("menushow")));

    const ReferenceService::Reply saved = m_service->call(kSave, formOf(changed), m_manager);
    QCOMPARE(saved.code(), 200);
    QCOMPARE(saved.message(), QStringLiteral("设置成功"));
    QCOMPARE(saved.data().toObject(), changed);

    QJsonObject expected = changed;
    // Not sent with the owner mode: the agent's days stay as they were.
    expected.insert(QStringLiteral("agentmoshiday"), m_seeded.value(QStringLiteral("agentmoshiday")));
    QCOMPARE(valuesOf(m_manager), expected);
    QCOMPARE(valuesOf(m_staff), expected);
    QCOMPARE(itemOf(listOf(valuesOf(m_manager), QStringLiteral("menushow")), 16).value(QStringLiteral("note")).toString(),
             kAwkward);
    const QJsonObject style = m_service->call(kStyle, {}, m_manager).data().toObject();
    QCOMPARE(style.value(QStringLiteral("zhuti")).toInt(), 6);
    QCOMPARE(style.value(QStringLiteral("dibu")).toInt(), 5);

    // Back to the agent mode with other days, then to the seeded settings.
    QCOMPARE(m_service->call(kSave, {piece("moshi", 1), piece("agentmoshiday", 30)}, m_manager).code(), 200);
    QCOMPARE(valuesOf(m_manager).value(QStringLiteral("agentmoshiday")).toInt(), 30);
    QCOMPARE(m_service->call(kSave, formOf(m_seeded), m_manager).code(), 200);
    QCOMPARE(valuesOf(m_manager), m_seeded);
}

void TestSettingsRoutes::save_data()
{
    QTest::addColumn<Pieces>("form");
    QTest::addColumn<QString>("message"); // empty: saved

    const QJsonArray icons = listOf(m_seeded, QStringLiteral("menushow"));
    const QJsonArray categories = listOf(m_seeded, QStringLiteral("caishow"));
    const QJsonArray reminders = listOf(m_seeded, QStringLiteral("pushoption"));
    const QJsonArray homes = listOf(m_seeded, QStringLiteral("zhuzhai"));

    QTest::newRow("push reminders all off") << listPiece("pushoption", allChosen(reminders, false)) << QString();
    QTest::newRow("contact not shown, alone") << Pieces{piece("moshi", 3)} << QString();
    QTest::newRow("agent mode for 999 days") << Pieces{piece("moshi", 1), piece("agentmoshiday", 999)} << QString();
    QTest::newRow("owner's number only") << Pieces{piece("moshi", 2), piece("fangzhumoshi", 1)} << QString();
    QTest::newRow("naming the own company")
        << Pieces{piece("companyid", QStringLiteral("10001")), piece("cityid", QStringLiteral("1")), piece("shenhe", 0)}
        << QString();

    const auto range = [](const char* label) { return QStringLiteral("参数超出范围：%1").arg(QString::fromUtf8(label)); };
    QTest::newRow("shenhe 2") << Pieces{piece("shenhe", 2)} << range("推送房源审核");
    QTest::newRow("pushStyle 0") << Pieces{piece("pushStyle", 0)} << range("推送设置");
    QTest::newRow("moshi 4") << Pieces{piece("moshi", 4)} << range("联系人推广设置");
    QTest::newRow("agent days 0") << Pieces{piece("moshi", 1), piece("agentmoshiday", 0)} << range("经纪人模式天数");
    QTest::newRow("agent days 1000") << Pieces{piece("moshi", 1), piece("agentmoshiday", 1000)} << range("经纪人模式天数");
    QTest::newRow("owner options 0") << Pieces{piece("moshi", 2), piece("fangzhumoshi", 0)} << range("房主模式");
    QTest::newRow("owner options 4") << Pieces{piece("moshi", 2), piece("fangzhumoshi", 4)} << range("房主模式");
    QTest::newRow("bsearch 3") << Pieces{piece("bsearch", 3)} << range("首页搜索框样式");
    QTest::newRow("menutype 5") << Pieces{piece("menutype", 5)} << range("小程序首页图标样式");
    QTest::newRow("menutype in words") << Pieces{piece("menutype", QStringLiteral("2行8个"))}
                                       << QStringLiteral("参数格式错误：小程序首页图标样式");
    QTest::newRow("agent mode without days") << Pieces{piece("moshi", 1)} << QStringLiteral("请经纪人模式天数！");
    QTest::newRow("owner mode without options") << Pieces{piece("moshi", 2)}
                                                << QStringLiteral("请至少房主模式中一项！");

    const QString badIcons = QStringLiteral("小程序首页图标格式错误");
    QTest::newRow("icons not JSON") << Pieces{piece("menushow", QStringLiteral("[{\"id\":1,"))} << badIcons;
    QTest::newRow("icons an object") << Pieces{piece("menushow", QStringLiteral("{\"id\":1}"))} << badIcons;
    QTest::newRow("icons empty") << Pieces{piece("menushow", QString())} << QStringLiteral("缺少参数：小程序首页图标");
    QTest::newRow("an icon without tip") << listPiece("menushow", edited(icons, 3, QStringLiteral("tip_id"), QJsonValue::Undefined))
                                         << badIcons;
    QTest::newRow("choose as a number") << listPiece("menushow", edited(icons, 3, QStringLiteral("choose"), 1)) << badIcons;
    QTest::newRow("id as text") << listPiece("menushow", edited(icons, 3, QStringLiteral("id"), QStringLiteral("3")))
                                << badIcons;
    QTest::newRow("unknown icon") << listPiece("menushow", edited(icons, 3, QStringLiteral("id"), 99))
                                  << QStringLiteral("小程序首页图标不支持类目项：99");
    QTest::newRow("an icon twice") << listPiece("menushow", edited(icons, 3, QStringLiteral("id"), 1))
                                   << QStringLiteral("小程序首页图标的类目项重复：新房");
    QJsonArray shorter = icons;
    shorter.removeAt(indexOf(icons, 25));
    QTest::newRow("an icon left out") << listPiece("menushow", shorter) << QStringLiteral("小程序首页图标缺少类目项：百科");
    QTest::newRow("required icon off") << listPiece("menushow", edited(icons, 2, QStringLiteral("choose"), false))
                                       << QStringLiteral("【二手房】为必选项！");
    // Whatever the item says of itself, the site decides what is required.
    QTest::newRow("required icon off, marked optional")
        << listPiece("menushow", edited(edited(icons, 2, QStringLiteral("choose"), false), 2,
                                        QStringLiteral("default_choose"), false))
        << QStringLiteral("【二手房】为必选项！");
    QTest::newRow("no category") << listPiece("caishow", allChosen(categories, false))
                                 << QStringLiteral("请至少选择首页猜你喜欢一个类目项显示");
    QTest::newRow("no residence kind") << listPiece("zhuzhai", allChosen(homes, false))
                                       << QStringLiteral("住宅设置请至少选择一个类目项显示");
    QTest::newRow("shop kinds in the office list")
        << listPiece("xiezilou", listOf(m_seeded, QStringLiteral("shangpu")))
        << QStringLiteral("写字楼设置不支持类目项：4");

    QTest::newRow("unknown key") << Pieces{piece("shenhe", 0), piece("yanse", 2)}
                                 << QStringLiteral("不支持的设置项：yanse");
    QTest::newRow("nothing") << Pieces{} << QStringLiteral("缺少参数：设置项");
    // All or nothing: good values with one bad one keep none.
    QTest::newRow("good ones, then a bad one")
        << Pieces{piece("shenhe", 0), piece("pushStyle", 3)} + listPiece("caishow", allChosen(categories, false))
        << QStringLiteral("请至少选择首页猜你喜欢一个类目项显示");
}

void TestSettingsRoutes::save()
{
    QFETCH(Pieces, form);
    QFETCH(QString, message);

    const ReferenceService::Reply reply = m_service->call(kSave, form, m_manager);
    QCOMPARE(reply.message(), message.isEmpty() ? QStringLiteral("设置成功") : message);
    QCOMPARE(reply.code(), message.isEmpty() ? 200 : 405);
    QJsonObject expected = m_seeded;
    if (message.isEmpty()) {
        for (const auto& field : form) {
            if (kListKeys.contains(field.first))
                expected.insert(field.first, field.second);
            else if (kNumberKeys.contains(field.first))
                expected.insert(field.first, field.second.toInt());
        }
    }
    QCOMPARE(valuesOf(m_manager), expected);
    QCOMPARE(m_service->call(kSave, formOf(m_seeded), m_manager).code(), 200);
}

void TestSettingsRoutes::managersOnly()
{
    // No right of a job role opens the site's settings: only a manager.
    QVERIFY(m_service->selectJobRights(kAgentJob, {65, 66, 67, 68, 69, 70, 71, 72, 73, 80, 81, 82, 83, 93, 97, 98, 148, 156}));
    for (const Pieces& form : {Pieces{piece("shenhe", 0)}, formOf(m_seeded), Pieces{}}) {
        const ReferenceService::Reply reply = m_service->call(kSave, form, m_staff);
        QCOMPARE(reply.code(), 405);
        QCOMPARE(reply.message(), kNoRight);
    }
    QVERIFY(m_service->selectJobRights(kAgentJob, {65, 148}));
    QCOMPARE(valuesOf(m_staff), m_seeded);
}

void TestSettingsRoutes::eachCompanyItsOwn()
{
    const QJsonObject theirs = valuesOf(m_chongqing);
    QVERIFY(theirs != m_seeded);
    const Pieces form = Pieces{piece("shenhe", 1), piece("moshi", 3)}
                        + listPiece("menushow", rearranged(listOf(theirs, QStringLiteral("menushow"))));
    QCOMPARE(m_service->call(kSave, form, m_chongqing).code(), 200);
    const QJsonObject saved = valuesOf(m_chongqing);
    QCOMPARE(saved.value(QStringLiteral("shenhe")).toInt(), 1);
    QCOMPARE(saved.value(QStringLiteral("moshi")).toInt(), 3);
    QCOMPARE(valuesOf(m_manager), m_seeded);
    QCOMPARE(valuesOf(m_rongcheng).value(QStringLiteral("moshi")).toInt(), 0);

    // Naming another company reaches nothing.
    const ReferenceService::Reply other =
        m_service->call(kSave, {piece("companyid", QStringLiteral("10001")), piece("shenhe", 0)}, m_chongqing);
    QCOMPARE(other.code(), 405);
    QCOMPARE(other.message(), QStringLiteral("无权访问其他公司的数据"));
    QCOMPARE(m_service->call(kRead, {piece("companyid", QStringLiteral("10001"))}, m_chongqing).code(), 405);
    QCOMPARE(valuesOf(m_manager), m_seeded);
    QCOMPARE(m_service->call(kSave, formOf(theirs), m_chongqing).code(), 200);
    QCOMPARE(valuesOf(m_chongqing), theirs);
}

QTEST_GUILESS_MAIN(TestSettingsRoutes)
#include "tst_settingsroutes.moc"
