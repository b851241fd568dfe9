#ifndef FINANCIALSEED_H
#define FINANCIALSEED_H

class ServiceContext;

// Demo loan products and applications, so the financial lists have pages and every loan type to
// filter by: a dozen products and fourteen applications for "安居地产", a few for "山城置业",
// with product pictures drawn into the files folder. Runs inside the seeding transaction.
class FinancialSeed
{
public:
    static bool seed(ServiceContext& context);

private:
    FinancialSeed() = delete;
};

#endif // FINANCIALSEED_H
