#include "ui/CommandButtons.h"

#include "controls/ColorSpeedButton.h"

namespace {

struct CommandButtonLook
{
    const char *caption;
    TColor color;
    TColor colorWhenDown;
    TColor hotTrackColor;
    TColor lightColor;
    TColor shadowColor;
};

constexpr CommandButtonLook look(CommandButton which)
{
    switch (which) {
    case CommandButton::Start:
        return {"START", clGreen, 0x80FF80, 0x00C000, 0xC0FFC0, 0x00C000};
    case CommandButton::Stop:
        return {"STOPP", clRed, 0x8080FF, 0xB0B0FF, 0x9090FF, 0x0000C0};
    case CommandButton::Reset:
        break;
    }
    return {"00:00", clGray, clSilver, clNone, clBlack, clBlack};
}

} // namespace

void setUpCommandButton(TColorSpeedButton &button, CommandButton which)
{
    const CommandButtonLook l = look(which);
    button.resize(110, 40);
    button.setCaption(QString::fromLatin1(l.caption));
    button.setAlignment(TAlignment::taCenter);
    button.setStyle(TColorSpeedButtonStyle::bsModern);
    button.setColor(l.color);
    button.setColorWhenDown(l.colorWhenDown);
    button.setHotTrackColor(l.hotTrackColor);
    button.setLightColor(l.lightColor);
    button.setShadowColor(l.shadowColor);
    button.setCursor(Qt::PointingHandCursor);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(19);
    font.setBold(true);
    button.setFont(font);
    button.setFontColor(clWhite);
    font.setPixelSize(21);
    button.setHotTrackFont(font);
    button.setHotTrackFontColor(clYellow);
    button.setUseHotTrackFont(true);
}

RunButtonColors runButtonColors(CommandButton which, bool enabled)
{
    if (!enabled)
        return {clBtnFace, clBtnShadow, clNone};
    switch (which) {
    case CommandButton::Start:
        return {clGreen, 0xC0FFC0, 0x00C000};
    case CommandButton::Stop:
        return {clRed, 0x9090FF, 0x0000C0};
    case CommandButton::Reset:
        break;
    }
    return {clGray, clBlack, clNone};
}
