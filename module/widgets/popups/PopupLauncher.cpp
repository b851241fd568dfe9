#include "widgets/popups/PopupLauncher.h"

#include "widgets/popups/CommonAddWidget.h"

#include "CustomTabWidget.h"
#include "DataCenter.h"

CommonAddWidget* PopupLauncher::open(const QString& title, const QSize& size, QWidget* content, int shadeClick,
                                     QWidget* parent)
{
    auto* frame = new CommonAddWidget(parent ? parent : DataCenter::KQTabBar, QStringLiteral("main"), true);
    frame->fitSize(size);
    frame->setTitle(title, nullptr, QColor(0, 0, 0, 30), shadeClick, true);
    if (content)
        frame->setContent(0, content);
    frame->show();
    return frame;
}
