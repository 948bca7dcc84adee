// How the window looks, fixed rather than taken from the desktop: the light
// dialog colours and the fonts the layout was drawn for, so that a dark
// desktop theme or a missing Windows font does not change the window.
#pragma once

#include "control_table.h"

#include <QFont>
#include <QPalette>
#include <QRgb>

class QApplication;
class QStyle;

namespace rampwall {

inline constexpr QRgb kDialogFace = qRgb(236, 233, 216);    // standard dialog face
inline constexpr QRgb kCaptionText = qRgb(192, 64, 0);      // labels, frame captions, boxes, lists
inline constexpr QRgb kBoxBackground = qRgb(216, 228, 248); // inactive caption text
inline constexpr QRgb kCreditText = qRgb(212, 208, 200);    // inactive border

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
