#include "listings/pickers/MicroWebsiteChooseHouseHadView.h"

#include "widgets/inputs/OmitLabel.h"

#include <QHBoxLayout>
#include <QPushButton>

MicroWebsiteChooseHouseHadView::MicroWebsiteChooseHouseHadView(const QString& text, QWidget* parent)
    : QWidget(parent)
    , m_text(text)
{
    setObjectName(QStringLiteral("MicroWebsiteChooseHouseHadView"));
    setFixedHeight(30);
    auto* label = new OmitLabel(this);
    label->setText(text);
    m_delete = new QPushButton(QStringLiteral("×"), this);
    m_delete->setObjectName(QStringLiteral("deleteButton"));
    m_delete->setToolTip(QStringLiteral("移除"));
    m_delete->setCursor(Qt::PointingHandCursor);
    m_delete->setFixedSize(20, 20);
    m_delete->setStyleSheet(QStringLiteral("QPushButton{border:none;color:#999999;background:transparent;font-size:16px;}"
                                           "QPushButton:hover{color:#e64340;}"));
    connect(m_delete, &QPushButton::clicked, this, &MicroWebsiteChooseHouseHadView::deleteItem);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 0, 4, 0);
    layout->addWidget(label, 1);
    layout->addWidget(m_delete);
}
