// The calculation book's content as plain data: the blocks of text, tables,
// figures and the sheet, in reading order, each with its words and values
// already written out. The desktop lays it out on A4 pages with Qt; the page
// writes it as HTML. Every value comes from the run's result and report, so
// an edition's book is complete by construction.
#pragma once

#include "book/book_input.h"
#include "book/figure.h"

#include <string>
#include <vector>

namespace rampwall::book {

enum class Tone {
    Normal,
    Quiet, // the grey of secondary lines
    Pass,  // 满足
    Fail,  // 不满足, and a conclusion that names a failed check
};

struct Cell {
    std::string text;
    int span = 1;
    bool shaded = false; // a caption or a header
    bool centred = false;
    Tone tone = Tone::Normal;
};

using Row = std::vector<Cell>;

struct BookBlock {
    enum class Kind {
        Title,      // the book's title
        Heading,    // 一、设计资料 …
        Text,       // a paragraph
        Note,       // a quieter, indented paragraph
        Table,      // widths in mm of the 165 mm text column, then rows
        WallFigure, // 二、计算简图, drawn from the run
        LoadFigure, // 三、荷载与内力, drawn from the run's load profile
        Sheet,      // the calculation sheet, line for line
    };
    Kind kind = Kind::Text;
    std::string text;
    Tone tone = Tone::Normal;
    double spaceBefore = 0; // mm
    std::vector<double> widths;
    std::vector<Row> rows;
    std::vector<std::string> lines;
    Figure figure; // the drawing of a WallFigure or LoadFigure
};

struct BookContent {
    std::vector<BookBlock> blocks;
    std::string header; // the project and member, at the top right of each page
    std::string footer; // "设计文件：…", at the bottom left of each page
    std::string pdfTitle;

    // A block of that kind at the end; the composers build a book with these.
    BookBlock& add(BookBlock::Kind kind, std::string text = {}, Tone tone = Tone::Normal, double spaceBefore = 0);
    void addTable(std::vector<double> widths, std::vector<Row> rows);
};

// Nothing but a completed run with its report makes a book (see hasBook).
BookContent composeBook(const BookInput& input);

} // namespace rampwall::book
