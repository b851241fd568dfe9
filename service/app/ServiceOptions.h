#ifndef SERVICEOPTIONS_H
#define SERVICEOPTIONS_H

#include <QString>
#include <QStringList>

// The command line: --port N (0 picks a free port), --db FILE or --db postgresql://..., --files DIR,
// --public-url URL, --export FILE, --import FILE.
class ServiceOptions
{
public:
    int port = 8765;
    // An SQLite file's absolute path or a PostgreSQL address.
    QString database;
    QString filesDir;
    // The address clients reach the service by, when not its own (a load balancer's); ends in "/".
    QString publicUrl;
    // When set, the service copies its data out to or in from this file and ends.
    QString exportFile;
    QString importFile;

    // Parses arguments (the program name first); false with a message for the user on bad input.
    bool parse(const QStringList& arguments, QString* error);
};

#endif // SERVICEOPTIONS_H
