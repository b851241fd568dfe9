#include "settings/ChooserProbe.h"
#include "settings/choosers/JointSale_PersonOrDepartmentChooseWidget.h"
#include "settings/choosers/OrganisationNodeItemView.h"
#include "settings/choosers/OrganisationRequest.h"
#include "settings/choosers/PersonOrDepartmentChooseWidget.h"
#include "support/service/ReferenceService.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/service/TestEnvironment.h"
#include "support/ui/HostWindowFixture.h"
#include "support/ui/InputProbe.h"
#include "support/ui/LocalStoreFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "support/ui/RequestLog.h"
#include "widgets/inputs/ApplicationItemChooseView.h"
#include "widgets/inputs/ChoosePeople_Item.h"
#include "widgets/inputs/CustomLineEdit.h"
#include "widgets/inputs/OmitLabel.h"
#include "widgets/lists/LoadFailedView.h"

#include "CustomTabWidget.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QUrlQuery>
#include <QtTest>

#include <memory>

using Chooser = PersonOrDepartmentChooseWidget;
using Row = OrganisationNodeItemView;
using ChooserProbe::clickButton;
using ChooserProbe::clickInRow;
using ChooserProbe::idle;
using ChooserProbe::rowOf;
using ChooserProbe::rowsOf;

namespace {

const QString kManager = QStringLiteral("13800000000");
const QStringList kTenKeys{QStringLiteral("nodeType"), QStringLiteral("dept_id"), QStringLiteral("dept_name"),
                           QStringLiteral("name"), QStringLiteral("phone"), QStringLiteral("yonghuid"),
                           QStringLiteral("storeid"), QStringLiteral("storename"), QStringLiteral("with_down"),
                           QStringLiteral("hideData")};

QStringList rowNames(const Chooser* chooser)
{
    QStringList names;
    for (const Row* row : rowsOf(chooser))
        names.append(row ? row->node().name : QStringLiteral("<not a row>"));
    return names;
}

bool clickCrumb(Chooser* chooser, const QString& text)
{
    for (QPushButton* crumb : chooser->findChildren<QPushButton*>(QStringLiteral("pushButton_crumb"))) {
        if (crumb->text() == text && crumb->isEnabled()) {
            QTest::mouseClick(crumb, Qt::LeftButton);
            return idle(chooser);
        }
    }
    return false;
}

QUrlQuery queryOf(const RequestLog::Sent& sent)
{
    return QUrlQuery(QString::fromUtf8(sent.body));
}

QString value(const RequestLog::Sent& sent, const char* key)
{
    return queryOf(sent).queryItemValue(QLatin1String(key), QUrl::FullyDecoded);
}

// The search field with the keyboard focus, as after a click into it: an input method only
// commits into the field that has it.
CustomLineEdit* focusedSearch(const Chooser* chooser)
{
    auto* search = chooser->findChild<CustomLineEdit*>(QStringLiteral("lineEdit_search"));
    QApplication::setActiveWindow(search->window());
    search->setFocus();
    return search->hasFocus() ? search : nullptr;
}

QStringList chipTexts(const Chooser* chooser)
{
    return chooser->findChild<ApplicationItemChooseView*>()->itemTexts();
}

// One chosen entry as "name:with_down:hideData".
QString summary(const QVariantMap& entry)
{
    const bool person = entry.value(QStringLiteral("nodeType")).toInt() == 2;
    return QStringLiteral("%1:%2:%3")
        .arg(entry.value(person ? QStringLiteral("name") : QStringLiteral("dept_name")).toString(),
             entry.value(QStringLiteral("with_down")).toString(), entry.value(QStringLiteral("hideData")).toString());
}

QStringList summaries(const QList<QVariantMap>& list)
{
    QStringList texts;
    for (const QVariantMap& entry : list)
        texts.append(summary(entry));
    return texts;
}

QJsonObject organisation(const QJsonArray& departments)
{
    return QJsonObject{{QStringLiteral("title"), QStringLiteral("测试公司")},
                       {QStringLiteral("dept"), departments},
                       {QStringLiteral("user"), QJsonArray()}};
}

QJsonObject department(int id, const QString& name)
{
    return QJsonObject{{QStringLiteral("id"), id}, {QStringLiteral("name"), name}, {QStringLiteral("subcount"), 1}};
}

} // namespace

class TestOrganisationChooser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void browsesDownAndBackAlongTheTrail();
    void searchesAsYouTypeWithoutWhiteSpace();
    void searchKeyDropsEveryKindOfSpace_data();
    void searchKeyDropsEveryKindOfSpace();
    void subDepartmentChosenWithEverythingBelow();
    void peopleAndRemovableChips();
    void jointSaleAsksTheLmaiPair();
    void failedLoadOffersRetry();
    void newestLoadWins();
    void confirmationWaitsForTheSubDepartments();

private:
    Chooser* show(Chooser* chooser);
    // Points the office host at a scripted server instead of the reference service.
    ScriptedHttpServer* scriptedOffice();

    QScopedPointer<ReferenceService> m_service;
    std::unique_ptr<HostWindowFixture> m_host;
    std::unique_ptr<ScriptedHttpServer> m_server;
};

void TestOrganisationChooser::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
}

void TestOrganisationChooser::init()
{
    m_host = std::make_unique<HostWindowFixture>();
    QVERIFY(LocalStoreFixture::loginAtService(*m_service, kManager));
}

void TestOrganisationChooser::cleanup()
{
    m_host.reset();
    m_server.reset();
}

Chooser* TestOrganisationChooser::show(Chooser* chooser)
{
    m_host->tabs()->addTabWidget(QStringLiteral("选择"), chooser);
    return idle(chooser) ? chooser : nullptr;
}

ScriptedHttpServer* TestOrganisationChooser::scriptedOffice()
{
    m_server = std::make_unique<ScriptedHttpServer>();
    if (!m_server->start())
        return nullptr;
    qputenv("MICROSITE_OFFICE_BASE", m_server->url(QStringLiteral("/office/")).toUtf8());
    TestEnvironment::addressesChanged();
    return m_server.get();
}

void TestOrganisationChooser::browsesDownAndBackAlongTheTrail()
{
    Chooser* chooser = show(new Chooser(nullptr, false));
    QVERIFY(chooser);
    QCOMPARE(chooser->crumbTexts(), QStringList{QStringLiteral("组织架构")});
    QCOMPARE(rowNames(chooser), QStringList{QStringLiteral("安居地产")});

    QVERIFY(clickInRow(chooser, QStringLiteral("安居地产"), "pushButton_open"));
    QCOMPARE(rowNames(chooser), (QStringList{QStringLiteral("总经办"), QStringLiteral("春熙路店"),
                                             QStringLiteral("天府新区店"), QStringLiteral("营销中心")}));
    // Only departments with something below them can be opened or taken whole.
    QVERIFY(!rowOf(chooser, QStringLiteral("总经办"))->findChild<QPushButton*>(QStringLiteral("pushButton_open")));
    QVERIFY(rowOf(chooser, QStringLiteral("春熙路店"))->findChild<QCheckBox*>(QStringLiteral("checkBox_withDown")));

    QVERIFY(clickInRow(chooser, QStringLiteral("营销中心"), "pushButton_open"));
    QVERIFY(clickInRow(chooser, QStringLiteral("网络推广部"), "pushButton_open"));
    QCOMPARE(chooser->crumbTexts(), (QStringList{QStringLiteral("组织架构"), QStringLiteral("安居地产"),
                                                 QStringLiteral("营销中心"), QStringLiteral("网络推广部")}));
    QCOMPARE(rowNames(chooser), (QStringList{QStringLiteral("新媒体小组"), QStringLiteral("孙悦")}));
    QCOMPARE(rowOf(chooser, QStringLiteral("孙悦"))->findChild<QLabel*>(QStringLiteral("label_phone"))->text(),
             QStringLiteral("13800000009"));

    QVERIFY(clickCrumb(chooser, QStringLiteral("安居地产")));
    QCOMPARE(chooser->crumbTexts(), (QStringList{QStringLiteral("组织架构"), QStringLiteral("安居地产")}));
    QCOMPARE(rowNames(chooser).size(), 4);

    const QList<RequestLog::Sent> sent = RequestLog::sentBy(chooser);
    QCOMPARE(sent.size(), 5);
    for (const RequestLog::Sent& request : sent) {
        QVERIFY2(request.url.endsWith(QLatin1String("/office/omp/lwpV2")), qPrintable(request.url));
        QCOMPARE(value(request, "appid"), QStringLiteral("12"));
        QCOMPARE(value(request, "mdept"), QStringLiteral("0"));
        QVERIFY(queryOf(request).hasQueryItem(QStringLiteral("key")));
    }
    QCOMPARE(value(sent.at(0), "deptId"), QString());
    QCOMPARE(value(sent.at(2), "deptId"), QStringLiteral("8"));
    QCOMPARE(value(sent.at(4), "deptId"), QStringLiteral("1"));
}

void TestOrganisationChooser::searchesAsYouTypeWithoutWhiteSpace()
{
    Chooser* chooser = show(new Chooser(nullptr, true));
    QVERIFY(chooser);
    QVERIFY(clickInRow(chooser, QStringLiteral("安居地产"), "pushButton_open"));
    CustomLineEdit* search = focusedSearch(chooser);
    QVERIFY(search);
    // Typed as a Chinese input method delivers it: blanks as keys, words committed whole.
    QTest::keyClick(search, Qt::Key_Space);
    InputProbe::commitText(search, QStringLiteral("春熙"));
    QTest::keyClick(search, Qt::Key_Space);
    InputProbe::commitText(search, QStringLiteral("路"));
    QTest::keyClick(search, Qt::Key_Space);
    QCOMPARE(search->text(), QStringLiteral(" 春熙 路 "));
    // After the pause, once: the whole organisation, the text without its blanks.
    QTRY_COMPARE(rowNames(chooser), (QStringList{QStringLiteral("春熙路店"), QStringLiteral("春熙路一组"),
                                                 QStringLiteral("春熙路二组")}));
    QVERIFY(idle(chooser));
    const QList<RequestLog::Sent> sent = RequestLog::sentBy(chooser);
    QCOMPARE(sent.size(), 3);
    QCOMPARE(value(sent.last(), "key"), QStringLiteral("春熙路"));
    QCOMPARE(value(sent.last(), "deptId"), QString());
    QCOMPARE(value(sent.last(), "mdept"), QStringLiteral("1"));
    // A result says where it sits.
    QCOMPARE(rowOf(chooser, QStringLiteral("春熙路一组"))->findChild<OmitLabel*>(QStringLiteral("label_path"))->fullText(),
             QStringLiteral("安居地产 / 春熙路店"));

    // Opening a result leaves the search there.
    QVERIFY(clickInRow(chooser, QStringLiteral("春熙路店"), "pushButton_open"));
    QCOMPARE(chooser->crumbTexts(), (QStringList{QStringLiteral("组织架构"), QStringLiteral("春熙路店")}));
    QCOMPARE(rowNames(chooser), (QStringList{QStringLiteral("春熙路一组"), QStringLiteral("春熙路二组")}));
    QVERIFY(search->text().isEmpty());

    // Return searches at once; the emptied field's late pause signal changes nothing.
    QVERIFY(focusedSearch(chooser));
    InputProbe::commitText(search, QStringLiteral("媒体"));
    QTest::keyClick(search, Qt::Key_Return);
    QVERIFY(idle(chooser));
    QCOMPARE(rowNames(chooser), QStringList{QStringLiteral("新媒体小组")});
    QSignalSpy paused(search, &CustomLineEdit::valueChange);
    QVERIFY(clickCrumb(chooser, QStringLiteral("组织架构")));
    QCOMPARE(rowNames(chooser), QStringList{QStringLiteral("安居地产")});
    const int before = RequestLog::countSentBy(chooser);
    QTRY_VERIFY_WITH_TIMEOUT(!paused.isEmpty() && paused.last().at(0).toString().isEmpty(), CustomLineEdit::kPauseMs * 5);
    QCOMPARE(RequestLog::countSentBy(chooser), before);
}

void TestOrganisationChooser::searchKeyDropsEveryKindOfSpace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");

    QTest::newRow("blanks") << QStringLiteral(" 春熙 路 ") << QStringLiteral("春熙路");
    QTest::newRow("full-width space") << QStringLiteral("春\u3000熙路") << QStringLiteral("春熙路");
    QTest::newRow("tab and line break") << QStringLiteral("138\t0000\n0009") << QStringLiteral("13800000009");
    QTest::newRow("only white space") << QStringLiteral(" \u3000 ") << QString();
}

void TestOrganisationChooser::searchKeyDropsEveryKindOfSpace()
{
    QFETCH(QString, text);
    QFETCH(QString, key);
    QCOMPARE(OrganisationRequest::searchKey(text), key);
    QCOMPARE(OrganisationRequest::listParams(QString(), text, false).value(QStringLiteral("key")).toString(), key);
}

void TestOrganisationChooser::subDepartmentChosenWithEverythingBelow()
{
    Chooser* chooser = show(new Chooser(nullptr, true));
    QVERIFY(chooser);
    QSignalSpy chosen(chooser, &Chooser::backChoose);
    QSignalSpy closed(chooser, &Chooser::closeWidget);
    QVERIFY(clickInRow(chooser, QStringLiteral("安居地产"), "pushButton_open"));
    QVERIFY(clickInRow(chooser, QStringLiteral("营销中心"), "checkBox_withDown"));
    QVERIFY(rowOf(chooser, QStringLiteral("营销中心"))->findChild<QCheckBox*>(QStringLiteral("checkBox_choose"))->isChecked());
    QCOMPARE(chipTexts(chooser), QStringList{QStringLiteral("营销中心(含以下)")});

    // Below it everything is chosen already and cannot be changed one by one.
    QVERIFY(clickInRow(chooser, QStringLiteral("营销中心"), "pushButton_open"));
    auto* covered = rowOf(chooser, QStringLiteral("网络推广部"))->findChild<QCheckBox*>(QStringLiteral("checkBox_choose"));
    QVERIFY(covered->isChecked());
    QVERIFY(!covered->isEnabled());

    QVERIFY(clickButton(chooser, "pushButton_sure"));
    QTRY_COMPARE(chosen.count(), 1);
    QCOMPARE(closed.count(), 1);
    const QList<QVariantMap> list = chosen.first().at(0).value<QList<QVariantMap>>();
    QCOMPARE(summaries(list), (QStringList{QStringLiteral("营销中心:true:false"), QStringLiteral("网络推广部:false:true"),
                                           QStringLiteral("新媒体小组:false:true")}));
    QCOMPARE(chosen.first().at(1).toString(), QStringLiteral("营销中心(含以下)"));
    for (const QVariantMap& entry : list) {
        for (const QString& key : kTenKeys)
            QVERIFY2(entry.contains(key), qPrintable(key));
        QCOMPARE(entry.value(QStringLiteral("nodeType")).toInt(), 1);
    }
    QCOMPARE(list.first().value(QStringLiteral("dept_id")).toInt(), 8);

    const RequestLog::Sent sub = RequestLog::sentBy(chooser).last();
    QVERIFY2(sub.url.endsWith(QLatin1String("/office/omp/dept/lwpSub")), qPrintable(sub.url));
    QCOMPARE(value(sub, "deptids"), QStringLiteral("8"));
    QCOMPARE(value(sub, "appid"), QStringLiteral("12"));
    QCOMPARE(value(sub, "mdept"), QStringLiteral("1"));
}

void TestOrganisationChooser::peopleAndRemovableChips()
{
    auto* chooser = new Chooser(nullptr, false);
    // An earlier choice: its listed entries become chips, its hidden ones are left to work out again.
    QVariantMap earlier{{QStringLiteral("dept_id"), 2}, {QStringLiteral("dept_name"), QStringLiteral("总经办")},
                        {QStringLiteral("with_down"), false}, {QStringLiteral("note"), QStringLiteral("kept")}};
    const QVariantMap hidden{{QStringLiteral("dept_id"), 4}, {QStringLiteral("dept_name"), QStringLiteral("春熙路一组")},
                             {QStringLiteral("hideData"), true}};
    chooser->setChosen({earlier, hidden});
    QVERIFY(show(chooser));
    QCOMPARE(chipTexts(chooser), QStringList{QStringLiteral("总经办")});

    QVERIFY(clickInRow(chooser, QStringLiteral("安居地产"), "pushButton_open"));
    QVERIFY(rowOf(chooser, QStringLiteral("总经办"))->findChild<QCheckBox*>(QStringLiteral("checkBox_choose"))->isChecked());
    QVERIFY(clickInRow(chooser, QStringLiteral("春熙路店"), "pushButton_open"));
    QVERIFY(clickInRow(chooser, QStringLiteral("周婷"), "checkBox_choose"));
    QVERIFY(clickInRow(chooser, QStringLiteral("春熙路一组"), "checkBox_choose"));
    QCOMPARE(chipTexts(chooser), (QStringList{QStringLiteral("总经办"), QStringLiteral("周婷"), QStringLiteral("春熙路一组")}));
    QCOMPARE(chooser->findChild<QLabel*>(QStringLiteral("label_chosenCount"))->text(), QStringLiteral("已选择 3 项"));

    // Removing a chip takes the row's check away too.
    auto* chips = chooser->findChild<ApplicationItemChooseView*>();
    QTest::mouseClick(chips->chips().last()->deleteButton(), Qt::LeftButton);
    QCOMPARE(chipTexts(chooser), (QStringList{QStringLiteral("总经办"), QStringLiteral("周婷")}));
    auto* unchosen = rowOf(chooser, QStringLiteral("春熙路一组"))->findChild<QCheckBox*>(QStringLiteral("checkBox_choose"));
    QVERIFY(!unchosen->isChecked());

    QSignalSpy chosen(chooser, &Chooser::backChoose);
    QVERIFY(clickButton(chooser, "pushButton_sure"));
    QCOMPARE(chosen.count(), 1);
    const QList<QVariantMap> list = chosen.first().at(0).value<QList<QVariantMap>>();
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.first(), earlier);
    const QVariantMap person = list.last();
    QCOMPARE(person.value(QStringLiteral("nodeType")).toInt(), 2);
    QCOMPARE(person.value(QStringLiteral("name")).toString(), QStringLiteral("周婷"));
    QCOMPARE(person.value(QStringLiteral("phone")).toString(), QStringLiteral("13800000006"));
    QVERIFY(person.value(QStringLiteral("yonghuid")).toInt() > 0);
    QCOMPARE(person.value(QStringLiteral("storeid")).toInt(), 3);
    QCOMPARE(person.value(QStringLiteral("storename")).toString(), QStringLiteral("春熙路店"));
    QCOMPARE(person.value(QStringLiteral("dept_name")).toString(), QStringLiteral("春熙路店"));
    QCOMPARE(chosen.first().at(1).toString(), QStringLiteral("总经办;周婷"));
    // Nothing chosen with everything below it: no question to the service.
    QVERIFY(!RequestLog::sentBy(chooser).last().url.contains(QLatin1String("lwpSub")));
}

void TestOrganisationChooser::jointSaleAsksTheLmaiPair()
{
    Chooser* chooser = show(new JointSale_PersonOrDepartmentChooseWidget(nullptr, true));
    QVERIFY(chooser);
    QCOMPARE(chooser->crumbTexts(), QStringList{QStringLiteral("成都房产联卖")});
    QCOMPARE(rowNames(chooser), (QStringList{QStringLiteral("安居地产"), QStringLiteral("蓉城房产")}));
    QSignalSpy chosen(chooser, &Chooser::backChoose);
    QVERIFY(clickInRow(chooser, QStringLiteral("蓉城房产"), "checkBox_withDown"));
    QVERIFY(clickButton(chooser, "pushButton_sure"));
    QTRY_COMPARE(chosen.count(), 1);
    QCOMPARE(summaries(chosen.first().at(0).value<QList<QVariantMap>>()),
             (QStringList{QStringLiteral("蓉城房产:true:false"), QStringLiteral("武侯店:false:true"),
                          QStringLiteral("高新店:false:true")}));

    const QList<RequestLog::Sent> sent = RequestLog::sentBy(chooser);
    QCOMPARE(sent.size(), 2);
    QVERIFY2(sent.first().url.endsWith(QLatin1String("/office/lmai/lwpV2")), qPrintable(sent.first().url));
    QVERIFY2(sent.last().url.endsWith(QLatin1String("/office/lmai/dept/lwpSub")), qPrintable(sent.last().url));
    QCOMPARE(value(sent.last(), "deptids"), QStringLiteral("21"));
}

void TestOrganisationChooser::failedLoadOffersRetry()
{
    ScriptedHttpServer* server = scriptedOffice();
    QVERIFY(server);
    server->enqueueReply(QStringLiteral("/office/omp/lwpV2"),
                         ScriptedHttpServer::envelope(500, QStringLiteral("组织架构服务维护中")));
    server->setReply(QStringLiteral("/office/omp/lwpV2"),
                     ScriptedHttpServer::envelope(200, QStringLiteral("成功"),
                                                  organisation({department(1, QStringLiteral("测试部"))})));
    Chooser* chooser = show(new Chooser(nullptr, true));
    QVERIFY(chooser);
    auto* failed = chooser->findChild<LoadFailedView*>();
    QVERIFY(failed->isVisible());
    QVERIFY2(failed->reason().contains(QStringLiteral("组织架构服务维护中")), qPrintable(failed->reason()));
    QVERIFY(rowNames(chooser).isEmpty());

    QTest::mouseClick(failed->findChild<QPushButton*>(QStringLiteral("pushButton_retry")), Qt::LeftButton);
    QVERIFY(idle(chooser));
    QVERIFY(!failed->isVisible());
    QCOMPARE(rowNames(chooser), QStringList{QStringLiteral("测试部")});
}

void TestOrganisationChooser::newestLoadWins()
{
    ScriptedHttpServer* server = scriptedOffice();
    QVERIFY(server);
    // The first look at the organisation is slow; a search typed meanwhile answers at once.
    server->setResponder(QStringLiteral("/office/omp/lwpV2"), [](const ScriptedHttpServer::Request& request) {
        const QUrlQuery query(QString::fromUtf8(request.body));
        const bool search = !query.queryItemValue(QStringLiteral("key")).isEmpty();
        ScriptedHttpServer::Reply reply = ScriptedHttpServer::envelope(
            200, QStringLiteral("成功"),
            organisation({department(search ? 2 : 1, search ? QStringLiteral("搜索结果") : QStringLiteral("顶层"))}));
        reply.delayMs = search ? 0 : 600;
        return reply;
    });
    auto* chooser = new Chooser(nullptr, true);
    m_host->tabs()->addTabWidget(QStringLiteral("选择"), chooser);
    CustomLineEdit* search = focusedSearch(chooser);
    QVERIFY(search);
    InputProbe::commitText(search, QStringLiteral("搜索"));
    QTest::keyClick(search, Qt::Key_Return);
    QTRY_COMPARE(rowNames(chooser), QStringList{QStringLiteral("搜索结果")});
    // Both replies are in once the request objects are gone; the late one changed nothing.
    QVERIFY(idle(chooser));
    QCOMPARE(server->requestsTo(QStringLiteral("/office/omp/lwpV2")).size(), 2);
    QCOMPARE(rowNames(chooser), QStringList{QStringLiteral("搜索结果")});
}

void TestOrganisationChooser::confirmationWaitsForTheSubDepartments()
{
    ScriptedHttpServer* server = scriptedOffice();
    QVERIFY(server);
    server->setReply(QStringLiteral("/office/omp/lwpV2"),
                     ScriptedHttpServer::envelope(200, QStringLiteral("成功"),
                                                  organisation({department(1, QStringLiteral("测试部"))})));
    server->enqueueReply(QStringLiteral("/office/omp/dept/lwpSub"), ScriptedHttpServer::Reply{502, {}, "Bad Gateway"});
    server->setReply(QStringLiteral("/office/omp/dept/lwpSub"),
                     ScriptedHttpServer::envelope(200, QStringLiteral("成功"),
                                                  organisation({department(7, QStringLiteral("测试一组"))})));
    Chooser* chooser = show(new Chooser(nullptr, true));
    QVERIFY(chooser);
    QSignalSpy chosen(chooser, &Chooser::backChoose);
    QSignalSpy closed(chooser, &Chooser::closeWidget);
    QVERIFY(clickInRow(chooser, QStringLiteral("测试部"), "checkBox_withDown"));

    // Without the sub-departments the choice would be incomplete: it stays open and says why.
    QVERIFY(clickButton(chooser, "pushButton_sure"));
    QVERIFY(idle(chooser));
    QVERIFY(chosen.isEmpty());
    QVERIFY(closed.isEmpty());
    QVERIFY(chooser->findChild<QLabel*>(QStringLiteral("label_status"))->text().startsWith(QStringLiteral("无法读取下级部门")));
    QVERIFY(chooser->findChild<QPushButton*>(QStringLiteral("pushButton_sure"))->isEnabled());

    QVERIFY(clickButton(chooser, "pushButton_sure"));
    QTRY_COMPARE(chosen.count(), 1);
    QCOMPARE(closed.count(), 1);
    QCOMPARE(summaries(chosen.first().at(0).value<QList<QVariantMap>>()),
             (QStringList{QStringLiteral("测试部:true:false"), QStringLiteral("测试一组:false:true")}));
}

QTEST_MAIN(TestOrganisationChooser)
#include "tst_organisationchooser.moc"
