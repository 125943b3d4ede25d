#pragma once

// Routes the program's messages to real message boxes (the player's program installs this at start;
// tests leave it out and record the messages instead).
void Install_Message_Boxes();
