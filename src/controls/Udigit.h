#pragma once

#include "controls/Colors.h"

#include <QPolygon>
#include <QWidget>

#include <array>

enum class TBorderStyle { bsNone = 0, bsSingle = 1 };

// Segment bits of a pattern, bit 0 the least significant.
enum TDigitSegment : int {
    sgTop,
    sgMiddle,
    sgBottom,
    sgUpperLeft,
    sgUpperRight,
    sgLowerLeft,
    sgLowerRight,
    sgPoint,
};
inline constexpr int kDigitSegmentCount = 8;

// The pattern that shows each decimal digit; the point is never part of one.
inline constexpr std::array<quint8, 10> kDigitPatterns = {125, 80,  55, 87,  90,
                                                          79,  111, 81, 127, 95};

// The outline of one segment of a digit of the given size, thickness T (half
// the width of a bar) and separation S (gap between neighbouring bars), in the
// digit's own pixels. Bars are six-point hexagons, the point a triangle.
QPolygon digitSegmentPolygon(int segment, QSize size, int thickness, int separation);

// One seven-segment digit with a decimal point. Paints its whole area: the
// background, and each segment filled in ColorOn or ColorOff with its outline
// in the background colour.
class TDigit : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(TColor color READ color WRITE setColor)
    Q_PROPERTY(TBorderStyle borderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(TColor colorOff READ colorOff WRITE setColorOff)
    Q_PROPERTY(TColor colorOn READ colorOn WRITE setColorOn)
    Q_PROPERTY(int value READ value WRITE setValue)
    Q_PROPERTY(quint8 valueBinary READ valueBinary WRITE setValueBinary)
    Q_PROPERTY(int thickness READ thickness WRITE setThickness)
    Q_PROPERTY(int separation READ separation WRITE setSeparation)

public:
    explicit TDigit(QWidget *parent = nullptr);

    TColor color() const { return m_color; }
    void setColor(TColor color);
    TBorderStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(TBorderStyle style);
    TColor colorOff() const { return m_colorOff; }
    void setColorOff(TColor color);
    TColor colorOn() const { return m_colorOn; }
    void setColorOn(TColor color);

    int value() const { return m_value; }
    // A number outside 0 to 9 shows 0 and emits overflow() before the pattern changes.
    void setValue(int value);
    quint8 valueBinary() const { return m_valueBinary; }
    void setValueBinary(quint8 pattern);

    int thickness() const { return m_thickness; }
    // Ignored unless thickness <= width() / 2 and <= height() / 2 right now;
    // resize first, then set the thickness.
    void setThickness(int thickness);
    int separation() const { return m_separation; }
    void setSeparation(int separation);

Q_SIGNALS:
    void overflow();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TColor m_color = clBlack;
    TBorderStyle m_borderStyle = TBorderStyle::bsSingle;
    TColor m_colorOff = clBlack;
    TColor m_colorOn = clYellow;
    int m_value = 0;
    quint8 m_valueBinary = kDigitPatterns[0];
    int m_thickness = 0;
    int m_separation = 0;
};
