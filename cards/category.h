#pragma once

#include "base/long.h"

namespace modOdds {

// Hand category codes: a higher code is a better hand, and hands are compared by code only.
enum Category : Long {
    None = 0,
    HighCard = 1,
    Pair = 2,
    TwoPair = 3,
    ThreeOfAKind = 4,
    Straight = 5,
    Flush = 6,
    FullHouse = 7,
    FourOfAKind = 8,
    StraightFlush = 9,
};

inline constexpr int CategorySlots = 11; // codes 0..10; 10 is an array slot only

} // namespace modOdds
