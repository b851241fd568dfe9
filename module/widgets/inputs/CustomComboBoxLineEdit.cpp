#include "widgets/inputs/CustomComboBoxLineEdit.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>

CustomComboBoxLineEdit::CustomComboBoxLineEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setReadOnly(true);
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &CustomComboBoxLineEdit::tapClick, this, &CustomComboBoxLineEdit::show);
}

void CustomComboBoxLineEdit::show()
{
    QLineEdit::show();
    auto* combo = qobject_cast<QComboBox*>(parentWidget());
    if (combo && combo->isVisible() && combo->isEnabled() && combo->count() > 0)
        combo->showPopup();
}

void CustomComboBoxLineEdit::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        emit tapClick();
}

void CustomComboBoxLineEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        emit tapClick();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
