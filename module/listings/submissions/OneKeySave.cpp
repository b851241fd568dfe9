#include "listings/submissions/OneKeySave.h"

#include "net/platform/SiblingLibrary.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/ModuleUpdateDialog.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

const QString& houseBook()
{
    static const QString name = QStringLiteral("kq_housebook");
    return name;
}

const QString& customerBook()
{
    static const QString name = QStringLiteral("kq_customerbook");
    return name;
}

struct LibraryNames
{
    QString houseBook;
    QString customerBook;
};

LibraryNames& overrides()
{
    static LibraryNames names;
    return names;
}

// A JSON string literal, quotes and escapes included.
QString jsonString(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

} // namespace

QString OneKeySave::contactsJson(const QString& name, const QString& phone)
{
    // Built with JSON escaping: a quote or a backslash in a name must not break the list.
    return QStringLiteral("[{\"name\":%1,\"level\":\"先生\",\"phone\":%2}]").arg(jsonString(name), jsonString(phone));
}

QVariantMap OneKeySave::houseMap(const MicroWebSiteSaleOrRentList_Model::ListData& house)
{
    QVariantMap map;
    map.insert(QStringLiteral("source_type"), QString());
    map.insert(QStringLiteral("source_id"), QString::number(house.id));
    map.insert(QStringLiteral("is_show_community"), true);
    map.insert(QStringLiteral("name"), house.housename);
    map.insert(QStringLiteral("buildingNo"), house.buildingNo);
    map.insert(QStringLiteral("unitNo"), house.unitNo);
    map.insert(QStringLiteral("roomNo"), house.roomNo);
    map.insert(QStringLiteral("district"), house.districtstr);
    map.insert(QStringLiteral("area"), house.areastr);
    map.insert(QStringLiteral("address"), house.address);
    map.insert(QStringLiteral("floors"), house.floors);
    map.insert(QStringLiteral("allfloors"), house.allfloors);
    map.insert(QStringLiteral("hutype"), house.hutype);
    map.insert(QStringLiteral("price"), house.price);
    map.insert(QStringLiteral("unitprice"), house.unitprice);
    map.insert(QStringLiteral("builtuparea"), house.builtuparea);
    map.insert(QStringLiteral("renovation"), house.renovation);
    map.insert(QStringLiteral("housetype"), house.housetype);
    map.insert(QStringLiteral("remark"), house.remark);
    map.insert(QStringLiteral("toward"), house.toward);
    map.insert(QStringLiteral("payway"), house.payway);
    map.insert(QStringLiteral("rentway"), house.rentway);
    map.insert(QStringLiteral("contacts"), contactsJson(house.name, house.phone));
    map.insert(QStringLiteral("source"), QStringLiteral("网络"));
    map.insert(QStringLiteral("photo"), house.imgurl.join(QLatin1Char(',')));
    return map;
}

QVariantMap OneKeySave::customerMap(const MicroWebSiteSeekSaleOrRentList_Model::ListData& demand)
{
    QVariantMap map;
    map.insert(QStringLiteral("name"), demand.name);
    map.insert(QStringLiteral("phone"), demand.phone);
    map.insert(QStringLiteral("sex"), demand.sex == QLatin1String("0") ? QStringLiteral("男") : QStringLiteral("女"));
    map.insert(QStringLiteral("needarea"), demand.needarea);
    map.insert(QStringLiteral("mianji"), demand.mianji);
    map.insert(QStringLiteral("tmianji"), demand.tmianji);
    map.insert(QStringLiteral("price"), demand.price);
    map.insert(QStringLiteral("tprice"), demand.tprice);
    map.insert(QStringLiteral("floor"), demand.floors);
    map.insert(QStringLiteral("tfloor"), demand.tfloors);
    map.insert(QStringLiteral("remark"), demand.remark);
    return map;
}

OneKeySave::Outcome OneKeySave::copyHouse(const MicroWebSiteSaleOrRentList_Model::ListData& house, bool isRent)
{
    if (house.id <= 0)
        return Outcome::NotSaved;
    const char* function = isRent ? "addRentHouse" : "addSaleHouse";
    const QString library = overrides().houseBook.isEmpty() ? houseBook() : overrides().houseBook;
    SiblingLibrary::Failure failure = SiblingLibrary::Failure::None;
    const auto add = SiblingLibrary::resolveAs<AddHouseFunction>(library, function, &failure);
    if (add) {
        add(nullptr, houseMap(house), 0, 0);
        return Outcome::Handed;
    }
    if (failure == SiblingLibrary::Failure::FunctionMissing) {
        AlertWidget::showWarning(QStringLiteral("%1导出失败！").arg(QLatin1String(function)), QStringLiteral("main"));
        return Outcome::FunctionMissing;
    }
    ModuleUpdateDialog::open(QStringLiteral("缺少<房源本>组件！"), SiblingLibrary::displayFileName(houseBook()));
    return Outcome::LibraryMissing;
}

OneKeySave::Outcome OneKeySave::copyCustomer(QWidget* parent, int type,
                                             const MicroWebSiteSeekSaleOrRentList_Model::ListData& demand)
{
    if (demand.id <= 0)
        return Outcome::NotSaved;
    const QString library = overrides().customerBook.isEmpty() ? customerBook() : overrides().customerBook;
    SiblingLibrary::Failure failure = SiblingLibrary::Failure::None;
    const auto add = SiblingLibrary::resolveAs<AddCustomerFunction>(library, "addCustomer", &failure);
    if (add) {
        add(parent, type + 1, customerMap(demand), 0, 0);
        return Outcome::Handed;
    }
    if (failure == SiblingLibrary::Failure::FunctionMissing) {
        AlertWidget::showWarning(QStringLiteral("addCustomer 导出失败！"), QStringLiteral("main"));
        return Outcome::FunctionMissing;
    }
    ModuleUpdateDialog::open(QStringLiteral("缺少<客户本>组件！"), SiblingLibrary::displayFileName(customerBook()));
    return Outcome::LibraryMissing;
}

void OneKeySave::setLibraryNames(const QString& houseBookName, const QString& customerBookName)
{
    overrides().houseBook = houseBookName;
    overrides().customerBook = customerBookName;
}
