#ifndef CUSTOMTABWIDGET_H
#define CUSTOMTABWIDGET_H

#include "kq_base_export.h"

#include <QTabWidget>

// The host's tab bar: closable tabs, and closing a tab destroys its page.
class KQ_BASE_EXPORT CustomTabWidget : public QTabWidget
{
    Q_OBJECT
public:
    explicit CustomTabWidget(QWidget* parent = nullptr);

    void addTabWidget(const QString& title, QWidget* page);
    void setCurrentWidget(QWidget* page);

public slots:
    void closeTabAt(int index);
};

#endif // CUSTOMTABWIDGET_H
