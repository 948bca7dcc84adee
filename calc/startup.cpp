#include "startup.h"

#include "materials.h"

namespace rampwall {

void fillLists(WindowOps& window) {
    for (const ConcreteGrade& grade : kConcreteGrades) {
        window.appendEntry(Control::Combo1, grade.entry);
    }
    window.selectEntry(Control::Combo1, 0);
    for (const SteelGrade& grade : kSteelGrades) {
        window.appendEntry(Control::Combo2, grade.entry);
    }
    window.selectEntry(Control::Combo2, 0);
    for (std::string_view entry : kLoadCaseEntries) {
        window.appendEntry(Control::Combo3, entry);
    }
    window.selectEntry(Control::Combo3, 0);
}

} // namespace rampwall
