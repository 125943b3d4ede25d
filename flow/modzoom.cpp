#include "flow/modzoom.h"

#include "config/modglobal.h"

#include <cmath>

namespace modZoom {

Long ZoomPercent = DefaultZoom;

Long Nearest_Step(Long percent) {
    Long best = Steps[0];
    for (const Long step : Steps) {
        const Long distance = step > percent ? step - percent : percent - step;
        const Long bestDistance = best > percent ? best - percent : percent - best;
        if (distance < bestDistance) best = step;
    }
    return best;
}

Long Next_Step(Long percent, int direction) {
    const Long now = Nearest_Step(percent);
    int at = 0;
    while (at < StepCount && Steps[at] != now)
        ++at;
    if (direction > 0 && at + 1 < StepCount) ++at;
    if (direction < 0 && at > 0) --at;
    return Steps[at];
}

void Load_Zoom() {
    ZoomPercent =
        Nearest_Step(modGlobal::Get_Optional_Setting(ZoomKey, DefaultZoom, Steps[0], Steps[StepCount - 1]));
}

bool Set_Zoom(Long percent) {
    const Long step = Nearest_Step(percent);
    if (step == ZoomPercent) return false;
    ZoomPercent = step;
    modGlobal::Put_Optional_Setting(ZoomKey, step);
    return true;
}

Long Largest_Fitting_Step(QSizeF sizeAt100, QSize frame, QSize available) {
    Long largest = Steps[0];
    for (const Long step : Steps) {
        const double width = std::nearbyint(sizeAt100.width() * static_cast<double>(step) / 100.0);
        const double height = std::nearbyint(sizeAt100.height() * static_cast<double>(step) / 100.0);
        if (width + frame.width() <= available.width() && height + frame.height() <= available.height())
            largest = step;
    }
    return largest;
}

bool Limit_Zoom(Long largest) {
    const Long step = Nearest_Step(largest);
    if (ZoomPercent <= step) return false;
    ZoomPercent = step;
    return true;
}

void Reset_Zoom() {
    ZoomPercent = DefaultZoom;
}

} // namespace modZoom
