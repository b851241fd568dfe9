#include "listings/pickers/MicroWebsiteChooseHouseWidget.h"

#include "listings/common/ListingJson.h"
#include "listings/pickers/MicroWebsiteChooseHouseHadView.h"
#include "net/http/Endpoints.h"
#include "net/http/FormBody.h"
#include "net/http/NetRequestObjecet.h"
#include "net/paging/ListPager.h"
#include "widgets/inputs/ButtonStyles.h"
#include "widgets/inputs/MnemonicText.h"
#include "widgets/lists/LoadFailedView.h"
#include "widgets/lists/RequestWait.h"

#include "DataCenter.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const char* const kCircleCompany = "30728";

QScrollArea* scrollOver(QWidget* content, QWidget* parent)
{
    auto* area = new QScrollArea(parent);
    area->setWidgetResizable(true);
    area->setWidget(content);
    area->setStyleSheet(QStringLiteral("QScrollArea{border:1px solid #e5e5e5;background:white;}"));
    return area;
}

} // namespace

MicroWebsiteChooseHouseWidget::MicroWebsiteChooseHouseWidget(QWidget* parent)
    : QWidget(parent)
    , m_pager(new ListPager(this, usesHouseCircle() ? CirclePageSize : SitePageSize))
{
    setObjectName(QStringLiteral("MicroWebsiteChooseHouseWidget"));
    auto* searchRow = new QHBoxLayout;
    searchRow->setSpacing(6);
    const QList<QPair<QString, int>> boxes = {{QStringLiteral("搜索房源名称"), 180}, {QStringLiteral("房源编号"), 110},
                                              {QStringLiteral("栋号"), 70}, {QStringLiteral("单元"), 70},
                                              {QStringLiteral("房号"), 70}};
    for (const auto& box : boxes) {
        auto* edit = new QLineEdit(this);
        edit->setPlaceholderText(box.first);
        edit->setFixedSize(box.second, 30);
        edit->setClearButtonEnabled(true);
        connect(edit, &QLineEdit::returnPressed, this, &MicroWebsiteChooseHouseWidget::downloadData);
        searchRow->addWidget(edit);
        m_boxes.append(edit);
    }
    searchRow->addStretch();

    m_allBox = new QCheckBox(QStringLiteral("全选"), this);
    m_allBox->setObjectName(QStringLiteral("checkBox_allChoose"));
    m_allBox->setCursor(Qt::PointingHandCursor);
    connect(m_allBox, &QCheckBox::clicked, this, [this](bool checked) {
        for (const ItemData& item : qAsConst(m_items))
            setTicked(item, checked);
        showListView();
        showRightView();
    });

    m_leftList = new QWidget;
    m_leftLayout = new QVBoxLayout(m_leftList);
    m_leftLayout->setAlignment(Qt::AlignTop);
    m_leftLayout->setSpacing(4);
    m_rightList = new QWidget;
    m_rightLayout = new QVBoxLayout(m_rightList);
    m_rightLayout->setAlignment(Qt::AlignTop);
    m_rightLayout->setSpacing(2);
    QScrollArea* leftArea = scrollOver(m_leftList, this);
    LoadFailedView::follow(m_pager, leftArea);

    m_moreLabel = new QLabel(this);
    m_moreLabel->setObjectName(QStringLiteral("moreLabel"));
    m_moreLabel->setStyleSheet(QStringLiteral("color:#ff8a00;"));
    m_moreLabel->hide();

    auto* left = new QVBoxLayout;
    left->addWidget(m_allBox);
    left->addWidget(leftArea, 1);
    left->addWidget(m_moreLabel);
    auto* right = new QVBoxLayout;
    auto* chosenTitle = new QLabel(QStringLiteral("已选房源"), this);
    right->addWidget(chosenTitle);
    right->addWidget(scrollOver(m_rightList, this), 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);

    m_sure = new QToolButton(this);
    m_sure->setObjectName(QStringLiteral("toolButton_sure"));
    m_sure->setText(QStringLiteral("确定"));
    m_cancel = new QToolButton(this);
    m_cancel->setObjectName(QStringLiteral("toolButton_cancle"));
    m_cancel->setText(QStringLiteral("取消"));
    for (QToolButton* button : {m_cancel, m_sure}) {
        button->setFixedSize(90, 32);
        button->setCursor(Qt::PointingHandCursor);
    }
    m_sure->setStyleSheet(ButtonStyles::primary());
    connect(m_sure, &QToolButton::clicked, this, [this]() { emit backChooose(m_chosen); });
    connect(m_cancel, &QToolButton::clicked, this, &MicroWebsiteChooseHouseWidget::closeWidget);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_sure);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addLayout(searchRow);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);

    connect(m_pager, &ListPager::pageReceived, this, [this](const QJsonValue& value) {
        if (usesHouseCircle())
            dealHouseCircleHouseData(value);
        else
            dealHouseBookHouseData(value);
    });
    connect(m_pager, &ListPager::loadRequested, this, &MicroWebsiteChooseHouseWidget::downloadData);
    downloadData();
}

bool MicroWebsiteChooseHouseWidget::usesHouseCircle()
{
    return DataCenter::CompanyID == QLatin1String(kCircleCompany);
}

QVariantMap MicroWebsiteChooseHouseWidget::searchParams(bool circle, const QStringList& boxes)
{
    QVariantMap params;
    const QStringList keys = circle ? QStringList{QStringLiteral("housename"), QStringLiteral("houseid"), QStringLiteral("dongno"),
                                                  QString(), QStringLiteral("fangno")}
                                    : QStringList{QStringLiteral("key"), QStringLiteral("bianhao"), QStringLiteral("donghao"),
                                                  QStringLiteral("danyuan"), QStringLiteral("fanghao")};
    if (circle) {
        params = {{QStringLiteral("type"), 0}, {QStringLiteral("mtype"), 0}, {QStringLiteral("pageindex"), 1},
                  {QStringLiteral("pagesize"), CirclePageSize}};
    } else {
        params = {{QStringLiteral("type"), 0}, {QStringLiteral("pageindex"), 1}, {QStringLiteral("pagesize"), SitePageSize},
                  {QStringLiteral("putup"), 1}};
    }
    // The circle has no unit box of its own.
    for (int i = 0; i < keys.size() && i < boxes.size(); ++i) {
        if (!keys.at(i).isEmpty() && !boxes.at(i).isEmpty())
            params.insert(keys.at(i), boxes.at(i));
    }
    return params;
}

QString MicroWebsiteChooseHouseWidget::itemText(const ItemData& item)
{
    return QStringLiteral("【%1】%2").arg(item.id).arg(item.title);
}

QStringList MicroWebsiteChooseHouseWidget::boxTexts() const
{
    QStringList texts;
    for (const QLineEdit* box : m_boxes)
        texts.append(box->text().trimmed());
    return texts;
}

void MicroWebsiteChooseHouseWidget::setChosen(const QList<ItemData>& items)
{
    m_chosen.clear();
    for (const ItemData& item : items) {
        if (!m_chosen.contains(item))
            m_chosen.append(item);
    }
    showListView();
    showRightView();
}

void MicroWebsiteChooseHouseWidget::downloadData()
{
    if (usesHouseCircle())
        downloadHouseCircleData();
    else
        downloadHouseBookData();
}

void MicroWebsiteChooseHouseWidget::downloadHouseBookData()
{
    RequestWait::sendPage(m_pager, Api::mtoreMshouseposts(), FormBody::fromMap(searchParams(false, boxTexts())), m_leftList);
}

void MicroWebsiteChooseHouseWidget::downloadHouseCircleData()
{
    RequestWait::sendPage(m_pager, Api::appHousegrouppostst(), FormBody::fromMap(searchParams(true, boxTexts())), m_leftList);
}

void MicroWebsiteChooseHouseWidget::dealHouseBookHouseData(QJsonValue value)
{
    dealReply(value);
}

void MicroWebsiteChooseHouseWidget::dealHouseCircleHouseData(QJsonValue value)
{
    dealReply(value);
}

void MicroWebsiteChooseHouseWidget::dealReply(const QJsonValue& value)
{
    const ListingJson::Page page = ListingJson::readPage(value, m_pager->pageSize());
    QList<ItemData> items;
    for (const QJsonObject& object : page.rows) {
        ItemData item;
        item.id = ListingJson::toInt(object, QStringLiteral("id"));
        item.title = ListingJson::toText(object, QStringLiteral("title"));
        items.append(item);
    }
    m_items = items;
    m_pager->accept(m_items.size(), m_items.size());
    // More matches than the picker offers: say so rather than let them seem missing.
    const int offered = m_pager->pageSize();
    m_moreLabel->setText(QStringLiteral("仅显示前%1条，请输入更多条件").arg(offered));
    m_moreLabel->setVisible(page.total > m_items.size() && m_items.size() >= offered);
    showListView();
    showRightView();
    emit listShown();
}

bool MicroWebsiteChooseHouseWidget::checkIdIsCheck(int id) const
{
    for (const ItemData& item : m_chosen) {
        if (item.id == id)
            return true;
    }
    return false;
}

void MicroWebsiteChooseHouseWidget::setTicked(const ItemData& item, bool ticked)
{
    if (ticked && !m_chosen.contains(item))
        m_chosen.append(item);
    else if (!ticked)
        m_chosen.removeAll(item);
}

void MicroWebsiteChooseHouseWidget::showListView()
{
    while (QLayoutItem* old = m_leftLayout->takeAt(0)) {
        if (old->widget()) {
            old->widget()->hide();
            old->widget()->deleteLater();
        }
        delete old;
    }
    bool all = !m_items.isEmpty();
    for (const ItemData& item : qAsConst(m_items)) {
        auto* box = new QCheckBox(MnemonicText::escaped(itemText(item)), m_leftList);
        box->setCursor(Qt::PointingHandCursor);
        box->setChecked(checkIdIsCheck(item.id));
        all = all && box->isChecked();
        connect(box, &QCheckBox::clicked, this, [this, item](bool checked) {
            setTicked(item, checked);
            showRightView();
            m_allBox->setChecked(!m_items.isEmpty() && std::all_of(m_items.cbegin(), m_items.cend(),
                                                                   [this](const ItemData& i) { return checkIdIsCheck(i.id); }));
        });
        m_leftLayout->addWidget(box);
    }
    m_allBox->setChecked(all);
}

void MicroWebsiteChooseHouseWidget::showRightView()
{
    while (QLayoutItem* old = m_rightLayout->takeAt(0)) {
        if (old->widget()) {
            old->widget()->hide();
            old->widget()->deleteLater();
        }
        delete old;
    }
    for (const ItemData& item : qAsConst(m_chosen)) {
        auto* view = new MicroWebsiteChooseHouseHadView(itemText(item), m_rightList);
        connect(view, &MicroWebsiteChooseHouseHadView::deleteItem, this, [this, item]() {
            setTicked(item, false);
            showListView();
            showRightView();
        });
        m_rightLayout->addWidget(view);
    }
}
