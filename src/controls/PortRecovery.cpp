#include "controls/PortRecovery.h"

#include "controls/Comms.h"

#include <QTimer>

TPortRecovery::TPortRecovery(TComPort &port, QObject *parent)
    : QObject(parent)
    , m_port(port)
    , m_retry(new QTimer(this))
{
    m_retry->setObjectName(QStringLiteral("PortRetry"));
    m_retry->setInterval(1000);
    connect(m_retry, &QTimer::timeout, this, &TPortRecovery::retry);
    connect(&m_port, &TComPort::failed, this, &TPortRecovery::portFailed);
}

int TPortRecovery::retryInterval() const
{
    return m_retry->interval();
}

void TPortRecovery::setRetryInterval(int ms)
{
    m_retry->setInterval(ms);
}

void TPortRecovery::openChosen()
{
    m_retry->stop();
    attempt(State::Missing, false);
}

void TPortRecovery::stop()
{
    m_retry->stop();
    setState(State::Idle);
}

void TPortRecovery::portFailed()
{
    m_device = m_port.deviceName();
    m_searching = State::Lost;
    setState(State::Lost);
    m_retry->start();
}

void TPortRecovery::retry()
{
    attempt(m_searching, true);
}

void TPortRecovery::attempt(State searching, bool retrying)
{
    m_searching = searching;
    // Looked up each time: an adapter plugged in again may have a new device.
    m_device = m_port.deviceName();
    try {
        m_port.Open();
        m_retry->stop();
        setState(State::Connected);
        return;
    } catch (const EComError &e) {
        switch (e.kind()) {
        case EComError::Kind::Missing:
            setState(searching);
            break;
        case EComError::Kind::AccessDenied:
            // Right after plugging in, the system may still be setting the
            // device's permissions: this can mend itself too.
            setState(State::AccessDenied);
            break;
        case EComError::Kind::Other:
            // Held by another program, or a set-up the driver refuses: said
            // by nobody, as before. Once looked for, the port is looked for on.
            if (!retrying) {
                m_retry->stop();
                setState(State::Idle);
                return;
            }
            break;
        }
    }
    m_retry->start();
}

void TPortRecovery::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    Q_EMIT stateChanged(state);
}
