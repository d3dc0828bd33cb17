// The line file up to its records: the header search, the general settings and the ways the
// reading ends before the records.
#include <gtest/gtest.h>

#include <string>

#include "support/compile_test_support.h"

namespace scenario {
namespace {

using testing_support::crlf_lines;
using testing_support::dump_values;
using testing_support::line_source;
using testing_support::read_line;
using testing_support::read_line_source;
using testing_support::source_folder;

TEST(LineHeader, TextBeforeTheHeaderIsIgnoredWhateverItHolds) {
    source_folder folder;
    const auto result = read_line_source(
        folder, crlf_lines({"lunghezza percorso, 100", "sfondo uno, 9", "[GENERALE]  ",
                            "lunghezza percorso, 2000", "[tracciato]", "[fine]"}));
    EXPECT_EQ(result.end, line_half_end::train_follows);
    EXPECT_EQ(result.context.errors.codice_errore, 0);
    EXPECT_EQ(result.context.record.voci[84].valore2, 2000);
    EXPECT_EQ(result.context.record.voci[85].valore1, 0);
    EXPECT_EQ(result.context.record.ultima_cella, 180);
}

TEST(LineHeader, MissingFileIs101AndDeletesNothing) {
    source_folder folder;
    folder.write_train_source("x\r\n");
    const auto result = read_line(folder);
    EXPECT_EQ(result.end, line_half_end::returned);
    EXPECT_EQ(result.context.errors.codice_errore, 101);
    EXPECT_EQ(result.context.errors.errors().back().where.file, folder.line_source_path().string());
    EXPECT_FALSE(result.context.record.has_grid());
    EXPECT_TRUE(std::filesystem::exists(folder.train_source_path()));
    // The identity is copied into the item table before the file is looked for.
    EXPECT_EQ(result.context.record.voci[85].testo, "Valdora_Rova");
    EXPECT_EQ(result.context.record.voci[86].testo, "5284");
}

TEST(LineHeader, FileWithoutHeaderIs102AndIsDeleted) {
    source_folder folder;
    const auto result =
        read_line_source(folder, crlf_lines({"generale", "lunghezza percorso, 2000"}));
    EXPECT_EQ(result.end, line_half_end::returned);
    EXPECT_EQ(result.context.errors.codice_errore, 102);
    EXPECT_EQ(result.context.errors.errors().back().where.file, folder.line_source_path().string());
    EXPECT_FALSE(std::filesystem::exists(folder.line_source_path()));
    EXPECT_TRUE(std::filesystem::exists(folder.train_source_path()));
}

TEST(LineHeader, HeaderOnTheLastLineIsNotFound) {
    source_folder folder;
    const auto result = read_line_source(folder, crlf_lines({"titolo", "[generale]"}));
    EXPECT_EQ(result.context.errors.codice_errore, 102);
}

TEST(LineHeader, EmptyFileIsARunTimeFailureThatDeletesBothSources) {
    source_folder folder;
    const auto result = read_line_source(folder, "");
    EXPECT_EQ(result.end, line_half_end::returned);
    EXPECT_EQ(result.context.errors.codice_errore, 25);
    EXPECT_FALSE(std::filesystem::exists(folder.line_source_path()));
    EXPECT_FALSE(std::filesystem::exists(folder.train_source_path()));
}

TEST(LineSettings, EachSettingGoesToItsEntry) {
    source_folder folder;
    const auto result = read_line_source(
        folder,
        line_source({"sfondo uno, 1", "sfondo due, 2", "sfondo tre, 3", "lunghezza percorso, 82000",
                     "ripetizione segnali 4 codici,    4650,    79150"},
                    {}));
    const auto& voci = result.context.record.voci;
    EXPECT_EQ(result.context.errors.codice_errore, 0);
    EXPECT_EQ(voci[84].valore2, 82000);
    // "due" goes to valore3 and "tre" to valore2.
    EXPECT_EQ(dump_values(voci[85]), "1 3 2");
    EXPECT_EQ(dump_values(voci[86]), "4650 79150 4");
    EXPECT_EQ(result.context.record.limite_profilo, 89000);
    EXPECT_EQ(result.context.record.ultima_cella, 1780);
    EXPECT_EQ(result.context.record.celle.size(), 1781u);
    ASSERT_TRUE(result.context.record.profilo.has_value());
    EXPECT_EQ(result.context.record.profilo->ultima_riga(), 89000);
}

TEST(LineSettings, ReferenceKeyWithUpperCaseProgressivaIsNotRecognised) {
    source_folder folder;
    const auto result = read_line_source(
        folder, line_source({"lunghezza percorso, 2000", "Progressiva chilometrica uno, 0, 200, 1",
                             "progressiva chilometrica due, 0, 100, 0"},
                            {}));
    const auto& voci = result.context.record.voci;
    // Only "due" was read: with the sum of the first values 0, it is the one placed first.
    EXPECT_EQ(dump_values(voci[81]), "0 100 0");
    EXPECT_EQ(dump_values(voci[82]), "0 0 0");
    EXPECT_EQ(dump_values(voci[83]), "0 0 0");
}

TEST(LineSettings, SettingsAfterTheSectionHeaderAreNotRead) {
    source_folder folder;
    const auto result =
        read_line_source(folder, line_source({"lunghezza percorso, 2000"}, {"sfondo uno, 5"}));
    EXPECT_EQ(result.context.record.voci[85].valore1, 0);
    EXPECT_EQ(result.end, line_half_end::train_follows);
}

TEST(LineSettings, SecondLengthSizesTheGridAfresh) {
    source_folder folder;
    const auto result = read_line_source(
        folder, line_source({"lunghezza percorso, 82000", "lunghezza percorso, 1000"}, {}));
    EXPECT_EQ(result.context.record.ultima_cella, 160);
    EXPECT_EQ(result.context.record.celle.size(), 161u);
    EXPECT_EQ(result.context.record.profilo->ultima_riga(), 8000);
}

struct grid_size_case {
    const char* name;
    std::int32_t length;
    std::int32_t ultima_cella;
};

class GridSize : public testing::TestWithParam<grid_size_case> {};

TEST_P(GridSize, LastCellIsTheLengthPlus7000Over50RoundedHalfToEven) {
    source_folder folder;
    const auto result = read_line_source(
        folder, line_source({"lunghezza percorso, " + std::to_string(GetParam().length)}, {}), 0);
    EXPECT_EQ(result.context.record.ultima_cella, GetParam().ultima_cella);
    EXPECT_EQ(result.context.record.limite_profilo, GetParam().length + 7000);
    EXPECT_FALSE(result.context.record.profilo.has_value());
}

INSTANTIATE_TEST_SUITE_P(Lengths, GridSize,
                         testing::Values(grid_size_case{"Zero", 0, 140},
                                         grid_size_case{"HalfRoundsDownToEven", 1025, 160},
                                         grid_size_case{"HalfRoundsUpToEven", 1075, 162},
                                         grid_size_case{"Longest", 1000000, 20140}),
                         [](const auto& info) { return std::string(info.param.name); });

struct setting_error_case {
    const char* name;
    std::string setting;
    std::int32_t codice;
    std::optional<std::int32_t> posizione;
};

class SettingErrors : public testing::TestWithParam<setting_error_case> {};

TEST_P(SettingErrors, EndTheReadingAndDeleteTheLineFile) {
    const setting_error_case& c = GetParam();
    source_folder folder;
    const auto result = read_line_source(folder, line_source({c.setting, "sfondo uno, 5"}, {}));
    EXPECT_EQ(result.end, line_half_end::returned);
    EXPECT_EQ(result.context.errors.codice_errore, c.codice);
    ASSERT_EQ(result.context.errors.errors().size(), 1u);
    const recorded_error& error = result.context.errors.errors().front();
    EXPECT_EQ(error.posizione, c.posizione);
    EXPECT_EQ(error.where.line, 2) << "the error points at the setting's line";
    EXPECT_EQ(result.context.record.voci[85].valore1, 0) << "nothing after it is read";
    EXPECT_FALSE(result.context.record.has_grid());
    EXPECT_FALSE(std::filesystem::exists(folder.line_source_path()));
    EXPECT_TRUE(std::filesystem::exists(folder.train_source_path()));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, SettingErrors,
    testing::Values(
        setting_error_case{"LengthAboveOneMillionIs1", "lunghezza percorso, 1000001", 1, {}},
        setting_error_case{"NegativeLengthHasNoRoom", "lunghezza percorso, -50", 200, -50},
        setting_error_case{"CabStartOffTheCellsIs3", "ripetizione segnali 4, 4660, 79150", 3, {}},
        setting_error_case{"CabEndOffTheCellsIs4", "ripetizione segnali 4, 4650, 79155", 4, {}},
        setting_error_case{"CabKeyWithoutCountIs5", "ripetizione segnali codici, 4650, 0", 5, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineSettings, UnreadableValueIs25) {
    for (const char* setting : {"progressiva uno, 0, 0", "sfondo due, 1.5"}) {
        source_folder folder;
        const auto result = read_line_source(
            folder, crlf_lines({"[generale]", "lunghezza percorso, 2000", setting}));
        EXPECT_EQ(result.context.errors.codice_errore, 25) << setting;
        EXPECT_EQ(result.end, line_half_end::returned) << setting;
    }
}

struct cab_case {
    const char* name;
    std::string setting;
    std::string expected;  // valore1 valore2 valore3 of entry 86
};

class CabSignalling : public testing::TestWithParam<cab_case> {};

TEST_P(CabSignalling, CodeCountComesFromTheKey) {
    source_folder folder;
    const auto result =
        read_line_source(folder, line_source({"lunghezza percorso, 2000", GetParam().setting}, {}));
    EXPECT_EQ(result.context.errors.codice_errore, 0);
    EXPECT_EQ(dump_values(result.context.record.voci[86]), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CabSignalling,
    testing::Values(cab_case{"Four", "ripetizione segnali 4 codici, 4650, 79150", "4650 79150 4"},
                    cab_case{"Nine", "ripetizione segnali 9 codici, 50, 100", "50 100 9"},
                    cab_case{"FourWinsOverNine", "ripetizione segnali 94, 50, 100", "50 100 4"},
                    cab_case{"EndZeroMeansNoStretch", "ripetizione segnali 9 codici, 4650, 0",
                             "4650 0 0"}),
    [](const auto& info) { return std::string(info.param.name); });

// At most ten comments in a row are passed over; the field after the tenth skip is examined
// even when it is a comment, and a key hidden in it is then read.
TEST(LineSettings, TenCommentsInARowArePassedOverAndTheNextIsExamined) {
    struct run {
        int comments_before;
        std::int32_t sfondo;
    };
    for (const run r : {run{9, 0}, run{10, 7}, run{11, 0}}) {
        std::string text = "[generale]\r\nlunghezza percorso, 2000\r\n";
        for (int i = 0; i < r.comments_before; ++i) {
            text += "- nota\r\n";
        }
        text += "- sfondo uno, 7\r\n[tracciato]\r\n[fine]\r\n";
        source_folder folder;
        const auto result = read_line_source(folder, text);
        EXPECT_EQ(result.context.record.voci[85].valore1, r.sfondo)
            << r.comments_before << " comments before";
        EXPECT_EQ(result.context.errors.codice_errore, 0);
    }
}

TEST(LineSettings, CommentRunReadingPastTheEndIs25) {
    source_folder folder;
    const auto result = read_line_source(
        folder, crlf_lines({"[generale]", "lunghezza percorso, 2000", "- a", "- b"}));
    EXPECT_EQ(result.context.errors.codice_errore, 25);
}

TEST(LineSettings, RecordsWithoutALengthAre25) {
    source_folder folder;
    const auto result = read_line_source(folder, line_source({"sfondo uno, 1"}, {}));
    EXPECT_EQ(result.end, line_half_end::returned);
    EXPECT_EQ(result.context.errors.codice_errore, 25);
    EXPECT_FALSE(result.context.record.has_grid());
    EXPECT_FALSE(std::filesystem::exists(folder.line_source_path()));
}

}  // namespace
}  // namespace scenario
