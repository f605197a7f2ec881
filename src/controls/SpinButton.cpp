#include "controls/SpinButton.h"

#include "controls/SpinEditLayout.h"

#include <QToolButton>

TSpinButton::TSpinButton(QWidget *parent)
    : QWidget(parent)
    , m_up(makeButton(Qt::UpArrow))
    , m_down(makeButton(Qt::DownArrow))
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor); // not the text cursor of the field around it
    resize(kSpinButtonWidth, kSpinButtonCreatedHeight);
    connect(m_up, &QToolButton::clicked, this, &TSpinButton::upClick);
    connect(m_down, &QToolButton::clicked, this, &TSpinButton::downClick);
}

QToolButton *TSpinButton::makeButton(Qt::ArrowType arrow)
{
    auto *button = new QToolButton(this);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    // The focus must be in the field before the first step is taken, so that
    // leaving another field is checked first.
    connect(button, &QToolButton::pressed, this, &TSpinButton::giveFocus);
    return button;
}

void TSpinButton::giveFocus()
{
    if (m_focusControl && !m_focusControl->hasFocus())
        m_focusControl->setFocus(Qt::OtherFocusReason);
}

void TSpinButton::resizeEvent(QResizeEvent *)
{
    const int upHeight = (height() + 1) / 2;
    m_up->setGeometry(0, 0, width(), upHeight);
    m_down->setGeometry(0, upHeight, width(), height() - upHeight);
}
