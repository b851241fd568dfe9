#include "net/http/NetRequestObjecet.h"
#include "net/pictures/PhotoWork.h"
#include "store/DraftStore.h"
#include "support/service/KeyboardInput.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/drafts/EditorDraft.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/CommonAddWidget.h"
#include "widgets/popups/PopupLauncher.h"
#include "widgets/popups/SaveOutcome.h"

#include "DataCenter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QImage>
#include <QJsonArray>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kEditor = QStringLiteral("sample");

// A form of each kind of field an editor declares, with its draft.
class SampleForm : public QWidget
{
public:
    explicit SampleForm(const QString& record, QWidget* parent = nullptr)
        : QWidget(parent)
    {
        title = new QLineEdit(this);
        title->setObjectName(QStringLiteral("titleEdit"));
        content = new QPlainTextEdit(this);
        content->setObjectName(QStringLiteral("contentEdit"));
        choice = new QComboBox(this);
        choice->addItems({QStringLiteral("学历不限"), QStringLiteral("本科")});
        flag = new QCheckBox(QStringLiteral("推荐"), this);
        auto* layout = new QFormLayout(this);
        layout->addRow(QStringLiteral("标题"), title);
        layout->addRow(QStringLiteral("内容"), content);
        layout->addRow(QStringLiteral("学历"), choice);
        layout->addRow(flag);

        draft = new EditorDraft(this, kEditor);
        draft->setRecord(record);
        draft->addField(QStringLiteral("title"), title);
        draft->addField(QStringLiteral("content"), content);
        draft->addField(QStringLiteral("choice"), choice);
        draft->addField(QStringLiteral("flag"), flag);
        work = new PhotoWork(this);
        connect(work, &PhotoWork::compressed, this, [this](const QString& path) { pickPhoto(path); });
        draft->addPictures(
            QStringLiteral("photos"), [this]() { return photos; },
            [this](const QStringList& restored) { photos = restored; }, work,
            [this](const QStringList& files) { work->compress(files); });
        draft->startWhenShown();
    }

    void pickPhoto(const QString& path)
    {
        photos.append(path);
        draft->changed();
    }

    QLineEdit* title;
    QPlainTextEdit* content;
    QComboBox* choice;
    QCheckBox* flag;
    QStringList photos;
    EditorDraft* draft;
    PhotoWork* work;
};

DraftStore::Draft stored(const QString& record)
{
    return DraftStore().read(kEditor, record);
}

} // namespace

class TestEditorDraft : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ModuleTestEnvironment::prepareWidgetTests();
        DataCenter::UserPhoneNumber = QStringLiteral("13800000000");
        DataCenter::CompanyID = QStringLiteral("10001");
        QVERIFY(m_folder.isValid());
    }

    void cleanup()
    {
        AlertProbe::closeAll();
        for (const QString& record : {QStringLiteral("new"), QStringLiteral("5"), QStringLiteral("6")})
            DraftStore().remove(kEditor, record);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void typedFieldsComeBackWhenTheEditorOpensAgain()
    {
        const QString kept = photo(QStringLiteral("kept.png"));
        const QString gone = photo(QStringLiteral("gone.png"));
        const QString remote = QStringLiteral("http://127.0.0.1:8765/files/a.jpg");
        {
            SampleForm form(QStringLiteral("0"));
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            KeyboardInput::type(form.title, QStringLiteral("置业顾问 & 助理"));
            KeyboardInput::type(form.content, QStringLiteral("第一行"));
            form.choice->setCurrentIndex(1);
            form.flag->click();
            form.pickPhoto(kept);
            form.pickPhoto(gone);
            form.pickPhoto(remote);
            // Written a moment after the typing, without any closing.
            QTRY_VERIFY(stored(QStringLiteral("new")).found);
            QCOMPARE(stored(QStringLiteral("new")).fields.value(QStringLiteral("title")).toString(),
                     QStringLiteral("置业顾问 & 助理"));
        }
        QVERIFY(QFile::remove(gone));
        AlertProbe::closeAll();

        SampleForm again{QString()};
        again.show();
        AlertWidget* offer = AlertProbe::waitForAlertContaining(QStringLiteral("草稿"));
        QVERIFY(offer);
        QVERIFY(AlertProbe::contentText(offer).contains(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd"))));
        QCOMPARE(offer->findChild<QPushButton*>(QStringLiteral("sureBtn"))->text(), QStringLiteral("恢复草稿"));
        QCOMPARE(offer->findChild<QPushButton*>(QStringLiteral("cancleBtn"))->text(), QStringLiteral("放弃草稿"));
        QVERIFY(again.title->text().isEmpty());
        QVERIFY(AlertProbe::clickButton(offer, QStringLiteral("sureBtn")));

        QCOMPARE(again.title->text(), QStringLiteral("置业顾问 & 助理"));
        QCOMPARE(again.content->toPlainText(), QStringLiteral("第一行"));
        QCOMPARE(again.choice->currentText(), QStringLiteral("本科"));
        QVERIFY(again.flag->isChecked());
        QCOMPARE(again.photos, QStringList({kept, remote}));
        AlertWidget* missing = AlertProbe::waitForAlertContaining(QStringLiteral("gone.png"));
        QVERIFY(missing);
        QVERIFY(AlertProbe::contentText(missing).contains(QStringLiteral("已不存在")));
        QVERIFY(!AlertProbe::contentText(missing).contains(QStringLiteral("kept.png")));
        QVERIFY(again.draft->hasUnsavedChanges());
    }

    // The compressed copy is gone by the restore (the cache was cleared), the picked file is not:
    // the picture comes back compressed anew.
    void pickedPictureIsCompressedAgainWhenItsCopyIsGone()
    {
        const QString picked = QStringLiteral(KQ_TESTDATA_DIR "/photos/Landscape_2.jpg");
        QVERIFY(QFileInfo::exists(picked));
        QString copy;
        {
            SampleForm form(QStringLiteral("6"));
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            form.work->compress({picked});
            QTRY_COMPARE_WITH_TIMEOUT(form.photos.size(), 1, 20000);
            copy = form.photos.constFirst();
            QVERIFY(copy != picked);
        }
        QVERIFY(QFile::remove(copy));

        SampleForm again(QStringLiteral("6"));
        again.show();
        QVERIFY(!AlertProbe::answer(QStringLiteral("sureBtn")).isNull());
        QTRY_COMPARE_WITH_TIMEOUT(again.photos.size(), 1, 20000);
        QVERIFY(QFileInfo::exists(again.photos.constFirst()));
        QCOMPARE(again.work->sourceOf(again.photos.constFirst()), picked);
        QVERIFY(AlertProbe::flushPending());
        QVERIFY(AlertProbe::visibleAlerts().isEmpty()); // nothing named as missing
    }

    void draftIsOfferedOnlyForItsRecordAndOnlyWhenItDiffers()
    {
        QVERIFY(DraftStore().write(kEditor, QStringLiteral("5"), {{QStringLiteral("title"), QStringLiteral("改过的")}}));
        {
            SampleForm other(QStringLiteral("6"));
            other.show();
            QVERIFY(QTest::qWaitForWindowExposed(&other));
            QVERIFY(AlertProbe::flushPending());
            QVERIFY(AlertProbe::visibleAlerts().isEmpty());
        }
        // The service already holds what the draft has: nothing to offer, and the draft goes.
        QVERIFY(DraftStore().write(kEditor, QStringLiteral("6"),
                                   {{QStringLiteral("title"), QStringLiteral("已保存")},
                                    {QStringLiteral("content"), QString()},
                                    {QStringLiteral("choice"), QStringLiteral("学历不限")},
                                    {QStringLiteral("flag"), false},
                                    {QStringLiteral("photos"), QJsonArray()}}));
        SampleForm same(QStringLiteral("6"));
        same.title->setText(QStringLiteral("已保存"));
        same.show();
        QVERIFY(QTest::qWaitForWindowExposed(&same));
        QVERIFY(AlertProbe::flushPending());
        QVERIFY(AlertProbe::visibleAlerts().isEmpty());
        QVERIFY(!stored(QStringLiteral("6")).found);
        QVERIFY(stored(QStringLiteral("5")).found);
    }

    void givingUpTheDraftRemovesIt()
    {
        QVERIFY(DraftStore().write(kEditor, QStringLiteral("5"), {{QStringLiteral("title"), QStringLiteral("草稿标题")}}));
        SampleForm form(QStringLiteral("5"));
        form.title->setText(QStringLiteral("服务上的标题"));
        form.show();
        QVERIFY(!AlertProbe::answer(QStringLiteral("cancleBtn")).isNull());
        QCOMPARE(form.title->text(), QStringLiteral("服务上的标题"));
        QVERIFY(!stored(QStringLiteral("5")).found);
        QVERIFY(!form.draft->hasUnsavedChanges());
    }

    void lastChangeIsWrittenWhenTheEditorGoesAtOnce()
    {
        auto* form = new SampleForm(QStringLiteral("5"));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        KeyboardInput::type(form->content, QStringLiteral("还没到写入的时候"));
        // The host closing the tab: no time for the delayed write.
        delete form;
        QCOMPARE(stored(QStringLiteral("5")).fields.value(QStringLiteral("content")).toString(),
                 QStringLiteral("还没到写入的时候"));
    }

    void closingAsksOnlyWhenSomethingChanged()
    {
        QPointer<SampleForm> form = new SampleForm(QStringLiteral("5"));
        QPointer<CommonAddWidget> popup = PopupLauncher::open(QStringLiteral("编辑"), QSize(400, 300), form);
        QVERIFY(QTest::qWaitForWindowExposed(popup));
        auto* close = popup->findChild<QPushButton*>(QStringLiteral("closeButton"));
        QVERIFY(close);

        // Typed, then taken back: nothing to lose, no question.
        KeyboardInput::type(form->title, QStringLiteral("x"));
        QTest::keyClick(form->title, Qt::Key_Backspace);
        QTest::mouseClick(close, Qt::LeftButton);
        QTRY_VERIFY(!popup);
        QVERIFY(AlertProbe::flushPending());
        QVERIFY(AlertProbe::visibleAlerts().isEmpty());

        form = new SampleForm(QStringLiteral("5"));
        popup = PopupLauncher::open(QStringLiteral("编辑"), QSize(400, 300), form);
        QVERIFY(QTest::qWaitForWindowExposed(popup));
        close = popup->findChild<QPushButton*>(QStringLiteral("closeButton"));
        KeyboardInput::type(form->title, QStringLiteral("新标题"));
        QTest::mouseClick(close, Qt::LeftButton);
        AlertWidget* ask = AlertProbe::waitForAlertContaining(QStringLiteral("放弃未保存的修改？"));
        QVERIFY(ask);
        QVERIFY(AlertProbe::clickButton(ask, QStringLiteral("cancleBtn")));
        QVERIFY(popup && popup->isVisible());
        QCOMPARE(form->title->text(), QStringLiteral("新标题"));

        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!AlertProbe::answer(QStringLiteral("sureBtn")).isNull());
        QTRY_VERIFY(!popup);
        QVERIFY(!stored(QStringLiteral("5")).found);
    }

    void successfulSaveRemovesTheDraftAndFailedOneKeepsIt()
    {
        ScriptedHttpServer server;
        QVERIFY(server.start());
        server.setReply(QStringLiteral("/api/fail"), ScriptedHttpServer::envelope(503, QStringLiteral("服务暂时不可用，请稍后重试")));
        server.setReply(QStringLiteral("/api/save"), ScriptedHttpServer::envelope(200, QString(), QJsonObject()));
        SampleForm form(QStringLiteral("5"));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        KeyboardInput::type(form.title, QStringLiteral("要保存的"));
        form.draft->flush();
        QVERIFY(stored(QStringLiteral("5")).found);

        auto* failing = new NetRequestObjecet(&form);
        QSignalSpy failed(failing, &NetRequestObjecet::loadFail);
        failing->sendRequest(server.url(QStringLiteral("/api/fail")), "title=a");
        SaveOutcome::follow(failing, &form, QStringLiteral("保存成功！"));
        QTRY_COMPARE(failed.count(), 1);
        QVERIFY(stored(QStringLiteral("5")).found);
        AlertProbe::closeAll();

        auto* request = new NetRequestObjecet(&form);
        QSignalSpy succeeded(request, &NetRequestObjecet::loadSuccess);
        request->sendRequest(server.url(QStringLiteral("/api/save")), "title=a");
        SaveOutcome::follow(request, &form, QStringLiteral("保存成功！"));
        QTRY_COMPARE(succeeded.count(), 1);
        QVERIFY(!stored(QStringLiteral("5")).found);
        QVERIFY(!form.draft->hasUnsavedChanges());
    }

private:
    QString photo(const QString& name)
    {
        QImage image(20, 20, QImage::Format_RGB32);
        image.fill(Qt::red);
        const QString path = m_folder.filePath(name);
        image.save(path, "PNG");
        return path;
    }

    QTemporaryDir m_folder;
};

QTEST_MAIN(TestEditorDraft)
#include "tst_editordraft.moc"
