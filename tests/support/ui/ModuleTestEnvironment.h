#ifndef MODULETESTENVIRONMENT_H
#define MODULETESTENVIRONMENT_H

// What every test of the module's code does first in initTestCase: its own data folders, the hooks
// the module's start-up installs (alerts for the requests' notices, the operation bar's popups),
// addresses that follow the test servers, and the log of the requests sent (RequestLog).
class ModuleTestEnvironment
{
public:
    static void prepare();
    // prepare(), the office screen (OfficeScreen), and alerts that open without a nested event
    // loop, so a test can find and answer them (AlertProbe): what every test of pages in a host
    // window needs.
    static void prepareWidgetTests();

private:
    ModuleTestEnvironment() = delete;
};

#endif // MODULETESTENVIRONMENT_H
