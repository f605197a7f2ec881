// The main window's controls and their places.

#include "ui/FMain.h"

#include "controls/ColorSpeedButton.h"
#include "controls/Comms.h"
#include "controls/SortGrid.h"
#include "controls/Udigit.h"
#include "protocol/ProtocolTables.h"
#include "ui/Artwork.h"
#include "ui/CommandButtons.h"
#include "ui/DlgYesNo.h"
#include "ui/FMonitor2.h"
#include "ui/LockImage.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
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

TDigit *digit(const QString &name, QPoint at, TColor lit, QWidget *parent)
{
    auto *control = new TDigit(parent);
    control->setObjectName(name);
    control->setGeometry(QRect(at, QSize(50, 89)));
    control->setThickness(5); // only after the size: it must fit
    control->setSeparation(1);
    control->setColor(clBlack);
    control->setColorOff(clBlack);
    control->setColorOn(lit);
    return control;
}

// The "." and "," between the digits.
QLabel *separator(const QString &name, const QString &text, int left, int top, TColor color,
                  QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(pixelFont(QStringLiteral("Times New Roman"), 64, true));
    setColors(*label, clNone, color);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    label->setGeometry(left, top, 32, 89);
    return label;
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
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11, false));
    setColors(*this, clBtnFace, clBtnText);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    QWidget *Panel1 = panel(QStringLiteral("Panel1"), clBtnShadow, this);
    Panel1->setFixedHeight(38);
    column->addWidget(Panel1);
    bHelp = new TColorSpeedButton(Panel1);
    bHelp->setObjectName(QStringLiteral("bHelp"));
    bHelp->setStyle(TColorSpeedButtonStyle::bsShape);
    bHelp->setFlat(true);
    bHelp->setColor(clBtnShadow);
    bHelp->setGlyph(Artwork::image(Artwork::Picture::HelpGlyphs));
    bHelp->setGeometry(9, 0, 38, 40);
    bHelp->setToolTip(QStringLiteral("Hilfe (F1)"));
    bHelp->setCursor(Qt::PointingHandCursor);

    QWidget *Panel2 = panel(QStringLiteral("Panel2"), clBtnFace, this);
    Panel2->setFixedHeight(339);
    column->addWidget(Panel2);
    auto *row = new QHBoxLayout(Panel2);
    row->setContentsMargins(0, 0, 0, 0);
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
    splitter = new QSplitter(Qt::Horizontal, Panel5);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(m_tables->SortGrid1);
    splitter->addWidget(m_tables->TabControl1);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({width() - 272, 272});
    auto *tablesLayout = new QHBoxLayout(Panel5);
    tablesLayout->setContentsMargins(0, 0, 0, 0);
    tablesLayout->addWidget(splitter);

    QWidget *Panel4 = panel(QStringLiteral("Panel4"), clBtnFace, this);
    Panel4->setFixedHeight(42);
    column->addWidget(Panel4);
    m_tables->setProtocolButtons(createProtocolBar(Panel4));

    const auto tvSwitch = [PanelLeft](const QString &name, Artwork::Picture picture) {
        auto *image = new TLockImage(PanelLeft);
        image->setObjectName(name);
        image->setGeometry(132, 309, 90, 20);
        image->setPixmap(Artwork::pixmap(picture));
        image->setToolTip(QStringLiteral("Strg+M"));
        image->setCursor(Qt::PointingHandCursor);
        return image;
    };
    ImageTVAus = tvSwitch(QStringLiteral("ImageTVAus"), Artwork::Picture::TVAus);
    ImageTVAus->setVisible(QGuiApplication::screens().size() > 1);
    // At ImageTVAus's place: the one switch shows what the other turns off.
    ImageTVEin = tvSwitch(QStringLiteral("ImageTVEin"), Artwork::Picture::TVEin);
    ImageTVEin->hide(); // shown while the second-monitor window is

    PanelDisplay = panel(QStringLiteral("PanelDisplay"), clBlack, PanelLeft);
    PanelDisplay->setGeometry(18, 19, 357, 283);
    caption(QStringLiteral("LabelStart"), QStringLiteral("Start-Nr.:"), clLime,
            QRect(6, 14, 84, 24), PanelDisplay);
    editStartN1 =
        startNumber(QStringLiteral("editStartN1"), 1, clLime, QRect(91, 6, 72, 39), PanelDisplay);
    QLabel *next = caption(QStringLiteral("LabelNext"), QStringLiteral("Bereit:"), clRed,
                           QRect(180, 14, 88, 24), PanelDisplay);
    next->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    editStartN2 =
        startNumber(QStringLiteral("editStartN2"), 2, clRed, QRect(273, 6, 72, 39), PanelDisplay);

    digit(QStringLiteral("Digit4"), {4, 56}, kDarkGrey, PanelDisplay);
    separator(QStringLiteral("LabMin"), QStringLiteral("."), 56, 56, kDarkGrey, PanelDisplay);
    digit(QStringLiteral("Digit5"), {84, 56}, kDarkGrey, PanelDisplay);
    digit(QStringLiteral("Digit6"), {148, 56}, clYellow, PanelDisplay);
    separator(QStringLiteral("LabSec"), QStringLiteral(","), 200, 56, clYellow, PanelDisplay);
    digit(QStringLiteral("Digit7"), {236, 56}, clYellow, PanelDisplay);
    digit(QStringLiteral("Digit8"), {300, 56}, clYellow, PanelDisplay);

    LabelTime2 = caption(QStringLiteral("LabelTime2"), QStringLiteral("Zwischenzeit:"), clLime,
                         QRect(6, 155, 130, 24), PanelDisplay);
    LabelTypeSpeed = caption(QStringLiteral("LabelTypeSpeed"), {}, kSkyBlue,
                             QRect(141, 155, 120, 24), PanelDisplay);
    LabelTypeSpeed->hide();

    digit(QStringLiteral("Digit1"), {20, 184}, kDarkGrey, PanelDisplay);
    digit(QStringLiteral("Digit2"), {84, 184}, kDarkGrey, PanelDisplay);
    digit(QStringLiteral("Digit3"), {148, 184}, clYellow, PanelDisplay);
    separator(QStringLiteral("LabSec2"), QStringLiteral(","), 200, 184, clYellow, PanelDisplay);
    digit(QStringLiteral("Digit0"), {236, 184}, clYellow, PanelDisplay);
    digit(QStringLiteral("Digit10"), {300, 184}, clYellow, PanelDisplay);

    PanelKeys = panel(QStringLiteral("PanelKeys"), clBtnShadow, Panel3);
    PanelKeys->setGeometry(0, 8, 257, 331);
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

    ImageList1 = new TImageList(barrierLockPictures(), this);
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
    // RTS handshake keeps RTS on, which feeds the CTS loop.
    ComPort->setFlowControl(fcRtsCts);
    ComPort->setDataBits(5);
    ComPort->setEvents(eventSet({evCTS, evDSR, evRLSD}));
    ComPort->setEnableDTR(true);
    ComPort->setWriteBufSize(64);
    ComPort->setReadBufSize(64);
}

QList<QWidget *> TFormMain::createProtocolBar(QWidget *bar)
{
    const auto button = [bar](const char *name, const QString &hint) {
        auto *control = new QToolButton(bar);
        control->setObjectName(QLatin1String(name));
        control->setText(QLatin1String(name).mid(2)); // until the artwork dresses it
        control->setToolTip(hint);
        control->setAutoRaise(true);
        control->setFixedSize(36, 39);
        control->setCursor(Qt::PointingHandCursor);
        return control;
    };
    QToolButton *sbSave = button("sbSave", QStringLiteral("Speichern unter..."));
    QToolButton *sbLoad = button("sbLoad", QStringLiteral("\u00D6ffnen"));
    QToolButton *sbExcel = button("sbExcel", QStringLiteral("Datei in MS Excel"));
    QToolButton *sbInet = button("sbInet", QStringLiteral("Als Webseite"));
    QToolButton *sbPrint = button("sbPrint", QStringLiteral("Drucken"));
    QToolButton *sbCLS = button("sbCLS", QStringLiteral("L\u00F6schen (F8)"));
    QToolButton *sbWord = button("sbWord", QStringLiteral("Datei in MS Word"));
    sbWord->hide();
    connect(sbCLS, &QToolButton::clicked, this, &TFormMain::sbCLSClick);
    connect(sbExcel, &QToolButton::clicked, this, &TFormMain::sbExcelClick);

    auto *title = new QLabel(QStringLiteral("      Protokoll"), bar);
    title->setObjectName(QStringLiteral("LabelProtokoll"));
    title->setFont(pixelFont(QStringLiteral("Arial"), 19, true));

    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 1, 4, 2);
    row->setSpacing(0);
    for (QWidget *control : std::initializer_list<QWidget *>{sbSave, sbLoad, sbExcel, title})
        row->addWidget(control);
    row->addStretch(1);
    for (QToolButton *control : {sbWord, sbInet, sbPrint, sbCLS})
        row->addWidget(control);
    return {sbSave, sbLoad, sbExcel, sbInet, sbPrint, sbCLS, sbWord};
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
        // Also while the second-monitor window has the focus.
        action->setShortcutContext(Qt::ApplicationShortcut);
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
}
