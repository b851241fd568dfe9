#include "storage/listings/FinancialData.h"

#include "storage/core/ServiceDatabase.h"

namespace {

const char* const kLoanTypes[] = {"抵押贷款", "信用贷款", "按揭贷款", "经营贷款"};
const char* const kRepaymentWays[] = {"等额本息", "等额本金", "先息后本", "随借随还"};

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

QStringList FinancialData::loanTypes()
{
    QStringList list;
    for (const char* name : kLoanTypes)
        list.append(text(name));
    return list;
}

QStringList FinancialData::repaymentWays()
{
    QStringList list;
    for (const char* name : kRepaymentWays)
        list.append(text(name));
    return list;
}

bool FinancialData::createSchema(ServiceDatabase& db)
{
    return db.execute(QStringLiteral(
               "CREATE TABLE IF NOT EXISTS financial_products(id INTEGER PRIMARY KEY,"
               " company_id TEXT NOT NULL REFERENCES companies(id), title TEXT NOT NULL, photo TEXT NOT NULL DEFAULT '',"
               " des TEXT NOT NULL DEFAULT '', month_lixi TEXT NOT NULL DEFAULT '', months INTEGER NOT NULL DEFAULT 0,"
               " maxedu REAL NOT NULL DEFAULT 0, dyleixing TEXT NOT NULL DEFAULT '',"
               " changhuanway TEXT NOT NULL DEFAULT '', yongjin TEXT NOT NULL DEFAULT '',"
               " wstore INTEGER NOT NULL DEFAULT 0, conditions TEXT NOT NULL DEFAULT '',"
               " materials TEXT NOT NULL DEFAULT '', sort INTEGER NOT NULL DEFAULT 0)"))
        && db.execute(QStringLiteral(
            "CREATE TABLE IF NOT EXISTS financial_applications(id INTEGER PRIMARY KEY,"
            " company_id TEXT NOT NULL REFERENCES companies(id),"
            " product_id INTEGER NOT NULL REFERENCES financial_products(id), name TEXT NOT NULL,"
            " phone TEXT NOT NULL, created TEXT NOT NULL)"));
}
