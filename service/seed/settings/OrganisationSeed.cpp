#include "seed/settings/OrganisationSeed.h"

#include "storage/core/ServiceDatabase.h"

namespace {

struct DepartmentRow
{
    int id;
    const char* companyId;
    int parentId;
    const char* name;
};

struct StaffRow
{
    const char* companyId;
    int deptId;
    const char* name;
    const char* phone;
};

// Below the stores that every agency already has.
const DepartmentRow kDepartments[] = {
    {8, "10001", 1, "营销中心"},
    {9, "10001", 8, "网络推广部"},
    {10, "10001", 9, "新媒体小组"},
    {23, "30728", 21, "高新店"},
};

const StaffRow kStaff[] = {
    {"10001", 2, "王建国", "13800000000"},  {"10001", 2, "陈秀英", "13800000002"},
    {"10001", 3, "周婷", "13800000006"},    {"10001", 4, "李小明", "13800000001"},
    {"10001", 4, "张春燕", "13800000003"},  {"10001", 5, "刘洋", "13800000004"},
    {"10001", 5, "杨帆", "13800000005"},    {"10001", 6, "郑丽", "13800000008"},
    {"10001", 7, "吴昊", "13800000007"},    {"10001", 8, "黄磊", "13800000011"},
    {"10001", 9, "孙悦", "13800000009"},    {"10001", 10, "马骁", "13800000010"},
    {"20002", 12, "刘德明", "13900000000"}, {"20002", 13, "何静", "13900000001"},
    {"30728", 22, "赵蓉", "13700000000"},   {"30728", 23, "钱坤", "13700000001"},
};

const char* const kJointSaleMembers[] = {"10001", "30728"};

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

bool OrganisationSeed::seed(ServiceDatabase& db)
{
    for (const DepartmentRow& dept : kDepartments) {
        if (!db.execute(QStringLiteral("INSERT INTO departments(id, company_id, parent_id, name, sort)"
                                       " VALUES(?, ?, ?, ?, ?)"),
                        {dept.id, text(dept.companyId), dept.parentId, text(dept.name), dept.id}))
            return false;
    }
    int sort = 0;
    for (const StaffRow& person : kStaff) {
        if (!db.execute(QStringLiteral("INSERT INTO staff(company_id, dept_id, name, phone, sort)"
                                       " VALUES(?, ?, ?, ?, ?)"),
                        {text(person.companyId), person.deptId, text(person.name), text(person.phone), ++sort}))
            return false;
    }
    if (!db.execute(QStringLiteral("INSERT INTO joint_sales(id, name) VALUES(?, ?)"),
                    {QStringLiteral("90001"), QStringLiteral("成都房产联卖")}))
        return false;
    sort = 0;
    for (const char* member : kJointSaleMembers) {
        if (!db.execute(QStringLiteral("INSERT INTO joint_sale_members(joint_sale_id, company_id, sort)"
                                       " VALUES(?, ?, ?)"),
                        {QStringLiteral("90001"), text(member), ++sort}))
            return false;
    }
    return true;
}
