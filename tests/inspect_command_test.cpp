// `inspect` on the built-in compiled files, as authors run it: JSON that parses back with
// the record's field names, cell ranges, the grid as a table, and clear refusals of files
// that do not fit their layout. The summary is inspect_summary_test.cpp.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "support/program_run.h"

namespace scenario {
namespace {

using nlohmann::json;
using testing_support::program_result;
using testing_support::read_text_file;
using testing_support::run_program;
using testing_support::temporary_folder;

std::string data_file(const std::string& name) {
    return std::string(SCENARIO_TEST_DATA_DIR) + "/" + name;
}

const std::string item_file = data_file("Valdora_Rova_5284.sim");
const std::string grid_file = data_file("Valdora_Rova_5284.dat");
const std::string line_file = data_file("Valdora_Rova_linea.dat");

// Runs inspect and parses its output; a failure to parse fails the test.
json inspect_json(const std::vector<std::string>& args) {
    std::vector<std::string> command = {"inspect"};
    command.insert(command.end(), args.begin(), args.end());
    const program_result result = run_program(command);
    EXPECT_EQ(result.exit_status, 0) << result.standard_error;
    EXPECT_EQ(result.standard_error, "");
    json parsed = json::parse(result.standard_output, nullptr, /*allow_exceptions=*/false);
    EXPECT_FALSE(parsed.is_discarded()) << result.standard_output.substr(0, 500);
    return parsed;
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(InspectCommand, Cell21HoldsTheBuiltinSignal) {
    const json grid = inspect_json({grid_file, "--cells", "21..21"});
    ASSERT_EQ(grid["celle"].size(), 1u);
    EXPECT_EQ(grid["celle"][0], json::parse(R"({"cella":21,"tipo":1,"dato1":40,"dato2":10,
        "dato3":0,"dato4":3,"extra1":0,"extra2":0,"extra3":0,"extra4":23,"extra5":100,
        "extra6":100})"));
}

TEST(InspectCommand, Entry1IsTheFirstStation) {
    const json items = inspect_json({item_file});
    ASSERT_EQ(items["voci"].size(), 87u);
    EXPECT_EQ(items["voci"][1], json::parse(R"({"voce":1,"tipo":8,"valore1":-400,
        "valore2":400,"valore3":0,"stato":1,"testo":"VALDORA S.M.N.","numero1":4,"numero2":0,
        "numero3":2,"numero4":1,"numero5":0,"extra1":0,"extra2":1,"extra3":0,"extra4":0,
        "valore4":48300})"));
    EXPECT_EQ(items["voci"][85]["testo"], "Valdora_Rova");
    EXPECT_EQ(items["voci"][85]["numero1"], 610);
}

TEST(InspectCommand, WholeGridAndPlanCarryEveryCellAndRowWithItsTags) {
    const json grid = inspect_json({grid_file});
    EXPECT_EQ(grid["ultima_cella"], 1780);
    ASSERT_EQ(grid["celle"].size(), 1781u);
    EXPECT_EQ(grid["celle"][1]["dato1"], 5121);

    const json line = inspect_json({line_file});
    EXPECT_EQ(line["limite_profilo"], 89000);
    ASSERT_EQ(line["profilo"].size(), 89001u);
    EXPECT_EQ(line["profilo"][1], json::parse(R"({"riga":1,"x":{"tag":2,"value":0},
        "y":{"tag":2,"value":1}})"));
    EXPECT_EQ(line["profilo"][701]["x"]["tag"], 5);
    EXPECT_DOUBLE_EQ(line["profilo"][701]["x"]["value"].get<double>(), -0.0002);
    EXPECT_EQ(line["profilo"][89000], json::parse(R"({"riga":89000,"x":{"tag":0,"value":null},
        "y":{"tag":0,"value":null}})"));
}

TEST(InspectCommand, KindOptionOverridesTheName) {
    temporary_folder folder;
    const std::filesystem::path copy = folder.path() / "grid.bin";
    std::filesystem::copy_file(grid_file, copy);
    const json grid = inspect_json({copy.string(), "--kind", "grid", "--cells", "1..1"});
    EXPECT_EQ(grid["celle"][0]["dato2"], 2515);
}

struct range_case {
    const char* name;
    std::string cells;
    int first;
    int last;
};

class CellRanges : public testing::TestWithParam<range_case> {};

TEST_P(CellRanges, ShowTheCellsAskedForUpToTheLast) {
    const range_case& c = GetParam();
    const json grid = inspect_json({grid_file, "--cells", c.cells});
    ASSERT_EQ(grid["celle"].size(), static_cast<std::size_t>(c.last - c.first + 1));
    EXPECT_EQ(grid["celle"].front()["cella"], c.first);
    EXPECT_EQ(grid["celle"].back()["cella"], c.last);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, CellRanges,
    testing::Values(range_case{"Closed", "700..740", 700, 740},
                    range_case{"FromTheStart", "..3", 0, 3},
                    range_case{"ToTheEnd", "1779..", 1779, 1780},
                    range_case{"PastTheEndStopsAtTheLastCell", "1770..99999", 1770, 1780},
                    range_case{"LastCellAlone", "1780..1780", 1780, 1780}),
    [](const testing::TestParamInfo<range_case>& info) { return std::string(info.param.name); });

struct refusal_case {
    const char* name;
    std::vector<std::string> args;
    int exit_status;
    std::string message;  // the start of standard error
};

class Refusals : public testing::TestWithParam<refusal_case> {};

TEST_P(Refusals, GetAClearMessageAndNoOutput) {
    const refusal_case& c = GetParam();
    std::vector<std::string> command = {"inspect"};
    command.insert(command.end(), c.args.begin(), c.args.end());
    const program_result result = run_program(command);
    EXPECT_EQ(result.exit_status, c.exit_status);
    EXPECT_EQ(result.standard_output, "");
    EXPECT_TRUE(result.standard_error.starts_with(c.message)) << result.standard_error;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, Refusals,
    testing::Values(
        refusal_case{"RangeBeyondTheGrid",
                     {grid_file, "--cells", "1781..1790"},
                     2,
                     "scenario-builder inspect: --cells 1781..1790: the grid has cells 0 to 1780, "
                     "none from cell 1781"},
        refusal_case{"RangeBackwards",
                     {grid_file, "--cells", "30..20"},
                     64,
                     "scenario-builder inspect: --cells 30..20: give A..B with whole numbers A "
                     "<= B"},
        refusal_case{"RangeNotNumbers",
                     {grid_file, "--cells", "a..b"},
                     64,
                     "scenario-builder inspect: --cells a..b"},
        refusal_case{"NegativeRange",
                     {grid_file, "--cells", "-5..5"},
                     64,
                     "scenario-builder inspect: --cells -5..5"},
        refusal_case{"CellsOfAnItemFile",
                     {item_file, "--cells", "1..2"},
                     64,
                     "scenario-builder inspect: --cells and --km apply to a grid or line file, or "
                     "to a summary"},
        refusal_case{"CsvOfAPlan",
                     {line_file, "--csv"},
                     64,
                     "scenario-builder inspect: --csv applies to a grid file only"},
        refusal_case{"CellsOfAPlan",
                     {line_file, "--cells", "1..2"},
                     64,
                     "scenario-builder inspect: --cells applies to a grid file: give --km for "
                     "rows of the plan"},
        refusal_case{"NameThatTellsNoKind",
                     {data_file("Valdora_Rova_linea.txt")},
                     64,
                     "scenario-builder inspect: cannot tell the kind of "},
        refusal_case{
            "MissingFile", {data_file("nothing.dat")}, 2, "scenario-builder inspect: cannot read "},
        refusal_case{"GridReadAsItems",
                     {grid_file, "--kind", "items"},
                     2,
                     "scenario-builder inspect: " + grid_file +
                         ": not a compiled item file: the layout stops fitting at byte 25888"},
        refusal_case{"ItemsReadAsGrid",
                     {item_file, "--kind", "grid"},
                     2,
                     "scenario-builder inspect: " + item_file +
                         ": not a compiled grid file: its size, 3192 bytes, is not a whole "
                         "number of 15-byte cells"},
        refusal_case{"TextReadAsPlan",
                     {data_file("Valdora_Rova_linea.txt"), "--kind", "line"},
                     2,
                     "scenario-builder inspect: " + data_file("Valdora_Rova_linea.txt") +
                         ": not a compiled line file: the layout stops fitting at byte 0"}),
    [](const testing::TestParamInfo<refusal_case>& info) { return std::string(info.param.name); });

TEST(InspectCommand, FileLargerThanAnyCompiledFileIsRefusedUnread) {
    temporary_folder folder;
    const std::filesystem::path big = folder.path() / "big.dat";
    std::ofstream(big, std::ios::binary).close();
    std::filesystem::resize_file(big, (64u << 20) + 15);
    const program_result result = run_program({"inspect", big.string()});
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.standard_error,
              "scenario-builder inspect: cannot read " + big.string() + ": it is " +
                  std::to_string((64u << 20) + 15) +
                  " bytes, more than a compiled file can hold (at most 67108864 bytes)\n");
}

TEST(InspectCommand, CsvHasOneRowPerCellWithPositionSeriesAndObject) {
    const program_result result = run_program({"inspect", grid_file, "--csv"});
    ASSERT_EQ(result.exit_status, 0);
    const std::vector<std::string> lines = lines_of(result.standard_output);
    ASSERT_EQ(lines.size(), 1782u);
    EXPECT_EQ(lines[0],
              "cell,position_m,gradient_per_mille,speed_limit_kmh,adherence,mountain_side,"
              "approach_code,object");
    EXPECT_EQ(lines[1 + 19], "19,950,0,115,100,0,31,\"\"");
    EXPECT_EQ(lines[1 + 17],
              "17,850,0,115,100,0,32,\"maximum-speed board: vas 105, vbs 115, vcs 120, strisces 0, "
              "vad 0, vbd 0, vcd 0, strisced 0\"");
    EXPECT_EQ(lines[1 + 21],
              "21,1050,0,115,100,0,0,\"signal: sx 1, s1 4, s2 1, s3 0, rapp 0, dx 0, "
              "d1 0, d2 0, d3 0, tempo 0\"");
    EXPECT_EQ(lines[1 + 707],
              "707,35350,0,160,100,0,0,\"slowdown warning board: 80 km/h, value 80, flag 0\"");

    const program_result range = run_program({"inspect", grid_file, "--csv", "--cells", "6..7"});
    EXPECT_EQ(range.standard_output,
              lines[0] +
                  "\n6,300,4,30,100,0,81,\"\"\n7,350,4,30,100,0,0,\"station end: station in "
                  "entry 1\"\n");
}

// The readers fill the series up to the third cell from the end: the last three cells hold
// no gradient, no speed limit and no adherence, not -100 per mille and 0 km/h.
TEST(InspectCommand, CsvLeavesTheSeriesEmptyInTheLastThreeCells) {
    const program_result result = run_program({"inspect", grid_file, "--csv", "--cells", "1777.."});
    ASSERT_EQ(result.exit_status, 0);
    const std::vector<std::string> lines = lines_of(result.standard_output);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): one line of the table
                         "cell,position_m,gradient_per_mille,speed_limit_kmh,adherence,"
                         "mountain_side,approach_code,object",
                         "1777,88850,0,130,100,0,0,\"\"", "1778,88900,,,,0,0,\"\"",
                         "1779,88950,,,,0,0,\"\"", "1780,89000,,,,0,0,\"\""}));
}

}  // namespace
}  // namespace scenario
