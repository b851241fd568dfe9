#include "seed/listings/NewHouseSeed.h"

#include "app/ServiceContext.h"
#include "storage/core/ServiceDatabase.h"

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QStringList>

namespace {

struct ProjectRow
{
    const char* companyId;
    const char* name;
    const char* district;
    const char* area;
    const char* address;
    const char* zhuangtai;
    const char* dongtai;
    int junjia;
    const char* leixing;
    const char* yongjin;
    int wstore;
    int istop;
    int tuijian;
    const char* telafter;
    const char* developer;
    const char* opening;
    const char* layouts;
    const char* areas;
};

const ProjectRow kProjects[] = {
    {"10001", "天府锦城", "锦江区", "春熙路", "红星路三段18号", "在售", "8号楼加推，首付两成起", 28500, "住宅",
     "成交总价的1.5%，签约后30天结佣", 1, 1, 0, "1001", "成都锦城置业有限公司", "2024-03-18", "三室两厅、四室两厅",
     "89-143㎡"},
    {"10001", "东湖国际", "锦江区", "东大街", "东大街下东大街段99号", "在售", "样板间开放，到访即送观影券", 24800,
     "住宅", "成交总价的1.2%，网签后结佣", 1, 0, 1, "1002", "成都东湖地产开发有限公司", "2023-11-08",
     "两室两厅、三室两厅", "78-126㎡"},
    {"10001", "攀成钢·江景苑", "锦江区", "攀成钢", "锦华路一段66号", "待售", "预计下月取证，意向登记中", 32000,
     "住宅", "每套2万元，开盘后统一结算", 0, 0, 0, "1003", "成都江景房地产有限公司", "2024-08-01",
     "三室两厅、四室两厅", "118-168㎡"},
    {"10001", "宽窄里", "青羊区", "宽窄巷子", "金河路22号", "在售", "临街商铺仅余6套", 35000, "商铺",
     "成交总价的2%，首付到账后结佣", 1, 0, 0, "1004", "成都少城文旅发展有限公司", "2023-06-16", "一层通透商铺",
     "45-120㎡"},
    {"10001", "光华公馆", "青羊区", "光华", "光华大道二段88号", "在售", "11号楼封顶，准现房发售", 21500, "住宅",
     "成交总价的1.3%，签约后结佣", 1, 0, 0, "1005", "成都光华置地有限公司", "2023-09-23", "两室两厅、三室两厅",
     "75-118㎡"},
    {"10001", "金沙映月", "青羊区", "金沙", "金沙遗址路16号", "尾盘", "尾房特惠，一口价房源", 19800, "公寓",
     "每套8000元，网签后结佣", 1, 0, 0, "1006", "成都金沙实业有限公司", "2022-12-10", "一室一厅、两室一厅",
     "38-66㎡"},
    {"10001", "玉林花园", "武侯区", "玉林", "玉林南路45号", "在售", "学区配套，带装修交付", 23600, "住宅",
     "成交总价的1.5%，签约后30天结佣", 1, 0, 0, "1007", "成都玉林房地产开发有限公司", "2024-01-20",
     "三室两厅", "96-128㎡"},
    {"10001", "桐梓林国际公寓", "武侯区", "桐梓林", "桐梓林北路7号", "在售", "精装公寓，可注册公司", 26800,
     "公寓", "成交总价的1.8%，首付到账后结佣", 1, 0, 0, "1008", "成都桐林置业有限公司", "2023-07-01",
     "一室一厅、两室一厅", "42-80㎡"},
    {"10001", "金融城时代", "高新区", "金融城", "交子大道177号", "在售", "甲级写字楼，整层可售", 38500, "写字楼",
     "成交总价的1%，分两次结佣", 1, 0, 1, "1009", "成都交子置业有限公司", "2023-05-12", "标准层",
     "120-1800㎡"},
    {"10001", "大源新城", "高新区", "大源", "府城大道西段299号", "待售", "售楼部即将开放", 22800, "住宅",
     "每套1.5万元，开盘后统一结算", 0, 0, 0, "1010", "成都大源城市建设有限公司", "2024-09-15",
     "两室两厅、三室两厅", "82-120㎡"},
    {"10001", "中和雅苑", "高新区", "中和", "中和大道一段58号", "在售", "独栋别墅，带私家花园", 17500, "别墅",
     "成交总价的2%，签约后结佣", 1, 0, 0, "1011", "成都中和雅居房产有限公司", "2023-04-28", "五室三厅",
     "220-360㎡"},
    {"20002", "解放碑中心", "渝中区", "解放碑", "民族路188号", "在售", "江景大平层，限量发售", 33000, "住宅",
     "成交总价的1.5%，签约后结佣", 1, 0, 0, "2001", "重庆渝中置业有限公司", "2023-10-10", "三室两厅、四室两厅",
     "120-186㎡"},
    {"20002", "观音桥壹号", "江北区", "观音桥", "建新北路66号", "在售", "商圈核心，地铁口物业", 26500, "公寓",
     "成交总价的1.6%，网签后结佣", 1, 0, 0, "2002", "重庆江北商业地产有限公司", "2023-08-08",
     "一室一厅、两室一厅", "40-75㎡"},
    {"20002", "北滨御府", "江北区", "北滨路", "北滨一路368号", "待售", "意向登记中", 29800, "住宅",
     "每套2万元，开盘后统一结算", 0, 0, 0, "2003", "重庆北滨房地产开发有限公司", "2024-10-01",
     "三室两厅", "110-142㎡"},
};

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// A flat picture of a few towers against the sky; returns its address, or an empty string.
QString drawProjectPicture(ServiceContext& context, const QColor& sky, const QColor& towers, int variant)
{
    QImage image(400, 300, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, 300);
    gradient.setColorAt(0, sky.lighter(130));
    gradient.setColorAt(1, sky);
    painter.fillRect(image.rect(), gradient);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(120, 170, 90));
    painter.drawRect(0, 250, 400, 50);
    for (int i = 0; i < 4; ++i) {
        const int height = 110 + ((i * 37 + variant * 53) % 110);
        const QRect tower(40 + i * 85, 250 - height, 62, height);
        painter.setBrush(i % 2 ? towers : towers.darker(115));
        painter.drawRect(tower);
        painter.setBrush(QColor(255, 255, 255, 150));
        for (int y = tower.top() + 10; y < tower.bottom() - 12; y += 18) {
            for (int x = tower.left() + 9; x < tower.right() - 10; x += 16)
                painter.drawRect(x, y, 8, 9);
        }
    }
    painter.end();
    const QString name = context.saveImage(image, "PNG");
    return name.isEmpty() ? QString() : context.fileUrl(name);
}

} // namespace

bool NewHouseSeed::seed(ServiceContext& context)
{
    const QStringList pictures{
        drawProjectPicture(context, QColor(90, 160, 230), QColor(214, 196, 170), 0),
        drawProjectPicture(context, QColor(250, 170, 110), QColor(120, 130, 150), 1),
        drawProjectPicture(context, QColor(120, 190, 220), QColor(230, 230, 235), 2),
        drawProjectPicture(context, QColor(100, 120, 200), QColor(190, 150, 120), 3),
    };
    ServiceDatabase& db = context.db();
    int index = 0;
    for (const ProjectRow& p : kProjects) {
        const bool chengdu = qstrcmp(p.companyId, "10001") == 0;
        if (!db.execute(QStringLiteral("INSERT INTO newhouse_projects(company_id, name, thumbnail, zhuangtai, dongtai,"
                                       " province, cityname, district, area, address, junjia, yongjin, leixing, wstore,"
                                       " istop, tuijian, telbefore, telafter, developer, opening, layouts, areas, sort)"
                                       " VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                        {text(p.companyId), text(p.name), pictures.at(index % pictures.size()), text(p.zhuangtai),
                         text(p.dongtai), chengdu ? QStringLiteral("四川省") : QStringLiteral("重庆市"),
                         chengdu ? QStringLiteral("成都市") : QStringLiteral("重庆市"), text(p.district), text(p.area),
                         QString(text(p.district) % text(p.address)), p.junjia, text(p.yongjin), text(p.leixing), p.wstore,
                         p.istop, p.tuijian, QStringLiteral("400-820-1688"), text(p.telafter), text(p.developer),
                         text(p.opening), text(p.layouts), text(p.areas), index + 1}))
            return false;
        ++index;
    }
    return true;
}
