#include "options.h"

#include "control_table.h"
#include "materials.h"
#include "number_text.h"

#include <array>

namespace rampwall::cli {

namespace {

enum class Flag { Json, Help, Version, Batch, Sweep, Sheets, Design, SaveDesign, Pdf, Pdfs };

struct FlagOption {
    std::string_view name;
    Flag flag;
    bool takesValue;
};

constexpr std::array<FlagOption, 10> kFlags = {{
    {"json", Flag::Json, false},
    {"help", Flag::Help, false},
    {"version", Flag::Version, false},
    {"batch", Flag::Batch, true},
    {"sweep", Flag::Sweep, true},
    {"sheets", Flag::Sheets, true},
    {"design", Flag::Design, true},
    {"save-design", Flag::SaveDesign, true},
    {"pdf", Flag::Pdf, true},
    {"pdfs", Flag::Pdfs, true},
}};

const FlagOption* flagByName(std::string_view name) {
    for (const FlagOption& option : kFlags) {
        if (option.name == name) {
            return &option;
        }
    }
    return nullptr;
}

UsageError error(std::string message) { return UsageError{std::move(message)}; }

} // namespace

std::variant<Options, UsageError> parseOptions(std::span<const std::string_view> args) {
    Options options;
    bool batch = false;
    bool sweep = false;
    std::array<bool, kFlags.size()> flagSeen{};

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "-h") {
            options.mode = Mode::Help;
            return options;
        }
        if (!arg.starts_with("--") || arg.size() == 2) {
            return error("unexpected argument \"" + std::string(arg) + "\"");
        }
        const std::size_t equals = arg.find('=');
        const std::string_view name =
            arg.substr(2, equals == std::string_view::npos ? std::string_view::npos : equals - 2);
        const FlagOption* flag = flagByName(name);
        const std::optional<std::size_t> input = inputByName(name);
        const std::optional<std::size_t> setting = settingByName(name);
        if (flag == nullptr && !input && !setting) {
            return error("unknown option --" + std::string(name));
        }

        std::optional<std::string_view> value;
        if (equals != std::string_view::npos) {
            value = arg.substr(equals + 1);
        }
        if (flag != nullptr && !flag->takesValue) {
            if (value) {
                return error("--" + std::string(name) + " takes no value");
            }
        } else if (!value) {
            if (i + 1 == args.size()) {
                return error("--" + std::string(name) + " needs a value");
            }
            value = args[++i]; // taken whatever it looks like: "-1.0" is an elevation
        }

        if (setting) {
            if (options.inputs.isSettingSet(*setting)) {
                return error("--" + std::string(name) + " is given twice");
            }
            if (std::optional<std::string> problem = options.inputs.setSetting(*setting, *value, false)) {
                return error(std::move(*problem));
            }
            continue;
        }
        if (input) {
            if (options.inputs.isSet(*input)) {
                return error("--" + std::string(name) + " is given twice");
            }
            if (!options.inputs.set(*input, *value)) {
                // Appended rather than literal + string: g++ 12 at -O3 warns
                // falsely about overlapping copies in the latter.
                return error(std::string(1, '"')
                                 .append(*value)
                                 .append("\" is not an entry of the ")
                                 .append(name)
                                 .append(" list"));
            }
            continue;
        }
        const auto slot = static_cast<std::size_t>(flag - kFlags.data());
        if (flagSeen[slot]) {
            return error("--" + std::string(name) + " is given twice");
        }
        flagSeen[slot] = true;
        switch (flag->flag) {
        case Flag::Json: options.json = true; break;
        case Flag::Help: options.mode = Mode::Help; return options;
        case Flag::Version: options.mode = Mode::Version; return options;
        case Flag::Batch:
            batch = true;
            options.batchFile = std::string(*value);
            break;
        case Flag::Sweep: {
            auto range = parseSweep(*value);
            if (auto* reason = std::get_if<UsageError>(&range)) {
                return error("--sweep " + std::string(*value) + ": " + reason->message);
            }
            sweep = true;
            options.sweep = std::get<SweepRange>(range);
            break;
        }
        case Flag::Sheets: options.sheetsDir = std::string(*value); break;
        case Flag::Design: options.designFile = std::string(*value); break;
        case Flag::SaveDesign: options.saveDesign = std::string(*value); break;
        case Flag::Pdf: options.pdfFile = std::string(*value); break;
        case Flag::Pdfs: options.pdfsDir = std::string(*value); break;
        }
    }

    bool anyInput = false;
    for (std::size_t i = 0; i < kInputOptions.size(); ++i) {
        anyInput = anyInput || options.inputs.isSet(i);
    }
    for (std::size_t i = 0; i < kSettingCount; ++i) {
        anyInput = anyInput || options.inputs.isSettingSet(i);
    }
    if (batch && sweep) {
        return error("--batch and --sweep cannot be combined");
    }
    if (batch && anyInput) {
        return error("a batch takes its inputs from the file's columns, not from options");
    }
    if (sweep && options.inputs.isSet(options.sweep.input)) {
        return error("--" + std::string(kInputOptions[options.sweep.input].name) + " is also the swept input");
    }
    if ((batch || sweep) && options.json) {
        return error("--json is for a single design; batch and sweep print CSV");
    }
    if (!batch && !sweep && options.sheetsDir) {
        return error("--sheets needs --batch or --sweep");
    }
    if ((batch || sweep) && (options.designFile || options.saveDesign || options.pdfFile)) {
        return error("--design, --save-design and --pdf are for a single design");
    }
    if (!batch && !sweep && options.pdfsDir) {
        return error("--pdfs needs --batch or --sweep");
    }
#ifndef RAMPWALL_BOOK
    if (options.pdfFile || options.pdfsDir) {
        return error("本程序构建时未包含计算书（没有 Qt），不能使用 --pdf 和 --pdfs");
    }
#endif
    if (batch && options.batchFile.empty()) {
        return error("--batch needs a file name, or - for standard input");
    }
    if (!batch) {
        // A swept input is given on every row.
        DesignInputs probe = options.inputs;
        if (sweep) {
            static_cast<void>(probe.set(options.sweep.input, "0"));
        }
        if (std::optional<std::string> conflict = probe.conflict(true)) {
            return error(std::move(*conflict));
        }
    }
    options.mode = batch ? Mode::Batch : sweep ? Mode::Sweep : Mode::Design;
    return options;
}

std::string usageText() {
    return "usage: rampwall-cli [--json] [--design FILE] [INPUT OPTIONS] [--save-design FILE] [--pdf FILE]\n"
           "       rampwall-cli --batch FILE [--sheets DIR] [--pdfs DIR]\n"
           "       rampwall-cli --sweep NAME=START:STOP:STEP [INPUT OPTIONS] [--sheets DIR] [--pdfs DIR]\n"
           "Try 'rampwall-cli --help' for more.\n";
}

std::string helpText() {
    std::string text = "rampwall-cli: designs the vertical reinforcement at the base of a ramp's\n"
                       "retaining wall, as the window's Compute button does, and exits.\n"
                       "\n" +
                       usageText().substr(0, usageText().rfind("Try")) +
                       "\n"
                       "Input options (each takes the box text exactly as typed, written --h3=-1.0\n"
                       "or --h3 -1.0; a value may be empty or start with '-'; an option left out\n"
                       "keeps the window's start-up value):\n";
    for (const InputOption& option : kInputOptions) {
        std::string line = "  --" + std::string(option.name) + " ";
        line += isListInput(static_cast<std::size_t>(&option - kInputOptions.data())) ? "ENTRY" : "VALUE";
        line.resize(26, ' ');
        line += option.help;
        if (!option.unit.empty()) {
            line += " (" + std::string(option.unit) + ")";
        } else if (option.control == Control::Text5) {
            line += " (no unit)";
        }
        line += ", start-up: ";
        line += option.control == Control::Combo1   ? kConcreteGrades.front().entry
                : option.control == Control::Combo2 ? kSteelGrades.front().entry
                : option.control == Control::Combo3 ? kLoadCaseEntries.front()
                                                    : initialText(option.control);
        text += line + "\n";
    }
    text += "  A list option also takes a list index; any whole number is allowed, and\n"
            "  one outside the list (-1 included) leaves the list with nothing selected,\n"
            "  as does an empty value.\n"
            "\n"
            "Edition (GB 50010-2002 unless --edition 2010 is given):\n"
            "  --edition 2002|2010     the code edition: GB 50010-2002, or GB 50010-2010\n"
            "                          (2015 revision) with the factors below; in 2010\n"
            "                          --steel takes HPB300, HRB335, HRB400, RRB400, HRB500\n"
            "                          and --load-factor is not used (a usage error)\n";
    for (const LoadFactorField& field : kLoadFactorFields) {
        std::string line = "  --" + std::string(field.key) + " VALUE";
        line.resize(26, ' ');
        line += std::string(field.caption) + ", default ";
        line += formatDouble(LoadFactors{}.*field.member) + " (" + std::string(field.clause) + ")";
        text += line + "\n";
    }
    text += "  The five factors belong to the 2010 edition: M = γ0·(γG·MG + γQ·γL·MQ),\n"
            "  Mq = MG + ψq·MQ; γ factors greater than 0 and at most 10, ψq 0 to 1. In\n"
            "  the 2002 edition they are a usage error.\n"
            "\n"
            "Output:\n"
            "  (default)               the messages, the six results under the window's\n"
            "                          captions, and the calculation sheet\n"
            "  --json                  one JSON object: {\"completed\": true|false,\n"
            "                          \"messages\": [{\"title\": ..., \"text\": ...}],\n"
            "                          \"boxes\": {\"Text6\": ..., ...}} with only the boxes\n"
            "                          the run wrote, their texts exact (the sheet, Text12,\n"
            "                          keeps its CR LF), and \"values\": {\"M\": ..., ...}, the\n"
            "                          run's named numbers in full double precision\n"
            "\n"
            "Batch and sweep (RFC 4180 CSV with CR LF line ends on standard output: the\n"
            "input columns, then MBk, As_strength, bar_strength, As_crack, bar_crack,\n"
            "crack_width as the window's boxes show them, empty for a box the row did not\n"
            "reach, status ok or stopped, and the row's messages joined by \" | \"):\n"
            "  --batch FILE            one design per row of a CSV file (- for standard\n"
            "                          input); its header names the columns with the input\n"
            "                          option names above, without dashes; a column left\n"
            "                          out keeps its start-up value; edition and the five\n"
            "                          factors are columns too, where an empty cell is the\n"
            "                          default (so --load-factor may stay empty in a 2010\n"
            "                          row); empty lines are skipped;\n"
            "                          a column naming no input, or one named before, is\n"
            "                          reported and not used\n"
            "  --sweep NAME=START:STOP:STEP\n"
            "                          one design per value START + i*STEP up to STOP\n"
            "                          (included when on the grid) of the numeric input\n"
            "                          NAME, on top of the input options given; the columns\n"
            "                          are NAME, then the input options given, then the\n"
            "                          edition and factors given\n"
            "  --sheets DIR            also writes each completed row's calculation sheet to\n"
            "                          DIR/row-N.txt (N counts the data rows from 1); a row\n"
            "                          that did not complete removes an old file of its name\n"
            "  --pdfs DIR              also writes each completed row's calculation book to\n"
            "                          DIR/row-N.pdf, and removes it for a row that did not\n"
            "                          complete\n"
            "\n"
            "Design files and the calculation book (single design):\n"
            "  --design FILE           takes the inputs from a design file (.rampwall); input\n"
            "                          options given with it override its values; the book\n"
            "                          takes its project information from it\n"
            "  --save-design FILE      writes the design the options describe to FILE\n"
            "                          (replaced whole, never half written)\n"
            "  --pdf FILE              writes the design's calculation book as a PDF; a\n"
            "                          design that did not complete writes none\n"
#ifndef RAMPWALL_BOOK
            "                          (not in this build: it has no book)\n"
#endif
            "\n"
            "  --help, -h              this text\n"
            "  --version               the program's version\n"
            "\n"
            "Exit status: 0 when the design was completed (batch and sweep: every row\n"
            "ran), 1 when a message ended it, an input was not a number or no load case\n"
            "was selected (batch and sweep: some row or header column could not be used),\n"
            "or the output, a design file or a book could not be written, 2 for a usage\n"
            "error or a batch or design file that cannot be read or used.\n";
    return text;
}

} // namespace rampwall::cli
