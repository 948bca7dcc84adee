#include "calc/ramp/ramp_input.h"

#include "calc/number_text.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace rampwall::ramp {

namespace {

std::string quoted(std::string_view text) { return "“" + std::string(text) + "”"; }

std::optional<double> finiteNumber(std::string_view text) {
    const std::optional<double> value = parseDouble(text);
    return value && std::isfinite(*value) ? value : std::nullopt;
}

bool isBlank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

// The separators a person types between spacings, ASCII and Chinese.
constexpr std::string_view kSeparators[] = {",", "，", "、", ";", "；", " ", "\t", "　"};

} // namespace

RampInput startupRamp() { return {"30", "", "5", "", ""}; }

std::size_t segmentCount(double length, double segmentLength) {
    const double count = std::ceil(length / segmentLength - 1e-9);
    return count < 1 ? 1 : static_cast<std::size_t>(count);
}

std::vector<std::string> splitSpacings(std::string_view text) {
    std::vector<std::string> parts;
    std::string part;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t separator = 0;
        for (const std::string_view s : kSeparators) {
            if (text.substr(i).starts_with(s)) {
                separator = s.size();
                break;
            }
        }
        if (separator == 0) {
            part += text[i++];
            continue;
        }
        if (!part.empty()) {
            parts.push_back(std::move(part));
            part.clear();
        }
        i += separator;
    }
    if (!part.empty()) {
        parts.push_back(std::move(part));
    }
    return parts;
}

std::variant<RampPlan, std::string> planRamp(const RampInput& ramp, const FormInputs& form) {
    RampPlan plan;
    const std::optional<double> length = finiteNumber(ramp.length);
    if (!length || *length <= 0) {
        return "坡道长度 L 应为正数（m），现在是" + quoted(ramp.length);
    }
    if (*length > kLongestRamp) {
        return "坡道长度 L 不能超过 " + formatDouble(kLongestRamp) + " m，现在是" + quoted(ramp.length);
    }
    plan.length = *length;

    const std::optional<double> h4 = finiteNumber(form.text(Control::Text16));
    if (!h4) {
        return "坡道下端的墙底标高 h4 不是数字：" + quoted(form.text(Control::Text16));
    }
    if (std::abs(*h4) > kFarthestLevel) {
        return "坡道下端的墙底标高 h4 应在 ±" + formatDouble(kFarthestLevel) + " m 以内，现在是" +
               quoted(form.text(Control::Text16));
    }
    plan.h4End = *h4;
    if (isBlank(ramp.h4Start)) {
        const std::optional<double> h2 = finiteNumber(form.text(Control::Text2));
        if (!h2) {
            return "坡道上端底板标高未填写，取土面标高 h2，但 h2 不是数字：" + quoted(form.text(Control::Text2));
        }
        if (std::abs(*h2) > kFarthestLevel) {
            return "坡道上端底板标高未填写，取土面标高 h2，但 h2 应在 ±" + formatDouble(kFarthestLevel) +
                   " m 以内，现在是" + quoted(form.text(Control::Text2));
        }
        plan.h4Start = *h2;
    } else {
        const std::optional<double> start = finiteNumber(ramp.h4Start);
        if (!start) {
            return "坡道上端底板标高 h4,start 不是数字：" + quoted(ramp.h4Start);
        }
        if (std::abs(*start) > kFarthestLevel) {
            return "坡道上端底板标高 h4,start 应在 ±" + formatDouble(kFarthestLevel) + " m 以内，现在是" +
                   quoted(ramp.h4Start);
        }
        plan.h4Start = *start;
    }

    if (!isBlank(ramp.segmentCount)) {
        const std::optional<double> count = finiteNumber(ramp.segmentCount);
        if (!count || *count < 1 || *count != std::floor(*count) || *count > static_cast<double>(kMostSegments)) {
            return "分段数应为 1 至 " + formatInteger(kMostSegments) + " 的整数，现在是" + quoted(ramp.segmentCount);
        }
        plan.segments = static_cast<std::size_t>(*count);
        plan.segmentLength = plan.length / *count;
    } else {
        const std::optional<double> segment = isBlank(ramp.segmentLength) ? std::optional<double>(kDefaultSegmentLength)
                                                                          : finiteNumber(ramp.segmentLength);
        if (!segment || *segment <= 0) {
            return "分段长度应为正数（m），现在是" + quoted(ramp.segmentLength);
        }
        // Compared before counting, so a tiny length cannot overflow the count.
        if (plan.length / *segment > static_cast<double>(kMostSegments)) {
            return "分段长度 " + quoted(ramp.segmentLength) + " 使坡道分成的段数超过 " + formatInteger(kMostSegments) +
                   " 段，请加大分段长度";
        }
        plan.segmentLength = *segment;
        plan.segments = segmentCount(plan.length, *segment);
    }

    std::vector<std::string> texts = splitSpacings(ramp.spacings);
    if (texts.empty()) {
        texts.push_back(form.text(Control::Text10));
    }
    if (texts.size() > kMostSpacings) {
        return "钢筋间距最多列出 " + formatInteger(kMostSpacings) + " 个，现在有 " +
               formatInteger(static_cast<long long>(texts.size())) + " 个";
    }
    for (std::string& text : texts) {
        const std::optional<double> value = finiteNumber(text);
        if (!value || *value <= 0) {
            return "钢筋间距应为正数（mm），现在是" + quoted(text);
        }
        // The same spacing twice would be designed twice for nothing.
        const bool listed = std::any_of(plan.spacings.begin(), plan.spacings.end(),
                                        [&](const Spacing& spacing) { return spacing.value == *value; });
        if (!listed) {
            plan.spacings.push_back({std::move(text), *value});
        }
    }
    return plan;
}

} // namespace rampwall::ramp
