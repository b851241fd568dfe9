#ifndef INPUTPROBE_H
#define INPUTPROBE_H

#include <QString>

class QComboBox;
class QLineEdit;

// Input as a user gives it, for widgets that QTest's key clicks do not cover.
namespace InputProbe {

// Opens the box's list, moves to the entry with the arrow keys and confirms with Return, so the
// box emits activated() once, for that entry only. False when the box has no such entry.
bool chooseEntry(QComboBox* box, const QString& text);

// Text committed by the input method in one piece, as Chinese text arrives in a line edit.
void commitText(QLineEdit* edit, const QString& text);

} // namespace InputProbe

#endif // INPUTPROBE_H
