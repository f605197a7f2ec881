#include "ui/FMain.h"

#include "controls/ColorSpeedButton.h"
#include "controls/Comms.h"
#include "controls/PortRecovery.h"
#include "help/HelpManager.h"
#include "help/InstalledHelp.h"
#include "platform/Shell.h"
#include "platform/Sound.h"
#include "platform/UserStore.h"
#include "protocol/HtmlReport.h"
#include "protocol/ProtocolTables.h"
#include "settings/ProgramTitle.h"
#include "settings/WindowBounds.h"
#include "ui/DateCaption.h"
#include "ui/DigitRows.h"
#include "ui/DlgYesNo.h"
#include "ui/FMonitor2.h"
#include "ui/LockImage.h"
#include "ui/PortNotice.h"
#include "ui/ProtocolFileCommands.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>
#include <QUrl>

namespace {

// The form's caption before the program title; also the version the
// information box names.
const QString kVersion = QStringLiteral("1.0");

QString informationText(const QString &title)
{
    return title + QStringLiteral(" ") + kVersion +
           QStringLiteral("\n\nZeitmessung f\u00FCr Sprint- und Schnelligkeitstests mit "
                          "Lichtschranken an der seriellen Schnittstelle: Startschranke, "
                          "drei Zwischenzeiten und Ziel, angezeigt in Hundertstelsekunden, "
                          "mit Zeitenprotokoll und Anzeige auf einem zweiten Monitor.\n\n"
                          "Korvel Software\n") +
           QLatin1String(protocol::MakerAddress);
}

} // namespace

TFormMain::TFormMain(QWidget *parent)
    : QWidget(parent)
    , m_sound(new platform::Sound(this))
{
    createControls();
    createCommands();
    connectHandlers();
    m_portReopen = new QTimer(this);
    m_portReopen->setObjectName(QStringLiteral("PortReopen"));
    m_portReopen->setSingleShot(true);
    m_portReopen->setTimerType(Qt::PreciseTimer); // never shorter than asked
    m_portReopen->setInterval(200);
    connect(m_portReopen, &QTimer::timeout, this, &TFormMain::reopenPort);
    FormCreate();
}

TFormMain::~TFormMain()
{
    FormDestroy();
}

void TFormMain::FormCreate()
{
    const QString title = programTitle();
    setWindowTitle(kVersion + QStringLiteral(" ") + title);

    // Loaded now, so the first start is heard without delay; a missing file
    // leaves its path empty and is never played.
    const QString folder = QCoreApplication::applicationDirPath();
    m_stopSoundPath = platform::soundFilePath(folder, QStringLiteral("stopp.wav"));
    m_sound->preload(m_stopSoundPath);
    m_startSoundPath = platform::soundFilePath(folder, QStringLiteral("start.wav"));
    m_sound->preload(m_startSoundPath);

    // Before the port is opened: it names the port.
    m_settings = loadSettings(openSettingsStore(title), QGuiApplication::screens().size());
    ComPort->setPort(m_settings.Port);
    ComPort->setStableName(m_settings.PortId);
    TimerGesperrtStop->setInterval(m_settings.WaitStart);
    m_files->setFilterIndex(m_settings.FilterInd);
    applyWindowBounds(*this, m_settings);
    ImageTVAus->setVisible(QGuiApplication::screens().size() > 1);

    helpSystem().setHelpFile(findHelpFile(QCoreApplication::applicationFilePath()));
    helpSystem().setHandle(this);
    m_probedPorts = ProbePorts(ComPort->port(), ComPort->stableName());
    TimerDateTimer();

    // A missing or refused port is no reason to refuse timing by hand: the
    // program runs without one, says why, and opens it once it can.
    if (ComPort->port() != 0)
        m_portRecovery->openChosen();

    m_tables->FillSplitHeader(m_settings.Length2, m_settings.Length3, m_settings.Length4,
                              m_settings.Length);
    UpdateProtocolButtons();
    SetRunButton(bSTOP, false);
    SetRunButton(bRESET, false);
    // Both barriers stay blocked until the operator arms them.
    ImageLSstart->setPixmap(ImageList1->picture(ImageLSstart->tag()));
    ImageLSstop->setPixmap(ImageList1->picture(ImageLSstop->tag()));
}

void TFormMain::FormDestroy()
{
    takeWindowBounds(*this, m_settings);
    m_settings.Port = ComPort->port();
    m_settings.PortId = ComPort->stableName();
    m_settings.WaitStart = TimerGesperrtStop->interval();
    m_settings.FilterInd = m_files->filterIndex();
    platform::UserStore store = openSettingsStore(programTitle());
    // A store that cannot be written loses this session's changes, silently:
    // there is nobody left to tell at program end.
    saveSettings(store, m_settings);
    ComPort->Close();
}

void TFormMain::setDlgYesNo(TFDlgYesNo *dialog)
{
    m_dlgYesNo = dialog;
}

void TFormMain::setMonitorWindow(TFormMonitor2 *window)
{
    const QList<QAction *> commands = MainMenu->actions();
    if (m_monitorWindow) {
        disconnect(m_monitorWindow, nullptr, ImageTVEin, nullptr);
        for (QAction *command : commands)
            m_monitorWindow->removeAction(command);
    }
    m_monitorWindow = window;
    ImageTVEin->setVisible(window && window->isVisible());
    if (!window)
        return;
    // The keys act while the display has the focus, as it covers this window
    // on a single monitor.
    window->addActions(commands);
    connect(window, &TFormMonitor2::visibilityChanged, ImageTVEin, &QWidget::setVisible);
    window->setStartNumbers(editStartN1->value(), editStartN2->value());
}

void TFormMain::Modus1Click()
{
    if (!m_monitorWindow)
        return;
    if (m_monitorWindow->isVisible())
        m_monitorWindow->close();
    else
        m_monitorWindow->show();
}

void TFormMain::mHilfeClick()
{
    showHelpContents();
}

bool TFormMain::FormCloseQuery()
{
    if (m_dlgYesNo)
        m_dlgYesNo->setQuestion(QStringLiteral("Beenden?"));
    if (!Clock->isActive())
        return true;
    // Without the dialog nobody can confirm: a run in progress is never dropped.
    return m_dlgYesNo && m_dlgYesNo->exec() == QDialog::Accepted;
}

void TFormMain::closeEvent(QCloseEvent *event)
{
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

void TFormMain::ComPortOpen()
{
    ImageLSstart->show();
    ImageLSstop->show();
}

void TFormMain::ComPortClose()
{
    ImageLSstart->hide();
    ImageLSstop->hide();
}

void TFormMain::showPortNotice()
{
    m_portNotice->showState(m_portRecovery->state(), ComPort->port(), m_portRecovery->device());
}

void TFormMain::TestKeys1Click()
{
    const bool shown = TestKeys1->isChecked();
    PanelKeys->setFixedWidth(shown ? 188 : 150);
    for (QPushButton *key : m_testKeys)
        key->setVisible(shown);
}

void TFormMain::editStartN1Change()
{
    m_tables->StartNumberChanged(editStartN1->text());
    if (m_monitorWindow)
        m_monitorWindow->setStartNumber(editStartN1->value());
}

void TFormMain::editStartN2Change()
{
    if (m_monitorWindow)
        m_monitorWindow->setNextNumber(editStartN2->value());
}

void TFormMain::ShowTime(DisplayRow row, qint32 ms)
{
    const QList<DigitShow> digits = digitsForTime(row, ms);
    showDigits(*PanelDisplay, digits, m_activeColor);
    if (m_monitorWindow)
        m_monitorWindow->showDigits(digits, m_activeColor);
}

void TFormMain::resetDigitColors()
{
    m_activeColor = kActiveDigitColor;
    for (const char *name : {"Digit3", "Digit4", "Digit5", "Digit6", "Digit7", "Digit8", "LabSec"})
        setLitColor(*PanelDisplay, QLatin1String(name), m_activeColor);
    if (m_monitorWindow)
        m_monitorWindow->resetColors(m_activeColor);
    ShowTime(DisplayRow::Upper, 0);
    ShowTime(DisplayRow::Lower, 0);
}

void TFormMain::OpenProtocolRow(const QString &startNumber)
{
    m_tables->OpenProtocolRow(startNumber);
}

void TFormMain::StoreRunSplits(qint32 finalTime, const CaptureSlots &captures)
{
    m_tables->StoreRunSplits(finalTime, captures);
}

void TFormMain::UpdateProtocolButtons()
{
    m_tables->UpdateProtocolButtons();
}

void TFormMain::FormResize()
{
    m_tables->LayoutColumns();
}

void TFormMain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

bool TFormMain::eventFilter(QObject *watched, QEvent *event)
{
    // A hidden window's grids learn their new size only after the window's own
    // resize (on showing, or when drawn unshown): divide again once they have.
    if (event->type() == QEvent::Resize)
        FormResize();
    return QWidget::eventFilter(watched, event);
}

void TFormMain::sbCLSClick()
{
    m_tables->sbCLSClick();
}

void TFormMain::Erase1Click()
{
    m_tables->Erase1Click();
}

void TFormMain::PlaySoundFile(const QString &path)
{
    if (m_settings.Sound && !path.isEmpty())
        m_sound->play(path);
}

void TFormMain::mInfoClick()
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Info"),
                    informationText(programTitle()), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("InfoBox"));
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

void TFormMain::TimerDateTimer()
{
    showDateCaption(*PanelDate, dateCaption(QDateTime::currentDateTime(), QLocale::system()));
}

void TFormMain::openMakerSite()
{
    // No browser: the click simply does nothing, as a link would.
    platform::Shell().open(QUrl(QLatin1String(protocol::MakerAddress)));
}
