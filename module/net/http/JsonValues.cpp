#include "net/http/JsonValues.h"

namespace JsonValues {

bool toBool(const QString& text)
{
    const QString flag = text.trimmed();
    if (flag.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (flag.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool number = false;
    const double value = flag.toDouble(&number);
    return number && value != 0.0;
}

bool toBool(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Bool:
        return value.toBool();
    case QJsonValue::Double:
        return value.toDouble() != 0.0;
    case QJsonValue::String:
        return toBool(value.toString());
    default:
        return false;
    }
}

bool toBool(const QVariant& value)
{
    switch (value.userType()) {
    case QMetaType::UnknownType:
        return false;
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::QString:
    case QMetaType::QByteArray:
        return toBool(value.toString());
    case QMetaType::QJsonValue:
        return toBool(value.toJsonValue());
    default:
        break;
    }
    bool number = false;
    const double flag = value.toDouble(&number);
    return number && flag != 0.0;
}

} // namespace JsonValues
