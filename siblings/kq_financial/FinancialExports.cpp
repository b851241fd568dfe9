// The financial component's entry point. Two callers, one list of arguments:
//   the product list page: the page's product ids, the clicked product (a map holding its "id"),
//                          the window title;
//   a web page's message:  the product id, 0, the window title.
#include "DetailDialog.h"
#include "kq_financial_export.h"

#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

namespace {

DetailDialog::Spec productSpec(const QString& title)
{
    return {QStringLiteral("FinancialDetailDialog"),
            title.isEmpty() ? QStringLiteral("金融详情") : title,
            QStringLiteral("apptwo/fidetail"),
            QStringLiteral("title"),
            QStringLiteral("photo"),
            {
                {QStringLiteral("dyleixing"), QStringLiteral("贷款类型"), QString()},
                {QStringLiteral("changhuanway"), QStringLiteral("还款方式"), QString()},
                {QStringLiteral("monthLixi"), QStringLiteral("月利率"), QStringLiteral("%1%")},
                {QStringLiteral("maxedu"), QStringLiteral("最高额度"), QStringLiteral("%1万")},
                {QStringLiteral("daikuandate"), QStringLiteral("贷款期限"), QStringLiteral("%1个月")},
                {QStringLiteral("des"), QStringLiteral("产品介绍"), QString()},
                {QStringLiteral("tiaojian"), QStringLiteral("申请条件"), QString()},
                {QStringLiteral("cailiao"), QStringLiteral("所需材料"), QString()},
                {QStringLiteral("yongjin"), QStringLiteral("佣金"), QString()},
            }};
}

} // namespace

extern "C" KQ_FINANCIAL_EXPORT void showDetail(const QVariantList& arguments)
{
    const QVariant first = arguments.value(0);
    const bool fromPage = first.type() == QVariant::List;
    const QList<qint64> ids = DetailDialog::idsOf(first);
    const qint64 id = DetailDialog::idOf(fromPage ? arguments.value(1) : first);
    if (id <= 0)
        return;
    DetailDialog::open(productSpec(arguments.value(2).toString()), ids, id);
}
