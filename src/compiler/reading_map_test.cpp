// The map of how a compile read its sources: what an editor colours and outlines must be what
// the compiler did with each field.
#include "compiler/reading_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "compiler/compile_report.h"
#include "source/builtin_line.h"
#include "source/builtin_train.h"
#include "support/compile_test_support.h"

namespace scenario {
namespace {

using testing_support::source_folder;

reading_map map_of(const source_folder& folder, const std::string& line_text,
                   const std::string& train_text) {
    source_texts held;
    held.keep(folder.line_source_path().string(), line_text);
    held.keep(folder.train_source_path().string(), train_text);
    compile_context context({folder.path().string(), builtin_identity(), false});
    context.options.texts = &held;
    context.options.write_compiled_files = false;
    context.options.map_reading = true;
    (void)compile_and_report(context, 1);
    return context.reading;
}

const mapped_field* field_at(const reading_map& map, source_file file, int line, int column) {
    const auto found =
        std::find_if(map.fields.begin(), map.fields.end(), [&](const mapped_field& f) {
            return f.file == file && f.line == line && f.column == column;
        });
    return found != map.fields.end() ? &*found : nullptr;
}

TEST(ReadingMap, BuiltinSourcesHaveEveryRecordAndNoFieldPassedOver) {
    const source_folder folder;
    const line_table& line = builtin_line_table();
    const line_table& train = builtin_train_table();
    const reading_map map = map_of(folder, compose_line_table(line), compose_line_table(train));

    EXPECT_TRUE(std::none_of(map.fields.begin(), map.fields.end(), [](const mapped_field& f) {
        return f.role == field_role::passed_over;
    }));
    // Every line that starts with a letter after the general header is a setting or record.
    std::size_t written = 0;
    for (const line_table* table : {&line, &train}) {
        bool after_header = false;
        for (const std::string_view text : *table) {
            if (after_header && !text.empty() &&
                std::isalpha(static_cast<unsigned char>(text[0])) && text != end_marker) {
                ++written;
            }
            after_header = after_header || text.starts_with("[generale]");
        }
    }
    EXPECT_EQ(map.records.size(), written);
    // "stazione,  33800,  4, 600, ..., EMPOLI" is line 45 of the train file.
    const auto empoli = std::find_if(map.records.begin(), map.records.end(),
                                     [](const mapped_record& r) { return r.position == 33800; });
    ASSERT_NE(empoli, map.records.end());
    EXPECT_EQ(empoli->kind, &keywords::stazione);
    EXPECT_EQ(empoli->line, 45);
    EXPECT_TRUE(empoli->complete);
}

TEST(ReadingMap, EachFieldHasTheRoleTheCompilerGaveIt) {
    const source_folder folder;
    const std::string line_text =
        "Titolo\r\n[generale]\r\nlunghezza percorso, 5000\r\n[linea]\r\n"
        "pendenze, 300, 4\r\n- nota\r\npendenza, 600, -2\r\n[fine]\r\n";
    const reading_map map = map_of(folder, line_text, "[generale]\r\n[fine]\r\n");
    struct expected {
        int line;
        int column;
        int length;
        field_role role;
    };
    for (const expected& e :
         {expected{1, 1, 6, field_role::preamble}, expected{2, 1, 10, field_role::header},
          expected{3, 1, 18, field_role::key}, expected{3, 21, 4, field_role::number},
          expected{4, 1, 7, field_role::header}, expected{5, 1, 8, field_role::passed_over},
          expected{5, 11, 3, field_role::passed_over}, expected{6, 1, 6, field_role::comment},
          expected{7, 1, 8, field_role::key}, expected{7, 16, 2, field_role::number}}) {
        const mapped_field* field = field_at(map, source_file::line, e.line, e.column);
        ASSERT_NE(field, nullptr) << e.line << ":" << e.column;
        EXPECT_EQ(field->role, e.role) << e.line << ":" << e.column;
        EXPECT_EQ(field->length, e.length) << e.line << ":" << e.column;
    }
}

TEST(ReadingMap, WhatAScanReadBeyondTheCompilesStopIsMappedToo) {
    const source_folder folder;
    // The station at 1025 m ends the reading (error 8); the signal after it is read by the scan.
    const std::string train_text =
        "[generale]\r\n"
        "stazione, 1025, 2, 400, 0, 0, 0, 0,0,0, 0,0,0, 0, 0,0,0, PRIMA\r\n"
        "segnale, 3000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n"
        "[fine]\r\n";
    const reading_map map = map_of(folder, testing_support::line_of_length(8000, {}), train_text);
    EXPECT_TRUE(std::any_of(map.records.begin(), map.records.end(), [](const mapped_record& r) {
        return r.kind == &keywords::segnale && r.line == 3;
    }));
    const mapped_field* key = field_at(map, source_file::train, 3, 1);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->role, field_role::key);
}

}  // namespace
}  // namespace scenario
