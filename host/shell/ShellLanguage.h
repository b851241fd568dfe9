#ifndef SHELLLANGUAGE_H
#define SHELLLANGUAGE_H

// The suite speaks Chinese, Qt's own dialogs and the web pages' controls included: Qt's Chinese
// translations installed on the application, and Chinese made the default locale, which the web
// engine also takes for its own language. Call once the application exists and before the first web
// view is made (the web engine reads its language once).
class ShellLanguage
{
public:
    // Returns whether Qt's Chinese translations were found; the locale is set either way. Calling it
    // again changes nothing.
    static bool apply();

private:
    ShellLanguage() = delete;
};

#endif // SHELLLANGUAGE_H
