#include "content/news/MicroWebsiteNewsListWidget.h"

#include <QPushButton>

MicroWebsiteNewsListWidget::MicroWebsiteNewsListWidget(QWidget* parent)
    : NewsTwinListWidget(NewsTwin::Kind::News, parent)
{
    setObjectName(QStringLiteral("MicroWebsiteNewsListWidget"));
    connect(addButton(), &QPushButton::clicked, this, &MicroWebsiteNewsListWidget::addZiXun);
    connect(categoryButton(), &QPushButton::clicked, this, &MicroWebsiteNewsListWidget::addZiXunCategory);
    connect(pictureButton(), &QPushButton::clicked, this, &MicroWebsiteNewsListWidget::addPhotos);
}

void MicroWebsiteNewsListWidget::addZiXun()
{
    openWebPage(NewsTwin::Page::Add);
}

void MicroWebsiteNewsListWidget::addZiXunCategory()
{
    openWebPage(NewsTwin::Page::Category);
}

void MicroWebsiteNewsListWidget::addPhotos()
{
    openWebPage(NewsTwin::Page::Picture);
}
