#include "cards/handclass.h"

std::optional<HandClass> HandClass::Of_Key(QStringView key) {
    if (key.size() != 2 && key.size() != 4) return {};
    if (key.size() == 4 && key.sliced(2) != QLatin1String(" s")) return {};
    const int high = cards::Rank_Code_Of_Letter(key[0].toLatin1());
    const int low = cards::Rank_Code_Of_Letter(key[1].toLatin1());
    const bool suited = key.size() == 4;
    // Higher rank first; a pair has no suited form.
    if (high < 0 || low < 0 || low > high || (suited && high == low)) return {};
    return Of_Ranks(high, low, suited);
}

QString HandClass::Key() const {
    const char letters[] = {cards::Rank_Letter_Of_Code(high_), cards::Rank_Letter_Of_Code(low_)};
    QString key = QString::fromLatin1(letters, 2);
    if (suited_) key += QStringLiteral(" s");
    return key;
}
