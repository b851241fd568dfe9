#ifndef NEWHOUSEDATA_H
#define NEWHOUSEDATA_H

class ServiceDatabase;

// The new-house projects a company shows on its site.
class NewHouseData
{
public:
    static bool createSchema(ServiceDatabase& db);

private:
    NewHouseData() = delete;
};

#endif // NEWHOUSEDATA_H
