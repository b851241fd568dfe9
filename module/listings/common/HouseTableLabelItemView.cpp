#include "listings/common/HouseTableLabelItemView.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace {
const int kBadgeWidth = 25;
const int kBadgeHeight = 15;
} // namespace

HouseTableLabelItemView::HouseTableLabelItemView(QWidget* parent)
    : TableCellItemView(parent)
{
    static const QFont font = [] {
        QFont cellFont(QStringLiteral("微软雅黑"));
        cellFont.setPixelSize(13);
        return cellFont;
    }();
    setFont(font);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

bool HouseTableLabelItemView::isBadgeShown() const
{
    return m_badge && !m_badge->isHidden();
}

void HouseTableLabelItemView::setText(const QString& text, bool showBadge)
{
    m_text = text.left(MaxTextLength);
    setToolTip(m_text.isEmpty() ? QString() : QStringLiteral("<p>%1</p>").arg(m_text.toHtmlEscaped()));
    // Few cells carry the badge; it is made when first needed.
    if (showBadge && !m_badge) {
        m_badge = new QLabel(this);
        m_badge->setFixedSize(kBadgeWidth, kBadgeHeight);
        m_badge->setPixmap(QPixmap(QStringLiteral(":/res/hasread.png")));
        m_badge->setScaledContents(true);
    }
    if (m_badge)
        m_badge->setVisible(showBadge);
    placeBadge();
    update();
}

QString HouseTableLabelItemView::shownText() const
{
    return fontMetrics().elidedText(QLatin1Char(' ') + m_text, Qt::ElideRight, width());
}

void HouseTableLabelItemView::paintEvent(QPaintEvent* event)
{
    TableCellItemView::paintEvent(event);
    QPainter painter(this);
    // The row's colours come from the style sheet the table gives the row's cells.
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shownText());
}

void HouseTableLabelItemView::resizeEvent(QResizeEvent* event)
{
    TableCellItemView::resizeEvent(event);
    placeBadge();
}

void HouseTableLabelItemView::placeBadge()
{
    if (!m_badge)
        return;
    m_badge->move(width() - kBadgeWidth, 0);
    m_badge->raise();
}
