#include "widgets/inputs/CustomLineEdit.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QTimer>

CustomLineEdit::CustomLineEdit(QWidget* parent)
    : QLineEdit(parent)
    , m_timer(new QTimer(this))
{
    m_timer->setInterval(kPauseMs);
    connect(m_timer, &QTimer::timeout, this, &CustomLineEdit::timEvent);
    connect(this, &QLineEdit::textChanged, this, &CustomLineEdit::txtChange);
    connect(this, &QLineEdit::editingFinished, this, [this] { emit comTxtEdit(text()); });
}

void CustomLineEdit::txtChange()
{
    m_timer->start();
}

void CustomLineEdit::timEvent()
{
    // While a composition is pending the timer keeps ticking until it is committed.
    if (!m_composition.isEmpty())
        return;
    m_timer->stop();
    emit valueChange(text());
}

void CustomLineEdit::inputMethodEvent(QInputMethodEvent* event)
{
    m_timer->start();
    if (!hasFocus()) {
        event->setCommitString(QString());
        m_composition.clear();
    } else {
        m_composition = event->preeditString();
    }
    QLineEdit::inputMethodEvent(event);
}

void CustomLineEdit::focusOutEvent(QFocusEvent* event)
{
    // An input method that drops its composition when focus leaves may not tell us; a composition
    // left pending would hold the report back for ever.
    if (!m_composition.isEmpty()) {
        m_composition.clear();
        m_timer->start();
    }
    QLineEdit::focusOutEvent(event);
}
