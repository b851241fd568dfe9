#include "seed/content/NewsSeed.h"

#include "app/ServiceContext.h"
#include "storage/content/NewsData.h"
#include "storage/core/ServiceDatabase.h"

#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QStringList>

namespace {

using Kind = NewsData::Kind;

struct CategoryRow
{
    const char* companyId;
    Kind kind;
    const char* name;
};

struct ArticleRow
{
    const char* companyId;
    const char* cityId;
    Kind kind;
    const char* category; // a name of kCategories for the company and kind, or empty
    const char* title;
    const char* comeFrom;
    int cover; // index of the drawn covers, -1 for none
    const char* content;
    int hits;
    int daysAgo;
};

const CategoryRow kCategories[] = {
    {"10001", Kind::News, "楼市动态"},   {"10001", Kind::News, "政策解读"},  {"10001", Kind::News, "购房指南"},
    {"10001", Kind::BaiKe, "买房流程"},  {"10001", Kind::BaiKe, "贷款知识"}, {"10001", Kind::BaiKe, "税费常识"},
    {"20002", Kind::News, "本地楼市"},   {"20002", Kind::BaiKe, "买房流程"},
};

// Oldest first: the lists show the newest first.
const ArticleRow kArticles[] = {
    {"10001", "1", Kind::News, "楼市动态", "成都二手房成交量连续三个月回升", "成都房协", 0,
     "据成都市房地产协会统计，上月全市二手房成交套数环比上涨百分之八，已连续三个月回升。\n"
     "锦江、青羊等中心城区的改善型住房成交最为活跃。", 356, 40},
    {"10001", "1", Kind::News, "政策解读", "公积金贷款额度调整，最高可贷七十万", "安居地产", 1,
     "成都住房公积金管理中心发布通知，双缴存职工家庭的公积金贷款最高额度调整为七十万元。\n"
     "本次调整自下月起执行，已受理的贷款按原规定办理。", 812, 37},
    {"10001", "1", Kind::News, "购房指南", "首次置业，这五件事要先想清楚", "安居地产", 2,
     "预算、通勤、学区、房龄和物业是首次置业最需要权衡的五件事。\n"
     "建议先确定月供上限，再按通勤时间圈定片区。", 421, 35},
    {"10001", "1", Kind::News, "楼市动态", "天府新区新房供应增加，多个项目开盘", "成都商报", 0,
     "本月天府新区共有四个新房项目开盘，推出房源一千二百余套，以改善户型为主。", 198, 31},
    {"10001", "1", Kind::News, "", "春熙路门店周末看房团报名开始", "安居地产", 1,
     "本周六上午九点，春熙路门店组织看房团，专车带看三个热门小区，欢迎报名。", 97, 28},
    {"10001", "1", Kind::News, "政策解读", "契税优惠政策延续执行", "成都税务", 2,
     "首套住房面积在九十平方米及以下的，继续按百分之一的税率缴纳契税。", 640, 25},
    {"10001", "1", Kind::News, "购房指南", "二手房交易资金监管怎么办理", "安居地产", -1,
     "买卖双方签订合同后，购房款存入监管账户，过户完成后再划转给卖方，保障交易安全。", 233, 21},
    {"10001", "1", Kind::News, "楼市动态", "高新区租金小幅上涨，一居室最受欢迎", "安居地产", 0,
     "受毕业季影响，高新区一居室租金环比上涨百分之三，金融城片区带看量明显增加。", 154, 18},
    {"10001", "1", Kind::News, "购房指南", "看房时如何判断房屋采光", "安居地产", 1,
     "建议分上午和下午两次看房，留意楼间距、朝向与遮挡，低楼层尤其要注意。", 302, 14},
    {"10001", "1", Kind::News, "政策解读", "人才购房政策问答", "成都住建", 2,
     "符合条件的人才可在落户后申请购买一套住房，具体条件以住建部门公布为准。", 517, 10},
    {"10001", "1", Kind::News, "楼市动态", "五月成都新房网签数据发布", "成都商报", -1,
     "五月成都新房网签一万一千余套，同比持平，刚需项目去化速度较快。", 266, 6},
    {"10001", "1", Kind::News, "", "安居地产天府新区店开业", "安居地产", 0,
     "安居地产天府新区店本周正式开业，开业期间到店咨询可获赠家居礼包。", 88, 2},
    {"10001", "1", Kind::BaiKe, "买房流程", "二手房买卖的基本流程", "安居地产", 1,
     "看房、议价、签约、资金监管、贷款审批、缴税过户、交房，共七个环节。", 730, 30},
    {"10001", "1", Kind::BaiKe, "贷款知识", "等额本息和等额本金的区别", "安居地产", 2,
     "等额本息每月还款额相同，等额本金每月本金相同、利息逐月减少，总利息更少。", 965, 26},
    {"10001", "1", Kind::BaiKe, "税费常识", "买二手房要交哪些税", "安居地产", -1,
     "买方主要缴纳契税；卖方可能涉及增值税和个人所得税，满五唯一可免个税。", 1203, 22},
    {"10001", "1", Kind::BaiKe, "贷款知识", "什么是组合贷款", "安居地产", 0,
     "组合贷款是公积金贷款与商业贷款的组合，公积金额度不够时可用商业贷款补足。", 412, 15},
    {"10001", "1", Kind::BaiKe, "买房流程", "网签和备案是什么", "安居地产", 1,
     "网签是在房管部门系统中签订合同，备案后合同具有对抗第三人的效力。", 388, 8},
    {"10001", "1", Kind::BaiKe, "税费常识", "什么是满五唯一", "安居地产", 2,
     "卖方家庭名下唯一住房且取得房产证满五年，出售时可免征个人所得税。", 856, 3},
    {"20002", "2", Kind::News, "本地楼市", "重庆主城区二手房挂牌量上升", "山城置业", -1,
     "渝中、江北两区二手房挂牌量环比上升，买方议价空间有所扩大。", 143, 20},
    {"20002", "2", Kind::News, "本地楼市", "观音桥商圈租赁需求旺盛", "山城置业", -1,
     "观音桥商圈小户型租赁需求旺盛，单间与一居室最受欢迎。", 96, 12},
    {"20002", "2", Kind::News, "", "解放碑店周末营业时间调整", "山城置业", -1,
     "即日起解放碑店周末营业时间调整为上午九点至晚上八点。", 41, 4},
    {"20002", "2", Kind::BaiKe, "买房流程", "在重庆买房需要什么资格", "山城置业", -1,
     "重庆主城区购房一般不限购，具体以当地政策为准。", 77, 16},
    {"20002", "2", Kind::BaiKe, "", "房屋产权年限是多久", "山城置业", -1,
     "住宅用地的土地使用权年限为七十年，商业用地为四十年。", 65, 9},
    {"30728", "1", Kind::News, "", "玉林片区老房翻新补贴申请指南", "蓉城房产", -1,
     "符合条件的老旧小区住户可申请翻新补贴，请携带房产证到社区办理。", 35, 7},
};

struct PictureRow
{
    const char* companyId;
    Kind kind;
    int cover;
    const char* link;
};

const PictureRow kPictures[] = {
    {"10001", Kind::News, 0, ""},
    {"10001", Kind::News, 1, ""},
    {"10001", Kind::BaiKe, 2, ""},
};

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// A city skyline under a coloured sky, 480 x 320.
QString drawCover(ServiceContext& context, const QColor& sky, int seed)
{
    QImage image(480, 320, QImage::Format_RGB32);
    image.fill(sky);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 170));
    painter.drawEllipse(QRectF(340, 40, 70, 70));
    int x = 10;
    for (int i = 0; x < 480; ++i) {
        const int width = 40 + (i * 37 + seed * 13) % 50;
        const int height = 90 + (i * 71 + seed * 29) % 150;
        painter.setBrush(QColor(40 + (i * 17) % 60, 60 + (i * 23) % 60, 90 + (i * 11) % 60));
        painter.drawRect(QRectF(x, 320 - height, width, height));
        painter.setBrush(QColor(255, 230, 150));
        for (int wy = 320 - height + 12; wy < 300; wy += 22) {
            for (int wx = x + 8; wx + 8 < x + width; wx += 16)
                painter.drawRect(QRectF(wx, wy, 6, 9));
        }
        x += width + 6;
    }
    painter.end();
    const QString name = context.saveImage(image, "JPG", 85);
    return name.isEmpty() ? QString() : context.fileUrl(name);
}

} // namespace

bool NewsSeed::seed(ServiceContext& context)
{
    const QStringList covers = {drawCover(context, QColor(120, 180, 230), 1), drawCover(context, QColor(250, 170, 110), 2),
                                drawCover(context, QColor(140, 200, 160), 3)};
    if (covers.contains(QString()))
        return false;
    ServiceDatabase& db = context.db();
    // (company, kind, name) -> category id
    QMap<QString, qint64> categoryIds;
    const auto categoryKey = [](const char* companyId, Kind kind, const char* name) -> QString {
        return text(companyId) + QLatin1Char('/') + NewsData::kindName(kind) + QLatin1Char('/') + text(name);
    };
    int sort = 0;
    for (const CategoryRow& row : kCategories) {
        NewsData::Category category;
        category.name = text(row.name);
        category.sort = ++sort;
        const qint64 id = NewsData::addCategory(db, text(row.companyId), row.kind, category);
        if (id == 0)
            return false;
        categoryIds.insert(categoryKey(row.companyId, row.kind, row.name), id);
    }
    const QDateTime now = QDateTime::currentDateTime();
    for (const ArticleRow& row : kArticles) {
        NewsData::Article article;
        article.categoryId = categoryIds.value(categoryKey(row.companyId, row.kind, row.category));
        article.title = text(row.title);
        article.comeFrom = text(row.comeFrom);
        article.img = row.cover >= 0 ? covers.at(row.cover) : QString();
        article.content = text(row.content);
        article.hits = row.hits;
        article.createTime = now.addDays(-row.daysAgo).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
        if (NewsData::addArticle(db, text(row.companyId), text(row.cityId), row.kind, article) == 0)
            return false;
    }
    sort = 0;
    for (const PictureRow& row : kPictures) {
        NewsData::Picture picture;
        picture.img = covers.at(row.cover);
        picture.link = text(row.link);
        picture.sort = ++sort;
        if (NewsData::addPicture(db, text(row.companyId), row.kind, picture) == 0)
            return false;
    }
    return true;
}
