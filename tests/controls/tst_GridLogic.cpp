#include "controls/GridAxis.h"
#include "controls/GridCellStore.h"
#include "controls/GridRules.h"

#include <QTest>

using namespace gridrules;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(TAlignment)
Q_DECLARE_METATYPE(TVertAlignment)

class TestGridLogic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storeKeepsTextsBeyondItsUse()
    {
        TGridCellStore s;
        s.setCell(3, 10, QStringLiteral("x"));
        QCOMPARE(s.cell(3, 10), QStringLiteral("x"));
        QCOMPARE(s.cell(4, 10), QString());
        QCOMPARE(s.cell(0, 99), QString());
        QCOMPARE(s.row(10, 5), (QStringList{{}, {}, {}, QStringLiteral("x"), {}}));
        // Writing an empty text where nothing is stored stores nothing.
        s.setCell(0, 500, QString());
        QCOMPARE(s.storedRowCount(), 11);
    }

    void storeRowChangesShiftEverythingBelow()
    {
        TGridCellStore s;
        for (int r = 0; r < 5; ++r)
            s.setCell(0, r, QString::number(r));
        s.insertRow(2);
        QCOMPARE(s.column(0, 6), (QStringList{u"0"_s, u"1"_s, {}, u"2"_s, u"3"_s, u"4"_s}));
        s.removeRow(0);
        QCOMPARE(s.column(0, 5), (QStringList{u"1"_s, {}, u"2"_s, u"3"_s, u"4"_s}));
        s.moveRow(4, 1); // the last stored row moves up, the rest move down
        QCOMPARE(s.column(0, 5), (QStringList{u"1"_s, u"4"_s, {}, u"2"_s, u"3"_s}));
        s.exchangeRows(0, 7); // with a row that held nothing yet
        QCOMPARE(s.cell(0, 0), QString());
        QCOMPARE(s.cell(0, 7), u"1"_s);
        s.setRow(3, {u"a"_s}, 3);
        QCOMPARE(s.row(3, 3), (QStringList{u"a"_s, {}, {}}));
    }

    void storeColumnChanges()
    {
        TGridCellStore s;
        s.setRow(0, {u"a"_s, u"b"_s, u"c"_s}, 3);
        s.setRow(1, {u"d"_s}, 1);
        s.insertColumn(1);
        QCOMPARE(s.row(0, 4), (QStringList{u"a"_s, {}, u"b"_s, u"c"_s}));
        QCOMPARE(s.row(1, 2), (QStringList{u"d"_s, {}}));
        s.moveColumn(3, 0);
        QCOMPARE(s.row(0, 4), (QStringList{u"c"_s, u"a"_s, {}, u"b"_s}));
        QCOMPARE(s.row(1, 4), (QStringList{{}, u"d"_s, {}, {}}));
        s.removeColumn(0);
        QCOMPARE(s.row(0, 3), (QStringList{u"a"_s, {}, u"b"_s}));
    }

    void axisArithmetic()
    {
        TGridAxis a;
        a.setDefaultSize(20);
        a.setCount(10);
        a.setFixedCount(1);
        QCOMPARE(a.extent(0), 21);
        a.setSize(2, TGridAxis::Hidden);
        QCOMPARE(a.extent(2), 0);
        QCOMPARE(a.position(0, 1), 0);
        QCOMPARE(a.position(3, 1), 21 + 21 + 0);
        QCOMPARE(a.position(3, 4), -1);
        QCOMPARE(a.position(5, 4), 21 + 21);
        // Hidden cells take no pixel, so the hit passes on to the next one.
        QCOMPARE(a.cellAt(21 + 21, 1), 3);
        QCOMPARE(a.cellAt(5, 7), 0);
        QCOMPARE(a.cellAt(21 + 3, 7), 7);
        QCOMPARE(a.cellAt(10000, 1), -1);
        // 100 px: fixed 21, then cells 1 (21), 2 (hidden), 3 (21), 4 (21) = 84; cell 5 ends at 104.
        QCOMPARE(a.visibleCount(1, 100), 4);
        // The trailing line of a cell may be cut off.
        QCOMPARE(a.visibleCount(1, 104), 5);
        // From 7 on, 7, 8, 9 fit into 21 + 3 * 21 - 1 pixels.
        QCOMPARE(a.maxFirst(21 + 3 * 21 - 1), 7);
        QCOMPARE(a.maxFirst(10000), 1);
        a.setCount(1);
        QCOMPARE(a.maxFirst(100), 1);
    }

    void headerTextShortening()
    {
        // Every character 10 pixels wide.
        const auto w = [](const QString &s) { return int(s.size()) * 10; };
        QCOMPARE(shortenHeaderText(u"Zeit"_s, 40, w), u"Zeit"_s);
        QCOMPARE(shortenHeaderText(u"Zeit"_s, 39, w), u"Z.."_s);
        QCOMPARE(shortenHeaderText(u"Nr."_s, 29, w), u"N.."_s);
        QCOMPARE(shortenHeaderText(u"Nr."_s, 5, w), u"N.."_s); // never below three characters
        QCOMPARE(shortenHeaderText(u"Platzierung"_s, 60, w), u"Plat.."_s);
        QCOMPARE(shortenHeaderText(u"Platzierung"_s, 105, w), u"Platzier.."_s);
        QCOMPARE(shortenHeaderText(u"X"_s, 0, w), u"X"_s);
        QCOMPARE(shortenHeaderText(u"AB"_s, 0, w), u".."_s);
    }

    void textOffsets_data()
    {
        QTest::addColumn<TAlignment>("h");
        QTest::addColumn<TVertAlignment>("v");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        // Cell 60 x 19, text 21 x 12.
        QTest::newRow("left top") << TAlignment::taLeftJustify << TVertAlignment::taTopJustify << 2
                                  << 2;
        QTest::newRow("right bottom")
            << TAlignment::taRightJustify << TVertAlignment::taBottomJustify << 37 << 4;
        QTest::newRow("centre middle")
            << TAlignment::taCenter << TVertAlignment::taMiddle << 19 << 3;
    }

    void textOffsets()
    {
        QFETCH(TAlignment, h);
        QFETCH(TVertAlignment, v);
        QFETCH(int, dx);
        QFETCH(int, dy);
        QCOMPARE(horzTextOffset(h, 60, 21), dx);
        QCOMPARE(vertTextOffset(v, 19, 12), dy);
    }

    void headerClickDirections()
    {
        using enum TSortDirection;
        QCOMPARE(headerClickDirection(sdAscending, 2, 2, false), sdDescending);
        QCOMPARE(headerClickDirection(sdDescending, 2, 2, false), sdAscending);
        QCOMPARE(headerClickDirection(sdAscending, 2, 1, false), sdAscending);
        QCOMPARE(headerClickDirection(sdDescending, 2, 1, false), sdAscending);
        QCOMPARE(headerClickDirection(sdAscending, 2, 1, true), sdDescending);
        QCOMPARE(headerClickDirection(sdDescending, 2, 2, true), sdDescending);
        QVERIFY(inSizingZone(104, 100, 60));
        QVERIFY(!inSizingZone(105, 100, 60));
        QVERIFY(!inSizingZone(155, 100, 60));
        QVERIFY(inSizingZone(156, 100, 60));
    }

    void scrollToCellTop()
    {
        // 100 rows, 10 visible: the target becomes the second row shown.
        QCOMPARE(scrollToCellTopRow(100, 10, 50), 49);
        QCOMPARE(scrollToCellTopRow(100, 10, 1), 1);
        QCOMPARE(scrollToCellTopRow(100, 10, -5), 1);
        // Near the end the last page is shown.
        QCOMPARE(scrollToCellTopRow(100, 10, 95), 90);
        // A grid that fits wholly stays at the first data row.
        QCOMPARE(scrollToCellTopRow(5, 10, 4), 1);
    }

    void lastColumnStretch()
    {
        TGridAxis cols;
        cols.setDefaultSize(50);
        cols.setCount(4);
        // 4 visible columns from 0: 400 - (50 * 3) - 4 - 3 = 243.
        QCOMPARE(stretchedLastColumnWidth(cols, 0, 4, 400), std::optional<int>(243));
        QCOMPARE(stretchedLastColumnWidth(cols, 0, 3, 400),
                 std::nullopt); // last column not reached
        QCOMPARE(stretchedLastColumnWidth(cols, 0, 4, 157), std::nullopt); // no room left
        QCOMPARE(stretchedLastColumnWidth(cols, 1, 3, 400), std::optional<int>(400 - 100 - 3 - 3));
    }

    void sortColumnFollowsMovedColumns()
    {
        QCOMPARE(sortColAfterColumnMove(2, 2, 0), 0);
        QCOMPARE(sortColAfterColumnMove(2, 3, 1), 3);
        QCOMPARE(sortColAfterColumnMove(2, 3, 2), 3);
        QCOMPARE(sortColAfterColumnMove(2, 0, 3), 1);
        QCOMPARE(sortColAfterColumnMove(2, 0, 1), 2);
        QCOMPARE(sortColAfterColumnMove(2, 3, 4), 2);
    }

    void firstLetterSearchWraps()
    {
        const QStringList col{u"Nr."_s, u"anna"_s, u""_s, u"Bert"_s, u"Arne"_s, u"berta"_s};
        const auto text = [&](int r) { return col.value(r); };
        QCOMPARE(firstLetterRow(u'b', 1, 6, text), 3);
        QCOMPARE(firstLetterRow(u'B', 3, 6, text), 5);
        QCOMPARE(firstLetterRow(u'b', 5, 6, text), 3); // wraps to the top
        QCOMPARE(firstLetterRow(u'a', 4, 6, text), 1);
        QCOMPARE(firstLetterRow(u'a', 1, 6, text), 4);
        QCOMPARE(firstLetterRow(u'z', 1, 6, text), -1);
        QCOMPARE(lowerAscii(u"ÄBC ü"_s), u"Äbc ü"_s);
        QVERIFY(isCheckedText(u"V"_s) && isCheckedText(u"1"_s) && isCheckedText(u"true"_s));
        QVERIFY(!isCheckedText(u"v"_s) && !isCheckedText(u"True"_s) && !isCheckedText({}));
    }
};

QTEST_GUILESS_MAIN(TestGridLogic)
#include "tst_GridLogic.moc"
