#ifndef SCROLLLISTWIDGET_H
#define SCROLLLISTWIDGET_H

#include <QScopedPointer>
#include <QWidget>

class CustomListWidget;
class QListWidget;
class QListWidgetItem;

namespace Ui {
class ScrollListWidget;
}

// The list container of paged lists: the pages of CustomListWidget with a "加载更多" button under
// the list. Only that button raises moreClick(); it shows with the list page.
class ScrollListWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ScrollListWidget(QWidget* parent = nullptr);
    ~ScrollListWidget() override;

    QListWidgetItem* addItemWidget(QWidget* widget);
    void clearItems();
    int count() const;
    QListWidget* listWidget() const;
    CustomListWidget* listContainer() const;
    // Hides the button once the last page is shown.
    void setMoreVisible(bool visible);

public slots:
    void showListPage();
    void showNoDataPage();
    void showWaitPage();

signals:
    void moreClick();

private:
    QScopedPointer<Ui::ScrollListWidget> m_ui;
};

#endif // SCROLLLISTWIDGET_H
