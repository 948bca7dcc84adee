// A table as an Excel workbook (.xlsx): one sheet, a Chinese header row that
// stays in view, numbers as numbers with the decimals their texts show, and
// columns as wide as their texts. Rows are streamed to the disk as they come,
// so a batch of any length takes little memory; the file appears, whole,
// only when close() succeeds.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace rampwall::workbook {

enum class CellKind {
    Text,   // always text: bars ("18/20"), grades, statuses, messages
    Number, // a number where the text is a plain decimal ("-4.5", "144.166"), else text
};

struct Column {
    std::string header; // "墙厚度h5(mm)"
    CellKind kind = CellKind::Number;
};

// The rows a sheet holds beside its header.
inline constexpr std::size_t kMostRows = 1048575;

class Workbook {
public:
    // Starts a workbook for `path`; its rows go to a new file beside it.
    // Null with `error` set when that file cannot be made.
    // `rowLimit` is a sheet's unless a test asks for fewer.
    static std::unique_ptr<Workbook> create(const std::filesystem::path& path, std::vector<Column> columns,
                                            std::string& error, std::size_t rowLimit = kMostRows);
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;
    // Without a successful close() the new file is removed and `path` keeps
    // whatever it held.
    ~Workbook();

    // Appends a row of texts, one per column (missing ones are empty). False
    // once the sheet is full or a write failed; error() then says why.
    bool row(std::span<const std::string_view> fields);
    bool row(std::span<const std::string> fields);

    // A second sheet of that name with a line of text in each row: what the
    // table's numbers leave unsaid. Before close().
    void addNotes(std::string_view sheetName, const std::vector<std::string>& lines);

    // Sets the widths, finishes the file and renames it to `path`. Nullopt
    // when the workbook is there; otherwise the reason, and nothing changed.
    std::optional<std::string> close();

    const std::string& error() const { return m_error; }

private:
    Workbook(std::filesystem::path path, std::filesystem::path partial, std::vector<Column> columns,
             std::size_t rowLimit);
    bool cell(std::size_t column, std::string_view text);
    lxw_format* numberFormat(int decimals);

    std::filesystem::path m_path;
    std::filesystem::path m_partial;
    std::vector<Column> m_columns;
    std::vector<double> m_widths; // in characters, a Chinese one counting two
    lxw_workbook* m_book = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    lxw_format* m_headerFormat = nullptr;
    std::vector<lxw_format*> m_numberFormats; // by decimals
    std::size_t m_rows = 0;                   // written, the header included
    std::size_t m_rowLimit = kMostRows;
    std::string m_error;
    bool m_closed = false;
};

// The decimals a plain decimal text shows ("144.166": 3, "-2": 0), or
// nullopt for a text that is not one ("1e2", "３５０", "22/25", "").
std::optional<int> plainDecimals(std::string_view text);

// The width of a text in a sheet's character units: two for a Chinese
// character, one for anything else.
double displayWidth(std::string_view text);

} // namespace rampwall::workbook
