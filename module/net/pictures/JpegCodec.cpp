#include "net/pictures/JpegCodec.h"

#include <QMap>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

// The byte order of QImage::Format_RGB32 in memory.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
const J_COLOR_SPACE kOpaqueLines = JCS_EXT_BGRA;
const J_COLOR_SPACE kLines = JCS_EXT_BGRX;
#else
const J_COLOR_SPACE kOpaqueLines = JCS_EXT_ARGB;
const J_COLOR_SPACE kLines = JCS_EXT_XRGB;
#endif

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back to
// the function that started the work. Those functions keep nothing that needs destroying.
struct Failure
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void jumpBack(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<Failure*>(info->err)->jump, 1);
}

// Damaged data only warns; the decode goes on as far as it can, quietly.
void ignoreWarning(j_common_ptr, int) {}

jpeg_error_mgr* errorsOf(Failure* failure)
{
    jpeg_error_mgr* manager = jpeg_std_error(&failure->manager);
    manager->error_exit = jumpBack;
    manager->emit_message = ignoreWarning;
    return manager;
}

const unsigned char* bytesOf(const QByteArray& data)
{
    return reinterpret_cast<const unsigned char*>(data.constData());
}

using LineFor = std::function<uchar*(int)>;
using LineDone = std::function<void(int)>;

// Reads the header, giving the stored size, and with lines to fill decodes at `eighths` into
// them. False for a header that cannot be read, for CMYK, for lines of another size than
// `reduced`, and when the decode fails.
bool decompress(const QByteArray& jpeg, int* width, int* height, int eighths = 8, const QSize& reduced = QSize(),
                const LineFor* lineFor = nullptr, const LineDone* lineDone = nullptr)
{
    jpeg_decompress_struct info;
    Failure failure;
    info.err = errorsOf(&failure);
    if (setjmp(failure.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytesOf(jpeg), static_cast<unsigned long>(jpeg.size()));
    bool ok = jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK && info.jpeg_color_space != JCS_CMYK
        && info.jpeg_color_space != JCS_YCCK;
    *width = int(info.image_width);
    *height = int(info.image_height);
    if (ok && lineFor && lineDone) {
        info.scale_num = unsigned(eighths);
        info.scale_denom = 8;
        info.out_color_space = kOpaqueLines;
        info.dct_method = JDCT_ISLOW;
        jpeg_calc_output_dimensions(&info);
        // The lines must be the size their memory was made for.
        ok = int(info.output_width) == reduced.width() && int(info.output_height) == reduced.height();
        if (ok) {
            jpeg_start_decompress(&info);
            while (info.output_scanline < info.output_height) {
                const int y = int(info.output_scanline);
                JSAMPROW line = (*lineFor)(y);
                jpeg_read_scanlines(&info, &line, 1);
                (*lineDone)(y);
            }
        }
    }
    // Whatever follows the last line is of no use: not read, so it cannot fail the decode.
    jpeg_destroy_decompress(&info);
    return ok;
}

bool compressLines(const uchar* bits, int width, int height, qsizetype bytesPerLine, int quality,
                   unsigned char** buffer, unsigned long* size)
{
    jpeg_compress_struct info;
    Failure failure;
    info.err = errorsOf(&failure);
    if (setjmp(failure.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 4;
    info.in_color_space = kLines;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    // The accurate transform, as Qt's writer uses: the fast one costs quality at every size.
    info.dct_method = JDCT_ISLOW;
    if (quality >= 90) {
        for (int i = 0; i < info.num_components; ++i) {
            info.comp_info[i].h_samp_factor = 1;
            info.comp_info[i].v_samp_factor = 1;
        }
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW line = const_cast<uchar*>(bits + qsizetype(info.next_scanline) * bytesPerLine);
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

int JpegCodec::eighths(const QByteArray& jpeg, const QSize& needed, QSize* reduced)
{
    int width = 0;
    int height = 0;
    if (jpeg.isEmpty() || !decompress(jpeg, &width, &height) || width <= 0 || height <= 0)
        return 0;
    // Halvings only: libjpeg-turbo has fast reduced transforms for them, and 3/8 and the like
    // come out softer, which no resampling after gives back. Sizes round up, as libjpeg's do.
    for (int eighths : {1, 2, 4, 8}) {
        const QSize size((width * eighths + 7) / 8, (height * eighths + 7) / 8);
        if (eighths == 8 || (size.width() >= needed.width() && size.height() >= needed.height())) {
            *reduced = size;
            return eighths;
        }
    }
    return 0;
}

bool JpegCodec::decodeLines(const QByteArray& jpeg, int eighths, const QSize& reduced,
                            const std::function<uchar*(int)>& lineFor, const std::function<void(int)>& lineDone)
{
    int width = 0;
    int height = 0;
    return !jpeg.isEmpty() && decompress(jpeg, &width, &height, eighths, reduced, &lineFor, &lineDone);
}

QByteArray JpegCodec::encode(const QImage& image, int quality)
{
    if (image.isNull())
        return QByteArray();
    // Transparent parts come out as a pixmap would render them: premultiplied, alpha dropped.
    const QImage pixels = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32_Premultiplied
        ? image
        : image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    QByteArray bytes;
    if (compressLines(pixels.constBits(), pixels.width(), pixels.height(), pixels.bytesPerLine(), quality, &buffer,
                      &size))
        bytes = QByteArray(reinterpret_cast<const char*>(buffer), int(size));
    std::free(buffer);
    return bytes;
}

QColorSpace JpegCodec::colorSpace(const QByteArray& jpeg)
{
    // Segments up to the first scan: APP2 "ICC_PROFILE\0", then its sequence number and count.
    static const QByteArray tag("ICC_PROFILE", 12);
    QMap<int, QByteArray> chunks;
    int pos = 2;
    while (pos + 4 <= jpeg.size() && uchar(jpeg.at(pos)) == 0xff) {
        const uchar marker = uchar(jpeg.at(pos + 1));
        if (marker == 0xff) {
            ++pos;
            continue;
        }
        if (marker == 0xda || marker == 0xd9)
            break;
        const int length = (uchar(jpeg.at(pos + 2)) << 8) | uchar(jpeg.at(pos + 3));
        if (length < 2 || pos + 2 + length > jpeg.size())
            break;
        if (marker == 0xe2 && length >= 2 + tag.size() + 2 && jpeg.mid(pos + 4, tag.size()) == tag)
            chunks.insert(uchar(jpeg.at(pos + 4 + tag.size())), jpeg.mid(pos + 6 + tag.size(), length - 4 - tag.size()));
        pos += 2 + length;
    }
    if (chunks.isEmpty())
        return QColorSpace();
    QByteArray profile;
    for (const QByteArray& chunk : qAsConst(chunks))
        profile += chunk;
    return QColorSpace::fromIccProfile(profile);
}
