#include "settings/choosers/OrganisationRequest.h"

#include "net/http/Endpoints.h"
#include "net/paging/SearchKey.h"

OrganisationRequest::OrganisationRequest(Kind kind)
    : m_kind(kind)
{
}

QString OrganisationRequest::listUrl() const
{
    return m_kind == Kind::JointSale ? Api::lmaiLwpV2() : Api::ompLwpV2();
}

QString OrganisationRequest::subUrl() const
{
    return m_kind == Kind::JointSale ? Api::lmaiDeptLwpSub() : Api::ompDeptLwpSub();
}

QVariantMap OrganisationRequest::listParams(const QString& deptId, const QString& searchText, bool departmentsOnly)
{
    return QVariantMap{{QStringLiteral("deptId"), deptId},
                       {QStringLiteral("appid"), AppId},
                       {QStringLiteral("mdept"), departmentsOnly ? 1 : 0},
                       {QStringLiteral("key"), searchKey(searchText)}};
}

QVariantMap OrganisationRequest::subParams(const QStringList& deptIds)
{
    // Only the departments are wanted: they are what a choice "with its sub-departments" covers.
    return QVariantMap{{QStringLiteral("deptids"), deptIds.join(QLatin1Char(','))},
                       {QStringLiteral("appid"), AppId},
                       {QStringLiteral("mdept"), 1}};
}

QString OrganisationRequest::searchKey(const QString& text)
{
    return SearchKey::of(text);
}
