#include "support/service/ReferenceService.h"

#include <QHash>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopedPointer>
#include <QTest>

namespace {

using Headers = ReferenceService::Headers;
using Pieces = ReferenceService::Pieces;

const QString kList = QStringLiteral("site/softsubjectlist");
const QString kSort = QStringLiteral("site/subjects");
const QString kDelete = QStringLiteral("site/subjectsdel");
const QString kAdd = QStringLiteral("site/subject_add");
const QString kEdit = QStringLiteral("site/subject_edit");
const QString kNoRight = QStringLiteral("您当前没有权利操作，请联系管理员！");
const QString kMissing = QStringLiteral("该专题不存在或已被删除");
const QString kBadHouses = QStringLiteral("关联房源格式错误");
const int kAgentJob = 2; // the staff member's job role: rights 65 and 148

// 安居地产 in 成都.
const Pieces kOwner = {piece("companyid", QStringLiteral("10001")), piece("cityid", QStringLiteral("1"))};

// What a user may type and a careless form body would break.
const QString kAwkward = QStringLiteral("A&B=C+D 100% \"引号\" '单引号' %26 #1\n第二行");
// The editor's compact JSON, with a title that holds the form's separators.
const QString kHouses =
    QStringLiteral("[{\"id\":5,\"title\":\"盐市口 & 春熙路=+100% \\\"精装\\\"\"},{\"id\":8,\"title\":\"光华 两室\"}]");

Pieces operator+(const Pieces& a, const QPair<QString, QString>& b)
{
    Pieces pieces = a;
    pieces.append(b);
    return pieces;
}

Pieces topicForm(const QString& title, const QString& img, const QString& houses)
{
    return {piece("houseid", houses), piece("title", title), piece("title_one", kAwkward), piece("img", img)};
}

QJsonArray housesOf(const QJsonObject& topic)
{
    return QJsonDocument::fromJson(topic.value(QStringLiteral("houseid")).toString().toUtf8()).array();
}

QList<qint64> idsOf(const QJsonArray& rows)
{
    QList<qint64> ids;
    for (const QJsonValue& row : rows)
        ids.append(row.toObject().value(QStringLiteral("id")).toInt());
    return ids;
}

// Rows of refused(): a company or city other than the session's, or none, where the page names them.
void addFenceRows()
{
    const Pieces sort = {piece("id", 1), piece("sort", 9)};
    const Pieces remove = {piece("id", 1)};
    const Pieces form = topicForm(QStringLiteral("专题"), QStringLiteral("http://x.cn/a.jpg"), kHouses);
    const QString otherCompany = QStringLiteral("无权访问其他公司的数据");
    const QString otherCity = QStringLiteral("无权访问其他城市的数据");
    const QString noCompany = QStringLiteral("缺少参数：公司编号");
    const QString noCity = QStringLiteral("缺少参数：城市编号");
    const QList<QPair<QString, Pieces>> calls = {
        {kList, {}}, {kSort, sort}, {kDelete, remove}, {kAdd, form}};
    for (const auto& call : calls) {
        const QByteArray name = call.first.section(QLatin1Char('/'), -1).toUtf8();
        const auto naming = [&call](const char* company, const char* city) {
            return call.second + piece("companyid", QString::fromUtf8(company)) + piece("cityid", QString::fromUtf8(city));
        };
        QTest::addRow("%s, another company", name.constData()) << call.first << naming("20002", "1") << otherCompany;
        // 蓉城房产 is in the same city: the company alone decides.
        QTest::addRow("%s, another company of the city", name.constData())
            << call.first << naming("30728", "1") << otherCompany;
        QTest::addRow("%s, another city", name.constData()) << call.first << naming("10001", "2") << otherCity;
        QTest::addRow("%s, no company", name.constData())
            << call.first << (call.second + piece("cityid", QStringLiteral("1"))) << noCompany;
        QTest::addRow("%s, no city", name.constData())
            << call.first << (call.second + piece("companyid", QStringLiteral("10001"))) << noCity;
        QTest::addRow("%s, empty company", name.constData())
            << call.first << (call.second + piece("companyid", QString()) + piece("cityid", QStringLiteral("1")))
            << otherCompany;
    }
    QTest::newRow("edit naming another company")
        << kEdit << (form + piece("id", 1) + piece("companyid", QStringLiteral("20002"))) << otherCompany;
}

} // namespace

class TestTopicRoutes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void needsSession();
    void seededTopicsLinkRealHouses();
    void seededCircleTopics();
    void roundTripKeepsWhatWasTyped();
    void refused_data();
    void refused();
    void sortValueOrdersTheList();
    void pagesOfTenAndSearch();
    void rightsOfStaff();
    void otherCompanySeesAndTouchesNothing();

private:
    QJsonArray topicsOf(const Headers& who, const Pieces& owner = kOwner) const
    {
        return m_service->call(kList, owner + piece("pagesize", 100), who).data().toArray();
    }
    QJsonObject topicOf(qint64 id) const
    {
        for (const QJsonValue& row : topicsOf(m_manager)) {
            if (row.toObject().value(QStringLiteral("id")).toInt() == id)
                return row.toObject();
        }
        return {};
    }
    QString icon() const { return topicsOf(m_manager).first().toObject().value(QStringLiteral("img")).toString(); }

    QScopedPointer<ReferenceService> m_service;
    Headers m_manager;   // 安居地产's manager
    Headers m_staff;     // 安居地产's agent, job role 2
    Headers m_chongqing; // 山城置业's manager, 重庆
    Headers m_rongcheng; // 蓉城房产's manager, 成都
};

void TestTopicRoutes::initTestCase()
{
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    const QList<QPair<Headers*, QString>> accounts = {{&m_manager, QStringLiteral("13800000000")},
                                                      {&m_staff, QStringLiteral("13800000001")},
                                                      {&m_chongqing, QStringLiteral("13900000000")},
                                                      {&m_rongcheng, QStringLiteral("13700000000")}};
    for (const auto& account : accounts) {
        *account.first = m_service->login(account.second);
        QVERIFY2(!account.first->isEmpty(), qPrintable(account.second));
    }
}

void TestTopicRoutes::cleanupTestCase()
{
    QCOMPARE(m_service->stop(), 0);
}

void TestTopicRoutes::needsSession()
{
    for (const QString& path : {kList, kSort, kDelete, kAdd, kEdit})
        QCOMPARE(m_service->call(path, kOwner + piece("id", 1), {}).code(), 400);
}

void TestTopicRoutes::seededTopicsLinkRealHouses()
{
    const ReferenceService::Reply reply = m_service->call(kList, kOwner + piece("page", 1) + piece("pagesize", 10),
                                                          m_manager);
    QCOMPARE(reply.code(), 200);
    // The list reads an array, not a paged object.
    QVERIFY(reply.data().isArray());
    const QJsonArray topics = reply.data().toArray();
    QCOMPARE(idsOf(topics), QList<qint64>({1, 2, 3, 4}));
    QCOMPARE(topics.first().toObject().value(QStringLiteral("title")).toString(), QStringLiteral("地铁口好房"));

    QHash<qint64, QString> siteHouses;
    for (const QJsonValue& row : m_service->call(QStringLiteral("api/mtore/mshouseposts"),
                                                 {piece("type", 0), piece("pagesize", 100)}, m_manager)
                                     .rows())
        siteHouses.insert(row.toObject().value(QStringLiteral("id")).toInt(),
                          row.toObject().value(QStringLiteral("title")).toString());
    QList<int> counts;
    for (const QJsonValue& value : topics) {
        const QJsonObject topic = value.toObject();
        for (const char* key : {"title", "title_one", "img", "time"})
            QVERIFY2(!topic.value(QLatin1String(key)).toString().isEmpty(), key);
        for (const char* key : {"hits", "sort"})
            QVERIFY2(topic.value(QLatin1String(key)).isDouble(), key);
        // "houseid" is text holding compact JSON, as the editor sends it.
        const QString text = topic.value(QStringLiteral("houseid")).toString();
        QCOMPARE(QString::fromUtf8(QJsonDocument::fromJson(text.toUtf8()).toJson(QJsonDocument::Compact)), text);
        const QJsonArray houses = housesOf(topic);
        counts.append(houses.size());
        for (const QJsonValue& house : houses) {
            const QJsonObject linked = house.toObject();
            const qint64 id = linked.value(QStringLiteral("id")).toInt();
            QVERIFY2(siteHouses.contains(id), qPrintable(QString::number(id)));
            QCOMPARE(linked.value(QStringLiteral("title")).toString(), siteHouses.value(id));
        }
    }
    QCOMPARE(counts, QList<int>({3, 2, 2, 4}));
    const ReferenceService::Reply picture =
        m_service->get(topics.first().toObject().value(QStringLiteral("img")).toString());
    QCOMPARE(picture.httpStatus, 200);
    QCOMPARE(QImage::fromData(picture.body).size(), QSize(200, 200));

    const Pieces chongqing = {piece("companyid", QStringLiteral("20002")), piece("cityid", QStringLiteral("2"))};
    QCOMPARE(idsOf(topicsOf(m_chongqing, chongqing)), QList<qint64>({5}));
}

void TestTopicRoutes::seededCircleTopics()
{
    const Pieces rongcheng = {piece("companyid", QStringLiteral("30728")), piece("cityid", QStringLiteral("1"))};
    const QJsonArray topics = topicsOf(m_rongcheng, rongcheng);
    QCOMPARE(idsOf(topics), QList<qint64>({6, 7}));
    QList<int> counts;
    for (const QJsonValue& value : topics) {
        const QJsonArray houses = housesOf(value.toObject());
        counts.append(houses.size());
        for (const QJsonValue& house : houses) {
            const qint64 id = house.toObject().value(QStringLiteral("id")).toInt();
            const ReferenceService::Reply circle =
                m_service->call(QStringLiteral("api/app/housegrouppostst"), {piece("houseid", id)}, m_rongcheng);
            QCOMPARE(circle.ids(), QList<qint64>({id}));
            QCOMPARE(circle.texts(QStringLiteral("title")).first(),
                     house.toObject().value(QStringLiteral("title")).toString());
        }
    }
    QCOMPARE(counts, QList<int>({3, 2}));
}

void TestTopicRoutes::roundTripKeepsWhatWasTyped()
{
    const QString title = QStringLiteral("地铁 & 学区 = 100%+");
    const QString img = QStringLiteral("https://img.example.com/icon.jpg?x=1&y=%E4%B8%AD");
    const ReferenceService::Reply added = m_service->call(kAdd, kOwner + topicForm(title, img, kHouses), m_manager);
    QCOMPARE(added.code(), 200);
    const QJsonObject topic = added.data().toObject();
    const qint64 id = topic.value(QStringLiteral("id")).toInt();
    QVERIFY(id > 0);
    QCOMPARE(topicOf(id), topic);
    QCOMPARE(topic.value(QStringLiteral("title")).toString(), title);
    QCOMPARE(topic.value(QStringLiteral("title_one")).toString(), kAwkward);
    QCOMPARE(topic.value(QStringLiteral("img")).toString(), img);
    QCOMPARE(topic.value(QStringLiteral("houseid")).toString(), kHouses);
    QCOMPARE(housesOf(topic).size(), 2);
    QCOMPARE(topic.value(QStringLiteral("hits")).toInt(), 0);
    QVERIFY(!topic.value(QStringLiteral("time")).toString().isEmpty());

    // The editor names an existing topic by its id alone; what it does not send stays.
    QCOMPARE(m_service->call(kSort, kOwner + piece("id", id) + piece("sort", 7), m_manager).code(), 200);
    const QString oneHouse = QStringLiteral("[{\"id\":3,\"title\":\"龙湖三千城\"}]");
    const ReferenceService::Reply edited =
        m_service->call(kEdit, topicForm(QStringLiteral("改过的"), img, oneHouse) + piece("id", id), m_manager);
    QCOMPARE(edited.code(), 200);
    const QJsonObject changed = topicOf(id);
    QCOMPARE(edited.data().toObject(), changed);
    QCOMPARE(changed.value(QStringLiteral("title")).toString(), QStringLiteral("改过的"));
    QCOMPARE(changed.value(QStringLiteral("houseid")).toString(), oneHouse);
    QCOMPARE(changed.value(QStringLiteral("sort")).toInt(), 7);
    QCOMPARE(changed.value(QStringLiteral("time")), topic.value(QStringLiteral("time")));
    // Naming its own company and city as well is fine.
    QCOMPARE(m_service->call(kEdit, kOwner + topicForm(title, img, kHouses) + piece("id", id), m_manager).code(), 200);

    QCOMPARE(m_service->call(kDelete, kOwner + piece("id", id), m_manager).code(), 200);
    QVERIFY(topicOf(id).isEmpty());
    QCOMPARE(idsOf(topicsOf(m_manager)), QList<qint64>({1, 2, 3, 4}));
    for (const auto& call : QList<QPair<QString, Pieces>>{
             {kDelete, kOwner + piece("id", id)},
             {kSort, kOwner + piece("id", id) + piece("sort", 1)},
             {kEdit, topicForm(title, img, kHouses) + piece("id", id)}}) {
        const ReferenceService::Reply again = m_service->call(call.first, call.second, m_manager);
        QCOMPARE(again.code(), 405);
        QCOMPARE(again.message(), kMissing);
    }
}

void TestTopicRoutes::refused_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<Pieces>("pieces");
    QTest::addColumn<QString>("message");
    const QString img = QStringLiteral("http://127.0.0.1:1/files/icon.jpg");
    const auto add = [&img](const QString& title, const QString& houses) {
        return kOwner + piece("title", title) + piece("img", img) + piece("houseid", houses);
    };

    // In the order the editor checks its form.
    QTest::newRow("no title") << kAdd << (kOwner + piece("img", img) + piece("houseid", kHouses))
                              << QStringLiteral("缺少参数：专题标题");
    QTest::newRow("title of blanks") << kAdd << add(QStringLiteral(" \n "), kHouses) << QStringLiteral("缺少参数：专题标题");
    QTest::newRow("no icon, no house") << kAdd << (kOwner + piece("title", QStringLiteral("t")))
                                       << QStringLiteral("缺少参数：专题图标");
    QTest::newRow("script icon") << kAdd
                                 << (kOwner + piece("title", QStringLiteral("t"))
                                     + piece("img", QStringLiteral("javascript:alert(1)")) + piece("houseid", kHouses))
                                 << QStringLiteral("专题图标的地址无效");
    QTest::newRow("no house") << kAdd << (kOwner + piece("title", QStringLiteral("t")) + piece("img", img))
                              << QStringLiteral("缺少参数：关联房源");
    QTest::newRow("empty choice") << kAdd << add(QStringLiteral("t"), QStringLiteral("[]"))
                                  << QStringLiteral("至少得选择一套关联房源");
    QTest::newRow("an object") << kAdd << add(QStringLiteral("t"), QStringLiteral("{\"id\":1}")) << kBadHouses;
    QTest::newRow("bare ids") << kAdd << add(QStringLiteral("t"), QStringLiteral("[1,2]")) << kBadHouses;
    QTest::newRow("not JSON") << kAdd << add(QStringLiteral("t"), QStringLiteral("1,2")) << kBadHouses;
    QTest::newRow("text after the array")
        << kAdd << add(QStringLiteral("t"), QStringLiteral("[{\"id\":1,\"title\":\"a\"}]x")) << kBadHouses;
    QTest::newRow("id as text") << kAdd << add(QStringLiteral("t"), QStringLiteral("[{\"id\":\"1\",\"title\":\"a\"}]"))
                                << kBadHouses;
    QTest::newRow("id 0") << kAdd << add(QStringLiteral("t"), QStringLiteral("[{\"id\":0,\"title\":\"a\"}]")) << kBadHouses;
    QTest::newRow("id 1.5") << kAdd << add(QStringLiteral("t"), QStringLiteral("[{\"id\":1.5,\"title\":\"a\"}]"))
                            << kBadHouses;
    QTest::newRow("no title of a house") << kAdd << add(QStringLiteral("t"), QStringLiteral("[{\"id\":1}]")) << kBadHouses;
    QString many = QStringLiteral("[");
    for (int i = 1; i <= 201; ++i)
        many += QStringLiteral("{\"id\":%1,\"title\":\"h\"}%2").arg(i).arg(i < 201 ? QStringLiteral(",") : QString());
    QTest::newRow("201 houses") << kAdd << add(QStringLiteral("t"), many + QStringLiteral("]"))
                                << QStringLiteral("关联房源最多200套");
    // 39 is a house of 山城置业's site.
    const QString kMissingHouse = QStringLiteral("所选房源不存在或已被删除");
    QTest::newRow("another company's house")
        << kAdd << add(QStringLiteral("t"), QStringLiteral("[{\"id\":5,\"title\":\"a\"},{\"id\":39,\"title\":\"b\"}]"))
        << kMissingHouse;
    QTest::newRow("a house that does not exist")
        << kAdd << add(QStringLiteral("t"), QStringLiteral("[{\"id\":987654,\"title\":\"a\"}]")) << kMissingHouse;
    QTest::newRow("edit, another company's house")
        << kEdit << (add(QStringLiteral("t"), QStringLiteral("[{\"id\":39,\"title\":\"b\"}]")) + piece("id", 1))
        << kMissingHouse;
    QTest::newRow("title too long") << kAdd << add(QString(101, QLatin1Char('x')), kHouses)
                                    << QStringLiteral("专题标题过长，最多100个字符");
    QTest::newRow("edit without id") << kEdit << add(QStringLiteral("t"), kHouses) << QStringLiteral("缺少参数：专题编号");
    QTest::newRow("edit, unknown id") << kEdit << (add(QStringLiteral("t"), kHouses) + piece("id", 987654)) << kMissing;
    QTest::newRow("edit, no house") << kEdit << (add(QStringLiteral("t"), QStringLiteral("[]")) + piece("id", 1))
                                    << QStringLiteral("至少得选择一套关联房源");
    QTest::newRow("sort of text") << kSort << (kOwner + piece("id", 1) + piece("sort", QStringLiteral("abc")))
                                  << QStringLiteral("参数格式错误：排序值");
    QTest::newRow("sort 1.5") << kSort << (kOwner + piece("id", 1) + piece("sort", QStringLiteral("1.5")))
                              << QStringLiteral("参数格式错误：排序值");
    QTest::newRow("sort beyond an int")
        << kSort << (kOwner + piece("id", 1) + piece("sort", QStringLiteral("2147483648")))
        << QStringLiteral("参数超出范围：排序值");
    QTest::newRow("no sort") << kSort << (kOwner + piece("id", 1)) << QStringLiteral("缺少参数：排序值");
    QTest::newRow("sort, id 0") << kSort << (kOwner + piece("id", 0) + piece("sort", 1))
                                << QStringLiteral("参数超出范围：专题编号");
    QTest::newRow("delete without id") << kDelete << kOwner << QStringLiteral("缺少参数：专题编号");
    QTest::newRow("delete, unknown id") << kDelete << (kOwner + piece("id", 987654)) << kMissing;
    QTest::newRow("page 0") << kList << (kOwner + piece("page", 0)) << QStringLiteral("参数超出范围：页码");
    QTest::newRow("101 a page") << kList << (kOwner + piece("pagesize", 101)) << QStringLiteral("参数超出范围：每页条数");
    addFenceRows();
}

void TestTopicRoutes::refused()
{
    QFETCH(QString, path);
    QFETCH(Pieces, pieces);
    QFETCH(QString, message);
    const QJsonArray before = topicsOf(m_manager);
    const ReferenceService::Reply reply = m_service->call(path, pieces, m_manager);
    QCOMPARE(reply.code(), 405);
    QCOMPARE(reply.message(), message);
    QCOMPARE(topicsOf(m_manager), before);
    const Pieces chongqing = {piece("companyid", QStringLiteral("20002")), piece("cityid", QStringLiteral("2"))};
    QCOMPARE(idsOf(topicsOf(m_chongqing, chongqing)), QList<qint64>({5}));
}

void TestTopicRoutes::sortValueOrdersTheList()
{
    QCOMPARE(idsOf(topicsOf(m_manager)), QList<qint64>({1, 2, 3, 4}));
    const ReferenceService::Reply reply = m_service->call(kSort, kOwner + piece("id", 4) + piece("sort", 0), m_manager);
    QCOMPARE(reply.code(), 200);
    QCOMPARE(topicOf(4).value(QStringLiteral("sort")).toInt(), 0);
    QCOMPARE(idsOf(topicsOf(m_manager)), QList<qint64>({4, 1, 2, 3}));
    QCOMPARE(m_service->call(kSort, kOwner + piece("id", 2) + piece("sort", -5), m_manager).code(), 200);
    QCOMPARE(idsOf(topicsOf(m_manager)), QList<qint64>({2, 4, 1, 3}));
    // Equal values: the newest first.
    QCOMPARE(m_service->call(kSort, kOwner + piece("id", 1) + piece("sort", 3), m_manager).code(), 200);
    QCOMPARE(idsOf(topicsOf(m_manager)), QList<qint64>({2, 4, 3, 1}));
    // Back to the seeded values.
    for (int id : {1, 2, 4})
        QCOMPARE(m_service->call(kSort, kOwner + piece("id", id) + piece("sort", id), m_manager).code(), 200);
    QCOMPARE(idsOf(topicsOf(m_manager)), QList<qint64>({1, 2, 3, 4}));
}

void TestTopicRoutes::pagesOfTenAndSearch()
{
    QList<qint64> added;
    for (int i = 0; i < 8; ++i) {
        const ReferenceService::Reply reply = m_service->call(
            kAdd, kOwner + topicForm(QStringLiteral("分页专题%1").arg(i), icon(), kHouses), m_manager);
        QCOMPARE(reply.code(), 200);
        added.prepend(reply.data().toObject().value(QStringLiteral("id")).toInt());
    }
    // A new topic's sort value is 0: before the sorted ones, the newest first.
    const QList<qint64> all = idsOf(topicsOf(m_manager));
    QCOMPARE(all, added + QList<qint64>({1, 2, 3, 4}));
    const auto page = [this](int number) {
        return idsOf(m_service->call(kList, kOwner + piece("page", number), m_manager).data().toArray());
    };
    QCOMPARE(page(1), all.mid(0, 10));
    QCOMPARE(page(2), all.mid(10));
    QCOMPARE(page(3), QList<qint64>());

    const auto search = [this](const QString& key) {
        return idsOf(m_service->call(kList, kOwner + piece("key", key), m_manager).data().toArray());
    };
    QCOMPARE(search(QStringLiteral("地铁")), QList<qint64>({1}));
    // The subtitle counts too.
    QCOMPARE(search(QStringLiteral("名校")), QList<qint64>({2}));
    QCOMPARE(search(QStringLiteral("分页专题")), added);
    QCOMPARE(search(QStringLiteral("%")), added); // the added topics' subtitle holds "100%"
    QCOMPARE(search(QStringLiteral("_")), QList<qint64>());
    for (qint64 id : added)
        QCOMPARE(m_service->call(kDelete, kOwner + piece("id", id), m_manager).code(), 200);
    QCOMPARE(idsOf(topicsOf(m_manager)), QList<qint64>({1, 2, 3, 4}));
}

void TestTopicRoutes::rightsOfStaff()
{
    // The staff member's role has 148, the right of the site's articles.
    const QJsonArray before = topicsOf(m_manager);
    QCOMPARE(topicsOf(m_staff), before);
    QCOMPARE(m_service->call(kSort, kOwner + piece("id", 3) + piece("sort", 3), m_staff).code(), 200);

    QVERIFY(m_service->selectJobRights(kAgentJob, {65}));
    const Pieces form = topicForm(QStringLiteral("员工加的"), icon(), kHouses);
    const QList<QPair<QString, Pieces>> calls = {{kList, kOwner},
                                                 {kSort, kOwner + piece("id", 3) + piece("sort", 1)},
                                                 {kDelete, kOwner + piece("id", 3)},
                                                 {kAdd, kOwner + form},
                                                 {kEdit, form + piece("id", 3)},
                                                 {kDelete, {}}};
    for (const auto& call : calls) {
        const ReferenceService::Reply reply = m_service->call(call.first, call.second, m_staff);
        QCOMPARE(reply.code(), 405);
        QCOMPARE(reply.message(), kNoRight);
    }
    QCOMPARE(topicsOf(m_manager), before);
    QVERIFY(m_service->selectJobRights(kAgentJob, {65, 148}));
    const ReferenceService::Reply added = m_service->call(kAdd, kOwner + form, m_staff);
    QCOMPARE(added.code(), 200);
    QCOMPARE(m_service->call(kDelete, kOwner + piece("id", added.data().toObject().value(QStringLiteral("id")).toInt()),
                             m_staff)
                 .code(),
             200);
}

void TestTopicRoutes::otherCompanySeesAndTouchesNothing()
{
    const QJsonArray ours = topicsOf(m_manager);
    const Pieces chongqing = {piece("companyid", QStringLiteral("20002")), piece("cityid", QStringLiteral("2"))};
    const QList<qint64> theirs = idsOf(topicsOf(m_chongqing, chongqing));
    QCOMPARE(theirs, QList<qint64>({5}));
    const Pieces form = topicForm(QStringLiteral("山城改的"), icon(), kHouses);
    for (const auto& call : QList<QPair<QString, Pieces>>{{kSort, chongqing + piece("id", 1) + piece("sort", 0)},
                                                          {kDelete, chongqing + piece("id", 1)},
                                                          {kEdit, form + piece("id", 1)}})
        QCOMPARE(m_service->call(call.first, call.second, m_chongqing).message(), kMissing);
    QCOMPARE(topicsOf(m_manager), ours);
    QCOMPARE(idsOf(topicsOf(m_chongqing, chongqing)), theirs);
}

QTEST_GUILESS_MAIN(TestTopicRoutes)
#include "tst_topicroutes.moc"
