#pragma once

#include <QString>

// The main window's menu entries that open the shell's windows and the online help.
void mnuFileSettings_Click();
void mnuHelpAbout_Click();
void mnuOnlineHome_Click();
void mnuOnlineDownload_Click();
void mnuOnlineTroubleshooting_Click();
void mnuOnlineGroupings_Click();
void mnuOnlineManual_Click();
void mnuOnlineHomeMain_Click();

// The caption of the last online-help entry: the maker's name followed by " Home Page".
QString Maker_Home_Caption();
