#include "content/jobs/JoinUsDetailMessageWidget.h"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

JoinUsDetailMessageWidget::JoinUsDetailMessageWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("JoinUsDetailMessageWidget"));
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->setSpacing(10);
    m_title = addLabel(QStringLiteral("titleLabel"), QStringLiteral("font-size:18px;font-weight:bold;color:#333333;"));
    m_salary = addLabel(QStringLiteral("salaryLabel"), QStringLiteral("font-size:16px;color:#ff6600;"));
    m_salary->setText(QStringLiteral("0元/月"));
    m_requirements = addLabel(QStringLiteral("requirementsLabel"), QStringLiteral("color:#666666;"));
    m_tags = addLabel(QStringLiteral("tagsLabel"), QStringLiteral("color:#3e8ef7;"));
    m_tel = addLabel(QStringLiteral("telLabel"), QStringLiteral("color:#333333;"));
    m_address = addLabel(QStringLiteral("addressLabel"), QStringLiteral("color:#333333;"));
    m_content = addLabel(QStringLiteral("contentLabel"), QStringLiteral("color:#333333;"));
    for (QLabel* label : {m_title, m_salary, m_requirements, m_tags, m_tel, m_address, m_content}) {
        label->setParent(body);
        layout->addWidget(label);
    }
    layout->addStretch();

    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(body);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
}

QLabel* JoinUsDetailMessageWidget::addLabel(const QString& name, const QString& style)
{
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setStyleSheet(style);
    return label;
}

void JoinUsDetailMessageWidget::setJob(const MicroWebsite_JoinUsJob_Model::DataModel& job)
{
    m_title->setText(job.title);
    m_salary->setText(job.xinzi);
    m_requirements->setText(QStringLiteral("%1 | %2").arg(job.xueli, job.jingyan));
    m_tags->setText(job.tags.join(QStringLiteral("  ")));
    m_tags->setVisible(!job.tags.isEmpty());
    m_tel->setText(QStringLiteral("联系电话：") + job.tel);
    m_address->setText(QStringLiteral("地址：") + job.address);
    m_content->setText(job.content);
}
