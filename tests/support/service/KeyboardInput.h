#ifndef KEYBOARDINPUT_H
#define KEYBOARDINPUT_H

#include <QString>

class QWidget;

namespace KeyboardInput {

// Types text into the widget as a user does: ASCII with key clicks, Chinese as an input method
// commits it, one character at a time (QTest's key clicks only know ASCII).
void type(QWidget* edit, const QString& text);

} // namespace KeyboardInput

#endif // KEYBOARDINPUT_H
