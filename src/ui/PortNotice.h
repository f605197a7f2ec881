#pragma once

#include "controls/PortRecovery.h"

#include <QLabel>

// What the main window says about the barriers' port: why it is not open and
// what to do; empty when the port is open or none is chosen.
QString portNoticeText(TPortRecovery::State state, int port, const QString &device);

// The red notice beside the command buttons: seen at a glance, and timing by
// hand goes on around it. Hidden while there is nothing to say.
class TPortNotice : public QLabel
{
    Q_OBJECT

public:
    explicit TPortNotice(QWidget *parent = nullptr);

    void showState(TPortRecovery::State state, int port, const QString &device);
};
