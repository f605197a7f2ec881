#pragma once

#include "controls/SortTypes.h"

#include <QLocale>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>

#include <optional>
#include <vector>

// Text order: the texts' Windows-1252 codes compared as unsigned bytes up to
// the first NUL, the shorter text first on a common start. Characters outside
// that code page sort after all of it, by their UTF-16 code. Returns -1, 0 or 1.
int compareSortText(QStringView a, QStringView b);

// Order for texts that mix words and numbers ("Lauf 9" before "Lauf 10"):
// the parts where the texts differ are compared as whole numbers, else as
// text. Texts equal but for leading zeros ("07", "7") both compare greater.
// Empty texts come first and equal one another. Returns -1, 0 or 1.
int compareNumericExtended(QStringView a, QStringView b);

// Lower case as the sort folds it when it ignores case: A to Z only.
QString foldSortCase(const QString &text);

// Compares the entries of one key column under one sort's options: entry i
// holds texts[i] and was at position i before the sort. Each text is read
// once, when constructed, so a sort converts every text once, not per pair.
class SortComparer
{
public:
    SortComparer(const QStringList &texts, const TSortOptions &options, const QLocale &locale);

    // The full order of two entries: by style, descending reversing it, and
    // equal texts by former position in either direction.
    int compare(qsizetype i, qsizetype j) const;
    // By style alone: the sign of texts[i] against texts[j], with the case
    // folded when the options ignore it. Texts a numeric, date or time style
    // cannot read compare as text, pair by pair.
    int compareTexts(qsizetype i, qsizetype j) const;

private:
    struct Entry
    {
        QString text; // case folded as the options say
        std::optional<double> value;
        // ssNumericExtended, prepared once per sort so that most pairs skip
        // the rule for two texts. Texts of one shape (digits where the other
        // has digits, the same other characters: "12,34" and "09,50")
        // share a shape id. A text of words without digits ending in a
        // number ("Lauf 10") has the words' id, -1 for other texts.
        int shapeId = -1;
        int wordsId = -1;
        qsizetype numberFrom = 0;
        std::optional<qint64> number;
    };

    void prepareExtendedKeys();
    static int compareSameShape(const Entry &a, const Entry &b);
    static int compareNumberEnds(const Entry &a, const Entry &b);

    TSortStyle m_style;
    TSortDirection m_direction;
    TSortCompare m_custom;
    std::vector<Entry> m_entries;
};
