#include "net/http/NetRequestObjecet.h"
#include "settings/basic/BasicSettingsForm.h"
#include "settings/basic/MircroWebSiteSetWidget.h"
#include "settings/basic/MircroWebSiteSonSetWidget.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/HostWindowFixture.h"
#include "support/ui/LocalStoreFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "support/ui/RequestProbe.h"
#include "widgets/lists/LoadFailedView.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/sort/SortItemView.h"
#include "widgets/sort/SortWidget.h"

#include "CustomTabWidget.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QUrlQuery>
#include <QtTest>

#include <memory>

using Page = MircroWebSiteSetWidget;

namespace {

const QString kReadPath = QStringLiteral("/api/mtore/getmstoreconfig");
const QString kSavePath = QStringLiteral("/api/mtore/mstoreconfig");

QString list(int count, int firstId, bool chosen)
{
    QJsonArray array;
    for (int i = 0; i < count; ++i)
        array.append(QJsonObject{{QStringLiteral("id"), firstId + i}, {QStringLiteral("title"), QStringLiteral("类%1").arg(firstId + i)},
                                 {QStringLiteral("choose"), chosen}, {QStringLiteral("tip_id"), 0}, {QStringLiteral("default_choose"), false}});
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

QJsonObject settings(int moshi, int fangzhumoshi)
{
    return QJsonObject{{QStringLiteral("shenhe"), 1}, {QStringLiteral("pushStyle"), 2}, {QStringLiteral("moshi"), moshi},
                       {QStringLiteral("agentmoshiday"), 15}, {QStringLiteral("fangzhumoshi"), fangzhumoshi},
                       {QStringLiteral("bsearch"), 2}, {QStringLiteral("menutype"), 3},
                       {QStringLiteral("menushow"), list(8, 14, true)}, {QStringLiteral("searchshow"), list(3, 1, true)},
                       {QStringLiteral("caishow"), list(4, 1, true)}, {QStringLiteral("pushoption"), list(2, 1, false)},
                       {QStringLiteral("zhuzhai"), list(3, 100, true)}, {QStringLiteral("bieshu"), list(2, 200, true)},
                       {QStringLiteral("gongyu"), QString()}, {QStringLiteral("shangpu"), QString()},
                       {QStringLiteral("xiezilou"), QString()}};
}

// The list of list() with its first item not chosen.
QString firstUnchosen(int count, int firstId)
{
    QJsonArray array = QJsonDocument::fromJson(list(count, firstId, true).toUtf8()).array();
    QJsonObject first = array.first().toObject();
    first.insert(QStringLiteral("choose"), false);
    array.replace(0, first);
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

// A sent value: JSON array text compared as arrays, anything else as text.
QVariant sentValue(const QString& text)
{
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    return document.isArray() ? QVariant(document.array().toVariantList()) : QVariant(text);
}

} // namespace

class TestBasicSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void savesAreChecked_data();
    void savesAreChecked();
    void theReplyFillsTheForm();
    void ownerOptionsAreSavedAsBits();
    void subSettingsAreKeptUntilApplied();
    void unappliedChangesSurviveAReload_data();
    void unappliedChangesSurviveAReload();
    void aReloadAfterApplyTakesWhatChangedSince();
    void aFailedLoadSaysWhyAndOffersRetry_data();
    void aFailedLoadSaysWhyAndOffersRetry();
    void aFailedReloadKeepsTheFormAsItWas();

private:
    Page* openPage(const QJsonObject& reply);
    // The user's steps, each false when the page does not answer as it should: untick the first
    // type in 住宅's "设置" popup; apply and see it confirmed; the page reloaded with `reply`, then applied.
    static bool untickFirstHouseType(Page* page);
    static bool apply(Page* page);
    bool reloadAndApply(Page* page, const QJsonObject& reply);

    ScriptedHttpServer m_server;
    std::unique_ptr<HostWindowFixture> m_host;
};

void TestBasicSettings::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
    QVERIFY(m_server.start());
    m_server.useAsApiBase();
}

void TestBasicSettings::init()
{
    m_server.clear();
    m_host = std::make_unique<HostWindowFixture>();
    LocalStoreFixture::storeUser(QStringLiteral("13800000000"), true, {});
    m_server.setReply(kSavePath, ScriptedHttpServer::envelope(200, QStringLiteral("成功")));
}

void TestBasicSettings::cleanup()
{
    AlertProbe::closeAll();
    m_host.reset();
    LocalStoreFixture::clearDrafts();
}

Page* TestBasicSettings::openPage(const QJsonObject& reply)
{
    m_server.setReply(kReadPath, ScriptedHttpServer::envelope(200, QString(), reply));
    auto* page = new Page(m_host->tabs());
    page->setWindowFlags(Qt::Window);
    QSignalSpy shown(page, &Page::dataShown);
    page->show();
    return shown.wait(5000) ? page : nullptr;
}

void TestBasicSettings::savesAreChecked_data()
{
    QTest::addColumn<int>("emptyGrid");
    QTest::addColumn<int>("moshi");
    QTest::addColumn<QString>("days");
    QTest::addColumn<int>("owner");
    QTest::addColumn<QString>("message");
    QTest::newRow("no icon") << 0 << 0 << QString() << 0 << QStringLiteral("请至少选择首页图标一个类目项显示");
    QTest::newRow("no search scope") << 1 << 0 << QString() << 0 << QStringLiteral("请至少选择首页搜索一个类目项显示");
    QTest::newRow("no category") << 2 << 0 << QString() << 0 << QStringLiteral("请至少选择首页猜你喜欢一个类目项显示");
    QTest::newRow("push reminders may be empty") << 3 << 0 << QString() << 0 << QString();
    QTest::newRow("agent without days") << -1 << 1 << QString() << 0 << QStringLiteral("请经纪人模式天数！");
    QTest::newRow("agent with 0 days") << -1 << 1 << QStringLiteral("0") << 0 << QStringLiteral("请经纪人模式天数！");
    QTest::newRow("agent with 7 days") << -1 << 1 << QStringLiteral("7") << 0 << QString();
    QTest::newRow("owner with neither box") << -1 << 2 << QString() << 0 << QStringLiteral("请至少房主模式中一项！");
    QTest::newRow("owner with chat") << -1 << 2 << QString() << 2 << QString();
}

void TestBasicSettings::savesAreChecked()
{
    QFETCH(int, emptyGrid);
    QFETCH(int, moshi);
    QFETCH(QString, days);
    QFETCH(int, owner);
    QFETCH(QString, message);
    BasicSettingsForm form;
    QList<QList<QVariantMap>*> grids{&form.menushow, &form.searchshow, &form.caishow, &form.pushoption};
    for (int i = 0; i < grids.size(); ++i)
        *grids.at(i) = NetRequestObjecet::jsonToMapList(list(2, 1, i != emptyGrid));
    form.moshi = moshi;
    form.agentDays = days;
    form.ownerNumber = owner & 1;
    form.ownerChat = owner & 2;
    QCOMPARE(form.validate(), message);
}

void TestBasicSettings::theReplyFillsTheForm()
{
    Page* page = openPage(settings(1, 0));
    QVERIFY(page);
    QVERIFY(page->button(QStringLiteral("开启"))->isChecked());
    QVERIFY(page->button(QStringLiteral("图片房源"))->isChecked());
    QVERIFY(page->button(QStringLiteral("经纪人"))->isChecked());
    QCOMPARE(page->dayEdit()->text(), QStringLiteral("15"));
    QVERIFY(!page->dayArea()->isHidden());
    QVERIFY(page->ownerArea()->isHidden());
    QVERIFY(page->button(QStringLiteral("样式二"))->isChecked());
    QVERIFY(page->button(QStringLiteral("2行8个"))->isChecked());
    QCOMPARE(page->grid(0)->getData().size(), 8);
    QCOMPARE(page->grid(0)->height(), 80);

    // Leaving the agent mode empties its days.
    page->button(QStringLiteral("默认"))->click();
    QVERIFY(page->dayEdit()->text().isEmpty());
    QVERIFY(page->dayArea()->isHidden());
    QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("applyButton")), Qt::LeftButton);
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("设置微官网设置成功！"));
    const QUrlQuery sent(QString::fromUtf8(m_server.requestsTo(kSavePath).first().body));
    QCOMPARE(sent.queryItemValue(QStringLiteral("moshi")), QStringLiteral("0"));
    QVERIFY(!sent.hasQueryItem(QStringLiteral("agentmoshiday")));
    QCOMPARE(sent.queryItemValue(QStringLiteral("shenhe")), QStringLiteral("1"));
    QCOMPARE(sent.queryItemValue(QStringLiteral("menutype")), QStringLiteral("3"));
    QCOMPARE(NetRequestObjecet::jsonToMapList(sent.queryItemValue(QStringLiteral("menushow"), QUrl::FullyDecoded)).size(), 8);
    QCOMPARE(sent.queryItemValue(QStringLiteral("zhuzhai"), QUrl::FullyDecoded), list(3, 100, true));
}

void TestBasicSettings::ownerOptionsAreSavedAsBits()
{
    Page* page = openPage(settings(2, 3));
    QVERIFY(page);
    QVERIFY(page->button(QStringLiteral("房主"))->isChecked());
    QVERIFY(page->ownerNumberBox()->isChecked());
    QVERIFY(page->ownerChatBox()->isChecked());
    QCOMPARE(page->form().toMap(page->config()).value(QStringLiteral("fangzhumoshi")).toInt(), 3);
    page->ownerNumberBox()->setChecked(false);
    QCOMPARE(page->form().toMap(page->config()).value(QStringLiteral("fangzhumoshi")).toInt(), 2);
    page->ownerChatBox()->setChecked(false);
    QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("applyButton")), Qt::LeftButton);
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("请至少房主模式中一项！"));
    QVERIFY(m_server.requestsTo(kSavePath).isEmpty());

    // Choosing the owner mode asks first; declining goes back to the default contact.
    page->button(QStringLiteral("不显示"))->click();
    page->button(QStringLiteral("房主"))->click();
    QCOMPARE(AlertProbe::answer(QStringLiteral("cancleBtn")),
             QStringLiteral("勾选后，客户在微官网可直接与房主沟通，有飞单风险，请谨慎选择！"));
    QTRY_VERIFY(page->button(QStringLiteral("默认"))->isChecked());
    QVERIFY(page->ownerArea()->isHidden());
}

void TestBasicSettings::subSettingsAreKeptUntilApplied()
{
    Page* page = openPage(settings(0, 0));
    QVERIFY(page);
    SortItemView* residence = nullptr;
    for (SortItemView* view : page->grid(0)->itemViews()) {
        if (view->checkBox()->text() == QStringLiteral("类16"))
            residence = view;
    }
    QVERIFY(residence);
    residence->settingsButton()->click();
    QVERIFY(page->subSettingsPopup());
    QCOMPARE(HostWindowFixture::popupTitle(page->subSettingsPopup()), QStringLiteral("设置"));
    auto* sub = page->subSettingsPopup()->findChild<MircroWebSiteSonSetWidget*>();
    QCOMPARE(sub->grid()->getData().size(), 3);
    for (SortItemView* view : sub->grid()->itemViews())
        view->checkBox()->click();
    QTest::mouseClick(sub->findChild<QPushButton*>(QStringLiteral("sureButton")), Qt::LeftButton);
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("请至少选择一个类目项显示"));
    QVERIFY(page->subSettingsPopup());
    sub->grid()->itemViews().at(1)->checkBox()->click();
    QTest::mouseClick(sub->findChild<QPushButton*>(QStringLiteral("sureButton")), Qt::LeftButton);
    QTRY_VERIFY(!page->subSettingsPopup());
    const QList<QVariantMap> kept = BasicSettingsForm::listOf(page->config().value(QStringLiteral("zhuzhai")));
    QCOMPARE(kept.size(), 3);
    QVERIFY(!kept.at(0).value(QStringLiteral("choose")).toBool());
    QVERIFY(kept.at(1).value(QStringLiteral("choose")).toBool());
    QVERIFY(m_server.requestsTo(kSavePath).isEmpty());
}

bool TestBasicSettings::untickFirstHouseType(Page* page)
{
    page->grid(0)->itemViews().at(2)->settingsButton()->click();
    if (!page->subSettingsPopup())
        return false;
    auto* sub = page->subSettingsPopup()->findChild<MircroWebSiteSonSetWidget*>();
    sub->grid()->itemViews().first()->checkBox()->click();
    QTest::mouseClick(sub->findChild<QPushButton*>(QStringLiteral("sureButton")), Qt::LeftButton);
    QElapsedTimer clock;
    clock.start();
    while (page->subSettingsPopup() && clock.elapsed() < 5000)
        QTest::qWait(20);
    return !page->subSettingsPopup();
}

bool TestBasicSettings::apply(Page* page)
{
    QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("applyButton")), Qt::LeftButton);
    return AlertProbe::answer(QStringLiteral("knowButton")) == QStringLiteral("设置微官网设置成功！");
}

bool TestBasicSettings::reloadAndApply(Page* page, const QJsonObject& reply)
{
    m_server.setReply(kReadPath, ScriptedHttpServer::envelope(200, QString(), reply));
    QSignalSpy shown(page, &Page::dataShown);
    page->refresh();
    return shown.wait(5000) && apply(page);
}

void TestBasicSettings::unappliedChangesSurviveAReload_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("sent");
    // The reload brings another icon layout (4), sub-settings and category list.
    QTest::newRow("nothing changed: the new values") << QString() << QStringLiteral("zhuzhai") << list(4, 100, true);
    QTest::newRow("a choice") << QStringLiteral("手动推送") << QStringLiteral("pushStyle") << QStringLiteral("3");
    QTest::newRow("a choice the reload also changed")
        << QStringLiteral("1行4个") << QStringLiteral("menutype") << QStringLiteral("1");
    QTest::newRow("the agent mode with its days")
        << QStringLiteral("经纪人") << QStringLiteral("agentmoshiday") << QStringLiteral("30");
    QTest::newRow("a grid keeps its choices and takes new items")
        << QStringLiteral("grid") << QStringLiteral("caishow") << firstUnchosen(5, 1);
    QTest::newRow("a sub-setting of the popup")
        << QStringLiteral("sub-setting") << QStringLiteral("zhuzhai") << firstUnchosen(3, 100);
}

// The style page reloads the basic settings after every app change; what the user changed here and
// has not applied stays, and the rest shows the new values.
void TestBasicSettings::unappliedChangesSurviveAReload()
{
    QFETCH(QString, change);
    QFETCH(QString, key);
    QFETCH(QString, sent);
    Page* page = openPage(settings(0, 0));
    QVERIFY(page);
    if (change == QLatin1String("grid")) {
        page->grid(2)->itemViews().first()->checkBox()->click();
    } else if (change == QLatin1String("sub-setting")) {
        QVERIFY(untickFirstHouseType(page));
    } else if (!change.isEmpty()) {
        page->button(change)->click();
        if (change == QStringLiteral("经纪人")) {
            QTest::keyClicks(page->dayEdit(), QStringLiteral("30"));
            QCOMPARE(page->dayEdit()->text(), QStringLiteral("30"));
        }
    }

    QJsonObject reloaded = settings(0, 0);
    reloaded.insert(QStringLiteral("bsearch"), 1);
    reloaded.insert(QStringLiteral("menutype"), 4);
    reloaded.insert(QStringLiteral("caishow"), list(5, 1, true));
    reloaded.insert(QStringLiteral("zhuzhai"), list(4, 100, true));
    QVERIFY(reloadAndApply(page, reloaded));
    const QUrlQuery query(QString::fromUtf8(m_server.requestsTo(kSavePath).first().body));
    QCOMPARE(sentValue(query.queryItemValue(key, QUrl::FullyDecoded)), sentValue(sent));
    // What the user left alone shows the reload's value.
    QCOMPARE(query.queryItemValue(QStringLiteral("bsearch")), QStringLiteral("1"));
}

// Once applied, a change is the service's value: another desktop's later change to the same
// setting shows on the next reload instead of being overwritten by the next apply.
void TestBasicSettings::aReloadAfterApplyTakesWhatChangedSince()
{
    Page* page = openPage(settings(0, 0));
    QVERIFY(page);
    page->button(QStringLiteral("手动推送"))->click();
    QVERIFY(untickFirstHouseType(page));
    QVERIFY(apply(page));

    QJsonObject changedElsewhere = settings(0, 0);
    changedElsewhere.insert(QStringLiteral("pushStyle"), 1);
    changedElsewhere.insert(QStringLiteral("zhuzhai"), list(4, 100, true));
    QVERIFY(reloadAndApply(page, changedElsewhere));
    const QList<ScriptedHttpServer::Request> saves = m_server.requestsTo(kSavePath);
    QCOMPARE(saves.size(), 2);
    const QUrlQuery query(QString::fromUtf8(saves.last().body));
    QCOMPARE(query.queryItemValue(QStringLiteral("pushStyle")), QStringLiteral("1"));
    QCOMPARE(sentValue(query.queryItemValue(QStringLiteral("zhuzhai"), QUrl::FullyDecoded)),
             sentValue(list(4, 100, true)));
}

void TestBasicSettings::aFailedLoadSaysWhyAndOffersRetry_data()
{
    QTest::addColumn<bool>("stopped");
    QTest::addColumn<QString>("reason");
    QTest::newRow("answered 500") << false << QStringLiteral("服务暂时不可用（500），请稍后重试");
    QTest::newRow("service stopped") << true << QStringLiteral("无法连接到服务");
}

void TestBasicSettings::aFailedLoadSaysWhyAndOffersRetry()
{
    QFETCH(bool, stopped);
    QFETCH(QString, reason);
    const quint16 port = m_server.serverPort();
    ScriptedHttpServer::Reply failure;
    failure.status = 500;
    failure.body = "Internal Server Error";
    m_server.setReply(kReadPath, failure);
    if (stopped)
        m_server.close();

    auto* page = new Page(m_host->tabs());
    page->setWindowFlags(Qt::Window);
    page->show();
    auto* view = page->findChild<LoadFailedView*>();
    QVERIFY(view);
    QTRY_VERIFY_WITH_TIMEOUT(view->isVisible(), 10000);
    QCOMPARE(view->findChild<QLabel*>(QStringLiteral("label_reason"))->text(), QStringLiteral("加载失败：") + reason);
    // An empty form applied would overwrite the service's settings.
    auto* apply = page->findChild<QPushButton*>(QStringLiteral("applyButton"));
    QVERIFY(!apply->isEnabled());

    if (stopped)
        QVERIFY(m_server.listen(QHostAddress::LocalHost, port));
    m_server.setReply(kReadPath, ScriptedHttpServer::envelope(200, QString(), settings(1, 0)));
    QSignalSpy shown(page, &Page::dataShown);
    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("pushButton_retry")), Qt::LeftButton);
    QVERIFY(shown.wait(5000));
    QVERIFY(!view->isVisible());
    QVERIFY(apply->isEnabled());
    QVERIFY(page->button(QStringLiteral("经纪人"))->isChecked());
    QCOMPARE(page->dayEdit()->text(), QStringLiteral("15"));
}

void TestBasicSettings::aFailedReloadKeepsTheFormAsItWas()
{
    Page* page = openPage(settings(1, 0));
    QVERIFY(page);
    QTest::mouseClick(page->button(QStringLiteral("样式一")), Qt::LeftButton);
    ScriptedHttpServer::Reply failure;
    failure.status = 500;
    m_server.setReply(kReadPath, failure);

    page->refresh();
    QVERIFY(RequestProbe::waitForNewest(page));
    QVERIFY(!page->findChild<LoadFailedView*>()->isVisible());
    QVERIFY(page->button(QStringLiteral("样式一"))->isChecked());
    QCOMPARE(page->dayEdit()->text(), QStringLiteral("15"));
    QVERIFY(page->findChild<QPushButton*>(QStringLiteral("applyButton"))->isEnabled());
}

QTEST_MAIN(TestBasicSettings)
#include "tst_basicsettings.moc"
