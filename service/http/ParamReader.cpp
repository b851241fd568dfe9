#include "http/ParamReader.h"

#include "http/ServiceParams.h"

#include <QRegularExpression>

ParamReader::ParamReader(const ServiceParams& params)
    : m_params(params)
{
}

void ParamReader::fail(const QString& message)
{
    if (m_message.isEmpty())
        m_message = message;
}

QString ParamReader::text(const QString& key, const QString& label, int maxLength)
{
    const QString value = m_params.value(key);
    if (value.trimmed().isEmpty()) {
        fail(QStringLiteral("缺少参数：%1").arg(label));
        return QString();
    }
    if (value.size() > maxLength) {
        fail(QStringLiteral("%1过长，最多%2个字符").arg(label).arg(maxLength));
        return QString();
    }
    return value;
}

QString ParamReader::optionalText(const QString& key, const QString& fallback, int maxLength)
{
    if (!m_params.contains(key))
        return fallback;
    const QString value = m_params.value(key);
    if (value.size() > maxLength) {
        fail(QStringLiteral("参数过长：%1").arg(key));
        return fallback;
    }
    return value;
}

qint64 ParamReader::integer(const QString& key, const QString& label, qint64 min, qint64 max)
{
    const QString value = m_params.value(key);
    if (value.trimmed().isEmpty()) {
        fail(QStringLiteral("缺少参数：%1").arg(label));
        return min;
    }
    return parseInteger(value, label, min, max);
}

qint64 ParamReader::optionalInteger(const QString& key, const QString& label, qint64 fallback, qint64 min, qint64 max)
{
    const QString value = m_params.value(key);
    if (value.trimmed().isEmpty())
        return fallback;
    return parseInteger(value, label, min, max);
}

qint64 ParamReader::parseInteger(const QString& value, const QString& label, qint64 min, qint64 max)
{
    // Only plain decimal digits with an optional sign: no blanks, hex or exponents.
    static const QRegularExpression pattern(QStringLiteral("^[+-]?[0-9]{1,18}$"));
    if (!pattern.match(value).hasMatch()) {
        fail(QStringLiteral("参数格式错误：%1").arg(label));
        return min;
    }
    const qint64 number = value.toLongLong();
    if (number < min || number > max) {
        fail(QStringLiteral("参数超出范围：%1").arg(label));
        return min;
    }
    return number;
}
