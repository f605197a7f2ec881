#include "platform/office/XlsxWriter.h"

#include "platform/office/CNumberLocale.h"
#include "platform/office/CellEscapes.h"
#include "platform/office/LibraryErrors.h"
#include "platform/office/OfficeError.h"
#include "platform/office/Workbook.h"

#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <memory>

namespace platform::office {
namespace {

[[noreturn]] void fail(const QString &reason)
{
    throw OfficeError(
        QStringLiteral("Die Arbeitsmappe kann nicht erstellt werden: %1").arg(reason));
}

void check(lxw_error error)
{
    if (error != LXW_NO_ERROR)
        fail(xlsxWriterErrorText(error));
}

uint8_t borderOf(const CellStyle &style)
{
    if (!style.hasBorder())
        return LXW_BORDER_NONE;
    switch (style.borderWeight.value_or(xlThin)) {
    case xlHairline:
        return LXW_BORDER_HAIR;
    case xlMedium3:
    case xlMedium:
        return LXW_BORDER_MEDIUM;
    case xlThick:
        return LXW_BORDER_THICK;
    default:
        return LXW_BORDER_THIN;
    }
}

// One library format per distinct look; the library merges equal ones too,
// but only after each was created.
class Formats
{
public:
    explicit Formats(lxw_workbook *book)
        : m_book(book)
    {
    }

    lxw_format *of(const CellStyle &style)
    {
        if (style.isEmpty())
            return nullptr;
        const bool bold = style.bold.value_or(false);
        const bool strikethrough = style.strikethrough.value_or(false);
        const QString numberFormat = style.numberFormat.value_or(QString());
        const uint8_t border = borderOf(style);
        const QString key = QStringLiteral("%1%2%3|%4")
                                .arg(int(bold))
                                .arg(int(strikethrough))
                                .arg(border)
                                .arg(numberFormat);
        lxw_format *&format = m_formats[key];
        if (!format) {
            format = workbook_add_format(m_book);
            if (!format)
                fail(QStringLiteral("kein Speicher"));
            if (bold)
                format_set_bold(format);
            if (strikethrough)
                format_set_font_strikeout(format);
            if (!numberFormat.isEmpty())
                format_set_num_format(format, numberFormat.toUtf8().constData());
            if (border != LXW_BORDER_NONE)
                format_set_border(format, border);
        }
        return format;
    }

private:
    lxw_workbook *m_book;
    QHash<QString, lxw_format *> m_formats;
};

void writeSheet(const Worksheet &sheet, lxw_worksheet *target, Formats &formats)
{
    for (const auto &[row, style] : sheet.rowStyles())
        check(worksheet_set_row(target, static_cast<lxw_row_t>(row - 1), LXW_DEF_ROW_HEIGHT,
                                formats.of(style)));

    std::map<int, std::pair<double, lxw_format *>> columns;
    for (const auto &[column, style] : sheet.columnStyles())
        columns[column] = {LXW_DEF_COL_WIDTH, formats.of(style)};
    for (const auto &[column, width] : sheet.columnWidths()) {
        auto &setting = columns.try_emplace(column, LXW_DEF_COL_WIDTH, nullptr).first->second;
        setting.first = width;
    }
    for (const auto &[column, setting] : columns) {
        const auto index = static_cast<lxw_col_t>(column - 1);
        check(worksheet_set_column(target, index, index, setting.first, setting.second));
    }

    for (const auto &[position, cell] : sheet.cellMap()) {
        const auto row = static_cast<lxw_row_t>(position.row - 1);
        const auto column = static_cast<lxw_col_t>(position.column - 1);
        lxw_format *format = formats.of(sheet.effectiveStyle(position));
        if (!cell.value.isValid())
            check(worksheet_write_blank(target, row, column, format));
        else if (cell.value.typeId() == QMetaType::Double)
            check(worksheet_write_number(target, row, column, cell.value.toDouble(), format));
        else
            check(worksheet_write_string(
                target, row, column, protectCellEscapes(cell.value.toString()).toUtf8().constData(),
                format));
    }
}

} // namespace

QByteArray xlsxBytes(const Workbook &book)
{
    // The library prints cell numbers and column widths with printf.
    const CNumberLocale cNumbers;

    // The library writes only to a named file: let it write into a private
    // folder and take the bytes from there.
    QTemporaryDir folder;
    if (!folder.isValid())
        fail(folder.errorString());
    const QString path = folder.filePath(QStringLiteral("book.xlsx"));
    const QByteArray encodedPath = QFile::encodeName(path);

    lxw_workbook_options options{};
    QByteArray tmpdir = QFile::encodeName(folder.path());
    options.tmpdir = tmpdir.data();
    std::unique_ptr<lxw_workbook, void (*)(lxw_workbook *)> target(
        workbook_new_opt(encodedPath.constData(), &options), &lxw_workbook_free);
    if (!target)
        fail(QStringLiteral("kein Speicher"));

    QByteArray author = book.author().toUtf8();
    QByteArray subject = book.subject().toUtf8();
    lxw_doc_properties properties{};
    properties.author = author.data();
    properties.subject = subject.data();
    check(workbook_set_properties(target.get(), &properties));

    Formats formats(target.get());
    int index = 0;
    for (const auto &sheet : book.sheets()) {
        lxw_worksheet *sheetTarget =
            workbook_add_worksheet(target.get(), sheet->name().toUtf8().constData());
        if (!sheetTarget)
            fail(QStringLiteral("Tabelle \"%1\"").arg(sheet->name()));
        writeSheet(*sheet, sheetTarget, formats);
        if (index++ == book.activeSheetIndex())
            worksheet_activate(sheetTarget);
    }

    check(workbook_close(target.release())); // frees the workbook whatever it returns

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(file.errorString());
    return file.readAll();
}

} // namespace platform::office
