#pragma once

#include "platform/Shell.h"
#include "settings/FileFilters.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QPrinter;
class QWidget;
class TProtocolTables;

// The protocol bar's file commands: the save and open dialogs and their choice
// of format, the text file, the web page and its printing, and the office
// formats. Errors reach the user in a message box over the window given.
class TProtocolFileCommands : public QObject
{
    Q_OBJECT

public:
    TProtocolFileCommands(TProtocolTables &tables, QWidget *window);
    // Removes the workbooks sbExcelClick handed to the spreadsheet application.
    ~TProtocolFileCommands() override;

    // 1-based entry of the file-type lists: both dialogs start with it; the
    // save dialog's is what the program keeps.
    int filterIndex() const { return m_saveFilterIndex; }
    void setFilterIndex(int index);
    const FileFilters &saveFilters() const { return m_saveFilters; }
    const FileFilters &openFilters() const { return m_openFilters; }

    void sbSaveClick();
    void sbLoadClick();
    // Opens the protocol as a temporary workbook in the desktop's spreadsheet
    // application; the workbook stays until the program ends.
    void sbExcelClick();
    // Writes the web page; tag 0 opens it in the browser, tag 1 prints it.
    void sbInetClick(int tag);

    // Each returns false once the user has been told why it failed.
    bool SaveProtocolText(const QString &fileName);
    bool LoadProtocolText(const QString &fileName);
    bool WriteHtmlReport(const QString &fileName);

    // Tests replace the desktop and the print dialog.
    void setShell(platform::Shell shell) { m_shell = std::move(shell); }
    using PrinterSetUp = std::function<bool(QPrinter &printer)>;
    void setPrinterSetUp(PrinterSetUp setUp) { m_printerSetUp = std::move(setUp); }

Q_SIGNALS:
    // A spreadsheet import replaced the protocol and its split tables.
    void protocolImported();

private:
    void importSpreadsheet(const QString &fileName);
    // Runs an office export or import; its failure reaches the user.
    void runOffice(const std::function<void()> &operation) const;
    // The document export's template beside the program.
    static QString documentTemplatePath();
    void showError(const QString &message) const;
    void printWebPage(const QString &fileName);
    // Whether the file may be written: asks before one is replaced.
    bool mayWrite(const QString &fileName) const;

    TProtocolTables &m_tables;
    QWidget *m_window;
    FileFilters m_saveFilters;
    FileFilters m_openFilters;
    int m_saveFilterIndex = 1;
    int m_openFilterIndex = 1;
    QString m_folder;
    platform::Shell m_shell;
    PrinterSetUp m_printerSetUp;
    QStringList m_shownWorkbooks;
};
