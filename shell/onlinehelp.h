#pragma once

#include <QString>

// The maker's web site and the pages of the online help. Every page address is the site's host name
// (held here and nowhere else) followed by the page's path.
namespace onlinehelp {

inline constexpr char SiteHost[] = "www.vanecroft.example";
inline constexpr char MakerName[] = "Vanecroft";
inline constexpr char ProductTitle[] = "Quorvane"; // the title of the program's own message boxes

inline constexpr char HomePath[] = "/quorvane/index.htm";
inline constexpr char DownloadPath[] = "/quorvane/download.htm";
inline constexpr char TroubleshootingPath[] = "/quorvane/troubleshooting.htm";
inline constexpr char GroupingsPath[] = "/quorvane/groupings.htm";
inline constexpr char ManualPath[] = "/quorvane/manual.htm";
inline constexpr char MakerHomePath[] = "/";

// "http://" + the host + the path.
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
