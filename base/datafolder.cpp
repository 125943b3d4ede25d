#include "base/datafolder.h"

#include <QDir>
#include <QFileInfo>

QString Data_Folder(const QString& programFolder, const QString& fileName, const QString& sharedFolder) {
    const QDir program(programFolder);
    if (QFileInfo::exists(program.filePath(fileName))) return programFolder;
    const QString shared = QDir::cleanPath(program.filePath(QStringLiteral("../") + sharedFolder));
    if (QFileInfo::exists(QDir(shared).filePath(fileName))) return shared;
    return programFolder;
}
