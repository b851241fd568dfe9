#ifndef NEWHOUSESEED_H
#define NEWHOUSESEED_H

class ServiceContext;

// Demo new-house projects, so the project list and its filters have something to show: eleven
// projects in four districts of 成都 for "安居地产" and three for "山城置业", with pictures drawn
// into the files folder. Runs inside the seeding transaction.
class NewHouseSeed
{
public:
    static bool seed(ServiceContext& context);

private:
    NewHouseSeed() = delete;
};

#endif // NEWHOUSESEED_H
