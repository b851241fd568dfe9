// The customer book's entry point. The caller passes its widget as parent, the kind (1 wants to
// buy, 2 wants to rent), the customer as a map of texts and two zeros; it relies on nothing
// returned.
#include "BookDialog.h"
#include "kq_customerbook_export.h"

#include <QVariantMap>
#include <QWidget>

namespace {

QString text(const QVariantMap& customer, const char* key)
{
    return BookField::textOf(customer.value(QString::fromLatin1(key)));
}

} // namespace

extern "C" KQ_CUSTOMERBOOK_EXPORT void addCustomer(QWidget* parent, int kind, QVariantMap customer, int, int)
{
    const bool rent = kind == 2;
    const QString priceUnit = rent ? QStringLiteral("(元/月)") : QStringLiteral("(万)");
    const QList<BookField> fields = {
        {QStringLiteral("name"), QStringLiteral("姓名"), text(customer, "name")},
        {QStringLiteral("phone"), QStringLiteral("电话"), text(customer, "phone")},
        {QStringLiteral("sex"), QStringLiteral("性别"), text(customer, "sex")},
        {QStringLiteral("needarea"), QStringLiteral("需求区域"), text(customer, "needarea")},
        {QStringLiteral("mianji"), QStringLiteral("最小面积(㎡)"), text(customer, "mianji")},
        {QStringLiteral("tmianji"), QStringLiteral("最大面积(㎡)"), text(customer, "tmianji")},
        {QStringLiteral("price"), QStringLiteral("最低价格") + priceUnit, text(customer, "price")},
        {QStringLiteral("tprice"), QStringLiteral("最高价格") + priceUnit, text(customer, "tprice")},
        {QStringLiteral("floor"), QStringLiteral("最低楼层"), text(customer, "floor")},
        {QStringLiteral("tfloor"), QStringLiteral("最高楼层"), text(customer, "tfloor")},
        {QStringLiteral("remark"), QStringLiteral("备注"), text(customer, "remark")},
    };
    const FormPieces fixed = {{QStringLiteral("kind"), QString::number(kind)}};
    const QString title = rent ? QStringLiteral("保存到客户本（求租）") : QStringLiteral("保存到客户本（求购）");
    auto* dialog = new BookDialog(title, QStringLiteral("客户本"), fields, fixed, QStringLiteral("cbook/add"), parent);
    dialog->show();
    dialog->raise();
}
