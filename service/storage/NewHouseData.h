#ifndef NEWHOUSEDATA_H
#define NEWHOUSEDATA_H

#include <QString>

class ServiceContext;
class ServiceDatabase;

// The new-house projects a company shows on its site: their table and the demo projects.
class NewHouseData
{
public:
    static bool createSchema(ServiceDatabase& db);
    // Eleven projects in four districts of 成都 for "安居地产" and three for "山城置业", with
    // pictures drawn into the files folder.
    static bool seed(ServiceContext& context);

private:
    NewHouseData() = delete;
};

#endif // NEWHOUSEDATA_H
