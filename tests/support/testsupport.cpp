#include "tests/support/testsupport.h"

#include "advice/preflopstats.h"
#include "advice/strategy.h"
#include "cards/cardcodes.h"
#include "cards/mododds.h"
#include "config/modencrypt.h"
#include "config/modglobal.h"
#include "mainwindow/modboard.h"

#include <QDir>
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

void Reset_Program_State() {
    modOdds::Reset_State();
    modBoard::Reset();
    Reset_Strategy();
    Reset_Stats();
    modGlobal::Reset_Settings();
}

bool Write_Stats_File(const QString& path, const QList<Stats_Row>& rows) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    for (const Stats_Row& row : rows) {
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

} // namespace testsupport
