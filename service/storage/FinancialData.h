#ifndef FINANCIALDATA_H
#define FINANCIALDATA_H

#include <QStringList>

class ServiceContext;
class ServiceDatabase;

// The loan products a company offers on its site and the loan applications its visitors leave.
class FinancialData
{
public:
    static bool createSchema(ServiceDatabase& db);
    // A dozen products and fourteen applications for "安居地产", a few for "山城置业".
    static bool seed(ServiceContext& context);

    // The choices of the site's loan forms, in the order the filters show them.
    static QStringList loanTypes();
    static QStringList repaymentWays();

private:
    FinancialData() = delete;
};

#endif // FINANCIALDATA_H
