#ifndef ORGANISATIONREQUEST_H
#define ORGANISATIONREQUEST_H

#include <QString>
#include <QStringList>
#include <QVariantMap>

// What the person and department choosers ask the office host: a company's organisation through
// "omp/lwpV2" and "omp/dept/lwpSub", a joint sale's through the "lmai/" pair, with the same
// parameter maps.
class OrganisationRequest
{
public:
    enum class Kind { Company, JointSale };
    // The module's app id, under which the organisation is asked for.
    static constexpr int AppId = 12;

    explicit OrganisationRequest(Kind kind = Kind::Company);

    Kind kind() const { return m_kind; }
    // A department's sub-departments and staff, or a search.
    QString listUrl() const;
    // Every sub-department of some departments.
    QString subUrl() const;

    // deptId empty: the top of the organisation. The search text goes as "key" with all white
    // space taken out; an empty key lists the department.
    static QVariantMap listParams(const QString& deptId, const QString& searchText, bool departmentsOnly);
    static QVariantMap subParams(const QStringList& deptIds);
    // The key as every list sends it (SearchKey).
    static QString searchKey(const QString& text);

private:
    Kind m_kind;
};

#endif // ORGANISATIONREQUEST_H
