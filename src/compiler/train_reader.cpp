#include "compiler/train_reader.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "compiler/line_reader.h"
#include "compiler/source_cursor.h"
#include "compiler/source_file_checks.h"
#include "compiler/train_reading.h"
#include "format/rounding.h"
#include "source/file_access.h"

namespace scenario {
namespace {

// The record kinds in the order in which a keyword field is tested for them.
constexpr keyword_table<train_reading, 10> record_kinds = {{
    {&keywords::massa_frenata, read_braked_mass},
    {&keywords::vetture, read_coaches},
    {&keywords::velocita, read_speed_limit},
    {&keywords::aderenza, read_adherence},
    {&keywords::orologio, read_clock},
    {&keywords::sabbia, read_sand},
    {&keywords::segnale, read_signal},
    {&keywords::rallentamento, read_slowdown},
    {&keywords::abbattimento, read_abbattimento},
    {&keywords::stazione, read_station},
}};

// The kilometre references of the line file must fall on cell boundaries. The error stands at
// the setting that gave the reference, found through the ordering by its origin.
void check_kilometre_references(compile_context& context) {
    for (std::size_t slot = entry::greatest_reference; slot <= entry::smallest_reference; ++slot) {
        const voce& reference = context.record.voci[slot];
        for (const std::int32_t value : {reference.valore1, reference.valore2}) {
            if (value % cell_metres != 0) {
                const record_origin& origin = context.origins.entry(slot);
                const bool flag_added = reference.valore3 == 1 && value == reference.valore2;
                // As the author wrote it: before the 100 m that flag 1 adds.
                const std::int32_t written_value =
                    flag_added && origin.known()
                        ? low_32_bits(std::int64_t{reference.valore2} - 100)
                        : reference.valore2;
                const std::string values = std::to_string(reference.valore1) + ", " +
                                           std::to_string(written_value) + ", " +
                                           std::to_string(reference.valore3);
                std::string detail =
                    (origin.known() ? record_origins::name_of(origin) + " (" + values + ")"
                                    : "kilometre reference (progressiva chilometrica) " + values) +
                    ": " + std::to_string(value) + " is not a multiple of 50 m";
                if (flag_added) {
                    detail += " (the value includes the 100 m that flag 1 adds)";
                }
                context.errors.record(error_code::reference_off_cell, std::nullopt,
                                      context.origins.point_of(origin), std::move(detail));
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
    warn_about_timetable(reading);
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
        if (!context.reads_past_errors()) {
            record_runtime_failure(context, source_point{},
                                   "the train file cannot be read: the line file set up no grid");
            return;
        }
        // A scan reads the train file on the largest grid when the line file gave none.
        create_grid(context, lunghezza_massima);
    }
    const std::string path = context.train_source_path();
    std::shared_ptr<const source_text> text;
    if (const status read = read_source_content(context, path, text); !read.ok()) {
        record_runtime_failure(context, {path, 0, 0}, unreadable_file_detail(path, read.message()));
        return;
    }
    const text_encoding encoding =
        tell_encoding(context, path, text->content(), source_file::train);
    source_cursor cursor(context, path, std::move(text), source_file::train);
    train_reading reading(context, cursor);
    header_guess guess;
    switch (find_general_header(reading, &guess)) {
        case header_search::failed:
            return;
        case header_search::end_of_file:
            tell_train_file_yields_nothing(context, path, encoding, false, guess, 0);
            break;
        case header_search::found: {
            const source_point header = cursor.here();
            reading.part = source_part::train_records;
            if (read_records(reading, record_kinds) == record_outcome::returned) {
                return;
            }
            tell_train_file_yields_nothing(context, path, encoding, true, guess,
                                           reading.records_named);
            if (reading.records_named > 0) {
                tell_general_values_not_set(reading, header);
            }
            break;
        }
    }
    finish_reading(reading);
}

}  // namespace scenario
