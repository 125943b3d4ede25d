#pragma once

#include "cards/category.h"

#include <cstdint>

// The colour scale shared by the pre-flop info line, the legend and the card frames. Colours are 24-bit
// values in blue-green-red order (0x00BBGGRR, so 0x0000FF is red); a value with the top bit set names a
// system colour, 0x8000000F being the button face, which is the neutral colour.

using BgrColour = std::uint32_t;

inline constexpr int ScaleSize = 7;

// Index 0..6: magenta, cyan, light blue, green, yellow, orange, red.
inline constexpr BgrColour ColourScale[ScaleSize] = {0xFF00FF, 0xFFFF00, 0xFF8080, 0x00FF00,
                                                     0x00FFFF, 0x0080FF, 0x0000FF};

inline constexpr BgrColour NeutralColour = 0x8000000F; // the button face
inline constexpr BgrColour BlackColour = 0x000000;     // a card the player chose

constexpr bool Is_System_Colour(BgrColour c) {
    return (c & 0x80000000u) != 0;
}

// Scale index of a hand category (Pair .. Straight Flush); -1 for the neutral ones (none, high card).
constexpr int Category_Scale_Index(Long code) {
    using namespace modOdds;
    switch (code) {
    case StraightFlush:
    case FourOfAKind:
        return 0;
    case FullHouse:
        return 1;
    case Flush:
        return 2;
    case Straight:
        return 3;
    case ThreeOfAKind:
        return 4;
    case TwoPair:
        return 5;
    case Pair:
        return 6;
    default:
        return -1;
    }
}

// Scale index of a colour; -1 for the neutral colour, black and any colour off the scale.
constexpr int Colour_Scale_Index(BgrColour colour) {
    for (int i = 0; i < ScaleSize; ++i)
        if (ColourScale[i] == colour) return i;
    return -1;
}

constexpr BgrColour Category_Colour(Long code) {
    const int i = Category_Scale_Index(code);
    return i < 0 ? NeutralColour : ColourScale[i];
}
