#pragma once

#include <QChar>
#include <QString>

// What a float edit does with one typed character, decided from the text and
// selection it holds and its limits alone.

struct FloatKeyRules
{
    double min = 0;
    double max = 100;
    int digits = 1;
    QChar separator = u',';
};

enum class FloatKeyAction {
    EnterPress,  // Enter or Ctrl+Enter: tell the owner, never insert
    Escape,      // restore the value the field had on entry
    PassOn,      // a control character the field handles itself (Backspace …)
    Reject,      // would not leave a number in range with the allowed decimals
    Accept,      // insert as typed
    ReplaceText, // set `text` and select `selStart`, `selLength` instead
};

struct FloatKeyVerdict
{
    FloatKeyAction action = FloatKeyAction::Reject;
    QString text;
    int selStart = 0;
    int selLength = 0;
    // With Accept: the character to insert, the separator for a typed point
    // or comma.
    QChar key;
};

// `typed` into `text` whose selection is `selStart`, `selLength` (the cursor
// position and 0 when nothing is selected). A point and a comma both stand
// for the separator: the field has no thousands separators, and a point
// dropped from "0.3" on a German system made a lockout of 3 seconds.
FloatKeyVerdict FilterFloatKey(QChar typed, const QString &text, int selStart, int selLength,
                               const FloatKeyRules &rules);
