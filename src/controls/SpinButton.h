#pragma once

#include <QPointer>
#include <QWidget>

class QToolButton;

// An up/down button pair. It never takes the keyboard focus itself: a press
// hands the focus to `focusControl` (the field it belongs to), and the pair
// steps only once the focus is there, so a field elsewhere that refuses to be
// left keeps the focus and nothing steps. Held down, a button repeats.
class TSpinButton : public QWidget
{
    Q_OBJECT

public:
    explicit TSpinButton(QWidget *parent = nullptr);

    QWidget *focusControl() const { return m_focusControl; }
    void setFocusControl(QWidget *control) { m_focusControl = control; }

    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }

Q_SIGNALS:
    void upClick();
    void downClick();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QToolButton *makeButton(Qt::ArrowType arrow);
    void giveFocus();
    bool focusControlReady() const;

    QPointer<QWidget> m_focusControl;
    QToolButton *m_up;
    QToolButton *m_down;
};
