#include "NewHouseRoutes.h"

#include "Envelope.h"
#include "HouseManagerRoutes.h"
#include "ParamReader.h"
#include "ServiceContext.h"
#include "ServiceDatabase.h"
#include "ServiceRequest.h"
#include "ServiceRouter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <climits>

namespace {

const int kPutUpRight = 70;
const int kPinRight = 72;
const int kSortRight = 73;
const int kRecommendRight = 97;

const QString kTable = QStringLiteral("newhouse_projects");
const QString kPin = QStringLiteral("istop");

const int kProjectRecommend = 1;
const int kHouseRecommend = 0;

} // namespace

NewHouseRoutes::NewHouseRoutes(ServiceContext& context)
    : m_context(context)
{
}

void NewHouseRoutes::registerRoutes(ServiceRouter& router)
{
    const auto session = ServiceRouter::Access::Session;
    router.add(QStringLiteral("api/mtore/newhouseposts"), session, [this](const ServiceRequest& r) { return posts(r); });
    router.add(QStringLiteral("api/nhouse/paixu"), session, [this](const ServiceRequest& r) { return sort(r); });
    router.add(QStringLiteral("api/nhouse/canceltop"), session, [this](const ServiceRequest& r) { return cancelTop(r); });
    router.add(QStringLiteral("api/nhouse/clickstore"), session, [this](const ServiceRequest& r) { return clickStore(r); });
    router.add(QStringLiteral("api/mtore/settuijian"), session, [this](const ServiceRequest& r) { return setTuijian(r); });
    router.add(QStringLiteral("api/nhouse/detail"), session, [this](const ServiceRequest& r) { return detail(r); });
}

bool NewHouseRoutes::hasRight(ServiceDatabase& db, const SessionInfo& session, const QList<int>& anyOf)
{
    if (session.isManager)
        return true;
    // The same entries the login hands to the desktop: every app group of the job role.
    const QList<QVariantMap> groups =
        db.select(QStringLiteral("SELECT content FROM job_auth WHERE job_id = ?"), {session.jobId});
    for (const QVariantMap& group : groups) {
        const QJsonArray entries =
            QJsonDocument::fromJson(group.value(QStringLiteral("content")).toString().toUtf8()).array();
        for (const QJsonValue& entry : entries) {
            const QJsonObject right = entry.toObject();
            if (anyOf.contains(right.value(QStringLiteral("id")).toInt())
                && right.value(QStringLiteral("selected")).toVariant().toBool())
                return true;
        }
    }
    return false;
}

QString NewHouseRoutes::noRightMessage()
{
    return QStringLiteral("您当前没有权利操作，请联系管理员！");
}

bool NewHouseRoutes::optionalAmount(ParamReader& in, const QString& value, const QString& label, double* amount)
{
    if (value.trimmed().isEmpty())
        return false;
    static const QRegularExpression pattern(QStringLiteral("^[0-9]{1,9}(\\.[0-9]{1,4})?$"));
    if (!pattern.match(value.trimmed()).hasMatch()) {
        in.fail(QStringLiteral("%1格式错误，请输入数字").arg(label));
        return false;
    }
    *amount = value.trimmed().toDouble();
    return true;
}

QString NewHouseRoutes::containsPattern(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('%'), QStringLiteral("\\%"));
    escaped.replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return QLatin1Char('%') % escaped % QLatin1Char('%');
}

ServiceReply NewHouseRoutes::moveReply(NewHouseData::Move move, const QString& missing)
{
    switch (move) {
    case NewHouseData::Move::Done:
        return Envelope::success(QJsonValue());
    case NewHouseData::Move::NotFound:
        return Envelope::refused(missing);
    case NewHouseData::Move::AtFirst:
        return Envelope::refused(QStringLiteral("已经排在最前面了，无法上移"));
    case NewHouseData::Move::AtLast:
        return Envelope::refused(QStringLiteral("已经排在最后面了，无法下移"));
    case NewHouseData::Move::Failed:
        break;
    }
    return Envelope::internalError();
}

void NewHouseRoutes::readPage(ParamReader& in, int* pageIndex, int* pageSize)
{
    *pageIndex = static_cast<int>(in.optionalInteger(QStringLiteral("pageindex"), QStringLiteral("页码"), 1, 1, 100000));
    *pageSize = static_cast<int>(in.optionalInteger(QStringLiteral("pagesize"), QStringLiteral("每页条数"), 5, 1, 100));
}

ServiceReply NewHouseRoutes::posts(const ServiceRequest& request)
{
    const ServiceParams& params = request.params;
    ParamReader in(params);
    int pageIndex = 1;
    int pageSize = 5;
    readPage(in, &pageIndex, &pageSize);

    QString where = QStringLiteral("company_id = ?");
    QVariantList values{request.session.companyId};
    const auto addText = [&](const QString& key, const QString& condition) {
        const QString value = in.optionalText(key, QString(), 100).trimmed();
        if (!value.isEmpty()) {
            where += condition;
            values.append(value);
        }
    };
    addText(QStringLiteral("district"), QStringLiteral(" AND district = ?"));
    addText(QStringLiteral("area"), QStringLiteral(" AND area = ?"));
    const QString name = in.optionalText(QStringLiteral("name"), QString(), 100).trimmed();
    if (!name.isEmpty()) {
        where += QStringLiteral(" AND name LIKE ? ESCAPE '\\'");
        values.append(containsPattern(name));
    }
    double price = 0;
    if (optionalAmount(in, params.value(QStringLiteral("priceone")), QStringLiteral("最低价格"), &price)) {
        where += QStringLiteral(" AND junjia >= ?");
        values.append(price);
    }
    if (optionalAmount(in, params.value(QStringLiteral("pricetwo")), QStringLiteral("最高价格"), &price)) {
        where += QStringLiteral(" AND junjia <= ?");
        values.append(price);
    }
    const qint64 wstore = in.optionalInteger(QStringLiteral("wstore"), QStringLiteral("上架状态"), -1, 0, 1);
    if (wstore >= 0) {
        where += QStringLiteral(" AND wstore = ?");
        values.append(wstore);
    }
    if (!in.ok())
        return Envelope::refused(in.message());

    ServiceDatabase& db = m_context.db();
    const int total = db.selectOne(QStringLiteral("SELECT COUNT(*) AS n FROM ") % kTable % QStringLiteral(" WHERE ") % where,
                                   values)
                          .value(QStringLiteral("n"))
                          .toInt();
    QVariantList pageValues = values;
    pageValues << pageSize << qint64(pageIndex - 1) * pageSize;
    const QList<QVariantMap> rows =
        db.select(QStringLiteral("SELECT * FROM ") % kTable % QStringLiteral(" WHERE ") % where
                      % QStringLiteral(" ORDER BY istop DESC, sort, id LIMIT ? OFFSET ?"),
                  pageValues);
    if (!db.lastError().isEmpty())
        return Envelope::internalError();
    QJsonArray list;
    for (const QVariantMap& row : rows)
        list.append(projectJson(row, false));
    return Envelope::success(QJsonObject{{QStringLiteral("total"), total}, {QStringLiteral("data"), list}});
}

ServiceReply NewHouseRoutes::sort(const ServiceRequest& request)
{
    ParamReader in(request.params);
    const qint64 id = in.integer(QStringLiteral("id"), QStringLiteral("项目编号"), 1, LLONG_MAX);
    const int type = static_cast<int>(in.integer(QStringLiteral("type"), QStringLiteral("排序类型"), 0, 2));
    if (!in.ok())
        return Envelope::refused(in.message());
    const QList<int> rights = type == 0 ? QList<int>{kPinRight, kSortRight} : QList<int>{kSortRight};
    if (!hasRight(m_context.db(), request.session, rights))
        return Envelope::refused(noRightMessage());
    return moveReply(NewHouseData::reorder(m_context.db(), kTable, kPin, request.session.companyId, id, type),
                     QStringLiteral("该新房项目不存在"));
}

ServiceReply NewHouseRoutes::cancelTop(const ServiceRequest& request)
{
    ParamReader in(request.params);
    const qint64 id = in.integer(QStringLiteral("id"), QStringLiteral("项目编号"), 1, LLONG_MAX);
    if (!in.ok())
        return Envelope::refused(in.message());
    if (!hasRight(m_context.db(), request.session, {kPinRight, kSortRight}))
        return Envelope::refused(noRightMessage());
    return moveReply(NewHouseData::unpin(m_context.db(), kTable, kPin, request.session.companyId, id),
                     QStringLiteral("该新房项目不存在"));
}

ServiceReply NewHouseRoutes::clickStore(const ServiceRequest& request)
{
    ParamReader in(request.params);
    const qint64 id = in.integer(QStringLiteral("id"), QStringLiteral("项目编号"), 1, LLONG_MAX);
    if (!in.ok())
        return Envelope::refused(in.message());
    ServiceDatabase& db = m_context.db();
    if (!hasRight(db, request.session, {kPutUpRight}))
        return Envelope::refused(noRightMessage());
    if (!db.execute(QStringLiteral("UPDATE newhouse_projects SET wstore = 1 - wstore WHERE id = ? AND company_id = ?"),
                    {id, request.session.companyId}))
        return Envelope::internalError();
    if (db.changes() == 0)
        return Envelope::refused(QStringLiteral("该新房项目不存在"));
    const bool wstore = db.selectOne(QStringLiteral("SELECT wstore FROM newhouse_projects WHERE id = ?"), {id})
                            .value(QStringLiteral("wstore"))
                            .toInt()
                        != 0;
    return Envelope::success(QJsonObject{{QStringLiteral("id"), id}, {QStringLiteral("wstore"), wstore}},
                             wstore ? QStringLiteral("上架成功") : QStringLiteral("下架成功"));
}

ServiceReply NewHouseRoutes::setTuijian(const ServiceRequest& request)
{
    ParamReader in(request.params);
    const int type = static_cast<int>(in.integer(QStringLiteral("type"), QStringLiteral("推荐类型"), 0, 1));
    if (!in.ok())
        return Envelope::refused(in.message());
    switch (type) {
    case kProjectRecommend:
        return recommendProject(request, in);
    case kHouseRecommend:
        return HouseManagerRoutes::recommendHouse(m_context, request, in);
    default:
        break;
    }
    return Envelope::refused(QStringLiteral("暂不支持推荐该类信息"));
}

ServiceReply NewHouseRoutes::recommendProject(const ServiceRequest& request, ParamReader& in)
{
    const qint64 id = in.integer(QStringLiteral("id"), QStringLiteral("项目编号"), 1, LLONG_MAX);
    const qint64 state = in.integer(QStringLiteral("state"), QStringLiteral("推荐状态"), 0, 1);
    if (!in.ok())
        return Envelope::refused(in.message());
    ServiceDatabase& db = m_context.db();
    if (!hasRight(db, request.session, {kRecommendRight}))
        return Envelope::refused(noRightMessage());
    if (db.company(request.session.companyId).value(QStringLiteral("site_open")).toInt() == 0)
        return Envelope::refused(QStringLiteral("您尚未开通官网服务!"));
    if (!db.execute(QStringLiteral("UPDATE newhouse_projects SET tuijian = ? WHERE id = ? AND company_id = ?"),
                    {state, id, request.session.companyId}))
        return Envelope::internalError();
    if (db.changes() == 0)
        return Envelope::refused(QStringLiteral("该新房项目不存在"));
    return Envelope::success(QJsonObject{{QStringLiteral("id"), id}, {QStringLiteral("tuijian"), state != 0}},
                             state ? QStringLiteral("推荐成功") : QStringLiteral("已取消推荐"));
}

ServiceReply NewHouseRoutes::detail(const ServiceRequest& request)
{
    ParamReader in(request.params);
    const qint64 id = in.integer(QStringLiteral("id"), QStringLiteral("项目编号"), 1, LLONG_MAX);
    if (!in.ok())
        return Envelope::refused(in.message());
    const QVariantMap row = m_context.db().selectOne(
        QStringLiteral("SELECT * FROM newhouse_projects WHERE id = ? AND company_id = ?"), {id, request.session.companyId});
    if (row.isEmpty())
        return m_context.db().lastError().isEmpty() ? Envelope::refused(QStringLiteral("该新房项目不存在"))
                                                    : Envelope::internalError();
    return Envelope::success(projectJson(row, true));
}

QJsonObject NewHouseRoutes::projectJson(const QVariantMap& row, bool withDetails) const
{
    const auto str = [&row](const char* key) { return row.value(QString::fromLatin1(key)).toString(); };
    const auto flag = [&row](const char* key) { return row.value(QString::fromLatin1(key)).toInt() != 0; };
    QJsonObject project{
        {QStringLiteral("id"), row.value(QStringLiteral("id")).toLongLong()},
        {QStringLiteral("thumbnail"), str("thumbnail")},
        {QStringLiteral("name"), str("name")},
        {QStringLiteral("zhuangtai"), str("zhuangtai")},
        {QStringLiteral("dongtai"), str("dongtai")},
        {QStringLiteral("province"), str("province")},
        {QStringLiteral("cityname"), str("cityname")},
        {QStringLiteral("district"), str("district")},
        {QStringLiteral("area"), str("area")},
        {QStringLiteral("address"), str("address")},
        {QStringLiteral("junjia"), str("junjia")},
        {QStringLiteral("yongjin"), str("yongjin")},
        {QStringLiteral("wstore"), flag("wstore")},
        {QStringLiteral("leixing"), str("leixing")},
        {QStringLiteral("istop"), flag("istop")},
        {QStringLiteral("tuijian"), flag("tuijian")},
        {QStringLiteral("telbefore"), str("telbefore")},
        {QStringLiteral("telafter"), str("telafter")},
    };
    if (withDetails) {
        project.insert(QStringLiteral("kaifashang"), str("developer"));
        project.insert(QStringLiteral("kaipan"), str("opening"));
        project.insert(QStringLiteral("huxing"), str("layouts"));
        project.insert(QStringLiteral("mianji"), str("areas"));
    }
    return project;
}
