// The compile routine: what it writes, when it writes nothing, and the stamps.
#include "compiler/compile_routine.h"

#include <gtest/gtest.h>

#include <string>

#include "support/compile_test_support.h"

namespace scenario {
namespace {

using testing_support::compile;
using testing_support::compile_sources;
using testing_support::crlf_lines;
using testing_support::empty_train_source;
using testing_support::line_of_length;
using testing_support::line_source;
using testing_support::source_folder;

const std::string line_dat = "Valdora_Rova_linea.dat";
const std::string item_sim = "Valdora_Rova_5284.sim";
const std::string grid_dat = "Valdora_Rova_5284.dat";

// The little-endian value of the bytes at an offset of a file.
std::int64_t little_endian(const std::string& file, std::size_t offset, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = size; i-- > 0;) {
        value = value << 8 | static_cast<unsigned char>(file.at(offset + i));
    }
    return static_cast<std::int64_t>(value);
}

TEST(CompileRoutine, WritesTheThreeFilesWithStampsAndCodes) {
    source_folder folder;
    const auto result = compile_sources(folder, line_of_length(0, {"pendenza, 100, 2"}));
    EXPECT_EQ(result.outcome.how, compile_outcome::end::compiled);
    EXPECT_EQ(result.context.errors.codice_errore, 0);

    const std::string grid = folder.read(grid_dat);
    ASSERT_EQ(grid.size(), 141u * 15);
    EXPECT_EQ(little_endian(grid, 16, 2), 5121);
    EXPECT_EQ(little_endian(grid, 18, 2), 2515);
    EXPECT_EQ(grid[15 + 13], 100) << "cell 1 keeps its gradient";

    // Entries 0 to 84 are empty (34 bytes each); entry 85 holds the route identifier.
    const std::string items = folder.read(item_sim);
    ASSERT_EQ(items.size(), 87u * 34 + 12 + 4);
    const std::size_t entry_85 = std::size_t{85} * 34;
    EXPECT_EQ(items.substr(entry_85 + 16, 12), "Valdora_Rova");
    EXPECT_EQ(little_endian(items, entry_85 + 16 + 12, 2), 610);
    EXPECT_EQ(little_endian(items, entry_85 + 30 + 12, 4), 35495);

    // A 0 m line: 7001 rows per column, of which 2 integers, 6997 reals and 2 empty.
    EXPECT_EQ(folder.read(line_dat).size(), 2u * (2 * 4 + 6997 * 10 + 2 * 2));
    EXPECT_FALSE(std::filesystem::exists(folder.line_source_path()));
}

TEST(CompileRoutine, StartsWithAClearErrorCode) {
    source_folder folder;
    folder.write_line_source(line_of_length(0, {}));
    folder.write_train_source(testing_support::empty_train_source);
    compile_context context = folder.context();
    context.errors.codice_errore = 15;
    context.record.voci[85].numero1 = 610;  // left over from an earlier compile
    const compile_outcome outcome = memorizza_percorso(context, 1);
    EXPECT_EQ(outcome.how, compile_outcome::end::compiled);
    EXPECT_EQ(context.errors.codice_errore, 0);
}

TEST(CompileRoutine, ContextCompiledAgainShowsNothingOfItsLastCompile) {
    source_folder folder;
    folder.write_train_source(testing_support::general_values_train_source);
    compile_context context = folder.context();
    context.options.delete_sources = false;

    // A board on a taken cell (code 6 at 810 m) and a gradient out of order (a warning).
    folder.write_line_source(
        line_of_length(2000, {"pendenza, 500, 1", "pendenza, 400, 2",
                              "cartello indicatore, 800, (a)", "cartello indicatore, 810, (b)"}));
    ASSERT_EQ(memorizza_percorso(context, 1).how, compile_outcome::end::compiled);
    ASSERT_EQ(context.errors.codice_errore, 6);
    ASSERT_EQ(context.errors.posizione_errore, 810);
    ASSERT_FALSE(context.errors.warnings().empty());

    folder.write_line_source(line_of_length(2000, {"pendenza, 500, 1"}));
    EXPECT_EQ(memorizza_percorso(context, 1).how, compile_outcome::end::compiled);
    EXPECT_EQ(context.errors.codice_errore, 0);
    EXPECT_EQ(context.errors.posizione_errore, 0);
    EXPECT_TRUE(context.errors.errors().empty());
    EXPECT_TRUE(context.errors.warnings().empty());
    const source_text* text = context.sources.find(folder.line_source_path().string());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->line(4), "pendenza, 500, 1") << "the text of this compile, not the last";
}

TEST(CompileRoutine, DataErrorAfterTheGridStillWritesTheFiles) {
    source_folder folder;
    const auto result = compile_sources(
        folder,
        line_of_length(2000, {"cartello indicatore, 800, (a)", "cartello indicatore, 810, (b)"}));
    EXPECT_EQ(result.outcome.how, compile_outcome::end::compiled);
    EXPECT_EQ(result.context.errors.codice_errore, 6);
    EXPECT_EQ(result.context.errors.posizione_errore, 810);
    EXPECT_TRUE(folder.holds(line_dat));
    EXPECT_TRUE(folder.holds(item_sim));
    EXPECT_EQ(folder.read(grid_dat)[std::size_t{17} * 15], kind::cartello_indicatore);
}

struct no_grid_case {
    const char* name;
    std::string line_text;  // empty: no line file
    std::string error;
};

class NoGrid : public testing::TestWithParam<no_grid_case> {};

TEST_P(NoGrid, ReadingThatEndsBeforeTheGridWritesNothing) {
    const no_grid_case& c = GetParam();
    source_folder folder;
    if (!c.line_text.empty()) {
        folder.write_line_source(c.line_text);
    }
    folder.write_train_source(testing_support::empty_train_source);
    const auto result = compile(folder);
    EXPECT_EQ(result.outcome.how, compile_outcome::end::no_grid);
    EXPECT_EQ(result.outcome.message, "the line file " + folder.line_source_path().string() +
                                          " gives no cell grid (" + c.error + ")");
    for (const std::string& name : {line_dat, item_sim, grid_dat}) {
        EXPECT_FALSE(folder.holds(name)) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Codes, NoGrid,
    testing::Values(
        no_grid_case{"MissingFile", "", "error 101: the line file does not exist"},
        no_grid_case{"NoHeader", crlf_lines({"lunghezza percorso, 0", "x"}),
                     "error 102: the line file has no \"[generale]\" header: nothing in it can be "
                     "read; write the line \"[generale]\" before the settings"},
        no_grid_case{"TooLong", line_source({"lunghezza percorso, 1000050"}, {}),
                     "error 1: lunghezza percorso is 1000050 m: the longest line that can be "
                     "compiled is 1000000 m"},
        no_grid_case{"CabErrorBeforeTheLength",
                     line_source({"ripetizione segnali, 50, 100", "lunghezza percorso, 0"}, {}),
                     "error 5: the key \"ripetizione segnali\" gives no code count: write 4 or 9 "
                     "in it"},
        no_grid_case{"NoLength", line_source({"sfondo uno, 1"}, {}),
                     "error 25: the line file has no \"lunghezza percorso\" setting before its "
                     "records: the cell grid cannot be sized"}),
    [](const auto& info) { return std::string(info.param.name); });

struct stamp_case {
    const char* name;
    std::string record_at_0;
    std::string fatal_code;  // empty: the compile goes through
};

class Stamps : public testing::TestWithParam<stamp_case> {};

TEST_P(Stamps, ObjectDataInAStampSlotEndsTheBuildBeforeAnythingIsWritten) {
    const stamp_case& c = GetParam();
    source_folder folder;
    for (const std::string& name : {line_dat, item_sim, grid_dat}) {
        folder.write(name, "earlier run");
    }
    const auto result = compile_sources(folder, line_of_length(0, {c.record_at_0}));
    if (c.fatal_code.empty()) {
        EXPECT_EQ(result.outcome.how, compile_outcome::end::compiled);
        const std::string grid = folder.read(grid_dat);
        EXPECT_EQ(grid[15], kind::indicatore_v_max);
        EXPECT_EQ(little_endian(grid, 16, 2), 5121);
        EXPECT_EQ(little_endian(grid, 18, 2), 2515);
        return;
    }
    EXPECT_EQ(result.outcome.how, compile_outcome::end::stamp_in_use);
    EXPECT_EQ(result.outcome.fatal_code, c.fatal_code);
    for (const std::string& name : {line_dat, item_sim, grid_dat}) {
        EXPECT_EQ(folder.read(name), "earlier run") << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Slots, Stamps,
    testing::Values(
        stamp_case{"IndicatorBoardInCell1Is1250", "cartello indicatore, 0, (x)", "1250"},
        stamp_case{"SpeedInDato1Is1250", "indicatori_vmax, 0, 100, 0, 0, 0, 0, 0, 0, 0", "1250"},
        stamp_case{"SpeedInDato2Is1251", "indicatori_vmax, 0, 0, 100, 0, 0, 0, 0, 0, 0", "1251"},
        stamp_case{"ObjectWithEmptySlotsIsStampedOver",
                   "indicatori_vmax, 0, 0, 0, 7, 0, 0, 0, 0, 0", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CompileRoutine, WithoutTheLineNoLineFileIsWrittenAndAnOldOneStays) {
    source_folder folder;
    folder.write(line_dat, "earlier run");
    const auto result = compile_sources(folder, line_of_length(0, {"curvas, 1, 1"}), 0);
    EXPECT_EQ(result.outcome.how, compile_outcome::end::compiled);
    EXPECT_EQ(folder.read(line_dat), "earlier run");
    EXPECT_EQ(folder.read(grid_dat).size(), 141u * 15);
    EXPECT_TRUE(folder.holds(item_sim));
}

TEST(CompileRoutine, FileThatCannotBeWrittenEndsTheCompileAndKeepsTheFilesBeforeIt) {
    source_folder folder;
    std::filesystem::create_directory(folder.file(grid_dat));
    const auto result = compile_sources(folder, line_of_length(0, {}));
    EXPECT_EQ(result.outcome.how, compile_outcome::end::write_failed);
    EXPECT_NE(result.outcome.message.find(folder.file(grid_dat).string()), std::string::npos)
        << result.outcome.message;
    EXPECT_TRUE(folder.holds(line_dat));
    EXPECT_TRUE(folder.holds(item_sim));
}

// A station off the cells and the hundreds, and later a signal on a signal: the compile stops at
// the first error; the scan finds the other two beyond it.
const std::string train_with_three_errors =
    crlf_lines({"[generale]", "velocita' limite, 0, 100", "aderenza, 0, 100",
                "stazione, 1025, 2, 450, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, A",
                "segnale, 1000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0",
                "segnale, 1000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0", "[fine]"});

TEST(ScanBeyondCompiledPart, FindsTheMistakesPastTheStopAndChangesNothingCompiled) {
    source_folder folder;
    folder.write_line_source(line_of_length(5000, {}));
    folder.write_train_source(train_with_three_errors);
    auto result = compile(folder);
    compile_context& context = result.context;
    ASSERT_EQ(context.errors.codice_errore, error_code::station_position_off_cell.codice);
    const std::int32_t posizione = context.errors.posizione_errore;
    const std::size_t errors = context.errors.errors().size();
    const std::vector<cella> cells = context.record.celle;

    // The sources are gone (the built-in build deletes them): the scan reads the texts that
    // the compile read.
    ASSERT_FALSE(folder.holds(line_source_name(builtin_identity())));
    scan_beyond_compiled_part(context);
    EXPECT_EQ(context.errors.codice_errore, error_code::station_position_off_cell.codice);
    EXPECT_EQ(context.errors.posizione_errore, posizione);
    EXPECT_EQ(context.errors.errors().size(), errors);
    EXPECT_EQ(context.record.celle, cells);
    ASSERT_EQ(context.errors.errors_beyond().size(), 2u);
    const recorded_error& length = context.errors.errors_beyond()[0];
    EXPECT_EQ(length.codice, error_code::station_length_off_100.codice);
    EXPECT_EQ(length.where.line, 4);
    EXPECT_TRUE(length.beyond_compiled_part);
    const recorded_error& signal = context.errors.errors_beyond()[1];
    EXPECT_EQ(signal.codice, error_code::signal_cell_taken.codice);
    EXPECT_EQ(signal.where.line, 6);
}

TEST(ScanBeyondCompiledPart, ReadsTheTrainFileThatALineErrorLeftUnread) {
    source_folder folder;
    folder.write_line_source(
        line_of_length(5000, {"cartello indicatore, 800, (x)", "cartello indicatore, 800, (y)"}));
    folder.write_train_source(crlf_lines({"[generale]", "stazoine, 0, 8", "[fine]"}));
    auto result = compile(folder);
    ASSERT_EQ(result.context.errors.codice_errore, error_code::indicator_board_cell_taken.codice);
    scan_beyond_compiled_part(result.context);
    // The misspelt key, and the train file that therefore yields no record.
    ASSERT_EQ(result.context.errors.warnings_beyond().size(), 2u);
    EXPECT_NE(result.context.errors.warnings_beyond()[0].message.find("did you mean `stazione`?"),
              std::string::npos);
    EXPECT_EQ(result.context.errors.warnings_beyond()[1].code, warning_code::no_train_records.code);
}

TEST(ScanBeyondCompiledPart, HasNothingToDoAfterACompileThatReadBothFilesWhole) {
    source_folder folder;
    folder.write_line_source(line_of_length(5000, {"pendenza, 300, 160"}));
    folder.write_train_source(testing_support::general_values_train_source);
    auto result = compile(folder);
    ASSERT_EQ(result.context.errors.warnings().size(), 1u);
    scan_beyond_compiled_part(result.context);
    EXPECT_TRUE(result.context.errors.errors_beyond().empty());
    EXPECT_TRUE(result.context.errors.warnings_beyond().empty());
}

// Every object placed on the grid and every station keeps the record that placed it, with its
// line and its position as written.
TEST(RecordOrigins, NameTheRecordThatPlacedEachObject) {
    source_folder folder;
    folder.write_line_source(line_of_length(5000, {"cartello indicatore, 800, (x)"}));
    folder.write_train_source(
        crlf_lines({"[generale]", "velocita' limite, 0, 100", "aderenza, 0, 100",
                    "stazione, 1000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, A",
                    "segnale, 3000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0", "[fine]"}));
    const auto result = compile(folder);
    ASSERT_EQ(result.context.errors.codice_errore, 0);
    const record_origins& origins = result.context.origins;
    const record_origin& board = origins.cell(17);
    EXPECT_EQ(board.file, source_file::line);
    EXPECT_EQ(board.line, 4);
    EXPECT_EQ(record_origins::name_of(board), "the cartello indicatore record at 800 m");
    const record_origin& signal = origins.cell(61);
    EXPECT_EQ(signal.file, source_file::train);
    EXPECT_EQ(signal.line, 5);
    EXPECT_EQ(origins.point_of(signal).file, folder.train_source_path().string());
    EXPECT_EQ(record_origins::name_of(origins.entry(1)), "the stazione record at 1000 m");
    EXPECT_EQ(record_origins::name_of(origins.entry(80)),
              "the cartello indicatore record at 800 m");
    EXPECT_FALSE(origins.cell(30).known());
}

}  // namespace
}  // namespace scenario
