#include "listings/common/HouseListTableHeadView.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolTip>

HouseListTableHeadView::HouseListTableHeadView(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent)
{
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
}

void HouseListTableHeadView::setSortColumns(int currentColumn, const QList<int>& sortable)
{
    m_currentSort = currentColumn;
    m_sortable = sortable;
    viewport()->update();
}

QString HouseListTableHeadView::sortIcon(bool ascending)
{
    return ascending ? QStringLiteral("://res/icon_sort_up.png") : QStringLiteral("://res/icon_sort_down.png");
}

void HouseListTableHeadView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    painter->save();
    QHeaderView::paintSection(painter, rect, logicalIndex);
    painter->restore();
    if (!m_sortable.contains(logicalIndex))
        return;
    const QRect iconRect(rect.x() + rect.width() - 25, rect.top() + 3 + (rect.height() - 20) / 2, 20, 20);
    painter->drawPixmap(iconRect, QPixmap(sortIcon(logicalIndex == m_currentSort && m_ascending)));
}

void HouseListTableHeadView::mousePressEvent(QMouseEvent* event)
{
    const int section = logicalIndexAt(event->pos());
    if (section >= 0 && m_sortable.contains(section)) {
        m_ascending = !m_ascending;
        emit sectionPressed(section);
        viewport()->update();
    }
    QHeaderView::mousePressEvent(event);
}

void HouseListTableHeadView::mouseMoveEvent(QMouseEvent* event)
{
    hintAt(event->pos(), event->globalPos());
    QHeaderView::mouseMoveEvent(event);
}

void HouseListTableHeadView::enterEvent(QEvent* event)
{
    QHeaderView::enterEvent(event);
    hintAt(viewport()->mapFromGlobal(QCursor::pos()), QCursor::pos());
}

void HouseListTableHeadView::hintAt(const QPoint& viewportPos, const QPoint& globalPos)
{
    m_hoverSection = logicalIndexAt(viewportPos);
    if (m_hoverSection >= 0 && m_sortable.contains(m_hoverSection))
        QToolTip::showText(globalPos, QStringLiteral("双击排序"), this);
    else
        QToolTip::hideText();
}
