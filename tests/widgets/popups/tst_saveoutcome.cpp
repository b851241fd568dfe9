#include "net/http/NetRequestObjecet.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/popups/AlertFlashWidget.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/CommonAddWidget.h"
#include "widgets/popups/SaveOutcome.h"

#include <QApplication>
#include <QJsonObject>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QList<AlertFlashWidget*> visibleToasts()
{
    QList<AlertFlashWidget*> toasts;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* toast = qobject_cast<AlertFlashWidget*>(widget); toast && toast->isVisible())
            toasts.append(toast);
    }
    return toasts;
}

// An address on this machine where nothing listens any more, as with a stopped service.
QString closedPortUrl()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    const quint16 port = server.serverPort();
    server.close();
    return QStringLiteral("http://127.0.0.1:%1/api/save").arg(port);
}

} // namespace

class TestSaveOutcome : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void failureSaysWhyOverTheEditorAndFreesTheButton_data();
    void failureSaysWhyOverTheEditorAndFreesTheButton();
    void successConfirms_data();
    void successConfirms();
    void refusalTheRequestAlreadyToldIsNotRepeated();
    void windowNameComesFromThePopupFrame();

private:
    // An editor with its save button in a window of its own, on screen.
    QWidget* m_window = nullptr;
    QWidget* m_editor = nullptr;
    QPushButton* m_button = nullptr;
    ScriptedHttpServer* m_server = nullptr;
};

void TestSaveOutcome::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
}

void TestSaveOutcome::init()
{
    m_server = new ScriptedHttpServer(this);
    QVERIFY(m_server->start());
    m_window = new QWidget;
    m_window->setGeometry(500, 120, 600, 480);
    m_editor = new QWidget(m_window);
    m_button = new QPushButton(QStringLiteral("保存"), m_editor);
    auto* layout = new QVBoxLayout(m_window);
    layout->addWidget(m_editor);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestSaveOutcome::cleanup()
{
    AlertProbe::closeAll();
    for (AlertFlashWidget* toast : visibleToasts())
        toast->close();
    delete m_window;
    m_window = nullptr;
    delete m_server;
    m_server = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestSaveOutcome::failureSaysWhyOverTheEditorAndFreesTheButton_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("expected");

    QTest::newRow("HTTP 500") << QStringLiteral("500") << QStringLiteral("保存失败：服务暂时不可用（500），请稍后重试");
    QTest::newRow("service stopped") << QStringLiteral("closed") << QStringLiteral("保存失败：无法连接到服务");
    QTest::newRow("service's own error") << QStringLiteral("envelope")
                                        << QStringLiteral("保存失败：服务暂时不可用，请稍后重试");
    QTest::newRow("not the service") << QStringLiteral("html") << QStringLiteral("保存失败：服务返回的数据无法识别");
}

void TestSaveOutcome::failureSaysWhyOverTheEditorAndFreesTheButton()
{
    QFETCH(QString, fault);
    QFETCH(QString, expected);

    QString url = m_server->url(QStringLiteral("/api/save"));
    ScriptedHttpServer::Reply reply;
    if (fault == QLatin1String("500")) {
        reply.status = 500;
        reply.body = "Internal Server Error";
    } else if (fault == QLatin1String("envelope")) {
        reply = ScriptedHttpServer::envelope(503, QStringLiteral("服务暂时不可用，请稍后重试"));
    } else if (fault == QLatin1String("html")) {
        reply = ScriptedHttpServer::contentReply("text/html", "<html>维护中</html>");
    } else {
        url = closedPortUrl();
    }
    reply.delayMs = 150;
    m_server->setReply(QStringLiteral("/api/save"), reply);

    auto* request = new NetRequestObjecet(m_editor);
    QSignalSpy finished(request, &NetRequestObjecet::loadFinish);
    request->sendRequest(url, "title=a");
    SaveOutcome::follow(request, m_editor, QStringLiteral("保存成功！"), m_button);
    QVERIFY(!m_button->isEnabled()); // no second save while the first is on its way

    AlertWidget* alert = AlertProbe::waitForAlert();
    QVERIFY(alert);
    QCOMPARE(AlertProbe::contentText(alert), expected);
    QCOMPARE(AlertProbe::titleText(alert), QStringLiteral("错误"));
    QVERIFY(AlertProbe::hasButton(alert, QStringLiteral("knowButton")));
    // Centred over the editor's window, not over some other window.
    QVERIFY((alert->frameGeometry().center() - m_window->frameGeometry().center()).manhattanLength() <= 2);
    QCOMPARE(finished.count(), 1);
    QVERIFY(m_button->isEnabled());
    QVERIFY(visibleToasts().isEmpty());

    QVERIFY(AlertProbe::clickButton(alert, QStringLiteral("knowButton")));
    QVERIFY(AlertProbe::flushPending());
    QVERIFY(AlertProbe::visibleAlerts().isEmpty()); // one alert per failure
}

void TestSaveOutcome::successConfirms_data()
{
    QTest::addColumn<int>("confirmation");
    QTest::addColumn<QString>("text");

    QTest::newRow("toast") << static_cast<int>(SaveOutcome::Confirmation::Toast) << QStringLiteral("添加专题成功！");
    QTest::newRow("tip") << static_cast<int>(SaveOutcome::Confirmation::Tip) << QStringLiteral("设置微官网设置成功！");
    QTest::newRow("choice saved on click") << static_cast<int>(SaveOutcome::Confirmation::Toast) << QString();
}

void TestSaveOutcome::successConfirms()
{
    QFETCH(int, confirmation);
    QFETCH(QString, text);

    ScriptedHttpServer::Reply reply = ScriptedHttpServer::envelope(200, QString(), QJsonObject{{QStringLiteral("id"), 7}});
    reply.delayMs = 100;
    m_server->setReply(QStringLiteral("/api/save"), reply);
    auto* request = new NetRequestObjecet(m_editor);
    QSignalSpy succeeded(request, &NetRequestObjecet::loadSuccess);
    request->sendRequest(m_server->url(QStringLiteral("/api/save")), "title=a");
    SaveOutcome::follow(request, m_editor, text, m_button, static_cast<SaveOutcome::Confirmation>(confirmation));
    QVERIFY(!m_button->isEnabled());
    QTRY_COMPARE(succeeded.count(), 1);
    QVERIFY(m_button->isEnabled());

    if (text.isEmpty()) {
        QVERIFY(AlertProbe::flushPending());
        QVERIFY(AlertProbe::visibleAlerts().isEmpty());
        QVERIFY(visibleToasts().isEmpty());
    } else if (confirmation == static_cast<int>(SaveOutcome::Confirmation::Tip)) {
        AlertWidget* alert = AlertProbe::waitForAlert();
        QVERIFY(alert);
        QCOMPARE(AlertProbe::titleText(alert), QStringLiteral("提示"));
        QCOMPARE(AlertProbe::contentText(alert), text);
        QVERIFY(visibleToasts().isEmpty());
    } else {
        QTRY_COMPARE(visibleToasts().size(), 1);
        AlertFlashWidget* toast = visibleToasts().constFirst();
        QCOMPARE(toast->text(), text);
        QVERIFY(toast->displayTime() > 0); // goes away by itself
        QVERIFY(AlertProbe::flushPending());
        QVERIFY(AlertProbe::visibleAlerts().isEmpty());
    }
}

void TestSaveOutcome::refusalTheRequestAlreadyToldIsNotRepeated()
{
    // A 405 with a message is the service's own warning, which the request object shows.
    m_server->setReply(QStringLiteral("/api/save"), ScriptedHttpServer::envelope(405, QStringLiteral("接口暂停服务")));
    auto* request = new NetRequestObjecet(m_editor);
    QSignalSpy finished(request, &NetRequestObjecet::loadFinish);
    request->sendRequest(m_server->url(QStringLiteral("/api/save")), "title=a");
    SaveOutcome::follow(request, m_editor, QStringLiteral("保存成功！"), m_button);
    QVERIFY(finished.wait());
    QVERIFY(m_button->isEnabled());

    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("接口暂停服务"));
    QVERIFY(AlertProbe::flushPending());
    QVERIFY(AlertProbe::visibleAlerts().isEmpty());
}

void TestSaveOutcome::windowNameComesFromThePopupFrame()
{
    QCOMPARE(SaveOutcome::windowNameOf(nullptr), QStringLiteral("main"));
    QCOMPARE(SaveOutcome::windowNameOf(m_editor), QStringLiteral("main"));

    CommonAddWidget frame(nullptr, QStringLiteral("customer"), false);
    auto* content = new QWidget;
    frame.setContent(content);
    QCOMPARE(SaveOutcome::windowNameOf(content), QStringLiteral("customer"));
}

QTEST_MAIN(TestSaveOutcome)
#include "tst_saveoutcome.moc"
