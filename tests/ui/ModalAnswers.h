#pragma once

#include "settings/FileFilters.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

// Answers to the modal windows a command brings up, given before the command
// runs, as the user would give them.

// Operates the next modal window of type W once it is up, as the user would.
// Gives up after half a minute and closes whatever modal window is up, so a
// fault fails the test instead of hanging it.
template <class W> void whenModal(const std::function<void(W *)> &operate)
{
    auto *timer = new QTimer(qApp);
    QElapsedTimer clock;
    clock.start();
    QObject::connect(timer, &QTimer::timeout, qApp, [timer, clock, operate] {
        QWidget *modal = QApplication::activeModalWidget();
        auto *window = qobject_cast<W *>(modal);
        if (!window && clock.elapsed() < 30000)
            return;
        timer->stop();
        timer->deleteLater();
        if (window) {
            operate(window);
        } else if (auto *other = qobject_cast<QDialog *>(modal)) {
            other->reject();
        }
    });
    timer->start(10);
}

// Answers the next file dialog with a file name and the entry of the list.
inline void chooseFile(const QString &fileName, int filterIndex, QStringList *shown = nullptr)
{
    whenModal<QFileDialog>([=](QFileDialog *dialog) {
        if (shown)
            *shown = {dialog->selectedNameFilter(), dialog->selectedFiles().value(0)};
        dialog->selectNameFilter(dialog->nameFilters().value(filterIndex - 1));
        // Typed, as the user does: selectFile() waits for the folder listing
        // and would leave the proposed name in place on a busy machine.
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(fileName);
        static_cast<QDialog *>(dialog)->accept(); // as the dialog's own button does
    });
}

// The 1-based dialog entry of a kind.
inline int entryOf(const FileFilters &filters, FileKind kind)
{
    for (int i = 0; i < filters.size(); ++i) {
        if (filters[i].kind == kind)
            return i + 1;
    }
    return 0;
}

// Closes the next message box and hands back its text.
inline QString *catchMessage()
{
    auto *text = new QString;
    whenModal<QMessageBox>([text](QMessageBox *box) {
        *text = box->text();
        box->accept();
    });
    return text;
}
