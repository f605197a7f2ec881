#include "controls/Colors.h"

#include <QGuiApplication>

namespace {

QPalette::ColorRole systemRole(TColor c)
{
    switch (c) {
    case clWindow:
        return QPalette::Base;
    case clWindowText:
        return QPalette::Text;
    case clHighlight:
        return QPalette::Highlight;
    case clHighlightText:
        return QPalette::HighlightedText;
    case clBtnShadow:
        return QPalette::Dark;
    case clBtnText:
        return QPalette::ButtonText;
    case clBtnHighlight:
        return QPalette::Light;
    case cl3DDkShadow:
        return QPalette::Shadow;
    case clGrayText:
        return QPalette::PlaceholderText;
    default:
        return QPalette::Button; // clBtnFace and system colours we do not use
    }
}

} // namespace

QColor toQColor(TColor c, const QPalette &palette)
{
    if (c == clNone)
        return {};
    if (isSystemColor(c))
        return palette.color(QPalette::Active, systemRole(c));
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

QColor toQColor(TColor c)
{
    return toQColor(c, QGuiApplication::palette());
}

TColor fromQColor(const QColor &c)
{
    const QColor rgb = c.toRgb();
    return TColor(rgb.red()) | TColor(rgb.green()) << 8 | TColor(rgb.blue()) << 16;
}
