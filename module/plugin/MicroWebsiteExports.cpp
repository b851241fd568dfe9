// The plug-in's exported C functions; everything else lives in the core library.
#include "frame/MicroWebsiteModule.h"

#define KQ_EXPORT extern "C" __attribute__((visibility("default")))

KQ_EXPORT int getVersion()
{
    return MicroWebsiteModule::getVersion();
}

KQ_EXPORT void init(QWidget* parent)
{
    MicroWebsiteModule::init(parent);
}
