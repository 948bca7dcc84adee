#include "report_2010.h"

#include "sheet_lines.h"

#include "decimal_text.h"
#include "number_text.h"

#include <string>
#include <vector>

namespace rampwall {

namespace {

// The boxes' three decimals, where the sheet repeats a box.
std::string boxed(double value) { return decimalText(value, 3); }

// A long loop lists its first and last passes only.
constexpr std::size_t kPassesListed = 8;

// A completed run always has its steel; the empty grade only keeps the
// sheet total.
SteelGrade2010 steelOf(const DesignState& st) { return st.gb2010.steel.value_or(SteelGrade2010{}); }

void headLines(SheetLines& s, const DesignState& st) {
    const State2010& g = st.gb2010;
    const SteelGrade2010 steel = steelOf(st);
    const std::string concrete = "C" + std::to_string(g.fcuk.value_or(0));
    s.line("计算依据：", editionTitle(Edition::GB50010_2010));
    s.line("材料：", concrete, "：fc=", widen(st.Fc), "，ft=", widen(st.Ft), "，ftk=", widen(st.Ftk),
           "(N/mm2)，α1=", g.concrete.alpha1, "，β1=", g.concrete.beta1, "，εcu=", g.concrete.epsilonCu, "；",
           steel.entry, "：fy=", steel.fy, "(N/mm2)，Es=", steel.Es, "(N/mm2)，ν=", steel.nu);
    if (const std::string warning = concreteGradeWarning2010(g); !warning.empty()) {
        s.line(warning);
    }
    s.line();
}

void caseALoadLines(SheetLines& s, const DesignState& st) {
    const State2010& g = st.gb2010;
    const double a = widen(st.a);
    const double b = widen(st.b);
    s.line("1.荷载计算：");
    s.line(" (1)水上土压力： ");
    s.line(" a=h3-h4=", st.h3, "- ", st.h4, "=", a, "(m)");
    s.line(" b=h2-h3=", st.h2, "- ", st.h3, "=", b, "(m)");
    s.line(" q11=0.5 * γ * b=0.5 * ", st.TRZ, "*", b, "=", widen(st.q11), " (kN/m)");
    s.line("MB11 =0.5*q11*b*(a+b/3)=0.5*", widen(st.q11), "*", b, "*(", a, "+", b, "/3)=", g.MB11, " (kNm)");
    s.line(" (2)水下土压力： ");
    s.line(" q21 =0.5*(γ-10)*a=0.5*(", st.TRZ, "-10)*", a, "=", widen(st.q21), " (kN/m)");
    s.line("MB21 =1/6*q21*a^2=1/6*", widen(st.q21), "*", a, "^2=", g.MB21, " (kNm)");
    s.line(" (3)水压力： ");
    s.line(" q31 =10*a=10*", a, "=", widen(st.q31), " (kN/m)");
    s.line("MB31 =1/6*q31*a^2=1/6*", widen(st.q31), "*", a, "^2=", g.MB31, " (kNm)");
    s.line(" (4)附加荷载： ");
    s.line(" q42 =0.5*Qfj=0.5*", st.FJHZ, "=", widen(st.q42), " (kN/m)");
    s.line("MB42 =0.5*q42*(a+b)^2=0.5*", widen(st.q42), "*(", a, "+", b, ")^2=", g.MB42, " (kNm)");
    s.line(" (5)弯矩组合： ");
    s.line("MG =MB11+MB21+MB31=", g.MB11, "+", g.MB21, "+", g.MB31, "=", g.MG, " (kNm)  永久荷载：土压力、水压力");
    s.line("MQ =MB42=", g.MQ, " (kNm)  可变荷载：附加荷载");
}

void caseBLoadLines(SheetLines& s, const DesignState& st) {
    const State2010& g = st.gb2010;
    s.line("1.荷载计算：");
    s.line(" (1)土压力： ");
    s.line("q11=0.5*γ*(h2- h4)=0.5*", st.TRZ, "*(", st.h2, "- ", st.h4, ")=", widen(st.q11), " (kN/m)");
    s.line("MB11=1/6*q11*(h2- h4)^2=1/6*", widen(st.q11), "*(", st.h2, "- ", st.h4, ")^2=", g.MB11, " (kNm)");
    s.line(" (2)附加荷载： ");
    s.line("q22 =0.5*Qfj=0.5*", st.FJHZ, "=", widen(st.q22), " (kN/m)");
    s.line("MB22 =0.5*q22*(h2- h4)^2=0.5*", widen(st.q22), "*(", st.h2, "- ", st.h4, ")^2=", g.MB22, " (kNm)");
    s.line(" (3)弯矩组合： ");
    s.line("MG =MB11=", g.MG, " (kNm)  永久荷载：土压力");
    s.line("MQ =MB22=", g.MQ, " (kNm)  可变荷载：附加荷载");
}

void momentLines(SheetLines& s, const DesignState& st) {
    const State2010& g = st.gb2010;
    const LoadFactors& f = g.factors;
    s.line("Mk =MG+MQ=", g.MG, "+", g.MQ, "=", g.Mk, " (kNm)");
    s.line("M =γ0*(γG*MG+γQ*γL*MQ)=", f.gamma0, "*(", f.gammaG, "*", g.MG, "+", f.gammaQ, "*", f.gammaL, "*", g.MQ,
           ")=", g.M, " (kNm)");
    s.line("Mq =MG+ψq*MQ=", g.MG, "+", f.psiQ, "*", g.MQ, "=", g.Mq, " (kNm)");
    s.line();
}

void strengthLines(SheetLines& s, const DesignState& st) {
    const State2010& g = st.gb2010;
    const double h0 = widen(st.h0);
    const double fc = widen(st.Fc);
    const SteelGrade2010 steel = steelOf(st);
    const int fy = steel.fy;
    s.line("2.计算配筋： ");
    s.line(" h0=h5-c=", st.h5, "-", widen(st.c), "=", h0, "(mm)");
    s.line(" αs=M*10^6/(α1*fc*b*h0^2)=", g.M, "*10^6/(", g.concrete.alpha1, "*", fc, "*1000*", h0, "^2)=", g.alphaS);
    s.line("ξ=1-(1-2*αs)^0.5=1-(1-2*", g.alphaS, ")^0.5=", g.xi);
    s.line("ξb=β1/(1+fy/(Es*εcu))=", g.concrete.beta1, "/(1+", fy, "/(", steel.Es, "*", g.concrete.epsilonCu,
           "))=", g.xiB);
    s.line("ξ=", g.xi, "≤ξb=", g.xiB, "，满足适筋要求");
    s.line("As=α1*fc*b*h0*ξ/fy=", g.concrete.alpha1, "*", fc, "*1000*", h0, "*", g.xi, "/", fy, "=", g.As, "(mm2)");
    s.line("As,min=max(0.20%,45*ft/fy%)*b*h5=max(0.20%,45*", widen(st.Ft), "/", fy, "%)*1000*", st.h5, "=",
           g.rhoMinPercent, "%*1000*", st.h5, "=", g.AsMin, "(mm2)");
    if (g.AsMin > g.As) {
        s.line("As<As,min，按最小配筋率控制，取As=As,min=", g.AsMin, "(mm2)");
    }
    s.line("满足强度控制要求时每延米所需钢筋面积为：", boxed(g.AsGoverning), "(mm2)");
    s.line("满足强度控制要求时选用钢筋为：", g.d, "@ ", st.ss, "  (mm)，As=π*", g.d, "^2/4*1000/", st.ss, "=", g.AsBar,
           "(mm2)");
    s.line();
}

void passLine(SheetLines& s, const DesignState& st) {
    const std::vector<CrackPass2010>& passes = st.gb2010.passes;
    std::string listed;
    for (std::size_t i = 0; i < passes.size(); ++i) {
        const bool head = i < kPassesListed / 2;
        const bool tail = i + kPassesListed / 2 >= passes.size();
        if (!head && !tail) {
            if (i == kPassesListed / 2) {
                listed += "……；";
            }
            continue;
        }
        appendInteger(listed, passes[i].d);
        listed += "mm，wmax=";
        listed += significantText(passes[i].wmax, 5, 3);
        listed += i + 1 < passes.size() ? ">" : "≤";
        listed += st.Wmax;
        if (i + 1 < passes.size()) {
            listed += "；";
        }
    }
    s.line(" 逐级试算：", listed);
}

void crackLines(SheetLines& s, const DesignState& st) {
    const State2010& g = st.gb2010;
    const CrackPass2010& p = g.passes.back();
    const SteelGrade2010 steel = steelOf(st);
    const double c = widen(st.c);
    s.line("3.计算裂缝：");
    passLine(s, st);
    s.line(" As=π*d^2/4*1000/s=π*", p.d, "^2/4*1000/", st.ss, "=", p.As, "(mm2)");
    if (p.rhoTeFormula < 0.01) {
        s.line(" ρte = As/(0.5*1000*h5)=", p.As, " /(0.5*1000* ", st.h5, " )= ", p.rhoTeFormula, "<0.01，取ρte=0.01");
    } else {
        s.line(" ρte = As/(0.5*1000*h5)=", p.As, " /(0.5*1000* ", st.h5, " )= ", p.rhoTe);
    }
    s.line("σsq = Mq*10^6/(0.87*h0*As)=", g.Mq, "*10^6/(0.87*", widen(st.h0), "*", p.As, ")=", p.sigmaSq, "(N/mm2)");
    const char* psiClamp = p.psiFormula < 0.2 ? "<0.2，取ψ=0.2" : p.psiFormula > 1.0 ? ">1.0，取ψ=1.0" : "";
    s.line("ψ = 1.1-0.65*ftk/(ρte*σsq)=1.1-0.65*", widen(st.Ftk), "/(", p.rhoTe, "*", p.sigmaSq, ")=", p.psiFormula,
           psiClamp);
    if (c < 20) {
        s.line("c=", c, "<20，取cs=20(mm)");
    } else if (c > 65) {
        s.line("c=", c, ">65，取cs=65(mm)");
    } else {
        s.line("cs=c=", g.cs, "(mm)");
    }
    s.line("deq=d/ν=", p.d, "/", steel.nu, "=", p.deq, "(mm)");
    s.line("wmax = 1.9*ψ*σsq/Es*(1.9*cs+0.08*deq/ρte)=1.9*", p.psi, "*", p.sigmaSq, "/", steel.Es, "*(1.9*", g.cs,
           "+0.08*", p.deq, "/", p.rhoTe, ")=", p.wmax, "(mm)≤", st.Wmax, "(mm)");
    s.line("满足裂缝控制要求时每延米所需钢筋面积为：", boxed(p.As), "(mm2)");
    s.line("满足裂缝控制要求时选用钢筋为：", p.d, "@ ", st.ss, "  (mm)");
    s.line();
}

} // namespace

std::string concreteGradeWarning2010(const State2010& gb2010) {
    // GB 55008-2021 asks C25 of every reinforced concrete member; GB 50010-2010
    // itself asks it only with 400 MPa steel and above.
    const int fcuk = gb2010.fcuk.value_or(0);
    if (fcuk >= 25) {
        return {};
    }
    std::string warning =
        "注意：混凝土强度等级C" + std::to_string(fcuk) + "低于C25，不满足GB 55008-2021对钢筋混凝土构件的最低要求";
    if (gb2010.steel && gb2010.steel->fyk >= 400) {
        warning += "；采用400MPa及以上钢筋时，GB 50010-2010第4.1.2条亦要求不低于C25";
    }
    return warning;
}

std::string composeReport2010(const DesignState& st, LoadCase loadCase) {
    SheetLines s(4096);
    headLines(s, st);
    if (loadCase == LoadCase::CaseA) {
        caseALoadLines(s, st);
    } else {
        caseBLoadLines(s, st);
    }
    momentLines(s, st);
    strengthLines(s, st);
    crackLines(s, st);
    // The 2002 note on the 5 % allowance has no place here: none is given.
    s.line("说明：");
    s.line("    如果按裂缝控制要求计算出来的钢筋为 19@100，");
    s.line("    则实际所配钢筋为 18@200+20@200（依次类推）");
    return s.take();
}

} // namespace rampwall
