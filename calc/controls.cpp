#include "controls.h"

namespace rampwall {

namespace {

struct ControlInfo {
    Control control;
    std::string_view name;
    std::string_view caption;
    std::string_view initial;
};

constexpr std::array<ControlInfo, kAllControls.size()> kControls = {{
    {Control::Text1, "Text1", "h1(m)", "0"},
    {Control::Text2, "Text2", "h2(m)", "-0.5"},
    {Control::Text3, "Text3", "h3(m)", "-1.0"},
    {Control::Text4, "Text4", "墙厚度h5(mm)", "350"},
    {Control::Text5, "Text5", "荷载分项系数", "1.2"},
    {Control::Text6, "Text6", "MBk（kN.m）", ""},
    {Control::Text7, "Text7", "As（mm2）", ""},
    {Control::Text8, "Text8", "裂缝限值(mm)", "0.2"},
    {Control::Text9, "Text9", "As（mm2）", ""},
    {Control::Text10, "Text10", "钢筋间距(mm)", "100"},
    {Control::Text11, "Text11", "Wmax（mm）", ""},
    {Control::Text12, "Text12", "", "您可以在此处看到计算的全过程"},
    {Control::Text13, "Text13", "迎水面保护层厚度c(mm)", "50"},
    {Control::Text14, "Text14", "土容重(kN/m3)", "18"},
    {Control::Text15, "Text15", "附加荷载(kN/m2)", "10"},
    {Control::Text16, "Text16", "h4(m)", "-4.5"},
    {Control::Text18, "Text18", "选用钢筋（mm）", ""},
    {Control::Text19, "Text19", "选用钢筋（mm）", ""},
    {Control::Combo1, "Combo1", "砼强度等级", ""},
    {Control::Combo2, "Combo2", "钢筋种类", ""},
    {Control::Combo3, "Combo3", "情况选择", ""},
}};

constexpr const ControlInfo& infoOf(Control control) { return kControls[static_cast<std::size_t>(control)]; }

// The table is indexed by the enum; keep the two in the same order.
constexpr bool tableMatchesEnum() {
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (kControls[i].control != kAllControls[i] || static_cast<std::size_t>(kAllControls[i]) != i) {
            return false;
        }
    }
    return true;
}
static_assert(tableMatchesEnum());

} // namespace

std::string_view controlName(Control control) { return infoOf(control).name; }

std::optional<Control> controlByName(std::string_view name) {
    for (const ControlInfo& info : kControls) {
        if (info.name == name) {
            return info.control;
        }
    }
    return std::nullopt;
}

bool isList(Control control) {
    return control == Control::Combo1 || control == Control::Combo2 || control == Control::Combo3;
}

std::string_view captionOf(Control control) { return infoOf(control).caption; }

std::string_view initialText(Control control) { return infoOf(control).initial; }

} // namespace rampwall
