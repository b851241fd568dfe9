#include "routes/listings/BookRoutes.h"

#include "app/ServiceContext.h"
#include "http/Envelope.h"
#include "http/ParamReader.h"
#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"
#include "storage/core/ServiceDatabase.h"
#include "storage/listings/BookData.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringList>

#include <vector>

namespace {

enum class FieldType {
    Text,
    Integer,
    Real,       // a non-negative decimal number, stored as a number
    NumberText, // empty or a non-negative decimal number, stored as the text sent
    Flag,       // 1/0 or true/false
    Contacts,   // JSON text of an array of objects
    Sex,        // 男, 女 or empty
};

// One parameter of an add call; its key is also the column's name.
struct Field
{
    const char* key;
    const char* label;
    FieldType type;
    bool required = false;
    int maxLength = 50;
    qint64 min = 0;
    qint64 max = 0;
};

const std::vector<Field> kHouseFields = {
    {"name", "小区名称", FieldType::Text, true, 100},
    {"buildingNo", "栋号", FieldType::Text, false, 20},
    {"unitNo", "单元", FieldType::Text, false, 20},
    {"roomNo", "房号", FieldType::Text, false, 20},
    {"district", "区域", FieldType::Text},
    {"area", "片区", FieldType::Text},
    {"address", "地址", FieldType::Text, false, 200},
    {"floors", "楼层", FieldType::Integer, false, 0, -10, 300},
    {"allfloors", "总楼层", FieldType::Integer, false, 0, 0, 300},
    {"hutype", "户型", FieldType::Text},
    {"price", "价格", FieldType::Real, false, 0, 0, 1000000000},
    {"unitprice", "单价", FieldType::Integer, false, 0, 0, 1000000000},
    {"builtuparea", "面积", FieldType::Real, false, 0, 0, 1000000},
    {"renovation", "装修", FieldType::Text},
    {"housetype", "房屋类型", FieldType::Text},
    {"remark", "备注", FieldType::Text, false, 2000},
    {"toward", "朝向", FieldType::Text},
    {"payway", "支付方式", FieldType::Text},
    {"rentway", "租房方式", FieldType::Text},
    {"contacts", "联系人", FieldType::Contacts, false, 2000},
    {"source", "来源", FieldType::Text},
    {"photo", "图片", FieldType::Text, false, 20000},
    {"source_type", "来源类型", FieldType::Text},
    {"source_id", "来源编号", FieldType::Text},
    {"is_show_community", "显示小区", FieldType::Flag},
};

const std::vector<Field> kCustomerFields = {
    {"name", "姓名", FieldType::Text, false, 50},
    {"phone", "电话", FieldType::Text, true, 30},
    {"sex", "性别", FieldType::Sex},
    {"needarea", "需求区域", FieldType::Text, false, 200},
    {"mianji", "最小面积", FieldType::NumberText, false, 20},
    {"tmianji", "最大面积", FieldType::NumberText, false, 20},
    {"price", "最低价格", FieldType::NumberText, false, 20},
    {"tprice", "最高价格", FieldType::NumberText, false, 20},
    {"floor", "最低楼层", FieldType::NumberText, false, 20},
    {"tfloor", "最高楼层", FieldType::NumberText, false, 20},
    {"remark", "备注", FieldType::Text, false, 2000},
};

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

bool isDecimal(const QString& value)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9]{1,12}(\\.[0-9]{1,8})?$"));
    return pattern.match(value).hasMatch();
}

bool isContactList(const QString& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return false;
    const QJsonArray contacts = document.array();
    for (const QJsonValue& contact : contacts) {
        if (!contact.isObject())
            return false;
    }
    return true;
}

// The values of the fields in table order; a problem is kept in `in`.
QVariantList readFields(const ServiceParams& params, ParamReader& in, const std::vector<Field>& fields)
{
    QVariantList values;
    for (const Field& field : fields) {
        const QString key = text(field.key);
        const QString label = text(field.label);
        switch (field.type) {
        case FieldType::Text:
            values.append(field.required ? in.text(key, label, field.maxLength).trimmed()
                                         : in.optionalText(key, QString(), field.maxLength).trimmed());
            break;
        case FieldType::Integer:
            values.append(field.required ? in.integer(key, label, field.min, field.max)
                                         : in.optionalInteger(key, label, 0, field.min, field.max));
            break;
        case FieldType::Real: {
            const QString value = params.value(key).trimmed();
            double number = 0;
            if (!value.isEmpty()) {
                number = value.toDouble();
                if (!isDecimal(value))
                    in.fail(QStringLiteral("参数格式错误：%1").arg(label));
                else if (number > double(field.max))
                    in.fail(QStringLiteral("参数超出范围：%1").arg(label));
            }
            values.append(number);
            break;
        }
        case FieldType::NumberText: {
            const QString value = in.optionalText(key, QString(), field.maxLength).trimmed();
            if (!value.isEmpty() && !isDecimal(value))
                in.fail(QStringLiteral("参数格式错误：%1").arg(label));
            values.append(value);
            break;
        }
        case FieldType::Flag: {
            const QString value = params.value(key).trimmed().toLower();
            const bool on = value == QLatin1String("1") || value == QLatin1String("true");
            if (!on && !value.isEmpty() && value != QLatin1String("0") && value != QLatin1String("false"))
                in.fail(QStringLiteral("参数格式错误：%1").arg(label));
            values.append(on ? 1 : 0);
            break;
        }
        case FieldType::Contacts: {
            QString value = in.optionalText(key, QString(), field.maxLength).trimmed();
            if (value.isEmpty())
                value = QStringLiteral("[]");
            else if (!isContactList(value))
                in.fail(QStringLiteral("联系人格式错误"));
            values.append(value);
            break;
        }
        case FieldType::Sex: {
            const QString value = params.value(key).trimmed();
            if (!value.isEmpty() && value != QStringLiteral("男") && value != QStringLiteral("女"))
                in.fail(QStringLiteral("性别只能是男或女"));
            values.append(value);
            break;
        }
        }
    }
    return values;
}

QStringList columnsOf(const std::vector<Field>& fields)
{
    QStringList columns;
    for (const Field& field : fields)
        columns.append(text(field.key));
    return columns;
}

// Adds one entry; the column names come from the tables above, never from the request.
ServiceReply insert(ServiceDatabase& db, BookData::Book book, const std::vector<Field>& fields,
                    const ServiceRequest& request, qint64 kind, const QVariantList& values)
{
    QVariantMap columns;
    for (std::size_t i = 0; i < fields.size(); ++i)
        columns.insert(text(fields.at(i).key), values.at(static_cast<int>(i)));
    const qint64 id = BookData::add(db, book, request.session.companyId, request.session.userId, kind,
                                    QDateTime::currentSecsSinceEpoch(), columns);
    if (id == 0)
        return Envelope::internalError();
    return Envelope::success(QJsonObject{{QStringLiteral("id"), id}}, QStringLiteral("保存成功"));
}

ServiceReply list(ServiceDatabase& db, BookData::Book book, const std::vector<Field>& fields,
                  const ServiceRequest& request, qint64 firstKind, qint64 lastKind)
{
    ParamReader in(request.params);
    const qint64 kind = in.optionalInteger(QStringLiteral("kind"), QStringLiteral("类型"), -1, firstKind, lastKind);
    const qint64 pageSize = in.optionalInteger(QStringLiteral("pagesize"), QStringLiteral("每页条数"), 20, 1, 100);
    const qint64 pageIndex =
        in.optionalInteger(QStringLiteral("pageindex"), QStringLiteral("页码"), 1, 1, 1000000);
    if (!in.ok())
        return Envelope::refused(in.message());

    QString from = BookData::table(book) % QStringLiteral(" WHERE company_id = ?");
    QVariantList values{request.session.companyId};
    if (kind >= 0) {
        from += QStringLiteral(" AND kind = ?");
        values.append(kind);
    }
    qint64 total = 0;
    const QList<QVariantMap> rows =
        db.selectPage(QStringLiteral("id, kind, created_at, ") % columnsOf(fields).join(QStringLiteral(", ")), from,
                      values, QStringLiteral("id DESC"), pageIndex, pageSize, &total);
    if (!db.lastError().isEmpty())
        return Envelope::internalError();

    QJsonArray data;
    for (QVariantMap row : rows) {
        const qint64 created = row.take(QStringLiteral("created_at")).toLongLong();
        QJsonObject entry = QJsonObject::fromVariantMap(row);
        entry.insert(QStringLiteral("time"),
                     QDateTime::fromSecsSinceEpoch(created).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        if (entry.contains(QStringLiteral("is_show_community")))
            entry.insert(QStringLiteral("is_show_community"), row.value(QStringLiteral("is_show_community")).toInt() != 0);
        data.append(entry);
    }
    return Envelope::success(QJsonObject{{QStringLiteral("total"), total}, {QStringLiteral("data"), data}});
}

} // namespace

BookRoutes::BookRoutes(ServiceContext& context)
    : m_context(context)
{
}

void BookRoutes::registerRoutes(ServiceRouter& router)
{
    router.add(QStringLiteral("api/hbook/add"), ServiceRouter::Access::Session,
               [this](const ServiceRequest& request) { return addHouse(request); });
    router.add(QStringLiteral("api/hbook/posts"), ServiceRouter::Access::Session,
               [this](const ServiceRequest& request) { return listHouses(request); });
    router.add(QStringLiteral("api/cbook/add"), ServiceRouter::Access::Session,
               [this](const ServiceRequest& request) { return addCustomer(request); });
    router.add(QStringLiteral("api/cbook/posts"), ServiceRouter::Access::Session,
               [this](const ServiceRequest& request) { return listCustomers(request); });
    router.add(QStringLiteral("api/upgrade/Brenvik_UpdateTools"), ServiceRouter::Access::Session,
               [this](const ServiceRequest& request) { return componentDownload(request); });
}

ServiceReply BookRoutes::addHouse(const ServiceRequest& request)
{
    ParamReader in(request.params);
    const qint64 kind = in.integer(QStringLiteral("kind"), QStringLiteral("房源类型"), 0, 1);
    const QVariantList values = readFields(request.params, in, kHouseFields);
    if (!in.ok())
        return Envelope::refused(in.message());

    ServiceDatabase& db = m_context.db();
    const QString sourceId = request.params.value(QStringLiteral("source_id")).trimmed();
    if (!sourceId.isEmpty()
        && !db.selectOne(QStringLiteral("SELECT id FROM house_book WHERE company_id = ? AND kind = ? AND source_id = ?"),
                         {request.session.companyId, kind, sourceId})
                .isEmpty())
        return Envelope::refused(QStringLiteral("该房源已在房源本中"));
    return insert(db, BookData::Book::Houses, kHouseFields, request, kind, values);
}

ServiceReply BookRoutes::addCustomer(const ServiceRequest& request)
{
    ParamReader in(request.params);
    const qint64 kind = in.integer(QStringLiteral("kind"), QStringLiteral("客户类型"), 1, 2);
    const QVariantList values = readFields(request.params, in, kCustomerFields);
    if (!in.ok())
        return Envelope::refused(in.message());

    ServiceDatabase& db = m_context.db();
    const QString phone = request.params.value(QStringLiteral("phone")).trimmed();
    if (!db.selectOne(QStringLiteral("SELECT id FROM customer_book WHERE company_id = ? AND kind = ? AND phone = ?"),
                      {request.session.companyId, kind, phone})
             .isEmpty())
        return Envelope::refused(QStringLiteral("该客户已在客户本中"));
    return insert(db, BookData::Book::Customers, kCustomerFields, request, kind, values);
}

ServiceReply BookRoutes::listHouses(const ServiceRequest& request)
{
    return list(m_context.db(), BookData::Book::Houses, kHouseFields, request, 0, 1);
}

ServiceReply BookRoutes::listCustomers(const ServiceRequest& request)
{
    return list(m_context.db(), BookData::Book::Customers, kCustomerFields, request, 1, 2);
}

ServiceReply BookRoutes::componentDownload(const ServiceRequest& request)
{
    ParamReader in(request.params);
    const QString fileName = in.text(QStringLiteral("filename"), QStringLiteral("组件文件名"), 100);
    if (!in.ok())
        return Envelope::refused(in.message());
    return Envelope::refused(QStringLiteral("该组件暂不提供下载（%1），请联系管理员安装。").arg(fileName));
}
