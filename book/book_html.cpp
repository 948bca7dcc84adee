#include "book/book_html.h"

#include "book/book_style.h"
#include "book/book_text.h"
#include "book/text_measure.h"
#include "calc/ramp/ramp_drawing.h"
#include "calc/text_bytes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <variant>

namespace rampwall::book {

namespace {

// A CSS string: quotes and backslashes escaped, and "<" too, so that no
// text can close the style element.
std::string cssString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '<') {
            out += "\\3C ";
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Millimetres to a hundredth: finer than any printer, short in the file.
std::string mm(double value) {
    const double hundredths = std::round(value * 100);
    if (!std::isfinite(hundredths) || std::abs(hundredths) > 1e15) {
        return "0";
    }
    const auto whole = static_cast<long long>(std::abs(hundredths));
    std::string out = hundredths < 0 && whole != 0 ? "-" : "";
    out += std::to_string(whole / 100);
    const long long cents = whole % 100;
    if (cents != 0) {
        out += '.';
        out += static_cast<char>('0' + cents / 10);
        if (cents % 10 != 0) {
            out += static_cast<char>('0' + cents % 10);
        }
    }
    return out;
}

std::string rgb(Colour colour) {
    static constexpr std::string_view digits = "0123456789abcdef";
    std::string out = "#";
    for (const std::uint8_t part : {colour.red, colour.green, colour.blue}) {
        out += digits[part >> 4];
        out += digits[part & 15];
    }
    return out;
}

std::string points(double size) { return mm(size) + "pt"; }

void appendPath(std::string& out, const Path& path) {
    if (path.points.empty()) {
        return;
    }
    out += "<path d=\"";
    for (std::size_t i = 0; i < path.points.size(); ++i) {
        out += (i == 0 ? "M" : "L") + mm(path.points[i].x) + " " + mm(path.points[i].y);
    }
    if (path.closed) {
        out += "Z";
    }
    out += "\" fill=\"" + (path.fill ? rgb(*path.fill) : std::string("none")) + "\"";
    if (path.stroke) {
        const Stroke& stroke = *path.stroke;
        out += " stroke=\"" + rgb(stroke.colour) + "\" stroke-width=\"" + mm(stroke.width) + "\"";
        // Dashes in pen widths, as Qt draws them.
        if (stroke.style == LineStyle::Dash) {
            out += " stroke-dasharray=\"" + mm(4 * stroke.width) + " " + mm(2 * stroke.width) + "\"";
        } else if (stroke.style == LineStyle::Dot) {
            out += " stroke-dasharray=\"" + mm(stroke.width) + " " + mm(2 * stroke.width) + "\"";
        }
    }
    out += "/>";
}

void appendText(std::string& out, const Text& text) {
    const double size = pointsToMm(text.points);
    const char* anchor = text.anchor == Anchor::End ? "end" : text.anchor == Anchor::Middle ? "middle" : "start";
    out +=
        "<text x=\"" + mm(text.x) + "\" y=\"" + mm(text.top + kAscentEm * size) + "\" font-size=\"" + mm(size) + "\"";
    if (text.anchor != Anchor::Start) {
        out += " text-anchor=\"" + std::string(anchor) + "\"";
    }
    if (text.colour != kBlack) {
        out += " fill=\"" + rgb(text.colour) + "\"";
    }
    out += ">";
    appendEscapedMarkup(out, text.text);
    out += "</text>";
}

const char* toneClass(Tone tone) {
    switch (tone) {
    case Tone::Quiet: return "quiet";
    case Tone::Pass: return "pass";
    case Tone::Fail: return "fail";
    case Tone::Normal: break;
    }
    return "";
}

std::string classes(std::initializer_list<std::string_view> names) {
    std::string all;
    for (const std::string_view name : names) {
        if (!name.empty()) {
            all += (all.empty() ? "" : " ") + std::string(name);
        }
    }
    return all.empty() ? std::string() : " class=\"" + all + "\"";
}

std::string spaceBefore(double space) {
    return space > 0 ? " style=\"margin-top:" + mm(space) + "mm\"" : std::string();
}

void appendTable(std::string& out, const BookBlock& block) {
    out += "<table><colgroup>";
    for (const double width : block.widths) {
        out += "<col style=\"width:" + mm(width) + "mm\">";
    }
    out += "</colgroup>";
    // A first row of captions only is the table's head: repeated on the next
    // page by a browser that must break the table.
    const auto caption = [](const Cell& cell) { return cell.shaded; };
    const bool head = !block.rows.empty() && std::all_of(block.rows.front().begin(), block.rows.front().end(), caption);
    for (std::size_t r = 0; r < block.rows.size(); ++r) {
        const Row& row = block.rows[r];
        if (r == 0 && head) {
            out += "<thead>";
        }
        out += "<tr>";
        for (const Cell& cell : row) {
            const char* tag = cell.shaded ? "th" : "td";
            out += std::string("<") + tag;
            if (cell.span > 1) {
                out += " colspan=\"" + std::to_string(cell.span) + "\"";
            }
            out += classes({cell.centred ? "centred" : "", toneClass(cell.tone)}) + ">";
            appendEscapedMarkup(out, cell.text);
            out += std::string("</") + tag + ">";
        }
        out += "</tr>";
        if (r == 0 && head) {
            out += "</thead>";
        }
    }
    out += "</table>";
}

// What the print needs beyond page.css: the margins' texts, which are this
// book's, and the colours and sizes the desktop's book uses.
std::string printStyle(const BookContent& content, std::string_view title) {
    // The running title and the project above a rule, the design file and
    // the page number below one, as on the desktop's pages.
    const std::string margin = "font-size:" + points(kMarginPoints) + ";color:" + rgb(kGrey) + ";";
    const std::string above = margin +
                              "vertical-align:bottom;padding-bottom:1mm;margin-bottom:6mm;border-bottom:0.2mm solid " +
                              rgb(kGrey) + ";";
    const std::string below =
        margin + "vertical-align:top;padding-top:1.5mm;margin-top:4mm;border-top:0.2mm solid " + rgb(kGrey) + ";";
    std::string style = "<style>@page{size:A4;margin:" + mm(kContentTopMm) + "mm " +
                        mm(kPageWidthMm - kContentLeftMm - kContentWidthMm) + "mm " +
                        mm(kPageHeightMm - kContentTopMm - kContentHeightMm) + "mm " + mm(kContentLeftMm) + "mm;";
    style += "@top-left{content:" + cssString(title) + ";" + above + "width:50%}";
    style += "@top-right{content:" + cssString(content.header) + ";" + above + "width:50%;text-align:right}";
    style += "@bottom-left{content:" + cssString(content.footer) + ";" + below + "width:70%}";
    style += "@bottom-right{content:" + cssString(kPageNumber[0]) + " counter(page) " + cssString(kPageNumber[1]) +
             " counter(pages) " + cssString(kPageNumber[2]) + ";" + below + "width:30%;text-align:right}}";
    style += ".book{font-size:" + points(kBodyPoints) + "}.book h1{font-size:" + points(kTitlePoints) +
             "}.book h2{font-size:" + points(kHeadingPoints) + "}.book table{font-size:" + points(kTablePoints) +
             "}.book .note{font-size:" + points(kNotePoints) + ";margin-left:" + mm(kNoteIndentMm) +
             "mm}.book th{background:" + rgb(kShade) + "}.book .quiet{color:" + rgb(colourOf(Tone::Quiet)) +
             "}.book .pass{color:" + rgb(colourOf(Tone::Pass)) + "}.book .fail{color:" + rgb(colourOf(Tone::Fail)) +
             "}.book .page-rule{border-color:" + rgb(kGrey) + "}</style>";
    return style;
}

} // namespace

std::string figureSvg(const Figure& figure) {
    std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + mm(figure.width) + " " +
                      mm(figure.height) + "\" width=\"" + mm(figure.width) + "mm\" height=\"" + mm(figure.height) +
                      "mm\" stroke-linecap=\"butt\" stroke-linejoin=\"miter\">";
    for (const FigureItem& item : figure.items) {
        if (const Path* path = std::get_if<Path>(&item)) {
            appendPath(out, *path);
        } else {
            appendText(out, std::get<Text>(item));
        }
    }
    return out + "</svg>";
}

namespace {

std::string titleOf(const BookContent& content) {
    for (const BookBlock& block : content.blocks) {
        if (block.kind == BookBlock::Kind::Title) {
            return block.text;
        }
    }
    return {};
}

void appendBlocks(std::string& out, const BookContent& content) {
    std::string heading;
    for (const BookBlock& block : content.blocks) {
        switch (block.kind) {
        case BookBlock::Kind::Title: out += "<h1>" + escapedMarkup(block.text) + "</h1>"; break;
        case BookBlock::Kind::Heading:
            heading = block.text;
            out += "<h2>" + escapedMarkup(block.text) + "</h2>";
            break;
        case BookBlock::Kind::Text:
        case BookBlock::Kind::Note:
            out += "<p" + classes({block.kind == BookBlock::Kind::Note ? "note" : "text", toneClass(block.tone)}) +
                   spaceBefore(block.spaceBefore) + ">" + escapedMarkup(block.text) + "</p>";
            break;
        case BookBlock::Kind::Table: appendTable(out, block); break;
        case BookBlock::Kind::WallFigure:
        case BookBlock::Kind::LoadFigure:
            // Named by its heading for a reader that cannot see it.
            out += "<figure role=\"img\" aria-label=\"" + escapedMarkup(heading) + "\">" + figureSvg(block.figure) +
                   "</figure>";
            break;
        case BookBlock::Kind::Sheet:
            // The page sets it as the desktop does, measured in the face it
            // has: the largest size from here down at which its longest line fits.
            out += "<div class=\"sheet\" data-largest=\"" + mm(kSheetPoints) + "\" data-smallest=\"" +
                   mm(kSmallestSheetPoints) + "\" style=\"font-size:" + points(kSheetPoints) + "\">";
            for (const std::string& line : block.lines) {
                out += line.empty() ? "<p class=\"gap\"></p>" : "<p>" + escapedMarkup(line) + "</p>";
            }
            out += "</div>";
            break;
        }
    }
}

// The heading a figure follows: the last one of the part before it.
std::string lastHeading(const BookContent& content) {
    const auto heading = std::find_if(content.blocks.rbegin(), content.blocks.rend(),
                                      [](const BookBlock& block) { return block.kind == BookBlock::Kind::Heading; });
    return heading == content.blocks.rend() ? std::string() : heading->text;
}

} // namespace

std::string bookHtml(const BookContent& content) {
    std::string out = printStyle(content, titleOf(content));
    out += "<article class=\"book\" lang=\"zh-CN\">";
    appendBlocks(out, content);
    return out + "</article>";
}

std::string rampBookHtml(const RampBookContent& content, const ramp::Schedule& schedule) {
    std::string out = printStyle(content.front, titleOf(content.front));
    out += "<article class=\"book\" lang=\"zh-CN\">";
    appendBlocks(out, content.front);
    // The elevation as the desktop's book draws it: across the text column,
    // in millimetres, its labels in the book's drawing size.
    const ramp::Drawing drawing =
        ramp::drawRamp(schedule, kContentWidthMm, kRampDrawingHeightMm, pointsToMm(kRampDrawingPoints));
    out += "<figure class=\"elevation\" role=\"img\" aria-label=\"" + escapedMarkup(lastHeading(content.front)) +
           "\">" + ramp::drawingSvg(drawing, "mm") + "</figure>";
    appendBlocks(out, content.back);
    for (const RampBookSection& section : content.sections) {
        appendBlocks(out, section.content);
    }
    return out + "</article>";
}

} // namespace rampwall::book
