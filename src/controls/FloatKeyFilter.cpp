#include "controls/FloatKeyFilter.h"

#include "controls/FloatText.h"

namespace {

constexpr char16_t kCtrlEnter = 10;
constexpr char16_t kEnter = 13;
constexpr char16_t kEscape = 27;

bool isAllowed(QChar key, QChar separator)
{
    return (key >= u'0' && key <= u'9') || key == u'-' || key == u'e' || key == separator;
}

FloatKeyVerdict verdict(FloatKeyAction action, QChar key = {})
{
    return {action, {}, 0, 0, key};
}

} // namespace

FloatKeyVerdict FilterFloatKey(QChar typed, const QString &text, int selStart, int selLength,
                               const FloatKeyRules &rules)
{
    if (typed == kEnter || typed == kCtrlEnter)
        return verdict(FloatKeyAction::EnterPress);
    if (typed == kEscape)
        return verdict(FloatKeyAction::Escape);
    if (!typed.isPrint())
        return verdict(FloatKeyAction::PassOn);
    const QChar key = isDecimalMark(typed) ? rules.separator : typed;
    if (!isAllowed(key, rules.separator))
        return verdict(FloatKeyAction::Reject);
    // A field without decimals never takes the separator, not even as the "0,0"
    // shortcut below: it would show a decimal it does not allow.
    if (key == rules.separator && rules.digits == 0)
        return verdict(FloatKeyAction::Reject);

    const QString candidate = text.left(selStart) + key + text.mid(selStart + selLength);
    if (candidate == u"-")
        return {FloatKeyAction::ReplaceText, QStringLiteral("-0"), 1, 1, {}};
    if (candidate == QString(rules.separator))
        return {FloatKeyAction::ReplaceText, u'0' + candidate + u'0', 2, 1, {}};

    const auto number = ConvertFloat(candidate, rules.separator);
    if (!number || *number < rules.min || *number > rules.max)
        return verdict(FloatKeyAction::Reject);
    if (!candidate.contains(u'e', Qt::CaseInsensitive)) {
        const auto p = candidate.indexOf(rules.separator) + 1;
        if (p > 0 && candidate.size() - p > rules.digits)
            return verdict(FloatKeyAction::Reject);
    }
    return verdict(FloatKeyAction::Accept, key);
}
