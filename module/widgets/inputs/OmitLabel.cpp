#include "widgets/inputs/OmitLabel.h"

#include <QCursor>
#include <QEvent>
#include <QFontMetrics>
#include <QToolTip>

OmitLabel::OmitLabel(QWidget* parent)
    : QLabel(parent)
{
    setSizePolicy(QSizePolicy::Ignored, sizePolicy().verticalPolicy());
    // The shown text is always plain; a tag in the data must not turn into markup.
    setTextFormat(Qt::PlainText);
}

void OmitLabel::setText(const QString& text)
{
    // Texts from the service are shown on one line: a few hundred characters are all that can
    // ever show, and eliding a megabyte of text on every resize would stall the page.
    m_fullText = text.left(MaxTextLength);
    updateShownText();
}

void OmitLabel::setElideMode(Qt::TextElideMode mode)
{
    m_elideMode = mode;
    updateShownText();
}

QString OmitLabel::toolTipText() const
{
    return QStringLiteral("<p>%1</p>").arg(m_fullText.toHtmlEscaped());
}

void OmitLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    updateShownText();
}

void OmitLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateShownText();
}

void OmitLabel::mousePressEvent(QMouseEvent* event)
{
    emit click();
    QLabel::mousePressEvent(event);
}

void OmitLabel::enterEvent(QEvent* event)
{
    QLabel::enterEvent(event);
    if (!m_fullText.isEmpty())
        QToolTip::showText(QCursor::pos(), toolTipText(), this);
}

void OmitLabel::updateShownText()
{
    const QFontMetrics metrics(font());
    const int available = contentsRect().width();
    const QString shown = metrics.horizontalAdvance(m_fullText) > available
                              ? metrics.elidedText(m_fullText, m_elideMode, available)
                              : m_fullText;
    if (shown != QLabel::text())
        QLabel::setText(shown);
}
