#include "content/jobs/JoinUsAddEditWidget.h"

#include "content/jobs/AddNewTagWidget.h"
#include "net/http/Endpoints.h"
#include "net/http/FormBody.h"
#include "net/http/NetRequestObjecet.h"
#include "widgets/drafts/EditorDraft.h"
#include "widgets/inputs/ApplicationItemChooseView.h"
#include "widgets/inputs/ButtonStyles.h"
#include "widgets/inputs/CustomComboBox.h"
#include "widgets/lists/QProgressIndicator.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/CommonAddWidget.h"
#include "widgets/popups/PopupLauncher.h"
#include "widgets/popups/SaveOutcome.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

JoinUsAddEditWidget::JoinUsAddEditWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("JoinUsAddEditWidget"));
    auto lineEdit = [this](const QString& name, const QString& placeholder) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setPlaceholderText(placeholder);
        edit->setFixedHeight(30);
        return edit;
    };
    m_title = lineEdit(QStringLiteral("titleEdit"), QStringLiteral("请输入职位名称"));
    m_salary = lineEdit(QStringLiteral("salaryEdit"), QStringLiteral("如：5000-8000元/月"));
    m_address = lineEdit(QStringLiteral("addressEdit"), QStringLiteral("请输入工作地点"));
    m_tel = lineEdit(QStringLiteral("telEdit"), QStringLiteral("请输入联系电话"));
    m_education = new CustomComboBox(this);
    m_education->setObjectName(QStringLiteral("educationBox"));
    m_education->setTextList(educationChoices());
    m_experience = new CustomComboBox(this);
    m_experience->setObjectName(QStringLiteral("experienceBox"));
    m_experience->setTextList(experienceChoices());
    for (CustomComboBox* box : {m_education, m_experience})
        box->setFixedSize(160, 30);
    m_content = new QPlainTextEdit(this);
    m_content->setObjectName(QStringLiteral("contentEdit"));
    m_content->setPlaceholderText(QStringLiteral("添加职位工作要求、内容描述"));
    m_tags = new ApplicationItemChooseView(this);
    m_tags->setAddButtonText(QStringLiteral("+ 添加标签"));
    connect(m_tags, &ApplicationItemChooseView::addClick, this, &JoinUsAddEditWidget::addTags);

    auto* choices = new QHBoxLayout;
    choices->addWidget(m_education);
    choices->addSpacing(20);
    choices->addWidget(m_experience);
    choices->addStretch();

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->setVerticalSpacing(12);
    form->addRow(QStringLiteral("职位名称："), m_title);
    form->addRow(QStringLiteral("职位薪资："), m_salary);
    form->addRow(QStringLiteral("工作地点："), m_address);
    form->addRow(QStringLiteral("联系电话："), m_tel);
    form->addRow(QStringLiteral("学历/经验："), choices);
    form->addRow(QStringLiteral("职位描述："), m_content);
    form->addRow(QStringLiteral("职位标签："), m_tags);

    m_saveButton = new QPushButton(QStringLiteral("保存"), this);
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    m_saveButton->setFixedSize(100, 32);
    m_saveButton->setCursor(Qt::PointingHandCursor);
    m_saveButton->setStyleSheet(ButtonStyles::primary());
    connect(m_saveButton, &QPushButton::clicked, this, &JoinUsAddEditWidget::submitData);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_saveButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 16, 30, 16);
    layout->addLayout(form, 1);
    layout->addLayout(buttons);

    m_draft = new EditorDraft(this, QStringLiteral("job"));
    m_draft->addField(QStringLiteral("title"), m_title);
    m_draft->addField(QStringLiteral("xinzi"), m_salary);
    m_draft->addField(QStringLiteral("address"), m_address);
    m_draft->addField(QStringLiteral("tel"), m_tel);
    m_draft->addField(QStringLiteral("xueli"), m_education);
    m_draft->addField(QStringLiteral("jingyan"), m_experience);
    m_draft->addField(QStringLiteral("content"), m_content);
    m_draft->addField(
        QStringLiteral("tags"), [this]() -> QJsonValue { return QJsonArray::fromStringList(m_tags->itemTexts()); },
        [this](const QJsonValue& value) {
            QStringList tags;
            for (const QJsonValue& tag : value.toArray())
                tags.append(tag.toString());
            m_tags->setAddHousePeiTao(tags);
        });
    connect(m_tags, &ApplicationItemChooseView::appChange, m_draft, &EditorDraft::changed);
    m_draft->startWhenShown();
}

QStringList JoinUsAddEditWidget::educationChoices()
{
    return {QStringLiteral("学历不限"), QStringLiteral("小学"), QStringLiteral("中学"), QStringLiteral("高中"),
            QStringLiteral("大专"), QStringLiteral("本科"), QStringLiteral("硕士"), QStringLiteral("博士")};
}

QStringList JoinUsAddEditWidget::experienceChoices()
{
    return {QStringLiteral("经验不限"), QStringLiteral("实习生"), QStringLiteral("应届毕业生"), QStringLiteral("1年以内"),
            QStringLiteral("1-3年"), QStringLiteral("3-5年"), QStringLiteral("5年以上")};
}

QString JoinUsAddEditWidget::checkInput(const MicroWebsite_JoinUsJob_Model::DataModel& job)
{
    if (job.title.isEmpty())
        return QStringLiteral("请输入职位名称！");
    if (job.xinzi.isEmpty())
        return QStringLiteral("请输入职位薪资！");
    if (job.address.isEmpty())
        return QStringLiteral("请输入工作地点！");
    if (job.tel.isEmpty())
        return QStringLiteral("请输入联系电话！");
    if (job.content.isEmpty())
        return QStringLiteral("请输入职位描述！");
    return QString();
}

FormBody JoinUsAddEditWidget::saveBody(const MicroWebsite_JoinUsJob_Model::DataModel& job)
{
    FormBody body;
    body.add(QStringLiteral("title"), job.title)
        .add(QStringLiteral("xinzi"), job.xinzi)
        .add(QStringLiteral("xueli"), job.xueli)
        .add(QStringLiteral("jingyan"), job.jingyan)
        .add(QStringLiteral("address"), job.address)
        .add(QStringLiteral("content"), job.content)
        .add(QStringLiteral("tags"), job.tags.join(QLatin1Char(',')))
        .add(QStringLiteral("tel"), job.tel);
    if (job.id > 0)
        body.add(QStringLiteral("id"), job.id);
    return body;
}

QString JoinUsAddEditWidget::saveUrl(int id)
{
    return id > 0 ? Api::mtoreJoinusmodify() : Api::mtoreJoinusadd();
}

void JoinUsAddEditWidget::setJob(const MicroWebsite_JoinUsJob_Model::DataModel& job)
{
    m_id = job.id;
    m_draft->setRecord(job.id);
    m_title->setText(job.title);
    m_salary->setText(job.xinzi);
    m_address->setText(job.address);
    m_tel->setText(job.tel);
    m_content->setPlainText(job.content);
    // A value the choices do not hold (an older posting) is kept as an entry of its own rather than lost.
    for (const auto& choice : {qMakePair(m_education, job.xueli), qMakePair(m_experience, job.jingyan)}) {
        if (choice.second.isEmpty() || choice.first->setCurrentItemText(choice.second) >= 0)
            continue;
        choice.first->addItem(choice.second);
        choice.first->setCurrentItemText(choice.second);
    }
    for (const QString& tag : job.tags)
        m_tags->addItemMap({{QStringLiteral("title"), tag}});
}

MicroWebsite_JoinUsJob_Model::DataModel JoinUsAddEditWidget::formJob() const
{
    MicroWebsite_JoinUsJob_Model::DataModel job;
    job.id = m_id;
    job.title = m_title->text();
    job.xinzi = m_salary->text();
    job.address = m_address->text();
    job.tel = m_tel->text();
    job.content = m_content->toPlainText();
    job.xueli = m_education->currentText();
    job.jingyan = m_experience->currentText();
    job.tags = m_tags->itemTexts();
    return job;
}

void JoinUsAddEditWidget::addTags()
{
    if (m_tagPopup)
        return;
    auto* form = new AddNewTagWidget;
    CommonAddWidget* popup = PopupLauncher::open(QStringLiteral("添加职位标签"), QSize(240, 130), form);
    m_tagPopup = popup;
    connect(form, &AddNewTagWidget::closeWidget, popup, &CommonAddWidget::closeWidget);
    connect(form, &AddNewTagWidget::sureClick, this, [this, form, popup]() {
        const QString text = form->text();
        if (text.isEmpty()) {
            showAlertTxt(QStringLiteral("请填写内容"));
            return;
        }
        m_tags->addItemMap({{QStringLiteral("title"), text}});
        popup->closeWidget();
    });
}

void JoinUsAddEditWidget::showAlertTxt(QString txt)
{
    AlertWidget::showWarning(txt);
}

void JoinUsAddEditWidget::submitData()
{
    if (m_saving)
        return;
    const MicroWebsite_JoinUsJob_Model::DataModel job = formJob();
    const QString message = checkInput(job);
    if (!message.isEmpty()) {
        showAlertTxt(message);
        return;
    }
    m_saving = true;
    QProgressIndicator* indicator = QProgressIndicator::showOver(this, true, QString());
    auto* request = new NetRequestObjecet(this);
    connect(request, &NetRequestObjecet::loadFinish, indicator, &QProgressIndicator::stopAnimation);
    connect(request, &NetRequestObjecet::loadFinish, this, [this, request]() {
        m_saving = false;
        request->deleteLater();
    });
    SaveOutcome::follow(request, this, job.id > 0 ? QStringLiteral("修改职位成功！") : QStringLiteral("添加职位成功！"),
                        m_saveButton);
    connect(request, &NetRequestObjecet::loadSuccess, this, &JoinUsAddEditWidget::addOrModifySuccess);
    request->sendForm(saveUrl(job.id), saveBody(job));
}
