// What the window shows when it opens: the three lists filled in insertion
// order, each with the edition's start-up entry selected.
#pragma once

#include "calc/editions/code_edition.h"
#include "calc/editions/registry.h"
#include "calc/window_ops.h"

namespace rampwall {

// Appends the concrete grades, the edition's steel grades and the load cases
// to their lists and selects the start-up entry of each, list by list.
void fillLists(WindowOps& window, const CodeEdition& edition = defaultEdition());

} // namespace rampwall
