#ifndef LISTINGSAMPLES_H
#define LISTINGSAMPLES_H

#include "listings/submissions/MicroWebSiteSaleOrRentList_Model.h"

// Rows as the listing pages receive them, filled in every field a detail or a copy reads.
namespace ListingSamples {

// An owner's house for sale at 阳光花园 3-2-301, with the rent fields and two photos set too.
MicroWebSiteSaleOrRentList_Model::ListData house(int id);

} // namespace ListingSamples

#endif // LISTINGSAMPLES_H
