#include "content/ads/MicroWebSiteScrollAddWidget.h"
#include "content/ads/MicroWebSiteScrollAdsItemView.h"
#include "content/ads/MicroWebSite_ScrollAds_Model.h"
#include "content/ads/MicroWebsiteScrollAdsWidget.h"
#include "content/jobs/JoinUsAddEditWidget.h"
#include "listings/pickers/SaleOrRentPutUpChooseWidget.h"
#include "net/http/FormBody.h"
#include "net/pictures/ImageShowLabel.h"
#include "support/service/ReferenceService.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/CardPageFixture.h"
#include "support/ui/HostWindowFixture.h"
#include "support/ui/InputProbe.h"
#include "support/ui/LabelProbe.h"
#include "support/ui/LocalStoreFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/inputs/CustomComboBox.h"
#include "widgets/lists/CustomListWidget.h"
#include "widgets/photos/PhotoFileDialog.h"
#include "widgets/popups/AlertWidget.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QKeySequence>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using F = LocalStoreFixture;
using Ads = MicroWebSite_ScrollAds_Model;

namespace {

const QString kManager = QStringLiteral("13800000000");

QString testPhoto(const QString& name)
{
    return QStringLiteral(KQ_TESTDATA_DIR "/photos/") + name;
}

QList<int> idsOf(const MicroWebsiteScrollAdsWidget* page)
{
    QList<int> ids;
    for (const MicroWebSiteScrollAdsItemView* row : page->rows())
        ids.append(row->ad().id);
    return ids;
}

MicroWebSiteScrollAddWidget* formOf(const MicroWebsiteScrollAdsWidget* page)
{
    return page->formPopup() ? page->formPopup()->findChild<MicroWebSiteScrollAddWidget*>() : nullptr;
}

// Waits for the picker the form opened to list its first page.
SaleOrRentPutUpChooseWidget* openedPicker(const MicroWebSiteScrollAddWidget* form)
{
    if (!form->pickerPopup())
        return nullptr;
    auto* picker = form->pickerPopup()->findChild<SaleOrRentPutUpChooseWidget*>();
    if (!picker || !QTest::qWaitFor([picker] { return picker->entries().size() > 1; }, 10000))
        return nullptr;
    return picker;
}

// Opens the page's add form, gives it a picture, links it to a job and opens the job picker;
// null when a step fails.
SaleOrRentPutUpChooseWidget* openJobPickerOfANewAdvert(const MicroWebsiteScrollAdsWidget* page)
{
    QTest::mouseClick(page->addButton(), Qt::LeftButton);
    MicroWebSiteScrollAddWidget* form = formOf(page);
    if (!form)
        return nullptr;
    PhotoFileDialog::setPicker([](QWidget*, bool) { return QStringList{testPhoto(QStringLiteral("Landscape_4.jpg"))}; });
    form->choosePhoto();
    if (!QTest::qWaitFor([form] { return !form->isProcessingPicture(); }, 20000)
        || !InputProbe::chooseEntry(form->typeBox(), QStringLiteral("招聘")))
        return nullptr;
    QTest::mouseClick(form->pickerButton(), Qt::LeftButton);
    return openedPicker(form);
}

} // namespace

class TestScrollAds : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void modelAndRowTexts_data();
    void modelAndRowTexts();
    void linkTypesSetItemAndTitle();
    void checksBeforeTheUpload();
    void theNewestPickWins();
    void listMovesAndDeletes();
    void withoutRight69NothingCanBeChanged();
    void anAdvertLinkingToAJobIsSavedAndListed();
    void anAmpersandInALinkedNameIsShownAsTyped();

private:
    MicroWebsiteScrollAdsWidget* openPage();

    std::unique_ptr<CardPageFixture> m_pages;
    QTemporaryDir m_dir;
};

void TestScrollAds::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
    QVERIFY(m_dir.isValid());
}

void TestScrollAds::init()
{
    m_pages = std::make_unique<CardPageFixture>();
}

void TestScrollAds::cleanup()
{
    PhotoFileDialog::setPicker({});
    AlertProbe::closeAll();
    m_pages.reset();
    LocalStoreFixture::clearDrafts();
}

MicroWebsiteScrollAdsWidget* TestScrollAds::openPage()
{
    return m_pages->open<MicroWebsiteScrollAdsWidget>(QStringLiteral("轮播广告"), &MicroWebsiteScrollAdsWidget::listShown);
}

void TestScrollAds::modelAndRowTexts_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("text");
    QTest::newRow("no link") << 0 << QStringLiteral("无链接");
    QTest::newRow("new house") << 1 << QStringLiteral("链接：新房-锦城湖岸");
    QTest::newRow("for sale") << 2 << QStringLiteral("链接：二手房-锦城湖岸");
    QTest::newRow("for rent") << 3 << QStringLiteral("链接：租房-锦城湖岸");
    QTest::newRow("job") << 4 << QStringLiteral("链接：招聘-锦城湖岸");
    QTest::newRow("company profile") << 5 << QStringLiteral("链接：公司介绍");
}

void TestScrollAds::modelAndRowTexts()
{
    QFETCH(int, type);
    QFETCH(QString, text);
    const QJsonArray reply{QJsonObject{{QStringLiteral("id"), 3}, {QStringLiteral("title"), QStringLiteral("锦城湖岸")},
                                       {QStringLiteral("type"), type}, {QStringLiteral("itemid"), QStringLiteral("12")}},
                           QStringLiteral("not an advert")};
    const QList<Ads::AdData> ads = Ads(reply).list();
    QCOMPARE(ads.size(), 1);
    QCOMPARE(ads.first().itemid, 12);
    QCOMPARE(Ads::rowText(ads.first()), text);
    // An object where the array belongs lists nothing.
    QVERIFY(Ads(QJsonObject{{QStringLiteral("data"), reply}}).list().isEmpty());
}

void TestScrollAds::linkTypesSetItemAndTitle()
{
    QVERIFY(m_pages->startCannedServer(kManager));
    MicroWebSiteScrollAddWidget form;
    form.show();
    QVERIFY(form.positionRow()->isHidden());

    QVERIFY(InputProbe::chooseEntry(form.typeBox(), QStringLiteral("新房")));
    QVERIFY(!form.positionRow()->isHidden());
    QCOMPARE(form.pickerButton()->text(), QStringLiteral("<新房列表页>"));
    Ads::AdData ad = form.formAdvert();
    QCOMPARE(ad.type, 1);
    QCOMPARE(ad.title, QStringLiteral("<新房列表页>"));

    // An advert filled for a change, then switched to another type: item and title start again.
    Ads::AdData stored;
    stored.id = 8;
    stored.type = Ads::SaleHouse;
    stored.itemid = 41;
    stored.title = QStringLiteral("阳光花园 3室");
    stored.photo = QStringLiteral("http://127.0.0.1:1/files/a.jpg");
    form.setAdvert(stored);
    QCOMPARE(form.pickerButton()->text(), stored.title);
    QCOMPARE(form.formAdvert().itemid, 41);
    QVERIFY(InputProbe::chooseEntry(form.typeBox(), QStringLiteral("租房")));
    ad = form.formAdvert();
    QCOMPARE(ad.itemid, 0);
    QCOMPARE(ad.title, QStringLiteral("<租房列表页>"));

    QVERIFY(InputProbe::chooseEntry(form.typeBox(), QStringLiteral("公司介绍")));
    QVERIFY(form.positionRow()->isHidden());
    ad = form.formAdvert();
    QCOMPARE(ad.type, 5);
    QCOMPARE(ad.itemid, 0);
    QCOMPARE(MicroWebSiteScrollAddWidget::saveBody(ad).toString(),
             QStringLiteral("title=&photo=http%3A%2F%2F127.0.0.1%3A1%2Ffiles%2Fa.jpg&type=5&itemid=0&id=8"));
    QVERIFY(MicroWebSiteScrollAddWidget::saveUrl(8).endsWith(QStringLiteral("mtore/lunbomodify")));

    QVERIFY(InputProbe::chooseEntry(form.typeBox(), QStringLiteral("无链接")));
    ad = form.formAdvert();
    ad.id = 0;
    QCOMPARE(MicroWebSiteScrollAddWidget::saveBody(ad).toString(),
             QStringLiteral("title=&photo=http%3A%2F%2F127.0.0.1%3A1%2Ffiles%2Fa.jpg&type=0&itemid=0"));
    QVERIFY(MicroWebSiteScrollAddWidget::saveUrl(0).endsWith(QStringLiteral("mtore/lunboadd")));
}

void TestScrollAds::checksBeforeTheUpload()
{
    ScriptedHttpServer* server = m_pages->startCannedServer(kManager);
    QVERIFY(server);
    MicroWebSiteScrollAddWidget form;
    form.show();
    // The empty picture area says where to click.
    auto* picture = form.findChild<ImageShowLabel*>(QStringLiteral("pictureLabel"));
    QCOMPARE(picture->text(), ImageShowLabel::pickHint());
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("submitButton")), Qt::LeftButton);
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("请选择图片！"));

    // A stored advert gets a new picture: while it compresses the old one must not be sent.
    Ads::AdData stored;
    stored.id = 4;
    stored.photo = server->url(QStringLiteral("/files/old.jpg"));
    form.setAdvert(stored);
    PhotoFileDialog::setPicker([](QWidget*, bool several) {
        return several ? QStringList() : QStringList{testPhoto(QStringLiteral("Landscape_2.jpg"))};
    });
    QTest::mouseClick(picture, Qt::LeftButton);
    QVERIFY(form.isProcessingPicture());
    form.submitData();
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("正在处理图片中，请稍等！"));
    QTRY_VERIFY_WITH_TIMEOUT(!form.isProcessingPicture(), 20000);
    QVERIFY(form.formAdvert().photo.contains(QStringLiteral("Landscape_2")));
    QVERIFY(server->requestsTo(QStringLiteral("/api/app/upphoto")).isEmpty());
    QVERIFY(server->requestsTo(QStringLiteral("/api/mtore/lunbomodify")).isEmpty());
}

void TestScrollAds::theNewestPickWins()
{
    QVERIFY(m_pages->startCannedServer(kManager));
    // A slow first pick (a large picture) and a quick second one.
    QImage large(5000, 3500, QImage::Format_RGB32);
    large.fill(Qt::darkBlue);
    const QString first = m_dir.filePath(QStringLiteral("slow.jpg"));
    QVERIFY(large.save(first, "JPEG", 98));
    const QString second = testPhoto(QStringLiteral("Portrait_1.jpg"));
    QStringList picks{first, second};
    PhotoFileDialog::setPicker([&picks](QWidget*, bool) { return QStringList{picks.takeFirst()}; });
    MicroWebSiteScrollAddWidget form;
    form.choosePhoto();
    form.choosePhoto();
    QTRY_VERIFY_WITH_TIMEOUT(!form.isProcessingPicture(), 30000);
    QVERIFY2(form.formAdvert().photo.contains(QStringLiteral("Portrait_1")), qPrintable(form.formAdvert().photo));
}

void TestScrollAds::listMovesAndDeletes()
{
    QVERIFY(m_pages->startService(kManager));
    MicroWebsiteScrollAdsWidget* page = openPage();
    QVERIFY(page);
    const QList<int> before = idsOf(page);
    QVERIFY(before.size() >= 3);
    QCOMPARE(page->rows().first()->linkText(), Ads::rowText(page->rows().first()->ad()));

    QTest::mouseClick(page->rows().first()->button(QStringLiteral("downButton")), Qt::LeftButton);
    QVERIFY(m_pages->waitForList());
    QList<int> expected = before;
    expected.swapItemsAt(0, 1);
    QCOMPARE(idsOf(page), expected);

    QTest::mouseClick(page->rows().at(1)->button(QStringLiteral("upButton")), Qt::LeftButton);
    QVERIFY(m_pages->waitForList());
    QCOMPARE(idsOf(page), before);

    QTest::mouseClick(page->rows().first()->button(QStringLiteral("deleteButton")), Qt::LeftButton);
    AlertWidget* alert = AlertProbe::waitForAlert();
    QVERIFY(alert);
    QCOMPARE(AlertProbe::contentText(alert), QStringLiteral("您确定要删除该张首页轮播图片吗？"));
    QVERIFY(AlertProbe::clickButton(alert, QStringLiteral("sureBtn")));
    QVERIFY(m_pages->waitForList());
    QCOMPARE(idsOf(page), before.mid(1));
}

void TestScrollAds::withoutRight69NothingCanBeChanged()
{
    QVERIFY(m_pages->startService(kManager));
    F::storeUser(QStringLiteral("13800000001"), false, {F::right(69, false)});
    MicroWebsiteScrollAdsWidget* page = openPage();
    QVERIFY(page);
    QVERIFY(!page->rows().isEmpty());
    QVERIFY(page->addButton()->isHidden());
    for (const MicroWebSiteScrollAdsItemView* row : page->rows()) {
        for (const QString& name : {QStringLiteral("modifyButton"), QStringLiteral("deleteButton"), QStringLiteral("upButton"),
                                    QStringLiteral("downButton")})
            QVERIFY(row->button(name)->isHidden());
    }
}

void TestScrollAds::anAdvertLinkingToAJobIsSavedAndListed()
{
    ReferenceService* service = m_pages->startService(kManager);
    QVERIFY(service);
    MicroWebsiteScrollAdsWidget* page = openPage();
    QVERIFY(page);
    const int countBefore = page->rows().size();
    SaleOrRentPutUpChooseWidget* picker = openJobPickerOfANewAdvert(page);
    QVERIFY(picker);
    MicroWebSiteScrollAddWidget* form = formOf(page);
    QCOMPARE(HostWindowFixture::popupTitle(page->formPopup()), QStringLiteral("添加轮播图片"));
    QCOMPARE(HostWindowFixture::popupTitle(form->pickerPopup()), QStringLiteral("选择要链接的职位"));
    QCOMPARE(picker->entries().first().value(SaleOrRentPutUpChooseWidget::ShownTextKey).toString(),
             QStringLiteral("<招聘列表页>"));
    const QVariantMap job = picker->entries().at(1);
    QListWidget* list = picker->list()->listWidget();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(1)).center());
    QTRY_VERIFY(!form->pickerPopup());
    QCOMPARE(form->formAdvert().itemid, job.value(QStringLiteral("id")).toInt());
    QCOMPARE(form->pickerButton()->text(), job.value(QStringLiteral("title")).toString());

    QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("submitButton")), Qt::LeftButton);
    QVERIFY(m_pages->waitForList(20000));
    QCOMPARE(page->rows().size(), countBefore + 1);
    const MicroWebSiteScrollAdsItemView* added = nullptr;
    for (const MicroWebSiteScrollAdsItemView* row : page->rows()) {
        if (row->ad().type == Ads::Job && row->ad().itemid == job.value(QStringLiteral("id")).toInt())
            added = row;
    }
    QVERIFY(added);
    QCOMPARE(added->linkText(), QStringLiteral("链接：招聘-") + job.value(QStringLiteral("title")).toString());
    QVERIFY(added->ad().photo.startsWith(service->baseUrl() + QStringLiteral("files/")));
}

void TestScrollAds::anAmpersandInALinkedNameIsShownAsTyped()
{
    ReferenceService* service = m_pages->startService(kManager);
    QVERIFY(service);
    MicroWebsite_JoinUsJob_Model::DataModel job;
    job.title = QStringLiteral("研发&测试 R&&D &");
    job.xinzi = QStringLiteral("8000-12000");
    job.xueli = QStringLiteral("本科");
    job.jingyan = QStringLiteral("3年");
    job.address = QStringLiteral("人民路1号");
    job.content = QStringLiteral("负责系统开发");
    job.tel = QStringLiteral("13800000000");
    const ReferenceService::Reply added = service->post(JoinUsAddEditWidget::saveUrl(0),
                                                        JoinUsAddEditWidget::saveBody(job).toByteArray(),
                                                        service->login(kManager));
    QCOMPARE(added.code(), 200);

    MicroWebsiteScrollAdsWidget* page = openPage();
    QVERIFY(page);
    SaleOrRentPutUpChooseWidget* picker = openJobPickerOfANewAdvert(page);
    QVERIFY(picker);
    MicroWebSiteScrollAddWidget* form = formOf(page);
    int row = -1;
    for (int i = 0; i < picker->entries().size(); ++i) {
        if (picker->entries().at(i).value(SaleOrRentPutUpChooseWidget::ShownTextKey).toString() == job.title)
            row = i;
    }
    QVERIFY2(row > 0, "the job is not offered");
    QListWidget* list = picker->list()->listWidget();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(row)).center());
    QTRY_VERIFY(!form->pickerPopup());

    // Shown as it is named, with no letter taken as a keyboard shortcut.
    QCOMPARE(LabelProbe::shownMnemonicText(form->pickerButton()->text()), job.title);
    QVERIFY(QKeySequence::mnemonic(form->pickerButton()->text()).isEmpty());
    QCOMPARE(form->formAdvert().title, job.title);

    // Saved, and opened again for a change.
    QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("submitButton")), Qt::LeftButton);
    QVERIFY(m_pages->waitForList(20000));
    const MicroWebSiteScrollAdsItemView* saved = nullptr;
    for (const MicroWebSiteScrollAdsItemView* view : page->rows()) {
        if (view->ad().type == Ads::Job && view->ad().title == job.title)
            saved = view;
    }
    QVERIFY(saved);
    QTRY_VERIFY(!page->formPopup());
    QTest::mouseClick(saved->button(QStringLiteral("modifyButton")), Qt::LeftButton);
    form = formOf(page);
    QVERIFY(form);
    QCOMPARE(HostWindowFixture::popupTitle(page->formPopup()), QStringLiteral("修改轮播图片"));
    QCOMPARE(LabelProbe::shownMnemonicText(form->pickerButton()->text()), job.title);
    QVERIFY(QKeySequence::mnemonic(form->pickerButton()->text()).isEmpty());
}

QTEST_MAIN(TestScrollAds)
#include "tst_scrollads.moc"
