#include "seed/content/ContentSeed.h"

#include "app/ServiceContext.h"
#include "storage/content/ContentData.h"
#include "storage/core/ServiceDatabase.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QStringList>

namespace {

struct ProfileRow
{
    const char* companyId;
    const char* content;
    const char* address;
    const char* tel;
    int photos; // how many of the drawn pictures, in order
};

struct JobRow
{
    const char* companyId;
    const char* title;
    const char* xinzi;
    const char* xueli;
    const char* jingyan;
    const char* address;
    const char* content;
    const char* tel;
    const char* tags; // joined with ","
};

const ProfileRow kProfiles[] = {
    {"10001",
     "安居地产成立于2008年，扎根成都十余年，在春熙路、天府新区设有直营门店，"
     "专注二手房买卖、租赁、新房代理与按揭金融服务。\n"
     "我们坚持真房源、明码标价、全程陪同，已累计帮助两万多个家庭安家成都。",
     "成都市锦江区春熙路北段88号", "028-86661234", 3},
    {"20002", "山城置业立足重庆解放碑与观音桥商圈，提供二手房、新房与租赁一站式服务。",
     "重庆市渝中区解放碑民族路166号", "023-63001234", 1},
    {"30728", "蓉城房产是武侯区的社区门店，专注玉林、桐梓林片区的房屋买卖与租赁。", "成都市武侯区玉林南路12号",
     "028-85551234", 0},
};

// Newest last: the list shows the latest posting first.
const JobRow kJobs[] = {
    {"10001", "行政文员", "4500-6000元/月", "大专", "1年以内", "成都市锦江区春熙路北段88号",
     "负责门店日常行政、合同归档与来访接待；熟练使用办公软件，细心耐心。", "028-86661234", "朝九晚六,周末双休"},
    {"10001", "金融按揭专员", "7000-12000元/月", "本科", "1-3年", "成都市锦江区春熙路北段88号",
     "为购房客户办理按揭、抵押与过桥业务，对接银行与评估机构；有银行或担保公司经验优先。", "028-86661234",
     "五险一金,节日福利"},
    {"10001", "租赁顾问", "5000-10000元/月", "高中", "应届毕业生", "成都市锦江区东大街门店",
     "负责片区房源的收集与带看，协助客户签订租赁合同；公司提供住宿与系统培训。", "028-86661235",
     "包住宿,带薪培训"},
    {"10001", "新房渠道专员", "8000-12000元/月", "大专", "1-3年", "成都市高新区天府新区店",
     "对接开发商与合作渠道，组织看房团与楼盘推介活动；有驾照优先。", "028-86661236", "周末双休,交通补贴"},
    {"10001", "门店店长", "15000-30000元/月", "本科", "3-5年", "成都市高新区天府新区店",
     "负责门店团队的招聘、培训与业绩管理；三年以上房产经纪经验，有团队管理经验。", "028-86661236",
     "年终奖,晋升快,股权激励"},
    {"10001", "置业顾问", "6000-15000元/月", "大专", "经验不限", "成都市锦江区春熙路北段88号",
     "为客户提供二手房买卖咨询与带看服务，维护房源与客户关系。\n欢迎应届毕业生，入职即有师傅带教。",
     "028-86661234", "五险一金,高提成,带薪培训"},
    {"20002", "租赁专员", "5000-8000元/月", "高中", "经验不限", "重庆市江北区观音桥店",
     "负责观音桥片区租赁房源的带看与签约。", "023-63001235", "包住宿"},
    {"20002", "置业顾问", "6000-14000元/月", "大专", "1年以内", "重庆市渝中区解放碑民族路166号",
     "负责解放碑片区二手房买卖的带看与签约，维护客户关系。", "023-63001234", "五险一金,高提成"},
    {"30728", "房产经纪人", "5000-12000元/月", "学历不限", "经验不限", "成都市武侯区玉林南路12号",
     "负责玉林片区房源的带看与签约，熟悉本地小区者优先。", "028-85551234", "底薪加提成"},
};

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The agency's shop front on the street, with listing cards in its windows.
void paintShopFront(QPainter& painter)
{
    painter.fillRect(0, 0, 640, 400, QColor(228, 222, 212));
    painter.fillRect(0, 330, 640, 70, QColor(150, 150, 150));
    painter.setBrush(QColor(30, 110, 200));
    painter.drawRect(40, 40, 560, 70);
    painter.setBrush(Qt::white);
    for (int i = 0; i < 4; ++i)
        painter.drawRoundedRect(QRectF(90 + i * 120, 60, 80, 30), 6, 6);
    painter.setBrush(QColor(185, 215, 235));
    painter.drawRect(60, 140, 200, 190);
    painter.drawRect(380, 140, 200, 190);
    painter.setBrush(QColor(90, 70, 55));
    painter.drawRect(280, 150, 80, 180);
    painter.setBrush(QColor(255, 250, 235));
    for (int i = 0; i < 6; ++i) {
        const int x = (i < 3 ? 75 : 395) + (i % 3) * 62;
        painter.drawRect(x, 170, 50, 64);
        painter.drawRect(x, 250, 50, 64);
    }
}

// The office: a window on the city and a row of desks with screens.
void paintOffice(QPainter& painter)
{
    painter.fillRect(0, 0, 640, 400, QColor(244, 240, 232));
    painter.setBrush(QColor(150, 200, 240));
    painter.drawRect(60, 30, 520, 170);
    painter.setBrush(QColor(120, 140, 170));
    for (int i = 0; i < 8; ++i) {
        const int height = 50 + (i * 41) % 90;
        painter.drawRect(70 + i * 64, 200 - height, 44, height);
    }
    painter.setBrush(QColor(170, 120, 80));
    painter.drawRect(40, 270, 560, 24);
    for (int i = 0; i < 4; ++i) {
        painter.setBrush(QColor(50, 55, 65));
        painter.drawRect(80 + i * 135, 215, 80, 52);
        painter.setBrush(QColor(70, 150, 220));
        painter.drawRect(86 + i * 135, 221, 68, 40);
        painter.setBrush(QColor(60, 60, 60));
        painter.drawRect(112 + i * 135, 294, 16, 90);
    }
}

// The team's meeting room: a round table and the chairs around it.
void paintMeetingRoom(QPainter& painter)
{
    painter.fillRect(0, 0, 640, 400, QColor(236, 232, 226));
    painter.fillRect(0, 300, 640, 100, QColor(196, 170, 140));
    painter.setBrush(Qt::white);
    painter.drawRect(200, 40, 240, 130);
    painter.setBrush(QColor(240, 120, 60));
    for (int i = 0; i < 4; ++i) {
        const int height = 30 + i * 22;
        painter.drawRect(230 + i * 50, 150 - height, 30, height);
    }
    const QColor chairs[] = {QColor(30, 110, 200), QColor(40, 170, 120), QColor(230, 170, 40),
                             QColor(200, 80, 90), QColor(120, 90, 190)};
    for (int i = 0; i < 5; ++i) {
        painter.setBrush(chairs[i]);
        painter.drawEllipse(QPointF(140 + i * 90, 255 + (i % 2) * 30), 34, 34);
    }
    painter.setBrush(QColor(150, 105, 70));
    painter.drawEllipse(QPointF(320, 320), 220, 50);
}

// The three pictures of the profile; an address for each picture that could be written.
QStringList drawPictures(ServiceContext& context)
{
    using Painting = void (*)(QPainter&);
    const Painting paintings[] = {paintShopFront, paintOffice, paintMeetingRoom};
    QStringList addresses;
    for (Painting paint : paintings) {
        QImage image(640, 400, QImage::Format_RGB32);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        paint(painter);
        painter.end();
        const QString name = context.saveImage(image, "JPG", 85);
        if (!name.isEmpty())
            addresses.append(context.fileUrl(name));
    }
    return addresses;
}

} // namespace

bool ContentSeed::seed(ServiceContext& context)
{
    ServiceDatabase& db = context.db();
    const QStringList pictures = drawPictures(context);
    for (const ProfileRow& row : kProfiles) {
        ContentData::Profile profile;
        profile.content = text(row.content);
        profile.address = text(row.address);
        profile.tel = text(row.tel);
        profile.photos = pictures.mid(0, row.photos);
        if (!ContentData::saveProfile(db, text(row.companyId), profile))
            return false;
    }
    for (const JobRow& row : kJobs) {
        ContentData::Job job;
        job.title = text(row.title);
        job.xinzi = text(row.xinzi);
        job.xueli = text(row.xueli);
        job.jingyan = text(row.jingyan);
        job.address = text(row.address);
        job.content = text(row.content);
        job.tel = text(row.tel);
        job.tags = text(row.tags).split(QLatin1Char(','));
        if (ContentData::addJob(db, text(row.companyId), job) == 0)
            return false;
    }
    return true;
}
