#include "calc/report.h"

#include "calc/sheet_lines.h"

namespace rampwall {

namespace {

void caseALoadLines(SheetLines& s, const DesignState& st) {
    s.line("1.荷载计算：");
    s.line(" (1)水上土压力： ");
    s.line(" a=h3-h4=", st.h3, "- ", st.h4, "=", st.a, "(m)");
    s.line(" b=h2-h3=", st.h2, "- ", st.h3, "=", st.b, "(m)");
    s.line(" q11=0.5 * γ * b=0.5 * ", st.TRZ, "*", st.b, "=", st.q11, " (kN/m)");
    s.line("MB11 =0.5*q11*b*(a+b/3)=0.5*", st.q11, "*", st.b, "*(", st.a, "+", st.b, "/3)=", st.MB11, " (kNm)");
    s.line(" (2)水下土压力： ");
    s.line(" q21 =0.5*(γ-10)*a=0.5*(", st.TRZ, "-10)*", st.a, "=", st.q21, " (kN/m)");
    s.line("MB21 =1/6*q21*a^2=1/6*", st.q21, "*", st.a, "^2=", st.MB21, " (kNm)");
    s.line(" (3)水压力： ");
    s.line(" q31 =10*a=10*", st.a, "=", st.q31, " (kN/m)");
    s.line("MB31 =1/6*q31*a^2=1/6*", st.q31, "*", st.a, "^2=", st.MB31, " (kNm)");
    s.line(" (4)附加荷载： ");
    s.line(" q42 =0.5*Qfj=0.5*", st.FJHZ, "=", st.q42, " (kN/m)");
    s.line("MB42 =0.5*q42*(a+b)^2=0.5*", st.q42, "*(", st.a, "+", st.b, ")^2=", st.MB42, " (kNm)");
    s.line("MBk =MB11+MB21+MB31+MB42=", st.MB11, "+", st.MB21, "+", st.MB31, "+", st.MB42, "=", st.MBk, " (kNm)");
    s.line("MB =η * MBk=", st.fxxs, "*", st.MBk, "=", st.MB, " (kNm)");
}

void caseBLoadLines(SheetLines& s, const DesignState& st) {
    s.line("1.荷载计算：");
    s.line(" (1)土压力： ");
    s.line("q11=0.5*γ*(h2- h4)=0.5*", st.TRZ, "*(", st.h2, "- ", st.h4, ")=", st.q11, "(kN/m)");
    s.line("MB11=1/6*q11*(h2- h4)^2=1/6*", st.q11, "*(", st.h2, "- ", st.h4, ")^2=", st.MB11, "(kNm)");
    s.line(" (2)附加荷载： ");
    s.line("q22 =0.5*Qfj=0.5*", st.FJHZ, "=", st.q22, " (kN/m)");
    s.line("MB22 =0.5*q22*(h2- h4)^2=0.5*", st.q22, "*(", st.h2, "- ", st.h4, ")^2=", st.MB22, " (kNm)");
    s.line("MBk =MB11+MB22=", st.MB11, "+", st.MB22, "=", st.MBk, " (kNm)");
    s.line("MB =η * MBk=", st.fxxs, "*", st.MBk, "=", st.MB, " (kNm)");
}

} // namespace

std::string composeReport(const DesignState& st, LoadCase loadCase, float strengthArea) {
    const bool caseA = loadCase == LoadCase::CaseA;
    const SingleField strength = strengthArea;
    SheetLines s(2048);
    if (caseA) {
        caseALoadLines(s, st);
    } else {
        caseBLoadLines(s, st);
    }
    s.line();

    s.line("2.计算配筋： ");
    if (caseA) {
        s.line(" αs=MB*10^6/(Fc*1000*h0^2)=", st.MB, "*10^6/(", st.Fc, "*1000*", st.h0, "^2)=", st.alfas);
    } else {
        s.line("αs=MBx10^6/(Fcx1000xh0^2)=", st.MB, "*10^6/(", st.Fc, "*1000*", st.h0, "^2)=", st.alfas);
    }
    s.line("ζ=1-(1-2*αs)^0.5=1-(1-2*", st.alfas, ")^0.5=", st.kese);
    s.line("As=Fc*1000*h0*ζ/Fy=", st.Fc, "*1000*", st.h0, caseA ? "*" : "x", st.kese, "/", st.Fy, "=", strength,
           "(mm2)");
    s.line("满足强度控制要求时每延米所需钢筋面积为：", strength, "(mm2)");
    s.line("满足强度控制要求时选用钢筋为：", st.d, "@ ", st.ss, "  (mm)");
    s.line();

    s.line("3.计算裂缝：");
    s.line(caseA ? " ρte = As/(0.5*1000*h5)=" : "ρte = As/(0.5*1000*h5)=", st.Aas, " /(0.5*1000* ", st.h5,
           " )= ", st.Rte);
    s.line("σsk = MBk*10^6/(0.87*h0*As)=", st.MBk, "*10^6/(0.87*", st.h0, "*", st.Aas, ")=", st.Csk, "(N/mm2)");
    s.line("ψ = 1.1-0.65*Ftk/(ρte*σsk)=1.1-0.65*", st.Ftk, "/(", st.Rte, "*", st.Csk, ")=", st.Fai);
    s.line("Wmax = 2.1*ψ*σsk/(2*10^5)*(1.9*c+0.08*deq/ρte)=2.1*", st.Fai, "*", st.Csk, "/(2*10^5)*(1.9*", st.c,
           "+0.08*", st.deq, "/", st.Rte, ")=", st.W, "(mm)");
    s.line("满足裂缝控制要求时每延米所需钢筋面积为：", st.Aas, "(mm2)");
    s.line("满足裂缝控制要求时选用钢筋为：", st.deq, "@ ", st.ss, "  (mm)");
    s.line();

    s.line("说明：");
    s.line("    为节约成本，裂缝计算允许误差为5%");
    s.line("    如果按裂缝控制要求计算出来的钢筋为 19@100，");
    s.line("    则实际所配钢筋为 18@200+20@200（依次类推）");
    return s.take();
}

} // namespace rampwall
