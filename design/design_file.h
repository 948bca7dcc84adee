// A design as it is kept in a file: every input exactly as typed, the project
// information, and the format's name and version. Results are not kept; they
// are computed again. The window, the command-line tool and the browser page
// all read and write designs through this one format.
#pragma once

#include "calc/controls.h"
#include "calc/editions/code_edition.h"
#include "calc/editions/factor.h"
#include "calc/input_table.h"
#include "calc/ramp/ramp_input.h"

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
// What a box of the window holds, as a text box could on the platform the
// window imitates; the page's boxes take the same limit.
inline constexpr int kMaxBoxCharacters = 65535;
// A design is about a kilobyte, but a window whose fourteen inputs and six
// project fields are all full holds about 3.9 MB of Chinese text: the limit
// leaves room for that, and nothing much larger is one of ours.
inline constexpr std::size_t kMaxFileBytes = std::size_t{4} << 20;

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
    std::array<InputValue, kInputs.size()> inputs;
    ProjectInfo project;
    // The code edition the design follows, by its registry key; empty when
    // the file names none, which is the default edition.
    std::string codeEdition;
    // The factors of the editions ("load-factors"), by key; written only when
    // one differs from its default.
    FactorValues factors;
    // The whole ramp the section belongs to, once the ramp dialog or the
    // command line's --ramp gave one ("ramp"); a file without one is a
    // single section.
    std::optional<ramp::RampInput> ramp;

    bool operator==(const DesignFile&) const = default;
};

// The ramp's keys in a design file, each a text as typed.
struct RampField {
    std::string_view key;
    std::string ramp::RampInput::*member;
};
inline constexpr std::array<RampField, 5> kRampFields = {{
    {"length", &ramp::RampInput::length},
    {"h4-start", &ramp::RampInput::h4Start},
    {"segment-length", &ramp::RampInput::segmentLength},
    {"segments", &ramp::RampInput::segmentCount},
    {"spacings", &ramp::RampInput::spacings},
}};

// The design the window opens with in the default edition: the boxes'
// initial texts, the start-up entry of each list, no project information but
// the date.
DesignFile startupDesign(std::string_view today);
// The same in an edition and with the factors a window has: the edition's
// start-up entries, and the edition named unless it is the default one.
DesignFile startupDesign(std::string_view today, const CodeEdition& edition, const FactorValues& factors);

// The edition a design follows: the default one when it names none.
const CodeEdition& editionOf(const DesignFile& design);

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

// Why `text`, the serialized `design`, must not be written: it would be more
// than the reader takes, and the message names the largest text to shorten.
// Empty when it may be written.
std::string saveFault(const DesignFile& design, std::string_view text);

// Why a file of `size` bytes is not read as a design: it is larger than
// kMaxFileBytes. The same sentence wherever the size is found out; sizes are
// in bytes, so that the file's and the limit's never read alike.
std::string tooLargeFault(std::uintmax_t size);

// A name or text from a file or a user, to be quoted in a message: cut to a
// readable length at a character boundary, with "…" where it was cut.
std::string shortened(std::string_view text, std::size_t maxCharacters = 40);

// The messages the window and the tool show, naming the file.
std::string openFailureMessage(std::string_view fileName, std::string_view fault);
std::string saveFailureMessage(std::string_view fileName, std::string_view fault);
std::string notesMessage(std::string_view fileName, const std::vector<std::string>& notes);

} // namespace rampwall::design
