#include "listings/financial/MircroWebSiteFinancialListWidget.h"

#include "listings/common/CardFilterBar.h"
#include "listings/financial/FinancialProductListItemView.h"
#include "net/http/Endpoints.h"
#include "net/http/FormBody.h"
#include "net/http/JsonRows.h"
#include "net/http/NetRequestObjecet.h"
#include "net/paging/ListPager.h"
#include "widgets/bars/MicroWebsiteTopOperateView.h"
#include "widgets/inputs/CustomComboBox.h"

#include "CommonSignalTool.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kAnyLoanType = QStringLiteral("贷款类型");
const QString kAnyRepayment = QStringLiteral("偿还方式");

QStringList textsOf(const QString& first, const QJsonArray& array)
{
    QStringList texts{first};
    for (auto it = array.begin(); it != array.end() && texts.size() <= JsonRows::PerRecord; ++it) {
        if ((*it).isString() && !(*it).toString().isEmpty())
            texts.append((*it).toString());
    }
    return texts;
}

} // namespace

FormBody MircroWebSiteFinancialListWidget::Filter::body(int pageIndex, int pageSize) const
{
    FormBody form;
    form.add(QStringLiteral("pageindex"), pageIndex).add(QStringLiteral("pagesize"), pageSize);
    const auto addText = [&form](const QString& name, const QString& value) {
        if (!value.isEmpty())
            form.add(name, value);
    };
    addText(QStringLiteral("dyleixing"), loanType);
    addText(QStringLiteral("changhuanway"), repayment);
    addText(QStringLiteral("key"), key);
    addText(QStringLiteral("priceone"), amountLow);
    addText(QStringLiteral("pricetwo"), amountHigh);
    if (status >= 0)
        form.add(QStringLiteral("wstore"), status);
    return form;
}

MircroWebSiteFinancialListWidget::MircroWebSiteFinancialListWidget(QWidget* parent)
    : CardListPage(parent)
{
    setObjectName(QStringLiteral("MircroWebSiteFinancialListWidget"));
    connect(pager(), &ListPager::pageReceived, this, &MircroWebSiteFinancialListWidget::deal_ListData);
    setDetailLibrary(QStringLiteral("kq_financial"));
    operateView()->showFinancilCustomerButton();

    CardFilterBar* bar = filterBar();
    m_loanType = bar->addComboBox(QStringLiteral("comboBox_daiKuanLeiXing"), {kAnyLoanType});
    m_repayment = bar->addComboBox(QStringLiteral("comboBox_changHuanFangShi"), {kAnyRepayment});
    m_status = bar->addStatusBox();
    m_key = bar->addLineEdit(QStringLiteral("lineEdit_name"), QStringLiteral("产品名称"));
    bar->addRange(QStringLiteral("lineEdit_priceDown"), QStringLiteral("lineEdit_priceUp"), QStringLiteral("万"),
                  &m_amountLow, &m_amountHigh);
    QPushButton* search = bar->addSearchButton();

    // A search keeps the page on screen; a result too short for it brings its last page.
    connect(search, &QPushButton::clicked, this, &MircroWebSiteFinancialListWidget::downloadData);
    connect(CommonSignalTool::Instance(), &CommonSignalTool::refreshFinancialList, this,
            &MircroWebSiteFinancialListWidget::downloadData);

    downloadComboxList();
    downloadData();
}

MircroWebSiteFinancialListWidget::Filter MircroWebSiteFinancialListWidget::currentFilter() const
{
    Filter filter;
    filter.loanType = CardFilterBar::chosenText(m_loanType);
    filter.repayment = CardFilterBar::chosenText(m_repayment);
    filter.key = CardFilterBar::trimmedText(m_key);
    filter.amountLow = CardFilterBar::trimmedText(m_amountLow);
    filter.amountHigh = CardFilterBar::trimmedText(m_amountHigh);
    filter.status = CardFilterBar::statusValue(m_status);
    return filter;
}

void MircroWebSiteFinancialListWidget::downloadComboxList()
{
    auto* request = new NetRequestObjecet(this);
    connect(request, &NetRequestObjecet::loadSuccess, this, &MircroWebSiteFinancialListWidget::deal_comboboxData);
    connect(request, &NetRequestObjecet::loadFinish, request, &QObject::deleteLater);
    request->sendRequest(Api::apptwoFigetconfig(), QByteArray(), NetRequestObjecet::Post);
}

void MircroWebSiteFinancialListWidget::deal_comboboxData(const QJsonValue& value)
{
    const QJsonObject config = value.toObject();
    m_loanType->setTextList(textsOf(kAnyLoanType, config.value(QStringLiteral("dyleixing")).toArray()));
    m_repayment->setTextList(textsOf(kAnyRepayment, config.value(QStringLiteral("changhuanway")).toArray()));
}

void MircroWebSiteFinancialListWidget::reloadList()
{
    downloadData();
}

void MircroWebSiteFinancialListWidget::downloadData()
{
    sendListRequest(Api::apptwoFimsposts(), currentFilter().body(pageIndex(), PageSize));
}

void MircroWebSiteFinancialListWidget::deal_ListData(const QJsonValue& value)
{
    if (!acceptReply<FinancialProductList_Model>(value, m_products))
        return;
    showListView();
    emit refresh();
}

void MircroWebSiteFinancialListWidget::showListView()
{
    using Card = FinancialProductListItemView;
    using Page = MircroWebSiteFinancialListWidget;
    const ListCardView::Rights rights = Card::readRights(this);
    showRecords<Card>(m_products, rights, [this](QWidget* parent) {
        auto* card = new Card(parent);
        connect(card, &Card::clickItem, this, &Page::clickItem);
        connect(card, &Card::moveTop, this, &Page::moveTopDeal);
        connect(card, &Card::moveUp, this, &Page::moveUpDeal);
        connect(card, &Card::moveDown, this, &Page::moveDownDeal);
        connect(card, &Card::statusChange, this, &Page::putDownOrUpHouse);
        return card;
    });
}

void MircroWebSiteFinancialListWidget::clickItem(const FinancialProductList_Model::ListData& model)
{
    QVariantList ids;
    for (const FinancialProductList_Model::ListData& product : qAsConst(m_products))
        ids.append(product.id);
    openDetail("showDetail", {ids, FinancialProductList_Model::toMap(model), QStringLiteral("金融详情")});
}

void MircroWebSiteFinancialListWidget::moveTopDeal(const FinancialProductList_Model::ListData& model)
{
    listSort(model, model.id, 0);
}

void MircroWebSiteFinancialListWidget::moveUpDeal(const FinancialProductList_Model::ListData& model)
{
    listSort(model, model.id, 1);
}

void MircroWebSiteFinancialListWidget::moveDownDeal(const FinancialProductList_Model::ListData& model)
{
    listSort(model, model.id, 2);
}

void MircroWebSiteFinancialListWidget::putDownOrUpHouse(const FinancialProductList_Model::ListData& model)
{
    const QString action = model.wstore ? QStringLiteral("下架") : QStringLiteral("上架");
    confirmOperation(QStringLiteral("您确定要%1该金融项目吗？").arg(action), Api::apptwoFiclickstore(),
                     FormBody().add(QStringLiteral("id"), model.id));
}

void MircroWebSiteFinancialListWidget::listSort(const FinancialProductList_Model::ListData& model, int id, int type)
{
    Q_UNUSED(model)
    sendOperation(Api::apptwoFipaixu(), FormBody().add(QStringLiteral("id"), id).add(QStringLiteral("type"), type));
}
