#include "content/jobs/AddNewTagWidget.h"
#include "content/jobs/JoinUsAddEditWidget.h"
#include "content/jobs/JoinUsDetailMessageWidget.h"
#include "content/jobs/JoinUsListView.h"
#include "content/jobs/JoinUsListWidget.h"
#include "net/http/FormBody.h"
#include "support/service/ReferenceService.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/CardPageFixture.h"
#include "support/ui/HostWindowFixture.h"
#include "support/ui/InputProbe.h"
#include "support/ui/LocalStoreFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "support/ui/RequestLog.h"
#include "widgets/inputs/ApplicationItemChooseView.h"
#include "widgets/inputs/ChoosePeople_Item.h"
#include "widgets/inputs/CustomComboBox.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/CommonAddWidget.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using F = LocalStoreFixture;
using Job = MicroWebsite_JoinUsJob_Model::DataModel;

namespace {

const QString kManager = QStringLiteral("13800000000");
const QString kListPath = QStringLiteral("/api/mtore/joinusposts");

QPushButton* button(const QWidget* widget, const char* name)
{
    return widget->findChild<QPushButton*>(QLatin1String(name));
}

QStringList titlesOf(const JoinUsListWidget* page)
{
    QStringList titles;
    for (const JoinUsListView* row : page->rows())
        titles << row->job().title;
    return titles;
}

Job filledJob()
{
    Job job;
    job.title = QStringLiteral("置业顾问");
    job.xinzi = QStringLiteral("6000-9000元/月");
    job.address = QStringLiteral("成都 & 锦江");
    job.tel = QStringLiteral("028-8888");
    job.content = QStringLiteral("负责带看 100% 用心 + \"真诚\"");
    return job;
}

JoinUsAddEditWidget* editorIn(const JoinUsListWidget* page)
{
    return page->openPopup() ? page->openPopup()->findChild<JoinUsAddEditWidget*>() : nullptr;
}

void typeInto(QWidget* editor, const char* name, const QString& text)
{
    auto* edit = editor->findChild<QLineEdit*>(QLatin1String(name));
    edit->clear();
    InputProbe::commitText(edit, text);
}

} // namespace

class TestJoinUs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void checksComeInOrder_data();
    void checksComeInOrder();
    void bodiesCarryTheTagsAndTheIdOnChange();
    void listShowsThePostingsAndARowOpensItsDetail();
    void addingAPostingThroughTheForm();
    void tagPopupRefusesTheEmptyTextAndCommas_data();
    void tagPopupRefusesTheEmptyTextAndCommas();
    void changingAPostingKeepsItsChoicesAndSendsItsId();
    void deletingAsksFirst();
    void withoutRight67RowsHaveNoButtonsAndAddingIsRefused();
    void aReplyWithoutAnArrayShowsAnEmptyList();

private:
    JoinUsListWidget* openPage();

    std::unique_ptr<CardPageFixture> m_pages;
};

void TestJoinUs::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
}

void TestJoinUs::init()
{
    m_pages = std::make_unique<CardPageFixture>();
}

void TestJoinUs::cleanup()
{
    AlertProbe::closeAll();
    m_pages.reset();
}

JoinUsListWidget* TestJoinUs::openPage()
{
    return m_pages->open<JoinUsListWidget>(QStringLiteral("加入我们"), &JoinUsListWidget::listShown);
}

void TestJoinUs::checksComeInOrder_data()
{
    QTest::addColumn<QString>("emptied");
    QTest::addColumn<QString>("message");
    QTest::newRow("everything empty") << "all" << QStringLiteral("请输入职位名称！");
    QTest::newRow("title") << "title" << QStringLiteral("请输入职位名称！");
    QTest::newRow("salary") << "xinzi" << QStringLiteral("请输入职位薪资！");
    QTest::newRow("address") << "address" << QStringLiteral("请输入工作地点！");
    QTest::newRow("telephone") << "tel" << QStringLiteral("请输入联系电话！");
    QTest::newRow("description") << "content" << QStringLiteral("请输入职位描述！");
    QTest::newRow("nothing missing") << "" << QString();
}

void TestJoinUs::checksComeInOrder()
{
    QFETCH(QString, emptied);
    QFETCH(QString, message);
    Job job = emptied == QLatin1String("all") ? Job() : filledJob();
    if (emptied == QLatin1String("title"))
        job.title.clear();
    else if (emptied == QLatin1String("xinzi"))
        job.xinzi.clear();
    else if (emptied == QLatin1String("address"))
        job.address.clear();
    else if (emptied == QLatin1String("tel"))
        job.tel.clear();
    else if (emptied == QLatin1String("content"))
        job.content.clear();
    QCOMPARE(JoinUsAddEditWidget::checkInput(job), message);
}

void TestJoinUs::bodiesCarryTheTagsAndTheIdOnChange()
{
    Job job = filledJob();
    job.xueli = QStringLiteral("本科");
    job.jingyan = QStringLiteral("1-3年");
    QString body = JoinUsAddEditWidget::saveBody(job).toString();
    QVERIFY(body.contains(QStringLiteral("&tags=&tel=")));
    QVERIFY(!body.contains(QStringLiteral("&id=")));
    QVERIFY(JoinUsAddEditWidget::saveUrl(0).endsWith(QStringLiteral("mtore/joinusadd")));

    job.id = 42;
    job.tags = QStringList{QStringLiteral("五险一金"), QStringLiteral("  ")};
    body = JoinUsAddEditWidget::saveBody(job).toString();
    QVERIFY(body.endsWith(QStringLiteral("&id=42")));
    QVERIFY(body.startsWith(QStringLiteral("title=")));
    QVERIFY(JoinUsAddEditWidget::saveUrl(42).endsWith(QStringLiteral("mtore/joinusmodify")));
    const QList<QPair<QString, QString>> pieces = JoinUsAddEditWidget::saveBody(job).pieces();
    QCOMPARE(pieces.at(6), qMakePair(QStringLiteral("tags"), QStringLiteral("五险一金,  ")));
    QCOMPARE(pieces.at(4).second, QStringLiteral("成都 & 锦江"));
}

void TestJoinUs::listShowsThePostingsAndARowOpensItsDetail()
{
    QVERIFY(m_pages->startService(kManager));
    JoinUsListWidget* page = openPage();
    QVERIFY(page);
    QCOMPARE(page->rows().size(), 6);
    JoinUsListView* row = page->rows().first();
    QVERIFY(!row->modifyButton()->isHidden());
    const Job job = row->job();

    QTest::mouseClick(row, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
    QVERIFY(page->openPopup());
    QCOMPARE(HostWindowFixture::popupTitle(page->openPopup()), QStringLiteral("职位详情"));
    auto* detail = page->openPopup()->findChild<JoinUsDetailMessageWidget*>();
    QVERIFY(detail);
    QCOMPARE(detail->findChild<QLabel*>(QStringLiteral("titleLabel"))->text(), job.title);
    QCOMPARE(detail->findChild<QLabel*>(QStringLiteral("requirementsLabel"))->text(),
             QStringLiteral("%1 | %2").arg(job.xueli, job.jingyan));
    QCOMPARE(detail->findChild<QLabel*>(QStringLiteral("telLabel"))->text(), QStringLiteral("联系电话：") + job.tel);
    auto* tags = detail->findChild<QLabel*>(QStringLiteral("tagsLabel"));
    QCOMPARE(tags->text(), job.tags.join(QStringLiteral("  ")));
    QCOMPARE(tags->isHidden(), job.tags.isEmpty());
}

void TestJoinUs::addingAPostingThroughTheForm()
{
    QVERIFY(m_pages->startService(kManager));
    JoinUsListWidget* page = openPage();
    QVERIFY(page);
    QTest::mouseClick(page->addButton(), Qt::LeftButton);
    JoinUsAddEditWidget* editor = editorIn(page);
    QVERIFY(editor);
    QCOMPARE(HostWindowFixture::popupTitle(page->openPopup()), QStringLiteral("添加职位"));

    QTest::mouseClick(button(editor, "saveButton"), Qt::LeftButton);
    QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), QStringLiteral("请输入职位名称！"));

    const Job job = filledJob();
    typeInto(editor, "titleEdit", job.title);
    typeInto(editor, "salaryEdit", job.xinzi);
    typeInto(editor, "addressEdit", job.address);
    typeInto(editor, "telEdit", job.tel);
    editor->findChild<QPlainTextEdit*>(QStringLiteral("contentEdit"))->setPlainText(job.content);
    QVERIFY(InputProbe::chooseEntry(editor->findChild<CustomComboBox*>(QStringLiteral("educationBox")), QStringLiteral("大专")));
    const QObject* popup = page->openPopup();
    QTest::mouseClick(button(editor, "saveButton"), Qt::LeftButton);
    QVERIFY(m_pages->waitForList());

    QCOMPARE(page->rows().size(), 7);
    // Newest first.
    const Job saved = page->rows().first()->job();
    QCOMPARE(saved.title, job.title);
    QCOMPARE(saved.address, job.address);
    QCOMPARE(saved.content, job.content);
    QCOMPARE(saved.xueli, QStringLiteral("大专"));
    QCOMPARE(saved.jingyan, QStringLiteral("经验不限"));
    QVERIFY(saved.tags.isEmpty());
    QTRY_VERIFY(!page->openPopup());
    bool sawAdd = false;
    for (const RequestLog::Sent& sent : RequestLog::sentBy(popup)) {
        if (sent.url.endsWith(QLatin1String("mtore/joinusadd"))) {
            sawAdd = true;
            QVERIFY(sent.body.contains("&tags=&tel="));
            QVERIFY(!sent.body.contains("&id="));
        }
    }
    QVERIFY(sawAdd);
}

void TestJoinUs::tagPopupRefusesTheEmptyTextAndCommas_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("refusal"); // empty: the tag is taken

    QTest::newRow("empty") << QString() << QStringLiteral("请填写内容");
    // Tags are stored joined by commas: one with a comma would come back as two.
    QTest::newRow("comma") << QStringLiteral("五险,一金") << QStringLiteral("标签不能包含逗号");
    QTest::newRow("full-width comma") << QStringLiteral("五险，一金") << QStringLiteral("标签不能包含逗号");
    QTest::newRow("only spaces") << QStringLiteral("   ") << QString();
    QTest::newRow("other punctuation") << QStringLiteral("五险、一金; 双休") << QString();
}

void TestJoinUs::tagPopupRefusesTheEmptyTextAndCommas()
{
    QFETCH(QString, typed);
    QFETCH(QString, refusal);
    QVERIFY(m_pages->startCannedServer(kManager));
    JoinUsAddEditWidget editor;
    editor.show();
    QTest::mouseClick(editor.findChild<QPushButton*>(QStringLiteral("addChipButton")), Qt::LeftButton);
    QVERIFY(editor.tagPopup());
    QCOMPARE(HostWindowFixture::popupTitle(editor.tagPopup()), QStringLiteral("添加职位标签"));
    auto* form = editor.tagPopup()->findChild<AddNewTagWidget*>();
    QApplication::setActiveWindow(form->window());
    form->lineEdit()->setFocus();
    QTRY_VERIFY(form->lineEdit()->hasFocus());
    InputProbe::commitText(form->lineEdit(), typed);
    QTest::mouseClick(button(form, "sureButton"), Qt::LeftButton);

    if (!refusal.isEmpty()) {
        QCOMPARE(AlertProbe::answer(QStringLiteral("knowButton")), refusal);
        // The popup stays with the text, to be corrected.
        QVERIFY(editor.tagPopup());
        QCOMPARE(form->lineEdit()->text(), typed);
        QVERIFY(editor.tagView()->itemTexts().isEmpty());
        return;
    }
    QTRY_VERIFY(!editor.tagPopup());
    QCOMPARE(editor.tagView()->itemTexts(), QStringList{typed});
    QCOMPARE(editor.formJob().tags, QStringList{typed});
    editor.tagView()->chips().first()->findChild<QPushButton*>(QStringLiteral("deleteChipButton"))->click();
    QVERIFY(editor.formJob().tags.isEmpty());
}

void TestJoinUs::changingAPostingKeepsItsChoicesAndSendsItsId()
{
    QVERIFY(m_pages->startService(kManager));
    JoinUsListWidget* page = openPage();
    QVERIFY(page);
    JoinUsListView* row = page->rows().at(1);
    const Job before = row->job();
    QVERIFY(before.id > 0);
    QTest::mouseClick(row->modifyButton(), Qt::LeftButton);
    JoinUsAddEditWidget* editor = editorIn(page);
    QVERIFY(editor);
    QCOMPARE(HostWindowFixture::popupTitle(page->openPopup()), QStringLiteral("修改职位"));
    const Job shown = editor->formJob();
    QCOMPARE(shown.xueli, before.xueli);
    QCOMPARE(shown.jingyan, before.jingyan);
    QCOMPARE(shown.tags, before.tags);

    typeInto(editor, "salaryEdit", QStringLiteral("面议"));
    const QObject* popup = page->openPopup();
    QTest::mouseClick(button(editor, "saveButton"), Qt::LeftButton);
    QVERIFY(m_pages->waitForList());
    QCOMPARE(page->rows().size(), 6);
    const Job after = page->rows().at(1)->job();
    QCOMPARE(after.id, before.id);
    QCOMPARE(after.xinzi, QStringLiteral("面议"));
    QCOMPARE(after.tags, before.tags);
    const QList<RequestLog::Sent> sent = RequestLog::sentBy(popup);
    auto modify = std::find_if(sent.cbegin(), sent.cend(), [](const RequestLog::Sent& s) {
        return s.url.endsWith(QLatin1String("mtore/joinusmodify"));
    });
    QVERIFY(modify != sent.cend());
    QVERIFY(modify->body.endsWith("&id=" + QByteArray::number(before.id)));
}

void TestJoinUs::deletingAsksFirst()
{
    QVERIFY(m_pages->startService(kManager));
    JoinUsListWidget* page = openPage();
    QVERIFY(page);
    const Job doomed = page->rows().first()->job();
    QTest::mouseClick(page->rows().first()->deleteButton(), Qt::LeftButton);
    QCOMPARE(AlertProbe::answer(QStringLiteral("cancleBtn")), QStringLiteral("您确定要删除该职位招聘信息吗？"));
    QVERIFY(AlertProbe::flushPending());
    QCOMPARE(page->rows().size(), 6);

    QTest::mouseClick(page->rows().first()->deleteButton(), Qt::LeftButton);
    AlertWidget* alert = AlertProbe::waitForAlert();
    QVERIFY(alert);
    QCOMPARE(alert->findChild<QPushButton*>(QStringLiteral("sureBtn"))->text(), QStringLiteral("删除"));
    QVERIFY(AlertProbe::clickButton(alert, QStringLiteral("sureBtn")));
    QVERIFY(m_pages->waitForList());
    QCOMPARE(page->rows().size(), 5);
    QVERIFY(!titlesOf(page).contains(doomed.title) || page->rows().first()->job().id != doomed.id);
}

void TestJoinUs::withoutRight67RowsHaveNoButtonsAndAddingIsRefused()
{
    QVERIFY(m_pages->startService(kManager));
    F::storeUser(QStringLiteral("13800000001"), false, {F::right(67, false)});
    JoinUsListWidget* page = openPage();
    QVERIFY(page);
    QVERIFY(!page->rows().isEmpty());
    for (JoinUsListView* row : page->rows()) {
        QVERIFY(row->modifyButton()->isHidden());
        QVERIFY(row->deleteButton()->isHidden());
    }
    QTest::mouseClick(page->addButton(), Qt::LeftButton);
    QVERIFY(!AlertProbe::answer(QStringLiteral("knowButton")).isEmpty());
    QVERIFY(!page->openPopup());
}

void TestJoinUs::aReplyWithoutAnArrayShowsAnEmptyList()
{
    ScriptedHttpServer* server = m_pages->startCannedServer(kManager);
    QVERIFY(server);
    QJsonArray jobs{QJsonObject{{QStringLiteral("id"), 1}, {QStringLiteral("title"), QStringLiteral("店长")}}};
    server->setReply(kListPath, ScriptedHttpServer::listReply(1, jobs));
    JoinUsListWidget* page = openPage();
    QVERIFY(page);
    QCOMPARE(titlesOf(page), QStringList{QStringLiteral("店长")});
    server->setReply(kListPath, ScriptedHttpServer::envelope(200, QString(),
                                                             QJsonObject{{QStringLiteral("data"), QStringLiteral("none")}}));
    page->pager()->reload();
    QVERIFY(m_pages->waitForList());
    QVERIFY(page->rows().isEmpty());
}

QTEST_MAIN(TestJoinUs)
#include "tst_joinus.moc"
