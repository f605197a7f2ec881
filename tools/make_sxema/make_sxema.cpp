// Draws the picture of how the light barriers are wired to the serial connector
// and writes it as JPEG:
//   QT_QPA_PLATFORM=offscreen make_sxema resources/sxema.jpg

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <QTextStream>

#include <algorithm>

#include <cstdio> // jpeglib.h needs FILE declared first
#include <cstdlib>

#include <jpeglib.h>

namespace {

constexpr int kWidth = 644;
constexpr int kHeight = 272;

const QColor kBackground(0xFF, 0xFF, 0xFF);
const QColor kTrack(0xE8, 0x78, 0x2A);
const QColor kLine(0x40, 0x40, 0x40);
const QColor kText(0x20, 0x20, 0x20);
const QColor kGreen(0x2E, 0xA0, 0x43);
const QColor kYellow(0xF5, 0xC8, 0x00);
const QColor kBlue(0x1F, 0x6F, 0xEB);

constexpr int kTrackTop = 58;
constexpr int kTrackBottom = 100;
constexpr int kPostTop = 36;
constexpr int kPostBottom = 122;
constexpr int kTopDotY = 44;
constexpr int kBottomDotY = 114;
// The wire of a post's upper dot runs down this far to the right of the post.
constexpr int kUpperWireOffset = 18;

constexpr QRect kPortBox(92, 204, 424, 58);
constexpr int kPinY = 224;
constexpr int kPinHalfSpacing = 12;

struct Post
{
    const char *label;
    int x;
    QColor color;
};

const Post kPosts[] = {
    {"0 m", 56, kGreen},    {"5 m", 176, kYellow},  {"10 m", 296, kBlue},
    {"15 m", 416, kYellow}, {"Finish", 566, kBlue},
};

// One line of the connector: the posts wired to it in parallel, its pin pair,
// and the heights at which the lower-dot and upper-dot wires run across.
struct PortLine
{
    const char *pins;
    int pinCentreX;
    QColor color;
    int lowerBusY;
    int upperBusY;
};

const PortLine kLines[] = {
    {"1 - 4", 262, kYellow, 134, 144},
    {"4 - 6", 372, kGreen, 178, 188},
    {"7 - 8", 482, kBlue, 156, 166},
};

QFont labelFont(int pixelSize)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

// A wire as a coloured core in a dark sheath, so light colours stay visible on
// white and on the track, and a crossing reads as one wire over the other.
void drawWire(QPainter &painter, const QPolygon &path, const QColor &color)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kLine, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(path);
    painter.setPen(QPen(color, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(path);
}

void drawDot(QPainter &painter, QPoint centre, int radius, const QColor &color)
{
    painter.setPen(QPen(kLine, 1.5));
    painter.setBrush(color);
    painter.drawEllipse(QPointF(centre), radius, radius);
}

// The wires of every post on this line, joined on two buses that run on to the
// line's pins.
void drawLineWiring(QPainter &painter, const PortLine &line)
{
    const int lowerPin = line.pinCentreX - kPinHalfSpacing;
    const int upperPin = line.pinCentreX + kPinHalfSpacing;
    QPolygon lowerBus;
    QPolygon upperBus;
    for (const Post &post : kPosts) {
        if (post.color != line.color)
            continue;
        const int upperX = post.x + kUpperWireOffset;
        drawWire(painter, QPolygon({QPoint(post.x, kBottomDotY), QPoint(post.x, line.lowerBusY)}),
                 line.color);
        drawWire(painter,
                 QPolygon({QPoint(post.x, kTopDotY), QPoint(upperX, kTopDotY),
                           QPoint(upperX, line.upperBusY)}),
                 line.color);
        lowerBus << QPoint(post.x, line.lowerBusY);
        upperBus << QPoint(upperX, line.upperBusY);
    }
    lowerBus << QPoint(lowerPin, line.lowerBusY);
    upperBus << QPoint(upperPin, line.upperBusY);
    const auto byX = [](QPoint a, QPoint b) { return a.x() < b.x(); };
    std::sort(lowerBus.begin(), lowerBus.end(), byX);
    std::sort(upperBus.begin(), upperBus.end(), byX);
    drawWire(painter, lowerBus, line.color);
    drawWire(painter, upperBus, line.color);
    drawWire(painter, QPolygon({QPoint(lowerPin, line.lowerBusY), QPoint(lowerPin, kPinY)}),
             line.color);
    drawWire(painter, QPolygon({QPoint(upperPin, line.upperBusY), QPoint(upperPin, kPinY)}),
             line.color);

    // A joint where a wire branches off inside a bus, not where it only bends.
    for (const QPolygon &bus : {lowerBus, upperBus}) {
        for (qsizetype i = 1; i + 1 < bus.size(); ++i)
            drawDot(painter, bus.at(i), 4, line.color);
    }
}

void drawTrack(QPainter &painter)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(kTrack);
    painter.drawRect(QRect(QPoint(12, kTrackTop), QPoint(kWidth - 13, kTrackBottom)));
    painter.setPen(QPen(Qt::white, 2));
    painter.drawLine(12, kTrackTop + 4, kWidth - 13, kTrackTop + 4);
    painter.drawLine(12, kTrackBottom - 4, kWidth - 13, kTrackBottom - 4);
}

void drawPost(QPainter &painter, const Post &post)
{
    painter.setPen(QPen(kLine, 1.5));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(post.x - 5, kPostTop, 10, kPostBottom - kPostTop), 3, 3);
    drawDot(painter, QPoint(post.x, kTopDotY), 6, post.color);
    drawDot(painter, QPoint(post.x, kBottomDotY), 6, post.color);

    painter.setPen(kText);
    painter.setFont(labelFont(14));
    painter.drawText(QRect(post.x - 40, 6, 80, 24), Qt::AlignCenter,
                     QString::fromLatin1(post.label));
}

void drawPort(QPainter &painter)
{
    painter.setPen(QPen(kLine, 1.5, Qt::DashLine));
    painter.setBrush(QColor(0xF4, 0xF4, 0xF4));
    painter.drawRect(kPortBox);

    painter.setPen(kText);
    painter.setFont(labelFont(14));
    painter.drawText(QRect(kPortBox.left() + 10, kPortBox.top(), 110, kPortBox.height()),
                     Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("PC COM-PORT"));

    for (const PortLine &line : kLines) {
        for (int pinX : {line.pinCentreX - kPinHalfSpacing, line.pinCentreX + kPinHalfSpacing})
            drawDot(painter, QPoint(pinX, kPinY), 5, Qt::white);
        painter.setPen(kText);
        painter.setFont(labelFont(13));
        painter.drawText(QRect(line.pinCentreX - 30, kPinY + 8, 60, 22), Qt::AlignCenter,
                         QString::fromLatin1(line.pins));
    }
}

QImage drawWiringPicture()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(kBackground);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    drawTrack(painter);
    drawPort(painter);
    for (const PortLine &line : kLines)
        drawLineWiring(painter, line);
    for (const Post &post : kPosts)
        drawPost(painter, post);
    return image;
}

// Full chroma resolution keeps the thin coloured wires and the text crisp.
// libjpeg's default error handler ends the tool with its message, which is all
// a generator run by hand needs.
QByteArray encodeJpeg(QImage image)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);

    cinfo.image_width = static_cast<JDIMENSION>(image.width());
    cinfo.image_height = static_cast<JDIMENSION>(image.height());
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    cinfo.comp_info[0].h_samp_factor = 1;
    cinfo.comp_info[0].v_samp_factor = 1;
    cinfo.optimize_coding = TRUE;

    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(cinfo.next_scanline));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);

    QByteArray jpeg(reinterpret_cast<const char *>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return jpeg;
}

} // namespace

int main(int argc, char *argv[])
{
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the encoder reads Format_RGB32 as BGRX");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        err << "usage: make_sxema <output.jpg>\n";
        return 2;
    }
    QSaveFile file(args.at(1));
    if (!file.open(QIODevice::WriteOnly) || file.write(encodeJpeg(drawWiringPicture())) < 0 ||
        !file.commit()) {
        err << "make_sxema: cannot write " << args.at(1) << ": " << file.errorString() << '\n';
        return 1;
    }
    return 0;
}
