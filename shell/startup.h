#pragma once

class frmMain;
class frmRange;
class frmSettings;
class frmSplash;

// The one place that creates the program's windows and connects them: the main window asks for the
// settings dialog and the About box through its signals, the dialog tells it that it saved, and the
// start-up form asks for it when it closes.

// The entry procedure: shows the start-up form and returns; the program runs while a window is open.
void Main();

// The main window while it is open, or nullptr (it is deleted when the player closes it).
frmMain* Main_Form();
// Shows the main window, loading it anew when it is not open, and brings it to the front.
frmMain* Show_Main_Form();

// The open start-up form or About box, or nullptr (also once it has unloaded).
frmSplash* Splash_Form();
// Loads and shows the form (as the About box when ShowingAbout is True); when it is already open it is
// only brought to the front.
frmSplash* Show_Splash();

// The open settings dialog, or nullptr.
frmSettings* Settings_Form();
// Opens the dialog, not modal; when it is already open it is only brought to the front.
frmSettings* Show_Settings_Form();

// The open range dialog, or nullptr.
frmRange* Range_Form();
// Opens the dialog over the main window, not modal; when it is already open it is only brought to the
// front.
frmRange* Show_Range_Form();
