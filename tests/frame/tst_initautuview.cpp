#include "frame/MicroWebsiteModule.h"
#include "settings/permissions/PermissionMicroWebSiteWidget.h"
#include "support/ui/HostWindowFixture.h"
#include "support/ui/ModuleTestEnvironment.h"

#include "CustomTabWidget.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibrary>
#include <QStackedWidget>
#include <QtTest>

#include <memory>

namespace {

// What the host's callback received, in order.
struct Received
{
    QStringList texts;
};

void record(QString json, void* context)
{
    static_cast<Received*>(context)->texts.append(json);
}

QVariantMap right(int id, bool selected)
{
    return {{QStringLiteral("id"), id}, {QStringLiteral("selected"), selected}, {QStringLiteral("range"), 0},
            {QStringLiteral("bumens"), QStringLiteral("[]")}};
}

void click(QCheckBox* box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

using InitAutuView = void (*)(QWidget*, QStackedWidget*, PermissionMicroWebSiteWidget**, QVariantList,
                              void (*)(QString, void*), void*);

} // namespace

class TestInitAutuView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ModuleTestEnvironment::prepareWidgetTests();
    }

    void init()
    {
        m_host = std::make_unique<HostWindowFixture>();
        // The host's own role editor: a stack in one of its tabs, already holding a page of its own.
        m_stack = new QStackedWidget;
        m_stack->addWidget(new QWidget);
        m_host->tabs()->addTabWidget(QStringLiteral("角色设置"), m_stack);
        m_page = nullptr;
    }

    void cleanup()
    {
        m_host.reset();
    }

    void buildsThePageOnceAndReusesIt()
    {
        Received received;
        MicroWebsiteModule::initAutuView(m_stack, m_stack, &m_page, {right(65, true), right(70, true)}, &record,
                                         &received);
        QVERIFY(m_page);
        QCOMPARE(m_stack->count(), 2);
        QCOMPARE(m_stack->currentWidget(), m_page);
        QVERIFY(m_page->checkBox(65)->isChecked());
        QVERIFY(received.texts.isEmpty());

        // The host shows something else in between, then asks for the page again with another role.
        m_stack->setCurrentIndex(0);
        PermissionMicroWebSiteWidget* first = m_page;
        MicroWebsiteModule::initAutuView(m_stack, m_stack, &m_page, {right(97, true)}, &record, &received);
        QCOMPARE(m_page, first);
        QCOMPARE(m_stack->count(), 2);
        QCOMPARE(m_stack->currentWidget(), m_page);
        QVERIFY(!m_page->checkBox(65)->isChecked());
        QVERIFY(m_page->checkBox(97)->isChecked());
        QVERIFY(received.texts.isEmpty());
    }

    void callbackReceivesCompactJson()
    {
        Received received;
        MicroWebsiteModule::initAutuView(m_stack, m_stack, &m_page, {right(65, true)}, &record, &received);
        click(m_page->checkBox(148));
        QCOMPARE(received.texts.size(), 1);
        const QString text = received.texts.first();
        QVERIFY2(!text.contains(QLatin1Char(' ')) && !text.contains(QLatin1Char('\n')), qPrintable(text));
        const QJsonArray items = QJsonDocument::fromJson(text.toUtf8()).array();
        QCOMPARE(items.size(), 14);
        QCOMPARE(items.at(0).toObject(), QJsonObject::fromVariantMap(right(65, true)));
        // Every item goes complete, the untouched ones as not granted, so the host can store them.
        QCOMPARE(items.at(12).toObject(), QJsonObject::fromVariantMap(right(148, true)));
        QCOMPARE(items.at(5).toObject(), QJsonObject::fromVariantMap(right(70, false)));
    }

    void withoutCallbackOrSlot()
    {
        MicroWebsiteModule::initAutuView(m_stack, m_stack, &m_page, {right(65, true)}, nullptr, nullptr);
        QVERIFY(m_page);
        click(m_page->checkBox(65));
        QVERIFY(!m_page->checkBox(65)->isChecked());

        // No slot to keep a page in: nothing is built.
        const int pages = m_stack->count();
        MicroWebsiteModule::initAutuView(m_stack, m_stack, nullptr, {}, &record, nullptr);
        QCOMPARE(m_stack->count(), pages);
    }

    void pluginExportsIt()
    {
        QLibrary plugin(QStringLiteral(KQ_BIN_DIR "/kq_microwebsite"));
        QVERIFY2(plugin.load(), qPrintable(plugin.errorString()));
        auto initAutuView = reinterpret_cast<InitAutuView>(plugin.resolve("initAutuView"));
        QVERIFY(initAutuView);
    }

private:
    std::unique_ptr<HostWindowFixture> m_host;
    QStackedWidget* m_stack = nullptr;
    PermissionMicroWebSiteWidget* m_page = nullptr;
};

QTEST_MAIN(TestInitAutuView)
#include "tst_initautuview.moc"
