// The whole compile routine on the generated scenario at four line lengths: how its cost
// grows with the line. It reads both sources, runs the grid pass and writes the three files.
#include <benchmark/benchmark.h>

#include "compiler/compile_routine.h"
#include "scenario_folder.h"
#include "source/file_access.h"

namespace scenario::bench {
namespace {

void compile_routine(benchmark::State& state) {
    const auto length = static_cast<std::int32_t>(state.range(0));
    const scenario_folder& folder = scenario_folder::of_length(length);
    for (auto _ : state) {
        // As in a first build, no compiled file of an earlier run is there to be replaced.
        state.PauseTiming();
        for (const char* name : {"Lunga_linea.dat", "Lunga_9000.sim", "Lunga_9000.dat"}) {
            (void)remove_file(join_path(folder.path(), name));
        }
        state.ResumeTiming();
        compile_context context(folder.options());
        const compile_outcome outcome = memorizza_percorso(context, 1);
        if (outcome.how != compile_outcome::end::compiled || context.errors.codice_errore != 0) {
            state.SkipWithError("the generated scenario does not compile without error");
            break;
        }
    }
    state.counters["metres"] = benchmark::Counter(static_cast<double>(length));
    state.counters["ns_per_metre"] = benchmark::Counter(
        static_cast<double>(length),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(compile_routine)
    ->Arg(82000)
    ->Arg(250000)
    ->Arg(500000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace scenario::bench
