#include "widgets/sort/SortWidget.h"

#include "widgets/sort/SortItemView.h"

#include <QGridLayout>
#include <QResizeEvent>

SortWidget::SortWidget(QWidget* parent)
    : QWidget(parent)
{
    // Drags name their grid: a grid without a name of its own would take drops from any other.
    static int made = 0;
    setObjectName(QStringLiteral("SortWidget_%1").arg(++made));
    m_grid = new QGridLayout(this);
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setSpacing(6);
    m_grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void SortWidget::setButtonIds(const QList<int>& ids)
{
    m_buttonIds = ids;
}

bool SortWidget::noneChosen() const
{
    for (const QVariantMap& item : m_items) {
        if (item.value(QStringLiteral("choose")).toBool())
            return false;
    }
    return true;
}

bool SortWidget::moveItem(QList<QVariantMap>& items, int from, int to)
{
    if (from < 0 || from >= items.size() || to < 0 || to >= items.size())
        return false;
    items.move(from, to);
    return true;
}

void SortWidget::setData(const QList<QVariantMap>& list, int columns)
{
    m_columns = qMax(1, columns);
    for (SortItemView* view : qAsConst(m_views)) {
        m_grid->removeWidget(view);
        view->hide();
        view->deleteLater();
    }
    m_views.clear();
    m_items = list;
    for (int i = 0; i < m_items.size(); ++i) {
        const QVariantMap& item = m_items.at(i);
        auto* view = new SortItemView(this);
        view->setFixedHeight(RowHeight - 6);
        const int id = item.value(QStringLiteral("id")).toInt();
        view->setData(item.value(QStringLiteral("title")).toString(), item.value(QStringLiteral("choose")).toBool(),
                      m_buttonIds.contains(id), 0, 0);
        const int tip = item.value(QStringLiteral("tip_id")).toInt();
        if (tip != 0)
            view->setTipId(tip);
        if (item.value(QStringLiteral("default_choose")).toBool())
            view->setRequired();
        connect(view, &SortItemView::statechange, this, [this, i](bool choose) {
            if (i < m_items.size())
                m_items[i].insert(QStringLiteral("choose"), choose);
        });
        connect(view, &SortItemView::changeTo, this, &SortWidget::changeTo);
        connect(view, &SortItemView::btnClick, this, [this, id]() { emit btnClick(id); });
        m_views.append(view);
    }
    // Before the grid has a width of its own, it shows all the columns asked for.
    m_shown = m_laidOut ? columnsFor(width()) : m_columns;
    arrange();
    for (SortItemView* view : qAsConst(m_views))
        view->show();
}

QSize SortWidget::minimumSizeHint() const
{
    return QSize(m_views.isEmpty() ? 0 : cellWidth(), minimumHeight());
}

void SortWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_laidOut = true;
    const int fitting = columnsFor(width());
    if (fitting != m_shown) {
        m_shown = fitting;
        arrange();
    }
}

int SortWidget::cellWidth() const
{
    int widest = 0;
    for (const SortItemView* view : m_views)
        widest = qMax(widest, view->sizeHint().width());
    return widest;
}

int SortWidget::columnsFor(int width) const
{
    const int cell = cellWidth();
    if (cell <= 0)
        return m_columns;
    const int spacing = m_grid->horizontalSpacing();
    return qBound(1, (width + spacing) / (cell + spacing), m_columns);
}

void SortWidget::arrange()
{
    for (SortItemView* view : qAsConst(m_views))
        m_grid->removeWidget(view);
    for (int i = 0; i < m_views.size(); ++i) {
        m_views.at(i)->setPosition(i / m_shown, i % m_shown);
        m_grid->addWidget(m_views.at(i), i / m_shown, i % m_shown);
    }
    const int rows = (m_views.size() + m_shown - 1) / m_shown;
    setFixedHeight(rows * RowHeight);
}

void SortWidget::changeTo(int fromRow, int fromColumn, int toRow, int toColumn)
{
    if (fromColumn < 0 || fromColumn >= m_shown || toColumn < 0 || toColumn >= m_shown)
        return;
    if (!moveItem(m_items, fromRow * m_shown + fromColumn, toRow * m_shown + toColumn))
        return;
    // The views are rebuilt after the drop has been handled, not under the view that took it.
    QMetaObject::invokeMethod(this, [this]() { setData(m_items, m_columns); }, Qt::QueuedConnection);
}
