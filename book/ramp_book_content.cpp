#include "book/ramp_book_content.h"

#include "book/book_text.h"
#include "calc/control_table.h"
#include "calc/decimal_text.h"
#include "calc/number_text.h"

#include <array>

namespace rampwall::book {

namespace {

// Typed texts are single lines in the book: control characters become blanks.
std::string oneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = ' ';
        }
    }
    return line;
}

Cell shaded(std::string text) { return {std::move(text), 1, true}; }
Cell centred(std::string text, Tone tone = Tone::Normal) { return {std::move(text), 1, false, true, tone}; }

// The form's inputs the ramp keeps for every section, in the single book's order.
constexpr std::array<Control, 11> kSectionInputs = {
    Control::Text1,  Control::Text2,  Control::Text3,  Control::Text4, Control::Text13, Control::Combo1,
    Control::Combo2, Control::Text14, Control::Text15, Control::Text5, Control::Text8,
};

std::string segmentRange(const ramp::Schedule& schedule, const ramp::Stretch& stretch) {
    std::string first = formatInteger(static_cast<long long>(schedule.segments[stretch.first].section.number));
    if (stretch.first == stretch.last) {
        return first;
    }
    return first + "～" + formatInteger(static_cast<long long>(schedule.segments[stretch.last].section.number));
}

std::string stations(double from, double to) { return decimalText(from, 3) + "～" + decimalText(to, 3); }

Tone toneOf(ramp::SegmentStatus status) {
    switch (status) {
    case ramp::SegmentStatus::Ok: return Tone::Pass;
    case ramp::SegmentStatus::None: return Tone::Quiet;
    case ramp::SegmentStatus::Fails:
    case ramp::SegmentStatus::Stopped: break;
    }
    return Tone::Fail;
}

class Composer {
public:
    explicit Composer(const RampBookInput& input) : m_input(input), m_schedule(*input.schedule) {}

    RampBookContent compose() {
        titleBlock();
        designData();
        heading(m_content.front, "二、坡道立面简图");
        schedule();
        summary();
        sections();
        for (BookContent* part : {&m_content.front, &m_content.back}) {
            part->header = header();
            part->footer = "设计文件：" + (m_input.designFileName.empty() ? std::string("（未保存的设计）")
                                                                          : oneLine(m_input.designFileName));
            part->pdfTitle = std::string(kRampBookTitle) +
                             (m_input.project.member.empty() ? "" : " - " + oneLine(m_input.project.member));
        }
        return std::move(m_content);
    }

private:
    static BookBlock& add(BookContent& content, BookBlock::Kind kind, std::string text = {}, Tone tone = Tone::Normal,
                          double spaceBefore = 0) {
        return content.add(kind, std::move(text), tone, spaceBefore);
    }
    static void heading(BookContent& content, std::string text) {
        content.add(BookBlock::Kind::Heading, std::move(text));
    }
    static void table(BookContent& content, std::vector<double> widths, std::vector<Row> rows) {
        content.addTable(std::move(widths), std::move(rows));
    }

    std::string header() const {
        const design::ProjectInfo& p = m_input.project;
        std::string text = oneLine(p.projectName);
        if (!p.member.empty()) {
            text += (text.empty() ? "" : "　") + oneLine(p.member);
        }
        return text;
    }

    void titleBlock() {
        BookContent& c = m_content.front;
        add(c, BookBlock::Kind::Title, std::string(kRampBookTitle));
        const design::ProjectInfo& p = m_input.project;
        table(c, {30, 52.5, 30, 52.5},
              {
                  {shaded("工程名称"), {oneLine(p.projectName), 3}},
                  {shaded("构件名称或编号"), {oneLine(p.member), 3}},
                  {shaded("设计"), {oneLine(p.designer)}, shaded("校对"), {oneLine(p.checker)}},
                  {shaded("审核"), {oneLine(p.approver)}, shaded("日期"), {oneLine(p.date)}},
              });
        const EditionBook book = m_schedule.edition->book();
        add(c, BookBlock::Kind::Text, "设计规范：" + std::string(book.codeName), Tone::Normal, 4);
        std::string basis;
        for (const std::string_view standard : book.basis) {
            basis += (basis.empty() ? "" : "；") + std::string(standard);
        }
        add(c, BookBlock::Kind::Note, "设计依据：" + basis, Tone::Quiet);
        for (const std::string_view line : book.notes) {
            add(c, BookBlock::Kind::Note, std::string(line), Tone::Quiet);
        }
        add(c, BookBlock::Kind::Note,
            "分段方法：坡道自上端起按段长分段，每段取底板较低的一端为控制截面，该处墙底标高 h4 "
            "按线性内插并四舍五入至毫米；"
            "该处地下水位 h3 高于 h4 时按情况A计算，否则按情况B计算；墙底不低于土面 h2 的段不挡土，不计算。",
            Tone::Quiet);
        add(c, BookBlock::Kind::Note,
            "钢筋选择：每段在可选间距中取各项验算均满足、钢筋重量最小者（重量相同时取较大间距）；"
            "钢筋重量 = As（裂缝控制配筋面积，mm²/m）×（h1 − h4）（m）× 0.00785 kg/(mm²·m)，" +
                std::string(ramp::kWeightNote) + "。",
            Tone::Quiet);
        add(c, BookBlock::Kind::Text, "计算程序：" + m_input.program.name + " " + m_input.program.version, Tone::Normal,
            1.5);
    }

    void designData() {
        BookContent& c = m_content.front;
        heading(c, "一、设计资料");
        const ramp::RampPlan& plan = m_schedule.plan;
        const ramp::RampInput& ramp = m_input.ramp;
        std::string spacings;
        for (const ramp::Spacing& spacing : plan.spacings) {
            spacings += (spacings.empty() ? "" : "、") + oneLine(spacing.text);
        }
        const bool byCount = ramp.segmentCount.find_first_not_of(" \t") != std::string::npos;
        std::vector<Row> rows{
            {shaded("项目"), shaded("输入值"), shaded("说明")},
            {{"坡道长度 L(m)"}, {oneLine(ramp.length)}, {"自坡道上端（桩号 0）至下端"}},
            {{"上端底板标高 h4,start(m)"},
             {decimalText(plan.h4Start, 3)},
             {ramp.h4Start.find_first_not_of(" \t") == std::string::npos ? "未填写，取土面标高 h2"
                                                                         : "坡道上端的墙底标高"}},
            {{"下端墙底标高 h4(m)"}, {oneLine(m_schedule.form.text(Control::Text16))}, {"坡道下端的墙底标高"}},
            {{byCount ? "分段数" : "分段长度(m)"},
             {oneLine(byCount ? ramp.segmentCount : ramp.segmentLength)},
             {"共 " + formatInteger(static_cast<long long>(plan.segments)) + " 段，段长 " +
              significantText(plan.segmentLength, 4, 0) + " m（末段可能较短）"}},
            {{"可选钢筋间距(mm)"}, {spacings}, {"每段取最轻且满足要求者"}},
            {{"情况选择"}, {"逐段确定"}, {"h3 > h4 时为情况A，否则为情况B"}},
        };
        const CodeEdition& edition = *m_schedule.edition;
        for (const Control control : kSectionInputs) {
            if (usesInput(edition, control)) {
                rows.push_back({{std::string(captionOf(control))},
                                {oneLine(m_schedule.form.text(control))},
                                {std::string(kInputs[inputOf(control)].note)}});
            }
        }
        for (const FactorDefinition& factor : edition.factors()) {
            rows.push_back({{std::string(factor.caption)},
                            {formatDouble(m_schedule.factors.value(factor))},
                            {std::string(factor.clause)}});
        }
        table(c, {48, 34, 83}, std::move(rows));
    }

    void schedule() {
        BookContent& c = m_content.back;
        heading(c, "三、分段配筋表");
        std::vector<Row> rows{{shaded("段号"), shaded("桩号(m)"), shaded("h4(m)"), shaded("情况"), shaded("MBk"),
                               shaded("配筋"), shaded("As(mm²/m)"), shaded("wmax(mm)"), shaded("结论"), shaded("kg/m"),
                               shaded("kg")}};
        for (std::size_t i = 0; i < m_schedule.segments.size(); ++i) {
            const ramp::SegmentDesign& segment = m_schedule.segments[i];
            const auto fields = ramp::scheduleFields(m_schedule, i);
            const auto field = [&](std::string_view key) {
                for (std::size_t k = 0; k < ramp::kScheduleColumns.size(); ++k) {
                    if (ramp::kScheduleColumns[k].key == key) {
                        return oneLine(fields[k]);
                    }
                }
                return std::string();
            };
            rows.push_back({centred(field("segment")), centred(stations(segment.section.from, segment.section.to)),
                            centred(field("h4")), centred(field("case")), centred(field("MBk")),
                            centred(segment.arrangement()), centred(field("As_crack")), centred(field("crack_width")),
                            centred(std::string(ramp::statusCaption(segment.status)), toneOf(segment.status)),
                            centred(field("steel_kg_per_m")), centred(field("steel_kg"))});
        }
        rows.push_back({{"合计", 10, true}, centred(decimalText(m_schedule.totalKg, 1))});
        table(c, {11, 21, 13, 10, 15, 20, 17, 12, 13, 15, 18}, std::move(rows));
        add(c, BookBlock::Kind::Text, ramp::totalText(m_schedule), Tone::Normal, 2);
        add(c, BookBlock::Kind::Note,
            "注：" + std::string(ramp::kWeightNote) + "；MBk 单位 kN·m/m；情况 A/B 见设计资料。", Tone::Quiet);
        for (const ramp::SegmentDesign& segment : m_schedule.segments) {
            if (segment.status == ramp::SegmentStatus::Stopped || segment.status == ramp::SegmentStatus::Fails) {
                add(c, BookBlock::Kind::Text,
                    "第 " + formatInteger(static_cast<long long>(segment.section.number)) + " 段" +
                        std::string(ramp::statusCaption(segment.status)) + "：" + oneLine(segment.messages()),
                    Tone::Fail, 1);
            }
        }
    }

    void summary() {
        BookContent& c = m_content.back;
        heading(c, "四、配筋汇总");
        std::vector<Row> rows{
            {shaded("段号"), shaded("桩号(m)"), shaded("长度(m)"), shaded("竖向受力钢筋"), shaded("结论")}};
        for (const ramp::Stretch& stretch : m_schedule.stretches()) {
            const double from = m_schedule.segments[stretch.first].section.from;
            const double to = m_schedule.segments[stretch.last].section.to;
            rows.push_back({centred(segmentRange(m_schedule, stretch)), centred(stations(from, to)),
                            centred(decimalText(to - from, 3)),
                            centred(stretch.arrangement.empty() ? "—" : stretch.arrangement),
                            centred(std::string(ramp::statusCaption(stretch.status)), toneOf(stretch.status))});
        }
        table(c, {25, 40, 25, 45, 30}, std::move(rows));
        add(c, BookBlock::Kind::Note,
            "相邻且配筋相同的段合并列出；配筋写作“直径@间距”（mm），“18/20@100”为两种直径交替布置。", Tone::Quiet, 2);
    }

    // Each arrangement's governing section, as its own single-section book
    // from 设计资料 on, numbered under the arrangement's heading.
    void sections() {
        const std::vector<std::size_t> governing = m_schedule.governingSegments();
        heading(m_content.back, "五、各配筋控制截面计算");
        if (governing.empty()) {
            add(m_content.back, BookBlock::Kind::Text, "没有完成计算的段。", Tone::Fail);
            return;
        }
        add(m_content.back, BookBlock::Kind::Note,
            "每种配筋取采用该配筋的最深一段（h4 最低）为控制截面，列出其完整计算。", Tone::Quiet);
        for (std::size_t k = 0; k < governing.size(); ++k) {
            const std::size_t index = governing[k];
            const ramp::SegmentDesign& segment = m_schedule.segments[index];
            RampBookSection& section = m_content.sections.emplace_back();
            const std::string number = "5." + formatInteger(static_cast<long long>(k) + 1);
            section.heading = number + "　配筋 " + segment.arrangement() + "：第 " +
                              formatInteger(static_cast<long long>(segment.section.number)) + " 段，桩号 " +
                              decimalText(segment.section.at, 3) + " m，h4 = " + segment.section.h4Text + " m";
            section.segment = index;
            section.input = BookInput{
                .run = {segment.inputs, m_schedule.edition, m_schedule.factors, ramp::rerunForBook(m_schedule, index)},
                .project = m_input.project,
                .designFileName = m_input.designFileName,
                .program = m_input.program};
            add(section.content, BookBlock::Kind::Heading, section.heading);
            const BookContent whole = composeBook(section.input);
            bool started = false;
            int part = 0;
            for (const BookBlock& block : whole.blocks) {
                started = started || block.kind == BookBlock::Kind::Heading;
                if (!started) {
                    continue; // the title and the standards are on the ramp's own pages
                }
                BookBlock copy = block;
                if (copy.kind == BookBlock::Kind::Heading) {
                    const std::size_t mark = copy.text.find("、");
                    copy.text =
                        number + "." + formatInteger(++part) + "　" +
                        (mark == std::string::npos ? copy.text : copy.text.substr(mark + std::string("、").size()));
                }
                section.content.blocks.push_back(std::move(copy));
            }
        }
    }

    const RampBookInput& m_input;
    const ramp::Schedule& m_schedule;
    RampBookContent m_content;
};

} // namespace

RampBookContent composeRampBook(const RampBookInput& input) { return Composer(input).compose(); }

} // namespace rampwall::book
