#include "listings/newhouse/MicroWebSiteNewHouseListWidget.h"

#include "listings/common/CardFilterBar.h"
#include "listings/newhouse/NewHouse_ProductList_ItemView.h"
#include "net/http/Endpoints.h"
#include "net/http/FormBody.h"
#include "net/http/NetRequestObjecet.h"
#include "net/http/ServiceAddresses.h"
#include "net/paging/ListPager.h"
#include "store/BaseMessage_SqlTable.h"
#include "store/FunctionRights.h"
#include "store/UserMessage_DataSqlTable.h"
#include "widgets/inputs/CustomComboBox.h"
#include "widgets/popups/AlertWidget.h"

#include "CommonSignalTool.h"

#include <QDesktopServices>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kNoDistrict = QStringLiteral("选择区域");
const QString kNoArea = QStringLiteral("选择片区");

} // namespace

FormBody MicroWebSiteNewHouseListWidget::Filter::body(int pageIndex, int pageSize) const
{
    FormBody form;
    form.add(QStringLiteral("pageindex"), pageIndex).add(QStringLiteral("pagesize"), pageSize);
    const auto addText = [&form](const QString& key, const QString& value) {
        if (!value.isEmpty())
            form.add(key, value);
    };
    addText(QStringLiteral("district"), district);
    addText(QStringLiteral("area"), area);
    addText(QStringLiteral("name"), name);
    addText(QStringLiteral("priceone"), priceLow);
    addText(QStringLiteral("pricetwo"), priceHigh);
    if (status >= 0)
        form.add(QStringLiteral("wstore"), status);
    return form;
}

MicroWebSiteNewHouseListWidget::MicroWebSiteNewHouseListWidget(QWidget* parent)
    : CardListPage(parent)
{
    setObjectName(QStringLiteral("MicroWebSiteNewHouseListWidget"));
    connect(pager(), &ListPager::pageReceived, this, &MicroWebSiteNewHouseListWidget::deal_dataList);
    setDetailLibrary(QStringLiteral("kq_newhouse"));

    CardFilterBar* bar = filterBar();
    m_district = bar->addComboBox(QStringLiteral("comboBox_quYu"), {kNoDistrict});
    m_area = bar->addComboBox(QStringLiteral("comboBox_pianQu"), {kNoArea});
    m_status = bar->addStatusBox();
    m_name = bar->addLineEdit(QStringLiteral("lineEdit_name"), QStringLiteral("项目名称"));
    bar->addRange(QStringLiteral("lineEdit_priceDown"), QStringLiteral("lineEdit_priceUp"), QStringLiteral("元/m²"),
                  &m_priceLow, &m_priceHigh);
    QPushButton* search = bar->addSearchButton();

    connect(m_district, QOverload<int>::of(&QComboBox::activated), this,
            &MicroWebSiteNewHouseListWidget::deal_areaChooseDeal);
    // A search keeps the page on screen; a result too short for it brings its last page.
    connect(search, &QPushButton::clicked, this, &MicroWebSiteNewHouseListWidget::download_productList);
    connect(CommonSignalTool::Instance(), &CommonSignalTool::refreshNewHouseList, this,
            &MicroWebSiteNewHouseListWidget::download_productList);

    auto* store = new BaseMessage_SqlTable(this);
    setDistric(store->getAreaList());
    store->deleteLater();
    download_productList();
}

MicroWebSiteNewHouseListWidget::Filter MicroWebSiteNewHouseListWidget::currentFilter() const
{
    Filter filter;
    filter.district = CardFilterBar::chosenText(m_district);
    filter.area = CardFilterBar::chosenText(m_area);
    filter.name = CardFilterBar::trimmedText(m_name);
    filter.priceLow = CardFilterBar::trimmedText(m_priceLow);
    filter.priceHigh = CardFilterBar::trimmedText(m_priceHigh);
    filter.status = CardFilterBar::statusValue(m_status);
    return filter;
}

QUrl MicroWebSiteNewHouseListWidget::exampleSiteUrl()
{
    return QUrl(ServiceAddresses::siteBase());
}

void MicroWebSiteNewHouseListWidget::setDistric(const QList<QVariantMap>& districArray)
{
    m_districts = districArray;
    QStringList names{kNoDistrict};
    for (const QVariantMap& district : districArray)
        names.append(district.value(QStringLiteral("name")).toString());
    m_district->setTextList(names);
    deal_areaChooseDeal(0);
}

void MicroWebSiteNewHouseListWidget::deal_areaChooseDeal(int index)
{
    QStringList names{kNoArea};
    if (index > 0 && index <= m_districts.size()) {
        const QVariantList areas = m_districts.at(index - 1).value(QStringLiteral("area")).toList();
        for (const QVariant& area : areas)
            names.append(area.toMap().value(QStringLiteral("name")).toString());
    }
    m_area->setTextList(names);
}

void MicroWebSiteNewHouseListWidget::reloadList()
{
    download_productList();
}

void MicroWebSiteNewHouseListWidget::download_productList()
{
    sendListRequest(Api::mtoreNewhouseposts(), currentFilter().body(pageIndex(), PageSize));
}

void MicroWebSiteNewHouseListWidget::deal_dataList(const QJsonValue& resultValue)
{
    if (!acceptReply<NewHouseList_Model>(resultValue, m_projects))
        return;
    showListView();
    emit refreshList();
}

void MicroWebSiteNewHouseListWidget::showListView()
{
    using Card = NewHouse_ProductList_ItemView;
    using Page = MicroWebSiteNewHouseListWidget;
    // Once per page: each card reading the local store for itself was a quarter of its cost.
    const ListCardView::Rights rights = Card::readRights(this);
    showRecords<Card>(m_projects, rights, [this](QWidget* parent) {
        auto* card = new Card(parent);
        connect(card, &Card::clickItem, this, &Page::clickItemRow);
        connect(card, &Card::moveTop, this, &Page::moveTopDeal);
        connect(card, &Card::cancleTop, this, &Page::cancleTop);
        connect(card, &Card::moveUp, this, &Page::moveUpDeal);
        connect(card, &Card::moveDown, this, &Page::moveDownDeal);
        connect(card, &Card::statusChange, this, &Page::putDownOrUpHouse);
        connect(card, &Card::tuiJianStatuChange, this, &Page::tuiJianHouse);
        return card;
    });
}

void MicroWebSiteNewHouseListWidget::clickItemRow(const NewHouseList_Model::ListData& model)
{
    QVariantList ids;
    for (const NewHouseList_Model::ListData& project : qAsConst(m_projects))
        ids.append(project.id);
    openDetail("loadNewHouseProductDetail", {NewHouseList_Model::toMap(model), ids});
}

void MicroWebSiteNewHouseListWidget::moveTopDeal(const NewHouseList_Model::ListData& model)
{
    listSort(model, model.id, 0);
}

void MicroWebSiteNewHouseListWidget::cancleTop(const NewHouseList_Model::ListData& model)
{
    sendOperation(Api::nhouseCanceltop(), FormBody().add(QStringLiteral("id"), model.id));
}

void MicroWebSiteNewHouseListWidget::moveUpDeal(const NewHouseList_Model::ListData& model)
{
    listSort(model, model.id, 1);
}

void MicroWebSiteNewHouseListWidget::moveDownDeal(const NewHouseList_Model::ListData& model)
{
    listSort(model, model.id, 2);
}

void MicroWebSiteNewHouseListWidget::putDownOrUpHouse(const NewHouseList_Model::ListData& model)
{
    const QString action = model.wstore ? QStringLiteral("下架") : QStringLiteral("上架");
    confirmOperation(QStringLiteral("您确定要%1该新房项目吗？").arg(action), Api::nhouseClickstore(),
                     FormBody().add(QStringLiteral("id"), model.id));
}

void MicroWebSiteNewHouseListWidget::tuiJianHouse(const NewHouseList_Model::ListData& model)
{
    if (!FunctionRights::siteServiceOpen(this)) {
        AlertWidget* alert = ask(QStringLiteral("您尚未开通官网服务!"), AlertWidget::Tip, QStringLiteral("查看官网示例"));
        connect(alert, &AlertWidget::sureClick, this, [] { QDesktopServices::openUrl(exampleSiteUrl()); });
        return;
    }
    const QString action = model.tuijian ? QStringLiteral("取消推荐") : QStringLiteral("推荐");
    confirmOperation(QStringLiteral("您确定要%1该新房项目到您的官网吗？").arg(action), Api::mtoreSettuijian(),
                     FormBody()
                         .add(QStringLiteral("type"), 1)
                         .add(QStringLiteral("id"), model.id)
                         .add(QStringLiteral("state"), model.tuijian ? 0 : 1));
}

void MicroWebSiteNewHouseListWidget::listSort(const NewHouseList_Model::ListData& model, int id, int type)
{
    Q_UNUSED(model)
    sendOperation(Api::nhousePaixu(), FormBody().add(QStringLiteral("id"), id).add(QStringLiteral("type"), type));
}

