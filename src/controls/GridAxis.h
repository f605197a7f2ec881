#pragma once

#include <QList>

#include <algorithm>

// One direction of a grid (its columns or its rows): the size of every cell,
// the fixed cells at the start, and which scrolled cells a client area of a
// given extent shows. Every cell is followed by a one-pixel grid line; a cell
// of size -1 is hidden and takes no room at all, its line included.
class TGridAxis
{
public:
    static constexpr int LineWidth = 1;
    static constexpr int Hidden = -1;

    int count() const { return int(m_sizes.size()); }
    void setCount(int count);
    int fixedCount() const { return m_fixedCount; }
    void setFixedCount(int fixed) { m_fixedCount = fixed; }
    int defaultSize() const { return m_defaultSize; }
    // Gives every cell the new default size, as a grid does when its default changes.
    void setDefaultSize(int size);

    int size(int i) const { return m_sizes.value(i, m_defaultSize); }
    void setSize(int i, int size);
    // Pixels the cell takes including its grid line; 0 for a hidden cell.
    int extent(int i) const { return std::max(0, size(i) + LineWidth); }
    int fixedExtent() const;

    // Start of cell i on screen when scrolled cells begin at `first`; -1 when
    // the cell is scrolled out before `first`.
    int position(int i, int first) const;
    // The cell under pixel `pos`, or -1 beyond the last cell.
    int cellAt(int pos, int first) const;
    // Scrolled cells from `first` on that fit wholly into `client` pixels
    // (a cell's trailing grid line may be cut).
    int visibleCount(int first, int client) const;
    // Scrolled cells from `first` on that begin inside `client` pixels, the
    // last one possibly cut.
    int startedCount(int first, int client) const;
    // The largest useful `first`: from it on the last cell is wholly shown.
    int maxFirst(int client) const;

    void insert(int i);
    void remove(int i);
    void move(int from, int to);

private:
    QList<int> m_sizes;
    int m_fixedCount = 0;
    int m_defaultSize = 24;
};
