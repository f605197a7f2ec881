#include "platform/JpegDecoder.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE declared first

#include <jpeglib.h>

namespace platform {
namespace {

// Pictures of the program's windows are far smaller (a 4K screen holds 8.3
// million pixels); a header that claims more is damaged, and allocating for it
// could exhaust memory.
constexpr quint64 kMaxPixels = quint64(4096) * 4096;

// Format_RGB32 keeps each pixel as the 32-bit value 0xffRRGGBB, so its byte
// order in memory follows the machine's.
constexpr J_COLOR_SPACE kRgb32ColorSpace =
    (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) ? JCS_EXT_BGRX : JCS_EXT_XRGB;

struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void errorExit(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(cinfo->err)->jump, 1);
}

// libjpeg would print its warnings (damaged data, premature end) to stderr;
// the program keeps no log, and the flat fill already shows the damage.
void ignoreMessage(j_common_ptr) {}

// Only trivially destructible locals live here: a longjmp back to setjmp must
// not skip a destructor. Our own refusals take the same way out as libjpeg's
// errors.
bool decodeInto(const QByteArray &data, QImage &image)
{
    jpeg_decompress_struct cinfo;
    ErrorManager errors;
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = errorExit;
    errors.pub.output_message = ignoreMessage;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = kRgb32ColorSpace;
    jpeg_start_decompress(&cinfo);

    const quint64 pixels = quint64(cinfo.output_width) * cinfo.output_height;
    if (pixels == 0 || pixels > kMaxPixels)
        std::longjmp(errors.jump, 1);
    image = QImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                   QImage::Format_RGB32);
    if (image.isNull())
        std::longjmp(errors.jump, 1);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(cinfo.output_scanline));
        // A memory source never suspends, so no row is a failure, not a pause.
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
            std::longjmp(errors.jump, 1);
    }
    // Every row is decoded; what the file holds after them cannot change the
    // picture, so it is not read (reading it could only fail on damage there).
    jpeg_destroy_decompress(&cinfo);
    return true;
}

} // namespace

QImage decodeJpeg(const QByteArray &data)
{
    QImage image;
    if (!decodeInto(data, image))
        return {};
    return image;
}

} // namespace platform
