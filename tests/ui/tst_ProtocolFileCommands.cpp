#include "controls/SortGrid.h"
#include "protocol/ProtocolTables.h"
#include "ui/ProtocolFileCommands.h"

#include "../platform/ReadOnlyFolder.h"
#include "ModalAnswers.h"

#include "../FileBytes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

class tst_ProtocolFileCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_window = std::make_unique<QWidget>();
        m_tables = new TProtocolTables(m_window.get());
        m_tables->FillSplitHeader(5, 10, 15, 30);
        m_files = new TProtocolFileCommands(*m_tables, m_window.get());
        m_files->setShell(platform::Shell([this](const QUrl &url) {
            m_opened.append(url);
            return true;
        }));
        m_window->show();
        QVERIFY(m_dir.isValid());
        m_opened.clear();
    }

    void cleanup()
    {
        QDir::setCurrent(QCoreApplication::applicationDirPath());
        m_window.reset();
        QCoreApplication::processEvents();
    }

    void saveFlowGoesByTheChosenEntry()
    {
        m_tables->replaceProtocol({{u"7"_s, u"Anna Berg"_s, u"12,34"_s, u" "_s}});
        m_files->setFilterIndex(1);

        // The dialog proposes the date stamp under the stored entry.
        QStringList shown;
        const QString textName = m_dir.filePath(u"Lauf"_s);
        chooseFile(textName, 1, &shown);
        m_files->sbSaveClick();
        QCOMPARE(shown.value(0), m_files->saveFilters().value(0).label + u" (*.txt)"_s);
        // The date stamp; the entry chosen gives the extension.
        QVERIFY2(QRegularExpression(u"/\\d{4}-\\d\\d-\\d\\d-\\d\\d-\\d\\d$"_s)
                     .match(shown.value(1))
                     .hasMatch(),
                 qPrintable(shown.value(1)));
        QCOMPARE(readAll(textName + u".txt"_s),
                 "Nr.\tName\tZeit\tPlatz\t\r\n7\tAnna Berg\t12,34\t \t\r\n");

        // The web-page entry writes the page, whatever the name.
        const int web = entryOf(m_files->saveFilters(), FileKind::WebPage);
        chooseFile(m_dir.filePath(u"Bericht.htm"_s), web);
        m_files->sbSaveClick();
        QVERIFY(readAll(m_dir.filePath(u"Bericht.htm"_s)).startsWith("<HTML>\r\n"));
        QCOMPARE(m_files->filterIndex(), web);

        // Cancelling writes nothing and keeps the entry.
        whenModal<QFileDialog>([](QFileDialog *dialog) { dialog->reject(); });
        m_files->sbSaveClick();
        QCOMPARE(m_files->filterIndex(), web);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files).size(), 2);
    }

    void loadFlowReplacesTheProtocolAndKeepsLoadedTimes()
    {
        m_tables->replaceProtocol({{u"1"_s, u"Alt"_s, u"9,99"_s, u""_s},
                                   {u"2"_s, u"Älter"_s, u"8,88"_s, u""_s},
                                   {u"3"_s, u"Am ältesten"_s, u"7,77"_s, u""_s}});
        const QString fileName = m_dir.filePath(u"liste.txt"_s);
        writeAll(fileName, "Nr.\tName\tZeit\tPlatz\t\r\n7;Anna;12,34\r\n8\tBen\t11,00\t2\t\r\n");
        m_files->setFilterIndex(4);

        chooseFile(fileName, 1);
        m_files->sbLoadClick();

        const protocol::ProtocolRows rows = m_tables->protocolRows();
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[1], (protocol::ProtocolRow{u"7"_s, u"Anna"_s, u"12,34"_s, u""_s}));
        QCOMPARE(rows[2], (protocol::ProtocolRow{u"8"_s, u"Ben"_s, u"11,00"_s, u"2"_s}));
        // Row 1 is shown: an athlete without attempts keeps the loaded time.
        QCOMPARE(m_tables->shownRow(), 1);
        QCOMPARE(m_tables->SortGrid1->row(), 1);
        QCOMPARE(m_tables->SortGrid1->cells(2, 1), u"12,34"_s);
        QCOMPARE(m_tables->splitBlock(2), SplitBlock{});
        QCOMPARE(m_tables->SortGridTmp->rowCount(), 12);
        // The save dialog goes on with the open dialog's entry.
        QCOMPARE(m_files->filterIndex(), 1);
    }

    void officeEntriesExportAndImport()
    {
        const QList<protocol::ProtocolRow> athletes{{u"7"_s, u"Anna"_s, u"12,34"_s, u""_s},
                                                    {u"8"_s, u"Ben"_s, u"11,00"_s, u""_s}};
        m_tables->replaceProtocol(athletes);
        const QString book = m_dir.filePath(u"liste.xlsx"_s);
        chooseFile(book, entryOf(m_files->saveFilters(), FileKind::Spreadsheet));
        m_files->sbSaveClick();
        QVERIFY(readAll(book).startsWith("PK"));
        const QString document = m_dir.filePath(u"liste.docx"_s);
        chooseFile(document, entryOf(m_files->saveFilters(), FileKind::Document));
        m_files->sbSaveClick();
        QVERIFY(readAll(document).startsWith("PK"));

        // The workbook comes back through the open dialog's spreadsheet entry.
        m_tables->replaceProtocol({{u"1"_s, u"Andere"_s, u"9,99"_s, u""_s}});
        QSignalSpy imported(m_files, &TProtocolFileCommands::protocolImported);
        chooseFile(book, entryOf(m_files->openFilters(), FileKind::Spreadsheet));
        m_files->sbLoadClick();
        QCOMPARE(imported.size(), 1);
        QCOMPARE(m_tables->protocolRows().mid(1), athletes);

        // A damaged workbook is reported and changes nothing.
        const QString damaged = m_dir.filePath(u"kaputt.xlsx"_s);
        writeAll(damaged, readAll(book).left(200));
        std::unique_ptr<QString> message(catchMessage());
        chooseFile(damaged, entryOf(m_files->openFilters(), FileKind::Spreadsheet));
        m_files->sbLoadClick();
        QVERIFY(!message->isEmpty());
        QCOMPARE(imported.size(), 1);
        QCOMPARE(m_tables->protocolRows().mid(1), athletes);
    }

    void failedLoadTellsAndKeepsTheProtocol()
    {
        const protocol::ProtocolRow kept{u"5"_s, u"Bleibt"_s, u"10,00"_s, u"1"_s};
        m_tables->replaceProtocol({kept});

        // A folder cannot be read as a file.
        std::unique_ptr<QString> message(catchMessage());
        QVERIFY(!m_files->LoadProtocolText(m_dir.path()));
        QVERIFY(!message->isEmpty());
        QCOMPARE(m_tables->protocolRows().value(1), kept);

        // While a run is timed the open dialog does not even come up.
        m_tables->setTablesEnabled(false);
        bool shown = false;
        QTimer::singleShot(50, this, [&shown] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                shown = true;
                dialog->reject();
            }
        });
        m_files->sbLoadClick();
        QTest::qWait(100);
        QVERIFY(!shown);
        m_tables->setTablesEnabled(true);
    }

    void webPageAndPrintWriteTheSameFile()
    {
        m_tables->replaceProtocol(
            {{u"7"_s, u"Anna"_s, u"12,34"_s, u""_s}, {u"8"_s, u"Ben"_s, u"11,00"_s, u""_s}});
        QVERIFY(QDir::setCurrent(m_dir.path()));
        const QString page = m_dir.filePath(QCoreApplication::applicationName() + u".html"_s);

        const QString pdf = m_dir.filePath(u"druck.pdf"_s);
        int printerSetUps = 0;
        m_files->setPrinterSetUp([&](QPrinter &printer) {
            ++printerSetUps;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
        m_files->sbInetClick(1);
        QCOMPARE(printerSetUps, 1);
        QVERIFY(m_opened.isEmpty());
        QVERIFY(readAll(pdf).startsWith("%PDF"));
        const QByteArray printed = readAll(page);
        QVERIFY(printed.contains("<td>Anna"));

        m_files->sbInetClick(0);
        QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(page)});
        QCOMPARE(readAll(page), printed);

        // A page that cannot be written is reported, and the older one is
        // neither opened nor printed.
        m_opened.clear();
        {
            ReadOnlyFolder readOnly(m_dir.path());
            QVERIFY(readOnly.ok());
            const QString expected = u"Der Schreibfehler der Datei: "_s + page.section(u'/', -1);
            std::unique_ptr<QString> message(catchMessage());
            m_files->sbInetClick(0);
            QCOMPARE(*message, expected);
            message.reset(catchMessage());
            m_files->sbInetClick(1);
            QCOMPARE(*message, expected);
        }
        QVERIFY(m_opened.isEmpty());
        QCOMPARE(printerSetUps, 1);
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QWidget> m_window;
    TProtocolTables *m_tables = nullptr;
    TProtocolFileCommands *m_files = nullptr;
    QList<QUrl> m_opened;
};

QTEST_MAIN(tst_ProtocolFileCommands)
#include "tst_ProtocolFileCommands.moc"
