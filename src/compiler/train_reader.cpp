#include "compiler/train_reader.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "compiler/rounding.h"
#include "compiler/source_cursor.h"
#include "compiler/train_reading.h"
#include "source/file_access.h"

namespace scenario {
namespace {

// The record kinds in the order in which a keyword field is tested for them.
constexpr keyword_table<train_reading, 10> record_kinds = {{
    {"frenata", "massa", "braked-mass", read_braked_mass},
    {"vetture", "", "coaches", read_coaches},
    {"velocit", "", "speed limit", read_speed_limit},
    {"aderenza", "", "adherence", read_adherence},
    {"orologio", "", "clock", read_clock},
    {"sabbia", "", "sand", read_sand},
    {"segnale", "", "signal", read_signal},
    {"rallentamento", "", "slowdown", read_slowdown},
    {"abbattimento", "", "abbattimento", read_abbattimento},
    {"stazione", "", "station", read_station},
}};

// The kilometre references of the line file must fall on cell boundaries.
void check_kilometre_references(compile_context& context) {
    for (std::size_t slot = entry::greatest_reference; slot <= entry::smallest_reference; ++slot) {
        const voce& reference = context.record.voci[slot];
        for (const std::int32_t value : {reference.valore1, reference.valore2}) {
            if (value % cell_metres != 0) {
                // The line file's key cannot be told after the ordering: name the setting.
                std::string detail = "kilometre reference (progressiva chilometrica) " +
                                     std::to_string(reference.valore1) + ", " +
                                     std::to_string(reference.valore2) + ", " +
                                     std::to_string(reference.valore3) + ": " +
                                     std::to_string(value) + " is not a multiple of 50 m";
                if (reference.valore3 == 1 && value == reference.valore2) {
                    detail += " (the value includes the 100 m that flag 1 adds)";
                }
                context.errors.record(error_code::reference_off_cell, std::nullopt, source_point{},
                                      std::move(detail));
                return;
            }
        }
    }
}

void finish_reading(train_reading& reading) {
    delete_source(reading.context, reading.cursor.path());
    fill_speed_tail(reading);
    fill_adherence_tail(reading);
    check_kilometre_references(reading.context);
}

// The message names the file, which the error's location already gives: keep the cause.
std::string unreadable_file_detail(const std::string& path, const std::string& message) {
    const std::string prefix = "cannot read " + path + ": ";
    const std::string cause = message.starts_with(prefix) ? message.substr(prefix.size()) : message;
    return "the train file cannot be read: " + cause;
}

}  // namespace

void read_train_file(compile_context& context) {
    const scenario_record& record = context.record;
    if (!record.has_grid() || record.ultima_cella < 0 ||
        record.celle.size() != static_cast<std::size_t>(record.ultima_cella) + 1) {
        record_runtime_failure(context, source_point{},
                               "the train file cannot be read: the line file set up no grid");
        return;
    }
    const std::string path = context.train_source_path();
    std::string content;
    if (const status read = read_whole_file(path, content); !read.ok()) {
        record_runtime_failure(context, {path, 0, 0}, unreadable_file_detail(path, read.message()));
        return;
    }
    source_cursor cursor(context, path, std::move(content));
    train_reading reading(context, cursor);
    switch (find_general_header(reading)) {
        case header_search::failed:
            return;
        case header_search::end_of_file:
            break;
        case header_search::found:
            if (read_records(reading, record_kinds) == record_outcome::returned) {
                return;
            }
            break;
    }
    finish_reading(reading);
}

}  // namespace scenario
