#include "widgets/lists/QProgressIndicator.h"

#include <QCloseEvent>
#include <QEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimerEvent>

namespace {

constexpr int kBarCount = 12;
constexpr int kAngleStep = 360 / kBarCount;
// A spinner larger than this looks clumsy in the 300 x 130 indicator of showOver().
constexpr int kMaxSpinnerSide = 48;
constexpr int kWordGap = 8;

} // namespace

QProgressIndicator::QProgressIndicator(QWidget* parent)
    : QWidget(parent)
    , m_color(150, 150, 150)
    , m_waitWordColor(100, 100, 100)
{
    setObjectName(QStringLiteral("QProgressIndicator"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    QFont wordFont = font();
    wordFont.setFamily(QStringLiteral("微软雅黑"));
    wordFont.setPixelSize(13);
    setFont(wordFont);
}

QProgressIndicator::~QProgressIndicator()
{
    // Deleted without being closed (by its owner, or with the page): the shade must not stay behind.
    if (m_shade)
        m_shade->close();
}

QProgressIndicator* QProgressIndicator::showOver(QWidget* page, bool dark, QString waitWord)
{
    if (!page)
        return nullptr;

    // A page that has not been laid out yet still has its tiny default size.
    if (page->width() < 101 && page->height() < 101)
        page->resize(1000, 650);

    auto* shade = new QPushButton(page);
    shade->setObjectName(QStringLiteral("QProgressIndicator_shade"));
    shade->setFocusPolicy(Qt::NoFocus);
    shade->setAttribute(Qt::WA_DeleteOnClose);
    // rgba(), not rgb() with a fourth value, which Qt applies but warns about; the alpha still
    // counts to 255.
    shade->setStyleSheet(dark ? QStringLiteral("background-color:rgba(0,0,0,70);border:0px;")
                              : QStringLiteral("background-color:rgba(0,0,0,0);border:0px;"));

    auto* indicator = new QProgressIndicator(page);
    indicator->resize(300, 130);
    if (dark) {
        indicator->setColor(Qt::white);
        indicator->setWaitWordColor(Qt::white);
    } else {
        indicator->setColor(QColor(190, 190, 190));
        indicator->setWaitWordColor(QColor(120, 120, 120));
    }
    if (!waitWord.isEmpty())
        indicator->setWaitWord(waitWord);

    indicator->m_shade = shade;
    indicator->m_page = page;
    indicator->coverPage();
    // The page may still be laid out after this; shade and indicator follow its size.
    page->installEventFilter(indicator);
    connect(indicator, &QProgressIndicator::stop, indicator, &QWidget::close);

    shade->show();
    shade->raise();
    indicator->show();
    indicator->raise();
    if (!indicator->isAnimated())
        indicator->startAnimation();
    return indicator;
}

QSize QProgressIndicator::sizeHint() const
{
    return QSize(20, 20);
}

void QProgressIndicator::startAnimation()
{
    m_angle = 0;
    if (m_timerId == -1)
        m_timerId = startTimer(m_delay);
}

void QProgressIndicator::stopAnimation()
{
    if (m_timerId != -1)
        killTimer(m_timerId);
    m_timerId = -1;
    update();
    emit stop();
}

void QProgressIndicator::setAnimationDelay(int delay)
{
    m_delay = delay;
    if (m_timerId != -1) {
        killTimer(m_timerId);
        m_timerId = startTimer(m_delay);
    }
}

void QProgressIndicator::setDisplayedWhenStopped(bool state)
{
    m_displayedWhenStopped = state;
    update();
}

void QProgressIndicator::setColor(QColor color)
{
    m_color = color;
    update();
}

void QProgressIndicator::setWaitWord(QString txt)
{
    m_waitWord = txt;
    update();
}

void QProgressIndicator::setWaitWordColor(QColor color)
{
    m_waitWordColor = color;
    update();
}

void QProgressIndicator::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_timerId) {
        QWidget::timerEvent(event);
        return;
    }
    m_angle = (m_angle + kAngleStep) % 360;
    update();
}

void QProgressIndicator::paintEvent(QPaintEvent* /*event*/)
{
    const bool drawSpinner = isAnimated() || m_displayedWhenStopped;
    if (!drawSpinner && m_waitWord.isEmpty())
        return;

    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    const int wordHeight = m_waitWord.isEmpty() ? 0 : fontMetrics().height();
    const int wordBlock = m_waitWord.isEmpty() ? 0 : wordHeight + kWordGap;
    const int side = qMax(0, qMin(qMin(width(), height() - wordBlock), kMaxSpinnerSide));
    const int top = (height() - side - wordBlock) / 2;

    if (drawSpinner && side > 0) {
        const qreal outer = side * 0.5;
        const qreal inner = outer * 0.45;
        const qreal barWidth = qMax<qreal>(1.5, side / 12.0);
        p.save();
        p.translate(width() / 2.0, top + outer);
        p.rotate(m_angle);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < kBarCount; ++i) {
            // The leading bar is solid; the ones behind it fade out like a trail.
            QColor bar = m_color;
            bar.setAlphaF(m_color.alphaF() * (1.0 - 0.75 * i / kBarCount));
            p.setBrush(bar);
            p.drawRoundedRect(QRectF(-barWidth / 2, -outer, barWidth, outer - inner), barWidth / 2,
                              barWidth / 2);
            p.rotate(-kAngleStep);
        }
        p.restore();
    }

    if (!m_waitWord.isEmpty()) {
        p.setPen(m_waitWordColor);
        p.drawText(QRect(0, top + side + kWordGap, width(), wordHeight), Qt::AlignCenter, m_waitWord);
    }
}

void QProgressIndicator::closeEvent(QCloseEvent* event)
{
    // Pages also close the indicator directly instead of stopping it; the shade goes either way.
    if (m_shade)
        m_shade->close();
    QWidget::closeEvent(event);
}

bool QProgressIndicator::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_page && event->type() == QEvent::Resize)
        coverPage();
    return QWidget::eventFilter(watched, event);
}

void QProgressIndicator::coverPage()
{
    if (!m_page)
        return;
    if (m_shade)
        m_shade->setGeometry(m_page->rect());
    move((m_page->width() - width()) / 2, (m_page->height() - height()) / 2);
}
