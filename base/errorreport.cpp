#include "base/errorreport.h"

#include "base/messages.h"

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
    {InvalidCall, "Invalid procedure call or argument"},
    {Overflow, "Overflow"},
    {OutOfMemory, "Out of memory"},
    {Subscript, "Subscript out of range"},
    {TypeMismatch, "Type mismatch"},
    {NoAssociation, "No application is associated with this address"},
    {BadFileName, "Bad file name or number"},
    {FileNotFound, "File not found"},
    {BadFileMode, "Bad file mode"},
    {DeviceIO, "Device I/O error"},
    {DiskFull, "Disk full"},
    {InputPastEnd, "Input past end of file"},
    {PermissionDenied, "Permission denied"},
    {PathFileAccess, "Path/File access error"},
    {PathNotFound, "Path not found"},
};

} // namespace

QString Description(Long number) {
    for (const Entry& entry : Table)
        if (entry.number == number) return QString::fromLatin1(entry.text);
    return QStringLiteral("Application-defined or object-defined error");
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
    const QString title = ErrProcedure.isEmpty() ? QStringLiteral("Application Error") : ErrProcedure;
    msg::Show_Message(text, title, msg::Icon::Exclamation);
}

void Report_Error(const QString& procedure, Long number, const QString& description) {
    ErrNumber = number;
    ErrDescription = description;
    ErrProcedure = procedure;
    ShowError();
}
