#ifndef PHOTOCOMPRESSION_H
#define PHOTOCOMPRESSION_H

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QThread>
#include <QVariant>

#include <atomic>
#include <type_traits>

// Makes a picked or downloaded photo small enough to send: reads it (JPEG, PNG, HEIF/HEIC, AVIF,
// WebP or TIFF, told by its content; a JPEG at a reduced scale where the result is smaller
// anyway), turns it upright, fits it into 1920 x 1080 and writes a JPEG at the highest quality
// that keeps it within a byte limit, shrinking it further only when even a low quality does not.
// One worker and one QThread serve one run; the run reports exactly one result through
// compression_address(): the file to use, which is the source itself when compression is not
// needed (a JPEG or PNG within the limit, an icon) or not possible (not a picture it reads).
// A result that is still over the limit or not JPEG or PNG must not be uploaded
// (PhotoFormats::uploadProblem()).
//
// Most callers want start(), which creates, wires, starts and later releases worker and thread.
class PhotoCompression : public QObject
{
    Q_OBJECT

public:
    explicit PhotoCompression(QObject* parent = nullptr);
    ~PhotoCompression() override;

    void setParameters(const QString& address, const QVariant& value, qint64 maxFileSize,
                       const QString& outputPath, double scaleFactor);

    // Runs one compression of `address` in a thread of its own and delivers the result to
    // `slot` of `receiver` (a member function or a functor) on the receiver's thread. Worker and
    // thread delete themselves after the result; destroying the receiver early only drops the
    // result. The returned pointer is for watching only; it becomes null once the run is over.
    template <typename Receiver, typename Slot>
    static QPointer<PhotoCompression> start(const QString& address, const QVariant& value,
                                            qint64 maxFileSize, const QString& outputPath,
                                            double scaleFactor, Receiver* receiver, Slot slot)
    {
        static_assert(std::is_base_of<QObject, Receiver>::value, "the receiver must be a QObject");
        QThread* thread = nullptr;
        PhotoCompression* worker = prepare(address, value, maxFileSize, outputPath, scaleFactor,
                                           receiver, &thread);
        connect(worker, &PhotoCompression::compression_address, receiver, slot);
        QPointer<PhotoCompression> guard(worker);
        thread->start(QThread::InheritPriority);
        return guard;
    }

    // The size a w x h image (as it stands upright) is fitted to inside the 1920 x 1080 box.
    static QSize fittedSize(const QSize& upright);

    // Reserves `preferred` for a run that is about to write it, or, while another run is writing
    // that file, a free name beside it. Release the returned path once it is written.
    static QString claimOutputPath(const QString& preferred);
    // Reserves the file a run without an output path writes: "<baseName>_com.jpg" in `folder`,
    // else "<baseName>_com_copy.jpg", else a numbered name beside that. A name that is on disk
    // counts as taken as well as one that another run is writing, so an earlier result that a
    // caller still uses is never overwritten.
    static QString claimDerivedOutputPath(const QString& folder, const QString& baseName);
    static void releaseOutputPath(const QString& path);

public slots:
    void startCompression();
    void stopCompresssion();

signals:
    void compression_address(QString address, QVariant value);

private:
    static PhotoCompression* prepare(const QString& address, const QVariant& value,
                                     qint64 maxFileSize, const QString& outputPath,
                                     double scaleFactor, QObject* receiver, QThread** thread);
    // The heavy part of a run: the file written, or an empty string when the source stands.
    QString compressFile();
    void finish(const QString& path);

    const QSize maxImageSize;
    QString address;
    QVariant value;
    qint64 maxFileSize = 204800;
    QString outputPath;
    double scaleFactor = 4.0;
    std::atomic<bool> stopRequested{false};
};

#endif // PHOTOCOMPRESSION_H
