#ifndef MIRCROWEBSITETOPTHEREPHOTOVIEW_H
#define MIRCROWEBSITETOPTHEREPHOTOVIEW_H

#include "widgets/popups/CommonAddWidget.h"

#include <QPointer>
#include <QVariantMap>
#include <QWidget>

class ImageShowLabel;

// One of the three large icons at the top of the mini-program's home page: its picture, moved
// before or after its neighbours and edited in a popup. Nothing is sent from here: the style page
// sends all three.
class MircroWebSiteTopTherePhotoView : public QWidget
{
    Q_OBJECT
public:
    explicit MircroWebSiteTopTherePhotoView(QWidget* parent = nullptr);

    QVariantMap getData() const { return m_data; }
    CommonAddWidget* editorPopup() const { return m_popup; }

public slots:
    void setContentData(QVariantMap map);
    void editItem();

signals:
    void moveBefore();
    void moveAfter();

private:
    QVariantMap m_data;
    ImageShowLabel* m_image = nullptr;
    QPointer<CommonAddWidget> m_popup;
};

#endif // MIRCROWEBSITETOPTHEREPHOTOVIEW_H
