#include "calc/calculation_stop.h"

#include "calc/control_table.h"
#include "calc/decimal_text.h"
#include "calc/design_state.h"

namespace rampwall {

namespace {
std::string quoted(Control box) {
    std::string text = "“";
    text += captionOf(box);
    text += "”";
    return text;
}
} // namespace

void presentStop(WindowOps& window, const CalculationStop& stop) {
    window.showMessage(stop.what(), kNoticeTitle);
    if (const std::optional<WriteAfterMessage>& after = stop.writeAfterMessage()) {
        window.replaceText(after->box, after->text);
    }
}

void stopElevations() { throw CalculationStop(std::string(kElevationMessage)); }

void stopNoBar() {
    throw CalculationStop(std::string(kNoBarMessage), WriteAfterMessage{Control::Text19, kTooLargeText});
}

void stopNotANumber(Control box) { throw CalculationStop(quoted(box) + "不是有效的数字，请重新输入"); }

void stopCoverNotThinner() {
    throw CalculationStop(quoted(Control::Text13) + "必须小于" + quoted(Control::Text4) + "，请重新输入");
}

void stopNotPositive(Control box) { throw CalculationStop(quoted(box) + "必须大于零，请重新输入"); }

void stopMomentNotPositive() {
    throw CalculationStop("计算所得弯矩不大于零，无需按此配筋。请检查" + quoted(Control::Text5) + "、" +
                          quoted(Control::Text14) + "、" + quoted(Control::Text15) + "和各标高");
}

void stopCrackLimitUnreachable(int diameterLimit) {
    throw CalculationStop("钢筋直径增大到" + std::to_string(diameterLimit) +
                          "mm仍不能满足裂缝限值，请增加外墙厚度或检查输入数据");
}

void stopDivisionByZero(std::string_view quantity) {
    throw CalculationStop("计算" + std::string(quantity) + "时出现除数为零，请检查输入数据");
}

void stopOutOfRange(std::string_view quantity) {
    throw CalculationStop("计算" + std::string(quantity) + "时数值超出范围，请检查输入数据");
}

namespace {
constexpr std::string_view kThickerOrStronger = "，请增加外墙厚度或提高混凝土强度等级";
}

void stopAlphaSTooLarge(double alphaS) {
    throw CalculationStop("所受弯矩过大（αs=" + significantText(alphaS, 4, 0) + "≥0.5）" +
                          std::string(kThickerOrStronger));
}

void stopXiBeyondBalanced(double xi, double xiB) {
    throw CalculationStop("所受弯矩过大，相对受压区高度ξ=" + significantText(xi, 4, 0) +
                          "大于界限相对受压区高度ξb=" + significantText(xiB, 4, 0) + std::string(kThickerOrStronger));
}

void stopNothingSelected(Control list) { throw CalculationStop(quoted(list) + "没有选定，请从列表中选择一项"); }

void stopNoEffectiveDepth(int diameter) {
    throw CalculationStop(quoted(Control::Text13) + "加钢筋直径" + std::to_string(diameter) + "mm的一半不小于" +
                          quoted(Control::Text4) + "，截面没有有效高度，请增加外墙厚度或减小保护层厚度");
}

void stopNoArrangementForStrength(int largest, std::string_view spacing) {
    throw CalculationStop("钢筋直径增大到" + std::to_string(largest) + "mm（间距" + std::string(spacing) +
                          "mm）仍不满足受弯承载力要求，请减小钢筋间距或增加外墙厚度");
}

void stopNoArrangementForCrackWidth(int largest, std::string_view spacing, std::string_view limit) {
    throw CalculationStop("钢筋直径增大到" + std::to_string(largest) + "mm（间距" + std::string(spacing) +
                          "mm）仍不满足裂缝宽度限值" + std::string(limit) + "mm，请减小钢筋间距或增加外墙厚度");
}

void stopMomentNotPositive2010() {
    throw CalculationStop("计算所得弯矩不大于零，无需按此配筋。请检查荷载系数、" + quoted(Control::Text14) + "、" +
                          quoted(Control::Text15) + "和各标高");
}

} // namespace rampwall
