#include "widgets/photos/PhotoWorkWait.h"

#include "net/pictures/PhotoWork.h"
#include "widgets/lists/QProgressIndicator.h"
#include "widgets/popups/SaveOutcome.h"

#include <QWidget>

PhotoWorkWait::PhotoWorkWait(QWidget* over)
    : QObject(over)
    , m_over(over)
{
}

void PhotoWorkWait::follow(PhotoWork* work)
{
    connect(work, &PhotoWork::stageChanged, this, [this](const QString& text) {
        if (m_indicator)
            m_indicator->setWaitWord(text);
    });
    connect(work, &PhotoWork::uploadFailed, this, [this](const QString& message) {
        stop();
        SaveOutcome::showFailure(message, m_over);
    });
}

void PhotoWorkWait::show(const QString& text)
{
    if (!m_indicator)
        m_indicator = QProgressIndicator::showOver(m_over, true, text);
    else if (!text.isEmpty())
        m_indicator->setWaitWord(text);
}

void PhotoWorkWait::stop()
{
    if (m_indicator)
        m_indicator->stopAnimation();
    m_indicator = nullptr;
}
