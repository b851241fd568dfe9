#include "net/http/Endpoints.h"
#include "net/http/ServiceAddresses.h"

#include <QtTest>

class TestServiceAddresses : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanupTestCase();
    void defaultsToLocalService();
    void basesAndEndpointsFollowEnvironment();
    void fileHosts_data();
    void fileHosts();

private:
    static void clearEnvironment();
};

void TestServiceAddresses::clearEnvironment()
{
    for (const char* name : {"MICROSITE_API_BASE", "MICROSITE_SITE_BASE", "MICROSITE_OFFICE_BASE",
                             "MICROSITE_HELP_BASE", "MICROSITE_SECURE_BASE", "MICROSITE_FILE_HOSTS"})
        qunsetenv(name);
}

void TestServiceAddresses::init()
{
    clearEnvironment();
    ServiceAddresses::reload();
}

void TestServiceAddresses::cleanupTestCase()
{
    clearEnvironment();
}

void TestServiceAddresses::defaultsToLocalService()
{
    QCOMPARE(ServiceAddresses::apiBase(), QStringLiteral("http://127.0.0.1:8765/api/"));
    QCOMPARE(ServiceAddresses::siteBase(), QStringLiteral("http://127.0.0.1:8765/site/"));
    QCOMPARE(ServiceAddresses::officeBase(), QStringLiteral("http://127.0.0.1:8765/office/"));
    QCOMPARE(ServiceAddresses::helpBase(), QStringLiteral("http://127.0.0.1:8765/help/"));
    QCOMPARE(ServiceAddresses::secureBase(), QStringLiteral("http://127.0.0.1:8765/secure/"));
    QCOMPARE(Api::appUpphoto(), QStringLiteral("http://127.0.0.1:8765/api/app/upphoto"));
    QCOMPARE(Api::mtoreMshouseposts(), QStringLiteral("http://127.0.0.1:8765/api/mtore/mshouseposts"));
    QVERIFY(Api::emptyUrl().isEmpty());
}

void TestServiceAddresses::basesAndEndpointsFollowEnvironment()
{
    // Before the reload, an endpoint already handed out keeps its address.
    const QString& appposts = Api::mtoreAppposts();
    qputenv("MICROSITE_API_BASE", "http://api.example.test:9000/v1"); // no trailing "/"
    qputenv("MICROSITE_SITE_BASE", "https://site.example.test/");
    qputenv("MICROSITE_OFFICE_BASE", "http://office.example.test/");
    qputenv("MICROSITE_HELP_BASE", "http://help.example.test/h/");
    qputenv("MICROSITE_SECURE_BASE", "https://secure.example.test/");
    QCOMPARE(appposts, QStringLiteral("http://127.0.0.1:8765/api/mtore/appposts"));

    ServiceAddresses::reload();
    QCOMPARE(ServiceAddresses::apiBase(), QStringLiteral("http://api.example.test:9000/v1/"));
    // One endpoint of every host, with paths of each shape (mixed case, "_", several levels).
    QCOMPARE(Api::mtoreAppposts(), QStringLiteral("http://api.example.test:9000/v1/mtore/appposts"));
    QCOMPARE(Api::mtoreCustomAppmodify(), QStringLiteral("http://api.example.test:9000/v1/mtore/CustomAppmodify"));
    QCOMPARE(Api::upgradeBrenvikCurrentVersiont(),
             QStringLiteral("http://api.example.test:9000/v1/upgrade/Brenvik_CurrentVersiont"));
    QCOMPARE(Api::appUpphoto(), QStringLiteral("http://api.example.test:9000/v1/app/upphoto"));
    QCOMPARE(Api::baikeListRemove(), QStringLiteral("https://site.example.test/baike_list_remove"));
    QCOMPARE(Api::softzixun(), QStringLiteral("https://site.example.test/softzixun"));
    QCOMPARE(Api::ompDeptLwpSub(), QStringLiteral("http://office.example.test/omp/dept/lwpSub"));
    QCOMPARE(Api::operationLogCreatelog(), QStringLiteral("http://office.example.test/OperationLog/createlog"));
    QCOMPARE(Api::apiv301ArCheckApplyRecordCtrIsCanCheck(),
             QStringLiteral("http://help.example.test/h/apiv3_0_1/ArCheckApplyRecordCtr/isCanCheck"));
    QCOMPARE(Api::blackCityList(), QStringLiteral("https://secure.example.test/black/cityList"));
    QVERIFY(Api::emptyUrl().isEmpty());
    // The reference held from before now reads the new address too.
    QCOMPARE(appposts, Api::mtoreAppposts());
}

void TestServiceAddresses::fileHosts_data()
{
    QTest::addColumn<QByteArray>("apiBase");
    QTest::addColumn<QByteArray>("extraHosts");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("onService");

    const QByteArray local = "http://127.0.0.1:8765/api/";
    QTest::newRow("service file address") << local << QByteArray() << QStringLiteral("http://127.0.0.1:8765/files/a.jpg") << true;
    QTest::newRow("host without scheme") << local << QByteArray() << QStringLiteral("127.0.0.1:8765/files/a.jpg") << true;
    QTest::newRow("other port") << local << QByteArray() << QStringLiteral("http://127.0.0.1:9999/files/a.jpg") << false;
    QTest::newRow("local file") << local << QByteArray() << QStringLiteral("/home/user/photo.jpg") << false;
    QTest::newRow("listed host") << local << QByteArray("img.example.test, files.example.test")
                                 << QStringLiteral("files.example.test/x/y.png") << true;
    QTest::newRow("case-sensitive") << local << QByteArray("img.example.test")
                                    << QStringLiteral("http://IMG.EXAMPLE.TEST/y.png") << false;
    QTest::newRow("api base without port") << QByteArray("https://api.example.test/") << QByteArray()
                                           << QStringLiteral("https://api.example.test/files/1.jpg") << true;
    QTest::newRow("empty names ignored") << local << QByteArray(" , ,") << QStringLiteral("anything") << false;
}

void TestServiceAddresses::fileHosts()
{
    QFETCH(QByteArray, apiBase);
    QFETCH(QByteArray, extraHosts);
    QFETCH(QString, text);
    QFETCH(bool, onService);

    qputenv("MICROSITE_API_BASE", apiBase);
    qputenv("MICROSITE_FILE_HOSTS", extraHosts);
    ServiceAddresses::reload();
    QCOMPARE(ServiceAddresses::containsFileHost(text), onService);
}

QTEST_APPLESS_MAIN(TestServiceAddresses)
#include "tst_serviceaddresses.moc"
