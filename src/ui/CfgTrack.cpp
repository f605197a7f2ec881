#include "ui/CfgTrack.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

TShape::TShape(const QString &name, const QColor &color, QWidget *parent)
    : QWidget(parent)
    , m_color(color)
{
    setObjectName(name);
    resize(13, 13);
}

void TShape::setBrushColor(const QColor &color)
{
    m_color = color;
    update();
}

void TShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(m_color);
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

namespace {

struct Marker
{
    const char *name;
    QPoint at;
    QColor color;
    const char *hint;
};

struct Tick
{
    QRect bounds;
    QColor color;
};

// A stopwatch: the timing clock at the start.
void drawClock(QPainter &painter, QRect bounds)
{
    const QRectF face(bounds.left() + 3.5, bounds.top() + 6.5, 25, 25);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(0x60, 0x60, 0x60));
    painter.drawRect(QRectF(bounds.left() + 13.5, bounds.top() + 0.5, 5, 4));
    painter.drawRect(QRectF(bounds.left() + 15, bounds.top() + 4, 2, 3));
    painter.drawLine(QPointF(face.right() - 3, face.top() + 2),
                     QPointF(face.right() + 0.5, face.top() - 1.5));
    painter.setBrush(QColor(0xC0, 0xC0, 0xC0));
    painter.drawEllipse(face);
    painter.setBrush(Qt::white);
    painter.drawEllipse(face.adjusted(2.5, 2.5, -2.5, -2.5));
    const QPointF centre = face.center();
    for (int hour = 0; hour < 12; ++hour) {
        const double angle = hour * std::numbers::pi / 6;
        const QPointF direction(std::sin(angle), -std::cos(angle));
        const double inner = hour % 3 == 0 ? 7 : 8.5;
        painter.drawLine(centre + direction * inner, centre + direction * 10);
    }
    painter.setPen(QPen(Qt::red, 1.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(5.5, -5.5));
    painter.setPen(QPen(Qt::black, 1.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(0, -8));
}

// A red octagon with a white rim and "STOP".
void drawStopSign(QPainter &painter, QRect bounds)
{
    const QRectF box = QRectF(bounds).adjusted(0.5, 0.5, -0.5, -0.5);
    const auto octagon = [](const QRectF &r) {
        const double cut = r.width() / (2 + std::numbers::sqrt2);
        QPolygonF points;
        points << QPointF(r.left() + cut, r.top()) << QPointF(r.right() - cut, r.top())
               << QPointF(r.right(), r.top() + cut) << QPointF(r.right(), r.bottom() - cut)
               << QPointF(r.right() - cut, r.bottom()) << QPointF(r.left() + cut, r.bottom())
               << QPointF(r.left(), r.bottom() - cut) << QPointF(r.left(), r.top() + cut);
        return points;
    };
    painter.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
    painter.setBrush(Qt::white);
    painter.drawPolygon(octagon(box));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xD0, 0x00, 0x00));
    painter.drawPolygon(octagon(box.adjusted(2, 2, -2, -2)));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(9);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, QStringLiteral("STOP"));
}

// A red line ending in a blue arrowhead, in a 17 x 16 cell.
void drawArrow(QPainter &painter, QPoint at, bool pointsRight)
{
    painter.save();
    painter.translate(at);
    if (!pointsRight) {
        painter.translate(17, 0);
        painter.scale(-1, 1);
    }
    painter.setPen(QPen(Qt::red, 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(0, 8), QPointF(10, 8));
    QPainterPath head;
    head.moveTo(16.5, 8);
    head.lineTo(8, 2.5);
    head.lineTo(8, 13.5);
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x00, 0x00, 0xC0));
    painter.drawPath(head);
    painter.restore();
}

} // namespace

TTrackPicture::TTrackPicture(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TrackPicture"));
    setGeometry(0, 0, 465, 95);
    // The marker colours are those of the legend: the line each barrier is wired to.
    const Marker markers[] = {
        {"Shape5", {20, 45}, kStartLineColor, "Ampel"},
        {"Shape1", {101, 45}, kIntermediateLineColor, "Start-LS1"},
        {"Shape2", {199, 45}, kStopLineColor, "Beschleunigung-LS2"},
        {"Shape3", {309, 45}, kIntermediateLineColor, "Geschwindigkeit-LS3"},
        {"Shape4", {437, 45}, kStopLineColor, "Beschleunigung-LS2"},
    };
    for (const Marker &marker : markers) {
        auto *shape = new TShape(QLatin1String(marker.name), marker.color, this);
        shape->move(marker.at);
        shape->setToolTip(QLatin1String(marker.hint));
    }
}

void TTrackPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(24, 48, 417, 7, Qt::black);

    const Tick ticks[] = {
        {{25, 16, 2, 33}, Qt::red},    {{443, 24, 2, 25}, Qt::red},   {{107, 56, 2, 25}, Qt::black},
        {{205, 21, 2, 25}, Qt::black}, {{315, 56, 2, 25}, Qt::black},
    };
    for (const Tick &tick : ticks)
        painter.fillRect(tick.bounds, tick.color);

    painter.setRenderHint(QPainter::Antialiasing);
    drawClock(painter, {11, 60, 32, 32});
    drawStopSign(painter, {427, 59, 32, 32});
    drawArrow(painter, {189, 18}, true);
    drawArrow(painter, {427, 21}, true);
    drawArrow(painter, {108, 70}, false);
    drawArrow(painter, {317, 70}, false);
}
