#pragma once

#include "text/Compare.h"

#include <QString>
#include <utility>
#include <vector>

// The diminishing-gap exchange sort shared by the string and game sorts.
// For each gap (n/2, halved down to 1) it repeats passes over a[0..n-gap-1],
// exchanging a[i] and a[i+gap] when a[i] compares strictly greater, until a
// pass exchanges nothing. The order of equal keys follows from exactly this
// sequence of exchanges, so it must not be replaced by another sort.
// Elements from n on are never touched. Returns the number of passes made.
template <class T, class Compare>
int ExchangeSort(std::vector<T>& a, qint16 n, Compare compare) {
    int passes = 0;
    for (qint16 gap = n / 2; gap > 0; gap /= 2) {
        bool swapped = true;
        while (swapped) {
            swapped = false;
            ++passes;
            const qint16 last = n - gap - 1;
            for (qint16 i = 0; i <= last; ++i) {
                if (compare(a[i], a[i + gap]) > 0) {
                    std::swap(a[i], a[i + gap]);
                    swapped = true;
                }
            }
        }
    }
    return passes;
}

// Sorts elements 0..count-1 ascending by ordinal comparison.
inline int SortStrings(std::vector<QString>& strings, qint16 count) {
    return ExchangeSort(strings, count, CompareOrdinal);
}

// Sorts records 0..count-1 by their strDescription, ignoring case under the
// user's locale when caseInsensitive is set, ordinally otherwise. Whole
// records move together.
template <class Record>
int SortGames(std::vector<Record>& games, qint16 count, bool caseInsensitive) {
    if (caseInsensitive) {
        const CaseInsensitiveCompare compare;
        return ExchangeSort(games, count, [&](const Record& a, const Record& b) {
            return compare(a.strDescription, b.strDescription);
        });
    }
    return ExchangeSort(games, count, [](const Record& a, const Record& b) {
        return CompareOrdinal(a.strDescription, b.strDescription);
    });
}
