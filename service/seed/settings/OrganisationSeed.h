#ifndef ORGANISATIONSEED_H
#define ORGANISATIONSEED_H

class ServiceDatabase;

// The demo organisations the choosers browse: "安居地产" gets a marketing branch four levels deep
// (安居地产 / 营销中心 / 网络推广部 / 新媒体小组) beside its stores, and twelve staff across its
// departments; the other agencies a few staff each. "成都房产联卖" is a joint sale of "安居地产"
// and "蓉城房产". Runs inside the seeding transaction, after the departments.
class OrganisationSeed
{
public:
    static bool seed(ServiceDatabase& db);

private:
    OrganisationSeed() = delete;
};

#endif // ORGANISATIONSEED_H
