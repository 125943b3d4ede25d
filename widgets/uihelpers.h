#pragma once

#include "cards/colourscale.h"
#include "flow/modzoom.h"

#include <QColor>
#include <QFontMetricsF>
#include <QLabel>
#include <QPalette>
#include <QPointer>
#include <QRect>
#include <cmath>

// Geometry is laid out in twips; Qt's device-independent pixels are 15 twips each, and high-DPI
// scaling does the rest.
constexpr int Twips(int twips) {
    return static_cast<int>(twips / 15.0 + (twips >= 0 ? 0.5 : -0.5));
}
inline QRect Twips_Rect(int left, int top, int width, int height) {
    return QRect(Twips(left), Twips(top), Twips(width), Twips(height));
}

// The zoom (flow/modzoom.h) on top of that: a length in twips as pixels at the current zoom. At
// 100% Zoomed is Twips, so every window stands exactly as laid out.
inline int Zoomed(int twips) {
    const double pixels = twips * static_cast<double>(modZoom::ZoomPercent) / 1500.0;
    return static_cast<int>(pixels + (pixels >= 0 ? 0.5 : -0.5));
}
inline QRect Zoomed_Rect(const QRect& twips) {
    return QRect(Zoomed(twips.x()), Zoomed(twips.y()), Zoomed(twips.width()), Zoomed(twips.height()));
}
inline double Zoomed_Points(double points) {
    return points * static_cast<double>(modZoom::ZoomPercent) / 100.0;
}

// How a window follows the zoom. Every control is placed with its twips, which it keeps:
//   Place(control, QRect(left, top, width, height))   geometry, in twips
//   Place_Fixed_Size(form, width, height)               a fixed window (or control) size, in twips
//   Place_Fixed_Height(control, height)                 a fixed height, for a control in a layout
// and a font is set in plain points, as at 100%. Once built, the form (or a panel added to it later)
// calls Apply_Zoom(form) once: it notes the font of every control that has one of its own (and the
// form's) as the 100% size, and sizes every noted font and placed geometry for the current zoom. When the
// zoom changes, Apply_Zoom_To_All_Forms() does the same for every window built so far; a window built
// later is built at the current zoom. What a form sizes in code beyond that (a grid's columns, the main
// window's outer size) it re-does itself after the zoom changed.
void Place(QWidget* widget, const QRect& twips);
void Place_Fixed_Size(QWidget* widget, int widthTwips, int heightTwips);
void Place_Fixed_Height(QWidget* widget, int heightTwips);
void Apply_Zoom(QWidget* form);
void Apply_Zoom_To_All_Forms();

// A blue-green-red colour value as a QColor; a system colour (top bit set) is taken from the palette:
// the button face is the palette's button colour.
inline QColor To_QColor(BgrColour c, const QPalette& palette = QPalette()) {
    if (Is_System_Colour(c)) return palette.color(QPalette::Button);
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

// The layout was drawn for a narrower system font: a caption that would not fit its label steps its font
// down until the whole text shows (never below 6 points at 100%).
// Apply_Zoom fits it again at every zoom.
inline void Fit_Label_Text(QLabel* label) {
    label->setProperty("FitText", true);
    QFont font = label->font();
    while (font.pointSizeF() > Zoomed_Points(6) &&
           QFontMetricsF(font).horizontalAdvance(label->text()) > label->width())
        font.setPointSizeF(font.pointSizeF() - 0.25);
    label->setFont(font);
}

// Labels that each fit their caption and then share one font size, the largest at which all of them fit;
// Apply_Zoom shares it again at every zoom (one such group a form).
void Share_Label_Size(std::initializer_list<QLabel*> labels);

// A form that is loaded anew after each close: the instance while it is open (a closed one may still
// wait for its deletion), or nothing.
template <class Form> Form* Open_Form(const QPointer<Form>& slot) {
    return slot && !slot->Is_Unloaded() ? slot.data() : nullptr;
}

// Loads and shows the form when it is not open; brings it to the front either way.
template <class Form, class Load> Form* Show_Form(QPointer<Form>& slot, Load load) {
    if (!Open_Form(slot)) {
        slot = load();
        slot->show();
    }
    slot->raise();
    slot->activateWindow();
    return slot;
}
