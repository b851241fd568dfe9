#ifndef TOPICSEED_H
#define TOPICSEED_H

class ServiceContext;

// Demo topic pages with icons drawn into the files folder, each linking houses that exist:
// "安居地产" has four (ids 1 to 4, in this list order: "地铁口好房" with three houses, then two,
// two and four houses of its site), "山城置业" one (id 5, two houses), "蓉城房产" two (ids 6 and
// 7, three and two houses of its house circle). Runs inside the seeding transaction, after the
// houses and the circle.
class TopicSeed
{
public:
    static bool seed(ServiceContext& context);

private:
    TopicSeed() = delete;
};

#endif // TOPICSEED_H
