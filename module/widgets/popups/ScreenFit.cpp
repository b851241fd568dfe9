#include "widgets/popups/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

// A title bar and thin borders, for a decorated window whose frame the window system has not told yet.
const QMargins kFrameAllowance(8, 32, 8, 8);

} // namespace

QRect ScreenFit::room(const QWidget* owner)
{
    QScreen* screen = owner ? owner->window()->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QSize ScreenFit::fit(const QSize& wanted, const QSize& room)
{
    if (room.isEmpty())
        return wanted;
    return wanted.boundedTo(room);
}

QRect ScreenFit::place(const QSize& size, const QPoint& centre, const QRect& room)
{
    QRect placed(centre - QPoint(size.width() / 2, size.height() / 2), size);
    if (room.isEmpty())
        return placed;
    if (placed.right() > room.right())
        placed.moveRight(room.right());
    if (placed.bottom() > room.bottom())
        placed.moveBottom(room.bottom());
    if (placed.left() < room.left())
        placed.moveLeft(room.left());
    if (placed.top() < room.top())
        placed.moveTop(room.top());
    return placed;
}

QMargins ScreenFit::decoration(const QWidget* window)
{
    if (!window || window->windowFlags().testFlag(Qt::FramelessWindowHint))
        return QMargins();
    if (window->isVisible() && window->windowHandle()) {
        const QMargins frame = window->windowHandle()->frameMargins();
        if (!frame.isNull())
            return frame;
    }
    return kFrameAllowance;
}

void ScreenFit::resizeWithin(QWidget* window, const QSize& wanted, const QWidget* owner)
{
    if (!window)
        return;
    const QRect area = room(owner ? owner : window);
    window->resize(fit(wanted, area.size().shrunkBy(decoration(window))));
}

void ScreenFit::centreWithin(QWidget* window, const QWidget* owner)
{
    if (!window)
        return;
    const QRect area = room(owner ? owner : window);
    const QPoint centre = owner ? owner->mapToGlobal(owner->rect().center()) : area.center();
    // A window's position is that of its frame.
    const QSize outer = window->size().grownBy(decoration(window));
    window->move(place(outer, centre, area).topLeft());
}
