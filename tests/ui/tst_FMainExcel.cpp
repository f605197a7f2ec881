#include "platform/office/SpreadsheetServer.h"
#include "ui/FMain.h"

#include "../platform/ReadOnlyFolder.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <optional>

using namespace Qt::StringLiterals;

// Stands in for the desktop's default applications.
class FileOpener : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl &url) { opened.append(url); }
};

class tst_FMainExcel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_devDir.isValid());
        qputenv("TAVRIN_DEV_DIR", QFile::encodeName(m_devDir.path()));
        QDesktopServices::setUrlHandler(u"file"_s, &m_opener, "open");
    }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(u"file"_s); }

    void sbExcelOpensTheProtocolAsAWorkbook()
    {
        TFormMain form;
        auto *sbExcel = form.findChild<QToolButton *>(u"sbExcel"_s);
        QVERIFY(sbExcel);
        QVERIFY(!sbExcel->isEnabled());
        form.OpenProtocolRow(u"7"_s);
        form.StoreRunSplits(12340, {0, 0, 0, 12340});
        QVERIFY(sbExcel->isEnabled());

        m_opener.opened.clear();
        sbExcel->click();
        QCOMPARE(m_opener.opened.size(), 1);
        const QString fileName = m_opener.opened.at(0).toLocalFile();
        {
            platform::office::SpreadsheetServer server;
            platform::office::Workbook &book = server.workBooks().open(fileName);
            QCOMPARE(book.sheetNames(), (QStringList{u"Startliste"_s, u"7"_s}));
            platform::office::Worksheet &protocol = book.workSheets(1);
            QCOMPARE(protocol.range(protocol.cells(2, 1), protocol.cells(2, 4)).value(),
                     (QList<QVariantList>{{7.0, QVariant(), 12.34, QVariant()}}));
        }
        QFile::remove(fileName);
    }

    void temporaryWorkbooksGoWhenTheProgramEnds()
    {
        QStringList shown;
        {
            TFormMain form;
            form.OpenProtocolRow(u"7"_s);
            form.StoreRunSplits(12340, {0, 0, 0, 12340});
            m_opener.opened.clear();
            auto *sbExcel = form.findChild<QToolButton *>(u"sbExcel"_s);
            sbExcel->click();
            sbExcel->click();
            for (const QUrl &url : std::as_const(m_opener.opened))
                shown.append(url.toLocalFile());
            QCOMPARE(shown.size(), 2);
            QVERIFY(shown.at(0) != shown.at(1));
            // The spreadsheet application reads them while the program runs.
            for (const QString &fileName : std::as_const(shown))
                QVERIFY(QFile::exists(fileName));
        }
        for (const QString &fileName : std::as_const(shown))
            QVERIFY2(!QFile::exists(fileName), qPrintable(fileName));
    }

    void sbExcelShowsFailures()
    {
        TFormMain form;
        form.OpenProtocolRow(u"7"_s);
        form.StoreRunSplits(12340, {0, 0, 0, 12340});

        // The folder for temporary files is unwritable: no workbook can be made.
        QTemporaryDir tmp;
        const ReadOnlyFolder readOnly(tmp.path());
        if (!readOnly.ok())
            QSKIP("This machine cannot make a folder unwritable.");
        const std::optional<QByteArray> tmpDir =
            qEnvironmentVariableIsSet("TMPDIR") ? std::optional(qgetenv("TMPDIR")) : std::nullopt;
        qputenv("TMPDIR", QFile::encodeName(tmp.path()));
        QString shown;
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, this, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        watcher.start(10);
        QTimer::singleShot(10000, &watcher, [] {
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close(); // a fault fails the test below instead of hanging it
        });
        m_opener.opened.clear();
        form.findChild<QToolButton *>(u"sbExcel"_s)->click();
        if (tmpDir)
            qputenv("TMPDIR", *tmpDir);
        else
            qunsetenv("TMPDIR");

        QVERIFY2(shown.contains(u"kann nicht erstellt werden"_s), qPrintable(shown));
        QVERIFY(m_opener.opened.isEmpty());
    }

private:
    QTemporaryDir m_devDir;
    FileOpener m_opener;
};

QTEST_MAIN(tst_FMainExcel)
#include "tst_FMainExcel.moc"
