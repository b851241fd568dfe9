#include "app/ServiceApp.h"
#include "app/ServiceOptions.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    // A core application is enough: pictures are only decoded, never shown.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kq_service"));

    ServiceOptions options;
    QString error;
    if (!options.parse(QCoreApplication::arguments(), &error)) {
        std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
        return 2;
    }
    return ServiceApp::run(options);
}
