#ifndef HOUSELISTTABLEHEADVIEW_H
#define HOUSELISTTABLEHEADVIEW_H

#include <QHeaderView>
#include <QList>

// The header of the listing tables. Sortable sections show a sort arrow and the hint "双击排序";
// a press on one flips the sort direction.
class HouseListTableHeadView : public QHeaderView
{
    Q_OBJECT
public:
    explicit HouseListTableHeadView(Qt::Orientation orientation, QWidget* parent = nullptr);

    void setSortColumns(int currentColumn, const QList<int>& sortable);
    QList<int> sortColumns() const { return m_sortable; }
    int currentSortColumn() const { return m_currentSort; }
    bool isAscending() const { return m_ascending; }

    static QString sortIcon(bool ascending);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEvent* event) override;

private:
    void hintAt(const QPoint& viewportPos, const QPoint& globalPos);

    QList<int> m_sortable;
    int m_currentSort = 0;
    bool m_ascending = false;
    int m_hoverSection = -1;
};

#endif // HOUSELISTTABLEHEADVIEW_H
