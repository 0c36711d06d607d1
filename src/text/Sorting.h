// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "text/Compare.h"
#include "text/TextFile.h"

#include <QCollatorSortKey>
#include <QString>
#include <algorithm>
#include <functional>
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

// Rearranges `a` so that a[k] becomes the element that stood at order[k],
// in place: each cycle of the permutation in turn, with a bit per element
// for those done. `order` holds every position of `a` once.
template <class T> void permuteInPlace(std::vector<T>& a, const std::vector<qint32>& order) {
    std::vector<bool> done(order.size());
    for (size_t start = 0; start < order.size(); ++start) {
        if (done[start])
            continue;
        T first = std::move(a[start]);
        size_t at = start;
        for (;;) {
            done[at] = true;
            const auto from = static_cast<size_t>(order[at]);
            if (from == start) {
                a[at] = std::move(first);
                break;
            }
            a[at] = std::move(a[from]);
            at = from;
        }
    }
}

namespace sorting_detail {

// Rearranges a[0..n-1] so that a[k] becomes the element that stood at
// order[k].
template <class T> void permute(std::vector<T>& a, const std::vector<qint32>& order) {
    std::vector<T> sorted;
    sorted.reserve(order.size());
    for (const qint32 from : order)
        sorted.push_back(std::move(a[static_cast<size_t>(from)]));
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

// The same for a text of the files' form (UTF-8, see decodeText): its first
// four code units come from its first twelve bytes at most.
inline quint64 ordinalHead(QByteArrayView text) {
    quint64 head = 0;
    for (qsizetype k = 0; k < 4; ++k) {
        const auto c = static_cast<unsigned char>(k < text.size() ? text[k] : 0);
        if (c >= 0x80)
            return ordinalHead(
                QStringView(decodeText(text.first(std::min<qsizetype>(text.size(), 16)))));
        head = (head << 16) | c;
    }
    return head;
}

} // namespace sorting_detail

// The positions 0..n-1 in exactly the order exchangeSort(a, n, compare) would
// leave the elements at them, but found in n log n time when no two keys
// compare equal. `compare(i, j)` compares the elements at positions i and j.
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
template <class Compare, class QuickLess>
std::vector<qint32> exchangeSortOrder(qint32 n, Compare compare, QuickLess quickLess) {
    std::vector<qint32> order(static_cast<size_t>(std::max(n, 0)));
    std::iota(order.begin(), order.end(), qint32(0));
    if (n < 2)
        return order;
    {
        // Whatever the guess holds (such as keys) goes once it has guessed.
        QuickLess guess = std::move(quickLess);
        std::sort(order.begin(), order.end(), std::ref(guess));
    }

    std::vector<qint32> rank(static_cast<size_t>(n));
    bool equalKeys = false;
    qint32 current = 0;
    rank[static_cast<size_t>(order[0])] = 0;
    for (size_t k = 1; k < order.size(); ++k) {
        const int step = compare(order[k - 1], order[k]);
        if (step > 0) {
            std::iota(order.begin(), order.end(), qint32(0));
            exchangeSort(order, n, compare);
            return order;
        }
        if (step < 0)
            ++current;
        else
            equalKeys = true;
        rank[static_cast<size_t>(order[k])] = current;
    }
    if (equalKeys) {
        std::iota(order.begin(), order.end(), qint32(0));
        exchangeSort(order, n, [&rank](qint32 x, qint32 y) {
            const qint32 a = rank[static_cast<size_t>(x)], b = rank[static_cast<size_t>(y)];
            return a < b ? -1 : (a > b ? 1 : 0);
        });
    }
    return order;
}

// Puts a[0..n-1] in exactly the order exchangeSort(a, n, compare) gives,
// as exchangeSortOrder finds it.
template <class T, class Compare, class QuickLess>
void sortAsExchangeSort(std::vector<T>& a, qsizetype n, Compare compare, QuickLess quickLess) {
    if (n < 2)
        return;
    const std::vector<qint32> order = exchangeSortOrder(
        static_cast<qint32>(n),
        [&](qint32 i, qint32 j) {
            return compare(a[static_cast<size_t>(i)], a[static_cast<size_t>(j)]);
        },
        quickLess);
    sorting_detail::permute(a, order);
}

// Sorts elements 0..count-1 ascending by ordinal comparison, in the order of
// exchangeSort (which for strings that compare equal only means equal
// strings).
inline void sortStrings(std::vector<QString>& strings, qsizetype count) {
    return sortAsExchangeSort(
        strings, count, [](const QString& a, const QString& b) { return compareOrdinal(a, b); },
        [&strings](qsizetype i, qsizetype j) {
            return compareOrdinal(strings[i], strings[j]) < 0;
        });
}

// The order in which exchangeSort would leave `count` texts of the files'
// form (UTF-8, see decodeText), `text(i)` giving the one at position i,
// comparing them ignoring case under the default locale when caseInsensitive
// is set, ordinally otherwise (by the code units they decode to). Sorting
// games by description: their positions in their sorted order.
template <class Text>
std::vector<qint32> sortedTextOrder(qint32 count, Text text, bool caseInsensitive) {
    if (!caseInsensitive) {
        // The first four code units, in one number, settle most comparisons
        // of the n log n sort without reaching the texts.
        std::vector<quint64> heads(static_cast<size_t>(std::max(count, 0)));
        for (qint32 i = 0; i < count; ++i)
            heads[static_cast<size_t>(i)] = sorting_detail::ordinalHead(text(i));
        return exchangeSortOrder(
            count, [&](qint32 i, qint32 j) { return compareOrdinal(text(i), text(j)); },
            [&text, heads = std::move(heads)](qint32 i, qint32 j) {
                const quint64 a = heads[static_cast<size_t>(i)], b = heads[static_cast<size_t>(j)];
                if (a != b)
                    return a < b;
                return compareOrdinal(text(i), text(j)) < 0;
            });
    }
    const CaseInsensitiveCompare compare;
    const auto byText = [&](qint32 i, qint32 j) { return compare(text(i), text(j)); };
    if (!compare.hasSortKeys() || count < 2)
        return exchangeSortOrder(count, byText,
                                 [&](qint32 i, qint32 j) { return byText(i, j) < 0; });
    // Collation keys make each comparison of the n log n sort a byte
    // comparison instead of a full collation.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(static_cast<size_t>(count));
    for (qint32 i = 0; i < count; ++i)
        keys.push_back(compare.sortKey(text(i)));
    return exchangeSortOrder(count, byText, [&text, keys = std::move(keys)](qint32 i, qint32 j) {
        return CaseInsensitiveCompare::keyLess(text(i), keys[static_cast<size_t>(i)], text(j),
                                               keys[static_cast<size_t>(j)]);
    });
}
