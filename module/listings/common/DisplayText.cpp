#include "listings/common/DisplayText.h"

#include "listings/common/ListingJson.h"

namespace DisplayText {

namespace {

bool blank(const QString& text)
{
    return text.trimmed().isEmpty();
}

} // namespace

QString dash()
{
    return QStringLiteral("—");
}

QString orDash(const QString& text)
{
    return blank(text) ? dash() : text;
}

QString count(int value)
{
    return value == 0 ? QString() : QString::number(value);
}

QString amount(double value)
{
    return value > 0 ? ListingJson::shortest(value) : QString();
}

QString withUnit(const QString& value, const QString& unit)
{
    return blank(value) ? dash() : value + unit;
}

QString positional(const QStringList& parts, const QString& separator)
{
    QStringList shown;
    bool any = false;
    for (const QString& part : parts) {
        any = any || !blank(part);
        shown.append(orDash(part));
    }
    return any ? shown.join(separator) : QString();
}

QString joinPresent(const QStringList& parts, const QString& separator)
{
    QStringList present;
    for (const QString& part : parts) {
        if (!blank(part))
            present.append(part);
    }
    return present.isEmpty() ? dash() : present.join(separator);
}

} // namespace DisplayText
