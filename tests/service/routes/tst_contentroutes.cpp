#include "support/service/DemoSessions.h"
#include "support/service/ReferenceService.h"
#include "support/service/TestImages.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QScopedPointer>
#include <QSet>
#include <QTest>

#include <initializer_list>

namespace {

using Headers = ReferenceService::Headers;
using Pieces = ReferenceService::Pieces;

const QString kProfile = QStringLiteral("api/mtore/companyinfo");
const QString kSaveProfile = QStringLiteral("api/mtore/companyinfoaddmod");
const QString kJobs = QStringLiteral("api/mtore/joinusposts");
const QString kAddJob = QStringLiteral("api/mtore/joinusadd");
const QString kModifyJob = QStringLiteral("api/mtore/joinusmodify");
const QString kDeleteJob = QStringLiteral("api/mtore/joinusdelete");
const QString kNoRight = QStringLiteral("您当前没有权利操作，请联系管理员！");
const QString kMissingJob = QStringLiteral("该职位不存在或已被删除");
const int kAgentJob = 2; // the staff member's job role: right 65 (own listings) and 148 only

// What a user may type and a careless form body would break: the form's separators, a plus, a
// percent sign, quotes, Chinese and line breaks.
const QString kAwkward = QStringLiteral("A&B=C+D 100% \"引号\" '单引号' %26 #1\n第二行\r\n第三行");

Pieces profileForm(const QString& content, const QString& photos)
{
    return {piece("content", content), piece("address", QStringLiteral("成都市锦江区春熙路 8号 & 9号")),
            piece("tel", QStringLiteral("+86 028-8666 1234")), piece("photos", photos)};
}

Pieces jobForm(const QString& title, const QString& tags)
{
    return {piece("title", title),
            piece("xinzi", QStringLiteral("8000+提成 (税前)")),
            piece("xueli", QStringLiteral("本科")),
            piece("jingyan", QStringLiteral("1-3年")),
            piece("address", QStringLiteral("春熙路 & 东大街")),
            piece("content", kAwkward),
            piece("tags", tags),
            piece("tel", QStringLiteral("028-86661234"))};
}

Pieces with(Pieces pieces, const QPair<QString, QString>& extra)
{
    pieces.append(extra);
    return pieces;
}

// Texts written as UTF-8 literals.
QStringList texts(std::initializer_list<const char*> utf8)
{
    QStringList list;
    for (const char* text : utf8)
        list.append(QString::fromUtf8(text));
    return list;
}

QStringList strings(const QJsonValue& array)
{
    QStringList list;
    for (const QJsonValue& value : array.toArray())
        list.append(value.toString());
    return list;
}

} // namespace

class TestContentRoutes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void needsSession();
    void seededProfilesWithServedPictures_data();
    void seededProfilesWithServedPictures();
    void seededPostings();
    void profileRoundTripKeepsWhatWasTyped();
    void saveRefused_data();
    void saveRefused();
    void jobRoundTripKeepsWhatWasTyped();
    void tags_data();
    void tags();
    void postingsByPageAndTitle();
    void rightsOfStaff();
    void otherCompanySeesAndTouchesNothing();

private:
    QJsonObject profileOf(const Headers& who) const { return m_service->call(kProfile, {}, who).data().toObject(); }
    QJsonArray jobsOf(const Headers& who) const { return m_service->call(kJobs, {}, who).rows(); }
    QJsonObject jobOf(const Headers& who, qint64 id) const
    {
        for (const QJsonValue& row : jobsOf(who)) {
            if (row.toObject().value(QStringLiteral("id")).toInt() == id)
                return row.toObject();
        }
        return {};
    }

    QScopedPointer<ReferenceService> m_service;
    Headers m_manager;   // 安居地产's manager
    Headers m_staff;     // 安居地产's agent, job role 2
    Headers m_chongqing; // 山城置业's manager
};

void TestContentRoutes::initTestCase()
{
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    const DemoSessions demo = DemoSessions::login(*m_service);
    QVERIFY(demo.complete());
    m_manager = demo.manager;
    m_staff = demo.staff;
    m_chongqing = demo.chongqing;
}

void TestContentRoutes::cleanupTestCase()
{
    QCOMPARE(m_service->stop(), 0);
}

void TestContentRoutes::needsSession()
{
    for (const QString& path : {kProfile, kSaveProfile, kJobs, kAddJob, kModifyJob, kDeleteJob})
        QCOMPARE(m_service->call(path, {piece("id", 1)}, {}).code(), 400);
}

void TestContentRoutes::seededProfilesWithServedPictures_data()
{
    QTest::addColumn<QString>("phone");
    QTest::addColumn<int>("photos");
    QTest::newRow("安居地产") << QStringLiteral("13800000000") << 3;
    QTest::newRow("山城置业") << QStringLiteral("13900000000") << 1;
    QTest::newRow("蓉城房产, no pictures") << QStringLiteral("13700000000") << 0;
}

void TestContentRoutes::seededProfilesWithServedPictures()
{
    QFETCH(QString, phone);
    QFETCH(int, photos);
    const ReferenceService::Reply reply = m_service->call(kProfile, {}, m_service->login(phone));
    QCOMPARE(reply.code(), 200);
    const QJsonObject profile = reply.data().toObject();
    for (const char* key : {"content", "address", "tel"})
        QVERIFY2(!profile.value(QLatin1String(key)).toString().isEmpty(), key);
    const QJsonValue list = profile.value(QStringLiteral("photos"));
    QVERIFY(list.isArray());
    QCOMPARE(list.toArray().size(), photos);
    for (const QString& address : strings(list)) {
        QVERIFY2(address.startsWith(m_service->baseUrl() + QStringLiteral("files/")), qPrintable(address));
        const ReferenceService::Reply picture = m_service->get(address);
        QCOMPARE(picture.httpStatus, 200);
        QCOMPARE(picture.contentType, QByteArrayLiteral("image/jpeg"));
        QCOMPARE(QImage::fromData(picture.body).size(), QSize(640, 400));
    }
}

void TestContentRoutes::seededPostings()
{
    const ReferenceService::Reply reply = m_service->call(kJobs, {}, m_manager);
    QCOMPARE(reply.code(), 200);
    QCOMPARE(reply.total(), 6);
    const QJsonArray rows = reply.rows();
    QCOMPARE(rows.size(), 6);
    QCOMPARE(rows.first().toObject().value(QStringLiteral("title")).toString(), QStringLiteral("置业顾问"));
    const QStringList education = texts({"学历不限", "小学", "中学", "高中", "大专", "本科", "硕士", "博士"});
    const QStringList experience = texts({"经验不限", "实习生", "应届毕业生", "1年以内", "1-3年", "3-5年", "5年以上"});
    for (const QJsonValue& row : rows) {
        const QJsonObject job = row.toObject();
        QVERIFY(job.value(QStringLiteral("id")).toInt() > 0);
        for (const char* key : {"title", "xinzi", "address", "content", "tel"})
            QVERIFY2(!job.value(QLatin1String(key)).toString().isEmpty(), key);
        // The editor selects these by their text.
        QVERIFY(education.contains(job.value(QStringLiteral("xueli")).toString()));
        QVERIFY(experience.contains(job.value(QStringLiteral("jingyan")).toString()));
        QVERIFY(!strings(job.value(QStringLiteral("tags"))).isEmpty());
    }
    QCOMPARE(m_service->call(kJobs, {}, m_chongqing).total(), 2);
    QCOMPARE(m_service->call(kJobs, {}, m_service->login(QStringLiteral("13700000000"))).total(), 1);
}

void TestContentRoutes::profileRoundTripKeepsWhatWasTyped()
{
    const QByteArray photo = TestImages::encode(TestImages::filled(QSize(320, 200), Qt::darkCyan), "JPEG");
    const ReferenceService::Reply uploaded =
        m_service->upload(QStringLiteral("api/app/upphoto"), {{QStringLiteral("type"), QStringLiteral("11")}},
                          QStringLiteral("file"), QStringLiteral("门店.jpg"), photo, m_manager);
    QCOMPARE(uploaded.code(), 200);
    const QString kept = strings(profileOf(m_manager).value(QStringLiteral("photos"))).first();
    const QStringList photos = {uploaded.message(), QStringLiteral("https://img.example.com/a/b.png?x=1&y=%E4%B8%AD"),
                                kept};

    const Pieces form = profileForm(kAwkward, photos.join(QLatin1Char(',')));
    const ReferenceService::Reply saved = m_service->call(kSaveProfile, form, m_manager);
    QCOMPARE(saved.code(), 200);
    for (const Headers& reader : {m_manager, m_staff}) {
        const QJsonObject profile = profileOf(reader);
        QCOMPARE(profile.value(QStringLiteral("content")).toString(), kAwkward);
        QCOMPARE(profile.value(QStringLiteral("address")).toString(), form.at(1).second);
        QCOMPARE(profile.value(QStringLiteral("tel")).toString(), form.at(2).second);
        QCOMPARE(strings(profile.value(QStringLiteral("photos"))), photos);
    }
    QCOMPARE(saved.data().toObject(), profileOf(m_manager));
}

void TestContentRoutes::saveRefused_data()
{
    const QString a = QStringLiteral("http://127.0.0.1:1/files/a.jpg");
    const QString b = QStringLiteral("https://img.example.com/b.jpg");
    QTest::addColumn<QString>("path");
    QTest::addColumn<Pieces>("form");
    QTest::addColumn<QString>("message");
    const auto photos = [](const QString& joined) { return profileForm(QStringLiteral("介绍"), joined); };

    QTest::newRow("failed upload last") << kSaveProfile << photos(a + QStringLiteral(","))
                                        << QStringLiteral("第2张图片没有地址，请重新上传");
    QTest::newRow("failed upload between") << kSaveProfile << photos(a + QStringLiteral(",,") + b)
                                           << QStringLiteral("第2张图片没有地址，请重新上传");
    QTest::newRow("failed upload first") << kSaveProfile << photos(QStringLiteral(",") + a)
                                         << QStringLiteral("第1张图片没有地址，请重新上传");
    QTest::newRow("blank address") << kSaveProfile << photos(a + QStringLiteral(",  ,") + b)
                                   << QStringLiteral("第2张图片没有地址，请重新上传");
    QTest::newRow("no photo") << kSaveProfile << photos(QString()) << QStringLiteral("请至少选择一张图片");
    QTest::newRow("script address") << kSaveProfile << photos(a + QStringLiteral(",javascript:alert(1)"))
                                    << QStringLiteral("第2张图片的地址无效");
    QTest::newRow("no host") << kSaveProfile << photos(QStringLiteral("http:///x.jpg"))
                             << QStringLiteral("第1张图片的地址无效");
    QTest::newRow("blank inside") << kSaveProfile << photos(QStringLiteral("http://x.cn/a b.jpg"))
                                  << QStringLiteral("第1张图片的地址无效");
    QTest::newRow("no introduction") << kSaveProfile << profileForm(QString(), a) << QStringLiteral("缺少参数：公司介绍");
    QTest::newRow("introduction of blanks") << kSaveProfile << profileForm(QStringLiteral(" \n "), a)
                                            << QStringLiteral("缺少参数：公司介绍");
    Pieces noAddress = profileForm(QStringLiteral("介绍"), a);
    noAddress.removeAt(1);
    QTest::newRow("no address") << kSaveProfile << noAddress << QStringLiteral("缺少参数：公司地址");
    Pieces noTel = profileForm(QStringLiteral("介绍"), a);
    noTel[2].second.clear();
    QTest::newRow("no telephone") << kSaveProfile << noTel << QStringLiteral("缺少参数：公司联系电话");

    const Pieces full = jobForm(QStringLiteral("职位"), QStringLiteral("a"));
    const QStringList keys = texts({"title", "xinzi", "address", "tel", "content"});
    const QStringList labels = texts({"职位名称", "职位薪资", "工作地点", "联系电话", "职位描述"});
    for (int i = 0; i < keys.size(); ++i) {
        Pieces form;
        for (const auto& field : full) {
            if (field.first != keys.at(i))
                form.append(field);
        }
        QTest::addRow("add without %s", qPrintable(keys.at(i)))
            << kAddJob << form << QStringLiteral("缺少参数：%1").arg(labels.at(i));
    }
    Pieces blankTitle = full;
    blankTitle[0].second = QStringLiteral("  ");
    QTest::newRow("add, title of blanks") << kAddJob << blankTitle << QStringLiteral("缺少参数：职位名称");
    QTest::newRow("change without id") << kModifyJob << full << QStringLiteral("缺少参数：职位编号");
    QTest::newRow("change, id not a number") << kModifyJob << with(full, piece("id", QStringLiteral("1x")))
                                             << QStringLiteral("参数格式错误：职位编号");
    QTest::newRow("change, id 0") << kModifyJob << with(full, piece("id", 0)) << QStringLiteral("参数超出范围：职位编号");
    QTest::newRow("change, id -3") << kModifyJob << with(full, piece("id", -3))
                                   << QStringLiteral("参数超出范围：职位编号");
    QTest::newRow("change, unknown id") << kModifyJob << with(full, piece("id", 987654)) << kMissingJob;
    QTest::newRow("delete without id") << kDeleteJob << Pieces{} << QStringLiteral("缺少参数：职位编号");
    QTest::newRow("delete, id 1.5") << kDeleteJob << Pieces{piece("id", QStringLiteral("1.5"))}
                                    << QStringLiteral("参数格式错误：职位编号");
    QTest::newRow("delete, unknown id") << kDeleteJob << Pieces{piece("id", 987654)} << kMissingJob;
}

void TestContentRoutes::jobRoundTripKeepsWhatWasTyped()
{
    const QString title = QStringLiteral("C++ & Qt 工程师 100%");
    const ReferenceService::Reply added =
        m_service->call(kAddJob, jobForm(title, QStringLiteral("五险一金,A&B")), m_manager);
    QCOMPARE(added.code(), 200);
    const qint64 id = added.data().toObject().value(QStringLiteral("id")).toInt();
    QVERIFY(id > 0);
    QCOMPARE(jobsOf(m_manager).first().toObject().value(QStringLiteral("id")).toInt(), id);

    const QJsonObject job = jobOf(m_manager, id);
    QCOMPARE(job, added.data().toObject());
    QCOMPARE(job.value(QStringLiteral("title")).toString(), title);
    QCOMPARE(job.value(QStringLiteral("xinzi")).toString(), QStringLiteral("8000+提成 (税前)"));
    QCOMPARE(job.value(QStringLiteral("xueli")).toString(), QStringLiteral("本科"));
    QCOMPARE(job.value(QStringLiteral("jingyan")).toString(), QStringLiteral("1-3年"));
    QCOMPARE(job.value(QStringLiteral("address")).toString(), QStringLiteral("春熙路 & 东大街"));
    QCOMPARE(job.value(QStringLiteral("content")).toString(), kAwkward);
    QCOMPARE(job.value(QStringLiteral("tel")).toString(), QStringLiteral("028-86661234"));
    QCOMPARE(strings(job.value(QStringLiteral("tags"))), texts({"五险一金", "A&B"}));

    const ReferenceService::Reply modified =
        m_service->call(kModifyJob, with(jobForm(QStringLiteral("改名 + 加薪"), QString()), piece("id", id)), m_manager);
    QCOMPARE(modified.code(), 200);
    QCOMPARE(jobOf(m_manager, id).value(QStringLiteral("title")).toString(), QStringLiteral("改名 + 加薪"));
    QCOMPARE(strings(jobOf(m_manager, id).value(QStringLiteral("tags"))), QStringList());
    QCOMPARE(jobOf(m_manager, id), modified.data().toObject());

    QCOMPARE(m_service->call(kDeleteJob, {piece("id", id)}, m_manager).code(), 200);
    QVERIFY(jobOf(m_manager, id).isEmpty());
    QCOMPARE(m_service->call(kJobs, {}, m_manager).total(), 6);
    const ReferenceService::Reply again = m_service->call(kDeleteJob, {piece("id", id)}, m_manager);
    QCOMPARE(again.code(), 405);
    QCOMPARE(again.message(), kMissingJob);
    QCOMPARE(m_service->call(kModifyJob, with(jobForm(title, QString()), piece("id", id)), m_manager).message(),
             kMissingJob);
}

void TestContentRoutes::tags_data()
{
    QTest::addColumn<bool>("sent");
    QTest::addColumn<QString>("tags");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("not sent") << false << QString() << QStringList();
    QTest::newRow("empty") << true << QString() << QStringList();
    QTest::newRow("one") << true << QStringLiteral("五险一金") << texts({"五险一金"});
    QTest::newRow("gaps dropped") << true << QStringLiteral(",a,,b,") << texts({"a", "b"});
    QTest::newRow("only commas") << true << QStringLiteral(",,,") << QStringList();
    QTest::newRow("a tag of spaces kept") << true << QStringLiteral("   ") << texts({"   "});
    QTest::newRow("blanks around kept") << true << QStringLiteral(" a , b") << texts({" a ", " b"});
    QTest::newRow("awkward characters") << true << QStringLiteral("&+%=,\"中文\"") << texts({"&+%=", "\"中文\""});
}

void TestContentRoutes::tags()
{
    QFETCH(bool, sent);
    QFETCH(QString, tags);
    QFETCH(QStringList, expected);
    Pieces form = jobForm(QStringLiteral("标签测试"), tags);
    if (!sent)
        form.removeAt(6);
    const ReferenceService::Reply added = m_service->call(kAddJob, form, m_manager);
    QCOMPARE(added.code(), 200);
    const qint64 id = added.data().toObject().value(QStringLiteral("id")).toInt();
    QCOMPARE(strings(jobOf(m_manager, id).value(QStringLiteral("tags"))), expected);

    // A change is read the same way.
    QCOMPARE(m_service->call(kModifyJob, with(jobForm(QStringLiteral("标签测试"), QStringLiteral("x")), piece("id", id)),
                             m_manager).code(),
             200);
    QCOMPARE(strings(jobOf(m_manager, id).value(QStringLiteral("tags"))), texts({"x"}));
    form.append(piece("id", id));
    QCOMPARE(m_service->call(kModifyJob, form, m_manager).code(), 200);
    QCOMPARE(strings(jobOf(m_manager, id).value(QStringLiteral("tags"))), expected);
    QCOMPARE(m_service->call(kDeleteJob, {piece("id", id)}, m_manager).code(), 200);
}

void TestContentRoutes::saveRefused()
{
    QFETCH(QString, path);
    QFETCH(Pieces, form);
    QFETCH(QString, message);
    const QJsonObject profile = profileOf(m_manager);
    const QJsonArray jobs = jobsOf(m_manager);
    const ReferenceService::Reply reply = m_service->call(path, form, m_manager);
    QCOMPARE(reply.code(), 405);
    QCOMPARE(reply.message(), message);
    QCOMPARE(profileOf(m_manager), profile);
    QCOMPARE(jobsOf(m_manager), jobs);
}

void TestContentRoutes::postingsByPageAndTitle()
{
    const QList<qint64> all = m_service->call(kJobs, {}, m_manager).ids();
    QCOMPARE(all.size(), 6);
    const ReferenceService::Reply first =
        m_service->call(kJobs, {piece("pageindex", 1), piece("pagesize", 4)}, m_manager);
    QCOMPARE(first.total(), 6);
    QCOMPARE(first.ids(), all.mid(0, 4));
    QCOMPARE(m_service->call(kJobs, {piece("pageindex", 2), piece("pagesize", 4)}, m_manager).ids(), all.mid(4));
    // The link picker sends only the page: twenty a page.
    QCOMPARE(m_service->call(kJobs, {piece("pageindex", 2)}, m_manager).ids(), QList<qint64>());
    QCOMPARE(m_service->call(kJobs, {piece("pageindex", 1)}, m_manager).ids(), all);

    const ReferenceService::Reply found = m_service->call(kJobs, {piece("key", QStringLiteral("顾问"))}, m_manager);
    QCOMPARE(found.texts(QStringLiteral("title")), texts({"置业顾问", "租赁顾问"}));
    QCOMPARE(m_service->call(kJobs, {piece("key", QStringLiteral("%"))}, m_manager).total(), 0);

    for (const Pieces& bad : {Pieces{piece("pageindex", 0)}, Pieces{piece("pagesize", 101)},
                              Pieces{piece("pagesize", QStringLiteral("ten"))}})
        QCOMPARE(m_service->call(kJobs, bad, m_manager).code(), 405);
}

void TestContentRoutes::rightsOfStaff()
{
    const qint64 id = jobsOf(m_manager).first().toObject().value(QStringLiteral("id")).toInt();
    const QJsonObject profileBefore = profileOf(m_manager);
    const QJsonArray jobsBefore = jobsOf(m_manager);
    const QString photo = strings(profileBefore.value(QStringLiteral("photos"))).first();
    const Pieces profile = profileForm(QStringLiteral("员工改的介绍"), photo);
    const Pieces add = jobForm(QStringLiteral("员工加的职位"), QString());
    const Pieces modify = with(add, piece("id", id));
    const Pieces remove = {piece("id", id)};

    // Reading is for everyone of the company.
    QCOMPARE(profileOf(m_staff), profileBefore);
    QCOMPARE(jobsOf(m_staff), jobsBefore);
    QCOMPARE(m_service->call(kSaveProfile, profile, m_staff).message(), kNoRight);
    QCOMPARE(m_service->call(kAddJob, add, m_staff).message(), kNoRight);
    QCOMPARE(m_service->call(kModifyJob, modify, m_staff).message(), kNoRight);
    QCOMPARE(m_service->call(kDeleteJob, remove, m_staff).message(), kNoRight);
    // Refused before the parameters are read: a malformed request learns nothing more.
    QCOMPARE(m_service->call(kDeleteJob, {}, m_staff).message(), kNoRight);
    QCOMPARE(profileOf(m_manager), profileBefore);
    QCOMPARE(jobsOf(m_manager), jobsBefore);

    QVERIFY(m_service->selectJobRights(kAgentJob, {68}));
    QCOMPARE(m_service->call(kSaveProfile, profile, m_staff).code(), 200);
    QCOMPARE(profileOf(m_manager).value(QStringLiteral("content")).toString(), QStringLiteral("员工改的介绍"));
    QCOMPARE(m_service->call(kAddJob, add, m_staff).message(), kNoRight);

    QVERIFY(m_service->selectJobRights(kAgentJob, {67}));
    QCOMPARE(m_service->call(kSaveProfile, profile, m_staff).message(), kNoRight);
    const ReferenceService::Reply added = m_service->call(kAddJob, add, m_staff);
    QCOMPARE(added.code(), 200);
    QCOMPARE(m_service->call(kModifyJob, modify, m_staff).code(), 200);
    QCOMPARE(jobOf(m_manager, id).value(QStringLiteral("title")).toString(), QStringLiteral("员工加的职位"));
    QCOMPARE(m_service->call(kDeleteJob, remove, m_staff).code(), 200);
    QCOMPARE(m_service->call(kDeleteJob, {piece("id", added.data().toObject().value(QStringLiteral("id")).toInt())},
                             m_staff)
                 .code(),
             200);
    QCOMPARE(jobsOf(m_manager).size(), jobsBefore.size() - 1);
    QVERIFY(m_service->selectJobRights(kAgentJob, {65, 148}));
}

void TestContentRoutes::otherCompanySeesAndTouchesNothing()
{
    const QJsonObject ourProfile = profileOf(m_manager);
    const QJsonArray ours = jobsOf(m_manager);
    QSet<qint64> ourIds;
    for (const QJsonValue& row : ours)
        ourIds.insert(row.toObject().value(QStringLiteral("id")).toInt());
    for (const QJsonValue& row : jobsOf(m_chongqing))
        QVERIFY(!ourIds.contains(row.toObject().value(QStringLiteral("id")).toInt()));

    const qint64 id = ours.first().toObject().value(QStringLiteral("id")).toInt();
    QCOMPARE(m_service->call(kModifyJob, with(jobForm(QStringLiteral("山城改的"), QString()), piece("id", id)),
                             m_chongqing)
                 .message(),
             kMissingJob);
    QCOMPARE(m_service->call(kDeleteJob, {piece("id", id)}, m_chongqing).message(), kMissingJob);
    const QString photo = strings(ourProfile.value(QStringLiteral("photos"))).first();
    QCOMPARE(m_service->call(kSaveProfile, profileForm(QStringLiteral("山城的介绍"), photo), m_chongqing).code(), 200);
    QCOMPARE(profileOf(m_chongqing).value(QStringLiteral("content")).toString(), QStringLiteral("山城的介绍"));
    QCOMPARE(profileOf(m_manager), ourProfile);
    QCOMPARE(jobsOf(m_manager), ours);
    // Naming another company does not reach it either.
    QCOMPARE(m_service->call(kJobs, {piece("companyid", QStringLiteral("10001"))}, m_chongqing).code(), 405);
}

QTEST_GUILESS_MAIN(TestContentRoutes)
#include "tst_contentroutes.moc"
