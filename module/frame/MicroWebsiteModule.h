#ifndef MICROWEBSITEMODULE_H
#define MICROWEBSITEMODULE_H

class QWidget;
class MicroWebsiteControlCenter;

// What the plug-in's exported functions do, callable from tests without loading the library.
class MicroWebsiteModule
{
public:
    static int getVersion();
    // Builds a control center owned by `parent` and connects the host's hub to it.
    static MicroWebsiteControlCenter* init(QWidget* parent);
    // Lets the lower layers reach the user and the pages: alerts for the requests' and the rights'
    // notices, the operation bar's popups. init() calls it; tests that build pages without init()
    // call it themselves.
    static void installHooks();

private:
    MicroWebsiteModule() = delete;
};

#endif // MICROWEBSITEMODULE_H
