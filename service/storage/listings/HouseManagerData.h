#ifndef HOUSEMANAGERDATA_H
#define HOUSEMANAGERDATA_H

class ServiceDatabase;

// The agency's second-hand houses for sale and for rent pushed to its site ("site_houses"), each
// pointing at its record in the house book by "bookid" (0 for a house entered on the site only).
class HouseManagerData
{
public:
    static bool createSchema(ServiceDatabase& db);

private:
    HouseManagerData() = delete;
};

#endif // HOUSEMANAGERDATA_H
