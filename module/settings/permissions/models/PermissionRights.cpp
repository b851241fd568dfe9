#include "settings/permissions/models/PermissionRights.h"

const QList<PermissionRights::Right>& PermissionRights::all()
{
    static const QList<Right> rights{
        {65, QStringLiteral("二手房/租房-上下架"), 197, Ranges::Full},
        {66, QStringLiteral("二手房/租房-删除"), 200, Ranges::Full},
        {67, QStringLiteral("加入我们管理"), 203, Ranges::None},
        {68, QStringLiteral("公司介绍管理"), 204, Ranges::None},
        {69, QStringLiteral("轮播广告管理"), 205, Ranges::None},
        {70, QStringLiteral("新房管理-上下架"), 194, Ranges::None},
        {73, QStringLiteral("新房管理排序"), 196, Ranges::None},
        {82, QStringLiteral("金融管理-上下架"), 201, Ranges::None},
        {83, QStringLiteral("金融管理排序"), 202, Ranges::None},
        {93, QStringLiteral("二手房/租房-推送审核"), 199, Ranges::Short},
        {97, QStringLiteral("新房管理-推荐至官网"), 195, Ranges::None},
        {98, QStringLiteral("二手房/租房-推荐至官网"), 198, Ranges::Full},
        {148, QStringLiteral("资讯管理"), 242, Ranges::None},
        {156, QStringLiteral("微官网新增信息管理（求租、求购、我的出售、我的出售）"), 0, Ranges::None},
    };
    return rights;
}

const QList<int>& PermissionRights::screenOrder()
{
    static const QList<int> order{70, 97, 73, 65, 98, 93, 66, 82, 83, 156, 67, 68, 69, 148};
    return order;
}

int PermissionRights::indexOf(int id)
{
    const QList<Right>& rights = all();
    for (int i = 0; i < rights.size(); ++i) {
        if (rights.at(i).id == id)
            return i;
    }
    return -1;
}
