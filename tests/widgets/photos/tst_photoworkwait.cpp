#include "net/http/ServiceAddresses.h"
#include "net/pictures/PhotoWork.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/service/TestImages.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/InputProbe.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/photos/PhotoWorkWait.h"
#include "widgets/popups/AlertWidget.h"

#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

class TestPhotoWorkWait : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void aFailedUploadIsOneAlertNamingThePhotoWithTheReason_data();
    void aFailedUploadIsOneAlertNamingThePhotoWithTheReason();

private:
    QString writeJpeg(const QString& name);

    QTemporaryDir m_dir;
    ScriptedHttpServer m_server;
    quint16 m_port = 0;
};

void TestPhotoWorkWait::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
    QVERIFY(m_dir.isValid());
    QVERIFY(m_server.start());
    m_server.useAsApiBase();
    m_port = m_server.serverPort();
}

void TestPhotoWorkWait::cleanup()
{
    AlertProbe::closeAll();
    if (!m_server.isListening())
        QVERIFY(m_server.listen(QHostAddress::LocalHost, m_port));
}

QString TestPhotoWorkWait::writeJpeg(const QString& name)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(TestImages::encode(TestImages::filled(QSize(64, 48), Qt::darkCyan), "JPEG", 80));
    return path;
}

void TestPhotoWorkWait::aFailedUploadIsOneAlertNamingThePhotoWithTheReason_data()
{
    QTest::addColumn<bool>("stopped");
    QTest::addColumn<QString>("message");
    QTest::newRow("answered 500") << false << QStringLiteral("第2张图片上传失败：服务暂时不可用（500），请稍后重试");
    QTest::newRow("service stopped") << true << QStringLiteral("第1张图片上传失败：无法连接到服务");
}

void TestPhotoWorkWait::aFailedUploadIsOneAlertNamingThePhotoWithTheReason()
{
    QFETCH(bool, stopped);
    QFETCH(QString, message);
    m_server.setResponder(QStringLiteral("/api/app/upphoto"), [](const ScriptedHttpServer::Request& request) {
        if (!request.body.contains("filename=\"second.jpg\""))
            return ScriptedHttpServer::envelope(200, QStringLiteral("http://h/ok.jpg"));
        ScriptedHttpServer::Reply failure;
        failure.status = 500;
        failure.body = "Internal Server Error";
        return failure;
    });
    const QString uploadUrl = ServiceAddresses::uploadUrl();
    if (stopped)
        m_server.close();

    QWidget editor;
    auto* edit = new QLineEdit(&editor);
    auto* layout = new QVBoxLayout(&editor);
    layout->addWidget(edit);
    editor.resize(500, 400);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    InputProbe::commitText(edit, QStringLiteral("刚输入的标题"));

    PhotoWork work;
    PhotoWorkWait wait(&editor);
    wait.follow(&work);
    QSignalSpy uploaded(&work, &PhotoWork::uploaded);
    wait.show(QStringLiteral("上传中"));
    work.upload(uploadUrl, {writeJpeg(QStringLiteral("first.jpg")), writeJpeg(QStringLiteral("second.jpg"))}, {});

    AlertWidget* alert = AlertProbe::waitForAlert(10000);
    QVERIFY(alert);
    QCOMPARE(AlertProbe::contentText(alert), message);
    // Over the editor's window, with the wait gone and the form as typed.
    QVERIFY((alert->frameGeometry().center() - editor.frameGeometry().center()).manhattanLength() <= 2);
    QVERIFY(!wait.indicator());
    QCOMPARE(edit->text(), QStringLiteral("刚输入的标题"));
    QCOMPARE(uploaded.count(), 0);
    QVERIFY(AlertProbe::clickButton(alert, QStringLiteral("knowButton")));
    QVERIFY(AlertProbe::flushPending());
    QVERIFY(AlertProbe::visibleAlerts().isEmpty());
}

QTEST_MAIN(TestPhotoWorkWait)
#include "tst_photoworkwait.moc"
