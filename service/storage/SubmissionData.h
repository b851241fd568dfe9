#ifndef SUBMISSIONDATA_H
#define SUBMISSIONDATA_H

class ServiceContext;
class ServiceDatabase;

// What visitors leave on a company's site: houses owners want to sell or let (kind 0 / 1), with
// their photos, and the buying and renting demands of people looking for a house (kind 0 / 1).
class SubmissionData
{
public:
    static bool createSchema(ServiceDatabase& db);
    // For "安居地产" (成都): 41 houses to sell, 25 to let, 30 buying and 20 renting demands; a few
    // of each for "山城置业" (重庆). House photos are drawn into the files folder.
    static bool seed(ServiceContext& context);

private:
    SubmissionData() = delete;
};

#endif // SUBMISSIONDATA_H
