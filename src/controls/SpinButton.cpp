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
    connect(m_up, &QToolButton::clicked, this, [this] {
        if (focusControlReady())
            emit upClick();
    });
    connect(m_down, &QToolButton::clicked, this, [this] {
        if (focusControlReady())
            emit downClick();
    });
}

QToolButton *TSpinButton::makeButton(Qt::ArrowType arrow)
{
    auto *button = new QToolButton(this);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    connect(button, &QToolButton::pressed, this, &TSpinButton::giveFocus);
    return button;
}

void TSpinButton::giveFocus()
{
    // Inside the control, the click has already offered it the focus on its
    // way up from the button; a second offer could get past a field that
    // refused to be left the first time.
    if (m_focusControl && !m_focusControl->isAncestorOf(this) && !m_focusControl->hasFocus())
        m_focusControl->setFocus(Qt::OtherFocusReason);
}

bool TSpinButton::focusControlReady() const
{
    return !m_focusControl || m_focusControl->focusPolicy() == Qt::NoFocus ||
           m_focusControl->hasFocus();
}

void TSpinButton::resizeEvent(QResizeEvent *)
{
    const int upHeight = (height() + 1) / 2;
    m_up->setGeometry(0, 0, width(), upHeight);
    m_down->setGeometry(0, upHeight, width(), height() - upHeight);
}
