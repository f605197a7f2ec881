#include "ui/StartCheck.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

bool isShown(const QWidget &window)
{
    return window.isVisible() && window.windowHandle() && window.windowHandle()->isExposed();
}

} // namespace

void closeWhenShown(QWidget &window, int timeoutMs)
{
    auto *poll = new QTimer(&window);
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, &window,
                     [poll, &window, deadline = QDeadlineTimer(timeoutMs)] {
                         if (isShown(window)) {
                             poll->stop();
                             window.close();
                         } else if (deadline.hasExpired()) {
                             poll->stop();
                             QCoreApplication::exit(1);
                         }
                     });
    poll->start();
}
