// `diff` of two compiled scenarios, run as authors run it: the built-in scenario against
// itself and against copies whose sources were edited, the changes named as the sources
// name them, each with its old and new values.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
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

const std::string route = "Valdora_Rova";
const std::string train = "5284";
const std::string line_source = "Valdora_Rova_linea.txt";
const std::string train_source = "Valdora_Rova_5284-.txt";

// A folder with the built-in sources, edited and then compiled.
class scenario_folder {
  public:
    scenario_folder() {
        const program_result written = run_program({"sources", "--dir", folder_.string()});
        EXPECT_EQ(written.exit_status, 0) << written.standard_error;
    }

    // Replaces the one line of the source that starts with `line` (the text up to its CR).
    void replace_line(const std::string& source, const std::string& line,
                      const std::string& replacement) {
        std::string text = read_text_file(folder_.path() / source);
        const std::size_t at = text.find("\n" + line);
        ASSERT_NE(at, std::string::npos) << line;
        const std::size_t end = text.find('\r', at);
        text.replace(at + 1, end - at - 1, replacement);
        std::ofstream(folder_.path() / source, std::ios::binary) << text;
    }

    void compile(const std::vector<std::string>& more = {}) const {
        std::vector<std::string> args = {"compile", "--dir", folder_.string(), "--route", route,
                                         "--train", train};
        args.insert(args.end(), more.begin(), more.end());
        const program_result compiled = run_program(args);
        ASSERT_EQ(compiled.exit_status, 0) << compiled.standard_error;
    }

    std::string string() const { return folder_.string(); }
    std::filesystem::path file(const std::string& name) const { return folder_.path() / name; }

  private:
    temporary_folder folder_;
};

program_result diff(const std::vector<std::string>& args) {
    std::vector<std::string> command = {"diff"};
    command.insert(command.end(), args.begin(), args.end());
    return run_program(command);
}

json diff_json(const std::string& a, const std::string& b) {
    const program_result result = diff({a, b, "--route", route, "--train", train, "--json"});
    EXPECT_EQ(result.exit_status, 1) << result.standard_error;
    EXPECT_EQ(result.standard_error, "");
    json parsed = json::parse(result.standard_output, nullptr, /*allow_exceptions=*/false);
    EXPECT_FALSE(parsed.is_discarded()) << result.standard_output;
    return parsed;
}

TEST(DiffCommand, ScenarioAgainstItselfIsTheSameAndPrintsNothing) {
    scenario_folder a;
    a.compile();
    scenario_folder b;
    b.compile();
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{a.string(), b.string(), "--route", route, "--train", train},
          std::vector<std::string>{a.string(), b.string(), "--json"},
          std::vector<std::string>{a.file("Valdora_Rova_5284.sim").string(),
                                   b.file("Valdora_Rova_linea.dat").string()}}) {
        const program_result result = diff(args);
        EXPECT_EQ(result.exit_status, 0) << result.standard_error;
        EXPECT_EQ(result.standard_output, "");
        EXPECT_EQ(result.standard_error, "");
    }
}

// The four edits of an author: a signal moved by 200 m, a station added, a gradient and one
// curve's digit changed.
class FourEdits : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        before = new scenario_folder;
        before->compile();
        after = new scenario_folder;
        after->replace_line(train_source, "segnale,   4600,",
                            "segnale,   4800, 2, 4, 1, 0, 0,     2, 2, 1, 0, 0");
        after->replace_line(train_source, "stazione,  11950,",
                            "stazione,  11950, 28, 400,  0, 0, 0,   0,0,0,  0,0,0,  0,  0, 0, 0, "
                            "S.DONNINO\r\nstazione,  13850,  4, 400,  0, 0, 0,   1,1,0,  4,1,1, "
                            " 0, 13,45,30, LASTRA");
        after->replace_line(line_source, "pendenza  , 2000   , 4", "pendenza  , 2000   , 6");
        after->replace_line(line_source, "curvas2,   700,  100", "curvas3,   700,  100");
        after->compile();
    }
    static void TearDownTestSuite() {
        delete before;
        delete after;
    }

    static scenario_folder* before;
    static scenario_folder* after;
};

scenario_folder* FourEdits::before = nullptr;
scenario_folder* FourEdits::after = nullptr;

TEST_F(FourEdits, GiveExactlyThoseFourChangesWithOldAndNewValues) {
    const json changes = diff_json(before->string(), after->string());
    EXPECT_EQ(changes["same"], false);
    EXPECT_TRUE(changes["general"].empty());
    EXPECT_TRUE(changes["compiled_fields"].empty());
    ASSERT_EQ(changes["objects"].size(), 3u) << changes["objects"].dump(1);
    ASSERT_EQ(changes["series"].size(), 1u) << changes["series"].dump(1);

    const json& station = changes["objects"][0];
    EXPECT_EQ(station["change"], "added");
    EXPECT_EQ(station["category"], "station");
    EXPECT_TRUE(station["old"].is_null());
    EXPECT_EQ(station["new"]["nome"], "LASTRA");
    EXPECT_EQ(station["new"]["position_m"], 13850);
    EXPECT_EQ(station["new"]["tipo"], 4);
    EXPECT_EQ(station["new"]["lung"], 400);
    EXPECT_EQ(station["new"]["time"], "13:45:30");

    const json& signal = changes["objects"][1];
    EXPECT_EQ(signal["change"], "moved");
    EXPECT_EQ(signal["category"], "signal");
    EXPECT_EQ(signal["fields"], json::parse(R"([{"name":"position","key":"position",
        "old":{"position_m":4600,"cell":93},"new":{"position_m":4800,"cell":97}}])"));
    EXPECT_EQ(signal["old"]["s1"], 4);
    EXPECT_EQ(signal["new"]["s1"], 4);

    const json& curve = changes["objects"][2];
    EXPECT_EQ(curve["change"], "changed");
    EXPECT_EQ(curve["category"], "curve");
    EXPECT_EQ(curve["old"]["position_m"], 700);
    EXPECT_EQ(curve["fields"], json::parse(R"([
        {"name":"key","key":"key","old":"curvas2","new":"curvas3"},
        {"name":"radius","key":"radius","old":5000,"new":2500}])"));

    EXPECT_EQ(changes["series"][0], json::parse(R"({"series":"gradient","unit":"per mille",
        "from_m":2000,"to_m":2300,"first_cell":40,"last_cell":45,"old":4,"new":6})"));

    // The plan follows the curve: the lines part at the first metre of its arc.
    EXPECT_EQ(changes["plan"]["first_parting_metre"], 701);
    EXPECT_GT(changes["plan"]["largest_distance_m"].get<double>(), 100.0);
}

TEST_F(FourEdits, TextGivesOneLinePerChange) {
    const program_result result =
        diff({before->string(), after->string(), "--route", route, "--train", train});
    EXPECT_EQ(result.exit_status, 1) << result.standard_error;
    const std::string& text = result.standard_output;
    EXPECT_TRUE(
        text.starts_with("added station LASTRA at 13850 m: tipo 4, lung. 400 m, area from "
                         "13650 m, area to 14050 m, tps 0,\n"))
        << text;
    for (const char* line :
         {"\nmoved signal from 4600 m (cell 93) to 4800 m (cell 97)\n",
          "\nchanged curve 700 m: key curvas2 -> curvas3, radius 5000 m -> 2500 m\n",
          "\nchanged gradient at 2000 .. 2300 m (cells 40..45): 4 per mille -> 6 per mille\n",
          "\nplan: the two lines part at metre 701; the largest distance between them is "}) {
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    }
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7) << text;  // the station takes three
}

TEST(DiffCommand, GeneralValuesAreNamedAsTheSourcesNameThem) {
    scenario_folder a;
    a.compile();
    scenario_folder b;
    b.replace_line(train_source, "numero vetture", "numero vetture,    7");
    b.replace_line(line_source, "ripetizione segnali", "ripetizione segnali 9 codici, 4650, 79150");
    b.compile();
    const program_result result = diff({a.string(), b.string()});
    EXPECT_EQ(result.exit_status, 1) << result.standard_error;
    EXPECT_EQ(result.standard_output,
              "changed numero vetture 6 -> 7\nchanged ripetizione segnali codes 4 -> 9\n");
}

TEST(DiffCommand, ScenarioWithoutThePlanDiffersInThePlanOnly) {
    scenario_folder a;
    a.compile();
    scenario_folder b;
    b.compile({"--no-line"});
    std::filesystem::remove(b.file("Valdora_Rova_linea.dat"));
    const program_result result = diff({a.string(), b.string()});
    EXPECT_EQ(result.exit_status, 1) << result.standard_error;
    // The curves are read from the plan: without it there are none.
    EXPECT_NE(result.standard_output.find("removed curve 700 m: key curvas2, length 100 m, "
                                          "radius 5000 m\n"),
              std::string::npos);
    EXPECT_TRUE(result.standard_output.ends_with(
        "plan: only the first scenario has one; the other was compiled without the line\n"));
}

// Two grids that differ where the description looks at nothing (an approach code) are not
// the same: the fields of the compiled files say where they differ.
TEST(DiffCommand, CompiledFieldsThatNoChangeExplainsAreShown) {
    scenario_folder a;
    a.compile();
    scenario_folder b;
    b.compile();
    const std::filesystem::path grid = b.file("Valdora_Rova_5284.dat");
    std::string bytes = read_text_file(grid);
    bytes[19 * 15 + 10] = 0;  // cell 19 extra2, the approach code 31 of the first signal
    std::ofstream(grid, std::ios::binary) << bytes;
    const program_result result = diff({a.string(), b.string()});
    EXPECT_EQ(result.exit_status, 1) << result.standard_error;
    EXPECT_EQ(result.standard_output, "changed in the compiled files: cell 19 extra2 31 -> 0\n");
}

TEST(DiffCommand, TroubleEndsWithStatus2AndUsageWith64) {
    scenario_folder a;
    a.compile();
    temporary_folder empty;
    const program_result missing = diff({a.string(), empty.string() + "/nowhere"});
    EXPECT_EQ(missing.exit_status, 2);
    EXPECT_EQ(missing.standard_output, "");
    EXPECT_EQ(missing.standard_error,
              "scenario-builder diff: no compiled file or folder " + empty.string() + "/nowhere\n");

    const program_result nothing_compiled = diff({a.string(), empty.string()});
    EXPECT_EQ(nothing_compiled.exit_status, 2);
    EXPECT_EQ(nothing_compiled.standard_error,
              "scenario-builder diff: no compiled item file R_T.sim in " + empty.string() +
                  ": compile the scenario there first\n");

    const program_result one_side = diff({a.string()});
    EXPECT_EQ(one_side.exit_status, 64);
}

}  // namespace
}  // namespace scenario
