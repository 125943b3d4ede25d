#pragma once

#include "base/long.h"

#include <QSize>
#include <QSizeF>
#include <QString>

// The zoom of every window, in whole percent on top of the screen's own scale: one process-wide value,
// stored under its own settings key. The windows turn it into pixels (widgets/uihelpers.h).
namespace modZoom {

inline constexpr Long Steps[] = {100, 125, 150, 175, 200, 250, 300};
inline constexpr int StepCount = static_cast<int>(sizeof Steps / sizeof Steps[0]);
inline constexpr Long DefaultZoom = 100;
inline const QString ZoomKey = QStringLiteral("ZOOM");

extern Long ZoomPercent; // always one of Steps

// The step nearest to a percentage; halfway between two steps, the smaller.
Long Nearest_Step(Long percent);
// The step after (direction > 0) or before (direction < 0) the given one's nearest step; the first and
// the last step stay where they are.
Long Next_Step(Long percent, int direction);

// Reads the stored zoom: a missing or damaged value reads as 100, a value between the steps as the
// nearest step; the file is never repaired for it.
void Load_Zoom();
// Moves to the nearest step of percent and, when that changes the zoom, writes it at once. True when
// the zoom changed.
bool Set_Zoom(Long percent);

// The largest step at which a window fits the available area of its screen, when at 100% it takes
// sizeAt100 pixels, all of which grow with the zoom, and the window manager's frame round it takes frame
// pixels, which do not. The first step when not even that one fits.
Long Largest_Fitting_Step(QSizeF sizeAt100, QSize frame, QSize available);
// Lowers the zoom to at most largest for this run only, without writing it (the file keeps the zoom
// the player chose, for a larger screen). True when the zoom changed.
bool Limit_Zoom(Long largest);

// Back to 100 without writing (tests).
void Reset_Zoom();

} // namespace modZoom
