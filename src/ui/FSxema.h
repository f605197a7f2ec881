#pragma once

#include <QDialog>

class QLabel;

// Shows how the light barriers are wired to the serial connector. Created once
// and shown modally with exec(); any key or the close button closes it, and the
// key goes no further, so the window below does not act on it.
class TFormSxema : public QDialog
{
    Q_OBJECT

public:
    // parent: the main window, on which the diagram is centred.
    explicit TFormSxema(QWidget *parent = nullptr);

    void FormKeyDown(int key, Qt::KeyboardModifiers shift);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *Image1;
};
