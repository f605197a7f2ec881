#include "ui/ProtocolBar.h"

#include "ui/Artwork.h"

#include <QIcon>
#include <QLabel>
#include <QToolButton>

namespace {

constexpr int kButtonWidth = 36;
constexpr int kButtonHeight = 39;
constexpr int kButtonTop = 1;
constexpr int kEdgeGap = 4;

// The strip's first picture for the enabled button, its greyed second one for
// the disabled button.
QIcon glyphIcon(Artwork::Picture glyphs)
{
    const QImage strip = Artwork::image(glyphs);
    const int width = strip.width() / 2;
    QIcon icon;
    for (const auto &[mode, left] : {std::pair{QIcon::Normal, 0}, {QIcon::Disabled, width}}) {
        QImage half = strip.copy(left, 0, width, strip.height());
        half.setDevicePixelRatio(strip.devicePixelRatio());
        icon.addPixmap(QPixmap::fromImage(half), mode);
    }
    return icon;
}

} // namespace

TProtocolBar::TProtocolBar(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Panel4"));
    setFixedHeight(42);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);

    // Under the buttons: the bar's caption is centred on the whole bar.
    m_caption = new QLabel(QStringLiteral("      Protokoll"), this);
    m_caption->setObjectName(QStringLiteral("LabelProtokoll"));
    m_caption->setAlignment(Qt::AlignCenter);
    QFont font = m_caption->font();
    font.setPixelSize(19);
    font.setBold(true);
    m_caption->setFont(font);

    const auto button = [this](const char *name, const QString &hint, Artwork::Picture glyphs) {
        auto *control = new QToolButton(this);
        control->setObjectName(QLatin1String(name));
        control->setToolTip(hint);
        control->setAutoRaise(true);
        control->setIcon(glyphIcon(glyphs));
        control->setIconSize(
            QSize(Artwork::size(glyphs).width() / 2, Artwork::size(glyphs).height()));
        control->setFixedSize(kButtonWidth, kButtonHeight);
        control->setCursor(Qt::PointingHandCursor);
        control->setFocusPolicy(Qt::NoFocus);
        m_buttons.append(control);
        return control;
    };
    using Artwork::Picture;
    button("sbSave", QStringLiteral("Speichern unter..."), Picture::SaveGlyphs)
        ->move(kEdgeGap, kButtonTop);
    button("sbLoad", QStringLiteral("\u00D6ffnen"), Picture::LoadGlyphs)
        ->move(kEdgeGap + kButtonWidth, kButtonTop);
    button("sbExcel", QStringLiteral("Datei in MS Excel"), Picture::ExcelGlyphs)
        ->move(kEdgeGap + 2 * kButtonWidth, kButtonTop);
    m_rightButtons.append(button("sbInet", QStringLiteral("Als Webseite"), Picture::InetGlyphs));
    QToolButton *sbPrint = button("sbPrint", QStringLiteral("Drucken"), Picture::PrintGlyphs);
    // The web-page handler prints when the sender's tag is 1.
    sbPrint->setProperty("tag", 1);
    m_rightButtons.append(sbPrint);
    m_rightButtons.append(button("sbCLS", QStringLiteral("L\u00F6schen (F8)"), Picture::ClsGlyphs));
    button("sbWord", QStringLiteral("Datei in MS Word"), Picture::WordGlyphs)->hide();
}

QList<QWidget *> TProtocolBar::buttons() const
{
    QList<QWidget *> widgets;
    for (QToolButton *button : m_buttons)
        widgets.append(button);
    return widgets;
}

QToolButton *TProtocolBar::button(QStringView objectName) const
{
    for (QToolButton *control : m_buttons) {
        if (control->objectName() == objectName)
            return control;
    }
    return nullptr;
}

void TProtocolBar::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    m_caption->setGeometry(rect());
    int left = width() - kEdgeGap - kButtonWidth * int(m_rightButtons.size());
    for (QToolButton *button : std::as_const(m_rightButtons)) {
        button->move(left, kButtonTop);
        left += kButtonWidth;
    }
}
