#pragma once

#include "controls/FloatKeyFilter.h"

#include <QByteArray>
#include <QLineEdit>

#include <exception>
#include <functional>

class TSpinButton;

// Raised when a caller sets a float edit's limits the wrong way round ("Minimum
// value must not be greater than maximum value !" and its twin for the maximum);
// the limits stay as they were. The text is fixed English, to be shown as it is.
class EFloatEditError : public std::exception
{
public:
    explicit EFloatEditError(const QString &message)
        : m_message(message)
        , m_utf8(message.toUtf8())
    {
    }

    QString message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A one-line field for a decimal number within min … max. Typing is filtered so
// that the text stays such a number with at most `digits` decimals; the field
// cannot be left with an invalid text. The decimal separator is the default
// locale's (QLocale()) at creation, so an application or a test that pins the
// locale with QLocale::setDefault before creating the field gets its separator.
//
// Alignment, read-only, maximum length, font and colours are the line edit's
// own; its textChanged() is the change notification.
class TCustomFloatEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(double value READ value WRITE setValue)
    Q_PROPERTY(double min READ min WRITE setMin)
    Q_PROPERTY(double max READ max WRITE setMax)
    Q_PROPERTY(int digits READ digits WRITE setDigits)
    Q_PROPERTY(QString errorMessage READ errorMessage WRITE setErrorMessage)
    Q_PROPERTY(bool autoSelect READ autoSelect WRITE setAutoSelect)

public:
    explicit TCustomFloatEdit(QWidget *parent = nullptr);

    // The number shown, limited to min … max (see ReadFloatValue).
    double value() const;
    // Out of range: the error message (if any) and the nearest limit.
    void setValue(double x);

    double min() const { return m_rules.min; }
    // Throws EFloatEditError when x > max().
    void setMin(double x);
    double max() const { return m_rules.max; }
    // Throws EFloatEditError when x < min().
    void setMax(double x);

    int digits() const { return m_rules.digits; }
    // 0 to 18; more is taken as 18.
    void setDigits(int d);

    QString errorMessage() const { return m_errorMessage; }
    void setErrorMessage(const QString &message) { m_errorMessage = message; }

    bool autoSelect() const { return m_autoSelect; }
    void setAutoSelect(bool on) { m_autoSelect = on; }

    QChar decimalSeparator() const { return m_rules.separator; }

    // Enter (13) or Ctrl+Enter (10); the key is never inserted. The window's
    // default button still sees the key afterwards.
    std::function<void(QObject *sender, QChar &key)> OnEnterPress;
    // Every typed character the field does not swallow itself; set `key` to 0
    // to drop it. Rejected keys are shown here too but dropped regardless.
    std::function<void(QObject *sender, QChar &key)> OnKeyPress;

Q_SIGNALS:
    // The field got the focus from another control of its window.
    void enter();
    // The field was left with a valid number (never after an invalid one).
    void exit();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void hideEvent(QHideEvent *event) override;

    // Shows the error message in a box, unless it is empty.
    void ShowErrorMessage();

private:
    void typeCharacter(QChar key);
    void raiseKeyPress(QChar &key);
    void Escape();
    // False (and the focus taken back) when the text may not be left.
    bool CheckLeave();

    FloatKeyRules m_rules;
    QString m_errorMessage;
    bool m_autoSelect = true;
    double m_entryValue = 0;
    // The focus went to a popup or another window and has not come back yet.
    bool m_awayFromWindow = false;
};

// The float field with an up/down button pair at its right end. The arrow keys
// and the buttons step by `increment` (or call OnComputedIncrement instead).
class TSpinFloatEdit : public TCustomFloatEdit
{
    Q_OBJECT
    Q_PROPERTY(double increment READ increment WRITE setIncrement)
    Q_PROPERTY(bool editorEnabled READ editorEnabled WRITE setEditorEnabled)

public:
    explicit TSpinFloatEdit(QWidget *parent = nullptr);

    double increment() const { return m_increment; }
    void setIncrement(double step) { m_increment = step; }

    // Off: no typing, cutting or pasting; only the buttons change the value.
    bool editorEnabled() const { return m_editorEnabled; }
    void setEditorEnabled(bool on);

    TSpinButton *button() const { return m_button; }

    // Replaces the built-in step when set: `up` is true for a step up.
    std::function<void(QObject *sender, bool up)> OnComputedIncrement;

public Q_SLOTS:
    void UpClick();
    void DownClick();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void step(bool up);
    void updateMinimumHeight();
    void SetEditRect();

    TSpinButton *m_button;
    double m_increment = 1.0;
    bool m_editorEnabled = true;
};
