#include "settings/permissions/models/PermissionRange.h"

#include "net/http/JsonValues.h"

namespace {

const QString kWholeCompany = QStringLiteral("全公司");
const QString kDefaultRange = QStringLiteral("默认范围");
const QString kOwnDepartmentOnly = QStringLiteral("仅所在部门");
const QString kOneself = QStringLiteral("仅自己");
const QString kWithSubDepartments = QStringLiteral("所在部门及下级部门");
const QString kChosenDepartments = QStringLiteral("指定部门");

// The one right whose whole-company range is named for what it is: the default.
const int kDefaultRangeRight = 132;

} // namespace

QString PermissionRange::textOf(int code, int rightId)
{
    switch (code) {
    case 0:
        return rightId == kDefaultRangeRight ? kDefaultRange : kWholeCompany;
    case 1:
    case 6:
        return kOwnDepartmentOnly;
    case 2:
        return kOneself;
    case 3:
    case 4:
        return kWithSubDepartments;
    case 5:
        return kChosenDepartments;
    default:
        return kWholeCompany;
    }
}

int PermissionRange::codeOf(const QString& text)
{
    static const QList<QPair<QString, int>> codes{
        {kWholeCompany, 0},       {QStringLiteral("所在管理区域"), 3}, {QStringLiteral("仅所在门店"), 1},
        {kOneself, 2},            {kWithSubDepartments, 4},         {kChosenDepartments, 5},
        {kOwnDepartmentOnly, 6}, {kDefaultRange, 0},
    };
    for (const auto& entry : codes) {
        if (entry.first == text)
            return entry.second;
    }
    return 0;
}

QStringList PermissionRange::fullList()
{
    return {kWholeCompany, kWithSubDepartments, kOwnDepartmentOnly, kChosenDepartments, kOneself};
}

QStringList PermissionRange::shortList()
{
    return {kWholeCompany, kWithSubDepartments, kOwnDepartmentOnly, kChosenDepartments};
}

QString PermissionRange::shownNames(const QList<QVariantMap>& departments)
{
    QStringList names;
    for (const QVariantMap& department : departments) {
        if (!JsonValues::toBool(department.value(QStringLiteral("hideData"))))
            names.append(department.value(QStringLiteral("dept_name")).toString());
    }
    return names.join(QLatin1Char(';'));
}
