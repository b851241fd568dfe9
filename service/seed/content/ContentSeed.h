#ifndef CONTENTSEED_H
#define CONTENTSEED_H

class ServiceContext;

// Demo company profiles and job postings: "安居地产" has a profile with three pictures drawn into
// the files folder and six postings with tags; "山城置业" a profile with one picture and two
// postings; "蓉城房产" a profile without pictures and one posting. Runs inside the seeding
// transaction.
class ContentSeed
{
public:
    static bool seed(ServiceContext& context);

private:
    ContentSeed() = delete;
};

#endif // CONTENTSEED_H
