#include "protocol/ProtocolTables.h"

#include "../ui/RunModal.h"
#include "ProtocolHost.h"
#include "controls/SortGrid.h"
#include "ui/DlgYesNo.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

using Host = ProtocolHost;
using Captures = ProtocolHost::Captures;

QStringList finals(const SplitBlock &block)
{
    QStringList texts;
    for (const SplitRow &row : block)
        texts.append(row[3]);
    return texts;
}

// Columns and rows of `rect` in `img` that hold ink darker than mid grey.
QRect inkBounds(const QImage &img, const QRect &rect)
{
    QRect ink;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (qGray(img.pixel(x, y)) < 110)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

} // namespace

class tst_ProtocolTables : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsWithOneEmptyRowAndItsBlock();
    void runsFindOrAppendTheirRow();
    void startNumbersMatchAsText();
    void attemptGoesToTheStartedAthlete();
    void meanRowAndTimeFollowTheAttempts();
    void sixthRunOverwritesAttemptOneUnlessAnotherRowIsPicked();
    void removedAttemptStaysRemoved();
    void removingARowTakesItsBlockAlong();
    void removingTheOnlyRowEmptiesIt();
    void rowsCannotBeRemovedOrClearedDuringARun();
    void clearingAsksFirst();
    void clearedProtocolStartsNewBlocksEmpty();
    void buttonsFollowTheFirstStartNumber();
    void selectingACellChoosesEditingOrRowSelection();
    void startNumberChangeShowsItsRow();
    void loadedTimeStandsUntilTheFirstAttempt();
    void distancesChangeOnlyTheHeader();
    void columnsFollowTheClientWidth();
    void splitCellsAreDrawnRightTopAndStruckWhenExcluded();
    void cellFormatAlignsHeaderAndName();
    void popupMenusActOnTheirGrid();
    void typingAStartNumberEnablesTheButtons();
    void newRowsAreScrolledIntoView();
};

void tst_ProtocolTables::startsWithOneEmptyRowAndItsBlock()
{
    Host h;
    TSortGrid *grid = h.window.findChild<TSortGrid *>(u"SortGrid1"_s);
    QVERIFY(grid);
    QCOMPARE(grid->colCount(), 4);
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(grid->rows(0), (QStringList{u"Nr."_s, u"Name"_s, u"Zeit"_s, u"Platz"_s}));
    QCOMPARE(grid->rows(1), QStringList(4));
    QVERIFY(!grid->sortOptions().CanSort);
    QCOMPARE(grid->defaultRowHeight(), 19);
    QCOMPARE(grid->font().pixelSize(), 16);
    QVERIFY(grid->font().bold());
    QCOMPARE(grid->popupMenu(), h.window.findChild<QMenu *>(u"PopupMenuProtokol"_s));
    QCOMPARE(h.window.findChild<QAction *>(u"Erase1"_s)->text(), u"Zeile entfernen"_s);

    TSortGrid *store = h.window.findChild<TSortGrid *>(u"SortGridTmp"_s);
    QVERIFY(store);
    QVERIFY(store->isHidden());
    QCOMPARE(store->rowCount(), 6);
    QCOMPARE(store->colWidths(3), 98);

    TMyStringGrid *split = h.window.findChild<TMyStringGrid *>(u"SortGridRes"_s);
    QVERIFY(split);
    QCOMPARE(split->colCount(), 4);
    QCOMPARE(split->rowCount(), 7);
    QCOMPARE(split->fixedRows(), 2);
    QCOMPARE(split->defaultRowHeight(), 20);
    QCOMPARE(split->scrollBars(), TScrollStyle::ssNone);
    QVERIFY(!split->options().testFlag(TGridOption::goEditing));
    QCOMPARE(split->row(), 2);
    QCOMPARE(h.window.findChild<QAction *>(u"Zeileentfernen2"_s)->text(), u"Zeile entfernen"_s);

    auto *tab = h.window.findChild<QTabWidget *>(u"TabControl1"_s);
    QVERIFY(tab);
    QCOMPARE(tab->count(), 1);
    QCOMPARE(tab->tabText(0), u"Name"_s);
}

void tst_ProtocolTables::runsFindOrAppendTheirRow()
{
    Host h;
    h.run(u"1"_s, 12340);
    QCOMPARE(h.dataRows(), 1);
    QCOMPARE(h.nr(1), u"1"_s);
    QCOMPARE(h.tables->SortGridTmp->rowCount(), 6);

    h.run(u"2"_s, 11000);
    QCOMPARE(h.dataRows(), 2);
    QCOMPARE(h.nr(2), u"2"_s);
    QCOMPARE(h.tables->SortGridTmp->rowCount(), 12);
    QCOMPARE(h.tables->SortGrid1->row(), 2);
    QCOMPARE(h.tables->TabControl1->tabText(0), u"2) "_s);

    // The same start number again: its row, one more attempt.
    h.run(u"1"_s, 12000);
    QCOMPARE(h.dataRows(), 2);
    QCOMPARE(h.tables->SortGrid1->row(), 1);
    QCOMPARE(finals(h.tables->splitBlock(1)).mid(1, 3), (QStringList{u"12,34"_s, u"12,00"_s, {}}));
    QCOMPARE(h.zeit(1), u"12,17"_s);
    QCOMPARE(h.zeit(2), u"11,00"_s);
    QCOMPARE(finals(h.tables->splitBlock(2)).mid(1, 2), (QStringList{u"11,00"_s, {}}));
}

void tst_ProtocolTables::startNumbersMatchAsText()
{
    Host h;
    h.run(u"7"_s, 9000);
    h.tables->SortGrid1->setCells(0, 1, u"07"_s);
    h.run(u"7"_s, 9500);
    QCOMPARE(h.dataRows(), 2);
    QCOMPARE(h.nr(1), u"07"_s);
    QCOMPARE(h.nr(2), u"7"_s);
    QCOMPARE(h.zeit(1), u"9,00"_s);
    QCOMPARE(h.zeit(2), u"9,50"_s);
}

void tst_ProtocolTables::attemptGoesToTheStartedAthlete()
{
    Host h;
    h.run(u"1"_s, 10000);
    h.run(u"2"_s, 11000);
    // The operator looks at athlete 2 while athlete 1 is about to start.
    h.select(2);
    h.run(u"1"_s, 12000);
    QCOMPARE(finals(h.tables->splitBlock(1)).mid(1, 2), (QStringList{u"10,00"_s, u"12,00"_s}));
    QCOMPARE(finals(h.tables->splitBlock(2)).mid(1, 2), (QStringList{u"11,00"_s, {}}));
    QCOMPARE(h.zeit(1), u"11,00"_s);
    QCOMPARE(h.zeit(2), u"11,00"_s);
}

void tst_ProtocolTables::meanRowAndTimeFollowTheAttempts()
{
    Host h;
    h.run(u"3"_s, 12340, {1050, 2100, 3010});
    QCOMPARE(h.split(1), (QStringList{u"1,05"_s, u"2,10"_s, u"3,01"_s, u"12,34"_s}));
    QCOMPARE(h.split(2), (QStringList{u"1,05"_s, u"2,10"_s, u"3,01"_s, u"12,34"_s}));
    QCOMPARE(h.zeit(1), u"12,34"_s);

    // The second barrier gave no time: "-", and the mean ignores it.
    h.run(u"3"_s, 12660, {1150, 0, 3210});
    QCOMPARE(h.split(3), (QStringList{u"1,15"_s, u"-"_s, u"3,21"_s, u"12,66"_s}));
    QCOMPARE(h.split(1), (QStringList{u"1,10"_s, u"2,10"_s, u"3,11"_s, u"12,50"_s}));
    QCOMPARE(h.tables->excludedRow(), int(kNoExcludedRow));

    h.run(u"3"_s, 12000);
    h.run(u"3"_s, 12000);
    QCOMPARE(h.tables->excludedRow(), int(kNoExcludedRow));
    h.run(u"3"_s, 9000);
    // 12,34 12,66 12,00 12,00 9,00: the 12,66 goes.
    QCOMPARE(h.tables->excludedRow(), 3);
    QCOMPARE(h.zeit(1), u"11,33"_s);
    QCOMPARE(h.tables->splitBlock(1)[0], (SplitRow{u"1,05"_s, u"2,10"_s, u"3,01"_s, u"11,33"_s}));
}

void tst_ProtocolTables::sixthRunOverwritesAttemptOneUnlessAnotherRowIsPicked()
{
    Host h;
    for (qint32 t : {10000, 11000, 12000, 12000, 9000})
        h.run(u"4"_s, t);
    QCOMPARE(h.tables->excludedRow(), 5);
    QCOMPARE(h.zeit(1), u"10,50"_s);

    h.run(u"4"_s, 13000);
    QCOMPARE(finals(h.tables->splitBlock(1)).mid(1),
             (QStringList{u"13,00"_s, u"11,00"_s, u"12,00"_s, u"12,00"_s, u"9,00"_s}));
    QCOMPARE(h.tables->excludedRow(), 2);
    QCOMPARE(h.zeit(1), u"11,00"_s);

    // The operator clicks attempt 4 before the next start.
    h.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.window));
    TMyStringGrid *split = h.tables->SortGridRes;
    QTest::mouseClick(split->viewport(), Qt::LeftButton, {}, split->cellRect(1, 5).center());
    QCOMPARE(split->row(), 5);
    h.run(u"4"_s, 8000);
    QCOMPARE(finals(h.tables->splitBlock(1)).mid(1),
             (QStringList{u"13,00"_s, u"11,00"_s, u"12,00"_s, u"8,00"_s, u"9,00"_s}));
}

void tst_ProtocolTables::removedAttemptStaysRemoved()
{
    Host h;
    h.run(u"1"_s, 10000);
    h.run(u"1"_s, 12000);
    h.run(u"2"_s, 11000);
    h.select(1);
    QCOMPARE(h.tables->SortGridRes->row(), 4);
    h.tables->SortGridRes->setSelection({0, 2, 3, 2});
    h.tables->Zeileentfernen2Click();
    QCOMPARE(h.split(2), QStringList(4));
    QCOMPARE(h.split(1)[3], u"12,00"_s);
    QCOMPARE(h.zeit(1), u"12,00"_s);

    h.select(2);
    h.select(1);
    QCOMPARE(h.split(2), QStringList(4));
    QCOMPARE(h.split(3)[3], u"12,00"_s);
    QCOMPARE(h.zeit(1), u"12,00"_s);
    // The emptied attempt is the next one filled.
    QCOMPARE(h.tables->SortGridRes->row(), 2);
}

void tst_ProtocolTables::removingARowTakesItsBlockAlong()
{
    Host h;
    h.run(u"1"_s, 10000);
    h.run(u"2"_s, 11000);
    h.run(u"3"_s, 12000);
    h.tables->setLoadedTime(3, u"14,00"_s);
    h.select(2);
    h.tables->Erase1Click();
    QCOMPARE(h.dataRows(), 2);
    QCOMPARE(h.nr(2), u"3"_s);
    QCOMPARE(h.tables->SortGridTmp->rowCount(), 12);
    QCOMPARE(finals(h.tables->splitBlock(2))[1], u"12,00"_s);
    QCOMPARE(h.tables->loadedTime(2), u"14,00"_s);
    QCOMPARE(h.tables->SortGrid1->row(), 2);
    QCOMPARE(h.tables->shownRow(), 2);
    QCOMPARE(h.split(2)[3], u"12,00"_s);
    QCOMPARE(h.zeit(2), u"12,00"_s);
    QCOMPARE(h.tables->TabControl1->tabText(0), u"3) "_s);

    // Removing the last row selects the new last one.
    h.tables->Erase1Click();
    QCOMPARE(h.dataRows(), 1);
    QCOMPARE(h.tables->SortGrid1->row(), 1);
    QCOMPARE(h.split(2)[3], u"10,00"_s);
}

void tst_ProtocolTables::removingTheOnlyRowEmptiesIt()
{
    Host h;
    h.run(u"1"_s, 10000);
    h.tables->setLoadedTime(1, u"9,99"_s);
    QVERIFY(h.button("sbCLS")->isEnabled());
    h.tables->Erase1Click();
    QCOMPARE(h.dataRows(), 1);
    QCOMPARE(h.nr(1), QString());
    QCOMPARE(h.tables->loadedTime(1), QString());
    QCOMPARE(h.tables->splitBlock(1), SplitBlock{});
    QCOMPARE(h.split(2), QStringList(4));
    QCOMPARE(h.zeit(1), u"0,00"_s);
    QVERIFY(!h.button("sbCLS")->isEnabled());
    QVERIFY(h.button("sbLoad")->isEnabled());
}

void tst_ProtocolTables::rowsCannotBeRemovedOrClearedDuringARun()
{
    Host h;
    h.run(u"1"_s, 10000);
    h.run(u"2"_s, 11000);
    h.tables->setConfirmation([](const QString &) { return true; });
    h.tables->setTablesEnabled(false);
    h.tables->OpenProtocolRow(u"2"_s);
    h.tables->SortGrid1->setSelection({3, 1, 3, 1});
    h.tables->Erase1Click();
    h.tables->sbCLSClick();
    QCOMPARE(h.dataRows(), 2);
    h.tables->StoreRunSplits(11500, {0, 0, 0, 11500});
    QCOMPARE(finals(h.tables->splitBlock(2)).mid(1, 2), (QStringList{u"11,00"_s, u"11,50"_s}));
    QCOMPARE(finals(h.tables->splitBlock(1)).mid(1, 2), (QStringList{u"10,00"_s, {}}));
}

void tst_ProtocolTables::clearingAsksFirst()
{
    Host h;
    h.run(u"1"_s, 10000);
    h.run(u"2"_s, 11000);
    QSignalSpy cleared(h.tables, &TProtocolTables::protocolCleared);

    // Without a way to ask, nothing is cleared.
    h.tables->sbCLSClick();
    QCOMPARE(h.dataRows(), 2);

    TFDlgYesNo dialog(u"Tavrin"_s, &h.window);
    QString asked;
    int answer = 0;
    h.tables->setConfirmation([&](const QString &question) {
        dialog.setQuestion(question);
        asked = question;
        answer = runModal(dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
        return answer == QDialog::Accepted;
    });
    h.tables->sbCLSClick();
    QCOMPARE(asked, u"Zeitenprotokoll  löschen?"_s);
    QCOMPARE(answer, int(QDialog::Rejected));
    QCOMPARE(h.dataRows(), 2);
    QCOMPARE(h.tables->SortGridTmp->rowCount(), 12);
    QCOMPARE(h.split(2)[3], u"11,00"_s);
    QCOMPARE(cleared.count(), 0);

    h.tables->setConfirmation([](const QString &) { return true; });
    h.tables->sbCLSClick();
    QCOMPARE(h.dataRows(), 1);
    QCOMPARE(h.tables->SortGrid1->rows(1), QStringList(4));
    QCOMPARE(h.tables->SortGridTmp->rowCount(), 6);
    QCOMPARE(h.tables->splitBlock(1), SplitBlock{});
    QCOMPARE(h.tables->SortGridRes->rows(0)[0], u"5 m"_s);
    for (int row = 1; row <= 6; ++row)
        QCOMPARE(h.split(row), QStringList(4));
    QCOMPARE(cleared.count(), 1);
    QVERIFY(!h.button("sbSave")->isEnabled());
}

void tst_ProtocolTables::clearedProtocolStartsNewBlocksEmpty()
{
    Host h;
    h.run(u"1"_s, 10000);
    h.run(u"2"_s, 11000);
    h.run(u"2"_s, 11500);
    h.tables->setConfirmation([](const QString &) { return true; });
    h.tables->sbCLSClick();

    h.run(u"8"_s, 9000);
    h.run(u"9"_s, 9500);
    QCOMPARE(h.nr(2), u"9"_s);
    QCOMPARE(finals(h.tables->splitBlock(2)).mid(1, 2), (QStringList{u"9,50"_s, {}}));
    QCOMPARE(h.zeit(2), u"9,50"_s);
}

void tst_ProtocolTables::buttonsFollowTheFirstStartNumber()
{
    Host h;
    for (QWidget *button : std::as_const(h.buttons))
        QCOMPARE(button->isEnabled(), button->objectName() == u"sbLoad"_s);
    h.run(u"1"_s, 10000);
    h.tables->UpdateProtocolButtons();
    for (QWidget *button : std::as_const(h.buttons))
        QVERIFY(button->isEnabled());

    h.run(u"2"_s, 11000);
    h.tables->SortGrid1->setCells(0, 1, QString());
    // The popup menu checks the buttons as it opens.
    Q_EMIT h.tables->PopupMenuProtokol->aboutToShow();
    QVERIFY(!h.tables->protocolButtonsEnabled());
    for (QWidget *button : std::as_const(h.buttons))
        QCOMPARE(button->isEnabled(), button->objectName() == u"sbLoad"_s);
}

void tst_ProtocolTables::selectingACellChoosesEditingOrRowSelection()
{
    Host h;
    h.run(u"1"_s, 10000);
    h.run(u"2"_s, 11000);
    h.tables->SortGrid1->setCells(1, 1, u"Anna"_s);
    TSortGrid *grid = h.tables->SortGrid1;

    bool canSelect = true;
    h.tables->SortGrid1SelectCell(grid, 1, 1, canSelect);
    QVERIFY(canSelect);
    QVERIFY(grid->options().testFlag(TGridOption::goEditing));
    QVERIFY(!grid->options().testFlag(TGridOption::goRowSelect));
    QCOMPARE(h.tables->TabControl1->tabText(0), u"1) Anna"_s);
    QCOMPARE(h.split(2)[3], u"10,00"_s);

    h.tables->SortGrid1SelectCell(grid, 2, 2, canSelect);
    QVERIFY(!canSelect);
    QVERIFY(!grid->options().testFlag(TGridOption::goEditing));
    QVERIFY(grid->options().testFlag(TGridOption::goRowSelect));
    QCOMPARE(grid->row(), 2);
    QCOMPARE(grid->selection(), (TGridRect{0, 2, 3, 2}));
    QCOMPARE(h.split(2)[3], u"11,00"_s);
    QCOMPARE(h.tables->SortGridRes->row(), 3);

    // By mouse: a click on "Zeit" of row 1 selects that row and shows it.
    h.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.window));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(2, 1).center());
    QCOMPARE(grid->row(), 1);
    QCOMPARE(h.tables->shownRow(), 1);
    QCOMPARE(h.split(2)[3], u"10,00"_s);
}

void tst_ProtocolTables::startNumberChangeShowsItsRow()
{
    Host h;
    h.run(u"1"_s, 10000);
    h.run(u"2"_s, 11000);
    h.tables->StartNumberChanged(u"1"_s);
    QCOMPARE(h.tables->SortGrid1->row(), 1);
    QCOMPARE(h.split(2)[3], u"10,00"_s);
    h.tables->StartNumberChanged(u"3"_s);
    QCOMPARE(h.tables->SortGrid1->row(), 1);
    QCOMPARE(h.tables->shownRow(), 1);
    QCOMPARE(h.dataRows(), 2);
}

void tst_ProtocolTables::loadedTimeStandsUntilTheFirstAttempt()
{
    Host h;
    // As a file load leaves the protocol: rows with times, no attempts.
    h.tables->SortGrid1->setRowCount(3);
    h.tables->SortGrid1->setRows(1, {u"5"_s, u"Anna"_s, u"13,50"_s, u"1"_s});
    h.tables->SortGrid1->setRows(2, {u"6"_s, u"Ben"_s, {}, {}});
    h.tables->setLoadedTime(1, u"13,50"_s);
    h.select(2);
    h.select(1);
    QCOMPARE(h.zeit(1), u"13,50"_s);
    QCOMPARE(h.zeit(2), u"0,00"_s);
    QCOMPARE(h.split(1)[3], u"0,00"_s);

    h.run(u"5"_s, 12000);
    QCOMPARE(h.zeit(1), u"12,00"_s);
    h.tables->SortGridRes->setSelection({0, 2, 3, 2});
    h.tables->Zeileentfernen2Click();
    QCOMPARE(h.zeit(1), u"13,50"_s);
    QCOMPARE(h.tables->SortGrid1->rows(1).size(), 4);
}

void tst_ProtocolTables::distancesChangeOnlyTheHeader()
{
    Host h;
    QCOMPARE(h.split(0), (QStringList{u"5 m"_s, u"10 m"_s, u"15 m"_s, u"30 m"_s}));
    h.run(u"1"_s, 10000, {1000, 2000, 3000});
    const QStringList means = h.split(1);
    const SplitBlock stored = h.tables->splitBlock(1);
    h.tables->FillSplitHeader(6, 12, 20, 40);
    QCOMPARE(h.split(0), (QStringList{u"6 m"_s, u"12 m"_s, u"20 m"_s, u"40 m"_s}));
    QCOMPARE(h.split(1), means);
    QCOMPARE(h.tables->splitBlock(1), stored);
    QCOMPARE(h.zeit(1), u"10,00"_s);
}

void tst_ProtocolTables::columnsFollowTheClientWidth()
{
    Host h;
    h.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.window));
    for (int width : {300, 451}) {
        h.tables->SortGrid1->resize(width, 200);
        h.tables->TabControl1->resize(width - 30, 220);
        h.tables->LayoutColumns();
        TSortGrid *grid = h.tables->SortGrid1;
        const int client = grid->viewport()->width();
        QCOMPARE(grid->colWidths(0), 28);
        QCOMPARE(grid->colWidths(1), client - 142);
        QCOMPARE(grid->colWidths(2), 60);
        QCOMPARE(grid->colWidths(3), 50);
        TMyStringGrid *split = h.tables->SortGridRes;
        const int splitClient = split->viewport()->width();
        QCOMPARE(split->colWidths(0), splitClient / 4);
        QCOMPARE(split->colWidths(1), splitClient / 4);
        QCOMPARE(split->colWidths(2), splitClient / 4);
        QCOMPARE(split->colWidths(3), splitClient - 3 * (splitClient / 4) - 4);
    }
}

void tst_ProtocolTables::splitCellsAreDrawnRightTopAndStruckWhenExcluded()
{
    Host h;
    for (qint32 t : {10000, 11000, 12000, 12000, 9000})
        h.run(u"1"_s, t);
    QCOMPARE(h.tables->excludedRow(), 5);
    h.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.window));
    h.tables->LayoutColumns();
    TMyStringGrid *split = h.tables->SortGridRes;
    // Keep the selection away from the rows compared.
    split->setSelection({0, 2, 3, 2});
    const QImage img = split->viewport()->grab().toImage();

    const QRect plainCell = split->cellRect(3, 4);
    const QRect struckCell = split->cellRect(3, 5);
    QCOMPARE(split->cells(3, 4), split->cells(3, 5));
    const QRect plain = inkBounds(img, plainCell);
    const QRect struck = inkBounds(img, struckCell);
    QVERIFY(!plain.isEmpty());
    // Right-aligned 3 pixels from the edge (a glyph's own side bearing aside), top-aligned.
    QVERIFY2(plainCell.right() - plain.right() >= 3 && plainCell.right() - plain.right() <= 5,
             qPrintable(QString::number(plainCell.right() - plain.right())));
    QVERIFY(plain.top() - plainCell.top() <= 4);
    // Same text; the struck cell adds a line through it, at least as wide as the text.
    const QRect struckAtPlain = struck.translated(0, plainCell.top() - struckCell.top());
    QVERIFY(struckAtPlain.contains(plain));
    QVERIFY(img.copy(plainCell) != img.copy(struckCell));
    int longestRun = 0;
    for (int y = struck.top(); y <= struck.bottom(); ++y) {
        int run = 0;
        for (int x = struck.left(); x <= struck.right(); ++x) {
            run = qGray(img.pixel(x, y)) < 110 ? run + 1 : 0;
            longestRun = std::max(longestRun, run);
        }
    }
    QVERIFY(longestRun >= plain.width() - 1);
}

void tst_ProtocolTables::cellFormatAlignsHeaderAndName()
{
    Host h;
    const auto alignment = [&](int col, int row) {
        return h.tables->SortGrid1->cellFormat(col, row, {}).AlignmentHorz;
    };
    QCOMPARE(alignment(1, 0), TAlignment::taCenter);
    QCOMPARE(alignment(2, 0), TAlignment::taCenter);
    QCOMPARE(alignment(1, 1), TAlignment::taLeftJustify);
    QCOMPARE(alignment(0, 1), TAlignment::taRightJustify);
    QCOMPARE(alignment(3, 1), TAlignment::taRightJustify);
    QCOMPARE(h.tables->SortGrid1->cellFormat(0, 1, {}).AlignmentVert, TVertAlignment::taMiddle);
}

void tst_ProtocolTables::popupMenusActOnTheirGrid()
{
    Host h;
    h.run(u"1"_s, 10000);
    h.run(u"1"_s, 11000);
    h.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.window));
    TMyStringGrid *split = h.tables->SortGridRes;
    QTest::mouseClick(split->viewport(), Qt::LeftButton, {}, split->cellRect(0, 2).center());
    const QPoint at = split->cellRect(0, 2).center();
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, split->viewport()->mapToGlobal(at));
    QApplication::sendEvent(split->viewport(), &menuEvent);
    QVERIFY(h.tables->PopupMenu2->isVisible());
    h.tables->PopupMenu2->hide();
    h.tables->Zeileentfernen2->trigger();
    QCOMPARE(h.split(2), QStringList(4));
    QCOMPARE(h.zeit(1), u"11,00"_s);

    h.run(u"2"_s, 12000);
    h.select(1);
    h.tables->Erase1->trigger();
    QCOMPARE(h.dataRows(), 1);
    QCOMPARE(h.nr(1), u"2"_s);
}

void tst_ProtocolTables::typingAStartNumberEnablesTheButtons()
{
    Host h;
    h.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.window));
    TSortGrid *grid = h.tables->SortGrid1;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(0, 1).center());
    QVERIFY(grid->options().testFlag(TGridOption::goEditing));
    QVERIFY(!h.button("sbSave")->isEnabled());
    // The first key opens the cell editor, which takes the rest.
    QTest::keyClick(grid, Qt::Key_1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(h.nr(1), u"12"_s);
    QVERIFY(h.button("sbSave")->isEnabled());
}

void tst_ProtocolTables::newRowsAreScrolledIntoView()
{
    Host h;
    h.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.window));
    TSortGrid *grid = h.tables->SortGrid1;
    for (int nr = 1; nr <= 40; ++nr) {
        h.run(QString::number(nr), 9000 + nr);
        QCOMPARE(grid->row(), nr);
        QVERIFY(nr >= grid->topRow() && nr < grid->topRow() + grid->visibleRowCount());
    }
    QCOMPARE(h.tables->SortGridTmp->rowCount(), 240);
    QCOMPARE(finals(h.tables->splitBlock(40))[1], u"9,04"_s);
    h.tables->StartNumberChanged(u"2"_s);
    QVERIFY(grid->topRow() <= 2);
}

QTEST_MAIN(tst_ProtocolTables)
#include "tst_ProtocolTables.moc"
