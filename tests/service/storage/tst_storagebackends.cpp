#include "app/ServiceContext.h"
#include "seed/DemoData.h"
#include "sessions/SessionStore.h"
#include "storage/core/DataTransfer.h"
#include "storage/core/FailureLog.h"
#include "storage/core/SchemaMigrations.h"
#include "storage/core/ServiceDatabase.h"
#include "support/service/ReferenceService.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <algorithm>
#include <cstdio>

#include <unistd.h>

namespace {

const int kProcessTimeoutMs = 120000;

QStringList rowTexts(const QList<QVariantMap>& rows)
{
    QStringList texts;
    for (const QVariantMap& row : rows)
        texts.append(QString::fromUtf8(QJsonDocument(QJsonObject::fromVariantMap(row)).toJson(QJsonDocument::Compact)));
    std::sort(texts.begin(), texts.end());
    return texts;
}

QList<int> versionsOf(ServiceDatabase& db)
{
    QList<int> versions;
    for (const QVariantMap& row : db.select(QStringLiteral("SELECT version FROM schema_version ORDER BY version")))
        versions.append(row.value(QStringLiteral("version")).toInt());
    return versions;
}

} // namespace

// The store on the backend under test (SQLite, or PostgreSQL in the "_pg" run): values as they were
// stored, transactions, the numbered schema steps, and moving an agency's data from the embedded
// SQLite file into a new database, through the service's own --export and --import.
class TestStorageBackends : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void valuesComeBackAsStored();
    void failedTransactionKeepsNothing();
    void secondOpenChangesNothing();
    void fileFromBeforeVersionsIsBroughtUpToDate();
    void freedIdsAreNotHandedOutAgain();
    void failuresArePrintedOncePerSecond();
    void exportAndImportCopyAnAgency();
    void badImportsStoreNothing_data();
    void badImportsStoreNothing();

private:
    // A new, empty database of the backend under test.
    QString freshDatabase();
    int runService(const QStringList& arguments);

    QTemporaryDir m_dir;
    QString m_seeded;
    int m_made = 0;
};

QString TestStorageBackends::freshDatabase()
{
    QString error;
    const QString locator =
        ReferenceService::newDatabase(QDir(m_dir.path()).filePath(QStringLiteral("db%1.sqlite").arg(++m_made)), &error);
    if (locator.isEmpty())
        qWarning("%s", qPrintable(error));
    return locator;
}

int TestStorageBackends::runService(const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(ReferenceService::serviceBinary(), arguments);
    if (!process.waitForFinished(kProcessTimeoutMs) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

void TestStorageBackends::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // The source of the moves is always the embedded file, as an agency's would be.
    m_seeded = QDir(m_dir.path()).filePath(QStringLiteral("seeded.sqlite"));
    ServiceDatabase db;
    QString error;
    QVERIFY2(db.open(m_seeded, &error), qPrintable(error));
    SessionStore sessions(db);
    ServiceContext context(db, sessions, QStringLiteral("http://127.0.0.1:1/"),
                           QDir(m_dir.path()).filePath(QStringLiteral("files")));
    QVERIFY(QDir().mkpath(context.filesDir()));
    QVERIFY2(DemoData::seed(context, &error), qPrintable(error));
}

void TestStorageBackends::valuesComeBackAsStored()
{
    ServiceDatabase db;
    QString error;
    QVERIFY2(db.open(freshDatabase(), &error), qPrintable(error));
    QVERIFY2(db.execute(QStringLiteral("CREATE TABLE probe(id INTEGER PRIMARY KEY, whole INTEGER NOT NULL, part REAL,"
                                       " words TEXT NOT NULL, roomNo TEXT NOT NULL DEFAULT '')")),
             qPrintable(db.lastError()));
    // Past what a double holds exactly; a null QString is a blank text, not NULL.
    const qint64 big = 9007199254740993LL;
    QCOMPARE(db.insert(QStringLiteral("probe"), {{QStringLiteral("whole"), big},
                                                 {QStringLiteral("part"), 2.5},
                                                 {QStringLiteral("words"), QString()},
                                                 {QStringLiteral("roomNo"), QStringLiteral("3-1")}}),
             qint64(1));
    QCOMPARE(db.insert(QStringLiteral("probe"), {{QStringLiteral("whole"), 5},
                                                 {QStringLiteral("part"), QVariant()},
                                                 {QStringLiteral("words"), QStringLiteral("Hello 'you'?")}}),
             qint64(2));

    const QList<QVariantMap> rows = db.select(QStringLiteral("SELECT * FROM probe ORDER BY id"));
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0).value(QStringLiteral("whole")).userType(), int(QMetaType::LongLong));
    QCOMPARE(rows.at(0).value(QStringLiteral("whole")).toLongLong(), big);
    QCOMPARE(rows.at(0).value(QStringLiteral("part")).toDouble(), 2.5);
    QCOMPARE(rows.at(0).value(QStringLiteral("words")), QVariant(QString()));
    QCOMPARE(rows.at(0).value(QStringLiteral("roomNo")).toString(), QStringLiteral("3-1"));
    QVERIFY(!rows.at(1).value(QStringLiteral("part")).isValid());
    QCOMPARE(rows.at(1).value(QStringLiteral("words")).toString(), QStringLiteral("Hello 'you'?"));

    // LIKE ignores case on both; a numbered mark names the same value twice; marks inside quotes
    // are text.
    QCOMPARE(db.selectOne(QStringLiteral("SELECT id FROM probe WHERE words LIKE ?"), {QStringLiteral("hello%")})
                 .value(QStringLiteral("id"))
                 .toLongLong(),
             qint64(2));
    QCOMPARE(db.selectOne(QStringLiteral("SELECT COUNT(*) AS n FROM probe WHERE roomNo = ?1 OR words = ?1"),
                          {QStringLiteral("3-1")})
                 .value(QStringLiteral("n"))
                 .toLongLong(),
             qint64(1));
    const QVariantMap quoted =
        db.selectOne(QStringLiteral("SELECT 'a?b' AS t, id FROM probe WHERE id = ?"), {2});
    QCOMPARE(quoted.value(QStringLiteral("t")).toString(), QStringLiteral("a?b"));
    QCOMPARE(quoted.value(QStringLiteral("id")).toLongLong(), qint64(2));
    // Sums of whole numbers stay whole and exact.
    const QVariant sum =
        db.selectOne(QStringLiteral("SELECT SUM(whole) AS total FROM probe")).value(QStringLiteral("total"));
    QCOMPARE(sum.userType(), int(QMetaType::LongLong));
    QCOMPARE(sum.toLongLong(), big + 5);

    QVERIFY(db.execute(QStringLiteral("UPDATE probe SET whole = whole + 1")));
    QCOMPARE(db.changes(), 2);
    QVERIFY(db.execute(QStringLiteral("DELETE FROM probe WHERE id = ?"), {99}));
    QCOMPARE(db.changes(), 0);
}

void TestStorageBackends::failedTransactionKeepsNothing()
{
    ServiceDatabase db;
    QString error;
    QVERIFY2(db.open(freshDatabase(), &error), qPrintable(error));
    QVERIFY(db.execute(QStringLiteral("CREATE TABLE probe(id INTEGER PRIMARY KEY, words TEXT NOT NULL)")));
    const bool committed = db.transaction([&db] {
        return db.insert(QStringLiteral("probe"), {{QStringLiteral("words"), QStringLiteral("first")}}) > 0
            && db.insert(QStringLiteral("probe"), {{QStringLiteral("words"), QVariant()}}) > 0;
    });
    QVERIFY(!committed);
    QVERIFY(!db.lastError().isEmpty());
    QCOMPARE(db.selectOne(QStringLiteral("SELECT COUNT(*) AS n FROM probe")).value(QStringLiteral("n")).toLongLong(),
             qint64(0));
    // The connection goes on working after the failure.
    QVERIFY(db.insert(QStringLiteral("probe"), {{QStringLiteral("words"), QStringLiteral("again")}}) > 0);
}

void TestStorageBackends::secondOpenChangesNothing()
{
    const QString locator = freshDatabase();
    ServiceDatabase first;
    QString error;
    QVERIFY2(first.open(locator, &error), qPrintable(error));
    QList<int> expected;
    for (int version = 1; version <= SchemaMigrations::latestVersion(); ++version)
        expected.append(version);
    QCOMPARE(versionsOf(first), expected);
    const QStringList before = rowTexts(first.select(QStringLiteral("SELECT * FROM schema_version")));
    const QStringList tables = first.tableNames();

    // A second instance starting against the migrated database, while the first is open.
    ServiceDatabase second;
    QVERIFY2(second.open(locator, &error), qPrintable(error));
    QCOMPARE(rowTexts(second.select(QStringLiteral("SELECT * FROM schema_version"))), before);
    QCOMPARE(second.tableNames(), tables);
    QCOMPARE(SchemaMigrations::currentVersion(second), SchemaMigrations::latestVersion());
}

void TestStorageBackends::fileFromBeforeVersionsIsBroughtUpToDate()
{
    if (ReferenceService::backend() != QLatin1String("sqlite"))
        QSKIP("Files made before versions were kept are SQLite files.");
    const QString file = freshDatabase();
    {
        // What a file of the first release looks like: the first schema, no versions, no
        // shared login counts.
        ServiceDatabase db;
        QString error;
        QVERIFY2(db.open(file, &error), qPrintable(error));
        QVERIFY(db.execute(QStringLiteral("DROP TABLE schema_version")));
        QVERIFY(db.execute(QStringLiteral("DROP TABLE login_failures")));
        QVERIFY(db.execute(QStringLiteral("ALTER TABLE sessions DROP COLUMN created_ms")));
        QVERIFY(db.execute(QStringLiteral("INSERT INTO meta(key, value) VALUES('kept', 'yes')")));
    }
    ServiceDatabase db;
    QString error;
    QVERIFY2(db.open(file, &error), qPrintable(error));
    QCOMPARE(SchemaMigrations::currentVersion(db), SchemaMigrations::latestVersion());
    QVERIFY(db.columnNames(QStringLiteral("sessions")).contains(QStringLiteral("created_ms")));
    QVERIFY(db.tableNames().contains(QStringLiteral("login_failures")));
    QCOMPARE(db.selectOne(QStringLiteral("SELECT value FROM meta WHERE key = 'kept'")).value(QStringLiteral("value")),
             QVariant(QStringLiteral("yes")));
}

// Also in a database whose tables were made before ids were kept from coming back: the schema
// step keeps every row and the order of the tables, which an export follows.
void TestStorageBackends::freedIdsAreNotHandedOutAgain()
{
    const bool sqlite = ReferenceService::backend() == QLatin1String("sqlite");
    const QString locator = freshDatabase();
    const QString topic = QStringLiteral("INSERT INTO site_topics(company_id, title, img, houseid, time)"
                                         " VALUES('10001', ?, 'http://x.cn/a.jpg', '[]', '2024-01-01 10:00')");
    QStringList tables;
    {
        ServiceDatabase db;
        QString error;
        QVERIFY2(db.open(locator, &error), qPrintable(error));
        if (sqlite) {
            // The topics' table as the step before made it: ids without AUTOINCREMENT.
            const QString made = db.selectOne(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'site_topics'"))
                                     .value(QStringLiteral("sql"))
                                     .toString();
            QVERIFY(made.contains(QLatin1String(" AUTOINCREMENT")));
            QVERIFY(db.execute(QStringLiteral("DROP TABLE site_topics")));
            QVERIFY(db.execute(QString(made).remove(QStringLiteral(" AUTOINCREMENT"))));
        }
        QVERIFY(db.execute(QStringLiteral("DELETE FROM schema_version WHERE version = 3")));
        QVERIFY(db.execute(QStringLiteral("INSERT INTO cities(id, name) VALUES('1', '成都')")));
        QVERIFY(db.execute(QStringLiteral("INSERT INTO companies(id, city_id, name) VALUES('10001', '1', '安居地产')")));
        for (const char* title : {"一", "二", "三"})
            QVERIFY2(db.execute(topic, {QString::fromUtf8(title)}), qPrintable(db.lastError()));
        tables = db.tableNames();
    }
    ServiceDatabase db;
    QString error;
    QVERIFY2(db.open(locator, &error), qPrintable(error));
    QCOMPARE(SchemaMigrations::currentVersion(db), SchemaMigrations::latestVersion());
    QCOMPARE(db.tableNames(), tables);
    const auto titles = [&db] {
        QStringList list;
        for (const QVariantMap& row : db.select(QStringLiteral("SELECT title FROM site_topics ORDER BY id")))
            list.append(row.value(QStringLiteral("title")).toString());
        return list;
    };
    QCOMPARE(titles(), (QStringList{QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三")}));
    if (sqlite) {
        QCOMPARE(db.selectOne(QStringLiteral("SELECT COUNT(*) AS n FROM sqlite_master WHERE type = 'table'"
                                             " AND sql LIKE '%id INTEGER PRIMARY KEY,%'"))
                     .value(QStringLiteral("n"))
                     .toInt(),
                 0);
    }

    const qint64 last = db.selectOne(QStringLiteral("SELECT MAX(id) AS id FROM site_topics")).value(QStringLiteral("id")).toLongLong();
    QVERIFY(db.execute(QStringLiteral("DELETE FROM site_topics WHERE id = ?"), {last}));
    QVERIFY(db.execute(topic, {QStringLiteral("四")}));
    QCOMPARE(db.lastInsertId(), last + 1);
    QCOMPARE(titles(), (QStringList{QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("四")}));
}

// An outage fails every statement of every thread: each kind of failure is printed once a
// second at most, and then says how many like it were held back.
void TestStorageBackends::failuresArePrintedOncePerSecond()
{
    QTemporaryFile capture;
    QVERIFY(capture.open());
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    QVERIFY(saved >= 0);
    QVERIFY(dup2(capture.handle(), STDERR_FILENO) >= 0);
    for (int i = 0; i < 1000; ++i)
        FailureLog::report(QStringLiteral("statement failed: probe outage"), QStringLiteral("in: SELECT %1").arg(i));
    FailureLog::report(QStringLiteral("statement failed: another probe"));
    QTest::qWait(static_cast<int>(FailureLog::kQuietMs) + 100);
    FailureLog::report(QStringLiteral("statement failed: probe outage"));
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);

    capture.seek(0);
    const QStringList lines = QString::fromUtf8(capture.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.filter(QStringLiteral("probe outage")).size(), 2);
    QVERIFY2(lines.filter(QStringLiteral("probe outage")).last().contains(QStringLiteral("(999 more like it")),
             qPrintable(lines.join(QLatin1Char('\n'))));
    QCOMPARE(lines.filter(QStringLiteral("another probe")).size(), 1);
    QCOMPARE(lines.filter(QStringLiteral("in: SELECT")), QStringList{QStringLiteral("  in: SELECT 0")});
}

void TestStorageBackends::exportAndImportCopyAnAgency()
{
    const QString file = QDir(m_dir.path()).filePath(QStringLiteral("agency.json"));
    QCOMPARE(runService({QStringLiteral("--db"), m_seeded, QStringLiteral("--export"), file}), 0);
    const QString target = freshDatabase();
    const QStringList importArguments{QStringLiteral("--db"), target, QStringLiteral("--files"),
                                      QDir(m_dir.path()).filePath(QStringLiteral("files")), QStringLiteral("--import"),
                                      file};
    QCOMPARE(runService(importArguments), 0);

    ServiceDatabase source;
    ServiceDatabase copy;
    QString error;
    QVERIFY2(source.open(m_seeded, &error), qPrintable(error));
    QVERIFY2(copy.open(target, &error), qPrintable(error));
    int tablesWithRows = 0;
    for (const QString& table : source.tableNames()) {
        if (table == QLatin1String("schema_version"))
            continue;
        const QString all = QStringLiteral("SELECT * FROM ") + table;
        const QStringList rows = rowTexts(source.select(all));
        QCOMPARE(rowTexts(copy.select(all)), rows);
        if (!rows.isEmpty())
            ++tablesWithRows;
    }
    QVERIFY(tablesWithRows > 20);

    // New rows number on after the copied ones.
    const qint64 highest =
        copy.selectOne(QStringLiteral("SELECT MAX(id) AS id FROM carousel_ads")).value(QStringLiteral("id")).toLongLong();
    QVERIFY(highest > 0);
    QVERIFY(copy.insert(QStringLiteral("carousel_ads"), {{QStringLiteral("company_id"), QStringLiteral("10001")},
                                                         {QStringLiteral("photo"), QStringLiteral("http://x/1.png")}})
            > highest);

    // A second import into the now full database is refused and changes nothing.
    const QString countAds = QStringLiteral("SELECT COUNT(*) AS n FROM carousel_ads");
    const qint64 ads = copy.selectOne(countAds).value(QStringLiteral("n")).toLongLong();
    QCOMPARE(runService(importArguments), 1);
    QCOMPARE(copy.selectOne(countAds).value(QStringLiteral("n")).toLongLong(), ads);
}

void TestStorageBackends::badImportsStoreNothing_data()
{
    QTest::addColumn<QByteArray>("tables");

    // Each file starts with a good table, so a later refusal must take that one back too.
    const QByteArray city = R"({"name":"cities","columns":["id","name"],"rows":[["028","成都"]]})";
    QTest::newRow("unknown table") << city + R"(,{"name":"nope","columns":["id"],"rows":[[1]]})";
    QTest::newRow("unknown column")
        << city + R"(,{"name":"companies","columns":["id","name\"; DROP TABLE users; --"],"rows":[["1","x"]]})";
    QTest::newRow("row too short")
        << city + R"(,{"name":"companies","columns":["id","city_id","name"],"rows":[["1","028"]]})";
    QTest::newRow("reference to nothing")
        << city + R"(,{"name":"companies","columns":["id","city_id","name"],"rows":[["1","999","x"]]})";
    QTest::newRow("versions of the schema")
        << city + R"(,{"name":"schema_version","columns":["version","applied_at"],"rows":[[99,0]]})";
}

void TestStorageBackends::badImportsStoreNothing()
{
    QFETCH(QByteArray, tables);
    const QString file = QDir(m_dir.path()).filePath(QStringLiteral("bad.json"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(R"({"format":"kq_service data","schema":1,"tables":[)" + tables + "]}");
    out.close();

    ServiceDatabase db;
    QString error;
    QVERIFY2(db.open(freshDatabase(), &error), qPrintable(error));
    QVERIFY(!DataTransfer::importFrom(db, file, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(db.selectOne(QStringLiteral("SELECT COUNT(*) AS n FROM cities")).value(QStringLiteral("n")).toLongLong(),
             qint64(0));
    QVERIFY(db.tableNames().contains(QStringLiteral("users")));
    QCOMPARE(SchemaMigrations::currentVersion(db), SchemaMigrations::latestVersion());
}

QTEST_GUILESS_MAIN(TestStorageBackends)
#include "tst_storagebackends.moc"
