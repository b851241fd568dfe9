#include "support/service/OfficeScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <qpa/qwindowsysteminterface.h>

namespace OfficeScreen {

void apply()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The offscreen platform has a fixed 800 x 600 screen and no setting for it; the screen change
    // a real platform reports after a resolution change is what makes QScreen answer otherwise.
    QWindowSystemInterface::handleScreenGeometryChange(screen, QRect(0, 0, 1366, 768), available());
    QWindowSystemInterface::flushWindowSystemEvents();
}

QRect available()
{
    return QRect(0, 0, 1366, 728);
}

} // namespace OfficeScreen
