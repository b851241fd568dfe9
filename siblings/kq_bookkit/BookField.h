#ifndef BOOKFIELD_H
#define BOOKFIELD_H

#include <QLocale>
#include <QString>
#include <QVariant>

// One line of a book's form. A field with a key is sent under that key with the text the user
// leaves in it; a field without a key only shows its value.
struct BookField
{
    QString key;
    QString label;
    QString value;

    // The text a received value shows: numbers in their shortest exact form, never in exponents.
    static QString textOf(const QVariant& value)
    {
        switch (value.userType()) {
        case QMetaType::Double:
        case QMetaType::Float:
            return QString::number(value.toDouble(), 'f', QLocale::FloatingPointShortest);
        case QMetaType::Bool:
            return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        default:
            return value.toString();
        }
    }
};

#endif // BOOKFIELD_H
