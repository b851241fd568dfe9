#ifndef MICROWEBSITENEWSBAIKELISTWIDGET_H
#define MICROWEBSITENEWSBAIKELISTWIDGET_H

#include "content/news/NewsTwinListWidget.h"

// The site's property encyclopedia ("百科"), ten entries a page.
class MicroWebsiteNewsBaiKeListWidget : public NewsTwinListWidget
{
    Q_OBJECT
public:
    explicit MicroWebsiteNewsBaiKeListWidget(QWidget* parent = nullptr);

public slots:
    void addBaiKe();
    void addBaiKeCategory();
    void addPhotos();
};

#endif // MICROWEBSITENEWSBAIKELISTWIDGET_H
