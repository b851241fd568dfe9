#include "widgets/lists/CustomListWidget.h"
#include "ui_CustomListWidget.h"

#include <QEvent>
#include <QListWidget>
#include <QScrollBar>
#include <QVariant>

namespace {
const char* const kRowProperty = "kq_listRow";
}

CustomListWidget::CustomListWidget(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::CustomListWidget)
{
    m_ui->setupUi(this);
    setFocusPolicy(Qt::NoFocus);
    m_ui->listWidget->installEventFilter(this);
    connect(m_ui->listWidget->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &CustomListWidget::scrollValueChange);
}

CustomListWidget::~CustomListWidget()
{
    // The list and its rows outlive the form by a moment (the QWidget base deletes them): they must
    // not call back into it.
    QListWidget* list = m_ui->listWidget;
    disconnect(list->verticalScrollBar(), nullptr, this, nullptr);
    list->removeEventFilter(this);
    for (int row = 0; row < list->count(); ++row) {
        if (QWidget* widget = list->itemWidget(list->item(row)))
            widget->removeEventFilter(this);
    }
}

QListWidgetItem* CustomListWidget::addItemWidget(QWidget* widget)
{
    QListWidgetItem* item = appendRow(widget);
    if (item) {
        showListPage();
        checkIsHaveVerBar();
    }
    return item;
}

QListWidgetItem* CustomListWidget::appendRow(QWidget* widget)
{
    if (!widget)
        return nullptr;
    auto* item = new QListWidgetItem(m_ui->listWidget);
    item->setSizeHint(QSize(0, rowHeight(widget, m_ui->listWidget->viewport()->width())));
    placeWidget(item, widget);
    return item;
}

void CustomListWidget::placeWidget(QListWidgetItem* item, QWidget* widget)
{
    m_ui->listWidget->setItemWidget(item, widget);
    // The row travels with the widget, so a resize finds its row without a search.
    const QModelIndex index = m_ui->listWidget->model()->index(m_ui->listWidget->row(item), 0);
    widget->setProperty(kRowProperty, QVariant::fromValue(QPersistentModelIndex(index)));
    widget->installEventFilter(this);
}

void CustomListWidget::replaceItems(const QList<QWidget*>& widgets)
{
    if (widgets.isEmpty()) {
        clearItems();
        return;
    }
    // Straight from the old rows to the new ones: turning to the no-data page in between would
    // walk every old row twice.
    m_ui->listWidget->clear();
    m_atBottom = false;
    // All the rows first, then their widgets: placing a widget lays the list out, and doing that
    // after each new row made a long list cost the square of its rows.
    const int width = m_ui->listWidget->viewport()->width();
    QList<QListWidgetItem*> items;
    for (QWidget* widget : widgets) {
        if (!widget)
            continue;
        auto* item = new QListWidgetItem(m_ui->listWidget);
        item->setSizeHint(QSize(0, rowHeight(widget, width)));
        items.append(item);
    }
    int next = 0;
    for (QWidget* widget : widgets) {
        if (widget)
            placeWidget(items.at(next++), widget);
    }
    // Once for all the rows: the scroll bar's signal fires for the final state only.
    showListPage();
    checkIsHaveVerBar();
}

QWidget* CustomListWidget::rowParent() const
{
    return m_ui->listWidget->viewport();
}

void CustomListWidget::keepRows(int count)
{
    QListWidget* list = m_ui->listWidget;
    count = qMax(0, count);
    // The view lets go of a removed row's widget (deleteLater), as clear() does.
    while (list->count() > count)
        delete list->takeItem(list->count() - 1);
    list->scrollToTop();
    m_atBottom = false;
    if (count == 0)
        showNoDataPage();
    else
        showListPage();
    checkIsHaveVerBar();
}

QWidget* CustomListWidget::rowWidget(int row) const
{
    QListWidgetItem* item = m_ui->listWidget->item(row);
    return item ? m_ui->listWidget->itemWidget(item) : nullptr;
}

void CustomListWidget::clearItems()
{
    m_ui->listWidget->clear();
    m_atBottom = false;
    showNoDataPage();
    checkIsHaveVerBar();
}

int CustomListWidget::count() const
{
    return m_ui->listWidget->count();
}

QListWidget* CustomListWidget::listWidget() const
{
    return m_ui->listWidget;
}

void CustomListWidget::setFooterWidget(QWidget* widget)
{
    m_ui->verticalLayout_list->addWidget(widget);
}

void CustomListWidget::showListPage()
{
    showPage(m_ui->page_list);
}

void CustomListWidget::showNoDataPage()
{
    showPage(m_ui->page_noData);
}

void CustomListWidget::showWaitPage()
{
    showPage(m_ui->page_wait);
}

void CustomListWidget::showPage(QWidget* page)
{
    if (m_ui->stackedWidget->currentWidget() == page)
        return;
    m_ui->stackedWidget->setCurrentWidget(page);
    // The spinner only runs while it can be seen.
    if (page == m_ui->page_wait)
        m_ui->progressIndicator_wait->startAnimation();
    else if (m_ui->progressIndicator_wait->isAnimated())
        m_ui->progressIndicator_wait->stopAnimation();
}

void CustomListWidget::scrollValueChange(int value)
{
    if (value <= 0 && m_scrollTopArmed) {
        m_scrollTopArmed = false;
        emit hasScrollToTop();
    }

    const QScrollBar* bar = m_ui->listWidget->verticalScrollBar();
    if (bar->maximum() > 0 && value >= bar->maximum()) {
        if (!m_atBottom) {
            m_atBottom = true;
            emit moreClick();
        }
    } else {
        m_atBottom = false;
    }
}

void CustomListWidget::checkIsHaveVerBar()
{
    const QListWidget* list = m_ui->listWidget;
    int rowsHeight = 0;
    for (int row = 0; row < list->count(); ++row)
        rowsHeight += list->item(row)->sizeHint().height();
    const bool have = rowsHeight > list->contentsRect().height();
    if (have != m_hasScrollBar) {
        m_hasScrollBar = have;
        emit haveScrollBarChange(have);
    }
}

bool CustomListWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == m_ui->listWidget)
            checkIsHaveVerBar();
        else if (watched->isWidgetType())
            refreshRowHeight(static_cast<QWidget*>(watched));
    }
    return QWidget::eventFilter(watched, event);
}

int CustomListWidget::rowHeight(const QWidget* widget, int width)
{
    if (widget->minimumHeight() > 0)
        return widget->minimumHeight();
    // Without a minimum height the row would collapse to nothing; take what the widget asks for,
    // at the width it gets (word-wrapped labels grow as they narrow).
    if (widget->hasHeightForWidth())
        return widget->heightForWidth(width);
    return widget->sizeHint().height();
}

void CustomListWidget::refreshRowHeight(QWidget* widget)
{
    // Rows cleared away leave their widgets until these are deleted later.
    const auto index = widget->property(kRowProperty).value<QPersistentModelIndex>();
    if (!index.isValid() || index.model() != m_ui->listWidget->model())
        return;
    QListWidgetItem* item = m_ui->listWidget->item(index.row());
    if (!item || m_ui->listWidget->itemWidget(item) != widget)
        return;
    const int height = rowHeight(widget, widget->width());
    if (item->sizeHint().height() == height)
        return;
    item->setSizeHint(QSize(item->sizeHint().width(), height));
    checkIsHaveVerBar();
}
