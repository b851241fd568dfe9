#include "content/news/MicroWebsiteNewsListItemView.h"
#include "content/news/MicroWebsiteNewsListWidget.h"
#include "support/service/EngineTestMain.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/CardPageFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/web/CefWebWidget.h"

#include "DataCenter.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

const QString kManager = QStringLiteral("13800000000");
const int kEngineTimeoutMs = 60000;

// Answers "ready" through the page's bridge once the page's form is there.
const QString kReadyProbe = QStringLiteral(
    "if (document.getElementById('%1') && window.sendToDesktop) { window.sendToDesktop('ready'); }");

} // namespace

// The news list with the real browser library and the service's own web pages: what a user does
// under scripts/run.
class TestNewsWeb : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void anArticleAddedInItsWebPageShowsInTheListOnceTheDialogCloses();

private:
    // Asks the page until it answers "ready"; false after the timeout.
    static bool waitUntilReady(CefWebWidget* dialog, QSignalSpy& back, const QString& formId);

    std::unique_ptr<CardPageFixture> m_pages;
};

void TestNewsWeb::initTestCase()
{
    KQ_SKIP_WITHOUT_ENGINE();
    ModuleTestEnvironment::prepareWidgetTests();
}

void TestNewsWeb::cleanup()
{
    AlertProbe::closeAll();
    m_pages.reset();
}

bool TestNewsWeb::waitUntilReady(CefWebWidget* dialog, QSignalSpy& back, const QString& formId)
{
    return QTest::qWaitFor(
        [&] {
            if (!dialog)
                return false;
            dialog->runJs(kReadyProbe.arg(formId));
            QTest::qWait(200);
            for (const QList<QVariant>& message : back) {
                if (message.value(0).toString() == QLatin1String("ready"))
                    return true;
            }
            return false;
        },
        kEngineTimeoutMs);
}

void TestNewsWeb::anArticleAddedInItsWebPageShowsInTheListOnceTheDialogCloses()
{
    m_pages = std::make_unique<CardPageFixture>();
    QVERIFY(m_pages->startService(kManager));
    // The host's login cookie, which its browser carries to the site's pages.
    DataCenter::CookieVar = QStringLiteral("sessionid=%1; token=%2")
                                .arg(DataCenter::HttpHeadMap.value(QStringLiteral("sessionid")).toString(),
                                     DataCenter::HttpHeadMap.value(QStringLiteral("token")).toString());
    auto* list = m_pages->open<MicroWebsiteNewsListWidget>(QStringLiteral("资讯"), &NewsTwinListWidget::listShown);
    QVERIFY(list);
    QCOMPARE(list->rows().size(), 10);

    QTest::mouseClick(list->addButton(), Qt::LeftButton);
    QPointer<CefWebWidget> dialog = list->webDialog();
    QVERIFY(dialog);
    QVERIFY(dialog->handle());
    QSignalSpy back(dialog.data(), &CefWebWidget::backJs);
    QVERIFY2(waitUntilReady(dialog, back, QStringLiteral("articleForm")), "the add page did not open");

    const QString title = QStringLiteral("学区房 & 地铁房：怎么选？ 100%");
    dialog->runJs(QStringLiteral("var f = document.getElementById('articleForm');"
                                 "f.elements.namedItem('title').value = '%1';"
                                 "f.elements.namedItem('cate_id').value = '3';"
                                 "f.elements.namedItem('content').value = '先看通勤，再看学位。';"
                                 "document.getElementById('saveButton').click();")
                      .arg(title));
    QTRY_VERIFY_WITH_TIMEOUT(dialog.isNull(), kEngineTimeoutMs);
    QVERIFY(m_pages->waitForList());
    const QVariantMap first = list->rows().first()->row();
    QCOMPARE(first.value(QStringLiteral("title")).toString(), title);
    QCOMPARE(first.value(QStringLiteral("cate_alias")).toString(), QStringLiteral("购房指南"));
    QCOMPARE(list->rows().size(), 10);
}

KQ_ENGINE_TEST_MAIN(TestNewsWeb)

#include "tst_newsweb.moc"
