#include "listings/housemanager/HouseManagerOperation.h"

#include "net/http/Endpoints.h"

namespace {

const QString kDelete = QStringLiteral("删除");
const QString kPutUp = QStringLiteral("已上架");
const QString kTakenDown = QStringLiteral("已下架");
const QString kRecommended = QStringLiteral("已推荐");
const QString kNotRecommended = QStringLiteral("待推荐");
const QString kWaiting = QStringLiteral("等待审核");

const QString kGrey = QStringLiteral("color: rgb(121,121,121);border:1px solid rgb(121,121,121);");

} // namespace

HouseManagerOperation HouseManagerOperation::forButton(const QString& text, const ListData& house)
{
    const QString id = QString::number(house.id);
    FormBody idBody;
    idBody.add(QStringLiteral("id"), house.id);
    const auto make = [](Kind kind, int functionId, const QString& refusal, const QString& url,
                         const FormBody& body) {
        HouseManagerOperation op;
        op.kind = kind;
        op.functionId = functionId;
        op.refusal = refusal;
        op.url = url;
        op.body = body;
        return op;
    };
    HouseManagerOperation op;
    if (text == kDelete) {
        op = make(Delete, 66, QStringLiteral("您没有对该房源删除的权限,如需操作请联系管理员！"),
                  Api::mtoreDeletemshouse(), idBody);
        op.confirmation = QStringLiteral("您确定要删除编号为<%1>的房源吗？").arg(id);
        op.sureText = kDelete;
    } else if (text == kPutUp || text == kTakenDown) {
        const QString word = house.putup ? QStringLiteral("下架") : QStringLiteral("上架");
        op = make(PutUpOrDown, 65, QStringLiteral("您没有对该房源进行上下架的权限,如需操作请联系管理员！"),
                  Api::mtoreMshouseclickstore(), idBody);
        op.confirmation = QStringLiteral("您确定要%1编号为<%2>的房源吗？").arg(word, id);
        op.sureText = word;
    } else if (text == kWaiting) {
        op = make(Review, 93, QStringLiteral("您没有审核的权限，请联系管理员！"), Api::mtoreMshouseshenhe(), idBody);
    } else if (text == kRecommended || text == kNotRecommended) {
        const QString word = house.tuijian ? QStringLiteral("取消推荐") : QStringLiteral("推荐");
        FormBody body;
        body.add(QStringLiteral("type"), 0)
            .add(QStringLiteral("id"), house.id)
            .add(QStringLiteral("state"), house.tuijian ? 0 : 1);
        op = make(Recommend, 98, QStringLiteral("您没有对该房源进行推荐到官网的权限,如需操作请联系管理员！"),
                  Api::mtoreSettuijian(), body);
        op.confirmation = QStringLiteral("您确定要%1编号为<%2>的房源到您的官网吗？").arg(word, id);
    }
    return op;
}

QStringList HouseManagerOperation::buttonTitles(const ListData& house)
{
    if (!house.sh)
        return {kWaiting};
    return {kDelete, house.putup ? kPutUp : kTakenDown, house.tuijian ? kRecommended : kNotRecommended};
}

QString HouseManagerOperation::extraStyle(const QString& text, bool canReview)
{
    if (text == kDelete)
        return QStringLiteral("color: rgb(255,0,0);border:1px solid rgb(255,0,0);");
    if (text == kTakenDown || text == kNotRecommended)
        return kGrey;
    if (text == kWaiting && !canReview)
        return kGrey;
    return QString();
}
