#ifndef STAYTUNEDWIDGET_H
#define STAYTUNEDWIDGET_H

#include <QPixmap>
#include <QWidget>

class QLabel;
class QSpacerItem;

// Placeholder page for empty or not yet built areas: a light illustration with a centred message,
// "敬请期待" by default and "暂无数据" when it stands for an empty list.
class StayTunedWidget : public QWidget
{
    Q_OBJECT
public:
    explicit StayTunedWidget(QWidget* parent = nullptr);

    void setEmptyData(bool empty);
    bool isEmptyData() const { return m_emptyData; }
    QString text() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_label = nullptr;
    QSpacerItem* m_imageSpace = nullptr;
    QPixmap m_background;
    bool m_emptyData = false;
};

#endif // STAYTUNEDWIDGET_H
