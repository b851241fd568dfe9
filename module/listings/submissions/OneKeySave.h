#ifndef ONEKEYSAVE_H
#define ONEKEYSAVE_H

#include "listings/submissions/MicroWebSiteSaleOrRentList_Model.h"
#include "listings/submissions/MicroWebSiteSeekSaleOrRentList_Model.h"

#include <QString>
#include <QVariantMap>

class QWidget;

// "一键保存": hands a submission from the site to the house book, or a demand to the customer
// book, sibling components loaded at run time. Tells the user when the component or its function
// is missing.
class OneKeySave
{
public:
    // The entry points of the two books, exactly as they are called.
    using AddHouseFunction = void (*)(QWidget* parent, QVariantMap house, int, int);
    using AddCustomerFunction = void (*)(QWidget* parent, int kind, QVariantMap customer, int, int);

    enum class Outcome { NotSaved, Handed, LibraryMissing, FunctionMissing };

    // What the house book receives for a submission.
    static QVariantMap houseMap(const MicroWebSiteSaleOrRentList_Model::ListData& house);
    // What the customer book receives for a demand; every value is a text.
    static QVariantMap customerMap(const MicroWebSiteSeekSaleOrRentList_Model::ListData& demand);
    // The owner as the one contact of a house: a JSON array text with name, level "先生" and phone.
    static QString contactsJson(const QString& name, const QString& phone);

    // "addRentHouse" when isRent, else "addSaleHouse". A submission without a positive id is not
    // handed over.
    static Outcome copyHouse(const MicroWebSiteSaleOrRentList_Model::ListData& house, bool isRent);
    // type: 0 wants to buy, 1 wants to rent; the book is told type + 1.
    static Outcome copyCustomer(QWidget* parent, int type, const MicroWebSiteSeekSaleOrRentList_Model::ListData& demand);

    // Test seam: the base names the books are loaded by; an empty name restores the real one.
    static void setLibraryNames(const QString& houseBook, const QString& customerBook);

private:
    OneKeySave() = delete;
};

#endif // ONEKEYSAVE_H
