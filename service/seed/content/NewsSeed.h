#ifndef NEWSSEED_H
#define NEWSSEED_H

class ServiceContext;

// Demo news and encyclopedia: "安居地产" has twelve news articles (two pages) and six entries in
// three categories each, with covers drawn into the files folder and pictures over both; "山城置业"
// a few of each; "蓉城房产" one article. Runs inside the seeding transaction.
class NewsSeed
{
public:
    static bool seed(ServiceContext& context);

private:
    NewsSeed() = delete;
};

#endif // NEWSSEED_H
