#ifndef QPROGRESSINDICATOR_H
#define QPROGRESSINDICATOR_H

#include <QColor>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QWidget>

// The spinning wait indicator. Pages lay it over themselves with showOver() while they wait for the
// service and connect the request's loadFinish() to stopAnimation(); such an indicator and its shade
// close and delete themselves when it stops.
class QProgressIndicator : public QWidget
{
    Q_OBJECT
public:
    explicit QProgressIndicator(QWidget* parent = nullptr);
    ~QProgressIndicator() override;

    // Lays a shade and a started indicator over page. Dark: a dimming shade and a white spinner;
    // light: a transparent shade that only blocks clicks, and a grey spinner.
    static QProgressIndicator* showOver(QWidget* page, bool dark, QString waitWord);

    int animationDelay() const { return m_delay; }
    bool isAnimated() const { return m_timerId != -1; }
    bool isDisplayedWhenStopped() const { return m_displayedWhenStopped; }
    const QColor& color() const { return m_color; }
    QString waitWord() const { return m_waitWord; }
    const QColor& waitWordColor() const { return m_waitWordColor; }
    int angle() const { return m_angle; }
    // The shade laid by showOver(), null otherwise or once it is gone.
    QPushButton* shade() const { return m_shade; }

    QSize sizeHint() const override;

public slots:
    void startAnimation();
    void stopAnimation();
    void setAnimationDelay(int delay);
    void setDisplayedWhenStopped(bool state);
    void setColor(QColor color);
    void setWaitWord(QString txt);
    void setWaitWordColor(QColor color);

signals:
    void stop();

protected:
    void timerEvent(QTimerEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void coverPage();

    int m_angle = 0;
    int m_timerId = -1;
    int m_delay = 40;
    bool m_displayedWhenStopped = false;
    QColor m_color;
    QString m_waitWord;
    QColor m_waitWordColor;
    QPointer<QPushButton> m_shade;
    QPointer<QWidget> m_page;
};

#endif // QPROGRESSINDICATOR_H
