#include "PopupLauncher.h"

#include "CommonAddWidget.h"
#include "CustomTabWidget.h"
#include "DataCenter.h"

CommonAddWidget* PopupLauncher::open(const QString& title, const QSize& size, QWidget* content, int shadeClick)
{
    auto* frame = new CommonAddWidget(DataCenter::KQTabBar, QStringLiteral("main"), true);
    frame->resize(size);
    frame->setTitle(title, nullptr, QColor(0, 0, 0, 30), shadeClick, true);
    if (content)
        frame->setContent(content);
    frame->show();
    return frame;
}
