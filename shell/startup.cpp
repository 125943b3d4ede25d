#include "shell/startup.h"

#include "mainwindow/frmmain.h"

// Placeholder until the start-up form exists: opens the main window straight away.
void Main() { Main_Window()->show(); }
