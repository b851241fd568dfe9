#ifndef ALERTPROBE_H
#define ALERTPROBE_H

#include <QList>
#include <QString>

class AlertWidget;

// Finds and answers alert dialogs as a user would. Tests call
// AlertWidget::setModalLoopEnabled(false) first, so alerts open without a nested event loop.
namespace AlertProbe {

// Alerts on screen now (top-level widgets named "AlertWidget").
QList<AlertWidget*> visibleAlerts();

// Waits, processing events, until an alert is on screen; null after the timeout.
AlertWidget* waitForAlert(int timeoutMs = 5000);
// Waits for an alert whose content holds this text.
AlertWidget* waitForAlertContaining(const QString& text, int timeoutMs = 5000);

QString contentText(const AlertWidget* alert);
QString titleText(const AlertWidget* alert);

// Whether the alert shows a button of this object name ("knowButton", "sureBtn", "cancleBtn").
bool hasButton(const AlertWidget* alert, const QString& objectName);
// Clicks the named button with the mouse; false when the alert shows no such button.
bool clickButton(AlertWidget* alert, const QString& objectName);
// Waits for an alert and clicks its named button; returns the alert's content text, or a null
// string when no alert came or it has no such button.
QString answer(const QString& objectName, int timeoutMs = 5000);

// Shows a marker alert, waits until it is on screen and closes it again. An alert asked for before
// it has shown by then, so a test that expects no (further) alert checks visibleAlerts() after it
// rather than after a fixed wait. False when the marker never showed.
bool flushPending(int timeoutMs = 5000);

// Closes every alert, shown or still pending, and lets their deletion run.
void closeAll();

} // namespace AlertProbe

#endif // ALERTPROBE_H
