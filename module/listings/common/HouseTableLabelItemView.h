#ifndef HOUSETABLELABELITEMVIEW_H
#define HOUSETABLELABELITEMVIEW_H

#include "listings/common/TableCellItemView.h"

#include <QString>

class QLabel;

// A text cell of the listing tables: one line that shortens itself to the column's width (the
// whole text as a tool tip), and an optional "read" badge at its right edge. It paints its text
// itself: a page fills 180 cells at once, and a label and a layout in each doubled the work.
class HouseTableLabelItemView : public TableCellItemView
{
    Q_OBJECT
public:
    // Texts are cut to this length before they are laid out.
    static constexpr int MaxTextLength = 2000;

    explicit HouseTableLabelItemView(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    // The line as it shows at the cell's width.
    QString shownText() const;
    bool isBadgeShown() const;

public slots:
    void setText(const QString& text, bool showBadge = false);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeBadge();

    QLabel* m_badge = nullptr;
    QString m_text;
};

#endif // HOUSETABLELABELITEMVIEW_H
