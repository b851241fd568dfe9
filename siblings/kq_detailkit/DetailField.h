#ifndef DETAILFIELD_H
#define DETAILFIELD_H

#include <QString>

// One line of a detail window: the label and the key of the record's value. A format, when
// given, holds "%1" for the value (e.g. "%1 元/m²"); an empty value shows "—".
struct DetailField
{
    QString key;
    QString label;
    QString format;
};

#endif // DETAILFIELD_H
