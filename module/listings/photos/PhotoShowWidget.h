#ifndef PHOTOSHOWWIDGET_H
#define PHOTOSHOWWIDGET_H

#include <QDialog>
#include <QHash>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class ImageShowLabel;
class QLabel;
class QPushButton;
class QTimer;
class QWidget;

// The photo viewer: one photo at a time, scaled into the window, paged by the arrow buttons, by a
// click on the left or right half, by the wheel and by the arrow keys; the current photo can be
// turned by a quarter and saved into a folder the user picks. Stays on top and deletes itself when
// closed.
class PhotoShowWidget : public QDialog
{
    Q_OBJECT
public:
    // compress and maskSize are the image label's loading options for every photo.
    explicit PhotoShowWidget(QWidget* parent = nullptr, int compress = 1, int maskSize = 0);
    ~PhotoShowWidget() override;

    // Photos by address (or local path), starting at index.
    void setPhotos(const QStringList& urls, int index);
    // Photos as maps with "url" and "name"; a name shows in the caption and the title.
    void setPhotos(const QList<QVariantMap>& photos, int index);

    // Opens a viewer on the values of the service that are addresses, at the one of `index`; a
    // value that is not an address is never opened as a local file. Null when `index` is not one.
    static PhotoShowWidget* openServicePhotos(const QStringList& values, int index);

    int currentIndex() const { return m_index; }
    int photoCount() const { return m_photos.size(); }
    bool isBusy() const { return m_busy; }
    QSize imageSize() const { return m_imageSize; }
    QString captionText() const;
    ImageShowLabel* imageLabel() const { return m_image; }

    // Test seam for the folder picker: the next save uses this folder instead of asking; an empty
    // folder answers as a cancelled picker would.
    static void setNextFolder(const QString& folder);
    // `name` in folder when no file has it, else the first free "base(n).suffix".
    static QString freeFilePath(const QString& folder, const QString& name);

public slots:
    void last_photo();
    void next_photo();
    void rotatePhoto();
    void downloadPhoto();
    void adoptImageSize(QSize size);

signals:
    void clickRotatePhoto();
    // A copy of the current photo was written to this file.
    void photoSaved(const QString& path);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Photo
    {
        QString url;
        QString name;
    };

    void showCurrentPhoto();
    void loadCurrentPhoto();
    QString currentSource() const;
    void fitImage();
    void placeControls();
    void showPagingToolTip();
    // Copies a downloaded or local photo into the folder under a free name; reports the outcome.
    void keepCopy(const QString& file, const QString& folder, const QString& url);
    QString chooseFolder();

    QList<Photo> m_photos;
    int m_index = 0;
    bool m_busy = false;
    QSize m_imageSize{0, 0};
    QTimer* m_toolTipTimer = nullptr;
    QPoint m_lastMousePos;
    // Rotated copies of photos whose shown file lies outside the label's cache, which is never
    // written over.
    QHash<int, QString> m_rotatedCopies;

    bool m_compress = true;
    int m_maskSize = 0;
    ImageShowLabel* m_image = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QWidget* m_bottomBar = nullptr;
    QLabel* m_caption = nullptr;
    QPushButton* m_rotate = nullptr;
    QPushButton* m_download = nullptr;
};

#endif // PHOTOSHOWWIDGET_H
