#ifndef STYLESEED_H
#define STYLESEED_H

class ServiceContext;

// The demo sites' style: "安居地产" green (zhuti 5) with the second bottom bar (dibu 2), "山城置业"
// red (2) with the third (3), "蓉城房产" never saved (the defaults 1 and 1). Each company gets the
// three top icons, drawn into the files folder: "二手房" in every district, "租房" and "新房" in a
// district of its city ("蓉城房产" searches by quarter: 租房 in quarter "10102"). The apps are the
// main page's tiles, seeded with the agencies. Runs inside the seeding transaction.
class StyleSeed
{
public:
    static bool seed(ServiceContext& context);

private:
    StyleSeed() = delete;
};

#endif // STYLESEED_H
