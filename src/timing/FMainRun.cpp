// The run engine of the main window: line handlers, commands and the run's
// steps. Their order is part of the behaviour: keep it.

#include "ui/FMain.h"

#include "controls/ColorSpeedButton.h"
#include "controls/Comms.h"
#include "platform/Tick.h"
#include "protocol/ProtocolTables.h"
#include "ui/CommandButtons.h"
#include "ui/DigitRows.h"
#include "ui/FMonitor2.h"
#include "ui/LockImage.h"

#include <QAction>
#include <QLabel>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTimer>

namespace {

namespace serial = platform::serial;

enum Slot { FirstIntermediate, SecondIntermediate, ThirdIntermediate, Finish };

enum Mode { ActOnLineOn = 0, ActOnLineOff = 1, ActOnAnyChange = 2 };

constexpr int kBlocked = 0;
constexpr int kArmed = 1;

// Not a possible status word: the next reading always counts as a change.
constexpr quint32 kNoStatus = 999;

} // namespace

quint32 TFormMain::instant() const
{
    return ComPort->eventTick();
}

bool TFormMain::runInProgress() const
{
    return !bSTART->isEnabled() && Clock->isActive();
}

bool TFormMain::stampedBeforeStart() const
{
    return elapsedTicks(instant(), quint32(m_startTick)) < 0;
}

bool TFormMain::lineActs(quint32 &memory, quint32 statusBit)
{
    const quint32 status = ComPort->ModemStatus();
    if (status == memory)
        return false;
    memory = status;
    if (TimerGesperrtStop->isActive())
        return false;
    switch (m_settings.Alg) {
    case ActOnLineOn:
        return (status & statusBit) != 0;
    case ActOnLineOff:
        return (status & statusBit) == 0;
    case ActOnAnyChange:
        return true;
    default:
        return false;
    }
}

void TFormMain::ComPortStart()
{
    if (lineActs(m_startLineMemory, serial::MS_DSR_ON))
        TriggerStart();
}

void TFormMain::ComPort24()
{
    if (!lineActs(m_intermediateLineMemory, serial::MS_RLSD_ON))
        return;
    TakeIntermediate();
    if (m_settings.Alg == ActOnAnyChange)
        m_intermediateLineMemory = kNoStatus;
}

void TFormMain::ComPortStop()
{
    if (lineActs(m_stopLineMemory, serial::MS_CTS_ON))
        TakeStopLine();
}

void TFormMain::TriggerStart()
{
    if (bSTART->isEnabled() && ImageLSstart->tag() == kArmed)
        mStart->trigger();
    // The start line never starts a run twice on one arming.
    if (ImageLSstart->tag() == kArmed)
        ToggleBarrierLock(ImageLSstart);
}

void TFormMain::startLockout()
{
    if (TimerGesperrtStop->interval() > 0 && !TimerGesperrtStop->isActive())
        TimerGesperrtStop->start();
}

void TFormMain::showIntermediate(qint32 distance, qint64 tick)
{
    LabelTypeSpeed->setText(QString::number(distance) + QStringLiteral(" m"));
    LabelTypeSpeed->setVisible(true);
    ShowTime(DisplayRow::Lower, elapsedTicks(quint32(tick), quint32(m_startTick)));
}

void TFormMain::TakeIntermediate()
{
    // A barrier event that happened before the run started (a hand start
    // came first) is no time of this run.
    if (!runInProgress() || stampedBeforeStart())
        return;
    if (m_captures[FirstIntermediate] == 0) {
        m_captures[FirstIntermediate] = instant();
        showIntermediate(m_settings.Length2, m_captures[FirstIntermediate]);
        startLockout();
    } else if (m_captures[SecondIntermediate] != 0 && m_captures[ThirdIntermediate] == 0) {
        m_captures[ThirdIntermediate] = instant();
        showIntermediate(m_settings.Length4, m_captures[ThirdIntermediate]);
        // From the third intermediate time on the finish counts.
        if (ImageLSstop->tag() == kBlocked)
            ToggleBarrierLock(ImageLSstop);
        startLockout();
    }
}

void TFormMain::TakeStopLine()
{
    if (runInProgress() && stampedBeforeStart())
        return;
    if (m_captures[SecondIntermediate] == 0) {
        if (!runInProgress())
            return;
        m_captures[SecondIntermediate] = instant();
        showIntermediate(m_settings.Length3, m_captures[SecondIntermediate]);
        startLockout();
    } else if (bSTOP->isEnabled() && ImageLSstop->tag() == kArmed) {
        mStop->trigger();
        startLockout();
    }
}

void TFormMain::bSTARTMouseDown()
{
    mStart->trigger();
}

void TFormMain::mStartClick()
{
    StartRun();
}

void TFormMain::bSTOPMouseDown()
{
    mStop->trigger();
}

void TFormMain::mStopClick()
{
    StopRun();
}

void TFormMain::mResetClick()
{
    ResetRun();
}

void TFormMain::StartRun()
{
    m_startTick = instant();
    Clock->start();
    editStartN1->setEnabled(false);
    m_tables->setTablesEnabled(false);
    ShowTime(DisplayRow::Lower, 0);
    OpenProtocolRow(editStartN1->text());
    UpdateProtocolButtons();
    FormResize();
    editStartN1Change(); // selects the start number's protocol row again
    PlaySoundFile(m_startSoundPath);
    mStart->setEnabled(false);
    SetRunButton(bSTART, false);
    if (ImageLSstart->tag() == kArmed)
        ToggleBarrierLock(ImageLSstart);
    mStop->setEnabled(true);
    SetRunButton(bSTOP, true);
    SetRunButton(bRESET, false);
    mReset->setEnabled(false);
}

void TFormMain::StopRun()
{
    m_stopTick = instant();
    Clock->stop();
    m_captures[Finish] = m_stopTick;
    const qint32 finalTime = elapsedTicks(quint32(m_stopTick), quint32(m_startTick));
    LabelTypeSpeed->setText({});
    LabelTypeSpeed->setVisible(true);
    ShowTime(DisplayRow::Lower, finalTime);
    ShowTime(DisplayRow::Upper, finalTime);
    for (qint64 &slot : m_captures) {
        if (slot != 0)
            slot = elapsedTicks(quint32(slot), quint32(m_startTick));
    }
    StoreRunSplits(finalTime, m_captures); // also enables the grids again
    Q_EMIT runStopped(finalTime, m_captures);
    PlaySoundFile(m_stopSoundPath);
    mStop->setEnabled(false);
    SetRunButton(bSTOP, false);
    if (ImageLSstop->tag() == kArmed)
        ToggleBarrierLock(ImageLSstop);
    SetRunButton(bRESET, true);
    mReset->setEnabled(true);
}

void TFormMain::ResetRun()
{
    resetDigitColors();
    LabelTime2->setText(QStringLiteral("Zwischenzeit:"));
    if (m_monitorWindow)
        m_monitorWindow->setTime2Caption(LabelTime2->text());
    editStartN1->setValue(editStartN2->value());
    editStartN2->setValue(editStartN2->value() + 1); // held at 9999
    editStartN1->setEnabled(true);
    LabelTypeSpeed->hide();
    mStart->setEnabled(true);
    SetRunButton(bSTART, true);
    SetRunButton(bRESET, false);
    mReset->setEnabled(false);
    m_captures = {};
}

void TFormMain::SetRunButton(TColorSpeedButton *button, bool enabled)
{
    const CommandButton which = button == bSTART  ? CommandButton::Start
                                : button == bSTOP ? CommandButton::Stop
                                                  : CommandButton::Reset;
    button->setEnabled(enabled);
    const RunButtonColors colors = runButtonColors(which, enabled);
    button->setColor(colors.color);
    button->setLightColor(colors.lightColor);
    if (colors.shadowColor != clNone)
        button->setShadowColor(colors.shadowColor);
}

void TFormMain::ToggleBarrierLock(TLockImage *image)
{
    image->setTag(image->tag() ^ 1);
    image->setPixmap(ImageList1->picture(image->tag()));
}

void TFormMain::ImageLSClick(TLockImage *image)
{
    ToggleBarrierLock(image);
}

void TFormMain::mLockStartLSClick()
{
    ToggleBarrierLock(ImageLSstart);
}

void TFormMain::mLockStoppLSClick()
{
    ToggleBarrierLock(ImageLSstop);
}

void TFormMain::ClockTimer()
{
    // From the tick alone, so late timer events never make the display drift.
    ShowTime(DisplayRow::Upper, elapsedTicks(platform::GetTickCount(), quint32(m_startTick)));
}

void TFormMain::TimerGesperrtTimer()
{
    TimerGesperrtStop->stop();
}

void TFormMain::TestKeysClick(int tag)
{
    const qint32 mode = m_settings.Alg;
    m_settings.Alg = ActOnAnyChange;
    // A test key is the barrier event it stands for, whatever the real lines
    // show: its handler must not find "no change" against them.
    switch (tag) {
    case 1:
        m_startLineMemory = kNoStatus;
        ComPortStart();
        mStart->trigger();
        break;
    case 2:
    case 4:
        m_intermediateLineMemory = kNoStatus;
        ComPort24();
        break;
    case 3:
        m_stopLineMemory = kNoStatus;
        ComPortStop();
        break;
    case 5:
        m_stopLineMemory = kNoStatus;
        ComPortStop();
        mStop->trigger();
        break;
    default:
        break;
    }
    // So that the next stop-line event counts as a change.
    m_stopLineMemory = QRandomGenerator::global()->bounded(1000000u);
    m_settings.Alg = mode;
}
