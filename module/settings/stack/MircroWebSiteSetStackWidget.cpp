#include "settings/stack/MircroWebSiteSetStackWidget.h"

#include "net/http/Endpoints.h"
#include "net/http/FormBody.h"
#include "net/http/NetRequestObjecet.h"
#include "settings/basic/MircroWebSiteSetWidget.h"
#include "settings/permissions/PermissionMicroWebSiteWidget.h"
#include "settings/stack/CustomTreeWidget.h"
#include "settings/stack/JobRights.h"
#include "settings/style/MircroWebsiteStyleSetWidget.h"
#include "store/BaseMessage_SqlTable.h"
#include "widgets/drafts/EditorDraft.h"
#include "widgets/inputs/ButtonStyles.h"
#include "widgets/inputs/MnemonicText.h"
#include "widgets/lists/LoadFailedView.h"
#include "widgets/lists/RequestWait.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/SaveOutcome.h"

#include <QHBoxLayout>
#include <QJsonArray>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

const char* const kNormalStyle = "border:0px;color: rgb(80, 80, 80);";
const char* const kCurrentStyle = "background-color: rgb(255, 255, 255);border:0px;color: rgb(80, 80, 80);";

} // namespace

MircroWebSiteSetStackWidget::MircroWebSiteSetStackWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MircroWebSiteSetStackWidget"));
    auto* left = new QWidget(this);
    left->setObjectName(QStringLiteral("settingsColumn"));
    left->setAttribute(Qt::WA_StyledBackground);
    left->setStyleSheet(QStringLiteral("#settingsColumn{background:rgb(242,242,242);}"));
    left->setFixedWidth(150);
    m_basicButton = new QPushButton(QStringLiteral("基本设置"), left);
    m_basicButton->setObjectName(QStringLiteral("basicButton"));
    m_styleButton = new QPushButton(QStringLiteral("风格设置"), left);
    m_styleButton->setObjectName(QStringLiteral("styleButton"));
    for (QPushButton* button : {m_basicButton, m_styleButton}) {
        button->setFlat(true);
        button->setFixedHeight(CustomTreeWidget::RowHeight);
        button->setCursor(Qt::PointingHandCursor);
    }
    m_tree = new CustomTreeWidget;
    auto* treeArea = new QScrollArea(left);
    treeArea->setFrameShape(QFrame::NoFrame);
    treeArea->setWidgetResizable(true);
    treeArea->setWidget(m_tree);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(0);
    leftLayout->addWidget(m_basicButton);
    leftLayout->addWidget(m_styleButton);
    leftLayout->addWidget(treeArea, 1);

    m_stack = new QStackedWidget(this);
    m_permissions = new PermissionMicroWebSiteWidget(m_stack);
    m_stack->addWidget(m_permissions);
    m_rightsFailed = LoadFailedView::over(m_permissions);

    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    m_save = new QPushButton(QStringLiteral("保存设置"), this);
    m_save->setObjectName(QStringLiteral("saveButton"));
    m_save->setStyleSheet(ButtonStyles::primary());
    for (QPushButton* button : {cancel, m_save}) {
        button->setFixedHeight(32);
        button->setMinimumWidth(90);
        button->setCursor(Qt::PointingHandCursor);
    }
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(cancel);
    bottom->addWidget(m_save);
    auto* right = new QVBoxLayout;
    right->addWidget(m_stack, 1);
    right->addLayout(bottom);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 12, 12);
    layout->addWidget(left);
    layout->addLayout(right, 1);

    connect(m_basicButton, &QPushButton::clicked, this, [this]() { showPage(BasicPage); });
    connect(m_styleButton, &QPushButton::clicked, this, [this]() { showPage(StylePage); });
    connect(m_tree, &CustomTreeWidget::clickIndex, this, &MircroWebSiteSetStackWidget::chooseJob);
    showPage(BasicPage);
    loadjob();
    m_rightsDraft = new EditorDraft(this, QStringLiteral("jobRights"));
    m_rightsDraft->addField(
        QStringLiteral("rights"),
        [this]() -> QJsonValue {
            QVariantList rights;
            for (const QVariantMap& app : qAsConst(m_authList))
                rights.append(app);
            return QJsonArray::fromVariantList(rights);
        },
        [this](const QJsonValue& value) {
            m_authList.clear();
            for (const QJsonValue& app : value.toArray())
                m_authList.append(app.toObject().toVariantMap());
            fillAuth();
        });
    connect(m_permissions, &PermissionMicroWebSiteWidget::valueChange, this, [this](const QList<QVariantMap>& list) {
        dealBackValue(JobRights::ModuleAppId, list);
        m_rightsDraft->changed();
    });
    connect(cancel, &QPushButton::clicked, this, &MircroWebSiteSetStackWidget::askClose);
    connect(m_save, &QPushButton::clicked, this, &MircroWebSiteSetStackWidget::submitModify);
    connect(m_rightsFailed, &LoadFailedView::retry, this, [this]() { downloadAuthOfJob(m_currentJobId); });
}

void MircroWebSiteSetStackWidget::askClose()
{
    // "取消" gives up what was changed here, so it asks as the close button does.
    EditorDraft::closeAsking(this, [this]() { emit closeWidget(); });
}

void MircroWebSiteSetStackWidget::styleButtons(QPushButton* current)
{
    for (QPushButton* button : {m_basicButton, m_styleButton})
        button->setStyleSheet(QLatin1String(button == current ? kCurrentStyle : kNormalStyle));
}

void MircroWebSiteSetStackWidget::showPage(int which)
{
    styleButtons(nullptr);
    m_tree->chooseIndex(-1);
    if (which == BasicPage) {
        styleButtons(m_basicButton);
        if (!m_basicPage) {
            m_basicPage = new MircroWebSiteSetWidget(m_stack);
            connect(m_basicPage, &MircroWebSiteSetWidget::closeWidget, this, &MircroWebSiteSetStackWidget::askClose);
        }
        if (m_stack->indexOf(m_basicPage) < 0)
            m_stack->addWidget(m_basicPage);
        m_stack->setCurrentWidget(m_basicPage);
    } else if (which == StylePage) {
        styleButtons(m_styleButton);
        if (!m_stylePage) {
            m_stylePage = new MircroWebsiteStyleSetWidget(m_stack);
            connect(m_stylePage, &MircroWebsiteStyleSetWidget::closeWidget, this, &MircroWebSiteSetStackWidget::askClose);
            connect(m_stylePage, &MircroWebsiteStyleSetWidget::updateSetUI, this, [this]() {
                if (m_basicPage)
                    m_basicPage->refresh();
                emit refreshList();
            });
        }
        if (m_stack->indexOf(m_stylePage) < 0)
            m_stack->addWidget(m_stylePage);
        m_stack->setCurrentWidget(m_stylePage);
    } else if (which == RightsPage) {
        m_tree->chooseIndex(m_currentJobIndex);
        m_stack->setCurrentIndex(0);
    }
}

void MircroWebSiteSetStackWidget::loadjob()
{
    auto* store = new BaseMessage_SqlTable(this);
    m_jobList = store->getJobList();
    store->deleteLater();
    QStringList names;
    for (const QVariantMap& job : qAsConst(m_jobList))
        names.append(job.value(QStringLiteral("name")).toString());
    m_tree->setSonTrees(names, false);
}

void MircroWebSiteSetStackWidget::chooseJob(int index)
{
    m_currentJobIndex = index;
    if (index >= 0 && index < m_jobList.size()) {
        const QVariantMap& job = m_jobList.at(index);
        m_save->setText(MnemonicText::escaped(QStringLiteral("保存<%1>设置").arg(job.value(QStringLiteral("name")).toString())));
        downloadAuthOfJob(job.value(QStringLiteral("id")).toInt());
    }
    styleButtons(nullptr);
    m_tree->chooseIndex(index);
    m_stack->setCurrentIndex(0);
}

void MircroWebSiteSetStackWidget::downloadAuthOfJob(int jobId)
{
    m_currentJobId = jobId;
    // Until this role's own rights are in, what the page holds is another role's: saving it would
    // write those under this role's id.
    m_rightsOfJob = 0;
    m_save->setEnabled(false);
    m_rightsFailed->hide();
    NetRequestObjecet* request =
        RequestWait::send(this, Api::workcenterJobauthInfo(), FormBody().add(QStringLiteral("id"), jobId), m_stack);
    // A reply for a role the user has already left would put that role's rights under this one.
    connect(request, &NetRequestObjecet::loadSuccess, this, [this, jobId](const QJsonValue& value) {
        if (jobId == m_currentJobId)
            deal_downloadJobAuth(value);
    });
    connect(request, &NetRequestObjecet::loadFail, this, [this, jobId, request]() {
        if (jobId == m_currentJobId)
            rightsFailed(request->failureReason());
    });
}

void MircroWebSiteSetStackWidget::deal_downloadJobAuth(QJsonValue resultValue)
{
    if (!JobRights::read(resultValue, &m_authList)) {
        rightsFailed(QStringLiteral("服务返回的数据无法识别"));
        return;
    }
    m_rightsOfJob = m_currentJobId;
    m_save->setEnabled(true);
    m_rightsFailed->hide();
    fillAuth();
    // The role's rights as the service holds them: a draft of them may be offered now.
    m_rightsDraft->setRecord(m_currentJobId);
    m_rightsDraft->start();
}

void MircroWebSiteSetStackWidget::rightsFailed(const QString& reason)
{
    m_rightsOfJob = 0;
    m_save->setEnabled(false);
    m_rightsFailed->showReason(reason);
}

void MircroWebSiteSetStackWidget::fillAuth()
{
    // A role without the module's rights shows none rather than the previous role's.
    QVariantList list;
    for (const QVariantMap& right : JobRights::contentOf(m_authList, JobRights::ModuleAppId))
        list.append(right);
    m_permissions->setData(list);
    emit rightsShown();
}

void MircroWebSiteSetStackWidget::dealBackValue(int appId, QList<QVariantMap> list)
{
    if (!rightsReady())
        return;
    if (!JobRights::merge(&m_authList, appId, list) && m_currentJobId > 0) {
        // The role held none of the module's rights yet: they start with this change.
        m_authList.append({{QStringLiteral("id"), appId}, {QStringLiteral("content"), QVariantList()}});
        JobRights::merge(&m_authList, appId, list);
    }
}

void MircroWebSiteSetStackWidget::submitModify()
{
    if (m_currentJobIndex < 0 || m_currentJobIndex >= m_jobList.size() || m_currentJobId <= 0) {
        AlertWidget::showWarning(QStringLiteral("请先在左侧选择要设置权限的角色"));
        return;
    }
    const QString name = m_jobList.at(m_currentJobIndex).value(QStringLiteral("name")).toString();
    if (!rightsReady()) {
        AlertWidget::showWarning(QStringLiteral("<%1>的权限尚未读取成功，无法保存").arg(name));
        return;
    }
    const FormBody body = FormBody()
                              .add(QStringLiteral("content"), NetRequestObjecet::mapListToJson(m_authList))
                              .add(QStringLiteral("id"), m_currentJobId);
    NetRequestObjecet* request = RequestWait::send(this, Api::workcenterJobedit(), body, this);
    // The save button stays as the role's rights left it: a role changed meanwhile may still be read.
    SaveOutcome::follow(request, this, QStringLiteral("保存<%1>权限设置成功！").arg(name), nullptr,
                        SaveOutcome::Confirmation::Tip);
    connect(request, &NetRequestObjecet::loadSuccess, this, &MircroWebSiteSetStackWidget::rightsSaved);
}
