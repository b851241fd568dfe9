#include "net/pictures/PhotoScaler.h"

#include <QMutex>
#include <QMutexLocker>
#include <QSemaphore>
#include <QThreadPool>
#include <QWaitCondition>
#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

const int kLobes = 3;
// Weights in fixed point: a sum of 1 << kShift.
const int kShift = 14;
const double kPi = 3.14159265358979323846;

double lanczos(double x)
{
    if (x == 0.0)
        return 1.0;
    if (std::abs(x) >= kLobes)
        return 0.0;
    const double px = kPi * x;
    return kLobes * std::sin(px) * std::sin(px / kLobes) / (px * px);
}

// For each output position, `count` weights over the inputs from its `first` on.
struct Filter
{
    int count = 0;
    std::vector<int> first;
    std::vector<std::int16_t> weights;
    // Neighbouring weights two by two in one 32-bit value, as the vector code multiplies them.
    std::vector<std::int32_t> pairs;
};

Filter makeFilter(int in, int out)
{
    const double scale = double(in) / out;
    // Shrinking widens the kernel to the input's spacing; enlarging keeps it.
    const double stretch = std::max(1.0, scale);
    const double support = kLobes * stretch;
    Filter filter;
    // As many inputs as an interval of twice the support can hold, made even: the vector code
    // takes the taps in pairs.
    filter.count = int(std::floor(2 * support)) + 1;
    filter.count = std::min(in, filter.count + filter.count % 2);
    filter.first.resize(size_t(out));
    filter.weights.assign(size_t(out) * size_t(filter.count), 0);
    std::vector<double> taps(size_t(filter.count));
    for (int i = 0; i < out; ++i) {
        const double centre = (i + 0.5) * scale - 0.5;
        const int low = int(std::floor(centre - support)) + 1;
        const int high = int(std::floor(centre + support));
        const int first = qBound(0, low, in - filter.count);
        std::fill(taps.begin(), taps.end(), 0.0);
        double sum = 0;
        // Beyond the edges the edge pixel repeats.
        for (int j = low; j <= high; ++j) {
            const double weight = lanczos((j - centre) / stretch);
            taps[size_t(qBound(0, j, in - 1) - first)] += weight;
            sum += weight;
        }
        std::int16_t* weights = &filter.weights[size_t(i) * size_t(filter.count)];
        int total = 0;
        int largest = 0;
        for (int k = 0; k < filter.count; ++k) {
            weights[k] = std::int16_t(std::lround(taps[size_t(k)] / sum * (1 << kShift)));
            total += weights[k];
            if (weights[k] > weights[largest])
                largest = k;
        }
        // Exactly one in all, so that flat colour stays flat.
        weights[largest] = std::int16_t(weights[largest] + (1 << kShift) - total);
        filter.first[size_t(i)] = first;
    }
    for (size_t k = 0; k + 1 < filter.weights.size(); k += 2) {
        filter.pairs.push_back(std::int32_t((std::uint32_t(std::uint16_t(filter.weights[k + 1])) << 16)
                                            | std::uint16_t(filter.weights[k])));
    }
    return filter;
}

inline uchar clamped(int value)
{
    return uchar(qBound(0, value >> kShift, 255));
}

#if defined(__SSE2__)
// Taps go two at a time: bytes of two inputs interleaved into 16-bit pairs are multiplied by the
// pair of weights and summed into 32 bits (pmaddwd).
inline __m128i weighted(__m128i bytePairs, __m128i zero, std::int32_t pair, bool high)
{
    const __m128i words = high ? _mm_unpackhi_epi8(bytePairs, zero) : _mm_unpacklo_epi8(bytePairs, zero);
    return _mm_madd_epi16(words, _mm_set1_epi32(pair));
}

inline __m128i narrowed(__m128i a, __m128i b)
{
    return _mm_packs_epi32(_mm_srai_epi32(a, kShift), _mm_srai_epi32(b, kShift));
}
#endif

// Each output line from `count` input lines; the loop runs along the lines.
void filterLines(const std::vector<const uchar*>& lines, uchar* line, const std::int16_t* weights,
                 const std::int32_t* pairs, int count, int bytes)
{
    int i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi32(1 << (kShift - 1));
    for (; i + 16 <= bytes; i += 16) {
        __m128i s0 = half;
        __m128i s1 = half;
        __m128i s2 = half;
        __m128i s3 = half;
        for (int k = 0; k + 1 < count; k += 2) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lines[size_t(k)] + i));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lines[size_t(k) + 1] + i));
            const __m128i low = _mm_unpacklo_epi8(a, b);
            const __m128i high = _mm_unpackhi_epi8(a, b);
            const std::int32_t pair = pairs[k / 2];
            s0 = _mm_add_epi32(s0, weighted(low, zero, pair, false));
            s1 = _mm_add_epi32(s1, weighted(low, zero, pair, true));
            s2 = _mm_add_epi32(s2, weighted(high, zero, pair, false));
            s3 = _mm_add_epi32(s3, weighted(high, zero, pair, true));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(line + i), _mm_packus_epi16(narrowed(s0, s1), narrowed(s2, s3)));
    }
#else
    Q_UNUSED(pairs)
#endif
    for (; i < bytes; ++i) {
        int sum = 1 << (kShift - 1);
        for (int k = 0; k < count; ++k)
            sum += weights[k] * lines[size_t(k)][i];
        line[i] = clamped(sum);
    }
}

// Each output pixel of a line from `count` neighbouring input pixels.
void filterPixels(const uchar* source, uchar* line, const Filter& filter, int width)
{
    for (int x = 0; x < width; ++x) {
        const uchar* pixel = source + 4 * filter.first[size_t(x)];
#if defined(__SSE2__)
        const std::int32_t* pairs = &filter.pairs[size_t(x) * size_t(filter.count / 2)];
        const __m128i zero = _mm_setzero_si128();
        __m128i sum = _mm_set1_epi32(1 << (kShift - 1));
        for (int k = 0; k + 1 < filter.count; k += 2) {
            // b0 g0 r0 a0 b1 g1 r1 a1 becomes the pairs (b0 b1) (g0 g1) (r0 r1) (a0 a1).
            const __m128i two = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(pixel + 4 * k));
            sum = _mm_add_epi32(sum, weighted(_mm_unpacklo_epi8(two, _mm_srli_si128(two, 4)), zero, pairs[k / 2], false));
        }
        const int value = _mm_cvtsi128_si32(_mm_packus_epi16(narrowed(sum, zero), zero));
        std::memcpy(line + 4 * x, &value, 4);
#else
        const std::int16_t* weights = &filter.weights[size_t(x) * size_t(filter.count)];
        int sum[4] = {1 << (kShift - 1), 1 << (kShift - 1), 1 << (kShift - 1), 1 << (kShift - 1)};
        for (int k = 0; k < filter.count; ++k) {
            for (int c = 0; c < 4; ++c)
                sum[c] += weights[k] * pixel[4 * k + c];
        }
        for (int c = 0; c < 4; ++c)
            line[4 * x + c] = clamped(sum[c]);
#endif
    }
}

// What scaling one picture to one size takes: the two filters and the result, whose memory is
// taken once (scanLine() from two threads would race on the image's detach count).
struct Scaling
{
    Scaling(const QSize& source, const QSize& size, QImage::Format format)
        : result(size, format)
        , rows(makeFilter(source.height(), size.height()))
        , columns(makeFilter(source.width(), size.width()))
        , bits(result.isNull() ? nullptr : result.bits())
        , bytesPerLine(result.bytesPerLine())
        , lineBytes(size_t(source.width()) * 4)
    {
    }

    // Output line y from the input lines its filter takes, through `between`, one line of the
    // input's width: no picture in between is kept.
    void scaleLine(const std::vector<const uchar*>& lines, std::vector<uchar>& between, int y) const
    {
        filterLines(lines, between.data(), &rows.weights[size_t(y) * size_t(rows.count)],
                    &rows.pairs[size_t(y) * size_t(rows.count / 2)], rows.count, int(lineBytes));
        filterPixels(between.data(), bits + y * bytesPerLine, columns, int(columns.first.size()));
    }

    // Output lines [from, to) of a whole picture.
    void scaleLines(const QImage& image, int from, int to) const
    {
        std::vector<uchar> between(lineBytes);
        std::vector<const uchar*> lines(size_t(rows.count));
        for (int y = from; y < to; ++y) {
            for (int k = 0; k < rows.count; ++k)
                lines[size_t(k)] = image.constScanLine(rows.first[size_t(y)] + k);
            scaleLine(lines, between, y);
        }
    }

    QImage result;
    const Filter rows;
    const Filter columns;
    uchar* const bits;
    const qsizetype bytesPerLine;
    const size_t lineBytes;
};

} // namespace

QImage PhotoScaler::scaled(const QImage& image, const QSize& size, QThreadPool* helpers)
{
    if (size.isEmpty() || image.isNull())
        return QImage();
    QImage source = image;
    if (source.format() != QImage::Format_RGB32 && source.format() != QImage::Format_ARGB32_Premultiplied)
        source = source.convertToFormat(source.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                  : QImage::Format_RGB32);
    if (source.size() == size)
        return source;
    Scaling scaling(source.size(), size, source.format());
    if (!scaling.bits)
        return QImage();
    const int middle = size.height() / 2;
    QSemaphore done;
    // A helper only when one is idle right now: waiting for a queued one could wait for ever
    // when every thread of the pool waits likewise.
    const bool helped = helpers && middle > 0 && helpers->tryStart([&] {
        scaling.scaleLines(source, middle, size.height());
        done.release();
    });
    scaling.scaleLines(source, 0, helped ? middle : size.height());
    if (helped)
        done.acquire();
    return scaling.result;
}

QImage PhotoScaler::scaledWhileDecoding(const QSize& source, const QSize& size, const LineDecoder& decode,
                                        QThreadPool* helpers)
{
    if (size.isEmpty() || source.isEmpty())
        return QImage();
    Scaling scaling(source, size, QImage::Format_RGB32);
    if (!scaling.bits)
        return QImage();
    const Filter& rows = scaling.rows;
    // A ring of input lines: line y lives in slot y % kept until no output line needs it.
    const int kept = std::min(source.height(), rows.count + 16);
    std::vector<uchar> ring(size_t(kept) * scaling.lineBytes);
    const auto slot = [&](int y) { return ring.data() + size_t(y % kept) * scaling.lineBytes; };
    // Output line y needs input lines up to (not including) this one.
    const auto linesNeeded = [&](int y) { return rows.first[size_t(y)] + rows.count; };
    std::vector<uchar> between(scaling.lineBytes);
    std::vector<const uchar*> lines(size_t(rows.count));
    const auto scaleNext = [&](int y) {
        for (int k = 0; k < rows.count; ++k)
            lines[size_t(k)] = slot(rows.first[size_t(y)] + k);
        scaling.scaleLine(lines, between, y);
    };

    // With a helper: the decoder waits for a free slot, the helper for the lines it needs.
    QMutex mutex;
    QWaitCondition changed;
    int decoded = 0;
    int lowestNeeded = 0;
    bool decoderEnded = false;
    int scaledLines = 0;
    QSemaphore helperDone;
    const bool helped = helpers && helpers->tryStart([&] {
        for (int y = 0; y < size.height(); ++y) {
            {
                QMutexLocker locker(&mutex);
                while (decoded < linesNeeded(y) && !decoderEnded)
                    changed.wait(&mutex);
                if (decoded < linesNeeded(y))
                    break;
            }
            scaleNext(y);
            QMutexLocker locker(&mutex);
            scaledLines = y + 1;
            lowestNeeded = y + 1 < size.height() ? rows.first[size_t(y) + 1] : source.height();
            changed.wakeAll();
        }
        helperDone.release();
    });
    const auto lineFor = [&](int y) {
        if (helped) {
            QMutexLocker locker(&mutex);
            while (y - lowestNeeded >= kept)
                changed.wait(&mutex);
        }
        return slot(y);
    };
    const auto lineDone = [&](int y) {
        if (helped) {
            QMutexLocker locker(&mutex);
            decoded = y + 1;
            changed.wakeAll();
            return;
        }
        // Alone: every output line whose input is complete now, before the next line is decoded.
        while (scaledLines < size.height() && linesNeeded(scaledLines) <= y + 1)
            scaleNext(scaledLines++);
    };
    const bool ok = decode(lineFor, lineDone);
    if (helped) {
        {
            QMutexLocker locker(&mutex);
            decoderEnded = true;
            changed.wakeAll();
        }
        helperDone.acquire();
    }
    return ok && scaledLines == size.height() ? scaling.result : QImage();
}
