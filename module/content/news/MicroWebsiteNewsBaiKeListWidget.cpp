#include "content/news/MicroWebsiteNewsBaiKeListWidget.h"

#include <QPushButton>

MicroWebsiteNewsBaiKeListWidget::MicroWebsiteNewsBaiKeListWidget(QWidget* parent)
    : NewsTwinListWidget(NewsTwin::Kind::BaiKe, parent)
{
    setObjectName(QStringLiteral("MicroWebsiteNewsBaiKeListWidget"));
    connect(addButton(), &QPushButton::clicked, this, &MicroWebsiteNewsBaiKeListWidget::addBaiKe);
    connect(categoryButton(), &QPushButton::clicked, this, &MicroWebsiteNewsBaiKeListWidget::addBaiKeCategory);
    connect(pictureButton(), &QPushButton::clicked, this, &MicroWebsiteNewsBaiKeListWidget::addPhotos);
}

void MicroWebsiteNewsBaiKeListWidget::addBaiKe()
{
    openWebPage(NewsTwin::Page::Add);
}

void MicroWebsiteNewsBaiKeListWidget::addBaiKeCategory()
{
    openWebPage(NewsTwin::Page::Category);
}

void MicroWebsiteNewsBaiKeListWidget::addPhotos()
{
    openWebPage(NewsTwin::Page::Picture);
}
