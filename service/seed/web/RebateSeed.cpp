#include "seed/web/RebateSeed.h"

#include "storage/core/ServiceDatabase.h"
#include "storage/web/RebateData.h"

#include <QDateTime>
#include <QMap>
#include <QVector>

namespace {

using Table = RebateData::Table;

struct RateRow
{
    int business;
    const char* name;
    const char* basis;
    double commission;
    double rebate;
    const char* note;
};

struct UserRow
{
    const char* name;
    const char* phone;
    const char* source;
    int daysAgo;
};

struct ClientRow
{
    int user; // index into the company's users
    const char* name;
    const char* phone;
    int want;
    const char* area;
    const char* budget;
    int status;
    int daysAgo;
};

struct HouseRow
{
    int user;
    const char* owner;
    const char* phone;
    int kind;
    const char* housename;
    const char* hutype;
    double mianji;
    const char* price;
    int status;
    int daysAgo;
};

struct DealRow
{
    int user;
    int source;
    int business; // picks the rate
    const char* title;
    double amount; // yuan: the price, or a month's rent
    int settled;
    int daysAgo;
};

struct CompanyRebates
{
    const char* companyId;
    QVector<RateRow> rates;
    QVector<UserRow> users;
    QVector<ClientRow> clients;
    QVector<HouseRow> houses;
    QVector<DealRow> deals;
};

QVector<CompanyRebates> companies()
{
    return {
        {"10001",
         {{0, "二手房买卖", "成交总价", 2.0, 10, "买卖双方合计收取，成交并结清佣金后发放"},
          {1, "房屋租赁", "月租金", 100, 20, "按一个月租金收取，租客入住后发放"},
          {2, "新房分销", "成交总价", 1.5, 15, "开发商结佣后发放"}},
         {{"张晓燕", "13981234501", "微信小程序", 40},
          {"刘强", "13981234502", "官网", 35},
          {"陈美玲", "13981234503", "微信小程序", 28},
          {"王浩", "13981234504", "门店推荐", 21},
          {"杨雪", "13981234505", "微信小程序", 14},
          {"周杰", "13981234506", "官网", 9},
          {"吴婷", "13981234507", "微信小程序", 3}},
         {{0, "赵先生", "13688880001", 0, "锦江区 春熙路", "150-200万", 3, 30},
          {0, "钱女士", "13688880002", 1, "青羊区 宽窄巷子", "3000-4000元/月", 1, 12},
          {1, "孙先生", "13688880003", 0, "高新区 金融城", "300-400万", 3, 18},
          {2, "李女士", "13688880004", 0, "武侯区 玉林", "100-150万", 0, 2},
          {2, "周先生", "13688880005", 1, "锦江区 东大街", "2000-3000元/月", 3, 20},
          {3, "吴女士", "13688880006", 0, "青羊区 光华", "200-250万", 4, 16},
          {4, "郑先生", "13688880007", 0, "高新区 大源", "250-300万", 2, 6},
          {5, "王女士", "13688880008", 1, "武侯区 桐梓林", "5000元/月以上", 0, 1}},
         {{0, "黄先生", "13588860001", 0, "锦江城市花园", "3室2厅2卫", 118, "210", 3, 25},
          {1, "林女士", "13588860002", 1, "东湖小区", "2室1厅1卫", 72, "2800", 2, 15},
          {3, "何先生", "13588860003", 0, "光华逸家", "2室2厅1卫", 86, "135", 1, 10},
          {4, "马女士", "13588860004", 0, "金沙苑", "3室1厅1卫", 95, "150", 0, 4},
          {6, "罗先生", "13588860005", 1, "春熙公寓", "1室1厅1卫", 45, "2200", 0, 1},
          {2, "高女士", "13588860006", 0, "玉林东路小区", "2室1厅1卫", 64, "92", 4, 19}},
         {{0, 0, 0, "赵先生 购 锦江城市花园 3室2厅2卫", 1850000, 1, 22},
          {0, 1, 0, "黄先生 售 锦江城市花园 3室2厅2卫", 2050000, 1, 21},
          {2, 0, 1, "周先生 租 东大街 2室1厅1卫", 2600, 1, 15},
          {1, 0, 2, "孙先生 购 金融城时代 写字楼", 3200000, 0, 8}}},
        {"30728",
         {{0, "二手房买卖", "成交总价", 2.5, 8, "成交并结清佣金后发放"},
          {1, "房屋租赁", "月租金", 100, 15, "租客入住后发放"}},
         {{"何建", "13881234511", "微信小程序", 30}, {"罗琳", "13881234512", "官网", 12}},
         {{0, "冯先生", "13588880011", 0, "武侯区 玉林", "100-130万", 3, 20},
          {1, "陈女士", "13588880012", 1, "武侯区 桐梓林", "2000-2500元/月", 1, 5}},
         {{1, "谢先生", "13488860011", 0, "玉林小区", "2室1厅1卫", 63, "88", 2, 8}},
         {{0, 0, 0, "冯先生 购 玉林小区 2室1厅1卫", 1150000, 0, 6}}},
    };
}

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString daysAgo(int days, int minutes = 0)
{
    static const QDateTime now = QDateTime::currentDateTime();
    return now.addDays(-days).addSecs(-60 * minutes).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

bool seedCompany(ServiceDatabase& db, const CompanyRebates& company)
{
    const QString companyId = text(company.companyId);
    QMap<int, RateRow> rateOf;
    int sort = 0;
    for (const RateRow& rate : company.rates) {
        rateOf.insert(rate.business, rate);
        if (!RebateData::add(db, Table::Rates, companyId,
                             {{QStringLiteral("business"), rate.business},
                              {QStringLiteral("name"), text(rate.name)},
                              {QStringLiteral("basis"), text(rate.basis)},
                              {QStringLiteral("commission"), rate.commission},
                              {QStringLiteral("rebate"), rate.rebate},
                              {QStringLiteral("note"), text(rate.note)},
                              {QStringLiteral("sort"), ++sort}}))
            return false;
    }
    QVector<qint64> userIds;
    for (const UserRow& user : company.users) {
        userIds.append(RebateData::add(db, Table::Users, companyId,
                                       {{QStringLiteral("name"), text(user.name)},
                                        {QStringLiteral("phone"), text(user.phone)},
                                        {QStringLiteral("source"), text(user.source)},
                                        {QStringLiteral("registered_at"), daysAgo(user.daysAgo)}}));
        if (userIds.last() == 0)
            return false;
    }
    for (const ClientRow& client : company.clients) {
        if (!RebateData::add(db, Table::Clients, companyId,
                             {{QStringLiteral("user_id"), userIds.value(client.user)},
                              {QStringLiteral("name"), text(client.name)},
                              {QStringLiteral("phone"), text(client.phone)},
                              {QStringLiteral("want"), client.want},
                              {QStringLiteral("area"), text(client.area)},
                              {QStringLiteral("budget"), text(client.budget)},
                              {QStringLiteral("status"), client.status},
                              {QStringLiteral("created_at"), daysAgo(client.daysAgo, 90)}}))
            return false;
    }
    for (const HouseRow& house : company.houses) {
        if (!RebateData::add(db, Table::Houses, companyId,
                             {{QStringLiteral("user_id"), userIds.value(house.user)},
                              {QStringLiteral("owner"), text(house.owner)},
                              {QStringLiteral("phone"), text(house.phone)},
                              {QStringLiteral("kind"), house.kind},
                              {QStringLiteral("housename"), text(house.housename)},
                              {QStringLiteral("hutype"), text(house.hutype)},
                              {QStringLiteral("mianji"), house.mianji},
                              {QStringLiteral("price"), text(house.price)},
                              {QStringLiteral("status"), house.status},
                              {QStringLiteral("created_at"), daysAgo(house.daysAgo, 45)}}))
            return false;
    }
    for (const DealRow& deal : company.deals) {
        const RateRow rate = rateOf.value(deal.business);
        const double commission = qRound64(deal.amount * rate.commission) / 100.0;
        const double rebate = qRound64(commission * rate.rebate) / 100.0;
        if (!RebateData::add(db, Table::Deals, companyId,
                             {{QStringLiteral("user_id"), userIds.value(deal.user)},
                              {QStringLiteral("source"), deal.source},
                              {QStringLiteral("business"), deal.business},
                              {QStringLiteral("title"), text(deal.title)},
                              {QStringLiteral("amount"), deal.amount},
                              {QStringLiteral("commission"), commission},
                              {QStringLiteral("rebate"), rebate},
                              {QStringLiteral("settled"), deal.settled},
                              {QStringLiteral("deal_time"), daysAgo(deal.daysAgo, 120)}}))
            return false;
    }
    return true;
}

} // namespace

bool RebateSeed::seed(ServiceDatabase& db)
{
    for (const CompanyRebates& company : companies()) {
        if (!seedCompany(db, company))
            return false;
    }
    return true;
}
