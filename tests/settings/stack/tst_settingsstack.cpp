#include "net/http/NetRequestObjecet.h"
#include "settings/basic/BasicSettingsForm.h"
#include "settings/basic/MircroWebSiteSetWidget.h"
#include "settings/permissions/PermissionMicroWebSiteWidget.h"
#include "settings/permissions/PermissionRangeChooseWidget.h"
#include "settings/stack/CustomTreeWidget.h"
#include "settings/stack/JobRights.h"
#include "settings/stack/MircroWebSiteSetStackWidget.h"
#include "support/service/ReferenceService.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/HostWindowFixture.h"
#include "support/ui/InputProbe.h"
#include "support/ui/LocalStoreFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/inputs/CustomComboBox.h"
#include "widgets/lists/LoadFailedView.h"
#include "widgets/sort/SortItemView.h"
#include "widgets/sort/SortWidget.h"

#include "CustomTabWidget.h"
#include "LocalDatabase.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QUrlQuery>
#include <QtTest>

#include <memory>

using Stack = MircroWebSiteSetStackWidget;

namespace {

const QString kManager = QStringLiteral("13800000000");
const QString kRightsPath = QStringLiteral("/api/workcenter/jobauthInfo");
const QString kSavePath = QStringLiteral("/api/workcenter/jobedit");

QJsonObject right(int id, bool selected)
{
    return QJsonObject{{QStringLiteral("id"), id}, {QStringLiteral("selected"), selected}, {QStringLiteral("range"), 0},
                       {QStringLiteral("bumens"), QJsonArray()}};
}

// A role's rights: an app 3 entry and, unless left out, the module's with rights 65 and 67.
QJsonArray rightsOfRole(bool withModule, bool granted)
{
    QJsonArray apps{QJsonObject{{QStringLiteral("id"), 3}, {QStringLiteral("content"), QJsonArray{right(5, true)}}}};
    if (withModule)
        apps.append(QJsonObject{{QStringLiteral("id"), 12}, {QStringLiteral("content"), QJsonArray{right(65, granted), right(67, granted)}}});
    return apps;
}

QVariantList contentOf(const QJsonArray& apps, int appId)
{
    for (const QJsonValue& app : apps) {
        if (app.toObject().value(QStringLiteral("id")).toInt() == appId)
            return app.toObject().value(QStringLiteral("content")).toArray().toVariantList();
    }
    return {};
}

// The module's rights of a role as the service stores them; `stored` says whether it stores any.
QJsonArray storedModuleRights(const ReferenceService& service, int jobId, bool* stored)
{
    const QString connection = QStringLiteral("stored-rights");
    QJsonArray content;
    {
        QSqlQuery query(service.inspect(connection));
        query.prepare(QStringLiteral("SELECT content FROM job_auth WHERE job_id = ? AND app_id = 12"));
        query.addBindValue(jobId);
        *stored = query.exec() && query.next();
        if (*stored)
            content = QJsonDocument::fromJson(query.value(0).toString().toUtf8()).array();
    }
    QSqlDatabase::removeDatabase(connection);
    return content;
}

// Keeps every other of the role's stored module rights, or none at all (the app's row goes).
bool thinStoredModuleRights(const ReferenceService& service, int jobId, bool keepHalf)
{
    bool stored = false;
    const QJsonArray all = storedModuleRights(service, jobId, &stored);
    if (!stored || all.isEmpty())
        return false;
    QJsonArray half;
    for (int i = 0; i < all.size(); i += 2)
        half.append(all.at(i));
    const QString connection = QStringLiteral("thin-rights");
    bool written = false;
    {
        QSqlQuery query(service.inspect(connection));
        if (keepHalf) {
            query.prepare(QStringLiteral("UPDATE job_auth SET content = ? WHERE job_id = ? AND app_id = 12"));
            query.addBindValue(QString::fromUtf8(QJsonDocument(half).toJson(QJsonDocument::Compact)));
        } else {
            query.prepare(QStringLiteral("DELETE FROM job_auth WHERE job_id = ? AND app_id = 12"));
        }
        query.addBindValue(jobId);
        written = query.exec() && query.numRowsAffected() == 1;
    }
    QSqlDatabase::removeDatabase(connection);
    return written;
}

QJsonObject rightIn(const QJsonArray& content, int id)
{
    for (const QJsonValue& entry : content) {
        if (entry.toObject().value(QStringLiteral("id")).toInt() == id)
            return entry.toObject();
    }
    return {};
}

} // namespace

class TestSettingsStack : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void mergingKeepsEveryChange();
    void pagesAreBuiltOnceAndTheTreeListsTheRoles();
    void savingBeforeAnyRoleIsRefused();
    void aRoleWithoutTheModuleShowsNoRights();
    void aLateReplyForALeftRoleIsDropped();
    void aRolesRightsAreSavedWithItsId();
    void everySettingAndARolesRightsRoundTrip();
    void aRoleIsSavedOnlyWithItsOwnRights();
    void aFailedRightsReadOffersRetryAndNoSave();
    void aRightsReplyThatIsNoListIsAFailedRead();
    void aRoleWithoutCompleteRightsCanBeGranted_data();
    void aRoleWithoutCompleteRightsCanBeGranted();

private:
    Stack* openStack();
    void chooseRole(Stack* stack, int index);
    // Opens the settings at the reference service and shows the rights of the role at `index`.
    Stack* openRoleAtService(ReferenceService& service, int index);

    ScriptedHttpServer m_server;
    std::unique_ptr<HostWindowFixture> m_host;
};

void TestSettingsStack::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
    QVERIFY(m_server.start());
    m_server.useAsApiBase();
}

void TestSettingsStack::init()
{
    m_server.clear();
    m_server.useAsApiBase();
    m_host = std::make_unique<HostWindowFixture>();
    LocalStoreFixture::storeUser(kManager, true, {});
    const QJsonArray jobs{QJsonObject{{QStringLiteral("id"), 1}, {QStringLiteral("name"), QStringLiteral("店长")}},
                          QJsonObject{{QStringLiteral("id"), 2}, {QStringLiteral("name"), QStringLiteral("经纪人")}},
                          QJsonObject{{QStringLiteral("id"), 3}, {QStringLiteral("name"), QStringLiteral("文员")}}};
    QVERIFY(LocalDatabase::writeBaseMessage(kManager, {{QStringLiteral("job"), QString::fromUtf8(QJsonDocument(jobs).toJson())}}));
    m_server.setReply(QStringLiteral("/api/mtore/getmstoreconfig"), ScriptedHttpServer::envelope(200, QString(), QJsonObject()));
    m_server.setReply(kSavePath, ScriptedHttpServer::envelope(200, QStringLiteral("成功")));
}

void TestSettingsStack::cleanup()
{
    AlertProbe::closeAll();
    m_host.reset();
}

Stack* TestSettingsStack::openStack()
{
    auto* stack = new Stack(m_host->tabs());
    stack->setWindowFlags(Qt::Window);
    stack->resize(812, 680);
    stack->show();
    return stack;
}

void TestSettingsStack::chooseRole(Stack* stack, int index)
{
    QTest::mouseClick(stack->tree()->titleLabel(), Qt::LeftButton);
    if (!stack->tree()->isExpanded())
        QTest::mouseClick(stack->tree()->titleLabel(), Qt::LeftButton);
    QTest::mouseClick(stack->tree()->rows().at(index), Qt::LeftButton);
}

void TestSettingsStack::mergingKeepsEveryChange()
{
    QList<QVariantMap> apps;
    QVERIFY(!JobRights::read(QJsonObject(), &apps));
    QVERIFY(JobRights::read(rightsOfRole(true, false), &apps));
    QVERIFY(JobRights::merge(&apps, 12, {right(67, true).toVariantMap(), right(148, true).toVariantMap(),
                                         QVariantMap{{QStringLiteral("selected"), true}}}));
    const QList<QVariantMap> content = JobRights::contentOf(apps, 12);
    QCOMPARE(content.size(), 3);
    QCOMPARE(content.at(1).value(QStringLiteral("id")).toInt(), 67);
    QVERIFY(content.at(1).value(QStringLiteral("selected")).toBool());
    // A right the stored content lacked is appended, not dropped.
    QCOMPARE(content.at(2).value(QStringLiteral("id")).toInt(), 148);
    QCOMPARE(JobRights::contentOf(apps, 3).size(), 1);
    QVERIFY(!JobRights::merge(&apps, 99, {right(1, true).toVariantMap()}));
}

void TestSettingsStack::pagesAreBuiltOnceAndTheTreeListsTheRoles()
{
    Stack* stack = openStack();
    QVERIFY(stack->basicPage());
    QVERIFY(!stack->stylePage());
    QCOMPARE(stack->tree()->names(), (QStringList{QStringLiteral("店长"), QStringLiteral("经纪人"), QStringLiteral("文员")}));
    QCOMPARE(stack->tree()->height(), 4 * 40);
    QVERIFY(!stack->tree()->isExpanded());
    QTest::mouseClick(stack->findChild<QPushButton*>(QStringLiteral("styleButton")), Qt::LeftButton);
    QPointer<MircroWebsiteStyleSetWidget> style = stack->stylePage();
    QVERIFY(style);
    QCOMPARE(stack->pages()->currentWidget(), style.data());
    QTest::mouseClick(stack->findChild<QPushButton*>(QStringLiteral("basicButton")), Qt::LeftButton);
    QTest::mouseClick(stack->findChild<QPushButton*>(QStringLiteral("styleButton")), Qt::LeftButton);
    QCOMPARE(stack->stylePage(), style.data());
    // The style page's changes redraw the main page.
    QSignalSpy refresh(stack, &Stack::refreshList);
    emit style->updateSetUI();
    QCOMPARE(refresh.count(), 1);
}

void TestSettingsStack::savingBeforeAnyRoleIsRefused()
{
    Stack* stack = openStack();
    QTest::mouseClick(stack->saveButton(), Qt::LeftButton);
    QVERIFY(!AlertProbe::answer(QStringLiteral("knowButton")).isEmpty());
    QVERIFY(m_server.requestsTo(kSavePath).isEmpty());
}

void TestSettingsStack::aRoleWithoutTheModuleShowsNoRights()
{
    m_server.setResponder(kRightsPath, [](const ScriptedHttpServer::Request& request) {
        const int id = QUrlQuery(QString::fromUtf8(request.body)).queryItemValue(QStringLiteral("id")).toInt();
        return ScriptedHttpServer::envelope(200, QString(), rightsOfRole(id != 3, true));
    });
    Stack* stack = openStack();
    QSignalSpy shown(stack, &Stack::rightsShown);
    chooseRole(stack, 0);
    QVERIFY(shown.wait(5000));
    QCOMPARE(stack->saveButton()->text(), QStringLiteral("保存<店长>设置"));
    QCOMPARE(stack->pages()->currentIndex(), 0);
    QSignalSpy changes(stack->permissionPage(), &PermissionMicroWebSiteWidget::valueChange);
    chooseRole(stack, 2);
    QVERIFY(shown.wait(5000));
    QCOMPARE(JobRights::contentOf(stack->authList(), 12).size(), 0);
    // A change on such a role starts its module rights rather than being lost.
    stack->dealBackValue(12, {right(67, true).toVariantMap()});
    QCOMPARE(JobRights::contentOf(stack->authList(), 12).size(), 1);
    QTest::mouseClick(stack->saveButton(), Qt::LeftButton);
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("保存<文员>权限设置成功！"));
    const QUrlQuery sent(QString::fromUtf8(m_server.requestsTo(kSavePath).first().body));
    QCOMPARE(sent.queryItemValue(QStringLiteral("id")), QStringLiteral("3"));
    const QJsonArray saved = QJsonDocument::fromJson(sent.queryItemValue(QStringLiteral("content"), QUrl::FullyDecoded).toUtf8()).array();
    QCOMPARE(contentOf(saved, 12).size(), 1);
    QCOMPARE(contentOf(saved, 3).size(), 1);
}

void TestSettingsStack::aLateReplyForALeftRoleIsDropped()
{
    m_server.setResponder(kRightsPath, [](const ScriptedHttpServer::Request& request) {
        const int id = QUrlQuery(QString::fromUtf8(request.body)).queryItemValue(QStringLiteral("id")).toInt();
        auto reply = ScriptedHttpServer::envelope(200, QString(), rightsOfRole(true, id == 1));
        reply.delayMs = id == 1 ? 600 : 0;
        return reply;
    });
    Stack* stack = openStack();
    QSignalSpy shown(stack, &Stack::rightsShown);
    chooseRole(stack, 0);
    chooseRole(stack, 1);
    QVERIFY(shown.wait(5000));
    QCOMPARE(stack->currentJobId(), 2);
    // Role 1's slow reply comes after role 2's: once every request has answered and gone, it has
    // been handled.
    QTRY_VERIFY_WITH_TIMEOUT(stack->findChildren<NetRequestObjecet*>().isEmpty(), 5000);
    QCOMPARE(m_server.requestsTo(kRightsPath).size(), 2);
    QCOMPARE(shown.count(), 1);
    for (const QVariantMap& item : JobRights::contentOf(stack->authList(), 12))
        QVERIFY(!item.value(QStringLiteral("selected")).toBool());
}

void TestSettingsStack::aRolesRightsAreSavedWithItsId()
{
    m_server.setReply(kRightsPath, ScriptedHttpServer::envelope(200, QString(), rightsOfRole(true, false)));
    Stack* stack = openStack();
    QSignalSpy shown(stack, &Stack::rightsShown);
    chooseRole(stack, 1);
    QVERIFY(shown.wait(5000));
    stack->dealBackValue(12, {right(65, true).toVariantMap()});
    QSignalSpy saved(stack, &Stack::rightsSaved);
    QTest::mouseClick(stack->saveButton(), Qt::LeftButton);
    QVERIFY(saved.wait(5000));
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("保存<经纪人>权限设置成功！"));
    const QUrlQuery sent(QString::fromUtf8(m_server.requestsTo(kSavePath).first().body));
    QCOMPARE(sent.queryItemValue(QStringLiteral("id")), QStringLiteral("2"));
    const QVariantList module = contentOf(
        QJsonDocument::fromJson(sent.queryItemValue(QStringLiteral("content"), QUrl::FullyDecoded).toUtf8()).array(), 12);
    QCOMPARE(module.size(), 2);
    QVERIFY(module.at(0).toMap().value(QStringLiteral("selected")).toBool());
    QVERIFY(!module.at(1).toMap().value(QStringLiteral("selected")).toBool());
}

// Against the reference service: change the basic settings and a role's rights, save both, open the
// settings again and find them as saved.
void TestSettingsStack::everySettingAndARolesRightsRoundTrip()
{
    ReferenceService service;
    QVERIFY2(service.isRunning(), qPrintable(service.errorString()));
    QVERIFY(LocalStoreFixture::loginAtService(service, kManager));

    Stack* stack = openStack();
    MircroWebSiteSetWidget* basic = stack->basicPage();
    QSignalSpy shown(basic, &MircroWebSiteSetWidget::dataShown);
    QVERIFY(shown.wait(10000));
    for (const QString& choice : {QStringLiteral("关闭"), QStringLiteral("手动推送"), QStringLiteral("房主"),
                                  QStringLiteral("样式一"), QStringLiteral("1行4个")})
        basic->button(choice)->click();
    QVERIFY(AlertProbe::answer(QStringLiteral("sureBtn")).contains(QStringLiteral("飞单风险")));
    basic->ownerChatBox()->setChecked(true);
    basic->ownerNumberBox()->setChecked(false);
    // The icon "求租" (id 7) is shown from now on.
    for (SortItemView* view : basic->grid(0)->itemViews()) {
        if (view->checkBox()->text() == QStringLiteral("求租") && !view->isChosen())
            view->checkBox()->click();
    }
    QSignalSpy saved(basic, &MircroWebSiteSetWidget::saved);
    QTest::mouseClick(basic->findChild<QPushButton*>(QStringLiteral("applyButton")), Qt::LeftButton);
    QVERIFY(saved.wait(10000));
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("设置微官网设置成功！"));

    QSignalSpy rights(stack, &Stack::rightsShown);
    chooseRole(stack, 1);
    QVERIFY(rights.wait(10000));
    QCheckBox* jobs = stack->permissionPage()->checkBox(67);
    QVERIFY(jobs);
    QVERIFY(!jobs->isChecked());
    jobs->click();
    QSignalSpy rightsSaved(stack, &Stack::rightsSaved);
    QTest::mouseClick(stack->saveButton(), Qt::LeftButton);
    QVERIFY(rightsSaved.wait(10000));
    AlertProbe::closeAll();
    delete stack;

    Stack* again = openStack();
    QSignalSpy shownAgain(again->basicPage(), &MircroWebSiteSetWidget::dataShown);
    QVERIFY(shownAgain.wait(10000));
    const BasicSettingsForm form = again->basicPage()->form();
    QCOMPARE(form.shenhe, 0);
    QCOMPARE(form.pushStyle, 3);
    QCOMPARE(form.moshi, 2);
    QVERIFY(form.ownerChat && !form.ownerNumber);
    QCOMPARE(form.bsearch, 1);
    QCOMPARE(form.menutype, 1);
    bool shownIcon = false;
    for (const QVariantMap& item : form.menushow)
        shownIcon = shownIcon || (item.value(QStringLiteral("id")).toInt() == 7 && item.value(QStringLiteral("choose")).toBool());
    QVERIFY(shownIcon);
    QSignalSpy rightsAgain(again, &Stack::rightsShown);
    chooseRole(again, 1);
    QVERIFY(rightsAgain.wait(10000));
    QVERIFY(again->permissionPage()->checkBox(67)->isChecked());
}

Stack* TestSettingsStack::openRoleAtService(ReferenceService& service, int index)
{
    if (!LocalStoreFixture::loginAtService(service, kManager))
        return nullptr;
    Stack* stack = openStack();
    QSignalSpy shown(stack, &Stack::rightsShown);
    chooseRole(stack, index);
    return shown.wait(10000) ? stack : nullptr;
}

// A click on another role's save button before its rights are in would write the rights on screen
// (the previous role's, with an unsaved change) under the new role.
void TestSettingsStack::aRoleIsSavedOnlyWithItsOwnRights()
{
    ReferenceService service;
    QVERIFY2(service.isRunning(), qPrintable(service.errorString()));
    Stack* stack = openRoleAtService(service, 0);
    QVERIFY(stack);
    const int secondJob = stack->jobList().at(1).value(QStringLiteral("id")).toInt();
    bool stored = false;
    const QJsonArray before = storedModuleRights(service, secondJob, &stored);
    QVERIFY(stored);
    const bool jobsRightBefore = rightIn(before, 67).value(QStringLiteral("selected")).toBool();
    // The first role gets the opposite of what the second holds, unsaved.
    QCheckBox* jobs = stack->permissionPage()->checkBox(67);
    if (jobs->isChecked() == jobsRightBefore)
        jobs->click();

    QSignalSpy shown(stack, &Stack::rightsShown);
    QSignalSpy saved(stack, &Stack::rightsSaved);
    chooseRole(stack, 1);
    QCOMPARE(stack->saveButton()->text(),
             QStringLiteral("保存<%1>设置").arg(stack->jobList().at(1).value(QStringLiteral("name")).toString()));
    QVERIFY(!stack->saveButton()->isEnabled());
    QTest::mouseClick(stack->saveButton(), Qt::LeftButton);
    stack->submitModify();
    QVERIFY(AlertProbe::answer(QStringLiteral("knowButton")).contains(QStringLiteral("尚未读取成功")));
    QVERIFY(shown.count() > 0 || shown.wait(10000));
    QCOMPARE(saved.count(), 0);
    QCOMPARE(storedModuleRights(service, secondJob, &stored), before);

    // Once read, the role's own rights go, with its own value of the right.
    QVERIFY(stack->saveButton()->isEnabled());
    QCOMPARE(jobs->isChecked(), jobsRightBefore);
    QTest::mouseClick(stack->saveButton(), Qt::LeftButton);
    QVERIFY(saved.wait(10000));
    QCOMPARE(rightIn(storedModuleRights(service, secondJob, &stored), 67).value(QStringLiteral("selected")).toBool(),
             jobsRightBefore);
}

void TestSettingsStack::aFailedRightsReadOffersRetryAndNoSave()
{
    ReferenceService service;
    QVERIFY2(service.isRunning(), qPrintable(service.errorString()));
    Stack* stack = openRoleAtService(service, 0);
    QVERIFY(stack);
    QCOMPARE(service.stop(), 0);
    chooseRole(stack, 1);
    LoadFailedView* failed = stack->rightsFailedView();
    QTRY_VERIFY_WITH_TIMEOUT(failed->isVisible(), 10000);
    // In the user's words, not the network's own.
    QCOMPARE(failed->reason(), QStringLiteral("加载失败：无法连接到服务"));
    QVERIFY(failed->geometry().contains(stack->permissionPage()->checkBox(67)->mapTo(stack->permissionPage(), QPoint())));
    QVERIFY(!stack->saveButton()->isEnabled());
    AlertProbe::closeAll();
    stack->submitModify();
    QVERIFY(AlertProbe::answer(QStringLiteral("knowButton")).contains(QStringLiteral("尚未读取成功")));

    QVERIFY2(service.start(), qPrintable(service.errorString()));
    service.useAsBaseAddresses();
    QSignalSpy shown(stack, &Stack::rightsShown);
    auto* retry = failed->findChild<QPushButton*>(QStringLiteral("pushButton_retry"));
    QVERIFY(retry);
    QCOMPARE(retry->text(), QStringLiteral("重试"));
    QTest::mouseClick(retry, Qt::LeftButton);
    QVERIFY(shown.wait(10000));
    QVERIFY(!failed->isVisible());
    QVERIFY(stack->saveButton()->isEnabled());
    stack->permissionPage()->checkBox(148)->click();
    QSignalSpy saved(stack, &Stack::rightsSaved);
    QTest::mouseClick(stack->saveButton(), Qt::LeftButton);
    QVERIFY(saved.wait(10000));
}

void TestSettingsStack::aRightsReplyThatIsNoListIsAFailedRead()
{
    m_server.setReply(kRightsPath, ScriptedHttpServer::envelope(200, QString(), QJsonObject()));
    Stack* stack = openStack();
    chooseRole(stack, 1);
    QTRY_VERIFY_WITH_TIMEOUT(stack->rightsFailedView()->isVisible(), 5000);
    QVERIFY(!stack->saveButton()->isEnabled());
    QVERIFY(m_server.requestsTo(kSavePath).isEmpty());
}

void TestSettingsStack::aRoleWithoutCompleteRightsCanBeGranted_data()
{
    QTest::addColumn<bool>("keepHalf");
    QTest::newRow("no module rights") << false;
    QTest::newRow("half of them") << true;
}

// The rights the page reports for a role are complete items, also those the user did not touch
// and the role's stored rights lacked, so the service takes them.
void TestSettingsStack::aRoleWithoutCompleteRightsCanBeGranted()
{
    QFETCH(bool, keepHalf);
    ReferenceService service;
    QVERIFY2(service.isRunning(), qPrintable(service.errorString()));
    QVERIFY(LocalStoreFixture::loginAtService(service, kManager));
    Stack* stack = openStack();
    const QVariantMap job = stack->jobList().value(1);
    const int jobId = job.value(QStringLiteral("id")).toInt();
    QVERIFY(jobId > 0);
    QVERIFY(thinStoredModuleRights(service, jobId, keepHalf));
    bool stored = false;
    const QJsonArray thin = storedModuleRights(service, jobId, &stored);
    QCOMPARE(stored, keepHalf);
    QSignalSpy shown(stack, &Stack::rightsShown);
    chooseRole(stack, 1);
    QVERIFY(shown.wait(10000));
    // One right granted, one ranged right given the range "仅自己".
    QCheckBox* news = stack->permissionPage()->checkBox(148);
    if (news->isChecked())
        news->click();
    news->click();
    QVERIFY(InputProbe::chooseEntry(stack->permissionPage()->rangeChooser(93)->comboBox(), QStringLiteral("仅所在部门")));
    QSignalSpy saved(stack, &Stack::rightsSaved);
    QTest::mouseClick(stack->saveButton(), Qt::LeftButton);
    QVERIFY(saved.wait(10000));
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")),
             QStringLiteral("保存<%1>权限设置成功！").arg(job.value(QStringLiteral("name")).toString()));

    const QJsonArray after = storedModuleRights(service, jobId, &stored);
    QVERIFY(stored);
    for (int id : {65, 66, 67, 68, 69, 70, 73, 82, 83, 93, 97, 98, 148, 156}) {
        const QJsonObject entry = rightIn(after, id);
        QVERIFY2(entry.value(QStringLiteral("selected")).isBool(), qPrintable(QString::number(id)));
        // Untouched rights keep what was stored, or are not granted when nothing was.
        if (id != 148 && id != 93) {
            QCOMPARE(entry.value(QStringLiteral("selected")).toBool(),
                     rightIn(thin, id).value(QStringLiteral("selected")).toBool());
        }
    }
    QVERIFY(rightIn(after, 148).value(QStringLiteral("selected")).toBool());
    QCOMPARE(rightIn(after, 93).value(QStringLiteral("range")).toInt(), 6);
}

QTEST_MAIN(TestSettingsStack)
#include "tst_settingsstack.moc"
