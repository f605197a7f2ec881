// Sorting through the grid: what SortRows does to the cells, the selection,
// the events and the stored sort options.
#include "controls/SortCompare.h"
#include "controls/SortGrid.h"

#include <QApplication>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Columns: 0 number, 1 group, 2 name. Row n + 1 holds rows[n].
std::unique_ptr<TSortGrid> gridWith(const QList<QStringList> &rows)
{
    auto g = std::make_unique<TSortGrid>();
    g->setColCount(3);
    g->setRowCount(int(rows.size()) + 1);
    g->setRows(0, {u"Nr."_s, u"Gruppe"_s, u"Name"_s});
    for (int r = 0; r < rows.size(); ++r)
        g->setRows(r + 1, rows[r]);
    g->resize(300, 300);
    g->show();
    return g;
}

QStringList column(const TSortGrid &g, int col)
{
    QStringList texts = g.cols(col);
    texts.removeFirst();
    return texts;
}

void setOptions(TSortGrid &g, const std::function<void(TSortOptions &)> &change)
{
    TSortOptions o = g.sortOptions();
    change(o);
    g.setSortOptions(o);
}

} // namespace

class TestSortRows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nothingHappensWhileSortingIsOff()
    {
        auto g = gridWith({{u"3"_s, u"b"_s, u"C"_s}, {u"1"_s, u"a"_s, u"A"_s}});
        setOptions(*g, [](TSortOptions &o) {
            o.CanSort = false;
            o.SortCol = 2;
            o.SortStyle = TSortStyle::ssAutomatic;
        });
        int raised = 0;
        g->OnBeginSort = [&](QObject *, int &) { ++raised; };
        g->OnGetSortStyle = [&](QObject *, int, TSortStyle &) { ++raised; };
        QSignalSpy begin(g.get(), &TMyCustomGrid::beginUpdate);
        QSignalSpy end(g.get(), &TSortGrid::endUpdate);
        QSignalSpy endSort(g.get(), &TSortGrid::endSort);
        QSignalSpy selected(g.get(), &TSortGrid::rowSelected);
        g->GoToCell(0, 2, false);
        selected.clear();

        g->SortRows(0);
        QCOMPARE(column(*g, 0), (QStringList{u"3"_s, u"1"_s}));
        QCOMPARE(g->sortOptions().SortCol, 2);
        QCOMPARE(g->sortOptions().SortStyle, TSortStyle::ssAutomatic);
        QCOMPARE(g->row(), 2);
        QCOMPARE(raised, 0);
        QCOMPARE(begin.count() + end.count() + endSort.count() + selected.count(), 0);
    }

    void sortsBothWaysKeepingEqualKeysInOrder()
    {
        auto g = gridWith({{u"1"_s, u"b"_s, u"Anna"_s},
                           {u"2"_s, u"a"_s, u"Bert"_s},
                           {u"3"_s, u"b"_s, u"Carl"_s},
                           {u"4"_s, u"a"_s, u"Dora"_s}});
        g->SortRows(1);
        QCOMPARE(column(*g, 0), (QStringList{u"2"_s, u"4"_s, u"1"_s, u"3"_s}));
        QCOMPARE(g->sortOptions().SortCol, 1);
        QVERIFY(!g->nowUpdating());
        QVERIFY(g->isEnabled());

        setOptions(*g, [](TSortOptions &o) { o.SortDirection = TSortDirection::sdDescending; });
        g->SortRows(1);
        // Whole rows move; equal groups keep the order they had.
        QCOMPARE(column(*g, 0), (QStringList{u"1"_s, u"3"_s, u"2"_s, u"4"_s}));
        QCOMPARE(column(*g, 2), (QStringList{u"Anna"_s, u"Carl"_s, u"Bert"_s, u"Dora"_s}));
        QCOMPARE(g->cells(2, 0), u"Name"_s);
    }

    void secondaryKeys()
    {
        auto g = gridWith({{u"10"_s, u"b"_s, u"x"_s},
                           {u"9"_s, u"a"_s, u"y"_s},
                           {u"2"_s, u"b"_s, u"x"_s},
                           {u"7"_s, u"a"_s, u"x"_s}});
        setOptions(*g, [](TSortOptions &o) {
            o.SecondaryIndex = u"2, \"0\""_s;
            o.SortStyle = TSortStyle::ssNumeric;
        });
        g->SortRows(1);
        QCOMPARE(column(*g, 0), (QStringList{u"7"_s, u"9"_s, u"2"_s, u"10"_s}));
        // The primary column named again among the further keys counts once.
        setOptions(*g, [](TSortOptions &o) { o.SecondaryIndex = u"1 0"_s; });
        g->SortRows(1);
        QCOMPARE(column(*g, 0), (QStringList{u"7"_s, u"9"_s, u"2"_s, u"10"_s}));
        QCOMPARE(g->sortOptions().SortCol, 1);
    }

    void selectionFollowsItsRow()
    {
        auto g = gridWith({{u"c"_s, {}, {}}, {u"a"_s, {}, {}}, {u"b"_s, {}, {}}});
        g->GoToCell(1, 1, false);
        QList<int> asked;
        g->OnSelectCell = [&](QObject *, int, int row, bool &) { asked << row; };
        QSignalSpy selected(g.get(), &TSortGrid::rowSelected);
        g->SortRows(0);
        QCOMPARE(g->cells(0, 3), u"c"_s);
        QCOMPARE(g->row(), 3);
        QCOMPARE(g->col(), 1);
        QCOMPARE(g->selectedRows(), QList<int>{3});
        QCOMPARE(g->anchorRows(), QList<int>{3});
        QCOMPARE(asked, QList<int>{3});
        QCOMPARE(selected.count(), 1);
    }

    void severalSelectedRowsFollowTheirRows()
    {
        auto g = gridWith({{u"d"_s, {}, {}}, {u"b"_s, {}, {}}, {u"a"_s, {}, {}}, {u"c"_s, {}, {}}});
        g->setMultiSelect(true);
        QWidget *vp = g->viewport();
        QTest::mouseClick(vp, Qt::LeftButton, {}, g->cellRect(0, 1).center());
        QTest::mouseClick(vp, Qt::LeftButton, Qt::ControlModifier, g->cellRect(0, 4).center());
        QCOMPARE(g->selectedRows(), (QList<int>{1, 4}));
        g->SortRows(0);
        // "c" and "d" went to rows 3 and 4; the first of them is current.
        QCOMPARE(g->selectedRows(), (QList<int>{3, 4}));
        QCOMPARE(g->anchorRows(), (QList<int>{3, 4}));
        QCOMPARE(g->row(), 3);
    }

    void eventsInOrder()
    {
        auto g = gridWith({{u"b"_s, u"2"_s, u"x"_s}, {u"a"_s, u"1"_s, u"y"_s}});
        setOptions(*g, [](TSortOptions &o) {
            o.SecondaryIndex = u"2"_s;
            o.SortStyle = TSortStyle::ssCustom;
            o.CustomCompare = [](const QString &a, const QString &b) { return b.compare(a); };
        });
        QStringList log;
        connect(g.get(), &TMyCustomGrid::beginUpdate, this, [&] { log << u"beginUpdate"_s; });
        g->OnBeginSort = [&](QObject *sender, int &col) {
            QCOMPARE(sender, g.get());
            QVERIFY(g->nowUpdating());
            log << u"beginSort %1"_s.arg(col);
            col = 1; // the handler picks another column
        };
        g->OnGetSortStyle = [&](QObject *, int col, TSortStyle &style) {
            log << u"style %1 %2"_s.arg(col).arg(int(style));
            if (col == 2)
                style = TSortStyle::ssNormal;
        };
        connect(g.get(), &TSortGrid::endSort, this, [&](int col) {
            QVERIFY(g->nowUpdating());
            log << u"endSort %1"_s.arg(col);
        });
        connect(g.get(), &TSortGrid::endUpdate, this, [&] { log << u"endUpdate"_s; });

        g->SortRows(0);
        const QStringList expected{u"beginUpdate"_s,
                                   u"beginSort 0"_s,
                                   u"style 2 %1"_s.arg(int(TSortStyle::ssAutomatic)),
                                   u"style 1 %1"_s.arg(int(TSortStyle::ssNormal)),
                                   u"endSort 1"_s,
                                   u"endUpdate"_s};
        QCOMPARE(log, expected);
        QCOMPARE(column(*g, 1), (QStringList{u"1"_s, u"2"_s}));
        // The arrow stays on the column asked for; the style chosen is kept
        // and the custom comparison is gone.
        QCOMPARE(g->sortOptions().SortCol, 0);
        QCOMPARE(g->sortOptions().SortStyle, TSortStyle::ssNormal);
        QVERIFY(!g->sortOptions().CustomCompare);
    }

    void detectedStyleIsKept()
    {
        auto g = gridWith({{u"10"_s, u"b"_s, {}}, {u"9"_s, u"a"_s, {}}, {u"100"_s, u"c"_s, {}}});
        setOptions(*g, [](TSortOptions &o) { o.SortStyle = TSortStyle::ssAutomatic; });
        g->SortRows(0);
        QCOMPARE(column(*g, 0), (QStringList{u"9"_s, u"10"_s, u"100"_s}));
        QCOMPARE(g->sortOptions().SortStyle, TSortStyle::ssNumeric);
        // Texts now compare as numbers, pair by pair falling back to text.
        g->SortRows(1);
        QCOMPARE(g->sortOptions().SortStyle, TSortStyle::ssNumeric);
        QCOMPARE(column(*g, 1), (QStringList{u"a"_s, u"b"_s, u"c"_s}));

        // Without detection a plain sort orders text: 10 before 9.
        setOptions(*g, [](TSortOptions &o) { o.SortStyle = TSortStyle::ssNormal; });
        g->SortRows(0);
        QCOMPARE(column(*g, 0), (QStringList{u"10"_s, u"100"_s, u"9"_s}));
    }

    void badSecondaryIndexLeavesTheGridUsable()
    {
        auto g = gridWith({{u"b"_s, {}, {}}, {u"a"_s, {}, {}}});
        setOptions(*g, [](TSortOptions &o) { o.SecondaryIndex = u"1, x"_s; });
        QString shown;
        QTimer::singleShot(0, this, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        QSignalSpy endSort(g.get(), &TSortGrid::endSort);
        g->SortRows(0);
        QVERIFY(shown.contains(u"x"_s));
        QCOMPARE(column(*g, 0), (QStringList{u"b"_s, u"a"_s}));
        QVERIFY(!g->nowUpdating());
        QVERIFY(g->isEnabled());
        QCOMPARE(endSort.count(), 0);
    }

    void columnsOutsideTheGridAreIgnored_data()
    {
        QTest::addColumn<int>("aCol");
        QTest::addColumn<QString>("secondaryIndex");
        QTest::addColumn<QStringList>("sorted");
        QTest::addColumn<int>("sortCol");
        const QStringList unsorted{u"b"_s, u"a"_s, u"a"_s};
        const QStringList byName{u"a"_s, u"a"_s, u"b"_s};
        QTest::newRow("primary past the columns") << 3 << QString() << unsorted << 2;
        QTest::newRow("primary below the columns") << -1 << QString() << unsorted << 2;
        QTest::newRow("secondary past the columns") << 0 << u"7"_s << byName << 0;
        QTest::newRow("secondary below the columns") << 0 << u"-1, 3"_s << byName << 0;
    }

    void columnsOutsideTheGridAreIgnored()
    {
        QFETCH(int, aCol);
        QFETCH(QString, secondaryIndex);
        QFETCH(QStringList, sorted);
        QFETCH(int, sortCol);
        auto g = gridWith({{u"b"_s, {}, u"1"_s}, {u"a"_s, {}, u"2"_s}, {u"a"_s, {}, u"3"_s}});
        setOptions(*g, [&](TSortOptions &o) {
            o.SortCol = 2;
            o.SecondaryIndex = secondaryIndex;
        });
        QStringList boxes;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&boxes] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                boxes << box->text();
                box->accept();
            }
        });
        poll.start(10);
        g->SortRows(aCol);
        QCOMPARE(boxes, QStringList());
        QCOMPARE(column(*g, 0), sorted);
        QCOMPARE(g->sortOptions().SortCol, sortCol);
        QVERIFY(!g->nowUpdating());
        QVERIFY(g->isEnabled());
    }

    void randomTablesSortStablyOnEveryKey()
    {
        QRandomGenerator random(4711);
        const QString alphabet = u"aAbBzÄä 1"_s;
        for (int round = 0; round < 40; ++round) {
            QList<QStringList> rows;
            for (int n = random.bounded(1, 30); n > 0; --n) {
                QStringList row;
                for (int c = 0; c < 3; ++c) {
                    QString text;
                    for (int k = random.bounded(3); k > 0; --k)
                        text += alphabet[random.bounded(int(alphabet.size()))];
                    row << text;
                }
                rows << row;
            }
            auto g = gridWith(rows);
            const bool descending = random.bounded(2) == 0;
            setOptions(*g, [&](TSortOptions &o) {
                o.SecondaryIndex = u"0,1"_s;
                o.SortDirection =
                    descending ? TSortDirection::sdDescending : TSortDirection::sdAscending;
            });
            g->SortRows(2);

            // The same order from a plain stable sort on the keys 2, 0, 1.
            QList<QStringList> expected = rows;
            std::stable_sort(
                expected.begin(), expected.end(), [&](const QStringList &a, const QStringList &b) {
                    for (const int key : {2, 0, 1}) {
                        int r = compareSortText(foldSortCase(a[key]), foldSortCase(b[key]));
                        if (descending)
                            r = -r;
                        if (r != 0)
                            return r < 0;
                    }
                    return false;
                });
            for (int r = 0; r < expected.size(); ++r)
                QCOMPARE(g->rows(r + 1), expected[r]);
        }
    }

    void headerClickAndSizeChangeSort()
    {
        auto g = gridWith({{u"b"_s, u"2"_s, {}}, {u"a"_s, u"1"_s, {}}, {u"c"_s, u"3"_s, {}}});
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->cellRect(0, 0).center());
        // Column 0 is already the sort column: the first click turns the order round.
        QCOMPARE(g->sortOptions().SortDirection, TSortDirection::sdDescending);
        QCOMPARE(column(*g, 0), (QStringList{u"c"_s, u"b"_s, u"a"_s}));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->cellRect(0, 0).center());
        QCOMPARE(column(*g, 0), (QStringList{u"a"_s, u"b"_s, u"c"_s}));

        setOptions(*g, [](TSortOptions &o) {
            o.UpdateOnSizeChange = true;
            o.SortDirection = TSortDirection::sdAscending;
            o.SortCol = 1;
        });
        g->setRowCount(5);
        QCOMPARE(column(*g, 1), (QStringList{{}, u"1"_s, u"2"_s, u"3"_s}));
    }
};

QTEST_MAIN(TestSortRows)
#include "tst_SortRows.moc"
