#ifndef DISPLAYTEXT_H
#define DISPLAYTEXT_H

#include <QString>
#include <QStringList>

// The texts that tables, cards and details build from a record's values. A value the service left
// out shows as "—", never as a unit or a separator without its number ("元/m²", "11--101").
namespace DisplayText {

QString dash();
// The text itself, or "—" when it is blank.
QString orDash(const QString& text);
// A whole number as text, or an empty text for 0 (how a missing key reads).
QString count(int value);
// A positive amount in its shortest form, or an empty text.
QString amount(double value);
// The value followed by its unit, or "—" alone when the value is blank.
QString withUnit(const QString& value, const QString& unit);
// Parts that read as one code or range ("3-2-301", "80-120"): a missing part shows as "—", so
// the others keep their places; an empty text when every part is missing.
QString positional(const QStringList& parts, const QString& separator);
// Names from the wider to the narrower ("锦江区-春熙路"): missing ones are left out; none gives "—".
QString joinPresent(const QStringList& parts, const QString& separator);

} // namespace DisplayText

#endif // DISPLAYTEXT_H
