// The main window's side of the settings dialog.

#include "ui/FMain.h"

#include "controls/Comms.h"
#include "controls/PortRecovery.h"
#include "protocol/ProtocolTables.h"
#include "settings/ProgramTitle.h"
#include "ui/Cfg.h"
#include "ui/FMonitor2.h"

#include <QMessageBox>
#include <QTimer>

void TFormMain::setCfgDialog(TCfgDialog *dialog)
{
    m_cfgDialog = dialog;
}

void TFormMain::bCFGClick()
{
    if (m_cfgDialog) {
        // Searched anew each time: an adapter may have come or gone.
        m_cfgDialog->setProbedPorts(ProbePorts(ComPort->port(), ComPort->stableName()));
        m_cfgDialog->fill(m_settings, ComPort->port(), TimerGesperrtStop->interval());
        if (m_cfgDialog->exec() == QDialog::Accepted)
            takeBackSettings(*m_cfgDialog);
    }
    focusDisplaySide();
}

void TFormMain::takeBackSettings(const TCfgDialog &dialog)
{
    m_settings.Length2 = dialog.chosenLength2();
    m_settings.Length3 = dialog.chosenLength3();
    m_settings.Length4 = dialog.chosenLength4();
    const std::optional<int> length = dialog.chosenLength();
    if (!length) {
        // The distances above are taken already; everything below waits for
        // a length that is a number.
        QMessageBox::critical(
            this, programTitle(),
            QStringLiteral("'%1' ist kein g\u00FCltiger Integerwert").arg(dialog.lengthText()));
        return;
    }
    m_settings.Length = *length;

    m_settings.Monitor = dialog.chosenMonitor();
    if (m_monitorWindow) {
        m_monitorWindow->setMonitor(m_settings.Monitor);
        m_monitorWindow->PlaceOnMonitor();
    }
    m_tables->FillSplitHeader(m_settings.Length2, m_settings.Length3, m_settings.Length4,
                              m_settings.Length);
    TimerGesperrtStop->setInterval(dialog.chosenLockoutInterval());

    // Every "OK" starts the port afresh, changed or not.
    m_portReopen->stop();
    m_portRecovery->stop();
    ComPort->Close();
    // The same number is the same adapter, wherever it is now; another
    // number is learnt anew ("Kein" has none).
    const int port = dialog.chosenPort();
    if (port != ComPort->port())
        ComPort->setStableName(platform::serial::stableNameOf(platform::serial::deviceName(port)));
    ComPort->setPort(0);
    if (port != 0) {
        ComPort->setPort(quint8(port));
        // No mode shown (an unknown stored one): the old one stays.
        if (dialog.chosenMode() >= 0)
            m_settings.Alg = dialog.chosenMode();
        m_portReopen->start();
    }
    FormResize();
}

void TFormMain::reopenPort()
{
    // No message box: a missing or refused port is told in the window and
    // looked for again; the program keeps its number for the next start.
    m_portRecovery->openChosen();
}

void TFormMain::focusDisplaySide()
{
    if (auto *side = findChild<QWidget *>(QStringLiteral("PanelLeft"))) {
        activateWindow();
        side->setFocus(Qt::OtherFocusReason);
    }
}
