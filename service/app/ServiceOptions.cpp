#include "app/ServiceOptions.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

bool ServiceOptions::parse(const QStringList& arguments, QString* error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Reference service of the micro-website module."));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Port on 127.0.0.1 (0 picks a free one). Default 8765."),
                                        QStringLiteral("N"), QStringLiteral("8765"));
    const QCommandLineOption dbOption(QStringLiteral("db"),
                                      QStringLiteral("SQLite file, created and seeded when missing."),
                                      QStringLiteral("FILE"), QStringLiteral("kq_service.sqlite"));
    const QCommandLineOption filesOption(QStringLiteral("files"),
                                         QStringLiteral("Folder of uploaded files. Default: 'files' beside the database."),
                                         QStringLiteral("DIR"));
    parser.addOptions({portOption, dbOption, filesOption});
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        *error = parser.helpText();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *error = QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().constFirst());
        return false;
    }
    bool ok = false;
    port = parser.value(portOption).toInt(&ok);
    if (!ok || port < 0 || port > 65535) {
        *error = QStringLiteral("--port needs a number from 0 to 65535");
        return false;
    }
    databasePath = QFileInfo(parser.value(dbOption)).absoluteFilePath();
    filesDir = parser.isSet(filesOption) ? QFileInfo(parser.value(filesOption)).absoluteFilePath()
                                         : QFileInfo(databasePath).absoluteDir().filePath(QStringLiteral("files"));
    return true;
}
