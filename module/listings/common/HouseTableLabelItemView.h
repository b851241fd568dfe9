#ifndef HOUSETABLELABELITEMVIEW_H
#define HOUSETABLELABELITEMVIEW_H

#include "listings/common/TableCellItemView.h"

#include <QString>

class OmitLabel;
class QLabel;

// A text cell of the listing tables: one line that shortens itself to the column's width, and an
// optional "read" badge at its right edge.
class HouseTableLabelItemView : public TableCellItemView
{
    Q_OBJECT
public:
    explicit HouseTableLabelItemView(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    bool isBadgeShown() const;
    OmitLabel* label() const { return m_label; }

public slots:
    void setText(const QString& text, bool showBadge = false);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeBadge();

    OmitLabel* m_label = nullptr;
    QLabel* m_badge = nullptr;
    QString m_text;
};

#endif // HOUSETABLELABELITEMVIEW_H
