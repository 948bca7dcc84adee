#include "calc/editions/registry.h"

#include "calc/editions/gb50010_2002.h"
#include "calc/editions/gb50010_2010.h"

#include <vector>

namespace rampwall {

namespace {

std::vector<const CodeEdition*>& registered() {
    static const Gb50010_2002 edition2002;
    static const Gb50010_2010 edition2010;
    static std::vector<const CodeEdition*> list{&edition2002, &edition2010};
    return list;
}

} // namespace

std::span<const CodeEdition* const> editions() { return registered(); }

const CodeEdition& defaultEdition() { return *registered().front(); }

const CodeEdition* editionByKey(std::string_view key) {
    for (const CodeEdition* edition : registered()) {
        if (edition->key() == key) {
            return edition;
        }
    }
    return nullptr;
}

const CodeEdition* editionOfFactor(std::string_view key) {
    for (const CodeEdition* edition : registered()) {
        if (factorOf(*edition, key) != nullptr) {
            return edition;
        }
    }
    return nullptr;
}

bool registerEdition(const CodeEdition& edition) {
    if (editionByKey(edition.key()) != nullptr) {
        return false;
    }
    for (const FactorDefinition& factor : edition.factors()) {
        if (editionOfFactor(factor.key) != nullptr) {
            return false;
        }
    }
    registered().push_back(&edition);
    return true;
}

std::string editionKeysText(std::string_view quoteOpen, std::string_view quoteClose, std::string_view lastJoin) {
    std::string text;
    const std::span<const CodeEdition* const> all = editions();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i > 0) {
            text += i + 1 == all.size() ? lastJoin : std::string_view("、");
        }
        text.append(quoteOpen).append(all[i]->key()).append(quoteClose);
    }
    return text;
}

} // namespace rampwall
