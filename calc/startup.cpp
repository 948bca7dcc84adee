#include "calc/startup.h"

namespace rampwall {

void fillLists(WindowOps& window, const CodeEdition& edition) {
    for (const Control list : {Control::Combo1, Control::Combo2, Control::Combo3}) {
        for (std::string_view entry : listEntries(edition, list)) {
            window.appendEntry(list, entry);
        }
        window.selectEntry(list, edition.startupEntry(list));
    }
}

} // namespace rampwall
