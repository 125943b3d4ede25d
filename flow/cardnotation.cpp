#include "flow/cardnotation.h"

#include "flow/modboard.h"

#include <QCoreApplication>

namespace cardnotation {

namespace {

bool Is_Separator(QChar c) {
    return c.isSpace() || c == QLatin1Char(',') || c == QLatin1Char(';');
}

// The rank (1 deuce .. 13 ace) written at text[at], and how many characters it takes; 0 when none.
Long Read_Rank(const QString& text, qsizetype at, qsizetype& length) {
    length = 0;
    if (at >= text.size()) return 0;
    if (text.at(at) == QLatin1Char('1')) {
        if (at + 1 < text.size() && text.at(at + 1) == QLatin1Char('0')) {
            length = 2;
            return 9; // ten
        }
        return 0;
    }
    const QChar upper = text.at(at).toUpper();
    for (Long rank = 1; rank <= 13; ++rank) {
        if (upper == QLatin1Char(modOdds::RankLetterText[13 - rank])) {
            length = 1;
            return rank;
        }
    }
    return 0;
}

// The suit (1 spades, 2 hearts, 3 clubs, 4 diamonds) written at text[at]; 0 when none.
Long Read_Suit(const QString& text, qsizetype at) {
    if (at >= text.size()) return 0;
    switch (text.at(at).toLower().unicode()) {
    case 's':
    case 0x2660: // black spade
    case 0x2664: // white spade
        return 1;
    case 'h':
    case 0x2665:
    case 0x2661:
        return 2;
    case 'c':
    case 0x2663:
    case 0x2667:
        return 3;
    case 'd':
    case 0x2666:
    case 0x2662:
        return 4;
    default:
        return 0;
    }
}

// One card at text[at]: its index and length, or -1.
Long Read_Card(const QString& text, qsizetype at, qsizetype& length) {
    qsizetype rankLength = 0;
    const Long rank = Read_Rank(text, at, rankLength);
    const Long suit = rank ? Read_Suit(text, at + rankLength) : 0;
    if (!suit) {
        length = 0;
        return -1;
    }
    length = rankLength + 1;
    return modOdds::Card_Index(suit, rank);
}

void Fault(Entry& entry, Problem problem, qsizetype start, qsizetype length) {
    entry.problem = problem;
    entry.errorStart = start;
    entry.errorLength = length;
    entry.count = 0;
}

} // namespace

Entry Read_Entry(const QString& text) {
    Entry entry;
    bool typed[modOdds::CardCount] = {};
    bool chosen[modOdds::CardCount] = {};
    for (Long i = 0; i < modOdds::CardCount; ++i)
        chosen[i] = modOdds::BoardGrid[modOdds::Card_Suit(i)][modOdds::Card_Rank(i)] == 1;
    Long onBoard = modOdds::CardsChosen;

    qsizetype at = 0;
    while (at < text.size()) {
        if (Is_Separator(text.at(at))) {
            ++at;
            continue;
        }
        qsizetype length = 0;
        const Long card = Read_Card(text, at, length);
        if (card < 0) {
            // The token at fault runs to the next separator.
            qsizetype end = at;
            while (end < text.size() && !Is_Separator(text.at(end)))
                ++end;
            Fault(entry, Problem::NotACard, at, end - at);
            return entry;
        }
        if (onBoard >= modBoard::Last_Card_Of_Hand()) { // the hand is full: this card starts the next one
            for (Long i = 0; i < modOdds::CardCount; ++i)
                typed[i] = chosen[i] = false;
            onBoard = 0;
            entry.count = 0;
            entry.newHand = true;
        }
        if (typed[card]) {
            Fault(entry, Problem::Repeated, at, length);
            return entry;
        }
        if (chosen[card]) {
            Fault(entry, Problem::AlreadyChosen, at, length);
            return entry;
        }
        typed[card] = true;
        chosen[card] = true;
        entry.cards[entry.count++] = card;
        ++onBoard;
        at += length;
    }
    return entry;
}

QString Problem_Text(Problem problem) {
    switch (problem) {
    case Problem::NotACard:
        return QCoreApplication::translate("cardnotation", "is not a card");
    case Problem::AlreadyChosen:
        return QCoreApplication::translate("cardnotation", "is already chosen");
    case Problem::Repeated:
        return QCoreApplication::translate("cardnotation", "is typed twice");
    case Problem::None:
        break;
    }
    return QString();
}

} // namespace cardnotation
