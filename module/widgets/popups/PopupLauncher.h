#ifndef POPUPLAUNCHER_H
#define POPUPLAUNCHER_H

#include <QSize>
#include <QString>

class CommonAddWidget;
class QWidget;

// Opens a form in a popup frame over the host's main window, the one way every page does it:
// built anew each time, shaded black at alpha 30, deleted with its content when closed.
class PopupLauncher
{
public:
    // size is the most the frame takes: on a smaller screen it gets what the screen has room for
    // and the form scrolls. shadeClick: 0 a click on the shade closes the frame, 1 it only blocks
    // clicks. The frame's parent is the host's tab bar unless a page asks to own it.
    static CommonAddWidget* open(const QString& title, const QSize& size, QWidget* content, int shadeClick = 1,
                                 QWidget* parent = nullptr);

private:
    PopupLauncher() = delete;
};

#endif // POPUPLAUNCHER_H
