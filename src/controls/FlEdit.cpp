#include "controls/FlEdit.h"

#include "controls/FloatText.h"
#include "controls/SpinButton.h"
#include "controls/SpinEditLayout.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxDigits = 18;

bool isEnterKey(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// Focus that moves into a popup or another window does not leave the field:
// its window's focus control stays the same, and gets the focus back later.
bool isWindowSwitch(const QFocusEvent *event)
{
    return event->reason() == Qt::PopupFocusReason ||
           event->reason() == Qt::ActiveWindowFocusReason;
}

// Shortcuts (Ctrl+C, Ctrl+A …) go to the line edit as they are. Ctrl+Alt is
// AltGr on some keyboards and types characters, so it is filtered.
bool isShortcut(const QKeyEvent *event)
{
    const auto mods = event->modifiers();
    return (mods & Qt::MetaModifier) || ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier));
}

} // namespace

// ---- TCustomFloatEdit ------------------------------------------------------

TCustomFloatEdit::TCustomFloatEdit(QWidget *parent)
    : QLineEdit(parent)
{
    const QString point = QLocale().decimalPoint();
    m_rules.separator = point.size() == 1 ? point.front() : QChar(u'.');
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setText(FormatFloat(m_rules.min, m_rules.digits, m_rules.separator));
}

double TCustomFloatEdit::value() const
{
    return ReadFloatValue(text(), m_rules.separator, m_rules.min, m_rules.max);
}

void TCustomFloatEdit::setValue(double x)
{
    if (std::isnan(x)) {
        ShowErrorMessage();
        x = m_rules.min;
    }
    if (x > m_rules.max) {
        ShowErrorMessage();
        x = m_rules.max;
    }
    if (x < m_rules.min) {
        ShowErrorMessage();
        x = m_rules.min;
    }
    setText(FormatFloat(x, m_rules.digits, m_rules.separator));
}

void TCustomFloatEdit::setMin(double x)
{
    if (x == m_rules.min)
        return;
    if (std::isnan(x) || x > m_rules.max)
        throw EFloatEditError(
            QStringLiteral("Minimum value must not be greater than maximum value !"));
    m_rules.min = x;
    setValue(value());
}

void TCustomFloatEdit::setMax(double x)
{
    if (x == m_rules.max)
        return;
    if (std::isnan(x) || x < m_rules.min)
        throw EFloatEditError(
            QStringLiteral("Maximum value must not be less than minimum value !"));
    m_rules.max = x;
    setValue(value());
}

void TCustomFloatEdit::setDigits(int d)
{
    if (d == m_rules.digits)
        return;
    const double current = value();
    m_rules.digits = std::clamp(d, 0, kMaxDigits);
    setValue(current);
}

void TCustomFloatEdit::ShowErrorMessage()
{
    if (m_errorMessage.isEmpty())
        return;
    QMessageBox::warning(this, QGuiApplication::applicationDisplayName(), m_errorMessage);
}

void TCustomFloatEdit::keyPressEvent(QKeyEvent *event)
{
    if (isEnterKey(event)) {
        QChar key(event->modifiers() & Qt::ControlModifier ? u'\n' : u'\r');
        if (OnEnterPress)
            OnEnterPress(this, key);
        event->ignore(); // on to the window, whose default button may take it
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        Escape();
        event->ignore(); // on to the window, whose cancel button may take it
        return;
    }
    const QString typed = event->text();
    if (typed.isEmpty() || isShortcut(event) || isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (typed.size() == 1 && !typed.front().isPrint()) {
        QChar key = typed.front();
        raiseKeyPress(key);
        if (!key.isNull())
            QLineEdit::keyPressEvent(event);
        return;
    }
    for (const QChar key : typed)
        typeCharacter(key);
    event->accept();
}

void TCustomFloatEdit::typeCharacter(QChar key)
{
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const auto verdict = FilterFloatKey(key, text(), start, int(selectedText().size()), m_rules);
    switch (verdict.action) {
    case FloatKeyAction::Accept:
        key = verdict.key;
        raiseKeyPress(key);
        if (!key.isNull())
            insert(QString(key));
        break;
    case FloatKeyAction::ReplaceText: {
        setText(verdict.text);
        setSelection(verdict.selStart, verdict.selLength);
        QChar dropped;
        raiseKeyPress(dropped);
        break;
    }
    case FloatKeyAction::Reject:
    // Control characters inside a text of several (input methods): dropped.
    case FloatKeyAction::PassOn:
    case FloatKeyAction::EnterPress:
    case FloatKeyAction::Escape:
        raiseKeyPress(key);
        break;
    }
}

void TCustomFloatEdit::raiseKeyPress(QChar &key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TCustomFloatEdit::Escape()
{
    setValue(m_entryValue);
    selectAll();
    QChar dropped;
    raiseKeyPress(dropped);
}

void TCustomFloatEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    const bool returning = m_awayFromWindow && isWindowSwitch(event);
    m_awayFromWindow = false;
    if (returning)
        return;
    // A click places the cursor where the user pointed.
    if (m_autoSelect && event->reason() != Qt::MouseFocusReason)
        selectAll();
    m_entryValue = value();
    emit enter();
}

void TCustomFloatEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (isWindowSwitch(event))
        m_awayFromWindow = true;
    else if (CheckLeave())
        emit exit();
}

void TCustomFloatEdit::hideEvent(QHideEvent *event)
{
    QLineEdit::hideEvent(event);
    // A window shown again is entered afresh, even at the same field.
    m_awayFromWindow = false;
}

bool TCustomFloatEdit::CheckLeave()
{
    const QString current =
        text().isEmpty() ? FormatFloat(m_rules.min, m_rules.digits, m_rules.separator) : text();
    const auto number = ConvertFloat(current, m_rules.separator);
    if (!number || *number < m_rules.min || *number > m_rules.max) {
        setValue(m_entryValue);
        selectAll();
        // Taken back before the message, so that the box returns the focus here.
        setFocus(Qt::OtherFocusReason);
        ShowErrorMessage();
        return false;
    }
    const QString formatted = FormatFloat(*number, m_rules.digits, m_rules.separator);
    setValue(ConvertFloat(formatted, m_rules.separator).value_or(m_rules.min));
    return true;
}

// ---- TSpinFloatEdit --------------------------------------------------------

TSpinFloatEdit::TSpinFloatEdit(QWidget *parent)
    : TCustomFloatEdit(parent)
    , m_button(new TSpinButton(this))
{
    m_button->setFocusControl(this);
    connect(m_button, &TSpinButton::upClick, this, &TSpinFloatEdit::UpClick);
    connect(m_button, &TSpinButton::downClick, this, &TSpinFloatEdit::DownClick);
    updateMinimumHeight();
    SetEditRect();
}

void TSpinFloatEdit::setEditorEnabled(bool on)
{
    m_editorEnabled = on;
    setAcceptDrops(on);
}

void TSpinFloatEdit::UpClick()
{
    step(true);
}

void TSpinFloatEdit::DownClick()
{
    step(false);
}

void TSpinFloatEdit::step(bool up)
{
    if (isReadOnly()) {
        QApplication::beep();
        return;
    }
    if (OnComputedIncrement) {
        OnComputedIncrement(this, up);
        return;
    }
    setValue(up ? value() + m_increment : value() - m_increment);
}

void TSpinFloatEdit::keyPressEvent(QKeyEvent *event)
{
    if (!m_editorEnabled) {
        // Enter and Escape still reach their handlers and the window.
        if (isEnterKey(event) || event->key() == Qt::Key_Escape)
            TCustomFloatEdit::keyPressEvent(event);
        else
            event->accept();
        return;
    }
    if (event->key() == Qt::Key_Up)
        UpClick();
    else if (event->key() == Qt::Key_Down)
        DownClick();
    TCustomFloatEdit::keyPressEvent(event);
}

void TSpinFloatEdit::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_editorEnabled) {
        TCustomFloatEdit::contextMenuEvent(event);
        return;
    }
    // Built as for a read-only field, so cut, paste, delete and undo are off.
    const bool readOnly = isReadOnly();
    setReadOnly(true);
    QMenu *menu = createStandardContextMenu();
    setReadOnly(readOnly);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TSpinFloatEdit::mouseReleaseEvent(QMouseEvent *event)
{
    // The middle button pastes the selection on X11.
    if (!m_editorEnabled && event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    TCustomFloatEdit::mouseReleaseEvent(event);
}

void TSpinFloatEdit::resizeEvent(QResizeEvent *event)
{
    TCustomFloatEdit::resizeEvent(event);
    SetEditRect();
}

void TSpinFloatEdit::changeEvent(QEvent *event)
{
    TCustomFloatEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        updateMinimumHeight();
}

void TSpinFloatEdit::updateMinimumHeight()
{
    // QWidget::resize and layouts keep to the minimum, so a lower height is
    // raised to it.
    setMinimumHeight(
        SpinEditMinimumHeight(fontMetrics().height(), QFontMetrics(QApplication::font()).height()));
}

void TSpinFloatEdit::SetEditRect()
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    m_button->setGeometry(SpinButtonRect(size(), frame, hasFrame()));
    setTextMargins(0, 0, kSpinTextRightMargin, 0);
}
