#include "support/ui/ModuleTestEnvironment.h"

#include "frame/MicroWebsiteModule.h"
#include "net/http/ServiceAddresses.h"
#include "support/service/TestEnvironment.h"
#include "support/ui/RequestLog.h"
#include "widgets/popups/AlertWidget.h"

void ModuleTestEnvironment::prepare()
{
    TestEnvironment::isolate();
    TestEnvironment::setAddressesListener(&ServiceAddresses::reload);
    MicroWebsiteModule::installHooks();
    RequestLog::start();
}

void ModuleTestEnvironment::prepareWidgetTests()
{
    prepare();
    AlertWidget::setModalLoopEnabled(false);
}
