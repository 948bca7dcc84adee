// The book's type sizes, colours and margins, for the desktop's pages and
// the web page's print alike.
#pragma once

#include "book/book_content.h"
#include "book/figure.h"

namespace rampwall::book {

inline constexpr double kBodyPoints = 9.5;
inline constexpr double kTablePoints = 9;
inline constexpr double kNotePoints = 8.5;
inline constexpr double kNoteIndentMm = 6;
inline constexpr double kHeadingPoints = 13;
inline constexpr double kTitlePoints = 22;
inline constexpr double kMarginPoints = 8; // header and footer
inline constexpr double kSheetPoints = 9;
inline constexpr double kSmallestSheetPoints = 7.5;

// A4, and the column the content flows in: a binding margin on the left.
inline constexpr double kPageWidthMm = 210;
inline constexpr double kPageHeightMm = 297;
inline constexpr double kContentLeftMm = 25;
inline constexpr double kContentTopMm = 22;
inline constexpr double kContentWidthMm = 165;
inline constexpr double kContentHeightMm = 252;

// The ramp's elevation in its book: across the column, labels this size.
inline constexpr double kRampDrawingHeightMm = 92;
inline constexpr double kRampDrawingPoints = 7.5;

inline constexpr Colour kShade{236, 236, 236};
inline constexpr Colour kRule = kBlack;
inline constexpr Colour kGrey{90, 90, 90};
inline constexpr Colour kPass{0, 110, 40};
inline constexpr Colour kFail{190, 0, 0};

constexpr Colour colourOf(Tone tone) {
    switch (tone) {
    case Tone::Quiet: return kGrey;
    case Tone::Pass: return kPass;
    case Tone::Fail: return kFail;
    case Tone::Normal: break;
    }
    return kBlack;
}

} // namespace rampwall::book
