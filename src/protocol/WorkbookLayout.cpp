#include "protocol/WorkbookLayout.h"

#include "platform/office/CellConversion.h"
#include "platform/office/SheetNames.h"

using namespace platform::office;

namespace protocol {

namespace {

// Time texts write seconds "," hundredths on every system, so numbers come
// back with a comma whatever the locale; with its "." the time parse would
// misread every imported time.
constexpr QChar kTimeDecimalPoint = u',';

WholeNumbers startListRule(int column)
{
    return column == kStartListZeitColumn ? WholeNumbers::AsDecimal : WholeNumbers::AsDigits;
}

} // namespace

QString startListName()
{
    return QStringLiteral("Startliste");
}

QStringList athleteSheetNames(const QList<ProtocolRow> &dataRows)
{
    QStringList names;
    QStringList startNumbers;
    names.reserve(dataRows.size());
    startNumbers.reserve(dataRows.size());
    for (const ProtocolRow &row : dataRows) {
        names.append(row[1]);
        startNumbers.append(row[0]);
    }
    return validSheetNames(names, startNumbers, {startListName()});
}

QString startListCellText(const QVariant &value, int column)
{
    return cellText(value, kTimeDecimalPoint, startListRule(column));
}

QString splitCellText(const QVariant &value)
{
    return cellText(value, kTimeDecimalPoint, WholeNumbers::AsDecimal);
}

bool startListCellStaysText(const QString &text, int column)
{
    const CellValue typed = cellValueFromText(text);
    return typed.value.typeId() == QMetaType::Double &&
           startListCellText(typed.value, column) != text;
}

} // namespace protocol
