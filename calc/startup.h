// What the window shows when it opens: the three lists filled in insertion
// order, each with its first entry selected.
#pragma once

#include "edition.h"
#include "window_ops.h"

namespace rampwall {

// Appends the concrete grades, the steel grades of the edition and the load
// cases to their lists and selects entry 0 of each, list by list.
void fillLists(WindowOps& window, Edition edition = kDefaultEdition);

} // namespace rampwall
