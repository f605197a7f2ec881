#include "controls/SortOrder.h"

#include "controls/SortCompare.h"
#include "controls/SortValues.h"

#include <algorithm>
#include <numeric>

QList<int> sortOrder(const QStringList &texts, const TSortOptions &options, const QLocale &locale)
{
    const SortComparer comparer(texts, options, locale);
    const int n = int(texts.size());
    QList<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    QList<int> merged(n);

    // Bottom-up merge sort: it stays in bounds whatever the comparison
    // answers, which library sorts do not promise for a comparison that is
    // not a strict weak order, as the per-pair text fallback can be.
    for (int width = 1; width < n; width *= 2) {
        for (int lo = 0; lo < n; lo += 2 * width) {
            const int mid = std::min(lo + width, n);
            const int hi = std::min(mid + width, n);
            int i = lo;
            int j = mid;
            int k = lo;
            while (i < mid && j < hi)
                merged[k++] = comparer.compare(order[j], order[i]) < 0 ? order[j++] : order[i++];
            while (i < mid)
                merged[k++] = order[i++];
            while (j < hi)
                merged[k++] = order[j++];
        }
        order.swap(merged);
    }
    return order;
}

QList<int> sortRowOrder(const QList<QStringList> &rows, const QList<int> &keyColumns,
                        TSortOptions &options, const TGetSortStyle &getSortStyle,
                        const QLocale &locale)
{
    QList<int> order(std::max<qsizetype>(rows.size() - 1, 0));
    std::iota(order.begin(), order.end(), 1);

    // Least significant key first: the stable sorts on the more significant
    // keys keep its order among their equal texts.
    bool firstKey = true;
    for (auto key = keyColumns.crbegin(); key != keyColumns.crend(); ++key) {
        QStringList texts;
        texts.reserve(order.size());
        for (const int row : std::as_const(order))
            texts << rows[row].value(*key);

        if (getSortStyle) {
            TSortStyle style = firstKey ? TSortStyle::ssAutomatic : options.SortStyle;
            getSortStyle(*key, style);
            options.SortStyle = style;
        } else if (options.SortStyle == TSortStyle::ssAutomatic) {
            options.SortStyle = detectSortStyle(texts, locale);
        }
        firstKey = false;

        const QList<int> sorted = sortOrder(texts, options, locale);
        QList<int> next;
        next.reserve(order.size());
        for (const int n : sorted)
            next << order[n];
        order = std::move(next);
    }
    return order;
}
