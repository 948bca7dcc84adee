#include "input_reader.h"

#include "calculation_stop.h"
#include "number_text.h"

namespace rampwall {

double InputReader::number(std::optional<double>& cache, const std::string& text, Control box) {
    if (!cache) {
        cache = parseDouble(text);
        if (!cache) {
            stopNotANumber(box);
        }
    }
    return *cache;
}

} // namespace rampwall
