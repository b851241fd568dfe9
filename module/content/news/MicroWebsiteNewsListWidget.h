#ifndef MICROWEBSITENEWSLISTWIDGET_H
#define MICROWEBSITENEWSLISTWIDGET_H

#include "content/news/NewsTwinListWidget.h"

// The site's property news ("资讯"), ten a page.
class MicroWebsiteNewsListWidget : public NewsTwinListWidget
{
    Q_OBJECT
public:
    explicit MicroWebsiteNewsListWidget(QWidget* parent = nullptr);

public slots:
    void addZiXun();
    void addZiXunCategory();
    void addPhotos();
};

#endif // MICROWEBSITENEWSLISTWIDGET_H
