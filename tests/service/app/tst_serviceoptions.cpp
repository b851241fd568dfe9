#include "app/ServiceOptions.h"

#include <QDir>
#include <QTest>

// What the command line gives the service: the store (a file made absolute, a PostgreSQL address
// kept as written), where uploads go, and the address handed out behind a load balancer.
class TestServiceOptions : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
};

void TestServiceOptions::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("filesDir");
    QTest::addColumn<QString>("publicUrl");

    const QString here = QDir::currentPath();
    const QString pg = QStringLiteral("postgresql://kq@db.example:5432/agency");
    QTest::newRow("sqlite file") << QStringList{QStringLiteral("--db"), QStringLiteral("/data/a.sqlite")} << true
                                 << QStringLiteral("/data/a.sqlite") << QStringLiteral("/data/files") << QString();
    QTest::newRow("postgresql, files given")
        << QStringList{QStringLiteral("--db"), pg, QStringLiteral("--files"), QStringLiteral("/shared/files")} << true
        << pg << QStringLiteral("/shared/files") << QString();
    QTest::newRow("postgresql, files in the current folder")
        << QStringList{QStringLiteral("--db"), pg} << true << pg << here + QStringLiteral("/files") << QString();
    QTest::newRow("balancer without slash")
        << QStringList{QStringLiteral("--db"), pg, QStringLiteral("--public-url"),
                       QStringLiteral("http://lb.example:8080")}
        << true << pg << here + QStringLiteral("/files") << QStringLiteral("http://lb.example:8080/");
    QTest::newRow("balancer, not http")
        << QStringList{QStringLiteral("--public-url"), QStringLiteral("ftp://lb.example/")} << false << QString()
        << QString() << QString();
    QTest::newRow("balancer with a query")
        << QStringList{QStringLiteral("--public-url"), QStringLiteral("http://lb.example/?a=1")} << false << QString()
        << QString() << QString();
    QTest::newRow("export and import at once")
        << QStringList{QStringLiteral("--export"), QStringLiteral("a.json"), QStringLiteral("--import"),
                       QStringLiteral("b.json")}
        << false << QString() << QString() << QString();
}

void TestServiceOptions::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, ok);

    ServiceOptions options;
    QString error;
    QCOMPARE(options.parse(QStringList{QStringLiteral("kq_service")} + arguments, &error), ok);
    if (!ok) {
        QVERIFY(!error.isEmpty());
        return;
    }
    QTEST(options.database, "database");
    QTEST(options.filesDir, "filesDir");
    QTEST(options.publicUrl, "publicUrl");
}

QTEST_GUILESS_MAIN(TestServiceOptions)
#include "tst_serviceoptions.moc"
