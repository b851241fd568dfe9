#include "listings/financial/FinancialProductListItemView.h"

#include "listings/common/DisplayText.h"

FinancialProductListItemView::FinancialProductListItemView(QWidget* parent)
    : ListCardView(parent)
{
    connect(this, &ListCardView::clicked, this, [this] { emit clickItem(m_data); });
}

FinancialProductListItemView::FinancialProductListItemView(const FinancialProductList_Model::ListData& data,
                                                           const Rights& rights, QWidget* parent)
    : FinancialProductListItemView(parent)
{
    setData(data, rights);
}

void FinancialProductListItemView::setData(const FinancialProductList_Model::ListData& data, const Rights& rights)
{
    m_data = data;
    m_rights = rights;
    setFinancialData(data.photo, data.title, data.dyleixing, data.maxedu, data.daikuandate, data.des, data.monthLixi,
                     data.yongjin);
    setwStoreStatus(data.wstore);
}

ListCardView::Rights FinancialProductListItemView::readRights(QObject* parent)
{
    return Rights::read({PinRight, PutUpRight, SortRight}, parent);
}

QList<ListCardView::Operation> FinancialProductListItemView::operationsFor(bool wstore)
{
    return {
        {wstore ? QStringLiteral("已上架") : QStringLiteral("已下架"), {PutUpRight}},
        {QStringLiteral("置顶"), {PinRight, SortRight}},
        {QStringLiteral("上移"), {SortRight}},
        {QStringLiteral("下移"), {SortRight}},
    };
}

QString FinancialProductListItemView::middleText(const QString& maxedu, const QString& loanTime)
{
    return QStringLiteral("放款额度%1 贷款时间%2")
        .arg(DisplayText::withUnit(maxedu, QStringLiteral("万")), DisplayText::withUnit(loanTime, QStringLiteral("月")));
}

void FinancialProductListItemView::setFinancialData(const QString& photo, const QString& name, const QString& type,
                                                    const QString& maxedu, const QString& loanTime, const QString& des,
                                                    const QString& rate, const QString& yongjin)
{
    setPhoto(photo);
    setNameTxt(name);
    setTypeTxt(type);
    setMiddleTxt(middleText(maxedu, loanTime));
    setBottomTxt(des);
    setMonthRate(rate);
    setYongJinRate(yongjin);
}

void FinancialProductListItemView::setwStoreStatus(bool w)
{
    m_data.wstore = w;
    setLine(2, w ? QStringLiteral("状态：已上架") : QStringLiteral("状态：已下架"));
    setOperations(permitted(operationsFor(w), m_rights));
}

void FinancialProductListItemView::setPhoto(const QString& photo)
{
    setPicture(photo);
}

void FinancialProductListItemView::setNameTxt(const QString& name)
{
    setName(name);
}

void FinancialProductListItemView::setTypeTxt(const QString& type)
{
    setTypeText(type);
}

void FinancialProductListItemView::setMiddleTxt(const QString& middle)
{
    setLine(0, middle);
}

void FinancialProductListItemView::setBottomTxt(const QString& bottom)
{
    setLine(1, DisplayText::orDash(bottom));
}

void FinancialProductListItemView::setMonthRate(const QString& rate)
{
    setValue(rate, QStringLiteral("%"));
}

void FinancialProductListItemView::setYongJinRate(const QString& yongjin)
{
    setCommission(yongjin);
}

void FinancialProductListItemView::operateActiveIndex(const QString& txt)
{
    if (txt == QStringLiteral("已上架") || txt == QStringLiteral("已下架"))
        emit statusChange(m_data);
    else if (txt == QStringLiteral("置顶"))
        emit moveTop(m_data);
    else if (txt == QStringLiteral("上移"))
        emit moveUp(m_data);
    else if (txt == QStringLiteral("下移"))
        emit moveDown(m_data);
}
