#include "listings/pickers/SaleOrRentPutUpChooseWidget.h"

#include "listings/common/ListingJson.h"
#include "net/http/FormBody.h"
#include "net/http/NetRequestObjecet.h"
#include "net/paging/ListPager.h"
#include "widgets/lists/CustomListWidget.h"
#include "widgets/lists/LoadFailedView.h"
#include "widgets/lists/RequestWait.h"

#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace {

const int kDefaultPageSize = 20;
const QString kField = QStringLiteral("[w]");
const QString kAlternative = QStringLiteral("[cp]");

// One entry of the list: its text, chosen by a click.
class EntryRow : public QLabel
{
public:
    EntryRow(const QString& text, QWidget* parent = nullptr)
        : QLabel(parent)
    {
        setObjectName(QStringLiteral("entryRow"));
        setTextFormat(Qt::PlainText);
        setText(text);
        setCursor(Qt::PointingHandCursor);
        setFixedHeight(36);
        setContentsMargins(12, 0, 12, 0);
        setStyleSheet(QStringLiteral("QLabel{border-bottom:1px solid #f0f0f0;color:#333333;}"
                                     "QLabel:hover{background:#eef4fe;color:#3e8ef7;}"));
    }
};

} // namespace

const QString SaleOrRentPutUpChooseWidget::ShownTextKey = QStringLiteral("showTxt");

SaleOrRentPutUpChooseWidget::SaleOrRentPutUpChooseWidget(QWidget* parent)
    : QWidget(parent)
    , m_pager(new ListPager(this, kDefaultPageSize))
{
    setObjectName(QStringLiteral("SaleOrRentPutUpChooseWidget"));
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("searchEdit"));
    m_search->setFixedHeight(32);
    m_search->setClearButtonEnabled(true);
    connect(m_search, &QLineEdit::returnPressed, this, [this]() { keySearch(m_search->text().trimmed()); });
    m_list = new CustomListWidget(this);
    LoadFailedView::follow(m_pager, m_list);
    connect(m_list, &CustomListWidget::moreClick, this, &SaleOrRentPutUpChooseWidget::nextPage);
    connect(m_list->listWidget(), &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { chooseEntry(m_list->listWidget()->row(item)); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(m_search);
    layout->addWidget(m_list, 1);

    connect(m_pager, &ListPager::loadRequested, this, &SaleOrRentPutUpChooseWidget::downloadHouse);
    connect(m_pager, &ListPager::pageReceived, this, [this](const QJsonValue& value) {
        if (m_pager->pageIndex() <= 1)
            deal_houseData(value);
        else
            deal_houseData_2(value);
    });
}

void SaleOrRentPutUpChooseWidget::setConfig(const Config& config)
{
    m_config = config;
    m_search->setPlaceholderText(config.placeholder);
    m_pager->setPageSize(config.pageSize > 0 ? config.pageSize : kDefaultPageSize);
    keySearch(QString());
}

QVariantMap SaleOrRentPutUpChooseWidget::requestParams(const Config& config, int pageIndex, const QString& key)
{
    QVariantMap params = config.fixedParams;
    params.insert(QStringLiteral("pageindex"), pageIndex);
    params.insert(QStringLiteral("pagesize"), config.pageSize > 0 ? config.pageSize : kDefaultPageSize);
    params.insert(QStringLiteral("lianmai"), config.lianmai);
    if (!key.isEmpty())
        params.insert(config.searchParam, key);
    return params;
}

QString SaleOrRentPutUpChooseWidget::dealTxt(QString txt, QVariantMap obj)
{
    const QStringList alternatives = txt.split(kAlternative);
    for (const QString& alternative : alternatives) {
        const QStringList pieces = alternative.split(kField);
        QString text;
        bool complete = true;
        // Pieces alternate: literal text, then a key between two markers.
        for (int i = 0; i < pieces.size(); ++i) {
            if (i % 2 == 0) {
                text += pieces.at(i);
                continue;
            }
            const QString value = obj.value(pieces.at(i)).toString();
            complete = complete && !value.isEmpty();
            text += value;
        }
        if (complete || alternative == alternatives.last())
            return text;
    }
    return QString();
}

void SaleOrRentPutUpChooseWidget::nextPage()
{
    if (m_lastPageReached || m_pager->isLoading() || !m_pager->hasShownPage())
        return;
    m_pager->turnTo(m_pager->shownPageIndex() + 1);
}

void SaleOrRentPutUpChooseWidget::keySearch(QString key)
{
    m_key = key;
    m_lastPageReached = false;
    m_pager->turnTo(1);
}

void SaleOrRentPutUpChooseWidget::downloadHouse()
{
    if (m_config.url.isEmpty())
        return;
    RequestWait::sendPage(m_pager, m_config.url, FormBody::fromMap(requestParams(m_config, m_pager->pageIndex(), m_key)), m_list);
}

QList<QVariantMap> SaleOrRentPutUpChooseWidget::readEntries(const QJsonValue& value)
{
    QList<QVariantMap> entries;
    const ListingJson::Page page = ListingJson::readPage(value, m_pager->pageSize());
    const QString textTemplate = m_config.textTemplate.isEmpty() ? kField + m_config.shownKey + kField : m_config.textTemplate;
    for (const QJsonObject& object : page.rows) {
        QVariantMap entry = object.toVariantMap();
        entry.insert(ShownTextKey, dealTxt(textTemplate, entry));
        entries.append(entry);
    }
    m_lastPageReached = entries.size() < m_pager->pageSize();
    return entries;
}

void SaleOrRentPutUpChooseWidget::deal_houseData(QJsonValue value)
{
    const QList<QVariantMap> entries = readEntries(value);
    m_pager->accept(entries.size(), entries.size());
    m_entries.clear();
    for (QVariantMap entry : qAsConst(m_config.firstEntries)) {
        entry.insert(ShownTextKey, entry.value(ShownTextKey, entry.value(m_config.shownKey)));
        m_entries.append(entry);
    }
    m_entries.append(entries);
    showHouseList();
}

void SaleOrRentPutUpChooseWidget::deal_houseData_2(QJsonValue value)
{
    const QList<QVariantMap> entries = readEntries(value);
    if (entries.isEmpty()) {
        // Nothing beyond the last page: stay on the page shown.
        m_pager->setPageIndex(m_pager->shownPageIndex());
        emit listShown();
        return;
    }
    m_pager->accept(m_pager->pageIndex() * m_pager->pageSize(), entries.size());
    addHouseList(entries);
}

void SaleOrRentPutUpChooseWidget::showHouseList()
{
    m_list->clearItems();
    addRows(m_entries);
    emit listShown();
}

void SaleOrRentPutUpChooseWidget::addHouseList(QList<QVariantMap> list)
{
    m_entries.append(list);
    addRows(list);
    emit listShown();
}

void SaleOrRentPutUpChooseWidget::addRows(const QList<QVariantMap>& entries)
{
    for (const QVariantMap& entry : entries)
        m_list->addItemWidget(new EntryRow(entry.value(ShownTextKey).toString()));
}

void SaleOrRentPutUpChooseWidget::chooseEntry(int index)
{
    if (index < 0 || index >= m_entries.size())
        return;
    emit chooseHouse(m_entries.at(index));
}
