#include "seed/listings/SubmissionSeed.h"

#include "app/ServiceContext.h"
#include "storage/core/ServiceDatabase.h"

#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QStringList>
#include <QtMath>

namespace {

struct Estate
{
    const char* name;
    const char* district;
    const char* area;
    const char* address;
    int unitPrice; // yuan per square metre when sold
};

const Estate kChengduEstates[] = {
    {"春熙花园", "锦江区", "春熙路", "红星路三段21号", 26800},
    {"东大街壹号", "锦江区", "东大街", "东大街紫东楼段35号", 24500},
    {"锦城华庭", "锦江区", "盐市口", "人民南路一段86号", 23800},
    {"攀成钢滨江苑", "锦江区", "攀成钢", "锦华路一段128号", 30500},
    {"宽巷子雅居", "青羊区", "宽窄巷子", "长顺上街77号", 27600},
    {"光华御府", "青羊区", "光华", "光华大道一段1099号", 21200},
    {"草市街阳光里", "青羊区", "草市街", "草市街62号", 19800},
    {"金沙蜀韵", "青羊区", "金沙", "青羊大道156号", 18600},
    {"红牌楼佳苑", "武侯区", "红牌楼", "佳灵路9号", 17900},
    {"玉林小区", "武侯区", "玉林", "玉林北路2号", 16500},
    {"桐梓林锦苑", "武侯区", "桐梓林", "桐梓林东路18号", 25200},
    {"金融城天悦", "高新区", "金融城", "交子大道300号", 33800},
    {"大源阳光花园", "高新区", "大源", "剑南大道中段998号", 22600},
    {"会展国际城", "高新区", "新会展", "世纪城路1029号", 24900},
    {"中和新城", "高新区", "中和", "中和大道二段69号", 15800},
};

const Estate kChongqingEstates[] = {
    {"解放碑江景苑", "渝中区", "解放碑", "民族路101号", 21500},
    {"观音桥花园", "江北区", "观音桥", "建新东路28号", 18200},
    {"南坪阳光城", "南岸区", "南坪", "南坪西路45号", 14600},
};

const char* const kOwnerNames[] = {"张伟", "王芳", "李娜", "刘洋", "陈静", "杨磊", "赵敏", "黄强", "周丽", "吴杰",
                                   "徐婷", "孙浩", "胡军", "朱琳", "高峰", "林晓", "何涛", "郭佳", "马超", "罗文",
                                   "梁雪", "宋志刚", "郑凯", "谢雨欣", "韩冬"};
const char* const kPhonePrefixes[] = {"138", "139", "136", "158", "186", "177", "135", "150", "189", "152"};
const char* const kLayouts[] = {"2室1厅1卫", "3室2厅1卫", "3室2厅2卫", "1室1厅1卫", "4室2厅2卫", "2室2厅1卫"};
const double kSaleAreas[] = {89.5, 120, 76, 132.8, 58, 143, 98.6, 105, 66.5, 168};
const double kRentAreas[] = {45, 68.5, 89, 52, 110, 76, 38.5, 95};
const int kAllFloors[] = {6, 11, 18, 26, 32, 33, 7, 24};
const char* const kRenovations[] = {"精装", "简装", "毛坯", "豪装", "精装"};
const char* const kHouseTypes[] = {"普通住宅", "普通住宅", "公寓", "普通住宅", "商住两用", "别墅"};
const char* const kTowards[] = {"南北", "东南", "南", "东西", "西南", "北"};
const char* const kPayways[] = {"押一付三", "押一付一", "押二付三", "半年付"};
const char* const kRentways[] = {"整租", "整租", "合租"};
const char* const kSaleRemarks[] = {"房东诚心出售，随时可以看房", "满五唯一，税费低", "", "业主急售，价格可谈",
                                    "近地铁站，步行5分钟", "带车位一起出售", "学区房，对口名校", ""};
const char* const kRentRemarks[] = {"拎包入住，家电齐全", "", "只租女生，安静整洁", "可短租，租期面议",
                                    "近地铁，通勤方便", "有电梯，采光好"};

struct Demand
{
    const char* needarea;
    int mianji;
    int tmianji;
    int floors;
    int tfloors;
};

const Demand kChengduDemands[] = {
    {"锦江区春熙路", 60, 90, 3, 15},       {"高新区金融城附近", 80, 120, 5, 25}, {"武侯区玉林、桐梓林", 90, 140, 1, 10},
    {"青羊区光华大道沿线", 70, 100, 2, 18}, {"高新区大源", 100, 150, 8, 30},      {"锦江区东大街", 50, 80, 1, 6},
    {"青羊区金沙", 85, 110, 4, 20},         {"武侯区红牌楼", 60, 95, 2, 12},      {"高新区新会展", 120, 180, 10, 32},
    {"地铁1号线沿线", 70, 100, 3, 20},
};
const Demand kChongqingDemands[] = {
    {"渝中区解放碑", 70, 110, 5, 30},
    {"江北区观音桥", 60, 90, 2, 20},
};
const int kBuyPrices[][2] = {{80, 120}, {100, 150}, {150, 220}, {60, 90}, {200, 300}, {120, 180}};
const int kRentPrices[][2] = {{1000, 2000}, {2000, 3500}, {1500, 2500}, {3000, 5000}, {800, 1500}};
const char* const kDemandRemarks[] = {"希望近地铁，学区优先", "要求电梯房", "", "首付已备好，可随时看房",
                                      "需要带车位", "周末方便看房", "预算可以稍微上浮"};

template <typename T, int N>
constexpr int count(const T (&)[N])
{
    return N;
}

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString phoneFor(int index)
{
    const int number = (index * 7919 + 23456789) % 100000000;
    return text(kPhonePrefixes[index % count(kPhonePrefixes)]) % QStringLiteral("%1").arg(number, 8, 10, QLatin1Char('0'));
}

// Publish times step back from now, so the demo lists look current and their order is fixed.
QString timeAgo(const QDateTime& now, int minutes)
{
    return now.addSecs(-60LL * minutes).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// A small picture of a house under the sky; returns its file name, or an empty string.
QString drawHouse(const ServiceContext& context, const QColor& sky, const QColor& wall, const QColor& roof, int variant)
{
    QImage image(480, 360, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, 260);
    gradient.setColorAt(0, sky.darker(115));
    gradient.setColorAt(1, sky.lighter(140));
    painter.fillRect(image.rect(), gradient);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 236, 150));
    painter.drawEllipse(QPointF(390 - variant * 40, 70), 28, 28);
    painter.setBrush(QColor(104, 160, 84));
    painter.drawRect(0, 280, 480, 80);

    const int left = 120 + variant * 10;
    painter.setBrush(wall);
    painter.drawRect(left, 170, 240, 115);
    painter.setBrush(roof);
    painter.drawPolygon(QPolygonF({QPointF(left - 20, 172), QPointF(left + 120, 90), QPointF(left + 260, 172)}));
    painter.setBrush(wall.darker(160));
    painter.drawRect(left + 100, 215, 42, 70);
    painter.setBrush(QColor(190, 225, 250));
    painter.drawRect(left + 30, 200, 46, 38);
    painter.drawRect(left + 166, 200, 46, 38);
    painter.setBrush(QColor(70, 120, 60));
    for (int i = 0; i < 3; ++i)
        painter.drawEllipse(QPointF(40 + i * 25 + variant * 3, 270 - i * 4), 22, 30);
    painter.end();
    return context.saveImage(image, "JPG", 85);
}

QStringList drawHouses(const ServiceContext& context)
{
    struct Palette
    {
        QColor sky, wall, roof;
    };
    const Palette palettes[] = {
        {QColor(96, 160, 230), QColor(245, 232, 210), QColor(180, 70, 60)},
        {QColor(120, 180, 235), QColor(230, 230, 235), QColor(60, 90, 140)},
        {QColor(250, 170, 120), QColor(250, 245, 235), QColor(120, 80, 60)},
        {QColor(80, 140, 210), QColor(220, 200, 170), QColor(90, 110, 80)},
        {QColor(140, 190, 240), QColor(255, 250, 240), QColor(200, 110, 50)},
        {QColor(110, 150, 200), QColor(210, 220, 230), QColor(140, 60, 90)},
    };
    QStringList names;
    int variant = 0;
    for (const Palette& palette : palettes) {
        const QString name = drawHouse(context, palette.sky, palette.wall, palette.roof, variant++ % 4);
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

// Pictures 0, 1, 3 and 2 photos in turn, so the demo shows every case of the photo grid.
QString photosFor(int index, const QStringList& pictures)
{
    static const int perRow[] = {0, 1, 3, 2};
    QJsonArray photos;
    const int wanted = pictures.isEmpty() ? 0 : perRow[index % 4];
    for (int i = 0; i < wanted; ++i)
        photos.append(pictures.at((index + i) % pictures.size()));
    return QString::fromUtf8(QJsonDocument(photos).toJson(QJsonDocument::Compact));
}

bool addOwnerSubmissions(ServiceDatabase& db, const QString& companyId, int kind, int rows, const Estate* estates,
                         int estateCount, const QStringList& pictures, const QDateTime& now, int seed)
{
    for (int i = 0; i < rows; ++i) {
        const int n = i + seed;
        const Estate& estate = estates[n % estateCount];
        const int allFloors = kAllFloors[n % count(kAllFloors)];
        const int floor = 1 + (n * 5) % allFloors;
        double area = 0;
        double price = 0;
        int unitPrice = 0;
        if (kind == 0) {
            area = kSaleAreas[n % count(kSaleAreas)];
            // Whole or half ten-thousands, as owners state them.
            price = qRound(area * estate.unitPrice / 5000.0) / 2.0;
            unitPrice = qRound(price * 10000 / area);
        } else {
            area = kRentAreas[n % count(kRentAreas)];
            price = qRound(area * estate.unitPrice / 600.0 / 100.0) * 100.0;
            unitPrice = qRound(price / area);
        }
        const bool ok = db.execute(
            QStringLiteral("INSERT INTO owner_submissions(company_id, kind, name, phone, housename, building_no, unit_no,"
                           " room_no, district, area, address, hutype, floors, allfloors, price, unitprice,"
                           " builtuparea, renovation, housetype, remark, toward, payway, rentway, photos, created_at)"
                           " VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {companyId, kind, text(kOwnerNames[n % count(kOwnerNames)]), phoneFor(n), text(estate.name),
             QString::number(1 + n % 12), QString::number(1 + n % 3),
             QString::number(floor * 100 + 1 + n % 4), text(estate.district), text(estate.area),
             text(estate.address), text(kLayouts[n % count(kLayouts)]), floor, allFloors, price, unitPrice, area,
             text(kRenovations[n % count(kRenovations)]), text(kHouseTypes[n % count(kHouseTypes)]),
             kind == 0 ? text(kSaleRemarks[n % count(kSaleRemarks)]) : text(kRentRemarks[n % count(kRentRemarks)]),
             text(kTowards[n % count(kTowards)]), kind == 0 ? QString() : text(kPayways[n % count(kPayways)]),
             kind == 0 ? QString() : text(kRentways[n % count(kRentways)]), photosFor(n, pictures),
             timeAgo(now, 37 + i * 173)});
        if (!ok)
            return false;
    }
    return true;
}

bool addDemands(ServiceDatabase& db, const QString& companyId, int kind, int rows, const Demand* demands,
                int demandCount, const QDateTime& now, int seed)
{
    for (int i = 0; i < rows; ++i) {
        const int n = i + seed;
        const Demand& demand = demands[n % demandCount];
        const int* prices = kind == 0 ? kBuyPrices[n % count(kBuyPrices)] : kRentPrices[n % count(kRentPrices)];
        const bool ok = db.execute(
            QStringLiteral("INSERT INTO visitor_demands(company_id, kind, needarea, mianji, tmianji, price, tprice,"
                           " floors, tfloors, name, sex, phone, remark, created_at)"
                           " VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {companyId, kind, text(demand.needarea), demand.mianji, demand.tmianji, prices[0], prices[1],
             demand.floors, demand.tfloors, text(kOwnerNames[(n * 3 + 7) % count(kOwnerNames)]), n % 3 == 1 ? 1 : 0,
             phoneFor(n + 500), text(kDemandRemarks[n % count(kDemandRemarks)]), timeAgo(now, 12 + i * 211)});
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

bool SubmissionSeed::seed(ServiceContext& context)
{
    ServiceDatabase& db = context.db();
    const QStringList pictures = drawHouses(context);
    const QDateTime now = QDateTime::currentDateTime();
    const QString anju = QStringLiteral("10001");
    const QString shancheng = QStringLiteral("20002");
    const int chengdu = count(kChengduEstates);
    const int chongqing = count(kChongqingEstates);
    return addOwnerSubmissions(db, anju, 0, 41, kChengduEstates, chengdu, pictures, now, 0)
        && addOwnerSubmissions(db, anju, 1, 25, kChengduEstates, chengdu, pictures, now, 3)
        && addOwnerSubmissions(db, shancheng, 0, 3, kChongqingEstates, chongqing, pictures, now, 1)
        && addOwnerSubmissions(db, shancheng, 1, 2, kChongqingEstates, chongqing, pictures, now, 2)
        && addDemands(db, anju, 0, 30, kChengduDemands, count(kChengduDemands), now, 0)
        && addDemands(db, anju, 1, 20, kChengduDemands, count(kChengduDemands), now, 4)
        && addDemands(db, shancheng, 0, 2, kChongqingDemands, count(kChongqingDemands), now, 0)
        && addDemands(db, shancheng, 1, 2, kChongqingDemands, count(kChongqingDemands), now, 1);
}
