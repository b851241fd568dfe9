#include "widgets/popups/AlertFlashWidget.h"

#include "DataCenter.h"

#include <QGraphicsDropShadowEffect>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

constexpr int kShadowMargin = 10;
constexpr int kLabelHeight = 44;
constexpr int kTextPadding = 20;
constexpr int kCloseButtonRoom = 32;
constexpr int kTopOffset = 30;

QString attentionStyle(int rightPadding)
{
    return QStringLiteral("QLabel { border-radius: 5px; background-color: rgb(236,205,193); color: rgb(186,122,128);"
                          " font: bold 15px \"微软雅黑\"; padding-left: %1px; padding-right: %2px; }")
        .arg(kTextPadding)
        .arg(rightPadding);
}

QString successStyle(int rightPadding)
{
    return QStringLiteral("QLabel { border: 1px solid rgb(124,237,154); border-radius: 5px; background-color: rgb(166,252,189);"
                          " color: rgb(0,112,12); font: bold 15px \"微软雅黑\"; padding-left: %1px; padding-right: %2px; }")
        .arg(kTextPadding)
        .arg(rightPadding);
}

} // namespace

AlertFlashWidget::AlertFlashWidget(const QString& text, int msec, QWidget* over, QWidget* parent)
    : QWidget(parent)
    , m_over(over ? over : DataCenter::MainWindowWidget)
    , m_msec(msec)
{
    setObjectName(QStringLiteral("AlertFlashWidget"));
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_TranslucentBackground);
    // A toast must not take the keyboard from the form the user is typing in.
    setAttribute(Qt::WA_ShowWithoutActivating);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(kShadowMargin, kShadowMargin, kShadowMargin, kShadowMargin);

    m_label = new QLabel(text, this);
    m_label->setObjectName(QStringLiteral("flashLabel"));
    m_label->setTextFormat(Qt::PlainText);
    m_label->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_label);

    auto* shadow = new QGraphicsDropShadowEffect(m_label);
    shadow->setColor(QColor(100, 100, 100, 255));
    shadow->setOffset(0, 0);
    shadow->setBlurRadius(10);
    m_label->setGraphicsEffect(shadow);

    if (m_msec <= 0) {
        // Placed by hand at the label's right end: a layout would keep it inside the text padding.
        m_closeButton = new QPushButton(m_label);
        m_closeButton->setObjectName(QStringLiteral("closeButton"));
        m_closeButton->setFixedSize(20, 20);
        m_closeButton->setCursor(Qt::PointingHandCursor);
        m_closeButton->setFocusPolicy(Qt::NoFocus);
        m_closeButton->setStyleSheet(QStringLiteral("border: 0px; image: url(://res/icon_deleteTag.png);"));
        connect(m_closeButton, &QPushButton::clicked, this, &QWidget::close);
    }

    m_label->setStyleSheet(attentionStyle(m_closeButton ? kCloseButtonRoom : kTextPadding));
    updateGeometryOver();
}

AlertFlashWidget* AlertFlashWidget::showSuccess(const QString& text, int msec, QWidget* over)
{
    // Parentless on purpose: the toast deletes itself when it closes.
    auto* toast = new AlertFlashWidget(text, msec, over);
    toast->setSuccessStyle();
    toast->show();
    return toast;
}

void AlertFlashWidget::setSuccessStyle()
{
    m_label->setStyleSheet(successStyle(m_closeButton ? kCloseButtonRoom : kTextPadding));
    updateGeometryOver();
}

QString AlertFlashWidget::text() const
{
    return m_label->text();
}

void AlertFlashWidget::showEvent(QShowEvent* event)
{
    updateGeometryOver();
    QWidget::showEvent(event);
    if (m_msec > 0 && !m_timerStarted) {
        m_timerStarted = true;
        auto* timer = new QTimer(this);
        timer->setObjectName(QStringLiteral("flashTimer"));
        timer->setSingleShot(true);
        // Long toasts can be a little late; short ones should not be.
        timer->setTimerType(m_msec >= 2000 ? Qt::CoarseTimer : Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, &QWidget::close);
        timer->start(m_msec);
    }
}

void AlertFlashWidget::updateGeometryOver()
{
    m_label->ensurePolished();
    const int rightPadding = m_closeButton ? kCloseButtonRoom : kTextPadding;
    const int wanted = m_label->fontMetrics().horizontalAdvance(m_label->text()) + kTextPadding + rightPadding + 4;

    QRect area;
    if (m_over)
        area = QRect(m_over->mapToGlobal(QPoint(0, 0)), m_over->size());
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();

    // A text wider than the window it shows over wraps instead of running off the window.
    int labelWidth = wanted;
    int labelHeight = kLabelHeight;
    const int widest = area.isValid() ? qMax(240, area.width() - 2 * kShadowMargin - 40) : wanted;
    m_label->setWordWrap(wanted > widest);
    if (wanted > widest) {
        labelWidth = widest;
        labelHeight = qMax(kLabelHeight, m_label->heightForWidth(labelWidth) + 16);
    }
    m_label->setFixedSize(labelWidth, labelHeight);
    if (m_closeButton)
        m_closeButton->move(labelWidth - m_closeButton->width() - 8, (labelHeight - m_closeButton->height()) / 2);
    setFixedSize(labelWidth + 2 * kShadowMargin, labelHeight + 2 * kShadowMargin);

    if (area.isValid())
        move(area.left() + (area.width() - width()) / 2, area.top() + kTopOffset - kShadowMargin);
}
