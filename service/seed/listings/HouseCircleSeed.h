#ifndef HOUSECIRCLESEED_H
#define HOUSECIRCLESEED_H

class ServiceDatabase;

// The house circle of "蓉城房产" (30728), whose topic editor picks houses from it: 24 houses for
// sale and 6 for rent shared by four agencies of 武侯区, the company's own among them, more than
// one picker page holds. Ids follow the order of kCircle in the source, newest first. Other
// companies are in no circle. Runs inside the seeding transaction.
class HouseCircleSeed
{
public:
    static bool seed(ServiceDatabase& db);

private:
    HouseCircleSeed() = delete;
};

#endif // HOUSECIRCLESEED_H
