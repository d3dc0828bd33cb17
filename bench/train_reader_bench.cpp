// The train reader on the generated train, and the grid pass after it, each on a copy of the
// record that the steps before it left.
#include <benchmark/benchmark.h>

#include "compiler/grid_pass.h"
#include "compiler/line_reader.h"
#include "compiler/train_reader.h"
#include "scenario_folder.h"

namespace scenario::bench {
namespace {

// The context after the line half, without the plan (the train half does not use it).
compile_context after_line_half(std::int32_t length) {
    compile_context context(scenario_folder::of_length(length).options());
    (void)read_line_file(context);
    return context;
}

void train_reader(benchmark::State& state) {
    const compile_context before = after_line_half(static_cast<std::int32_t>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        compile_context context = before;
        state.ResumeTiming();
        read_train_file(context);
        benchmark::DoNotOptimize(context.record.celle.data());
        if (context.errors.codice_errore != 0) {
            state.SkipWithError("the generated train does not read without error");
            break;
        }
    }
}
BENCHMARK(train_reader)->Arg(82000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

void grid_pass(benchmark::State& state) {
    compile_context before = after_line_half(static_cast<std::int32_t>(state.range(0)));
    read_train_file(before);
    for (auto _ : state) {
        state.PauseTiming();
        compile_context context = before;
        state.ResumeTiming();
        run_grid_pass(context.record, context.errors);
        benchmark::DoNotOptimize(context.record.celle.data());
    }
    state.SetItemsProcessed(state.iterations() *
                            static_cast<std::int64_t>(before.record.celle.size()));
}
BENCHMARK(grid_pass)->Arg(82000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace scenario::bench
