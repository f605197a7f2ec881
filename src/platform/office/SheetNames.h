#pragma once

#include <QString>
#include <QStringList>

namespace platform::office {

inline constexpr int kMaxSheetNameLength = 31;

// Why a spreadsheet refuses a sheet name; an empty text when it takes it.
// Names are compared without regard to case, as spreadsheets do.
QString sheetNameFault(const QString &name, const QStringList &takenNames);

// A name the spreadsheet takes: invalid characters (: \ / ? * [ ]) become
// "_", leading and trailing apostrophes and blanks go, the name is cut to fit,
// an empty name becomes fallback, and a name already taken gets " (2)",
// " (3)" ... within the length limit.
QString validSheetName(const QString &wanted, const QString &fallback,
                       const QStringList &takenNames);

// Valid, distinct names for a row of sheets, in order: wanted[i], or
// fallbacks[i] where that is empty, none equal to a reserved name.
QStringList validSheetNames(const QStringList &wanted, const QStringList &fallbacks,
                            const QStringList &reservedNames);

} // namespace platform::office
