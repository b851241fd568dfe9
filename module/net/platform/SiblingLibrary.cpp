#include "net/platform/SiblingLibrary.h"

#include <QCoreApplication>
#include <QDir>

QFunctionPointer SiblingLibrary::resolve(const QString& baseName, const char* function, Failure* failure)
{
    // A loaded QLibrary stays loaded after the object goes; the functions stay valid.
    QLibrary library(QDir(QCoreApplication::applicationDirPath()).filePath(baseName));
    if (!library.load()) {
        library.setFileName(baseName);
        if (!library.load()) {
            if (failure)
                *failure = Failure::LibraryMissing;
            return nullptr;
        }
    }
    QFunctionPointer pointer = library.resolve(function);
    if (failure)
        *failure = pointer ? Failure::None : Failure::FunctionMissing;
    return pointer;
}

QString SiblingLibrary::displayFileName(const QString& baseName)
{
    return baseName + QStringLiteral(".dll");
}
