// Runs photos through the module's own compression as an editor does: one batch, all started
// at once, factor 1.0, limit 204800. Prints each photo's time, result size in bytes and pixels,
// then the batch's wall time, the time to the first result and the process's peak memory.
// A result that the editors would not upload (not JPEG or PNG, or over the limit) is printed as
// "failed FILE: reason", and the exit status is then 1.
//
//   photo_bench [--out DIR] FILE...        compress, copying each result into DIR
//   photo_bench --plain FILE...            for comparison, one after another: a plain full
//                                          decode, fitted into the box, encoded once
//   photo_bench --decode-only FILE...      for comparison, full decodes one after another

#include "net/pictures/PhotoCompression.h"
#include "net/pictures/PhotoFormats.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTextStream>
#include <QVector>

#include <cstdio>

namespace {

QString peakMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("unknown");
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray& line : lines) {
        if (line.startsWith("VmHWM:"))
            return QString::fromLatin1(line.mid(6).simplified());
    }
    return QStringLiteral("unknown");
}

struct Outcome
{
    QString path;
    qint64 elapsedMs = -1;
};

int sequential(const QStringList& files, bool encode, QTextStream& out)
{
    QElapsedTimer batch;
    batch.start();
    for (const QString& file : files) {
        QElapsedTimer clock;
        clock.start();
        QImageReader reader;
        PhotoFormats::prepareReader(reader, file);
        reader.setAutoTransform(true);
        QImage image = reader.read();
        QByteArray bytes;
        if (encode && !image.isNull()) {
            image = image.scaled(PhotoCompression::fittedSize(image.size()), Qt::KeepAspectRatio,
                                 Qt::SmoothTransformation);
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "JPEG");
        }
        out << file << '\t' << (encode ? "plain " : "decode ") << clock.elapsed() << " ms\t" << bytes.size()
            << " bytes\t" << image.width() << 'x' << image.height() << '\n';
    }
    out << "batch wall " << batch.elapsed() << " ms\n";
    out << "peak memory " << peakMemory() << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);

    QStringList files;
    QString outDir;
    bool decode = false;
    bool plain = false;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--out") && i + 1 < args.size())
            outDir = args.at(++i);
        else if (args.at(i) == QLatin1String("--decode-only"))
            decode = true;
        else if (args.at(i) == QLatin1String("--plain"))
            plain = true;
        else
            files << args.at(i);
    }
    if (files.isEmpty()) {
        QTextStream(stderr) << "usage: photo_bench [--out DIR | --plain | --decode-only] FILE...\n";
        return 2;
    }
    if (decode || plain)
        return sequential(files, plain, out);
    if (!outDir.isEmpty())
        QDir().mkpath(outDir);

    const qint64 limit = 204800;
    QVector<Outcome> outcomes(files.size());
    int remaining = files.size();
    qint64 firstMs = -1;
    QElapsedTimer batch;
    QObject receiver;
    batch.start();
    for (int i = 0; i < files.size(); ++i) {
        PhotoCompression::start(files.at(i), i, limit, QString(), 1.0, &receiver,
                                [&](const QString& path, const QVariant& tag) {
                                    Outcome& outcome = outcomes[tag.toInt()];
                                    outcome.path = path;
                                    outcome.elapsedMs = batch.elapsed();
                                    if (firstMs < 0)
                                        firstMs = outcome.elapsedMs;
                                    if (--remaining == 0)
                                        app.quit();
                                });
    }
    app.exec();
    const qint64 wallMs = batch.elapsed();

    QStringList failures;
    for (int i = 0; i < files.size(); ++i) {
        const Outcome& outcome = outcomes.at(i);
        const QFileInfo result(outcome.path);
        QImageReader reader;
        PhotoFormats::prepareReader(reader, outcome.path);
        const QSize pixels = reader.size();
        const QString problem = PhotoFormats::uploadProblem(outcome.path, limit);
        if (!problem.isEmpty())
            failures << QStringLiteral("failed %1: %2").arg(files.at(i), problem);
        out << files.at(i) << '\t' << outcome.elapsedMs << " ms\t" << result.size() << " bytes\t"
            << pixels.width() << 'x' << pixels.height() << '\n';
        if (!outDir.isEmpty()) {
            const QString copy = QStringLiteral("%1/%2-result.%3")
                                     .arg(outDir, QFileInfo(files.at(i)).completeBaseName(), result.suffix());
            QFile::remove(copy);
            QFile::copy(outcome.path, copy);
        }
        // Results pile up in the temporary folder otherwise, and each run would get a new name.
        if (outcome.path != files.at(i))
            QFile::remove(outcome.path);
    }
    out << "batch wall " << wallMs << " ms\n";
    out << "first result " << firstMs << " ms\n";
    out << "peak memory " << peakMemory() << '\n';
    for (const QString& failure : qAsConst(failures))
        out << failure << '\n';
    return failures.isEmpty() ? 0 : 1;
}
