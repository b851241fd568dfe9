#ifndef FINANCIALPRODUCTLISTITEMVIEW_H
#define FINANCIALPRODUCTLISTITEMVIEW_H

#include "listings/common/ListCardView.h"
#include "listings/financial/FinancialProductList_Model.h"

// The card of one loan product. Its operation box offers what the user's rights allow (a manager
// gets every entry):
//   82  "已上架" / "已下架"   put up or take down
//   80  "置顶"               to the top (83, the ordering right, allows it too)
//   83  "上移", "下移"        ordering
// There is no "删除": the page has nothing that deletes a product, and an entry that does nothing
// would only mislead.
class FinancialProductListItemView : public ListCardView
{
    Q_OBJECT
public:
    enum Right { PinRight = 80, PutUpRight = 82, SortRight = 83 };

    // An empty card, to be filled with setData().
    explicit FinancialProductListItemView(QWidget* parent = nullptr);
    // rights: the user's, read once for all the cards of a page with readRights().
    FinancialProductListItemView(const FinancialProductList_Model::ListData& data, const Rights& rights,
                                 QWidget* parent = nullptr);
    static Rights readRights(QObject* parent);

    // Shows the product; a card is refilled this way on every page turn.
    void setData(const FinancialProductList_Model::ListData& data, const Rights& rights);

    const FinancialProductList_Model::ListData& data() const { return m_data; }
    static QList<Operation> operationsFor(bool wstore);
    static QString middleText(const QString& maxedu, const QString& loanTime);

signals:
    void clickItem(const FinancialProductList_Model::ListData& data);
    void moveTop(const FinancialProductList_Model::ListData& data);
    void moveUp(const FinancialProductList_Model::ListData& data);
    void moveDown(const FinancialProductList_Model::ListData& data);
    void statusChange(const FinancialProductList_Model::ListData& data);

public slots:
    void setFinancialData(const QString& photo, const QString& name, const QString& type, const QString& maxedu,
                          const QString& loanTime, const QString& des, const QString& rate, const QString& yongjin);
    void setwStoreStatus(bool w);
    void setPhoto(const QString& photo);
    void setNameTxt(const QString& name);
    void setTypeTxt(const QString& type);
    void setMiddleTxt(const QString& middle);
    void setBottomTxt(const QString& bottom);
    void setMonthRate(const QString& rate);
    void setYongJinRate(const QString& yongjin);
    void operateActiveIndex(const QString& txt) override;

private:
    FinancialProductList_Model::ListData m_data;
    Rights m_rights;
};

#endif // FINANCIALPRODUCTLISTITEMVIEW_H
