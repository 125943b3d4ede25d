#include "shell/errorreport.h"

#include "shell/messages.h"

Long ErrNumber = 0;
QString ErrDescription;
QString ErrProcedure;

void Raise_Error(Long number, const QString& description) {
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
