#include "routes/listings/SubmissionRoutes.h"

#include "app/ServiceContext.h"
#include "http/Envelope.h"
#include "http/ParamReader.h"
#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"
#include "sessions/RightsCheck.h"
#include "storage/core/ServiceDatabase.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

namespace {

const qint64 kMaxPageSize = 100;
const qint64 kMaxPageIndex = 1000000;
// The right that opens the owners' submissions and the visitors' demands.
const int kSubmissionsRight = 156;

QString shortest(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace

SubmissionRoutes::SubmissionRoutes(ServiceContext& context)
    : m_context(context)
{
}

void SubmissionRoutes::registerRoutes(ServiceRouter& router)
{
    router.add(QStringLiteral("api/mtore/mzposts"), ServiceRouter::Access::Session,
               [this](const ServiceRequest& request) {
                   return posts(request, QStringLiteral("owner_submissions"),
                                [this](const QVariantMap& row, qint64 kind) { return ownerJson(row, kind); });
               });
    router.add(QStringLiteral("api/mtore/gzposts"), ServiceRouter::Access::Session,
               [this](const ServiceRequest& request) {
                   return posts(request, QStringLiteral("visitor_demands"), &SubmissionRoutes::demandJson);
               });
}

ServiceReply SubmissionRoutes::posts(const ServiceRequest& request, const QString& table, const RowJson& toJson)
{
    // Visitors' names and phone numbers: only for those the pages let in.
    if (!RightsCheck::hasAny(m_context.db(), request.session, {kSubmissionsRight}))
        return Envelope::refused(RightsCheck::noRightMessage());
    ParamReader in(request.params);
    const qint64 kind = in.integer(QStringLiteral("type"), QStringLiteral("类型"), 0, 1);
    const qint64 pageSize =
        in.optionalInteger(QStringLiteral("pagesize"), QStringLiteral("每页条数"), 20, 1, kMaxPageSize);
    const qint64 pageIndex =
        in.optionalInteger(QStringLiteral("pageindex"), QStringLiteral("页码"), 1, 1, kMaxPageIndex);
    if (!in.ok())
        return Envelope::refused(in.message());

    ServiceDatabase& db = m_context.db();
    qint64 total = 0;
    const QList<QVariantMap> rows =
        db.selectPage(QStringLiteral("*"), table % QStringLiteral(" WHERE company_id = ? AND kind = ?"),
                      {request.session.companyId, kind}, QStringLiteral("created_at DESC, id DESC"), pageIndex,
                      pageSize, &total);
    if (!db.lastError().isEmpty())
        return Envelope::internalError();
    QJsonArray data;
    for (const QVariantMap& row : rows)
        data.append(toJson(row, kind));
    return Envelope::success(QJsonObject{{QStringLiteral("total"), total}, {QStringLiteral("data"), data}});
}

QJsonObject SubmissionRoutes::ownerJson(const QVariantMap& row, qint64 kind) const
{
    QJsonArray photos;
    const QJsonArray names = QJsonDocument::fromJson(row.value(QStringLiteral("photos")).toString().toUtf8()).array();
    for (const QJsonValue& name : names)
        photos.append(m_context.fileUrl(name.toString()));
    auto field = [&row](const char* column) { return row.value(QString::fromUtf8(column)).toString(); };
    return QJsonObject{
        {QStringLiteral("id"), row.value(QStringLiteral("id")).toLongLong()},
        {QStringLiteral("type"), kind == 0 ? QStringLiteral("出售") : QStringLiteral("出租")},
        {QStringLiteral("name"), field("name")},
        {QStringLiteral("phone"), field("phone")},
        {QStringLiteral("housename"), field("housename")},
        {QStringLiteral("buildingNo"), field("building_no")},
        {QStringLiteral("unitNo"), field("unit_no")},
        {QStringLiteral("roomNo"), field("room_no")},
        {QStringLiteral("districtstr"), field("district")},
        {QStringLiteral("areastr"), field("area")},
        {QStringLiteral("address"), field("address")},
        {QStringLiteral("hutype"), field("hutype")},
        {QStringLiteral("floors"), row.value(QStringLiteral("floors")).toInt()},
        {QStringLiteral("allfloors"), row.value(QStringLiteral("allfloors")).toInt()},
        {QStringLiteral("price"), row.value(QStringLiteral("price")).toDouble()},
        {QStringLiteral("unitprice"), row.value(QStringLiteral("unitprice")).toInt()},
        {QStringLiteral("builtuparea"), row.value(QStringLiteral("builtuparea")).toDouble()},
        {QStringLiteral("renovation"), field("renovation")},
        {QStringLiteral("housetype"), field("housetype")},
        {QStringLiteral("remark"), field("remark")},
        {QStringLiteral("toward"), field("toward")},
        {QStringLiteral("payway"), field("payway")},
        {QStringLiteral("rentway"), field("rentway")},
        {QStringLiteral("imgurl"), photos},
        {QStringLiteral("time"), field("created_at")},
    };
}

// The site keeps what visitors typed, so every field but the id travels as text.
QJsonObject SubmissionRoutes::demandJson(const QVariantMap& row, qint64 kind)
{
    auto field = [&row](const char* column) { return row.value(QString::fromUtf8(column)).toString(); };
    auto number = [&row](const char* column) { return shortest(row.value(QString::fromUtf8(column)).toDouble()); };
    return QJsonObject{
        {QStringLiteral("id"), row.value(QStringLiteral("id")).toLongLong()},
        {QStringLiteral("type"), kind == 0 ? QStringLiteral("求购") : QStringLiteral("求租")},
        {QStringLiteral("needarea"), field("needarea")},
        {QStringLiteral("mianji"), number("mianji")},
        {QStringLiteral("tmianji"), number("tmianji")},
        {QStringLiteral("price"), number("price")},
        {QStringLiteral("tprice"), number("tprice")},
        {QStringLiteral("floors"), number("floors")},
        {QStringLiteral("tfloors"), number("tfloors")},
        {QStringLiteral("name"), field("name")},
        {QStringLiteral("sex"), field("sex")},
        {QStringLiteral("phone"), field("phone")},
        {QStringLiteral("remark"), field("remark")},
        {QStringLiteral("time"), field("created_at")},
    };
}
