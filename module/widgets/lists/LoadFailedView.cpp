#include "widgets/lists/LoadFailedView.h"

#include "net/paging/ListPager.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

LoadFailedView::LoadFailedView(QWidget* parent)
    : QWidget(parent)
    , m_reason(new QLabel(this))
    , m_retry(new QPushButton(QStringLiteral("重试"), this))
{
    setObjectName(QStringLiteral("LoadFailedView"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral(
        "#LoadFailedView{background-color:#ffffff;}"
        "QLabel{font:14px \"微软雅黑\";color:rgb(120,120,120);}"
        "QPushButton{border:1px solid rgb(55,129,241);border-radius:3px;color:rgb(55,129,241);"
        "font:13px \"微软雅黑\";background:white;}"));
    m_reason->setObjectName(QStringLiteral("label_reason"));
    m_reason->setTextFormat(Qt::PlainText);
    m_reason->setAlignment(Qt::AlignCenter);
    m_reason->setWordWrap(true);
    m_retry->setObjectName(QStringLiteral("pushButton_retry"));
    m_retry->setCursor(Qt::PointingHandCursor);
    m_retry->setFixedSize(80, 30);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(m_reason);
    layout->addSpacing(12);
    layout->addWidget(m_retry, 0, Qt::AlignHCenter);
    layout->addStretch();
    connect(m_retry, &QPushButton::clicked, this, &LoadFailedView::retry);
}

void LoadFailedView::setReason(const QString& reason)
{
    m_reason->setText(QStringLiteral("加载失败：%1").arg(reason.isEmpty() ? QStringLiteral("未知原因") : reason));
}

QString LoadFailedView::reason() const
{
    return m_reason->text();
}

void LoadFailedView::follow(ListPager* pager, QWidget* area)
{
    LoadFailedView* view = over(area);
    connect(view, &LoadFailedView::retry, pager, &ListPager::reload);
    connect(pager, &ListPager::pageFailed, view, [view, pager](const QString& reason) {
        if (!pager->hasShownPage())
            view->showReason(reason);
    });
    connect(pager, &ListPager::pageShown, view, &QWidget::hide);
}

LoadFailedView* LoadFailedView::over(QWidget* area)
{
    auto* view = new LoadFailedView(area);
    view->hide();
    area->installEventFilter(view);
    return view;
}

void LoadFailedView::showReason(const QString& reason)
{
    setReason(reason);
    setGeometry(parentWidget()->rect());
    show();
    raise();
}

bool LoadFailedView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}
