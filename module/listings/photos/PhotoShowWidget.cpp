#include "listings/photos/PhotoShowWidget.h"

#include "net/http/NetRequestObjecet.h"
#include "net/pictures/ImageShowLabel.h"
#include "net/pictures/PhotoFormats.h"
#include "net/platform/AppFolders.h"
#include "widgets/popups/AlertFlashWidget.h"
#include "widgets/popups/AlertWidget.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QImageWriter>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>
#include <QToolTip>
#include <QTransform>
#include <QWheelEvent>

namespace {

const QSize kDialogSize(800, 600);
const int kLoadDelayMs = 20;
const int kToolTipDelayMs = 1500;
const int kArrowWidth = 40;
const int kArrowHeight = 70;
// Photos are shown near full size: only pictures above this are shrunk for the screen.
const qint64 kViewerFileLimit = 2 * 1024 * 1024;

struct NextFolder
{
    bool set = false;
    QString folder;
};

NextFolder& nextFolder()
{
    static NextFolder next;
    return next;
}

// A name that every file system accepts, from the last part of an address.
QString fileNameFromUrl(const QString& url)
{
    QString name = url.section(QLatin1Char('#'), 0, 0).section(QLatin1Char('?'), 0, 0).section(QLatin1Char('/'), -1);
    static const QString refused = QStringLiteral("%\\/:*?\"<>|");
    for (const QChar c : refused)
        name.remove(c);
    return name.trimmed().right(80);
}

} // namespace

PhotoShowWidget::PhotoShowWidget(QWidget* parent, int compress, int maskSize)
    : QDialog(parent)
    , m_toolTipTimer(new QTimer(this))
    , m_compress(compress != 0)
    , m_maskSize(maskSize)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QStringLiteral("图片浏览"));
    setObjectName(QStringLiteral("PhotoShowWidget"));
    setMouseTracking(true);
    setStyleSheet(QStringLiteral("#PhotoShowWidget { background-color: rgb(28,28,30); }"
                                 "#bottomBar { background-color: transparent; }"
                                 "#captionLabel { color: #ffffff; font-family: \"微软雅黑\"; }"
                                 "#pushButton_previous, #pushButton_next { border: 0px; }"
                                 "#pushButton_previous { image: url(:/res/photo_previous.png); }"
                                 "#pushButton_next { image: url(:/res/photo_next.png); }"
                                 "#pushButton_rotate, #pushButton_download { border: 0px; border-radius: 4px;"
                                 " background-color: rgba(0,0,0,90); padding: 4px; }"
                                 "#pushButton_rotate:hover, #pushButton_download:hover { background-color: rgba(0,0,0,160); }"));

    m_image = new ImageShowLabel(this);
    m_image->setMaxFileSize(kViewerFileLimit);
    // Paging clicks and moves belong to the dialog wherever the photo is.
    m_image->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(m_image, &ImageShowLabel::backImgSize, this, &PhotoShowWidget::adoptImageSize);

    m_previous = new QPushButton(this);
    m_previous->setObjectName(QStringLiteral("pushButton_previous"));
    m_previous->setToolTip(QStringLiteral("上一张"));
    m_next = new QPushButton(this);
    m_next->setObjectName(QStringLiteral("pushButton_next"));
    m_next->setToolTip(QStringLiteral("下一张"));
    for (QPushButton* arrow : {m_previous, m_next}) {
        arrow->setCursor(Qt::PointingHandCursor);
        arrow->setFocusPolicy(Qt::NoFocus);
    }
    connect(m_previous, &QPushButton::clicked, this, &PhotoShowWidget::last_photo);
    connect(m_next, &QPushButton::clicked, this, &PhotoShowWidget::next_photo);

    m_bottomBar = new QWidget(this);
    m_bottomBar->setObjectName(QStringLiteral("bottomBar"));
    m_caption = new QLabel(m_bottomBar);
    m_caption->setObjectName(QStringLiteral("captionLabel"));
    m_caption->setAlignment(Qt::AlignCenter);
    m_rotate = new QPushButton(m_bottomBar);
    m_rotate->setObjectName(QStringLiteral("pushButton_rotate"));
    m_rotate->setIcon(QIcon(QStringLiteral(":/res/photo_rotate.png")));
    m_rotate->setToolTip(QStringLiteral("旋转"));
    m_download = new QPushButton(m_bottomBar);
    m_download->setObjectName(QStringLiteral("pushButton_download"));
    m_download->setIcon(QIcon(QStringLiteral(":/res/photo_download.png")));
    m_download->setToolTip(QStringLiteral("保存图片"));
    for (QPushButton* button : {m_rotate, m_download}) {
        button->setFixedSize(30, 30);
        button->setIconSize(QSize(20, 20));
        button->setCursor(Qt::PointingHandCursor);
        button->setFocusPolicy(Qt::NoFocus);
    }
    auto* bar = new QHBoxLayout(m_bottomBar);
    bar->setContentsMargins(120, 0, 20, 0);
    bar->setSpacing(10);
    bar->addWidget(m_caption, 1);
    bar->addWidget(m_rotate);
    bar->addWidget(m_download);
    connect(m_rotate, &QPushButton::clicked, this, &PhotoShowWidget::rotatePhoto);
    connect(m_download, &QPushButton::clicked, this, &PhotoShowWidget::downloadPhoto);

    m_toolTipTimer->setSingleShot(true);
    m_toolTipTimer->setInterval(kToolTipDelayMs);
    connect(m_toolTipTimer, &QTimer::timeout, this, &PhotoShowWidget::showPagingToolTip);

    resize(kDialogSize);
    placeControls();
    fitImage();
}

PhotoShowWidget::~PhotoShowWidget() = default;

void PhotoShowWidget::setPhotos(const QStringList& urls, int index)
{
    QList<QVariantMap> photos;
    for (const QString& url : urls)
        photos.append(QVariantMap{{QStringLiteral("url"), url}});
    setPhotos(photos, index);
}

void PhotoShowWidget::setPhotos(const QList<QVariantMap>& photos, int index)
{
    m_photos.clear();
    m_rotatedCopies.clear();
    for (const QVariantMap& photo : photos)
        m_photos.append(Photo{photo.value(QStringLiteral("url")).toString(), photo.value(QStringLiteral("name")).toString()});
    m_index = m_photos.isEmpty() ? 0 : qBound(0, index, m_photos.size() - 1);
    m_busy = false;
    showCurrentPhoto();
}

QString PhotoShowWidget::captionText() const
{
    return m_caption->text();
}

void PhotoShowWidget::setNextFolder(const QString& folder)
{
    nextFolder().set = true;
    nextFolder().folder = folder;
}

QString PhotoShowWidget::freeFilePath(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    QString path = dir.filePath(name);
    const QFileInfo info(name);
    const QString base = info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    for (int n = 1; QFileInfo::exists(path); ++n)
        path = dir.filePath(QStringLiteral("%1(%2)%3").arg(base).arg(n).arg(suffix));
    return path;
}

void PhotoShowWidget::last_photo()
{
    if (m_busy || m_index <= 0)
        return;
    --m_index;
    showCurrentPhoto();
}

void PhotoShowWidget::next_photo()
{
    if (m_busy || m_index + 1 >= m_photos.size())
        return;
    ++m_index;
    showCurrentPhoto();
}

QString PhotoShowWidget::currentSource() const
{
    if (m_photos.isEmpty())
        return QString();
    return m_rotatedCopies.value(m_index, m_photos.at(m_index).url);
}

void PhotoShowWidget::showCurrentPhoto()
{
    if (m_busy)
        return;
    // Shows the placeholder and reports its size, so it sits fitted until the photo comes.
    m_image->loadImage(QString());

    const int count = m_photos.size();
    m_previous->setVisible(m_index > 0);
    m_next->setVisible(m_index + 1 < count);
    m_rotate->setEnabled(count > 0);
    m_download->setEnabled(count > 0);
    if (count == 0) {
        m_caption->clear();
        setWindowTitle(QStringLiteral("图片浏览"));
        return;
    }

    const QString name = m_photos.at(m_index).name;
    if (!name.isEmpty()) {
        m_caption->setTextFormat(Qt::RichText);
        m_caption->setText(QStringLiteral("<html><head/><body><p><span style=\" font-size:15px;\">%1</span>"
                                          "<span style=\" font-size:13px;\">(%2/%3)</span></p></body></html>")
                               .arg(name.toHtmlEscaped())
                               .arg(m_index + 1)
                               .arg(count));
        setWindowTitle(QStringLiteral("图片浏览(%1/%2)-%3").arg(m_index + 1).arg(count).arg(name));
    } else {
        m_caption->setTextFormat(Qt::PlainText);
        m_caption->setText(QStringLiteral("%1/%2").arg(m_index + 1).arg(count));
        setWindowTitle(QStringLiteral("图片浏览(%1/%2)").arg(m_index + 1).arg(count));
    }

    // The placeholder gets painted before the photo is read or fetched.
    m_busy = true;
    QTimer::singleShot(kLoadDelayMs, this, &PhotoShowWidget::loadCurrentPhoto);
}

void PhotoShowWidget::loadCurrentPhoto()
{
    m_busy = false;
    if (!m_photos.isEmpty())
        m_image->loadImage(currentSource(), m_compress, m_maskSize);
}

void PhotoShowWidget::adoptImageSize(QSize size)
{
    m_imageSize = size;
    fitImage();
}

void PhotoShowWidget::fitImage()
{
    const qint64 dialogWidth = width();
    const qint64 dialogHeight = height();
    const qint64 imageWidth = m_imageSize.width();
    const qint64 imageHeight = m_imageSize.height();
    if (imageWidth <= 0 || imageHeight <= 0 || dialogWidth <= 0 || dialogHeight <= 0) {
        m_image->setGeometry(rect());
        return;
    }
    // Relatively taller than the window: full height, centred horizontally; else full width.
    if (imageHeight * dialogWidth > dialogHeight * imageWidth) {
        const int fitted = int(imageWidth * dialogHeight / imageHeight);
        m_image->setGeometry(int((dialogWidth - fitted) / 2), 0, fitted, int(dialogHeight));
    } else {
        const int fitted = int(imageHeight * dialogWidth / imageWidth);
        m_image->setGeometry(0, int((dialogHeight - fitted) / 2), int(dialogWidth), fitted);
    }
}

void PhotoShowWidget::placeControls()
{
    m_bottomBar->setGeometry(0, height() - 50, width(), 30);
    const int top = (height() - kArrowHeight) / 2;
    m_previous->setGeometry(10, top, kArrowWidth, kArrowHeight);
    m_next->setGeometry(width() - 10 - kArrowWidth, top, kArrowWidth, kArrowHeight);
    m_previous->raise();
    m_next->raise();
    m_bottomBar->raise();
}

void PhotoShowWidget::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    fitImage();
    placeControls();
}

void PhotoShowWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        if (event->pos().x() < width() / 2)
            last_photo();
        else
            next_photo();
    }
    QDialog::mousePressEvent(event);
}

void PhotoShowWidget::mouseMoveEvent(QMouseEvent* event)
{
    m_lastMousePos = event->pos();
    m_toolTipTimer->start();
    QDialog::mouseMoveEvent(event);
}

void PhotoShowWidget::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta > 0)
        last_photo();
    else if (delta < 0)
        next_photo();
    event->accept();
}

void PhotoShowWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Left)
        last_photo();
    else if (event->key() == Qt::Key_Right)
        next_photo();
    else
        QDialog::keyPressEvent(event);
}

void PhotoShowWidget::showPagingToolTip()
{
    const QString tip = m_lastMousePos.x() < width() / 2 ? QStringLiteral("点击上一页") : QStringLiteral("点击下一页");
    QToolTip::showText(mapToGlobal(m_lastMousePos), tip, this);
}

void PhotoShowWidget::rotatePhoto()
{
    if (m_busy || m_photos.isEmpty() || !m_image->isLoaded())
        return;

    // The label's own cached copy of a fetched photo is turned in place; anything else (a file of
    // the user's) is never written: its turned copy goes into the cache and is shown instead.
    QString from = m_image->getShownPath();
    QString to = from;
    const QDir cache(m_image->getCacheFolder());
    if (m_rotatedCopies.contains(m_index)) {
        from = to = m_rotatedCopies.value(m_index);
    } else if (!ImageShowLabel::isAddress(m_photos.at(m_index).url)
               || QFileInfo(from).absolutePath() != cache.absolutePath()) {
        const QByteArray key = QCryptographicHash::hash(from.toUtf8(), QCryptographicHash::Md5).toHex();
        const QString suffix = QFileInfo(from).suffix().isEmpty() ? QStringLiteral("png") : QFileInfo(from).suffix();
        to = cache.filePath(QStringLiteral("rotated-%1.%2").arg(QString::fromLatin1(key), suffix));
    }

    // Only the formats we mean, told by the content: a plugin's guess would take any bytes for a picture.
    QImageReader reader;
    QByteArray format = PhotoFormats::prepareReader(reader, from);
    reader.setAutoTransform(true);
    const QImage turned = reader.read().transformed(QTransform().rotate(90));
    if (turned.isNull())
        return;
    if (!QImageWriter::supportedImageFormats().contains(format))
        format = QByteArrayLiteral("png");

    cache.mkpath(QStringLiteral("."));
    QSaveFile file(to);
    bool written = file.open(QIODevice::WriteOnly);
    if (written) {
        QImageWriter writer(&file, format);
        writer.setQuality(95);
        written = writer.write(turned) && file.commit();
    }
    if (!written) {
        AlertWidget::showError(QStringLiteral("图片旋转失败！"), QStringLiteral("main"));
        return;
    }
    if (to != from || m_rotatedCopies.contains(m_index))
        m_rotatedCopies.insert(m_index, to);

    m_image->loadImage(currentSource(), m_compress, m_maskSize);
    emit clickRotatePhoto();
}

QString PhotoShowWidget::chooseFolder()
{
    NextFolder& next = nextFolder();
    if (next.set) {
        next.set = false;
        return next.folder;
    }
    return QFileDialog::getExistingDirectory(this, QStringLiteral("存储位置"),
                                             QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
}

void PhotoShowWidget::downloadPhoto()
{
    if (m_photos.isEmpty())
        return;
    const QString folder = chooseFolder();
    if (folder.isEmpty())
        return;
    const QString url = m_photos.at(m_index).url;
    if (!ImageShowLabel::isAddress(url)) {
        keepCopy(url, folder, url);
        return;
    }

    // Fetched into the temporary folder first, so a name in the user's folder is only taken by
    // a complete photo, and never one that is already there.
    auto* request = new NetRequestObjecet(this);
    connect(request, &NetRequestObjecet::downloadFileSuccess, this, [this, folder, url](const QString& file) {
        keepCopy(file, folder, url);
        QFile::remove(file);
    });
    connect(request, &NetRequestObjecet::loadFail, this, [](int, const QString&) {
        AlertWidget::showError(QStringLiteral("图片下载失败！"), QStringLiteral("main"));
    });
    connect(request, &NetRequestObjecet::loadFinish, request, &QObject::deleteLater);
    request->downloadFile(url, AppFolders::temporaryFolder());
}

void PhotoShowWidget::keepCopy(const QString& file, const QString& folder, const QString& url)
{
    QString name = fileNameFromUrl(url);
    if (name.isEmpty())
        name = QStringLiteral("图片");
    if (QFileInfo(name).suffix().isEmpty()) {
        QByteArray format = PhotoFormats::formatOf(file);
        if (format == "jpeg")
            format = "jpg";
        if (!format.isEmpty())
            name += QLatin1Char('.') + QString::fromLatin1(format);
    }

    QDir().mkpath(folder);
    // QFile::copy never replaces a file: a name taken in between only moves us to the next one.
    QString target;
    for (int attempt = 0; attempt < 100 && target.isEmpty(); ++attempt) {
        const QString candidate = freeFilePath(folder, name);
        if (QFile::copy(file, candidate))
            target = candidate;
        else if (!QFileInfo::exists(candidate))
            break;
    }
    if (target.isEmpty()) {
        AlertWidget::showError(QStringLiteral("图片保存失败！"), QStringLiteral("main"));
        return;
    }
    AlertFlashWidget::showSuccess(QStringLiteral("图片下载成功！"), 2000, this);
    emit photoSaved(target);
}

PhotoShowWidget* PhotoShowWidget::openServicePhotos(const QStringList& values, int index)
{
    QStringList urls;
    int shown = -1;
    for (int i = 0; i < values.size(); ++i) {
        if (!ImageShowLabel::isServiceAddress(values.at(i)))
            continue;
        if (i == index)
            shown = urls.size();
        urls.append(values.at(i));
    }
    if (shown < 0)
        return nullptr;
    auto* viewer = new PhotoShowWidget(nullptr, 1, 0);
    viewer->setPhotos(urls, shown);
    viewer->show();
    return viewer;
}
