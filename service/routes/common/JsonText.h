#ifndef JSONTEXT_H
#define JSONTEXT_H

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QString>

// The JSON texts that requests carry inside form fields (lists of settings, rights, pictures).
class JsonText
{
public:
    // The document of a text, or a null one when the text is not JSON.
    static QJsonDocument parse(const QString& text);
    // Compact text, as the desktop writes it.
    static QString compact(const QJsonArray& array);
    // A JSON number that is a whole number within the range of an int.
    static bool isWholeNumber(const QJsonValue& value);

private:
    JsonText() = delete;
};

#endif // JSONTEXT_H
