#ifndef FINANCIALDATA_H
#define FINANCIALDATA_H

#include <QStringList>

class ServiceDatabase;

// The loan products a company offers on its site and the loan applications its visitors leave.
class FinancialData
{
public:
    static bool createSchema(ServiceDatabase& db);

    // The choices of the site's loan forms, in the order the filters show them.
    static QStringList loanTypes();
    static QStringList repaymentWays();

private:
    FinancialData() = delete;
};

#endif // FINANCIALDATA_H
