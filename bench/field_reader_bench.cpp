// The field reader on a large generated source file: records of numbers and texts in the
// shapes that real line and train files have.
#include <benchmark/benchmark.h>

#include <string>

#include "long_scenario.h"
#include "source/field_reader.h"

namespace {

std::string generated_source(int records) {
    std::string content = "title\r\n\r\n[generale]\r\n";
    for (int i = 0; i < records; ++i) {
        content += "pendenza  , " + std::to_string(i * 100) + "    , " + std::to_string(i % 9 - 4) +
                   "\r\n";
        content +=
            "cartello indicatore,  " + std::to_string(i * 100 + 50) + ",    (  Km. ) (18.600)\r\n";
    }
    return content + "[fine]\r\n";
}

void field_reader_large_file(benchmark::State& state) {
    const std::string content = generated_source(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        scenario::field_reader reader(content);
        std::string text;
        std::int32_t number = 0;
        // Keyword, number, number; keyword, number, text: as the readers take them.
        while (!reader.at_end()) {
            (void)reader.read_text(text);
            if (reader.at_end()) {
                break;
            }
            const bool board = text[0] == 'c';
            (void)reader.read_number(number);
            board ? (void)reader.read_text(text) : (void)reader.read_number(number);
        }
        benchmark::DoNotOptimize(number);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(content.size()));
}
BENCHMARK(field_reader_large_file)->Arg(1000)->Arg(100000);

// Every field of the generated line file of a 1,000,000 m line, taken as text.
void field_reader_long_line(benchmark::State& state) {
    const std::string content = scenario::bench::generate_long_line(1000000);
    for (auto _ : state) {
        scenario::field_reader reader(content);
        std::string text;
        while (!reader.at_end()) {
            (void)reader.read_text(text);
        }
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(content.size()));
}
BENCHMARK(field_reader_long_line);

}  // namespace
