#include "config/modglobal.h"

#include "base/errorreport.h"
#include "base/numbers.h"
#include "config/inifile.h"
#include "config/modencrypt.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QVariant>

#include <algorithm>
#include <cmath>

namespace modGlobal {

Long OPTIONS = 0;
double MINBET = 0;
double MAXBET = 0;
Long NUMRAISES = 0;
Long POTSIZEAVG = 0;

namespace {

// Where the five come from. Only values read from the file (or repaired there) are the user's to
// store. After a first load that failed the program runs on the defaults and keeps nothing, so that it
// never writes over a file it could not read, until a later load succeeds.
enum class Source { Nothing, File, UnkeptDefaults };
Source SettingsSource = Source::Nothing;

// Whether a write has reported that something other than a lock file stands at the lock's name: while
// it stays there, writes fail at once without a word.
bool LockBlockReported = false;

// What a first load that failed adds to its cause.
QString Not_Kept() {
    return QCoreApplication::translate(
        "modGlobal", "\r\nThe settings cannot be kept: until they can be read, the program runs on its "
                     "defaults and stores no change.");
}

const QString KeyOptions = QStringLiteral("OPTIONS");
const QString KeyMinBet = QStringLiteral("MINBET");
const QString KeyMaxBet = QStringLiteral("MAXBET");
const QString KeyNumRaises = QStringLiteral("NUMRAISES");
const QString KeyPotSizeAvg = QStringLiteral("POTSIZEAVG");

constexpr Long DefaultOptions = 0;
constexpr double DefaultMinBet = 1;
constexpr double DefaultMaxBet = 2;
constexpr Long DefaultNumRaises = 3;
constexpr Long DefaultPotSizeAvg = 40;

// The five, in the order of the file.
enum Setting { Options, MinBet, MaxBet, NumRaises, PotSizeAvg, SettingCount };
const QString* const Keys[SettingCount] = {&KeyOptions, &KeyMinBet, &KeyMaxBet, &KeyNumRaises,
                                           &KeyPotSizeAvg};

// A setting's value in memory; a double holds every 32-bit whole number exactly.
double In_Memory(Setting setting) {
    switch (setting) {
    case Options:
        return OPTIONS;
    case MinBet:
        return MINBET;
    case MaxBet:
        return MAXBET;
    case NumRaises:
        return NUMRAISES;
    default:
        return POTSIZEAVG;
    }
}

// The value of each setting that this copy last read from the file or wrote to it (none before the first
// load). A value in memory that differs from it is one that this copy changed since: only such values
// are written back, so that what another copy stored meanwhile stays.
std::optional<double> InFile[SettingCount];

void Note_All_In_File() {
    for (int s = 0; s < SettingCount; ++s)
        InFile[s] = In_Memory(Setting(s));
}

// A value in the file that cannot stand for its setting.
[[noreturn]] void Damaged() {
    Raise_Error(err::TypeMismatch);
}

// The file as it is first created: the section, then the five defaults, each enciphered and quoted.
QByteArray First_Content() {
    const QByteArray crlf = QByteArrayLiteral("\r\n");
    QByteArray content = '[' + Section.toLatin1() + ']' + crlf;
    const std::pair<const QString&, QVariant> defaults[] = {
        {KeyOptions, DefaultOptions},     {KeyMinBet, DefaultMinBet},         {KeyMaxBet, DefaultMaxBet},
        {KeyNumRaises, DefaultNumRaises}, {KeyPotSizeAvg, DefaultPotSizeAvg},
    };
    for (const auto& [key, value] : defaults)
        content += key.toLatin1() + "=\"" + modEncrypt::Encrypt(value).toLatin1() + '"' + crlf;
    return content;
}

void Set_Defaults() {
    OPTIONS = DefaultOptions;
    MINBET = DefaultMinBet;
    MAXBET = DefaultMaxBet;
    NUMRAISES = DefaultNumRaises;
    POTSIZEAVG = DefaultPotSizeAvg;
}

// The plain text of one stored value; a value that Encrypt cannot have written counts as damage.
QString Plain_Value(const QByteArray& content, const QString& key) {
    const QString cipher = ini::Find_Value(content, Section, key);
    if (!modEncrypt::Keys_In_Range(cipher)) Damaged();
    const QString plain = modEncrypt::Decrypt(cipher);
    if (plain == modEncrypt::DecryptError) Damaged();
    return plain;
}

double Real_Value(const QByteArray& content, const QString& key) {
    const std::optional<double> value = Parse_Stored_Number(Plain_Value(content, key));
    if (!value) Damaged();
    return *value;
}

// Reads the five settings from the file; raises AppError when the file cannot be read or written or
// holds a damaged value. The settings change only when all five are sound. A value that is a number but
// lies outside what the settings can hold (a whole number beyond 32 bits, bets whose wagers the advice
// cannot list, as the dialog refuses them) is replaced by its default alone, in the file as well, which
// is first kept as a backup.
void Read_Settings(const QString& file) {
    const std::optional<QByteArray> content = ini::Read_File(file);
    if (!content) Raise_Error(err::FileNotFound, file);

    if (ini::Find_Value(*content, Section, KeyOptions).isEmpty()) {
        // No options stored: every setting takes its default and is written, whatever the file held;
        // the five go to the file in one write, so that it never holds some of them only.
        Set_Defaults();
        ini::Write_Values(Section,
                          {{KeyOptions, modEncrypt::Encrypt(OPTIONS)},
                           {KeyMinBet, modEncrypt::Encrypt(MINBET)},
                           {KeyMaxBet, modEncrypt::Encrypt(MAXBET)},
                           {KeyNumRaises, modEncrypt::Encrypt(NUMRAISES)},
                           {KeyPotSizeAvg, modEncrypt::Encrypt(POTSIZEAVG)}},
                          file);
        Note_All_In_File();
        return;
    }

    const double stored[] = {Real_Value(*content, KeyOptions), Real_Value(*content, KeyMinBet),
                             Real_Value(*content, KeyMaxBet), Real_Value(*content, KeyNumRaises),
                             Real_Value(*content, KeyPotSizeAvg)};
    QList<std::pair<QString, QString>> replaced;
    const auto whole = [&](const QString& key, double value, Long fallback) {
        if (const std::optional<Long> rounded = Round_To_Long(value)) return *rounded;
        replaced.append({key, modEncrypt::Encrypt(fallback)});
        return fallback;
    };
    const Long options = whole(KeyOptions, stored[0], DefaultOptions);
    const Long numRaises = whole(KeyNumRaises, stored[3], DefaultNumRaises);
    const Long potSizeAvg = whole(KeyPotSizeAvg, stored[4], DefaultPotSizeAvg);
    const auto bet = [&](const QString& key, double value, double fallback) {
        if (Unit_Fits(value, numRaises)) return value;
        replaced.append({key, modEncrypt::Encrypt(fallback)});
        return fallback;
    };
    const double minBet = bet(KeyMinBet, stored[1], DefaultMinBet);
    const double maxBet = bet(KeyMaxBet, stored[2], DefaultMaxBet);
    if (!replaced.isEmpty()) ini::Write_Values(Section, replaced, file, file + BackupSuffix);
    OPTIONS = options;
    MINBET = minBet;
    MAXBET = maxBet;
    NUMRAISES = numRaises;
    POTSIZEAVG = potSizeAvg;
    Note_All_In_File();
}

// Stores the values under their keys in the settings file in one write; false when it failed, which
// is reported under "PutIniValue" (a lock that is no lock file only the first time).
bool Write_Settings(const QList<std::pair<QString, QString>>& values) {
    const QString file = Settings_File();
    const bool blocked = ini::Lock_Blocked(file);
    if (blocked && LockBlockReported) return false;
    LockBlockReported = false;
    if (Trap("PutIniValue", [&] { ini::Write_Values(Section, values, file); })) return true;
    LockBlockReported = ini::Lock_Blocked(file);
    return false;
}

// Writes back, in one write into the file as it stands at that moment, those of the settings that this
// copy changed since it last read or wrote them; every other key keeps what the file holds. True when
// nothing needed writing or the write succeeded.
bool Write_Back(std::initializer_list<Setting> settings) {
    QList<std::pair<QString, QString>> values;
    QList<Setting> changed;
    for (const Setting s : settings) {
        if (InFile[s] && *InFile[s] == In_Memory(s)) continue;
        values.append({*Keys[s], modEncrypt::Encrypt(In_Memory(s))});
        changed.append(s);
    }
    if (values.isEmpty()) return true;
    if (!Write_Settings(values)) return false;
    for (const Setting s : changed)
        InFile[s] = In_Memory(s);
    return true;
}

// How an environment variable names a folder.
enum class Named { Nothing, Relative, NotEncodable, Folder };

// The folder that the variable names, read from its bytes by the file system's encoding. A name that
// the encoding cannot give back byte for byte would lead every file operation to another folder.
Named Folder_In(const char* variable, QString& folder) {
    const QByteArray bytes = qgetenv(variable);
    folder = QFile::decodeName(bytes);
    if (bytes.isEmpty()) return Named::Nothing;
    if (QFile::encodeName(folder) != bytes) return Named::NotEncodable;
    return bytes.startsWith('/') ? Named::Folder : Named::Relative;
}

struct FolderFound {
    QString path;    // empty when there is none
    QString problem; // then why
};

// The user's own configuration folder, as the XDG rules give it: $XDG_CONFIG_HOME when it names an
// absolute path (a relative one is ignored), else $HOME/.config. Tests use Qt's test location, which
// lies under the home folder as well. There is no folder without a home whose name the file system
// can take back.
FolderFound Find_Settings_Folder() {
    const auto none = [](const QString& why) {
        return FolderFound{
            QString(), QCoreApplication::translate("modGlobal", "no folder for the settings (%1)").arg(why)};
    };
    const QString notEncodable = QCoreApplication::translate(
        "modGlobal", "%1 holds a name that is not valid in the file system's encoding");
    QString base;
    if (!QStandardPaths::isTestModeEnabled()) {
        const Named named = Folder_In("XDG_CONFIG_HOME", base);
        if (named == Named::NotEncodable) return none(notEncodable.arg(QLatin1String("XDG_CONFIG_HOME")));
        if (named == Named::Folder) return {base + QStringLiteral("/Quorvane"), QString()};
    }
    switch (Folder_In("HOME", base)) {
    case Named::Nothing:
        return none(QCoreApplication::translate("modGlobal", "HOME is not set"));
    case Named::Relative:
        return none(QCoreApplication::translate("modGlobal", "HOME is not an absolute path"));
    case Named::NotEncodable:
        return none(notEncodable.arg(QLatin1String("HOME")));
    case Named::Folder:
        break;
    }
    if (QStandardPaths::isTestModeEnabled())
        base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    else
        base += QStringLiteral("/.config");
    return {base + QStringLiteral("/Quorvane"), QString()};
}

// Fills the five from the file, making the folder and the file, or repairing the file, as needed.
void Read_Or_Repair() {
    const FolderFound found = Find_Settings_Folder();
    if (found.path.isEmpty()) Raise_Error(err::PathNotFound, found.problem);
    ini::Make_Folder(found.path);

    const QString file = Settings_File();
    if (!QFileInfo::exists(file)) ini::Write_File(file, First_Content());

    try {
        Read_Settings(file);
    } catch (const AppError&) {
        // A damaged file: it is written anew with its first content and read again. When even that
        // fails, the error goes on to Load_Settings.
        ini::Write_File(file, First_Content(), file + BackupSuffix);
        Read_Settings(file);
    }
}

} // namespace

Long Raises_Used(Long numRaises) {
    return std::min(numRaises, MaxRaises);
}

bool Unit_Fits(double unit, Long numRaises) {
    if (!std::isfinite(unit) || !Round_To_Long(unit)) return false;
    const Long raises = std::max<Long>(Raises_Used(numRaises), 0);
    return Round_To_Long(static_cast<double>(raises + 1) * unit).has_value();
}

bool Wager_List_Fits(double minBet, double maxBet, Long numRaises) {
    if (numRaises < 0 || numRaises > MaxRaises) return false;
    return Unit_Fits(minBet, numRaises) && Unit_Fits(maxBet, numRaises);
}

QString Settings_Folder() {
    return Find_Settings_Folder().path;
}

QString Settings_File() {
    const QString folder = Settings_Folder();
    if (folder.isEmpty()) return QString();
    return folder + QLatin1Char('/') + SettingsFileName;
}

void Reset_Settings() {
    OPTIONS = 0;
    MINBET = 0;
    MAXBET = 0;
    NUMRAISES = 0;
    POTSIZEAVG = 0;
    SettingsSource = Source::Nothing;
    LockBlockReported = false;
    for (std::optional<double>& value : InFile)
        value.reset();
}

QString GetIniValue(const QString& section, const QString& key, const QString& file) {
    QString value;
    if (!Trap("GetIniValue", [&] { value = ini::Read_Value(section, key, file); })) return QString();
    return value;
}

bool PutIniValue(const QString& section, const QString& key, const QString& value, const QString& file) {
    return Trap("PutIniValue", [&] { ini::Write_Value(section, key, value, file); });
}

bool Put_Setting(const QString& key, const QString& plainText) {
    if (SettingsSource == Source::UnkeptDefaults) return false;
    if (!Write_Settings({{key, modEncrypt::Encrypt(plainText)}})) return false;
    // One of the five written this way is in the file at that value now.
    for (int s = 0; s < SettingCount; ++s)
        if (key.trimmed().compare(*Keys[s], Qt::CaseInsensitive) == 0)
            InFile[s] = Parse_Stored_Number(plainText);
    return true;
}

void Load_Settings() {
    try {
        Read_Or_Repair();
    } catch (const AppError& e) {
        // After a load that succeeded, a failure keeps the values that load gave. The first failure
        // puts the defaults in their place and says, once, why they cannot be kept; later failures
        // leave the values of this run as they are.
        if (SettingsSource == Source::File) throw;
        if (SettingsSource == Source::UnkeptDefaults) return;
        Set_Defaults();
        SettingsSource = Source::UnkeptDefaults;
        throw AppError(e.number, e.description + Not_Kept());
    }
    SettingsSource = Source::File;
}

bool Store_Table_Limits(double minBet, double maxBet, Long numRaises, Long potSizeAvg) {
    MINBET = minBet;
    MAXBET = maxBet;
    NUMRAISES = numRaises;
    POTSIZEAVG = potSizeAvg;
    if (SettingsSource == Source::UnkeptDefaults) return true;
    const bool written = Write_Back({MinBet, MaxBet, NumRaises, PotSizeAvg});
    // The values in memory then follow the file, with what another copy stored meanwhile.
    if (written && SettingsSource == Source::File) Trap("PutIniValue", [] { Load_Settings(); });
    return written;
}

void Store_Settings() {
    // Values that no load has read from the file are nobody's settings: written, they would replace
    // the file's own.
    if (SettingsSource != Source::File) return;
    // Only what this copy changed, in one write, which leaves the bytes that single writes of those
    // values, in this order, left; then the values in memory follow the file. A write that fails has
    // been reported; the settings in memory are kept rather than replaced by what the file still holds.
    if (Write_Back({Options, MinBet, MaxBet, NumRaises})) Load_Settings();
}

std::optional<QString> Get_Optional_Text(const QString& key) {
    try {
        const std::optional<QByteArray> content = ini::Read_File(Settings_File());
        if (!content) return {};
        const QString cipher = ini::Find_Value(*content, Section, key);
        if (!modEncrypt::Keys_In_Range(cipher)) return {};
        return modEncrypt::Decrypt(cipher);
    } catch (const AppError&) {
        return {}; // a file that cannot be read: the five settings' own load reports that
    }
}

Long Get_Optional_Setting(const QString& key, Long fallback, Long low, Long high) {
    const std::optional<QString> plain = Get_Optional_Text(key);
    if (!plain) return fallback;
    const std::optional<double> number = Parse_Stored_Number(*plain);
    const std::optional<Long> value = number ? Round_To_Long(*number) : std::nullopt;
    if (!value || *value < low || *value > high) return fallback;
    return *value;
}

bool Put_Optional_Setting(const QString& key, Long value) {
    return Put_Setting(key, Stored_Number_Text(static_cast<qlonglong>(value)));
}

} // namespace modGlobal
