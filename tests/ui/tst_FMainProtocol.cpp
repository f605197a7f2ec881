#include "controls/MyGrids.h"
#include "controls/SortGrid.h"
#include "platform/Tick.h"
#include "protocol/ProtocolTables.h"
#include "protocol/SplitSummary.h"
#include "ui/FMain.h"
#include "ui/ProtocolFileCommands.h"

#include "../FileBytes.h"
#include "ModalAnswers.h"

#include <QAbstractButton>
#include <QDir>
#include <QSet>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

using namespace Qt::StringLiterals;

// The protocol as the operator meets it in the main window: runs credited to
// the attempt picked, the split table's title, the save dialog's names.

namespace {

quint32 g_tick = 1000;
quint32 testTick()
{
    return g_tick;
}

struct Window
{
    std::unique_ptr<TFormMain> form = std::make_unique<TFormMain>();

    bool show()
    {
        form->show();
        return QTest::qWaitForWindowActive(form.get());
    }
    TProtocolTables &tables() const { return *form->protocolTables(); }
    QSpinBox *spin(const char *name) const
    {
        return form->findChild<QSpinBox *>(QLatin1StringView(name));
    }
    QToolButton *button(const char *name) const
    {
        return form->findChild<QToolButton *>(QLatin1StringView(name));
    }
    QString attemptFinal(int splitRow) const { return tables().SortGridRes->cells(3, splitRow); }
    // Start (F5) and stop (F9) by key, finalTime apart, then ready the next
    // run for the same start number (F7).
    void runAgain(qint32 finalTime)
    {
        g_tick += 100000;
        QTest::keyClick(form.get(), Qt::Key_F5);
        g_tick += quint32(finalTime);
        QTest::keyClick(form.get(), Qt::Key_F9);
        spin("editStartN2")->setValue(spin("editStartN1")->value());
        QTest::keyClick(form.get(), Qt::Key_F7);
    }
    void clickAttempt(int splitRow) const
    {
        TMyStringGrid *split = tables().SortGridRes;
        QTest::mouseClick(split->viewport(), Qt::LeftButton, {},
                          split->cellRect(1, splitRow).center());
    }
};

// While it lives, notes the text of every message box that comes up and
// answers it with the button given.
struct MessageWatch
{
    QTimer poll;
    QStringList texts;
    QMessageBox::StandardButton answer = QMessageBox::Yes;

    MessageWatch()
    {
        QObject::connect(&poll, &QTimer::timeout, &poll, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            texts.append(box->text());
            if (QAbstractButton *button = box->button(answer))
                button->click();
            else
                box->accept();
        });
        poll.start(10);
    }
};

} // namespace

class tst_FMainProtocol : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_devDir.isValid());
        qputenv("TAVRIN_DEV_DIR", QFile::encodeName(m_devDir.path()));
        platform::setTickSource(testTick);
    }

    void pickedAttemptReceivesTheRun();
    void titleNamesTheAthleteShownAfterLoading();
    void savedFileTakesTheChosenType_data();
    void savedFileTakesTheChosenType();
    void replacingAsksForTheFileWritten();

private:
    QTemporaryDir m_devDir;
};

void tst_FMainProtocol::pickedAttemptReceivesTheRun()
{
    Window w;
    QVERIFY(w.show());
    w.spin("editStartN1")->setValue(2);
    w.runAgain(7000);
    w.spin("editStartN1")->setValue(1);
    for (const qint32 finalTime : {10000, 11000, 12000, 12000, 9000})
        w.runAgain(finalTime);
    TMyStringGrid *split = w.tables().SortGridRes;

    // Attempt 4 picked: the run goes there, attempt 1 stays.
    w.clickAttempt(kFirstAttemptRow + 3);
    QCOMPARE(split->row(), kFirstAttemptRow + 3);
    w.runAgain(8000);
    QCOMPARE(w.attemptFinal(kFirstAttemptRow + 3), u"8,00"_s);
    QCOMPARE(w.attemptFinal(kFirstAttemptRow), u"10,00"_s);
    // 12,00 of attempt 3 is struck now: (10 + 11 + 8 + 9) / 4.
    QCOMPARE(w.tables().SortGrid1->cells(2, 2), u"9,50"_s);

    // The pick lasts until the athlete changes.
    w.clickAttempt(kFirstAttemptRow + 2);
    w.spin("editStartN1")->setValue(2);
    w.spin("editStartN1")->setValue(1);
    QCOMPARE(split->row(), kFirstAttemptRow);
}

void tst_FMainProtocol::titleNamesTheAthleteShownAfterLoading()
{
    QTemporaryDir dir;
    Window w;
    QVERIFY(w.show());
    w.runAgain(5000);
    auto *title = w.tables().TabControl1;
    QCOMPARE(title->tabText(0), u"1) "_s);

    const QString text = dir.filePath(u"liste.txt"_s);
    writeAll(text, "Nr.\tName\tZeit\tPlatz\t\r\n7\tAnna\t12,34\t \t\r\n8\tBen\t11,00\t \t\r\n");
    TProtocolFileCommands &files = *w.form->fileCommands();
    chooseFile(text, entryOf(files.openFilters(), FileKind::Text));
    w.button("sbLoad")->click();
    QCOMPARE(title->tabText(0), u"7) Anna"_s);

    // The same after a workbook, whose row 1 is another athlete.
    w.tables().SortGrid1->setCells(1, 1, u"Anna Berg"_s);
    const QString book = dir.filePath(u"liste.xlsx"_s);
    chooseFile(book, entryOf(files.saveFilters(), FileKind::Spreadsheet));
    w.button("sbSave")->click();
    QVERIFY(QFile::exists(book));
    w.tables().SortGrid1->setCells(1, 1, u"Zwischenstand"_s);
    chooseFile(book, entryOf(files.openFilters(), FileKind::Spreadsheet));
    w.button("sbLoad")->click();
    QCOMPARE(title->tabText(0), u"7) Anna Berg"_s);
}

void tst_FMainProtocol::savedFileTakesTheChosenType_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("start");
    const auto web = int(FileKind::WebPage);
    QTest::newRow("no extension") << u"training"_s << web << u"training.html"_s
                                  << QByteArray("<HTML>");
    QTest::newRow("workbook's extension")
        << u"training.xlsx"_s << web << u"training.xlsx"_s << QByteArray("PK");
    QTest::newRow("text's extension")
        << u"neu.TXT"_s << web << u"neu.TXT"_s << QByteArray("Nr.\tName");
    QTest::newRow("short web extension")
        << u"Bericht.htm"_s << web << u"Bericht.htm"_s << QByteArray("<HTML>");
    QTest::newRow("document") << u"training"_s << int(FileKind::Document) << u"training.docx"_s
                              << QByteArray("PK");
    QTest::newRow("unknown extension") << u"training.v2"_s << int(FileKind::Text)
                                       << u"training.v2.txt"_s << QByteArray("Nr.\tName");
}

void tst_FMainProtocol::savedFileTakesTheChosenType()
{
    QFETCH(QString, typed);
    QFETCH(int, kind);
    QFETCH(QString, written);
    QFETCH(QByteArray, start);
    QTemporaryDir dir;
    // An older file that only a wrong extension would hit.
    const QString older = dir.filePath(u"training.txt"_s);
    writeAll(older, "alt");
    Window w;
    QVERIFY(w.show());
    w.runAgain(5000);

    const MessageWatch questions;
    chooseFile(dir.filePath(typed), entryOf(w.form->fileCommands()->saveFilters(), FileKind(kind)));
    w.button("sbSave")->click();
    QVERIFY2(readAll(dir.filePath(written)).startsWith(start), qPrintable(written));
    QCOMPARE(readAll(older), QByteArray("alt"));
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    QCOMPARE(QSet<QString>(files.begin(), files.end()),
             (QSet<QString>{written, u"training.txt"_s}));
    QCOMPARE(questions.texts, QStringList()); // nothing was about to be replaced
}

void tst_FMainProtocol::replacingAsksForTheFileWritten()
{
    QTemporaryDir dir;
    const QString page = dir.filePath(u"training.html"_s);
    Window w;
    QVERIFY(w.show());
    w.runAgain(5000);
    const int web = entryOf(w.form->fileCommands()->saveFilters(), FileKind::WebPage);

    for (const bool replace : {false, true}) {
        writeAll(page, "alt");
        MessageWatch questions;
        questions.answer = replace ? QMessageBox::Yes : QMessageBox::No;
        chooseFile(dir.filePath(u"training"_s), web);
        w.button("sbSave")->click();
        QCOMPARE(questions.texts.size(), 1);
        QVERIFY2(questions.texts.at(0).contains(u"training.html"_s),
                 qPrintable(questions.texts.at(0)));
        QCOMPARE(readAll(page).startsWith("<HTML>"), replace);
    }
}

QTEST_MAIN(tst_FMainProtocol)
#include "tst_FMainProtocol.moc"
