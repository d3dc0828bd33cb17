// What telling authors about their mistakes costs, on the generated scenario of 1,000,000 m.
// The checks that find nothing cost the clean compile (compile_routine in compile_bench.cpp,
// measured against a build without the checks: docs/performance.md); here, what it costs when
// they find something:
// - a surplus value on every gradient record, so that 2000 records are warned about;
// - an error at the first station of the train file, which stops its reading, so that the
//   scan goes through the rest of both files after the compile;
// - one field of 10 MB where a record's keyword stands, and 200,000 lines that name no record
//   (a compile keeps the first 1000 warnings and counts the rest).
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <utility>

#include "compiler/compile_routine.h"
#include "long_scenario.h"

namespace scenario::bench {
namespace {

constexpr std::int32_t length = 1000000;

// A folder holding the generated scenario as changed by `change_line` and `change_train`.
class changed_scenario {
  public:
    template <typename line_change, typename train_change>
    changed_scenario(line_change change_line, train_change change_train) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "scenario-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::exit(2);
        }
        path_ = pattern;
        write(std::string(long_route) + "_linea.txt", change_line(generate_long_line(length)));
        write(std::string(long_route) + "_" + long_train + "-.txt",
              change_train(generate_long_train(length)));
    }
    ~changed_scenario() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    changed_scenario(const changed_scenario&) = delete;
    changed_scenario& operator=(const changed_scenario&) = delete;

    compile_options options() const {
        return {path_, {long_route, long_train}, /*delete_sources=*/false};
    }

  private:
    void write(const std::string& name, const std::string& content) const {
        std::ofstream(path_ + "/" + name, std::ios::binary) << content;
    }
    std::string path_;
};

std::string unchanged(std::string text) {
    return text;
}

// "pendenza  , 300    , 4" becomes "pendenza  , 300    , 4, 1".
std::string surplus_on_every_gradient(std::string text) {
    std::string changed;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        const std::string line = text.substr(start, end - start);
        changed += line.starts_with("pendenza") ? line + ", 1\r\n" : line + "\r\n";
        start = end == std::string::npos ? text.size() : end + 2;
    }
    return changed;
}

// The first station off the cells: error 8 stops the reading of the train file.
std::string first_station_off_the_cells(std::string text) {
    const std::size_t station = text.find("stazione, 6000,");
    text.replace(station, 15, "stazione, 6010,");
    return text;
}

void compile_once(benchmark::State& state, const changed_scenario& scenario, bool scan) {
    compile_context context(scenario.options());
    const compile_outcome outcome = memorizza_percorso(context, 1);
    if (scan) {
        scan_beyond_compiled_part(context);
    }
    benchmark::DoNotOptimize(context.errors.warnings().size());
    if (outcome.how != compile_outcome::end::compiled) {
        state.SkipWithError("the changed scenario was not compiled");
    }
}

// Compiles the scenario on every iteration and reports how many warnings one compile gives,
// those kept and those only counted.
void compile_counting_warnings(benchmark::State& state, const changed_scenario& scenario) {
    std::size_t warnings = 0;
    for (auto _ : state) {
        compile_context context(scenario.options());
        (void)memorizza_percorso(context, 1);
        warnings = context.errors.warnings().size() + context.errors.warnings_not_kept();
    }
    state.counters["warnings"] = static_cast<double>(warnings);
}

void compile_with_a_warning_on_every_gradient(benchmark::State& state) {
    const changed_scenario scenario(surplus_on_every_gradient, unchanged);
    compile_counting_warnings(state, scenario);
}
BENCHMARK(compile_with_a_warning_on_every_gradient)->Unit(benchmark::kMillisecond);

void compile_stopped_early(benchmark::State& state) {
    const changed_scenario scenario(unchanged, first_station_off_the_cells);
    for (auto _ : state) {
        compile_once(state, scenario, /*scan=*/false);
    }
}
BENCHMARK(compile_stopped_early)->Unit(benchmark::kMillisecond);

void compile_stopped_early_and_scan_beyond(benchmark::State& state) {
    const changed_scenario scenario(unchanged, first_station_off_the_cells);
    for (auto _ : state) {
        compile_once(state, scenario, /*scan=*/true);
    }
}
BENCHMARK(compile_stopped_early_and_scan_beyond)->Unit(benchmark::kMillisecond);

// `lines` put before the first gradient record.
std::string with_lines_before_the_records(std::string text, const std::string& lines) {
    text.insert(text.find("pendenza"), lines);
    return text;
}

void compile_with_a_field_of_10_megabytes(benchmark::State& state) {
    const changed_scenario scenario(
        [](std::string text) {
            return with_lines_before_the_records(std::move(text),
                                                 std::string(10 << 20, 'x') + "\r\n");
        },
        unchanged);
    for (auto _ : state) {
        compile_once(state, scenario, /*scan=*/false);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (10 << 20));
}
BENCHMARK(compile_with_a_field_of_10_megabytes)->Unit(benchmark::kMillisecond);

void compile_with_200000_lines_that_name_no_record(benchmark::State& state) {
    const changed_scenario scenario(
        [](std::string text) {
            std::string lines;
            for (int i = 0; i < 200000; ++i) {
                lines += "zzz\r\n";
            }
            return with_lines_before_the_records(std::move(text), lines);
        },
        unchanged);
    compile_counting_warnings(state, scenario);
}
BENCHMARK(compile_with_200000_lines_that_name_no_record)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace scenario::bench
