#ifndef NEWHOUSE_PRODUCTLIST_ITEMVIEW_H
#define NEWHOUSE_PRODUCTLIST_ITEMVIEW_H

#include "listings/common/ListCardView.h"
#include "listings/newhouse/NewHouseList_Model.h"

// The card of one new-house project. Its operation box offers what the user's rights allow (a
// manager gets every entry):
//   70  "已上架" / "已下架"    put up or take down
//   72  "置顶" / "取消置顶"    pin (73, the ordering right, allows it too)
//   73  "上移", "下移"         ordering
//   97  "已推荐" / "待推荐"    recommend to the site's front page
// There is no "删除": the page has nothing that deletes a project, and an entry that does nothing
// would only mislead.
class NewHouse_ProductList_ItemView : public ListCardView
{
    Q_OBJECT
public:
    enum Right { PutUpRight = 70, PinRight = 72, SortRight = 73, RecommendRight = 97 };

    // An empty card, to be filled with setData().
    explicit NewHouse_ProductList_ItemView(QWidget* parent = nullptr);
    // rights: the user's, read once for all the cards of a page with readRights().
    NewHouse_ProductList_ItemView(const NewHouseList_Model::ListData& data, const Rights& rights,
                                  QWidget* parent = nullptr);
    static Rights readRights(QObject* parent);

    // Shows the project; a card is refilled this way on every page turn.
    void setData(const NewHouseList_Model::ListData& data, const Rights& rights);

    const NewHouseList_Model::ListData& data() const { return m_data; }
    // Every entry of a project's box with the rights that allow it, in the box's order.
    static QList<Operation> operationsFor(const NewHouseList_Model::ListData& data);

signals:
    void clickItem(const NewHouseList_Model::ListData& data);
    void moveTop(const NewHouseList_Model::ListData& data);
    void cancleTop(const NewHouseList_Model::ListData& data);
    void moveUp(const NewHouseList_Model::ListData& data);
    void moveDown(const NewHouseList_Model::ListData& data);
    void statusChange(const NewHouseList_Model::ListData& data);
    void tuiJianStatuChange(const NewHouseList_Model::ListData& data);

public slots:
    void operateActiveIndex(const QString& txt) override;

private:
    NewHouseList_Model::ListData m_data;
};

#endif // NEWHOUSE_PRODUCTLIST_ITEMVIEW_H
