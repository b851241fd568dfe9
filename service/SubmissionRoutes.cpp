#include "SubmissionRoutes.h"

#include "Envelope.h"
#include "ParamReader.h"
#include "ServiceContext.h"
#include "ServiceDatabase.h"
#include "ServiceRequest.h"
#include "ServiceRouter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

namespace {

const qint64 kMaxPageSize = 100;
const qint64 kMaxPageIndex = 1000000;

struct Paging
{
    qint64 kind = 0;
    qint64 pageSize = 20;
    qint64 pageIndex = 1;
};

// "type" (0 or 1), "pagesize" and "pageindex" (counted from 1); false with the message when one
// is missing or out of range.
bool readPaging(const ServiceRequest& request, Paging* paging, QString* message)
{
    ParamReader in(request.params);
    paging->kind = in.integer(QStringLiteral("type"), QStringLiteral("类型"), 0, 1);
    paging->pageSize = in.optionalInteger(QStringLiteral("pagesize"), QStringLiteral("每页条数"), 20, 1, kMaxPageSize);
    paging->pageIndex = in.optionalInteger(QStringLiteral("pageindex"), QStringLiteral("页码"), 1, 1, kMaxPageIndex);
    *message = in.message();
    return in.ok();
}

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
               [this](const ServiceRequest& request) { return ownerPosts(request); });
    router.add(QStringLiteral("api/mtore/gzposts"), ServiceRouter::Access::Session,
               [this](const ServiceRequest& request) { return demandPosts(request); });
}

ServiceReply SubmissionRoutes::ownerPosts(const ServiceRequest& request)
{
    Paging paging;
    QString message;
    if (!readPaging(request, &paging, &message))
        return Envelope::refused(message);

    ServiceDatabase& db = m_context.db();
    const QString companyId = request.session.companyId;
    const QVariantMap counted = db.selectOne(
        QStringLiteral("SELECT COUNT(*) AS total FROM owner_submissions WHERE company_id = ? AND kind = ?"),
        {companyId, paging.kind});
    if (!db.lastError().isEmpty())
        return Envelope::internalError();
    const QList<QVariantMap> rows = db.select(
        QStringLiteral("SELECT * FROM owner_submissions WHERE company_id = ? AND kind = ?"
                       " ORDER BY created_at DESC, id DESC LIMIT ? OFFSET ?"),
        {companyId, paging.kind, paging.pageSize, (paging.pageIndex - 1) * paging.pageSize});
    if (!db.lastError().isEmpty())
        return Envelope::internalError();

    QJsonArray data;
    for (const QVariantMap& row : rows) {
        QJsonArray photos;
        const QJsonArray names =
            QJsonDocument::fromJson(row.value(QStringLiteral("photos")).toString().toUtf8()).array();
        for (const QJsonValue& name : names)
            photos.append(m_context.fileUrl(name.toString()));
        auto field = [&row](const char* column) { return row.value(QString::fromUtf8(column)).toString(); };
        data.append(QJsonObject{
            {QStringLiteral("id"), row.value(QStringLiteral("id")).toLongLong()},
            {QStringLiteral("type"), paging.kind == 0 ? QStringLiteral("出售") : QStringLiteral("出租")},
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
        });
    }
    return Envelope::success(QJsonObject{{QStringLiteral("total"), counted.value(QStringLiteral("total")).toLongLong()},
                                         {QStringLiteral("data"), data}});
}

ServiceReply SubmissionRoutes::demandPosts(const ServiceRequest& request)
{
    Paging paging;
    QString message;
    if (!readPaging(request, &paging, &message))
        return Envelope::refused(message);

    ServiceDatabase& db = m_context.db();
    const QString companyId = request.session.companyId;
    const QVariantMap counted = db.selectOne(
        QStringLiteral("SELECT COUNT(*) AS total FROM visitor_demands WHERE company_id = ? AND kind = ?"),
        {companyId, paging.kind});
    if (!db.lastError().isEmpty())
        return Envelope::internalError();
    const QList<QVariantMap> rows = db.select(
        QStringLiteral("SELECT * FROM visitor_demands WHERE company_id = ? AND kind = ?"
                       " ORDER BY created_at DESC, id DESC LIMIT ? OFFSET ?"),
        {companyId, paging.kind, paging.pageSize, (paging.pageIndex - 1) * paging.pageSize});
    if (!db.lastError().isEmpty())
        return Envelope::internalError();

    // The site keeps what visitors typed, so every field but the id travels as text.
    QJsonArray data;
    for (const QVariantMap& row : rows) {
        auto field = [&row](const char* column) { return row.value(QString::fromUtf8(column)).toString(); };
        auto number = [&row](const char* column) { return shortest(row.value(QString::fromUtf8(column)).toDouble()); };
        data.append(QJsonObject{
            {QStringLiteral("id"), row.value(QStringLiteral("id")).toLongLong()},
            {QStringLiteral("type"), paging.kind == 0 ? QStringLiteral("求购") : QStringLiteral("求租")},
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
        });
    }
    return Envelope::success(QJsonObject{{QStringLiteral("total"), counted.value(QStringLiteral("total")).toLongLong()},
                                         {QStringLiteral("data"), data}});
}
