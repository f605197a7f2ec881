#pragma once

#include <QFrame>
#include <QList>

class QLabel;
class QToolButton;

// The protocol bar (42 high): the picture buttons for the protocol's files,
// sbSave, sbLoad and sbExcel from the left, sbInet, sbPrint and sbCLS at the
// right edge, the hidden sbWord, and the caption "Protokoll" in the middle.
// Each button shows a greyed copy of its picture while it is disabled.
class TProtocolBar : public QFrame
{
    Q_OBJECT

public:
    explicit TProtocolBar(QWidget *parent = nullptr);

    // sbSave, sbLoad, sbExcel, sbInet, sbPrint, sbCLS, sbWord.
    QList<QWidget *> buttons() const;
    // The button of that object name ("sbSave" ...), or nullptr.
    QToolButton *button(QStringView objectName) const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QLabel *m_caption = nullptr;
    QList<QToolButton *> m_buttons;
    QList<QToolButton *> m_rightButtons; // sbInet, sbPrint, sbCLS
};
