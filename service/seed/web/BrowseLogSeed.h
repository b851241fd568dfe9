#ifndef BROWSELOGSEED_H
#define BROWSELOGSEED_H

class ServiceDatabase;

// The visits each demo company's site has recorded, of the items the other seeds made: houses for
// sale and for rent (the house book's records behind the site's houses, or for "蓉城房产" the
// houses of its house circle), new-house projects and financial products, whichever the company
// has, newest first, more than one page of them for "安居地产". Runs inside the seeding
// transaction, after the seeds of those items.
class BrowseLogSeed
{
public:
    static bool seed(ServiceDatabase& db);

private:
    BrowseLogSeed() = delete;
};

#endif // BROWSELOGSEED_H
