#ifndef REBATESEED_H
#define REBATESEED_H

class ServiceDatabase;

// The rebate business of the agencies that offer it on their sites, "安居地产" (10001) and "蓉城房产"
// (30728): their rates, the people registered to refer, the clients and houses they referred and
// the deals that came of them, each deal's commission and rebate worked out from the rates.
// "山城置业" (20002) offers no rebates. Runs inside the seeding transaction.
class RebateSeed
{
public:
    static bool seed(ServiceDatabase& db);

private:
    RebateSeed() = delete;
};

#endif // REBATESEED_H
