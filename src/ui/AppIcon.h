#pragma once

#include <QIcon>
#include <QString>

// The program's icon: drawn by tools/make_artwork in several sizes, compiled
// in for the window and installed into the desktop's icon theme under the
// program's desktop id.
namespace AppIcon {

// Names the desktop entry, the icon and the AppStream component alike.
inline constexpr char16_t kDesktopId[] = u"de.korvel.Tavrin";

inline constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};

// "hicolor/<n>x<n>/apps/de.korvel.Tavrin.png": the icon theme's own layout,
// under resources/icons/ in the sources and under share/icons/ when installed.
QString themePath(int size);

// Every size, from the compiled-in resources.
QIcon icon();

} // namespace AppIcon
