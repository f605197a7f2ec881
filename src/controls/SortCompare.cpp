#include "controls/SortCompare.h"

#include "controls/SortValues.h"

#include <QHash>
#include <QVarLengthArray>

#include <algorithm>
#include <array>

namespace {

// Characters of the Windows-1252 bytes 0x80 to 0x9F; 0 where the byte is
// unassigned and stands for the C1 control of the same number.
constexpr std::array<char16_t, 32> cp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,      //
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr char32_t outsideCodePage = 0x10000;

// The byte a character has in Windows-1252; characters the code page lacks
// follow all bytes, in their own order, so the order stays total.
char32_t sortCode(QChar qc)
{
    const char16_t c = qc.unicode();
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    if (c <= 0x9F)
        return cp1252High[c - 0x80] == 0 ? c : outsideCodePage + c;
    const auto hit = std::find(cp1252High.begin(), cp1252High.end(), c);
    return hit != cp1252High.end() ? char32_t(0x80 + (hit - cp1252High.begin()))
                                   : outsideCodePage + c;
}

// Most cell texts fit without a heap allocation.
using Reduced = QVarLengthArray<QChar, 64>;

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

template <typename T> int threeWay(T a, T b)
{
    return (a > b) - (a < b);
}

bool isCapital(QChar c)
{
    return c >= u'A' && c <= u'Z';
}

} // namespace

int compareSortText(QStringView a, QStringView b)
{
    // The end of a text reads as NUL, so a NUL ends the comparison and a
    // shorter text sorts first.
    for (qsizetype i = 0;; ++i) {
        const char32_t ca = i < a.size() ? sortCode(a[i]) : 0;
        const char32_t cb = i < b.size() ? sortCode(b[i]) : 0;
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

int compareNumericExtended(QStringView a, QStringView b)
{
    if (a.isEmpty() || b.isEmpty())
        return int(b.isEmpty()) - int(a.isEmpty());

    // Keep what differs, walking from the front; at the last common position
    // the rest of each text is kept whole.
    const qsizetype m = std::min(a.size(), b.size());
    Reduced ra;
    Reduced rb;
    for (qsizetype p = 0; p < m; ++p) {
        if (a[p] == b[p] && !isAsciiDigit(a[p]))
            continue;
        if (p == m - 1) {
            ra.append(a.data() + p, a.size() - p);
            rb.append(b.data() + p, b.size() - p);
        } else {
            ra.append(a[p]);
            rb.append(b[p]);
        }
    }

    // Every equal non-digit pair at the same distance from the ends costs
    // each text its last character; a differing pair does not end the walk.
    const qsizetype n = std::min(ra.size(), rb.size());
    qsizetype drop = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ca = ra[ra.size() - 1 - i];
        if (ca == rb[rb.size() - 1 - i] && !isAsciiDigit(ca))
            ++drop;
    }
    const QStringView va(ra.constData(), ra.size() - drop);
    const QStringView vb(rb.constData(), rb.size() - drop);

    if (va == vb)
        return 0;
    const auto x = parseWholeNumber(va);
    const auto y = parseWholeNumber(vb);
    if (!x || !y)
        return compareSortText(va, vb);
    return *x < *y ? -1 : 1;
}

QString foldSortCase(const QString &text)
{
    if (std::none_of(text.begin(), text.end(), isCapital))
        return text; // shared, not copied
    QString folded = text;
    for (QChar &c : folded) {
        if (isCapital(c))
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return folded;
}

SortComparer::SortComparer(const QStringList &texts, const TSortOptions &options,
                           const QLocale &locale)
    : m_style(options.SortStyle)
    , m_direction(options.SortDirection)
    , m_custom(options.CustomCompare)
{
    if (m_style == TSortStyle::ssCustom && !m_custom)
        m_style = TSortStyle::ssNormal;

    std::optional<SortValueReader> reader;
    if (m_style == TSortStyle::ssNumeric || m_style == TSortStyle::ssDateTime ||
        m_style == TSortStyle::ssTime)
        reader.emplace(locale);

    m_entries.reserve(texts.size());
    for (const QString &text : texts) {
        Entry entry;
        entry.text = options.SortCaseSensitive ? text : foldSortCase(text);
        switch (m_style) {
        case TSortStyle::ssNumeric:
            entry.value = reader->number(entry.text);
            break;
        case TSortStyle::ssDateTime:
            entry.value = reader->dateTime(entry.text);
            break;
        case TSortStyle::ssTime:
            entry.value = reader->time(entry.text);
            break;
        default:
            break;
        }
        m_entries.push_back(std::move(entry));
    }
    if (m_style == TSortStyle::ssNumericExtended)
        prepareExtendedKeys();
}

void SortComparer::prepareExtendedKeys()
{
    QHash<QString, int> shapes;
    // Views into the entries' texts: the entries stay as they are from here on.
    QHash<QStringView, int> words;
    const auto idOf = [](auto &ids, const auto &key) {
        auto known = ids.constFind(key);
        if (known == ids.cend())
            known = ids.insert(key, int(ids.size()));
        return *known;
    };
    for (Entry &entry : m_entries) {
        QString shape = entry.text;
        std::replace_if(shape.begin(), shape.end(), isAsciiDigit, u'0');
        entry.shapeId = idOf(shapes, shape);

        const QStringView text(entry.text);
        qsizetype from = text.size();
        while (from > 0 && isAsciiDigit(text[from - 1]))
            --from;
        const QStringView front = text.first(from);
        if (from == text.size() || std::any_of(front.begin(), front.end(), isAsciiDigit))
            continue;
        entry.wordsId = idOf(words, front);
        entry.numberFrom = from;
        entry.number = parseWholeNumber(text.sliced(from));
    }
}

// The rule for two texts, for texts of one shape: the walk skips every
// other character and keeps the digits, two numbers of equal length that
// compare as the texts do.
int SortComparer::compareSameShape(const Entry &a, const Entry &b)
{
    return threeWay(QStringView(a.text).compare(b.text), 0);
}

// The rule for two texts, for texts of the same words: the walk skips the
// words, keeps both numbers whole and drops nothing from their ends.
int SortComparer::compareNumberEnds(const Entry &a, const Entry &b)
{
    if (a.text == b.text)
        return 0;
    if (!a.number || !b.number)
        return compareSortText(QStringView(a.text).sliced(a.numberFrom),
                               QStringView(b.text).sliced(b.numberFrom));
    return *a.number < *b.number ? -1 : 1;
}

int SortComparer::compareTexts(qsizetype i, qsizetype j) const
{
    const Entry &a = m_entries[size_t(i)];
    const Entry &b = m_entries[size_t(j)];
    switch (m_style) {
    case TSortStyle::ssNumeric:
    case TSortStyle::ssDateTime:
    case TSortStyle::ssTime:
        if (a.value && b.value)
            return threeWay(*a.value, *b.value);
        break;
    case TSortStyle::ssNumericExtended:
        if (a.shapeId == b.shapeId)
            return compareSameShape(a, b);
        if (a.wordsId >= 0 && a.wordsId == b.wordsId)
            return compareNumberEnds(a, b);
        return compareNumericExtended(a.text, b.text);
    case TSortStyle::ssCustom:
        return threeWay(m_custom(a.text, b.text), 0);
    case TSortStyle::ssAutomatic:
    case TSortStyle::ssNormal:
        break;
    }
    return compareSortText(a.text, b.text);
}

int SortComparer::compare(qsizetype i, qsizetype j) const
{
    const int result = compareTexts(i, j);
    if (result == 0)
        return threeWay(i, j);
    return m_direction == TSortDirection::sdDescending ? -result : result;
}
