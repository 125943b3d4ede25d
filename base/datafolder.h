#pragma once

#include <QString>

// The folder holding a file that the program ships: beside the program, as in the build folder, or
// sharedFolder ("share/quorvane") next to the program's own folder once installed under a prefix
// (/usr/bin beside /usr/share). Beside the program comes first; when neither place holds the file, the
// program's folder is the one named.
QString Data_Folder(const QString& programFolder, const QString& fileName, const QString& sharedFolder);
