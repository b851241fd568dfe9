#include "support/ui/ListingSamples.h"

namespace ListingSamples {

MicroWebSiteSaleOrRentList_Model::ListData house(int id)
{
    MicroWebSiteSaleOrRentList_Model::ListData house;
    house.id = id;
    house.type = QStringLiteral("出售");
    house.name = QStringLiteral("张三");
    house.phone = QStringLiteral("13911112222");
    house.housename = QStringLiteral("阳光花园");
    house.buildingNo = QStringLiteral("3");
    house.unitNo = QStringLiteral("2");
    house.roomNo = QStringLiteral("301");
    house.districtstr = QStringLiteral("锦江区");
    house.areastr = QStringLiteral("春熙路");
    house.address = QStringLiteral("红星路100号");
    house.hutype = QStringLiteral("3室2厅");
    house.floors = 5;
    house.allfloors = 18;
    house.price = 89.5;
    house.unitprice = 7458;
    house.builtuparea = 120;
    house.renovation = QStringLiteral("精装");
    house.housetype = QStringLiteral("住宅");
    house.remark = QStringLiteral("急售");
    house.toward = QStringLiteral("南");
    house.payway = QStringLiteral("押一付三");
    house.rentway = QStringLiteral("整租");
    house.imgurl = QStringList{QStringLiteral("http://img/1.jpg"), QStringLiteral("http://img/2.jpg")};
    return house;
}

} // namespace ListingSamples
