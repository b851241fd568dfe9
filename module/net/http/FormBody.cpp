#include "net/http/FormBody.h"

#include <QUrl>

FormBody& FormBody::add(const QString& key, const QString& value)
{
    m_pieces.append(qMakePair(key, value));
    return *this;
}

FormBody& FormBody::add(const QString& key, int value)
{
    return add(key, QString::number(value));
}

FormBody& FormBody::add(const QString& key, qlonglong value)
{
    return add(key, QString::number(value));
}

FormBody& FormBody::add(const QString& key, double value)
{
    return add(key, QString::number(value, 'g', -1));
}

FormBody& FormBody::add(const QString& key, bool value)
{
    return add(key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool FormBody::addVariant(const QString& key, const QVariant& value)
{
    QString text;
    if (!formatValue(value, &text))
        return false;
    add(key, text);
    return true;
}

FormBody FormBody::fromMap(const QVariantMap& map)
{
    FormBody form;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it)
        form.addVariant(it.key(), it.value());
    return form;
}

bool FormBody::formatValue(const QVariant& value, QString* text)
{
    switch (static_cast<QMetaType::Type>(value.userType())) {
    case QMetaType::QString:
        *text = value.toString();
        return true;
    case QMetaType::Int:
    case QMetaType::LongLong:
        *text = QString::number(value.toLongLong());
        return true;
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        *text = QString::number(value.toULongLong());
        return true;
    case QMetaType::Double:
        *text = QString::number(value.toDouble(), 'g', -1);
        return true;
    case QMetaType::Bool:
        *text = value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        return true;
    default:
        return false;
    }
}

QByteArray FormBody::toByteArray() const
{
    QByteArray out;
    for (const auto& piece : m_pieces) {
        if (!out.isEmpty())
            out += '&';
        out += QUrl::toPercentEncoding(piece.first);
        out += '=';
        out += QUrl::toPercentEncoding(piece.second);
    }
    return out;
}

QString FormBody::toString() const
{
    return QString::fromLatin1(toByteArray());
}

QString FormBody::appendedTo(const QString& url) const
{
    if (isEmpty())
        return url;
    const QChar separator = url.contains(QLatin1Char('?')) ? QLatin1Char('&') : QLatin1Char('?');
    return url + separator + toString();
}
