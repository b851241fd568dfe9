#ifndef ITEMBUTTONWIDGET_H
#define ITEMBUTTONWIDGET_H

#include "frame/MircroWebsiteOperateList_Model.h"

#include <QWidget>

class ImageShowLabel;
class QLabel;

// One function tile of the main page: its icon over its title.
class ItemButtonWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ItemButtonWidget(QWidget* parent = nullptr);

    void setData(const MircroWebsiteOperateList_Model::ListData& data);
    MircroWebsiteOperateList_Model::ListData data() const { return m_data; }

signals:
    void clickItem(const MircroWebsiteOperateList_Model::ListData& data);
    void rightClickItem(const MircroWebsiteOperateList_Model::ListData& data);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setHovered(bool hovered);

    MircroWebsiteOperateList_Model::ListData m_data;
    ImageShowLabel* m_icon;
    QLabel* m_title;
};

#endif // ITEMBUTTONWIDGET_H
