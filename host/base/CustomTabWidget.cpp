#include "CustomTabWidget.h"

#include <QTabBar>

CustomTabWidget::CustomTabWidget(QWidget* parent)
    : QTabWidget(parent)
{
    setObjectName(QStringLiteral("KQTabBar"));
    setTabsClosable(true);
    setMovable(true);
    setDocumentMode(true);
    connect(this, &QTabWidget::tabCloseRequested, this, &CustomTabWidget::closeTabAt);
}

void CustomTabWidget::addTabWidget(const QString& title, QWidget* page)
{
    if (!page)
        return;
    const int index = addTab(page, title);
    QTabWidget::setCurrentIndex(index);
}

void CustomTabWidget::setCurrentWidget(QWidget* page)
{
    if (page && indexOf(page) >= 0)
        QTabWidget::setCurrentWidget(page);
}

void CustomTabWidget::closeTabAt(int index)
{
    QWidget* page = widget(index);
    if (!page)
        return;
    removeTab(index);
    page->deleteLater();
}
