#ifndef LOGINTHROTTLE_H
#define LOGINTHROTTLE_H

#include <QString>
#include <QVariantMap>

class ServiceDatabase;

// Slows down password guessing per phone number: after kFreeFailures wrong passwords in a row,
// each further attempt must wait a delay that doubles with every failure, up to kMaxDelayMs. Kept
// by phone as typed, so known and unknown numbers are treated alike. Every refused login is also
// answered only after kRefusalPauseMs, so a client looping guesses makes few of them.
class LoginThrottle
{
public:
    // The counts live in the database, so instances sharing it throttle together.
    explicit LoginThrottle(ServiceDatabase& db);

    // Settles an attempt whose password was checked, in one transaction with the check that it
    // may be made, so attempts made at once are all counted: when the phone must still wait,
    // that wait (nothing else changes); else 0, after counting a wrong password or clearing the
    // count for the right one.
    qint64 settle(const QString& phone, qint64 nowMs, bool passwordRight);
    // How long the phone must still wait before its password is checked; 0 when it may try now.
    qint64 waitMs(const QString& phone, qint64 nowMs);
    void failed(const QString& phone, qint64 nowMs);
    void succeeded(const QString& phone);

    static constexpr int kFreeFailures = 5;
    static constexpr qint64 kFirstDelayMs = 1000;
    static constexpr qint64 kMaxDelayMs = 5 * 60 * 1000;
    static constexpr int kRefusalPauseMs = 500;
    // Numbers remembered at most; the oldest quiet ones are forgotten first.
    static constexpr int kMaxPhones = 10000;

private:
    static qint64 waitOf(const QVariantMap& row, qint64 nowMs);
    // Counts a failure inside the caller's transaction; row is the phone's current one.
    bool count(const QString& phone, const QVariantMap& row, qint64 nowMs);
    qint64 kept();
    bool forgetQuiet(qint64 nowMs);

    ServiceDatabase& m_db;
};

#endif // LOGINTHROTTLE_H
