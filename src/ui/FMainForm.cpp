// The main window's controls and their places.

#include "ui/FMain.h"

#include "controls/ColorSpeedButton.h"
#include "controls/Comms.h"
#include "controls/PortRecovery.h"
#include "controls/SortGrid.h"
#include "controls/Udigit.h"
#include "protocol/ProtocolTables.h"
#include "ui/Artwork.h"
#include "ui/CommandButtons.h"
#include "ui/DlgYesNo.h"
#include "ui/FMonitor2.h"
#include "ui/HeaderBar.h"
#include "ui/LockImage.h"
#include "ui/MainDisplayGeometry.h"
#include "ui/PortNotice.h"
#include "ui/ProtocolBar.h"
#include "ui/ProtocolFileCommands.h"
#include "ui/Wordmark.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

inline constexpr TColor kDarkGrey = 0x404040;
inline constexpr TColor kSkyBlue = 0xF0CAA6;

QFont pixelFont(const QString &family, int pixels, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void setColors(QWidget &widget, TColor background, TColor text)
{
    QPalette palette = widget.palette();
    if (background != clNone) {
        palette.setColor(QPalette::Window, toQColor(background));
        palette.setColor(QPalette::Base, toQColor(background));
        widget.setAutoFillBackground(true);
    }
    palette.setColor(QPalette::WindowText, toQColor(text));
    palette.setColor(QPalette::Text, toQColor(text));
    widget.setPalette(palette);
}

QWidget *panel(const QString &name, TColor color, QWidget *parent)
{
    auto *widget = new QWidget(parent);
    widget->setObjectName(name);
    setColors(*widget, color, clBtnText);
    return widget;
}

QLabel *caption(const QString &name, const QString &text, TColor color, QRect bounds,
                QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(pixelFont(QStringLiteral("Arial"), 19, true));
    setColors(*label, clNone, color);
    label->setGeometry(bounds);
    return label;
}

TDigit *digit(const QString &name, const QRect &bounds, TColor lit, QWidget *parent)
{
    auto *control = new TDigit(parent);
    control->setObjectName(name);
    control->setGeometry(bounds);
    control->setThickness(MainDisplay::kDigitThickness); // only after the size: it must fit
    control->setSeparation(MainDisplay::kDigitSeparation);
    control->setColor(clBlack);
    control->setColorOff(clBlack);
    control->setColorOn(lit);
    return control;
}

// The "." and "," between the digits.
QLabel *separator(const QString &name, const QString &text, const QRect &bounds, TColor color,
                  QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(pixelFont(QStringLiteral("Times New Roman"), 64, true));
    setColors(*label, clNone, color);
    label->setGeometry(bounds);
    return label;
}

// A strip of the display's frame; the side strips stretch to their place.
void frameStrip(const QString &name, Artwork::Picture picture, const QRect &bounds, QWidget *parent)
{
    auto *strip = new QLabel(parent);
    strip->setObjectName(name);
    strip->setScaledContents(true);
    strip->setPixmap(Artwork::pixmap(picture));
    strip->setGeometry(bounds);
}

QSpinBox *startNumber(const QString &name, int value, TColor color, QRect bounds, QWidget *parent)
{
    auto *edit = new QSpinBox(parent);
    edit->setObjectName(name);
    edit->setRange(1, 9999);
    edit->setValue(value);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setFont(pixelFont(QStringLiteral("Arial"), 24, true));
    edit->findChild<QLineEdit *>()->setMaxLength(4);
    setColors(*edit, kDarkGrey, color);
    edit->setGeometry(bounds);
    return edit;
}

} // namespace

void TFormMain::createControls()
{
    setObjectName(QStringLiteral("FormMain"));
    setMinimumSize(800, 590);
    resize(800, 590);
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11, false));
    setColors(*this, clBtnFace, clBtnText);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    QWidget *Panel1 = panel(QStringLiteral("Panel1"), clBtnShadow, this);
    Panel1->setFixedHeight(38);
    column->addWidget(Panel1);
    const HeaderBar header = createHeaderBar(*Panel1);
    bHelp = header.bHelp;
    bCFG = header.bCFG;
    bInfo = header.bInfo;
    m_wordmark = header.wordmark;
    PanelDate = header.PanelDate;

    auto *Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setFixedHeight(339);
    column->addWidget(Panel2);
    auto *row = new QHBoxLayout(Panel2);
    row->setContentsMargins(0, 0, 0, 0); // inside the bevel
    row->setSpacing(0);

    QWidget *PanelLeft = panel(QStringLiteral("PanelLeft"), clBtnShadow, Panel2);
    PanelLeft->setFixedWidth(395);
    row->addWidget(PanelLeft);
    QWidget *Panel3 = panel(QStringLiteral("Panel3"), clBtnShadow, Panel2);
    row->addWidget(Panel3);

    QWidget *Panel5 = panel(QStringLiteral("Panel5"), clBtnFace, this);
    column->addWidget(Panel5, 1);
    // The tables belong to Panel5, not to the splitter, which only places them.
    m_tables = new TProtocolTables(Panel5);
    m_files = new TProtocolFileCommands(*m_tables, this);
    splitter = new QSplitter(Qt::Horizontal, Panel5);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(m_tables->SortGrid1);
    splitter->addWidget(m_tables->TabControl1);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({width() - 272 - splitter->handleWidth(), 272});
    auto *tablesLayout = new QHBoxLayout(Panel5);
    tablesLayout->setContentsMargins(0, 0, 0, 0);
    tablesLayout->addWidget(splitter);

    using namespace MainDisplay;
    frameStrip(QStringLiteral("Image1"), Artwork::Picture::FrameTop, kFrameTop, PanelLeft);
    frameStrip(QStringLiteral("Image2"), Artwork::Picture::FrameLeft, kFrameLeft, PanelLeft);
    frameStrip(QStringLiteral("Image4"), Artwork::Picture::FrameRight, kFrameRight, PanelLeft);
    frameStrip(QStringLiteral("Image3"), Artwork::Picture::FrameBottom, kFrameBottom, PanelLeft);

    const auto tvSwitch = [PanelLeft](const QString &name, Artwork::Picture picture) {
        auto *image = new TLockImage(PanelLeft);
        image->setObjectName(name);
        // Both at one place: the one switch shows what the other turns off.
        image->setGeometry(kTVSwitch);
        image->setPixmap(Artwork::pixmap(picture));
        image->setToolTip(QStringLiteral("Strg+M"));
        image->setCursor(Qt::PointingHandCursor);
        return image;
    };
    ImageTVAus = tvSwitch(QStringLiteral("ImageTVAus"), Artwork::Picture::TVAus);
    ImageTVEin = tvSwitch(QStringLiteral("ImageTVEin"), Artwork::Picture::TVEin);
    ImageTVEin->hide(); // shown while the second-monitor window is

    PanelDisplay = panel(QStringLiteral("PanelDisplay"), clBlack, PanelLeft);
    PanelDisplay->setGeometry(kDisplayPanel);
    caption(QStringLiteral("LabelStart"), QStringLiteral("Start-Nr.:"), clLime,
            QRect(6, 14, 84, 24), PanelDisplay);
    editStartN1 = startNumber(QStringLiteral("editStartN1"), 1, clLime, kStartNumber, PanelDisplay);
    QLabel *next = caption(QStringLiteral("LabelNext"), QStringLiteral("Bereit:"), clRed,
                           QRect(180, 14, 88, 24), PanelDisplay);
    next->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    editStartN2 = startNumber(QStringLiteral("editStartN2"), 2, clRed, kNextNumber, PanelDisplay);

    // Separators first: the digits lie above them where they overlap.
    for (const DesignRect &place : kSeparators) {
        const bool minutes = QLatin1String(place.name) == QLatin1String("LabMin");
        separator(QLatin1String(place.name), minutes ? QStringLiteral(".") : QStringLiteral(","),
                  place.rect, minutes ? kDarkGrey : clYellow, PanelDisplay);
    }
    for (const DesignDigit &place : kDigits)
        digit(QLatin1String(place.name), place.rect, place.leading ? kDarkGrey : clYellow,
              PanelDisplay);

    LabelTime2 = caption(QStringLiteral("LabelTime2"), QStringLiteral("Zwischenzeit:"), clLime,
                         QRect(6, kTime2CaptionTop, 130, 24), PanelDisplay);
    LabelTypeSpeed = caption(QStringLiteral("LabelTypeSpeed"), {}, kSkyBlue,
                             QRect(kTypeSpeedLeft, kTime2CaptionTop, 120, 24), PanelDisplay);
    LabelTypeSpeed->hide();

    auto *keysColumn = new QVBoxLayout(Panel3);
    keysColumn->setContentsMargins(0, 0, 0, 0);
    keysColumn->setSpacing(0);
    auto *keysRow = new QHBoxLayout;
    keysColumn->addLayout(keysRow, 1);
    // Under the command buttons, over the whole width; the buttons keep their
    // places above it.
    m_portNotice = new TPortNotice(Panel3);
    keysColumn->addWidget(m_portNotice);
    auto *Panel4 = new TProtocolBar(Panel3);
    keysColumn->addWidget(Panel4);
    m_tables->setProtocolButtons(Panel4->buttons());
    connect(Panel4->button(u"sbCLS"), &QToolButton::clicked, this, &TFormMain::sbCLSClick);
    connect(Panel4->button(u"sbSave"), &QToolButton::clicked, m_files,
            &TProtocolFileCommands::sbSaveClick);
    connect(Panel4->button(u"sbLoad"), &QToolButton::clicked, m_files,
            &TProtocolFileCommands::sbLoadClick);
    connect(Panel4->button(u"sbExcel"), &QToolButton::clicked, m_files,
            &TProtocolFileCommands::sbExcelClick);
    for (QToolButton *page : {Panel4->button(u"sbInet"), Panel4->button(u"sbPrint")}) {
        connect(page, &QToolButton::clicked, m_files,
                [this, page] { m_files->sbInetClick(page->property("tag").toInt()); });
    }

    PanelKeys = panel(QStringLiteral("PanelKeys"), clBtnShadow, Panel3);
    PanelKeys->setFixedWidth(257);
    keysRow->addWidget(PanelKeys);
    keysRow->addStretch(1);
    const auto commandButton = [this](const QString &name, CommandButton which, int top,
                                      const QString &hint) {
        auto *button = new TColorSpeedButton(PanelKeys);
        button->setObjectName(name);
        setUpCommandButton(*button, which);
        button->move(6, top);
        button->setToolTip(hint);
        return button;
    };
    bSTART = commandButton(QStringLiteral("bSTART"), CommandButton::Start, 0, QStringLiteral("F5"));
    bSTOP = commandButton(QStringLiteral("bSTOP"), CommandButton::Stop, 56, QStringLiteral("F9"));
    bRESET =
        commandButton(QStringLiteral("bRESET"), CommandButton::Reset, 128, QStringLiteral("F7"));

    ImageList1 = new TImageList(
        {Artwork::pixmap(Artwork::lockPicture(0)), Artwork::pixmap(Artwork::lockPicture(1))}, this);
    ImageList1->setObjectName(QStringLiteral("ImageList1"));
    const auto lockImage = [this](const QString &name, int top, const QString &hint) {
        auto *image = new TLockImage(PanelKeys);
        image->setObjectName(name);
        image->setGeometry(122, top, 22, 22);
        image->setToolTip(hint);
        image->setPixmap(ImageList1->picture(0));
        image->setCursor(Qt::PointingHandCursor);
        image->hide(); // shown while the port is open
        return image;
    };
    ImageLSstart =
        lockImage(QStringLiteral("ImageLSstart"), 8, QStringLiteral("Blockieren LS START (F11)"));
    ImageLSstop =
        lockImage(QStringLiteral("ImageLSstop"), 64, QStringLiteral("Blockieren LS STOPP (F12)"));

    const int testKeyTops[] = {7, 55, 87, 119, 171};
    for (int i = 0; i < 5; ++i) {
        auto *key = new QPushButton(QString::number(i + 1), PanelKeys);
        key->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        key->setGeometry(151, testKeyTops[i], 33, 28);
        key->setFocusPolicy(Qt::NoFocus);
        key->hide();
        m_testKeys[i] = key;
    }

    TimerDate = new QTimer(this);
    TimerDate->setObjectName(QStringLiteral("TimerDate"));
    TimerDate->setInterval(5000);
    TimerDate->start();

    Clock = new QTimer(this);
    Clock->setObjectName(QStringLiteral("Clock"));
    Clock->setInterval(6);
    TimerGesperrtStop = new QTimer(this);
    TimerGesperrtStop->setObjectName(QStringLiteral("TimerGesperrtStop"));
    TimerGesperrtStop->setInterval(200);

    ComPort = new TComPort(this);
    ComPort->setObjectName(QStringLiteral("ComPort"));
    ComPort->setBaudRate(br9600);
    ComPort->setBaudRateUser(28800);
    ComPort->setPort(0);
    ComPort->setParity(prNone);
    ComPort->setStopBits(sbOneStopBit);
    // RTS feeds the CTS loop and must stay on: with the RTS handshake the
    // driver would drop it once noise on the receive pin filled its input.
    ComPort->setFlowControl(fcNone);
    ComPort->setEnableRTS(true);
    ComPort->setDataBits(5);
    ComPort->setEvents(eventSet({evCTS, evDSR, evRLSD}));
    ComPort->setEnableDTR(true);
    ComPort->setWriteBufSize(64);
    ComPort->setReadBufSize(64);
    m_portRecovery = new TPortRecovery(*ComPort, this);
    m_portRecovery->setObjectName(QStringLiteral("PortRecovery"));
}

void TFormMain::createCommands()
{
    // Never shown: its items carry the short-cuts and gate the commands.
    MainMenu = new QMenu(this);
    MainMenu->setObjectName(QStringLiteral("MainMenu1"));
    const auto item = [this](const QString &name, const QString &text, QKeySequence key) {
        QAction *action = MainMenu->addAction(text);
        action->setObjectName(name);
        action->setShortcut(key);
        // Here and in the second-monitor window (setMonitorWindow), not in
        // the help window or a dialog: Ctrl+0 there is a viewer's "reset
        // zoom", not "remove this athlete's row".
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        return action;
    };
    mStart = item(QStringLiteral("mStart"), QStringLiteral("Start"), Qt::Key_F5);
    mReset = item(QStringLiteral("mReset"), QStringLiteral("0,00"), Qt::Key_F7);
    mStop = item(QStringLiteral("mStop"), QStringLiteral("Stopp"), Qt::Key_F9);
    mLockStartLS =
        item(QStringLiteral("mLockStartLS"), QStringLiteral("Lock Start-LS"), Qt::Key_F11);
    mLockStoppLS =
        item(QStringLiteral("mLockStoppLS"), QStringLiteral("Lock Stopp-LS"), Qt::Key_F12);
    TestKeys1 = item(QStringLiteral("TestKeys1"), QStringLiteral("Test Keys"),
                     QKeySequence(Qt::CTRL | Qt::Key_T));
    // The menu machinery flips the check mark before TestKeys1Click runs.
    TestKeys1->setCheckable(true);
    New1 = item(QStringLiteral("New1"), QStringLiteral("New"), Qt::Key_F8);
    Zeileentfernen1 = item(QStringLiteral("Zeileentfernen1"), QStringLiteral("Zeile entfernen"),
                           QKeySequence(Qt::CTRL | Qt::Key_0));
    mHilfe = item(QStringLiteral("mHilfe"), QStringLiteral("Hilfe"), Qt::Key_F1);
    Hilfe1 =
        item(QStringLiteral("Hilfe1"), QStringLiteral("H&ilfe"), QKeySequence(Qt::ALT | Qt::Key_I));
    Modus1 =
        item(QStringLiteral("Modus1"), QStringLiteral("Modus"), QKeySequence(Qt::CTRL | Qt::Key_M));
    EinstellunGen1 =
        item(QStringLiteral("EinstellunGen1"), QStringLiteral("Einstellungen"), Qt::Key_F2);
    mInfo = item(QStringLiteral("mInfo"), QStringLiteral("Info"), Qt::Key_F3);
    mReset->setEnabled(false);
    mStop->setEnabled(false);
}

void TFormMain::connectHandlers()
{
    connect(mStart, &QAction::triggered, this, &TFormMain::mStartClick);
    connect(mStop, &QAction::triggered, this, &TFormMain::mStopClick);
    connect(mReset, &QAction::triggered, this, &TFormMain::mResetClick);
    connect(mLockStartLS, &QAction::triggered, this, &TFormMain::mLockStartLSClick);
    connect(mLockStoppLS, &QAction::triggered, this, &TFormMain::mLockStoppLSClick);
    connect(TestKeys1, &QAction::triggered, this, &TFormMain::TestKeys1Click);
    connect(New1, &QAction::triggered, this, &TFormMain::sbCLSClick);
    connect(mHilfe, &QAction::triggered, this, &TFormMain::mHilfeClick);
    connect(Hilfe1, &QAction::triggered, this, &TFormMain::mHilfeClick);
    connect(bHelp, &TColorSpeedButton::clicked, this, &TFormMain::mHilfeClick);
    connect(Modus1, &QAction::triggered, this, &TFormMain::Modus1Click);
    connect(EinstellunGen1, &QAction::triggered, this, &TFormMain::bCFGClick);
    connect(bCFG, &TColorSpeedButton::clicked, this, &TFormMain::bCFGClick);
    connect(mInfo, &QAction::triggered, this, &TFormMain::mInfoClick);
    connect(bInfo, &TColorSpeedButton::clicked, this, &TFormMain::mInfoClick);
    connect(m_wordmark, &TWordmark::clicked, this, &TFormMain::openMakerSite);
    connect(TimerDate, &QTimer::timeout, this, &TFormMain::TimerDateTimer);
    connect(ImageTVAus, &TLockImage::clicked, this, [this] {
        if (m_monitorWindow)
            m_monitorWindow->show();
    });
    connect(ImageTVEin, &TLockImage::clicked, this, [this] {
        if (m_monitorWindow)
            m_monitorWindow->close();
    });
    connect(Zeileentfernen1, &QAction::triggered, this, &TFormMain::Erase1Click);
    connect(splitter, &QSplitter::splitterMoved, this, &TFormMain::FormResize);
    m_tables->SortGrid1->viewport()->installEventFilter(this);
    m_tables->SortGridRes->viewport()->installEventFilter(this);
    m_tables->setConfirmation([this](const QString &question) {
        // Without the dialog nobody can confirm: nothing is cleared.
        if (!m_dlgYesNo)
            return false;
        m_dlgYesNo->setQuestion(question);
        return m_dlgYesNo->exec() == QDialog::Accepted;
    });
    connect(m_files, &TProtocolFileCommands::protocolImported, this, [this] {
        // Refreshed as on showing; a hidden window is placed when it is shown.
        if (!m_monitorWindow)
            return;
        if (m_monitorWindow->isVisible())
            m_monitorWindow->PlaceOnMonitor();
        m_monitorWindow->setStartNumbers(editStartN1->value(), editStartN2->value());
    });
    connect(m_tables, &TProtocolTables::protocolCleared, this, [this] {
        ShowTime(DisplayRow::Lower, 0);
        LabelTypeSpeed->hide();
    });

    connect(bSTART, &TColorSpeedButton::mouseDown, this, &TFormMain::bSTARTMouseDown);
    connect(bSTOP, &TColorSpeedButton::mouseDown, this, &TFormMain::bSTOPMouseDown);
    connect(bRESET, &TColorSpeedButton::clicked, this, &TFormMain::mResetClick);
    for (TLockImage *image : {ImageLSstart, ImageLSstop})
        connect(image, &TLockImage::clicked, this, [this, image] { ImageLSClick(image); });
    for (int i = 0; i < 5; ++i)
        connect(m_testKeys[i], &QPushButton::clicked, this, [this, i] { TestKeysClick(i + 1); });

    connect(Clock, &QTimer::timeout, this, &TFormMain::ClockTimer);
    connect(TimerGesperrtStop, &QTimer::timeout, this, &TFormMain::TimerGesperrtTimer);
    connect(editStartN1, &QSpinBox::valueChanged, this, &TFormMain::editStartN1Change);
    connect(editStartN2, &QSpinBox::valueChanged, this, &TFormMain::editStartN2Change);

    connect(ComPort, &TComPort::dsr, this, &TFormMain::ComPortStart);
    connect(ComPort, &TComPort::rlsd, this, &TFormMain::ComPort24);
    connect(ComPort, &TComPort::cts, this, &TFormMain::ComPortStop);
    connect(ComPort, &TComPort::opened, this, &TFormMain::ComPortOpen);
    connect(ComPort, &TComPort::closed, this, &TFormMain::ComPortClose);
    connect(m_portRecovery, &TPortRecovery::stateChanged, this, &TFormMain::showPortNotice);
}
