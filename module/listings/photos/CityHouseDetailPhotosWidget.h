#ifndef CITYHOUSEDETAILPHOTOSWIDGET_H
#define CITYHOUSEDETAILPHOTOSWIDGET_H

#include "listings/photos/PhotoShowWidget.h"

#include <QList>
#include <QPointer>
#include <QScrollArea>
#include <QVariantMap>

class ImageShowLabel;
class QGridLayout;
class QLabel;

// The thumbnails of a house, two to a row; a click opens the viewer at that photo. A house without
// photos says "暂无图片".
class CityHouseDetailPhotosWidget : public QScrollArea
{
    Q_OBJECT
public:
    explicit CityHouseDetailPhotosWidget(QWidget* parent = nullptr);

    // One map per photo with "url" and "name" (its position from 1).
    void setPhotos(const QList<QVariantMap>& photos);

    QList<ImageShowLabel*> thumbnails() const { return m_thumbnails; }
    QGridLayout* grid() const { return m_grid; }
    // What the panel says while there is no photo; empty while there are.
    QString emptyText() const;
    // The viewer opened last, while it is open.
    PhotoShowWidget* viewer() const { return m_viewer; }

private:
    void openViewer(int index);

    QWidget* m_content = nullptr;
    QGridLayout* m_grid = nullptr;
    QList<QVariantMap> m_photos;
    QList<ImageShowLabel*> m_thumbnails;
    QWidget* m_filler = nullptr;
    QLabel* m_empty = nullptr;
    QPointer<PhotoShowWidget> m_viewer;
};

#endif // CITYHOUSEDETAILPHOTOSWIDGET_H
