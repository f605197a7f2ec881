#include "platform/JpegDecoder.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

namespace {

QByteArray wiringPicture()
{
    QFile file(QStringLiteral(":/sxema.jpg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Offset of a marker segment (0xFF, code), or -1. In a header written by
// libjpeg no table byte pair looks like a marker before the scan starts.
qsizetype markerOffset(const QByteArray &jpeg, uchar code)
{
    const char marker[] = {'\xFF', static_cast<char>(code)};
    return jpeg.indexOf(QByteArrayView(marker, 2));
}

constexpr uchar kStartOfFrame = 0xC0;
constexpr uchar kStartOfScan = 0xDA;

QByteArray withFrameSize(QByteArray jpeg, quint16 width, quint16 height)
{
    const qsizetype sof = markerOffset(jpeg, kStartOfFrame);
    Q_ASSERT(sof >= 0);
    // FF C0, length (2), precision (1), height (2), width (2)
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

bool closeTo(QRgb pixel, QRgb expected)
{
    constexpr int kTolerance = 16; // JPEG is lossy
    return qAbs(qRed(pixel) - qRed(expected)) <= kTolerance &&
           qAbs(qGreen(pixel) - qGreen(expected)) <= kTolerance &&
           qAbs(qBlue(pixel) - qBlue(expected)) <= kTolerance;
}

QString describe(QRgb pixel)
{
    return QStringLiteral("rgb(%1, %2, %3)").arg(qRed(pixel)).arg(qGreen(pixel)).arg(qBlue(pixel));
}

} // namespace

class TestJpegDecoder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(!wiringPicture().isEmpty()); }

    // Spots of the generated wiring picture, in colours whose channels differ,
    // so a wrong channel order shows.
    void decodesWiringPicture()
    {
        const QImage image = platform::decodeJpeg(wiringPicture());
        QCOMPARE(image.size(), QSize(644, 272));
        QCOMPARE(image.format(), QImage::Format_RGB32);
        const struct
        {
            QPoint at;
            QRgb colour;
        } spots[] = {
            {QPoint(2, 2), qRgb(0xFF, 0xFF, 0xFF)},     // background
            {QPoint(30, 80), qRgb(0xE8, 0x78, 0x2A)},   // track
            {QPoint(56, 114), qRgb(0x2E, 0xA0, 0x43)},  // green dot at 0 m
            {QPoint(296, 114), qRgb(0x1F, 0x6F, 0xEB)}, // blue dot at 10 m
            {QPoint(176, 114), qRgb(0xF5, 0xC8, 0x00)}, // yellow dot at 5 m
        };
        for (const auto &spot : spots) {
            const QRgb pixel = image.pixel(spot.at);
            QVERIFY2(closeTo(pixel, spot.colour),
                     qPrintable(
                         describe(pixel) +
                         QStringLiteral(" at %1,%2 instead of ").arg(spot.at.x()).arg(spot.at.y()) +
                         describe(spot.colour)));
        }
    }

    // A file cut off inside the picture data keeps its size and the rows it
    // still holds; libjpeg fills the rest flat. The picture is help, not data:
    // what is left of it is worth showing, and the flat part shows the damage.
    void truncatedDataGivesPartialPicture()
    {
        const QByteArray jpeg = wiringPicture();
        const QImage full = platform::decodeJpeg(jpeg);
        const qsizetype scan = markerOffset(jpeg, kStartOfScan);
        QVERIFY(scan > 0);
        const QImage partial = platform::decodeJpeg(jpeg.left(scan + (jpeg.size() - scan) / 2));
        QCOMPARE(partial.size(), QSize(644, 272));
        QCOMPARE(partial.format(), QImage::Format_RGB32);
        for (int y = 0; y < 8; ++y) {
            QVERIFY2(std::equal(partial.constScanLine(y), partial.constScanLine(y) + 644 * 4,
                                full.constScanLine(y)),
                     qPrintable(QString::number(y)));
        }
        const QRgb *lastRow = reinterpret_cast<const QRgb *>(partial.constScanLine(271));
        QVERIFY(std::all_of(lastRow, lastRow + 644, [&](QRgb p) { return p == lastRow[0]; }));
    }

    void unreadableGivesEmptyImage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray jpeg = wiringPicture();
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImage(8, 8, QImage::Format_RGB32).save(&buffer, "PNG");

        QTest::newRow("nothing") << QByteArray();
        QTest::newRow("text") << QByteArrayLiteral("Zeitenprotokoll\r\n");
        QTest::newRow("PNG") << png;
        QTest::newRow("only the start marker") << jpeg.left(2);
        QTest::newRow("cut in the header") << jpeg.left(100);
        QTest::newRow("cut before the scan") << jpeg.left(markerOffset(jpeg, kStartOfScan));
        QTest::newRow("zero width") << withFrameSize(jpeg, 0, 272);
        QTest::newRow("zero height") << withFrameSize(jpeg, 644, 0);
        QTest::newRow("too large to hold") << withFrameSize(jpeg, 65000, 65000);
        QByteArray badSampling = jpeg;
        // First component's sampling factors 0x11 -> 0x55: not a valid frame.
        badSampling[markerOffset(jpeg, kStartOfFrame) + 11] = char(0x55);
        QTest::newRow("bad sampling") << badSampling;
    }

    void unreadableGivesEmptyImage()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(platform::decodeJpeg(bytes).isNull());
    }

    // Damage anywhere must never crash; damage inside the picture data still
    // gives a picture of the full size.
    void damagedBytesNeverCrash()
    {
        const QByteArray jpeg = wiringPicture();
        const qsizetype scan = markerOffset(jpeg, kStartOfScan);
        QRandomGenerator random(20261208);
        for (int round = 0; round < 300; ++round) {
            QByteArray damaged = jpeg;
            const bool inData = round % 2 == 0;
            const qsizetype from = inData ? scan + 20 : 2;
            const qsizetype to = inData ? jpeg.size() - 2 : scan + 14;
            const int changes = 1 + int(random.bounded(8));
            for (int i = 0; i < changes; ++i)
                damaged[from + qsizetype(random.bounded(quint64(to - from)))] =
                    char(random.bounded(256));
            const QImage image = platform::decodeJpeg(damaged);
            if (inData) {
                QCOMPARE(image.size(), QSize(644, 272));
            } else if (!image.isNull()) {
                QCOMPARE(image.format(), QImage::Format_RGB32);
                QVERIFY(image.width() > 0 && image.height() > 0);
            }
        }
    }
};

QTEST_MAIN(TestJpegDecoder)
#include "tst_JpegDecoder.moc"
