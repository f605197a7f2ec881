#include "controls/SortGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A grid shaped like the program's protocol: "Nr.", "Name", "Zeit", "Platz".
std::unique_ptr<TSortGrid> protocolGrid(int dataRows)
{
    auto g = std::make_unique<TSortGrid>();
    QFont f(u"Arial"_s);
    f.setPixelSize(16);
    f.setBold(true);
    g->setFont(f);
    g->setColCount(4);
    g->setRowCount(dataRows + 1);
    g->setDefaultRowHeight(19);
    g->setColWidths(0, 40);
    g->setColWidths(1, 120);
    g->setColWidths(2, 60);
    g->setColWidths(3, 50);
    g->setScrollBars(TScrollStyle::ssVertical);
    const QStringList header{u"Nr."_s, u"Name"_s, u"Zeit"_s, u"Platz"_s};
    g->setRows(0, header);
    for (int r = 1; r <= dataRows; ++r)
        g->setRows(r, {QString::number(r), u"Name %1"_s.arg(r), u"1%1,00"_s.arg(r % 10), {}});
    g->resize(300, 200);
    g->show();
    return g;
}

QPoint cellCentre(const TMyCustomGrid &g, int col, int row)
{
    return g.cellRect(col, row).center();
}

void sendWheel(TSortGrid &g, int angle)
{
    const QPointF pos = g.viewport()->rect().center();
    QWheelEvent ev(pos, g.viewport()->mapToGlobal(pos), QPoint(), QPoint(0, angle), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(g.viewport(), &ev);
}

// Columns of `img` inside `rect` that hold a pixel darker than mid grey.
std::pair<int, int> inkSpan(const QImage &img, const QRect &rect)
{
    int first = -1;
    int last = -1;
    for (int x = rect.left(); x <= rect.right(); ++x) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            if (qGray(img.pixel(x, y)) < 100) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

QImage renderViewport(TSortGrid &g)
{
    return g.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestSortGrid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void constructionValues()
    {
        TSortGrid g;
        QCOMPARE(g.fixedRows(), 1);
        QCOMPARE(g.fixedCols(), 0);
        QVERIFY(g.sortOptions().CanSort);
        QCOMPARE(g.sortOptions().SortStyle, TSortStyle::ssNormal);
        QCOMPARE(g.sortOptions().SortCol, 0);
        QCOMPARE(g.sortOptions().SortDirection, TSortDirection::sdAscending);
        QVERIFY(!g.sortOptions().UpdateOnSizeChange);
        QCOMPARE(g.printOptions().Copies, 1u);
        QVERIFY(!g.hideRows() && !g.filtered() && !g.multiSelect() && !g.extendedKeys());
        QCOMPARE(g.alignmentHorz(), TAlignment::taLeftJustify);
        QCOMPARE(g.alignmentVert(), TVertAlignment::taTopJustify);
        QCOMPARE(g.bevelStyle(), TCellBevelStyle::cbNone);
        QVERIFY(!g.isModified());
        QVERIFY(!g.nowUpdating());
        QCOMPARE(g.popupMenu(), nullptr);
        QCOMPARE(g.selectedRows(), QList<int>{g.row()});
        QVERIFY(g.options().testFlag(TGridOption::goRangeSelect));
        QVERIFY(!g.options().testFlag(TGridOption::goEditing));
        // Published properties are reachable by name.
        QVERIFY(g.setProperty("rowCount", 7));
        QCOMPARE(g.rowCount(), 7);
        QCOMPARE(g.property("nowUpdating").toBool(), false);
    }

    void headerClicksOnlyFlipTheDirectionWhenSortingIsOff()
    {
        auto g = protocolGrid(3);
        TSortOptions o = g->sortOptions();
        o.CanSort = false;
        o.SortCol = 2;
        g->setSortOptions(o);
        const QStringList before = g->cols(1);
        QWidget *vp = g->viewport();
        const auto click = [&](int col, Qt::MouseButton button) {
            QTest::mouseClick(vp, button, {}, cellCentre(*g, col, 0));
            return g->sortOptions().SortDirection;
        };
        using enum TSortDirection;
        QCOMPARE(click(2, Qt::LeftButton), sdDescending);
        QCOMPARE(click(2, Qt::LeftButton), sdAscending);
        QCOMPARE(click(2, Qt::LeftButton), sdDescending);
        QCOMPARE(click(1, Qt::LeftButton), sdAscending);
        QCOMPARE(click(1, Qt::LeftButton), sdAscending); // SortCol is still 2
        QCOMPARE(click(1, Qt::RightButton), sdDescending);
        QCOMPARE(click(2, Qt::RightButton), sdDescending);
        QCOMPARE(g->sortOptions().SortCol, 2);
        // The 5 pixels at a column's borders belong to sizing, not to clicks.
        const QRect zeit = g->cellRect(2, 0);
        QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(zeit.left() + 3, zeit.center().y()));
        QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(zeit.right() - 3, zeit.center().y()));
        QCOMPARE(g->sortOptions().SortDirection, sdDescending);
        g->SortRows(1);
        QCOMPARE(g->sortOptions().SortCol, 2);
        QCOMPARE(g->cols(1), before);
    }

    void deleteRow()
    {
        auto g = protocolGrid(1);
        QSignalSpy deleted(g.get(), &TSortGrid::rowDelete);
        QSignalSpy modified(g.get(), &TSortGrid::modified);
        g->DeleteRow(1);
        QCOMPARE(g->rowCount(), 2);
        QVERIFY(g->IsRowEmpty(1));
        QCOMPARE(g->cells(1, 0), u"Name"_s);
        QVERIFY(g->isModified());
        QVERIFY(modified.count() >= 1);
        QCOMPARE(deleted.count(), 1);
        QCOMPARE(deleted.first().first().toInt(), 1);

        auto h = protocolGrid(4);
        h->DeleteRow(2);
        QCOMPARE(h->rowCount(), 4);
        QCOMPARE(h->cols(0), (QStringList{u"Nr."_s, u"1"_s, u"3"_s, u"4"_s}));
        // A deleted row is gone for good: growing again shows an empty row.
        h->setRowCount(5);
        QVERIFY(h->IsRowEmpty(4));
    }

    void insertRow()
    {
        auto g = protocolGrid(3);
        QSignalSpy inserted(g.get(), &TSortGrid::rowInsert);
        g->InsertRow(3); // the last row: the new one follows it
        QCOMPARE(g->rowCount(), 5);
        QCOMPARE(g->cols(0), (QStringList{u"Nr."_s, u"1"_s, u"2"_s, u"3"_s, {}}));
        QCOMPARE(g->row(), 4);
        g->InsertRow(2); // any other row: the new one comes before it
        QCOMPARE(g->cols(0), (QStringList{u"Nr."_s, u"1"_s, {}, u"2"_s, u"3"_s, {}}));
        QCOMPARE(g->cols(1).at(3), u"Name 2"_s);
        QCOMPARE(g->row(), 2);
        QCOMPARE(g->selectedRows(), QList<int>{2});
        QCOMPARE(inserted.count(), 2);
        QCOMPARE(inserted.at(0).first().toInt(), 4);
        QCOMPARE(inserted.at(1).first().toInt(), 2);
    }

    void insertAndDeleteColumns()
    {
        auto g = protocolGrid(2);
        QSignalSpy inserted(g.get(), &TSortGrid::columnInsert);
        QSignalSpy deleted(g.get(), &TSortGrid::columnDelete);
        g->InsertColumn(1);
        QCOMPARE(g->colCount(), 5);
        QCOMPARE(g->rows(0), (QStringList{u"Nr."_s, {}, u"Name"_s, u"Zeit"_s, u"Platz"_s}));
        QCOMPARE(g->col(), 1);
        g->DeleteColumn(3);
        QCOMPARE(g->rows(1), (QStringList{u"1"_s, {}, u"Name 1"_s, {}}));
        g->setColCount(5);
        QCOMPARE(g->cells(4, 0), QString()); // the deleted "Zeit" does not come back
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted.first().first().toInt(), 1);
        QCOMPARE(deleted.count(), 1);
        QCOMPARE(deleted.first().first().toInt(), 3);
        // Exchanging rows swaps their texts and keeps the rest.
        g->ExchangeRows(1, 2);
        QCOMPARE(g->cols(0), (QStringList{u"Nr."_s, u"2"_s, u"1"_s}));
        g->ExchangeRows(2, 1);
        QCOMPARE(g->cols(0), (QStringList{u"Nr."_s, u"1"_s, u"2"_s}));
    }

    void exchangeRowsChecksBothIndexes_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<bool>("swaps");
        QTest::newRow("two data rows") << 1 << 3 << true;
        QTest::newRow("header and a data row") << 0 << 2 << true;
        QTest::newRow("first index below the rows") << -1 << 2 << false;
        QTest::newRow("second index below the rows") << 1 << -1 << false;
        QTest::newRow("first index past the rows") << 4 << 1 << false;
        QTest::newRow("second index past the rows") << 2 << 4 << false;
        QTest::newRow("both past the rows") << 5 << 4 << false;
    }

    void exchangeRowsChecksBothIndexes()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(bool, swaps);
        auto g = protocolGrid(3);
        QList<QStringList> expected;
        for (int r = 0; r < g->rowCount(); ++r)
            expected << g->rows(r);
        if (swaps)
            expected.swapItemsAt(a, b);
        g->ExchangeRows(a, b);
        for (int r = 0; r < g->rowCount(); ++r)
            QCOMPARE(g->rows(r), expected[r]);
    }

    void raisingRowCountSelectsTheFirstDataRowFirst()
    {
        auto g = protocolGrid(3);
        g->GoToCell(2, 3, true);
        QStringList log;
        g->OnSelectCell = [&](QObject *, int c, int r, bool &) {
            log << u"select %1 %2"_s.arg(c).arg(r);
        };
        connect(g.get(), &TSortGrid::rowSelected, this,
                [&] { log << u"rowSelected %1 %2"_s.arg(g->col()).arg(g->row()); });
        QSignalSpy sized(g.get(), &TSortGrid::sizeChanged);
        g->setRowCount(5);
        QCOMPARE(log, (QStringList{u"select 0 1"_s, u"rowSelected 0 1"_s}));
        QCOMPARE(g->col(), 0);
        QCOMPARE(g->row(), 1);
        QVERIFY(g->isModified());
        QCOMPARE(sized.count(), 1);
        QCOMPARE(sized.first().at(0).toInt(), 4);
        QCOMPARE(sized.first().at(1).toInt(), 4);
    }

    void refusedCellsAndEventOrder()
    {
        auto g = protocolGrid(5);
        g->setFocus();
        QStringList log;
        g->OnSelectCell = [&](QObject *, int, int r, bool &can) {
            log << u"select %1"_s.arg(r);
            can = r != 3;
        };
        connect(g.get(), &TSortGrid::rowSelected, this,
                [&] { log << u"rowSelected %1"_s.arg(g->row()); });
        g->setRow(3);
        QCOMPARE(g->row(), 1);
        QTest::keyClick(g.get(), Qt::Key_Down);
        QCOMPARE(g->row(), 2);
        QTest::keyClick(g.get(), Qt::Key_Down);
        QCOMPARE(g->row(), 2);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCentre(*g, 2, 4));
        QCOMPARE(g->row(), 4);
        QCOMPARE(log, (QStringList{u"select 3"_s, u"select 2"_s, u"rowSelected 2"_s, u"select 3"_s,
                                   u"select 4"_s, u"rowSelected 4"_s}));
    }

    void findRow()
    {
        auto g = protocolGrid(4);
        g->setCols(0, {u"Nr."_s, u"7"_s, {}, u"07"_s, u"Abc"_s});
        QCOMPARE(g->FindRow(0, u"7"_s, false), 1);
        QCOMPARE(g->FindRow(0, u"07"_s, false), 3);
        QCOMPARE(g->FindRow(0, {}, false), 2);
        QCOMPARE(g->FindRow(0, u"abc"_s, false), -1);
        QCOMPARE(g->FindRow(0, u"aBC"_s, true), 4);
        QCOMPARE(g->FindRow(0, u"Nr."_s, false), -1); // the header is no data row
        // Texts beyond RowCount stay stored but are no rows of the grid.
        g->setRowCount(4);
        QCOMPARE(g->FindRow(0, u"Abc"_s, false), -1);
        QCOMPARE(g->cells(0, 4), u"Abc"_s);
        g->setRowCount(5);
        QCOMPARE(g->FindRow(0, u"Abc"_s, false), 4);
    }

    void wheelMovesOneRowDownAndThreeUp()
    {
        auto g = protocolGrid(50);
        QCOMPARE(g->topRow(), 1);
        const int row = g->row();
        sendWheel(*g, 120); // up at the top: stays
        QCOMPARE(g->topRow(), 1);
        for (int i = 0; i < 5; ++i)
            sendWheel(*g, -120);
        QCOMPARE(g->topRow(), 6);
        sendWheel(*g, 120);
        QCOMPARE(g->topRow(), 3);
        sendWheel(*g, 120);
        QCOMPARE(g->topRow(), 1);
        QCOMPARE(g->row(), row);
        // Far down the view stops at the last page.
        for (int i = 0; i < 100; ++i)
            sendWheel(*g, -120);
        QCOMPARE(g->topRow(), g->rowCount() - g->visibleRowCount());
    }

    void lastColumnTakesTheRest()
    {
        auto g = protocolGrid(2);
        g->setScrollBars(TScrollStyle::ssNone);
        for (int c = 0; c < 4; ++c)
            g->setColWidths(c, 40);
        g->resize(400, 150);
        QCOMPARE(g->colWidths(3), 400 - 3 * 40 - 4 - 3);
        g->resize(300, 150);
        QCOMPARE(g->colWidths(3), 300 - 3 * 40 - 4 - 3);
        QCOMPARE(g->colWidths(0), 40);
        // Its right edge meets the grid's inner edge.
        const QRect last = g->cellRect(3, 1);
        QVERIFY(last.right() < g->viewport()->width());
        QVERIFY(last.right() >= g->viewport()->width() - 2);
    }

    void goToCellAndScrollToCell()
    {
        auto g = protocolGrid(60);
        const int visible = g->visibleRowCount();
        QVERIFY(visible > 3 && visible < 20);
        g->GoToCell(2, 30, true);
        QCOMPARE(g->col(), 2);
        QCOMPARE(g->row(), 30);
        QCOMPARE(g->topRow(), 29);
        QCOMPARE(g->selectedRows(), QList<int>{30});
        g->GoToCell(99, 999, true);
        QCOMPARE(g->col(), 3);
        QCOMPARE(g->row(), 60);
        QCOMPARE(g->topRow(), 61 - visible);
        // Without Scroll the cell is only brought into view, not placed second.
        g->GoToCell(1, 30, false);
        QCOMPARE(g->row(), 30);
        QCOMPARE(g->topRow(), 30);
        g->GoToCell(-5, -5, false);
        QCOMPARE(g->col(), 0);
        QCOMPARE(g->row(), 1);
        QCOMPARE(g->topRow(), 1);
        g->ScrollToCell(0, 40);
        QCOMPARE(g->topRow(), 39);
        QCOMPARE(g->row(), 1);
    }

    void updateBracket()
    {
        auto g = protocolGrid(3);
        TSortOptions o = g->sortOptions();
        o.UpdateOnSizeChange = true;
        g->setSortOptions(o);
        QSignalSpy began(g.get(), &TSortGrid::beginUpdate);
        QSignalSpy ended(g.get(), &TSortGrid::endUpdate);
        QSignalSpy sized(g.get(), &TSortGrid::sizeChanged);
        g->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(g.get()));
        g->setFocus();
        QVERIFY(g->hasFocus());
        g->BeginUpdate();
        QVERIFY(g->nowUpdating());
        QVERIFY(!g->isEnabled());
        QVERIFY(!g->sortOptions().UpdateOnSizeChange);
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        g->setRowCount(10);
        QCOMPARE(g->rowCount(), 10);
        QCOMPARE(sized.count(), 0);
        g->EndUpdate();
        QVERIFY(!g->nowUpdating());
        QVERIFY(g->isEnabled());
        QVERIFY(g->hasFocus());
        QVERIFY(g->sortOptions().UpdateOnSizeChange);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QCOMPARE(began.count(), 1);
        QCOMPARE(ended.count(), 1);
    }

    void paintingAlignsTextAndBlanksRowsInTheBracket()
    {
        auto g = protocolGrid(3);
        g->setCells(1, 1, u"88"_s);
        g->setCells(1, 2, u"88"_s);
        g->setSelection({0, 3, 3, 3});
        g->OnGetCellFormat = [](QObject *, int, int r, TGridDrawState, TFormatOptions &f, bool &,
                                bool &, bool &) {
            if (r == 2)
                f.AlignmentHorz = TAlignment::taRightJustify;
        };
        QImage img = renderViewport(*g);
        const QRect left = g->cellRect(1, 1);
        const QRect right = g->cellRect(1, 2);
        const int textWidth = QFontMetrics(g->font()).horizontalAdvance(u"88"_s);
        const auto [l0, l1] = inkSpan(img, left);
        QVERIFY2(l0 >= left.left() + 2 && l0 <= left.left() + 4,
                 qPrintable(QString::number(l0 - left.left())));
        const auto [r0, r1] = inkSpan(img, right);
        const int expectedStart = right.left() + right.width() - textWidth - 2;
        QVERIFY2(r0 >= expectedStart && r0 <= expectedStart + 2,
                 qPrintable(QString::number(r0 - expectedStart)));
        QVERIFY(r1 <= right.right() - 2);

        g->BeginUpdate();
        // The bracket keeps the screen still; let this one picture through.
        g->setUpdatesEnabled(true);
        img = renderViewport(*g);
        g->EndUpdate();
        // Data rows are window colour from the first cell to the right edge,
        // grid lines included; the header stays.
        const QRect row2(0, right.top(), img.width(), right.height());
        QCOMPARE(inkSpan(img, row2).first, -1);
        const QColor window = toQColor(clWindow, g->palette());
        for (int x = 0; x < img.width(); ++x) {
            QCOMPARE(QColor(img.pixel(x, right.center().y())), window);
            QCOMPARE(QColor(img.pixel(x, right.bottom() + 1)), window);
        }
        QVERIFY(inkSpan(img, g->cellRect(1, 0)).first >= 0);
        QVERIFY(inkSpan(renderViewport(*g), row2).first >= 0);
        g->setHideRows(true);
        QCOMPARE(inkSpan(renderViewport(*g), row2).first, -1);
        QCOMPARE(g->row(), 1);
    }

    void sortArrowOnlyWhileSortingIsOn()
    {
        auto g = protocolGrid(2);
        TSortOptions o = g->sortOptions();
        o.SortCol = 2;
        g->setSortOptions(o);
        const QRect header = g->cellRect(2, 0);
        const QRect arrow(header.left() + 3, header.top() + g->rowHeights(0) / 2 - 4, 8, 7);
        const auto hasArrowGrey = [&](const QImage &img) {
            for (int y = arrow.top(); y <= arrow.bottom(); ++y)
                for (int x = arrow.left(); x <= arrow.right(); ++x)
                    if (QColor(img.pixel(x, y)) == QColor(128, 128, 128))
                        return true;
            return false;
        };
        QVERIFY(hasArrowGrey(renderViewport(*g)));
        o.CanSort = false;
        g->setSortOptions(o);
        QVERIFY(!hasArrowGrey(renderViewport(*g)));
    }

    void checkBoxCellsShowTheirState()
    {
        auto g = protocolGrid(2);
        g->setCells(3, 1, u"V"_s);
        g->setCells(3, 2, u"nein"_s);
        g->OnGetCellFormat = [](QObject *, int c, int r, TGridDrawState, TFormatOptions &,
                                bool &box, bool &, bool &) { box = r > 0 && c == 3; };
        const QImage img = renderViewport(*g);
        // The tick is black ink inside the box's white inside; the text is hidden.
        const auto ink = [&](int row) {
            const QRect r = g->cellRect(3, row);
            const QPoint box(r.left() + (r.width() - 16) / 2, r.top() + g->rowHeights(row) / 2 - 8);
            return inkSpan(img, QRect(box + QPoint(4, 4), QSize(7, 8))).first >= 0;
        };
        QVERIFY(ink(1));
        QVERIFY(!ink(2));
    }

    void editingMarksModifiedAndColumnMovesKeepTheSortColumn()
    {
        auto g = protocolGrid(3);
        g->setOptions(g->options() | TGridOption::goEditing);
        g->activateWindow();
        g->setFocus();
        g->GoToCell(1, 2, true);
        QSignalSpy modified(g.get(), &TSortGrid::modified);
        QTest::keyClick(g.get(), Qt::Key_F2);
        QVERIFY(g->editorMode());
        auto *editor = g->findChild<QLineEdit *>(u"InplaceEditor"_s);
        QVERIFY(editor);
        QCOMPARE(editor->text(), u"Name 2"_s);
        editor->setText(u"Müller"_s);
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(!g->editorMode());
        QCOMPARE(g->cells(1, 2), u"Müller"_s);
        QVERIFY(g->isModified());
        QCOMPARE(modified.count(), 1);
        // Storing the same text again changes nothing.
        g->setModified(false);
        QTest::keyClick(g.get(), Qt::Key_F2);
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(!g->isModified());

        g->setModifiedSuppressed(true);
        g->setModified(true);
        QVERIFY(!g->isModified());
        g->setModifiedSuppressed(false);

        TSortOptions o = g->sortOptions();
        o.SortCol = 2;
        g->setSortOptions(o);
        g->MoveColumn(2, 0);
        QCOMPARE(g->sortOptions().SortCol, 0);
        QCOMPARE(g->cells(0, 0), u"Zeit"_s);
        QVERIFY(g->isModified());
        g->MoveColumn(3, 0);
        QCOMPARE(g->sortOptions().SortCol, 1);
        // Dragging a header cell onto another column moves it there.
        g->setOptions(g->options() | TGridOption::goColMoving);
        const QPoint from = cellCentre(*g, 1, 0);
        const QPoint to = cellCentre(*g, 3, 0);
        QTest::mousePress(g->viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(g->viewport(), to);
        QTest::mouseRelease(g->viewport(), Qt::LeftButton, {}, to);
        QCOMPARE(g->rows(0), (QStringList{u"Platz"_s, u"Nr."_s, u"Name"_s, u"Zeit"_s}));
        QCOMPARE(g->sortOptions().SortCol, 3);
    }

    void firstLetterJump()
    {
        auto g = protocolGrid(4);
        g->setCols(1, {u"Name"_s, u"anna"_s, u"Bert"_s, u"Arne"_s, u"berta"_s});
        TSortOptions o = g->sortOptions();
        o.SortCol = 1;
        g->setSortOptions(o);
        g->setFocus();
        QTest::keyClick(g.get(), Qt::Key_B, Qt::NoModifier);
        QCOMPARE(g->row(), 2);
        QCOMPARE(g->col(), 1);
        QTest::keyClick(g.get(), Qt::Key_B, Qt::NoModifier);
        QCOMPARE(g->row(), 4);
        QTest::keyClick(g.get(), Qt::Key_A, Qt::NoModifier);
        QCOMPARE(g->row(), 1);
        // While a key opens the editor it stays there, upper-cased.
        g->setOptions(g->options() | TGridOption::goEditing);
        QTest::keyClick(g.get(), Qt::Key_B, Qt::NoModifier);
        QCOMPARE(g->row(), 1);
        QVERIFY(g->editorMode());
        QCOMPARE(g->findChild<QLineEdit *>(u"InplaceEditor"_s)->text(), u"B"_s);
    }

    void popupMenuOnDataRowsOnly()
    {
        auto g = protocolGrid(3);
        QMenu menu;
        menu.addAction(u"Zeile entfernen"_s);
        g->setPopupMenu(&menu);
        QTest::mouseClick(g->viewport(), Qt::RightButton, {}, cellCentre(*g, 1, 0));
        QVERIFY(!menu.isVisible());
        QCOMPARE(g->sortOptions().SortDirection, TSortDirection::sdDescending);
        QTest::mouseClick(g->viewport(), Qt::RightButton, {}, cellCentre(*g, 1, 2));
        QVERIFY(menu.isVisible());
        menu.hide();
        // Below the last row counts as a data row too.
        QTest::mouseClick(g->viewport(), Qt::RightButton, {},
                          QPoint(20, g->viewport()->height() - 3));
        QVERIFY(menu.isVisible());
        menu.hide();
    }

    void autoSizeColumn()
    {
        auto g = protocolGrid(3);
        g->setCells(1, 2, u"Kowalski-Schmidt"_s);
        const QFontMetrics fm(g->font());
        g->AutoSizeColumn(1, false);
        QCOMPARE(g->colWidths(1),
                 fm.horizontalAdvance(u"Kowalski-Schmidt"_s) + fm.horizontalAdvance(u"X"_s));
        // The header counts with the room for the arrow.
        g->AutoSizeColumn(3, false);
        QCOMPARE(g->colWidths(3), fm.horizontalAdvance(u"Platz"_s) + fm.horizontalAdvance(u"X"_s));
        TSortOptions o = g->sortOptions();
        o.SortCol = 3;
        g->setSortOptions(o);
        g->AutoSizeColumn(3, false);
        QCOMPARE(g->colWidths(3),
                 fm.horizontalAdvance(u"Platz"_s) + 12 + fm.horizontalAdvance(u"X"_s));
        g->setCols(2, {});
        g->AutoSizeColumn(2, false);
        QCOMPARE(g->colWidths(2), fm.horizontalAdvance(u"xx"_s));
        g->setColWidths(0, TGridAxis::Hidden);
        g->AutoSizeColumn(0, false);
        QCOMPARE(g->colWidths(0), TGridAxis::Hidden);
        g->AutoSizeColumn(0, true);
        QVERIFY(g->colWidths(0) > 0);
    }

    void headerBordersSizeAndAutoSize()
    {
        auto g = protocolGrid(3);
        g->setOptions(g->options() | TGridOption::goColSizing);
        g->setColWidths(1, TGridAxis::Hidden);
        QWidget *vp = g->viewport();
        const int y = g->cellRect(0, 0).center().y();
        const int border = g->cellRect(0, 0).right() + 1;
        QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(border, y));
        QTest::mouseMove(vp, QPoint(border + 15, y));
        QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(border + 15, y));
        QCOMPARE(g->colWidths(0), 55);
        QCOMPARE(g->colWidths(1), TGridAxis::Hidden);
        // Double click on the right border of "Zeit" fits it to its texts.
        const int zeitBorder = g->cellRect(2, 0).right() + 1;
        QTest::mouseDClick(vp, Qt::LeftButton, {}, QPoint(zeitBorder - 1, y));
        const QFontMetrics fm(g->font());
        QCOMPARE(g->colWidths(2), fm.horizontalAdvance(u"13,00"_s) + fm.horizontalAdvance(u"X"_s));
    }

    void tooFewRowsIsReported()
    {
        auto g = protocolGrid(2);
        QString shown;
        QTimer::singleShot(0, this, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        g->setRowCount(1);
        QCOMPARE(shown, u"Rowsize too small"_s);
        QCOMPARE(g->rowCount(), 1);
        g->setRowCount(3); // grows again without a message; the texts come back
        QCOMPARE(g->cells(1, 2), u"Name 2"_s);
    }
};

QTEST_MAIN(TestSortGrid)
#include "tst_SortGrid.moc"
