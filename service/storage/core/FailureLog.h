#ifndef FAILURELOG_H
#define FAILURELOG_H

#include <QString>

// The service's failures on stderr. An outage fails every statement of every thread; printing
// each would bury the log, so one kind (by its text) is printed at most once a second, saying how
// many like it were held back since.
class FailureLog
{
public:
    // kind is what groups failures (the error); detail (the statement, say) is printed with it.
    static void report(const QString& kind, const QString& detail = QString());

    static constexpr qint64 kQuietMs = 1000;
};

#endif // FAILURELOG_H
