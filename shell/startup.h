#pragma once

// The entry procedure: shows the start-up form and returns; the program runs while a window is open.
void Main();
