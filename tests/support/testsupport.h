#pragma once

#include "base/long.h"
#include "showdown/calculator.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// What every test program and benchmark shares: the card notation, hands played, a reset of all program
// state, and readers and writers of files.
namespace testsupport {

// "As" is the ace of spades, "Th" (or "10h") the ten of hearts, "2d" the deuce of diamonds: rank
// 2..9, T or 10, J, Q, K, A and suit s, h, c, d (1..4). The card index, or -1 for anything else.
Long Card_Index_Of(const QString& text);
// The index of a card that must exist (a test's own literal): stops the test program on a typing error.
Long Card(const QString& text);
// "As" for the ace of spades' index.
QString Card_Name(Long index);
// The indexes of a list such as "As Kd 7c".
QList<Long> Cards(const QString& list);

// A hand as the tests write it, cards apart by blanks: "As" chooses the ace of spades, "-As" releases it,
// "~As" ticks its hidden check box alone (its frame stays as it was), "!" is Clear. Stops the test
// program on a token that is none of these.
struct Step {
    enum Kind { Choose, Release, Tick, Clear } kind = Clear;
    Long card = -1;
};
QList<Step> Steps(const QString& hand);
// Plays the hand through the board flow, as the main window hands it the player's clicks (the window's
// tests click it: tests/support/mainwindowtest.h).
void Play(const QString& hand);
// Marks ("As") and unmarks ("-As") cards in the card model alone, without the board flow.
void Mark_Cards(const QString& cards);

// Runs the event loop until the calculator's figures have come (final: its last figures of the spot).
void Wait_For_Figures(const showdown::Calculator& calculator, bool final);

// Every module's state back to where it stands before the program starts: board and analysis, the
// board flow, the pre-flop lookup, the statistics table and the settings in memory.
void Reset_Program_State();

// One row of a statistics file, in plain text: key, value, word, rank, hands at rank, group (further
// fields are written as they stand).
using StatsRow = QStringList;

// Writes the rows enciphered, with fixed keys, comma-separated, CR LF after each; false when the file
// cannot be written.
bool Write_Stats_File(const QString& path, const QList<StatsRow>& rows);

// The file's bytes, or "<unreadable>" when it cannot be read (so that a missing file never equals an empty
// one).
QByteArray Read_File(const QString& path);
// Puts the bytes into the file, making its folder first; false when they cannot all be written.
bool Write_File(const QString& path, const QByteArray& bytes);

} // namespace testsupport
