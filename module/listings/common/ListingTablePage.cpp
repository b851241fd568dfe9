#include "listings/common/ListingTablePage.h"

#include "listings/common/HouseListTableHeadView.h"
#include "listings/common/HouseTableLabelItemView.h"
#include "listings/common/HoverTableWidget.h"
#include "net/http/FormBody.h"
#include "net/http/JsonValues.h"
#include "net/http/NetRequestObjecet.h"
#include "net/paging/ListPager.h"
#include "widgets/bars/MicroWebsiteTopOperateView.h"
#include "widgets/lists/LoadFailedView.h"
#include "widgets/lists/PagingBar.h"
#include "widgets/lists/QProgressIndicator.h"
#include "widgets/popups/PopupLauncher.h"
#include "widgets/popups/StayTunedWidget.h"

#include <QEvent>
#include <QHeaderView>
#include <QVBoxLayout>

namespace {

const char* const kTableStyle =
    "QTableWidget{border:none;background-color:#ffffff;gridline-color:rgb(236,236,236);"
    "selection-background-color:transparent;}"
    "QHeaderView::section{background-color:rgb(245,246,248);color:rgb(80,80,80);border:none;"
    "border-right:1px solid rgb(232,232,232);border-bottom:1px solid rgb(225,225,225);"
    "padding-left:4px;font:bold 13px \"微软雅黑\";}";

} // namespace

ListingTablePage::ListingTablePage(QWidget* parent)
    : QWidget(parent)
    , m_layout(new QVBoxLayout(this))
    , m_operateView(new MicroWebsiteTopOperateView(this))
    , m_table(new HoverTableWidget(this))
    , m_pagingBar(new PagingBar(this, PagingRules::Style::Table))
    , m_pager(new ListPager(this, PageSize))
{
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("ListingTablePage{background-color:#ffffff;}"));
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(m_operateView);
    m_layout->addWidget(m_table, 1);
    m_layout->addWidget(m_pagingBar);

    m_table->setObjectName(QStringLiteral("tableWidget"));
    m_table->setStyleSheet(QString::fromUtf8(kTableStyle));
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_pagingBar->follow(m_pager);
    LoadFailedView::follow(m_pager, m_table);
    m_table->installEventFilter(this);

    connect(m_operateView, &MicroWebsiteTopOperateView::refresh, m_pager, [this] { m_pager->turnTo(1); });
    connect(m_pager, &ListPager::loadRequested, this, &ListingTablePage::downloadData);
    connect(m_table, &HoverTableWidget::clickRowIndex, this, [this](int row) {
        if (row >= 0 && row < m_table->rowCount())
            openRow(row);
    });
}

ListingTablePage::~ListingTablePage() = default;

int ListingTablePage::pageIndex() const
{
    return m_pager->pageIndex();
}

int ListingTablePage::pageSize() const
{
    return m_pager->pageSize();
}

int ListingTablePage::totalCount() const
{
    return m_pager->total();
}

int ListingTablePage::pageCount() const
{
    return m_pager->pageCount();
}

void ListingTablePage::setType(int type)
{
    m_type = type;
    m_columns = NetRequestObjecet::jsonToMapList(columnConfig(type));
    installHeader();
    downloadData();
}

void ListingTablePage::installHeader()
{
    QList<int> sortable;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (JsonValues::toBool(m_columns.at(i).value(QStringLiteral("sort"))))
            sortable.append(i);
    }
    auto* header = qobject_cast<HouseListTableHeadView*>(m_table->horizontalHeader());
    if (!header) {
        header = new HouseListTableHeadView(Qt::Horizontal, m_table);
        m_table->setHorizontalHeader(header);
        header->show(); // a header swapped into a visible table stays hidden otherwise
        header->setStretchLastSection(true);
        header->setFixedHeight(HeaderHeight);
        header->setHighlightSections(false);
    }
    header->setSortColumns(0, sortable);
}

FormBody ListingTablePage::typePageBody() const
{
    FormBody body;
    body.add(QStringLiteral("type"), m_type != 0 ? 1 : 0)
        .add(QStringLiteral("pagesize"), pageSize())
        .add(QStringLiteral("pageindex"), pageIndex());
    return body;
}

void ListingTablePage::requestPage(const QString& url, const FormBody& body)
{
    NetRequestObjecet* request = m_pager->send(url, body);
    QProgressIndicator* indicator = QProgressIndicator::showOver(m_table, false, QString());
    connect(request, &NetRequestObjecet::loadFinish, indicator, &QProgressIndicator::stopAnimation);
}

bool ListingTablePage::acceptPage(int total, int rowsOnPage)
{
    return m_pager->accept(total, rowsOnPage);
}

QWidget* ListingTablePage::createCell(int row, const QVariantMap& column, const QVariantMap& values)
{
    Q_UNUSED(row)
    auto* cell = new HouseTableLabelItemView;
    cell->setText(values.value(column.value(QStringLiteral("key")).toString()).toString(), false);
    return cell;
}

bool ListingTablePage::refillCell(QWidget* cell, int row, const QVariantMap& column, const QVariantMap& values)
{
    Q_UNUSED(row)
    // Exactly the plain cell: a subclass's own cells are made anew unless it refills them itself.
    auto* label = qobject_cast<HouseTableLabelItemView*>(cell);
    if (!label || label->metaObject() != &HouseTableLabelItemView::staticMetaObject)
        return false;
    label->setText(values.value(column.value(QStringLiteral("key")).toString()).toString(), false);
    return true;
}

void ListingTablePage::showRows(const QList<QVariantMap>& rowValues)
{
    // The rows on screen are written over where they can be: rows past the new page go with their
    // cells, new ones get cells made for them.
    if (m_table->columnCount() != m_columns.size())
        m_table->clearCells();
    else
        m_table->forgetRowStates();

    m_table->setRowCount(rowValues.size());
    m_table->setColumnCount(m_columns.size());
    m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QStringList titles;
    for (int column = 0; column < m_columns.size(); ++column) {
        const QVariantMap& config = m_columns.at(column);
        titles.append(QStringLiteral("%1").arg(config.value(QStringLiteral("title")).toString()));
        for (int row = 0; row < rowValues.size(); ++row) {
            QWidget* cell = m_table->cellWidget(row, column);
            if (!cell || !refillCell(cell, row, config, rowValues.at(row)))
                m_table->setCellWidget(row, column, createCell(row, config, rowValues.at(row)));
        }
    }
    m_table->setHorizontalHeaderLabels(titles);
    adjustColumnWidths();

    if (rowValues.isEmpty()) {
        if (!m_noDataView) {
            m_noDataView = new StayTunedWidget(m_table);
            m_noDataView->setObjectName(QStringLiteral("noDataView"));
            m_noDataView->setEmptyData(true);
        }
        placeNoDataView();
        m_noDataView->show();
        m_noDataView->raise();
    } else if (m_noDataView) {
        m_noDataView->hide();
    }
}

void ListingTablePage::openDetail(const QSize& size, QWidget* detail)
{
    PopupLauncher::open(QStringLiteral("详情"), size, detail, 1, this);
}

void ListingTablePage::placeNoDataView()
{
    if (!m_noDataView)
        return;
    m_noDataView->move(0, HeaderHeight);
    m_noDataView->resize(m_table->width(), m_table->height() - HeaderHeight);
}

void ListingTablePage::addBar(QWidget* bar)
{
    m_layout->insertWidget(m_layout->indexOf(m_table), bar);
}

void ListingTablePage::adjustColumnWidths()
{
    const int width = m_table->width();
    const int columnCount = m_table->columnCount();
    if (columnCount > 0) {
        QHeaderView* header = m_table->horizontalHeader();
        header->setDefaultSectionSize(width / columnCount);
        const int rowHeight = (m_table->height() - HeaderHeight) / PageSize;
        if (rowHeight >= 1) {
            header->setFixedHeight(HeaderHeight);
            m_table->verticalHeader()->setMinimumSectionSize(1);
            m_table->verticalHeader()->setDefaultSectionSize(qBound(40, rowHeight, 45));
        }
    }
    double rateSum = 0;
    for (const QVariantMap& column : qAsConst(m_columns))
        rateSum += column.value(QStringLiteral("rate")).toDouble();
    if (rateSum >= 1) {
        for (int i = 0; i < m_columns.size() && i < columnCount; ++i) {
            const double rate = m_columns.at(i).value(QStringLiteral("rate")).toDouble();
            m_table->setColumnWidth(i, static_cast<int>(rate * width / rateSum));
        }
    }
}

bool ListingTablePage::eventFilter(QObject* watched, QEvent* event)
{
    // The widths follow the table on every resize, also while another window is in front, so a
    // page never keeps the widths of an old size.
    if (watched == m_table && event->type() == QEvent::Resize) {
        adjustColumnWidths();
        placeNoDataView();
    }
    return QWidget::eventFilter(watched, event);
}
