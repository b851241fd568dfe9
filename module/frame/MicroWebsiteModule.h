#ifndef MICROWEBSITEMODULE_H
#define MICROWEBSITEMODULE_H

#include <QString>
#include <QVariantList>

class MicroWebsiteControlCenter;
class PermissionMicroWebSiteWidget;
class QStackedWidget;
class QWidget;

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

    // Receives the permission page's items as compact JSON array text after every change.
    using PermissionCallback = void (*)(QString json, void* context);
    // Shows the permission page in the host's stack, filled with values: built on the first call
    // for a cache slot (and kept there; the caller owns it), reused on later ones. Does nothing
    // without a slot to keep the page in.
    static void initAutuView(QWidget* parent, QStackedWidget* stack, PermissionMicroWebSiteWidget** cache,
                             QVariantList values, PermissionCallback callback, void* context);

private:
    MicroWebsiteModule() = delete;
};

#endif // MICROWEBSITEMODULE_H
