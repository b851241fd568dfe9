#include "routes/account/OrganisationRoutes.h"

#include "app/ServiceContext.h"
#include "http/Envelope.h"
#include "http/ParamReader.h"
#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"
#include "storage/core/ServiceDatabase.h"
#include "storage/settings/OrganisationData.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

const QString kUnknownDepartment = QStringLiteral("部门不存在");
const QString kPathSeparator = QStringLiteral(" / ");
const qint64 kMaxId = 999999999999LL;

QJsonObject departmentJson(const OrganisationData& data, const OrganisationData::Department& department)
{
    return QJsonObject{
        {QStringLiteral("id"), department.id},
        {QStringLiteral("name"), department.name},
        {QStringLiteral("parentid"), department.parentId},
        {QStringLiteral("subcount"), data.children(department.id).size()},
        {QStringLiteral("path"), data.path(department.id, false).join(kPathSeparator)},
    };
}

QJsonObject personJson(const OrganisationData& data, const OrganisationData::Person& person)
{
    return QJsonObject{
        {QStringLiteral("id"), person.id},
        {QStringLiteral("name"), person.name},
        {QStringLiteral("phone"), person.phone},
        {QStringLiteral("storeid"), person.deptId},
        {QStringLiteral("storename"), data.department(person.deptId).name},
        {QStringLiteral("path"), data.path(person.deptId, true).join(kPathSeparator)},
    };
}

QJsonObject organisationJson(const OrganisationData& data, const QString& title,
                             const QList<OrganisationData::Department>& departments,
                             const QList<OrganisationData::Person>& staff)
{
    QJsonArray deptArray;
    for (const OrganisationData::Department& department : departments)
        deptArray.append(departmentJson(data, department));
    QJsonArray userArray;
    for (const OrganisationData::Person& person : staff)
        userArray.append(personJson(data, person));
    return QJsonObject{{QStringLiteral("title"), title},
                       {QStringLiteral("dept"), deptArray},
                       {QStringLiteral("user"), userArray}};
}

// The parameters both calls share: mdept (1: departments only) and appid, read only to check them.
bool departmentsOnly(ParamReader& in)
{
    in.optionalInteger(QStringLiteral("appid"), QStringLiteral("应用"), 0, 0, kMaxId);
    return in.optionalInteger(QStringLiteral("mdept"), QStringLiteral("仅部门"), 0, 0, 1) == 1;
}

} // namespace

OrganisationRoutes::OrganisationRoutes(ServiceContext& context)
    : m_context(context)
{
}

void OrganisationRoutes::registerRoutes(ServiceRouter& router)
{
    const auto session = ServiceRouter::Access::Session;
    router.add(QStringLiteral("office/omp/lwpV2"), session, [this](const ServiceRequest& r) { return list(r, false); });
    router.add(QStringLiteral("office/lmai/lwpV2"), session, [this](const ServiceRequest& r) { return list(r, true); });
    router.add(QStringLiteral("office/omp/dept/lwpSub"), session,
               [this](const ServiceRequest& r) { return subDepartments(r, false); });
    router.add(QStringLiteral("office/lmai/dept/lwpSub"), session,
               [this](const ServiceRequest& r) { return subDepartments(r, true); });
}

bool OrganisationRoutes::organisation(const ServiceRequest& request, bool jointSale, OrganisationData* data,
                                      QString* title, ServiceReply* refusal)
{
    ServiceDatabase& db = m_context.db();
    QStringList companies{request.session.companyId};
    if (!jointSale) {
        *title = db.company(request.session.companyId).value(QStringLiteral("name")).toString();
    } else {
        const QString jointSaleId = OrganisationData::jointSaleOf(db, request.session.companyId, title);
        if (jointSaleId.isEmpty() && db.lastError().isEmpty()) {
            *refusal = Envelope::refused(QStringLiteral("贵公司未加入联卖，没有联卖组织架构"));
            return false;
        }
        companies = db.lastError().isEmpty() ? OrganisationData::jointSaleMembers(db, jointSaleId) : QStringList();
    }
    if (db.lastError().isEmpty())
        *data = OrganisationData::load(db, companies);
    if (!data->ok()) {
        *refusal = Envelope::internalError();
        return false;
    }
    return true;
}

ServiceReply OrganisationRoutes::list(const ServiceRequest& request, bool jointSale)
{
    ParamReader in(request.params);
    const qint64 deptId = in.optionalInteger(QStringLiteral("deptId"), QStringLiteral("部门"), 0, 0, kMaxId);
    const QString key = in.optionalText(QStringLiteral("key"), QString(), 50);
    const bool onlyDepartments = departmentsOnly(in);
    if (!in.ok())
        return Envelope::refused(in.message());

    OrganisationData data;
    QString title;
    ServiceReply refusal;
    if (!organisation(request, jointSale, &data, &title, &refusal))
        return refusal;
    if (deptId != 0 && !data.contains(deptId))
        return Envelope::refused(kUnknownDepartment);

    QList<OrganisationData::Department> departments;
    QList<OrganisationData::Person> staff;
    if (key.isEmpty()) {
        departments = data.children(deptId);
        if (!onlyDepartments && deptId != 0)
            staff = data.staffIn({deptId});
    } else {
        departments = data.findDepartments(key, deptId).mid(0, MaxFound);
        if (!onlyDepartments)
            staff = data.findStaff(key, deptId).mid(0, MaxFound);
    }
    return Envelope::success(organisationJson(data, title, departments, staff));
}

ServiceReply OrganisationRoutes::subDepartments(const ServiceRequest& request, bool jointSale)
{
    ParamReader in(request.params);
    const QString text = in.text(QStringLiteral("deptids"), QStringLiteral("部门"));
    const bool onlyDepartments = departmentsOnly(in);
    if (!in.ok())
        return Envelope::refused(in.message());
    const QStringList pieces = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (pieces.size() > MaxDeptIds)
        return Envelope::refused(QStringLiteral("一次最多查询%1个部门").arg(MaxDeptIds));

    OrganisationData data;
    QString title;
    ServiceReply refusal;
    if (!organisation(request, jointSale, &data, &title, &refusal))
        return refusal;

    static const QRegularExpression number(QStringLiteral("^[0-9]{1,12}$"));
    QList<qint64> ids;
    for (const QString& piece : pieces) {
        const QString trimmed = piece.trimmed();
        if (!number.match(trimmed).hasMatch() || !data.contains(trimmed.toLongLong()))
            return Envelope::refused(kUnknownDepartment);
        if (!ids.contains(trimmed.toLongLong()))
            ids.append(trimmed.toLongLong());
    }
    if (ids.isEmpty())
        return Envelope::refused(QStringLiteral("缺少参数：部门"));

    const QList<OrganisationData::Department> below = data.descendants(ids);
    QList<OrganisationData::Person> staff;
    if (!onlyDepartments) {
        QList<qint64> all = ids;
        for (const OrganisationData::Department& department : below)
            all.append(department.id);
        staff = data.staffIn(all);
    }
    return Envelope::success(organisationJson(data, title, below, staff));
}
