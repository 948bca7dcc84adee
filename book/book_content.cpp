#include "book/book_content.h"

#include "book/book_text.h"
#include "book/figure_geometry.h"
#include "calc/control_table.h"
#include "calc/number_text.h"

#include <algorithm>
#include <array>

namespace rampwall::book {

std::string oneLine(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7F) {
            line += ' ';
        } else if (byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            line += ' ';
            ++i;
        } else {
            line += text[i];
        }
    }
    return line;
}

namespace {

Cell shaded(std::string text) { return {std::move(text), 1, true}; }

// The 设计资料 rows in the order an engineer reads them: the case, the
// levels, the section, the materials, the loads, the bars.
constexpr std::array<Control, 14> kDataOrder = {
    Control::Combo3, Control::Text1,  Control::Text2,  Control::Text3,  Control::Text16,
    Control::Text4,  Control::Text13, Control::Combo1, Control::Combo2, Control::Text14,
    Control::Text15, Control::Text5,  Control::Text10, Control::Text8,
};

class Composer {
public:
    explicit Composer(const BookInput& input) : m_input(input), m_result(input.run.result) {}

    BookContent compose() {
        titleBlock();
        designData();
        loadsAndForces();
        sheet();
        conclusions();
        const design::ProjectInfo& p = m_input.project;
        m_content.header = oneLine(p.projectName);
        if (!p.member.empty()) {
            m_content.header += (m_content.header.empty() ? "" : "　") + oneLine(p.member);
        }
        m_content.footer = "设计文件：" + (m_input.designFileName.empty() ? std::string("（未保存的设计）")
                                                                          : oneLine(m_input.designFileName));
        m_content.pdfTitle = std::string(kBookTitle) + (p.member.empty() ? "" : " - " + oneLine(p.member));
        return std::move(m_content);
    }

private:
    BookBlock& add(BookBlock::Kind kind, std::string text = {}, Tone tone = Tone::Normal, double spaceBefore = 0) {
        return m_content.add(kind, std::move(text), tone, spaceBefore);
    }
    void table(std::vector<double> widths, std::vector<Row> rows) {
        m_content.addTable(std::move(widths), std::move(rows));
    }
    std::string typed(Control control) const { return oneLine(m_input.run.inputs.text(control)); }

    void titleBlock() {
        add(BookBlock::Kind::Title, std::string(kBookTitle));
        const design::ProjectInfo& p = m_input.project;
        table({30, 52.5, 30, 52.5}, {
                                        {shaded("工程名称"), {oneLine(p.projectName), 3}},
                                        {shaded("构件名称或编号"), {oneLine(p.member), 3}},
                                        {shaded("设计"), {oneLine(p.designer)}, shaded("校对"), {oneLine(p.checker)}},
                                        {shaded("审核"), {oneLine(p.approver)}, shaded("日期"), {oneLine(p.date)}},
                                    });
        const EditionBook book = m_input.run.edition->book();
        add(BookBlock::Kind::Text, "设计规范：" + std::string(book.codeName), Tone::Normal, 4);
        std::string basis;
        for (const std::string_view standard : book.basis) {
            basis += (basis.empty() ? "" : "；") + std::string(standard);
        }
        add(BookBlock::Kind::Note, "设计依据：" + basis, Tone::Quiet);
        for (const std::string_view line : book.method) {
            add(BookBlock::Kind::Note, std::string(line), Tone::Quiet);
        }
        std::string factors;
        for (const auto& [factor, value] : m_result.report.factors) {
            factors += (factors.empty() ? "" : "，") + std::string(factor->symbol) + " = " + formatDouble(value) +
                       "（" + std::string(factor->clause) + "）";
        }
        if (!factors.empty()) {
            add(BookBlock::Kind::Note, factors, Tone::Quiet);
        }
        for (const std::string_view line : book.notes) {
            add(BookBlock::Kind::Note, std::string(line), Tone::Quiet);
        }
        add(BookBlock::Kind::Text, "计算程序：" + m_input.program.name + " " + m_input.program.version, Tone::Normal,
            1.5);
    }

    std::string noteOf(Control control) const {
        for (const auto& [noted, note] : m_result.report.inputNotes) {
            if (noted == control) {
                return note;
            }
        }
        if (control == Control::Combo3) {
            return m_result.loadCase == LoadCase::CaseA ? "地下水位位于墙高范围内（h1 ≥ h2 ≥ h3 ≥ h4）"
                                                        : "地下水位位于墙底或以下（h3 ≤ h4 < h2 ≤ h1）";
        }
        return std::string(kInputs[inputOf(control)].note);
    }

    void designData() {
        add(BookBlock::Kind::Heading, "一、设计资料");
        std::vector<Row> rows{{shaded("项目"), shaded("输入值"), shaded("说明")}};
        const CodeEdition& edition = *m_input.run.edition;
        for (const Control control : kDataOrder) {
            if (usesInput(edition, control)) {
                rows.push_back({{std::string(captionOf(control))}, {typed(control)}, {noteOf(control)}});
            }
        }
        for (const auto& [factor, value] : m_result.report.factors) {
            rows.push_back({{std::string(factor->caption)}, {formatDouble(value)}, {std::string(factor->clause)}});
        }
        table({44, 34, 87}, std::move(rows));
    }

    void loadsAndForces() {
        add(BookBlock::Kind::Heading, "二、计算简图");
        add(BookBlock::Kind::WallFigure).figure = wallFigure(m_input.run);
        add(BookBlock::Kind::Heading, "三、荷载与内力");
        add(BookBlock::Kind::LoadFigure).figure = loadFigure(m_input.run);
        std::vector<Row> rows{{shaded("荷载"), shaded("侧压力 (kN/m)"), shaded("对墙底弯矩 (kN·m/m)")}};
        for (const PressureLayer& layer : m_result.profile.layers) {
            rows.push_back({{layer.name}, {layer.ordinate + layer.where}, {layer.moment}});
        }
        for (const ReportRow& force : m_result.report.forces) {
            rows.push_back({{force.caption}, {}, {force.text}});
        }
        table({45, 60, 60}, std::move(rows));
    }

    void sheet() {
        add(BookBlock::Kind::Heading, "四、配筋计算");
        BookBlock& block = add(BookBlock::Kind::Sheet);
        const std::string* text = m_result.written(Control::Text12);
        std::string_view rest = text != nullptr ? std::string_view(*text) : std::string_view();
        for (std::size_t end = rest.find("\r\n"); end != std::string_view::npos; end = rest.find("\r\n")) {
            block.lines.push_back(oneLine(rest.substr(0, end)));
            rest.remove_prefix(end + 2);
        }
        block.lines.push_back(oneLine(rest));
    }

    static std::string requirementOf(const Check& check) {
        return check.clause.empty() ? check.requirement : check.requirement + "（" + std::string(check.clause) + "）";
    }
    static Cell verdict(const Check& check) {
        return {std::string(check.satisfied ? kSatisfied : kNotSatisfied), 1, false, true,
                check.satisfied ? Tone::Pass : Tone::Fail};
    }

    void conclusions() {
        add(BookBlock::Kind::Heading, "五、结论");
        std::vector<Row> rows{{shaded("项目"), shaded("计算结果"), shaded("要求"), shaded("结论")}};
        const std::vector<Check>& checks = m_result.checks;
        std::vector<bool> shown(checks.size());
        for (const ReportRow& result : m_result.report.results) {
            if (result.check && *result.check < checks.size()) {
                // The check stands beside the result it decides: its value and requirement together.
                const Check& check = checks[*result.check];
                shown[*result.check] = true;
                rows.push_back(
                    {{result.caption}, {result.text}, {check.value + " " + requirementOf(check)}, verdict(check)});
            } else {
                rows.push_back({{result.caption}, {result.text}, {}, {}});
            }
        }
        for (std::size_t i = 0; i < checks.size(); ++i) {
            if (!shown[i]) {
                rows.push_back(
                    {{std::string(checks[i].name)}, {checks[i].value}, {requirementOf(checks[i])}, verdict(checks[i])});
            }
        }
        table({38, 62, 45, 20}, std::move(rows));
        add(BookBlock::Kind::Text, m_result.report.conclusion, m_result.passes() ? Tone::Normal : Tone::Fail, 3);
        for (const std::string& warning : m_result.report.warnings) {
            add(BookBlock::Kind::Text, warning, Tone::Fail, 1);
        }
    }

    const BookInput& m_input;
    const RunResult& m_result;
    BookContent m_content;
};

} // namespace

BookContent composeBook(const BookInput& input) { return Composer(input).compose(); }

BookBlock& BookContent::add(BookBlock::Kind kind, std::string text, Tone tone, double spaceBefore) {
    BookBlock& block = blocks.emplace_back();
    block.kind = kind;
    block.text = std::move(text);
    block.tone = tone;
    block.spaceBefore = spaceBefore;
    return block;
}

void BookContent::addTable(std::vector<double> widths, std::vector<Row> rows) {
    BookBlock& block = add(BookBlock::Kind::Table);
    block.widths = std::move(widths);
    block.rows = std::move(rows);
}

} // namespace rampwall::book
