#include "support/host/ShellDriver.h"

#include "ShellLanguage.h"
#include "ShellMainWindow.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

// What a file dialog shows, read as a user reads it.
struct DialogTexts
{
    QString title;
    QString folder;
    QStringList buttons; // without mnemonics
    QString lookIn;
    QString fileName;
    QString fileType;
};

QString withoutMnemonic(QString text)
{
    // Chinese catalogues put the mnemonic after the word: "打开(&O)", "文件名称(&N)：".
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    return text.remove(QLatin1Char('&'));
}

DialogTexts readDialog(QFileDialog* dialog)
{
    DialogTexts texts;
    texts.title = dialog->windowTitle();
    texts.folder = dialog->directory().absolutePath();
    if (auto* box = dialog->findChild<QDialogButtonBox*>()) {
        for (QAbstractButton* button : box->buttons())
            texts.buttons.append(withoutMnemonic(button->text()));
    }
    auto label = [dialog](const char* name) {
        auto* found = dialog->findChild<QLabel*>(QLatin1String(name));
        return found ? withoutMnemonic(found->text()) : QStringLiteral("<none>");
    };
    texts.lookIn = label("lookInLabel");
    texts.fileName = label("fileNameLabel");
    texts.fileType = label("fileTypeLabel");
    return texts;
}

// Reads the next file dialog that shows, also inside its own event loop, and cancels it.
class DialogReader : public QObject
{
public:
    DialogReader()
    {
        m_timer.setInterval(20);
        connect(&m_timer, &QTimer::timeout, this, [this]() {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QFileDialog*>(widget);
                if (!dialog || !dialog->isVisible())
                    continue;
                texts = readDialog(dialog);
                seen = true;
                m_timer.stop();
                dialog->reject();
                return;
            }
        });
        m_timer.start();
    }

    bool seen = false;
    DialogTexts texts;

private:
    QTimer m_timer;
};

void checkChinese(const DialogTexts& texts)
{
    QVERIFY2(texts.buttons.contains(QStringLiteral("打开")), qPrintable(texts.buttons.join(QLatin1Char('|'))));
    QVERIFY2(texts.buttons.contains(QStringLiteral("取消")), qPrintable(texts.buttons.join(QLatin1Char('|'))));
    QCOMPARE(texts.lookIn, QStringLiteral("查找范围："));
    QCOMPARE(QStringList({texts.fileName, texts.fileType}), QStringList({QStringLiteral("文件名称："), QStringLiteral("文件类型：")}));
}

} // namespace

class TestShellLanguage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // As the shell's main() does, first of all.
        QVERIFY(ShellLanguage::apply());
    }

    void theLocaleIsChinese()
    {
        QCOMPARE(QLocale().language(), QLocale::Chinese);
        QCOMPARE(QLocale().country(), QLocale::China);
        QCOMPARE(QLocale().name(), QStringLiteral("zh_CN"));
        // A second call finds what the first installed.
        QVERIFY(ShellLanguage::apply());
        QCOMPARE(QLocale().language(), QLocale::Chinese);
    }

    void qtsFileDialogSpeaksChinese()
    {
        DialogReader reader;
        QFileDialog::getOpenFileNames(nullptr, QStringLiteral("选取图片"), QDir::homePath(),
                                      QStringLiteral("图片 (*.jpg *.png)"));
        QVERIFY(reader.seen);
        checkChinese(reader.texts);
    }

    // Through the shell and the plug-in as a user goes: the main page's "自定义应用" tile, then
    // the editor's button that adds pictures.
    void thePictureDialogOfAnEditorSpeaksChineseAndOpensInPictures()
    {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        QVERIFY(QDir(home.path()).mkpath(QStringLiteral("Pictures")));
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        auto restore = qScopeGuard([&oldHome]() { qputenv("HOME", oldHome); });

        ShellDriver driver;
        QString error;
        QVERIFY2(driver.start(QStringLiteral("13800000000"), &error), qPrintable(error));
        QWidget* tile = nullptr;
        for (QWidget* candidate : ShellDriver::findAllVisible(QStringLiteral("ItemButtonWidget"), driver.window())) {
            auto* title = candidate->findChild<QLabel*>(QStringLiteral("tileTitle"));
            if (title && title->text() == QStringLiteral("自定义应用"))
                tile = candidate;
        }
        QVERIFY(tile);
        QVERIFY(ShellDriver::click(tile));
        QWidget* add = ShellDriver::waitFor([] { return ShellDriver::button(QStringLiteral("addPhotosButton")); });
        QVERIFY(add);

        DialogReader reader;
        QVERIFY(ShellDriver::click(add));
        QTRY_VERIFY(reader.seen);
        QCOMPARE(reader.texts.title, QStringLiteral("选取图片"));
        checkChinese(reader.texts);
        QCOMPARE(QDir(reader.texts.folder).canonicalPath(), QDir(home.filePath(QStringLiteral("Pictures"))).canonicalPath());
    }
};

QTEST_MAIN(TestShellLanguage)
#include "tst_shelllanguage.moc"
