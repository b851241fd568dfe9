#include "content/jobs/AddNewTagWidget.h"

#include "widgets/inputs/ButtonStyles.h"
#include "widgets/popups/AlertWidget.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

AddNewTagWidget::AddNewTagWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("AddNewTagWidget"));
    m_edit = new QLineEdit(this);
    m_edit->setPlaceholderText(QStringLiteral("请输入要添加的标签名"));
    m_edit->setMaxLength(20);
    m_edit->setFixedHeight(30);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    auto* sure = new QPushButton(QStringLiteral("确定"), this);
    sure->setObjectName(QStringLiteral("sureButton"));
    sure->setDefault(true);
    sure->setStyleSheet(ButtonStyles::primary());
    for (QPushButton* button : {cancel, sure}) {
        button->setFixedSize(70, 28);
        button->setCursor(Qt::PointingHandCursor);
    }
    connect(sure, &QPushButton::clicked, this, &AddNewTagWidget::confirm);
    connect(m_edit, &QLineEdit::returnPressed, this, &AddNewTagWidget::confirm);
    connect(cancel, &QPushButton::clicked, this, &AddNewTagWidget::closeWidget);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(sure);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 10, 16, 10);
    layout->addWidget(m_edit);
    layout->addLayout(buttons);
}

QString AddNewTagWidget::text() const
{
    return m_edit->text();
}

void AddNewTagWidget::confirm()
{
    const QString text = m_edit->text();
    if (text.contains(QLatin1Char(',')) || text.contains(QChar(0xFF0C))) {
        AlertWidget::showWarning(QStringLiteral("标签不能包含逗号"));
        return;
    }
    emit sureClick();
}
