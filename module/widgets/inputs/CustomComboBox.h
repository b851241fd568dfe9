#ifndef CUSTOMCOMBOBOX_H
#define CUSTOMCOMBOBOX_H

#include <QComboBox>
#include <QStringList>

class CustomComboBoxLineEdit;
class QStyledItemDelegate;

// A combo box with a centred, read-only text and 30 px rows. clickItem() follows every choice the
// user makes in the list, also when the entry is the one already shown.
class CustomComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit CustomComboBox(QWidget* parent = nullptr);

    // Replaces the entries by texts and shows the first one.
    void setTextList(const QStringList& texts);
    // Shows the entry whose text is text; returns its index, -1 (nothing shown) when there is none.
    int setCurrentItemText(const QString& text);
    CustomComboBoxLineEdit* customLineEdit() const { return m_lineEdit; }
    void showPopup() override;

signals:
    void clickItem();

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyTextStyle();
    void setRowHeights(int first, int last);

    CustomComboBoxLineEdit* m_lineEdit = nullptr;
    QStyledItemDelegate* m_rowDelegate = nullptr;
};

#endif // CUSTOMCOMBOBOX_H
