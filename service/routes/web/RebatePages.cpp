#include "routes/web/RebatePages.h"

#include "app/ServiceContext.h"
#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"
#include "routes/common/SitePage.h"
#include "sessions/SessionInfo.h"
#include "storage/core/ServiceDatabase.h"
#include "storage/web/RebateData.h"

#include <QLocale>

namespace {

const int kRentBusiness = 1;

struct PageInfo
{
    const char* file;
    const char* heading;
};

const PageInfo kPages[] = {
    {"trad.html", "成交中心"},
    {"commission_rate.html", "佣金预估"},
    {"rebate_user.html", "注册用户"},
    {"rebates_clientwantzg.html", "推介客户"},
    {"rebates_clinethousetable.html", "推介房源"},
};

const PageInfo& infoOf(RebatePages::Page page)
{
    return kPages[static_cast<int>(page)];
}

QString text(const QVariantMap& row, const char* key)
{
    return row.value(QLatin1String(key)).toString().toHtmlEscaped();
}

QString number(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString money(double yuan)
{
    return QLocale(QLocale::English).toString(yuan, 'f', 2);
}

// A state as a coloured tag: `done` states are green, `void` ones grey, the rest still open.
QString tag(const QStringList& names, int state, int done, int none)
{
    const QString kind = state == done ? QStringLiteral("done") : state == none ? QStringLiteral("void") : QStringLiteral("open");
    return QStringLiteral("<span class=\"tag %1\">%2</span>").arg(kind, names.value(state, QStringLiteral("—")));
}

QString figure(const QString& label, const QString& value)
{
    return QStringLiteral("<div class=\"figure\">%1<b>%2</b></div>").arg(label.toHtmlEscaped(), value.toHtmlEscaped());
}

// A price as the site states it: a month's rent in yuan, anything else in ten-thousands.
QString priceText(double yuan, int business)
{
    return business == kRentBusiness ? QStringLiteral("%1 元/月").arg(number(yuan))
                                     : QStringLiteral("%1 万元").arg(number(yuan / 10000));
}

// What the referrer of a deal on `amount` yuan gets, as the calculator works it out.
QString example(const QVariantMap& rate)
{
    const int business = rate.value(QStringLiteral("business")).toInt();
    const double amount = business == kRentBusiness ? 3000 : 1000000;
    const double commission = amount * rate.value(QStringLiteral("commission")).toDouble() / 100;
    const double rebate = commission * rate.value(QStringLiteral("rebate")).toDouble() / 100;
    return QStringLiteral("%1 %2：佣金 %3 元，返佣 %4 元")
        .arg(rate.value(QStringLiteral("basis")).toString(), priceText(amount, business), money(commission), money(rebate))
        .toHtmlEscaped();
}

} // namespace

RebatePages::RebatePages(ServiceContext& context)
    : m_context(context)
{
    // The pages live in this static library; naming them keeps the linker from dropping them.
    Q_INIT_RESOURCE(site_pages);
}

void RebatePages::registerRoutes(ServiceRouter& router)
{
    for (Page page : {Page::Deals, Page::Rates, Page::Users, Page::Clients, Page::Houses}) {
        router.add(QStringLiteral("site/") + fileName(page), ServiceRouter::Access::Public,
                   [this, page](const ServiceRequest& r) { return servePage(r, page); });
    }
    router.add(QStringLiteral("site/rebate_pages.js"), ServiceRouter::Access::Public, [](const ServiceRequest&) {
        return ServiceReply::bytes(SitePage::render(QStringLiteral(":/site_pages/rebate_pages.js"), {}).toUtf8(),
                                   QByteArrayLiteral("application/javascript; charset=utf-8"));
    });
}

QString RebatePages::fileName(Page page)
{
    return QString::fromLatin1(infoOf(page).file);
}

ServiceReply RebatePages::servePage(const ServiceRequest& request, Page page)
{
    const SessionInfo session = SitePage::sessionOf(m_context, request);
    const ServiceReply refused = SitePage::admit(request, session, {QStringLiteral("cityid")});
    if (!refused.body.isEmpty())
        return refused;

    QString body;
    switch (page) {
    case Page::Deals:
        body = dealsBody(session.companyId);
        break;
    case Page::Rates:
        body = ratesBody(session.companyId);
        break;
    case Page::Users:
        body = usersBody(session.companyId);
        break;
    case Page::Clients:
        body = clientsBody(session.companyId);
        break;
    case Page::Houses:
        body = housesBody(session.companyId);
        break;
    }
    ServiceDatabase& db = m_context.db();
    if (!db.lastError().isEmpty())
        return SitePage::refusal(500, QStringLiteral("无法打开"), QStringLiteral("服务暂时无法读取数据，请稍后重试"));
    const QVariantMap company = db.company(session.companyId);
    QString city = request.params.value(QStringLiteral("cityname")).trimmed();
    if (city.isEmpty())
        city = company.value(QStringLiteral("cityname")).toString();
    return SitePage::framed(QString::fromUtf8(infoOf(page).heading),
                            company.value(QStringLiteral("name")).toString() + QStringLiteral(" · ") + city, body,
                            page == Page::Rates ? QStringList{QStringLiteral("rebate_pages.js")} : QStringList());
}

QString RebatePages::dealsBody(const QString& companyId)
{
    const QList<QVariantMap> deals = RebateData::deals(m_context.db(), companyId);
    double commission = 0;
    double rebate = 0;
    double unpaid = 0;
    QList<QStringList> rows;
    for (const QVariantMap& deal : deals) {
        const double dealRebate = deal.value(QStringLiteral("rebate")).toDouble();
        const bool settled = deal.value(QStringLiteral("settled")).toInt() != 0;
        commission += deal.value(QStringLiteral("commission")).toDouble();
        rebate += dealRebate;
        if (!settled)
            unpaid += dealRebate;
        rows.append({text(deal, "deal_time"), text(deal, "referrer"),
                     deal.value(QStringLiteral("source")).toInt() == 0 ? QStringLiteral("推介客户") : QStringLiteral("推介房源"),
                     text(deal, "title"),
                     priceText(deal.value(QStringLiteral("amount")).toDouble(), deal.value(QStringLiteral("business")).toInt()),
                     money(deal.value(QStringLiteral("commission")).toDouble()), money(dealRebate),
                     tag({QStringLiteral("待结算"), QStringLiteral("已结算")}, settled ? 1 : 0, 1, -1)});
    }
    return QStringLiteral("<div class=\"figures\">%1%2%3%4</div>")
               .arg(figure(QStringLiteral("成交笔数"), QString::number(deals.size())),
                    figure(QStringLiteral("佣金合计（元）"), money(commission)),
                    figure(QStringLiteral("返佣合计（元）"), money(rebate)),
                    figure(QStringLiteral("待结算返佣（元）"), money(unpaid)))
        + SitePage::table({QStringLiteral("成交时间"), QStringLiteral("推介人"), QStringLiteral("来源"),
                           QStringLiteral("成交内容"), QStringLiteral("成交价"), QStringLiteral("佣金（元）"),
                           QStringLiteral("返佣（元）"), QStringLiteral("状态")},
                          rows, QStringLiteral("还没有推介成交的记录"));
}

QString RebatePages::ratesBody(const QString& companyId)
{
    const QList<QVariantMap> rates = RebateData::rates(m_context.db(), companyId);
    if (rates.isEmpty())
        return QStringLiteral("<p class=\"empty\">本公司尚未设置返佣比例</p>");
    QList<QStringList> rows;
    QString options;
    for (const QVariantMap& rate : rates) {
        const QString basis = text(rate, "basis");
        const QString commission = number(rate.value(QStringLiteral("commission")).toDouble());
        const QString rebate = number(rate.value(QStringLiteral("rebate")).toDouble());
        rows.append({text(rate, "name"), QStringLiteral("%1的%2%").arg(basis, commission),
                     QStringLiteral("佣金的%1%").arg(rebate), example(rate), text(rate, "note")});
        const bool rent = rate.value(QStringLiteral("business")).toInt() == kRentBusiness;
        options += QStringLiteral("<option value=\"%1\" data-commission=\"%2\" data-rebate=\"%3\" data-basis=\"%4\""
                                  " data-unit=\"%5\" data-factor=\"%6\">%7</option>")
                       .arg(text(rate, "id"), commission, rebate, basis,
                            rent ? QStringLiteral("元") : QStringLiteral("万元"),
                            rent ? QStringLiteral("1") : QStringLiteral("10000"), text(rate, "name"));
    }
    return QStringLiteral("<div class=\"panel\"><h2>本公司返佣比例</h2>%1</div>"
                          "<form class=\"panel\" id=\"calculator\"><h2>佣金预估</h2>"
                          "<label for=\"business\">业务</label><select id=\"business\" name=\"business\">%2</select>"
                          "<label for=\"amount\">金额</label><input type=\"number\" id=\"amount\" name=\"amount\""
                          " min=\"0\" step=\"any\"><span id=\"amountUnit\"></span>"
                          "<p class=\"estimate\" id=\"estimate\"></p>"
                          "<p class=\"hint\">预估仅供参考，以实际成交和结佣为准。</p></form>"
                          "<script>initRateCalculator();</script>")
        .arg(SitePage::table({QStringLiteral("业务"), QStringLiteral("佣金"), QStringLiteral("返佣"),
                              QStringLiteral("举例"), QStringLiteral("说明")},
                             rows, QString()),
             options);
}

QString RebatePages::usersBody(const QString& companyId)
{
    const QList<QVariantMap> users = RebateData::users(m_context.db(), companyId);
    double rebate = 0;
    QList<QStringList> rows;
    for (const QVariantMap& user : users) {
        rebate += user.value(QStringLiteral("rebate")).toDouble();
        rows.append({text(user, "name"), text(user, "phone"), text(user, "source"), text(user, "registered_at"),
                     text(user, "clients"), text(user, "houses"), text(user, "deals"),
                     money(user.value(QStringLiteral("rebate")).toDouble())});
    }
    return QStringLiteral("<div class=\"figures\">%1%2</div>")
               .arg(figure(QStringLiteral("注册用户"), QString::number(users.size())),
                    figure(QStringLiteral("累计返佣（元）"), money(rebate)))
        + SitePage::table({QStringLiteral("姓名"), QStringLiteral("手机"), QStringLiteral("注册来源"),
                           QStringLiteral("注册时间"), QStringLiteral("推介客户"), QStringLiteral("推介房源"),
                           QStringLiteral("成交"), QStringLiteral("累计返佣（元）")},
                          rows, QStringLiteral("还没有注册用户"));
}

QString RebatePages::clientsBody(const QString& companyId)
{
    static const QStringList states{QStringLiteral("待跟进"), QStringLiteral("跟进中"), QStringLiteral("已带看"),
                                    QStringLiteral("已成交"), QStringLiteral("无效")};
    QList<QStringList> rows;
    for (const QVariantMap& client : RebateData::clients(m_context.db(), companyId)) {
        rows.append({text(client, "created_at"), text(client, "name"), text(client, "phone"),
                     client.value(QStringLiteral("want")).toInt() == 0 ? QStringLiteral("求购") : QStringLiteral("求租"),
                     text(client, "area"), text(client, "budget"), text(client, "referrer"),
                     tag(states, client.value(QStringLiteral("status")).toInt(), 3, 4)});
    }
    return SitePage::table({QStringLiteral("推介时间"), QStringLiteral("客户"), QStringLiteral("手机"),
                            QStringLiteral("需求"), QStringLiteral("意向区域"), QStringLiteral("预算"),
                            QStringLiteral("推介人"), QStringLiteral("状态")},
                           rows, QStringLiteral("还没有推介的客户"));
}

QString RebatePages::housesBody(const QString& companyId)
{
    static const QStringList states{QStringLiteral("待核实"), QStringLiteral("已核实"), QStringLiteral("已上架"),
                                    QStringLiteral("已成交"), QStringLiteral("无效")};
    QList<QStringList> rows;
    for (const QVariantMap& house : RebateData::houses(m_context.db(), companyId)) {
        const bool rent = house.value(QStringLiteral("kind")).toInt() == 1;
        rows.append({text(house, "created_at"), text(house, "housename"),
                     rent ? QStringLiteral("出租") : QStringLiteral("出售"), text(house, "hutype"),
                     number(house.value(QStringLiteral("mianji")).toDouble()) + QStringLiteral(" m²"),
                     text(house, "price") + (rent ? QStringLiteral(" 元/月") : QStringLiteral(" 万元")),
                     text(house, "owner"), text(house, "phone"), text(house, "referrer"),
                     tag(states, house.value(QStringLiteral("status")).toInt(), 3, 4)});
    }
    return SitePage::table({QStringLiteral("推介时间"), QStringLiteral("小区"), QStringLiteral("类型"),
                            QStringLiteral("户型"), QStringLiteral("面积"), QStringLiteral("价格"),
                            QStringLiteral("业主"), QStringLiteral("手机"), QStringLiteral("推介人"),
                            QStringLiteral("状态")},
                           rows, QStringLiteral("还没有推介的房源"));
}
