#pragma once

#include "controls/Colors.h"
#include "settings/Settings.h"
#include "timing/CaptureSlots.h"
#include "timing/TimeDisplay.h"

#include <QPointer>
#include <QWidget>

#include <array>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class QSpinBox;
class QToolButton;
class QTimer;
class TCfgDialog;
class TColorSpeedButton;
class TComPort;
class TDigit;
class TFDlgYesNo;
class TFormMonitor2;
class TImageList;
class TLockImage;
class TPortNotice;
class TPortRecovery;
class TProtocolFileCommands;
class TProtocolTables;
class TWordmark;
namespace platform {
class Sound;
}

// The program's main window: the running-time display, the command buttons
// and keys, the serial port with its barrier handlers, and the run engine
// behind them. Its creation loads the settings and opens the port; its
// destruction saves the settings and closes the port.
//
// The run state (Ready, Running, Stopped) is not held in a variable: it is the
// enabled state of mStart/bSTART, mStop/bSTOP, mReset/bRESET and Clock, which
// the run operations always set together. Every command goes through its menu
// item, so a disabled item blocks it on every path.
class TFormMain : public QWidget
{
    Q_OBJECT

public:
    explicit TFormMain(QWidget *parent = nullptr);
    ~TFormMain() override;

    // The dialog FormCloseQuery asks; the program creates it after this window.
    void setDlgYesNo(TFDlgYesNo *dialog);
    // The settings dialog bCFGClick shows; the program creates it after this window.
    void setCfgDialog(TCfgDialog *dialog);
    // The second-monitor window: its digits, captions and start numbers follow
    // this window from now on, and Ctrl+M and the TV switches show and close
    // it. nullptr: there is none.
    void setMonitorWindow(TFormMonitor2 *window);

    // The settings in memory; the configuration dialog reads and changes them.
    Settings &settings() { return m_settings; }
    const Settings &settings() const { return m_settings; }
    // Serial ports found at start-up (bit n-1 for COMn; highest n in the high word).
    quint32 probedPorts() const { return m_probedPorts; }
    TComPort *comPort() const { return ComPort; }
    const CaptureSlots &captureSlots() const { return m_captures; }

    // Commands, by the way they come in.
    void bSTARTMouseDown();
    void mStartClick();
    void bSTOPMouseDown();
    void mStopClick();
    void mResetClick();
    void mLockStartLSClick();
    void mLockStoppLSClick();
    void ImageLSClick(TLockImage *image);
    void TestKeys1Click();
    // Help: the contents of the help file (F1, Alt+I, bHelp).
    void mHilfeClick();
    // Shows the second-monitor window, or closes it when shown (Ctrl+M).
    void Modus1Click();
    // The settings dialog (F2, bCFG): fills it, shows it and applies what
    // "OK" brings back at once.
    void bCFGClick();
    // The program's information box (F3, bInfo).
    void mInfoClick();
    // Shows the current date and time on the date panel.
    void TimerDateTimer();
    // Simulates the barrier event of test key 1 ... 5.
    void TestKeysClick(int tag);

    // Line handlers: start line (DSR), intermediate line (DCD), stop line (CTS).
    void ComPortStart();
    void ComPort24();
    void ComPortStop();
    void ComPortOpen();
    void ComPortClose();
    // Says in the window why the barriers' port is not open, or nothing.
    void showPortNotice();

    void ClockTimer();
    void TimerGesperrtTimer();
    void editStartN1Change();
    void editStartN2Change();
    // True when the window may close: asks "Beenden?" only while a run is in progress.
    bool FormCloseQuery();

    // The run engine.
    void StartRun();
    void StopRun();
    void ResetRun();
    void TriggerStart();
    void TakeIntermediate();
    void TakeStopLine();
    void SetRunButton(TColorSpeedButton *button, bool enabled);
    void ToggleBarrierLock(TLockImage *image);

    // Shows a time on one digit row here and on the second monitor.
    void ShowTime(DisplayRow row, qint32 ms);

    TProtocolTables *protocolTables() const { return m_tables; }
    // The protocol bar's save, open, web-page and print commands.
    TProtocolFileCommands *fileCommands() const { return m_files; }

    // The protocol's part of a run, handed to the protocol tables.
    void OpenProtocolRow(const QString &startNumber);
    void StoreRunSplits(qint32 finalTime, const CaptureSlots &captures);
    void UpdateProtocolButtons();
    // Re-divides the protocol tables' columns.
    void FormResize();
    // Clears the protocol (F8, asks first) / removes its selected row (Ctrl+0).
    void sbCLSClick();
    void Erase1Click();
    // Plays a sound file asynchronously when sounds are on and the path is
    // not empty.
    void PlaySoundFile(const QString &path);
    platform::Sound &sound() { return *m_sound; }

Q_SIGNALS:
    // A run has stopped and its times were handed to StoreRunSplits.
    void runStopped(qint32 finalTime, const CaptureSlots &captures);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createCommands();
    void connectHandlers();
    void FormCreate();
    void FormDestroy();
    void openMakerSite();

    // Steps 1-4 common to the line handlers: true when the line acts.
    bool lineActs(quint32 &memory, quint32 statusBit);
    bool runInProgress() const;
    // True when what is being handled happened before the run's start.
    bool stampedBeforeStart() const;
    // The instant of what is being handled: a line event's own, else now.
    quint32 instant() const;
    void showIntermediate(qint32 distance, qint64 tick);
    void startLockout();
    void resetDigitColors();
    // Takes back and applies the settings dialog's values after "OK".
    void takeBackSettings(const TCfgDialog &dialog);
    void reopenPort();
    // Gives the keyboard to the display side, where the function keys act.
    void focusDisplaySide();

    Settings m_settings;
    quint32 m_probedPorts = 0;
    QString m_startSoundPath;
    QString m_stopSoundPath;
    platform::Sound *m_sound = nullptr;
    QPointer<TFDlgYesNo> m_dlgYesNo;
    QPointer<TCfgDialog> m_cfgDialog;
    QPointer<TFormMonitor2> m_monitorWindow;

    // The run record.
    CaptureSlots m_captures{};
    qint64 m_stopTick = 0;
    qint64 m_startTick = 0;

    // Last status word each line handler saw; none is a possible status word,
    // so the first reading always counts as a change.
    quint32 m_startLineMemory = 0x55555555;
    quint32 m_intermediateLineMemory = 0x5A5A5A5A;
    quint32 m_stopLineMemory = 0xAAAAAAAA;
    TColor m_activeColor = kActiveDigitColor;

    QMenu *MainMenu = nullptr;
    QAction *mStart = nullptr;
    QAction *mStop = nullptr;
    QAction *mReset = nullptr;
    QAction *mLockStartLS = nullptr;
    QAction *mLockStoppLS = nullptr;
    QAction *TestKeys1 = nullptr;
    QAction *New1 = nullptr;
    QAction *Zeileentfernen1 = nullptr;
    QAction *mHilfe = nullptr;
    QAction *Hilfe1 = nullptr;
    QAction *Modus1 = nullptr;
    QAction *EinstellunGen1 = nullptr;
    QAction *mInfo = nullptr;

    TColorSpeedButton *bHelp = nullptr;
    TColorSpeedButton *bCFG = nullptr;
    TColorSpeedButton *bInfo = nullptr;
    TWordmark *m_wordmark = nullptr;
    QLabel *PanelDate = nullptr;
    QTimer *TimerDate = nullptr;
    TLockImage *ImageTVAus = nullptr;
    TLockImage *ImageTVEin = nullptr;

    QWidget *PanelDisplay = nullptr;
    QSpinBox *editStartN1 = nullptr;
    QSpinBox *editStartN2 = nullptr;
    QLabel *LabelTime2 = nullptr;
    QLabel *LabelTypeSpeed = nullptr;
    QWidget *PanelKeys = nullptr;
    TColorSpeedButton *bSTART = nullptr;
    TColorSpeedButton *bSTOP = nullptr;
    TColorSpeedButton *bRESET = nullptr;
    TLockImage *ImageLSstart = nullptr;
    TLockImage *ImageLSstop = nullptr;
    std::array<QPushButton *, 5> m_testKeys{};
    TImageList *ImageList1 = nullptr;
    QTimer *Clock = nullptr;
    QTimer *TimerGesperrtStop = nullptr;
    TComPort *ComPort = nullptr;
    // Opens the chosen port and looks for it again while it is missing.
    TPortRecovery *m_portRecovery = nullptr;
    TPortNotice *m_portNotice = nullptr;
    // Reopens the port a while after the settings dialog closed it, so the
    // device can settle; the window stays responsive meanwhile.
    QTimer *m_portReopen = nullptr;

    QSplitter *splitter = nullptr;
    TProtocolTables *m_tables = nullptr;
    TProtocolFileCommands *m_files = nullptr;
};
