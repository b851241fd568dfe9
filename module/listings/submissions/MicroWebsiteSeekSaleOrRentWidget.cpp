#include "listings/submissions/MicroWebsiteSeekSaleOrRentWidget.h"

#include "listings/common/DisplayText.h"
#include "listings/submissions/MicroWebsiteSeekSaleOrRentDetailWidget.h"
#include "net/http/Endpoints.h"
#include "net/http/FormBody.h"
#include "net/http/NetRequestObjecet.h"
#include "net/paging/ListPager.h"

MicroWebsiteSeekSaleOrRentWidget::MicroWebsiteSeekSaleOrRentWidget(QWidget* parent)
    : ListingTablePage(parent)
{
    setObjectName(QStringLiteral("MicroWebsiteSeekSaleOrRentWidget"));
    connect(pager(), &ListPager::pageReceived, this, &MicroWebsiteSeekSaleOrRentWidget::dealHouseData);
}

QString MicroWebsiteSeekSaleOrRentWidget::columnsJson()
{
    return QStringLiteral(
        R"([{"id":1,"title":"编号","choose":true,"sort":false,"rate":2,"key":"key_bianHao"},)"
        R"({"id":2,"title":"需求区域","choose":true,"sort":false,"rate":6,"key":"key_quyu"},)"
        R"({"id":3,"title":"需求面积","choose":true,"sort":false,"rate":4,"key":"key_size"},)"
        R"({"id":4,"title":"需求楼层","choose":true,"sort":false,"rate":4,"key":"key_floor"},)"
        R"({"id":5,"title":"需求价格","choose":true,"sort":false,"rate":4,"key":"key_price"},)"
        R"({"id":6,"title":"联系方式","choose":true,"sort":false,"rate":6,"key":"key_link"},)"
        R"({"id":7,"title":"发布时间","choose":true,"sort":false,"rate":6,"key":"key_publishtime"}])");
}

QString MicroWebsiteSeekSaleOrRentWidget::columnConfig(int type) const
{
    Q_UNUSED(type)
    return columnsJson();
}

QVariantMap MicroWebsiteSeekSaleOrRentWidget::displayValuesFor(const ListData& row, int type)
{
    using namespace DisplayText;
    const QString unit = type == 0 ? QStringLiteral("万") : QStringLiteral("元/月");
    const QString to = QStringLiteral("-");
    QVariantMap values;
    values.insert(QStringLiteral("key_bianHao"), orDash(count(row.id)));
    values.insert(QStringLiteral("key_quyu"), orDash(row.needarea));
    values.insert(QStringLiteral("key_size"), withUnit(positional({row.mianji, row.tmianji}, to), QStringLiteral("㎡")));
    values.insert(QStringLiteral("key_floor"), withUnit(positional({row.floors, row.tfloors}, to), QStringLiteral("层")));
    values.insert(QStringLiteral("key_price"), withUnit(positional({row.price, row.tprice}, to), unit));
    values.insert(QStringLiteral("key_link"), orDash(positional({row.name, row.phone}, to)));
    values.insert(QStringLiteral("key_publishtime"), orDash(row.time));
    return values;
}

void MicroWebsiteSeekSaleOrRentWidget::downloadData()
{
    requestPage(Api::mtoreGzposts(), typePageBody());
}

void MicroWebsiteSeekSaleOrRentWidget::dealHouseData(const QJsonValue& value)
{
    const MicroWebSiteSeekSaleOrRentList_Model model(value, pager()->pageSize());
    if (!acceptPage(model.total, model.list.size()))
        return;
    m_rows = model.list;
    showRows(m_rows, &displayValuesFor);
}

void MicroWebsiteSeekSaleOrRentWidget::openRow(int row)
{
    auto* detail = new MicroWebsiteSeekSaleOrRentDetailWidget(this);
    openDetail(QSize(612, 412), detail);
    detail->setData(type() != 0 ? 1 : 0, m_rows.at(row));
}
