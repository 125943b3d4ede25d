#include "base/errorreport.h"

#include "base/messages.h"

#include <QCoreApplication>

Long ErrNumber = 0;
QString ErrDescription;
QString ErrProcedure;

namespace err {

namespace {

struct Entry {
    Long number;
    const char* text;
};

constexpr Entry Table[] = {
    {InvalidCall, QT_TRANSLATE_NOOP("err", "Invalid procedure call or argument")},
    {Overflow, QT_TRANSLATE_NOOP("err", "Overflow")},
    {OutOfMemory, QT_TRANSLATE_NOOP("err", "Out of memory")},
    {Subscript, QT_TRANSLATE_NOOP("err", "Subscript out of range")},
    {TypeMismatch, QT_TRANSLATE_NOOP("err", "Type mismatch")},
    {NoAssociation, QT_TRANSLATE_NOOP("err", "No application is associated with this address")},
    {BadFileName, QT_TRANSLATE_NOOP("err", "Bad file name or number")},
    {FileNotFound, QT_TRANSLATE_NOOP("err", "File not found")},
    {BadFileMode, QT_TRANSLATE_NOOP("err", "Bad file mode")},
    {DeviceIO, QT_TRANSLATE_NOOP("err", "Device I/O error")},
    {DiskFull, QT_TRANSLATE_NOOP("err", "Disk full")},
    {InputPastEnd, QT_TRANSLATE_NOOP("err", "Input past end of file")},
    {PermissionDenied, QT_TRANSLATE_NOOP("err", "Permission denied")},
    {PathFileAccess, QT_TRANSLATE_NOOP("err", "Path/File access error")},
    {PathNotFound, QT_TRANSLATE_NOOP("err", "Path not found")},
};

} // namespace

QString Description(Long number) {
    for (const Entry& entry : Table)
        if (entry.number == number) return QCoreApplication::translate("err", entry.text);
    return QCoreApplication::translate("err", "Application-defined or object-defined error");
}

} // namespace err

void Raise_Error(Long number, const QString& detail) {
    QString description = err::Description(number);
    if (!detail.isEmpty()) description += QStringLiteral(": ") + detail;
    throw AppError(number, description);
}

void ShowError() {
    const QString crlf = QStringLiteral("\r\n");
    const QString text =
        ErrDescription + crlf + crlf + QString::number(ErrNumber) + crlf + crlf + ErrProcedure;
    const QString title =
        ErrProcedure.isEmpty() ? QCoreApplication::translate("err", "Application Error") : ErrProcedure;
    msg::Show_Message(text, title, msg::Icon::Exclamation);
}

void Report_Error(const QString& procedure, Long number, const QString& description) {
    ErrNumber = number;
    ErrDescription = description;
    ErrProcedure = procedure;
    ShowError();
}
