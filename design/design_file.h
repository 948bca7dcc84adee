// A design as it is kept in a file: every input exactly as typed, the project
// information, and the format's name and version. Results are not kept; they
// are computed again. The window, the command-line tool and the browser page
// all read and write designs through this one format.
#pragma once

#include "controls.h"
#include "edition.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rampwall::design {

inline constexpr std::string_view kFormatName = "rampwall-design";
// Raised only when a key changes its meaning; new keys keep the number.
inline constexpr int kFormatVersion = 1;
inline constexpr std::string_view kFileSuffix = ".rampwall";
// A design is about a kilobyte; anything near this is not one of ours.
inline constexpr std::size_t kMaxFileBytes = 1024 * 1024;

struct DesignInput {
    std::string_view key; // the command-line tool's name for the input
    Control control;
};

// The eleven boxes, then the three lists, in the order a file lists them.
inline constexpr std::size_t kBoxInputCount = 11;
inline constexpr std::array<DesignInput, 14> kDesignInputs = {{
    {"h1", Control::Text1},
    {"h2", Control::Text2},
    {"h3", Control::Text3},
    {"h4", Control::Text16},
    {"h5", Control::Text4},
    {"cover", Control::Text13},
    {"soil-weight", Control::Text14},
    {"surcharge", Control::Text15},
    {"load-factor", Control::Text5},
    {"spacing", Control::Text10},
    {"crack-limit", Control::Text8},
    {"concrete", Control::Combo1},
    {"steel", Control::Combo2},
    {"case", Control::Combo3},
}};

inline bool isListInput(std::size_t input) { return input >= kBoxInputCount; }

// One input as the window shows it. A list holds either a chosen entry (its
// text is that entry's) or free text typed over it, which selects nothing.
struct InputValue {
    std::string text;
    bool freeText = false; // lists only

    bool operator==(const InputValue&) const = default;
};

// What the calculation book prints in its title block.
struct ProjectInfo {
    std::string projectName;
    std::string member;
    std::string designer;
    std::string checker;
    std::string approver;
    std::string date;

    bool operator==(const ProjectInfo&) const = default;
};

struct ProjectField {
    std::string_view key;
    std::string_view label; // the dialog's caption, without its colon
    std::string ProjectInfo::*member;
};

inline constexpr std::array<ProjectField, 6> kProjectFields = {{
    {"name", "工程名称", &ProjectInfo::projectName},
    {"member", "构件名称或编号", &ProjectInfo::member},
    {"designer", "设计", &ProjectInfo::designer},
    {"checker", "校对", &ProjectInfo::checker},
    {"approver", "审核", &ProjectInfo::approver},
    {"date", "日期", &ProjectInfo::date},
}};

struct DesignFile {
    std::array<InputValue, kDesignInputs.size()> inputs;
    ProjectInfo project;
    // The code edition the design follows, by its key ("2002", "2010");
    // empty when the file names none, which is the 2002 edition.
    std::string codeEdition;
    // The 2010 edition's factors ("load-factors"); written only when they
    // differ from the defaults.
    LoadFactors factors;

    bool operator==(const DesignFile&) const = default;
};

// The design the window opens with: the boxes' initial texts, the first entry
// of each list, no project information but the date.
DesignFile startupDesign(std::string_view today);
// The same in an edition and with the factors a window has: the edition's
// first steel grade, and the edition named unless it is the default one.
DesignFile startupDesign(std::string_view today, Edition edition, const LoadFactors& factors);

// The position of an entry in its list, or nullopt when the list has no such
// entry.
std::optional<int> entryIndex(Control list, std::string_view entry);
// The same in the lists of an edition: the steel list differs.
std::optional<int> entryIndex(Control list, std::string_view entry, Edition edition);
// The edition a design follows.
Edition editionOf(const DesignFile& design);

struct ParseResult {
    std::optional<DesignFile> design;
    std::string error;              // why there is no design: one Chinese sentence
    std::vector<std::string> notes; // what was passed over in a design that opened
};

// Reads a design from the text of a file. A key that is missing keeps its
// value from `defaults`; a key this version does not know is passed over with
// a note. Anything else that is wrong gives no design and an error naming
// the key and the fault.
ParseResult parse(std::string_view text, const DesignFile& defaults);

// UTF-8 JSON, keys in a fixed order, ending with a line break.
std::string serialize(const DesignFile& design);

// Why a file of `size` bytes is not read as a design: it is larger than
// kMaxFileBytes. The same sentence wherever the size is found out.
std::string tooLargeFault(std::uintmax_t size);

// The messages the window and the tool show, naming the file.
std::string openFailureMessage(std::string_view fileName, std::string_view fault);
std::string saveFailureMessage(std::string_view fileName, std::string_view fault);
std::string notesMessage(std::string_view fileName, const std::vector<std::string>& notes);

} // namespace rampwall::design
