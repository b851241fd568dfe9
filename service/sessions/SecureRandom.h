#ifndef SECURERANDOM_H
#define SECURERANDOM_H

#include <QByteArray>
#include <QString>

// Unpredictable bytes from the operating system, for session ids, tokens, salts and file names.
class SecureRandom
{
public:
    static QByteArray bytes(int count);
    // Lower-case hex text of `count` random bytes (2 * count characters).
    static QString hex(int count);

private:
    SecureRandom() = delete;
};

#endif // SECURERANDOM_H
