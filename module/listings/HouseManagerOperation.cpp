#include "HouseManagerOperation.h"

#include "Endpoints.h"

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
    HouseManagerOperation op;
    const QString id = QString::number(house.id);
    if (text == kDelete) {
        op.kind = Delete;
        op.functionId = 66;
        op.refusal = QStringLiteral("您没有对该房源删除的权限,如需操作请联系管理员！");
        op.confirmation = QStringLiteral("您确定要删除编号为<%1>的房源吗？").arg(id);
        op.sureText = kDelete;
        op.url = Api::mtoreDeletemshouse();
        op.body.add(QStringLiteral("id"), house.id);
    } else if (text == kPutUp || text == kTakenDown) {
        const QString word = house.putup ? QStringLiteral("下架") : QStringLiteral("上架");
        op.kind = PutUpOrDown;
        op.functionId = 65;
        op.refusal = QStringLiteral("您没有对该房源进行上下架的权限,如需操作请联系管理员！");
        op.confirmation = QStringLiteral("您确定要%1编号为<%2>的房源吗？").arg(word, id);
        op.sureText = word;
        op.url = Api::mtoreMshouseclickstore();
        op.body.add(QStringLiteral("id"), house.id);
    } else if (text == kWaiting) {
        op.kind = Review;
        op.functionId = 93;
        op.refusal = QStringLiteral("您没有审核的权限，请联系管理员！");
        op.url = Api::mtoreMshouseshenhe();
        op.body.add(QStringLiteral("id"), house.id);
    } else if (text == kRecommended || text == kNotRecommended) {
        const QString word = house.tuijian ? QStringLiteral("取消推荐") : QStringLiteral("推荐");
        op.kind = Recommend;
        op.functionId = 98;
        op.refusal = QStringLiteral("您没有对该房源进行推荐到官网的权限,如需操作请联系管理员！");
        op.confirmation = QStringLiteral("您确定要%1编号为<%2>的房源到您的官网吗？").arg(word, id);
        op.url = Api::mtoreSettuijian();
        op.body.add(QStringLiteral("type"), 0)
            .add(QStringLiteral("id"), house.id)
            .add(QStringLiteral("state"), house.tuijian ? 0 : 1);
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
