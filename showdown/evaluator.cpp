#include "showdown/evaluator.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace showdown {

namespace {

// Reference values, worked out slowly once to fill the tables: category << 26 | major << 13 | minor,
// with two rank masks (or a straight's top) chosen so that a larger value is a better hand. Two masks
// holding the same number of ranks compare, as numbers, like their ranks sorted from the top, which is
// how kickers are compared.
std::uint32_t Make(std::uint32_t category, std::uint32_t major, std::uint32_t minor) {
    return category << 26 | major << 13 | minor;
}

// The k highest ranks of a mask.
std::uint32_t Top(std::uint32_t m, int k) {
    while (std::popcount(m) > k)
        m &= m - 1; // the lowest goes
    return m;
}

// The top of the highest run of five ranks: 4 (five high, the ace playing low) to 13 (ace high); 0 for
// none.
std::uint32_t Straight_Top(std::uint32_t ranks) {
    const std::uint32_t ext = ranks << 1 | (ranks >> 12 & 1u); // bit 0: the ace again, as a low card
    for (std::uint32_t top = 13; top >= 4; --top)
        if ((ext >> (top - 4) & 0x1Fu) == 0x1Fu) return top;
    return 0;
}

// Five to seven cards without five of a suit, by the count of each rank.
std::uint32_t Rank_Value(const int (&count)[13]) {
    std::uint32_t any = 0, pairs = 0, trips = 0, quads = 0;
    for (int r = 0; r < 13; ++r) {
        const std::uint32_t bit = 1u << r;
        if (count[r] >= 1) any |= bit;
        if (count[r] >= 2) pairs |= bit;
        if (count[r] >= 3) trips |= bit;
        if (count[r] == 4) quads |= bit;
    }
    if (quads) return Make(8, quads, Top(any & ~quads, 1));
    const std::uint32_t trip = Top(trips, 1);
    // The pair of a full house may be a second set of three.
    if (trip && (pairs & ~trip)) return Make(7, trip, Top(pairs & ~trip, 1));
    if (const std::uint32_t top = Straight_Top(any)) return Make(5, top, 0);
    if (trip) return Make(4, trip, Top(any & ~trip, 2));
    // Of three pairs the best two play; the third pair's rank may be the kicker.
    if (std::popcount(pairs) >= 2) return Make(3, Top(pairs, 2), Top(any & ~Top(pairs, 2), 1));
    if (pairs) return Make(2, pairs, Top(any & ~pairs, 3));
    return Make(1, Top(any, 5), 0);
}

// Five to seven cards of one suit, by their ranks.
std::uint32_t Flush_Value(std::uint32_t ranks) {
    if (const std::uint32_t top = Straight_Top(ranks)) return Make(9, top, 0);
    return Make(6, Top(ranks, 5), 0);
}

struct Entry {
    std::uint32_t key;
    std::uint32_t value; // reference value
};

// Every choice of five to seven ranks, none more than four times.
void Rank_Choices(int rank, int left, int (&count)[13], std::uint32_t key, std::vector<Entry>& out) {
    if (rank == 13) {
        if (left <= 2) out.push_back({key, Rank_Value(count)});
        return;
    }
    for (int c = 0; c <= std::min(4, left); ++c) {
        count[rank] = c;
        Rank_Choices(rank + 1, left - c, count,
                     (key + static_cast<std::uint32_t>(c) * detail::RankKeys[rank]) & detail::HashMask, out);
    }
    count[rank] = 0;
}

} // namespace

void Evaluator::Build() {
    std::vector<Entry> ranks;
    int count[13] = {};
    Rank_Choices(0, 7, count, 0, ranks);

    // The reference values in order; a hand's place among those of its category is its place here less
    // the place of the category's first.
    std::vector<std::uint32_t> order;
    for (const Entry& e : ranks)
        order.push_back(e.value);
    for (std::uint32_t m = 0; m < 8192; ++m)
        if (std::popcount(m) >= 5) order.push_back(Flush_Value(m));
    std::sort(order.begin(), order.end());
    order.erase(std::unique(order.begin(), order.end()), order.end());
    std::ptrdiff_t first[11] = {}; // the place of each category's lowest value
    for (std::uint32_t category = 1; category <= 10; ++category)
        first[category] = std::lower_bound(order.begin(), order.end(), category << 26) - order.begin();
    auto compact = [&](std::uint32_t value) {
        const auto at = std::lower_bound(order.begin(), order.end(), value) - order.begin();
        const std::uint32_t category = value >> 26;
        return static_cast<HandValue>(category << CategoryShift |
                                      static_cast<std::uint32_t>(at - first[category]));
    };

    for (std::uint32_t m = 0; m < 8192; ++m)
        if (std::popcount(m) >= 5) flush_[m] = compact(Flush_Value(m));

    // Row displacement: the fullest rows first, each at the lowest offset where it meets no other, but
    // searched only from a little before where the last row of its size went: most of the table below
    // that is too full for a row of that size, and the search takes a tenth of the time for a table 6%
    // larger.
    std::vector<std::vector<std::uint32_t>> rows(detail::RowCount);
    for (const Entry& e : ranks)
        rows[e.key >> detail::RowShift].push_back(e.key);
    for (std::vector<std::uint32_t>& row : rows)
        std::sort(row.begin(), row.end());
    std::vector<int> byFill(detail::RowCount);
    for (int r = 0; r < detail::RowCount; ++r)
        byFill[r] = r;
    std::stable_sort(byFill.begin(), byFill.end(),
                     [&](int a, int b) { return rows[a].size() > rows[b].size(); });
    // Free places as bits, 64 to a word; a window of 64 bases is tried at once.
    constexpr std::uint32_t Low = (1u << detail::RowShift) - 1;
    std::vector<std::uint64_t> free(detail::RankSlots / 64 + 1, ~std::uint64_t{0});
    auto window = [&](std::uint32_t at) { // the bits of places at .. at + 63
        const std::uint32_t word = at / 64, shift = at % 64;
        return shift ? free[word] >> shift | free[word + 1] << (64 - shift) : free[word];
    };
    std::uint32_t firstFree = 0;
    std::vector<std::uint32_t> lastOfSize(detail::RankSlots, 0); // + 1: 0 for none yet
    constexpr std::uint32_t LookBack = 4096;
    for (const int r : byFill) {
        const std::vector<std::uint32_t>& row = rows[r];
        if (row.empty()) break;
        while (!(free[firstFree / 64] >> (firstFree % 64) & 1u))
            ++firstFree;
        const std::uint32_t lowest = row[0] & Low; // the rows hold their keys in order
        std::uint32_t base = firstFree > lowest ? (firstFree - lowest) / 64 * 64 : 0;
        if (const std::uint32_t last = lastOfSize[row.size()]; last > LookBack)
            base = std::max(base, (last - LookBack) / 64 * 64);
        for (;; base += 64) {
            if (base + 64 + Low >= detail::RankSlots) std::abort(); // the table is too small: cannot happen
            std::uint64_t fits = ~std::uint64_t{0};
            for (std::size_t i = 0; i < row.size() && fits; ++i)
                fits &= window(base + (row[i] & Low));
            if (fits) {
                base += static_cast<std::uint32_t>(std::countr_zero(fits));
                break;
            }
        }
        for (const std::uint32_t key : row) {
            const std::uint32_t at = base + (key & Low);
            free[at / 64] &= ~(std::uint64_t{1} << (at % 64));
        }
        lastOfSize[row.size()] = base + 1;
        offsets_[r] = base - (static_cast<std::uint32_t>(r) << detail::RowShift);
    }
    for (const Entry& e : ranks)
        rank_[e.key + offsets_[e.key >> detail::RowShift]] = compact(e.value);
}

const Evaluator& Evaluator::Get() {
    static std::once_flag built;
    std::call_once(built, Build);
    static const Evaluator evaluator;
    return evaluator;
}

} // namespace showdown
