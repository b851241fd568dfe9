#ifndef LOADFAILEDVIEW_H
#define LOADFAILEDVIEW_H

#include <QString>
#include <QWidget>

class ListPager;
class QLabel;
class QPushButton;

// What a list shows when its first load failed: the reason in words ("请求超时", "服务返回的数据
// 无法识别" ...) and "重试". A list that already shows rows keeps them instead, so this view only
// ever stands in for nothing.
class LoadFailedView : public QWidget
{
    Q_OBJECT
public:
    explicit LoadFailedView(QWidget* parent = nullptr);

    void setReason(const QString& reason);
    QString reason() const;

    // Puts the view over `area` whenever the pager's request fails before any page was shown, and
    // takes it away once a page is; "重试" asks the pager again.
    static void follow(ListPager* pager, QWidget* area);
    // For a page that loads once when opened: the view over `area`, hidden until showReason(), and
    // kept at the area's size.
    static LoadFailedView* over(QWidget* area);
    // Stands in over the area with the reason.
    void showReason(const QString& reason);

signals:
    void retry();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_reason;
    QPushButton* m_retry;
};

#endif // LOADFAILEDVIEW_H
