#include "platform/office/LibraryErrors.h"

#include <xlsxwriter.h>
#include <zip.h>

#include <cstring>

namespace platform::office {
namespace {

// The system's own text of an errno, as Qt's file errors give it (in the
// user's language where the C library has it).
QString systemErrorText(int errnoValue)
{
    return QString::fromLocal8Bit(std::strerror(errnoValue));
}

} // namespace

QString zipErrorText(const zip_error_t *error)
{
    const int code = zip_error_code_zip(error);
    switch (code) {
    case ZIP_ER_NOZIP:
        return QStringLiteral("kein Zip-Archiv");
    case ZIP_ER_INCONS:
    case ZIP_ER_CRC:
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPRESSED_DATA:
    case ZIP_ER_EOF:
        return QStringLiteral("das Archiv ist beschädigt");
    case ZIP_ER_MULTIDISK:
    case ZIP_ER_COMPNOTSUPP:
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
    case ZIP_ER_OPNOTSUPP:
        return QStringLiteral("das Archiv ist verschlüsselt oder anders gepackt als erwartet");
    case ZIP_ER_MEMORY:
        return QStringLiteral("kein Speicher");
    case ZIP_ER_NOENT:
        return QStringLiteral("ein Teil fehlt");
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
    case ZIP_ER_WRITE:
    case ZIP_ER_SEEK:
    case ZIP_ER_TELL:
    case ZIP_ER_CLOSE:
    case ZIP_ER_RENAME:
    case ZIP_ER_TMPOPEN:
    case ZIP_ER_REMOVE: {
        const int system = zip_error_code_system(error);
        return system != 0 ? systemErrorText(system) : QStringLiteral("Ein- oder Ausgabefehler");
    }
    default:
        return QStringLiteral("Fehler %1 beim Packen oder Entpacken").arg(code);
    }
}

QString xlsxWriterErrorText(int error)
{
    switch (error) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return QStringLiteral("kein Speicher");
    case LXW_ERROR_CREATING_XLSX_FILE:
        return QStringLiteral("die Datei kann nicht angelegt werden");
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
        return QStringLiteral("keine temporäre Datei im Ordner für temporäre Dateien");
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_PARAMETER_ERROR:
    case LXW_ERROR_ZIP_BAD_ZIP_FILE:
    case LXW_ERROR_ZIP_INTERNAL_ERROR:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return QStringLiteral("die Datei kann nicht gepackt werden");
    case LXW_ERROR_SHEETNAME_LENGTH_EXCEEDED:
    case LXW_ERROR_INVALID_SHEETNAME_CHARACTER:
    case LXW_ERROR_SHEETNAME_START_END_APOSTROPHE:
    case LXW_ERROR_SHEETNAME_ALREADY_USED:
        return QStringLiteral("ungültiger Tabellenname");
    case LXW_ERROR_32_STRING_LENGTH_EXCEEDED:
    case LXW_ERROR_128_STRING_LENGTH_EXCEEDED:
    case LXW_ERROR_255_STRING_LENGTH_EXCEEDED:
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
        return QStringLiteral("ein Text ist zu lang");
    case LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE:
        return QStringLiteral("eine Zelle liegt außerhalb der Tabelle");
    default:
        return QStringLiteral("interner Fehler %1").arg(error);
    }
}

} // namespace platform::office
