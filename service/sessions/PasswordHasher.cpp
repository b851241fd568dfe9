#include "sessions/PasswordHasher.h"

#include "sessions/SecureRandom.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QStringList>

namespace {

const int kIterations = 20000;
const int kKeyLength = 32;

QByteArray derive(const QString& password, const QByteArray& salt, int iterations)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, password.toUtf8(), salt,
                                              iterations, kKeyLength);
}

} // namespace

QString PasswordHasher::hash(const QString& password)
{
    const QByteArray salt = SecureRandom::bytes(16);
    return QStringLiteral("pbkdf2-sha256$%1$%2$%3")
        .arg(kIterations)
        .arg(QString::fromLatin1(salt.toHex()), QString::fromLatin1(derive(password, salt, kIterations).toHex()));
}

bool PasswordHasher::verify(const QString& password, const QString& stored)
{
    const QStringList parts = stored.split(QLatin1Char('$'));
    if (parts.size() != 4 || parts.at(0) != QLatin1String("pbkdf2-sha256"))
        return false;
    bool ok = false;
    const int iterations = parts.at(1).toInt(&ok);
    if (!ok || iterations < 1 || iterations > 10000000)
        return false;
    const QByteArray salt = QByteArray::fromHex(parts.at(2).toLatin1());
    const QByteArray expected = QByteArray::fromHex(parts.at(3).toLatin1());
    if (salt.isEmpty() || expected.size() != kKeyLength)
        return false;
    return constantTimeEquals(derive(password, salt, iterations), expected);
}

bool PasswordHasher::constantTimeEquals(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (int i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a.at(i) ^ b.at(i));
    return diff == 0;
}
