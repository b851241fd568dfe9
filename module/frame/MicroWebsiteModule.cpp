#include "MicroWebsiteModule.h"

#include "CommonSignalTool.h"
#include "MicroWebsiteControlCenter.h"

#include <QWidget>

int MicroWebsiteModule::getVersion()
{
    return 1;
}

MicroWebsiteControlCenter* MicroWebsiteModule::init(QWidget* parent)
{
    auto* center = new MicroWebsiteControlCenter(parent);
    QObject::connect(CommonSignalTool::Instance(), &CommonSignalTool::reviceMsg, center,
                     &MicroWebsiteControlCenter::dealBaseMsg);
    return center;
}
