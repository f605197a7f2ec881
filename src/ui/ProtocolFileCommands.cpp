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
#include <QFile>
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

// The open dialog completes a name without extension to ".txt"; the save
// dialog leaves names to protocol::saveTarget and replacing to the caller.
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
    if (mode == QFileDialog::AcceptOpen)
        dialog.setDefaultSuffix(QStringLiteral("txt"));
    else
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
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

TProtocolFileCommands::~TProtocolFileCommands()
{
    // On purpose without a word: the spreadsheet application may still hold
    // a workbook open (Windows then refuses), and one left in the temporary
    // folder harms nothing.
    for (const QString &fileName : std::as_const(m_shownWorkbooks))
        QFile::remove(fileName);
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
    const protocol::SaveTarget target =
        protocol::saveTarget(answer->fileName, m_saveFilters, answer->filterIndex);
    if (!mayWrite(target.fileName))
        return;
    m_saveFilterIndex = answer->filterIndex;
    m_folder = QFileInfo(target.fileName).absolutePath();
    switch (target.kind) {
    case FileKind::WebPage:
        WriteHtmlReport(target.fileName);
        break;
    case FileKind::Spreadsheet:
        runOffice([&] { ExportToExcel(m_tables, target.fileName, programTitle(), m_shell); });
        break;
    case FileKind::Document:
        runOffice([&] {
            ExportToWord(m_tables, target.fileName, documentTemplatePath(), programTitle());
        });
        break;
    case FileKind::Text:
        SaveProtocolText(target.fileName);
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
    runOffice([this] {
        m_shownWorkbooks.append(ExportToExcel(m_tables, QString(), programTitle(), m_shell));
    });
}

bool TProtocolFileCommands::mayWrite(const QString &fileName) const
{
    if (!QFileInfo::exists(fileName))
        return true;
    return QMessageBox::question(
               m_window, programTitle(),
               QStringLiteral("Die Datei \"%1\" gibt es schon. Soll sie ersetzt werden?")
                   .arg(QFileInfo(fileName).fileName()),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
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
