#ifndef OFFICESCREEN_H
#define OFFICESCREEN_H

#include <QRect>

// The screen of an office laptop for the whole-task suites: the offscreen platform's primary screen
// becomes 1366 x 768 with a 40 px task bar along the bottom, so whatever asks QScreen for its
// available geometry gets what such a laptop would give.
namespace OfficeScreen {

// Call after the QApplication exists and before the windows under test are made.
void apply();
// QRect(0, 0, 1366, 728): what windows must stay inside.
QRect available();

} // namespace OfficeScreen

#endif // OFFICESCREEN_H
