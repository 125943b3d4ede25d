#pragma once

#include "base/long.h"

#include <QCoreApplication>
#include <QString>
#include <cstdint>
#include <exception>

// The program-wide error report. A procedure that meets a run-time error stores its number, its
// description and the procedure's own name, shows the report and ends; nothing is retried and nothing
// reaches the caller.

extern Long ErrNumber;
extern QString ErrDescription;
extern QString ErrProcedure;

// Error numbers, as the classic run-time library numbers them, and (in Description) the one text that
// goes with each.
namespace err {
inline constexpr Long InvalidCall = 5;
inline constexpr Long Overflow = 6;
inline constexpr Long OutOfMemory = 7;
inline constexpr Long Subscript = 9;
inline constexpr Long TypeMismatch = 13;
inline constexpr Long NoAssociation = 31; // the system has nothing that opens an address
inline constexpr Long BadFileName = 52;
inline constexpr Long FileNotFound = 53;
inline constexpr Long BadFileMode = 54;
inline constexpr Long DeviceIO = 57;
inline constexpr Long DiskFull = 61;
inline constexpr Long InputPastEnd = 62;
inline constexpr Long PermissionDenied = 70;
inline constexpr Long PathFileAccess = 75;
inline constexpr Long PathNotFound = 76;

// The description of an error number ("Permission denied" for 70); a number the table lacks has
// "Application-defined or object-defined error".
QString Description(Long number);
} // namespace err

// A run-time error raised inside a procedure; caught by Trap.
struct AppError : std::exception {
    Long number;
    QString description;
    AppError(Long n, QString d) : number(n), description(std::move(d)) {}
    const char* what() const noexcept override { return "AppError"; }
};

// Raises the error with the description of its number, followed by ": " and the detail when there is
// one ("Permission denied: /home/me/.config/Quorvane/QVNSTATE.qvs").
[[noreturn]] void Raise_Error(Long number, const QString& detail = QString());

// Shows the report for ErrNumber, ErrDescription and ErrProcedure: the description, a blank line, the
// number, a blank line and the procedure name, titled with the procedure name ("Application Error"
// when it is empty), with the exclamation icon.
void ShowError();

// Fills the three values and shows the report.
void Report_Error(const QString& procedure, Long number, const QString& description);

// Runs body; an AppError or any other exception it throws is reported under the procedure's name.
// Returns true when the body ran to its end.
template <class F> bool Trap(const char* procedure, F&& body) noexcept {
    try {
        body();
        return true;
    } catch (const AppError& e) {
        Report_Error(QString::fromLatin1(procedure), e.number, e.description);
    } catch (const std::bad_alloc&) {
        Report_Error(QString::fromLatin1(procedure), err::OutOfMemory, err::Description(err::OutOfMemory));
    } catch (const std::exception& e) {
        Report_Error(QString::fromLatin1(procedure), err::InvalidCall, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        Report_Error(QString::fromLatin1(procedure), err::InvalidCall,
                     QCoreApplication::translate("err", "Unexpected error"));
    }
    return false;
}
