#ifndef JSONVALUES_H
#define JSONVALUES_H

#include <QJsonValue>
#include <QString>
#include <QVariant>

// Reading a flag the service sends: it says true or false as booleans, as the numbers 1 and 0, or
// as the texts "true", "false", "1" and "0" (any case, with spaces around). Every flag of a reply
// or of the local store is read here, so a text "true" never reads as false.
namespace JsonValues {

// True for true, a non-zero number, or a text that says so; false for anything else, including a
// missing value and a text that is neither a flag nor a number.
bool toBool(const QJsonValue& value);
bool toBool(const QVariant& value);
bool toBool(const QString& text);

} // namespace JsonValues

#endif // JSONVALUES_H
