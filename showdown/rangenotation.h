#pragma once

#include "showdown/spot.h"

#include <QString>
#include <QStringView>

// The range notation players type in equity tools, both ways. A range is a list of tokens separated by
// commas and/or blanks, in any letter case:
//
//   "AKs" "AKo" "77"     a class: suited, offsuit, a pair; "AK" is both AKs and AKo
//   "77+" "ATs+" "KTo+"  a class and those above it: the pairs up to AA, the kickers up to one below the
//                        high card ("ATs+" is ATs, AJs, AQs, AKs)
//   "99-66" "A5s-A2s"    a span between two classes of one kind (pairs, or one high card and suitedness)
//   "AsKs"               one two-card hand
//   "random" "any"       every hand
//
// A hand is in the range when its weight is above 0; a parsed range weighs its hands Range::MaxWeight.
namespace rangenotation {

struct Parsed {
    bool valid = false;
    showdown::Range range; // every hand the tokens name (none when not valid)
    QString refused;       // the first token that is none of the forms, as typed
};

Parsed Parse(QStringView text);

// The shortest usual form: "any" for every hand, "" for none; else the pairs, the suited classes and the
// offsuit classes, each by high card from the ace down and spans of kickers from the top ("22+, A2s+,
// KTs+, QJs, ATo+, KQo"), then the hands of classes that are only partly in, one by one ("AsKs").
QString Shortest(const showdown::Range& range);

// How many two-card hands are in the range, 0..1326.
int Combos(const showdown::Range& range);

// The range of every hand of the classes chosen (by HandClass index).
showdown::Range Of_Classes(const bool (&chosen)[HandClass::Count]);

} // namespace rangenotation
