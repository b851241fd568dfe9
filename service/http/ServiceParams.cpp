#include "http/ServiceParams.h"

#include <QTextCodec>

namespace {

QByteArray decodeFormPiece(QByteArray piece)
{
    piece.replace('+', ' ');
    return QByteArray::fromPercentEncoding(piece);
}

} // namespace

bool ServiceParams::decodeText(const QByteArray& bytes, QString* text)
{
    QTextCodec::ConverterState state;
    *text = QTextCodec::codecForMib(106)->toUnicode(bytes.constData(), bytes.size(), &state);
    return !bytes.contains('\0') && state.invalidChars == 0 && state.remainingChars == 0;
}

void ServiceParams::addBytes(const QByteArray& key, const QByteArray& value)
{
    QString keyText;
    QString valueText;
    const bool keyOk = decodeText(key, &keyText);
    const bool valueOk = decodeText(value, &valueText);
    if (!keyOk || !valueOk)
        m_invalidText = true;
    add(keyText, valueText);
}

ServiceParams ServiceParams::fromForm(const QByteArray& form)
{
    ServiceParams params;
    for (const QByteArray& piece : form.split('&')) {
        if (piece.isEmpty())
            continue;
        const int equals = piece.indexOf('=');
        if (equals < 0)
            params.addBytes(decodeFormPiece(piece), QByteArray());
        else
            params.addBytes(decodeFormPiece(piece.left(equals)), decodeFormPiece(piece.mid(equals + 1)));
    }
    return params;
}

void ServiceParams::merge(const ServiceParams& other, bool replace)
{
    m_invalidText = m_invalidText || other.m_invalidText;
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
