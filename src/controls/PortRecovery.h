#pragma once

#include <QObject>
#include <QString>

class QTimer;
class TComPort;

// Keeps the chosen serial port open: opens it, tells why it could not, and
// while the device is missing or may not be opened looks for it again about
// once a second, also after the device failed while open. The port number and
// stable name are the port's own; this class only opens and watches.
class TPortRecovery : public QObject
{
    Q_OBJECT

public:
    enum class State {
        Idle,         // no port chosen, or an open error that retrying will not mend
        Connected,    // the port is open
        Missing,      // the chosen device is not there: looking for it
        Lost,         // the device failed while open: looking for it
        AccessDenied, // the device is there but may not be opened: trying again
    };
    Q_ENUM(State)

    explicit TPortRecovery(TComPort &port, QObject *parent = nullptr);

    // Opens the port's chosen device; when it is missing or refused, keeps
    // trying. Any other failure ends in Idle, as if nothing had been tried.
    void openChosen();
    // Stops trying; the port itself is left as it is.
    void stop();

    State state() const { return m_state; }
    // The device the last attempt opened or looked for.
    QString device() const { return m_device; }

    // Milliseconds between two attempts.
    int retryInterval() const;
    void setRetryInterval(int ms);

Q_SIGNALS:
    void stateChanged(TPortRecovery::State state);

private:
    void retry();
    void portFailed();
    // One attempt; `searching` tells how a missing device is reported.
    void attempt(State searching, bool retrying);
    void setState(State state);

    TComPort &m_port;
    QTimer *m_retry = nullptr;
    State m_state = State::Idle;
    // Missing or Lost: what a missing device counts as while retrying.
    State m_searching = State::Missing;
    QString m_device;
};
