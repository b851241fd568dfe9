#ifndef MIRCROWEBSITESONSETWIDGET_H
#define MIRCROWEBSITESONSETWIDGET_H

#include <QList>
#include <QVariantMap>
#include <QWidget>

class SortWidget;

// The sub-settings of one home icon: which categories it shows, in which order.
class MircroWebSiteSonSetWidget : public QWidget
{
    Q_OBJECT
public:
    explicit MircroWebSiteSonSetWidget(QWidget* parent = nullptr);

    void setData(const QList<QVariantMap>& list);
    SortWidget* grid() const { return m_grid; }

signals:
    void backModifyValue(QList<QVariantMap> list);

private:
    SortWidget* m_grid = nullptr;
};

#endif // MIRCROWEBSITESONSETWIDGET_H
