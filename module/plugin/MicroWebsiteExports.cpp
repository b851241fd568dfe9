// The plug-in's exported C functions; everything else lives in the core library.
#include "frame/MicroWebsiteModule.h"

#include "kq_microwebsite_export.h"

#define KQ_EXPORT extern "C" KQ_MICROWEBSITE_EXPORT

KQ_EXPORT int getVersion()
{
    return MicroWebsiteModule::getVersion();
}

KQ_EXPORT void init(QWidget* parent)
{
    MicroWebsiteModule::init(parent);
}

KQ_EXPORT void initAutuView(QWidget* parent, QStackedWidget* stack, PermissionMicroWebSiteWidget** cache,
                            QVariantList values, void (*callback)(QString, void*), void* context)
{
    MicroWebsiteModule::initAutuView(parent, stack, cache, values, callback, context);
}
