#include "content/profile/CompanyProfileEditWidget.h"
#include "content/profile/CompanyProfileWidget.h"
#include "content/profile/MicroWebsite_CompanyProfile_Model.h"
#include "net/pictures/PhotoWork.h"
#include "support/service/ReferenceService.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/CardPageFixture.h"
#include "support/ui/HostWindowFixture.h"
#include "support/ui/InputProbe.h"
#include "support/ui/LocalStoreFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "support/ui/RequestLog.h"
#include "widgets/inputs/OmitLabel.h"
#include "widgets/lists/QProgressIndicator.h"
#include "widgets/photos/HouseDetailPictureListWidget.h"
#include "widgets/photos/PhotoFileDialog.h"
#include "widgets/photos/ShowAdsWidget.h"
#include "widgets/popups/CommonAddWidget.h"

#include <QGridLayout>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QUrlQuery>
#include <QtTest>

#include <memory>

using F = LocalStoreFixture;

namespace {

const QString kManager = QStringLiteral("13800000000");
const QString kProfilePath = QStringLiteral("/api/mtore/companyinfo");
const QString kSavePath = QStringLiteral("/api/mtore/companyinfoaddmod");
const QString kUploadPath = QStringLiteral("/api/app/upphoto");

QString testPhoto(const QString& name)
{
    return QStringLiteral(KQ_TESTDATA_DIR "/photos/") + name;
}

QPushButton* button(const QWidget* widget, const char* name)
{
    return widget->findChild<QPushButton*>(QLatin1String(name));
}

CompanyProfileEditWidget* editorOf(const CompanyProfileWidget* page)
{
    return page->editorPopup() ? page->editorPopup()->findChild<CompanyProfileEditWidget*>() : nullptr;
}

// The form body of the last save the module sent, by key.
QUrlQuery lastSave(const QObject* owner)
{
    const QList<RequestLog::Sent> sent = RequestLog::sentBy(owner);
    for (int i = sent.size() - 1; i >= 0; --i) {
        if (sent.at(i).url.endsWith(QLatin1String("mtore/companyinfoaddmod")))
            return QUrlQuery(QString::fromUtf8(sent.at(i).body));
    }
    return QUrlQuery();
}

QJsonObject profileData(const QJsonArray& photos)
{
    return QJsonObject{{QStringLiteral("content"), QStringLiteral("老牌中介")},
                       {QStringLiteral("address"), QStringLiteral("人民路1号")},
                       {QStringLiteral("tel"), QStringLiteral("028-1234")},
                       {QStringLiteral("photos"), photos}};
}

} // namespace

class TestCompanyProfile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void modelKeepsOnlyTextPhotos();
    void profileShowsTheServiceValues();
    void aProfileWithoutPhotosShowsThePlaceholder();
    void editButtonFollowsRight68_data();
    void editButtonFollowsRight68();
    void checksComeInOrder_data();
    void checksComeInOrder();
    void savingWhileCompressingIsRefused();
    void threePhotosLayTwoRowsAndDeletingRenumbers();
    void awkwardTextsRoundTripAndPhotosOnTheServiceAreNotSentAgain();
    void pickedPhotosAreCompressedUploadedAndShown();
    void aFailedUploadKeepsTheEditorAsTyped();

private:
    CompanyProfileWidget* openPage();
    CompanyProfileEditWidget* openEditor(CompanyProfileWidget* page);

    std::unique_ptr<CardPageFixture> m_pages;
};

void TestCompanyProfile::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
}

void TestCompanyProfile::init()
{
    m_pages = std::make_unique<CardPageFixture>();
}

void TestCompanyProfile::cleanup()
{
    PhotoFileDialog::setPicker({});
    AlertProbe::closeAll();
    m_pages.reset();
}

CompanyProfileWidget* TestCompanyProfile::openPage()
{
    return m_pages->open<CompanyProfileWidget>(QStringLiteral("公司介绍"), &CompanyProfileWidget::profileShown);
}

CompanyProfileEditWidget* TestCompanyProfile::openEditor(CompanyProfileWidget* page)
{
    QTest::mouseClick(button(page, "editButton"), Qt::LeftButton);
    return editorOf(page);
}

void TestCompanyProfile::modelKeepsOnlyTextPhotos()
{
    QString content, address, tel;
    QStringList photos;
    MicroWebsite_CompanyProfile_Model(profileData(QJsonArray{QStringLiteral("http://h/a.jpg"), 5, QJsonValue(),
                                                             QStringLiteral("http://h/b.jpg")}))
        .getData(&content, &address, &tel, &photos);
    QCOMPARE(photos, (QStringList{QStringLiteral("http://h/a.jpg"), QStringLiteral("http://h/b.jpg")}));
    QCOMPARE(address, QStringLiteral("人民路1号"));
    MicroWebsite_CompanyProfile_Model(QJsonValue(QJsonArray{1, 2})).getData(&content, &address, &tel, &photos);
    QVERIFY(content.isEmpty() && address.isEmpty() && tel.isEmpty() && photos.isEmpty());
}

void TestCompanyProfile::profileShowsTheServiceValues()
{
    QVERIFY(m_pages->startService(kManager));
    CompanyProfileWidget* page = openPage();
    QVERIFY(page);
    QCOMPARE(page->photos().size(), 3);
    QCOMPARE(page->carousel()->items().size(), 3);
    QCOMPARE(page->carousel()->pageText(), QStringLiteral("1/3"));
    page->carousel()->next();
    QCOMPARE(page->carousel()->pageText(), QStringLiteral("2/3"));
    page->carousel()->next();
    page->carousel()->next();
    QCOMPARE(page->carousel()->pageText(), QStringLiteral("1/3"));
    QVERIFY(page->findChild<OmitLabel*>(QStringLiteral("addressLabel"))->fullText().startsWith(QStringLiteral("地址：")));
    QCOMPARE(page->findChild<OmitLabel*>(QStringLiteral("telLabel"))->fullText(), QStringLiteral("电话：") + page->tel());
    QCOMPARE(page->findChild<QLabel*>(QStringLiteral("descriptionLabel"))->text(), page->content());
    QVERIFY(!page->content().isEmpty());
}

void TestCompanyProfile::aProfileWithoutPhotosShowsThePlaceholder()
{
    ScriptedHttpServer* server = m_pages->startCannedServer(kManager);
    QVERIFY(server);
    server->setReply(kProfilePath, ScriptedHttpServer::envelope(200, QString(), profileData(QJsonArray())));
    CompanyProfileWidget* page = openPage();
    QVERIFY(page);
    QVERIFY(page->carousel()->items().isEmpty());
    QVERIFY(page->carousel()->findChild<QLabel*>()->isVisible());
    page->carousel()->next();
    page->carousel()->last();
    QCOMPARE(page->carousel()->currentIndex(), -1);
    page->clickAds(0);
    QCOMPARE(HostWindowFixture::visibleWindowCount(QStringLiteral("PhotoShowWidget")), 0);
}

void TestCompanyProfile::editButtonFollowsRight68_data()
{
    QTest::addColumn<bool>("manager");
    QTest::addColumn<bool>("granted");
    QTest::addColumn<bool>("visible");
    QTest::newRow("manager") << true << false << true;
    QTest::newRow("right 68") << false << true << true;
    QTest::newRow("neither") << false << false << false;
}

void TestCompanyProfile::editButtonFollowsRight68()
{
    QFETCH(bool, manager);
    QFETCH(bool, granted);
    QFETCH(bool, visible);
    ScriptedHttpServer* server = m_pages->startCannedServer(kManager);
    QVERIFY(server);
    server->setReply(kProfilePath, ScriptedHttpServer::envelope(200, QString(), profileData(QJsonArray())));
    F::storeUser(QStringLiteral("13800000001"), manager, {F::right(68, granted)});
    CompanyProfileWidget* page = openPage();
    QVERIFY(page);
    QCOMPARE(!button(page, "editButton")->isHidden(), visible);
}

void TestCompanyProfile::checksComeInOrder_data()
{
    QTest::addColumn<int>("photos");
    QTest::addColumn<bool>("compressing");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("tel");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("message");
    const QString a = QStringLiteral("人民路1号");
    const QString t = QStringLiteral("028-1");
    const QString c = QStringLiteral("介绍");
    QTest::newRow("no photo, all texts") << 0 << false << a << t << c << QStringLiteral("请至少选择一张图片");
    QTest::newRow("no photo, compressing, no texts") << 0 << true << QString() << QString() << QString()
                                                     << QStringLiteral("请至少选择一张图片");
    QTest::newRow("compressing") << 1 << true << QString() << QString() << QString() << QStringLiteral("正在处理图片，请稍等！");
    QTest::newRow("address") << 1 << false << QString() << QString() << QString() << QStringLiteral("请填写公司地址");
    QTest::newRow("telephone") << 1 << false << a << QString() << QString() << QStringLiteral("请填写公司联系电话");
    QTest::newRow("introduction") << 2 << false << a << t << QString() << QStringLiteral("请填写公司介绍");
    QTest::newRow("spaces are text") << 1 << false << QStringLiteral(" ") << QStringLiteral(" ") << QStringLiteral(" ")
                                     << QString();
}

void TestCompanyProfile::checksComeInOrder()
{
    QFETCH(int, photos);
    QFETCH(bool, compressing);
    QFETCH(QString, address);
    QFETCH(QString, tel);
    QFETCH(QString, content);
    QFETCH(QString, message);
    QCOMPARE(CompanyProfileEditWidget::checkInput(photos, compressing, address, tel, content), message);
}

void TestCompanyProfile::savingWhileCompressingIsRefused()
{
    ScriptedHttpServer* server = m_pages->startCannedServer(kManager);
    QVERIFY(server);
    server->setReply(kProfilePath, ScriptedHttpServer::envelope(200, QString(), profileData(QJsonArray())));
    CompanyProfileWidget* page = openPage();
    QVERIFY(page);
    CompanyProfileEditWidget* editor = openEditor(page);
    QVERIFY(editor);

    // Without photos the first check speaks, even with every text filled.
    QTest::mouseClick(button(editor, "saveButton"), Qt::LeftButton);
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("请至少选择一张图片"));
    editor->compressionResult(server->url(QStringLiteral("/files/kept.jpg")));

    PhotoFileDialog::setPicker([](QWidget*, bool several) {
        return several ? QStringList{testPhoto(QStringLiteral("Landscape_5.jpg"))} : QStringList();
    });
    QTest::mouseClick(button(editor, "addPhotoButton"), Qt::LeftButton);
    QCOMPARE(editor->compressionsInProgress(), 1);
    QVERIFY(editor->waitIndicator());
    // The wait indicator covers the editor; the save is asked for directly, as a quick second click would.
    editor->submit_photo_data();
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("正在处理图片，请稍等！"));
    QTRY_COMPARE(editor->compressionsInProgress(), 0);
    QTRY_VERIFY(!editor->waitIndicator());
    QCOMPARE(editor->photoPaths().size(), 2);
    QCOMPARE(editor->tiles().size(), 2);
    QVERIFY(server->requestsTo(kSavePath).isEmpty());
}

void TestCompanyProfile::threePhotosLayTwoRowsAndDeletingRenumbers()
{
    ScriptedHttpServer* server = m_pages->startCannedServer(kManager);
    QVERIFY(server);
    const QStringList photos{server->url(QStringLiteral("/files/a.jpg")), server->url(QStringLiteral("/files/b.jpg")),
                             server->url(QStringLiteral("/files/c.jpg"))};
    CompanyProfileEditWidget editor(QStringLiteral("介绍"), QStringLiteral("地址"), QStringLiteral("电话"), photos);
    auto* grid = editor.findChild<QGridLayout*>();
    QVERIFY(grid);
    auto positionOf = [grid](QWidget* tile) {
        int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(grid->indexOf(tile), &row, &column, &rowSpan, &columnSpan);
        return QPoint(column, row);
    };
    const QList<HouseDetailPictureListWidget*> tiles = editor.tiles();
    QCOMPARE(tiles.size(), 3);
    QCOMPARE(positionOf(tiles.at(0)), QPoint(0, 0));
    QCOMPARE(positionOf(tiles.at(1)), QPoint(1, 0));
    QCOMPARE(positionOf(tiles.at(2)), QPoint(0, 1));
    QCOMPARE(tiles.at(2)->numberText(), QStringLiteral("3"));

    tiles.at(1)->findChild<QPushButton*>(QStringLiteral("deleteButton"))->click();
    QCOMPARE(editor.photoPaths(), (QStringList{photos.at(0), photos.at(2)}));
    QCOMPARE(editor.tiles().size(), 2);
    QCOMPARE(positionOf(editor.tiles().at(1)), QPoint(1, 0));
    QCOMPARE(editor.tiles().at(1)->numberText(), QStringLiteral("2"));
}

void TestCompanyProfile::awkwardTextsRoundTripAndPhotosOnTheServiceAreNotSentAgain()
{
    ReferenceService* service = m_pages->startService(kManager);
    QVERIFY(service);
    CompanyProfileWidget* page = openPage();
    QVERIFY(page);
    const QStringList photosBefore = page->photos();
    CompanyProfileEditWidget* editor = openEditor(page);
    QVERIFY(editor);

    const QString introduction = QStringLiteral("买&卖 1+1=2 100% \"诚信\"\n第二行");
    const QString address = QStringLiteral("成都市 & 锦江区#1");
    editor->findChild<QPlainTextEdit*>(QStringLiteral("contentEdit"))->setPlainText(introduction);
    auto* addressEdit = editor->findChild<QLineEdit*>(QStringLiteral("addressEdit"));
    addressEdit->clear();
    InputProbe::commitText(addressEdit, address);
    const QObject* popup = page->editorPopup();
    QSignalSpy reloaded(page, &CompanyProfileWidget::profileShown);
    QTest::mouseClick(button(editor, "saveButton"), Qt::LeftButton);
    QVERIFY(reloaded.wait(10000));

    QCOMPARE(page->content(), introduction);
    QCOMPARE(page->address(), address);
    QCOMPARE(page->photos(), photosBefore);
    QTRY_VERIFY(!page->editorPopup());
    const QUrlQuery saved = lastSave(popup);
    QCOMPARE(saved.queryItemValue(QStringLiteral("photos"), QUrl::FullyDecoded), photosBefore.join(QLatin1Char(',')));
    QVERIFY(!RequestLog::sentBy(popup).isEmpty());
    for (const RequestLog::Sent& sent : RequestLog::sentBy(popup))
        QVERIFY2(!sent.url.endsWith(QLatin1String("app/upphoto")), "a photo on the service was uploaded again");
}

void TestCompanyProfile::pickedPhotosAreCompressedUploadedAndShown()
{
    ReferenceService* service = m_pages->startService(kManager);
    QVERIFY(service);
    CompanyProfileWidget* page = openPage();
    QVERIFY(page);
    const QStringList photosBefore = page->photos();
    CompanyProfileEditWidget* editor = openEditor(page);
    QVERIFY(editor);
    PhotoFileDialog::setPicker([](QWidget*, bool) {
        return QStringList{testPhoto(QStringLiteral("Landscape_3.jpg")), testPhoto(QStringLiteral("Portrait_6.jpg"))};
    });
    QTest::mouseClick(button(editor, "addPhotoButton"), Qt::LeftButton);
    QPointer<QProgressIndicator> indicator = editor->waitIndicator();
    QVERIFY(indicator);
    QVERIFY(indicator->waitWord().startsWith(QStringLiteral("压缩中 ")));
    QTRY_VERIFY_WITH_TIMEOUT(!editor->waitIndicator(), 20000);
    QCOMPARE(editor->tiles().size(), photosBefore.size() + 2);

    QStringList stages;
    connect(editor->findChild<PhotoWork*>(), &PhotoWork::stageChanged, this,
            [&stages](const QString& text) { stages << text; });
    QSignalSpy reloaded(page, &CompanyProfileWidget::profileShown);
    QTest::mouseClick(button(editor, "saveButton"), Qt::LeftButton);
    QVERIFY(editor->waitIndicator());
    QVERIFY(reloaded.wait(20000));
    QCOMPARE(stages.last(), QStringLiteral("上传中 %1/%1").arg(photosBefore.size() + 2));
    const QStringList after = page->photos();
    QCOMPARE(after.size(), photosBefore.size() + 2);
    QCOMPARE(after.mid(0, photosBefore.size()), photosBefore);
    for (const QString& url : after.mid(photosBefore.size()))
        QVERIFY2(url.startsWith(service->baseUrl() + QStringLiteral("files/")), qPrintable(url));
    // The new photos are really there, as the service serves them.
    const ReferenceService::Reply picture = service->get(after.last());
    QCOMPARE(picture.httpStatus, 200);
    QVERIFY(picture.contentType.startsWith("image/jpeg"));
}

void TestCompanyProfile::aFailedUploadKeepsTheEditorAsTyped()
{
    ScriptedHttpServer* server = m_pages->startCannedServer(kManager);
    QVERIFY(server);
    server->setReply(kProfilePath, ScriptedHttpServer::envelope(200, QString(),
                                                                profileData(QJsonArray{server->url(QStringLiteral("/files/a.jpg"))})));
    server->setReply(kUploadPath, ScriptedHttpServer::envelope(500, QStringLiteral("存储不可用")));
    CompanyProfileWidget* page = openPage();
    QVERIFY(page);
    CompanyProfileEditWidget* editor = openEditor(page);
    QVERIFY(editor);
    PhotoFileDialog::setPicker([](QWidget*, bool) { return QStringList{testPhoto(QStringLiteral("Landscape_1.jpg"))}; });
    QTest::mouseClick(button(editor, "addPhotoButton"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!editor->waitIndicator(), 20000);
    const QString typed = QStringLiteral("刚刚输入的介绍");
    editor->findChild<QPlainTextEdit*>(QStringLiteral("contentEdit"))->setPlainText(typed);

    QTest::mouseClick(button(editor, "saveButton"), Qt::LeftButton);
    // One alert, naming the photo and the service's reason.
    AlertWidget* alert = AlertProbe::waitForAlertContaining(QStringLiteral("第2张图片上传失败：存储不可用"));
    QVERIFY(alert);
    QVERIFY(AlertProbe::clickButton(alert, QStringLiteral("knowButton")));
    QVERIFY(AlertProbe::flushPending());
    QVERIFY(AlertProbe::visibleAlerts().isEmpty());
    QVERIFY(page->editorPopup());
    QCOMPARE(editorOf(page), editor);
    QCOMPARE(editor->findChild<QPlainTextEdit*>(QStringLiteral("contentEdit"))->toPlainText(), typed);
    QCOMPARE(editor->photoPaths().size(), 2);
    QVERIFY(!editor->waitIndicator());
    QVERIFY(server->requestsTo(kSavePath).isEmpty());
}

QTEST_MAIN(TestCompanyProfile)
#include "tst_companyprofile.moc"
