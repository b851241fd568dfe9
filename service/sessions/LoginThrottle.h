#ifndef LOGINTHROTTLE_H
#define LOGINTHROTTLE_H

#include <QHash>
#include <QString>

#include <mutex>

// Slows down password guessing per phone number: after kFreeFailures wrong passwords in a row,
// each further attempt must wait a delay that doubles with every failure, up to kMaxDelayMs. Kept
// by phone as typed, so known and unknown numbers are treated alike. Every refused login is also
// answered only after kRefusalPauseMs, so a client looping guesses makes few of them. Thread-safe.
class LoginThrottle
{
public:
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
    struct Record
    {
        int failures = 0;
        qint64 lastFailureMs = 0;
        qint64 allowedFromMs = 0;
    };

    void forgetQuiet(qint64 nowMs);

    std::mutex m_mutex;
    QHash<QString, Record> m_records;
};

#endif // LOGINTHROTTLE_H
