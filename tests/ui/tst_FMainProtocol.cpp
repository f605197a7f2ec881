#include "controls/MyGrids.h"
#include "controls/SortGrid.h"
#include "platform/Tick.h"
#include "protocol/ProtocolTables.h"
#include "protocol/SplitSummary.h"
#include "ui/FMain.h"
#include "ui/ProtocolFileCommands.h"

#include "../FileBytes.h"
#include "ModalAnswers.h"

#include <QDir>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace Qt::StringLiterals;

// The protocol as the operator meets it in the main window: runs credited to
// the attempt picked, the split table's title.

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

QTEST_MAIN(tst_FMainProtocol)
#include "tst_FMainProtocol.moc"
