#ifndef HOUSEMANAGERSEED_H
#define HOUSEMANAGERSEED_H

class ServiceDatabase;

// Demo houses on the agency's site, so that every state the listing manager handles and every
// scope of its rights has a case: sale and rent houses of "安居地产" across its stores and
// publishers (the staff member 13800000001 among them), some waiting for review, some
// recommended, some taken down, a few without a house-book record; and a few of "山城置业".
// Runs inside the seeding transaction, after the demo users exist.
class HouseManagerSeed
{
public:
    static bool seed(ServiceDatabase& db);

private:
    HouseManagerSeed() = delete;
};

#endif // HOUSEMANAGERSEED_H
