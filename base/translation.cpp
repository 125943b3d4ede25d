#include "base/translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace translation {

namespace {

QString FolderOverride;
std::unique_ptr<QTranslator> Program;
std::unique_ptr<QTranslator> Qt_Own;

const QString FilePrefix = QStringLiteral("quorvane_");

} // namespace

// Beside the program first, then the program's data folder (/usr/bin beside /usr/share).
QString Translations_Folder() {
    if (!FolderOverride.isEmpty()) return FolderOverride;
    const QDir program(QCoreApplication::applicationDirPath());
    const QString beside = program.filePath(QStringLiteral("translations"));
    if (QFileInfo(beside).isDir()) return beside;
    return QDir::cleanPath(program.filePath(QStringLiteral("../share/quorvane/translations")));
}

void Set_Translations_Folder(const QString& folder) {
    FolderOverride = folder;
}

bool Install(const QLocale& locale) {
    Remove();
    auto program = std::make_unique<QTranslator>();
    if (!program->load(locale, QStringLiteral("quorvane"), QStringLiteral("_"), Translations_Folder()))
        return false;
    // Only a file made for a language counts: a bare "quorvane.qm" would speak to every locale.
    if (!QFileInfo(program->filePath()).fileName().startsWith(FilePrefix)) return false;
    QCoreApplication::installTranslator(program.get());
    Program = std::move(program);
    auto own = std::make_unique<QTranslator>();
    if (own->load(QLocale(Program->language()), QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(own.get());
        Qt_Own = std::move(own);
    }
    return true;
}

void Remove() {
    if (Qt_Own) QCoreApplication::removeTranslator(Qt_Own.get());
    if (Program) QCoreApplication::removeTranslator(Program.get());
    Qt_Own.reset();
    Program.reset();
}

} // namespace translation
