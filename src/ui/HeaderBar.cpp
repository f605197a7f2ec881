#include "ui/HeaderBar.h"

#include "controls/ColorSpeedButton.h"
#include "controls/Colors.h"
#include "ui/Artwork.h"
#include "ui/DateCaption.h"
#include "ui/Wordmark.h"

#include <QHBoxLayout>
#include <QLabel>

namespace {

TColorSpeedButton *headerButton(QWidget &bar, const QString &name, Artwork::Picture glyphs,
                                int left, const QString &hint)
{
    auto *button = new TColorSpeedButton(&bar);
    button->setObjectName(name);
    button->setStyle(TColorSpeedButtonStyle::bsShape);
    button->setFlat(true);
    button->setColor(clBtnShadow);
    button->setGlyph(Artwork::image(glyphs));
    button->setGeometry(left, 0, 38, 40);
    button->setToolTip(hint);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QLabel *datePanel(QWidget &bar)
{
    auto *panel = new QLabel(&bar);
    panel->setObjectName(QStringLiteral("PanelDate"));
    panel->setFixedWidth(222);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    panel->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(kDatePanelPixelSize);
    panel->setFont(font);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, toQColor(clBlack));
    palette.setColor(QPalette::WindowText, toQColor(clSilver));
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
    return panel;
}

} // namespace

HeaderBar createHeaderBar(QWidget &bar)
{
    HeaderBar header{};
    header.bHelp = headerButton(bar, QStringLiteral("bHelp"), Artwork::Picture::HelpGlyphs, 9,
                                QStringLiteral("Hilfe (F1)"));
    header.bCFG = headerButton(bar, QStringLiteral("bCFG"), Artwork::Picture::CfgGlyphs, 51,
                               QStringLiteral("Einstellungen (F2)"));
    header.bInfo = headerButton(bar, QStringLiteral("bInfo"), Artwork::Picture::InfoGlyphs, 97,
                                QStringLiteral("Info (F3)"));
    header.wordmark = new TWordmark(&bar);
    header.wordmark->setObjectName(QStringLiteral("LabelKorvel"));
    header.wordmark->move(161, (bar.height() - header.wordmark->height()) / 2);

    header.PanelDate = datePanel(bar);
    // Only the date panel is laid out: it keeps to the bar's right end.
    auto *row = new QHBoxLayout(&bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch(1);
    row->addWidget(header.PanelDate);
    return header;
}
