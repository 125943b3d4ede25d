#pragma once

#include "cards/cardcodes.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

// The 169 starting-hand classes: two ranks and whether the two cards share a suit. Index 0..168 runs in
// the order of the statistics file: for each higher rank from the ace down, the pair first, then each
// lower rank, the suited class before the offsuit one (AA, AK s, AK, AQ s, ..., 32 s, 32, 22). The key is the
// statistics file's: two rank letters, the higher first, and " s" when suited ("AK s", "AK", "77").
class HandClass {
  public:
    static constexpr int Count = 169;
    static constexpr int MaxMembers = 12;
    // A hand's heads-up showdowns before the flop: every board of the 50 other cards and every opponent
    // hand of the 45 left, C(50,5) x C(45,2).
    static constexpr std::int64_t HeadsUpBoards = 2118760;
    static constexpr std::int64_t HeadsUpOpponentHands = 990;
    static constexpr std::int64_t HeadsUpDeals = HeadsUpBoards * HeadsUpOpponentHands;

    // Ranks are rank codes 0..12 (deuce .. ace), in either order; a pair is never suited.
    static constexpr HandClass Of_Ranks(int rank1, int rank2, bool suited) {
        HandClass c;
        c.high_ = rank1 > rank2 ? rank1 : rank2;
        c.low_ = rank1 > rank2 ? rank2 : rank1;
        c.suited_ = suited && rank1 != rank2;
        return c;
    }
    // The class of two different cards (card indexes).
    static constexpr HandClass Of_Cards(int card1, int card2) {
        return Of_Ranks(cards::Rank_Code(card1), cards::Rank_Code(card2),
                        cards::Suit_Code(card1) == cards::Suit_Code(card2));
    }
    static constexpr HandClass Of_Index(int index) {
        for (int high = 12;; --high) {
            const int block = 1 + 2 * high; // the pair, then a suited and an offsuit class per lower rank
            if (index < block || high == 0) {
                if (index == 0) return Of_Ranks(high, high, false);
                return Of_Ranks(high, high - 1 - (index - 1) / 2, (index - 1) % 2 == 0);
            }
            index -= block;
        }
    }
    // The class of a key written exactly as Key() writes it; nothing for any other text.
    static std::optional<HandClass> Of_Key(QStringView key);

    constexpr int Index() const {
        int index = 0;
        for (int h = 12; h > high_; --h)
            index += 1 + 2 * h;
        return high_ == low_ ? index : index + 1 + 2 * (high_ - 1 - low_) + (suited_ ? 0 : 1);
    }
    constexpr int High() const { return high_; }
    constexpr int Low() const { return low_; }
    constexpr bool Suited() const { return suited_; }
    constexpr bool Pair() const { return high_ == low_; }
    QString Key() const;

    // Its two-card hands: 6 for a pair, 4 suited, 12 offsuit.
    constexpr int Member_Count() const { return Pair() ? 6 : suited_ ? 4 : 12; }
    // Fills hands with the hand indexes (cards/cardcodes.h) of its members and returns how many.
    constexpr int Members(int (&hands)[MaxMembers]) const {
        int n = 0;
        for (int s1 = 0; s1 < 4; ++s1)
            for (int s2 = 0; s2 < 4; ++s2) {
                if (Pair() ? s2 <= s1 : suited_ != (s1 == s2)) continue;
                hands[n++] =
                    cards::Hand_Index(cards::Card_Of_Codes(s1, high_), cards::Card_Of_Codes(s2, low_));
            }
        return n;
    }

    friend constexpr bool operator==(const HandClass&, const HandClass&) = default;

  private:
    int high_ = 12;
    int low_ = 12;
    bool suited_ = false;
};
