#include "controls/GridAxis.h"

void TGridAxis::setCount(int count)
{
    count = std::max(0, count);
    if (count < m_sizes.size())
        m_sizes.resize(count);
    while (m_sizes.size() < count)
        m_sizes.append(m_defaultSize);
}

void TGridAxis::setDefaultSize(int size)
{
    m_defaultSize = size;
    m_sizes.fill(size);
}

void TGridAxis::setSize(int i, int size)
{
    if (i >= 0 && i < m_sizes.size())
        m_sizes[i] = std::max(Hidden, size);
}

int TGridAxis::fixedExtent() const
{
    int total = 0;
    for (int i = 0; i < m_fixedCount && i < count(); ++i)
        total += extent(i);
    return total;
}

int TGridAxis::position(int i, int first) const
{
    if (i < m_fixedCount) {
        int pos = 0;
        for (int k = 0; k < i; ++k)
            pos += extent(k);
        return pos;
    }
    if (i < first)
        return -1;
    int pos = fixedExtent();
    for (int k = first; k < i; ++k)
        pos += extent(k);
    return pos;
}

int TGridAxis::cellAt(int pos, int first) const
{
    if (pos < 0)
        return -1;
    int start = 0;
    for (int i = 0; i < count(); ++i) {
        if (i == m_fixedCount && first > i)
            i = first;
        if (i >= count())
            break;
        const int step = extent(i);
        if (step > 0 && pos < start + step)
            return i;
        start += step;
    }
    return -1;
}

int TGridAxis::visibleCount(int first, int client) const
{
    int pos = fixedExtent();
    int n = 0;
    for (int i = std::max(first, m_fixedCount); i < count(); ++i) {
        if (pos + size(i) > client)
            break;
        pos += extent(i);
        ++n;
    }
    return n;
}

int TGridAxis::startedCount(int first, int client) const
{
    int pos = fixedExtent();
    int n = 0;
    for (int i = std::max(first, m_fixedCount); i < count() && pos < client; ++i) {
        pos += extent(i);
        ++n;
    }
    return n;
}

int TGridAxis::maxFirst(int client) const
{
    if (count() <= m_fixedCount)
        return m_fixedCount;
    int room = client - fixedExtent();
    int first = count() - 1;
    room -= size(first);
    while (first > m_fixedCount && room - extent(first - 1) >= 0) {
        room -= extent(first - 1);
        --first;
    }
    return first;
}

void TGridAxis::insert(int i)
{
    m_sizes.insert(std::clamp(i, 0, count()), m_defaultSize);
}

void TGridAxis::remove(int i)
{
    if (i >= 0 && i < count())
        m_sizes.removeAt(i);
}

void TGridAxis::move(int from, int to)
{
    if (from >= 0 && to >= 0 && from < count() && to < count())
        m_sizes.move(from, to);
}
