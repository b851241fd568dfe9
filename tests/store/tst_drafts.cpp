#include "store/DraftStore.h"
#include "support/ui/LocalStoreFixture.h"
#include "support/ui/ModuleTestEnvironment.h"

#include "DataCenter.h"
#include "LocalDatabase.h"

#include <QApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <sys/types.h>

namespace {

const char kWriterVariable[] = "KQ_DRAFT_WRITER";
const QString kPhone = QStringLiteral("13800000077");
const QString kCompany = QStringLiteral("10001");
// Large enough that a write takes a while, so kills land inside one.
constexpr int kTextLength = 400000;

QJsonObject numberedFields(int n)
{
    return {{QStringLiteral("n"), n},
            {QStringLiteral("text"), QString(kTextLength, QChar(QLatin1Char('a').unicode() + n % 26))},
            {QStringLiteral("end"), QStringLiteral("end")}};
}

bool isWhole(const QJsonObject& fields)
{
    const int n = fields.value(QStringLiteral("n")).toInt(-1);
    return n >= 0 && fields == numberedFields(n);
}

void logIn(const QString& phone, const QString& company)
{
    DataCenter::UserPhoneNumber = phone;
    DataCenter::CompanyID = company;
}

// The child: writes ever newer drafts of one record until it is killed, saying each one it wrote.
int writeUntilKilled()
{
    logIn(kPhone, kCompany);
    DraftStore store;
    for (int n = 1;; ++n) {
        if (!store.write(QStringLiteral("job"), QStringLiteral("new"), numberedFields(n)))
            return 2;
        std::printf("%d\n", n);
        std::fflush(stdout);
    }
}

} // namespace

class TestDrafts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ModuleTestEnvironment::prepare();
    }

    void init()
    {
        DataCenter::reset();
        logIn(kPhone, kCompany);
    }

    void draftIsKeptPerUserEditorAndRecord()
    {
        DraftStore store;
        const QJsonObject job{{QStringLiteral("title"), QStringLiteral("置业顾问 & 助理")}};
        QVERIFY(store.write(QStringLiteral("job"), QStringLiteral("7"), job));
        QVERIFY(store.write(QStringLiteral("job"), QStringLiteral("new"), {{QStringLiteral("title"), QStringLiteral("新职位")}}));

        const DraftStore::Draft draft = store.read(QStringLiteral("job"), QStringLiteral("7"));
        QVERIFY(draft.found);
        QCOMPARE(draft.fields, job);
        QVERIFY(qAbs(draft.savedAt.secsTo(QDateTime::currentDateTimeUtc())) < 60);
        QCOMPARE(store.read(QStringLiteral("job"), QStringLiteral("new")).fields.value(QStringLiteral("title")).toString(),
                 QStringLiteral("新职位"));

        // Another record, another editor, another user of the same file, another company.
        QVERIFY(!store.read(QStringLiteral("job"), QStringLiteral("8")).found);
        QVERIFY(!store.read(QStringLiteral("advert"), QStringLiteral("7")).found);
        logIn(kPhone, QStringLiteral("20002"));
        QVERIFY(!DraftStore().read(QStringLiteral("job"), QStringLiteral("7")).found);
        logIn(QStringLiteral("13900000000"), kCompany);
        QVERIFY(!DraftStore().read(QStringLiteral("job"), QStringLiteral("7")).found);
        logIn(kPhone, kCompany);

        QVERIFY(store.remove(QStringLiteral("job"), QStringLiteral("7")));
        QVERIFY(!store.read(QStringLiteral("job"), QStringLiteral("7")).found);
        QVERIFY(store.read(QStringLiteral("job"), QStringLiteral("new")).found);
    }

    void draftsOlderThanThirtyDaysAreDropped()
    {
        DraftStore store;
        const QDateTime now = QDateTime::currentDateTimeUtc();
        QVERIFY(store.write(QStringLiteral("topic"), QStringLiteral("1"), {{QStringLiteral("t"), 1}}, now.addDays(-31)));
        QVERIFY(store.write(QStringLiteral("topic"), QStringLiteral("2"), {{QStringLiteral("t"), 2}}, now.addDays(-29)));
        QVERIFY(!store.read(QStringLiteral("topic"), QStringLiteral("1"), now).found);
        QVERIFY(store.read(QStringLiteral("topic"), QStringLiteral("2"), now).found);
        // Gone from the file, not only hidden.
        QSqlDatabase db;
        QVERIFY(LocalDatabase::open(QStringLiteral("tst_drafts_raw"), kPhone, &db));
        QSqlQuery query(db);
        QVERIFY(query.exec(QStringLiteral("select count(*) from editor_drafts where editor = 'topic'")));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 1);
    }

    void damagedDraftIsNeverOffered_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("cut short") << QStringLiteral("update editor_drafts set payload = substr(payload, 1, 10) where editor = 'ad'");
        QTest::newRow("checksum off") << QStringLiteral("update editor_drafts set checksum = 'x' where editor = 'ad'");
        QTest::newRow("not json") << QStringLiteral("update editor_drafts set payload = 'abc', checksum = "
                                                    "'ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad' where editor = 'ad'");
    }

    void damagedDraftIsNeverOffered()
    {
        QFETCH(QString, damage);
        DraftStore store;
        QVERIFY(store.write(QStringLiteral("ad"), QStringLiteral("new"), {{QStringLiteral("link"), QStringLiteral("a")}}));
        QSqlDatabase db;
        QVERIFY(LocalDatabase::open(QStringLiteral("tst_drafts_raw"), kPhone, &db));
        QSqlQuery query(db);
        QVERIFY2(query.exec(damage), qPrintable(damage));
        QVERIFY(!store.read(QStringLiteral("ad"), QStringLiteral("new")).found);
        // Dropped, so the next write starts clean.
        QVERIFY(query.exec(QStringLiteral("select count(*) from editor_drafts where editor = 'ad'")));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 0);
    }

    // A process killed with SIGKILL at any moment of a write leaves a whole draft or none.
    void killedWriterLeavesWholeDraftOrNone()
    {
        DraftStore().remove(QStringLiteral("job"), QStringLiteral("new"));
        int found = 0;
        int lastSeen = 0;
        for (int round = 0; round < 12; ++round) {
            QProcess writer;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QString::fromLatin1(kWriterVariable), QStringLiteral("1"));
            environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
            writer.setProcessEnvironment(environment);
            writer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            writer.start(QCoreApplication::applicationFilePath(), QStringList());
            QVERIFY(writer.waitForStarted(10000));
            // Past the first write, then at a moment of our choosing, most likely mid-write.
            QVERIFY(writer.waitForReadyRead(30000));
            QTest::qSleep(static_cast<int>(QRandomGenerator::global()->bounded(1, 40)));
            ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
            QVERIFY(writer.waitForFinished(10000));
            QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
            const QList<QByteArray> said = writer.readAllStandardOutput().split('\n');
            for (const QByteArray& line : said) {
                if (!line.isEmpty())
                    lastSeen = line.toInt();
            }

            const DraftStore::Draft draft = DraftStore().read(QStringLiteral("job"), QStringLiteral("new"));
            if (draft.found) {
                ++found;
                QVERIFY2(isWhole(draft.fields), qPrintable(QStringLiteral("round %1: a broken draft").arg(round)));
                // Never older than the last write the writer finished.
                QVERIFY(draft.fields.value(QStringLiteral("n")).toInt() >= lastSeen);
            }
        }
        // Every round finished at least one write before the kill.
        QCOMPARE(found, 12);
    }
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet(kWriterVariable)) {
        QCoreApplication app(argc, argv);
        return writeUntilKilled();
    }
    QApplication app(argc, argv);
    TestDrafts test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_drafts.moc"
