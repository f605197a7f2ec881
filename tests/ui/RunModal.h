#pragma once

#include <QDialog>
#include <QTest>
#include <QTimer>

#include <functional>

// exec()'s result when the test had to close the dialog itself.
inline constexpr int kLeftOpen = 42;

// Runs a dialog modally, as the program does, and operates it from inside its
// loop the way the operator would. A dialog that operate does not close is
// closed with kLeftOpen, so a fault fails the test instead of hanging it.
inline int runModal(QDialog &dialog, const std::function<void()> &operate)
{
    QTimer::singleShot(0, &dialog, [&] {
        if (QTest::qWaitForWindowActive(&dialog))
            operate();
        if (dialog.isVisible())
            dialog.done(kLeftOpen);
    });
    return dialog.exec();
}
