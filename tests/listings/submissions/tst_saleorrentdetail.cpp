#include "listings/photos/CityHouseDetailPhotosWidget.h"
#include "listings/photos/PhotoShowWidget.h"
#include "listings/submissions/MicroWebsiteSaleOrRentDetailWidget.h"
#include "listings/submissions/MicroWebsiteSeekSaleOrRentDetailWidget.h"
#include "net/pictures/ImageShowLabel.h"
#include "net/platform/AppFolders.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/service/TestImages.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/HostWindowFixture.h"
#include "support/ui/ListingSamples.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/inputs/OmitLabel.h"
#include "widgets/popups/AlertFlashWidget.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/CommonAddWidget.h"
#include "widgets/popups/PopupLauncher.h"

#include "CustomTabWidget.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolTip>
#include <QWheelEvent>

using TestImages::fileBytes;

namespace {

using ListData = MicroWebSiteSaleOrRentList_Model::ListData;

QSize uprightSize(const QString& path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    return reader.read().size();
}

// The shared sample without photos, its remark holding markup.
ListData sampleHouse()
{
    ListData house = ListingSamples::house(42);
    house.remark = QStringLiteral("<b>急售</b>");
    house.imgurl.clear();
    return house;
}

QString labelText(const QWidget* parent, const char* name)
{
    const auto* label = parent->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing>");
}

void closeViewers()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (qobject_cast<PhotoShowWidget*>(window) || qobject_cast<AlertFlashWidget*>(window))
            window->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestSaleOrRentDetail : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void detailLines_data();
    void detailLines();
    void rentLinesDoNotLingerOnASale();
    void photoGrid_data();
    void photoGrid();
    void thumbnailOpensTheViewerAtItsPhoto();
    void photoValueThatIsNotAnAddressIsNeverOpened();

    void viewerPaging();
    void viewerIgnoresPagingWhileBusy();
    void viewerCaptionWithNames();
    void viewerFit_data();
    void viewerFit();
    void viewerToolTip();
    void rotationTurnsTheCachedCopy();
    void rotationNeverWritesTheUsersFile();
    void savingPicksFreeNames();
    void savingCancelledOrFailed();
    void longTextsKeepThePopupsSize_data();
    void longTextsKeepThePopupsSize();

private:
    PhotoShowWidget* openViewer(const QStringList& urls, int index);
    static bool waitLoaded(PhotoShowWidget* viewer);
    void clickHalf(PhotoShowWidget* viewer, bool left);

    QTemporaryDir m_appDir;
    ScriptedHttpServer m_server;
    QByteArray m_landscape;
    QByteArray m_portrait;
    QByteArray m_png;
    QStringList m_urls;
};

void TestSaleOrRentDetail::initTestCase()
{
    QVERIFY(m_appDir.isValid());
    AppFolders::setApplicationFolderOverride(m_appDir.path());
    ModuleTestEnvironment::prepareWidgetTests();

    m_landscape = fileBytes(QStringLiteral(KQ_TESTDATA_DIR "/photos/Landscape_1.jpg"));
    m_portrait = fileBytes(QStringLiteral(KQ_TESTDATA_DIR "/photos/Portrait_6.jpg"));
    m_png = TestImages::encode(TestImages::filled(QSize(300, 200), QColor(30, 140, 90)), "PNG");
    QVERIFY(!m_landscape.isEmpty() && !m_portrait.isEmpty());

    QVERIFY(m_server.start());
    for (const QString& path : {QStringLiteral("/p/landscape.jpg"), QStringLiteral("/p/portrait.jpg"),
                                QStringLiteral("/p/green.png")})
        m_urls.append(m_server.url(path));
}

void TestSaleOrRentDetail::init()
{
    // Every case starts without cached photos.
    QDir(AppFolders::imageCacheFolder()).removeRecursively();
    m_server.clear();
    const QList<QPair<QString, QByteArray>> photos = {{QStringLiteral("/p/landscape.jpg"), m_landscape},
                                                      {QStringLiteral("/p/portrait.jpg"), m_portrait},
                                                      {QStringLiteral("/p/green.png"), m_png}};
    for (const auto& photo : photos) {
        const QByteArray type = photo.first.endsWith(QLatin1String(".png")) ? QByteArrayLiteral("image/png")
                                                                             : QByteArrayLiteral("image/jpeg");
        m_server.setReply(photo.first, ScriptedHttpServer::contentReply(type, photo.second));
    }
}

void TestSaleOrRentDetail::cleanup()
{
    closeViewers();
    AlertProbe::closeAll();
}

void TestSaleOrRentDetail::cleanupTestCase()
{
    AppFolders::setApplicationFolderOverride(QString());
}

PhotoShowWidget* TestSaleOrRentDetail::openViewer(const QStringList& urls, int index)
{
    auto* viewer = new PhotoShowWidget(nullptr, 1, 0);
    viewer->setPhotos(urls, index);
    viewer->show();
    return viewer;
}

bool TestSaleOrRentDetail::waitLoaded(PhotoShowWidget* viewer)
{
    return QTest::qWaitFor([viewer]() { return !viewer->isBusy() && viewer->imageLabel()->isLoaded(); }, 30000);
}

void TestSaleOrRentDetail::clickHalf(PhotoShowWidget* viewer, bool left)
{
    const int x = left ? viewer->width() / 4 : viewer->width() * 3 / 4;
    QTest::mouseClick(viewer, Qt::LeftButton, Qt::NoModifier, QPoint(x, viewer->height() / 3));
}

void TestSaleOrRentDetail::detailLines_data()
{
    QTest::addColumn<bool>("isRent");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("sale") << false
                          << QStringList{QStringLiteral("类型：出售"),       QStringLiteral("区域：锦江区春熙路"),
                                         QStringLiteral("总价：89.5万"),     QStringLiteral("单价：7458元/平"),
                                         QStringLiteral("房屋类型：住宅"),   QStringLiteral("装修：精装"),
                                         QStringLiteral("楼层：5/18层"),     QStringLiteral("户型：3室2厅")};
    QTest::newRow("rent") << true
                          << QStringList{QStringLiteral("类型：出售"),        QStringLiteral("区域：锦江区春熙路"),
                                         QStringLiteral("租房方式：整租"),    QStringLiteral("支付方式：押一付三"),
                                         QStringLiteral("租金：89.5元/月"),   QStringLiteral("单价：7458元/平"),
                                         QStringLiteral("房屋类型：住宅"),    QStringLiteral("装修：精装"),
                                         QStringLiteral("楼层：5/18层"),      QStringLiteral("户型：3室2厅")};
}

void TestSaleOrRentDetail::detailLines()
{
    QFETCH(bool, isRent);
    QFETCH(QStringList, lines);

    MicroWebsiteSaleOrRentDetailWidget detail;
    detail.setData(sampleHouse(), isRent);
    detail.show();

    QCOMPARE(detail.shownPropertyLines(), lines);
    QCOMPARE(labelText(&detail, "label_title"), QStringLiteral("阳光花园3-2-301"));
    QCOMPARE(labelText(&detail, "label_address"), QStringLiteral("地址：锦江区-春熙路-红星路100号"));
    QCOMPARE(labelText(&detail, "label_contact"), QStringLiteral("张三  13911112222"));
    // The owner's remark is text, not markup.
    QCOMPARE(detail.findChild<QTextEdit*>(QStringLiteral("textEdit_remark"))->toPlainText(),
             QStringLiteral("备注：<b>急售</b>"));
    auto* save = detail.findChild<QPushButton*>(QStringLiteral("pushButton_save"));
    QVERIFY(save);
    QCOMPARE(save->text(), QStringLiteral("一键保存"));
}

void TestSaleOrRentDetail::rentLinesDoNotLingerOnASale()
{
    MicroWebsiteSaleOrRentDetailWidget detail;
    detail.show();
    detail.setData(sampleHouse(), true);
    QCOMPARE(detail.shownPropertyLines().size(), 10);
    detail.setData(sampleHouse(), false);
    const QStringList lines = detail.shownPropertyLines();
    QCOMPARE(lines.size(), 8);
    for (const QString& line : lines)
        QVERIFY2(!line.startsWith(QStringLiteral("租房方式")) && !line.startsWith(QStringLiteral("支付方式")),
                 qPrintable(line));
}

void TestSaleOrRentDetail::photoGrid_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<QPoint>>("cells"); // (row, column) of each thumbnail
    QTest::addColumn<bool>("filler");

    QTest::newRow("none") << 0 << QList<QPoint>{} << false;
    QTest::newRow("one keeps the left half") << 1 << QList<QPoint>{{0, 0}} << true;
    QTest::newRow("three") << 3 << QList<QPoint>{{0, 0}, {0, 1}, {1, 0}} << false;
}

void TestSaleOrRentDetail::photoGrid()
{
    QFETCH(int, count);
    QFETCH(QList<QPoint>, cells);
    QFETCH(bool, filler);

    ListData house = sampleHouse();
    house.imgurl = m_urls.mid(0, count);
    MicroWebsiteSaleOrRentDetailWidget detail;
    // A detail refilled must not keep the thumbnails of the first house.
    ListData other = sampleHouse();
    other.imgurl = m_urls + m_urls;
    detail.setData(other, false);
    detail.setData(house, false);
    detail.show();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    CityHouseDetailPhotosWidget* grid = detail.photosWidget();
    QCOMPARE(grid->objectName(), QStringLiteral("photoShowWidget"));
    const QList<ImageShowLabel*> thumbnails = grid->thumbnails();
    QCOMPARE(thumbnails.size(), count);
    QCOMPARE(grid->widget()->findChildren<ImageShowLabel*>().size(), count);
    for (int i = 0; i < count; ++i) {
        int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
        grid->grid()->getItemPosition(grid->grid()->indexOf(thumbnails.at(i)), &row, &column, &rowSpan, &columnSpan);
        QCOMPARE(QPoint(row, column), cells.at(i));
        QCOMPARE(thumbnails.at(i)->size(), QSize(140, 90));
        QCOMPARE(thumbnails.at(i)->getSource(), m_urls.at(i));
    }
    QLayoutItem* cell = grid->grid()->itemAtPosition(0, 1);
    if (filler) {
        QVERIFY(cell && cell->widget());
        QVERIFY(!qobject_cast<ImageShowLabel*>(cell->widget()));
    } else if (count == 0) {
        QVERIFY(!cell);
    }
    // A house without photos says so rather than showing an empty panel.
    QCOMPARE(grid->emptyText(), count == 0 ? QStringLiteral("暂无图片") : QString());
}

void TestSaleOrRentDetail::thumbnailOpensTheViewerAtItsPhoto()
{
    ListData house = sampleHouse();
    house.imgurl = m_urls;
    MicroWebsiteSaleOrRentDetailWidget detail;
    detail.setData(house, false);
    detail.show();
    QVERIFY(QTest::qWaitForWindowExposed(&detail));

    QTest::mouseClick(detail.photosWidget()->thumbnails().at(2), Qt::LeftButton);
    PhotoShowWidget* viewer = detail.photosWidget()->viewer();
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QVERIFY(!viewer->parent());
    QCOMPARE(viewer->photoCount(), 3);
    QCOMPARE(viewer->currentIndex(), 2);
    QCOMPARE(viewer->captionText(), QStringLiteral("3/3"));
    QVERIFY(viewer->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(viewer->testAttribute(Qt::WA_DeleteOnClose));
}

void TestSaleOrRentDetail::photoValueThatIsNotAnAddressIsNeverOpened()
{
    // A picture on this machine, named by the service as if it were the house's photo.
    const QString file = m_appDir.path() + QStringLiteral("/local.png");
    QVERIFY(TestImages::filled(QSize(40, 30), Qt::blue).save(file));
    ListData house = sampleHouse();
    house.imgurl = QStringList{file, m_urls.at(0)};
    MicroWebsiteSaleOrRentDetailWidget detail;
    detail.setData(house, false);
    detail.show();
    QVERIFY(QTest::qWaitForWindowExposed(&detail));

    const QList<ImageShowLabel*> thumbnails = detail.photosWidget()->thumbnails();
    QCOMPARE(thumbnails.size(), 2);
    QCOMPARE(thumbnails.at(0)->getShownPath(), QStringLiteral(":/res/moren.png"));
    QTest::mouseClick(thumbnails.at(0), Qt::LeftButton);
    QVERIFY(!detail.photosWidget()->viewer());

    // The viewer shows only the addresses, starting at the one clicked.
    QTest::mouseClick(thumbnails.at(1), Qt::LeftButton);
    PhotoShowWidget* viewer = detail.photosWidget()->viewer();
    QVERIFY(viewer);
    QCOMPARE(viewer->photoCount(), 1);
    QCOMPARE(viewer->currentIndex(), 0);
}

void TestSaleOrRentDetail::viewerPaging()
{
    PhotoShowWidget* viewer = openViewer(m_urls, 0);
    QCOMPARE(viewer->size(), QSize(800, 600));
    auto* previous = viewer->findChild<QPushButton*>(QStringLiteral("pushButton_previous"));
    auto* next = viewer->findChild<QPushButton*>(QStringLiteral("pushButton_next"));
    QVERIFY(previous && next);
    QVERIFY(waitLoaded(viewer));

    // The first photo: no way back, a click on the left half does nothing.
    QVERIFY(previous->isHidden());
    QVERIFY(!next->isHidden());
    QCOMPARE(viewer->captionText(), QStringLiteral("1/3"));
    QCOMPARE(viewer->windowTitle(), QStringLiteral("图片浏览(1/3)"));
    QCOMPARE(viewer->imageSize(), QSize(1800, 1200));
    clickHalf(viewer, true);
    QCOMPARE(viewer->currentIndex(), 0);

    clickHalf(viewer, false);
    QCOMPARE(viewer->currentIndex(), 1);
    QVERIFY(waitLoaded(viewer));
    // A photo stored on its side shows upright.
    QCOMPARE(viewer->imageSize(), QSize(1200, 1800));
    QVERIFY(!previous->isHidden());

    QWheelEvent down(QPointF(400, 300), viewer->mapToGlobal(QPoint(400, 300)), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewer, &down);
    QCOMPARE(viewer->currentIndex(), 2);
    QVERIFY(waitLoaded(viewer));

    // The last photo: no way on.
    QVERIFY(next->isHidden());
    QCOMPARE(viewer->captionText(), QStringLiteral("3/3"));
    QCOMPARE(viewer->windowTitle(), QStringLiteral("图片浏览(3/3)"));
    clickHalf(viewer, false);
    QApplication::sendEvent(viewer, &down);
    QCOMPARE(viewer->currentIndex(), 2);

    QWheelEvent up(QPointF(400, 300), viewer->mapToGlobal(QPoint(400, 300)), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewer, &up);
    QCOMPARE(viewer->currentIndex(), 1);
    QVERIFY(waitLoaded(viewer));
    QTest::mouseClick(previous, Qt::LeftButton);
    QCOMPARE(viewer->currentIndex(), 0);
}

void TestSaleOrRentDetail::viewerIgnoresPagingWhileBusy()
{
    PhotoShowWidget* viewer = openViewer(m_urls, 0);
    QVERIFY(waitLoaded(viewer));
    viewer->next_photo();
    QVERIFY(viewer->isBusy());
    // Until the photo starts loading, further paging is dropped rather than queued.
    viewer->next_photo();
    clickHalf(viewer, false);
    QCOMPARE(viewer->currentIndex(), 1);
    QVERIFY(waitLoaded(viewer));
    viewer->next_photo();
    QCOMPARE(viewer->currentIndex(), 2);
}

void TestSaleOrRentDetail::viewerCaptionWithNames()
{
    auto* viewer = new PhotoShowWidget(nullptr, 1, 0);
    viewer->setPhotos(QList<QVariantMap>{{{QStringLiteral("url"), m_urls.at(0)}, {QStringLiteral("name"), QStringLiteral("客厅")}},
                                         {{QStringLiteral("url"), m_urls.at(1)}, {QStringLiteral("name"), QStringLiteral("<i>卧室</i>")}}},
                      7);
    viewer->show();
    // An index past the end shows the last photo.
    QCOMPARE(viewer->currentIndex(), 1);
    QCOMPARE(viewer->windowTitle(), QStringLiteral("图片浏览(2/2)-<i>卧室</i>"));
    QCOMPARE(viewer->captionText(),
             QStringLiteral("<html><head/><body><p><span style=\" font-size:15px;\">&lt;i&gt;卧室&lt;/i&gt;</span>"
                            "<span style=\" font-size:13px;\">(2/2)</span></p></body></html>"));
}

void TestSaleOrRentDetail::viewerFit_data()
{
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QRect>("at800x600");
    QTest::addColumn<QRect>("at1000x600");

    QTest::newRow("wide") << QSize(1800, 1200) << QRect(0, 33, 800, 533) << QRect(50, 0, 900, 600);
    QTest::newRow("tall") << QSize(1200, 1800) << QRect(200, 0, 400, 600) << QRect(300, 0, 400, 600);
    QTest::newRow("same shape") << QSize(400, 300) << QRect(0, 0, 800, 600) << QRect(100, 0, 800, 600);
    QTest::newRow("unknown size fills the dialog") << QSize(0, 0) << QRect(0, 0, 800, 600) << QRect(0, 0, 1000, 600);
}

void TestSaleOrRentDetail::viewerFit()
{
    QFETCH(QSize, image);
    QFETCH(QRect, at800x600);
    QFETCH(QRect, at1000x600);
    PhotoShowWidget viewer(nullptr, 1, 0);
    viewer.setAttribute(Qt::WA_DeleteOnClose, false);
    viewer.show();
    viewer.resize(800, 600);
    viewer.adoptImageSize(image);
    QCOMPARE(viewer.imageLabel()->geometry(), at800x600);

    // A resize fits again, and the controls follow.
    viewer.resize(1000, 600);
    QCOMPARE(viewer.imageLabel()->geometry(), at1000x600);
    QCOMPARE(viewer.findChild<QWidget*>(QStringLiteral("bottomBar"))->geometry(), QRect(0, 550, 1000, 30));
    QCOMPARE(viewer.findChild<QPushButton*>(QStringLiteral("pushButton_previous"))->geometry(), QRect(10, 265, 40, 70));
    QCOMPARE(viewer.findChild<QPushButton*>(QStringLiteral("pushButton_next"))->geometry(), QRect(950, 265, 40, 70));
}

void TestSaleOrRentDetail::viewerToolTip()
{
    PhotoShowWidget* viewer = openViewer(m_urls, 1);
    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    QTest::mouseMove(viewer, QPoint(100, 200));
    QTRY_COMPARE_WITH_TIMEOUT(QToolTip::text(), QStringLiteral("点击上一页"), 5000);
    QToolTip::hideText();
    QTest::mouseMove(viewer, QPoint(700, 200));
    QTRY_COMPARE_WITH_TIMEOUT(QToolTip::text(), QStringLiteral("点击下一页"), 5000);
    QToolTip::hideText();
}

void TestSaleOrRentDetail::rotationTurnsTheCachedCopy()
{
    PhotoShowWidget* viewer = openViewer(m_urls, 0);
    QVERIFY(waitLoaded(viewer));
    const QString cached = viewer->imageLabel()->getShownPath();
    QVERIFY(cached.startsWith(AppFolders::imageCacheFolder()));
    QCOMPARE(uprightSize(cached), QSize(1800, 1200));

    QSignalSpy rotated(viewer, &PhotoShowWidget::clickRotatePhoto);
    QTest::mouseClick(viewer->findChild<QPushButton*>(QStringLiteral("pushButton_rotate")), Qt::LeftButton);
    QCOMPARE(rotated.count(), 1);
    QCOMPARE(uprightSize(cached), QSize(1200, 1800));
    QTRY_COMPARE_WITH_TIMEOUT(viewer->imageSize(), QSize(1200, 1800), 30000);
    QTRY_COMPARE(viewer->imageLabel()->getShownPath(), cached);

    // The turn stays: paging away and back shows the turned copy, without a new download.
    const int downloads = m_server.requestsTo(QStringLiteral("/p/landscape.jpg")).size();
    viewer->next_photo();
    QVERIFY(waitLoaded(viewer));
    viewer->last_photo();
    QVERIFY(waitLoaded(viewer));
    QCOMPARE(viewer->imageSize(), QSize(1200, 1800));
    QCOMPARE(m_server.requestsTo(QStringLiteral("/p/landscape.jpg")).size(), downloads);
}

void TestSaleOrRentDetail::rotationNeverWritesTheUsersFile()
{
    QTemporaryDir mine;
    const QString path = mine.filePath(QStringLiteral("mine.jpg"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(m_landscape);
    }
    PhotoShowWidget* viewer = openViewer({path}, 0);
    QVERIFY(waitLoaded(viewer));
    QTest::mouseClick(viewer->findChild<QPushButton*>(QStringLiteral("pushButton_rotate")), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(viewer->imageSize(), QSize(1200, 1800), 30000);
    QVERIFY(waitLoaded(viewer));
    QCOMPARE(fileBytes(path), m_landscape);
    QVERIFY(viewer->imageLabel()->getShownPath().startsWith(AppFolders::imageCacheFolder()));
    QCOMPARE(uprightSize(viewer->imageLabel()->getShownPath()), QSize(1200, 1800));

    // A second turn goes on from the first.
    QTest::mouseClick(viewer->findChild<QPushButton*>(QStringLiteral("pushButton_rotate")), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(viewer->imageSize(), QSize(1800, 1200), 30000);
    QCOMPARE(fileBytes(path), m_landscape);
}

void TestSaleOrRentDetail::savingPicksFreeNames()
{
    QTemporaryDir folder;
    const QString taken = folder.filePath(QStringLiteral("landscape.jpg"));
    {
        QFile file(taken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("the user's own file");
    }

    PhotoShowWidget* viewer = openViewer(m_urls, 0);
    QVERIFY(waitLoaded(viewer));
    QSignalSpy saved(viewer, &PhotoShowWidget::photoSaved);
    auto* download = viewer->findChild<QPushButton*>(QStringLiteral("pushButton_download"));

    PhotoShowWidget::setNextFolder(folder.path());
    QTest::mouseClick(download, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(saved.count(), 1, 30000);
    QCOMPARE(saved.at(0).at(0).toString(), folder.filePath(QStringLiteral("landscape(1).jpg")));

    PhotoShowWidget::setNextFolder(folder.path());
    QTest::mouseClick(download, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(saved.count(), 2, 30000);
    QCOMPARE(saved.at(1).at(0).toString(), folder.filePath(QStringLiteral("landscape(2).jpg")));

    QCOMPARE(fileBytes(taken), QByteArray("the user's own file"));
    QCOMPARE(fileBytes(folder.filePath(QStringLiteral("landscape(1).jpg"))), m_landscape);
    QCOMPARE(fileBytes(folder.filePath(QStringLiteral("landscape(2).jpg"))), m_landscape);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 3);
    // Nothing is left behind in the temporary folder.
    QCOMPARE(QDir(AppFolders::temporaryFolder()).entryList(QDir::Files).size(), 0);

    bool toast = false;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* flash = qobject_cast<AlertFlashWidget*>(window);
        if (flash && flash->text() == QStringLiteral("图片下载成功！") && flash->displayTime() == 2000)
            toast = true;
    }
    QVERIFY(toast);
}

void TestSaleOrRentDetail::savingCancelledOrFailed()
{
    QTemporaryDir folder;
    PhotoShowWidget* viewer = openViewer(m_urls, 0);
    QVERIFY(waitLoaded(viewer));
    QSignalSpy saved(viewer, &PhotoShowWidget::photoSaved);
    const int requests = m_server.requests().size();

    // A cancelled picker fetches nothing.
    PhotoShowWidget::setNextFolder(QString());
    viewer->downloadPhoto();

    // A photo that cannot be fetched is reported and writes nothing.
    auto* gone = new PhotoShowWidget(nullptr, 1, 0);
    gone->setPhotos(QStringList{m_server.url(QStringLiteral("/p/gone.jpg"))}, 0);
    gone->show();
    PhotoShowWidget::setNextFolder(folder.path());
    gone->downloadPhoto();
    AlertWidget* alert = AlertProbe::waitForAlertContaining(QStringLiteral("图片下载失败！"));
    QVERIFY(alert);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 0);
    QCOMPARE(saved.count(), 0);
    // Since the cancelled save, only the missing photo was asked for (to show it, then to save it).
    const QList<ScriptedHttpServer::Request> since = m_server.requests().mid(requests);
    QVERIFY(!since.isEmpty());
    for (const ScriptedHttpServer::Request& request : since)
        QCOMPARE(request.path, QStringLiteral("/p/gone.jpg"));
}

void TestSaleOrRentDetail::longTextsKeepThePopupsSize_data()
{
    QTest::addColumn<bool>("demand");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("size");

    const QString chinese = QString(300, QChar(0x623f)); // 房
    const QString unbroken = QString(300, QLatin1Char('W'));
    QTest::newRow("owner's house, Chinese") << false << chinese << QSize(862, 592);
    QTest::newRow("owner's house, one long word") << false << unbroken << QSize(862, 592);
    QTest::newRow("visitor's demand, Chinese") << true << chinese << QSize(612, 412);
    QTest::newRow("visitor's demand, one long word") << true << unbroken << QSize(612, 412);
}

void TestSaleOrRentDetail::longTextsKeepThePopupsSize()
{
    QFETCH(bool, demand);
    QFETCH(QString, text);
    QFETCH(QSize, size);

    HostWindowFixture host(QSize(1400, 900));
    QWidget* detail = nullptr;
    if (demand) {
        MicroWebSiteSeekSaleOrRentList_Model::ListData record;
        record.id = 3;
        for (QString* field : {&record.name, &record.phone, &record.needarea, &record.mianji, &record.tmianji,
                               &record.price, &record.tprice, &record.floors, &record.tfloors, &record.remark})
            *field = text;
        auto* seek = new MicroWebsiteSeekSaleOrRentDetailWidget;
        seek->setData(1, record);
        detail = seek;
    } else {
        ListData house = sampleHouse();
        for (QString* field : {&house.housename, &house.buildingNo, &house.unitNo, &house.roomNo, &house.districtstr,
                               &house.areastr, &house.address, &house.name, &house.phone, &house.type, &house.hutype,
                               &house.housetype, &house.renovation, &house.rentway, &house.payway, &house.remark})
            *field = text;
        auto* sale = new MicroWebsiteSaleOrRentDetailWidget;
        sale->setData(house, true);
        detail = sale;
    }
    CommonAddWidget* frame = PopupLauncher::open(QStringLiteral("详情"), size, detail, 1, host.tabs());
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCOMPARE(frame->size(), size);
    QVERIFY(frame->minimumSizeHint().width() <= size.width());

    // Every line stays inside the frame, shortened where it has to be; what scrolls may be larger.
    const QRect inside = frame->rect();
    const auto scrolls = [detail](const QWidget* widget) {
        for (const QWidget* w = widget; w && w != detail; w = w->parentWidget()) {
            if (qobject_cast<const QAbstractScrollArea*>(w))
                return true;
        }
        return false;
    };
    for (const QLabel* label : detail->findChildren<QLabel*>()) {
        if (label->isVisibleTo(frame) && !scrolls(label))
            QVERIFY2(inside.contains(QRect(label->mapTo(frame, QPoint(0, 0)), label->size())),
                     qPrintable(label->objectName()));
    }
    // The close button is in reach and closes the popup.
    auto* close = frame->findChild<QPushButton*>(QStringLiteral("closeButton"));
    QVERIFY(close && close->isVisible());
    QVERIFY(inside.contains(QRect(close->mapTo(frame, QPoint(0, 0)), close->size())));
    QPointer<CommonAddWidget> guard(frame);
    QTest::mouseClick(close, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!guard);
}

QTEST_MAIN(TestSaleOrRentDetail)
#include "tst_saleorrentdetail.moc"
