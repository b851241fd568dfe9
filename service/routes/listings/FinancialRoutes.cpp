#include "routes/listings/FinancialRoutes.h"

#include "app/ServiceContext.h"
#include "http/Envelope.h"
#include "http/ParamReader.h"
#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"
#include "storage/core/ListFilter.h"
#include "storage/core/ServiceDatabase.h"
#include "storage/listings/FinancialData.h"

#include <QJsonArray>

namespace {

const int kPinRight = 80;
const int kPutUpRight = 82;
const int kSortRight = 83;

const QString kIdLabel = QStringLiteral("产品编号");
const QString kMissing = QStringLiteral("该金融产品不存在");

} // namespace

FinancialRoutes::FinancialRoutes(ServiceContext& context)
    : m_context(context)
    , m_products(context.db(), QStringLiteral("financial_products"), QString(), kIdLabel, kMissing)
{
}

void FinancialRoutes::registerRoutes(ServiceRouter& router)
{
    const auto session = ServiceRouter::Access::Session;
    router.add(QStringLiteral("api/apptwo/figetconfig"), session, [this](const ServiceRequest& r) { return config(r); });
    router.add(QStringLiteral("api/apptwo/fimsposts"), session, [this](const ServiceRequest& r) { return posts(r); });
    router.add(QStringLiteral("api/apptwo/fipaixu"), session,
               [this](const ServiceRequest& r) { return m_products.sort(r, kSortRight, kPinRight); });
    router.add(QStringLiteral("api/apptwo/ficlickstore"), session,
               [this](const ServiceRequest& r) { return m_products.togglePutUp(r, kPutUpRight); });
    router.add(QStringLiteral("api/apptwo/ficlientposts"), session, [this](const ServiceRequest& r) { return clientPosts(r); });
    router.add(QStringLiteral("api/apptwo/fidetail"), session, [this](const ServiceRequest& r) {
        return m_products.detail(r, [](const QVariantMap& row) { return productJson(row, true); });
    });
}

ServiceReply FinancialRoutes::config(const ServiceRequest&)
{
    return Envelope::success(QJsonObject{
        {QStringLiteral("dyleixing"), QJsonArray::fromStringList(FinancialData::loanTypes())},
        {QStringLiteral("changhuanway"), QJsonArray::fromStringList(FinancialData::repaymentWays())},
    });
}

ServiceReply FinancialRoutes::posts(const ServiceRequest& request)
{
    const auto filters = [](ListFilter& filter) {
        filter.text(QStringLiteral("dyleixing"), QStringLiteral("dyleixing = ?"));
        filter.text(QStringLiteral("changhuanway"), QStringLiteral("changhuanway = ?"));
        filter.contains(QStringLiteral("key"), {QStringLiteral("title")});
        filter.amount(QStringLiteral("priceone"), QStringLiteral("最低额度"),
                      QStringLiteral("maxedu >= CAST(? AS REAL)"));
        filter.amount(QStringLiteral("pricetwo"), QStringLiteral("最高额度"),
                      QStringLiteral("maxedu <= CAST(? AS REAL)"));
    };
    return m_products.posts(request, filters, [](const QVariantMap& row) { return productJson(row, false); });
}

ServiceReply FinancialRoutes::clientPosts(const ServiceRequest& request)
{
    ParamReader in(request.params);
    const qint64 pageIndex = in.optionalInteger(QStringLiteral("pageindex"), QStringLiteral("页码"), 1, 1, 100000);
    if (!in.ok())
        return Envelope::refused(in.message());
    ServiceDatabase& db = m_context.db();
    qint64 total = 0;
    const QList<QVariantMap> rows = db.selectPage(
        QStringLiteral("a.id, a.name, a.phone, a.created, p.title, p.dyleixing"),
        QStringLiteral("financial_applications a JOIN financial_products p ON p.id = a.product_id WHERE a.company_id = ?"),
        {request.session.companyId}, QStringLiteral("a.created DESC, a.id DESC"), pageIndex, ApplicationsPageSize, &total);
    if (!db.lastError().isEmpty())
        return Envelope::internalError();
    QJsonArray list;
    for (const QVariantMap& row : rows) {
        list.append(QJsonObject{
            {QStringLiteral("id"), row.value(QStringLiteral("id")).toLongLong()},
            {QStringLiteral("type"), row.value(QStringLiteral("dyleixing")).toString()},
            {QStringLiteral("title"), row.value(QStringLiteral("title")).toString()},
            {QStringLiteral("name"), row.value(QStringLiteral("name")).toString()},
            {QStringLiteral("phone"), row.value(QStringLiteral("phone")).toString()},
            {QStringLiteral("time"), row.value(QStringLiteral("created")).toString()},
        });
    }
    return Envelope::success(QJsonObject{{QStringLiteral("total"), total},
                                         {QStringLiteral("pagesize"), ApplicationsPageSize},
                                         {QStringLiteral("data"), list}});
}

QJsonObject FinancialRoutes::productJson(const QVariantMap& row, bool withDetails)
{
    const auto str = [&row](const char* key) { return row.value(QString::fromLatin1(key)).toString(); };
    QJsonObject product{
        {QStringLiteral("id"), row.value(QStringLiteral("id")).toLongLong()},
        {QStringLiteral("photo"), str("photo")},
        {QStringLiteral("title"), str("title")},
        {QStringLiteral("des"), str("des")},
        {QStringLiteral("monthLixi"), str("month_lixi")},
        {QStringLiteral("daikuandate"), str("months")},
        {QStringLiteral("maxedu"), QString::number(row.value(QStringLiteral("maxedu")).toDouble())},
        {QStringLiteral("dyleixing"), str("dyleixing")},
        {QStringLiteral("changhuanway"), str("changhuanway")},
        {QStringLiteral("yongjin"), str("yongjin")},
        {QStringLiteral("wstore"), row.value(QStringLiteral("wstore")).toInt() != 0},
    };
    if (withDetails) {
        product.insert(QStringLiteral("tiaojian"), str("conditions"));
        product.insert(QStringLiteral("cailiao"), str("materials"));
    }
    return product;
}
