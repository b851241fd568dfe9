#ifndef HOUSEMANAGERDATA_H
#define HOUSEMANAGERDATA_H

class ServiceDatabase;

// The agency's second-hand houses for sale and for rent pushed to its site ("site_houses"), each
// pointing at its record in the house book by "bookid" (0 for a house entered on the site only).
class HouseManagerData
{
public:
    static bool createSchema(ServiceDatabase& db);
    // Sale and rent houses of "安居地产" across its stores and publishers (the staff member
    // 13800000001 among them), some waiting for review, some recommended, some taken down, a few
    // without a house-book record; and a few of "山城置业". Runs inside the seeding transaction.
    static bool seed(ServiceDatabase& db);

private:
    HouseManagerData() = delete;
};

#endif // HOUSEMANAGERDATA_H
