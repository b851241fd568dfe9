#include "widgets/lists/PagingBar.h"
#include "ui_PagingBar.h"

#include "net/paging/ListPager.h"
#include "widgets/popups/AlertWidget.h"

#include <initializer_list>


PagingBar::PagingBar(QWidget* parent, PagingRules::Style style)
    : QWidget(parent)
    , ui(new Ui::PagingBar)
    , m_style(style)
{
    ui->setupUi(this);
    using A = PagingRules::Action;
    connect(ui->pushButton_backTen, &QPushButton::clicked, this, [this] { trigger(A::BackTen); });
    connect(ui->pushButton_previous, &QPushButton::clicked, this, [this] { trigger(A::Previous); });
    connect(ui->pushButton_next, &QPushButton::clicked, this, [this] { trigger(A::Next); });
    connect(ui->pushButton_forwardTen, &QPushButton::clicked, this, [this] { trigger(A::ForwardTen); });
    connect(ui->pushButton_jump, &QPushButton::clicked, this, [this] { trigger(A::Jump); });
    connect(ui->lineEdit_currentPage, &QLineEdit::returnPressed, this, [this] { trigger(A::Jump); });
    setStyle(style);
}

void PagingBar::setStyle(PagingRules::Style style)
{
    m_style = style;
    // The site host's lists only go back and forth and name the page they show.
    const bool site = style == PagingRules::Style::Site;
    for (QWidget* widget : std::initializer_list<QWidget*>{ui->pushButton_backTen, ui->pushButton_forwardTen, ui->pushButton_jump,
                                                           ui->lineEdit_currentPage, ui->lineEdit_pageSize, ui->label_perPage,
                                                           ui->label_page})
        widget->setVisible(!site);
    refreshTexts();
}

PagingBar::~PagingBar() = default;

void PagingBar::setPageSize(int pageSize)
{
    m_pageSize = qMax(1, pageSize);
    refreshTexts();
}

void PagingBar::setPageIndex(int pageIndex)
{
    m_pageIndex = qMax(1, pageIndex);
    refreshTexts();
}

void PagingBar::follow(ListPager* pager)
{
    setPageSize(pager->pageSize());
    setPageIndex(pager->pageIndex());
    if (m_style == PagingRules::Style::Site) {
        // The site's lists name the page on screen: it changes when that page's reply is shown.
        connect(pager, &ListPager::pageShown, this, [this, pager] { setPageIndex(pager->shownPageIndex()); });
    } else {
        connect(pager, &ListPager::pageIndexChanged, this, &PagingBar::setPageIndex);
    }
    connect(pager, &ListPager::totalReceived, this, &PagingBar::setTotal);
    // The page past the end came back empty: say so as the button does once the end is known.
    connect(pager, &ListPager::lastPageReached, this, [this] { trigger(PagingRules::Action::Next); });
    connect(this, &PagingBar::pageRequested, pager, &ListPager::turnTo);
}

void PagingBar::setTotal(int total)
{
    m_total = qMax(0, total);
    m_pageCount = PagingRules::pageCountFor(m_total, m_pageSize);
    refreshTexts();
}

void PagingBar::trigger(PagingRules::Action action)
{
    const PagingRules::Step step =
        PagingRules::decide(m_style, action, m_pageIndex, m_pageCount, ui->lineEdit_currentPage->text());
    if (!step.request) {
        if (!step.alert.isEmpty())
            AlertWidget::showWarning(step.alert, QStringLiteral("main"));
        return;
    }
    if (m_style != PagingRules::Style::Site) {
        m_pageIndex = step.pageIndex;
        refreshTexts();
    }
    emit pageRequested(step.pageIndex);
}

void PagingBar::refreshTexts()
{
    if (m_style == PagingRules::Style::Site) {
        ui->label_pageInfo->setText(QStringLiteral("第%1页").arg(m_pageIndex));
        return;
    }
    ui->lineEdit_pageSize->setText(QString::number(m_pageSize));
    ui->label_pageInfo->setText(QStringLiteral("条，共%1页，共计%2条，当前第").arg(m_pageCount).arg(m_total));
    ui->lineEdit_currentPage->setText(QString::number(m_pageIndex));
}
