// `inspect --timetable`: every station with the fastest run from the last timetabled station
// under the bound and the braking run, and the margins; the summary notes a time kept with
// less than a minute to spare.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/author_folder.h"
#include "support/mistake_scenario.h"
#include "support/program_run.h"

namespace scenario {
namespace {

using nlohmann::json;
using testing_support::author_folder;
using testing_support::changed;
using testing_support::clean_line_lines;
using testing_support::clean_train_lines;
using testing_support::program_result;
using testing_support::run_program;

const std::string item_file = std::string(SCENARIO_TEST_DATA_DIR) + "/Valdora_Rova_5284.sim";

json timetable_json(std::vector<std::string> args) {
    args.insert(args.begin(), {"inspect", "--timetable", "--json"});
    const program_result result = run_program(args);
    EXPECT_EQ(result.exit_status, 0) << result.standard_error;
    json parsed = json::parse(result.standard_output, nullptr, /*allow_exceptions=*/false);
    EXPECT_FALSE(parsed.is_discarded()) << result.standard_output.substr(0, 500);
    return parsed;
}

TEST(InspectTimetable, BuiltinStationsWithBothRunsAndTheirMargins) {
    const json timetable = timetable_json({item_file});
    ASSERT_EQ(timetable["stations"].size(), 16u);
    EXPECT_EQ(timetable["start_clock"], "13:24:40");
    EXPECT_EQ(timetable["rates"]["acceleration_m_s2"], 0.3);
    EXPECT_EQ(timetable["rates"]["braking_m_s2"], 0.5);
    const json& first = timetable["stations"][0];
    EXPECT_EQ(first["scheduled"], "13:25:00");
    EXPECT_TRUE(first["bound_s"].is_null());
    // To VALDORA RIFREDI: 500 m at 30 km/h, then 2250 m at 115 km/h.
    const json& rifredi = timetable["stations"][1];
    EXPECT_EQ(rifredi["position_m"], 2750);
    EXPECT_NEAR(rifredi["bound_s"].get<double>(), 500 / (30 / 3.6) + 2250 / (115 / 3.6), 0.1);
    EXPECT_NEAR(rifredi["bound_margin_s"].get<double>(), 420 - rifredi["bound_s"].get<double>(),
                0.1);
    std::vector<std::string> timed;
    double previous = -1;
    for (const json& station : timetable["stations"]) {
        EXPECT_GE(station["progressive_m"].get<int>(), previous);
        previous = station["progressive_m"].get<int>();
        if (station["bound_s"].is_null()) {
            continue;
        }
        EXPECT_GT(station["braking_s"].get<double>(), station["bound_s"].get<double>())
            << station["nome"];
        if (!station["scheduled"].is_null()) {
            timed.push_back(station["scheduled"]);
            // The built-in timetable can be kept under both models.
            EXPECT_GT(station["braking_margin_s"].get<double>(), 60) << station["nome"];
        }
    }
    EXPECT_EQ(timed, (std::vector<std::string>{"13:32:00", "13:57:00", "14:15:00", "14:29:00"}));
}

TEST(InspectTimetable, RatesSetTheBrakingRunAndTheTextTellsThem) {
    const json slow = timetable_json({item_file, "--acceleration", "0.1", "--braking", "0.2"});
    const json fast = timetable_json({item_file, "--acceleration", "1", "--braking", "1"});
    EXPECT_GT(slow["stations"][7]["braking_s"].get<double>(),
              fast["stations"][7]["braking_s"].get<double>() + 60);
    EXPECT_EQ(slow["stations"][7]["bound_s"], fast["stations"][7]["bound_s"]);

    const program_result text =
        run_program({"inspect", item_file, "--timetable", "--braking", "0.7"});
    EXPECT_EQ(text.exit_status, 0);
    EXPECT_NE(text.standard_output.find("accelerating at 0.30 m/s2 and braking at 0.70 m/s2"),
              std::string::npos);
    EXPECT_NE(
        text.standard_output.find("  EMPOLI                     33800 m    33.800   13:57:00"),
        std::string::npos);
    EXPECT_NE(run_program({"inspect", item_file, "--timetable", "--braking", "0"}).exit_status, 0);
    EXPECT_NE(run_program({"inspect", item_file, "--braking", "0.5"}).exit_status, 0);
}

TEST(InspectTimetable, SummaryNotesATimeKeptWithLessThanAMinuteToSpare) {
    // 4500 m take 3 min 18 s; 8:18:30 leaves 12 s.
    author_folder folder;
    folder.write_sources(
        clean_line_lines(),
        changed(
            clean_train_lines(),
            {{13, {"stazione,   4500,  2, 600,  0, 0, 1,   1,1,0,  4,1,1, 60,  8,18,30, PORTO"}}}));
    const program_result compiled = folder.compile();
    EXPECT_EQ(compiled.exit_status, 0);
    EXPECT_EQ(compiled.standard_error.find("warning"), std::string::npos)
        << compiled.standard_error;
    const program_result summary = run_program(
        {"inspect", "--dir", folder.string(), "--route", "R", "--train", "T", "--summary"});
    EXPECT_NE(summary.standard_output.find(
                  "note: station at 4500 m (PORTO): its time 08:18:30 leaves 12 s over the "
                  "fastest run, less than a minute to spare"),
              std::string::npos)
        << summary.standard_output;
    const program_result summary_json = run_program({"inspect", "--dir", folder.string(), "--route",
                                                     "R", "--train", "T", "--summary", "--json"});
    const json parsed = json::parse(summary_json.standard_output);
    ASSERT_EQ(parsed["timetable_notes"].size(), 1u);

    const program_result builtin = run_program({"inspect", item_file, "--summary"});
    EXPECT_EQ(builtin.standard_output.find("note: "), std::string::npos);
}

}  // namespace
}  // namespace scenario
