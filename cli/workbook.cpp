#include "cli/workbook.h"

#include "calc/number_text.h"
#include "calc/text_bytes.h"

#include <xlsxwriter.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <system_error>

namespace rampwall::workbook {

namespace {

// Excel's longest cell text, in characters.
constexpr std::size_t kLongestText = 32767;
constexpr double kWidestColumn = 80;
constexpr int kMostDecimals = 15;

std::string quoted(const std::filesystem::path& path) { return "“" + path.string() + "”"; }

// A cell's text: bytes that are not UTF-8 become U+FFFD, which a sheet can
// hold, and a text longer than a cell holds is cut at a character.
std::string cellText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size() && characters < kLongestText; ++characters) {
        const std::size_t length = utf8SequenceLength(text, i);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

// mkstemp makes the file for its owner alone; a workbook is an ordinary file.
void ordinaryPermissions(int descriptor) {
    const mode_t mask = umask(0);
    umask(mask);
    static_cast<void>(fchmod(descriptor, 0666 & ~mask));
}

} // namespace

std::optional<int> plainDecimals(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        ++i;
    }
    const std::size_t wholeStart = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        ++i;
    }
    if (i == wholeStart) {
        return std::nullopt;
    }
    if (i == text.size()) {
        return 0;
    }
    if (text[i] != '.') {
        return std::nullopt;
    }
    const std::size_t fractionStart = ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        ++i;
    }
    if (i != text.size() || i == fractionStart) {
        return std::nullopt;
    }
    return static_cast<int>(i - fractionStart);
}

double displayWidth(std::string_view text) {
    double width = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            width += 1;
        } else if ((byte & 0xC0) == 0xC0) {
            width += 2;
        }
    }
    return width;
}

std::unique_ptr<Workbook> Workbook::create(const std::filesystem::path& path, std::vector<Column> columns,
                                           std::string& error, std::size_t rowLimit) {
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::error_code failure;
    if (path.filename().empty() || std::filesystem::is_directory(path, failure)) {
        error = "表格无法保存到" + quoted(path) + "：请给出文件名";
        return nullptr;
    }
    std::string partial = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    const int descriptor = mkstemp(partial.data());
    if (descriptor < 0) {
        error = "表格无法保存到" + quoted(path) + "：无法在文件夹" + quoted(folder) + "中建立文件（" +
                std::system_category().message(errno) + "）";
        return nullptr;
    }
    ordinaryPermissions(descriptor);
    ::close(descriptor);
    std::unique_ptr<Workbook> book(new Workbook(path, partial, std::move(columns), rowLimit));
    if (book->m_book == nullptr || book->m_sheet == nullptr) {
        error = "表格无法保存到" + quoted(path) + "：无法建立工作簿";
        return nullptr;
    }
    return book;
}

Workbook::Workbook(std::filesystem::path path, std::filesystem::path partial, std::vector<Column> columns,
                   std::size_t rowLimit)
    : m_path(std::move(path)), m_partial(std::move(partial)), m_columns(std::move(columns)),
      m_rowLimit(std::min(rowLimit, kMostRows)) {
    // Rows go to the disk as they are written, so memory stays flat.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    m_book = workbook_new_opt(m_partial.c_str(), &options);
    if (m_book == nullptr) {
        return;
    }
    m_sheet = workbook_add_worksheet(m_book, nullptr);
    if (m_sheet == nullptr) {
        return;
    }
    m_headerFormat = workbook_add_format(m_book);
    format_set_bold(m_headerFormat);
    m_numberFormats.assign(kMostDecimals + 1, nullptr);
    m_widths.assign(m_columns.size(), 0);
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        worksheet_write_string(m_sheet, 0, static_cast<lxw_col_t>(c), cellText(m_columns[c].header).c_str(),
                               m_headerFormat);
        m_widths[c] = displayWidth(m_columns[c].header);
    }
    m_rows = 1;
    // The header stays in view however far the rows scroll.
    worksheet_freeze_panes(m_sheet, 1, 0);
}

Workbook::~Workbook() {
    if (m_closed) {
        return;
    }
    if (m_book != nullptr) {
        lxw_workbook_free(m_book);
    }
    std::error_code ignored;
    std::filesystem::remove(m_partial, ignored);
}

lxw_format* Workbook::numberFormat(int decimals) {
    const auto slot = static_cast<std::size_t>(std::clamp(decimals, 0, kMostDecimals));
    if (m_numberFormats[slot] == nullptr) {
        lxw_format* format = workbook_add_format(m_book);
        const std::string pattern = slot == 0 ? std::string("0") : "0." + std::string(slot, '0');
        format_set_num_format(format, pattern.c_str());
        m_numberFormats[slot] = format;
    }
    return m_numberFormats[slot];
}

bool Workbook::cell(std::size_t column, std::string_view text) {
    const auto line = static_cast<lxw_row_t>(m_rows);
    const auto col = static_cast<lxw_col_t>(column);
    if (text.empty()) {
        return true;
    }
    lxw_error result = LXW_NO_ERROR;
    const std::optional<int> decimals = m_columns[column].kind == CellKind::Number ? plainDecimals(text) : std::nullopt;
    const std::optional<double> value = decimals ? parseDouble(text) : std::nullopt;
    if (value) {
        result = worksheet_write_number(m_sheet, line, col, *value, numberFormat(*decimals));
    } else {
        result = worksheet_write_string(m_sheet, line, col, cellText(text).c_str(), nullptr);
    }
    m_widths[column] = std::max(m_widths[column], displayWidth(text));
    if (result != LXW_NO_ERROR) {
        m_error = "表格写入失败：" + std::string(lxw_strerror(result));
        return false;
    }
    return true;
}

bool Workbook::row(std::span<const std::string_view> fields) {
    if (!m_error.empty()) {
        return false;
    }
    if (m_rows > m_rowLimit) {
        m_error = "表格超过 Excel 工作表的行数上限（" + formatInteger(static_cast<long long>(m_rowLimit)) +
                  " 行数据），工作簿未写出";
        return false;
    }
    for (std::size_t c = 0; c < m_columns.size() && c < fields.size(); ++c) {
        if (!cell(c, fields[c])) {
            return false;
        }
    }
    ++m_rows;
    return true;
}

bool Workbook::row(std::span<const std::string> fields) {
    std::vector<std::string_view> views(fields.begin(), fields.end());
    return row(std::span<const std::string_view>(views));
}

void Workbook::addNotes(std::string_view sheetName, const std::vector<std::string>& lines) {
    if (m_closed || m_book == nullptr) {
        return;
    }
    lxw_worksheet* notes = workbook_add_worksheet(m_book, cellText(sheetName).c_str());
    if (notes == nullptr) {
        return;
    }
    double widest = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        worksheet_write_string(notes, static_cast<lxw_row_t>(i), 0, cellText(lines[i]).c_str(), nullptr);
        widest = std::max(widest, displayWidth(lines[i]));
    }
    worksheet_set_column(notes, 0, 0, std::min(kWidestColumn, widest + 2), nullptr);
}

std::optional<std::string> Workbook::close() {
    if (m_closed) {
        return std::nullopt;
    }
    if (!m_error.empty()) {
        return "表格无法保存到" + quoted(m_path) + "：" + m_error;
    }
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        const double width = std::min(kWidestColumn, m_widths[c] + 2);
        worksheet_set_column(m_sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), width, nullptr);
    }
    const lxw_error result = workbook_close(m_book);
    m_book = nullptr; // freed by the close, whatever it returned
    if (result != LXW_NO_ERROR) {
        return "表格无法保存到" + quoted(m_path) + "：" + std::string(lxw_strerror(result));
    }
    // On the disk before it takes the name, so a crash leaves the old file or the whole new one.
    const int descriptor = open(m_partial.c_str(), O_RDONLY);
    const bool synced = descriptor >= 0 && fsync(descriptor) == 0;
    if (descriptor >= 0) {
        ::close(descriptor);
    }
    std::error_code failure;
    if (synced) {
        std::filesystem::rename(m_partial, m_path, failure);
    }
    if (!synced || failure) {
        return "表格无法保存到" + quoted(m_path) + "：写入失败，磁盘可能已满，原有文件保持不变";
    }
    m_closed = true;
    return std::nullopt;
}

} // namespace rampwall::workbook
