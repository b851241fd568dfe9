#include "seed/listings/HouseCircleSeed.h"

#include "storage/core/ServiceDatabase.h"
#include "storage/listings/HouseCircleData.h"

#include <QDateTime>

namespace {

struct CircleRow
{
    int kind;
    int agency; // index into kAgencies; 0 is the company itself
    const char* housename;
    const char* dongno;
    const char* danyuan;
    const char* fangno;
    const char* hutype;
    double mianji;
    const char* price;
    const char* title;
};

const char* const kAgencies[] = {"蓉城房产", "玉林置业", "桐梓林地产", "红牌楼房屋"};

const CircleRow kCircle[] = {
    {0, 0, "玉林小区", "5", "1", "601", "3室1厅1卫", 88, "118", "玉林小区 老三室 生活方便"},
    {0, 1, "玉林小区", "5", "2", "302", "2室1厅1卫", 62, "86", "玉林小区 两室 低楼层"},
    {0, 2, "棕榈泉国际公寓", "B", "1", "2201", "3室2厅2卫", 156, "420", "棕榈泉 高层三室 领馆区"},
    {0, 3, "银都花园", "6", "2", "1201", "3室2厅1卫", 95, "128", "银都花园 三室 近地铁"},
    {0, 0, "桐梓林小区", "3", "1", "501", "2室1厅1卫", 70, "96", "桐梓林小区 两室 配套成熟"},
    {0, 1, "玉林北路小区", "2", "1", "402", "2室1厅1卫", 58, "79", "玉林北路 两室 近芳草街"},
    {0, 2, "桐梓林国际", "1", "2", "1506", "4室2厅2卫", 168, "398", "桐梓林国际 大四房 南北通透"},
    {0, 3, "广福桥小区", "10", "3", "402", "2室1厅1卫", 68, "72", "广福桥 低总价两室"},
    {0, 0, "玉林小区", "9", "1", "201", "1室1厅1卫", 42, "56", "玉林小区 一室 小户型"},
    {0, 1, "芳草小区", "4", "2", "603", "3室1厅1卫", 92, "122", "芳草小区 三室 带车位"},
    {0, 2, "领事馆花园", "7", "1", "1103", "3室2厅2卫", 132, "265", "领事馆花园 三室 花园洋房"},
    {0, 3, "红牌楼广场", "1", "1", "2308", "2室2厅1卫", 80, "118", "红牌楼广场 两室 高层视野"},
    {0, 0, "致民路小区", "3", "2", "301", "2室1厅1卫", 66, "88", "致民路 两室 步行到玉林"},
    {0, 1, "玉洁巷小区", "1", "1", "502", "3室1厅1卫", 84, "108", "玉洁巷 三室 安静"},
    {0, 2, "棕榈泉国际公寓", "A", "2", "1804", "2室2厅1卫", 98, "245", "棕榈泉 两室 精装"},
    {0, 3, "银都花园", "2", "1", "801", "4室2厅2卫", 136, "176", "银都花园 四室 双阳台"},
    {0, 0, "桐梓林小区", "8", "1", "302", "3室1厅1卫", 86, "118", "桐梓林小区 三室 学区"},
    {0, 1, "倪家桥小区", "2", "2", "401", "2室1厅1卫", 60, "78", "倪家桥 两室 近地铁"},
    {0, 2, "人民南路小区", "6", "1", "1002", "3室2厅1卫", 102, "150", "人民南路 三室 地铁口"},
    {0, 3, "双楠小区", "12", "2", "602", "2室1厅1卫", 64, "70", "双楠 两室 生活方便"},
    {0, 0, "玉林小区", "7", "2", "402", "2室1厅1卫", 63, "84", "玉林小区 两室 南北通透"},
    {0, 1, "芳草东街小区", "3", "1", "201", "1室1厅1卫", 45, "60", "芳草东街 一室 投资"},
    {0, 2, "桐梓林国际", "2", "1", "2603", "3室2厅2卫", 128, "300", "桐梓林国际 高层三室"},
    {0, 3, "红牌楼广场", "3", "2", "1701", "1室1厅1卫", 48, "66", "红牌楼广场 一室 精装"},
    {1, 0, "玉林小区", "9", "2", "302", "2室1厅1卫", 65, "2300", "玉林小区 两室 可养宠物"},
    {1, 1, "芳草小区", "4", "1", "503", "3室1厅1卫", 92, "3200", "芳草小区 三室 家电齐全"},
    {1, 2, "棕榈泉国际公寓", "A", "2", "2502", "2室2厅1卫", 98, "6500", "棕榈泉 高层两室 领馆区"},
    {1, 3, "广福桥小区", "4", "2", "201", "2室1厅1卫", 62, "1800", "广福桥 两室 押一付一"},
    {1, 0, "桐梓林小区", "3", "2", "402", "1室1厅1卫", 40, "1900", "桐梓林小区 一室 拎包入住"},
    {1, 2, "领事馆花园", "7", "2", "902", "3室2厅2卫", 130, "7800", "领事馆花园 三室 豪装"},
};

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

bool HouseCircleSeed::seed(ServiceDatabase& db)
{
    const QString companyId = QStringLiteral("30728");
    const QDateTime now = QDateTime::currentDateTime();
    int index = 0;
    for (const CircleRow& row : kCircle) {
        HouseCircleData::House house;
        house.kind = row.kind;
        house.own = row.agency == 0;
        house.company = text(kAgencies[row.agency]);
        house.housename = text(row.housename);
        house.title = text(row.title);
        house.dongno = text(row.dongno);
        house.danyuan = text(row.danyuan);
        house.fangno = text(row.fangno);
        house.hutype = text(row.hutype);
        house.mianji = row.mianji;
        house.price = text(row.price);
        // Each one shared some hours before the one above it.
        house.time = now.addSecs(-3600 * 5 * ++index).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
        if (HouseCircleData::add(db, companyId, house) == 0)
            return false;
    }
    return true;
}
