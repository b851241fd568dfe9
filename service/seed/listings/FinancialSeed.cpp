#include "seed/listings/FinancialSeed.h"

#include "app/ServiceContext.h"
#include "storage/core/ServiceDatabase.h"
#include "storage/listings/FinancialData.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QStringList>

namespace {

struct ProductRow
{
    const char* companyId;
    const char* title;
    const char* des;
    const char* monthLixi;
    int months;
    double maxedu;
    int loanType;
    int repayment;
    const char* yongjin;
    int wstore;
    const char* conditions;
    const char* materials;
};

struct ApplicationRow
{
    const char* companyId;
    int product; // index into kProducts
    const char* name;
    const char* phone;
    const char* time;
};

const ProductRow kProducts[] = {
    {"10001", "安居房抵贷", "成都全款房产可贷，最快3天放款", "0.35", 120, 1000, 0, 0, "放款额的0.6%", 1,
     "22-65周岁，名下有成都全款住宅", "身份证、户口本、房产证、婚姻证明"},
    {"10001", "工薪信用贷", "凭社保公积金申请，无需抵押", "0.65", 36, 30, 1, 0, "放款额的1%", 1,
     "连续缴纳社保或公积金满12个月", "身份证、工作证明、近6个月银行流水"},
    {"10001", "首套按揭优选", "首套房首付三成，利率优惠", "0.32", 360, 500, 2, 1, "放款额的0.3%", 1,
     "首次购房，征信良好", "身份证、购房合同、收入证明"},
    {"10001", "小微经营贷", "个体工商户专享，随借随还", "0.42", 60, 300, 3, 2, "放款额的0.8%", 1,
     "营业执照满1年，经营流水稳定", "营业执照、对公流水、身份证"},
    {"10001", "二手房按揭贷", "二手房交易配套按揭，审批快", "0.34", 300, 400, 2, 0, "放款额的0.4%", 1,
     "购买二手住宅，首付已备齐", "身份证、买卖合同、首付款凭证"},
    {"10001", "公积金组合贷", "公积金加商贷组合，月供更低", "0.27", 360, 120, 2, 1, "每笔2000元", 1,
     "连续缴存公积金满6个月", "身份证、公积金缴存证明、购房合同"},
    {"10001", "车位抵押贷", "产权车位可抵押，额度灵活", "0.45", 60, 50, 0, 2, "放款额的1%", 0,
     "名下有产权车位", "身份证、车位产权证"},
    {"10001", "装修分期贷", "新房装修分期，最长五年", "0.55", 60, 50, 1, 0, "放款额的1.2%", 1,
     "有成都房产，装修合同已签", "身份证、房产证、装修合同"},
    {"10001", "赎楼过桥贷", "卖房赎楼短期周转", "1.2", 6, 800, 0, 3, "放款额的1.5%", 1,
     "房产已签约出售，尚有按揭未还", "身份证、房产证、买卖合同、按揭合同"},
    {"10001", "商铺抵押贷", "商业物业抵押，最高七成", "0.4", 120, 600, 0, 0, "放款额的0.7%", 0,
     "名下有成都产权商铺", "身份证、商铺产权证、租赁合同"},
    {"10001", "税票经营贷", "凭纳税记录申请，纯信用", "0.38", 12, 100, 3, 3, "放款额的0.9%", 1,
     "企业纳税满2年，纳税等级B级以上", "营业执照、纳税证明、法人身份证"},
    {"10001", "公务员信用贷", "机关事业单位员工专享", "0.3", 60, 80, 1, 2, "放款额的0.8%", 1,
     "机关事业单位在编员工", "身份证、工作证明、工资流水"},
    {"20002", "山城房抵贷", "重庆全款房产抵押，最快5天放款", "0.36", 120, 800, 0, 0, "放款额的0.6%", 1,
     "名下有重庆全款住宅", "身份证、房产证"},
    {"20002", "重庆按揭贷", "新房二手房按揭均可办理", "0.33", 360, 400, 2, 1, "放款额的0.4%", 1,
     "征信良好，首付已备齐", "身份证、购房合同"},
};

const ApplicationRow kApplications[] = {
    {"10001", 0, "张伟", "13980001234", "2024-05-02 09:15"},  {"10001", 1, "王芳", "13880002345", "2024-05-03 10:20"},
    {"10001", 2, "李娜", "15908003456", "2024-05-04 11:05"},  {"10001", 3, "刘强", "18608004567", "2024-05-05 14:30"},
    {"10001", 4, "陈静", "13708005678", "2024-05-06 16:45"},  {"10001", 5, "杨洋", "13608006789", "2024-05-07 08:50"},
    {"10001", 0, "赵磊", "15808007890", "2024-05-08 13:10"},  {"10001", 7, "黄敏", "18908008901", "2024-05-09 15:25"},
    {"10001", 8, "周杰", "13508009012", "2024-05-10 17:40"},  {"10001", 10, "吴婷", "13408000123", "2024-05-11 09:35"},
    {"10001", 11, "徐鹏", "15108001357", "2024-05-12 10:55"}, {"10001", 2, "孙丽", "18208002468", "2024-05-13 12:15"},
    {"10001", 1, "马超", "13308003579", "2024-05-14 14:05"},  {"10001", 3, "朱琳", "15208004680", "2024-05-15 16:20"},
    {"20002", 12, "胡军", "13983005791", "2024-05-06 10:00"}, {"20002", 13, "郭雪", "13883006802", "2024-05-09 11:30"},
    {"20002", 12, "何平", "15923007913", "2024-05-12 15:45"},
};

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// A flat card with a coin stack; returns its address, or an empty string.
QString drawProductPicture(ServiceContext& context, const QColor& colour)
{
    QImage image(300, 220, QImage::Format_RGB32);
    image.fill(colour);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour.lighter(125));
    painter.drawEllipse(QPointF(230, 40), 90, 90);
    painter.setBrush(QColor(255, 214, 90));
    for (int i = 0; i < 5; ++i)
        painter.drawRoundedRect(QRectF(70, 150 - i * 20, 110, 22), 11, 11);
    painter.setBrush(QColor(255, 255, 255, 220));
    painter.drawRoundedRect(QRectF(190, 95, 70, 80), 8, 8);
    painter.setBrush(colour);
    for (int i = 0; i < 3; ++i)
        painter.drawRect(QRectF(202, 110 + i * 20, 46, 6));
    painter.end();
    const QString name = context.saveImage(image, "PNG");
    return name.isEmpty() ? QString() : context.fileUrl(name);
}

} // namespace

bool FinancialSeed::seed(ServiceContext& context)
{
    const QStringList pictures{
        drawProductPicture(context, QColor(45, 140, 240)),
        drawProductPicture(context, QColor(250, 130, 60)),
        drawProductPicture(context, QColor(40, 180, 130)),
    };
    const QStringList loanTypes = FinancialData::loanTypes();
    const QStringList repaymentWays = FinancialData::repaymentWays();
    ServiceDatabase& db = context.db();
    QList<qint64> productIds;
    int index = 0;
    for (const ProductRow& p : kProducts) {
        if (!db.execute(QStringLiteral("INSERT INTO financial_products(company_id, title, photo, des, month_lixi, months,"
                                       " maxedu, dyleixing, changhuanway, yongjin, wstore, conditions, materials, sort)"
                                       " VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                        {text(p.companyId), text(p.title), pictures.at(index % pictures.size()), text(p.des),
                         text(p.monthLixi), p.months, p.maxedu, loanTypes.at(p.loanType),
                         repaymentWays.at(p.repayment), text(p.yongjin), p.wstore, text(p.conditions),
                         text(p.materials), index + 1}))
            return false;
        productIds.append(db.lastInsertId());
        ++index;
    }
    for (const ApplicationRow& a : kApplications) {
        if (!db.execute(QStringLiteral("INSERT INTO financial_applications(company_id, product_id, name, phone, created)"
                                       " VALUES(?, ?, ?, ?, ?)"),
                        {text(a.companyId), productIds.at(a.product), text(a.name), text(a.phone), text(a.time)}))
            return false;
    }
    return true;
}
