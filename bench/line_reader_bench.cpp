// The line reader on the generated line, with the plan: it reads the settings and records,
// places gradients, boards and mountain sides in the grid, and notes the plan's steps. The
// rows of the plan are computed when its file is written (plan_rows and
// compiled_files_bench.cpp).
#include <benchmark/benchmark.h>

#include "compiler/line_reader.h"
#include "format/profile_steps.h"
#include "scenario_folder.h"

namespace scenario::bench {
namespace {

compile_context line_half(std::int32_t length, std::int32_t compila_linea) {
    compile_context context(scenario_folder::of_length(length).options());
    context.record.compila_linea = compila_linea;
    (void)read_line_file(context);
    return context;
}

void line_reader_with_plan(benchmark::State& state) {
    const auto length = static_cast<std::int32_t>(state.range(0));
    if (line_half(length, 1).errors.codice_errore != 0) {
        state.SkipWithError("the generated line does not read without error");
        return;
    }
    for (auto _ : state) {
        compile_context context = line_half(length, 1);
        benchmark::DoNotOptimize(context.record.celle.data());
    }
}
BENCHMARK(line_reader_with_plan)->Arg(82000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Every row of the plan computed once, both coordinates, without storing or encoding them:
// the chain of dependent additions that the line file's encoding walks once per column.
void plan_rows(benchmark::State& state) {
    const compile_context context = line_half(static_cast<std::int32_t>(state.range(0)), 1);
    const profile_steps& plan = *context.record.profilo;
    for (auto _ : state) {
        profile_walk walk(plan);
        double sum = 0.0;
        walk.compute(plan.ultima_riga(), [&sum](double x, double y) { sum += x - y; });
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * (plan.next_row() - 2));
}
BENCHMARK(plan_rows)->Arg(82000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace scenario::bench
