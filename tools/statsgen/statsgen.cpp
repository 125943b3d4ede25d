// statsgen: computes the statistics of the 169 starting hands of hold'em and writes the enciphered
// statistics file that the program reads from its own folder.
//
//   statsgen [--montecarlo] [--plain] OUTPUT
//
// Every run first checks the seven-card evaluator against the known category counts of all 133,784,560
// seven-card hands (and the five-card counts), then computes each hand's all-in equity against one
// random hand by full enumeration: every opponent hand and every five-card board, ties counting half.
// Each row carries the hand's key, equity, advice word, rank, hands at that rank and group, then the
// exact number of deals it wins and ties out of 2,097,572,400 (every board of the 50 other cards times
// every opponent hand of the 45 left), which the showdown odds read.
// --montecarlo adds a seeded Monte Carlo estimate for a few hands beside the exact figures; --plain
// writes the file without the cipher (for reading by eye, not for shipping). The cipher keys come from a
// fixed-seed generator, so a second run writes the same file byte for byte.

#include "advice/preflopstats.h"
#include "cards/handclass.h"
#include "config/modencrypt.h"
#include "showdown/evaluator.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------------
// Cards: index = suit * 13 + rank, rank 0 = deuce .. 12 = ace (the program's own card numbering).

constexpr int Deck = cards::CardCount;

// The seven-card evaluator is the program's own (showdown/evaluator.h): a value whose top bits are the
// category code 1 "High Card" .. 9 "Straight Flush"; a larger value is a better hand.

using showdown::Cards;
using showdown::Evaluator;

constexpr const char* CategoryNames[] = {"high card",       "pair",           "two pair",
                                         "three of a kind", "straight",       "flush",
                                         "full house",      "four of a kind", "straight flush"};

// The slot 0..8 of a value's category in the tables below.
inline int Category_Slot(std::uint32_t value) {
    return showdown::Category_Of(value) - 1;
}

// ---------------------------------------------------------------------------------------------------
// Evaluator self-check: every five-card and every seven-card hand, counted by category.

struct Counter {
    std::uint64_t byCategory[9] = {};
};

void Count_Hands(int cardsLeft, int from, Cards hand, Counter& counter, std::vector<bool>& seen) {
    if (cardsLeft == 0) {
        const std::uint32_t v = Evaluator::Get().Rate(hand);
        ++counter.byCategory[Category_Slot(v)];
        seen[v] = true;
        return;
    }
    for (int c = from; c <= Deck - cardsLeft; ++c)
        Count_Hands(cardsLeft - 1, c + 1, hand + showdown::Card(c), counter, seen);
}

bool Self_Check() {
    // The classic counts of all hands, by category.
    static const std::uint64_t five[9] = {1302540, 1098240, 123552, 54912, 10200, 5108, 3744, 624, 40};
    static const std::uint64_t seven[9] = {23294460, 58627800, 31433400, 6461620, 6180020,
                                           4047644,  3473184,  224848,   41584};
    bool ok = true;
    for (int n : {5, 7}) {
        Counter counter;
        std::vector<bool> seen(std::size_t{1} << 16);
        Count_Hands(n, 0, Cards{}, counter, seen);
        const std::uint64_t* expected = n == 5 ? five : seven;
        std::uint64_t total = 0;
        for (int c = 8; c >= 0; --c) {
            total += counter.byCategory[c];
            const bool match = counter.byCategory[c] == expected[c];
            ok = ok && match;
            std::printf("  %d cards %-16s %10llu %s\n", n, CategoryNames[c],
                        static_cast<unsigned long long>(counter.byCategory[c]), match ? "ok" : "WRONG");
        }
        const std::size_t distinct = static_cast<std::size_t>(std::count(seen.begin(), seen.end(), true));
        // 7,462 distinct five-card hands; 4,824 of them can be the best five of seven cards.
        const std::size_t expectedDistinct = n == 5 ? 7462 : 4824;
        ok = ok && distinct == expectedDistinct;
        std::printf("  %d cards: %llu hands, %zu distinct values %s\n", n,
                    static_cast<unsigned long long>(total), distinct,
                    distinct == expectedDistinct ? "ok" : "WRONG");
    }
    return ok;
}

// ---------------------------------------------------------------------------------------------------
// Full enumeration. For each five-card board every pair of the 47 other cards is evaluated once; a
// pair's wins and ties against all pairs that share no card with it follow from counts over the pairs
// sorted by value: (pairs below it) - (pairs below it holding its first card) - (... its second card),
// and likewise for the pairs equal to it, where the pair itself is added back once.
// Each of the 1,326 concrete hands gathers 2 x wins + ties over every board and opponent; the total
// number of trials per hand is C(50,5) x C(45,2) = 2,118,760 x 990.

constexpr std::uint64_t BoardsPerHand = advice::PreflopBoardsPerHand;
constexpr std::uint64_t OpponentsPerBoard = advice::PreflopOpponentsPerBoard;
constexpr std::uint64_t HalfPointsPerHand = 2 * BoardsPerHand * OpponentsPerBoard;

inline int Pair_Index(int a, int b) {
    return a * Deck + b;
} // a < b

struct Worker {
    std::vector<std::uint64_t> wins = std::vector<std::uint64_t>(Deck * Deck, 0);
    std::vector<std::uint64_t> ties = std::vector<std::uint64_t>(Deck * Deck, 0);
    std::uint64_t boards = 0;

    void Board(const int (&board)[5]) {
        const Evaluator& ev = Evaluator::Get();
        int rest[47];
        int n = 0;
        std::uint64_t used = 0;
        Cards s;
        for (int c : board) {
            used |= std::uint64_t{1} << c;
            s += showdown::Card(c);
        }
        for (int c = 0; c < Deck; ++c)
            if (!(used >> c & 1u)) rest[n++] = c;

        // Sort keys: value in the high half, pair number in the low half.
        std::uint64_t keys[1081];
        std::uint8_t first[1081], second[1081];
        int p = 0;
        for (int i = 0; i < 47; ++i) {
            const Cards t = s + showdown::Card(rest[i]);
            for (int j = i + 1; j < 47; ++j) {
                first[p] = static_cast<std::uint8_t>(i);
                second[p] = static_cast<std::uint8_t>(j);
                keys[p] = (std::uint64_t{ev.Rate(t + showdown::Card(rest[j]))} << 32) |
                          static_cast<std::uint32_t>(p);
                ++p;
            }
        }
        std::sort(keys, keys + 1081);

        int below[47] = {};     // pairs already passed (strictly lower) holding each card
        int equalHere[47] = {}; // pairs of the current group of equal values holding each card
        int belowTotal = 0;
        int g = 0;
        while (g < 1081) {
            int h = g + 1;
            const std::uint64_t value = keys[g] >> 32;
            while (h < 1081 && (keys[h] >> 32) == value)
                ++h;
            for (int k = g; k < h; ++k) {
                const int q = static_cast<int>(keys[k] & 0xFFFFFFFFu);
                ++equalHere[first[q]];
                ++equalHere[second[q]];
            }
            const int groupSize = h - g;
            for (int k = g; k < h; ++k) {
                const int q = static_cast<int>(keys[k] & 0xFFFFFFFFu);
                const int a = first[q], b = second[q];
                const int wins = belowTotal - below[a] - below[b];
                const int ties = groupSize - equalHere[a] - equalHere[b] + 1;
                this->wins[Pair_Index(rest[a], rest[b])] += static_cast<std::uint64_t>(wins);
                this->ties[Pair_Index(rest[a], rest[b])] += static_cast<std::uint64_t>(ties);
            }
            for (int k = g; k < h; ++k) {
                const int q = static_cast<int>(keys[k] & 0xFFFFFFFFu);
                equalHere[first[q]] = 0;
                equalHere[second[q]] = 0;
                ++below[first[q]];
                ++below[second[q]];
            }
            belowTotal += groupSize;
            g = h;
        }
        ++boards;
    }
};

// The boards are handed out by their two lowest cards (1,326 units of work) to the threads.
struct Outcomes {
    std::vector<std::uint64_t> wins = std::vector<std::uint64_t>(Deck * Deck, 0);
    std::vector<std::uint64_t> ties = std::vector<std::uint64_t>(Deck * Deck, 0);
};

Outcomes Enumerate(int threads) {
    std::atomic<int> next{0};
    std::vector<Worker> workers(static_cast<std::size_t>(threads));
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) {
        pool.emplace_back([&, t] {
            Worker& w = workers[static_cast<std::size_t>(t)];
            for (;;) {
                const int unit = next.fetch_add(1);
                if (unit >= Deck * Deck) break;
                const int b0 = unit / Deck, b1 = unit % Deck;
                if (b1 <= b0) continue;
                int board[5] = {b0, b1, 0, 0, 0};
                for (board[2] = b1 + 1; board[2] < Deck; ++board[2])
                    for (board[3] = board[2] + 1; board[3] < Deck; ++board[3])
                        for (board[4] = board[3] + 1; board[4] < Deck; ++board[4])
                            w.Board(board);
            }
        });
    }
    for (auto& th : pool)
        th.join();
    Outcomes total;
    std::uint64_t boards = 0;
    for (const Worker& w : workers) {
        boards += w.boards;
        for (std::size_t i = 0; i < total.wins.size(); ++i) {
            total.wins[i] += w.wins[i];
            total.ties[i] += w.ties[i];
        }
    }
    if (boards != 2598960) {
        std::fprintf(stderr, "statsgen: %llu boards enumerated, expected 2598960\n",
                     static_cast<unsigned long long>(boards));
        std::exit(1);
    }
    return total;
}

// ---------------------------------------------------------------------------------------------------
// The 169 starting hands.

struct StartingHand {
    HandClass handClass;
    std::string key;              // "AA", "AK s", "AK"
    std::uint64_t halfPoints = 0; // 2 x wins + ties of each of its concrete hands (all equal by symmetry)
    std::uint64_t wins = 0;       // of each concrete hand, out of BoardsPerHand x OpponentsPerBoard deals
    std::uint64_t ties = 0;
    long hundredths = 0; // equity in hundredths of a percent, rounded
    long tenths = 0;     // equity in tenths of a percent, rounded
    int group = 9;
    int rank = 0;
    int atRank = 0;
};

// Rows in the order of the hand classes: AA, AK s, AK, AQ s, AQ, ..., 32 s, 32, 22.
std::vector<StartingHand> Starting_Hands() {
    std::vector<StartingHand> hands;
    for (int i = 0; i < HandClass::Count; ++i) {
        const HandClass c = HandClass::Of_Index(i);
        hands.push_back({c, c.Key().toStdString()});
    }
    return hands;
}

// The concrete hands (card pairs a < b) of a starting hand.
std::vector<std::pair<int, int>> Combos(const StartingHand& h) {
    int members[HandClass::MaxMembers];
    std::vector<std::pair<int, int>> out;
    for (int i = 0, n = h.handClass.Members(members); i < n; ++i)
        out.emplace_back(cards::HandCards[static_cast<std::size_t>(members[i])].low,
                         cards::HandCards[static_cast<std::size_t>(members[i])].high);
    return out;
}

// The starting-hand groups of limit hold'em by David Sklansky and Mason Malmuth, "Hold'em Poker for
// Advanced Players" (Two Plus Two Publishing, 1999 edition), the eight-group table of the first
// chapter. "A9s..A2s" style entries are written out. A hand in none of the groups is group 9.
const char* const Groups[8][18] = {
    {"AA", "KK", "QQ", "JJ", "AK s"},
    {"TT", "AQ s", "AJ s", "KQ s", "AK"},
    {"99", "JT s", "QJ s", "KJ s", "AT s", "AQ"},
    {"T9 s", "KQ", "88", "QT s", "98 s", "J9 s", "AJ", "KT s"},
    {"77", "87 s", "Q9 s", "T8 s", "KJ", "QJ", "JT", "76 s", "97 s", "A9 s", "A8 s", "A7 s", "A6 s", "A5 s",
     "A4 s", "A3 s", "A2 s", "65 s"},
    {"66", "AT", "55", "86 s", "KT", "QT", "54 s", "K9 s", "J8 s", "75 s"},
    {"44", "J9", "64 s", "T9", "53 s", "33", "98", "43 s", "22", "K8 s", "K7 s", "K6 s", "K5 s", "K4 s",
     "K3 s", "K2 s", "T7 s", "Q8 s"},
    {"87", "A9", "Q9", "76", "42 s", "32 s", "96 s", "85 s", "J8", "J7 s", "65", "54", "74 s", "K9", "T8"},
};

const char* Strategy_Word(int group) {
    switch (group) {
    case 1:
        return "Best";
    case 2:
        return "Better";
    case 3:
        return "Good";
    case 4:
        return "Marginal";
    case 5:
        return "Bad";
    case 6:
    case 7:
    case 8:
        return "Worse";
    default:
        return "Fold";
    }
}

// value / HalfPointsPerHand as a percentage, in units of 1 / scale percent, rounded half up (exact).
long Rounded_Percent(std::uint64_t halfPoints, std::uint64_t scale) {
    const unsigned __int128 num = static_cast<unsigned __int128>(halfPoints) * 100u * scale;
    return static_cast<long>((2 * num + HalfPointsPerHand) /
                             (2 * static_cast<unsigned __int128>(HalfPointsPerHand)));
}

std::string Decimal_Text(long hundredths) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%ld.%02ld", hundredths / 100, hundredths % 100);
    return buf;
}

// ---------------------------------------------------------------------------------------------------
// Monte Carlo cross-check: random opponent hand and board, a fixed seed.

double Monte_Carlo(const StartingHand& h, std::uint64_t trials, std::mt19937_64& rng) {
    const auto combos = Combos(h);
    std::uint64_t half = 0;
    for (std::uint64_t t = 0; t < trials; ++t) {
        const auto [a, b] = combos[t % combos.size()];
        int deck[Deck];
        int n = 0;
        for (int c = 0; c < Deck; ++c)
            if (c != a && c != b) deck[n++] = c;
        // Partial shuffle: two opponent cards and five board cards.
        for (int i = 0; i < 7; ++i) {
            std::uniform_int_distribution<int> pick(i, n - 1);
            std::swap(deck[i], deck[pick(rng)]);
        }
        int mine[7] = {a, b, deck[2], deck[3], deck[4], deck[5], deck[6]};
        int theirs[7] = {deck[0], deck[1], deck[2], deck[3], deck[4], deck[5], deck[6]};
        const std::uint32_t v1 = Evaluator::Get().Rate(mine, 7), v2 = Evaluator::Get().Rate(theirs, 7);
        half += v1 > v2 ? 2 : v1 == v2 ? 1 : 0;
    }
    return 100.0 * static_cast<double>(half) / (2.0 * static_cast<double>(trials));
}

} // namespace

int main(int argc, char** argv) {
    bool montecarlo = false, plain = false;
    const char* output = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--montecarlo") == 0)
            montecarlo = true;
        else if (std::strcmp(argv[i], "--plain") == 0)
            plain = true;
        else if (argv[i][0] != '-' && !output)
            output = argv[i];
        else {
            std::fprintf(stderr, "usage: statsgen [--montecarlo] [--plain] OUTPUT\n");
            return 2;
        }
    }
    if (!output) {
        std::fprintf(stderr, "usage: statsgen [--montecarlo] [--plain] OUTPUT\n");
        return 2;
    }
    using Clock = std::chrono::steady_clock;
    const auto started = Clock::now();
    auto seconds = [&] { return std::chrono::duration<double>(Clock::now() - started).count(); };

    std::printf("Checking the evaluator on every five- and seven-card hand...\n");
    if (!Self_Check()) {
        std::fprintf(stderr, "statsgen: the evaluator's counts are wrong\n");
        return 1;
    }
    std::printf("Evaluator checked (%.1f s).\n", seconds());

    const int threads = 2;
    std::printf("Enumerating 2,598,960 boards on %d threads...\n", threads);
    std::fflush(stdout);
    const Outcomes outcomes = Enumerate(threads);
    std::vector<std::uint64_t> halfPoints(Deck * Deck, 0);
    for (std::size_t i = 0; i < halfPoints.size(); ++i)
        halfPoints[i] = 2 * outcomes.wins[i] + outcomes.ties[i];
    std::printf("Enumeration done (%.1f s).\n", seconds());

    std::vector<StartingHand> hands = Starting_Hands();
    std::uint64_t grandTotal = 0;
    for (StartingHand& h : hands) {
        const auto combos = Combos(h);
        h.halfPoints = halfPoints[Pair_Index(combos[0].first, combos[0].second)];
        h.wins = outcomes.wins[Pair_Index(combos[0].first, combos[0].second)];
        h.ties = outcomes.ties[Pair_Index(combos[0].first, combos[0].second)];
        for (const auto& [a, b] : combos) {
            grandTotal += halfPoints[Pair_Index(a, b)];
            if (halfPoints[Pair_Index(a, b)] != h.halfPoints || outcomes.wins[Pair_Index(a, b)] != h.wins) {
                std::fprintf(stderr, "statsgen: the hands of %s differ by suit\n", h.key.c_str());
                return 1;
            }
        }
        h.hundredths = Rounded_Percent(h.halfPoints, 100);
        h.tenths = Rounded_Percent(h.halfPoints, 10);
    }
    // Over all 1,326 hands every trial is won by one side or tied: the equities average exactly 50%.
    if (grandTotal != 1326 * HalfPointsPerHand / 2) {
        std::fprintf(stderr, "statsgen: the equities do not average 50%%\n");
        return 1;
    }

    std::unordered_set<std::string> listed;
    for (int g = 0; g < 8; ++g)
        for (const char* key : Groups[g]) {
            if (!key) break;
            if (!listed.insert(key).second) {
                std::fprintf(stderr, "statsgen: %s is in two groups\n", key);
                return 1;
            }
            auto it =
                std::find_if(hands.begin(), hands.end(), [&](const StartingHand& h) { return h.key == key; });
            if (it == hands.end()) {
                std::fprintf(stderr, "statsgen: unknown hand %s in the groups\n", key);
                return 1;
            }
            it->group = g + 1;
        }
    for (StartingHand& h : hands) {
        h.rank = 1;
        h.atRank = 0;
        for (const StartingHand& o : hands) {
            if (o.tenths > h.tenths) ++h.rank;
            if (o.tenths == h.tenths) ++h.atRank;
        }
    }

    if (montecarlo) {
        std::mt19937_64 rng(20240601);
        const std::uint64_t trials = 4000000;
        std::printf("Monte Carlo cross-check, %llu trials per hand (standard error about 0.025 points):\n",
                    static_cast<unsigned long long>(trials));
        for (const char* key : {"AA", "KK", "AK s", "AK", "T9 s", "72", "32"}) {
            const auto& h = *std::find_if(hands.begin(), hands.end(),
                                          [&](const StartingHand& x) { return x.key == key; });
            const double mc = Monte_Carlo(h, trials, rng);
            const double exact =
                100.0 * static_cast<double>(h.halfPoints) / static_cast<double>(HalfPointsPerHand);
            std::printf("  %-5s exact %8.4f  monte carlo %8.4f  difference %+.4f\n", key, exact, mc,
                        mc - exact);
        }
    }

    // Cipher keys 46..54 from a fixed-seed generator (the raw output of mt19937 is the same everywhere).
    // Fields 7 and 8 (the exact wins and ties) draw theirs from a second generator, so that the keys of
    // the first six fields are the same as in a file without them.
    std::mt19937 keys(46545454u);
    std::mt19937 countKeys(78787878u);
    auto cipher = [&](const std::string& text, std::mt19937& from) {
        auto key = [&] { return 46 + static_cast<int>(from() % 9u); };
        const QString plainText = QString::fromLatin1(text.c_str());
        const int k1 = key(), k2 = key(), k3 = key(), k4 = key();
        if (plain) return plainText;
        const QString c = modEncrypt::Encrypt_With_Keys(plainText, k1, k2, k3, k4);
        if (c == modEncrypt::EncryptError || modEncrypt::Decrypt(c) != plainText) {
            std::fprintf(stderr, "statsgen: the cipher does not round-trip %s\n", text.c_str());
            std::exit(1);
        }
        return c;
    };

    QByteArray file;
    for (const StartingHand& h : hands) {
        const std::string fields[8] = {h.key,
                                       Decimal_Text(h.hundredths),
                                       Strategy_Word(h.group),
                                       std::to_string(h.rank),
                                       std::to_string(h.atRank),
                                       std::to_string(h.group),
                                       std::to_string(h.wins),
                                       std::to_string(h.ties)};
        for (int f = 0; f < 8; ++f) {
            if (f) file += ',';
            file += cipher(fields[f], f < 6 ? keys : countKeys).toLatin1();
        }
        file += "\r\n";
        std::printf("%-5s %6s  rank %3d  at rank %d  group %d  %s\n", h.key.c_str(),
                    Decimal_Text(h.hundredths).c_str(), h.rank, h.atRank, h.group, Strategy_Word(h.group));
    }
    QFile out(QString::fromLocal8Bit(output));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(file) != file.size()) {
        std::fprintf(stderr, "statsgen: cannot write %s\n", output);
        return 1;
    }
    out.close();
    std::printf("Wrote %s: %zu rows (%.1f s in all).\n", output, hands.size(), seconds());
    return 0;
}
