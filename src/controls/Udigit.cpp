#include "controls/Udigit.h"

#include <QPaintEvent>
#include <QPainter>

QPolygon digitSegmentPolygon(int segment, QSize size, int thickness, int separation)
{
    const int w = size.width() - 1; // last pixel column
    const int h = size.height() - 1;
    const int t = thickness;
    const int s = separation;
    const int m = h / 2;

    const auto horizontal = [&](int y0) {
        return QPolygon({{s + t, y0 + t},
                         {s + 2 * t, y0},
                         {w - s - 2 * t, y0},
                         {w - s - t, y0 + t},
                         {w - s - 2 * t, y0 + 2 * t},
                         {s + 2 * t, y0 + 2 * t}});
    };
    const auto vertical = [&](int x0, int y0) {
        return QPolygon({{x0, y0 + s + 2 * t},
                         {x0 + t, y0 + s + t},
                         {x0 + 2 * t, y0 + s + 2 * t},
                         {x0 + 2 * t, y0 + m - t - s},
                         {x0 + t, y0 + m - s},
                         {x0, y0 + m - t - s}});
    };

    switch (segment) {
    case sgTop:
        return horizontal(0);
    case sgMiddle:
        return horizontal(m - t);
    case sgBottom:
        return horizontal(h - 2 * t);
    case sgUpperLeft:
        return vertical(0, 0);
    case sgUpperRight:
        return vertical(w - 2 * t, 0);
    case sgLowerLeft:
        return vertical(0, m - t);
    case sgLowerRight:
        return vertical(w - 2 * t, m - t);
    case sgPoint:
        return QPolygon({{w, h}, {w - 2 * t + s, h}, {w, h - 2 * t + s}});
    default:
        return {};
    }
}

TDigit::TDigit(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(16, 32);
    setSeparation(1);
    setThickness(2);
}

void TDigit::setColor(TColor color)
{
    m_color = color;
    update();
}

void TDigit::setBorderStyle(TBorderStyle style)
{
    if (style == m_borderStyle)
        return;
    m_borderStyle = style; // kept for the form; the drawing ignores it
    repaint();
}

void TDigit::setColorOff(TColor color)
{
    if (color == m_colorOff)
        return;
    m_colorOff = color;
    repaint();
}

void TDigit::setColorOn(TColor color)
{
    if (color == m_colorOn)
        return;
    m_colorOn = color;
    repaint();
}

void TDigit::setValue(int value)
{
    if (value == m_value)
        return;
    if (value >= 0 && value <= 9) {
        m_value = value;
    } else {
        m_value = 0;
        Q_EMIT overflow();
    }
    m_valueBinary = kDigitPatterns[m_value];
    repaint();
}

void TDigit::setValueBinary(quint8 pattern)
{
    if (pattern == m_valueBinary)
        return;
    m_valueBinary = pattern;
    repaint();
}

void TDigit::setThickness(int thickness)
{
    if (thickness > width() / 2 || thickness > height() / 2)
        return;
    m_thickness = thickness;
    update();
}

void TDigit::setSeparation(int separation)
{
    m_separation = separation;
    update();
}

void TDigit::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QColor background = toQColor(m_color, palette());
    painter.fillRect(event->rect(), background);
    // The outline of every segment stays in the background colour: only the
    // interior shows whether a segment is lit.
    painter.setPen(background);
    const QColor on = toQColor(m_colorOn, palette());
    const QColor off = toQColor(m_colorOff, palette());
    for (int segment = 0; segment < kDigitSegmentCount; ++segment) {
        painter.setBrush((m_valueBinary >> segment) & 1 ? on : off);
        painter.drawPolygon(digitSegmentPolygon(segment, size(), m_thickness, m_separation));
    }
}
