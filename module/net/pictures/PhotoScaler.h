#ifndef PHOTOSCALER_H
#define PHOTOSCALER_H

#include <QImage>
#include <QSize>

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

private:
    PhotoScaler() = delete;
};

#endif // PHOTOSCALER_H
