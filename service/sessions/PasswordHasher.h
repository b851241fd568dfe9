#ifndef PASSWORDHASHER_H
#define PASSWORDHASHER_H

#include <QString>

// Salted, slow password hashes (PBKDF2-SHA256), stored as one text:
// "pbkdf2-sha256$<iterations>$<salt hex>$<hash hex>".
class PasswordHasher
{
public:
    static QString hash(const QString& password);
    static bool verify(const QString& password, const QString& stored);

    // Compares without leaking where the first difference is.
    static bool constantTimeEquals(const QByteArray& a, const QByteArray& b);

private:
    PasswordHasher() = delete;
};

#endif // PASSWORDHASHER_H
