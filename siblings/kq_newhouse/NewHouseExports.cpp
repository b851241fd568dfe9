// The new-house component's entry point. Two callers, one shape: a list whose first element is the
// project (a map holding its "id", or the id itself) and whose second is the list of ids to step
// through (the page's projects, in their order), or 0 when there is none.
#include "DetailDialog.h"
#include "kq_newhouse_export.h"

#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

namespace {

DetailDialog::Spec projectSpec()
{
    return {QStringLiteral("NewHouseDetailDialog"),
            QStringLiteral("新房详情"),
            QStringLiteral("nhouse/detail"),
            QStringLiteral("name"),
            QStringLiteral("thumbnail"),
            {
                {QStringLiteral("zhuangtai"), QStringLiteral("销售状态"), QString()},
                {QStringLiteral("leixing"), QStringLiteral("物业类型"), QString()},
                {QStringLiteral("junjia"), QStringLiteral("均价"), QStringLiteral("%1 元/m²")},
                {QStringLiteral("address"), QStringLiteral("地址"), QString()},
                {QStringLiteral("huxing"), QStringLiteral("户型"), QString()},
                {QStringLiteral("mianji"), QStringLiteral("面积"), QString()},
                {QStringLiteral("kaipan"), QStringLiteral("开盘时间"), QString()},
                {QStringLiteral("kaifashang"), QStringLiteral("开发商"), QString()},
                {QStringLiteral("dongtai"), QStringLiteral("最新动态"), QString()},
                {QStringLiteral("yongjin"), QStringLiteral("佣金政策"), QString()},
                {QStringLiteral("telbefore"), QStringLiteral("售楼电话"), QString()},
                {QStringLiteral("telafter"), QStringLiteral("分机号"), QString()},
            }};
}

} // namespace

extern "C" KQ_NEWHOUSE_EXPORT void loadNewHouseProductDetail(const QVariantList& arguments)
{
    const qint64 id = DetailDialog::idOf(arguments.value(0));
    if (id <= 0)
        return;
    DetailDialog::open(projectSpec(), DetailDialog::idsOf(arguments.value(1)), id);
}
