#ifndef SCREENFIT_H
#define SCREENFIT_H

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Decides how a window fits into the screen that shows it. The sizes pages ask for are upper
// bounds: on a smaller screen (an office laptop of 1366 x 768 with its task bar) a window gets
// what the screen has room for, and its content scrolls inside.
class ScreenFit
{
public:
    // The available geometry (task bars left out) of the screen that holds owner's window; the
    // primary screen's without an owner.
    static QRect room(const QWidget* owner);
    // wanted, shrunk in each direction where it exceeds room; never grown.
    static QSize fit(const QSize& wanted, const QSize& room);
    // A rectangle of `size` centred on `centre`, moved (never shrunk) into room; one larger than
    // room keeps its top left corner inside.
    static QRect place(const QSize& size, const QPoint& centre, const QRect& room);
    // What the window system adds around the window: its frame once shown, an allowance for a
    // title bar before, nothing for frameless windows.
    static QMargins decoration(const QWidget* window);

    // Resizes the top-level window to at most `wanted`, so that with its decoration it fits the
    // room of owner's screen (its own screen without an owner). Leaves its position alone.
    static void resizeWithin(QWidget* window, const QSize& wanted, const QWidget* owner = nullptr);
    // Centres the top-level window over owner's window (over the room without one) and keeps it,
    // decoration included, inside that room.
    static void centreWithin(QWidget* window, const QWidget* owner = nullptr);

private:
    ScreenFit() = delete;
};

#endif // SCREENFIT_H
