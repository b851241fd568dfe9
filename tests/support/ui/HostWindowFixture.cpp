#include "support/ui/HostWindowFixture.h"

#include "support/ui/AlertProbe.h"
#include "widgets/popups/CommonAddWidget.h"

#include "CustomTabWidget.h"
#include "DataCenter.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

HostWindowFixture::HostWindowFixture(const QSize& windowSize)
    : m_window(std::make_unique<QMainWindow>())
{
    DataCenter::reset();
    m_tabs = new CustomTabWidget(m_window.get());
    m_window->setCentralWidget(m_tabs);
    m_window->resize(windowSize);
    m_window->show();
    DataCenter::KQTabBar = m_tabs;
    DataCenter::MainWindowWidget = m_window.get();
    DataCenter::registerWindow(QStringLiteral("main"), m_window.get());
}

HostWindowFixture::~HostWindowFixture()
{
    AlertProbe::closeAll();
    for (CommonAddWidget* frame : openPopups())
        frame->closeWidget();
    m_window.reset();
    DataCenter::KQTabBar = nullptr;
    DataCenter::MainWindowWidget = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    DataCenter::reset();
}

QList<CommonAddWidget*> HostWindowFixture::openPopups()
{
    QList<CommonAddWidget*> frames;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* frame = qobject_cast<CommonAddWidget*>(w);
        if (frame && frame->isVisible())
            frames.append(frame);
    }
    return frames;
}

QString HostWindowFixture::popupTitle(const CommonAddWidget* frame)
{
    const auto* label = frame->findChild<QLabel*>(QStringLiteral("titleLabel"));
    return label ? label->text() : QString();
}

QWidget* HostWindowFixture::visibleWindow(const QString& objectName)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == objectName && window->isVisible())
            return window;
    }
    return nullptr;
}

int HostWindowFixture::visibleWindowCount(const QString& objectName)
{
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
        count += window->objectName() == objectName && window->isVisible() ? 1 : 0;
    return count;
}

void HostWindowFixture::closeWindows(const QString& objectName)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == objectName)
            window->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
