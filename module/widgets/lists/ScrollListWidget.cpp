#include "widgets/lists/ScrollListWidget.h"
#include "ui_ScrollListWidget.h"

#include "widgets/lists/CustomListWidget.h"

#include <QPushButton>

ScrollListWidget::ScrollListWidget(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::ScrollListWidget)
{
    m_ui->setupUi(this);
    setFocusPolicy(Qt::NoFocus);
    // The button belongs to the list page: no "load more" under "暂无数据" or the spinner.
    m_ui->listContainer->setFooterWidget(m_ui->pushButton_more);
    connect(m_ui->pushButton_more, &QPushButton::clicked, this, &ScrollListWidget::moreClick);
}

ScrollListWidget::~ScrollListWidget() = default;

QListWidgetItem* ScrollListWidget::addItemWidget(QWidget* widget)
{
    return m_ui->listContainer->addItemWidget(widget);
}

void ScrollListWidget::clearItems()
{
    m_ui->listContainer->clearItems();
}

int ScrollListWidget::count() const
{
    return m_ui->listContainer->count();
}

QListWidget* ScrollListWidget::listWidget() const
{
    return m_ui->listContainer->listWidget();
}

CustomListWidget* ScrollListWidget::listContainer() const
{
    return m_ui->listContainer;
}

void ScrollListWidget::setMoreVisible(bool visible)
{
    m_ui->pushButton_more->setVisible(visible);
}

void ScrollListWidget::showListPage()
{
    m_ui->listContainer->showListPage();
}

void ScrollListWidget::showNoDataPage()
{
    m_ui->listContainer->showNoDataPage();
}

void ScrollListWidget::showWaitPage()
{
    m_ui->listContainer->showWaitPage();
}
