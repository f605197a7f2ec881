#include "controls/MyGrids.h"

#include <QLineEdit>
#include <QPainter>
#include <QTest>

#include <map>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Shaped like the program's split table: 4 columns, 7 rows of which 2 fixed.
std::unique_ptr<TMyStringGrid> splitGrid()
{
    auto g = std::make_unique<TMyStringGrid>();
    g->setColCount(4);
    g->setRowCount(7);
    g->setFixedCols(0);
    g->setFixedRows(2);
    g->setDefaultRowHeight(20);
    g->setOptions(g->options() | TGridOption::goRowSelect);
    g->setScrollBars(TScrollStyle::ssNone);
    g->resize(280, 170);
    g->show();
    return g;
}

} // namespace

class TestMyGrids : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void classicStartValues()
    {
        TMyStringGrid g;
        QCOMPARE(g.colCount(), 5);
        QCOMPARE(g.rowCount(), 5);
        QCOMPARE(g.fixedCols(), 1);
        QCOMPARE(g.fixedRows(), 1);
        QCOMPARE(g.defaultColWidth(), 64);
        QCOMPARE(g.defaultRowHeight(), 24);
        QCOMPARE(g.col(), 1);
        QCOMPARE(g.row(), 1);
        QCOMPARE(g.selection(), (TGridRect{1, 1, 1, 1}));
        QCOMPARE(g.scrollBars(), TScrollStyle::ssBoth);
    }

    void drawCellGetsThePreparedBrush()
    {
        auto g = splitGrid();
        g->setSelection({0, 3, 3, 3});
        std::map<int, QColor> brushOfRow;
        std::map<int, TGridDrawState> stateOfRow;
        g->OnDrawCell = [&](QObject *, QPainter &canvas, int c, int r, const QRect &,
                            TGridDrawState s) {
            if (c == 1) {
                brushOfRow[r] = canvas.brush().color();
                stateOfRow[r] = s;
            }
        };
        g->viewport()->grab();
        const QPalette &pal = g->palette();
        QCOMPARE(brushOfRow.at(0), toQColor(clBtnFace, pal));
        QCOMPARE(brushOfRow.at(1), toQColor(clBtnFace, pal));
        QVERIFY(stateOfRow.at(1).testFlag(TGridDrawStateItem::gdFixed));
        QCOMPARE(brushOfRow.at(3), toQColor(clHighlight, pal));
        QVERIFY(stateOfRow.at(3).testFlag(TGridDrawStateItem::gdSelected));
        QCOMPARE(brushOfRow.at(4), toQColor(clWindow, pal));
        QVERIFY(!stateOfRow.at(4));
    }

    void keysMoveTheCurrentCell()
    {
        auto g = std::make_unique<TMyStringGrid>();
        g->setColCount(5);
        g->setRowCount(30);
        g->resize(300, 200);
        g->show();
        g->setFocus();
        g->setColWidths(2, -1);
        QTest::keyClick(g.get(), Qt::Key_Right);
        QCOMPARE(g->col(), 3); // the hidden column is skipped
        QTest::keyClick(g.get(), Qt::Key_Left);
        QCOMPARE(g->col(), 1);
        QTest::keyClick(g.get(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(g->row(), 29);
        QCOMPARE(g->col(), 4);
        QVERIFY(g->topRow() > 1);
        QTest::keyClick(g.get(), Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(g->row(), 1);
        QCOMPARE(g->topRow(), 1);
        // Shift extends the range from the anchor.
        QTest::keyClick(g.get(), Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(g.get(), Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(g->selection(), (TGridRect{1, 1, 3, 2}));
        QTest::keyClick(g.get(), Qt::Key_Up);
        QCOMPARE(g->selection(), (TGridRect{3, 1, 3, 1}));
    }

    void editorStoresOrCancels()
    {
        auto g = splitGrid();
        g->setOptions(g->options() | TGridOption::goEditing);
        g->setFocus();
        g->setCol(0);
        QCOMPARE(g->row(), 2); // the first row below the fixed ones
        g->setCells(0, 2, u"1,05"_s);
        QTest::keyClick(g.get(), Qt::Key_F2);
        auto *editor = g->findChild<QLineEdit *>(u"InplaceEditor"_s);
        QVERIFY(editor && editor->isVisible());
        QCOMPARE(editor->geometry(), g->cellRect(0, 2));
        QCOMPARE(editor->text(), u"1,05"_s);
        editor->setText(u"9,99"_s);
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(!g->editorMode());
        QCOMPARE(g->cells(0, 2), u"1,05"_s);
        QTest::keyClicks(g.get(), u"2"_s);
        QCOMPARE(editor->text(), u"2"_s);
        // Moving to another row stores what was typed.
        QTest::keyClick(editor, Qt::Key_Down);
        QCOMPARE(g->cells(0, 2), u"2"_s);
        QCOMPARE(g->row(), 3);
        QVERIFY(!g->editorMode());
    }

    void texts()
    {
        TMyStringGrid g;
        g.setColCount(3);
        g.setRows(1, {u"a"_s, u"b"_s, u"c"_s, u"beyond"_s});
        QCOMPARE(g.rows(1), (QStringList{u"a"_s, u"b"_s, u"c"_s}));
        QCOMPARE(g.cells(3, 1), QString()); // only ColCount texts are taken
        g.setColCount(2);
        QCOMPARE(g.rows(1), (QStringList{u"a"_s, u"b"_s}));
        g.setColCount(3);
        QCOMPARE(g.cells(2, 1), u"c"_s);
        g.setCols(0, {u"x"_s});
        QCOMPARE(g.cols(0), (QStringList{u"x"_s, {}, {}, {}, {}}));
    }
};

QTEST_MAIN(TestMyGrids)
#include "tst_MyGrids.moc"
