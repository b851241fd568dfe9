#ifndef SUBMISSIONSEED_H
#define SUBMISSIONSEED_H

class ServiceContext;

// Demo submissions, so that the lists of what visitors left are full enough to page through and
// show every case of the photo grid: for "安居地产" (成都) 41 houses to sell, 25 to let, 30
// buying and 20 renting demands; a few of each for "山城置业" (重庆). House photos are drawn
// into the files folder. Runs inside the seeding transaction.
class SubmissionSeed
{
public:
    static bool seed(ServiceContext& context);

private:
    SubmissionSeed() = delete;
};

#endif // SUBMISSIONSEED_H
