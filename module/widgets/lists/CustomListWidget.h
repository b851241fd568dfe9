#ifndef CUSTOMLISTWIDGET_H
#define CUSTOMLISTWIDGET_H

#include <QScopedPointer>
#include <QWidget>

class QListWidget;
class QListWidgetItem;

namespace Ui {
class CustomListWidget;
}

// A list of row widgets on a stack of three pages: the list, "暂无数据" and a wait spinner.
// Each row is as high as its widget's minimum height (or, for a widget without one, its preferred
// height), and follows the widget when the widget is resized.
//
// moreClick() is raised when the user scrolls to the bottom end of the list, once per arrival, so
// that a paged list can ask for its next page.
class CustomListWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CustomListWidget(QWidget* parent = nullptr);
    ~CustomListWidget() override;

    // Appends widget as a new row (the list takes it over) and shows the list page.
    QListWidgetItem* addItemWidget(QWidget* widget);
    // Removes every row and shows the no-data page.
    void clearItems();
    // Replaces every row by widgets (the list takes them over), showing the no-data page only when
    // there are none. Widgets made with rowParent() as their parent are placed fastest.
    void replaceItems(const QList<QWidget*>& widgets);
    // Where rows live: a widget made here has the list's style from the start.
    QWidget* rowParent() const;
    // Starts refilling the rows in place: keeps the first count rows and their widgets, removes the
    // rest and goes back to the top; the no-data page shows when none remain. Rows to add follow
    // with addItemWidget(). A widget kept is neither made nor styled again.
    void keepRows(int count);
    // The widget of a row; null past the end.
    QWidget* rowWidget(int row) const;
    int count() const;
    QListWidget* listWidget() const;
    bool hasScrollBar() const { return m_hasScrollBar; }
    // Places widget under the list, on the list page.
    void setFooterWidget(QWidget* widget);

public slots:
    void showListPage();
    void showNoDataPage();
    void showWaitPage();
    void scrollValueChange(int value);
    void checkIsHaveVerBar();

signals:
    void hasScrollToTop();
    void moreClick();
    void haveScrollBarChange(bool have);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Adds the row alone: the page shown and the scroll bar are the caller's.
    QListWidgetItem* appendRow(QWidget* widget);
    void placeWidget(QListWidgetItem* item, QWidget* widget);
    void showPage(QWidget* page);
    static int rowHeight(const QWidget* widget, int width);
    void refreshRowHeight(QWidget* widget);

    QScopedPointer<Ui::CustomListWidget> m_ui;
    bool m_scrollTopArmed = true;
    bool m_hasScrollBar = false;
    bool m_atBottom = false;
};

#endif // CUSTOMLISTWIDGET_H
