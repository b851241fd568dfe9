#ifndef CUSTOMCOMBOBOXLINEEDIT_H
#define CUSTOMCOMBOBOXLINEEDIT_H

#include <QLineEdit>

// The read-only, centred text field of CustomComboBox. A read-only field swallows the clicks that
// would open a plain combo box, so it raises tapClick() on a left-button press and on Space, and
// show() then opens the combo box's list.
class CustomComboBoxLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit CustomComboBoxLineEdit(QWidget* parent = nullptr);

public slots:
    // Keeps the field visible and opens the list of the combo box that holds it, when that combo
    // box is visible, enabled and has entries.
    void show();

signals:
    void tapClick();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

#endif // CUSTOMCOMBOBOXLINEEDIT_H
