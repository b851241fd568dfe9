#include "widgets/inputs/ChoosePeople_Item.h"

#include "widgets/inputs/OmitLabel.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPushButton>

namespace {

const int kMaxChipWidth = 200;

} // namespace

ChoosePeople_Item::ChoosePeople_Item(const QVariantMap& map, const QString& textKey, QWidget* parent)
    : QWidget(parent)
    , m_map(map)
    , m_textKey(textKey)
{
    setObjectName(QStringLiteral("ChoosePeople_Item"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#ChoosePeople_Item{background:#eef4fe;border:1px solid #b9d3fb;border-radius:3px;}"));
    m_label = new OmitLabel(this);
    m_label->setText(map.value(textKey).toString());
    m_label->setStyleSheet(QStringLiteral("color:#3e8ef7;background:transparent;border:none;"));
    m_delete = new QPushButton(QStringLiteral("×"), this);
    m_delete->setObjectName(QStringLiteral("deleteChipButton"));
    m_delete->setToolTip(QStringLiteral("删除"));
    m_delete->setCursor(Qt::PointingHandCursor);
    m_delete->setFixedSize(16, 16);
    m_delete->setStyleSheet(QStringLiteral("QPushButton{border:none;color:#999999;background:transparent;}"
                                           "QPushButton:hover{color:#e64340;}"));
    connect(m_delete, &QPushButton::clicked, this, &ChoosePeople_Item::deleteBtnClick);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 2, 4, 2);
    layout->setSpacing(4);
    layout->addWidget(m_label, 1);
    layout->addWidget(m_delete);

    // As wide as the text needs, up to a limit past which the text elides.
    const int textWidth = QFontMetrics(m_label->font()).horizontalAdvance(m_label->fullText()) + 4;
    setFixedSize(qMin(kMaxChipWidth, textWidth + 8 + 4 + 4 + m_delete->width()), 26);
}

QString ChoosePeople_Item::text() const
{
    return m_map.value(m_textKey).toString();
}

void ChoosePeople_Item::mouseDoubleClickEvent(QMouseEvent* event)
{
    QWidget::mouseDoubleClickEvent(event);
    emit modifyItem();
}
