#include "listings/common/TableCellItemView.h"

#include <QMouseEvent>

TableCellItemView::TableCellItemView(QWidget* parent)
    : QWidget(parent)
{
    // The table paints a row by giving its cells a background through a style sheet.
    setAttribute(Qt::WA_StyledBackground);
    setCursor(Qt::PointingHandCursor);
}

void TableCellItemView::setPosition(int row, int column)
{
    m_row = row;
    m_column = column;
}

void TableCellItemView::enterEvent(QEvent* event)
{
    QWidget::enterEvent(event);
    if (m_row >= 0)
        emit enterRow(m_row);
}

void TableCellItemView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_row >= 0) {
        // Taken here, so the table underneath does not report the same click a second time.
        event->accept();
        emit clickRow(m_row);
        return;
    }
    QWidget::mousePressEvent(event);
}
