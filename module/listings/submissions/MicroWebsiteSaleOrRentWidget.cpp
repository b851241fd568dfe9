#include "listings/submissions/MicroWebsiteSaleOrRentWidget.h"

#include "listings/common/DisplayText.h"
#include "listings/submissions/MicroWebsiteSaleOrRentDetailWidget.h"
#include "net/http/Endpoints.h"
#include "net/http/FormBody.h"
#include "net/http/NetRequestObjecet.h"
#include "net/paging/ListPager.h"

MicroWebsiteSaleOrRentWidget::MicroWebsiteSaleOrRentWidget(QWidget* parent)
    : ListingTablePage(parent)
{
    setObjectName(QStringLiteral("MicroWebsiteSaleOrRentWidget"));
    connect(pager(), &ListPager::pageReceived, this, &MicroWebsiteSaleOrRentWidget::dealHouseData);
}

QString MicroWebsiteSaleOrRentWidget::columnsJson()
{
    return QStringLiteral(
        R"([{"id":1,"title":"编号","choose":true,"sort":false,"rate":2,"key":"key_bianHao"},)"
        R"({"id":2,"title":"区域","choose":true,"sort":false,"rate":3,"key":"key_quyu"},)"
        R"({"id":3,"title":"小区地址","choose":true,"sort":false,"rate":6,"key":"key_address"},)"
        R"({"id":4,"title":"户型","choose":true,"sort":false,"rate":4,"key":"key_hutype"},)"
        R"({"id":5,"title":"楼层","choose":true,"sort":false,"rate":4,"key":"key_floor"},)"
        R"({"id":6,"title":"面积","choose":true,"sort":false,"rate":3,"key":"key_size"},)"
        R"({"id":7,"title":"价格","choose":true,"sort":false,"rate":3,"key":"key_price"},)"
        R"({"id":8,"title":"房屋类型","choose":true,"sort":false,"rate":4,"key":"key_housetype"},)"
        R"({"id":9,"title":"发布时间","choose":true,"sort":false,"rate":6,"key":"key_publishtime"}])");
}

QString MicroWebsiteSaleOrRentWidget::columnConfig(int type) const
{
    Q_UNUSED(type)
    return columnsJson();
}

QVariantMap MicroWebsiteSaleOrRentWidget::displayValuesFor(const ListData& row, int type)
{
    using namespace DisplayText;
    QVariantMap values;
    values.insert(QStringLiteral("key_bianHao"), orDash(count(row.id)));
    values.insert(QStringLiteral("key_quyu"), orDash(row.districtstr + row.areastr));
    values.insert(QStringLiteral("key_address"),
                  orDash(row.housename + positional({row.buildingNo, row.unitNo, row.roomNo}, QStringLiteral("-"))));
    values.insert(QStringLiteral("key_hutype"), orDash(row.hutype));
    values.insert(QStringLiteral("key_floor"),
                  orDash(positional({count(row.floors), count(row.allfloors)}, QStringLiteral("/"))));
    values.insert(QStringLiteral("key_size"), withUnit(amount(row.builtuparea), QStringLiteral("㎡")));
    values.insert(QStringLiteral("key_price"), MicroWebsiteSaleOrRentDetailWidget::priceText(row.price, type != 0));
    values.insert(QStringLiteral("key_housetype"), orDash(row.housetype));
    values.insert(QStringLiteral("key_publishtime"), orDash(row.time));
    return values;
}

void MicroWebsiteSaleOrRentWidget::downloadData()
{
    requestPage(Api::mtoreMzposts(), typePageBody());
}

void MicroWebsiteSaleOrRentWidget::dealHouseData(const QJsonValue& value)
{
    const MicroWebSiteSaleOrRentList_Model model(value, pager()->pageSize());
    if (!acceptPage(model.total, model.list.size()))
        return;
    m_rows = model.list;
    showRows(m_rows, &displayValuesFor);
}

void MicroWebsiteSaleOrRentWidget::openRow(int row)
{
    auto* detail = new MicroWebsiteSaleOrRentDetailWidget(this);
    openDetail(QSize(862, 592), detail);
    detail->setData(m_rows.at(row), type() != 0);
}
