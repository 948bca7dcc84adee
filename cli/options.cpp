#include "cli/options.h"

#include "calc/control_table.h"
#include "calc/editions/registry.h"
#include "calc/number_text.h"

#include <array>

namespace rampwall::cli {

namespace {

enum class Flag {
    Json,
    Help,
    Version,
    Batch,
    Sweep,
    Sheets,
    Design,
    SaveDesign,
    Pdf,
    Pdfs,
    Ramp,
    H4Start,
    Segment,
    Segments,
    Spacings,
    Xlsx,
};

struct FlagOption {
    std::string_view name;
    Flag flag;
    bool takesValue;
};

constexpr std::array<FlagOption, 16> kFlags = {{
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
    {"ramp", Flag::Ramp, true},
    {"h4-start", Flag::H4Start, true},
    {"segment", Flag::Segment, true},
    {"segments", Flag::Segments, true},
    {"spacings", Flag::Spacings, true},
    {"xlsx", Flag::Xlsx, true},
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
        const std::optional<std::size_t> input = inputByKey(name);
        const std::optional<Setting> setting = settingByName(name);
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
            if (options.inputs.isSettingSet(setting->name)) {
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
        case Flag::Ramp: options.rampLength = std::string(*value); break;
        case Flag::H4Start: options.h4Start = std::string(*value); break;
        case Flag::Segment: options.segmentLength = std::string(*value); break;
        case Flag::Segments: options.segmentCount = std::string(*value); break;
        case Flag::Spacings: options.spacings = std::string(*value); break;
        case Flag::Xlsx: options.xlsxFile = std::string(*value); break;
        }
    }

    bool anyInput = false;
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        anyInput = anyInput || options.inputs.isSet(i);
    }
    for (const Setting& setting : settings()) {
        anyInput = anyInput || options.inputs.isSettingSet(setting.name);
    }
    const bool ramp = options.rampLength.has_value();
    if (batch && sweep) {
        return error("--batch and --sweep cannot be combined");
    }
    if (ramp && (batch || sweep)) {
        return error("--ramp cannot be combined with --batch or --sweep");
    }
    if (ramp && options.json) {
        return error("--json is for a single design; a ramp prints its schedule as CSV");
    }
    if (ramp && options.inputs.isSet(*inputByKey("case"))) {
        return error("--case is chosen for each section of a ramp (A where h3 is above the floor, else B)");
    }
    if (options.segmentLength && options.segmentCount) {
        return error("--segment and --segments cannot be combined");
    }
    if (options.anyRampDetail() && !ramp && !options.designFile) {
        return error("--h4-start, --segment, --segments and --spacings need --ramp");
    }
    if (options.xlsxFile && !batch && !sweep && !ramp && !options.designFile) {
        return error("--xlsx needs --batch, --sweep or --ramp");
    }
    if (batch && anyInput) {
        return error("a batch takes its inputs from the file's columns, not from options");
    }
    if (sweep && options.inputs.isSet(options.sweep.input)) {
        return error("--" + std::string(kInputs[options.sweep.input].key) + " is also the swept input");
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
    options.mode = batch ? Mode::Batch : sweep ? Mode::Sweep : ramp ? Mode::Ramp : Mode::Design;
    return options;
}

std::string usageText() {
    return "usage: rampwall-cli [--json] [--design FILE] [INPUT OPTIONS] [--save-design FILE] [--pdf FILE]\n"
           "       rampwall-cli --batch FILE [--sheets DIR] [--pdfs DIR]\n"
           "       rampwall-cli --sweep NAME=START:STOP:STEP [INPUT OPTIONS] [--sheets DIR] [--pdfs DIR]\n"
           "       rampwall-cli --ramp L [--h4-start VALUE] [--segment LENGTH | --segments N]\n"
           "                    [--spacings LIST] [INPUT OPTIONS] [--xlsx FILE] [--pdf FILE]\n"
           "Try 'rampwall-cli --help' for more.\n";
}

namespace {

// "  --name VALUE" padded to the description's column.
std::string optionLine(std::string_view name, std::string_view value, std::string_view description) {
    std::string line = "  --" + std::string(name) + " " + std::string(value);
    line.resize(std::max<std::size_t>(line.size() + 1, 26), ' ');
    return line + std::string(description) + "\n";
}

std::string inputsHelp() {
    const CodeEdition& edition = defaultEdition();
    std::string text;
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        const InputRow& input = kInputs[i];
        std::string description(input.help);
        if (!input.unit.empty()) {
            description += " (" + std::string(input.unit) + ")";
        } else if (!isListInput(i)) {
            description += " (no unit)";
        }
        description += ", start-up: ";
        if (isListInput(i)) {
            const std::vector<std::string_view> entries = listEntries(edition, input.control);
            description += entries.at(static_cast<std::size_t>(edition.startupEntry(input.control)));
        } else {
            description += initialText(input.control);
        }
        text += optionLine(input.key, isListInput(i) ? "ENTRY" : "VALUE", description);
    }
    return text;
}

std::string editionsHelp() {
    std::string keys;
    for (const CodeEdition* edition : editions()) {
        keys += (keys.empty() ? "" : "|") + std::string(edition->key());
    }
    std::string text = "Editions (" + std::string(defaultEdition().title()) + " unless --edition names another):\n" +
                       optionLine("edition", keys, "the code edition the design follows");
    for (const CodeEdition* edition : editions()) {
        text += "  " + std::string(edition->key()) + ": " + std::string(edition->title()) + "\n";
        for (const std::string_view line : edition->book().method) {
            text += "    " + std::string(line) + "\n";
        }
        std::string steel;
        for (const SteelChoice& grade : edition->steelGrades()) {
            steel += (steel.empty() ? "" : ", ") + std::string(grade.code);
        }
        text += "    --steel takes " + steel + "\n";
        for (const UnusedInput& unused : edition->unusedInputs()) {
            text += "    --" + std::string(kInputs[inputOf(unused.box)].key) + " is not used (a usage error)\n";
        }
        for (const FactorDefinition& factor : edition->factors()) {
            text += "  " + optionLine(factor.key, "VALUE",
                                      std::string(factor.caption) + ", default " + formatDouble(factor.defaultValue) +
                                          " (" + std::string(factor.clause) + ")");
        }
        if (!edition->factors().empty()) {
            text += "    " + std::string(edition->factorNote()) + "; in another edition these are a usage error\n";
        }
    }
    return text;
}

} // namespace

std::string helpText() {
    std::string text = "rampwall-cli: designs the vertical reinforcement at the base of a ramp's\n"
                       "retaining wall, as the window's Compute button does, and exits.\n"
                       "\n" +
                       usageText().substr(0, usageText().rfind("Try")) +
                       "\n"
                       "Input options (each takes the box text exactly as typed, written --h3=-1.0\n"
                       "or --h3 -1.0; a value may be empty or start with '-'; an option left out\n"
                       "keeps the window's start-up value):\n" +
                       inputsHelp() +
                       "  A list option also takes a list index; any whole number is allowed, and\n"
                       "  one outside the list (-1 included) leaves the list with nothing selected,\n"
                       "  as does an empty value.\n"
                       "\n" +
                       editionsHelp();
    text += "\n"
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
            "reach, status ok, fails (completed, but a check of its book is not\n"
            "satisfied) or stopped, and the row's messages joined by \" | \"):\n"
            "  --batch FILE            one design per row of a CSV file (- for standard\n"
            "                          input); its header names the columns with the input\n"
            "                          option names above, without dashes; a column left\n"
            "                          out keeps its start-up value; edition and the\n"
            "                          factors are columns too, where an empty cell is the\n"
            "                          default (so a box an edition does not read may stay\n"
            "                          empty in its rows); empty lines are skipped;\n"
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
            "  --xlsx FILE             also writes the rows as an Excel workbook: a Chinese\n"
            "                          header with units, numbers as numbers; the file\n"
            "                          appears whole when the last row is written\n"
            "\n"
            "Ramp (the wall along a whole open ramp, in segments from its upper end):\n"
            "  --ramp L                the ramp's length (m); the floor falls from --h4-start\n"
            "                          at the upper end to --h4 at the lower end; each\n"
            "                          segment is designed at its deeper end, with Case A\n"
            "                          where h3 is above the floor there and Case B\n"
            "                          elsewhere (--case is not taken)\n"
            "  --h4-start VALUE        the floor at the upper end (m), default h2\n"
            "  --segment LENGTH        segment length (m), default 5; the last may be shorter\n"
            "  --segments N            or that many equal segments\n"
            "  --spacings LIST         bar spacings to choose from (mm), e.g. 100,125,150;\n"
            "                          each segment takes the lightest that passes every\n"
            "                          check, of two equally heavy the wider; default the\n"
            "                          --spacing\n"
            "  Prints CSV: segment, from, to, h4, case, spacing, MBk, As_strength,\n"
            "  bar_strength, As_crack, bar_crack, crack_width, steel_kg_per_m, steel_kg,\n"
            "  status (ok, fails, stopped, or none where the floor is not below h2) and\n"
            "  message; the total steel goes to standard error. The steel is the designed\n"
            "  face's vertical bars, As x (h1 - h4) x 0.00785 kg per metre of wall, without\n"
            "  laps, anchorage or the inside face. --xlsx writes the schedule as a\n"
            "  workbook and --pdf the ramp's calculation book. A design file with a ramp\n"
            "  (--design) runs as a ramp; --save-design keeps the ramp in it.\n"
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
            "error or a batch or design file that cannot be read or used, 3 when a single\n"
            "design completed but a check of its book is not satisfied (its boxes, sheet\n"
            "and JSON are shown all the same). A ramp: 0 when every segment is ok or none,\n"
            "else 1 when a segment stopped, else 3.\n";
    return text;
}

} // namespace rampwall::cli
