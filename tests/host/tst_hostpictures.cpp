#include "support/host/ShellDriver.h"
#include "support/service/ReferenceService.h"

#include "DataCenter.h"
#include "ShellMainWindow.h"

#include <QAbstractButton>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString kManager = QStringLiteral("13800000000");
const QString kPickHint = QStringLiteral("点击选择图片");

QString testPhoto(const QString& name)
{
    return QStringLiteral(KQ_TESTDATA_DIR "/photos/") + name;
}

// A tall picture of one colour: shown squeezed it would fill a square label, shown with its
// proportions it leaves the label's sides free.
QImage tallPicture(const QColor& colour)
{
    QImage image(90, 150, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

bool near(const QColor& a, const QColor& b)
{
    return qAbs(a.red() - b.red()) < 40 && qAbs(a.green() - b.green()) < 40 && qAbs(a.blue() - b.blue()) < 40;
}

QColor colourAt(QWidget* widget, const QPoint& point)
{
    return QColor(widget->grab().toImage().pixel(point));
}

// Whether the middle row of the widget shows a coloured pixel (not grey, white or black).
bool hasColour(QWidget* widget)
{
    const QImage shot = widget->grab().toImage();
    for (int x = 0; x < shot.width(); ++x) {
        const QColor colour(shot.pixel(x, shot.height() / 2));
        if (colour.hsvSaturation() > 100 && colour.value() > 60)
            return true;
    }
    return false;
}

// The visible app tile (main page or style page) whose full title is `title`.
QWidget* tileTitled(const QString& title, QWidget* within)
{
    for (QWidget* tile : ShellDriver::findAllVisible(QStringLiteral("ItemButtonWidget"), within)) {
        auto* label = tile->findChild<QLabel*>(QStringLiteral("tileTitle"));
        if (label && (label->toolTip() == title || label->text() == title))
            return tile;
    }
    return nullptr;
}

QWidget* popupTitled(const QString& title)
{
    return ShellDriver::waitFor([title]() -> QWidget* {
        for (QWidget* frame : ShellDriver::openPopups()) {
            if (ShellDriver::popupTitle(frame) == title)
                return frame;
        }
        return nullptr;
    }, 10000);
}

bool popupOpen(const QString& title)
{
    for (QWidget* frame : ShellDriver::openPopups()) {
        if (ShellDriver::popupTitle(frame) == title)
            return true;
    }
    return false;
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QTest::qWait(20);
    }
    return true;
}

// A picture label that says where to click and, once a picture is chosen, shows it.
QLabel* pictureArea(const QString& name, QWidget* within)
{
    return qobject_cast<QLabel*>(ShellDriver::findVisible(name, within));
}

} // namespace

class TestHostPictures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void customAppFromTheMainPage();
    void customAppFromTheStylePage();
    void topIconPictureChangedAndApplied();

private:
    // Clicks the "自定义应用" tile within the page, fills the form (an orange icon, the name, two
    // pictures), submits it and waits until it has closed.
    void addCustomApp(QWidget* page, const QString& name);
    // The app the service stored under that name, or an empty object.
    QJsonObject storedApp(const QString& name);
    // The site's three top icons as the service stores them.
    QJsonArray storedTopIcons();
    QImage fetched(const QString& address);
    QWidget* openStylePage();

    std::unique_ptr<ShellDriver> m_driver;
    ReferenceService::Headers m_session;
    QTemporaryDir m_dir;
};

void TestHostPictures::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_driver = std::make_unique<ShellDriver>();
    QString error;
    QVERIFY2(m_driver->start(kManager, &error), qPrintable(error));
    m_session = m_driver->service()->login(kManager);
    QVERIFY(!m_session.isEmpty());
}

void TestHostPictures::cleanup()
{
    // Whatever a failed case left open is closed as a user would, newest first.
    QList<QWidget*> popups = ShellDriver::openPopups();
    while (!popups.isEmpty()) {
        QWidget* frame = popups.takeLast();
        ShellDriver::click(ShellDriver::button(QStringLiteral("closeButton"), frame));
    }
    QTest::qWait(50);
    m_driver->clearAlerts();
}

void TestHostPictures::addCustomApp(QWidget* page, const QString& name)
{
    // File names typed into the dialog stay ASCII.
    static int made = 0;
    const QString icon = m_dir.filePath(QStringLiteral("orange_%1.png").arg(++made));
    QVERIFY(tallPicture(QColor(255, 140, 0)).save(icon));
    QWidget* addTile = ShellDriver::waitFor([page] { return tileTitled(QStringLiteral("自定义应用"), page); }, 10000);
    QVERIFY(ShellDriver::click(addTile));
    QWidget* popup = popupTitled(QStringLiteral("添加自定义应用"));
    QVERIFY(popup);

    // The empty form says where to click, for the icon and for the pictures.
    QLabel* iconLabel = pictureArea(QStringLiteral("iconLabel"), popup);
    QVERIFY(iconLabel);
    QCOMPARE(iconLabel->text(), kPickHint);
    QLabel* emptyPhotos = pictureArea(QStringLiteral("emptyPhotosLabel"), popup);
    QVERIFY(emptyPhotos);
    QCOMPARE(emptyPhotos->text(), kPickHint);

    m_driver->answerFileDialogs({icon});
    QVERIFY(ShellDriver::click(iconLabel));
    QVERIFY2(waitUntil([&] { return iconLabel->text().isEmpty(); }, 20000), "the chosen icon is not shown");
    // Shown whole, with its proportions: orange in the middle, nothing at the sides.
    QVERIFY(waitUntil([&] { return near(colourAt(iconLabel, iconLabel->rect().center()), QColor(255, 140, 0)); }, 5000));
    QVERIFY(!near(colourAt(iconLabel, QPoint(4, iconLabel->height() / 2)), QColor(255, 140, 0)));

    ShellDriver::typeInto(ShellDriver::findVisible(QStringLiteral("nameEdit"), popup), name);
    m_driver->answerFileDialogs({testPhoto(QStringLiteral("Landscape_1.jpg")), testPhoto(QStringLiteral("Portrait_2.jpg"))});
    QVERIFY(ShellDriver::click(emptyPhotos));
    QVERIFY2(waitUntil([&] { return ShellDriver::findAllVisible(QStringLiteral("photoLabel"), popup).size() == 2; }, 30000),
             "the two pictures are not shown");
    QVERIFY(!ShellDriver::findVisible(QStringLiteral("emptyPhotosLabel"), popup));

    QVERIFY(ShellDriver::click(ShellDriver::button(QStringLiteral("提交"), popup)));
    QVERIFY2(waitUntil([] { return !popupOpen(QStringLiteral("添加自定义应用")); }, 30000),
             qPrintable(m_driver->alertTexts().join(QLatin1Char('\n'))));
}

QJsonObject TestHostPictures::storedApp(const QString& name)
{
    const ReferenceService::Reply reply = m_driver->service()->call(QStringLiteral("api/mtore/getmstorestyleconfig"), {}, m_session);
    for (const QJsonValue& app : reply.data().toObject().value(QStringLiteral("app")).toArray()) {
        if (app.toObject().value(QStringLiteral("title")).toString() == name)
            return app.toObject();
    }
    return {};
}

QJsonArray TestHostPictures::storedTopIcons()
{
    const ReferenceService::Reply reply = m_driver->service()->call(
        QStringLiteral("site/setwmenu"), {piece("companyid", DataCenter::CompanyID), piece("cityid", DataCenter::CityID)}, m_session);
    return reply.data().toArray();
}

QImage TestHostPictures::fetched(const QString& address)
{
    const ReferenceService::Reply reply = m_driver->service()->get(address);
    return QImage::fromData(reply.body);
}

QWidget* TestHostPictures::openStylePage()
{
    if (!ShellDriver::click(ShellDriver::button(QStringLiteral("pushButton_set"), m_driver->window())))
        return nullptr;
    QWidget* settings = popupTitled(QStringLiteral("微官网设置"));
    if (!settings || !ShellDriver::click(ShellDriver::button(QStringLiteral("风格设置"), settings)))
        return nullptr;
    return ShellDriver::waitFor([settings] { return ShellDriver::findVisible(QStringLiteral("MircroWebSiteTopTherePhotoView"), settings); },
                                10000)
        ? settings
        : nullptr;
}

void TestHostPictures::customAppFromTheMainPage()
{
    const QString name = QStringLiteral("样板图集");
    addCustomApp(m_driver->window(), name);
    if (QTest::currentTestFailed())
        return;

    QWidget* tile = ShellDriver::waitFor([this, name] { return tileTitled(name, m_driver->window()); }, 10000);
    QVERIFY2(tile, "the new app's tile is not on the main page");
    QLabel* tileIcon = pictureArea(QStringLiteral("tileIcon"), tile);
    QVERIFY(tileIcon);
    QVERIFY2(waitUntil([&] { return near(colourAt(tileIcon, tileIcon->rect().center()), QColor(255, 140, 0)); }, 10000),
             "the tile does not show the chosen icon");

    const QJsonObject app = storedApp(name);
    QVERIFY2(!app.isEmpty(), "the service has no such app");
    const QImage storedIcon = fetched(app.value(QStringLiteral("url")).toString());
    QCOMPARE(storedIcon.size(), QSize(90, 150));
    const QJsonArray pictures = QJsonDocument::fromJson(app.value(QStringLiteral("content")).toString().toUtf8()).array();
    QCOMPARE(pictures.size(), 2);
    QList<Qt::Orientation> shapes;
    for (const QJsonValue& picture : pictures) {
        const QImage stored = fetched(picture.toObject().value(QStringLiteral("photo")).toString());
        QVERIFY(!stored.isNull());
        shapes.append(stored.width() > stored.height() ? Qt::Horizontal : Qt::Vertical);
    }
    // The portrait stays a portrait, turned upright.
    QVERIFY(shapes.contains(Qt::Horizontal) && shapes.contains(Qt::Vertical));
}

void TestHostPictures::customAppFromTheStylePage()
{
    const QString name = QStringLiteral("户型图集");
    QWidget* settings = openStylePage();
    QVERIFY(settings);
    addCustomApp(settings, name);
    if (QTest::currentTestFailed())
        return;

    // The style page lists it at once, and the main page after its refresh.
    QVERIFY2(ShellDriver::waitFor([settings, name] { return tileTitled(name, settings); }, 10000), "not on the style page");
    QVERIFY(!storedApp(name).isEmpty());
    QVERIFY(ShellDriver::click(ShellDriver::button(QStringLiteral("closeButton"), settings)));
    QVERIFY2(ShellDriver::waitFor([this, name] { return tileTitled(name, m_driver->window()); }, 10000), "not on the main page");
}

void TestHostPictures::topIconPictureChangedAndApplied()
{
    const QJsonArray before = storedTopIcons();
    QCOMPARE(before.size(), 3);
    const QString icon = m_dir.filePath(QStringLiteral("teal_top.png"));
    QVERIFY(tallPicture(QColor(0, 150, 160)).save(icon));

    QWidget* settings = openStylePage();
    QVERIFY(settings);
    QWidget* first = ShellDriver::findAllVisible(QStringLiteral("MircroWebSiteTopTherePhotoView"), settings).value(0);
    QVERIFY(first);
    // As a user does, edit once the icon is on show (the grey placeholder has no colour).
    QWidget* shown = ShellDriver::findVisible(QStringLiteral("label_image"), first);
    QVERIFY(shown);
    QVERIFY2(waitUntil([shown] { return hasColour(shown); }, 10000), "the top icon is not shown");
    QVERIFY(ShellDriver::click(ShellDriver::button(QStringLiteral("pushButton_edit"), first)));
    QWidget* editor = popupTitled(QStringLiteral("编辑项目"));
    QVERIFY(editor);
    QLabel* iconLabel = pictureArea(QStringLiteral("iconLabel"), editor);
    QVERIFY(iconLabel);
    m_driver->answerFileDialogs({icon});
    QVERIFY(ShellDriver::click(iconLabel));
    QVERIFY2(waitUntil([&] { return near(colourAt(iconLabel, iconLabel->rect().center()), QColor(0, 150, 160)); }, 20000),
             "the chosen picture is not shown");
    QVERIFY(ShellDriver::click(ShellDriver::button(QStringLiteral("确定"), editor)));
    QVERIFY2(waitUntil([] { return !popupOpen(QStringLiteral("编辑项目")); }, 30000), qPrintable(m_driver->alertTexts().join(QLatin1Char('\n'))));
    // Nothing is stored before "应用".
    QCOMPARE(storedTopIcons(), before);

    QVERIFY(ShellDriver::click(ShellDriver::button(QStringLiteral("应用"), settings)));
    QVERIFY2(waitUntil([&] { return storedTopIcons() != before; }, 10000),
             qPrintable(QStringLiteral("not stored: ") + m_driver->alertTexts().join(QLatin1Char('\n'))));
    const QJsonArray after = storedTopIcons();
    QCOMPARE(after.size(), 3);
    const QString address = after.at(0).toObject().value(QStringLiteral("url")).toString();
    QVERIFY(address != before.at(0).toObject().value(QStringLiteral("url")).toString());
    const QImage stored = fetched(address);
    QCOMPARE(stored.size(), QSize(90, 150));
    QVERIFY(near(QColor(stored.pixel(45, 75)), QColor(0, 150, 160)));
    // The other two and the first one's search are kept.
    QCOMPARE(after.at(1), before.at(1));
    QCOMPARE(after.at(2), before.at(2));
    QCOMPARE(after.at(0).toObject().value(QStringLiteral("housetype")), before.at(0).toObject().value(QStringLiteral("housetype")));
}

QTEST_MAIN(TestHostPictures)
#include "tst_hostpictures.moc"
