#include "startup.h"

#include "materials.h"
#include "materials_2010.h"

namespace rampwall {

void fillLists(WindowOps& window, Edition edition) {
    for (const ConcreteGrade& grade : kConcreteGrades) {
        window.appendEntry(Control::Combo1, grade.entry);
    }
    window.selectEntry(Control::Combo1, 0);
    for (std::string_view entry : steelEntries(edition)) {
        window.appendEntry(Control::Combo2, entry);
    }
    window.selectEntry(Control::Combo2, 0);
    for (std::string_view entry : kLoadCaseEntries) {
        window.appendEntry(Control::Combo3, entry);
    }
    window.selectEntry(Control::Combo3, 0);
}

} // namespace rampwall
