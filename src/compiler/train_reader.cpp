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

// The record kinds in the order in which a keyword field is tested for them. The tests are
// not exclusive: a field holding two keywords is followed by both records, in this order.
struct keyword_test {
    std::string_view word;
    std::string_view second_word;  // also required when not empty
    std::string_view record_name;  // for messages
    after_record (*read)(train_reading&);
};

constexpr std::array<keyword_test, 10> keyword_tests = {{
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

bool names_record(const std::string& field, const keyword_test& test) {
    return contains_ignoring_case(field, test.word) &&
           (test.second_word.empty() || contains_ignoring_case(field, test.second_word));
}

// A comment that holds a keyword is read as that record when it is the third comment in a
// row: most likely the author meant it as a comment.
void warn_about_third_comment(train_reading& reading, const std::string& field) {
    for (const keyword_test& test : keyword_tests) {
        if (names_record(field, test)) {
            reading.errors().warn(
                reading.cursor.record_start(),
                "a third comment line in a row is not passed over but read as a record: it "
                "holds \"" +
                    std::string(test.word) + "\", so it is read as a " +
                    std::string(test.record_name) +
                    " record; an empty line between the comments starts a new run");
            return;
        }
    }
}

after_record examine(train_reading& reading, const std::string& field) {
    for (const keyword_test& test : keyword_tests) {
        if (!names_record(field, test)) {
            continue;
        }
        if (const after_record next = test.read(reading); next != after_record::next_record) {
            return next;
        }
    }
    return after_record::next_record;
}

enum class search_end { found, end_of_file, failed };

// Everything up to the first field holding "[generale]" is preamble; comments count too.
search_end find_header(source_cursor& cursor, const std::string& riga) {
    for (;;) {
        if (!cursor.read_field()) {
            return search_end::failed;
        }
        if (cursor.at_end()) {
            return search_end::end_of_file;
        }
        if (contains_ignoring_case(riga, "[generale]")) {
            return search_end::found;
        }
    }
}

enum class keyword_read { keyword, third_comment, end_of_file, failed };

// Reads a keyword field, skipping up to two comment fields (those holding "-") before it: the
// third field in a row is examined whatever it holds.
keyword_read read_keyword_field(source_cursor& cursor, const std::string& riga) {
    cursor.leave_record();
    for (int read = 0; read < 3; ++read) {
        if (!cursor.read_field()) {
            return keyword_read::failed;
        }
        if (cursor.at_end()) {
            return keyword_read::end_of_file;
        }
        if (!contains(riga, "-")) {
            return keyword_read::keyword;
        }
    }
    return keyword_read::third_comment;
}

// Records until the end of the file or until a record ends the reading. True when the end
// processing follows, false when the reader must return at once.
bool read_records(train_reading& reading) {
    const std::string& riga = reading.record().riga;
    while (!reading.cursor.at_end()) {
        const keyword_read read = read_keyword_field(reading.cursor, riga);
        if (read == keyword_read::failed || read == keyword_read::end_of_file) {
            return read == keyword_read::end_of_file;
        }
        reading.cursor.mark_record();
        const std::string field = riga;  // the record's own fields overwrite `riga`
        if (read == keyword_read::third_comment) {
            warn_about_third_comment(reading, field);
        }
        switch (examine(reading, field)) {
            case after_record::next_record:
                break;
            case after_record::end_of_file:
                return true;
            case after_record::returned:
                return false;
        }
    }
    return true;
}

// The kilometre references of the line file must fall on cell boundaries.
void check_kilometre_references(compile_context& context) {
    for (int entry = 81; entry <= 83; ++entry) {
        const voce& reference = context.record.voci[entry];
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
                context.errors.record(2, std::nullopt, source_point{}, std::move(detail));
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
    train_reading reading{context, cursor};
    switch (find_header(cursor, context.record.riga)) {
        case search_end::failed:
            return;
        case search_end::end_of_file:
            break;
        case search_end::found:
            if (!read_records(reading)) {
                return;
            }
            break;
    }
    finish_reading(reading);
}

}  // namespace scenario
