#ifndef ADSSEED_H
#define ADSSEED_H

class ServiceContext;

// Demo carousel adverts with banners drawn into the files folder. "安居地产" has thirty, five of
// each link type, the types taking turns: advert n (ids 1 to 30) has type (n - 1) % 6, and the
// first six link to the list pages ("<新房列表页>" ...), the others to the company's own
// projects, houses and job postings. "山城置业" has three (ids 31 to 33: no link, a house for
// sale, the company profile); "蓉城房产" none. Runs inside the seeding transaction, after the
// projects, houses and postings it links to.
class AdsSeed
{
public:
    static bool seed(ServiceContext& context);

private:
    AdsSeed() = delete;
};

#endif // ADSSEED_H
