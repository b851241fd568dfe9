#include "seed/DemoData.h"

#include "app/ServiceContext.h"
#include "seed/content/AdsSeed.h"
#include "seed/content/ContentSeed.h"
#include "seed/content/NewsSeed.h"
#include "seed/content/TopicSeed.h"
#include "seed/listings/FinancialSeed.h"
#include "seed/listings/HouseCircleSeed.h"
#include "seed/listings/HouseManagerSeed.h"
#include "seed/listings/NewHouseSeed.h"
#include "seed/listings/SubmissionSeed.h"
#include "seed/settings/OrganisationSeed.h"
#include "seed/settings/SettingsSeed.h"
#include "seed/settings/StyleSeed.h"
#include "seed/web/BrowseLogSeed.h"
#include "seed/web/RebateSeed.h"
#include "sessions/PasswordHasher.h"
#include "storage/core/ServiceDatabase.h"
#include "storage/settings/JobRightsData.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QVector>

namespace {

struct CityRow
{
    const char* id;
    const char* name;
    double lng;
    double lat;
};

struct DistrictRow
{
    int id;
    const char* cityId;
    const char* name;
    const char* quarters[4];
};

struct CompanyRow
{
    const char* id;
    const char* cityId;
    const char* name;
    int siteOpen;
};

struct DepartmentRow
{
    int id;
    const char* companyId;
    int parentId;
    const char* name;
};

struct JobRow
{
    int id;
    const char* companyId;
    const char* name;
    // Rights of the micro-website app granted to the role, and the scope of each.
    QVector<QPair<int, int>> granted;
};

struct UserRow
{
    const char* phone;
    const char* companyId;
    const char* name;
    int jobId;
    int storeId;
    int isManager;
};

struct TileRow
{
    int itemId;
    const char* title;
};

const CityRow kCities[] = {
    {"1", "成都", 104.066, 30.572},
    {"2", "重庆", 106.551, 29.563},
};

const DistrictRow kDistricts[] = {
    {101, "1", "锦江区", {"春熙路", "东大街", "盐市口", "攀成钢"}},
    {102, "1", "青羊区", {"宽窄巷子", "光华", "草市街", "金沙"}},
    {103, "1", "武侯区", {"红牌楼", "玉林", "桐梓林", nullptr}},
    {104, "1", "高新区", {"金融城", "大源", "新会展", "中和"}},
    {201, "2", "渝中区", {"解放碑", "大坪", "上清寺", nullptr}},
    {202, "2", "江北区", {"观音桥", "北滨路", "大石坝", nullptr}},
    {203, "2", "南岸区", {"南坪", "弹子石", "茶园", nullptr}},
    {204, "2", "渝北区", {"龙湖", "照母山", "回兴", nullptr}},
};

const CompanyRow kCompanies[] = {
    {"10001", "1", "安居地产", 1},
    {"20002", "2", "山城置业", 1},
    {"30728", "1", "蓉城房产", 0},
};

const DepartmentRow kDepartments[] = {
    {1, "10001", 0, "安居地产"},  {2, "10001", 1, "总经办"},     {3, "10001", 1, "春熙路店"},
    {4, "10001", 3, "春熙路一组"}, {5, "10001", 3, "春熙路二组"}, {6, "10001", 1, "天府新区店"},
    {7, "10001", 6, "天府一组"},   {11, "20002", 0, "山城置业"},  {12, "20002", 11, "解放碑店"},
    {13, "20002", 11, "观音桥店"}, {21, "30728", 0, "蓉城房产"},  {22, "30728", 21, "武侯店"},
};

QVector<QPair<int, int>> allFunctions()
{
    QVector<QPair<int, int>> granted;
    for (int id : JobRightsData::rightIds(JobRightsData::kMicroWebsiteApp))
        granted.append(qMakePair(id, 0));
    return granted;
}

QVector<JobRow> jobs()
{
    // An agent may put up and take down only the listings they published (scope 2) and edit
    // news; a clerk keeps the content pages and reads the visitors' submissions.
    const QVector<QPair<int, int>> agent = {{65, 2}, {148, 0}};
    const QVector<QPair<int, int>> clerk = {{67, 0}, {68, 0}, {69, 0}, {148, 0}, {156, 0}};
    return {
        {1, "10001", "店长", allFunctions()}, {2, "10001", "经纪人", agent}, {3, "10001", "文员", clerk},
        {4, "20002", "店长", allFunctions()}, {5, "20002", "经纪人", agent}, {6, "20002", "文员", clerk},
        {7, "30728", "店长", allFunctions()}, {8, "30728", "经纪人", agent}, {9, "30728", "文员", clerk},
    };
}

const UserRow kUsers[] = {
    {"13800000000", "10001", "王建国", 1, 2, 1},
    {"13800000001", "10001", "李小明", 2, 4, 0},
    {"13900000000", "20002", "刘德明", 4, 12, 1},
    {"13700000000", "30728", "赵蓉", 7, 22, 1},
};

const TileRow kSystemTiles[] = {
    {1, "新房"},   {2, "二手房"},  {3, "租房"},     {4, "业主委托出售"}, {5, "业主委托出租"},
    {6, "求购"},   {7, "求租"},    {9, "公司介绍"}, {10, "加入我们"},    {15, "金融"},
    {23, "资讯"},  {24, "佣金返利"}, {25, "百科"}, {-3, "我的官网"},
};

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString json(const QJsonValue& value)
{
    if (value.isArray())
        return QString::fromUtf8(QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact));
    return QString::fromUtf8(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact));
}

JobRightsData::App rightsOf(const QVector<QPair<int, int>>& granted)
{
    QJsonArray content;
    for (int id : JobRightsData::rightIds(JobRightsData::kMicroWebsiteApp)) {
        int range = 0;
        bool selected = false;
        for (const auto& grant : granted) {
            if (grant.first == id) {
                selected = true;
                range = grant.second;
            }
        }
        content.append(QJsonObject{{QStringLiteral("id"), id},
                                   {QStringLiteral("selected"), selected},
                                   {QStringLiteral("range"), range},
                                   {QStringLiteral("bumens"), QJsonArray()},
                                   {QStringLiteral("hideData"), 0},
                                   {QStringLiteral("count"), 0},
                                   {QStringLiteral("sons"), QJsonArray()}});
    }
    JobRightsData::App app;
    app.id = JobRightsData::kMicroWebsiteApp;
    app.name = JobRightsData::appName(app.id);
    app.content = content;
    return app;
}

// A flat app icon (132 x 132, the size the app editor suggests) in the files folder; returns
// its address, or an empty string when it cannot be written.
QString makeIcon(ServiceContext& context, const QColor& colour, int shape)
{
    QImage image(132, 132, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(6, 6, 120, 120), 28, 28);
    painter.setBrush(Qt::white);
    if (shape == 0) {
        // A flag: a group viewing.
        painter.drawRect(QRectF(44, 34, 8, 66));
        painter.drawPolygon(QPolygonF({QPointF(52, 34), QPointF(94, 48), QPointF(52, 62)}));
    } else {
        // A house with a book: near a school.
        painter.drawPolygon(QPolygonF({QPointF(66, 30), QPointF(100, 60), QPointF(32, 60)}));
        painter.drawRect(QRectF(42, 60, 48, 40));
        painter.setBrush(colour);
        painter.drawRect(QRectF(58, 74, 16, 26));
    }
    painter.end();
    const QString name = context.saveImage(image, "PNG");
    return name.isEmpty() ? QString() : context.fileUrl(name);
}

} // namespace

bool DemoData::seed(ServiceContext& context, QString* error)
{
    ServiceDatabase& db = context.db();
    const QString groupViewIcon = makeIcon(context, QColor(0x2d, 0x8c, 0xf0), 0);
    const QString schoolIcon = makeIcon(context, QColor(0xff, 0x9f, 0x2d), 1);
    const QString mountainIcon = makeIcon(context, QColor(0x19, 0xbe, 0x6b), 0);

    bool seededElsewhere = false;
    const bool ok = db.transaction([&] {
        // Another instance sharing the database may have seeded it meanwhile.
        seededElsewhere = db.isSeeded();
        if (seededElsewhere || !db.lastError().isEmpty())
            return db.lastError().isEmpty();
        for (const CityRow& city : kCities) {
            if (!db.execute(QStringLiteral("INSERT INTO cities(id, name, lng, lat) VALUES(?, ?, ?, ?)"),
                            {text(city.id), text(city.name), city.lng, city.lat}))
                return false;
        }
        for (const DistrictRow& district : kDistricts) {
            if (!db.execute(QStringLiteral("INSERT INTO districts(id, city_id, name, sort) VALUES(?, ?, ?, ?)"),
                            {district.id, text(district.cityId), text(district.name), district.id}))
                return false;
            for (int i = 0; i < 4 && district.quarters[i]; ++i) {
                if (!db.execute(QStringLiteral("INSERT INTO quarters(id, district_id, name, sort) VALUES(?, ?, ?, ?)"),
                                {district.id * 100 + i + 1, district.id, text(district.quarters[i]), i}))
                    return false;
            }
        }
        for (const CompanyRow& company : kCompanies) {
            if (!db.execute(QStringLiteral("INSERT INTO companies(id, city_id, name, site_open) VALUES(?, ?, ?, ?)"),
                            {text(company.id), text(company.cityId), text(company.name), company.siteOpen}))
                return false;
        }
        for (const DepartmentRow& dept : kDepartments) {
            if (!db.execute(QStringLiteral("INSERT INTO departments(id, company_id, parent_id, name, sort)"
                                           " VALUES(?, ?, ?, ?, ?)"),
                            {dept.id, text(dept.companyId), dept.parentId, text(dept.name), dept.id}))
                return false;
        }
        for (const JobRow& job : jobs()) {
            if (!db.execute(QStringLiteral("INSERT INTO jobs(id, company_id, name, sort) VALUES(?, ?, ?, ?)"),
                            {job.id, text(job.companyId), text(job.name), job.id})
                || !JobRightsData::saveApps(db, job.id, {rightsOf(job.granted)}))
                return false;
        }
        for (const UserRow& user : kUsers) {
            if (!db.execute(QStringLiteral("INSERT INTO users(phone, company_id, name, password, job_id, store_id,"
                                           " is_manager) VALUES(?, ?, ?, ?, ?, ?, ?)"),
                            {text(user.phone), text(user.companyId), text(user.name),
                             PasswordHasher::hash(QStringLiteral("demo123")), user.jobId, user.storeId,
                             user.isManager})
                || !db.execute(QStringLiteral("INSERT INTO user_departments(user_id, dept_id) VALUES(?, ?)"),
                               {db.lastInsertId(), user.storeId}))
                return false;
        }

        auto addTile = [&db](const QString& companyId, int itemId, int type, const QString& title, int sort,
                             const QString& photo, const QString& content) {
            return db.execute(QStringLiteral("INSERT INTO tiles(company_id, itemid, type, title, sort, show, photo,"
                                             " content) VALUES(?, ?, ?, ?, ?, 1, ?, ?)"),
                              {companyId, itemId, type, title, sort, photo, content});
        };
        // 山城置业 offers no loans and no rebates on its site.
        const QVector<int> chongqingItems = {1, 2, 3, 4, 5, 6, 7, 9, 10, 23, 25, -3};
        for (const CompanyRow& company : kCompanies) {
            const QString companyId = text(company.id);
            int sort = 0;
            for (const TileRow& tile : kSystemTiles) {
                if (companyId == QLatin1String("20002") && !chongqingItems.contains(tile.itemId))
                    continue;
                // The address of "我的官网" is filled in when the tiles are listed.
                if (!addTile(companyId, tile.itemId, 0, text(tile.title), ++sort, QString(), QString()))
                    return false;
            }
        }
        const QString house = json(QJsonObject{{QStringLiteral("type"), 2},
                                               {QStringLiteral("housetype"), QStringLiteral("二手房")},
                                               {QStringLiteral("districts"), QStringLiteral("锦江区")}});
        return addTile(QStringLiteral("10001"), 1001, 1, QStringLiteral("看房团"), 20, groupViewIcon,
                       QStringLiteral("每周六上午九点在春熙路店集合，专车带看热门楼盘，报名请致电门店。"))
            && addTile(QStringLiteral("10001"), 1002, 1, QStringLiteral("学区房"), 21, schoolIcon, house)
            && addTile(QStringLiteral("20002"), 1001, 1, QStringLiteral("山城好房"), 20, mountainIcon,
                       QStringLiteral("解放碑、观音桥精选好房，每周更新。"))
            && SubmissionSeed::seed(context)
            && NewHouseSeed::seed(context) && FinancialSeed::seed(context)
            && HouseManagerSeed::seed(db) && ContentSeed::seed(context)
            && OrganisationSeed::seed(db)
            && AdsSeed::seed(context) && HouseCircleSeed::seed(db) && TopicSeed::seed(context)
            && StyleSeed::seed(context) && NewsSeed::seed(context) && SettingsSeed::seed(db)
            && RebateSeed::seed(db) && BrowseLogSeed::seed(db) && db.idsWritten() && db.markSeeded();
    });
    if (!ok || seededElsewhere) {
        if (!ok)
            *error = db.lastError();
        for (const QString& icon : {groupViewIcon, schoolIcon, mountainIcon})
            QFile::remove(context.filePath(icon.section(QLatin1Char('/'), -1)));
    }
    return ok;
}
