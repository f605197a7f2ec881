// Times the grid operations a long protocol needs: fill 10,000 rows x 4
// columns, find the last row, paint one screen, delete 1,000 rows from the
// middle, sort the rows through the grid on one and on three keys. Prints the median of several
// runs of each, and how the dearest sort compares with the plain one. Run by hand:
//   QT_QPA_PLATFORM=offscreen build/bench/grid/bench_grid
#include "controls/SortGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int Rows = 10000;
constexpr int Runs = 7;

std::unique_ptr<TSortGrid> newGrid()
{
    auto g = std::make_unique<TSortGrid>();
    g->setColCount(4);
    g->resize(400, 600);
    g->show();
    return g;
}

void fill(TSortGrid &g)
{
    g.setRowCount(Rows + 1);
    for (int r = 1; r <= Rows; ++r) {
        g.setCells(0, r, QString::number(r));
        g.setCells(1, r, QStringLiteral("Läufer %1").arg(r));
        g.setCells(2, r, QStringLiteral("12,34"));
        g.setCells(3, r, QString());
    }
}

// Rows in an order no key column already has: numbers and names shuffled,
// times from a small set so the further keys decide many ties.
void fillShuffled(TSortGrid &g)
{
    fill(g);
    quint32 seed = 12345;
    const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (int r = 1; r <= Rows; ++r) {
        const int n = int(next() % Rows);
        g.setCells(0, r, QString::number(n));
        g.setCells(1, r, QStringLiteral("Läufer %1").arg(n % 97));
        g.setCells(
            2, r,
            QStringLiteral("%1,%2").arg(next() % 20).arg(next() % 100, 2, 10, QLatin1Char('0')));
    }
}

void sortOn(TSortGrid &g, const QString &secondaryIndex, TSortStyle style)
{
    TSortOptions o = g.sortOptions();
    o.SecondaryIndex = secondaryIndex;
    o.SortStyle = style;
    g.setSortOptions(o);
    g.SortRows(2);
}

// Median over several fresh grids of the time `work` takes after `prepare`.
double medianMs(const std::function<void(TSortGrid &)> &prepare,
                const std::function<void(TSortGrid &)> &work)
{
    std::vector<double> ms;
    for (int i = 0; i < Runs; ++i) {
        auto g = newGrid();
        prepare(*g);
        QElapsedTimer t;
        t.start();
        work(*g);
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);

    const auto nothing = [](TSortGrid &) {};
    const double fillMs = medianMs(nothing, fill);
    const double findMs = medianMs(fill, [](TSortGrid &g) {
        if (g.FindRow(0, QString::number(Rows), false) != Rows)
            std::fprintf(stderr, "FindRow missed the last row\n");
    });
    const double paintMs = medianMs(fill, [](TSortGrid &g) {
        QImage img(g.viewport()->size(), QImage::Format_RGB32);
        QPainter p(&img);
        g.viewport()->render(&p);
    });
    const double deleteMs = medianMs(fill, [](TSortGrid &g) {
        for (int i = 0; i < 1000; ++i)
            g.DeleteRow(g.rowCount() / 2);
    });
    const double sortOneMs =
        medianMs(fillShuffled, [](TSortGrid &g) { sortOn(g, QString(), TSortStyle::ssNumeric); });
    const double sortThreeMs = medianMs(
        fillShuffled, [](TSortGrid &g) { sortOn(g, QStringLiteral("1,0"), TSortStyle::ssNormal); });
    // The dearest style: every pair's texts are taken apart again.
    const double sortThreeExtendedMs = medianMs(fillShuffled, [](TSortGrid &g) {
        sortOn(g, QStringLiteral("1,0"), TSortStyle::ssNumericExtended);
    });
    std::printf("grid of %d rows x 4 columns, median of %d runs\n", Rows, Runs);
    std::printf("fill:               %8.2f ms\n", fillMs);
    std::printf("FindRow (last row): %8.2f ms\n", findMs);
    std::printf("paint one screen:   %8.2f ms\n", paintMs);
    std::printf("1000 x DeleteRow:   %8.2f ms (%.3f ms each)\n", deleteMs, deleteMs / 1000);
    std::printf("SortRows, 1 key (ssNumeric):           %8.2f ms\n", sortOneMs);
    std::printf("SortRows, 3 keys (ssNormal):           %8.2f ms\n", sortThreeMs);
    std::printf("SortRows, 3 keys (ssNumericExtended):  %8.2f ms (goal: under 100 ms)\n",
                sortThreeExtendedMs);
    // On a busy machine the ratio says more than the times.
    std::printf("ssNumericExtended / ssNormal, 3 keys:  %8.2f\n",
                sortThreeExtendedMs / sortThreeMs);
    return 0;
}
