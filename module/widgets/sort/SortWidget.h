#ifndef SORTWIDGET_H
#define SORTWIDGET_H

#include <QList>
#include <QVariantMap>
#include <QWidget>

class QGridLayout;
class SortItemView;

// An ordering grid: items shown and chosen by check boxes and reordered by dragging one onto
// another. Each grid has an object name of its own, and only drags that started in it are taken.
// The columns asked for are the most per row: a grid narrower than that reflows into fewer.
class SortWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr int RowHeight = 40;

    explicit SortWidget(QWidget* parent = nullptr);

    void setData(const QList<QVariantMap>& list, int columns);
    void setButtonIds(const QList<int>& ids);
    QList<QVariantMap> getData() const { return m_items; }
    bool noneChosen() const;
    QList<SortItemView*> itemViews() const { return m_views; }
    // Items per row as shown now.
    int shownColumns() const { return m_shown; }
    // One item's width: the grid takes any width from there.
    QSize minimumSizeHint() const override;
    // Moves the item at `from` to `to` (positions in the list); false when either lies outside it.
    static bool moveItem(QList<QVariantMap>& items, int from, int to);

signals:
    void btnClick(int id);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void changeTo(int fromRow, int fromColumn, int toRow, int toColumn);
    int cellWidth() const;
    int columnsFor(int width) const;
    // Puts the views into rows of m_shown.
    void arrange();

    QGridLayout* m_grid = nullptr;
    QList<QVariantMap> m_items;
    QList<int> m_buttonIds;
    QList<SortItemView*> m_views;
    int m_columns = 5;
    int m_shown = 5;
    bool m_laidOut = false;
};

#endif // SORTWIDGET_H
