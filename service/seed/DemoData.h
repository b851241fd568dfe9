#ifndef DEMODATA_H
#define DEMODATA_H

#include <QString>

class ServiceContext;

// The demo agencies a fresh database starts with: "安居地产" (10001, 成都, site open) with a
// manager and a staff member, "山城置业" (20002, 重庆) and "蓉城房产" (30728, 成都, site closed).
// Every demo account's password is "demo123". The areas' own demo rows come from their seed
// classes, in the same transaction.
class DemoData
{
public:
    // Fills an empty database in one transaction; false (and nothing stored) on failure.
    static bool seed(ServiceContext& context, QString* error);

private:
    DemoData() = delete;
};

#endif // DEMODATA_H
