#pragma once

#include <QByteArray>
#include <QImage>

namespace platform {

// Decodes a JPEG held in memory with libjpeg into a QImage::Format_RGB32 image.
// Anything libjpeg cannot read as a JPEG (no JPEG at all, a broken header, an
// unsupported colour space, a picture too large to hold) gives a null image.
// Damaged or missing picture data is not an error: libjpeg fills what it could
// not decode, so a truncated file still gives a picture of its full size whose
// missing part is flat.
QImage decodeJpeg(const QByteArray &data);

} // namespace platform
