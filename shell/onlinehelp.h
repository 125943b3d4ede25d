#pragma once

#include <QString>

// The help: pages of the program's own (HTML), shipped beside it, and the addresses that open them.
namespace onlinehelp {

// The project's home on the web, and the one place that names it: empty while the project has none, and
// every help entry and link opens the program's own pages. With a home ("https://host/quorvane/"), they
// open the pages of the same names there instead.
inline constexpr char HomeAddress[] = "";

inline constexpr char MakerName[] = "Vanecroft";
inline constexpr char ProductTitle[] = "Quorvane"; // the title of the program's own message boxes

// The pages, each a file of the help folder, two of them a section of the home page.
inline constexpr char HomePath[] = "index.html";
inline constexpr char DownloadPath[] = "index.html#download";
inline constexpr char TroubleshootingPath[] = "troubleshooting.html";
inline constexpr char GroupingsPath[] = "groupings.html";
inline constexpr char ManualPath[] = "manual.html";
inline constexpr char MakerHomePath[] = "index.html#maker";

// The folder of the help pages: beside the program, as in the build folder, or ../share/doc/quorvane
// once installed (the program's folder when neither holds them).
QString Help_Folder();

// The address of a page: the home address followed by the page when the project has a home, else the
// page's file in the help folder.
QString Site_Address(const char* path);

// Hands the page's address to the system's browser with the busy pointer shown around the call; any
// failure is reported under the procedure's name, after the pointer is back to normal. The result of
// the opening is not examined: a page the system cannot open gives no message.
void Open_Help_Page(const char* procedure, const char* path);

// The entries of Help > Online Help, one page each.
void mnuOnlineHome_Click();
void mnuOnlineDownload_Click();
void mnuOnlineTroubleshooting_Click();
void mnuOnlineGroupings_Click();
void mnuOnlineManual_Click();
void mnuOnlineHomeMain_Click();

// The caption of the last entry: the maker's name followed by " Home Page".
QString Maker_Home_Caption();

} // namespace onlinehelp
