#include "http/ServiceParams.h"

namespace {

QString decodeFormPiece(QByteArray piece)
{
    piece.replace('+', ' ');
    return QString::fromUtf8(QByteArray::fromPercentEncoding(piece));
}

} // namespace

ServiceParams ServiceParams::fromForm(const QByteArray& form)
{
    ServiceParams params;
    for (const QByteArray& piece : form.split('&')) {
        if (piece.isEmpty())
            continue;
        const int equals = piece.indexOf('=');
        if (equals < 0)
            params.add(decodeFormPiece(piece), QString());
        else
            params.add(decodeFormPiece(piece.left(equals)), decodeFormPiece(piece.mid(equals + 1)));
    }
    return params;
}

void ServiceParams::merge(const ServiceParams& other, bool replace)
{
    for (auto it = other.m_values.cbegin(); it != other.m_values.cend(); ++it) {
        if (replace || !m_values.contains(it.key()))
            m_values.insert(it.key(), it.value());
    }
}

void ServiceParams::add(const QString& key, const QString& value)
{
    if (!m_values.contains(key))
        m_values.insert(key, value);
}

QJsonObject ServiceParams::toJson() const
{
    QJsonObject object;
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it)
        object.insert(it.key(), it.value());
    return object;
}
