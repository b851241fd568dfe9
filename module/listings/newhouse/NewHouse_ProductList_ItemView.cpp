#include "listings/newhouse/NewHouse_ProductList_ItemView.h"

#include "listings/common/DisplayText.h"

NewHouse_ProductList_ItemView::NewHouse_ProductList_ItemView(QWidget* parent)
    : ListCardView(parent)
{
    connect(this, &ListCardView::clicked, this, [this] { emit clickItem(m_data); });
}

NewHouse_ProductList_ItemView::NewHouse_ProductList_ItemView(const NewHouseList_Model::ListData& data,
                                                           const Rights& rights, QWidget* parent)
    : NewHouse_ProductList_ItemView(parent)
{
    setData(data, rights);
}

void NewHouse_ProductList_ItemView::setData(const NewHouseList_Model::ListData& data, const Rights& rights)
{
    m_data = data;
    setPicture(data.thumbnail);
    setName(data.name);
    setTypeText(data.leixing);
    setBadgeVisible(data.istop);
    setLine(0, DisplayText::joinPresent({data.zhuangtai, data.dongtai}, QStringLiteral("  |  ")));
    setLine(1, DisplayText::joinPresent({data.province, data.cityname, data.address}, QStringLiteral("-")));
    QString phone;
    if (!data.telbefore.isEmpty()) {
        phone = data.telafter.isEmpty() ? QStringLiteral("电话：%1").arg(data.telbefore)
                                        : QStringLiteral("电话：%1 转 %2").arg(data.telbefore, data.telafter);
    }
    setLine(2, phone);
    setValue(data.junjia, QStringLiteral("元/m²"));
    setCommission(data.yongjin);
    setOperations(permitted(operationsFor(data), rights));
}

ListCardView::Rights NewHouse_ProductList_ItemView::readRights(QObject* parent)
{
    return Rights::read({PutUpRight, PinRight, SortRight, RecommendRight}, parent);
}

QList<ListCardView::Operation> NewHouse_ProductList_ItemView::operationsFor(const NewHouseList_Model::ListData& data)
{
    return {
        {data.wstore ? QStringLiteral("已上架") : QStringLiteral("已下架"), {PutUpRight}},
        {data.istop ? QStringLiteral("取消置顶") : QStringLiteral("置顶"), {PinRight, SortRight}},
        {QStringLiteral("上移"), {SortRight}},
        {QStringLiteral("下移"), {SortRight}},
        {data.tuijian ? QStringLiteral("已推荐") : QStringLiteral("待推荐"), {RecommendRight}},
    };
}

void NewHouse_ProductList_ItemView::operateActiveIndex(const QString& txt)
{
    if (txt == QStringLiteral("已上架") || txt == QStringLiteral("已下架"))
        emit statusChange(m_data);
    else if (txt == QStringLiteral("置顶"))
        emit moveTop(m_data);
    else if (txt == QStringLiteral("取消置顶"))
        emit cancleTop(m_data);
    else if (txt == QStringLiteral("上移"))
        emit moveUp(m_data);
    else if (txt == QStringLiteral("下移"))
        emit moveDown(m_data);
    else if (txt == QStringLiteral("已推荐") || txt == QStringLiteral("待推荐"))
        emit tuiJianStatuChange(m_data);
}
