#pragma once

#include "controls/ButtonLayout.h"
#include "controls/ColorButtons.h"
#include "controls/Colors.h"

#include <QFont>
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class QShortcut;

// A push button painted by itself: a coloured face (optionally a vertical
// gradient and a rounded outline), a caption, a glyph strip with separate
// images for the disabled, down and hot states, hot tracking with its own face
// colour and font, and an optional slow fade-out of the hot colour.
class TColorSpeedButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(TAlignment alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(bool allowAllUp READ allowAllUp WRITE setAllowAllUp)
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(TColor color READ color WRITE setColor)
    Q_PROPERTY(TColor colorWhenDown READ colorWhenDown WRITE setColorWhenDown)
    Q_PROPERTY(TColorStyle colorStyle READ colorStyle WRITE setColorStyle)
    Q_PROPERTY(bool down READ isDown WRITE setDown)
    Q_PROPERTY(bool flat READ isFlat WRITE setFlat)
    Q_PROPERTY(TColor fontColor READ fontColor WRITE setFontColor)
    Q_PROPERTY(QImage glyph READ glyph WRITE setGlyph)
    Q_PROPERTY(int groupIndex READ groupIndex WRITE setGroupIndex)
    Q_PROPERTY(TColor hotTrackColor READ hotTrackColor WRITE setHotTrackColor)
    Q_PROPERTY(QFont hotTrackFont READ hotTrackFont WRITE setHotTrackFont)
    Q_PROPERTY(TColor hotTrackFontColor READ hotTrackFontColor WRITE setHotTrackFontColor)
    Q_PROPERTY(TColorSpeedButtonLayout layout READ layout WRITE setLayout)
    Q_PROPERTY(TColor lightColor READ lightColor WRITE setLightColor)
    Q_PROPERTY(int numGlyphs READ numGlyphs WRITE setNumGlyphs)
    Q_PROPERTY(TColor shadowColor READ shadowColor WRITE setShadowColor)
    Q_PROPERTY(bool slowDecease READ slowDecease WRITE setSlowDecease)
    Q_PROPERTY(TColorSpeedButtonStyle style READ style WRITE setStyle)
    Q_PROPERTY(bool transparent READ isTransparent WRITE setTransparent)
    Q_PROPERTY(bool useHotTrackFont READ useHotTrackFont WRITE setUseHotTrackFont)
    Q_PROPERTY(bool wordWrap READ wordWrap WRITE setWordWrap)

public:
    explicit TColorSpeedButton(QWidget *parent = nullptr);
    ~TColorSpeedButton() override;

    TAlignment alignment() const { return m_alignment; }
    void setAlignment(TAlignment alignment);
    bool allowAllUp() const { return m_allowAllUp; }
    void setAllowAllUp(bool allow);
    QString caption() const { return m_caption; }
    // Typing the caption's accelerator character (after "&") with Alt clicks the button.
    void setCaption(const QString &caption);
    TColor color() const { return m_color; }
    void setColor(TColor color);
    TColor colorWhenDown() const { return m_colorWhenDown; }
    void setColorWhenDown(TColor color);
    TColorStyle colorStyle() const { return m_colorStyle; }
    // Every preset but csCustom sets the colours, Flat, the font colour and the style.
    void setColorStyle(TColorStyle style);
    bool isDown() const { return m_down; }
    // Going down or up in a group first sets every other button of the group up.
    void setDown(bool down);
    bool isFlat() const { return m_flat; }
    void setFlat(bool flat);
    // The colour of the caption drawn in font(); the font itself is QWidget's.
    TColor fontColor() const { return m_fontColor; }
    void setFontColor(TColor color);
    QImage glyph() const { return m_glyph; }
    // Also sets numGlyphs to the strip's width div its height (0 when empty).
    void setGlyph(const QImage &strip);
    int groupIndex() const { return m_groupIndex; }
    void setGroupIndex(int index);
    TColor hotTrackColor() const { return m_hotTrackColor; }
    void setHotTrackColor(TColor color);
    QFont hotTrackFont() const { return m_hotTrackFont; }
    void setHotTrackFont(const QFont &font);
    TColor hotTrackFontColor() const { return m_hotTrackFontColor; }
    void setHotTrackFontColor(TColor color);
    TColorSpeedButtonLayout layout() const { return m_layout; }
    void setLayout(TColorSpeedButtonLayout layout);
    TColor lightColor() const { return m_lightColor; }
    void setLightColor(TColor color);
    int numGlyphs() const { return m_numGlyphs; }
    void setNumGlyphs(int count);
    TColor shadowColor() const { return m_shadowColor; }
    void setShadowColor(TColor color);
    bool slowDecease() const { return m_fadeTimer != nullptr; }
    void setSlowDecease(bool slow);
    TColorSpeedButtonStyle style() const { return m_style; }
    // bsModern on a display of 8 bits per pixel or fewer falls back to bsNormal.
    void setStyle(TColorSpeedButtonStyle style);
    bool isTransparent() const { return m_transparent; }
    void setTransparent(bool transparent);
    bool useHotTrackFont() const { return m_useHotTrackFont; }
    void setUseHotTrackFont(bool use);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap);

    // Pops up below the button on a click, before clicked(); not owned.
    QMenu *popupMenu() const { return m_popupMenu; }
    void setPopupMenu(QMenu *menu);

    bool isHot() const { return m_hot; }
    int fadeLevel() const { return m_fadeLevel; }

    // Pops up the menu, if any, and emits clicked().
    void click();

Q_SIGNALS:
    // Any mouse button pressed (a double click presses twice). The main
    // window's START and STOPP act here, not on the click.
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseMove(Qt::KeyboardModifiers modifiers, QPoint pos);
    void clicked();
    void mouseEnter();
    void mouseExit();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    bool reachable() const;
    void refresh();
    void press(QMouseEvent *event);
    void fadeStep();
    void activateAccelerator();
    void paintButton(QPainter &painter) const;
    void paintFrame(QPainter &painter, bool showDown) const;

    TAlignment m_alignment = TAlignment::taLeftJustify;
    bool m_allowAllUp = false;
    QString m_caption;
    TColor m_color = clBtnFace;
    TColor m_colorWhenDown = clNone;
    TColorStyle m_colorStyle = TColorStyle::csCustom;
    bool m_down = false;
    bool m_flat = false;
    TColor m_fontColor = clBtnText;
    QImage m_glyph;
    int m_groupIndex = 0;
    TColor m_hotTrackColor = clNone;
    QFont m_hotTrackFont;
    TColor m_hotTrackFontColor = clBtnText;
    TColorSpeedButtonLayout m_layout = TColorSpeedButtonLayout::blGlyphLeft;
    TColor m_lightColor = clWhite;
    int m_numGlyphs = 0;
    TColor m_shadowColor = clBlack;
    TColorSpeedButtonStyle m_style = TColorSpeedButtonStyle::bsNormal;
    bool m_transparent = false;
    bool m_useHotTrackFont = false;
    bool m_wordWrap = false;
    QPointer<QMenu> m_popupMenu;

    bool m_hot = false;
    int m_fadeLevel = 0;
    // Runs the fade steps while SlowDecease is on; exists only then.
    QTimer *m_fadeTimer = nullptr;
    QShortcut *m_accelerator = nullptr;
    bool m_acceleratorDown = false; // shown down while the accelerator clicks
};
