#pragma once

#include "base/long.h"
#include "cards/mododds.h"

#include <array>
#include <bit>
#include <cstdint>

// The seven-card evaluator with kickers: a total order of poker hands of five to seven cards, the best
// five cards counting. A hand is held as four 13-bit rank masks, one per suit (bit 0 the deuce .. bit 12
// the ace), in the card numbering of the whole program: card index = (suit - 1) * 13 + (rank - 1).
//
// The value of a hand is
//     category << 26 | major << 13 | minor
// with the category code of the program (1 "High Card" .. 9 "Straight Flush") and two rank masks (or a
// straight's top) chosen so that a larger value is a better hand and equal values are exact ties. Two
// masks holding the same number of ranks compare, as numbers, like the rank lists sorted from the top,
// which is how kickers are compared.
//
// Everything is inline and table-driven (two 8 KB tables built at compile time) so that the exhaustive
// loops of the showdown odds and of the statistics generator run it without a call.

namespace showdown {

using HandValue = std::uint32_t;

inline constexpr int CategoryShift = 26;
inline constexpr int DeckSize = modOdds::CardCount;

namespace detail {

constexpr std::array<std::uint8_t, 8192> Make_Bit_Counts() {
    std::array<std::uint8_t, 8192> t{};
    for (unsigned m = 0; m < 8192; ++m)
        t[m] = static_cast<std::uint8_t>(std::popcount(m));
    return t;
}

// For a rank mask, the top of its highest five-card run: 4 (five high, the ace playing low) to 13 (ace
// high), or 0 when there is no run.
constexpr std::array<std::uint8_t, 8192> Make_Straight_Tops() {
    std::array<std::uint8_t, 8192> t{};
    for (unsigned m = 0; m < 8192; ++m) {
        // Bit 0 repeats the ace as a low card, bit r + 1 is rank r.
        const unsigned ext = (m << 1) | ((m >> 12) & 1u);
        for (int top = 13; top >= 4; --top) {
            if (((ext >> (top - 4)) & 0x1Fu) == 0x1Fu) {
                t[m] = static_cast<std::uint8_t>(top);
                break;
            }
        }
    }
    return t;
}

inline constexpr std::array<std::uint8_t, 8192> BitCount = Make_Bit_Counts();
inline constexpr std::array<std::uint8_t, 8192> StraightTop = Make_Straight_Tops();

inline std::uint32_t Top_Bit(std::uint32_t m) {
    return m ? (std::uint32_t{1} << (31 - std::countl_zero(m))) : 0u;
}

// The k highest ranks of m (m holds n of them).
inline std::uint32_t Keep_Top(std::uint32_t m, int n, int k) {
    for (; n > k; --n)
        m &= m - 1; // drop the lowest rank
    return m;
}

inline HandValue Make(Long category, std::uint32_t major, std::uint32_t minor) {
    return (static_cast<std::uint32_t>(category) << CategoryShift) | (major << 13) | minor;
}

// Ranks held at least three times.
inline std::uint32_t Three_Or_More(std::uint32_t s0, std::uint32_t s1, std::uint32_t s2, std::uint32_t s3) {
    return (s0 & s1 & (s2 | s3)) | (s2 & s3 & (s0 | s1));
}

} // namespace detail

// The category code (1..9) of a value.
constexpr Long Category_Of(HandValue value) {
    return static_cast<Long>(value >> CategoryShift);
}

// The value of the hand held by the four suit masks (five to seven cards, no card twice).
inline HandValue Evaluate(std::uint32_t s0, std::uint32_t s1, std::uint32_t s2, std::uint32_t s3) {
    using namespace detail;
    const int c0 = BitCount[s0], c1 = BitCount[s1], c2 = BitCount[s2], c3 = BitCount[s3];
    const std::uint32_t any = s0 | s1 | s2 | s3;
    const int distinct = BitCount[any];
    // Cards beyond the first of their rank: 0 no pair, 1 one pair, 2 two pair or three of a kind; a
    // flush or a straight needs five distinct ranks, so it can only be there with at most two.
    const int repeats = c0 + c1 + c2 + c3 - distinct;
    const std::uint32_t odd = s0 ^ s1 ^ s2 ^ s3; // ranks held once or three times
    if (repeats <= 2) {
        std::uint32_t flush = 0;
        int flushCount = 0;
        if (c0 >= 5) flush = s0, flushCount = c0;
        if (c1 >= 5) flush = s1, flushCount = c1;
        if (c2 >= 5) flush = s2, flushCount = c2;
        if (c3 >= 5) flush = s3, flushCount = c3;
        if (flush) {
            if (const std::uint32_t top = StraightTop[flush]) return Make(9, top, 0);
            return Make(6, Keep_Top(flush, flushCount, 5), 0);
        }
        if (const std::uint32_t top = StraightTop[any]) return Make(5, top, 0);
        if (repeats == 0) return Make(1, Keep_Top(any, distinct, 5), 0);
        if (repeats == 1) {
            const std::uint32_t pair = any & ~odd;
            return Make(2, pair, Keep_Top(any & ~pair, distinct - 1, 3));
        }
        const std::uint32_t pairs = any & ~odd;
        if (pairs) return Make(3, pairs, Top_Bit(any & ~pairs));
        const std::uint32_t trip = Three_Or_More(s0, s1, s2, s3);
        return Make(4, trip, Keep_Top(any & ~trip, distinct - 1, 2));
    }
    if (const std::uint32_t four = s0 & s1 & s2 & s3) return Make(8, four, Top_Bit(any & ~four));
    if (const std::uint32_t three = Three_Or_More(s0, s1, s2, s3)) {
        const std::uint32_t trip = Top_Bit(three);
        // The pair of a full house may be a second set of three.
        return Make(7, trip, Top_Bit(((any & ~odd) | three) & ~trip));
    }
    // Three pairs: the best two play, the third pair's rank may be the kicker.
    const std::uint32_t pairs = any & ~odd;
    const std::uint32_t best = Keep_Top(pairs, BitCount[pairs], 2);
    return Make(3, best, Top_Bit(any & ~best));
}

// Seven cards held as one word, suit s (0..3) in bits 16 s .. 16 s + 12, with their suit counts, suit s in
// bits 4 s .. 4 s + 3: the same value as Evaluate with less work, for the loops that add a card at a time
// and keep both words as they go.
inline std::uint64_t Packed_Bit(int card) {
    return std::uint64_t{1} << (16 * (card / 13) + card % 13);
}
inline std::uint32_t Suit_Count_Bit(int card) {
    return std::uint32_t{1} << (4 * (card / 13));
}

inline HandValue Evaluate_Seven(std::uint64_t m, std::uint32_t suitCounts) {
    using namespace detail;
    const auto s0 = static_cast<std::uint32_t>(m & 0x1FFF),
               s1 = static_cast<std::uint32_t>((m >> 16) & 0x1FFF),
               s2 = static_cast<std::uint32_t>((m >> 32) & 0x1FFF), s3 = static_cast<std::uint32_t>(m >> 48);
    const std::uint32_t any = s0 | s1 | s2 | s3;
    const int distinct = BitCount[any];
    // A count of five or more sets the top bit of its nibble once 3 is added; of seven cards only one
    // suit can have five, and then at most two cards repeat a rank, so the flush is the best hand but
    // a straight flush.
    if (const std::uint32_t five = (suitCounts + 0x3333u) & 0x8888u) {
        const int suit = std::countr_zero(five) / 4;
        const auto flush = static_cast<std::uint32_t>((m >> (16 * suit)) & 0x1FFF);
        if (const std::uint32_t top = StraightTop[flush]) return Make(9, top, 0);
        return Make(6, Keep_Top(flush, static_cast<int>((suitCounts >> (4 * suit)) & 0xF), 5), 0);
    }
    const int repeats = 7 - distinct;
    const std::uint32_t odd = s0 ^ s1 ^ s2 ^ s3;
    if (repeats <= 2) {
        if (const std::uint32_t top = StraightTop[any]) return Make(5, top, 0);
        if (repeats == 0) return Make(1, Keep_Top(any, 7, 5), 0);
        const std::uint32_t pairs = any & ~odd;
        if (repeats == 1) return Make(2, pairs, Keep_Top(any & ~pairs, 5, 3));
        if (pairs) return Make(3, pairs, Top_Bit(any & ~pairs));
        const std::uint32_t trip = Three_Or_More(s0, s1, s2, s3);
        return Make(4, trip, Keep_Top(any & ~trip, 4, 2));
    }
    if (const std::uint32_t four = s0 & s1 & s2 & s3) return Make(8, four, Top_Bit(any & ~four));
    if (const std::uint32_t three = Three_Or_More(s0, s1, s2, s3)) {
        const std::uint32_t trip = Top_Bit(three);
        return Make(7, trip, Top_Bit(((any & ~odd) | three) & ~trip));
    }
    const std::uint32_t pairs = any & ~odd;
    const std::uint32_t best = Keep_Top(pairs, 3, 2);
    return Make(3, best, Top_Bit(any & ~best));
}

// The category code only of seven cards held as for Evaluate_Seven.
inline Long Category_Seven(std::uint64_t m, std::uint32_t suitCounts) {
    using namespace detail;
    if (const std::uint32_t five = (suitCounts + 0x3333u) & 0x8888u) {
        const int suit = std::countr_zero(five) / 4;
        return StraightTop[(m >> (16 * suit)) & 0x1FFF] ? 9 : 6;
    }
    const auto s0 = static_cast<std::uint32_t>(m & 0x1FFF),
               s1 = static_cast<std::uint32_t>((m >> 16) & 0x1FFF),
               s2 = static_cast<std::uint32_t>((m >> 32) & 0x1FFF), s3 = static_cast<std::uint32_t>(m >> 48);
    const std::uint32_t any = s0 | s1 | s2 | s3;
    const int repeats = 7 - BitCount[any];
    if (repeats < 2) return StraightTop[any] ? 5 : 1 + repeats;
    if (repeats == 2) return StraightTop[any] ? 5 : (any & ~(s0 ^ s1 ^ s2 ^ s3)) ? 3 : 4;
    if (s0 & s1 & s2 & s3) return 8;
    return Three_Or_More(s0, s1, s2, s3) ? 7 : 3;
}

// Suit masks of cards: adds one card (0..51) to the masks.
inline void Add_Card(std::uint32_t (&masks)[4], int card) {
    masks[card / 13] |= std::uint32_t{1} << (card % 13);
}

// The value of five to seven cards given by their indexes.
inline HandValue Evaluate_Cards(const int* cards, int count) {
    std::uint32_t m[4] = {0, 0, 0, 0};
    for (int i = 0; i < count; ++i)
        Add_Card(m, cards[i]);
    return Evaluate(m[0], m[1], m[2], m[3]);
}

} // namespace showdown
