// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "text/Compare.h"

#include <QCollatorSortKey>
#include <QString>
#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

// The diminishing-gap exchange sort whose result the string and game sorts
// give. For each gap (n/2, halved down to 1) it repeats passes over
// a[0..n-gap-1], exchanging a[i] and a[i+gap] when a[i] compares strictly
// greater, until a pass exchanges nothing. The order of equal keys follows
// from exactly this sequence of exchanges. Elements from n on are never
// touched.
template <class T, class Compare>
void exchangeSort(std::vector<T>& a, qsizetype n, Compare compare) {
    for (qsizetype gap = n / 2; gap > 0; gap /= 2) {
        bool swapped = true;
        while (swapped) {
            swapped = false;
            const qsizetype last = n - gap - 1;
            for (qsizetype i = 0; i <= last; ++i) {
                if (compare(a[i], a[i + gap]) > 0) {
                    std::swap(a[i], a[i + gap]);
                    swapped = true;
                }
            }
        }
    }
}

namespace sorting_detail {

// Rearranges a[0..n-1] so that a[k] becomes the element that stood at
// order[k].
template <class T> void permute(std::vector<T>& a, const std::vector<qsizetype>& order) {
    std::vector<T> sorted;
    sorted.reserve(order.size());
    for (const qsizetype from : order)
        sorted.push_back(std::move(a[from]));
    std::move(sorted.begin(), sorted.end(), a.begin());
}

// The first four UTF-16 code units of `text`, the first in the highest bits,
// missing ones as 0: two texts whose heads differ are in the order of their
// heads, ordinally.
inline quint64 ordinalHead(QStringView text) {
    quint64 head = 0;
    for (qsizetype k = 0; k < 4; ++k)
        head = (head << 16) | (k < text.size() ? text[k].unicode() : 0u);
    return head;
}

} // namespace sorting_detail

// Puts a[0..n-1] in exactly the order exchangeSort(a, n, compare) gives, but
// in n log n time when no two keys compare equal.
//
// `quickLess(i, j)` orders the elements at positions i and j; it is meant to
// agree with `compare` but is only used as a guess. The positions are sorted
// by it, and then each neighbour pair is checked with `compare`:
// - all strictly ascending: the keys are distinct, so the sorted order is the
//   only one and the exchange sort reaches it too;
// - some pairs equal: every element gets the rank of its group of equal keys
//   and the exchange sort runs on the ranks, which makes the same exchanges
//   as it would on the keys, only with cheaper comparisons;
// - some pair descending (`quickLess` disagrees with `compare`): the exchange
//   sort runs on the keys themselves.
template <class T, class Compare, class QuickLess>
void sortAsExchangeSort(std::vector<T>& a, qsizetype n, Compare compare, QuickLess quickLess) {
    if (n < 2)
        return;
    std::vector<qsizetype> order(n);
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::sort(order.begin(), order.end(), quickLess);

    std::vector<qsizetype> rank(n);
    bool equalKeys = false;
    qsizetype current = 0;
    rank[order[0]] = 0;
    for (qsizetype k = 1; k < n; ++k) {
        const int step = compare(a[order[k - 1]], a[order[k]]);
        if (step > 0)
            return exchangeSort(a, n, compare);
        if (step < 0)
            ++current;
        else
            equalKeys = true;
        rank[order[k]] = current;
    }
    if (equalKeys) {
        std::iota(order.begin(), order.end(), qsizetype(0));
        exchangeSort(order, n, [&rank](qsizetype x, qsizetype y) {
            return rank[x] < rank[y] ? -1 : (rank[x] > rank[y] ? 1 : 0);
        });
    }
    sorting_detail::permute(a, order);
}

// Sorts elements 0..count-1 ascending by ordinal comparison, in the order of
// exchangeSort (which for strings that compare equal only means equal
// strings).
inline void sortStrings(std::vector<QString>& strings, qsizetype count) {
    return sortAsExchangeSort(strings, count, compareOrdinal, [&strings](qsizetype i, qsizetype j) {
        return compareOrdinal(strings[i], strings[j]) < 0;
    });
}

// Sorts records 0..count-1 by their description, ignoring case under the
// default locale when caseInsensitive is set, ordinally otherwise, in the
// order of exchangeSort. Whole records move together.
template <class Record>
void sortGames(std::vector<Record>& games, qsizetype count, bool caseInsensitive) {
    if (!caseInsensitive) {
        // The first four code units, in one number, settle most comparisons
        // of the n log n sort without reaching the texts.
        std::vector<quint64> heads(std::max<qsizetype>(count, 0));
        for (qsizetype i = 0; i < count; ++i)
            heads[i] = sorting_detail::ordinalHead(games[i].description);
        return sortAsExchangeSort(
            games, count,
            [](const Record& a, const Record& b) {
                return compareOrdinal(a.description, b.description);
            },
            [&games, &heads](qsizetype i, qsizetype j) {
                if (heads[i] != heads[j])
                    return heads[i] < heads[j];
                return compareOrdinal(games[i].description, games[j].description) < 0;
            });
    }
    const CaseInsensitiveCompare compare;
    const auto byDescription = [&compare](const Record& a, const Record& b) {
        return compare(a.description, b.description);
    };
    if (!compare.hasSortKeys() || count < 2) {
        return sortAsExchangeSort(games, count, byDescription, [&](qsizetype i, qsizetype j) {
            return byDescription(games[i], games[j]) < 0;
        });
    }
    // Collation keys make each comparison of the n log n sort a byte
    // comparison instead of a full collation.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        keys.push_back(compare.sortKey(games[i].description));
    return sortAsExchangeSort(games, count, byDescription, [&](qsizetype i, qsizetype j) {
        return CaseInsensitiveCompare::keyLess(games[i].description, keys[i], games[j].description,
                                               keys[j]);
    });
}
