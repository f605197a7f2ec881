#include "controls/ColorSpeedButton.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QShortcut>

namespace {

using enum TColorSpeedButtonStyle;

constexpr TColor kDisabledCaptionColor = 0x808080;

Qt::Alignment textAlignment(TAlignment alignment)
{
    switch (alignment) {
    case TAlignment::taLeftJustify:
        return Qt::AlignLeft;
    case TAlignment::taRightJustify:
        return Qt::AlignRight;
    case TAlignment::taCenter:
        return Qt::AlignHCenter;
    }
    return Qt::AlignLeft;
}

// A small downward triangle, 5 pixels wide and 3 high, with its top-left at pos.
void drawPopupArrow(QPainter &painter, QPoint pos)
{
    painter.setPen(Qt::black);
    for (int row = 0; row < 3; ++row)
        painter.drawLine(pos.x() + row, pos.y() + row, pos.x() + 4 - row, pos.y() + row);
}

// A one-pixel outline around the whole button with corners rounded like a
// 6 x 6 ellipse; the three pixels outside each corner stay unpainted.
void drawRoundedOutline(QPainter &painter, int w, int h)
{
    painter.drawLine(2, 0, w - 3, 0);
    painter.drawLine(2, h - 1, w - 3, h - 1);
    painter.drawLine(0, 2, 0, h - 3);
    painter.drawLine(w - 1, 2, w - 1, h - 3);
    painter.drawPoints(QPolygon({{1, 1}, {w - 2, 1}, {1, h - 2}, {w - 2, h - 2}}));
}

} // namespace

TColorSpeedButton::TColorSpeedButton(QWidget *parent)
    : QWidget(parent)
    , m_hotTrackFont(parent ? parent->window()->font() : font())
{
    resize(100, 23);
    setMouseTracking(true); // mouseMove() also while no button is held
}

TColorSpeedButton::~TColorSpeedButton() = default;

bool TColorSpeedButton::reachable() const
{
    return isEnabled() && isVisible() && (!parentWidget() || parentWidget()->isVisible());
}

void TColorSpeedButton::refresh()
{
    // A transparent button depends on what its parent paints below it.
    if (m_transparent)
        update();
    else
        repaint();
}

void TColorSpeedButton::setAlignment(TAlignment alignment)
{
    m_alignment = alignment;
    refresh();
}

void TColorSpeedButton::setAllowAllUp(bool allow)
{
    m_allowAllUp = allow;
    refresh();
}

void TColorSpeedButton::setCaption(const QString &caption)
{
    m_caption = caption;
    delete m_accelerator;
    m_accelerator = nullptr;
    const QKeySequence mnemonic = QKeySequence::mnemonic(caption);
    if (!mnemonic.isEmpty()) {
        m_accelerator = new QShortcut(mnemonic, this);
        connect(m_accelerator, &QShortcut::activated, this,
                &TColorSpeedButton::activateAccelerator);
    }
    update();
}

void TColorSpeedButton::setColor(TColor color)
{
    m_color = color;
    refresh();
}

void TColorSpeedButton::setColorWhenDown(TColor color)
{
    m_colorWhenDown = color;
    refresh();
}

void TColorSpeedButton::setColorStyle(TColorStyle style)
{
    m_colorStyle = style;
    const std::optional<ColorPreset> preset = colorPreset(style);
    if (!preset)
        return;
    m_color = preset->color;
    m_lightColor = preset->lightColor;
    m_shadowColor = preset->shadowColor;
    m_colorWhenDown = preset->colorWhenDown;
    m_hotTrackColor = preset->hotTrackColor;
    m_flat = preset->flat;
    m_fontColor = preset->fontColor;
    m_style = preset->style;
    repaint();
}

void TColorSpeedButton::setDown(bool down)
{
    if (down == m_down)
        return;
    if (m_groupIndex != 0 && parentWidget()) {
        const auto siblings =
            parentWidget()->findChildren<TColorSpeedButton *>(Qt::FindDirectChildrenOnly);
        for (TColorSpeedButton *other : siblings) {
            if (other != this && other->m_groupIndex == m_groupIndex)
                other->setDown(false);
        }
    }
    m_down = down;
    refresh();
}

void TColorSpeedButton::setFlat(bool flat)
{
    m_flat = flat;
    refresh();
}

void TColorSpeedButton::setFontColor(TColor color)
{
    m_fontColor = color;
    refresh();
}

void TColorSpeedButton::setGlyph(const QImage &strip)
{
    m_glyph = strip;
    m_numGlyphs = strip.isNull() || strip.height() == 0 ? 0 : strip.width() / strip.height();
    update();
}

void TColorSpeedButton::setGroupIndex(int index)
{
    m_groupIndex = index;
    refresh();
}

void TColorSpeedButton::setHotTrackColor(TColor color)
{
    m_hotTrackColor = color;
    refresh();
}

void TColorSpeedButton::setHotTrackFont(const QFont &font)
{
    m_hotTrackFont = font;
}

void TColorSpeedButton::setHotTrackFontColor(TColor color)
{
    m_hotTrackFontColor = color;
}

void TColorSpeedButton::setLayout(TColorSpeedButtonLayout layout)
{
    m_layout = layout;
    refresh();
}

void TColorSpeedButton::setLightColor(TColor color)
{
    m_lightColor = color;
    refresh();
}

void TColorSpeedButton::setNumGlyphs(int count)
{
    m_numGlyphs = count;
    update();
}

void TColorSpeedButton::setShadowColor(TColor color)
{
    m_shadowColor = color;
    refresh();
}

void TColorSpeedButton::setSlowDecease(bool slow)
{
    if (slow && !m_fadeTimer) {
        m_fadeTimer = new QTimer(this);
        m_fadeTimer->setInterval(kFadeStepMs);
        connect(m_fadeTimer, &QTimer::timeout, this, &TColorSpeedButton::fadeStep);
    } else if (!slow && m_fadeTimer) {
        delete m_fadeTimer;
        m_fadeTimer = nullptr;
        m_fadeLevel = 0;
    }
    update();
}

void TColorSpeedButton::setStyle(TColorSpeedButtonStyle style)
{
    // Gradients need more colours than a palette display has.
    const QScreen *display = screen();
    if (style == bsModern && display && display->depth() <= 8)
        style = bsNormal;
    m_style = style;
    update();
}

void TColorSpeedButton::setTransparent(bool transparent)
{
    m_transparent = transparent;
    refresh();
}

void TColorSpeedButton::setUseHotTrackFont(bool use)
{
    m_useHotTrackFont = use;
    refresh();
}

void TColorSpeedButton::setWordWrap(bool wrap)
{
    m_wordWrap = wrap;
    refresh();
}

void TColorSpeedButton::setPopupMenu(QMenu *menu)
{
    m_popupMenu = menu;
    refresh();
}

void TColorSpeedButton::click()
{
    if (m_popupMenu)
        m_popupMenu->popup(mapToGlobal(QPoint(0, height())));
    Q_EMIT clicked();
}

void TColorSpeedButton::activateAccelerator()
{
    if (!reachable())
        return;
    const QPointer<TColorSpeedButton> self(this);
    m_acceleratorDown = true;
    repaint();
    click();
    if (!self)
        return;
    m_acceleratorDown = false;
    repaint();
}

void TColorSpeedButton::press(QMouseEvent *event)
{
    const QPointer<TColorSpeedButton> self(this);
    // The handler may disable the button (START does): a disabled button stays up.
    Q_EMIT mouseDown(event->button(), event->modifiers(), event->position().toPoint());
    if (!self || !isEnabled() || event->button() != Qt::LeftButton)
        return;
    if (m_groupIndex == 0 || !m_down)
        setDown(true);
    else if (m_allowAllUp)
        setDown(false);
}

void TColorSpeedButton::mousePressEvent(QMouseEvent *event)
{
    press(event);
}

void TColorSpeedButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    press(event);
}

bool TColorSpeedButton::event(QEvent *event)
{
    // Qt withholds the release from a button disabled while it was held, but
    // it must still come up.
    if (event->type() == QEvent::MouseButtonRelease && !isEnabled()) {
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton && m_groupIndex == 0)
            setDown(false);
        return true;
    }
    return QWidget::event(event);
}

void TColorSpeedButton::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointer<TColorSpeedButton> self(this);
    Q_EMIT mouseUp(event->button(), event->modifiers(), event->position().toPoint());
    if (!self || event->button() != Qt::LeftButton)
        return;
    if (m_groupIndex == 0)
        setDown(false);
    if (isEnabled() && rect().contains(event->position().toPoint()))
        click();
}

void TColorSpeedButton::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT mouseMove(event->modifiers(), event->position().toPoint());
}

void TColorSpeedButton::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    if (!reachable())
        return;
    m_hot = true;
    m_fadeLevel = kFadeLevels;
    if (m_fadeTimer)
        m_fadeTimer->stop(); // back to full hot colour, and it stays while the mouse is over
    refresh();
    Q_EMIT mouseEnter();
}

void TColorSpeedButton::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    m_hot = false;
    if (m_fadeTimer) {
        m_fadeTimer->start();
    } else {
        m_fadeLevel = 0;
        refresh();
    }
    if (reachable())
        Q_EMIT mouseExit();
}

void TColorSpeedButton::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange)
        update();
}

void TColorSpeedButton::fadeStep()
{
    --m_fadeLevel;
    if (m_fadeLevel <= 0) {
        m_fadeLevel = 0;
        m_fadeTimer->stop();
    }
    refresh();
}

void TColorSpeedButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintButton(painter);
}

void TColorSpeedButton::paintFrame(QPainter &painter, bool showDown) const
{
    const QPalette &pal = palette();
    const int w = width();
    const int h = height();
    QColor light = toQColor(m_lightColor, pal);
    QColor dark = toQColor(m_shadowColor, pal);
    if (showDown)
        std::swap(light, dark);
    painter.setPen(light);
    painter.drawLine(0, 0, w - 1, 0);
    painter.drawLine(0, 0, 0, h - 1);
    painter.setPen(dark);
    painter.drawLine(w - 1, 0, w - 1, h - 1);
    painter.drawLine(0, h - 1, w - 1, h - 1);
    if (m_style == bsOld) {
        painter.setPen(toQColor(cl3DDkShadow, pal));
        if (showDown) {
            painter.drawLine(1, 1, w - 2, 1);
            painter.drawLine(1, 1, 1, h - 2);
        } else {
            painter.drawLine(w - 2, 1, w - 2, h - 2);
            painter.drawLine(1, h - 2, w - 2, h - 2);
        }
    }
}

void TColorSpeedButton::paintButton(QPainter &painter) const
{
    const QPalette &pal = palette();
    const int w = width();
    const int h = height();
    const bool enabled = isEnabled();
    const bool hot = m_hot && enabled;
    const bool showDown = (m_down || m_acceleratorDown) && enabled;
    const int p = showDown && m_style != bsEncarta ? 1 : 0;
    const QColor face =
        buttonFaceColor(toQColor(m_color, pal), toQColor(m_hotTrackColor, pal),
                        toQColor(m_colorWhenDown, pal), m_fadeLevel, enabled, showDown);
    const QColor shadow = toQColor(m_shadowColor, pal);

    // Background.
    if (m_style != bsShape && !m_transparent) {
        if (m_style == bsModern) {
            const QColor light = toQColor(m_lightColor, pal);
            const int middle = h / 4 + p;
            for (const auto &bands : {gradientBands(light, face, 2, w - 2, 2, middle),
                                      gradientBands(face, light, 2, w - 2, middle, h - 1)}) {
                for (const GradientBand &band : bands)
                    painter.fillRect(band.rect, band.color);
            }
        } else if (m_style != bsQuicken) {
            painter.fillRect(rect(), face);
        }
    }

    // Outline.
    switch (m_style) {
    case bsModern:
        painter.setBrush(Qt::NoBrush);
        painter.setPen(showDown ? shadow : face);
        painter.drawRect(1, 1, w - 3, h - 3);
        painter.setPen(shadow);
        drawRoundedOutline(painter, w, h);
        break;
    case bsQuicken:
        painter.setPen(Qt::NoPen);
        painter.setBrush(face);
        painter.drawRoundedRect(QRect(0, 1, w, h - 1), 2, 2);
        painter.setPen(shadow);
        painter.drawLine(4, 0, w - 5, 0);
        painter.drawLine(4, h - 1, w - 5, h - 1);
        break;
    case bsNormal:
    case bsEncarta:
    case bsOld:
        if (!m_flat || hot || showDown)
            paintFrame(painter, showDown);
        break;
    case bsShape:
        break;
    }

    // Caption font and colour.
    const bool hotFont = hot && m_useHotTrackFont;
    QFont captionFont = hotFont ? m_hotTrackFont : font();
    if (m_style == bsEncarta && showDown)
        captionFont.setBold(true);
    TColor captionColor = hotFont ? m_hotTrackFontColor : m_fontColor;
    if (!enabled && m_style != bsShape)
        captionColor = kDisabledCaptionColor;
    painter.setFont(captionFont);
    const QFontMetrics metrics(captionFont);

    const QImage image =
        glyphImage(m_glyph, m_numGlyphs, glyphIndex(m_numGlyphs, enabled, showDown, hot));
    // A high-dpi glyph takes its device-independent size on the button.
    const QSize glyphSize = image.deviceIndependentSize().toSize();

    // Caption text and placement.
    const int limit = captionWidthLimit(w, glyphSize.width(), m_layout);
    const int textFlags =
        int(textAlignment(m_alignment)) | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;
    const auto textWidth = [&](const QString &text) {
        return metrics.size(Qt::TextShowMnemonic, text).width();
    };
    const QString text = m_wordWrap ? m_caption : cutCaption(m_caption, limit, textWidth);

    ButtonLayoutInput in;
    in.size = size();
    in.pressOffset = p;
    in.glyph = glyphSize;
    if (!text.isEmpty()) {
        in.captionWidth = textWidth(text);
        in.captionHeight =
            metrics.boundingRect(QRect(0, 0, limit, h * 4), textFlags, text).height();
    }
    in.layout = m_layout;
    in.alignment = m_alignment;
    in.wordWrap = m_wordWrap;
    const ButtonLayoutResult placed = m_style == bsShape ? layoutShapeButton(in) : layoutButton(in);

    if (!image.isNull())
        painter.drawImage(placed.glyph, image);
    if (!text.isEmpty()) {
        painter.setPen(toQColor(captionColor, pal));
        const int flags = m_style == bsShape ? Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap |
                                                   Qt::TextShowMnemonic
                                             : textFlags;
        painter.drawText(placed.caption, flags, text);
    }

    if (m_popupMenu)
        drawPopupArrow(painter, QPoint(w - 11, h / 2));
}
