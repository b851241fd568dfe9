#ifndef USERNOTICE_H
#define USERNOTICE_H

#include <QString>

#include <functional>

// How the lower layers (requests, the local store) tell the user something without knowing the
// widget kit: they call show(), and the module's start-up installs the handler that opens the alert
// dialog. Without a handler the notice goes to the Qt log, so nothing is lost in a bare test.
class UserNotice
{
public:
    enum class Kind { Warning, Error };
    using Handler = std::function<void(Kind kind, const QString& text, const QString& windowName)>;

    static void install(Handler handler);
    static void show(Kind kind, const QString& text, const QString& windowName = QStringLiteral("main"));
    // Shows it once the current event has been handled (a reply handler must not run an alert's
    // event loop), and only once when the same notice is posted again within a second, as when
    // several replies are refused for the same reason.
    static void post(Kind kind, const QString& text, const QString& windowName = QStringLiteral("main"));

private:
    UserNotice() = delete;
};

#endif // USERNOTICE_H
