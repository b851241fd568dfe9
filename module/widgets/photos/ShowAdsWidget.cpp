#include "widgets/photos/ShowAdsWidget.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

ShowAdsWidget::ShowAdsWidget(QWidget* parent)
    : QWidget(parent)
{
    m_area = new QScrollArea(this);
    m_area->setFrameShape(QFrame::NoFrame);
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_area->setWidgetResizable(false);
    m_strip = new QWidget;
    auto* stripLayout = new QHBoxLayout(m_strip);
    stripLayout->setContentsMargins(0, 0, 0, 0);
    stripLayout->setSpacing(0);
    m_area->setWidget(m_strip);
    // Items follow the viewport's width, which settles after this widget's own resize.
    m_area->viewport()->installEventFilter(this);

    m_placeholder = new QLabel(QStringLiteral("暂无图片"), this);
    m_placeholder->setAlignment(Qt::AlignCenter);
    m_placeholder->setStyleSheet(QStringLiteral("color:#999999;background:#f5f5f5;"));

    m_lastButton = new QPushButton(QStringLiteral("‹"), this);
    m_lastButton->setObjectName(QStringLiteral("lastButton"));
    m_nextButton = new QPushButton(QStringLiteral("›"), this);
    m_nextButton->setObjectName(QStringLiteral("nextButton"));
    for (QPushButton* button : {m_lastButton, m_nextButton}) {
        button->setFixedSize(28, 40);
        button->setCursor(Qt::PointingHandCursor);
        button->setStyleSheet(QStringLiteral("QPushButton{background:rgba(0,0,0,60);color:white;border:none;font-size:20px;}"));
    }
    connect(m_lastButton, &QPushButton::clicked, this, &ShowAdsWidget::last);
    connect(m_nextButton, &QPushButton::clicked, this, &ShowAdsWidget::next);

    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("pageLabel"));
    m_pageLabel->setAlignment(Qt::AlignCenter);
    m_pageLabel->setStyleSheet(QStringLiteral("color:white;background:rgba(0,0,0,80);border-radius:8px;padding:0 6px;"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_area);
    layout->addWidget(m_placeholder);

    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &ShowAdsWidget::next);
    connect(m_area->horizontalScrollBar(), &QScrollBar::valueChanged, this, &ShowAdsWidget::scrollValueChangeDeal);
    setItems({});
}

void ShowAdsWidget::setItems(const QList<QWidget*>& items)
{
    for (QWidget* old : qAsConst(m_items)) {
        if (old)
            old->deleteLater();
    }
    m_items = items;
    for (QWidget* item : items) {
        m_strip->layout()->addWidget(item);
        item->installEventFilter(this);
    }
    const bool empty = m_items.isEmpty();
    m_area->setVisible(!empty);
    m_placeholder->setVisible(empty);
    layoutItems();
    m_area->horizontalScrollBar()->setValue(0);
    updatePage();
}

void ShowAdsWidget::setItemsPerPage(int count)
{
    m_perPage = qMax(1, count);
    layoutItems();
}

void ShowAdsWidget::setArrowsVisible(bool visible)
{
    m_lastButton->setVisible(visible);
    m_nextButton->setVisible(visible);
}

void ShowAdsWidget::setPlaceholderText(const QString& text)
{
    m_placeholder->setText(text);
}

void ShowAdsWidget::startRotation(int ms)
{
    if (ms > 0)
        m_timer->start(ms);
    else
        m_timer->stop();
}

int ShowAdsWidget::step() const
{
    return qMax(1, m_area->viewport()->width() / m_perPage);
}

int ShowAdsWidget::currentIndex() const
{
    if (m_items.isEmpty())
        return -1;
    return qBound(0, m_area->horizontalScrollBar()->value() / step(), m_items.size() - 1);
}

QString ShowAdsWidget::pageText() const
{
    return m_pageLabel->text();
}

void ShowAdsWidget::next()
{
    if (m_items.isEmpty())
        return;
    const int nextIndex = currentIndex() + 1;
    // Back to the start once the new position would pass the last page.
    const int target = nextIndex + m_perPage > m_items.size() ? 0 : nextIndex;
    m_area->horizontalScrollBar()->setValue(target * step());
    updatePage();
}

void ShowAdsWidget::last()
{
    if (m_items.isEmpty())
        return;
    m_area->horizontalScrollBar()->setValue(qMax(0, currentIndex() - 1) * step());
    updatePage();
}

void ShowAdsWidget::scrollValueChangeDeal(int value)
{
    Q_UNUSED(value)
    updatePage();
}

void ShowAdsWidget::layoutItems()
{
    const int width = step();
    const int height = m_area->viewport()->height();
    for (QWidget* item : qAsConst(m_items))
        item->setFixedSize(width, height);
    m_strip->setFixedSize(width * m_items.size(), height);
    const int index = qMax(0, currentIndex());
    m_area->horizontalScrollBar()->setRange(0, qMax(0, m_strip->width() - m_area->viewport()->width()));
    m_area->horizontalScrollBar()->setValue(index * width);
}

void ShowAdsWidget::updatePage()
{
    m_pageLabel->setVisible(!m_items.isEmpty());
    m_pageLabel->setText(m_items.isEmpty() ? QString()
                                           : QStringLiteral("%1/%2").arg(currentIndex() + 1).arg(m_items.size()));
    m_pageLabel->adjustSize();
    m_pageLabel->move(width() - m_pageLabel->width() - 10, height() - m_pageLabel->height() - 10);
    m_pageLabel->raise();
}

void ShowAdsWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutItems();
    const int middle = (height() - m_lastButton->height()) / 2;
    m_lastButton->move(0, middle);
    m_nextButton->move(width() - m_nextButton->width(), middle);
    m_lastButton->raise();
    m_nextButton->raise();
    updatePage();
}

bool ShowAdsWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_area->viewport() && event->type() == QEvent::Resize) {
        layoutItems();
        updatePage();
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        const int index = m_items.indexOf(qobject_cast<QWidget*>(watched));
        if (index >= 0) {
            const auto* press = static_cast<QMouseEvent*>(event);
            if (press->button() == Qt::LeftButton)
                emit click(index);
            else if (press->button() == Qt::RightButton)
                emit rightClick(m_items.at(index));
        }
    }
    return QWidget::eventFilter(watched, event);
}
