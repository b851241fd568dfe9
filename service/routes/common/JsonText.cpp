#include "routes/common/JsonText.h"

#include <QJsonParseError>

#include <climits>
#include <cmath>

QJsonDocument JsonText::parse(const QString& text)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    return error.error == QJsonParseError::NoError ? document : QJsonDocument();
}

QString JsonText::compact(const QJsonArray& array)
{
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

bool JsonText::isWholeNumber(const QJsonValue& value)
{
    const double number = value.toDouble();
    return value.isDouble() && std::floor(number) == number && number >= INT_MIN && number <= INT_MAX;
}
