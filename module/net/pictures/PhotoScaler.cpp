#include "net/pictures/PhotoScaler.h"

#include <QSemaphore>
#include <QThreadPool>
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

// Output lines [from, to) of `result`: each made from its input lines into one line of the
// input's width, which is then filtered along; no picture in between is kept.
void scaleLines(const QImage& image, uchar* result, qsizetype bytesPerLine, const Filter& rows, const Filter& columns,
                int from, int to)
{
    const int bytes = image.width() * 4;
    std::vector<uchar> between(static_cast<size_t>(bytes));
    std::vector<const uchar*> lines(size_t(rows.count));
    for (int y = from; y < to; ++y) {
        for (int k = 0; k < rows.count; ++k)
            lines[size_t(k)] = image.constScanLine(rows.first[size_t(y)] + k);
        filterLines(lines, between.data(), &rows.weights[size_t(y) * size_t(rows.count)],
                    &rows.pairs[size_t(y) * size_t(rows.count / 2)], rows.count, bytes);
        filterPixels(between.data(), result + y * bytesPerLine, columns, int(columns.first.size()));
    }
}

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
    QImage result(size, source.format());
    if (result.isNull())
        return result;
    const Filter rows = makeFilter(source.height(), size.height());
    const Filter columns = makeFilter(source.width(), size.width());
    // Taken once: scanLine() on the result from two threads would race on its detach count.
    uchar* bits = result.bits();
    const qsizetype bytesPerLine = result.bytesPerLine();
    const int middle = size.height() / 2;
    QSemaphore done;
    // A helper only when one is idle right now: waiting for a queued one could wait for ever
    // when every thread of the pool waits likewise.
    const bool helped = helpers && middle > 0 && helpers->tryStart([&] {
        scaleLines(source, bits, bytesPerLine, rows, columns, middle, size.height());
        done.release();
    });
    scaleLines(source, bits, bytesPerLine, rows, columns, 0, helped ? middle : size.height());
    if (helped)
        done.acquire();
    return result;
}
