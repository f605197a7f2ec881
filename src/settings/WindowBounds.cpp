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

// How far the spans [a, a + aLength) and [b, b + bLength) overlap, in 64
// bits: a stored position may be anything a settings file holds.
qint64 overlap(qint64 a, qint64 aLength, qint64 b, qint64 bLength)
{
    return std::max<qint64>(0, std::min(a + aLength, b + bLength) - std::max(a, b));
}

bool canGrab(QPoint position, QSize size, const QList<QRect> &screens)
{
    const int minWidth = std::max(1, std::min(kMinGripWidth, size.width()));
    return std::any_of(screens.cbegin(), screens.cend(), [&](const QRect &screen) {
        return overlap(position.x(), size.width(), screen.x(), screen.width()) >= minWidth &&
               overlap(position.y(), kTitleBand, screen.y(), screen.height()) >= kMinGripHeight;
    });
}

// Where a span of the given length starts when centred on the screen's span,
// but never off it: a window larger than the screen keeps its title bar on it.
int centredStart(int screenStart, int screenLength, int length)
{
    const qint64 start = screenStart + (qint64(screenLength) - length) / 2;
    return static_cast<int>(
        std::clamp<qint64>(start, screenStart, qint64(screenStart) + screenLength - 1));
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
    const QRect &primary = areas.primary;
    return QPoint(centredStart(primary.left(), primary.width(), size.width()),
                  centredStart(primary.top(), primary.height(), size.height()));
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
