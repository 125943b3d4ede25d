#pragma once

#include "base/long.h"
#include "cards/cardcodes.h"

#include <array>
#include <bit>
#include <cstdint>

// The seven-card evaluator: a total order of poker hands of five to seven cards, the best five counting,
// read from tables.
//
// A set of cards (Cards) is two words that a card joins with one vector add: the key sums a constant per
// rank in its low bits and counts the cards of each suit in four nibbles from bit 32; the mask holds the
// cards, suit s in bits 16 s .. 16 s + 12 (cards/cardcodes.h).
//
// With five cards of one suit the hand is a flush or a straight flush, and nothing that two more cards
// could make beats it: its value comes from a table of the 8,192 suit masks. Otherwise the value depends
// on the ranks alone and comes from a table of the rank keys: the rank constants give every choice of up
// to seven ranks a key of its own below 2^25, spread evenly; the keys are cut into 8,192 rows of 4,096,
// and each row is moved to an offset where it meets no other (row displacement), so that the 73,775
// choices of five to seven ranks fill 87,595 places.
//
// A value is category << 12 | the hand's place among the hands of its category, from 0 the lowest: a
// larger value is a better hand, equal values are exact ties, and the category code (1 "High Card" ..
// 9 "Straight Flush") is the value >> 12. The tables are built once, on first use (Evaluator::Get, some 20
// milliseconds), and take 16 KB (flushes), 32 KB (row offsets) and 175 KB (ranks, in 256 KB reserved).

namespace showdown {

using HandValue = std::uint16_t;

inline constexpr int CategoryShift = 12;

constexpr Long Category_Of(HandValue value) {
    return static_cast<Long>(value >> CategoryShift);
}

struct Cards {
    // The two words side by side, so that one vector add joins two sets; sets that are added share no
    // card, so adding their masks is the same as or-ing them.
    using Words = std::uint64_t __attribute__((vector_size(16)));
    Words words = {0, 0};

    constexpr Cards() = default;
    constexpr Cards(std::uint64_t key, std::uint64_t mask) : words{key, mask} {}
    constexpr std::uint64_t Key() const { return words[0]; }
    constexpr std::uint64_t Mask() const { return words[1]; }

    friend constexpr Cards operator+(Cards a, Cards b) {
        a.words += b.words;
        return a;
    }
    constexpr Cards& operator+=(Cards c) {
        words += c.words;
        return *this;
    }
    friend constexpr bool operator==(Cards a, Cards b) { return a.Key() == b.Key() && a.Mask() == b.Mask(); }
};

namespace detail {
// Each rank code's constant: no two choices of up to seven ranks (at most four of each) have the same
// sum of these, and all the sums lie below 2^25 (each is the smallest above the last that keeps the
// sums apart).
inline constexpr std::uint32_t RankSums[13] = {1,     5,      24,     112,    521,     2247,   9244,
                                               30823, 103066, 250154, 667453, 1526359, 3453520};
// Multiplying by an odd number modulo 2^25 is one-to-one, so the products of those sums stay apart but
// are spread evenly; the key sums the products of the ranks and keeps the sum modulo 2^25. Any odd
// number spreads them; this one packs the table well.
inline constexpr int HashBits = 25;
inline constexpr std::uint32_t HashMask = (1u << HashBits) - 1;
inline constexpr std::uint32_t Spread = 13929315;
inline constexpr std::array<std::uint32_t, 13> RankKeys = [] {
    std::array<std::uint32_t, 13> keys{};
    for (int r = 0; r < 13; ++r)
        keys[r] = static_cast<std::uint32_t>(std::uint64_t{RankSums[r]} * Spread & HashMask);
    return keys;
}();
inline constexpr int SuitCountShift = 32;
// Three added to each suit's count lifts a count of five or more into the nibble's top bit.
inline constexpr std::uint64_t SuitBias = std::uint64_t{0x3333} << SuitCountShift;
inline constexpr std::uint64_t FlushBits = std::uint64_t{0x8888} << SuitCountShift;
inline constexpr int RowShift = 12;
inline constexpr int RowCount = 1 << (HashBits - RowShift);
// Room for the displaced rows (87,595 places are used), a power of two: a key that is no choice of five to
// seven ranks still reads inside the table.
inline constexpr int RankSlots = 1 << 17;
} // namespace detail

// How many cards of the suit (0..3) the set holds.
constexpr int Suit_Count(Cards c, int suit) {
    return static_cast<int>(c.Key() >> (detail::SuitCountShift + 4 * suit) & 0xF);
}

// The suit of which a set of at most seven cards holds three or more (there is at most one such suit on
// a board of five), or -1: five added to a count of three or more lifts it into its nibble's top bit.
constexpr int Suit_Of_Three(Cards c) {
    const std::uint64_t three =
        (c.Key() + (std::uint64_t{0x5555} << detail::SuitCountShift)) & detail::FlushBits;
    return three ? (std::countr_zero(three) - detail::SuitCountShift - 3) / 4 : -1;
}

constexpr Cards Card(int index) {
    return {detail::RankKeys[cards::Rank_Code(index)] +
                (std::uint64_t{1} << (detail::SuitCountShift + 4 * cards::Suit_Code(index))),
            cards::Card_Bit(index)};
}

// The tables. Get builds them on its first call (any thread; later calls only read) and returns the
// evaluator; the hot loops take it once and rate through it.
class Evaluator {
  public:
    static const Evaluator& Get();

    // The value of five to seven cards (of other counts, a value of no meaning).
    HandValue Rate(Cards c) const {
        if (const std::uint64_t flush = (c.Key() + detail::SuitBias) & detail::FlushBits) [[unlikely]] {
            const int suit = (std::countr_zero(flush) - detail::SuitCountShift - 3) / 4;
            return flush_[(c.Mask() >> (16 * suit)) & 0x1FFF];
        }
        return Rate_Ranks(static_cast<std::uint32_t>(c.Key()));
    }

    // The value of five to seven cards given by their indexes.
    HandValue Rate(const int* cards, int count) const {
        Cards c;
        for (int i = 0; i < count; ++i)
            c += Card(cards[i]);
        return Rate(c);
    }

    // Five to seven cards of one suit, by their ranks (a 13-bit mask): a flush or a straight flush.
    HandValue Rate_Suited(std::uint32_t ranks) const { return flush_[ranks & 0x1FFF]; }
    // Five to seven cards without five of a suit, by the sum of their ranks' keys (Rank_Key).
    HandValue Rate_Ranks(std::uint32_t rankKeys) const {
        const std::uint32_t key = rankKeys & detail::HashMask;
        return rank_[(key + offsets_[key >> detail::RowShift]) & (detail::RankSlots - 1)];
    }
    static constexpr std::uint32_t Rank_Key(int rankCode) {
        return detail::RankKeys[static_cast<std::size_t>(rankCode)];
    }

  private:
    Evaluator() = default;
    static void Build();

    alignas(64) static inline HandValue flush_[8192] = {};
    alignas(64) static inline std::uint32_t offsets_[detail::RowCount] = {};
    alignas(64) static inline HandValue rank_[detail::RankSlots] = {};
};

} // namespace showdown
