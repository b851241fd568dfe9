#ifndef SORTITEMVIEW_H
#define SORTITEMVIEW_H

#include <QPoint>
#include <QWidget>

class HelpQuestionWidget;
class QCheckBox;
class QMimeData;
class QPushButton;
class QTimer;

// One item of an ordering grid: a check box with its title, an optional help tip and settings
// button; dragged onto another item of the same grid to move there.
class SortItemView : public QWidget
{
    Q_OBJECT
public:
    explicit SortItemView(QWidget* parent = nullptr);

    void setData(const QString& title, bool choose, bool hasButton, int row, int column);
    // Where the item stands now in its grid (which reflows with its width).
    void setPosition(int row, int column);
    void setTipId(int tipId);
    void setRequired();
    bool isChosen() const;
    int row() const { return m_row; }
    int column() const { return m_column; }
    QCheckBox* checkBox() const { return m_box; }
    QPushButton* settingsButton() const { return m_button; }
    // The drag's text for this item: "row,column".
    QString dragText() const;

signals:
    void statechange(bool choose);
    void changeTo(int fromRow, int fromColum, int toRow, int toColum);
    void btnClick();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void startDrag();
    void applyStyle(bool highlighted);
    // Whether a drag comes from an item of this item's own grid.
    bool acceptsDrag(const QMimeData* mime) const;

    QCheckBox* m_box = nullptr;
    QPushButton* m_button = nullptr;
    HelpQuestionWidget* m_tip = nullptr;
    QTimer* m_dragTimer = nullptr;
    QPoint m_pressPoint;
    QString m_title;
    int m_row = 0;
    int m_column = 0;
    bool m_required = false;
};

#endif // SORTITEMVIEW_H
