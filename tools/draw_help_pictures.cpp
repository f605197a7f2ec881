// Draws the pictures of the help file:
//   QT_QPA_PLATFORM=offscreen draw_help_pictures --out resources/help
// The output is committed; run this again after changing a picture here.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTextStream>

namespace {

const QColor kGreen(0, 170, 0);
const QColor kYellow(235, 200, 0);
const QColor kBlue(40, 90, 230);

struct Post
{
    int x;
    const char *label;
    QColor colour;
};

// The track with its five barriers, the wires and the three pin pairs they
// go to: the same colours as the legend of the settings dialog.
QImage wiringPicture()
{
    QImage image(560, 256, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(225, 110, 40));
    p.drawRoundedRect(QRect(15, 52, 530, 26), 6, 6);
    p.setPen(Qt::white);
    p.drawText(QRect(375, 52, 130, 26), Qt::AlignCenter, QStringLiteral("Laufrichtung →"));

    const Post posts[] = {{40, "0 m", kGreen},
                          {150, "5 m", kYellow},
                          {260, "10 m", kBlue},
                          {370, "15 m", kYellow},
                          {510, "Ziel", kBlue}};
    const auto wire = [&p](const QColor &colour) { p.setPen(QPen(colour, 3)); };
    const auto joint = [&p](const QColor &colour, QPoint at) {
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(at, 4, 4);
    };

    // Wires first, so posts and the box sit on top of them.
    wire(kGreen);
    p.drawPolyline(QPolygon({QPoint(40, 78), QPoint(40, 112), QPoint(110, 112), QPoint(110, 175)}));
    wire(kYellow);
    p.drawPolyline(
        QPolygon({QPoint(150, 78), QPoint(150, 128), QPoint(370, 128), QPoint(370, 78)}));
    p.drawLine(280, 128, 280, 175);
    wire(kBlue);
    p.drawPolyline(
        QPolygon({QPoint(260, 78), QPoint(260, 144), QPoint(510, 144), QPoint(510, 78)}));
    p.drawLine(450, 144, 450, 175);
    joint(kYellow, QPoint(280, 128));
    joint(kBlue, QPoint(450, 144));

    for (const Post &post : posts) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRect(post.x - 5, 30, 10, 48));
        p.setPen(Qt::NoPen);
        p.setBrush(post.colour);
        p.drawEllipse(QPoint(post.x, 44), 6, 6);
        p.setPen(Qt::black);
        p.drawText(QRect(post.x - 30, 8, 60, 18), Qt::AlignCenter, QString::fromUtf8(post.label));
    }

    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    p.setBrush(QColor(245, 245, 245));
    p.drawRect(QRect(30, 175, 500, 74));
    p.setPen(Qt::black);
    p.drawText(QRect(30, 224, 500, 20), Qt::AlignCenter,
               QStringLiteral("PC: COM-Port, 9-poliger Stecker"));
    const struct
    {
        int x;
        const char *pins;
        QColor colour;
    } terminals[] = {{110, "4 – 6", kGreen}, {280, "1 – 4", kYellow}, {450, "7 – 8", kBlue}};
    for (const auto &terminal : terminals) {
        const QRect box(terminal.x - 42, 184, 84, 32);
        p.setPen(QPen(terminal.colour, 3));
        p.setBrush(Qt::white);
        p.drawRoundedRect(box, 4, 4);
        p.setPen(Qt::black);
        p.drawText(box, Qt::AlignCenter, QString::fromUtf8(terminal.pins));
    }
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws the pictures of the help file."));
    parser.addHelpOption();
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("Folder to write to."),
                                       QStringLiteral("folder"), QStringLiteral("."));
    parser.addOption(outOption);
    parser.process(app);

    const QString path = QDir(parser.value(outOption)).filePath(QStringLiteral("verkabelung.png"));
    if (!wiringPicture().save(path)) {
        QTextStream(stderr) << "cannot write " << path << Qt::endl;
        return 1;
    }
    return 0;
}
