#include "support/cefview_stub/CefViewStubProbe.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/web/CefViewLibrary.h"
#include "widgets/web/CefWebWidget.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QString kUrl = QStringLiteral("http://127.0.0.1:1/site/zixun_add.html?companyid=10001&company=%E5%AE%89%26&city=1");

quintptr address(const void* pointer)
{
    return reinterpret_cast<quintptr>(pointer);
}

} // namespace

class TestCefWebWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void withoutTheLibraryOrItsFunctionNothingHappensAndNothingIsSaid_data();
    void withoutTheLibraryOrItsFunctionNothingHappensAndNothingIsSaid();
    void theBrowserGoesIntoTheContentAreaWithTheDialogAsContext();
    void pageTextsComeOutAsBackJsUntilTheDialogCloses();
    void scriptsAndWindowsGoToTheLibrary();
    void theRealLibraryWhereItsEngineCannotRunMakesNothing();
};

void TestCefWebWidget::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
}

void TestCefWebWidget::init()
{
    QVERIFY(CefViewStubProbe::use());
}

void TestCefWebWidget::cleanup()
{
    AlertProbe::closeAll();
}

void TestCefWebWidget::withoutTheLibraryOrItsFunctionNothingHappensAndNothingIsSaid_data()
{
    QTest::addColumn<QString>("library");
    QTest::newRow("no such library") << QStringLiteral("kq_cefview_missing");
    // Loads, but exports none of the four functions.
    QTest::newRow("no such function") << QStringLiteral("Qt5Core");
}

void TestCefWebWidget::withoutTheLibraryOrItsFunctionNothingHappensAndNothingIsSaid()
{
    QFETCH(QString, library);
    CefViewLibrary::setBaseName(library);
    QPointer<CefWebWidget> dialog = new CefWebWidget(kUrl);
    dialog->show();
    QVERIFY(!dialog->handle());
    QVERIFY(dialog->contentArea()->findChildren<QWidget*>().isEmpty());
    QVERIFY(!dialog->runJs(QStringLiteral("1")));
    QVERIFY(!CefViewLibrary::loadUrl(kUrl, QStringLiteral("授权"), -1));
    QVERIFY(AlertProbe::flushPending());
    QVERIFY(AlertProbe::visibleAlerts().isEmpty());
    QVERIFY(CefViewStubProbe::calls().isEmpty());
    dialog->close();
    QTRY_VERIFY(dialog.isNull());
}

void TestCefWebWidget::theBrowserGoesIntoTheContentAreaWithTheDialogAsContext()
{
    CefWebWidget dialog(kUrl);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("浏览器"));
    QCOMPARE(dialog.size(), QSize(656, 525));
    QVERIFY(dialog.testAttribute(Qt::WA_DeleteOnClose));
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    dialog.setTitle(QStringLiteral("添加资讯"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("添加资讯"));

    const QList<QVariantMap> inserts = CefViewStubProbe::callsOf(QStringLiteral("insertOnlyWeb"));
    QCOMPARE(inserts.size(), 1);
    const QVariantMap call = inserts.first();
    QCOMPARE(call.value(QStringLiteral("url")).toString(), kUrl);
    QCOMPARE(call.value(QStringLiteral("holder")).value<QObject*>(), static_cast<QObject*>(dialog.contentArea()));
    QCOMPARE(call.value(QStringLiteral("slot")).value<quintptr>(), address(&dialog));
    QCOMPARE(call.value(QStringLiteral("context")).value<quintptr>(), address(&dialog));
    QVERIFY(dialog.handle());
    auto* browser = dialog.contentArea()->findChild<QLabel*>(QStringLiteral("CefViewStubBrowser"));
    QVERIFY(browser);
    QCOMPARE(browser->text(), kUrl);
}

void TestCefWebWidget::pageTextsComeOutAsBackJsUntilTheDialogCloses()
{
    QPointer<CefWebWidget> dialog = new CefWebWidget(kUrl);
    dialog->show();
    QSignalSpy back(dialog.data(), &CefWebWidget::backJs);
    const int browser = CefViewStubProbe::callsOf(QStringLiteral("insertOnlyWeb")).first().value(QStringLiteral("browser")).toInt();
    QVERIFY(CefViewStubProbe::post(browser, QStringLiteral("{\"type\":1,\"id\":\"8\"}")));
    QVERIFY(CefViewStubProbe::post(browser, QStringLiteral("success")));
    QCOMPARE(back.size(), 2);
    QCOMPARE(back.at(0).at(0).toString(), QStringLiteral("{\"type\":1,\"id\":\"8\"}"));
    QCOMPARE(back.at(1).at(0).toString(), QStringLiteral("success"));

    // Closed, not yet deleted: the page may still talk, nobody listens.
    dialog->close();
    QVERIFY(!dialog.isNull());
    QVERIFY(CefViewStubProbe::post(browser, QStringLiteral("success")));
    QCOMPARE(back.size(), 2);
    // Deleted: the library drops the text rather than call a context that is gone.
    QTRY_VERIFY(dialog.isNull());
    QVERIFY(!CefViewStubProbe::post(browser, QStringLiteral("success")));
}

void TestCefWebWidget::scriptsAndWindowsGoToTheLibrary()
{
    CefWebWidget dialog(kUrl);
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    QVERIFY(dialog.runJs(QStringLiteral("refresh('a&b')")));
    QVERIFY(CefViewLibrary::refreshWeb(dialog.handle(), kUrl));
    QVERIFY(!CefViewLibrary::runJs(nullptr, QStringLiteral("x")));
    QVERIFY(CefViewLibrary::loadUrl(kUrl, QStringLiteral("授权指引"), -1));

    const QList<QVariantMap> runs = CefViewStubProbe::callsOf(QStringLiteral("runJs"));
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs.first().value(QStringLiteral("script")).toString(), QStringLiteral("refresh('a&b')"));
    QCOMPARE(runs.first().value(QStringLiteral("browser")),
             CefViewStubProbe::callsOf(QStringLiteral("insertOnlyWeb")).first().value(QStringLiteral("browser")));
    QCOMPARE(CefViewStubProbe::callsOf(QStringLiteral("refreshWeb")).size(), 1);
    const QVariantMap options = CefViewStubProbe::callsOf(QStringLiteral("loadUrl")).first().value(QStringLiteral("options")).toMap();
    QCOMPARE(options.value(QStringLiteral("title")).toString(), QStringLiteral("授权指引"));
    QCOMPARE(options.value(QStringLiteral("width")).toInt(), -1);
}

void TestCefWebWidget::theRealLibraryWhereItsEngineCannotRunMakesNothing()
{
    // The engine would end the process on this window-less platform.
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    CefViewLibrary::setBaseName(QStringLiteral("kq_cefview"));
    QPointer<CefWebWidget> dialog = new CefWebWidget(kUrl);
    dialog->show();
    QVERIFY(!dialog->handle());
    QVERIFY(dialog->contentArea()->findChildren<QWidget*>().isEmpty());
    const int windows = QApplication::topLevelWidgets().size();
    QVERIFY(CefViewLibrary::loadUrl(kUrl, QStringLiteral("授权指引"), -1));
    QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    QVERIFY(AlertProbe::flushPending());
    QVERIFY(AlertProbe::visibleAlerts().isEmpty());
    dialog->close();
    QTRY_VERIFY(dialog.isNull());
}

QTEST_MAIN(TestCefWebWidget)
#include "tst_cefwebwidget.moc"
