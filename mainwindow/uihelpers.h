#pragma once

#include "cards/colourscale.h"

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

// A blue-green-red colour value as a QColor; a system colour (top bit set) is taken from the palette:
// the button face is the palette's button colour.
inline QColor To_QColor(BgrColour c, const QPalette& palette = QPalette()) {
    if (Is_System_Colour(c)) return palette.color(QPalette::Button);
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

// The layout was drawn for a narrower system font: a caption that would not fit its label steps its font
// down until the whole text shows (never below 6 points).
inline void Fit_Label_Text(QLabel* label) {
    QFont font = label->font();
    while (font.pointSizeF() > 6 && QFontMetricsF(font).horizontalAdvance(label->text()) > label->width())
        font.setPointSizeF(font.pointSizeF() - 0.25);
    label->setFont(font);
}

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
