#ifndef PERMISSIONRANGE_H
#define PERMISSIONRANGE_H

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// The data range of a ranged right: its code as the service stores it and the text the range
// chooser shows. The two do not map one to one: code 1 shows as "仅所在部门", which reads back as
// 6, and code 3 as "所在部门及下级部门", which reads back as 4.
class PermissionRange
{
public:
    enum Code { WholeCompany = 0, OwnDepartment = 1, Oneself = 2, ChosenDepartments = 5, OwnDepartmentOnly = 6 };

    static QString textOf(int code, int rightId);
    static int codeOf(const QString& text);

    // The chooser's entries: every range, or every range but "仅自己".
    static QStringList fullList();
    static QStringList shortList();

    // The names of the departments that are listed ("hideData" not set), joined with ";".
    static QString shownNames(const QList<QVariantMap>& departments);

private:
    PermissionRange() = delete;
};

#endif // PERMISSIONRANGE_H
