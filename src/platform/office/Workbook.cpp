#include "platform/office/Workbook.h"

#include "platform/office/AtomicFile.h"
#include "platform/office/OfficeError.h"
#include "platform/office/XlsxWriter.h"

namespace platform::office {
namespace {

QString defaultSheetName(int number)
{
    return QStringLiteral("Tabelle%1").arg(number);
}

} // namespace

Worksheet &Sheets::add()
{
    auto &sheets = m_book->m_sheets;
    int number = 1;
    while (m_book->sheetNames().contains(defaultSheetName(number), Qt::CaseInsensitive))
        ++number;
    const auto at = sheets.begin() + std::min<qsizetype>(m_book->m_activeSheet, sheets.size());
    const auto added =
        sheets.insert(at, std::make_unique<Worksheet>(*m_book, defaultSheetName(number)));
    m_book->m_activeSheet = static_cast<int>(added - sheets.begin());
    return **added;
}

int Sheets::count() const
{
    return static_cast<int>(m_book->m_sheets.size());
}

Worksheet &Sheets::item(int index) const
{
    if (index < 1 || index > count())
        throw OfficeError(QStringLiteral("Die Tabelle %1 gibt es nicht.").arg(index));
    return *m_book->m_sheets.at(static_cast<size_t>(index - 1));
}

Workbook::Workbook(Start start)
{
    if (start == Start::WithDefaultSheet)
        m_sheets.push_back(std::make_unique<Worksheet>(*this, defaultSheetName(1)));
}

Workbook::~Workbook() = default;

QStringList Workbook::sheetNames() const
{
    QStringList names;
    names.reserve(static_cast<qsizetype>(m_sheets.size()));
    for (const auto &sheet : m_sheets)
        names.append(sheet->name());
    return names;
}

void Workbook::saveAs(const QString &fileName) const
{
    writeFileAtomically(fileName, xlsxBytes(*this));
}

Worksheet &Workbook::appendSheet(const QString &name)
{
    m_sheets.push_back(std::make_unique<Worksheet>(*this, name));
    return *m_sheets.back();
}

} // namespace platform::office
