#ifndef SHELLTASKS_H
#define SHELLTASKS_H

#include <QColor>
#include <QString>
#include <QWidget>

class QTemporaryDir;
class ShellDriver;

// Steps that whole tasks in the shell share: reaching a page as a person does and reading or
// retyping what a form shows.
namespace ShellTasks {

// The main page's (or the style page's) tile with this title, inside `within`.
QWidget* tile(const QString& title, QWidget* within);
QWidget* waitVisible(const QString& nameOrClass, QWidget* within = nullptr, int timeoutMs = 10000);

template<typename T>
T* child(QWidget* within, const QString& name)
{
    return within ? within->findChild<T*>(name) : nullptr;
}

// Replaces what an edit holds, with the keyboard.
void retype(QWidget* edit, const QString& text);
QString lineText(QWidget* within, const QString& name);
QString plainText(QWidget* within, const QString& name);

// The settings popup; the style page once its saved theme and tiles show; a role's rights once
// they have been read.
QWidget* openSettings(ShellDriver& driver);
QWidget* openStylePage(ShellDriver& driver);
QWidget* openRole(ShellDriver& driver, const QString& role);

// Whether the middle of what the widget shows has this colour, as a picked picture filling it.
bool showsColour(QWidget* widget, const QColor& colour);
// A small PNG of one colour in the folder, which the editors take as it is.
QString picture(const QTemporaryDir& folder, const QString& name, const QColor& colour);

} // namespace ShellTasks

#endif // SHELLTASKS_H
