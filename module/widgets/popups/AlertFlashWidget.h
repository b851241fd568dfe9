#ifndef ALERTFLASHWIDGET_H
#define ALERTFLASHWIDGET_H

#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;

// A toast over a window: shows a short message and goes away by itself, or, with a display time of
// 0 or less, stays until its close button is clicked. It deletes itself when closed.
class AlertFlashWidget : public QWidget
{
    Q_OBJECT
public:
    // text: the message. msec: display time, counted from the first show. over: the window it
    // shows over, centred and 30 px below its top edge (null: the host's main window, else the
    // screen). parent: an optional owner that deletes the toast with it; the toast is a top-level
    // tool window either way.
    AlertFlashWidget(const QString& text, int msec, QWidget* over, QWidget* parent = nullptr);

    // Creates a toast in the success style and shows it.
    static AlertFlashWidget* showSuccess(const QString& text, int msec, QWidget* over);

    void setSuccessStyle();
    QString text() const;
    int displayTime() const { return m_msec; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updateGeometryOver();

    QLabel* m_label = nullptr;
    QPushButton* m_closeButton = nullptr;
    QPointer<QWidget> m_over;
    int m_msec = 0;
    bool m_timerStarted = false;
};

#endif // ALERTFLASHWIDGET_H
