#ifndef SIBLINGLIBRARY_H
#define SIBLINGLIBRARY_H

#include <QLibrary>
#include <QString>

// Finds a function of a sibling component of the suite (house book, customer book, new houses,
// financial products, house circle, the browser library) at run time. Libraries are loaded by base
// name, so the platform's prefix and suffix apply, from the application's folder first.
class SiblingLibrary
{
public:
    enum class Failure { None, LibraryMissing, FunctionMissing };

    // Null when the library does not load or the function does not resolve; `failure` says which.
    static QFunctionPointer resolve(const QString& baseName, const char* function, Failure* failure = nullptr);

    template <typename Function>
    static Function resolveAs(const QString& baseName, const char* function, Failure* failure = nullptr)
    {
        return reinterpret_cast<Function>(resolve(baseName, function, failure));
    }

    // The file name the suite's users know the component by, e.g. "kq_housebook.dll".
    static QString displayFileName(const QString& baseName);

private:
    SiblingLibrary() = delete;
};

#endif // SIBLINGLIBRARY_H
