#include "showdown/rangenotation.h"

#include <QRegularExpression>
#include <QStringList>

#include <optional>
#include <utility>

namespace rangenotation {

using showdown::Range;

namespace {

enum class Kind { Pair, Suited, Offsuit, Both };

// One class as typed: "77", "AKs", "AKo", "AK".
struct ClassToken {
    int high = 0;
    int low = 0;
    Kind kind = Kind::Pair;
};

int Rank_Of(QChar c) {
    return c.unicode() < 128 ? cards::Rank_Code_Of_Letter(static_cast<char>(c.unicode())) : -1;
}

int Suit_Of(QChar c) {
    for (int s = 0; s < 4; ++s)
        if (c == QChar(QLatin1Char(cards::SuitLetterText[s])).toUpper()) return s;
    return -1;
}

// The token in upper case.
std::optional<ClassToken> Class_Of(QStringView t) {
    if (t.size() != 2 && t.size() != 3) return {};
    const int r1 = Rank_Of(t[0]), r2 = Rank_Of(t[1]);
    if (r1 < 0 || r2 < 0) return {};
    ClassToken c{std::max(r1, r2), std::min(r1, r2), Kind::Pair};
    if (t.size() == 2) {
        if (r1 != r2) c.kind = Kind::Both;
        return c;
    }
    if (r1 == r2) return {}; // a pair has no suited or offsuit form
    if (t[2] == QLatin1Char('S'))
        c.kind = Kind::Suited;
    else if (t[2] == QLatin1Char('O'))
        c.kind = Kind::Offsuit;
    else
        return {};
    return c;
}

// Adds the classes of the token's high card with kickers low..high (or the pairs low..high).
void Add_Span(Range& range, const ClassToken& c, int low, int high) {
    for (int r = low; r <= high; ++r) {
        if (c.kind == Kind::Pair) range.Set_Class(HandClass::Of_Ranks(r, r, false), Range::MaxWeight);
        if (c.kind == Kind::Suited || c.kind == Kind::Both)
            range.Set_Class(HandClass::Of_Ranks(c.high, r, true), Range::MaxWeight);
        if (c.kind == Kind::Offsuit || c.kind == Kind::Both)
            range.Set_Class(HandClass::Of_Ranks(c.high, r, false), Range::MaxWeight);
    }
}

bool Add_Token(Range& range, QStringView t) {
    if (t == QLatin1String("RANDOM") || t == QLatin1String("ANY")) {
        for (int h = 0; h < cards::HandCount; ++h)
            range.Set_Weight(h, Range::MaxWeight);
        return true;
    }
    if (t.size() == 4 && Suit_Of(t[1]) >= 0 && Suit_Of(t[3]) >= 0) {
        const int r1 = Rank_Of(t[0]), r2 = Rank_Of(t[2]);
        if (r1 < 0 || r2 < 0) return false;
        const int a = cards::Card_Of_Codes(Suit_Of(t[1]), r1), b = cards::Card_Of_Codes(Suit_Of(t[3]), r2);
        if (a == b) return false;
        range.Set_Weight(cards::Hand_Index(a, b), Range::MaxWeight);
        return true;
    }
    if (t.endsWith(QLatin1Char('+'))) {
        const std::optional<ClassToken> c = Class_Of(t.chopped(1));
        if (!c) return false;
        if (c->kind == Kind::Pair)
            Add_Span(range, *c, c->low, cards::RankCount - 1);
        else
            Add_Span(range, *c, c->low, c->high - 1);
        return true;
    }
    const qsizetype dash = t.indexOf(QLatin1Char('-'));
    if (dash >= 0) {
        const std::optional<ClassToken> a = Class_Of(t.first(dash)), b = Class_Of(t.sliced(dash + 1));
        // A span of pairs, or of one high card's kickers of one kind.
        if (!a || !b || a->kind != b->kind || (a->kind != Kind::Pair && a->high != b->high)) return false;
        Add_Span(range, *a, std::min(a->low, b->low), std::max(a->low, b->low));
        return true;
    }
    const std::optional<ClassToken> c = Class_Of(t);
    if (!c) return false;
    Add_Span(range, *c, c->low, c->low);
    return true;
}

QChar Rank_Char(int rank) {
    return QLatin1Char(cards::Rank_Letter_Of_Code(rank));
}

// The runs of kickers (or pair ranks) set in `in`, from the top rank `top` down, as text.
void Write_Runs(QStringList& out, const bool* in, int top, int high, const QString& suffix, bool pair) {
    auto name = [&](int r) {
        return pair ? QString(2, Rank_Char(r)) : QString(Rank_Char(high)) + Rank_Char(r) + suffix;
    };
    for (int r = top; r >= 0;) {
        if (!in[r]) {
            --r;
            continue;
        }
        const int hi = r;
        while (r >= 0 && in[r])
            --r;
        const int lo = r + 1;
        if (lo == hi)
            out << name(hi);
        else if (hi == top)
            out << name(lo) + QLatin1Char('+');
        else
            out << name(hi) + QLatin1Char('-') + name(lo);
    }
}

} // namespace

Parsed Parse(QStringView text) {
    Parsed parsed;
    Range range;
    for (int h = 0; h < cards::HandCount; ++h)
        range.Set_Weight(h, 0);
    static const QRegularExpression tokens(QStringLiteral("[^,\\s]+"));
    const QString typed = text.toString();
    for (auto it = tokens.globalMatch(typed); it.hasNext();) {
        const QString token = it.next().captured();
        if (!Add_Token(range, token.toUpper())) {
            parsed.refused = token;
            return parsed;
        }
    }
    parsed.valid = true;
    parsed.range = range;
    return parsed;
}

int Combos(const Range& range) {
    int n = 0;
    for (int h = 0; h < cards::HandCount; ++h)
        n += range.Weight(h) > 0;
    return n;
}

Range Of_Classes(const bool (&chosen)[HandClass::Count]) {
    Range range;
    for (int i = 0; i < HandClass::Count; ++i)
        range.Set_Class(HandClass::Of_Index(i), chosen[i] ? Range::MaxWeight : 0);
    return range;
}

QString Shortest(const Range& range) {
    const int combos = Combos(range);
    if (combos == cards::HandCount) return QStringLiteral("any");
    if (combos == 0) return QString();
    // Each class whole, partly or not in the range.
    bool whole[HandClass::Count] = {};
    QStringList hands;
    for (int i = 0; i < HandClass::Count; ++i) {
        const HandClass c = HandClass::Of_Index(i);
        int members[HandClass::MaxMembers];
        const int n = c.Members(members);
        int in = 0;
        for (int m = 0; m < n; ++m)
            in += range.Weight(members[m]) > 0;
        whole[i] = in == n;
        if (in == 0 || in == n) continue;
        for (int m = 0; m < n; ++m) {
            if (range.Weight(members[m]) <= 0) continue;
            const cards::CardPair p = cards::HandCards[static_cast<std::size_t>(members[m])];
            // The higher rank first; a pair in the order of the suits (the lower card index first).
            int a = p.low, b = p.high;
            if (cards::Rank_Code(a) < cards::Rank_Code(b)) std::swap(a, b);
            const auto x = cards::Card_Name(a), y = cards::Card_Name(b);
            hands << QString::fromLatin1(x.data(), 2) + QString::fromLatin1(y.data(), 2);
        }
    }
    QStringList out;
    bool in[cards::RankCount] = {};
    for (int r = 0; r < cards::RankCount; ++r)
        in[r] = whole[HandClass::Of_Ranks(r, r, false).Index()];
    Write_Runs(out, in, cards::RankCount - 1, 0, QString(), true);
    for (const bool suited : {true, false})
        for (int high = cards::RankCount - 1; high >= 1; --high) {
            bool kicker[cards::RankCount] = {};
            for (int r = 0; r < high; ++r)
                kicker[r] = whole[HandClass::Of_Ranks(high, r, suited).Index()];
            Write_Runs(out, kicker, high - 1, high, QLatin1String(suited ? "s" : "o"), false);
        }
    out << hands;
    return out.join(QLatin1String(", "));
}

} // namespace rangenotation
