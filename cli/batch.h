// Batch mode: one design per row of a CSV file whose header names the inputs.
#pragma once

#include "cli/rows.h"

#include <istream>
#include <ostream>
#include <string_view>

namespace rampwall::cli {

// Runs every row of the CSV read from `in`, named `source` in messages (a
// header row, then one design per row; a column left out keeps its start-up
// value), and returns the exit status: completed when every row ran, not
// completed when the header could not be read, named a column that is no
// input or named one twice, or some row could not be run. Each problem is
// said on err with its line number; the rows still run when there is a
// header. Rows are read, designed and written one at a time, and whatever is
// written is handed on whenever the input makes the batch wait; a stream
// that cannot be read is a usage error, as a file that cannot be opened is.
int runBatch(std::istream& in, std::string_view source, RowWriter& writer, std::ostream& err);

} // namespace rampwall::cli
