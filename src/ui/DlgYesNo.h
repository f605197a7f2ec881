#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// Asks the operator a yes/no question. Created once with the program title as
// caption and kept hidden between questions: a caller sets the question, runs
// exec() and takes QDialog::Accepted ("Ja") as consent; "Nein", Escape and the
// close button all give QDialog::Rejected. Each showing starts on "Ja", so Enter
// answers yes unless the operator moved the focus.
class TFDlgYesNo : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(QString question READ question WRITE setQuestion)

public:
    // title: the program title; parent: the main window, on which the dialog
    // is centred.
    explicit TFDlgYesNo(const QString &title, QWidget *parent = nullptr);

    // Kept until a caller sets another one; "?" at first.
    QString question() const;
    void setQuestion(const QString &question);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *Icon;
    QLabel *Label1;
    QPushButton *OKBtn;
    QPushButton *CancelBtn;
};
