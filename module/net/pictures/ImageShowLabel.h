#ifndef IMAGESHOWLABEL_H
#define IMAGESHOWLABEL_H

#include <QImage>
#include <QLabel>
#include <QSize>
#include <QString>
#include <QVariant>

class QNetworkReply;

// Shows a picture that lives on disk or on the service: a placeholder while it loads, a file cache
// so that an address is downloaded once, an optional compression run for large pictures, and
// painting scaled to the label, to a fixed size, under an overlay or cut by a round mask. A picture
// keeps its proportions: fitted inside the label, or covering it with its edges cut off.
class ImageShowLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ImageShowLabel(QWidget* parent = nullptr);
    ~ImageShowLabel() override;

    void loadImage(const QString& source, bool compress = false, int maskSize = 0);
    // For a picture named by the service: only an http or https address is fetched; any other
    // value shows the placeholder and is never opened as a file.
    void loadServiceImage(const QString& value, bool compress = false, int maskSize = 0);
    // An editor's picture: a file picked on this machine, else one the service names.
    void loadPickedOrServiceImage(const QString& value, bool compress = false);

    // 0 image cache, 1 temporary folder, 2 photo folder, 3 the application's folder; any other
    // mode keeps the folder. useCache is stored in every case.
    void setCacheFolder(int mode, bool useCache);
    void setMaxFileSize(qint64 size);
    // Always marks the display size as set; the size itself is kept only when both are positive.
    void setShowSize(int width, int height);
    void setScaleFactor(int factor);
    void setShowPlaceholder(bool show);
    void setPlaceholderPath(const QString& path);
    void setOverlayPath(const QString& path);
    void setEmitClick(bool emitOnPress);
    void setPressEnabled(bool enabled);
    // Qt::KeepAspectRatio (the default) fits the whole picture inside the label;
    // Qt::KeepAspectRatioByExpanding fills the label and cuts off what overflows, centred. A
    // picture is never stretched.
    void setAspectMode(Qt::AspectRatioMode mode);
    Qt::AspectRatioMode aspectMode() const { return aspectRatioMode; }
    // A text drawn over the placeholder while it is on show, as the label's text.
    void setPlaceholderText(const QString& text);
    // A label the user clicks to choose a picture: presses emit clickLabel(), the cursor is a
    // hand, and the placeholder says pickHint().
    void setPickable(bool pickable);
    static QString pickHint();

    QString getSource() const;
    QString getShownPath() const;
    QString getCacheFolder() const;
    int getPaintState() const;
    double getAspectRatio() const;
    bool isLoaded() const;

    // Whether a source names a remote picture rather than a local file.
    static bool isAddress(const QString& source);
    // Whether a value from the service is a well-formed http or https address.
    static bool isServiceAddress(const QString& value);
    // Whether a compression run this label started has not answered yet (an older one included,
    // whose result will be dropped): editors must not save meanwhile.
    bool isCompressing() const { return compressionsInFlight > 0; }
    // Spaces removed and "http://" put in front when the address has no scheme.
    static QString normalizedAddress(const QString& source);
    // The cache file name of an address, which depends on the size limit too.
    static QString cacheName(qint64 maxFileSize, const QString& address);

signals:
    void startLoad();
    void photoLoadFinish();
    void backImgSize(QSize size);
    void downloadPicSuccess(QString path);
    void downloadPicFinish();
    void clickLabel();
    void leftClick();
    void doubleClick();

public slots:
    // Shows the picture the shared download behind `reply` has stored for this label's load.
    void dealpicdownload(QNetworkReply* reply);
    void dealPhotosCompression(QString path);
    void dealDownloadPhotosCompression(QString path, QVariant value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // Counts a new load, announces it and keeps its source and options.
    void beginLoad(const QString& newSource, bool compressLarge, int newMaskSize);
    // Shows a file, or loads the source again through compression when it is too large to show
    // as it is; returns the path used (another extension when the file had to be renamed, the
    // placeholder when it does not decode).
    QString showFile(const QString& path, bool repairExtension);
    void showPlaceholderIfWanted();
    // A picture that cannot be read or fetched leaves the placeholder on show.
    void showFailure();
    // Records the aspect ratio of the picture just read and reports its size.
    void reportSize(const QSize& size);
    void startCompressionRun(const QString& file, const QString& outputPath);
    void download(const QString& address);
    // The shown picture brought to `size` with its proportions kept, as the aspect mode says.
    QImage paintedPicture(const QSize& size, Qt::TransformationMode mode);
    QImage maskedPicture();

    int cacheMode = 0;
    double aspectRatio = 0;
    QString cacheFolder;
    bool useCache = true;
    bool showPlaceholder = true;
    QString placeholderPath;
    QString shownPath;
    int maskSize = 0;
    bool compress = false;
    qint64 maxFileSize = 30720;
    int scaleFactor = 1;
    QString source;
    QString overlayPath;
    QSize fixedSize{0, 0};
    bool fixedSizeSet = false;
    int paintState = 3;
    bool emitClick = false;
    bool pressEnabled = true;
    Qt::AspectRatioMode aspectRatioMode = Qt::KeepAspectRatio;
    QString placeholderText;
    bool loaded = false;
    // Counts the loads; a download or compression result of an older one is not shown.
    quint64 currentLoad = 0;
    int compressionsInFlight = 0;

    QLabel* hiddenLabel = nullptr;
    // The cache file the current load's download is to fill.
    QString pendingFile;
    // Decoded once per showing, not once per paint.
    QImage shownImage;
    QImage overlayImage;
    QImage paintCache;
    qint64 paintCacheImage = 0;
    QSize paintCacheSize;
    int paintCacheState = -1;
};

#endif // IMAGESHOWLABEL_H
