#include "compiler/train_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "support/train_test_support.h"

namespace scenario {
namespace {

using test_support::dump;
using test_support::train_fixture;

TEST(TrainReader, GeneralValuesGoToEntries84And86) {
    train_fixture f;
    f.read({"numero vetture,    6", "percentuale massa frenata,    120", "sabbia,    300",
            "orologio,    13              24            40 "});
    EXPECT_EQ(dump(f.entry(84)), "valore1 120 valore3 6");
    EXPECT_EQ(dump(f.entry(86)), "numero1 300 numero3 13 numero4 24 numero5 40");
    EXPECT_EQ(f.codice(), 0);
    EXPECT_FALSE(f.train_file_exists());
}

TEST(TrainReader, BrakedMassNeedsBothWords) {
    train_fixture f;
    f.read({"massa, 5", "frenata, 7", "MASSA Frenata, 120"});
    EXPECT_EQ(f.entry(84).valore1, 120);
}

TEST(TrainReader, FieldWithTwoKeywordsReadsBothRecordsInTableOrder) {
    // "vetture" comes before "sabbia" in the order of the tests, whatever the field says.
    train_fixture f;
    f.read({"sabbia e vetture, 6, 300"});
    EXPECT_EQ(f.entry(84).valore3, 6);
    EXPECT_EQ(f.entry(86).numero1, 300);
}

struct keyword_case {
    const char* name;
    std::string content;
    std::int32_t coaches;  // what entry 84 gets
};

class KeywordFieldCases : public testing::TestWithParam<keyword_case> {};

TEST_P(KeywordFieldCases, FindsTheRecordOrNot) {
    train_fixture f;
    f.read_content(GetParam().content);
    EXPECT_EQ(f.entry(84).valore3, GetParam().coaches);
    EXPECT_EQ(f.codice(), 0);
    EXPECT_FALSE(f.train_file_exists());
}

INSTANTIATE_TEST_SUITE_P(
    Rules, KeywordFieldCases,
    testing::Values(
        keyword_case{"KeywordAnywhereInFieldIgnoringCase",
                     "[generale]\r\nTotale NUMERO VETTURE, 6\r\n[fine]\r\n", 6},
        keyword_case{"SectionLinesAreIgnored",
                     "[generale]\r\n[vel_limite]\r\n\r\nnumero vetture, 6\r\n[fine]\r\n", 6},
        keyword_case{"CommentBeforeRecordDoesNotHideIt",
                     "[generale]\r\n- note\r\nnumero vetture, 6\r\n[fine]\r\n", 6},
        keyword_case{"TwoCommentsBeforeRecordDoNotHideIt",
                     "[generale]\r\n- a\r\n- b\r\nnumero vetture, 6\r\n[fine]\r\n", 6},
        keyword_case{"ThirdCommentFieldInARowIsExamined",
                     "[generale]\r\n- a\r\n- b\r\n- numero vetture, 6\r\n[fine]\r\n", 6},
        keyword_case{"CommentHoldingAKeywordHidesIt",
                     "[generale]\r\n- numero vetture, 6\r\n[fine]\r\n", 0},
        keyword_case{"NothingBeforeTheHeaderIsRead",
                     "numero vetture, 9\r\n[generale]\r\n[fine]\r\n", 0},
        keyword_case{"HeaderCountsInsideAnyFieldEvenAComment",
                     "titolo\r\n- x [GENERALE] y\r\nnumero vetture, 6\r\n[fine]\r\n", 6},
        keyword_case{"FileWithoutHeaderYieldsNoRecords", "titolo\r\nnumero vetture, 6\r\n", 0},
        keyword_case{"RecordOnTheLastLineIsRead", "[generale]\r\nnumero vetture, 6", 6},
        keyword_case{"LastFieldOfTheFileIsNeverExamined", "[generale]\r\nnumero vetture", 0}),
    [](const testing::TestParamInfo<keyword_case>& info) { return info.param.name; });

struct runtime_failure_case {
    const char* name;
    std::string content;
    int line;  // where the failing field stands
    std::string detail;
};

class RuntimeFailures : public testing::TestWithParam<runtime_failure_case> {};

TEST_P(RuntimeFailures, RecordCode25AndDeleteBothSources) {
    train_fixture f;
    const std::string line_file = f.context.line_source_path();
    (void)replace_file(line_file, "left behind\r\n");
    f.context.errors.posizione_errore = 4321;
    f.read_content(GetParam().content);
    EXPECT_EQ(f.codice(), 25);
    EXPECT_EQ(f.posizione(), 4321);
    EXPECT_EQ(f.context.errors.errors().back().where.line, GetParam().line);
    EXPECT_EQ(f.context.errors.errors().back().detail, GetParam().detail);
    EXPECT_FALSE(f.train_file_exists());
    EXPECT_FALSE(std::filesystem::exists(line_file));
}

INSTANTIATE_TEST_SUITE_P(
    Reads, RuntimeFailures,
    testing::Values(
        runtime_failure_case{"NumberThatIsNotWhole", "[generale]\r\nnumero vetture, 6.5\r\n", 2,
                             "the numero vetture record: expected a whole number, found \"6.5\""},
        runtime_failure_case{"NumberBeyond32Bits", "[generale]\r\nnumero vetture, 2147483648\r\n",
                             2,
                             "the numero vetture record: 2147483648 does not fit: expected a "
                             "whole number from -2147483648 to 2147483647"},
        runtime_failure_case{"SandBeyond16Bits", "[generale]\r\nsabbia, 40000\r\n", 2,
                             "the sabbia record: 40000 does not fit: expected a whole number "
                             "from -32768 to 32767"},
        runtime_failure_case{
            "StationTypeBeyond8Bits",
            "[generale]\r\nstazione, 0, 256, 400, 1, 0, 0, 4, 0, 0, 2, 1, 0, "
            "1, 13, 25, 0, A\r\n",
            2,
            "the stazione record at 0 m: 256 does not fit: expected a whole number "
            "from 0 to 255"},
        // Nothing stands where the missing field should: the record is pointed at.
        runtime_failure_case{"FileEndsInsideARecord", "[generale]\r\n\r\nsegnale, 1000, 1\r\n", 3,
                             "the file ends inside the segnale record at 1000 m, where a whole "
                             "number was expected"}),
    [](const testing::TestParamInfo<runtime_failure_case>& info) { return info.param.name; });

TEST(TrainReader, MissingTrainFileIsARuntimeFailure) {
    train_fixture f;
    read_train_file(f.context);
    EXPECT_EQ(f.codice(), 25);
    const recorded_error& error = f.context.errors.errors().back();
    EXPECT_EQ(error.where.file, f.train_path());
    EXPECT_EQ(error.where.line, 0) << "the whole file is at fault, not one of its lines";
    EXPECT_EQ(error.detail, "the train file cannot be read: No such file or directory");
}

TEST(TrainReader, AuthorsSourcesAreOnlyRead) {
    train_fixture f;
    f.context.options.delete_sources = false;
    f.read({"numero vetture, 6"});
    EXPECT_TRUE(f.train_file_exists());
}

struct way_out_case {
    const char* name;
    const char* record;
    std::int32_t codice;
};

class WaysOut : public testing::TestWithParam<way_out_case> {};

TEST_P(WaysOut, DeleteTheTrainFileAndStopReading) {
    train_fixture f;
    f.cell(21).tipo = kind::indicatore_v_max;  // taken: a signal at 1000 m cannot go there
    f.read({GetParam().record, "numero vetture, 6"});
    EXPECT_EQ(f.codice(), GetParam().codice);
    EXPECT_FALSE(f.train_file_exists());
    // Only the end of the file and code 15 go on to the end of the reading; none reads on.
    EXPECT_EQ(f.entry(84).valore3, GetParam().codice == 0 ? 6 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, WaysOut,
    testing::Values(way_out_case{"EndOfFile", "sabbia, 1", 0},
                    way_out_case{"BeyondTheGrid", "segnale, 88950, 1,0,0,0,0,0,0,0,0,0", 15},
                    way_out_case{"TakenSignalCell", "segnale, 1000, 1,4,1,0,0,0,0,0,0,0", 16},
                    way_out_case{"StationOffTheCellBoundary",
                                 "stazione, 1025, 2, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X", 8},
                    way_out_case{"NegativePosition", "abbattimento, -50, 0", 200},
                    way_out_case{"RuntimeFailure", "sabbia, x", 25}),
    [](const testing::TestParamInfo<way_out_case>& info) { return info.param.name; });

struct limit_case {
    const char* name;
    const char* record;
    std::int32_t codice;
};

class PlacementLimit : public testing::TestWithParam<limit_case> {};

// With the built-in grid (last cell 1780) a record may stand at 88900 m, a station at 88200 m.
TEST_P(PlacementLimit, RecordBeyondItStopsWithCode15AndItsPosition) {
    train_fixture f;
    f.read({GetParam().record, "numero vetture, 6"});
    EXPECT_EQ(f.codice(), GetParam().codice);
    if (GetParam().codice == 15) {
        EXPECT_EQ(f.entry(84).valore3, 0);  // reading stopped
        EXPECT_NE(f.posizione(), 0);
    } else {
        EXPECT_EQ(f.entry(84).valore3, 6);
    }
    EXPECT_FALSE(f.train_file_exists());
}

INSTANTIATE_TEST_SUITE_P(
    Records, PlacementLimit,
    testing::Values(limit_case{"SpeedAtLimit", "velocita' limite, 88900, 100", 0},
                    limit_case{"SpeedBeyond", "velocita' limite, 88901, 100", 15},
                    limit_case{"AdherenceAtLimit", "aderenza, 88900, 100", 0},
                    limit_case{"AdherenceBeyond", "aderenza, 88950, 100", 15},
                    limit_case{"SignalAtLimit", "segnale, 88900, 1,0,0,0,0,0,0,0,0,0", 0},
                    limit_case{"SignalBeyond", "segnale, 88950, 1,0,0,0,0,0,0,0,0,0", 15},
                    limit_case{"SlowdownAtLimit", "rallentamento, 88900, 30, 0, 0, 0, 0", 0},
                    limit_case{"SlowdownBeyond", "rallentamento, 88950, 30, 0, 0, 0, 0", 15},
                    limit_case{"AbbattimentoAtLimit", "abbattimento, 88900, 0", 0},
                    limit_case{"AbbattimentoBeyond", "abbattimento, 88950, 0", 15},
                    limit_case{"StationAtLimit",
                               "stazione, 88200, 28, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X", 0},
                    limit_case{"StationBeyond",
                               "stazione, 88250, 28, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X", 15}),
    [](const testing::TestParamInfo<limit_case>& info) { return info.param.name; });

TEST(TrainReader, Code15KeepsThePositionAsReadAndRunsTheTails) {
    train_fixture f;
    f.read({"velocita' limite, 0, 100", "velocita' limite, 88950, 50"});
    EXPECT_EQ(f.codice(), 15);
    EXPECT_EQ(f.posizione(), 88950);
    EXPECT_EQ(f.cell(1777).extra4, 20);  // the speed in force before the refused record
    const recorded_error& error = f.context.errors.errors().back();
    EXPECT_EQ(error.where.line, 3);
    EXPECT_EQ(
        error.detail,
        "the velocita' limite record at 88950 m lies beyond the grid: positions up to 88900 m are "
        "accepted");
}

class KilometreReferences : public testing::Test {
  protected:
    void set_references(std::int32_t a, std::int32_t b) {
        f.entry(81).valore1 = 1000;
        f.entry(81).valore2 = 50;
        f.entry(82).valore1 = a;
        f.entry(82).valore2 = b;
        f.entry(82).valore3 = 1;
    }
    train_fixture f;
};

TEST_F(KilometreReferences, OffTheCellBoundaryGiveCode2AtTheEnd) {
    set_references(0, 125);
    f.context.errors.posizione_errore = 777;
    f.read({"numero vetture, 6"});
    EXPECT_EQ(f.codice(), 2);
    EXPECT_EQ(f.posizione(), 777);
    const recorded_error& error = f.context.errors.errors().back();
    EXPECT_EQ(error.where.file, "");
    EXPECT_EQ(error.detail,
              "kilometre reference (progressiva chilometrica) 0, 125, 1: 125 is not a multiple "
              "of 50 m (the value includes the 100 m that flag 1 adds)");
}

TEST_F(KilometreReferences, OnTheCellBoundaryIncludingNegativeGiveNoCode) {
    set_references(-150, 0);
    f.read({"numero vetture, 6"});
    EXPECT_EQ(f.codice(), 0);
    EXPECT_TRUE(f.context.errors.errors().empty());
}

TEST_F(KilometreReferences, ReplaceCode15FromEitherHalf) {
    set_references(25, 0);
    f.read({"segnale, 88950, 1,0,0,0,0,0,0,0,0,0"});
    EXPECT_EQ(f.codice(), 2);
    EXPECT_EQ(f.posizione(), 88950);
}

TEST_F(KilometreReferences, AreCheckedAfterCode15LeftByTheLineFile) {
    set_references(25, 0);
    f.context.errors.record(error_code::beyond_grid, 88950, source_point{"line.txt", 9, 1},
                            "beyond");
    f.read({"numero vetture, 6"});
    EXPECT_EQ(f.codice(), 2);
    EXPECT_EQ(f.posizione(), 88950);
}

class AfterLineCode15 : public testing::Test {
  protected:
    AfterLineCode15() {
        f.context.errors.record(error_code::beyond_grid, 88950, source_point{"line.txt", 9, 1}, "");
    }
    train_fixture f;
};

TEST_F(AfterLineCode15, ReadingStopsAfterTheFirstSignalOrSlowdownWithItsPosition) {
    f.read({"numero vetture, 6", "velocita' limite, 500, 100", "abbattimento, 500, 0",
            "stazione, 5000, 28, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X",
            "segnale, 2000, 1,4,1,0,0,0,0,0,0,0", "segnale, 3000, 1,4,1,0,0,0,0,0,0,0",
            "sabbia, 300"});
    EXPECT_EQ(f.entry(84).valore3, 6);
    EXPECT_EQ(f.cell(10).tipo, kind::abbattimento_senza_valore);
    EXPECT_EQ(f.entry(1).valore3, 5000);
    EXPECT_EQ(f.cell(41).tipo, kind::segnale);
    EXPECT_EQ(f.cell(61).tipo, kind::libera);
    EXPECT_EQ(f.entry(86).numero1, 0);
    EXPECT_EQ(f.codice(), 15);
    EXPECT_EQ(f.posizione(), 2000);
    EXPECT_FALSE(f.train_file_exists());
    // The file ends there: no tail follows the speed record.
    EXPECT_EQ(f.cell(10).extra4, 0);
    // The log ends with the final state, at the record that moved the position.
    const recorded_error& error = f.context.errors.errors().back();
    EXPECT_EQ(error.codice, 15);
    EXPECT_EQ(error.posizione, 2000);
    EXPECT_EQ(error.where.line, 6);
    EXPECT_EQ(
        error.detail,
        "the segnale record at 2000 m: reading stops after this record because error 15 is already "
        "set");
}

TEST_F(AfterLineCode15, ARefusedSlowdownReplacesTheCode) {
    f.cell(731).tipo = kind::segnale;
    f.read({"rallentamento, 36500, 80, 300, 0, 1, 80"});
    EXPECT_EQ(f.codice(), 18);
    EXPECT_EQ(f.posizione(), 36500);
    EXPECT_EQ(f.context.errors.errors().size(), 2U);
}

TEST(TrainReader, ErrorsPointAtTheRecordThatCausedThem) {
    train_fixture f;
    f.read({"", "- stazioni",
            "stazione,   1025,  2, 600,  0, 0, 1,   1,1,0,  4,1,1, 60, 13,32, 0, RIFREDI"});
    ASSERT_EQ(f.context.errors.errors().size(), 1U);
    const recorded_error& error = f.context.errors.errors().back();
    EXPECT_EQ(error.codice, 8);
    EXPECT_EQ(error.posizione, 1025);
    EXPECT_EQ(error.where.file, f.train_path());
    EXPECT_EQ(error.where.line, 4);
    EXPECT_EQ(error.where.column, 1);
    EXPECT_EQ(error.detail,
              "the stazione record at 1025 m: the position is not a multiple of 50 m");
}

}  // namespace
}  // namespace scenario
