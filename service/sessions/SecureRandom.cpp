#include "sessions/SecureRandom.h"

#include <QRandomGenerator>

QByteArray SecureRandom::bytes(int count)
{
    QByteArray result(count, '\0');
    QRandomGenerator* generator = QRandomGenerator::system();
    for (int i = 0; i < count; ++i)
        result[i] = static_cast<char>(generator->bounded(256));
    return result;
}

QString SecureRandom::hex(int count)
{
    return QString::fromLatin1(bytes(count).toHex());
}
