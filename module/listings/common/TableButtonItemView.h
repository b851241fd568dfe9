#ifndef TABLEBUTTONITEMVIEW_H
#define TABLEBUTTONITEMVIEW_H

#include "listings/common/TableCellItemView.h"

#include <QList>
#include <QString>
#include <QStringList>

class QHBoxLayout;
class QPushButton;

// A table cell holding a row of small outlined buttons, such as the operations of a listing.
// A click on one reports the row (clickRow) and then the button's text (btnClick).
class TableButtonItemView : public TableCellItemView
{
    Q_OBJECT
public:
    explicit TableButtonItemView(QWidget* parent = nullptr);

    // Replaces the buttons by one per title, left to right.
    void createBtns(const QStringList& titleList);
    // Appends style to the style sheet of the button whose text is text.
    void addBtnStyle(const QString& text, const QString& style);

    QList<QPushButton*> buttons() const { return m_buttons; }
    // The button with this text, or null.
    QPushButton* button(const QString& text) const;
    // True while a button's click is being reported as a click on the row, so that whoever
    // opens rows can tell an operation from a click on the row itself.
    bool isReportingButtonClick() const { return m_reportingButtonClick; }

    static QString baseButtonStyle();

signals:
    void btnClick(int row, const QString& txt);

private:
    void onButtonClicked(QPushButton* button);

    QHBoxLayout* m_layout = nullptr;
    QList<QPushButton*> m_buttons;
    bool m_reportingButtonClick = false;
};

#endif // TABLEBUTTONITEMVIEW_H
