#pragma once

#include <QList>
#include <QRect>
#include <QString>

// The pixel arithmetic of the second-monitor display, free of widgets so any
// monitor size can be checked: the main display panel scaled by one factor,
// with the digit rows stretched to fill the monitor's height.

// x to the nearest integer, halves to the even neighbour.
int roundHalfEven(double x);

// Pixel height of a font of the given point size at 96 pixels per inch,
// rounded to nearest with halves away from zero.
int pointsToPixels(int points);

// The factor from the main display panel to a window of this client width.
double monitor2Scale(int clientWidth);

// Each of the four edges multiplied by s and taken to the nearest integer.
QRect ScaleRect(const QRect &rect, double s);

struct PlacedDigit
{
    QString name;
    QRect rect;
    int thickness;
};

struct PlacedSeparator
{
    QString name;
    QRect rect;
    int fontPointSize;
};

struct Monitor2Layout
{
    int captionPointSize = 0; // title, start numbers and split caption
    int captionPixelSize = 0;
    QRect panelTitle;
    QRect panelLab1;
    QRect panelLab2;
    int digitHeight = 0;
    int upperRowTop = 0;
    int lowerRowTop = 0;
    QList<PlacedDigit> digits;
    QList<PlacedSeparator> separators;
};

// Where everything goes in a window of client size `client` at scale s.
Monitor2Layout layoutDisplay(QSize client, double s);
