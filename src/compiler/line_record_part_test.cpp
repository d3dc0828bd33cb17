// The record part as a whole: the placement limit that stops the reading, positions that
// the grid has no room for, comment lines before a record, and keys with several words.
#include <gtest/gtest.h>

#include <string>

#include "support/compile_test_support.h"

namespace scenario {
namespace {

using testing_support::line_of_length;
using testing_support::read_line_source;
using testing_support::source_folder;

// One record of each kind at a position, the way the line file writes them.
struct record_kind {
    const char* name;
    std::string (*at)(std::int32_t position);
};

const record_kind record_kinds[] = {
    {"pendenza", [](std::int32_t p) { return "pendenza, " + std::to_string(p) + ", 4"; }},
    {"curva", [](std::int32_t p) { return "curvad1, " + std::to_string(p) + ", 10"; }},
    {"montagna",
     [](std::int32_t p) {
         return "montagna, " + std::to_string(p) + ", " + std::to_string(p + 50) + ", 1";
     }},
    {"indicatori_vmax",
     [](std::int32_t p) {
         return "indicatori_vmax, " + std::to_string(p) + ", 100, 0, 0, 0, 0, 0, 0, 0";
     }},
    {"cartello indicatore",
     [](std::int32_t p) { return "cartello indicatore, " + std::to_string(p) + ", (Km. 7)"; }},
};

class RecordKinds : public testing::TestWithParam<record_kind> {};

// With a line of 0 m the grid ends at cell 140: (6900 + 100) / 50 = 140 is the last place.
TEST_P(RecordKinds, RecordAtTheLastPlaceIsAccepted) {
    source_folder folder;
    const auto result = read_line_source(folder, line_of_length(0, {GetParam().at(6900)}));
    EXPECT_EQ(result.end, line_half_end::train_follows);
    EXPECT_EQ(result.context.errors.codice_errore, 0);
}

TEST_P(RecordKinds, RecordBeyondTheGridStopsTheReadingWith15AndTheTailsStillRun) {
    source_folder folder;
    const auto result = read_line_source(
        folder, line_of_length(0, {"pendenza, 100, 2", GetParam().at(6901), "pendenza, 200, 9"}));
    const compile_context& context = result.context;
    EXPECT_EQ(result.end, line_half_end::train_follows);
    EXPECT_EQ(context.errors.codice_errore, 15);
    EXPECT_EQ(context.errors.posizione_errore, 6901);
    EXPECT_EQ(context.errors.errors().back().where.line, 5);
    EXPECT_EQ(
        context.errors.errors().back().detail,
        "the " + std::string(GetParam().name) +
            " record at 6901 m lies beyond the cell grid, which ends at cell 140: no record may "
            "stand beyond 6900 m; the rest of the line file is not read");
    // The gradient 2 in force runs to the tail: the record after the stop is not read.
    EXPECT_EQ(context.record.celle[4].extra5, 102);
    EXPECT_EQ(context.record.celle[137].extra5, 102);
    EXPECT_EQ(context.record.profilo->tag(6998, 1), profile_tag::reale);
    EXPECT_FALSE(std::filesystem::exists(folder.line_source_path()));
    EXPECT_TRUE(std::filesystem::exists(folder.train_source_path()));
}

TEST_P(RecordKinds, NegativePositionHasNoRoom) {
    source_folder folder;
    const auto result = read_line_source(folder, line_of_length(0, {GetParam().at(-50)}));
    EXPECT_EQ(result.end, line_half_end::returned);
    EXPECT_EQ(result.context.errors.codice_errore, 200);
    EXPECT_EQ(result.context.errors.posizione_errore, -50);
    EXPECT_EQ(result.context.record.celle[0], cella{});
    EXPECT_FALSE(std::filesystem::exists(folder.line_source_path()));
}

TEST_P(RecordKinds, FileEndingInsideTheRecordIs25) {
    std::string record = GetParam().at(100);
    record.resize(record.rfind(','));
    source_folder folder;
    const auto result = read_line_source(folder, line_of_length(0, {}) + record);
    EXPECT_EQ(result.end, line_half_end::returned);
    EXPECT_EQ(result.context.errors.codice_errore, 25);
    EXPECT_FALSE(std::filesystem::exists(folder.line_source_path()));
    EXPECT_FALSE(std::filesystem::exists(folder.train_source_path()));
}

INSTANTIATE_TEST_SUITE_P(All, RecordKinds, testing::ValuesIn(record_kinds), [](const auto& info) {
    std::string name = info.param.name;
    std::erase_if(name, [](char c) { return c == '_' || c == ' '; });
    return name;
});

TEST(RecordPart, RecordOnTheLastLineWithoutLineEndIsRead) {
    source_folder folder;
    const auto result = read_line_source(
        folder, "[generale]\r\nlunghezza percorso, 0\r\n[pendenze]\r\npendenza, 100, 3");
    EXPECT_EQ(result.context.errors.codice_errore, 0);
    EXPECT_EQ(result.context.record.celle[2].extra5, 103);
}

TEST(RecordPart, KeyWithTheWordsOfTwoKindsReadsBothInOrder) {
    source_folder folder;
    // "pendenza" reads 100 and 3, then "montagna" reads 200, 300 and 2 from the same key.
    const auto result =
        read_line_source(folder, line_of_length(0, {"pendenza montagna, 100, 3, 200, 300, 2"}));
    EXPECT_EQ(result.context.errors.codice_errore, 0);
    EXPECT_EQ(result.context.record.celle[2].extra5, 103);
    EXPECT_EQ(result.context.record.celle[4].extra3, 2);
}

TEST(RecordPart, IndicatorSpeedKeyIsNeverAnIndicatorBoard) {
    source_folder folder;
    const auto result = read_line_source(
        folder, line_of_length(2000, {"indicatori_vmax, 800, 105, 115, 120, 0, 0, 0, 0, 0",
                                      "cartello indicatore, 1000, (x)"}));
    EXPECT_EQ(result.context.record.celle[17].tipo, kind::indicatore_v_max);
    EXPECT_EQ(result.context.record.celle[21].tipo, kind::cartello_indicatore);
    EXPECT_EQ(result.context.prossima_voce_cartello, 79);
}

TEST(RecordPart, SourcesStayWhenTheCompileKeepsThem) {
    source_folder folder;
    folder.write_line_source(line_of_length(0, {"pendenza, 100"}));
    folder.write_train_source("x\r\n");
    compile_context context({folder.path().string(), builtin_identity(), false});
    EXPECT_EQ(read_line_file(context), line_half_end::returned);
    EXPECT_EQ(context.errors.codice_errore, 25);
    EXPECT_TRUE(std::filesystem::exists(folder.line_source_path()));
    EXPECT_TRUE(std::filesystem::exists(folder.train_source_path()));
}

}  // namespace
}  // namespace scenario
