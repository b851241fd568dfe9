#include "support/host/ShellDriver.h"
#include "support/host/ShellTasks.h"
#include "support/service/FaultProxy.h"
#include "support/service/ReferenceService.h"

#include "DataCenter.h"
#include "ShellMainWindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using namespace ShellTasks;

namespace {

const QString kFailed500 = QStringLiteral("保存失败：服务暂时不可用（500），请稍后重试");

// One editor as a user meets it: how it is opened, what is typed, which button saves and where
// that save goes, how it confirms, what the form must still show after a failure and what the
// service must hold after the save went through.
struct EditorCase
{
    std::function<QWidget*(ShellDriver&)> open;
    std::function<void(QWidget* editor)> fill;
    std::function<QAbstractButton*(QWidget* editor)> saveButton;
    QString failPath;
    QString confirmation;
    bool confirmedByTip = false;
    std::function<bool(QWidget* editor)> kept;
    std::function<bool(ShellDriver&)> stored;
};

QAbstractButton* namedButton(QWidget* within, const QString& name)
{
    return child<QAbstractButton>(within, name);
}

// What the service answers the shell's own login for a read of its data.
QByteArray serviceRead(ShellDriver& driver, const QString& path, const ReferenceService::Pieces& pieces = {})
{
    ReferenceService::Pieces all = pieces;
    all.append({QStringLiteral("companyid"), DataCenter::CompanyID});
    all.append({QStringLiteral("cityid"), DataCenter::CityID});
    all.append({QStringLiteral("page"), QStringLiteral("1")});
    all.append({QStringLiteral("pagesize"), QStringLiteral("50")});
    const ReferenceService::Reply reply = driver.service()->call(path, all, DataCenter::HttpHeadMap);
    return QJsonDocument(QJsonObject{{QStringLiteral("data"), reply.data()}}).toJson(QJsonDocument::Compact);
}

bool serviceHolds(ShellDriver& driver, const QString& path, const QString& text)
{
    return QString::fromUtf8(serviceRead(driver, path)).contains(text);
}

int advertCount(ShellDriver& driver)
{
    const QJsonValue data = QJsonDocument::fromJson(serviceRead(driver, QStringLiteral("api/mtore/lunboposts"))).object().value(QStringLiteral("data"));
    return data.isArray() ? data.toArray().size() : data.toObject().value(QStringLiteral("total")).toInt();
}

const QColor kIconColour(30, 140, 220);

// An editor whose one line edit is retyped: the form keeps the text, the service's read holds it.
void retypeOneField(EditorCase* c, const QString& edit, const QString& text, const QString& readPath)
{
    c->fill = [edit, text](QWidget* editor) { retype(child<QWidget>(editor, edit), text); };
    c->kept = [edit, text](QWidget* editor) { return lineText(editor, edit) == text; };
    c->stored = [readPath, text](ShellDriver& driver) { return serviceHolds(driver, readPath, text); };
}

} // namespace

class TestHostSaveFailures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();

    void failedSaveSaysWhyAndKeepsTheForm_data();
    void failedSaveSaysWhyAndKeepsTheForm();
    void stoppedServiceIsSaidAndTheSaveWorksOnceItIsBack();
    void themeClickThatFailsSnapsBackAndSaysWhy();

private:
    QHash<QString, EditorCase> cases();

    std::unique_ptr<ShellDriver> m_driver;
    QTemporaryDir m_pictures;
    // The role whose right 148 the rights row toggles, and the state it was found in.
    bool m_rightWas = false;
    int m_advertsBefore = 0;
};

void TestHostSaveFailures::initTestCase()
{
    QVERIFY(m_pictures.isValid());
    m_driver = std::make_unique<ShellDriver>();
    QString error;
    QVERIFY2(m_driver->start(QStringLiteral("13800000000"), &error), qPrintable(error));
}

void TestHostSaveFailures::cleanup()
{
    m_driver->backToMainPage();
}

void TestHostSaveFailures::cleanupTestCase()
{
    m_driver.reset();
}

QHash<QString, EditorCase> TestHostSaveFailures::cases()
{
    QHash<QString, EditorCase> all;
    const QString jobTitle = QStringLiteral("置业顾问（夜班）& 助理");
    auto saveNamed = [](const QString& name) {
        return [name](QWidget* editor) { return namedButton(editor, name); };
    };

    EditorCase jobs;
    jobs.open = [](ShellDriver& driver) -> QWidget* {
        ShellDriver::click(tile(QStringLiteral("加入我们"), driver.window()));
        QWidget* list = waitVisible(QStringLiteral("JoinUsListWidget"));
        ShellDriver::click(namedButton(list, QStringLiteral("addJobButton")));
        return waitVisible(QStringLiteral("JoinUsAddEditWidget"));
    };
    jobs.fill = [jobTitle](QWidget* editor) {
        ShellDriver::typeInto(child<QWidget>(editor, QStringLiteral("titleEdit")), jobTitle);
        ShellDriver::typeInto(child<QWidget>(editor, QStringLiteral("salaryEdit")), QStringLiteral("6000-9000元/月"));
        ShellDriver::typeInto(child<QWidget>(editor, QStringLiteral("addressEdit")), QStringLiteral("春熙路门店"));
        ShellDriver::typeInto(child<QWidget>(editor, QStringLiteral("telEdit")), QStringLiteral("028-86660000"));
        ShellDriver::typeInto(child<QWidget>(editor, QStringLiteral("contentEdit")), QStringLiteral("夜间带看与签约"));
    };
    jobs.saveButton = saveNamed(QStringLiteral("saveButton"));
    jobs.failPath = QStringLiteral("mtore/joinusadd");
    jobs.confirmation = QStringLiteral("添加职位成功！");
    jobs.kept = [jobTitle](QWidget* editor) {
        return lineText(editor, QStringLiteral("titleEdit")) == jobTitle
            && plainText(editor, QStringLiteral("contentEdit")) == QStringLiteral("夜间带看与签约");
    };
    jobs.stored = [jobTitle](ShellDriver& driver) {
        return serviceHolds(driver, QStringLiteral("api/mtore/joinusposts"), jobTitle);
    };
    all.insert(QStringLiteral("加入我们"), jobs);

    const QString advertPath = picture(m_pictures, QStringLiteral("advert.png"), kIconColour);
    EditorCase ads;
    ads.open = [this](ShellDriver& driver) -> QWidget* {
        m_advertsBefore = advertCount(driver);
        ShellDriver::click(tile(QStringLiteral("轮播广告"), driver.window()));
        QWidget* list = waitVisible(QStringLiteral("MicroWebsiteScrollAdsWidget"));
        ShellDriver::click(namedButton(list, QStringLiteral("addAdButton")));
        return waitVisible(QStringLiteral("MicroWebSiteScrollAddWidget"));
    };
    ads.fill = [this, advertPath](QWidget* editor) {
        m_driver->answerFileDialogs({advertPath});
        ShellDriver::click(child<QWidget>(editor, QStringLiteral("pictureLabel")));
        ShellDriver::waitFor(
            [editor]() -> QWidget* {
                QWidget* label = child<QWidget>(editor, QStringLiteral("pictureLabel"));
                return label && showsColour(label, kIconColour) ? label : nullptr;
            },
            10000);
    };
    ads.saveButton = saveNamed(QStringLiteral("submitButton"));
    ads.failPath = QStringLiteral("mtore/lunboadd");
    ads.confirmation = QStringLiteral("添加轮播广告成功！");
    ads.kept = [](QWidget* editor) { return showsColour(child<QWidget>(editor, QStringLiteral("pictureLabel")), kIconColour); };
    ads.stored = [this](ShellDriver& driver) { return advertCount(driver) == m_advertsBefore + 1; };
    all.insert(QStringLiteral("轮播广告"), ads);

    const QString address = QStringLiteral("成都市锦江区红星路二段99号");
    EditorCase profile;
    profile.open = [](ShellDriver& driver) -> QWidget* {
        ShellDriver::click(tile(QStringLiteral("公司介绍"), driver.window()));
        QWidget* page = waitVisible(QStringLiteral("CompanyProfileWidget"));
        // The profile has been read once its address shows.
        ShellDriver::waitFor([page]() -> QWidget* {
            auto* label = child<QLabel>(page, QStringLiteral("addressLabel"));
            return label && label->text().contains(QStringLiteral("春熙路")) ? label : nullptr;
        });
        ShellDriver::click(namedButton(page, QStringLiteral("editButton")));
        return waitVisible(QStringLiteral("CompanyProfileEditWidget"));
    };
    retypeOneField(&profile, QStringLiteral("addressEdit"), address, QStringLiteral("api/mtore/companyinfo"));
    profile.saveButton = saveNamed(QStringLiteral("saveButton"));
    profile.failPath = QStringLiteral("mtore/companyinfoaddmod");
    profile.confirmation = QStringLiteral("保存公司介绍成功！");
    all.insert(QStringLiteral("公司介绍"), profile);

    const QString topicTitle = QStringLiteral("地铁口两居室专题（五月）");
    EditorCase topics;
    topics.open = [](ShellDriver& driver) -> QWidget* {
        ShellDriver::click(tile(QStringLiteral("资讯"), driver.window()));
        QWidget* news = waitVisible(QStringLiteral("MicroWebsiteNewsStackWidget"));
        ShellDriver::click(namedButton(news, QStringLiteral("menu_topics")));
        QWidget* item = waitVisible(QStringLiteral("MicroWebsiteNewsThemeListItemView"), news);
        ShellDriver::click(namedButton(item, QStringLiteral("editButton")));
        return waitVisible(QStringLiteral("MicroWebsiteNewsThemeAddWidget"));
    };
    retypeOneField(&topics, QStringLiteral("titleEdit"), topicTitle, QStringLiteral("site/softsubjectlist"));
    topics.saveButton = saveNamed(QStringLiteral("submitButton"));
    topics.failPath = QStringLiteral("subject_edit");
    topics.confirmation = QStringLiteral("修改专题成功！");
    all.insert(QStringLiteral("专题"), topics);

    const QString appName = QStringLiteral("看房须知");
    const QString iconPath = picture(m_pictures, QStringLiteral("icon.png"), kIconColour);
    EditorCase customApp;
    customApp.open = [iconPath](ShellDriver& driver) -> QWidget* {
        ShellDriver::click(tile(QStringLiteral("自定义应用"), driver.window()));
        QWidget* editor = waitVisible(QStringLiteral("MircroWebSiteAddCustomAppWidget"));
        driver.answerFileDialogs({iconPath});
        ShellDriver::click(child<QWidget>(editor, QStringLiteral("iconLabel")));
        // The picked icon shows once compressed.
        return ShellDriver::waitFor(
            [editor]() -> QWidget* {
                QWidget* icon = child<QWidget>(editor, QStringLiteral("iconLabel"));
                return icon && showsColour(icon, kIconColour)
                        && !ShellDriver::findVisible(QStringLiteral("QProgressIndicator"), editor)
                    ? editor
                    : nullptr;
            },
            10000);
    };
    customApp.fill = [appName](QWidget* editor) {
        ShellDriver::typeInto(child<QWidget>(editor, QStringLiteral("nameEdit")), appName);
        ShellDriver::click(namedButton(editor, QStringLiteral("textModeButton")));
        ShellDriver::typeInto(child<QWidget>(editor, QStringLiteral("contentEdit")), QStringLiteral("看房请提前一天预约"));
    };
    customApp.saveButton = saveNamed(QStringLiteral("submitButton"));
    customApp.failPath = QStringLiteral("mtore/customappadd");
    customApp.confirmation = QStringLiteral("添加自定义应用成功！");
    customApp.kept = [appName](QWidget* editor) {
        return lineText(editor, QStringLiteral("nameEdit")) == appName
            && plainText(editor, QStringLiteral("contentEdit")) == QStringLiteral("看房请提前一天预约");
    };
    customApp.stored = [appName](ShellDriver& driver) {
        return serviceHolds(driver, QStringLiteral("api/mtore/getmstorestyleconfig"), appName);
    };
    all.insert(QStringLiteral("自定义应用"), customApp);

    const QString systemName = QStringLiteral("按揭金融");
    EditorCase systemApp;
    systemApp.open = [](ShellDriver& driver) -> QWidget* {
        QWidget* page = openStylePage(driver);
        ShellDriver::click(tile(QStringLiteral("金融"), page));
        return waitVisible(QStringLiteral("MircroWebsiteEditAppWidget"));
    };
    retypeOneField(&systemApp, QStringLiteral("nameEdit"), systemName, QStringLiteral("api/mtore/getmstorestyleconfig"));
    systemApp.saveButton = saveNamed(QStringLiteral("submitButton"));
    systemApp.failPath = QStringLiteral("mtore/CustomAppmodify");
    systemApp.confirmation = QStringLiteral("修改应用成功！");
    all.insert(QStringLiteral("编辑应用"), systemApp);

    // The top icons are saved by the style page's "应用" once an icon was changed in its editor.
    EditorCase topIcon;
    topIcon.open = [](ShellDriver& driver) -> QWidget* {
        QWidget* page = openStylePage(driver);
        QWidget* view = waitVisible(QStringLiteral("MircroWebSiteTopTherePhotoView"), page);
        // The first icon leads to the sale houses once the page has read the icons; an editor
        // opened before shows none of them yet and is opened again.
        QWidget* editor = nullptr;
        QComboBox* type = nullptr;
        for (int attempt = 0; attempt < 20 && !type; ++attempt) {
            ShellDriver::click(namedButton(view, QStringLiteral("pushButton_edit")));
            editor = waitVisible(QStringLiteral("MircroWebSiteTopTherePhotoAddWidget"));
            type = child<QComboBox>(editor, QStringLiteral("houseTypeBox"));
            if (type && type->currentText() != QStringLiteral("二手房")) {
                type = nullptr;
                QMetaObject::invokeMethod(editor->window(), "closeWidget");
                QTest::qWait(200);
            }
        }
        if (!type)
            return nullptr;
        type->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(type, Qt::Key_Down);
        if (type->currentText() != QStringLiteral("租房"))
            return nullptr;
        ShellDriver::click(namedButton(editor, QStringLiteral("submitButton")));
        ShellDriver::waitFor([page]() -> QWidget* {
            return ShellDriver::findVisible(QStringLiteral("MircroWebSiteTopTherePhotoAddWidget")) ? nullptr : page;
        });
        return page;
    };
    topIcon.fill = [](QWidget*) {};
    topIcon.saveButton = saveNamed(QStringLiteral("applyButton"));
    topIcon.failPath = QStringLiteral("setwmenu");
    topIcon.confirmation = QStringLiteral("设置微官网风格成功！");
    topIcon.confirmedByTip = true;
    topIcon.kept = [](QWidget* page) { return page->isVisible(); };
    topIcon.stored = [](ShellDriver& driver) {
        const QJsonArray icons =
            QJsonDocument::fromJson(serviceRead(driver, QStringLiteral("site/setwmenu"))).object().value(QStringLiteral("data")).toArray();
        return icons.first().toObject().value(QStringLiteral("housetype")).toString() == QStringLiteral("租房");
    };
    all.insert(QStringLiteral("顶部图标"), topIcon);

    EditorCase basic;
    basic.open = [](ShellDriver& driver) -> QWidget* {
        QWidget* stack = openSettings(driver);
        ShellDriver::click(namedButton(stack, QStringLiteral("basicButton")));
        QWidget* page = waitVisible(QStringLiteral("MircroWebSiteSetWidget"), stack);
        // Read once the agent's days show.
        return ShellDriver::waitFor([page]() -> QWidget* {
            return lineText(page, QStringLiteral("dayEdit")) == QStringLiteral("15") ? page : nullptr;
        });
    };
    basic.fill = [](QWidget* page) { retype(child<QWidget>(page, QStringLiteral("dayEdit")), QStringLiteral("30")); };
    basic.saveButton = saveNamed(QStringLiteral("applyButton"));
    basic.failPath = QStringLiteral("mtore/mstoreconfig");
    basic.confirmation = QStringLiteral("设置微官网设置成功！");
    basic.confirmedByTip = true;
    basic.kept = [](QWidget* page) { return lineText(page, QStringLiteral("dayEdit")) == QStringLiteral("30"); };
    basic.stored = [](ShellDriver& driver) {
        const QJsonObject config =
            QJsonDocument::fromJson(serviceRead(driver, QStringLiteral("api/mtore/getmstoreconfig"))).object().value(QStringLiteral("data")).toObject();
        return config.value(QStringLiteral("agentmoshiday")).toVariant().toInt() == 30;
    };
    all.insert(QStringLiteral("基本设置"), basic);

    EditorCase rights;
    rights.open = [this](ShellDriver& driver) -> QWidget* {
        QWidget* stack = openRole(driver, QStringLiteral("经纪人"));
        auto* box = child<QCheckBox>(stack, QStringLiteral("checkBox_148"));
        m_rightWas = box && box->isChecked();
        return stack;
    };
    rights.fill = [](QWidget* stack) {
        auto* box = child<QCheckBox>(stack, QStringLiteral("checkBox_148"));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    };
    rights.saveButton = saveNamed(QStringLiteral("saveButton"));
    rights.failPath = QStringLiteral("workcenter/jobedit");
    rights.confirmation = QStringLiteral("保存<经纪人>权限设置成功！");
    rights.confirmedByTip = true;
    rights.kept = [this](QWidget* stack) {
        auto* box = child<QCheckBox>(stack, QStringLiteral("checkBox_148"));
        return box && box->isChecked() != m_rightWas;
    };
    rights.stored = [this](ShellDriver& driver) {
        // Read again as the user would: another role, then this one.
        openRole(driver, QStringLiteral("店长"));
        QWidget* stack = openRole(driver, QStringLiteral("经纪人"));
        auto* box = child<QCheckBox>(stack, QStringLiteral("checkBox_148"));
        return box && box->isChecked() != m_rightWas;
    };
    all.insert(QStringLiteral("角色权限"), rights);
    return all;
}

void TestHostSaveFailures::failedSaveSaysWhyAndKeepsTheForm_data()
{
    QTest::addColumn<QString>("editor");
    for (const char* name : {"加入我们", "轮播广告", "公司介绍", "专题", "自定义应用", "编辑应用", "顶部图标", "基本设置", "角色权限"})
        QTest::newRow(name) << QString::fromUtf8(name);
}

void TestHostSaveFailures::failedSaveSaysWhyAndKeepsTheForm()
{
    QFETCH(QString, editor);
    const EditorCase c = cases().value(editor);
    ShellDriver& driver = *m_driver;

    QPointer<QWidget> form = c.open(driver);
    QVERIFY2(form, "the editor did not open");
    c.fill(form);
    QPointer<QAbstractButton> save = c.saveButton(form);
    QVERIFY(save);

    driver.proxy()->failPath(c.failPath, 500);
    driver.clearAlerts();
    QVERIFY(ShellDriver::click(save));
    QVERIFY2(driver.waitForAlert(kFailed500, 15000), qPrintable(driver.alertTexts().join(QLatin1Char('|'))));
    QVERIFY(!driver.proxy()->requestPaths().filter(c.failPath).isEmpty());
    QVERIFY2(form && form->isVisible(), "the editor closed on a failed save");
    QVERIFY2(c.kept(form), "the form lost what was typed");
    QTRY_VERIFY(save && save->isEnabled());
    QVERIFY(driver.toastTexts().isEmpty());

    driver.proxy()->clearFaults();
    driver.clearAlerts();
    QVERIFY(ShellDriver::click(save));
    if (c.confirmedByTip)
        QVERIFY2(driver.waitForAlert(c.confirmation, 15000), qPrintable(driver.alertTexts().join(QLatin1Char('|'))));
    else
        QVERIFY2(driver.waitForToast(c.confirmation, 15000), qPrintable(driver.toastTexts().join(QLatin1Char('|'))));
    QVERIFY(!driver.alertTexts().join(QLatin1Char('|')).contains(QStringLiteral("保存失败")));
    QVERIFY2(c.stored(driver), "the service does not hold the saved record");
}

void TestHostSaveFailures::stoppedServiceIsSaidAndTheSaveWorksOnceItIsBack()
{
    ShellDriver& driver = *m_driver;
    const EditorCase c = cases().value(QStringLiteral("加入我们"));
    QPointer<QWidget> form = c.open(driver);
    QVERIFY(form);
    retype(child<QWidget>(form, QStringLiteral("titleEdit")), QStringLiteral("停机期间的职位"));
    ShellDriver::typeInto(child<QWidget>(form, QStringLiteral("salaryEdit")), QStringLiteral("5000元/月"));
    ShellDriver::typeInto(child<QWidget>(form, QStringLiteral("addressEdit")), QStringLiteral("天府新区店"));
    ShellDriver::typeInto(child<QWidget>(form, QStringLiteral("telEdit")), QStringLiteral("028-86660001"));
    ShellDriver::typeInto(child<QWidget>(form, QStringLiteral("contentEdit")), QStringLiteral("停机测试"));
    QPointer<QAbstractButton> save = c.saveButton(form);

    driver.proxy()->setDown(true);
    driver.clearAlerts();
    QVERIFY(ShellDriver::click(save));
    QVERIFY2(driver.waitForAlert(QStringLiteral("保存失败：无法连接到服务"), 15000),
             qPrintable(driver.alertTexts().join(QLatin1Char('|'))));
    QVERIFY(form && form->isVisible());
    QCOMPARE(lineText(form, QStringLiteral("titleEdit")), QStringLiteral("停机期间的职位"));
    QTRY_VERIFY(save && save->isEnabled());

    driver.proxy()->setDown(false);
    driver.clearAlerts();
    QVERIFY(ShellDriver::click(save));
    QVERIFY2(driver.waitForToast(QStringLiteral("添加职位成功！"), 15000), qPrintable(driver.toastTexts().join(QLatin1Char('|'))));
    QVERIFY(serviceHolds(driver, QStringLiteral("api/mtore/joinusposts"), QStringLiteral("停机期间的职位")));
}

void TestHostSaveFailures::themeClickThatFailsSnapsBackAndSaysWhy()
{
    ShellDriver& driver = *m_driver;
    QWidget* page = openStylePage(driver);
    QVERIFY(page);
    QRadioButton* saved = nullptr;
    QRadioButton* other = nullptr;
    for (QRadioButton* theme : page->findChildren<QRadioButton*>()) {
        if (!theme->objectName().startsWith(QLatin1String("themeButton")))
            continue;
        if (theme->isChecked())
            saved = theme;
        else if (!other)
            other = theme;
    }
    QVERIFY(saved && other);

    driver.proxy()->failPath(QStringLiteral("mtore/mstoreconfig"), 500);
    driver.clearAlerts();
    QVERIFY(ShellDriver::click(other));
    QVERIFY2(driver.waitForAlert(kFailed500, 15000), qPrintable(driver.alertTexts().join(QLatin1Char('|'))));
    QVERIFY(saved->isChecked());
    QVERIFY(!other->isChecked());

    driver.proxy()->clearFaults();
    driver.clearAlerts();
    QVERIFY(ShellDriver::click(other));
    const QString wanted = other->objectName().mid(QStringLiteral("themeButton").size());
    QTRY_VERIFY_WITH_TIMEOUT(QJsonDocument::fromJson(serviceRead(driver, QStringLiteral("api/mtore/getmstorestyleconfig")))
                                     .object()
                                     .value(QStringLiteral("data"))
                                     .toObject()
                                     .value(QStringLiteral("zhuti"))
                                     .toVariant()
                                     .toString()
                                 == wanted,
                             10000);
    QVERIFY(other->isChecked());
    QVERIFY(driver.alertTexts().isEmpty());
}

QTEST_MAIN(TestHostSaveFailures)
#include "tst_hostsavefailures.moc"
