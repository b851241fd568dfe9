#include "listings/housemanager/HouseManagerSaleOrRentListWidget.h"

#include "listings/common/DisplayText.h"
#include "listings/common/HoverTableWidget.h"
#include "listings/common/TableButtonItemView.h"
#include "listings/housemanager/HouseManagerOperation.h"
#include "net/http/Endpoints.h"
#include "net/http/NetRequestObjecet.h"
#include "net/paging/ListPager.h"
#include "store/FunctionRights.h"
#include "store/UserMessage_DataSqlTable.h"
#include "widgets/inputs/CustomComboBox.h"
#include "widgets/lists/QProgressIndicator.h"
#include "widgets/popups/AlertWidget.h"

#include "CommonSignalTool.h"
#include "DataCenter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kOperationKey = QStringLiteral("key_wcp");
const int kReviewRight = 93;

} // namespace

HouseManagerSaleOrRentListWidget::HouseManagerSaleOrRentListWidget(QWidget* parent)
    : ListingTablePage(parent)
{
    setObjectName(QStringLiteral("HouseManagerSaleOrRentListWidget"));
    connect(pager(), &ListPager::pageReceived, this, &HouseManagerSaleOrRentListWidget::dealHouseData);
    addBar(createFilterBar());

    connect(m_searchButton, &QPushButton::clicked, this, &HouseManagerSaleOrRentListWidget::downloadData);
    connect(m_searchEdit, &QLineEdit::returnPressed, this, &HouseManagerSaleOrRentListWidget::downloadData);
    // Another module of the suite changed listings: the same page again.
    connect(CommonSignalTool::Instance(), &CommonSignalTool::refreshMicroWebSiteList, this,
            [this](const QVariant&, QObject*) { downloadData(); });
}

QWidget* HouseManagerSaleOrRentListWidget::createFilterBar()
{
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("filterBar"));
    bar->setAttribute(Qt::WA_StyledBackground);
    bar->setFixedHeight(52);
    bar->setStyleSheet(QStringLiteral(
        "QWidget#filterBar{background-color:#ffffff;border-bottom:1px solid rgb(232,232,232);}"
        "QLabel{font:13px \"微软雅黑\";color:rgb(80,80,80);}"
        "QLineEdit{font:13px \"微软雅黑\";border:1px solid rgb(210,210,210);border-radius:3px;padding:0px 6px;}"
        "QLineEdit:focus{border:1px solid rgb(12,145,235);}"
        "QPushButton#pushButton_search{background-color:rgb(12,145,235);border:none;border-radius:3px;}"
        "QPushButton#pushButton_search:hover{background-color:rgb(40,160,245);}"
        "QPushButton#pushButton_search:pressed{background-color:rgb(10,125,205);}"));

    auto* statusLabel = new QLabel(QStringLiteral("上架状态"), bar);
    m_statusBox = new CustomComboBox(bar);
    m_statusBox->setObjectName(QStringLiteral("comboBox_putup"));
    m_statusBox->setTextList({QStringLiteral("上架状态"), QStringLiteral("已上架"), QStringLiteral("已下架")});
    m_statusBox->setFixedSize(120, 30);

    auto* searchLabel = new QLabel(QStringLiteral("小区名称"), bar);
    m_searchEdit = new QLineEdit(bar);
    m_searchEdit->setObjectName(QStringLiteral("lineEdit_search"));
    m_searchEdit->setPlaceholderText(QStringLiteral("请输入小区名称"));
    m_searchEdit->setClearButtonEnabled(true);
    m_searchEdit->setFixedSize(200, 30);

    m_searchButton = new QPushButton(bar);
    m_searchButton->setObjectName(QStringLiteral("pushButton_search"));
    m_searchButton->setIcon(QIcon(QStringLiteral(":/res/icon_whiteSearchr.png")));
    m_searchButton->setIconSize(QSize(18, 18));
    m_searchButton->setFixedSize(44, 30);
    m_searchButton->setCursor(Qt::PointingHandCursor);
    m_searchButton->setToolTip(QStringLiteral("搜索"));

    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(16, 0, 16, 0);
    layout->setSpacing(8);
    layout->addWidget(statusLabel);
    layout->addWidget(m_statusBox);
    layout->addSpacing(24);
    layout->addWidget(searchLabel);
    layout->addWidget(m_searchEdit);
    layout->addWidget(m_searchButton);
    layout->addStretch(1);
    return bar;
}

QString HouseManagerSaleOrRentListWidget::columnsJson(int type)
{
    const QString price = type == 0
        ? QStringLiteral(R"({"id":4,"title":"价格","choose":true,"sort":false,"rate":2,"key":"key_price"},)"
                         R"({"id":5,"title":"均价","choose":true,"sort":false,"rate":2,"key":"key_unitprice"},)")
        : QStringLiteral(R"({"id":4,"title":"租金","choose":true,"sort":false,"rate":2,"key":"key_monthmoney"},)");
    const int next = type == 0 ? 6 : 5;
    return QStringLiteral(R"([{"id":1,"title":"编号","choose":true,"sort":false,"rate":2,"key":"key_bianHao"},)"
                          R"({"id":2,"title":"标题","choose":true,"sort":false,"rate":5,"key":"key_title"},)"
                          R"({"id":3,"title":"小区","choose":true,"sort":false,"rate":4,"key":"key_xiaoqu"},)")
        + price
        + QStringLiteral(R"({"id":%1,"title":"发布人","choose":true,"sort":false,"rate":4,"key":"key_publisher"},)"
                         R"({"id":%2,"title":"发布时间","choose":true,"sort":false,"rate":3,"key":"key_publishtime"},)"
                         R"({"id":%3,"title":"操作","choose":true,"sort":false,"rate":4,"key":"key_wcp"}])")
              .arg(next)
              .arg(next + 1)
              .arg(next + 2);
}

QString HouseManagerSaleOrRentListWidget::columnConfig(int type) const
{
    return columnsJson(type);
}

QVariantMap HouseManagerSaleOrRentListWidget::displayValuesFor(const ListData& row, int type)
{
    using namespace DisplayText;
    QVariantMap values;
    values.insert(QStringLiteral("key_bianHao"), orDash(count(row.id)));
    values.insert(QStringLiteral("key_title"), orDash(row.title));
    values.insert(QStringLiteral("key_xiaoqu"), orDash(row.village));
    if (type == 0) {
        values.insert(QStringLiteral("key_price"), withUnit(row.price, QStringLiteral("万")));
        values.insert(QStringLiteral("key_unitprice"), withUnit(row.unitprice, QStringLiteral("元/㎡")));
    } else {
        values.insert(QStringLiteral("key_monthmoney"), withUnit(row.price, QStringLiteral("元/月")));
    }
    values.insert(QStringLiteral("key_publisher"), orDash(row.faburen));
    values.insert(QStringLiteral("key_publishtime"), orDash(row.time));
    return values;
}

FormBody HouseManagerSaleOrRentListWidget::listBody(int type, int pageIndex, int pageSize, int statusIndex,
                                                    const QString& key)
{
    FormBody body;
    body.add(QStringLiteral("type"), type != 0 ? 1 : 0)
        .add(QStringLiteral("pageindex"), pageIndex)
        .add(QStringLiteral("pagesize"), pageSize);
    if (statusIndex > 0)
        body.add(QStringLiteral("putup"), statusIndex == 1 ? 1 : 0);
    if (!key.isEmpty())
        body.add(QStringLiteral("key"), key);
    return body;
}

QVariantMap HouseManagerSaleOrRentListWidget::houseDetailMessage(const QList<ListData>& rows, int row)
{
    QVariantList ids;
    for (const ListData& house : rows) {
        if (house.bookid > 0)
            ids.append(house.bookid);
    }
    return {{QStringLiteral("id"), rows.value(row).bookid},
            {QStringLiteral("ids"), ids},
            {QStringLiteral("index"), 6}};
}

void HouseManagerSaleOrRentListWidget::downloadData()
{
    const FormBody body =
        listBody(type(), pageIndex(), pageSize(), m_statusBox->currentIndex(), m_searchEdit->text().trimmed());
    requestPage(Api::mtoreMshouseposts(), body);
}

void HouseManagerSaleOrRentListWidget::dealHouseData(const QJsonValue& value)
{
    const MicroWebsite_HouseMangerList_Model model(value, pager()->pageSize());
    if (!acceptPage(model.total, model.list.size()))
        return;
    m_rows = model.list;
    m_canReview.clear();
    auto* rights = new UserMessage_DataSqlTable(this, false);
    for (const ListData& row : qAsConst(m_rows)) {
        m_canReview.append(!row.sh
                           && rights->canOperate(kReviewRight, QString::number(row.storeid), row.faburenphone, false,
                                                 false));
    }
    rights->deleteLater();
    showRows(m_rows, &displayValuesFor);
    if (m_selectedRow >= 0 && m_selectedRow < m_rows.size())
        table()->selectRow(m_selectedRow);
}

int HouseManagerSaleOrRentListWidget::operationColumn() const
{
    const QList<QVariantMap> config = columns();
    for (int i = 0; i < config.size(); ++i) {
        if (config.at(i).value(QStringLiteral("key")).toString() == kOperationKey)
            return i;
    }
    return -1;
}

QWidget* HouseManagerSaleOrRentListWidget::createCell(int row, const QVariantMap& column, const QVariantMap& values)
{
    if (column.value(QStringLiteral("key")).toString() != kOperationKey || row < 0 || row >= m_rows.size())
        return ListingTablePage::createCell(row, column, values);
    auto* cell = new TableButtonItemView;
    const QStringList titles = HouseManagerOperation::buttonTitles(m_rows.at(row));
    cell->createBtns(titles);
    for (const QString& title : titles) {
        const QString style = HouseManagerOperation::extraStyle(title, m_canReview.value(row));
        if (!style.isEmpty())
            cell->addBtnStyle(title, style);
    }
    connect(cell, &TableButtonItemView::btnClick, this, &HouseManagerSaleOrRentListWidget::btnClickDeal);
    return cell;
}

void HouseManagerSaleOrRentListWidget::openRow(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    m_selectedRow = row;
    // A row button reports its click on the row too; that click marks the row but is an
    // operation, not a wish to see the house.
    const auto* cell = qobject_cast<TableButtonItemView*>(table()->cellWidget(row, operationColumn()));
    if (cell && cell->isReportingButtonClick())
        return;
    CommonSignalTool::Instance()->send_reviceMsg(QStringLiteral("HouseDetail"), houseDetailMessage(m_rows, row), this);
}

void HouseManagerSaleOrRentListWidget::btnClickDeal(int row, const QString& text)
{
    if (row < 0 || row >= m_rows.size())
        return;
    const ListData house = m_rows.at(row);
    const HouseManagerOperation operation = HouseManagerOperation::forButton(text, house);
    if (operation.kind == HouseManagerOperation::None)
        return;
    m_selectedRow = row;
    if (operation.kind == HouseManagerOperation::Recommend && !FunctionRights::siteServiceOpen(this)) {
        AlertWidget::showTip(QStringLiteral("您尚未开通官网服务！"), QStringLiteral("main"));
        return;
    }
    auto* rights = new UserMessage_DataSqlTable(this, false);
    const bool allowed =
        rights->canOperate(operation.functionId, QString::number(house.storeid), house.faburenphone, false, false);
    rights->deleteLater();
    if (!allowed) {
        AlertWidget::showWarning(operation.refusal, QStringLiteral("main"));
        return;
    }
    if (operation.confirmation.isEmpty())
        sendOperation(operation);
    else
        confirmThen(operation);
}

void HouseManagerSaleOrRentListWidget::confirmThen(const HouseManagerOperation& operation)
{
    const int alertType = operation.kind == HouseManagerOperation::Delete ? AlertWidget::Warning : AlertWidget::Tip;
    AlertWidget* alert = AlertWidget::askConfirm(operation.confirmation, alertType, operation.sureText);
    connect(alert, &AlertWidget::sureClick, this, [this, operation] { sendOperation(operation); });
}

void HouseManagerSaleOrRentListWidget::sendOperation(const HouseManagerOperation& operation)
{
    auto* request = new NetRequestObjecet(this);
    QProgressIndicator* indicator = QProgressIndicator::showOver(table(), false, QString());
    connect(request, &NetRequestObjecet::loadFinish, indicator, &QProgressIndicator::stopAnimation);
    connect(request, &NetRequestObjecet::loadSuccess, this, &HouseManagerSaleOrRentListWidget::downloadData);
    connect(request, &NetRequestObjecet::loadFinish, request, &QObject::deleteLater);
    request->sendForm(operation.url, operation.body);
}
