#include "HostWindowFixture.h"

#include "AlertProbe.h"
#include "CommonAddWidget.h"
#include "CustomTabWidget.h"
#include "DataCenter.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

HostWindowFixture::HostWindowFixture()
    : m_window(std::make_unique<QMainWindow>())
{
    DataCenter::reset();
    m_tabs = new CustomTabWidget(m_window.get());
    m_window->setCentralWidget(m_tabs);
    m_window->resize(1100, 760);
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
