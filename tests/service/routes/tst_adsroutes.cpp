#include "support/service/ReferenceService.h"

#include <QHash>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QScopedPointer>
#include <QSet>
#include <QTest>
#include <QVector>

namespace {

using Headers = ReferenceService::Headers;
using Pieces = ReferenceService::Pieces;

const QString kPosts = QStringLiteral("api/mtore/lunboposts");
const QString kAdd = QStringLiteral("api/mtore/lunboadd");
const QString kModify = QStringLiteral("api/mtore/lunbomodify");
const QString kDelete = QStringLiteral("api/mtore/lunbodelete");
const QString kSort = QStringLiteral("api/mtore/lunbopaixu");
const QString kNewHouses = QStringLiteral("api/nhouse/posts");
const QString kNoRight = QStringLiteral("您当前没有权利操作，请联系管理员！");
const QString kMissing = QStringLiteral("该轮播图不存在或已被删除");
const int kAgentJob = 2; // the staff member's job role: right 65 (own listings) and 148, no 69

// What a user may type and a careless form body would break.
const QString kAwkward = QStringLiteral("A&B=C+D 100% \"引号\" '单引号' %26 #1 <新房列表页>");

Pieces advertForm(const QString& photo, int type, qint64 itemid, const QString& title)
{
    return {piece("title", title), piece("photo", photo), piece("type", type), piece("itemid", itemid)};
}

Pieces with(Pieces pieces, const QPair<QString, QString>& extra)
{
    pieces.append(extra);
    return pieces;
}

QList<qint64> idsOf(const QJsonArray& adverts)
{
    QList<qint64> ids;
    for (const QJsonValue& advert : adverts)
        ids.append(advert.toObject().value(QStringLiteral("id")).toInt());
    return ids;
}

// Each row's "id" with its text under key.
QHash<qint64, QString> titlesById(const QJsonArray& rows, const QString& key)
{
    QHash<qint64, QString> titles;
    for (const QJsonValue& row : rows)
        titles.insert(row.toObject().value(QStringLiteral("id")).toInt(), row.toObject().value(key).toString());
    return titles;
}

} // namespace

class TestAdsRoutes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void needsSession();
    void seededAdvertsOfEachLinkType();
    void seededLinksNameRealItems();
    void seededBannersAreServed();
    void roundTripKeepsWhatWasTyped();
    void refused_data();
    void refused();
    void reorderingShowsInTheNextList();
    void rightsOfStaff();
    void otherCompanySeesAndTouchesNothing();
    void deletedJobLeavesNoLinkBehind();
    void fiftyAdvertsAtMost();
    void newHousePicker();

private:
    QJsonArray advertsOf(const Headers& who) const { return m_service->call(kPosts, {}, who).data().toArray(); }
    QList<qint64> order(const Headers& who) const { return idsOf(advertsOf(who)); }
    QJsonObject advertOf(const Headers& who, qint64 id) const
    {
        for (const QJsonValue& advert : advertsOf(who)) {
            if (advert.toObject().value(QStringLiteral("id")).toInt() == id)
                return advert.toObject();
        }
        return {};
    }
    QString somePhoto() const
    {
        return advertsOf(m_manager).first().toObject().value(QStringLiteral("photo")).toString();
    }

    QScopedPointer<ReferenceService> m_service;
    Headers m_manager;   // 安居地产's manager
    Headers m_staff;     // 安居地产's agent, job role 2
    Headers m_chongqing; // 山城置业's manager
    Headers m_rongcheng; // 蓉城房产's manager, no adverts
};

void TestAdsRoutes::initTestCase()
{
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    m_manager = m_service->login(QStringLiteral("13800000000"));
    m_staff = m_service->login(QStringLiteral("13800000001"));
    m_chongqing = m_service->login(QStringLiteral("13900000000"));
    m_rongcheng = m_service->login(QStringLiteral("13700000000"));
    QVERIFY(!m_manager.isEmpty() && !m_staff.isEmpty() && !m_chongqing.isEmpty() && !m_rongcheng.isEmpty());
}

void TestAdsRoutes::cleanupTestCase()
{
    QCOMPARE(m_service->stop(), 0);
}

void TestAdsRoutes::needsSession()
{
    for (const QString& path : {kPosts, kAdd, kModify, kDelete, kSort, kNewHouses})
        QCOMPARE(m_service->call(path, {piece("id", 1), piece("type", 1)}, {}).code(), 400);
}

void TestAdsRoutes::seededAdvertsOfEachLinkType()
{
    const ReferenceService::Reply reply = m_service->call(kPosts, {}, m_manager);
    QCOMPARE(reply.code(), 200);
    // The page reads an array, not a paged object.
    QVERIFY(reply.data().isArray());
    const QJsonArray adverts = reply.data().toArray();
    QCOMPARE(adverts.size(), 30);
    const QStringList listPages = {QString(), QStringLiteral("<新房列表页>"), QStringLiteral("<二手房列表页>"),
                                   QStringLiteral("<租房列表页>"), QStringLiteral("<招聘列表页>"), QString()};
    QVector<int> perType(6, 0);
    for (int i = 0; i < adverts.size(); ++i) {
        const QJsonObject advert = adverts.at(i).toObject();
        for (const char* key : {"id", "title", "photo", "type", "itemid"})
            QVERIFY2(advert.contains(QLatin1String(key)), key);
        const int id = advert.value(QStringLiteral("id")).toInt();
        const int type = advert.value(QStringLiteral("type")).toInt();
        const int itemid = advert.value(QStringLiteral("itemid")).toInt();
        QCOMPARE(id, i + 1);
        QCOMPARE(type, i % 6);
        ++perType[type];
        if (type == 0 || type == 5 || id <= 6) {
            QCOMPARE(itemid, 0);
            QCOMPARE(advert.value(QStringLiteral("title")).toString(), listPages.at(type));
        } else {
            QVERIFY(itemid > 0);
        }
    }
    QCOMPARE(perType, QVector<int>(6, 5));

    QCOMPARE(order(m_chongqing), QList<qint64>({31, 32, 33}));
    const ReferenceService::Reply none = m_service->call(kPosts, {}, m_rongcheng);
    QCOMPARE(none.code(), 200);
    QVERIFY(none.data().isArray());
    QCOMPARE(none.data().toArray().size(), 0);
}

void TestAdsRoutes::seededLinksNameRealItems()
{
    const Pieces all = {piece("pageindex", 1), piece("pagesize", 100)};
    const QString houses = QStringLiteral("api/mtore/mshouseposts");
    const QHash<int, QHash<qint64, QString>> items = {
        {1, titlesById(m_service->call(kNewHouses, all, m_manager).rows(), QStringLiteral("name"))},
        {2, titlesById(m_service->call(houses, with(all, piece("type", 0)), m_manager).rows(),
                       QStringLiteral("title"))},
        {3, titlesById(m_service->call(houses, with(all, piece("type", 1)), m_manager).rows(),
                       QStringLiteral("title"))},
        {4, titlesById(m_service->call(QStringLiteral("api/mtore/joinusposts"), {}, m_manager).rows(),
                       QStringLiteral("title"))},
    };
    int linked = 0;
    for (const QJsonValue& value : advertsOf(m_manager)) {
        const QJsonObject advert = value.toObject();
        const qint64 itemid = advert.value(QStringLiteral("itemid")).toInt();
        if (itemid == 0)
            continue;
        const QHash<qint64, QString> kind = items.value(advert.value(QStringLiteral("type")).toInt());
        QVERIFY2(kind.contains(itemid), qPrintable(QString::number(itemid)));
        QCOMPARE(advert.value(QStringLiteral("title")).toString(), kind.value(itemid));
        ++linked;
    }
    QCOMPARE(linked, 16);
}

void TestAdsRoutes::seededBannersAreServed()
{
    QSet<QString> photos;
    for (const QJsonValue& advert : advertsOf(m_manager))
        photos.insert(advert.toObject().value(QStringLiteral("photo")).toString());
    QCOMPARE(photos.size(), 6);
    for (const QString& address : photos) {
        QVERIFY2(address.startsWith(m_service->baseUrl() + QStringLiteral("files/")), qPrintable(address));
        const ReferenceService::Reply picture = m_service->get(address);
        QCOMPARE(picture.httpStatus, 200);
        QCOMPARE(QImage::fromData(picture.body).size(), QSize(1080, 450));
    }
}

void TestAdsRoutes::roundTripKeepsWhatWasTyped()
{
    const QList<qint64> before = order(m_manager);
    const QString photo = QStringLiteral("https://img.example.com/a/b.jpg?x=1&y=%E4%B8%AD#top");
    const qint64 job = m_service->call(QStringLiteral("api/mtore/joinusposts"), {}, m_manager).ids().first();

    const ReferenceService::Reply added = m_service->call(kAdd, advertForm(photo, 4, job, kAwkward), m_manager);
    QCOMPARE(added.code(), 200);
    const QJsonObject advert = added.data().toObject();
    const qint64 id = advert.value(QStringLiteral("id")).toInt();
    QVERIFY(id > 0);
    // A new advert goes last.
    QCOMPARE(order(m_manager), QList<qint64>(before) << id);
    QCOMPARE(advertOf(m_manager, id), advert);
    QCOMPARE(advert.value(QStringLiteral("title")).toString(), kAwkward);
    QCOMPARE(advert.value(QStringLiteral("photo")).toString(), photo);
    QCOMPARE(advert.value(QStringLiteral("type")).toInt(), 4);
    QCOMPARE(advert.value(QStringLiteral("itemid")).toInt(), job);
    // The staff member sees the same list.
    QCOMPARE(advertsOf(m_staff), advertsOf(m_manager));

    // No link: an empty title and item 0, as the form sends them; the advert keeps its place.
    const Pieces noLink = with(advertForm(somePhoto(), 0, 0, QString()), piece("id", id));
    const ReferenceService::Reply modified = m_service->call(kModify, noLink, m_manager);
    QCOMPARE(modified.code(), 200);
    QCOMPARE(advertOf(m_manager, id), modified.data().toObject());
    QCOMPARE(advertOf(m_manager, id).value(QStringLiteral("title")).toString(), QString());
    QCOMPARE(advertOf(m_manager, id).value(QStringLiteral("type")).toInt(), 0);
    QCOMPARE(order(m_manager).last(), id);
    // The company profile takes no item either; a list page is item 0 of its kind.
    for (const Pieces& form : {advertForm(somePhoto(), 5, 0, QStringLiteral("公司介绍")),
                               advertForm(somePhoto(), 3, 0, QStringLiteral("<租房列表页>"))}) {
        QCOMPARE(m_service->call(kModify, with(form, piece("id", id)), m_manager).code(), 200);
        QCOMPARE(advertOf(m_manager, id).value(QStringLiteral("title")).toString(), form.first().second);
    }

    QCOMPARE(m_service->call(kDelete, {piece("id", id)}, m_manager).code(), 200);
    QCOMPARE(order(m_manager), before);
    const ReferenceService::Reply again = m_service->call(kDelete, {piece("id", id)}, m_manager);
    QCOMPARE(again.code(), 405);
    QCOMPARE(again.message(), kMissing);
}

void TestAdsRoutes::refused_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<Pieces>("form");
    QTest::addColumn<QString>("message");
    const QString photo = QStringLiteral("http://127.0.0.1:1/files/a.jpg");
    const Pieces good = advertForm(photo, 2, 0, QStringLiteral("<二手房列表页>"));
    // Items of 安居地产: a house for rent (kind 1) and a project of 山城置业.
    const qint64 rentHouse = 27;
    const qint64 otherProject = 12;

    QTest::newRow("no picture") << kAdd << advertForm(QString(), 0, 0, QString()) << QStringLiteral("缺少参数：轮播图片");
    QTest::newRow("picture of blanks") << kAdd << advertForm(QStringLiteral("  "), 0, 0, QString())
                                       << QStringLiteral("缺少参数：轮播图片");
    QTest::newRow("script address") << kAdd << advertForm(QStringLiteral("javascript:alert(1)"), 0, 0, QString())
                                    << QStringLiteral("轮播图片的地址无效");
    QTest::newRow("local file") << kAdd << advertForm(QStringLiteral("file:///etc/passwd"), 0, 0, QString())
                                << QStringLiteral("轮播图片的地址无效");
    QTest::newRow("type 6") << kAdd << advertForm(photo, 6, 0, QString()) << QStringLiteral("参数超出范围：链接类型");
    QTest::newRow("type -1") << kAdd << advertForm(photo, -1, 0, QString()) << QStringLiteral("参数超出范围：链接类型");
    QTest::newRow("type of text") << kAdd << Pieces{piece("photo", photo), piece("type", QStringLiteral("新房"))}
                                  << QStringLiteral("参数格式错误：链接类型");
    QTest::newRow("no type") << kAdd << Pieces{piece("photo", photo)} << QStringLiteral("缺少参数：链接类型");
    QTest::newRow("item -1") << kAdd << advertForm(photo, 1, -1, QString()) << QStringLiteral("参数超出范围：链接编号");
    QTest::newRow("item 1.5") << kAdd
                              << Pieces{piece("photo", photo), piece("type", 1), piece("itemid", QStringLiteral("1.5"))}
                              << QStringLiteral("参数格式错误：链接编号");
    QTest::newRow("no link with an item") << kAdd << advertForm(photo, 0, 1, QString())
                                          << QStringLiteral("该链接类型不能选择具体位置");
    QTest::newRow("profile with an item") << kAdd << advertForm(photo, 5, 1, QString())
                                          << QStringLiteral("该链接类型不能选择具体位置");
    QTest::newRow("unknown project") << kAdd << advertForm(photo, 1, 987654, QStringLiteral("x"))
                                     << QStringLiteral("所选新房不存在或已被删除");
    QTest::newRow("another company's project") << kAdd << advertForm(photo, 1, otherProject, QStringLiteral("x"))
                                               << QStringLiteral("所选新房不存在或已被删除");
    QTest::newRow("a rent house as a sale") << kAdd << advertForm(photo, 2, rentHouse, QStringLiteral("x"))
                                            << QStringLiteral("所选房源不存在或已被删除");
    QTest::newRow("unknown job") << kAdd << advertForm(photo, 4, 987654, QStringLiteral("x"))
                                 << QStringLiteral("所选职位不存在或已被删除");
    QTest::newRow("title too long") << kAdd << advertForm(photo, 0, 0, QString(201, QLatin1Char('x')))
                                    << QStringLiteral("参数过长：title");
    QTest::newRow("change without id") << kModify << good << QStringLiteral("缺少参数：轮播图编号");
    QTest::newRow("change, id 0") << kModify << with(good, piece("id", 0)) << QStringLiteral("参数超出范围：轮播图编号");
    QTest::newRow("change, id of text") << kModify << with(good, piece("id", QStringLiteral("1x")))
                                        << QStringLiteral("参数格式错误：轮播图编号");
    QTest::newRow("change, unknown id") << kModify << with(good, piece("id", 987654)) << kMissing;
    QTest::newRow("delete without id") << kDelete << Pieces{} << QStringLiteral("缺少参数：轮播图编号");
    QTest::newRow("delete, unknown id") << kDelete << Pieces{piece("id", 987654)} << kMissing;
    QTest::newRow("move, type 3") << kSort << Pieces{piece("id", 2), piece("type", 3)}
                                  << QStringLiteral("参数超出范围：排序类型");
    QTest::newRow("move, unknown id") << kSort << Pieces{piece("id", 987654), piece("type", 1)} << kMissing;
    QTest::newRow("move, no type") << kSort << Pieces{piece("id", 2)} << QStringLiteral("缺少参数：排序类型");
}

void TestAdsRoutes::refused()
{
    QFETCH(QString, path);
    QFETCH(Pieces, form);
    QFETCH(QString, message);
    const QJsonArray before = advertsOf(m_manager);
    const ReferenceService::Reply reply = m_service->call(path, form, m_manager);
    QCOMPARE(reply.code(), 405);
    QCOMPARE(reply.message(), message);
    QCOMPARE(advertsOf(m_manager), before);
}

void TestAdsRoutes::reorderingShowsInTheNextList()
{
    const QList<qint64> before = order(m_manager);
    const qint64 id = before.at(3);

    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 1)}, m_manager).code(), 200);
    QList<qint64> expected = before;
    expected.swapItemsAt(3, 2);
    QCOMPARE(order(m_manager), expected);

    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 2)}, m_manager).code(), 200);
    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 2)}, m_manager).code(), 200);
    expected = before;
    expected.swapItemsAt(3, 4);
    QCOMPARE(order(m_manager), expected);

    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 0)}, m_manager).code(), 200);
    expected.removeOne(id);
    expected.prepend(id);
    QCOMPARE(order(m_manager), expected);

    const ReferenceService::Reply first = m_service->call(kSort, {piece("id", id), piece("type", 1)}, m_manager);
    QCOMPARE(first.code(), 405);
    QCOMPARE(first.message(), QStringLiteral("已经排在最前面了，无法上移"));
    const ReferenceService::Reply last =
        m_service->call(kSort, {piece("id", expected.last()), piece("type", 2)}, m_manager);
    QCOMPARE(last.code(), 405);
    QCOMPARE(last.message(), QStringLiteral("已经排在最后面了，无法下移"));
    QCOMPARE(order(m_manager), expected);

    // A deleted advert leaves no gap: the next move still swaps neighbours of the list.
    const ReferenceService::Reply added =
        m_service->call(kAdd, advertForm(somePhoto(), 0, 0, QString()), m_manager);
    const qint64 addedId = added.data().toObject().value(QStringLiteral("id")).toInt();
    QCOMPARE(m_service->call(kDelete, {piece("id", expected.at(1))}, m_manager).code(), 200);
    expected.removeAt(1);
    expected.append(addedId);
    QCOMPARE(m_service->call(kSort, {piece("id", addedId), piece("type", 1)}, m_manager).code(), 200);
    expected.swapItemsAt(expected.size() - 1, expected.size() - 2);
    QCOMPARE(order(m_manager), expected);
    // A change keeps the place the user gave it.
    QCOMPARE(m_service->call(kModify, with(advertForm(somePhoto(), 5, 0, QString()), piece("id", addedId)), m_manager)
                 .code(),
             200);
    QCOMPARE(order(m_manager), expected);
}

void TestAdsRoutes::rightsOfStaff()
{
    const QList<qint64> before = order(m_manager);
    const QJsonArray adverts = advertsOf(m_manager);
    const qint64 id = before.at(5);
    const Pieces add = advertForm(somePhoto(), 0, 0, QString());
    const Pieces modify = with(add, piece("id", id));

    QCOMPARE(advertsOf(m_staff), adverts);
    QCOMPARE(m_service->call(kAdd, add, m_staff).message(), kNoRight);
    QCOMPARE(m_service->call(kModify, modify, m_staff).message(), kNoRight);
    QCOMPARE(m_service->call(kDelete, {piece("id", id)}, m_staff).message(), kNoRight);
    for (int type : {0, 1, 2})
        QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", type)}, m_staff).message(), kNoRight);
    // Refused before the form is read: a malformed request learns nothing more.
    QCOMPARE(m_service->call(kAdd, {}, m_staff).message(), kNoRight);
    QCOMPARE(advertsOf(m_manager), adverts);

    QVERIFY(m_service->selectJobRights(kAgentJob, {69}));
    const ReferenceService::Reply added = m_service->call(kAdd, add, m_staff);
    QCOMPARE(added.code(), 200);
    QCOMPARE(m_service->call(kModify, modify, m_staff).code(), 200);
    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 1)}, m_staff).code(), 200);
    QCOMPARE(order(m_manager).at(4), id);
    QCOMPARE(m_service->call(kDelete, {piece("id", added.data().toObject().value(QStringLiteral("id")).toInt())},
                             m_staff)
                 .code(),
             200);
    QCOMPARE(order(m_manager).size(), before.size());
    QVERIFY(m_service->selectJobRights(kAgentJob, {65, 148}));
    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 2)}, m_staff).message(), kNoRight);
}

void TestAdsRoutes::otherCompanySeesAndTouchesNothing()
{
    const QJsonArray ours = advertsOf(m_manager);
    const QList<qint64> theirs = order(m_chongqing);
    for (qint64 id : theirs)
        QVERIFY(!idsOf(ours).contains(id));
    const qint64 id = idsOf(ours).at(2);
    const Pieces form = with(advertForm(somePhoto(), 0, 0, QStringLiteral("山城改的")), piece("id", id));
    QCOMPARE(m_service->call(kModify, form, m_chongqing).message(), kMissing);
    QCOMPARE(m_service->call(kDelete, {piece("id", id)}, m_chongqing).message(), kMissing);
    QCOMPARE(m_service->call(kSort, {piece("id", id), piece("type", 0)}, m_chongqing).message(), kMissing);
    // Nor may its adverts link to our house.
    const qint64 ourHouse =
        m_service->call(QStringLiteral("api/mtore/mshouseposts"), {piece("type", 0)}, m_manager).ids().first();
    QCOMPARE(m_service->call(kAdd, advertForm(somePhoto(), 2, ourHouse, QStringLiteral("x")), m_chongqing).message(),
             QStringLiteral("所选房源不存在或已被删除"));
    QCOMPARE(advertsOf(m_manager), ours);
    QCOMPARE(order(m_chongqing), theirs);
    // Naming another company does not reach it either.
    QCOMPARE(m_service->call(kPosts, {piece("companyid", QStringLiteral("10001"))}, m_chongqing).code(), 405);
}

// A job deleted under an advert: the advert opens the job list instead, and the job's id is not
// handed to the next job, another company's included, so the advert can never point at it.
void TestAdsRoutes::deletedJobLeavesNoLinkBehind()
{
    const auto addJob = [this](const Headers& who) {
        const Pieces job = {piece("title", QStringLiteral("置业顾问")), piece("xinzi", QStringLiteral("8000")),
                            piece("xueli", QStringLiteral("本科")), piece("jingyan", QStringLiteral("1-3年")),
                            piece("address", QStringLiteral("春熙路")), piece("content", QStringLiteral("带看")),
                            piece("tags", QStringLiteral("五险一金")), piece("tel", QStringLiteral("028-86661234"))};
        return m_service->call(QStringLiteral("api/mtore/joinusadd"), job, who)
            .data().toObject().value(QStringLiteral("id")).toVariant().toLongLong();
    };
    const qint64 job = addJob(m_manager);
    QVERIFY(job > 0);
    const qint64 advert = m_service->call(kAdd, advertForm(somePhoto(), 4, job, QStringLiteral("招聘")), m_manager)
                              .data().toObject().value(QStringLiteral("id")).toVariant().toLongLong();
    QVERIFY(advert > 0);
    QCOMPARE(m_service->call(QStringLiteral("api/mtore/joinusdelete"), {piece("id", job)}, m_manager).code(), 200);
    QCOMPARE(advertOf(m_manager, advert).value(QStringLiteral("type")).toInt(), 4);
    QCOMPARE(advertOf(m_manager, advert).value(QStringLiteral("itemid")).toInt(), 0);
    QVERIFY(addJob(m_chongqing) > job);
    QVERIFY(addJob(m_manager) > job);
    QCOMPARE(advertOf(m_manager, advert).value(QStringLiteral("itemid")).toInt(), 0);
}

void TestAdsRoutes::fiftyAdvertsAtMost()
{
    const Pieces form = advertForm(somePhoto(), 0, 0, QString());
    for (int i = 0; i < 50; ++i)
        QCOMPARE(m_service->call(kAdd, form, m_rongcheng).code(), 200);
    const ReferenceService::Reply refused = m_service->call(kAdd, form, m_rongcheng);
    QCOMPARE(refused.code(), 405);
    QCOMPARE(refused.message(), QStringLiteral("首页轮播图最多50张，请先删除不用的"));
    QCOMPARE(advertsOf(m_rongcheng).size(), 50);
    QCOMPARE(m_service->call(kDelete, {piece("id", order(m_rongcheng).first())}, m_rongcheng).code(), 200);
    QCOMPARE(m_service->call(kAdd, form, m_rongcheng).code(), 200);
}

void TestAdsRoutes::newHousePicker()
{
    // The picker's request: the put-up projects in the site's order, twenty a page unless asked.
    const Pieces picker = {piece("wstore", 1), piece("pageindex", 1), piece("lianmai", 0)};
    const ReferenceService::Reply first = m_service->call(kNewHouses, picker, m_manager);
    QCOMPARE(first.code(), 200);
    const ReferenceService::Reply site = m_service->call(QStringLiteral("api/mtore/newhouseposts"),
                                                         {piece("wstore", 1), piece("pageindex", 1),
                                                          piece("pagesize", 100)},
                                                         m_manager);
    QVERIFY(first.total() > 0);
    QCOMPARE(first.total(), site.total());
    QCOMPARE(first.ids(), site.ids());
    QCOMPARE(first.texts(QStringLiteral("name")), site.texts(QStringLiteral("name")));
    for (const QJsonValue& row : first.rows())
        QVERIFY(row.toObject().value(QStringLiteral("wstore")).toBool());
    const ReferenceService::Reply everything = m_service->call(kNewHouses, {}, m_manager);
    QVERIFY(everything.total() > first.total());
    QCOMPARE(everything.rows().size(), qMin(everything.total(), 20));

    const Pieces second = {piece("pagesize", 2), piece("pageindex", 2)};
    QCOMPARE(m_service->call(kNewHouses, second, m_manager).ids(), everything.ids().mid(2, 2));

    const ReferenceService::Reply found =
        m_service->call(kNewHouses, {piece("name", QStringLiteral("锦"))}, m_manager);
    QVERIFY(found.total() > 0);
    for (const QString& name : found.texts(QStringLiteral("name")))
        QVERIFY2(name.contains(QStringLiteral("锦")), qPrintable(name));
    QCOMPARE(m_service->call(kNewHouses, {piece("name", QStringLiteral("%"))}, m_manager).total(), 0);
    QCOMPARE(m_service->call(kNewHouses, {piece("name", QStringLiteral("&=+"))}, m_manager).total(), 0);

    const QList<qint64> ours = everything.ids();
    for (qint64 id : m_service->call(kNewHouses, {}, m_chongqing).ids())
        QVERIFY(!ours.contains(id));
    for (const Pieces& bad : {Pieces{piece("pageindex", 0)}, Pieces{piece("pagesize", 101)},
                              Pieces{piece("wstore", 2)}, Pieces{piece("pagesize", QStringLiteral("ten"))}})
        QCOMPARE(m_service->call(kNewHouses, bad, m_manager).code(), 405);
}

QTEST_GUILESS_MAIN(TestAdsRoutes)
#include "tst_adsroutes.moc"
