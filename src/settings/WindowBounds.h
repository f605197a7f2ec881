#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;
struct Settings;

// The usable area (without panels) of every screen, and of the primary one.
struct ScreenAreas
{
    QList<QRect> screens;
    QRect primary;
};

ScreenAreas currentScreenAreas();

// Where a window of the given size goes that was stored at `stored` (its frame's
// top-left corner). The stored place holds while some screen shows enough of
// the window's top band to grab it by its title bar; otherwise, for example
// after a monitor was removed, the window is centred on the primary screen.
QPoint windowPosition(QPoint stored, QSize size, const ScreenAreas &areas);

// The size a window stored at `stored` opens with: at least `minimum`, and no
// larger than all screens together, so a size no screen can show (typed by
// hand, or left by a monitor since removed) is not restored and saved back.
QSize windowSize(QSize stored, QSize minimum, const ScreenAreas &areas);

// Gives a not yet shown window the stored size (see windowSize()) and, when
// a position is stored, the place windowPosition() finds for it on the current
// screens. Without a stored position the window system places the window.
void applyWindowBounds(QWidget &window, const Settings &settings);

// Takes the window's place and size back into the settings; they round-trip
// with applyWindowBounds().
void takeWindowBounds(const QWidget &window, Settings &settings);
