#include "settings/WindowBounds.h"

#include "settings/Settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// The strip at the top of a window that holds its title bar, and how much of
// it must be on a screen for the user to grab the window: a rim of a few
// pixels is as lost as a window far off-screen.
constexpr int kTitleBand = 20;
constexpr int kMinGripWidth = 40;
constexpr int kMinGripHeight = kTitleBand / 2;

bool canGrab(QPoint position, QSize size, const QList<QRect> &screens)
{
    const QRect band(position, QSize(size.width(), kTitleBand));
    const int minWidth = std::min(kMinGripWidth, size.width());
    return std::any_of(screens.cbegin(), screens.cend(), [&](const QRect &screen) {
        const QRect seen = band.intersected(screen);
        return seen.width() >= minWidth && seen.height() >= kMinGripHeight;
    });
}

} // namespace

ScreenAreas currentScreenAreas()
{
    ScreenAreas areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas.screens.append(screen->availableGeometry());
    if (const QScreen *primary = QGuiApplication::primaryScreen())
        areas.primary = primary->availableGeometry();
    return areas;
}

QPoint windowPosition(QPoint stored, QSize size, const ScreenAreas &areas)
{
    if (areas.primary.isEmpty() || canGrab(stored, size, areas.screens))
        return stored;
    QRect centred(QPoint(), size);
    centred.moveCenter(areas.primary.center());
    // A window larger than the screen keeps its title bar on it.
    return QPoint(std::max(centred.left(), areas.primary.left()),
                  std::max(centred.top(), areas.primary.top()));
}

QSize windowSize(QSize stored, QSize minimum, const ScreenAreas &areas)
{
    QRect desktop;
    for (const QRect &screen : areas.screens)
        desktop |= screen;
    if (!desktop.isEmpty())
        stored = stored.boundedTo(desktop.size());
    return stored.expandedTo(minimum);
}

void applyWindowBounds(QWidget &window, const Settings &settings)
{
    const ScreenAreas areas = currentScreenAreas();
    const QSize size =
        windowSize(QSize(settings.Width, settings.Height), window.minimumSize(), areas);
    window.resize(size);
    if (settings.Left && settings.Top)
        window.move(windowPosition(QPoint(*settings.Left, *settings.Top), size, areas));
}

void takeWindowBounds(const QWidget &window, Settings &settings)
{
    settings.Left = window.x();
    settings.Top = window.y();
    settings.Width = window.width();
    settings.Height = window.height();
}
