#ifndef HOVERTABLEWIDGET_H
#define HOVERTABLEWIDGET_H

#include <QColor>
#include <QList>
#include <QModelIndex>
#include <QStringList>
#include <QTableWidget>

// The table of the listing pages: whole rows light up under the pointer and stay marked when
// clicked. Its cells are widgets (TableCellItemView), so the rows are painted through them.
class HoverTableWidget : public QTableWidget
{
    Q_OBJECT
public:
    explicit HoverTableWidget(QWidget* parent = nullptr);

    // Places the widget; a TableCellItemView learns its row and column and reports pointer and
    // clicks to this table.
    void setCellWidget(int row, int column, QWidget* widget);

    // Colours of one row; rows without an entry use the default colours.
    void setRowColors(int row, const QColor& text, const QColor& background, const QColor& hoverText,
                      const QColor& hoverBackground);
    void clearRowColors();

    // Empties the cells and forgets the hovered and selected rows, ready for a new page of rows.
    void clearCells();
    // Keeps the cells for new rows to be written into them: the hovered and selected rows are
    // painted as plain rows again and forgotten.
    void forgetRowStates();

    int hoverRow() const { return m_hoverRow; }
    int selectedRow() const { return m_selectedRow; }

    // The style a cell gets when its row is painted.
    static QString rowStyle(const QColor& background, const QColor& text);

signals:
    void clickRowIndex(int row);

public slots:
    void rowHadClick(int row);
    void cellHasEntered(int row);
    void showToolTip(const QModelIndex& index);
    void selectRow(int row);
    void setVerHeaderContent(const QString& title, const QStringList& list);

protected:
    void leaveEvent(QEvent* event) override;

private:
    struct RowColors
    {
        int row = -1;
        QColor text = QColor(0, 0, 0, 255);
        QColor background = QColor(255, 255, 255, 0);
        QColor hoverText = QColor(30, 30, 30, 255);
        QColor hoverBackground = QColor(230, 230, 230, 255);
    };

    RowColors colorsFor(int row) const;
    bool rowHasWidget(int row) const;
    void paintRow(int row, bool hover);

    QList<RowColors> m_rowColors;
    int m_hoverRow = -1;
    int m_selectedRow = -1;
    int m_previousSelected = -1;
};

#endif // HOVERTABLEWIDGET_H
