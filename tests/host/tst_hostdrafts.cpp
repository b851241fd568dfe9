#include "support/host/ShellDriver.h"
#include "support/host/ShellTasks.h"

#include "LocalDatabase.h"
#include "ShellMainWindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using namespace ShellTasks;

namespace {

const QString kPhone = QStringLiteral("13800000000");
const QColor kPicked(200, 40, 160);

// One editor as a user meets it: how it opens (with what the service holds read), what is typed
// into every field, whether the form shows all of it, and how it saves.
struct DraftCase
{
    QString editor; // the editor's name in the store
    std::function<QWidget*(ShellDriver&)> open;
    std::function<bool(QWidget*)> fill;
    std::function<bool(QWidget*)> restored;
    QString saveButton;
    QString confirmation;
    bool confirmedByTip = false;
};

// Drafts of this editor in the user's local store.
int draftCount(const QString& editor)
{
    QSqlDatabase db;
    if (!LocalDatabase::open(QStringLiteral("tst_hostdrafts"), kPhone, &db) || !db.tables().contains(QStringLiteral("editor_drafts")))
        return 0;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("select count(*) from editor_drafts where editor = ?"));
    query.addBindValue(editor);
    return query.exec() && query.next() ? query.value(0).toInt() : -1;
}

void clearDrafts()
{
    QSqlDatabase db;
    if (LocalDatabase::open(QStringLiteral("tst_hostdrafts"), kPhone, &db) && db.tables().contains(QStringLiteral("editor_drafts")))
        QSqlQuery(db).exec(QStringLiteral("delete from editor_drafts"));
}

// Picks the picture through the file dialog that clicking `label` opens, and waits until it shows.
bool pickPicture(ShellDriver& driver, QWidget* editor, const QString& label, const QString& path)
{
    driver.answerFileDialogs({path});
    ShellDriver::click(child<QWidget>(editor, label));
    return ShellDriver::waitFor(
        [editor, label]() -> QWidget* {
            QWidget* shown = child<QWidget>(editor, label);
            return showsColour(shown, kPicked) && !ShellDriver::findVisible(QStringLiteral("QProgressIndicator"), editor)
                ? shown
                : nullptr;
        },
        10000);
}

// Steps a combo box on with the keyboard, as a user choosing the next entries.
QString stepCombo(QWidget* editor, const QString& name, int steps)
{
    auto* box = child<QComboBox>(editor, name);
    if (!box)
        return QString();
    box->setFocus(Qt::OtherFocusReason);
    for (int i = 0; i < steps; ++i)
        QTest::keyClick(box, Qt::Key_Down);
    return box->currentText();
}

QString comboText(QWidget* editor, const QString& name)
{
    auto* box = child<QComboBox>(editor, name);
    return box ? box->currentText() : QString();
}

} // namespace

class TestHostDrafts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void typedFormComesBackAfterTheEditorWasClosed_data();
    void typedFormComesBackAfterTheEditorWasClosed();
    void closingAsksBeforeChangesAreGivenUp();

private:
    QHash<QString, DraftCase> cases();

    std::unique_ptr<ShellDriver> m_driver;
    QTemporaryDir m_pictures;
    QString m_picture;
    QString m_choice; // what a case chose in a combo box or a radio button while filling
    int m_rightTyped = -1; // the state the rights case left its check box in, -1 before

};

void TestHostDrafts::initTestCase()
{
    QVERIFY(m_pictures.isValid());
    m_picture = picture(m_pictures, QStringLiteral("picked.png"), kPicked);
    m_driver = std::make_unique<ShellDriver>();
    QString error;
    QVERIFY2(m_driver->start(kPhone, &error), qPrintable(error));
}

void TestHostDrafts::cleanup()
{
    m_driver->backToMainPage();
    clearDrafts();
    m_choice.clear();
    m_rightTyped = -1;
}

QHash<QString, DraftCase> TestHostDrafts::cases()
{
    QHash<QString, DraftCase> all;
    ShellDriver& driver = *m_driver;

    DraftCase job;
    job.editor = QStringLiteral("job");
    job.open = [](ShellDriver& d) -> QWidget* {
        ShellDriver::click(tile(QStringLiteral("加入我们"), d.window()));
        QWidget* list = waitVisible(QStringLiteral("JoinUsListWidget"));
        ShellDriver::click(child<QAbstractButton>(list, QStringLiteral("addJobButton")));
        return waitVisible(QStringLiteral("JoinUsAddEditWidget"));
    };
    job.fill = [this](QWidget* editor) {
        ShellDriver::typeInto(child<QWidget>(editor, QStringLiteral("titleEdit")), QStringLiteral("夜班置业顾问 & 助理"));
        ShellDriver::typeInto(child<QWidget>(editor, QStringLiteral("salaryEdit")), QStringLiteral("6000-9000元/月"));
        ShellDriver::typeInto(child<QWidget>(editor, QStringLiteral("addressEdit")), QStringLiteral("春熙路门店"));
        ShellDriver::typeInto(child<QWidget>(editor, QStringLiteral("telEdit")), QStringLiteral("028-86660000"));
        ShellDriver::typeInto(child<QWidget>(editor, QStringLiteral("contentEdit")), QStringLiteral("负责夜间带看与签约，要求两年经验"));
        m_choice = stepCombo(editor, QStringLiteral("educationBox"), 5) + QLatin1Char('|')
            + stepCombo(editor, QStringLiteral("experienceBox"), 4);
        ShellDriver::click(child<QWidget>(editor, QStringLiteral("addChipButton")));
        QWidget* tag = waitVisible(QStringLiteral("AddNewTagWidget"));
        if (!tag)
            return false;
        ShellDriver::typeInto(tag->findChild<QLineEdit*>(), QStringLiteral("五险一金"));
        ShellDriver::click(child<QWidget>(tag, QStringLiteral("sureButton")));
        return ShellDriver::findAllVisible(QStringLiteral("ChoosePeople_Item"), editor).size() == 1;
    };
    job.restored = [this](QWidget* editor) {
        return lineText(editor, QStringLiteral("titleEdit")) == QStringLiteral("夜班置业顾问 & 助理")
            && lineText(editor, QStringLiteral("salaryEdit")) == QStringLiteral("6000-9000元/月")
            && lineText(editor, QStringLiteral("addressEdit")) == QStringLiteral("春熙路门店")
            && lineText(editor, QStringLiteral("telEdit")) == QStringLiteral("028-86660000")
            && plainText(editor, QStringLiteral("contentEdit")) == QStringLiteral("负责夜间带看与签约，要求两年经验")
            && comboText(editor, QStringLiteral("educationBox")) + QLatin1Char('|') + comboText(editor, QStringLiteral("experienceBox")) == m_choice
            && ShellDriver::findAllVisible(QStringLiteral("ChoosePeople_Item"), editor).size() == 1;
    };
    job.saveButton = QStringLiteral("saveButton");
    job.confirmation = QStringLiteral("添加职位成功！");
    all.insert(QStringLiteral("加入我们"), job);

    DraftCase profile;
    profile.editor = QStringLiteral("companyProfile");
    profile.open = [](ShellDriver& d) -> QWidget* {
        ShellDriver::click(tile(QStringLiteral("公司介绍"), d.window()));
        QWidget* page = waitVisible(QStringLiteral("CompanyProfileWidget"));
        ShellDriver::waitFor([page]() -> QWidget* {
            auto* label = child<QLabel>(page, QStringLiteral("addressLabel"));
            return label && !label->text().isEmpty() ? label : nullptr;
        });
        ShellDriver::click(child<QAbstractButton>(page, QStringLiteral("editButton")));
        return waitVisible(QStringLiteral("CompanyProfileEditWidget"));
    };
    profile.fill = [this, &driver](QWidget* editor) {
        retype(child<QWidget>(editor, QStringLiteral("addressEdit")), QStringLiteral("成都市锦江区红星路二段99号"));
        retype(child<QWidget>(editor, QStringLiteral("telEdit")), QStringLiteral("028-86669999"));
        retype(child<QWidget>(editor, QStringLiteral("contentEdit")), QStringLiteral("扎根成都二十年的房产服务商"));
        const int tiles = ShellDriver::findAllVisible(QStringLiteral("HouseDetailPictureListWidget"), editor).size();
        m_choice = QString::number(tiles + 1);
        driver.answerFileDialogs({m_picture});
        ShellDriver::click(child<QWidget>(editor, QStringLiteral("addPhotoButton")));
        return ShellDriver::waitFor([editor, tiles]() -> QWidget* {
                   return ShellDriver::findAllVisible(QStringLiteral("HouseDetailPictureListWidget"), editor).size() == tiles + 1
                           && !ShellDriver::findVisible(QStringLiteral("QProgressIndicator"), editor)
                       ? editor
                       : nullptr;
               },
                                     10000)
            != nullptr;
    };
    profile.restored = [this](QWidget* editor) {
        return lineText(editor, QStringLiteral("addressEdit")) == QStringLiteral("成都市锦江区红星路二段99号")
            && lineText(editor, QStringLiteral("telEdit")) == QStringLiteral("028-86669999")
            && plainText(editor, QStringLiteral("contentEdit")) == QStringLiteral("扎根成都二十年的房产服务商")
            && QString::number(ShellDriver::findAllVisible(QStringLiteral("HouseDetailPictureListWidget"), editor).size()) == m_choice;
    };
    profile.saveButton = QStringLiteral("saveButton");
    profile.confirmation = QStringLiteral("保存公司介绍成功！");
    all.insert(QStringLiteral("公司介绍"), profile);

    DraftCase advert;
    advert.editor = QStringLiteral("advert");
    advert.open = [](ShellDriver& d) -> QWidget* {
        ShellDriver::click(tile(QStringLiteral("轮播广告"), d.window()));
        QWidget* list = waitVisible(QStringLiteral("MicroWebsiteScrollAdsWidget"));
        ShellDriver::click(child<QAbstractButton>(list, QStringLiteral("addAdButton")));
        return waitVisible(QStringLiteral("MicroWebSiteScrollAddWidget"));
    };
    advert.fill = [this, &driver](QWidget* editor) {
        m_choice = stepCombo(editor, QStringLiteral("typeBox"), 5);
        return pickPicture(driver, editor, QStringLiteral("pictureLabel"), m_picture);
    };
    advert.restored = [this](QWidget* editor) {
        return comboText(editor, QStringLiteral("typeBox")) == m_choice
            && showsColour(child<QWidget>(editor, QStringLiteral("pictureLabel")), kPicked);
    };
    advert.saveButton = QStringLiteral("submitButton");
    advert.confirmation = QStringLiteral("添加轮播广告成功！");
    all.insert(QStringLiteral("轮播广告"), advert);

    DraftCase topic;
    topic.editor = QStringLiteral("topic");
    topic.open = [](ShellDriver& d) -> QWidget* {
        ShellDriver::click(tile(QStringLiteral("资讯"), d.window()));
        QWidget* news = waitVisible(QStringLiteral("MicroWebsiteNewsStackWidget"));
        ShellDriver::click(child<QAbstractButton>(news, QStringLiteral("menu_topics")));
        QWidget* item = waitVisible(QStringLiteral("MicroWebsiteNewsThemeListItemView"), news);
        ShellDriver::click(child<QAbstractButton>(item, QStringLiteral("editButton")));
        return waitVisible(QStringLiteral("MicroWebsiteNewsThemeAddWidget"));
    };
    topic.fill = [this, &driver](QWidget* editor) {
        retype(child<QWidget>(editor, QStringLiteral("titleEdit")), QStringLiteral("地铁口两居室专题"));
        retype(child<QWidget>(editor, QStringLiteral("subtitleEdit")), QStringLiteral("五月精选"));
        return pickPicture(driver, editor, QStringLiteral("iconLabel"), m_picture);
    };
    topic.restored = [](QWidget* editor) {
        return lineText(editor, QStringLiteral("titleEdit")) == QStringLiteral("地铁口两居室专题")
            && lineText(editor, QStringLiteral("subtitleEdit")) == QStringLiteral("五月精选")
            && showsColour(child<QWidget>(editor, QStringLiteral("iconLabel")), kPicked);
    };
    topic.saveButton = QStringLiteral("submitButton");
    topic.confirmation = QStringLiteral("修改专题成功！");
    all.insert(QStringLiteral("专题"), topic);

    DraftCase customApp;
    customApp.editor = QStringLiteral("customApp");
    customApp.open = [](ShellDriver& d) -> QWidget* {
        ShellDriver::click(tile(QStringLiteral("自定义应用"), d.window()));
        return waitVisible(QStringLiteral("MircroWebSiteAddCustomAppWidget"));
    };
    customApp.fill = [this, &driver](QWidget* editor) {
        ShellDriver::typeInto(child<QWidget>(editor, QStringLiteral("nameEdit")), QStringLiteral("看房须知"));
        ShellDriver::click(child<QWidget>(editor, QStringLiteral("textModeButton")));
        ShellDriver::typeInto(child<QWidget>(editor, QStringLiteral("contentEdit")), QStringLiteral("看房请提前一天预约"));
        return pickPicture(driver, editor, QStringLiteral("iconLabel"), m_picture);
    };
    customApp.restored = [](QWidget* editor) {
        QWidget* content = child<QWidget>(editor, QStringLiteral("contentEdit"));
        return lineText(editor, QStringLiteral("nameEdit")) == QStringLiteral("看房须知")
            && plainText(editor, QStringLiteral("contentEdit")) == QStringLiteral("看房请提前一天预约") && content
            && content->isVisible() && showsColour(child<QWidget>(editor, QStringLiteral("iconLabel")), kPicked);
    };
    customApp.saveButton = QStringLiteral("submitButton");
    customApp.confirmation = QStringLiteral("添加自定义应用成功！");
    all.insert(QStringLiteral("自定义应用"), customApp);

    DraftCase systemApp;
    systemApp.editor = QStringLiteral("systemApp");
    systemApp.open = [](ShellDriver& d) -> QWidget* {
        QWidget* page = openStylePage(d);
        // Named as saved by an earlier round of the case.
        QWidget* app = tile(QStringLiteral("金融"), page);
        ShellDriver::click(app ? app : tile(QStringLiteral("按揭"), page));
        return waitVisible(QStringLiteral("MircroWebsiteEditAppWidget"));
    };
    systemApp.fill = [this, &driver](QWidget* editor) {
        retype(child<QWidget>(editor, QStringLiteral("nameEdit")), QStringLiteral("按揭"));
        return pickPicture(driver, editor, QStringLiteral("iconLabel"), m_picture);
    };
    systemApp.restored = [](QWidget* editor) {
        return lineText(editor, QStringLiteral("nameEdit")) == QStringLiteral("按揭")
            && showsColour(child<QWidget>(editor, QStringLiteral("iconLabel")), kPicked);
    };
    systemApp.saveButton = QStringLiteral("submitButton");
    systemApp.confirmation = QStringLiteral("修改应用成功！");
    all.insert(QStringLiteral("编辑应用"), systemApp);

    DraftCase topIcon;
    topIcon.editor = QStringLiteral("topIcon");
    topIcon.open = [](ShellDriver& d) -> QWidget* {
        QWidget* page = openStylePage(d);
        QWidget* view = waitVisible(QStringLiteral("MircroWebSiteTopTherePhotoView"), page);
        // The icons are read by then once the first one leads to a house type.
        for (int attempt = 0; attempt < 20; ++attempt) {
            ShellDriver::click(child<QAbstractButton>(view, QStringLiteral("pushButton_edit")));
            QWidget* editor = waitVisible(QStringLiteral("MircroWebSiteTopTherePhotoAddWidget"));
            if (!comboText(editor, QStringLiteral("houseTypeBox")).isEmpty()
                && comboText(editor, QStringLiteral("houseTypeBox")) == QStringLiteral("二手房"))
                return editor;
            QMetaObject::invokeMethod(editor->window(), "closeWidget");
            QTest::qWait(200);
        }
        return nullptr;
    };
    topIcon.fill = [this, &driver](QWidget* editor) {
        m_choice = stepCombo(editor, QStringLiteral("houseTypeBox"), 1) + QLatin1Char('|')
            + stepCombo(editor, QStringLiteral("districtBox"), 1);
        return pickPicture(driver, editor, QStringLiteral("iconLabel"), m_picture);
    };
    topIcon.restored = [this](QWidget* editor) {
        return comboText(editor, QStringLiteral("houseTypeBox")) + QLatin1Char('|') + comboText(editor, QStringLiteral("districtBox")) == m_choice
            && showsColour(child<QWidget>(editor, QStringLiteral("iconLabel")), kPicked);
    };
    // Handed to the style page, which saves it with "应用".
    topIcon.saveButton = QStringLiteral("submitButton");
    all.insert(QStringLiteral("顶部图标"), topIcon);

    DraftCase basic;
    basic.editor = QStringLiteral("basicSettings");
    basic.open = [](ShellDriver& d) -> QWidget* {
        QWidget* stack = openSettings(d);
        ShellDriver::click(child<QAbstractButton>(stack, QStringLiteral("basicButton")));
        QWidget* page = waitVisible(QStringLiteral("MircroWebSiteSetWidget"), stack);
        auto* apply = child<QAbstractButton>(page, QStringLiteral("applyButton"));
        return ShellDriver::waitFor([page, apply]() -> QWidget* { return apply && apply->isEnabled() ? page : nullptr; });
    };
    basic.fill = [this](QWidget* page) {
        retype(child<QWidget>(page, QStringLiteral("dayEdit")), QStringLiteral("45"));
        for (QRadioButton* radio : page->findChildren<QRadioButton*>()) {
            if (radio->text() == QStringLiteral("手动推送") && !radio->isChecked()) {
                m_choice = radio->text();
                QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
            }
        }
        return lineText(page, QStringLiteral("dayEdit")) == QStringLiteral("45");
    };
    basic.restored = [this](QWidget* page) {
        bool chosen = m_choice.isEmpty();
        for (QRadioButton* radio : page->findChildren<QRadioButton*>())
            chosen = chosen || (radio->text() == m_choice && radio->isChecked());
        return chosen && lineText(page, QStringLiteral("dayEdit")) == QStringLiteral("45");
    };
    basic.saveButton = QStringLiteral("applyButton");
    basic.confirmation = QStringLiteral("设置微官网设置成功！");
    basic.confirmedByTip = true;
    all.insert(QStringLiteral("基本设置"), basic);

    DraftCase rights;
    rights.editor = QStringLiteral("jobRights");
    rights.open = [](ShellDriver& d) -> QWidget* { return openRole(d, QStringLiteral("经纪人")); };
    rights.fill = [this](QWidget* stack) {
        auto* box = child<QCheckBox>(stack, QStringLiteral("checkBox_148"));
        if (!box)
            return false;
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        m_rightTyped = box->isChecked() ? 1 : 0;
        return true;
    };
    rights.restored = [this](QWidget* stack) {
        auto* box = child<QCheckBox>(stack, QStringLiteral("checkBox_148"));
        return box && m_rightTyped >= 0 && box->isChecked() == (m_rightTyped == 1);
    };
    rights.saveButton = QStringLiteral("saveButton");
    rights.confirmation = QStringLiteral("保存<经纪人>权限设置成功！");
    rights.confirmedByTip = true;
    all.insert(QStringLiteral("角色权限"), rights);
    return all;
}

void TestHostDrafts::typedFormComesBackAfterTheEditorWasClosed_data()
{
    QTest::addColumn<QString>("editor");
    for (const char* name : {"加入我们", "公司介绍", "轮播广告", "专题", "自定义应用", "编辑应用", "顶部图标", "基本设置", "角色权限"})
        QTest::newRow(name) << QString::fromUtf8(name);
}

// Typed, the editor closed by the host without a save, opened again: the draft is offered with its
// time and restores every field; the save then leaves no draft, and nothing is offered again.
void TestHostDrafts::typedFormComesBackAfterTheEditorWasClosed()
{
    QFETCH(QString, editor);
    const DraftCase c = cases().value(editor);
    ShellDriver& driver = *m_driver;

    QPointer<QWidget> form = c.open(driver);
    QVERIFY2(form, "the editor did not open");
    QVERIFY(!c.restored(form));
    QVERIFY2(c.fill(form), "the form could not be filled");
    QVERIFY(c.restored(form));
    driver.backToMainPage();
    QTRY_VERIFY(!form);
    QCOMPARE(draftCount(c.editor), 1);

    driver.clearAlerts();
    driver.queueAlertAnswer(QStringLiteral("sureBtn"));
    form = c.open(driver);
    QVERIFY(form);
    QVERIFY2(driver.waitForAlert(QStringLiteral("未保存的草稿"), 10000), qPrintable(driver.alertTexts().join(QLatin1Char('|'))));
    QVERIFY(driver.alertTexts().filter(QStringLiteral("草稿")).constFirst().contains(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
    QTRY_VERIFY2_WITH_TIMEOUT(form && c.restored(form), "the form does not show the draft", 10000);

    driver.clearAlerts();
    QVERIFY(ShellDriver::click(child<QAbstractButton>(form, c.saveButton)));
    if (c.confirmation.isEmpty())
        QTRY_VERIFY_WITH_TIMEOUT(!form || !form->isVisible(), 15000);
    else if (c.confirmedByTip)
        QVERIFY2(driver.waitForAlert(c.confirmation, 15000), qPrintable(driver.alertTexts().join(QLatin1Char('|'))));
    else
        QVERIFY2(driver.waitForToast(c.confirmation, 15000), qPrintable(driver.toastTexts().join(QLatin1Char('|'))));
    QTRY_COMPARE(draftCount(c.editor), 0);

    driver.backToMainPage();
    driver.clearAlerts();
    form = c.open(driver);
    QVERIFY(form);
    QTest::qWait(500);
    QVERIFY2(driver.alertTexts().filter(QStringLiteral("草稿")).isEmpty(), qPrintable(driver.alertTexts().join(QLatin1Char('|'))));
}

// The close button of an editor with changes asks first; without changes it closes at once.
void TestHostDrafts::closingAsksBeforeChangesAreGivenUp()
{
    ShellDriver& driver = *m_driver;
    const DraftCase c = cases().value(QStringLiteral("加入我们"));
    QPointer<QWidget> form = c.open(driver);
    QVERIFY(form);
    driver.clearAlerts();
    QVERIFY(ShellDriver::click(child<QWidget>(form->window(), QStringLiteral("closeButton"))));
    QTRY_VERIFY(!form);
    QVERIFY(driver.alertTexts().isEmpty());

    form = c.open(driver);
    ShellDriver::typeInto(child<QWidget>(form, QStringLiteral("titleEdit")), QStringLiteral("差点丢了"));
    driver.queueAlertAnswer(QStringLiteral("cancleBtn"));
    QVERIFY(ShellDriver::click(child<QWidget>(form->window(), QStringLiteral("closeButton"))));
    QVERIFY(driver.waitForAlert(QStringLiteral("放弃未保存的修改？")));
    QTest::qWait(200);
    QVERIFY(form && form->isVisible());
    QCOMPARE(lineText(form, QStringLiteral("titleEdit")), QStringLiteral("差点丢了"));

    driver.clearAlerts();
    driver.queueAlertAnswer(QStringLiteral("sureBtn"));
    QVERIFY(ShellDriver::click(child<QWidget>(form->window(), QStringLiteral("closeButton"))));
    QVERIFY(driver.waitForAlert(QStringLiteral("放弃未保存的修改？")));
    QTRY_VERIFY(!form);
    QCOMPARE(draftCount(c.editor), 0);

    // The settings' "取消" gives changes up as well: it asks the same.
    const DraftCase basic = cases().value(QStringLiteral("基本设置"));
    QPointer<QWidget> page = basic.open(driver);
    QVERIFY(page);
    // A value no other case saves.
    retype(child<QWidget>(page, QStringLiteral("dayEdit")), QStringLiteral("60"));
    driver.clearAlerts();
    driver.queueAlertAnswer(QStringLiteral("cancleBtn"));
    QVERIFY(ShellDriver::click(child<QWidget>(page, QStringLiteral("cancelButton"))));
    QVERIFY(driver.waitForAlert(QStringLiteral("放弃未保存的修改？")));
    QTest::qWait(200);
    QVERIFY(page && page->isVisible());
    driver.queueAlertAnswer(QStringLiteral("sureBtn"));
    QVERIFY(ShellDriver::click(child<QWidget>(page, QStringLiteral("cancelButton"))));
    QTRY_VERIFY(!page || !page->isVisible());
    QCOMPARE(draftCount(basic.editor), 0);
}

QTEST_MAIN(TestHostDrafts)
#include "tst_hostdrafts.moc"
