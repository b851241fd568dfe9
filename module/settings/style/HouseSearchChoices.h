#ifndef HOUSESEARCHCHOICES_H
#define HOUSESEARCHCHOICES_H

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// The house types and districts that a custom app's house search and a top icon offer, from the
// company's area list in the local store. The house-circle company searches by the quarters of its
// first district and sends a quarter's id; every other company sends the district's name.
class HouseSearchChoices
{
public:
    static QStringList houseTypes();
    // The district entries offered for the company.
    static QStringList districtNames(const QList<QVariantMap>& areas, const QString& companyId);
    // What "districts" carries for the chosen entry: its name, or for the house-circle company the
    // id of the quarter of that name; empty (with `error` set) when it cannot be found.
    static QString districtValue(const QList<QVariantMap>& areas, const QString& companyId, const QString& chosen,
                                 QString* error);
    // The entry to select for a stored "districts" value (the inverse of districtValue).
    static QString districtText(const QList<QVariantMap>& areas, const QString& companyId, const QString& stored);
    static bool searchesByQuarter(const QString& companyId);

private:
    HouseSearchChoices() = delete;
};

#endif // HOUSESEARCHCHOICES_H
