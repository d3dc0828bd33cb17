// The three compiled files of the generated scenario: encoding each, writing all three as the
// compile routine does, and, for comparison, writing the very same bytes already encoded.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "compiler/grid_pass.h"
#include "compiler/line_reader.h"
#include "compiler/train_reader.h"
#include "format/compiled_files.h"
#include "scenario_folder.h"
#include "source/file_access.h"

namespace scenario::bench {
namespace {

// The record as the compile routine writes it: both sources read, the grid pass run.
compile_context compiled(std::int32_t length) {
    compile_context context(scenario_folder::of_length(length).options());
    context.record.compila_linea = 1;
    if (read_line_file(context) == line_half_end::train_follows) {
        read_train_file(context);
    }
    run_grid_pass(context.record, context.errors);
    return context;
}

std::string output_path(const compile_context& context, std::string_view name) {
    return join_path(context.options.folder, std::string(name));
}

// Each write lands in a folder without the files, as a first build does: replacing a file
// would add the freeing of the old one, and the file system starts writing a file back at
// once when it replaces another through a rename.
void remove_outputs(benchmark::State& state, const compile_context& context) {
    state.PauseTiming();
    for (const char* name : {"Lunga_linea.dat", "Lunga_9000.sim", "Lunga_9000.dat"}) {
        (void)remove_file(output_path(context, name));
    }
    state.ResumeTiming();
}

void encode_item_and_grid_files(benchmark::State& state) {
    const compile_context context = compiled(static_cast<std::int32_t>(state.range(0)));
    for (auto _ : state) {
        const std::string item = encode_item_file(context.record.voci);
        const std::string grid = encode_grid_file(context.record.celle);
        benchmark::DoNotOptimize(item.data());
        benchmark::DoNotOptimize(grid.data());
    }
}
BENCHMARK(encode_item_and_grid_files)->Arg(82000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// The plan's rows computed and encoded piece by piece, without writing them.
void encode_line_file_pieces(benchmark::State& state) {
    const compile_context context = compiled(static_cast<std::int32_t>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        line_file_encoder encoder(*context.record.profilo);
        bytes = 0;
        for (file_piece piece = encoder.next_piece(); !piece.bytes.empty();
             piece = encoder.next_piece()) {
            bytes += piece.bytes.size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(encode_line_file_pieces)->Arg(82000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void write_compiled_files(benchmark::State& state) {
    const compile_context context = compiled(static_cast<std::int32_t>(state.range(0)));
    const std::size_t bytes = encode_line_file(*context.record.profilo).size() +
                              encode_item_file(context.record.voci).size() +
                              encode_grid_file(context.record.celle).size();
    for (auto _ : state) {
        remove_outputs(state, context);
        const bool written =
            write_line_file(output_path(context, "Lunga_linea.dat"), *context.record.profilo)
                .ok() &&
            replace_file(output_path(context, "Lunga_9000.sim"),
                         encode_item_file(context.record.voci))
                .ok() &&
            replace_file(output_path(context, "Lunga_9000.dat"),
                         encode_grid_file(context.record.celle))
                .ok();
        if (!written) {
            state.SkipWithError("a compiled file could not be written");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(write_compiled_files)->Arg(82000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The floor of the step above: the same three files' bytes, encoded beforehand, written the
// same way.
void write_same_bytes(benchmark::State& state) {
    const compile_context context = compiled(static_cast<std::int32_t>(state.range(0)));
    const std::string line = encode_line_file(*context.record.profilo);
    const std::string item = encode_item_file(context.record.voci);
    const std::string grid = encode_grid_file(context.record.celle);
    for (auto _ : state) {
        remove_outputs(state, context);
        const bool written = replace_file(output_path(context, "Lunga_linea.dat"), line).ok() &&
                             replace_file(output_path(context, "Lunga_9000.sim"), item).ok() &&
                             replace_file(output_path(context, "Lunga_9000.dat"), grid).ok();
        if (!written) {
            state.SkipWithError("a compiled file could not be written");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(line.size() + item.size() + grid.size()));
}
BENCHMARK(write_same_bytes)->Arg(82000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace scenario::bench
