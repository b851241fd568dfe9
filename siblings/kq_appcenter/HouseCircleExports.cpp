// The app centre's entry point for the house circle. The browsing track passes a list of the
// house's id (a number, or a map holding its "id"), its kind (0 for sale, 1 for rent) and 0.
// A house for sale and one for rent each have a window of their own, titled by the kind.
#include "DetailDialog.h"
#include "kq_appcenter_export.h"

#include <QVariant>
#include <QVariantList>

namespace {

const int kSale = 0;
const int kRent = 1;

DetailDialog::Spec circleSpec(int kind)
{
    const bool rent = kind == kRent;
    return {rent ? QStringLiteral("HouseCircleRentDialog") : QStringLiteral("HouseCircleSaleDialog"),
            rent ? QStringLiteral("房圈出租房源") : QStringLiteral("房圈出售房源"),
            QStringLiteral("app/housegroupdetail?type=%1").arg(kind),
            QStringLiteral("title"),
            QString(),
            {
                {QStringLiteral("housename"), QStringLiteral("小区"), QString()},
                {QStringLiteral("dongno"), QStringLiteral("楼栋"), QStringLiteral("%1 栋")},
                {QStringLiteral("danyuan"), QStringLiteral("单元"), QStringLiteral("%1 单元")},
                {QStringLiteral("fangno"), QStringLiteral("房号"), QString()},
                {QStringLiteral("hutype"), QStringLiteral("户型"), QString()},
                {QStringLiteral("mianji"), QStringLiteral("面积"), QStringLiteral("%1 m²")},
                {QStringLiteral("price"), rent ? QStringLiteral("租金") : QStringLiteral("售价"),
                 rent ? QStringLiteral("%1 元/月") : QStringLiteral("%1 万元")},
                {QStringLiteral("company"), QStringLiteral("共享公司"), QString()},
                {QStringLiteral("time"), QStringLiteral("共享时间"), QString()},
            }};
}

} // namespace

extern "C" KQ_APPCENTER_EXPORT void houseCircleDetail(const QVariantList& arguments)
{
    const qint64 id = DetailDialog::idOf(arguments.value(0));
    bool isNumber = false;
    const int kind = arguments.value(1).toInt(&isNumber);
    if (id <= 0 || !isNumber || (kind != kSale && kind != kRent))
        return;
    DetailDialog::open(circleSpec(kind), {}, id);
}
