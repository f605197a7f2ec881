#pragma once

#include <QColor>
#include <QWidget>

// A filled circle with a thin black outline, like the markers of a track
// plan; its hint is the widget's tool tip.
class TShape : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor brushColor READ brushColor WRITE setBrushColor)

public:
    TShape(const QString &name, const QColor &color, QWidget *parent);

    QColor brushColor() const { return m_color; }
    void setBrushColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color;
};

// The picture of the track in the configuration dialog: the bar with its five
// barrier markers, the ticks where the distances are measured, the clock at
// the start, the STOP sign at the finish and the arrows from the distance
// fields to their ticks. Lies under the fields, in the group box's coordinates.
class TTrackPicture : public QWidget
{
    Q_OBJECT

public:
    explicit TTrackPicture(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// The legend and marker colours: the pin pairs of the serial connector.
inline const QColor kStartLineColor = QColor(0x00, 0x80, 0x00);        // green, 4-6
inline const QColor kIntermediateLineColor = QColor(0xFF, 0xFF, 0x00); // yellow, 1-4
inline const QColor kStopLineColor = QColor(0x00, 0x00, 0xFF);         // blue, 7-8
