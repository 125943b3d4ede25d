#pragma once

#include "base/long.h"

#include <array>
#include <cstdint>
#include <string_view>

// The representations of a card, and every conversion between them (HACKING.md has the table):
//
//   card index     0..51 = (suit - 1) * 13 + (rank - 1); the controls, the spots, the ranges
//   suit, rank     1..4 (spades, hearts, clubs, diamonds) and 1..13 (deuce .. ace): the slots of the
//                  board grids, where rank slot 0 repeats the ace
//   suit and rank  0..3 and 0..12: the evaluator's, a card being bit 16 x suit + rank of a card set
//   codes
//   name           rank letter and suit letter, "As", "Td", "2c"
//   two-card hand  0..1325: the two card indexes a < b as b (b - 1) / 2 + a
namespace cards {

inline constexpr int CardCount = 52;
inline constexpr int HandCount = 1326; // two-card hands
inline constexpr int RankCount = 13;

// The rank letters, highest first: the letter of rank r (1..13) is at 1-based position 14 - r.
inline constexpr char RankLetterText[] = "AKQJT98765432";
inline constexpr char SuitLetterText[] = "shcd";

constexpr Long Card_Index(Long suit, Long rank) {
    return (suit - 1) * 13 + (rank - 1);
}
constexpr Long Card_Suit(Long index) {
    return 1 + index / 13;
}
constexpr Long Card_Rank(Long index) {
    return index % 13 + 1;
}

constexpr int Suit_Code(int index) {
    return index / 13;
}
constexpr int Rank_Code(int index) {
    return index % 13;
}
constexpr int Card_Of_Codes(int suitCode, int rankCode) {
    return suitCode * 13 + rankCode;
}
// The card as a bit of a card set: suit s in bits 16 s .. 16 s + 12.
constexpr std::uint64_t Card_Bit(int index) {
    return std::uint64_t{1} << (16 * Suit_Code(index) + Rank_Code(index));
}

constexpr char Rank_Letter_Of_Code(int rankCode) {
    return RankLetterText[12 - rankCode];
}
// The rank code of a rank letter (upper case), or -1.
constexpr int Rank_Code_Of_Letter(char letter) {
    for (int r = 0; r < RankCount; ++r)
        if (Rank_Letter_Of_Code(r) == letter) return r;
    return -1;
}

// "As" for the ace of spades: rank letter and suit letter.
constexpr std::array<char, 2> Card_Name(int index) {
    return {Rank_Letter_Of_Code(Rank_Code(index)), SuitLetterText[Suit_Code(index)]};
}
// The card of a name such as "As" (letters as Card_Name writes them), or -1.
constexpr int Card_Of_Name(std::string_view name) {
    if (name.size() != 2) return -1;
    const int rank = Rank_Code_Of_Letter(name[0]);
    const auto suit = std::string_view(SuitLetterText).find(name[1]);
    return rank < 0 || suit == std::string_view::npos ? -1 : Card_Of_Codes(static_cast<int>(suit), rank);
}

// Two-card hands.
constexpr int Hand_Index(int a, int b) {
    if (a > b) {
        const int t = a;
        a = b;
        b = t;
    }
    return b * (b - 1) / 2 + a;
}

struct CardPair {
    int low = 0; // the smaller card index
    int high = 0;
};

inline constexpr std::array<CardPair, HandCount> HandCards = [] {
    std::array<CardPair, HandCount> pairs{};
    for (int b = 1; b < CardCount; ++b)
        for (int a = 0; a < b; ++a)
            pairs[static_cast<std::size_t>(Hand_Index(a, b))] = {a, b};
    return pairs;
}();

} // namespace cards
