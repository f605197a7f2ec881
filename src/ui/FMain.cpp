#include "ui/FMain.h"

#include "controls/ColorSpeedButton.h"
#include "controls/Comms.h"
#include "help/HelpManager.h"
#include "platform/UserStore.h"
#include "platform/office/OfficeError.h"
#include "protocol/OfficeExchange.h"
#include "protocol/ProtocolTables.h"
#include "settings/ProgramTitle.h"
#include "settings/WindowBounds.h"
#include "ui/DigitRows.h"
#include "ui/DlgYesNo.h"
#include "ui/FMonitor2.h"
#include "ui/LockImage.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>

TFormMain::TFormMain(QWidget *parent)
    : QWidget(parent)
{
    createControls();
    createCommands();
    connectHandlers();
    FormCreate();
}

TFormMain::~TFormMain()
{
    FormDestroy();
}

void TFormMain::FormCreate()
{
    const QString title = programTitle();
    setWindowTitle(QStringLiteral("1.0 ") + title);
    helpSystem().setHelpFile(helpFilePath(QCoreApplication::applicationFilePath()));
    helpSystem().setHandle(this);

    // Before the port is opened: it names the port.
    m_settings = loadSettings(openSettingsStore(title), QGuiApplication::screens().size());
    ComPort->setPort(m_settings.Port);
    TimerGesperrtStop->setInterval(m_settings.WaitStart);
    applyWindowBounds(*this, m_settings);
    m_tables->FillSplitHeader(m_settings.Length2, m_settings.Length3, m_settings.Length4,
                              m_settings.Length);

    m_probedPorts = ProbePorts();
    if (ComPort->port() != 0) {
        try {
            ComPort->Open();
        } catch (const EComError &) {
            // A missing or busy port is no reason to refuse timing by hand: the
            // program runs without one and the lock icons stay hidden.
        }
    }

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
    m_settings.WaitStart = TimerGesperrtStop->interval();
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
    if (m_monitorWindow)
        disconnect(m_monitorWindow, nullptr, ImageTVEin, nullptr);
    m_monitorWindow = window;
    ImageTVEin->setVisible(window && window->isVisible());
    if (!window)
        return;
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

void TFormMain::TestKeys1Click()
{
    const bool shown = TestKeys1->isChecked();
    PanelKeys->resize(150 + 38 * (shown ? 1 : 0), PanelKeys->height());
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

void TFormMain::sbExcelClick()
{
    try {
        ExportToExcel(*m_tables, QString(), programTitle());
    } catch (const platform::office::OfficeError &error) {
        QMessageBox::critical(this, programTitle(), error.message());
    }
}

void TFormMain::PlaySoundFile(const QString &path)
{
    // The sound files are looked up at start-up once sounds exist; until then
    // both paths are empty, which means silence.
    Q_UNUSED(path);
}
