#include "calc/form_inputs.h"

namespace rampwall {

FormInputs FormInputs::readFrom(WindowOps& window) {
    FormInputs inputs;
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        inputs.texts[i] = window.readText(kInputs[i].control);
        if (isListInput(i)) {
            inputs.selected[i - kBoxInputCount] = window.selectedIndex(kInputs[i].control);
        }
    }
    return inputs;
}

} // namespace rampwall
