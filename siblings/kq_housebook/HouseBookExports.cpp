// The house book's entry points. The caller passes a null parent, the house as a map and two
// zeros; it relies on nothing returned.
#include "BookDialog.h"
#include "kq_housebook_export.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QVariantMap>
#include <QWidget>

namespace {

enum Kind { Sale = 0, Rent = 1 };

QString text(const QVariantMap& house, const char* key)
{
    return BookField::textOf(house.value(QString::fromLatin1(key)));
}

// "张三 先生 13911112222" for each contact of the JSON list.
QString contactsText(const QString& json)
{
    QStringList contacts;
    const QJsonArray list = QJsonDocument::fromJson(json.toUtf8()).array();
    for (const QJsonValue& value : list) {
        const QJsonObject contact = value.toObject();
        QStringList parts;
        for (const char* key : {"name", "level", "phone"}) {
            const QString part = contact.value(QLatin1String(key)).toString().trimmed();
            if (!part.isEmpty())
                parts.append(part);
        }
        if (!parts.isEmpty())
            contacts.append(parts.join(QLatin1Char(' ')));
    }
    return contacts.join(QStringLiteral("；"));
}

void openHouseBook(QWidget* parent, const QVariantMap& house, Kind kind)
{
    QList<BookField> fields = {
        {QStringLiteral("name"), QStringLiteral("小区"), text(house, "name")},
        {QStringLiteral("buildingNo"), QStringLiteral("栋号"), text(house, "buildingNo")},
        {QStringLiteral("unitNo"), QStringLiteral("单元"), text(house, "unitNo")},
        {QStringLiteral("roomNo"), QStringLiteral("房号"), text(house, "roomNo")},
        {QStringLiteral("district"), QStringLiteral("区域"), text(house, "district")},
        {QStringLiteral("area"), QStringLiteral("片区"), text(house, "area")},
        {QStringLiteral("address"), QStringLiteral("地址"), text(house, "address")},
        {QStringLiteral("hutype"), QStringLiteral("户型"), text(house, "hutype")},
        {QStringLiteral("floors"), QStringLiteral("楼层"), text(house, "floors")},
        {QStringLiteral("allfloors"), QStringLiteral("总楼层"), text(house, "allfloors")},
        {QStringLiteral("builtuparea"), QStringLiteral("面积(㎡)"), text(house, "builtuparea")},
        {QStringLiteral("price"), kind == Rent ? QStringLiteral("租金(元/月)") : QStringLiteral("总价(万)"),
         text(house, "price")},
        {QStringLiteral("unitprice"), QStringLiteral("单价(元/平)"), text(house, "unitprice")},
        {QStringLiteral("renovation"), QStringLiteral("装修"), text(house, "renovation")},
        {QStringLiteral("housetype"), QStringLiteral("房屋类型"), text(house, "housetype")},
        {QStringLiteral("toward"), QStringLiteral("朝向"), text(house, "toward")},
    };
    if (kind == Rent) {
        fields.append({QStringLiteral("rentway"), QStringLiteral("租房方式"), text(house, "rentway")});
        fields.append({QStringLiteral("payway"), QStringLiteral("支付方式"), text(house, "payway")});
    }
    const QString contacts = text(house, "contacts");
    const QString photo = text(house, "photo");
    const int photoCount = photo.isEmpty() ? 0 : photo.split(QLatin1Char(',')).size();
    fields.append({QStringLiteral("source"), QStringLiteral("来源"), text(house, "source")});
    fields.append({QString(), QStringLiteral("联系人"), contactsText(contacts)});
    fields.append({QString(), QStringLiteral("图片"), QStringLiteral("%1张").arg(photoCount)});
    fields.append({QStringLiteral("remark"), QStringLiteral("备注"), text(house, "remark")});

    const FormPieces fixed = {
        {QStringLiteral("kind"), QString::number(kind)},
        {QStringLiteral("source_type"), text(house, "source_type")},
        {QStringLiteral("source_id"), text(house, "source_id")},
        {QStringLiteral("is_show_community"), text(house, "is_show_community")},
        {QStringLiteral("contacts"), contacts},
        {QStringLiteral("photo"), photo},
    };
    const QString title = kind == Rent ? QStringLiteral("保存到房源本（出租）") : QStringLiteral("保存到房源本（出售）");
    auto* dialog = new BookDialog(title, QStringLiteral("房源本"), fields, fixed, QStringLiteral("hbook/add"), parent);
    dialog->show();
    dialog->raise();
}

} // namespace

extern "C" KQ_HOUSEBOOK_EXPORT void addSaleHouse(QWidget* parent, QVariantMap house, int, int)
{
    openHouseBook(parent, house, Sale);
}

extern "C" KQ_HOUSEBOOK_EXPORT void addRentHouse(QWidget* parent, QVariantMap house, int, int)
{
    openHouseBook(parent, house, Rent);
}
