#include "net/http/FormBody.h"
#include "net/pictures/ImageShowLabel.h"
#include "settings/apps/CustomAppContent.h"
#include "settings/apps/MircroWebSiteAddCustomAppWidget.h"
#include "settings/apps/MircroWebsiteEditAppWidget.h"
#include "settings/style/HouseSearchChoices.h"
#include "settings/topicons/MircroWebSiteTopTherePhotoAddWidget.h"
#include "settings/topicons/MircroWebSiteTopTherePhotoView.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/InputProbe.h"
#include "support/ui/LocalStoreFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/inputs/CustomComboBox.h"
#include "widgets/photos/PhotoFileDialog.h"

#include "DataCenter.h"
#include "LocalDatabase.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <QtTest>

using Content = CustomAppContent;
using App = MircroWebsiteStyleSet_Model::APP;

namespace {

const QString kManager = QStringLiteral("13800000000");
const QString kUploadPath = QStringLiteral("/api/app/upphoto");
const QString kAddPath = QStringLiteral("/api/mtore/customappadd");
const QString kModifyPath = QStringLiteral("/api/mtore/CustomAppmodify");

QString testPhoto(const QString& name)
{
    return QStringLiteral(KQ_TESTDATA_DIR "/photos/") + name;
}

QString areasJson()
{
    const QJsonArray areas{QJsonObject{{QStringLiteral("id"), 1}, {QStringLiteral("name"), QStringLiteral("锦江区")},
                                       {QStringLiteral("area"), QJsonArray{QJsonObject{{QStringLiteral("id"), 101}, {QStringLiteral("name"), QStringLiteral("春熙路")}},
                                                                           QJsonObject{{QStringLiteral("id"), 102}, {QStringLiteral("name"), QStringLiteral("东大街")}}}}},
                           QJsonObject{{QStringLiteral("id"), 2}, {QStringLiteral("name"), QStringLiteral("高新区")}, {QStringLiteral("area"), QJsonArray()}}};
    return QString::fromUtf8(QJsonDocument(areas).toJson(QJsonDocument::Compact));
}

QList<QVariantMap> areaMaps()
{
    QList<QVariantMap> maps;
    for (const QJsonValue& value : QJsonDocument::fromJson(areasJson().toUtf8()).array())
        maps.append(value.toObject().toVariantMap());
    return maps;
}

QPushButton* button(const QWidget* widget, const char* name)
{
    return widget->findChild<QPushButton*>(QLatin1String(name));
}

QUrlQuery formOf(const ScriptedHttpServer::Request& request)
{
    return QUrlQuery(QString::fromUtf8(request.body));
}

} // namespace

class TestCustomApps : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void sharedChecksInOrder_data();
    void sharedChecksInOrder();
    void contentIsWrittenAsJson();
    void districtsByCompany_data();
    void districtsByCompany();
    void eachModeChecksItsOwnFirst();
    void noPictureIsLostWhileSeveralCompress();
    void newAndChangedAppsGoToTheirEndpoints();
    void aFailedUploadKeepsTheForm();
    void systemAppEditor();
    void iconLabelsOpenThePicker();
    void topIconEditorHandsBackItsMap();
    void topIconFailedUploadIsNoSuccess();

private:
    MircroWebSiteAddCustomAppWidget* filledForm(int mode);

    ScriptedHttpServer m_server;
    QString m_company;
};

void TestCustomApps::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
    QVERIFY(m_server.start());
    m_server.useAsApiBase();
    m_company = DataCenter::CompanyID;
}

void TestCustomApps::init()
{
    m_server.clear();
    LocalStoreFixture::storeUser(kManager, true, {});
    QVERIFY(LocalDatabase::writeBaseMessage(kManager, {{QStringLiteral("area"), areasJson()}}));
    DataCenter::CompanyID = QStringLiteral("10001");
    m_server.setResponder(kUploadPath, [this](const ScriptedHttpServer::Request& request) {
        const int start = request.body.indexOf("filename=\"") + 10;
        const QString name = QString::fromUtf8(request.body.mid(start, request.body.indexOf('"', start) - start));
        return ScriptedHttpServer::envelope(200, m_server.url(QStringLiteral("/files/") + name));
    });
    const auto ok = ScriptedHttpServer::envelope(200, QStringLiteral("成功"));
    m_server.setReply(kAddPath, ok);
    m_server.setReply(kModifyPath, ok);
}

void TestCustomApps::cleanup()
{
    DataCenter::CompanyID = m_company;
    PhotoFileDialog::setPicker({});
    AlertProbe::closeAll();
    LocalStoreFixture::clearDrafts();
}

void TestCustomApps::sharedChecksInOrder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("icon");
    QTest::addColumn<bool>("compressing");
    QTest::addColumn<QString>("message");
    QTest::newRow("no name") << QString() << false << true << QStringLiteral("请填写应用名称！");
    QTest::newRow("four characters") << QStringLiteral("看房指南") << true << false << QString();
    QTest::newRow("five characters") << QStringLiteral("看房小指南") << true << false << QStringLiteral("应用名称长度应小于等于4位！");
    QTest::newRow("no icon") << QStringLiteral("指南") << false << false << QStringLiteral("请选择应用图标！");
    QTest::newRow("compressing") << QStringLiteral("指南") << true << true << QStringLiteral("正在处理图片，请稍等！");
}

void TestCustomApps::sharedChecksInOrder()
{
    QFETCH(QString, name);
    QFETCH(bool, icon);
    QFETCH(bool, compressing);
    QFETCH(QString, message);
    QCOMPARE(Content::checkShared(name, icon, compressing), message);
}

void TestCustomApps::contentIsWrittenAsJson()
{
    const QList<QVariantMap> photos{{{QStringLiteral("photo"), QStringLiteral("http://h/b\"2\".jpg")}, {QStringLiteral("sort"), 1}},
                                    {{QStringLiteral("photo"), QStringLiteral("http://h/a&1.jpg")}, {QStringLiteral("sort"), 0}}};
    const QString pictures = Content::photosContent(photos);
    QCOMPARE(pictures, QStringLiteral("[{\"photo\":\"http://h/a&1.jpg\",\"sort\":0},{\"photo\":\"http://h/b\\\"2\\\".jpg\",\"sort\":1}]"));
    QCOMPARE(Content::modeOf(pictures), Content::Photos);
    QCOMPARE(Content::photoAddresses(pictures), (QStringList{QStringLiteral("http://h/a&1.jpg"), QStringLiteral("http://h/b\"2\".jpg")}));

    const QString houses = Content::housesContent(QStringLiteral("二手\"房"), QStringLiteral("锦江&区"));
    QCOMPARE(Content::modeOf(houses), Content::Houses);
    QCOMPARE(Content::houseSearch(houses).value(QStringLiteral("housetype")).toString(), QStringLiteral("二手\"房"));
    QCOMPARE(Content::houseSearch(houses).value(QStringLiteral("districts")).toString(), QStringLiteral("锦江&区"));
    QCOMPARE(Content::modeOf(QStringLiteral("[看房] 请致电 & 预约")), Content::Text);

    QCOMPARE(Content::saveBody(QStringLiteral("指南"), QStringLiteral("http://h/i.png"), houses, 0).pieces().size(), 3);
    QCOMPARE(Content::saveBody(QStringLiteral("指南"), QStringLiteral("http://h/i.png"), houses, 8).pieces().last(),
             qMakePair(QStringLiteral("id"), QStringLiteral("8")));
}

void TestCustomApps::districtsByCompany_data()
{
    QTest::addColumn<QString>("company");
    QTest::addColumn<bool>("withAreas");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("error");
    QTest::newRow("any company sends the name") << QStringLiteral("10001") << true << QStringLiteral("锦江区") << QStringLiteral("锦江区") << QString();
    QTest::newRow("circle sends the quarter's id") << QStringLiteral("30728") << true << QStringLiteral("东大街") << QStringLiteral("102") << QString();
    QTest::newRow("circle without areas") << QStringLiteral("30728") << false << QStringLiteral("东大街") << QString() << QStringLiteral("未检索到区域！");
    QTest::newRow("circle, unknown district") << QStringLiteral("30728") << true << QStringLiteral("不存在") << QString() << QStringLiteral("未检索到区域！");
}

void TestCustomApps::districtsByCompany()
{
    QFETCH(QString, company);
    QFETCH(bool, withAreas);
    QFETCH(QString, chosen);
    QFETCH(QString, value);
    QFETCH(QString, error);
    QString failure;
    QCOMPARE(HouseSearchChoices::districtValue(withAreas ? areaMaps() : QList<QVariantMap>(), company, chosen, &failure), value);
    QCOMPARE(failure, error);
    if (!value.isEmpty())
        QCOMPARE(HouseSearchChoices::districtText(areaMaps(), company, value), chosen);
}

MircroWebSiteAddCustomAppWidget* TestCustomApps::filledForm(int mode)
{
    auto* form = new MircroWebSiteAddCustomAppWidget;
    App app;
    app.id = 0;
    app.title = QStringLiteral("指南");
    app.url = m_server.url(QStringLiteral("/files/icon.png"));
    form->setData(app);
    const char* buttons[] = {"photosModeButton", "textModeButton", "housesModeButton"};
    QTest::mouseClick(button(form, buttons[mode]), Qt::LeftButton);
    return form;
}

void TestCustomApps::eachModeChecksItsOwnFirst()
{
    QScopedPointer<MircroWebSiteAddCustomAppWidget> form(new MircroWebSiteAddCustomAppWidget);
    form->show();
    // Nothing typed: the mode's own check speaks first.
    QTest::mouseClick(button(form.data(), "submitButton"), Qt::LeftButton);
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("请至少选择一张图片"));
    QTest::mouseClick(button(form.data(), "textModeButton"), Qt::LeftButton);
    QTest::mouseClick(button(form.data(), "submitButton"), Qt::LeftButton);
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("请填写应用内容"));
    form->findChild<QPlainTextEdit*>(QStringLiteral("contentEdit"))->setPlainText(QStringLiteral("内容"));
    QTest::mouseClick(button(form.data(), "submitButton"), Qt::LeftButton);
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("请填写应用名称！"));

    // The house-circle company without areas in the local store.
    DataCenter::CompanyID = QStringLiteral("30728");
    QVERIFY(LocalDatabase::writeBaseMessage(kManager, {{QStringLiteral("area"), QStringLiteral("[]")}}));
    QScopedPointer<MircroWebSiteAddCustomAppWidget> circle(filledForm(Content::Houses));
    circle->show();
    QTest::mouseClick(button(circle.data(), "submitButton"), Qt::LeftButton);
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("未检索到区域！"));
    QVERIFY(m_server.requestsTo(kUploadPath).isEmpty());
    QVERIFY(m_server.requestsTo(kAddPath).isEmpty());
}

void TestCustomApps::noPictureIsLostWhileSeveralCompress()
{
    QTemporaryDir dir;
    QImage big(4200, 3000, QImage::Format_RGB32);
    big.fill(Qt::darkCyan);
    const QString large = dir.filePath(QStringLiteral("large.jpg"));
    QVERIFY(big.save(large, "JPEG", 95));
    QScopedPointer<MircroWebSiteAddCustomAppWidget> form(filledForm(Content::Photos));
    form->show();
    PhotoFileDialog::setPicker([&](QWidget*, bool) { return QStringList{large, testPhoto(QStringLiteral("Landscape_6.jpg"))}; });
    QTest::mouseClick(button(form.data(), "addPhotosButton"), Qt::LeftButton);
    QVERIFY(form->isBusy());
    form->submitData();
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("正在处理图片，请稍等！"));
    // One run ends first; the form is still busy with the other.
    QTRY_VERIFY_WITH_TIMEOUT(form->photos().size() >= 1, 20000);
    if (form->photos().size() == 1) {
        QVERIFY(form->isBusy());
        form->submitData();
        QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("正在处理图片，请稍等！"));
    }
    QTRY_VERIFY_WITH_TIMEOUT(!form->isBusy(), 20000);
    QCOMPARE(form->photos().size(), 2);
    QVERIFY(m_server.requestsTo(kAddPath).isEmpty());
}

void TestCustomApps::newAndChangedAppsGoToTheirEndpoints()
{
    QScopedPointer<MircroWebSiteAddCustomAppWidget> added(filledForm(Content::Photos));
    added->show();
    PhotoFileDialog::setPicker([](QWidget*, bool) {
        return QStringList{testPhoto(QStringLiteral("Landscape_1.jpg")), testPhoto(QStringLiteral("Portrait_2.jpg"))};
    });
    QTest::mouseClick(button(added.data(), "addPhotosButton"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!added->isBusy(), 20000);
    QSignalSpy saved(added.data(), &MircroWebSiteAddCustomAppWidget::setSuccess);
    QTest::mouseClick(button(added.data(), "submitButton"), Qt::LeftButton);
    QVERIFY(saved.wait(10000));
    const QUrlQuery add = formOf(m_server.requestsTo(kAddPath).first());
    QVERIFY(!add.hasQueryItem(QStringLiteral("id")));
    QCOMPARE(add.queryItemValue(QStringLiteral("name"), QUrl::FullyDecoded), QStringLiteral("指南"));
    QCOMPARE(add.queryItemValue(QStringLiteral("photo"), QUrl::FullyDecoded), m_server.url(QStringLiteral("/files/icon.png")));
    const QStringList pictures = Content::photoAddresses(add.queryItemValue(QStringLiteral("content"), QUrl::FullyDecoded));
    QCOMPARE(pictures.size(), 2);
    for (const QString& picture : pictures)
        QVERIFY2(picture.startsWith(m_server.url(QStringLiteral("/files/"))), qPrintable(picture));
    // The icon was already on the service: only the two pictures were sent.
    QCOMPARE(m_server.requestsTo(kUploadPath).size(), 2);

    // A text app being changed keeps its id and goes to the change endpoint.
    QScopedPointer<MircroWebSiteAddCustomAppWidget> changed(new MircroWebSiteAddCustomAppWidget);
    App app;
    app.id = 8;
    app.type = 1;
    app.title = QStringLiteral("须知");
    app.url = m_server.url(QStringLiteral("/files/icon.png"));
    app.content = QStringLiteral("原来的 \"内容\" & 说明");
    changed->setData(app);
    QCOMPARE(changed->currentMode(), static_cast<int>(Content::Text));
    QCOMPARE(changed->findChild<QPlainTextEdit*>(QStringLiteral("contentEdit"))->toPlainText(), app.content);
    QSignalSpy changedSaved(changed.data(), &MircroWebSiteAddCustomAppWidget::setSuccess);
    changed->submitData();
    QVERIFY(changedSaved.wait(10000));
    const ScriptedHttpServer::Request modify = m_server.requestsTo(kModifyPath).first();
    QVERIFY(modify.body.endsWith("&id=8"));
    QCOMPARE(formOf(modify).queryItemValue(QStringLiteral("content"), QUrl::FullyDecoded), app.content);
}

void TestCustomApps::aFailedUploadKeepsTheForm()
{
    m_server.setResponder(kUploadPath, [](const ScriptedHttpServer::Request&) {
        return ScriptedHttpServer::envelope(500, QStringLiteral("存储不可用"));
    });
    QScopedPointer<MircroWebSiteAddCustomAppWidget> form(new MircroWebSiteAddCustomAppWidget);
    form->show();
    InputProbe::commitText(form->findChild<QLineEdit*>(QStringLiteral("nameEdit")), QStringLiteral("须知"));
    PhotoFileDialog::setPicker([](QWidget*, bool) { return QStringList{testPhoto(QStringLiteral("Portrait_4.jpg"))}; });
    form->chooseIconPhoto();
    QTRY_VERIFY_WITH_TIMEOUT(!form->isBusy(), 20000);
    QTest::mouseClick(button(form.data(), "textModeButton"), Qt::LeftButton);
    form->findChild<QPlainTextEdit*>(QStringLiteral("contentEdit"))->setPlainText(QStringLiteral("刚写的内容"));
    form->submitData();
    QVERIFY(AlertProbe::waitForAlertContaining(QStringLiteral("应用图标上传失败：存储不可用")));
    AlertProbe::closeAll();
    QVERIFY(m_server.requestsTo(kAddPath).isEmpty());
    QCOMPARE(form->findChild<QPlainTextEdit*>(QStringLiteral("contentEdit"))->toPlainText(), QStringLiteral("刚写的内容"));
    QVERIFY(!form->waitIndicator());
}

void TestCustomApps::systemAppEditor()
{
    QCOMPARE(MircroWebsiteEditAppWidget::checkInput(QStringLiteral("找房"), true), QStringLiteral("正在处理图片，请稍等再提交..."));
    QCOMPARE(MircroWebsiteEditAppWidget::checkInput(QString(), false), QStringLiteral("请填写应用名称！"));
    QCOMPARE(MircroWebsiteEditAppWidget::checkInput(QStringLiteral("我要找好房"), false), QStringLiteral("应用名称长度应小于等于4位！"));
    QCOMPARE(MircroWebsiteEditAppWidget::checkInput(QStringLiteral("我要找房"), false), QString());

    MircroWebsiteEditAppWidget editor;
    App app;
    app.id = 3;
    app.title = QStringLiteral("租房");
    app.url = QStringLiteral(":/res/mircro_website_3.png");
    editor.setData(app);
    QSignalSpy saved(&editor, &MircroWebsiteEditAppWidget::setSuccess);
    editor.submitData();
    QVERIFY(saved.wait(10000));
    // The built-in icon is not the app's own: an empty photo keeps it.
    QCOMPARE(formOf(m_server.requestsTo(kModifyPath).first()).toString(QUrl::FullyDecoded),
             QStringLiteral("id=3&name=租房&photo="));
    QVERIFY(m_server.requestsTo(kUploadPath).isEmpty());
}

void TestCustomApps::iconLabelsOpenThePicker()
{
    // Each editor's icon is chosen by clicking it; the pictures grid of a new custom app too.
    QScopedPointer<MircroWebSiteAddCustomAppWidget> custom(new MircroWebSiteAddCustomAppWidget);
    QScopedPointer<MircroWebsiteEditAppWidget> system(new MircroWebsiteEditAppWidget);
    QScopedPointer<MircroWebSiteTopTherePhotoAddWidget> top(new MircroWebSiteTopTherePhotoAddWidget);
    const QList<QWidget*> editors{custom.data(), system.data(), top.data()};
    const QString picked = testPhoto(QStringLiteral("Portrait_3.jpg"));
    for (QWidget* editor : editors) {
        editor->show();
        auto* icon = editor->findChild<ImageShowLabel*>(QStringLiteral("iconLabel"));
        QVERIFY(icon);
        QList<bool> asked;
        PhotoFileDialog::setPicker([&](QWidget*, bool several) {
            asked.append(several);
            return QStringList{picked};
        });
        QTest::mouseClick(icon, Qt::LeftButton);
        QCOMPARE(asked, QList<bool>{false});
        // The picture is compressed, then shown in place of the placeholder.
        QTRY_VERIFY_WITH_TIMEOUT(icon->isLoaded() && icon->getShownPath() != QStringLiteral(":/res/moren.png"), 20000);
        QCOMPARE(icon->text(), QString());
        editor->hide();
    }

    custom->show();
    auto* empty = custom->findChild<ImageShowLabel*>(QStringLiteral("emptyPhotosLabel"));
    QVERIFY(empty && empty->isVisible());
    QCOMPARE(empty->text(), ImageShowLabel::pickHint());
    QList<bool> asked;
    PhotoFileDialog::setPicker([&](QWidget*, bool several) {
        asked.append(several);
        return QStringList{testPhoto(QStringLiteral("Landscape_2.jpg")), picked};
    });
    QTest::mouseClick(empty, Qt::LeftButton);
    QCOMPARE(asked, QList<bool>{true});
    QTRY_COMPARE_WITH_TIMEOUT(custom->photos().size(), 2, 20000);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!custom->findChild<ImageShowLabel*>(QStringLiteral("emptyPhotosLabel")));
    QCOMPARE(custom->findChildren<ImageShowLabel*>(QStringLiteral("photoLabel")).size(), 2);
}

void TestCustomApps::topIconEditorHandsBackItsMap()
{
    MircroWebSiteTopTherePhotoAddWidget editor;
    editor.show();
    QTest::mouseClick(button(&editor, "submitButton"), Qt::LeftButton);
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("请选择图标！"));

    const QVariantMap given{{QStringLiteral("url"), m_server.url(QStringLiteral("/files/top.png"))},
                            {QStringLiteral("housetype"), QStringLiteral("租房")}, {QStringLiteral("districts"), QStringLiteral("锦江区")},
                            {QStringLiteral("title"), QStringLiteral("kept")}};
    editor.setData(given);
    QCOMPARE(editor.houseTypeBox()->currentText(), QStringLiteral("租房"));
    QCOMPARE(editor.districtBox()->currentText(), QStringLiteral("锦江区"));
    QVERIFY(InputProbe::chooseEntry(editor.districtBox(), QStringLiteral("全部")));
    QSignalSpy done(&editor, &MircroWebSiteTopTherePhotoAddWidget::setSuccess);
    QTest::mouseClick(button(&editor, "submitButton"), Qt::LeftButton);
    QTRY_COMPARE(done.count(), 1);
    const QVariantMap map = done.first().first().toMap();
    QCOMPARE(map.value(QStringLiteral("districts")).toString(), QString());
    QCOMPARE(map.value(QStringLiteral("housetype")).toString(), QStringLiteral("租房"));
    QCOMPARE(map.value(QStringLiteral("url")).toString(), given.value(QStringLiteral("url")).toString());
    QCOMPARE(map.value(QStringLiteral("title")).toString(), QStringLiteral("kept"));
    QVERIFY(m_server.requests().isEmpty());
}

void TestCustomApps::topIconFailedUploadIsNoSuccess()
{
    m_server.setResponder(kUploadPath, [](const ScriptedHttpServer::Request&) {
        return ScriptedHttpServer::envelope(500, QStringLiteral("存储不可用"));
    });
    MircroWebSiteTopTherePhotoView view;
    view.setContentData({{QStringLiteral("url"), m_server.url(QStringLiteral("/files/top.png"))}});
    view.editItem();
    QVERIFY(view.editorPopup());
    auto* editor = view.editorPopup()->findChild<MircroWebSiteTopTherePhotoAddWidget*>();
    PhotoFileDialog::setPicker([](QWidget*, bool) { return QStringList{testPhoto(QStringLiteral("Landscape_7.jpg"))}; });
    editor->chooseIconPhoto();
    QVERIFY(editor->isBusy());
    editor->submitData();
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("正在处理图片，请稍等！"));
    QTRY_VERIFY_WITH_TIMEOUT(!editor->isBusy(), 20000);
    QSignalSpy done(editor, &MircroWebSiteTopTherePhotoAddWidget::setSuccess);
    editor->submitData();
    QVERIFY(AlertProbe::waitForAlertContaining(QStringLiteral("上传失败")));
    AlertProbe::closeAll();
    QCOMPARE(done.count(), 0);
    QVERIFY(view.editorPopup());
    QCOMPARE(view.getData().value(QStringLiteral("url")).toString(), m_server.url(QStringLiteral("/files/top.png")));
    view.editorPopup()->closeWidget();
}

QTEST_MAIN(TestCustomApps)
#include "tst_customapps.moc"
