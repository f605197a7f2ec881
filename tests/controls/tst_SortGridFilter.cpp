// Filtering and multi-selection of the sortable grid.
#include "controls/SortGrid.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Column 0: the row's number as text, column 1: "even" or "odd".
std::unique_ptr<TSortGrid> numberedGrid(int dataRows)
{
    auto g = std::make_unique<TSortGrid>();
    g->setColCount(2);
    g->setRowCount(dataRows + 1);
    g->setRows(0, {u"Nr."_s, u"Art"_s});
    for (int r = 1; r <= dataRows; ++r)
        g->setRows(r, {QString::number(r), r % 2 ? u"odd"_s : u"even"_s});
    g->resize(300, 400);
    g->show();
    return g;
}

QStringList visibleNumbers(const TSortGrid &g)
{
    QStringList texts = g.cols(0);
    texts.removeFirst();
    return texts;
}

QPoint centre(const TSortGrid &g, int row)
{
    return g.cellRect(0, row).center();
}

} // namespace

class TestSortGridFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void filterHidesRowsAndBringsThemBack()
    {
        auto g = numberedGrid(5);
        TSortOptions o = g->sortOptions();
        o.CanSort = false;
        g->setSortOptions(o);
        g->OnSetFilter = [](const QStringList &row, bool &accept) { accept = row[1] == u"odd"_s; };
        g->setModified(false);
        QSignalSpy modified(g.get(), &TSortGrid::modified);
        g->setFiltered(true);
        QCOMPARE(visibleNumbers(*g), (QStringList{u"1"_s, u"3"_s, u"5"_s}));
        QCOMPARE(g->hiddenRowCount(), 2);
        QCOMPARE(g->row(), 1);
        QCOMPARE(g->col(), 0);
        // Hidden rows wait below the row count in their old order, and can be found.
        QCOMPARE(g->cells(0, 4), u"2"_s);
        QCOMPARE(g->cells(0, 5), u"4"_s);
        QCOMPARE(g->FindRow(0, u"4"_s, false), 5);
        QVERIFY(!g->nowUpdating());
        QVERIFY(!g->isModified());
        QCOMPARE(modified.count(), 0);

        g->setFiltered(false);
        QCOMPARE(visibleNumbers(*g), (QStringList{u"1"_s, u"3"_s, u"5"_s, u"2"_s, u"4"_s}));
        QCOMPARE(g->hiddenRowCount(), 0);
        QVERIFY(!g->isModified());
    }

    void filterSortsWhatItShows()
    {
        auto g = numberedGrid(6);
        TSortOptions o = g->sortOptions();
        o.SortDirection = TSortDirection::sdDescending;
        o.SortStyle = TSortStyle::ssNumeric;
        g->setSortOptions(o);
        g->OnSetFilter = [](const QStringList &row, bool &accept) { accept = row[1] == u"even"_s; };
        g->setFiltered(true);
        QCOMPARE(visibleNumbers(*g), (QStringList{u"6"_s, u"4"_s, u"2"_s}));
        g->setFiltered(false);
        QCOMPARE(visibleNumbers(*g), (QStringList{u"6"_s, u"5"_s, u"4"_s, u"3"_s, u"2"_s, u"1"_s}));

        // Filtering again starts from all rows, so none is lost.
        g->setFiltered(true);
        g->OnSetFilter = [](const QStringList &row, bool &accept) { accept = row[0] == u"1"_s; };
        g->setFiltered(true);
        QCOMPARE(visibleNumbers(*g), QStringList{u"1"_s});
        QCOMPARE(g->hiddenRowCount(), 5);
        g->setFiltered(false);
        QCOMPARE(g->rowCount(), 7);
    }

    void filterAcceptingNothingLeavesOneEmptyRow()
    {
        auto g = numberedGrid(3);
        TSortOptions o = g->sortOptions();
        o.CanSort = false;
        g->setSortOptions(o);
        // Old texts below the grid must not come up as the empty row.
        g->setCells(0, 4, u"stale"_s);
        g->setModified(true);
        g->OnSetFilter = [](const QStringList &, bool &accept) { accept = false; };
        g->setFiltered(true);
        QCOMPARE(g->rowCount(), 2);
        QVERIFY(g->IsRowEmpty(1));
        QCOMPARE(g->hiddenRowCount(), 3);
        QCOMPARE(g->FindRow(0, u"3"_s, false), 4);
        QVERIFY(g->isModified());

        g->setFiltered(false);
        QCOMPARE(visibleNumbers(*g), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
        QCOMPARE(g->cells(0, 4), u"stale"_s);
    }

    void filterWithoutHandlerHidesEveryRow()
    {
        auto g = numberedGrid(3);
        g->setFiltered(true);
        QCOMPARE(g->rowCount(), 2);
        QVERIFY(g->IsRowEmpty(1));
        g->setFiltered(false);
        QCOMPARE(visibleNumbers(*g), (QStringList{u"1"_s, u"2"_s, u"3"_s}));
    }

    void filterOnEmptyFirstRowDoesNothing()
    {
        auto g = numberedGrid(3);
        g->setRows(1, {{}, {}});
        int asked = 0;
        g->OnSetFilter = [&](const QStringList &, bool &) { ++asked; };
        g->setFiltered(true);
        QVERIFY(g->filtered());
        QCOMPARE(asked, 0);
        QCOMPARE(g->rowCount(), 4);
        QCOMPARE(g->hiddenRowCount(), 0);
    }

    void ctrlClicksAddAndRemoveRows()
    {
        auto g = numberedGrid(5);
        g->setMultiSelect(true);
        QVERIFY(g->options().testFlag(TGridOption::goRowSelect));
        QWidget *vp = g->viewport();
        QSignalSpy selected(g.get(), &TSortGrid::rowSelected);

        QTest::mouseClick(vp, Qt::LeftButton, {}, centre(*g, 2));
        QCOMPARE(g->selectedRows(), QList<int>{2});
        QCOMPARE(g->row(), 2);
        // Ctrl+click on the only selected row keeps it.
        QTest::mouseClick(vp, Qt::LeftButton, Qt::ControlModifier, centre(*g, 2));
        QCOMPARE(g->selectedRows(), QList<int>{2});
        QTest::mouseClick(vp, Qt::LeftButton, Qt::ControlModifier, centre(*g, 4));
        QCOMPARE(g->selectedRows(), (QList<int>{2, 4}));
        QCOMPARE(g->row(), 4);
        // On one of two it takes it out; the last anchor becomes current.
        QTest::mouseClick(vp, Qt::LeftButton, Qt::ControlModifier, centre(*g, 4));
        QCOMPARE(g->selectedRows(), QList<int>{2});
        QCOMPARE(g->row(), 2);
        QVERIFY(selected.count() >= 4);

        // A plain click on a selected row keeps the rest until it is released.
        QTest::mouseClick(vp, Qt::LeftButton, Qt::ControlModifier, centre(*g, 5));
        QTest::mousePress(vp, Qt::LeftButton, {}, centre(*g, 5));
        QCOMPARE(g->selectedRows(), (QList<int>{2, 5}));
        QTest::mouseRelease(vp, Qt::LeftButton, {}, centre(*g, 5));
        QCOMPARE(g->selectedRows(), QList<int>{5});
    }

    void clickOnAHalfShownRowSelectsThatRow()
    {
        auto g = numberedGrid(30);
        g->setMultiSelect(true);
        const int last = g->topRow() + g->visibleRowCount();
        const QRect half = g->cellRect(0, last);
        QVERIFY(!half.isEmpty());
        QVERIFY(half.bottom() >= g->viewport()->height());
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                          QPoint(half.center().x(), half.top() + 2));
        QCOMPARE(g->selectedRows(), QList<int>{last});
        QCOMPARE(g->row(), last);
    }

    void shiftSelectsARange()
    {
        auto g = numberedGrid(6);
        g->setMultiSelect(true);
        g->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(g.get()));
        g->setFocus();
        QWidget *vp = g->viewport();
        QTest::mouseClick(vp, Qt::LeftButton, {}, centre(*g, 2));

        QSignalSpy selected(g.get(), &TSortGrid::rowSelected);
        QTest::keyPress(g.get(), Qt::Key_Shift, Qt::ShiftModifier);
        QTest::mouseClick(vp, Qt::LeftButton, Qt::ShiftModifier, centre(*g, 4));
        QTest::keyRelease(g.get(), Qt::Key_Shift);
        QCOMPARE(g->selectedRows(), (QList<int>{2, 3, 4}));

        // Keys: Shift+Down twice from row 4 extends the range that began at 2,
        // without row events from the moves.
        selected.clear();
        QTest::keyPress(g.get(), Qt::Key_Shift, Qt::ShiftModifier);
        QTest::keyClick(g.get(), Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(g.get(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(g->row(), 6);
        QTest::keyRelease(g.get(), Qt::Key_Shift);
        QCOMPARE(g->selectedRows(), (QList<int>{2, 3, 4, 5, 6}));
        // One event per key release, none from the moves: QTest wraps each
        // click in a Shift press and release, so five releases in all.
        QCOMPARE(selected.count(), 5);

        // A navigation key alone selects the one row it reaches.
        QTest::keyClick(g.get(), Qt::Key_Up);
        QCOMPARE(g->selectedRows(), QList<int>{5});
        QVERIFY(!g->options().testFlag(TGridOption::goRangeSelect));
    }

    void selectedRowsArePaintedAndDragged()
    {
        auto g = numberedGrid(4);
        g->setMultiSelect(true);
        QWidget *vp = g->viewport();
        QTest::mouseClick(vp, Qt::LeftButton, {}, centre(*g, 1));
        QTest::mouseClick(vp, Qt::LeftButton, Qt::ControlModifier, centre(*g, 3));
        const QImage img = vp->grab().toImage();
        const QColor highlight = g->palette().color(QPalette::Highlight);
        const auto at = [&](int row) {
            const QRect r = g->cellRect(1, row);
            return img.pixelColor(r.right() - 3, r.top() + 3);
        };
        QCOMPARE(at(1), highlight);
        QCOMPARE(at(3), highlight);
        QVERIFY(at(2) != highlight);

        // With editing on, the rows are drawn as plain cells.
        g->setOptions(g->options() | TGridOption::goEditing);
        const QImage editing = vp->grab().toImage();
        const QRect r = g->cellRect(1, 1);
        QVERIFY(editing.pixelColor(r.right() - 3, r.top() + 3) != highlight);
    }
};

QTEST_MAIN(TestSortGridFilter)
#include "tst_SortGridFilter.moc"
