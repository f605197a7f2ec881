#include "ui/ProtocolFileCommands.h"

#include "platform/office/OfficeError.h"
#include "protocol/DialogFolder.h"
#include "protocol/FileChoice.h"
#include "protocol/HtmlPrinting.h"
#include "protocol/HtmlReport.h"
#include "protocol/OfficeExchange.h"
#include "protocol/ProtocolTables.h"
#include "protocol/ProtocolText.h"
#include "settings/ProgramTitle.h"
#include "timing/TimeFormat.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include <optional>

namespace {

struct DialogAnswer
{
    QString fileName;
    int filterIndex = 1;
};

// A typed name without extension gets ".txt", whichever entry is chosen.
std::optional<DialogAnswer> runFileDialog(QWidget *parent, QFileDialog::AcceptMode mode,
                                          const QString &folder, const QString &fileName,
                                          const FileFilters &filters, int filterIndex)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    const QStringList names = nameFilters(filters);
    dialog.setNameFilters(names);
    const int start = filterIndex >= 1 && filterIndex <= names.size() ? filterIndex : 1;
    dialog.selectNameFilter(names.value(start - 1));
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setDirectory(folder);
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return DialogAnswer{dialog.selectedFiles().constFirst(),
                        static_cast<int>(names.indexOf(dialog.selectedNameFilter())) + 1};
}

} // namespace

TProtocolFileCommands::TProtocolFileCommands(TProtocolTables &tables, QWidget *window)
    : QObject(window)
    , m_tables(tables)
    , m_window(window)
    , m_folder(protocol::dialogStartFolder())
    , m_printerSetUp([window](QPrinter &printer) {
        QPrintDialog dialog(&printer, window);
        return dialog.exec() == QDialog::Accepted;
    })
{
    // The spreadsheet format is built in, so its entries are always offered.
    const DocumentTypeLabels labels = lookUpDocumentTypeLabels();
    m_saveFilters = ::saveFilters(labels, true);
    m_openFilters = ::openFilters(labels, true);
}

void TProtocolFileCommands::setFilterIndex(int index)
{
    m_saveFilterIndex = index;
    m_openFilterIndex = index;
}

void TProtocolFileCommands::sbSaveClick()
{
    const std::optional<DialogAnswer> answer = runFileDialog(
        m_window, QFileDialog::AcceptSave, m_folder, DateStamp(), m_saveFilters, m_saveFilterIndex);
    if (!answer)
        return;
    m_saveFilterIndex = answer->filterIndex;
    m_folder = QFileInfo(answer->fileName).absolutePath();
    switch (protocol::saveKindAt(m_saveFilters, answer->filterIndex)) {
    case FileKind::WebPage:
        WriteHtmlReport(answer->fileName);
        break;
    case FileKind::Spreadsheet:
        runOffice([&] { ExportToExcel(m_tables, answer->fileName, programTitle(), m_shell); });
        break;
    case FileKind::Document:
        runOffice([&] { ExportToWord(m_tables, answer->fileName, documentTemplatePath()); });
        break;
    case FileKind::Text:
        SaveProtocolText(answer->fileName);
        break;
    }
}

void TProtocolFileCommands::sbLoadClick()
{
    // A run being timed is credited to the row shown at its start; a new
    // protocol under it would hand the attempt to somebody else.
    if (!m_tables.tablesEnabled())
        return;
    const std::optional<DialogAnswer> answer = runFileDialog(
        m_window, QFileDialog::AcceptOpen, m_folder, QString(), m_openFilters, m_openFilterIndex);
    if (!answer)
        return;
    m_openFilterIndex = answer->filterIndex;
    m_folder = QFileInfo(answer->fileName).absolutePath();
    const std::optional<FileKind> kind = protocol::loadKindAt(m_openFilters, answer->filterIndex);
    if (kind == FileKind::Text)
        LoadProtocolText(answer->fileName);
    else if (kind == FileKind::Spreadsheet)
        importSpreadsheet(answer->fileName);
    m_tables.showProtocolRow(1);
    m_saveFilterIndex = m_openFilterIndex;
}

void TProtocolFileCommands::sbExcelClick()
{
    runOffice([this] { ExportToExcel(m_tables, QString(), programTitle(), m_shell); });
}

void TProtocolFileCommands::sbInetClick(int tag)
{
    const QString fileName = protocol::webPageFileName(QCoreApplication::applicationFilePath());
    // An older page of that name is not what the user asked to see or print.
    if (!WriteHtmlReport(fileName))
        return;
    if (tag == 1) {
        printWebPage(fileName);
    } else if (!m_shell.openFile(QFileInfo(fileName).absoluteFilePath())) {
        showError(QStringLiteral("Kein Programm zum Anzeigen der Webseite gefunden: ") + fileName);
    }
}

bool TProtocolFileCommands::SaveProtocolText(const QString &fileName)
{
    const QString error = protocol::saveProtocolTextFile(fileName, m_tables.protocolRows());
    if (!error.isEmpty())
        showError(error);
    return error.isEmpty();
}

bool TProtocolFileCommands::LoadProtocolText(const QString &fileName)
{
    const protocol::ProtocolTextLoad load = protocol::loadProtocolTextFile(fileName);
    if (!load.ok()) {
        showError(load.error);
        return false;
    }
    m_tables.replaceProtocol(load.rows);
    return true;
}

bool TProtocolFileCommands::WriteHtmlReport(const QString &fileName)
{
    const QString error = protocol::saveHtmlReportFile(fileName, m_tables.report(programTitle()));
    if (!error.isEmpty())
        showError(error);
    return error.isEmpty();
}

void TProtocolFileCommands::printWebPage(const QString &fileName)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!m_printerSetUp(printer))
        return;
    const QString error = protocol::printHtmlFile(fileName, printer);
    if (!error.isEmpty())
        showError(error);
}

void TProtocolFileCommands::importSpreadsheet(const QString &fileName)
{
    runOffice([&] {
        const QString notice = ImportFromExcel(m_tables, fileName);
        Q_EMIT protocolImported();
        if (!notice.isEmpty())
            QMessageBox::information(m_window, programTitle(), notice, QMessageBox::Ok);
    });
}

void TProtocolFileCommands::runOffice(const std::function<void()> &operation) const
{
    try {
        operation();
    } catch (const platform::office::OfficeError &error) {
        showError(error.message());
    }
}

QString TProtocolFileCommands::documentTemplatePath()
{
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("Protokollvorlage.docx"));
}

void TProtocolFileCommands::showError(const QString &message) const
{
    QMessageBox::critical(m_window, programTitle(), message, QMessageBox::Ok);
}
