#include "content/jobs/JoinUsListView.h"

#include "listings/common/DisplayText.h"
#include "widgets/inputs/OmitLabel.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>

JoinUsListView::JoinUsListView(const MicroWebsite_JoinUsJob_Model::DataModel& job, bool editable, QWidget* parent)
    : QWidget(parent)
    , m_job(job)
{
    setObjectName(QStringLiteral("JoinUsListView"));
    setAttribute(Qt::WA_StyledBackground);
    setCursor(Qt::PointingHandCursor);
    setFixedHeight(48);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(20, 0, 20, 0);
    layout->setSpacing(10);
    const QList<QPair<QString, int>> cells = {{job.title, 3}, {job.xueli, 2}, {job.jingyan, 2}, {job.xinzi, 2}};
    for (const auto& cell : cells) {
        auto* label = new OmitLabel(this);
        label->setText(DisplayText::orDash(cell.first));
        layout->addWidget(label, cell.second);
    }
    m_modify = new QPushButton(QStringLiteral("修改"), this);
    m_modify->setObjectName(QStringLiteral("modifyButton"));
    m_delete = new QPushButton(QStringLiteral("删除"), this);
    m_delete->setObjectName(QStringLiteral("deleteButton"));
    for (QPushButton* button : {m_modify, m_delete}) {
        button->setFixedSize(50, 26);
        button->setStyleSheet(QStringLiteral("QPushButton{border:none;color:#3e8ef7;background:transparent;}"
                                             "QPushButton:hover{text-decoration:underline;}"));
        button->setVisible(editable);
    }
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(0);
    buttons->addWidget(m_modify);
    buttons->addWidget(m_delete);
    auto* holder = new QWidget(this);
    holder->setLayout(buttons);
    holder->setFixedWidth(110);
    layout->addWidget(holder);
    connect(m_modify, &QPushButton::clicked, this, &JoinUsListView::modifyClick);
    connect(m_delete, &QPushButton::clicked, this, &JoinUsListView::deleteClick);
}

void JoinUsListView::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->pos()))
        emit clickItem();
}
