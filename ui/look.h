// How the window looks, fixed rather than taken from the desktop: the light
// dialog colours and the fonts the layout was drawn for, so that a dark
// desktop theme or a missing Windows font does not change the window.
#pragma once

#include "calc/control_table.h"
#include "calc/window_look.h"

#include <QFont>
#include <QPalette>
#include <QRgb>

class QApplication;
class QStyle;

namespace rampwall {

constexpr QRgb qRgbOf(Rgb colour) { return qRgb(colour.red, colour.green, colour.blue); }

inline constexpr QRgb kDialogFace = qRgbOf(kDialogFaceColour);
inline constexpr QRgb kCaptionText = qRgbOf(kCaptionTextColour);
inline constexpr QRgb kBoxBackground = qRgbOf(kBoxBackgroundColour);
inline constexpr QRgb kStaleText = qRgbOf(kStaleTextColour);
inline constexpr QRgb kCreditText = qRgbOf(kCreditTextColour);

// The Windows faces the layout names do not exist on Linux; map them to
// installed faces that carry Chinese glyphs. Safe to call more than once.
void installFontSubstitutes();

QFont controlFont(FontRole role);

// Light palette on the dialog face, for the window and its message boxes.
QPalette windowPalette();

// `base` (Fusion for the window) with dialog buttons kept free of pictures,
// whatever the desktop theme asks. Takes ownership of `base`.
QStyle* windowStyle(QStyle* base);

// Fusion style, the fixed palette and the font substitutes, application-wide.
void applyLook(QApplication& app);

} // namespace rampwall
