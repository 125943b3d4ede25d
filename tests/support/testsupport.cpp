#include "tests/support/testsupport.h"

#include "advice/preflopstats.h"
#include "advice/strategy.h"
#include "cards/cardcodes.h"
#include "cards/mododds.h"
#include "config/modencrypt.h"
#include "config/modglobal.h"
#include "flow/modboard.h"
#include "flow/modrange.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <cstdio>
#include <cstdlib>

namespace testsupport {

Long Card_Index_Of(const QString& text) {
    QString t = text.trimmed();
    if (t.startsWith(QLatin1String("10"))) t.replace(0, 2, QStringLiteral("T"));
    if (t.size() != 2) return -1;
    const QByteArray name = (t.left(1).toUpper() + t.mid(1).toLower()).toLatin1();
    return cards::Card_Of_Name(std::string_view(name.constData(), 2));
}

Long Card(const QString& text) {
    const Long index = Card_Index_Of(text);
    if (index < 0) {
        std::fprintf(stderr, "no such card: %s\n", qPrintable(text));
        std::abort();
    }
    return index;
}

QString Card_Name(Long index) {
    if (index < 0 || index >= cards::CardCount) return QStringLiteral("--");
    const std::array<char, 2> name = cards::Card_Name(index);
    return QString::fromLatin1(name.data(), 2);
}

QList<Long> Cards(const QString& list) {
    QList<Long> cards;
    for (const QString& text : list.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        cards << Card(text);
    return cards;
}

QList<Step> Steps(const QString& hand) {
    QList<Step> steps;
    for (const QString& token : hand.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (token == QLatin1String("!")) {
            steps << Step{Step::Clear, -1};
            continue;
        }
        const QChar mark = token.at(0);
        const Step::Kind kind = mark == QLatin1Char('-')   ? Step::Release
                                : mark == QLatin1Char('~') ? Step::Tick
                                                           : Step::Choose;
        steps << Step{kind, Card(kind == Step::Choose ? token : token.mid(1))};
    }
    return steps;
}

void Play(const QString& hand) {
    for (const Step& step : Steps(hand)) {
        switch (step.kind) {
        case Step::Choose:
            modBoard::Card_Chosen(step.card, modBoard::Via::Frame);
            break;
        case Step::Release:
            modBoard::Card_Released(step.card, modBoard::Via::Frame);
            break;
        case Step::Tick:
            modBoard::Card_Chosen(step.card, modBoard::Via::CheckBox);
            break;
        case Step::Clear:
            modBoard::Clear();
            break;
        }
    }
}

void Mark_Cards(const QString& cards) {
    for (const Step& step : Steps(cards)) {
        const Long suit = modOdds::Card_Suit(step.card), rank = modOdds::Card_Rank(step.card);
        step.kind == Step::Release ? modOdds::Unmark_Card(suit, rank) : modOdds::Mark_Card(suit, rank);
    }
}

void Reset_Program_State() {
    modOdds::Reset_State();
    modBoard::Reset();
    modRange::Reset_Range();
    advice::Reset_Strategy();
    advice::Reset_Stats();
    modGlobal::Reset_Settings();
}

bool Write_Stats_File(const QString& path, const QList<StatsRow>& rows) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    for (const StatsRow& row : rows) {
        QStringList fields;
        for (const QString& f : row)
            fields << modEncrypt::Encrypt_With_Keys(f, 47, 50, 53, 46);
        const QByteArray line = fields.join(QLatin1Char(',')).toLatin1() + "\r\n";
        if (file.write(line) != line.size()) return false;
    }
    return file.flush();
}

QByteArray Read_File(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool Write_File(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

void Wait_For_Figures(const showdown::Calculator& calculator, bool final) {
    const auto come = [&] { return calculator.Has_Result() && (!final || calculator.Latest().final); };
    if (come()) return;
    QEventLoop loop;
    QObject::connect(&calculator, &showdown::Calculator::resultReady, &loop, [&] {
        if (come()) loop.quit();
    });
    loop.exec();
}

} // namespace testsupport
