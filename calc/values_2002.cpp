#include "calc/values_2002.h"

namespace rampwall {

namespace {
template <typename Field>
void note(DesignState& state, std::string_view name, const Field& field) {
    state.values.push_back({name, widen(field)});
}
} // namespace

void noteLoads2002(DesignState& state, LoadCase loadCase) {
    if (loadCase == LoadCase::CaseA) {
        note(state, "a", state.a);
        note(state, "b", state.b);
        note(state, "q11", state.q11);
        note(state, "MB11", state.MB11);
        note(state, "q21", state.q21);
        note(state, "MB21", state.MB21);
        note(state, "q31", state.q31);
        note(state, "MB31", state.MB31);
        note(state, "q42", state.q42);
        note(state, "MB42", state.MB42);
    } else {
        note(state, "q11", state.q11);
        note(state, "MB11", state.MB11);
        note(state, "q22", state.q22);
        note(state, "MB22", state.MB22);
    }
    note(state, "MBk", state.MBk);
    note(state, "MB", state.MB);
}

void noteStrength2002(DesignState& state) {
    note(state, "alpha_s", state.alfas);
    note(state, "zeta", state.kese);
    note(state, "As_strength", state.Aas);
    note(state, "As_single_bar", state.SAas);
    if (const int* d = std::get_if<int>(&state.d)) {
        state.values.push_back({"d_strength", static_cast<double>(*d)});
    }
}

void noteCrackCheck2002(DesignState& state) {
    state.values.push_back({"d", static_cast<double>(std::get<int>(state.deq))});
    note(state, "As", state.Aas);
    note(state, "rho_te", state.Rte);
    note(state, "sigma_sk", state.Csk);
    note(state, "psi", state.Fai);
    note(state, "w_max", state.W);
}

} // namespace rampwall
