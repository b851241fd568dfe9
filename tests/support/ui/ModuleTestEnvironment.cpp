#include "support/ui/ModuleTestEnvironment.h"

#include "frame/MicroWebsiteModule.h"
#include "net/http/ServiceAddresses.h"
#include "support/service/OfficeScreen.h"
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
    // Pages fit themselves to the screen: give them the laptop they must work on, not the
    // platform's 800 x 600.
    OfficeScreen::apply();
    AlertWidget::setModalLoopEnabled(false);
}
