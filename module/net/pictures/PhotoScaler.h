#ifndef PHOTOSCALER_H
#define PHOTOSCALER_H

#include <QImage>
#include <QSize>

#include <functional>

class QThreadPool;

// Shrinks photos with a Lanczos filter (three lobes), as image tools do for a full-quality
// downscale: Qt's smooth scaling averages areas and blurs the fine detail that a photo is
// judged by, the more so when the shrink is slight. Separable, in fixed point, both passes in
// one sweep down the picture, with SSE2 where the processor has it.
class PhotoScaler
{
public:
    // `image` at `size` as RGB32, or premultiplied ARGB32 when it has transparency. A thread of
    // `helpers` that is idle at the time does half of the lines. A null image for an empty size.
    static QImage scaled(const QImage& image, const QSize& size, QThreadPool* helpers = nullptr);

    // A picture that is being decoded, line by line in order: run once, it calls `lineFor(y)` for
    // the memory of line y (4 bytes a pixel, RGB32) and `lineDone(y)` once that line is filled,
    // and returns false when the decode failed.
    using LineDecoder = std::function<bool(const std::function<uchar*(int)>& lineFor,
                                           const std::function<void(int)>& lineDone)>;
    // The decoder's picture of `source` pixels at `size`, as RGB32, scaled while it is decoded: by
    // a thread of `helpers` that is idle at the time, else here between lines. Only the lines the
    // filter still needs are kept. A null image when the decode fails or ends early.
    static QImage scaledWhileDecoding(const QSize& source, const QSize& size, const LineDecoder& decode,
                                      QThreadPool* helpers = nullptr);

private:
    PhotoScaler() = delete;
};

#endif // PHOTOSCALER_H
