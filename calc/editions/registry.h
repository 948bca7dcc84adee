// The code editions the program offers, in the order the 规范 menu lists
// them. The first is the default: a design that names no edition follows it.
#pragma once

#include "calc/editions/code_edition.h"

#include <span>
#include <string_view>

namespace rampwall {

std::span<const CodeEdition* const> editions();
const CodeEdition& defaultEdition();
// The edition of that key, or null.
const CodeEdition* editionByKey(std::string_view key);
// The edition that has a factor of that key, or null.
const CodeEdition* editionOfFactor(std::string_view key);

// Adds an edition after the others (tests add editions of their own). Its
// key, and each of its factor keys, must be new: a second edition of a key
// is refused and false returned. The edition must outlive every use.
bool registerEdition(const CodeEdition& edition);

// "“2002”或“2010”": the keys, quoted, as a message lists the choices.
std::string editionKeysText(std::string_view quoteOpen, std::string_view quoteClose, std::string_view lastJoin);

} // namespace rampwall
