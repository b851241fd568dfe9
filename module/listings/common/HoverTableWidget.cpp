#include "listings/common/HoverTableWidget.h"

#include "listings/common/TableCellItemView.h"

#include <QAbstractButton>
#include <QCursor>
#include <QHeaderView>
#include <QToolTip>

HoverTableWidget::HoverTableWidget(QWidget* parent)
    : QTableWidget(parent)
{
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setFixedHeight(40);
    setContextMenuPolicy(Qt::CustomContextMenu);

    connect(this, &QTableWidget::entered, this, &HoverTableWidget::showToolTip);
    connect(this, &QTableWidget::cellClicked, this, [this](int row, int) {
        rowHadClick(row);
        emit clickRowIndex(row);
    });
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const int row = rowAt(pos.y());
        if (row >= 0)
            rowHadClick(row);
    });
}

void HoverTableWidget::setCellWidget(int row, int column, QWidget* widget)
{
    if (auto* cell = qobject_cast<TableCellItemView*>(widget)) {
        cell->setPosition(row, column);
        connect(cell, &TableCellItemView::enterRow, this, &HoverTableWidget::cellHasEntered);
        connect(cell, &TableCellItemView::clickRow, this, [this](int clicked) {
            rowHadClick(clicked);
            emit clickRowIndex(clicked);
        });
    }
    QTableWidget::setCellWidget(row, column, widget);
}

void HoverTableWidget::setRowColors(int row, const QColor& text, const QColor& background, const QColor& hoverText,
                                    const QColor& hoverBackground)
{
    for (int i = 0; i < m_rowColors.size(); ++i) {
        if (m_rowColors.at(i).row == row) {
            m_rowColors.removeAt(i);
            break;
        }
    }
    RowColors colors;
    colors.row = row;
    colors.text = text;
    colors.background = background;
    colors.hoverText = hoverText;
    colors.hoverBackground = hoverBackground;
    m_rowColors.append(colors);
}

void HoverTableWidget::forgetRowStates()
{
    for (int row : {m_hoverRow, m_selectedRow, m_previousSelected}) {
        if (rowHasWidget(row))
            paintRow(row, false);
    }
    m_hoverRow = -1;
    m_selectedRow = -1;
    m_previousSelected = -1;
}

void HoverTableWidget::clearRowColors()
{
    m_rowColors.clear();
}

void HoverTableWidget::clearCells()
{
    clearContents();
    m_hoverRow = -1;
    m_selectedRow = -1;
    m_previousSelected = -1;
}

QString HoverTableWidget::rowStyle(const QColor& background, const QColor& text)
{
    return QStringLiteral("background-color:rgba(%1,%2,%3,%4);color:rgba(%5,%6,%7,%8);")
        .arg(background.red())
        .arg(background.green())
        .arg(background.blue())
        .arg(background.alpha())
        .arg(text.red())
        .arg(text.green())
        .arg(text.blue())
        .arg(text.alpha());
}

HoverTableWidget::RowColors HoverTableWidget::colorsFor(int row) const
{
    for (const RowColors& colors : m_rowColors) {
        if (colors.row == row)
            return colors;
    }
    return RowColors();
}

bool HoverTableWidget::rowHasWidget(int row) const
{
    return row >= 0 && row < rowCount() && columnCount() > 0 && cellWidget(row, 0);
}

void HoverTableWidget::paintRow(int row, bool hover)
{
    if (row < 0 || row >= rowCount())
        return;
    const RowColors colors = colorsFor(row);
    const QString style = hover ? rowStyle(colors.hoverBackground, colors.hoverText)
                                : rowStyle(colors.background, colors.text);
    for (int column = 0; column < columnCount(); ++column) {
        if (QWidget* widget = cellWidget(row, column))
            widget->setStyleSheet(style);
    }
}

void HoverTableWidget::cellHasEntered(int row)
{
    if (m_hoverRow != m_selectedRow && rowHasWidget(m_hoverRow))
        paintRow(m_hoverRow, false);
    if (rowHasWidget(row))
        paintRow(row, true);
    m_hoverRow = row;
}

void HoverTableWidget::rowHadClick(int row)
{
    if (row == m_selectedRow)
        return;
    m_previousSelected = m_selectedRow;
    m_selectedRow = row;
    cellHasEntered(row);
    if (m_previousSelected != -1 && rowHasWidget(m_previousSelected))
        paintRow(m_previousSelected, false);
}

void HoverTableWidget::selectRow(int row)
{
    m_previousSelected = m_selectedRow;
    m_selectedRow = row;
    cellHasEntered(row);
    QTableWidget::selectRow(row);
}

void HoverTableWidget::leaveEvent(QEvent* event)
{
    QTableWidget::leaveEvent(event);
    if (m_hoverRow != m_selectedRow && rowHasWidget(m_hoverRow))
        paintRow(m_hoverRow, false);
}

void HoverTableWidget::showToolTip(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    cellHasEntered(index.row());
    const QString text = index.data(Qt::DisplayRole).toString();
    if (!text.isEmpty())
        QToolTip::showText(QCursor::pos(), text, this);
}

void HoverTableWidget::setVerHeaderContent(const QString& title, const QStringList& list)
{
    verticalHeader()->show();
    if (auto* corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly))
        corner->setText(title);
    setVerticalHeaderLabels(list);
}
