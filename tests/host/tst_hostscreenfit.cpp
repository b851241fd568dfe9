#include "support/service/OfficeScreen.h"
#include "support/host/ShellDriver.h"
#include "support/service/FaultProxy.h"

#include "CustomTabWidget.h"
#include "ShellMainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include <functional>

namespace {

// How long a page may take to show its data on a busy machine.
const int kLoad = 15000;

// KQ_SHOTS names a folder: the windows the suite opens are saved there as pictures, to look at.
void shot(QWidget* window, const QString& name)
{
    const QString folder = qEnvironmentVariable("KQ_SHOTS");
    if (folder.isEmpty() || !window)
        return;
    QDir().mkpath(folder);
    // On a real display the screen is grabbed: it shows web pages, which grab() leaves blank.
    const QPixmap picture = QGuiApplication::platformName() == QLatin1String("xcb")
        ? window->screen()->grabWindow(window->winId())
        : window->grab();
    picture.save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

QString describe(const QWidget* widget)
{
    const QRect r = widget->frameGeometry();
    return QStringLiteral("%1 \"%2\" at %3,%4 size %5x%6")
        .arg(QLatin1String(widget->metaObject()->className()), widget->windowTitle())
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height());
}

// Every window on screen (main window, popups, dialogs, toasts) that does not lie inside the room
// the office screen leaves above its task bar.
QStringList windowsOutside()
{
    QStringList outside;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && !OfficeScreen::available().contains(window->frameGeometry()))
            outside.append(describe(window));
    }
    return outside;
}

// Horizontal scrolling inside `within`: a shown horizontal scroll bar, or a scroll area whose
// content is wider than its viewport.
QStringList sideScrolling(QWidget* within)
{
    QStringList found;
    for (QScrollBar* bar : within->findChildren<QScrollBar*>()) {
        if (bar->orientation() == Qt::Horizontal && bar->isVisible())
            found.append(QStringLiteral("scroll bar under %1").arg(bar->parentWidget()->parentWidget()->objectName()));
    }
    for (QScrollArea* area : within->findChildren<QScrollArea*>()) {
        if (area->isVisible() && area->widget() && area->widget()->width() > area->viewport()->width()) {
            found.append(QStringLiteral("%1 in %2: %3 wide in %4")
                             .arg(QLatin1String(area->widget()->metaObject()->className()), area->objectName())
                             .arg(area->widget()->width())
                             .arg(area->viewport()->width()));
        }
    }
    return found;
}

QString tileTitle(QWidget* tile)
{
    QString title;
    for (QLabel* label : tile->findChildren<QLabel*>())
        title += label->text();
    return title;
}

// The first window on screen (popup frames included) that `matches`, once one shows.
QWidget* waitForWindow(const std::function<bool(QWidget*)>& matches, int timeoutMs = 5000)
{
    return ShellDriver::waitFor(
        [matches]() -> QWidget* {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (window->isVisible() && matches(window))
                    return window;
            }
            return nullptr;
        },
        timeoutMs);
}

bool isA(const QWidget* window, const char* className)
{
    return qstrcmp(window->metaObject()->className(), className) == 0;
}

QWidget* waitForWindow(const char* className)
{
    return waitForWindow([className](QWidget* window) { return isA(window, className); });
}

// The first popup shown that is not among `before`.
QWidget* waitForNewPopup(const QList<QWidget*>& before)
{
    return waitForWindow([before](QWidget* window) { return isA(window, "CommonAddWidget") && !before.contains(window); });
}

// A popup with this title, once it shows.
QWidget* waitForPopup(const QString& title, int timeoutMs = 5000)
{
    return waitForWindow(
        [title](QWidget* window) { return isA(window, "CommonAddWidget") && ShellDriver::popupTitle(window) == title; },
        timeoutMs);
}

// Lets the pages fetch their data: until no wait indicator shows, and a little longer.
void settle()
{
    QElapsedTimer clock;
    clock.start();
    while (ShellDriver::findVisible(QStringLiteral("QProgressIndicator")) && clock.elapsed() < kLoad)
        QTest::qWait(50);
    QTest::qWait(300);
}

} // namespace

class TestHostScreenFit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void theMainWindowFitsTheOfficeScreen();
    void everyTileOpensInsideTheScreen();
    void settingsPagesFitWithoutSideScrolling();
    void settingsEditorsFit();
    void contentEditorsFit();
    void webEditorsFit_data();
    void webEditorsFit();
    void listingPopupsFit();

private:
    CustomTabWidget* tabs() const { return m_driver.window()->findChild<CustomTabWidget*>(); }
    QWidget* openTile(const QString& title);
    QWidget* openSettings();
    // Clicks the opener; the popup that shows, once its data loaded and checked to lie inside the screen.
    QWidget* popupFrom(QWidget* opener);
    // Clicks the first row of the page's list; the window that opens for it.
    QWidget* openFirstRow(QWidget* page);
    // Checks that every window is inside the screen; the step names what was just opened.
    bool allInside(const QString& step);

    ShellDriver m_driver;
    QStringList m_failures;
};

void TestHostScreenFit::initTestCase()
{
    QString error;
    QVERIFY2(m_driver.start(QStringLiteral("13800000000"), &error), qPrintable(error));
}

void TestHostScreenFit::cleanup()
{
    for (int guard = 0; guard < 10 && !ShellDriver::openPopups().isEmpty(); ++guard) {
        QWidget* frame = ShellDriver::openPopups().first();
        QAbstractButton* close = frame->findChild<QAbstractButton*>(QStringLiteral("closeButton"));
        if (close && close->isVisible())
            ShellDriver::click(close);
        else
            frame->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != m_driver.window() && window->isVisible())
            window->close();
    }
    while (tabs()->count() > 1)
        tabs()->closeTabAt(tabs()->count() - 1);
    tabs()->setCurrentIndex(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::qWait(50);
}

bool TestHostScreenFit::allInside(const QString& step)
{
    const QStringList outside = windowsOutside();
    for (const QString& window : outside)
        m_failures.append(step + QStringLiteral(": ") + window);
    return outside.isEmpty();
}

QWidget* TestHostScreenFit::openTile(const QString& title)
{
    for (QWidget* tile : ShellDriver::findAllVisible(QStringLiteral("ItemButtonWidget"), m_driver.window())) {
        if (tileTitle(tile) == title) {
            ShellDriver::click(tile);
            settle();
            return tile;
        }
    }
    return nullptr;
}

QWidget* TestHostScreenFit::openFirstRow(QWidget* page)
{
    auto* view = static_cast<QAbstractItemView*>(ShellDriver::waitFor([page]() -> QWidget* {
        for (QAbstractItemView* candidate : page->findChildren<QAbstractItemView*>()) {
            if (!qobject_cast<QHeaderView*>(candidate) && candidate->isVisible() && candidate->model()
                && candidate->model()->rowCount() > 0)
                return candidate;
        }
        return nullptr;
    }, kLoad));
    if (!view)
        return nullptr;
    QList<QWidget*> before;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            before.append(window);
    }
    const QPoint centre = view->visualRect(view->model()->index(0, 1)).center();
    QWidget* cell = view->viewport()->childAt(centre);
    if (cell)
        ShellDriver::click(cell);
    else
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    return waitForWindow([before](QWidget* window) { return !before.contains(window) && !isA(window, "AlertFlashWidget"); },
                         kLoad);
}

QWidget* TestHostScreenFit::popupFrom(QWidget* opener)
{
    const QList<QWidget*> before = ShellDriver::openPopups();
    if (!ShellDriver::click(opener))
        return nullptr;
    QWidget* frame = waitForNewPopup(before);
    if (frame) {
        settle();
        allInside(ShellDriver::popupTitle(frame));
    }
    return frame;
}

QWidget* TestHostScreenFit::openSettings()
{
    tabs()->setCurrentIndex(0);
    if (!ShellDriver::click(ShellDriver::button(QStringLiteral("pushButton_set"), m_driver.window())))
        return nullptr;
    QWidget* popup = waitForPopup(QStringLiteral("微官网设置"));
    settle();
    return popup;
}

void TestHostScreenFit::theMainWindowFitsTheOfficeScreen()
{
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), OfficeScreen::available());
    QWidget* window = m_driver.window();
    QVERIFY2(windowsOutside().isEmpty(), qPrintable(windowsOutside().join(QStringLiteral("; "))));
    // It still takes most of the screen: shrunk to it, not to something small.
    QVERIFY(window->width() >= 1200);
    QVERIFY(window->height() >= 600);
    shot(window, QStringLiteral("main_window"));

    // The host's "角色权限" window, 780 x 880 at most, from its menu entry.
    auto* permissions = m_driver.window()->findChild<QAction*>(QStringLiteral("action_permissions"));
    QVERIFY(permissions && permissions->isEnabled());
    permissions->trigger();
    QWidget* rights = waitForWindow("ShellPermissionsWindow");
    QVERIFY(rights);
    settle();
    QVERIFY2(windowsOutside().isEmpty(), qPrintable(windowsOutside().join(QStringLiteral("; "))));
    QCOMPARE(rights->width(), 780);
    shot(rights, QStringLiteral("permissions_window"));
}

void TestHostScreenFit::everyTileOpensInsideTheScreen()
{
    QStringList titles;
    for (QWidget* tile : ShellDriver::findAllVisible(QStringLiteral("ItemButtonWidget"), m_driver.window()))
        titles.append(tileTitle(tile));
    QVERIFY(titles.size() >= 10);
    m_failures.clear();
    int opened = 0;
    for (const QString& title : qAsConst(titles)) {
        // The site itself opens in the desktop's own browser, outside this application.
        if (title == QStringLiteral("我的官网"))
            continue;
        const int tabsBefore = tabs()->count();
        QVERIFY2(openTile(title), qPrintable(title));
        if (tabs()->count() > tabsBefore || !ShellDriver::openPopups().isEmpty())
            ++opened;
        allInside(QStringLiteral("tile ") + title);
        if (title == QStringLiteral("佣金返利")) {
            shot(m_driver.window(), QStringLiteral("rebatix"));
            // The menu's entries start clear of the column's left edge and its marker.
            for (QWidget* entry : ShellDriver::findAllVisible(QStringLiteral("QLabel"), tabs()->currentWidget())) {
                if (static_cast<QLabel*>(entry)->text().startsWith(QStringLiteral("· ")))
                    QVERIFY2(entry->contentsRect().left() >= 12, qPrintable(static_cast<QLabel*>(entry)->text()));
            }
        }
        cleanup();
    }
    QVERIFY2(m_failures.isEmpty(), qPrintable(m_failures.join(QStringLiteral("\n"))));
    // Every tile but the site opened a tab or a popup.
    QCOMPARE(opened, titles.size() - titles.count(QStringLiteral("我的官网")));
}

void TestHostScreenFit::settingsPagesFitWithoutSideScrolling()
{
    QWidget* popup = openSettings();
    QVERIFY(popup);
    m_failures.clear();
    m_driver.clearAlerts();
    allInside(QStringLiteral("settings"));
    shot(popup, QStringLiteral("settings_basic"));
    QStringList scrolling = sideScrolling(popup);
    QVERIFY2(scrolling.isEmpty(), qPrintable(QStringLiteral("基本设置: ") + scrolling.join(QStringLiteral("; "))));
    // The widest row: the owner's two options beside the contact modes (confirmed, not applied).
    QVERIFY(ShellDriver::click(ShellDriver::button(QStringLiteral("房主"), popup)));
    QVERIFY(m_driver.waitForAlert(QStringLiteral("飞单风险")));
    QTRY_VERIFY(ShellDriver::button(QStringLiteral("公布房主号码"), popup));
    scrolling = sideScrolling(popup);
    QVERIFY2(scrolling.isEmpty(), qPrintable(QStringLiteral("基本设置, 房主: ") + scrolling.join(QStringLiteral("; "))));

    QVERIFY(ShellDriver::click(ShellDriver::button(QStringLiteral("styleButton"), popup)));
    settle();
    shot(popup, QStringLiteral("settings_style"));
    scrolling = sideScrolling(popup);
    QVERIFY2(scrolling.isEmpty(), qPrintable(QStringLiteral("风格设置: ") + scrolling.join(QStringLiteral("; "))));
    // The checked theme swatch leaves its label alone.
    for (QWidget* swatch : ShellDriver::findAllVisible(QStringLiteral("QRadioButton"), popup)) {
        if (!swatch->objectName().startsWith(QStringLiteral("themeButton")))
            continue;
        auto* radio = static_cast<QAbstractButton*>(swatch);
        QVERIFY2(radio->sizeHint().width() <= radio->width(), qPrintable(radio->text()));
    }

    // The roles: the tree opens, and each role's rights show without side scrolling.
    QWidget* tree = ShellDriver::findVisible(QStringLiteral("treeTitle"), popup);
    QVERIFY(tree);
    if (ShellDriver::findAllVisible(QStringLiteral("treeRow"), popup).isEmpty())
        ShellDriver::click(tree);
    const QList<QWidget*> roles = ShellDriver::findAllVisible(QStringLiteral("treeRow"), popup);
    QVERIFY(!roles.isEmpty());
    for (int i = 0; i < roles.size(); ++i) {
        QWidget* role = ShellDriver::findAllVisible(QStringLiteral("treeRow"), popup).value(i);
        QVERIFY(role);
        const QString name = static_cast<QLabel*>(role)->text();
        ShellDriver::click(role);
        settle();
        if (i == 0)
            shot(popup, QStringLiteral("settings_role"));
        scrolling = sideScrolling(popup);
        QVERIFY2(scrolling.isEmpty(), qPrintable(name + QStringLiteral(": ") + scrolling.join(QStringLiteral("; "))));
    }
    QVERIFY2(m_failures.isEmpty(), qPrintable(m_failures.join(QStringLiteral("\n"))));
}

void TestHostScreenFit::settingsEditorsFit()
{
    m_failures.clear();
    QWidget* popup = openSettings();
    QVERIFY(popup);

    // 基本设置: a grid item's own settings.
    QWidget* itemSettings =
        ShellDriver::waitFor([popup] { return ShellDriver::button(QStringLiteral("settingsButton"), popup); }, kLoad);
    QVERIFY(itemSettings);
    ShellDriver::click(itemSettings);
    QWidget* sub = waitForPopup(QStringLiteral("设置"));
    QVERIFY(sub);
    settle();
    allInside(QStringLiteral("sub-settings"));
    shot(sub, QStringLiteral("sub_settings"));
    QVERIFY2(sideScrolling(sub).isEmpty(), qPrintable(sideScrolling(sub).join(QStringLiteral("; "))));
    ShellDriver::click(ShellDriver::button(QStringLiteral("closeButton"), sub));

    // 风格设置: a system app, a custom app, and a top icon.
    ShellDriver::click(ShellDriver::button(QStringLiteral("styleButton"), popup));
    settle();
    const QList<QPair<QString, QString>> apps{{QStringLiteral("新房"), QStringLiteral("编辑应用")},
                                              {QStringLiteral("看房团"), QStringLiteral("编辑自定义应用")}};
    for (const auto& app : apps) {
        QWidget* tile = nullptr;
        for (QWidget* candidate : ShellDriver::findAllVisible(QStringLiteral("ItemButtonWidget"), popup)) {
            if (tileTitle(candidate) == app.first)
                tile = candidate;
        }
        QVERIFY2(tile, qPrintable(app.first));
        // The page scrolls vertically; the tile is clicked where the user would scroll to.
        QWidget* stylePage = ShellDriver::findVisible(QStringLiteral("MircroWebsiteStyleSetWidget"), popup);
        static_cast<QScrollArea*>(ShellDriver::findVisible(QStringLiteral("QScrollArea"), stylePage))->ensureWidgetVisible(tile);
        ShellDriver::click(tile);
        QWidget* editor = waitForPopup(app.second);
        QVERIFY2(editor, qPrintable(app.second));
        settle();
        allInside(app.second);
        shot(editor, app.second);
        ShellDriver::click(ShellDriver::button(QStringLiteral("closeButton"), editor));
        QTRY_VERIFY(!waitForPopup(app.second, 0));
    }
    QVERIFY(ShellDriver::click(ShellDriver::button(QStringLiteral("pushButton_edit"), popup)));
    QWidget* topIcon = waitForPopup(QStringLiteral("编辑项目"));
    QVERIFY(topIcon);
    allInside(QStringLiteral("编辑项目"));
    ShellDriver::click(ShellDriver::button(QStringLiteral("closeButton"), topIcon));

    // A role's rights: the department chooser of a range.
    ShellDriver::click(ShellDriver::findVisible(QStringLiteral("treeTitle"), popup));
    if (ShellDriver::findAllVisible(QStringLiteral("treeRow"), popup).isEmpty())
        ShellDriver::click(ShellDriver::findVisible(QStringLiteral("treeTitle"), popup));
    ShellDriver::click(ShellDriver::findVisible(QStringLiteral("treeRow"), popup));
    settle();
    auto* range = static_cast<QComboBox*>(ShellDriver::findVisible(QStringLiteral("comboBox_range"), popup));
    QVERIFY(range);
    range->setFocus(Qt::OtherFocusReason);
    QWidget* chooser = nullptr;
    for (int i = 0; i < range->count() && !chooser; ++i) {
        QTest::keyClick(range, Qt::Key_Down);
        chooser = waitForPopup(QStringLiteral("选择指定部门"), 500);
    }
    QVERIFY(chooser);
    settle();
    allInside(QStringLiteral("选择指定部门"));
    QVERIFY2(m_failures.isEmpty(), qPrintable(m_failures.join(QStringLiteral("\n"))));
}

void TestHostScreenFit::contentEditorsFit()
{
    m_failures.clear();
    // 公司介绍 and its editor.
    QVERIFY(openTile(QStringLiteral("公司介绍")));
    QWidget* profile = waitForPopup(QStringLiteral("公司介绍"));
    QVERIFY(profile);
    QVERIFY(ShellDriver::click(ShellDriver::button(QStringLiteral("editButton"), profile)));
    QVERIFY(waitForPopup(QStringLiteral("公司信息编辑")));
    settle();
    allInside(QStringLiteral("公司信息编辑"));
    cleanup();

    // 加入我们: a new job, its tag form, and a job's details.
    QVERIFY(openTile(QStringLiteral("加入我们")));
    QWidget* jobs = waitForPopup(QStringLiteral("加入我们"));
    QVERIFY(jobs);
    QWidget* jobEditor = popupFrom(ShellDriver::button(QStringLiteral("addJobButton"), jobs));
    QVERIFY(jobEditor);
    shot(jobEditor, QStringLiteral("job_editor"));
    ShellDriver::click(ShellDriver::button(QStringLiteral("closeButton"), jobEditor));
    QWidget* job =
        ShellDriver::waitFor([jobs] { return ShellDriver::findVisible(QStringLiteral("JoinUsListView"), jobs); }, kLoad);
    QVERIFY(job);
    ShellDriver::click(job);
    QVERIFY(waitForPopup(QStringLiteral("职位详情")));
    allInside(QStringLiteral("职位详情"));
    cleanup();

    // 轮播广告: a new advert and its link picker.
    QVERIFY(openTile(QStringLiteral("轮播广告")));
    QWidget* ads = waitForPopup(QStringLiteral("轮播广告"));
    QVERIFY(ads);
    QWidget* adForm = popupFrom(ShellDriver::button(QStringLiteral("addAdButton"), ads));
    QVERIFY(adForm);
    shot(adForm, QStringLiteral("ad_form"));
    // A link to a house: its picker.
    auto* linkType = ShellDriver::findVisible(QStringLiteral("typeBox"), adForm);
    QVERIFY(linkType);
    linkType->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(linkType, Qt::Key_Down);
    QVERIFY(popupFrom(ShellDriver::button(QStringLiteral("pickerButton"), adForm)));
    cleanup();

    // 专题 (in the news tab): a new topic and its house picker.
    QVERIFY(openTile(QStringLiteral("资讯")));
    QVERIFY(ShellDriver::click(ShellDriver::button(QStringLiteral("menu_topics"), m_driver.window())));
    settle();
    QWidget* topic = popupFrom(ShellDriver::button(QStringLiteral("addThemeButton"), m_driver.window()));
    QVERIFY(topic);
    QVERIFY(ShellDriver::click(ShellDriver::button(QStringLiteral("选择关联房源"), topic)));
    QVERIFY(waitForPopup(QStringLiteral("选择关联房源")));
    settle();
    allInside(QStringLiteral("选择关联房源"));
    QVERIFY2(m_failures.isEmpty(), qPrintable(m_failures.join(QStringLiteral("\n"))));
}

void TestHostScreenFit::webEditorsFit_data()
{
    QTest::addColumn<QString>("tile");
    QTest::addColumn<QString>("button");
    QTest::newRow("资讯: add") << QStringLiteral("资讯") << QStringLiteral("addButton");
    QTest::newRow("资讯: edit") << QStringLiteral("资讯") << QStringLiteral("editButton");
    QTest::newRow("资讯: category") << QStringLiteral("资讯") << QStringLiteral("categoryButton");
    QTest::newRow("资讯: pictures") << QStringLiteral("资讯") << QStringLiteral("pictureButton");
    QTest::newRow("百科: add") << QStringLiteral("百科") << QStringLiteral("addButton");
    QTest::newRow("百科: edit") << QStringLiteral("百科") << QStringLiteral("editButton");
    QTest::newRow("百科: category") << QStringLiteral("百科") << QStringLiteral("categoryButton");
    QTest::newRow("百科: pictures") << QStringLiteral("百科") << QStringLiteral("pictureButton");
}

void TestHostScreenFit::webEditorsFit()
{
    QFETCH(QString, tile);
    QFETCH(QString, button);
    QVERIFY(openTile(tile));
    QWidget* page = tabs()->currentWidget();
    QWidget* opener = ShellDriver::waitFor([page, button] { return ShellDriver::button(button, page); }, kLoad);
    const QStringList asked = m_driver.proxy()->requestPaths();
    QVERIFY2(opener, qPrintable(QStringLiteral("tab %1, last requests %2")
                                    .arg(tabs()->tabText(tabs()->currentIndex()),
                                         asked.mid(asked.size() - 5).join(QLatin1Char(' ')))));
    ShellDriver::click(opener);
    QWidget* dialog = waitForWindow("CefWebWidget");
    QVERIFY(dialog);
    QTest::qWait(100);
    QVERIFY2(windowsOutside().isEmpty(), qPrintable(windowsOutside().join(QStringLiteral("; "))));
    if (QString::fromUtf8(QTest::currentDataTag()) == QStringLiteral("资讯: edit") && qEnvironmentVariableIsSet("KQ_SHOTS")) {
        // The page loads before its picture is taken.
        QTest::qWait(4000);
        shot(dialog, QStringLiteral("news_editor"));
    }
}

void TestHostScreenFit::listingPopupsFit()
{
    m_failures.clear();
    // A listing's details: an owner's house in a popup, an agency's house in the host's window.
    for (const QString& tile : {QStringLiteral("业主委托…"), QStringLiteral("二手房")}) {
        QVERIFY(openTile(tile));
        QWidget* detail = openFirstRow(tabs()->currentWidget());
        QVERIFY2(detail, qPrintable(tile));
        settle();
        allInside(tile + QStringLiteral(" detail"));
        cleanup();
    }


    // The loan page's customers, from the operation bar.
    QVERIFY(openTile(QStringLiteral("金融")));
    QVERIFY(ShellDriver::click(ShellDriver::button(QStringLiteral("pushButton_financialCustomer"), tabs()->currentWidget())));
    QWidget* customers = waitForPopup(QStringLiteral("金融客户列表"));
    QVERIFY(customers);
    settle();
    allInside(QStringLiteral("金融客户列表"));
    shot(customers, QStringLiteral("financial_customers"));
    // The paging buttons stand apart.
    QWidget* last = ShellDriver::button(QStringLiteral("pushButton_lastButton"), customers);
    QWidget* next = ShellDriver::button(QStringLiteral("pushButton_nextButton"), customers);
    QVERIFY(last && next);
    QVERIFY(next->geometry().left() - last->geometry().right() > 4);
    QVERIFY2(m_failures.isEmpty(), qPrintable(m_failures.join(QStringLiteral("\n"))));
}

QTEST_MAIN(TestHostScreenFit)
#include "tst_hostscreenfit.moc"
