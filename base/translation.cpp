#include "base/translation.h"

#include "base/datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace translation {

namespace {

std::unique_ptr<QTranslator> Program;
std::unique_ptr<QTranslator> Qt_Own;

const QString FilePrefix = QStringLiteral("quorvane_");

} // namespace

// Beside the program first, then the program's data folder (/usr/bin beside /usr/share).
QString Translations_Folder() {
    const QString folder = QStringLiteral("translations");
    return QDir(Data_Folder(QCoreApplication::applicationDirPath(), folder, QStringLiteral("share/quorvane")))
        .filePath(folder);
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
