#include "FinancialRoutes.h"

#include "Envelope.h"
#include "FinancialData.h"
#include "NewHouseData.h"
#include "NewHouseRoutes.h"
#include "ParamReader.h"
#include "ServiceContext.h"
#include "ServiceDatabase.h"
#include "ServiceRequest.h"
#include "ServiceRouter.h"

#include <QJsonArray>

#include <climits>

namespace {

const int kPinRight = 80;
const int kPutUpRight = 82;
const int kSortRight = 83;

const QString kTable = QStringLiteral("financial_products");
const QString kMissing = QStringLiteral("该金融产品不存在");

} // namespace

FinancialRoutes::FinancialRoutes(ServiceContext& context)
    : m_context(context)
{
}

void FinancialRoutes::registerRoutes(ServiceRouter& router)
{
    const auto session = ServiceRouter::Access::Session;
    router.add(QStringLiteral("api/apptwo/figetconfig"), session, [this](const ServiceRequest& r) { return config(r); });
    router.add(QStringLiteral("api/apptwo/fimsposts"), session, [this](const ServiceRequest& r) { return posts(r); });
    router.add(QStringLiteral("api/apptwo/fipaixu"), session, [this](const ServiceRequest& r) { return sort(r); });
    router.add(QStringLiteral("api/apptwo/ficlickstore"), session, [this](const ServiceRequest& r) { return clickStore(r); });
    router.add(QStringLiteral("api/apptwo/ficlientposts"), session, [this](const ServiceRequest& r) { return clientPosts(r); });
    router.add(QStringLiteral("api/apptwo/fidetail"), session, [this](const ServiceRequest& r) { return detail(r); });
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
    const ServiceParams& params = request.params;
    ParamReader in(params);
    int pageIndex = 1;
    int pageSize = 5;
    NewHouseRoutes::readPage(in, &pageIndex, &pageSize);

    QString where = QStringLiteral("company_id = ?");
    QVariantList values{request.session.companyId};
    const auto addExact = [&](const QString& key, const QString& condition) {
        const QString value = in.optionalText(key, QString(), 100).trimmed();
        if (!value.isEmpty()) {
            where += condition;
            values.append(value);
        }
    };
    addExact(QStringLiteral("dyleixing"), QStringLiteral(" AND dyleixing = ?"));
    addExact(QStringLiteral("changhuanway"), QStringLiteral(" AND changhuanway = ?"));
    const QString key = in.optionalText(QStringLiteral("key"), QString(), 100).trimmed();
    if (!key.isEmpty()) {
        where += QStringLiteral(" AND title LIKE ? ESCAPE '\\'");
        values.append(NewHouseRoutes::containsPattern(key));
    }
    double amount = 0;
    if (NewHouseRoutes::optionalAmount(in, params.value(QStringLiteral("priceone")), QStringLiteral("最低额度"), &amount)) {
        where += QStringLiteral(" AND maxedu >= ?");
        values.append(amount);
    }
    if (NewHouseRoutes::optionalAmount(in, params.value(QStringLiteral("pricetwo")), QStringLiteral("最高额度"), &amount)) {
        where += QStringLiteral(" AND maxedu <= ?");
        values.append(amount);
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
    const QList<QVariantMap> rows = db.select(QStringLiteral("SELECT * FROM ") % kTable % QStringLiteral(" WHERE ") % where
                                                  % QStringLiteral(" ORDER BY sort, id LIMIT ? OFFSET ?"),
                                              pageValues);
    if (!db.lastError().isEmpty())
        return Envelope::internalError();
    QJsonArray list;
    for (const QVariantMap& row : rows)
        list.append(productJson(row, false));
    return Envelope::success(QJsonObject{{QStringLiteral("total"), total}, {QStringLiteral("data"), list}});
}

ServiceReply FinancialRoutes::sort(const ServiceRequest& request)
{
    ParamReader in(request.params);
    const qint64 id = in.integer(QStringLiteral("id"), QStringLiteral("产品编号"), 1, LLONG_MAX);
    const int type = static_cast<int>(in.integer(QStringLiteral("type"), QStringLiteral("排序类型"), 0, 2));
    if (!in.ok())
        return Envelope::refused(in.message());
    const QList<int> rights = type == 0 ? QList<int>{kPinRight, kSortRight} : QList<int>{kSortRight};
    if (!NewHouseRoutes::hasRight(m_context.db(), request.session, rights))
        return Envelope::refused(NewHouseRoutes::noRightMessage());
    return NewHouseRoutes::moveReply(
        NewHouseData::reorder(m_context.db(), kTable, QString(), request.session.companyId, id, type), kMissing);
}

ServiceReply FinancialRoutes::clickStore(const ServiceRequest& request)
{
    ParamReader in(request.params);
    const qint64 id = in.integer(QStringLiteral("id"), QStringLiteral("产品编号"), 1, LLONG_MAX);
    if (!in.ok())
        return Envelope::refused(in.message());
    ServiceDatabase& db = m_context.db();
    if (!NewHouseRoutes::hasRight(db, request.session, {kPutUpRight}))
        return Envelope::refused(NewHouseRoutes::noRightMessage());
    if (!db.execute(QStringLiteral("UPDATE financial_products SET wstore = 1 - wstore WHERE id = ? AND company_id = ?"),
                    {id, request.session.companyId}))
        return Envelope::internalError();
    if (db.changes() == 0)
        return Envelope::refused(kMissing);
    const bool wstore = db.selectOne(QStringLiteral("SELECT wstore FROM financial_products WHERE id = ?"), {id})
                            .value(QStringLiteral("wstore"))
                            .toInt()
                        != 0;
    return Envelope::success(QJsonObject{{QStringLiteral("id"), id}, {QStringLiteral("wstore"), wstore}},
                             wstore ? QStringLiteral("上架成功") : QStringLiteral("下架成功"));
}

ServiceReply FinancialRoutes::clientPosts(const ServiceRequest& request)
{
    ParamReader in(request.params);
    const qint64 pageIndex = in.optionalInteger(QStringLiteral("pageindex"), QStringLiteral("页码"), 1, 1, 100000);
    if (!in.ok())
        return Envelope::refused(in.message());
    ServiceDatabase& db = m_context.db();
    const QString companyId = request.session.companyId;
    const int total =
        db.selectOne(QStringLiteral("SELECT COUNT(*) AS n FROM financial_applications WHERE company_id = ?"), {companyId})
            .value(QStringLiteral("n"))
            .toInt();
    const QList<QVariantMap> rows = db.select(
        QStringLiteral("SELECT a.id, a.name, a.phone, a.created, p.title, p.dyleixing FROM financial_applications a"
                       " JOIN financial_products p ON p.id = a.product_id WHERE a.company_id = ?"
                       " ORDER BY a.created DESC, a.id DESC LIMIT ? OFFSET ?"),
        {companyId, ApplicationsPageSize, (pageIndex - 1) * ApplicationsPageSize});
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

ServiceReply FinancialRoutes::detail(const ServiceRequest& request)
{
    ParamReader in(request.params);
    const qint64 id = in.integer(QStringLiteral("id"), QStringLiteral("产品编号"), 1, LLONG_MAX);
    if (!in.ok())
        return Envelope::refused(in.message());
    const QVariantMap row = m_context.db().selectOne(
        QStringLiteral("SELECT * FROM financial_products WHERE id = ? AND company_id = ?"), {id, request.session.companyId});
    if (row.isEmpty())
        return m_context.db().lastError().isEmpty() ? Envelope::refused(kMissing) : Envelope::internalError();
    return Envelope::success(productJson(row, true));
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
