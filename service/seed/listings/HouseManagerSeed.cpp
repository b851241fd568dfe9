#include "seed/listings/HouseManagerSeed.h"

#include "storage/core/ServiceDatabase.h"
#include "storage/listings/BookData.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>

#include <iterator>

namespace {

// How a seeded house stands on the site.
enum Flag {
    Normal = 0,
    Waiting = 1,     // not yet reviewed: neither put up nor recommended
    Recommended = 2, // on the site's front page
    TakenDown = 4,   // reviewed, but not shown
    SiteOnly = 8,    // entered on the site only: no house-book record (bookid 0)
};

struct Publisher
{
    const char* phone;
    const char* name;
    int storeId;
};

struct SeedHouse
{
    int kind;
    const Publisher* publisher;
    const char* village;
    const char* district;
    const char* area;
    const char* hutype;
    double size;
    int floor;
    int allFloors;
    const char* building;
    const char* unit;
    const char* room;
    double price;
    const char* title;
    const char* tags;
    int flags;
    int daysAgo;
    int shows;
    const char* renovation;
    const char* toward;
};

// 安居地产: the manager, the staff member of 春熙路一组 and four agents who have no account here
// (赵磊 in the same group as the staff member).
const Publisher kWang = {"13800000000", "王建国", 2};
const Publisher kLi = {"13800000001", "李小明", 4};
const Publisher kZhang = {"13800000002", "张伟", 5};
const Publisher kChen = {"13800000003", "陈静", 7};
const Publisher kLiu = {"13800000004", "刘洋", 6};
const Publisher kZhao = {"13800000005", "赵磊", 4};
// 山城置业
const Publisher kLiuDm = {"13900000000", "刘德明", 12};
const Publisher kZhou = {"13900000001", "周敏", 13};

const SeedHouse kChengduHouses[] = {
    // For sale: price in ten-thousands of yuan.
    {0, &kLi, "中海城南一号", "高新区", "金融城", "3室2厅2卫", 128.5, 12, 32, "3", "2", "1201", 265,
     "中海城南一号 精装三室 南北通透", "满五唯一,近地铁,精装修", Recommended, 1, 356, "精装", "南北"},
    {0, &kZhang, "万科金色海蓉", "高新区", "大源", "2室2厅1卫", 89, 8, 26, "5", "1", "802", 158,
     "万科金色海蓉 两室 拎包入住", "近地铁,随时看房", Normal, 2, 212, "精装", "南"},
    {0, &kChen, "龙湖三千城", "高新区", "大源", "4室2厅2卫", 143, 18, 33, "2", "1", "1802", 298,
     "龙湖三千城 大四房 观景阳台", "满二,南北通透", Recommended, 2, 498, "精装", "南北"},
    {0, &kLi, "锦江城市花园", "锦江区", "东大街", "3室1厅1卫", 96, 5, 7, "8", "2", "502", 142,
     "锦江城市花园 低楼层三室 带花园", "学区房,满五唯一", Normal, 3, 187, "简装", "东南"},
    {0, &kWang, "蓝光COCO时代", "锦江区", "盐市口", "1室1厅1卫", 52, 21, 30, "1", "1", "2105", 86,
     "盐市口地铁口 精装小户型", "近地铁,投资", Normal, 3, 143, "精装", "西"},
    {0, &kLiu, "仁恒滨河湾", "锦江区", "攀成钢", "4室2厅3卫", 186, 15, 28, "6", "1", "1501", 560,
     "仁恒滨河湾 一线江景 豪装四房", "江景,豪装,满五唯一", Recommended, 4, 812, "豪装", "南"},
    {0, &kChen, "清华坊", "青羊区", "宽窄巷子", "3室2厅2卫", 132, 3, 6, "12", "1", "301", 236,
     "宽窄巷子旁 清华坊 电梯洋房", "洋房,带露台", TakenDown, 5, 96, "精装", "南北"},
    {0, &kZhang, "中德英伦联邦", "青羊区", "光华", "2室1厅1卫", 78, 9, 18, "A区7", "2", "903", 112,
     "光华 中德英伦联邦 两室 双地铁", "近地铁,满二", Normal, 5, 175, "简装", "北"},
    {0, &kLi, "蓝光COCO金沙", "青羊区", "金沙", "3室2厅1卫", 102, 11, 24, "4", "1", "1104", 168,
     "金沙 COCO金沙 三室 中庭位置", "近公园", Waiting, 0, 12, "精装", "南"},
    {0, &kLiu, "恒大名都", "青羊区", "草市街", "2室2厅1卫", 85, 16, 31, "2", "2", "1603", 145,
     "草市街 恒大名都 两室 视野开阔", "满五唯一", Normal, 6, 88, "精装", "东"},
    {0, &kZhang, "广福桥小区", "武侯区", "红牌楼", "2室1厅1卫", 68, 4, 7, "10", "3", "402", 72,
     "红牌楼 老小区 低总价两室", "低总价,近地铁", SiteOnly, 6, 64, "简装", "南"},
    {0, &kWang, "玉林小区", "武侯区", "玉林", "3室1厅1卫", 88, 6, 7, "5", "1", "601", 118,
     "玉林 老三室 生活方便", "学区房", TakenDown, 7, 51, "简装", "南北"},
    {0, &kChen, "棕榈泉国际公寓", "武侯区", "桐梓林", "3室2厅2卫", 156, 22, 35, "B", "1", "2201", 420,
     "桐梓林 棕榈泉 高层三室 领馆区", "豪装,满五唯一", Waiting, 1, 8, "豪装", "南"},
    {0, &kLiu, "保利心语", "高新区", "中和", "3室2厅1卫", 99, 7, 18, "9", "2", "702", 139,
     "中和 保利心语 三室 带装修", "满二,随时看房", Normal, 8, 142, "精装", "南"},
    {0, &kWang, "麓山国际", "高新区", "新会展", "4室3厅3卫", 230, 2, 3, "联排18号", "", "", 780,
     "麓山国际 联排别墅 带花园", "别墅,带花园", Recommended, 9, 640, "豪装", "南"},
    {0, &kZhang, "复地雍湖湾", "高新区", "新会展", "3室2厅2卫", 118, 13, 27, "7", "1", "1302", 205,
     "新会展 复地雍湖湾 湖景三室", "湖景,近地铁", TakenDown, 10, 77, "精装", "东南"},
    {0, &kLi, "金房苑", "锦江区", "春熙路", "2室1厅1卫", 72, 3, 6, "2", "1", "302", 99,
     "春熙路 金房苑 两室 步行到太古里", "近地铁,满五唯一", TakenDown, 11, 130, "简装", "北"},
    {0, &kLiu, "时代豪庭", "锦江区", "春熙路", "3室2厅2卫", 135, 26, 40, "1", "2", "2603", 318,
     "春熙路 时代豪庭 高层景观三室", "景观,近地铁", Normal, 12, 220, "精装", "南"},
    {0, &kChen, "东方广场", "锦江区", "东大街", "1室1厅1卫", 48, 17, 33, "3", "1", "1706", 72,
     "东大街 东方广场 精装一室", "投资,近地铁", SiteOnly, 13, 41, "精装", "西"},
    {0, &kZhao, "锦绣天府", "高新区", "金融城", "3室2厅2卫", 122, 19, 30, "5", "2", "1902", 248,
     "金融城 锦绣天府 三室 双卫", "满二", Normal, 14, 118, "精装", "南北"},
    {0, &kLiu, "香年广场", "青羊区", "光华", "2室2厅1卫", 81, 10, 32, "2", "1", "1005", 126,
     "光华 香年广场 两室 南向", "近地铁", Waiting, 0, 3, "精装", "南"},
    {0, &kWang, "翡翠城", "高新区", "中和", "4室2厅2卫", 148, 8, 18, "11", "1", "801", 268,
     "中和 翡翠城 四室 双阳台", "学区房,南北通透", Normal, 15, 96, "精装", "南北"},
    {0, &kZhao, "银都花园", "武侯区", "红牌楼", "3室2厅1卫", 95, 12, 18, "6", "2", "1201", 128,
     "红牌楼 银都花园 三室 近地铁", "近地铁", Normal, 16, 85, "简装", "东"},
    {0, &kZhang, "桐梓林小区", "武侯区", "桐梓林", "2室1厅1卫", 70, 5, 7, "3", "1", "501", 96,
     "桐梓林 两室 生活配套成熟", "满五唯一", Recommended, 17, 301, "简装", "南"},
    {0, &kLiu, "草堂花园", "青羊区", "草市街", "3室2厅2卫", 126, 9, 11, "7", "1", "902", 235,
     "浣花溪旁 草堂花园 电梯三室", "近公园", Normal, 18, 74, "精装", "南"},
    {0, &kLi, "大源国际", "高新区", "大源", "2室1厅1卫", 75, 20, 32, "3", "3", "2008", 118,
     "大源 两室 近地铁 租售皆可", "近地铁", Normal, 20, 59, "简装", "北"},

    // For rent: price in yuan per month.
    {1, &kLi, "中海城南一号", "高新区", "金融城", "2室2厅1卫", 86, 10, 32, "5", "1", "1003", 4500,
     "金融城 中海城南一号 精装两室 拎包入住", "近地铁,拎包入住", Recommended, 0, 233, "精装", "南"},
    {1, &kZhang, "万科金色海蓉", "高新区", "大源", "1室1厅1卫", 45, 15, 26, "2", "2", "1508", 2200,
     "大源 精装一室 近地铁 押一付三", "押一付三,近地铁", Normal, 1, 120, "精装", "东"},
    {1, &kChen, "锦江城市花园", "锦江区", "东大街", "3室1厅1卫", 96, 4, 7, "8", "1", "401", 3200,
     "东大街 三室 家电齐全 可短租", "家电齐全", Normal, 2, 98, "简装", "南北"},
    {1, &kLiu, "仁恒滨河湾", "锦江区", "攀成钢", "3室2厅2卫", 140, 20, 28, "2", "1", "2001", 8800,
     "攀成钢 仁恒滨河湾 江景三室", "江景,豪装", Recommended, 3, 415, "豪装", "南"},
    {1, &kLi, "中德英伦联邦", "青羊区", "光华", "1室0厅1卫", 35, 6, 18, "B区3", "1", "606", 1500,
     "光华 单间 拎包入住", "拎包入住", TakenDown, 4, 66, "简装", "北"},
    {1, &kWang, "玉林小区", "武侯区", "玉林", "2室1厅1卫", 65, 3, 7, "9", "2", "302", 2300,
     "玉林 两室 近地铁 可养宠物", "近地铁", Waiting, 0, 5, "简装", "南"},
    {1, &kChen, "棕榈泉国际公寓", "武侯区", "桐梓林", "2室2厅1卫", 98, 25, 35, "A", "2", "2502", 6500,
     "桐梓林 棕榈泉 高层两室 领馆区", "豪装", Normal, 5, 188, "豪装", "南"},
    {1, &kZhang, "保利心语", "高新区", "中和", "3室2厅1卫", 99, 9, 18, "4", "1", "902", 3000,
     "中和 三室 带车位 长租优先", "带车位", SiteOnly, 6, 72, "精装", "南北"},
    {1, &kLiu, "蓝光COCO金沙", "青羊区", "金沙", "2室1厅1卫", 76, 7, 24, "6", "2", "703", 2600,
     "金沙 两室 近公园 安静", "近公园", TakenDown, 7, 40, "精装", "东南"},
    {1, &kZhao, "时代豪庭", "锦江区", "春熙路", "1室1厅1卫", 55, 30, 40, "3", "1", "3009", 3800,
     "春熙路 高层一室 夜景", "景观", Normal, 8, 150, "精装", "西"},
    {1, &kLi, "翡翠城", "高新区", "中和", "3室2厅2卫", 120, 5, 18, "3", "2", "502", 3500,
     "中和 翡翠城 三室 南北通透", "南北通透", Normal, 9, 81, "精装", "南北"},
    {1, &kChen, "广福桥小区", "武侯区", "红牌楼", "2室1厅1卫", 62, 2, 7, "4", "2", "201", 1800,
     "红牌楼 两室 低楼层 押一付一", "押一付一", Waiting, 1, 2, "简装", "南"},
};

const SeedHouse kChongqingHouses[] = {
    {0, &kLiuDm, "英利国际公寓", "渝中区", "解放碑", "2室2厅1卫", 88, 20, 45, "1", "1", "2003", 185,
     "解放碑 英利国际 两室 江景", "江景,近地铁", Recommended, 2, 260, "精装", "南"},
    {0, &kZhou, "北城天街", "江北区", "观音桥", "3室2厅2卫", 118, 15, 33, "2", "1", "1502", 168,
     "观音桥 北城天街 三室", "满五唯一", Normal, 4, 133, "精装", "南北"},
    {0, &kZhou, "龙湖源著", "渝北区", "照母山", "4室2厅2卫", 145, 6, 18, "8", "2", "601", 230,
     "照母山 龙湖源著 四室", "近公园", Waiting, 0, 4, "精装", "南"},
    {1, &kLiuDm, "英利国际公寓", "渝中区", "解放碑", "1室1厅1卫", 50, 28, 45, "2", "1", "2806", 2800,
     "解放碑 高层一室 拎包入住", "拎包入住", Normal, 1, 97, "精装", "东"},
    {1, &kZhou, "北城天街", "江北区", "观音桥", "2室1厅1卫", 75, 9, 33, "1", "2", "903", 2400,
     "观音桥 两室 近商圈", "近地铁", TakenDown, 3, 45, "简装", "北"},
};

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString number(double value)
{
    return QString::number(value, 'g', 12);
}

// Yuan per square metre for a sale (priced in ten-thousands), yuan per month and square metre
// for a rent.
qint64 unitPrice(const SeedHouse& house)
{
    return house.kind == 0 ? qRound64(house.price * 10000 / house.size) : qRound64(house.price / house.size);
}

// The record in the house book that the site listing stands for; its id, or 0 on failure.
qint64 insertBookHouse(ServiceDatabase& db, const QString& companyId, qint64 userId, const SeedHouse& house,
                       const QString& info, qint64 createdAt)
{
    const bool sale = house.kind == 0;
    const bool villa = text(house.title).contains(QStringLiteral("别墅"));
    const QVariantMap columns{
        {QStringLiteral("name"), text(house.village)},
        {QStringLiteral("buildingNo"), text(house.building)},
        {QStringLiteral("unitNo"), text(house.unit)},
        {QStringLiteral("roomNo"), text(house.room)},
        {QStringLiteral("district"), text(house.district)},
        {QStringLiteral("area"), text(house.area)},
        {QStringLiteral("address"), QString(text(house.district) % text(house.area) % text(house.village))},
        {QStringLiteral("floors"), house.floor},
        {QStringLiteral("allfloors"), house.allFloors},
        {QStringLiteral("hutype"), text(house.hutype)},
        {QStringLiteral("price"), house.price},
        {QStringLiteral("unitprice"), unitPrice(house)},
        {QStringLiteral("builtuparea"), house.size},
        {QStringLiteral("renovation"), text(house.renovation)},
        {QStringLiteral("housetype"), villa ? QStringLiteral("别墅") : QStringLiteral("普通住宅")},
        {QStringLiteral("remark"), info},
        {QStringLiteral("toward"), text(house.toward)},
        {QStringLiteral("payway"), sale ? QString() : QStringLiteral("押一付三")},
        {QStringLiteral("rentway"), sale ? QString() : QStringLiteral("整租")},
        {QStringLiteral("source"), QStringLiteral("门店录入")},
    };
    return BookData::add(db, BookData::Book::Houses, companyId, userId, house.kind, createdAt, columns);
}

bool seedHouses(ServiceDatabase& db, const QString& companyId, const SeedHouse* begin, const SeedHouse* end)
{
    // House-book records are written by the publisher when they have an account, else by the manager.
    const QVariantMap manager = db.selectOne(
        QStringLiteral("SELECT id FROM users WHERE company_id = ? ORDER BY is_manager DESC, id LIMIT 1"), {companyId});
    if (manager.isEmpty())
        return false;
    const QDateTime now = QDateTime::currentDateTime();
    int index = 0;
    for (const SeedHouse* house = begin; house != end; ++house, ++index) {
        const QDateTime published = now.addDays(-house->daysAgo).addSecs(-3600 - 37 * 60 * index);
        const QString info = QStringLiteral("%1，%2，建筑面积%3㎡，%4/%5层，%6，朝%7。")
                                 .arg(text(house->village), text(house->hutype), number(house->size))
                                 .arg(house->floor)
                                 .arg(house->allFloors)
                                 .arg(text(house->renovation), text(house->toward));
        qint64 bookId = 0;
        if (!(house->flags & SiteOnly)) {
            const QVariantMap publisher = db.selectOne(
                QStringLiteral("SELECT id FROM users WHERE company_id = ? AND phone = ?"),
                {companyId, text(house->publisher->phone)});
            const qint64 userId = publisher.isEmpty() ? manager.value(QStringLiteral("id")).toLongLong()
                                                      : publisher.value(QStringLiteral("id")).toLongLong();
            bookId = insertBookHouse(db, companyId, userId, *house, info, published.toSecsSinceEpoch());
            if (bookId == 0)
                return false;
        }
        const bool waiting = house->flags & Waiting;
        const QString tags = QString::fromUtf8(
            QJsonDocument(QJsonArray::fromStringList(text(house->tags).split(QLatin1Char(','), Qt::SkipEmptyParts)))
                .toJson(QJsonDocument::Compact));
        if (!db.execute(QStringLiteral("INSERT INTO site_houses(company_id, kind, bookid, store_id, publisher_name,"
                                       " publisher_phone, title, village, price, unitprice, info, tags, putup, sh,"
                                       " tuijian, shows, published_at)"
                                       " VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                        {companyId, house->kind, bookId, house->publisher->storeId, text(house->publisher->name),
                         text(house->publisher->phone), text(house->title), text(house->village),
                         number(house->price), QString::number(unitPrice(*house)), info, tags,
                         (waiting || (house->flags & TakenDown)) ? 0 : 1, waiting ? 0 : 1,
                         (house->flags & Recommended) ? 1 : 0, house->shows,
                         published.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))}))
            return false;
    }
    return true;
}

} // namespace

bool HouseManagerSeed::seed(ServiceDatabase& db)
{
    return seedHouses(db, QStringLiteral("10001"), std::begin(kChengduHouses), std::end(kChengduHouses))
        && seedHouses(db, QStringLiteral("20002"), std::begin(kChongqingHouses), std::end(kChongqingHouses));
}
