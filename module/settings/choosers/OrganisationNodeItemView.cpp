#include "settings/choosers/OrganisationNodeItemView.h"

#include "widgets/inputs/MnemonicText.h"
#include "widgets/inputs/OmitLabel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

OrganisationNodeItemView::OrganisationNodeItemView(const Node& node, bool showPath, QWidget* parent)
    : QWidget(parent)
    , m_node(node)
{
    setObjectName(QStringLiteral("OrganisationNodeItemView"));
    setMinimumHeight(showPath && !node.path.isEmpty() ? 52 : 40);
    setStyleSheet(QStringLiteral(
        "QCheckBox{font:14px \"微软雅黑\";color:rgb(40,40,40);}"
        "QCheckBox#checkBox_withDown{font:12px \"微软雅黑\";color:rgb(100,100,100);}"
        "QLabel{font:12px \"微软雅黑\";color:rgb(150,150,150);}"
        "QPushButton{border:0px;font:13px \"微软雅黑\";color:rgb(55,129,241);}"
        "QPushButton:hover{text-decoration:underline;}"));

    m_choose = new QCheckBox(MnemonicText::escaped(node.name), this);
    m_choose->setObjectName(QStringLiteral("checkBox_choose"));
    m_choose->setCursor(Qt::PointingHandCursor);
    connect(m_choose, &QCheckBox::clicked, this, &OrganisationNodeItemView::chooseToggled);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(m_choose);
    if (showPath && !node.path.isEmpty()) {
        auto* path = new OmitLabel(this);
        path->setObjectName(QStringLiteral("label_path"));
        path->setText(node.path);
        path->setContentsMargins(22, 0, 0, 0);
        texts->addWidget(path);
    }

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 4, 12, 4);
    row->setSpacing(12);
    row->addLayout(texts, 1);
    if (node.isPerson()) {
        auto* phone = new QLabel(node.phone, this);
        phone->setObjectName(QStringLiteral("label_phone"));
        phone->setTextFormat(Qt::PlainText);
        row->addWidget(phone);
    }
    if (node.hasSubDepartments()) {
        m_withDown = new QCheckBox(QStringLiteral("含下级"), this);
        m_withDown->setObjectName(QStringLiteral("checkBox_withDown"));
        m_withDown->setCursor(Qt::PointingHandCursor);
        m_withDown->setToolTip(QStringLiteral("选择该部门及其全部下级部门"));
        connect(m_withDown, &QCheckBox::clicked, this, &OrganisationNodeItemView::withDownToggled);
        m_open = new QPushButton(QStringLiteral("下级 ›"), this);
        m_open->setObjectName(QStringLiteral("pushButton_open"));
        m_open->setCursor(Qt::PointingHandCursor);
        connect(m_open, &QPushButton::clicked, this, &OrganisationNodeItemView::openClicked);
        row->addWidget(m_withDown);
        row->addWidget(m_open);
    }
}

void OrganisationNodeItemView::setState(bool chosen, bool withDown, bool covered, const QString& coveredBy)
{
    const QSignalBlocker blockChoose(m_choose);
    m_choose->setChecked(chosen || covered);
    m_choose->setEnabled(!covered);
    m_choose->setToolTip(covered ? QStringLiteral("已包含在“%1”中").arg(coveredBy) : QString());
    if (m_withDown) {
        const QSignalBlocker blockWithDown(m_withDown);
        m_withDown->setChecked(withDown || covered);
        m_withDown->setEnabled(!covered);
    }
}
