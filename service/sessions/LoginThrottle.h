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

    // Claims one password check for the phone. The check that it may be made and its count as a
    // failure are one transaction, taken in turn by every instance, so guesses sent at once are
    // checked only as far as the count allows, whichever instance they reach. *waitMs is how long
    // the phone must still wait (nothing is counted then), or 0 when the password may be checked
    // now; false when the database fails.
    bool claim(const QString& phone, qint64 nowMs, qint64* waitMs);
    // The right password was given: the phone starts afresh. False when the database fails.
    bool succeeded(const QString& phone);
    // How long the phone must still wait; 0 when it may try now.
    qint64 waitMs(const QString& phone, qint64 nowMs);

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
