#ifndef SERVICEOPTIONS_H
#define SERVICEOPTIONS_H

#include <QString>
#include <QStringList>

// The command line: --port N (0 picks a free port), --db FILE, --files DIR.
class ServiceOptions
{
public:
    int port = 8765;
    QString databasePath;
    QString filesDir;

    // Parses arguments (the program name first); false with a message for the user on bad input.
    bool parse(const QStringList& arguments, QString* error);
};

#endif // SERVICEOPTIONS_H
