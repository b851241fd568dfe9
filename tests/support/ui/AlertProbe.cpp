#include "support/ui/AlertProbe.h"

#include "widgets/popups/AlertWidget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>

namespace {

QList<AlertWidget*> allAlerts()
{
    QList<AlertWidget*> alerts;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows) {
        if (w->objectName() == QLatin1String("AlertWidget")) {
            if (auto* alert = qobject_cast<AlertWidget*>(w))
                alerts.append(alert);
        }
    }
    return alerts;
}

template<typename Pred>
AlertWidget* waitFor(Pred pred, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    forever {
        for (AlertWidget* alert : AlertProbe::visibleAlerts()) {
            if (pred(alert))
                return alert;
        }
        if (deadline.hasExpired())
            return nullptr;
        QTest::qWait(10);
    }
}

} // namespace

namespace AlertProbe {

QList<AlertWidget*> visibleAlerts()
{
    QList<AlertWidget*> alerts;
    for (AlertWidget* alert : allAlerts()) {
        if (alert->isVisible())
            alerts.append(alert);
    }
    return alerts;
}

AlertWidget* waitForAlert(int timeoutMs)
{
    return waitFor([](AlertWidget*) { return true; }, timeoutMs);
}

AlertWidget* waitForAlertContaining(const QString& text, int timeoutMs)
{
    return waitFor([&text](AlertWidget* alert) { return contentText(alert).contains(text); }, timeoutMs);
}

QString contentText(const AlertWidget* alert)
{
    const auto* label = alert ? alert->findChild<QLabel*>(QStringLiteral("contentLabel")) : nullptr;
    return label ? label->text() : QString();
}

QString titleText(const AlertWidget* alert)
{
    const auto* label = alert ? alert->findChild<QLabel*>(QStringLiteral("titleLabel")) : nullptr;
    return label ? label->text() : QString();
}

bool hasButton(const AlertWidget* alert, const QString& objectName)
{
    const auto* button = alert ? alert->findChild<QAbstractButton*>(objectName) : nullptr;
    return button && button->isVisible();
}

bool clickButton(AlertWidget* alert, const QString& objectName)
{
    auto* button = alert ? alert->findChild<QAbstractButton*>(objectName) : nullptr;
    if (!button || !button->isVisible())
        return false;
    // Plain events rather than QTest::mouseClick, whose behaviour depends on how each test
    // file includes QTest; a click never runs the event loop here.
    const QPoint pos = button->rect().center();
    const QPoint global = button->mapToGlobal(pos);
    QMouseEvent press(QEvent::MouseButtonPress, pos, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, pos, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(button, &release);
    return true;
}

QString answer(const QString& objectName, int timeoutMs)
{
    AlertWidget* alert = waitForAlert(timeoutMs);
    if (!alert)
        return QString();
    const QString text = contentText(alert);
    return clickButton(alert, objectName) ? text : QString();
}

bool flushPending(int timeoutMs)
{
    QPointer<AlertWidget> marker = AlertWidget::showTip(QStringLiteral("flushPending"), QStringLiteral("main"));
    const bool shown = QTest::qWaitFor([&marker] { return marker && marker->isVisible(); }, timeoutMs);
    if (marker)
        marker->closeWidget();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return shown;
}

void closeAll()
{
    for (AlertWidget* alert : allAlerts())
        alert->closeWidget();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace AlertProbe
