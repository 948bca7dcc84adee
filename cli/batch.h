// Batch mode: one design per row of a CSV file whose header names the inputs.
#pragma once

#include "rows.h"

#include <ostream>
#include <string_view>

namespace rampwall::cli {

// Runs every row of the text (a header row, then one design per row; a column
// left out keeps its start-up value) and returns the exit status: 0 when every
// row ran, 1 when the header could not be read, named a column that is no
// input or named one twice, or some row could not be run. Each problem is
// said on err with its line number; the rows still run when there is a header.
int runBatch(std::string_view csv, RowWriter& writer, std::ostream& err);

} // namespace rampwall::cli
