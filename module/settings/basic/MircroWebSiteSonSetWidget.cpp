#include "settings/basic/MircroWebSiteSonSetWidget.h"

#include "widgets/inputs/ButtonStyles.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/sort/SortWidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

MircroWebSiteSonSetWidget::MircroWebSiteSonSetWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MircroWebSiteSonSetWidget"));
    m_grid = new SortWidget(this);
    m_grid->setObjectName(QStringLiteral("sonSortWidget"));
    auto* sure = new QPushButton(QStringLiteral("确定"), this);
    sure->setObjectName(QStringLiteral("sureButton"));
    sure->setFixedSize(90, 30);
    sure->setCursor(Qt::PointingHandCursor);
    sure->setStyleSheet(ButtonStyles::primary());
    connect(sure, &QPushButton::clicked, this, [this]() {
        if (m_grid->noneChosen()) {
            AlertWidget::showWarning(QStringLiteral("请至少选择一个类目项显示"));
            return;
        }
        emit backModifyValue(m_grid->getData());
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(sure);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 12, 20, 12);
    layout->addWidget(new QLabel(QStringLiteral("选择并排序(拖动排序)："), this));
    layout->addWidget(m_grid);
    layout->addStretch();
    layout->addLayout(buttons);
}

void MircroWebSiteSonSetWidget::setData(const QList<QVariantMap>& list)
{
    m_grid->setData(list, 6);
}
