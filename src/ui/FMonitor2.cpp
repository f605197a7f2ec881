#include "ui/FMonitor2.h"

#include "controls/Udigit.h"
#include "ui/DigitRows.h"
#include "ui/MainDisplayGeometry.h"
#include "ui/Monitor2Layout.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace {

void paintBlack(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QFont captionFont(int pixelSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace

TFormMonitor2::TFormMonitor2(const QString &title, int monitor, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_monitor(monitor)
{
    setObjectName(QStringLiteral("FormMonitor2"));
    setWindowTitle(QStringLiteral("Monitor 2"));
    setCursor(Qt::BlankCursor);
    setFont(captionFont(19));
    paintBlack(this);
    QPalette white = palette();
    white.setColor(QPalette::WindowText, Qt::white);
    setPalette(white);

    // Separators first: the panels and digits lie above them where they overlap.
    LabMin = makeLabel("LabMin", QStringLiteral("."), this);
    LabSec = makeLabel("LabSec", QStringLiteral(","), this);
    LabSec2 = makeLabel("LabSec2", QStringLiteral(","), this);
    setFontColor(*LabMin, kDimDigitColor);
    setFontColor(*LabSec, kActiveDigitColor);
    setFontColor(*LabSec2, kActiveDigitColor);

    for (const MainDisplay::DesignDigit &digit : MainDisplay::kDigits)
        makeDigit(digit.name, digit.leading ? kDimDigitColor : kActiveDigitColor);

    PanelTitle = makeLabel("PanelTitle", title, this);
    PanelTitle->setAlignment(Qt::AlignCenter);
    paintBlack(PanelTitle);

    PanelLab1 = new QWidget(this);
    PanelLab1->setObjectName(QStringLiteral("PanelLab1"));
    paintBlack(PanelLab1);
    LabStart1 = makeLabel("LabStart1", QString(), PanelLab1);
    LabNext1 = makeLabel("LabNext1", QString(), PanelLab1);
    LabNext1->setAlignment(Qt::AlignRight | Qt::AlignTop);
    setFontColor(*LabStart1, clLime);
    setFontColor(*LabNext1, clRed);
    auto *startNumbers = new QHBoxLayout(PanelLab1);
    startNumbers->setContentsMargins(0, 0, 0, 0);
    startNumbers->addWidget(LabStart1);
    startNumbers->addStretch();
    startNumbers->addWidget(LabNext1);
    setStartNumbers(1, 2);

    PanelLab2 = new QWidget(this);
    PanelLab2->setObjectName(QStringLiteral("PanelLab2"));
    paintBlack(PanelLab2);
    LabelTime2 = makeLabel("LabelTime2", QStringLiteral(" Zwischenzeit:"), PanelLab2);
    setFontColor(*LabelTime2, clLime);
    auto *splitCaption = new QHBoxLayout(PanelLab2);
    splitCaption->setContentsMargins(0, 0, 0, 0);
    splitCaption->addWidget(LabelTime2);
    splitCaption->addStretch();

    PlaceOnMonitor();
}

QLabel *TFormMonitor2::makeLabel(const char *name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The panels are exactly one em high; the text may reach past them.
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    return label;
}

TDigit *TFormMonitor2::makeDigit(const char *name, TColor lit)
{
    auto *digit = new TDigit(this);
    digit->setObjectName(QLatin1String(name));
    digit->setColor(clBlack);
    digit->setColorOff(clBlack);
    digit->setColorOn(lit);
    digit->setSeparation(MainDisplay::kDigitSeparation);
    return digit;
}

void TFormMonitor2::PlaceOnMonitor()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    QScreen *screen = m_monitor >= 0 && m_monitor < screens.size()
                          ? screens.at(m_monitor)
                          : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    if (QWindow *window = windowHandle())
        window->setScreen(screen);
    placeOn(screen->geometry());
}

void TFormMonitor2::placeOn(const QRect &bounds)
{
    setGeometry(bounds);
    m_scale = monitor2Scale(width());
    LayoutDisplay();
}

void TFormMonitor2::LayoutDisplay()
{
    const Monitor2Layout layout = layoutDisplay(size(), m_scale);

    const QFont caption = captionFont(layout.captionPixelSize);
    PanelTitle->setFont(caption);
    PanelLab1->setFont(caption);
    PanelLab2->setFont(caption);
    PanelTitle->setGeometry(layout.panelTitle);
    PanelLab1->setGeometry(layout.panelLab1);
    PanelLab2->setGeometry(layout.panelLab2);

    for (const PlacedDigit &placed : layout.digits) {
        auto *digit = findChild<TDigit *>(placed.name, Qt::FindDirectChildrenOnly);
        // Size first: a thickness too large for the old size would be refused.
        digit->setGeometry(placed.rect);
        digit->setThickness(placed.thickness);
    }

    for (const PlacedSeparator &placed : layout.separators) {
        auto *label = findChild<QLabel *>(placed.name, Qt::FindDirectChildrenOnly);
        QFont font(QStringLiteral("Times New Roman"));
        font.setBold(true);
        font.setPixelSize(pointsToPixels(placed.fontPointSize));
        label->setFont(font);
        label->setGeometry(placed.rect);
    }
}

void TFormMonitor2::showDigits(const QList<DigitShow> &shows, TColor activeColor)
{
    ::showDigits(*this, shows, activeColor);
}

void TFormMonitor2::resetColors(TColor activeColor)
{
    for (const char *name : {"Digit6", "Digit7", "Digit8"})
        findChild<TDigit *>(QLatin1String(name))->setColorOn(activeColor);
    setFontColor(*LabSec, activeColor);
}

void TFormMonitor2::setTime2Caption(const QString &caption)
{
    LabelTime2->setText(caption);
}

void TFormMonitor2::setStartNumber(int current)
{
    LabStart1->setText(QStringLiteral(" Start-Nr.:") + QString::number(current));
}

void TFormMonitor2::setNextNumber(int next)
{
    LabNext1->setText(QStringLiteral("Bereit: ") + QString::number(next) + u' ');
}

void TFormMonitor2::setStartNumbers(int current, int next)
{
    setStartNumber(current);
    setNextNumber(next);
}

bool TFormMonitor2::FormKeyDown(int key, Qt::KeyboardModifiers)
{
    // Beside the main window the operator still sees it and closes this one
    // from there; over it, Escape is the way back. An unplugged monitor puts
    // the display over the main window whatever the setting says.
    if (key != Qt::Key_Escape || !(m_monitor == 0 || coversMainWindow()))
        return false;
    close();
    return true;
}

bool TFormMonitor2::coversMainWindow() const
{
    const QWidget *main = parentWidget();
    return main && geometry().contains(main->frameGeometry().center());
}

void TFormMonitor2::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    PlaceOnMonitor();
    // Being a topmost window is not enough above a full-screen main window on
    // the same monitor: raise and activate once the window system has it.
    QTimer::singleShot(0, this, [this] {
        raise();
        activateWindow();
    });
    if (!m_reportedShown) {
        m_reportedShown = true;
        Q_EMIT visibilityChanged(true);
    }
}

void TFormMonitor2::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (event->spontaneous() || !m_reportedShown)
        return;
    m_reportedShown = false;
    Q_EMIT visibilityChanged(false);
}

void TFormMonitor2::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    LayoutDisplay();
}

void TFormMonitor2::keyPressEvent(QKeyEvent *event)
{
    if (FormKeyDown(event->key(), event->modifiers()))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}
