// The command line: design inputs, output form and mode.
#pragma once

#include "cli/inputs.h"
#include "cli/sweep_range.h"
#include "cli/usage_error.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace rampwall::cli {

enum class Mode { Design, Batch, Sweep, Ramp, Help, Version };

struct Options {
    Mode mode = Mode::Design;
    bool json = false;
    DesignInputs inputs;   // the inputs given; a sweep's fixed inputs
    std::string batchFile; // "-" for standard input
    SweepRange sweep;
    std::optional<std::string> sheetsDir;  // batch and sweep only
    std::optional<std::string> designFile; // a single design's inputs, under the input options
    std::optional<std::string> saveDesign; // a single design only
    std::optional<std::string> pdfFile;    // a single design only
    std::optional<std::string> pdfsDir;    // batch and sweep only
    std::optional<std::string> xlsxFile;   // batch, sweep and ramp: the rows as a workbook too
    // --ramp and its options: each as typed, laid over the design file's ramp.
    std::optional<std::string> rampLength;
    std::optional<std::string> h4Start;
    std::optional<std::string> segmentLength;
    std::optional<std::string> segmentCount;
    std::optional<std::string> spacings;

    // Whether an option that belongs to a ramp (other than --ramp) is given.
    bool anyRampDetail() const { return h4Start || segmentLength || segmentCount || spacings; }
};

// Every option takes its value as "--name=value" or as the next argument;
// the value may be empty and may begin with '-' ("--h3 -1.0"). An option
// given twice is an error rather than a silent choice between the two.
std::variant<Options, UsageError> parseOptions(std::span<const std::string_view> args);

// The short reminder printed with a usage error, and the full --help text.
std::string usageText();
std::string helpText();

} // namespace rampwall::cli
