#include "listings/photos/CityHouseDetailPhotosWidget.h"

#include "listings/photos/PhotoShowWidget.h"
#include "net/pictures/ImageShowLabel.h"

#include <QGridLayout>
#include <QLabel>
#include <QStringList>

namespace {

const int kColumns = 2;
const QSize kThumbnailSize(140, 90);

} // namespace

CityHouseDetailPhotosWidget::CityHouseDetailPhotosWidget(QWidget* parent)
    : QScrollArea(parent)
    , m_content(new QWidget)
    , m_grid(new QGridLayout(m_content))
{
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_content->setObjectName(QStringLiteral("photosContent"));
    // The grid sits on whatever panel holds it.
    viewport()->setAutoFillBackground(false);
    m_content->setAutoFillBackground(false);
    setStyleSheet(QStringLiteral("QScrollArea, #photosContent { background: transparent; }"));
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setSpacing(10);
    m_grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_empty = new QLabel(QStringLiteral("暂无图片"), m_content);
    m_empty->setObjectName(QStringLiteral("noPhotosLabel"));
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->setFixedSize(kColumns * kThumbnailSize.width() + m_grid->spacing(), kThumbnailSize.height());
    m_empty->setStyleSheet(QStringLiteral("color:#999999;background:#f5f5f5;"));
    m_grid->addWidget(m_empty, 0, 0);
    setWidget(m_content);
}

QString CityHouseDetailPhotosWidget::emptyText() const
{
    return m_empty->isHidden() ? QString() : m_empty->text();
}

void CityHouseDetailPhotosWidget::setPhotos(const QList<QVariantMap>& photos)
{
    for (ImageShowLabel* thumbnail : qAsConst(m_thumbnails)) {
        m_grid->removeWidget(thumbnail);
        thumbnail->hide();
        thumbnail->deleteLater();
    }
    m_thumbnails.clear();
    if (m_filler) {
        m_grid->removeWidget(m_filler);
        m_filler->deleteLater();
        m_filler = nullptr;
    }
    m_photos = photos;
    m_empty->setHidden(!photos.isEmpty());
    if (photos.isEmpty())
        m_grid->addWidget(m_empty, 0, 0);
    else
        m_grid->removeWidget(m_empty);

    for (int i = 0; i < photos.size(); ++i) {
        auto* thumbnail = new ImageShowLabel(m_content);
        thumbnail->setFixedSize(kThumbnailSize);
        thumbnail->setAspectMode(Qt::KeepAspectRatioByExpanding);
        thumbnail->setMinimumHeight(kThumbnailSize.height());
        thumbnail->setCursor(Qt::PointingHandCursor);
        thumbnail->setToolTip(QStringLiteral("点击查看大图"));
        thumbnail->loadServiceImage(photos.at(i).value(QStringLiteral("url")).toString());
        connect(thumbnail, &ImageShowLabel::leftClick, this, [this, i]() { openViewer(i); });
        m_grid->addWidget(thumbnail, i / kColumns, i % kColumns);
        m_thumbnails.append(thumbnail);
    }
    // A single photo keeps to the left half.
    if (photos.size() == 1) {
        m_filler = new QWidget(m_content);
        m_filler->setFixedSize(kThumbnailSize);
        m_grid->addWidget(m_filler, 0, 1);
    }
}

void CityHouseDetailPhotosWidget::openViewer(int index)
{
    QStringList values;
    for (const QVariantMap& photo : qAsConst(m_photos))
        values.append(photo.value(QStringLiteral("url")).toString());
    PhotoShowWidget* viewer = PhotoShowWidget::openServicePhotos(values, index);
    if (!viewer)
        return;
    m_viewer = viewer;
}
