#pragma once

#include <QString>

class QLabel;

// What the accessibility tools (screen readers) are told beyond Qt's own: a card of the table is a check
// box, checked while chosen, whose toggle action chooses or releases it; a label that shows a figure is
// named by its caption and the figure ("# Outs: 25").

// Puts the program's accessibility interfaces in place (once; every later call does nothing).
void Install_Accessibility();

// The figure's name: the caption, then the figure's text when there is one.
void Name_Figure(QLabel* figure, const QString& caption);
