#include "platform/office/CellConversion.h"

#include <QRegularExpression>

#include <cmath>

namespace platform::office {
namespace {

// Beyond 15 digits a double no longer holds every whole number exactly.
constexpr int kMaxDigits = 15;

bool isWhole(double number)
{
    return std::isfinite(number) && std::trunc(number) == number;
}

} // namespace

CellValue cellValueFromText(const QString &text)
{
    if (text.isEmpty())
        return {};
    static const QRegularExpression numberShape(
        QStringLiteral("^-?\\d{1,%1}(,\\d\\d)?$").arg(kMaxDigits));
    if (!numberShape.match(text).hasMatch())
        return {text, {}};

    const bool hasDecimals = text.contains(u',');
    bool ok = false;
    const double number = QString(text).replace(u',', u'.').toDouble(&ok);
    const WholeNumbers rule = hasDecimals ? WholeNumbers::AsDecimal : WholeNumbers::AsDigits;
    if (!ok || cellText(number, u',', rule) != text)
        return {text, {}}; // "07", "-0": a number would not give this text back
    return {number, hasDecimals ? QString::fromUtf16(kHundredthsFormat) : QString()};
}

QString cellText(const QVariant &value, QChar decimalPoint, WholeNumbers wholeNumbers)
{
    if (!value.isValid())
        return {};
    if (value.typeId() != QMetaType::Double)
        return value.toString();
    const double number = value.toDouble();
    if (wholeNumbers == WholeNumbers::AsDigits && isWhole(number) && std::fabs(number) < 1e15)
        return QString::number(static_cast<qint64>(number));
    QString text = QString::asprintf("%1.2f", number);
    text.replace(u'.', decimalPoint);
    return text;
}

} // namespace platform::office
