#ifndef TABLECELLITEMVIEW_H
#define TABLECELLITEMVIEW_H

#include <QWidget>

// A cell widget of a HoverTableWidget: it knows its row and column and tells the table when the
// pointer enters it and when it is pressed, so that the table can paint and open the row.
class TableCellItemView : public QWidget
{
    Q_OBJECT
public:
    explicit TableCellItemView(QWidget* parent = nullptr);

    int row() const { return m_row; }
    int column() const { return m_column; }
    void setPosition(int row, int column);

signals:
    void enterRow(int row);
    void clickRow(int row);

protected:
    void enterEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int m_row = -1;
    int m_column = -1;
};

#endif // TABLECELLITEMVIEW_H
