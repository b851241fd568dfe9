#include "listings/common/HouseTableLabelItemView.h"

#include "widgets/inputs/OmitLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>

namespace {
const int kBadgeWidth = 25;
const int kBadgeHeight = 15;
} // namespace

HouseTableLabelItemView::HouseTableLabelItemView(QWidget* parent)
    : TableCellItemView(parent)
    , m_label(new OmitLabel(this))
    , m_badge(new QLabel(this))
{
    QFont font(QStringLiteral("微软雅黑"));
    font.setPixelSize(13);
    m_label->setFont(font);
    m_label->setElideMode(Qt::ElideRight);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_label);

    m_badge->setFixedSize(kBadgeWidth, kBadgeHeight);
    m_badge->setPixmap(QPixmap(QStringLiteral(":/res/hasread.png")));
    m_badge->setScaledContents(true);
    m_badge->hide();
}

bool HouseTableLabelItemView::isBadgeShown() const
{
    return !m_badge->isHidden();
}

void HouseTableLabelItemView::setText(const QString& text, bool showBadge)
{
    m_text = text;
    m_label->setText(QLatin1Char(' ') + text);
    m_badge->setVisible(showBadge);
    placeBadge();
}

void HouseTableLabelItemView::resizeEvent(QResizeEvent* event)
{
    TableCellItemView::resizeEvent(event);
    placeBadge();
}

void HouseTableLabelItemView::placeBadge()
{
    m_badge->move(width() - kBadgeWidth, 0);
    m_badge->raise();
}
