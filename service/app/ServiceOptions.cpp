#include "app/ServiceOptions.h"

#include "storage/core/PostgresBackend.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

bool ServiceOptions::parse(const QStringList& arguments, QString* error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Reference service of the micro-website module."));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Port on 127.0.0.1 (0 picks a free one). Default 8765."),
                                        QStringLiteral("N"), QStringLiteral("8765"));
    const QCommandLineOption dbOption(
        QStringLiteral("db"),
        QStringLiteral("SQLite file, or a PostgreSQL address (postgresql://user@host:port/dbname) that several"
                       " instances may share; created, brought up to date and seeded when new."),
        QStringLiteral("FILE|URL"), QStringLiteral("kq_service.sqlite"));
    const QCommandLineOption filesOption(
        QStringLiteral("files"),
        QStringLiteral("Folder of uploaded files, shared by the instances of one database. Default: 'files' beside"
                       " the SQLite file, or in the current folder."),
        QStringLiteral("DIR"));
    const QCommandLineOption exportOption(QStringLiteral("export"),
                                          QStringLiteral("Write the database's data to FILE (JSON) and end."),
                                          QStringLiteral("FILE"));
    const QCommandLineOption importOption(
        QStringLiteral("import"), QStringLiteral("Load FILE (from --export) into a new database and end."),
        QStringLiteral("FILE"));
    const QCommandLineOption publicOption(
        QStringLiteral("public-url"),
        QStringLiteral("Address clients reach the service by (a load balancer's, http://host:port/), used in the"
                       " addresses of pictures and pages. Default: the service's own."),
        QStringLiteral("URL"));
    parser.addOptions({portOption, dbOption, filesOption, publicOption, exportOption, importOption});
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
    if (parser.isSet(exportOption) && parser.isSet(importOption)) {
        *error = QStringLiteral("--export and --import cannot be given together");
        return false;
    }
    if (parser.isSet(publicOption)) {
        const QUrl url(parser.value(publicOption), QUrl::StrictMode);
        if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))
            || url.host().isEmpty() || url.hasQuery() || url.hasFragment()) {
            *error = QStringLiteral("--public-url needs an http or https address such as http://site.example:8080/");
            return false;
        }
        publicUrl = url.toString();
        if (!publicUrl.endsWith(QLatin1Char('/')))
            publicUrl += QLatin1Char('/');
    }
    exportFile = parser.value(exportOption);
    importFile = parser.value(importOption);
    const QString db = parser.value(dbOption);
    const bool server = PostgresBackend::isLocator(db);
    database = server ? db : QFileInfo(db).absoluteFilePath();
    const QDir beside = server ? QDir::current() : QFileInfo(database).absoluteDir();
    filesDir = parser.isSet(filesOption) ? QFileInfo(parser.value(filesOption)).absoluteFilePath()
                                         : beside.filePath(QStringLiteral("files"));
    return true;
}
