#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/photos/PhotoFileDialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

// What the dialog showed when it opened; it is then cancelled.
struct Opened
{
    QString title;
    QString folder;
};

} // namespace

class TestPhotoFileDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startFolder_data();
    void startFolder();
    void theDialogOpensThere_data();
    void theDialogOpensThere();

private:
    // A new home holding these folders; userDirs, when given, is the user's folder list
    // (user-dirs.dirs) naming the desktop and pictures folders.
    QString makeHome(const QStringList& folders, const QByteArray& userDirs);
    // Runs pick() and cancels the dialog once it shows.
    Opened openAndCancel(const QString& folder);

    std::unique_ptr<QTemporaryDir> m_root;
    QByteArray m_home;
    QByteArray m_config;
};

void TestPhotoFileDialog::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
    m_home = qgetenv("HOME");
    m_config = qgetenv("XDG_CONFIG_HOME");
}

void TestPhotoFileDialog::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
}

void TestPhotoFileDialog::cleanup()
{
    qputenv("HOME", m_home);
    qputenv("XDG_CONFIG_HOME", m_config);
    m_root.reset();
}

QString TestPhotoFileDialog::makeHome(const QStringList& folders, const QByteArray& userDirs)
{
    const QString home = m_root->filePath(QStringLiteral("home"));
    const QString config = m_root->filePath(QStringLiteral("config"));
    QDir().mkpath(home);
    QDir().mkpath(config);
    for (const QString& folder : folders)
        QDir(home).mkpath(folder);
    if (!userDirs.isEmpty()) {
        QFile file(config + QStringLiteral("/user-dirs.dirs"));
        if (!file.open(QIODevice::WriteOnly) || file.write(userDirs) != userDirs.size())
            return QString();
    }
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    return home;
}

Opened TestPhotoFileDialog::openAndCancel(const QString& folder)
{
    Opened opened;
    QTimer watcher;
    watcher.setInterval(20);
    connect(&watcher, &QTimer::timeout, this, [&opened]() {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        opened.title = dialog->windowTitle();
        opened.folder = dialog->directory().absolutePath();
        dialog->reject();
    });
    watcher.start();
    const QStringList chosen = PhotoFileDialog::pick(nullptr, true, QStringLiteral("选取图片"), folder);
    if (!chosen.isEmpty())
        opened.title = QStringLiteral("<chose %1>").arg(chosen.join(QLatin1Char(',')));
    return opened;
}

void TestPhotoFileDialog::startFolder_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QByteArray>("userDirs");
    QTest::addColumn<QString>("expected"); // inside home; empty: home itself

    const QByteArray chinese("XDG_DESKTOP_DIR=\"$HOME/桌面\"\nXDG_PICTURES_DIR=\"$HOME/图片\"\n");
    QTest::newRow("desktop") << QStringList{QStringLiteral("Desktop"), QStringLiteral("Pictures")} << QByteArray()
                             << QStringLiteral("Desktop");
    QTest::newRow("desktop named by the user's folder list")
        << QStringList{QStringLiteral("桌面"), QStringLiteral("图片"), QStringLiteral("Desktop")} << chinese
        << QStringLiteral("桌面");
    QTest::newRow("only pictures") << QStringList{QStringLiteral("Pictures")} << QByteArray()
                                   << QStringLiteral("Pictures");
    QTest::newRow("only pictures, named by the list") << QStringList{QStringLiteral("图片")} << chinese
                                                      << QStringLiteral("图片");
    QTest::newRow("only home") << QStringList{QStringLiteral("Documents")} << QByteArray() << QString();
    QTest::newRow("only home, listed folders missing") << QStringList() << chinese << QString();
}

void TestPhotoFileDialog::startFolder()
{
    QFETCH(QStringList, folders);
    QFETCH(QByteArray, userDirs);
    QFETCH(QString, expected);

    const QString home = makeHome(folders, userDirs);
    QVERIFY(!home.isEmpty());
    const QString start = PhotoFileDialog::startFolder();
    QCOMPARE(QDir(start).canonicalPath(), QDir(home + QLatin1Char('/') + expected).canonicalPath());
    QVERIFY(QDir(start) != QDir::root());
}

void TestPhotoFileDialog::theDialogOpensThere_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("asked"); // inside home; empty: none asked
    QTest::addColumn<QString>("expected");

    QTest::newRow("no desktop, no folder asked") << QStringList{QStringLiteral("Pictures")} << QString()
                                                 << QStringLiteral("Pictures");
    QTest::newRow("only home") << QStringList() << QString() << QString();
    QTest::newRow("the folder asked") << QStringList{QStringLiteral("Desktop"), QStringLiteral("照片")}
                                      << QStringLiteral("照片") << QStringLiteral("照片");
    QTest::newRow("the folder asked is gone") << QStringList{QStringLiteral("Desktop")} << QStringLiteral("照片")
                                              << QStringLiteral("Desktop");
}

void TestPhotoFileDialog::theDialogOpensThere()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, asked);
    QFETCH(QString, expected);

    const QString home = makeHome(folders, QByteArray());
    QVERIFY(!home.isEmpty());
    const Opened opened = openAndCancel(asked.isEmpty() ? QString() : home + QLatin1Char('/') + asked);
    QCOMPARE(opened.title, QStringLiteral("选取图片"));
    QCOMPARE(QDir(opened.folder).canonicalPath(), QDir(home + QLatin1Char('/') + expected).canonicalPath());
}

QTEST_MAIN(TestPhotoFileDialog)
#include "tst_photofiledialog.moc"
