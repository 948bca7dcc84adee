#include "calc/editions/gb50010_2010/sheet.h"

#include "calc/decimal_text.h"
#include "calc/number_text.h"
#include "calc/sheet_lines.h"

namespace rampwall::gb2010 {

namespace {

// A typed elevation as an operand: a negative one in brackets, "(-4.5)".
std::string operand(const std::string& typed) {
    const std::size_t first = typed.find_first_not_of(" \t");
    const bool negative =
        first != std::string::npos && (typed.compare(first, 1, "-") == 0 || typed.compare(first, 3, "－") == 0);
    return negative ? "(" + typed + ")" : typed;
}

std::string boxed(double value) { return decimalText(value, 3); }

void headLines(SheetLines& s, const DesignRun& run) {
    const Concrete& c = run.concrete;
    const Steel& st = run.steel;
    s.line("计算依据：GB 50010-2010(2015年版)、GB 50068-2018、GB 55001-2021、GB 55008-2021、GB 50009-2012");
    s.line("材料：", c.entry, "：fc=", formatDouble(c.fc), "，ft=", formatDouble(c.ft), "，ftk=", formatDouble(c.ftk),
           "(N/mm²)（表4.1.4-1、表4.1.4-2、表4.1.3-2），α1=", run.block.alpha1, "，β1=", run.block.beta1,
           "，εcu=", run.block.epsilonCu, "（第6.2.6条、第6.2.1条）");
    s.line("      ", st.entry, "：fy=", st.fy, "(N/mm²)（表4.2.3-1），Es=", formatDouble(st.Es),
           "(N/mm²)（表4.2.5），ν=", formatDouble(st.nu), "（表7.1.2-2）");
    s.line("计算假定：按悬臂构件计算，土压力取静止土压力（K0=", formatDouble(run.factors.K0),
           "）；水下土取γ-10（土的天然重度，非饱和重度），γw=10(kN/m³)；");
    s.line("      "
           "水压力按永久作用计，裂缝宽度验算偏于安全；竖向受力钢筋为最外层钢筋，保护层c算至其外边缘，cs=c；b=1000(mm)");
    for (const std::string& warning : run.warnings) {
        s.line(warning);
    }
    s.line();
}

void caseALines(SheetLines& s, const DesignRun& run) {
    const Actions& x = run.actions;
    const std::string K0 = formatDouble(run.factors.K0);
    s.line("1.荷载与内力（每延米）：");
    s.line(" a=h3-h4=", operand(run.h3), "-", operand(run.h4), "=", x.a, "(m)");
    s.line(" b=h2-h3=", operand(run.h2), "-", operand(run.h3), "=", x.b, "(m)");
    s.line(" (1)水上土压力：");
    s.line(" q11=K0*γ*b=", K0, "*", run.gamma, "*", x.b, "=", x.q11, "(kN/m)");
    s.line(" MB11=0.5*q11*b*(a+b/3)=0.5*", x.q11, "*", x.b, "*(", x.a, "+", x.b, "/3)=", x.MB11, "(kN·m/m)");
    s.line(" (2)水上土重在水下段的土压力（均布q11）：");
    s.line(" MB12=q11*a^2/2=", x.q11, "*", x.a, "^2/2=", x.MB12, "(kN·m/m)");
    s.line(" (3)水下土压力：");
    s.line(" q21=K0*(γ-10)*a=", K0, "*(", run.gamma, "-10)*", x.a, "=", x.q21, "(kN/m)");
    s.line(" MB21=q21*a^2/6=", x.q21, "*", x.a, "^2/6=", x.MB21, "(kN·m/m)");
    s.line(" (4)水压力：");
    s.line(" q31=γw*a=10*", x.a, "=", x.q31, "(kN/m)");
    s.line(" MB31=q31*a^2/6=", x.q31, "*", x.a, "^2/6=", x.MB31, "(kN·m/m)");
    s.line(" (5)地面附加荷载：");
    s.line(" q42=K0*q=", K0, "*", run.q, "=", x.q42, "(kN/m)");
    s.line(" MB42=0.5*q42*(a+b)^2=0.5*", x.q42, "*(", x.a, "+", x.b, ")^2=", x.MB42, "(kN·m/m)");
    s.line(" (6)墙底内力标准值：");
    s.line(" MG=MB11+MB12+MB21+MB31=", x.MB11, "+", x.MB12, "+", x.MB21, "+", x.MB31, "=", x.MG,
           "(kN·m/m)  永久作用：土压力、水压力");
    s.line(" MQ=MB42=", x.MQ, "(kN·m/m)  可变作用：地面附加荷载");
    s.line(" VG=0.5*q11*b+q11*a+0.5*q21*a+0.5*q31*a=0.5*", x.q11, "*", x.b, "+", x.q11, "*", x.a, "+0.5*", x.q21, "*",
           x.a, "+0.5*", x.q31, "*", x.a, "=", x.VG, "(kN/m)");
    s.line(" VQ=q42*(a+b)=", x.q42, "*(", x.a, "+", x.b, ")=", x.VQ, "(kN/m)");
}

void caseBLines(SheetLines& s, const DesignRun& run) {
    const Actions& x = run.actions;
    const std::string K0 = formatDouble(run.factors.K0);
    s.line("1.荷载与内力（每延米）：");
    s.line(" H=h2-h4=", operand(run.h2), "-", operand(run.h4), "=", x.H, "(m)");
    s.line(" (1)土压力：");
    s.line(" q11=K0*γ*H=", K0, "*", run.gamma, "*", x.H, "=", x.q11, "(kN/m)");
    s.line(" MG=q11*H^2/6=", x.q11, "*", x.H, "^2/6=", x.MG, "(kN·m/m)  永久作用：土压力");
    s.line(" VG=0.5*q11*H=0.5*", x.q11, "*", x.H, "=", x.VG, "(kN/m)");
    s.line(" (2)地面附加荷载：");
    s.line(" q42=K0*q=", K0, "*", run.q, "=", x.q42, "(kN/m)");
    s.line(" MQ=0.5*q42*H^2=0.5*", x.q42, "*", x.H, "^2=", x.MQ, "(kN·m/m)  可变作用：地面附加荷载");
    s.line(" VQ=q42*H=", x.q42, "*", x.H, "=", x.VQ, "(kN/m)");
}

void combinationLines(SheetLines& s, const DesignRun& run) {
    const Actions& x = run.actions;
    const Factors& f = run.factors;
    s.line(" 基本组合（GB 55001-2021 第3.1.12、3.1.13、3.1.16条）：");
    s.line(" M=γ0*(γG*MG+γQ*γL*MQ)=", formatDouble(f.gamma0), "*(", formatDouble(f.gammaG), "*", x.MG, "+",
           formatDouble(f.gammaQ), "*", formatDouble(f.gammaL), "*", x.MQ, ")=", x.M, "(kN·m/m)");
    s.line(" V=γ0*(γG*VG+γQ*γL*VQ)=", formatDouble(f.gamma0), "*(", formatDouble(f.gammaG), "*", x.VG, "+",
           formatDouble(f.gammaQ), "*", formatDouble(f.gammaL), "*", x.VQ, ")=", x.V, "(kN/m)");
    s.line(" 准永久组合（ψq=", formatDouble(f.psiQ), "，车辆通行的设计取值）：");
    s.line(" Mq=MG+ψq*MQ=", x.MG, "+", formatDouble(f.psiQ), "*", x.MQ, "=", x.Mq, "(kN·m/m)");
    s.line();
}

// One tried arrangement on one line: its area, h0, αs, ξ and As, and
// whether it carries the moment.
void trialLine(SheetLines& s, const DesignRun& run, const Trial& t) {
    const Section& sec = run.section;
    const std::string area = boxed(t.area);
    if (t.alphaSBeyond) {
        s.line(" ", barsAt(t.bars, run.spacing, false), "：As=", area, "，h0=", t.h0, "，αs=", t.alphaS, "≥0.5");
        return;
    }
    std::string verdict;
    if (t.xi > sec.xiB) {
        verdict = "，ξ>ξb";
    } else if (t.carries) {
        verdict = "≥" + boxed(t.AsNeeded) + "，满足";
    } else {
        verdict = "<" + boxed(t.AsNeeded) + "，不足";
    }
    s.line(" ", barsAt(t.bars, run.spacing, false), "：h0=", t.h0, "，αs=", t.alphaS, "，ξ=", t.xi,
           "，As=", boxed(t.As), "，实配", area, verdict);
}

void strengthLines(SheetLines& s, const DesignRun& run) {
    const Section& sec = run.section;
    const Actions& x = run.actions;
    s.line("2.正截面受弯承载力（GB 50010-2010 第6.2.10条）：");
    s.line(" ξb=β1/(1+fy/(Es*εcu))=", sec.beta1, "/(1+", formatDouble(sec.fy), "/(", formatDouble(sec.Es), "*",
           sec.epsilonCu, "))=", sec.xiB, "（第6.2.7条）");
    s.line(" As,min=max(0.20%,45*ft/fy%)*b*h5=max(0.20%,45*", formatDouble(sec.ft), "/", formatDouble(sec.fy),
           "%)*1000*", run.h5, "=", sec.rhoMinPercent, "%*1000*", run.h5, "=", boxed(sec.AsMin),
           "(mm²/m)（第8.5.1条）");
    s.line(" 各钢筋方案按面积由小到大试算，h0=h5-c-d/2（d取较大直径，第8.2.1条），");
    s.line(" αs=M*10^6/(α1*fc*b*h0^2)，ξ=1-(1-2*αs)^0.5≤ξb，As=α1*fc*b*h0*ξ/fy，需配 max(As,As,min)：");
    const std::size_t last = run.design ? *run.design : run.trials.size() - 1;
    for (std::size_t i = 0; i <= last && i < run.trials.size(); ++i) {
        trialLine(s, run, run.trials[i]);
    }
    const Trial& t = run.trials.at(*run.strength);
    s.line(" 满足受弯承载力的配筋：", barsAt(t.bars, run.spacing, true), "，h0=", run.h5, "-", run.c, "-",
           static_cast<double>(t.bars.large) / 2, "=", t.h0, "(mm)");
    s.line("  αs=", x.M, "*10^6/(", sec.alpha1, "*", formatDouble(sec.fc), "*1000*", t.h0, "^2)=", t.alphaS,
           "，ξ=1-(1-2*", t.alphaS, ")^0.5=", t.xi, "≤ξb=", sec.xiB);
    s.line("  As=", sec.alpha1, "*", formatDouble(sec.fc), "*1000*", t.h0, "*", t.xi, "/", formatDouble(sec.fy), "=",
           boxed(t.As), "(mm²/m)", t.As < sec.AsMin ? "<As,min，取As,min=" + boxed(sec.AsMin) + "(mm²/m)" : "");
    s.line(" 满足强度控制要求时每延米所需钢筋面积为：", boxed(t.AsNeeded), "(mm²/m)");
    s.line();
}

void crackLines(SheetLines& s, const DesignRun& run) {
    const Section& sec = run.section;
    const Trial& d = run.designTrial();
    s.line("3.裂缝宽度验算（GB 50010-2010 第7.1.2条，准永久组合）：");
    std::string tried;
    for (std::size_t i = *run.strength; i <= *run.design; ++i) {
        const Trial& t = run.trials[i];
        if (!t.crackChecked) {
            continue;
        }
        tried += (tried.empty() ? "" : "；") + barsAt(t.bars, run.spacing, false) +
                 "：wmax=" + significantText(t.wmax, 4, 3) + (i == *run.design ? "≤" : ">") + run.limit;
    }
    s.line(" 逐项试算：", tried);
    s.line(" 取", barsAt(d.bars, run.spacing, true), "：h0=", run.h5, "-", run.c, "-",
           static_cast<double>(d.bars.large) / 2, "=", d.h0, "(mm)");
    s.line(" As=", boxed(d.area), "(mm²/m)");
    if (d.rhoTeFormula < 0.01) {
        s.line(" ρte=As/(0.5*b*h5)=", boxed(d.area), "/(0.5*1000*", run.h5, ")=", d.rhoTeFormula, "<0.01，取ρte=0.01");
    } else {
        s.line(" ρte=As/(0.5*b*h5)=", boxed(d.area), "/(0.5*1000*", run.h5, ")=", d.rhoTe);
    }
    s.line(" σsq=Mq*10^6/(0.87*h0*As)=", run.actions.Mq, "*10^6/(0.87*", d.h0, "*", boxed(d.area), ")=", d.sigmaSq,
           "(N/mm²)");
    const char* psiClamp = d.psiFormula < 0.2 ? "<0.2，取ψ=0.2" : d.psiFormula > 1.0 ? ">1.0，取ψ=1.0" : "";
    s.line(" ψ=1.1-0.65*ftk/(ρte*σsq)=1.1-0.65*", formatDouble(sec.ftk), "/(", d.rhoTe, "*", d.sigmaSq,
           ")=", d.psiFormula, psiClamp);
    if (sec.c < 20) {
        s.line(" c=", run.c, "<20，取cs=20(mm)");
    } else if (sec.c > 65) {
        s.line(" c=", run.c, ">65，取cs=65(mm)");
    } else {
        s.line(" cs=c=", sec.cs, "(mm)");
    }
    if (d.bars.pair()) {
        s.line(" deq=Σd²/Σ(ν*d)=(", d.bars.small, "^2+", d.bars.large, "^2)/(", formatDouble(sec.nu), "*", d.bars.small,
               "+", formatDouble(sec.nu), "*", d.bars.large, ")=", d.deq, "(mm)");
    } else {
        s.line(" deq=d/ν=", d.bars.small, "/", formatDouble(sec.nu), "=", d.deq, "(mm)");
    }
    s.line(" wmax=1.9*ψ*σsq/Es*(1.9*cs+0.08*deq/ρte)=1.9*", d.psi, "*", d.sigmaSq, "/", formatDouble(sec.Es), "*(1.9*",
           sec.cs, "+0.08*", d.deq, "/", d.rhoTe, ")=", d.wmax, "(mm)≤", run.limit, "(mm)");
    s.line();
}

void shearLines(SheetLines& s, const DesignRun& run) {
    const Shear& v = *run.shear;
    const Section& sec = run.section;
    s.line("4.斜截面受剪承载力（GB 50010-2010 第6.3.3条，不配置箍筋的板类构件）：");
    std::string h0Note;
    if (v.h0 < 800) {
        h0Note = "（h0<800，取800）";
    } else if (v.h0 > 2000) {
        h0Note = "（h0>2000，取2000）";
    }
    s.line(" βh=(800/h0)^0.25=(800/", v.h0Used, ")^0.25=", v.betaH, h0Note);
    const bool met = run.actions.V <= v.Vc;
    s.line(" Vc=0.7*βh*ft*b*h0=0.7*", v.betaH, "*", formatDouble(sec.ft), "*1000*", v.h0, "/1000=", boxed(v.Vc),
           "(kN/m)", met ? "≥" : "<", "V=", boxed(run.actions.V), "(kN/m)，", met ? "满足" : "不满足，请增加外墙厚度");
    s.line();
}

} // namespace

std::string composeSheet(const DesignRun& run) {
    SheetLines s(6144);
    headLines(s, run);
    if (run.actions.loadCase == LoadCase::CaseA) {
        caseALines(s, run);
    } else {
        caseBLines(s, run);
    }
    combinationLines(s, run);
    strengthLines(s, run);
    crackLines(s, run);
    shearLines(s, run);
    const Trial& d = run.designTrial();
    s.line("5.配筋结论：");
    s.line(" 实配：", barsAt(d.bars, run.spacing, true), "，As=", boxed(d.area), "(mm²/m)，wmax=", boxed(d.wmax),
           "(mm)");
    return s.take();
}

} // namespace rampwall::gb2010
