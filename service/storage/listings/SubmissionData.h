#ifndef SUBMISSIONDATA_H
#define SUBMISSIONDATA_H

class ServiceDatabase;

// What visitors leave on a company's site: houses owners want to sell or let (kind 0 / 1), with
// their photos, and the buying and renting demands of people looking for a house (kind 0 / 1).
class SubmissionData
{
public:
    static bool createSchema(ServiceDatabase& db);

private:
    SubmissionData() = delete;
};

#endif // SUBMISSIONDATA_H
