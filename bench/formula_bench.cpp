// Evaluations per second of a typical computed-field formula, as a ratio to a budget of 1000
// frames per second with one computed field each.
#include <benchmark/benchmark.h>

#include <string>

#include "config/formula.h"

namespace {

void BM_ComputedFieldFormula(benchmark::State& state) {
    vornlfrf::config::VariableTable variables;
    variables.add("x", 42);
    vornlfrf::config::FormulaState formulaState;
    std::string text;
    for (auto _ : state) {
        text = "x*2.1+55.8";
        benchmark::DoNotOptimize(vornlfrf::config::EvaluateFormula(text, variables, formulaState));
    }
    state.counters["ratio_to_1000_frames_per_s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) / 1000.0, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ComputedFieldFormula);

}  // namespace
