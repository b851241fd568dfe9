#include "content/jobs/JoinUsListWidget.h"

#include "content/jobs/JoinUsAddEditWidget.h"
#include "content/jobs/JoinUsDetailMessageWidget.h"
#include "content/jobs/JoinUsListView.h"
#include "net/http/Endpoints.h"
#include "net/http/FormBody.h"
#include "net/http/NetRequestObjecet.h"
#include "net/paging/ListPager.h"
#include "store/FunctionRights.h"
#include "widgets/inputs/ButtonStyles.h"
#include "widgets/lists/CustomListWidget.h"
#include "widgets/lists/LoadFailedView.h"
#include "widgets/lists/RequestWait.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/CommonAddWidget.h"
#include "widgets/popups/PopupLauncher.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const int kJobsRight = 67;
const QSize kPopupSize(712, 612);

} // namespace

JoinUsListWidget::JoinUsListWidget(QWidget* parent)
    : QWidget(parent)
    , m_pager(new ListPager(this, MaxJobs))
{
    setObjectName(QStringLiteral("JoinUsListWidget"));
    m_addButton = new QPushButton(QStringLiteral("新增职位"), this);
    m_addButton->setObjectName(QStringLiteral("addJobButton"));
    m_addButton->setFixedSize(100, 32);
    m_addButton->setCursor(Qt::PointingHandCursor);
    m_addButton->setStyleSheet(ButtonStyles::primary());
    connect(m_addButton, &QPushButton::clicked, this, &JoinUsListWidget::add_newJob);

    auto* header = new QWidget(this);
    header->setObjectName(QStringLiteral("jobListHeader"));
    header->setAttribute(Qt::WA_StyledBackground);
    header->setStyleSheet(QStringLiteral("#jobListHeader{background:#f5f7fa;} QLabel{color:#666666;}"));
    header->setFixedHeight(40);
    auto* headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(20, 0, 20, 0);
    headerLayout->setSpacing(10);
    const QList<QPair<QString, int>> columns = {{QStringLiteral("职位名称"), 3}, {QStringLiteral("学历要求"), 2},
                                                {QStringLiteral("工作经验"), 2}, {QStringLiteral("薪资待遇"), 2}};
    for (const auto& column : columns)
        headerLayout->addWidget(new QLabel(column.first, header), column.second);
    auto* operations = new QLabel(QStringLiteral("操作"), header);
    operations->setFixedWidth(110);
    operations->setAlignment(Qt::AlignCenter);
    headerLayout->addWidget(operations);

    m_list = new CustomListWidget(this);
    LoadFailedView::follow(m_pager, m_list);
    connect(m_pager, &ListPager::pageReceived, this, &JoinUsListWidget::deal_jobListData);
    connect(m_pager, &ListPager::loadRequested, this, &JoinUsListWidget::download_jobList);

    auto* top = new QHBoxLayout;
    top->setContentsMargins(20, 10, 20, 10);
    top->addStretch();
    top->addWidget(m_addButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(top);
    layout->addWidget(header);
    layout->addWidget(m_list, 1);

    download_jobList();
}

QList<JoinUsListView*> JoinUsListWidget::rows() const
{
    return m_list->findChildren<JoinUsListView*>();
}

void JoinUsListWidget::download_jobList()
{
    RequestWait::sendPage(m_pager, Api::mtoreJoinusposts(), FormBody(), m_list);
}

void JoinUsListWidget::deal_jobListData(QJsonValue result_value)
{
    const MicroWebsite_JoinUsJob_Model model(result_value, m_pager->pageSize());
    const QList<MicroWebsite_JoinUsJob_Model::DataModel> jobs = model.getDataList();
    m_pager->accept(jobs.size(), jobs.size());
    const bool editable = FunctionRights::userHasRight(kJobsRight, this);
    QList<QWidget*> rows;
    for (const MicroWebsite_JoinUsJob_Model::DataModel& job : jobs) {
        auto* row = new JoinUsListView(job, editable);
        connect(row, &JoinUsListView::clickItem, this, [this, job]() { openDetail(job); });
        connect(row, &JoinUsListView::modifyClick, this, [this, job]() { openEditor(QStringLiteral("修改职位"), &job); });
        connect(row, &JoinUsListView::deleteClick, this, [this, job]() { askDelete(job.id); });
        rows.append(row);
    }
    m_list->replaceItems(rows);
    emit listShown();
}

void JoinUsListWidget::add_newJob()
{
    if (!FunctionRights::checkOrWarn(kJobsRight, QStringLiteral("您没有管理招聘信息的权限！"), this))
        return;
    openEditor(QStringLiteral("添加职位"), nullptr);
}

void JoinUsListWidget::openEditor(const QString& title, const MicroWebsite_JoinUsJob_Model::DataModel* job)
{
    auto* editor = new JoinUsAddEditWidget;
    if (job)
        editor->setJob(*job);
    CommonAddWidget* popup = PopupLauncher::open(title, kPopupSize, editor);
    m_popup = popup;
    connect(editor, &JoinUsAddEditWidget::addOrModifySuccess, this, [this, popup]() {
        popup->closeWidget();
        m_pager->reload();
    });
}

void JoinUsListWidget::openDetail(const MicroWebsite_JoinUsJob_Model::DataModel& job)
{
    auto* detail = new JoinUsDetailMessageWidget;
    detail->setJob(job);
    m_popup = PopupLauncher::open(QStringLiteral("职位详情"), kPopupSize, detail);
}

void JoinUsListWidget::askDelete(int id)
{
    AlertWidget* alert = AlertWidget::askConfirm(QStringLiteral("您确定要删除该职位招聘信息吗？"), AlertWidget::Tip,
                                                 QStringLiteral("删除"));
    connect(alert, &AlertWidget::sureClick, this, [this, id]() {
        NetRequestObjecet* request =
            RequestWait::send(this, Api::mtoreJoinusdelete(), FormBody().add(QStringLiteral("id"), id), m_list);
        connect(request, &NetRequestObjecet::loadSuccess, m_pager, &ListPager::reload);
    });
}
