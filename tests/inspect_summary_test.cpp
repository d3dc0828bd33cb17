// `inspect --summary` of the built-in scenario, checked against what the built-in sources
// write: every station, signal, slowdown, board, series step, stretch and arc at the
// position its record gives, with its values under the record's names. The JSON is parsed
// back; the text is checked where its wording matters.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "source/builtin_line.h"
#include "source/builtin_train.h"
#include "support/author_folder.h"
#include "support/builtin_records.h"
#include "support/mistake_scenario.h"
#include "support/program_run.h"

namespace scenario {
namespace {

using nlohmann::json;
using testing_support::program_result;
using testing_support::records_of;
using testing_support::run_program;
using testing_support::source_record;
using testing_support::temporary_folder;

const std::string data_folder = SCENARIO_TEST_DATA_DIR;
const std::string item_file = data_folder + "/Valdora_Rova_5284.sim";
const std::string grid_file = data_folder + "/Valdora_Rova_5284.dat";
const std::string line_file = data_folder + "/Valdora_Rova_linea.dat";

json summary_json(std::vector<std::string> args) {
    args.insert(args.begin(), "inspect");
    args.push_back("--summary");
    args.push_back("--json");
    const program_result result = run_program(args);
    EXPECT_EQ(result.exit_status, 0) << result.standard_error;
    EXPECT_EQ(result.standard_error, "");
    json parsed = json::parse(result.standard_output, nullptr, /*allow_exceptions=*/false);
    EXPECT_FALSE(parsed.is_discarded()) << result.standard_output.substr(0, 500);
    return parsed;
}

const json& builtin_summary() {
    static const json summary = summary_json({item_file});
    return summary;
}

// nearest(x), halves to even, as the compiler rounds.
std::int64_t nearest(double x) {
    return static_cast<std::int64_t>(std::nearbyint(x));
}

std::int64_t point_cell(std::int32_t p) {
    return nearest(p / 50.0 + 1);
}

std::int64_t start_cell(std::int32_t p) {
    return nearest(p / 50.0);
}

TEST(InspectSummary, ListsTheSixteenStationsAsTheTrainFileWritesThem) {
    const std::vector<source_record> records =
        records_of(builtin_train_table(), "stazione", 16, true);
    const json& stations = builtin_summary()["stations"];
    ASSERT_EQ(records.size(), 16u);
    ASSERT_EQ(stations.size(), records.size());
    const char* const columns[] = {"position_m",
                                   "tipo",
                                   "lung",
                                   "tps",
                                   "tab",
                                   "mar",
                                   "first_group_d2",
                                   "first_group_d3",
                                   "rap",
                                   "second_group_d1",
                                   "second_group_d2",
                                   "second_group_d3",
                                   "ac"};
    for (std::size_t k = 0; k < records.size(); ++k) {
        const source_record& record = records[k];
        const json& station = stations[k];
        EXPECT_EQ(station["nome"], record.text);
        for (std::size_t c = 0; c < std::size(columns); ++c) {
            EXPECT_EQ(station[columns[c]], record.numbers[c]) << record.text << " " << columns[c];
        }
        const std::int32_t seconds =
            (record.numbers[13] * 60 + record.numbers[14]) * 60 + record.numbers[15];
        if (seconds == 0) {
            EXPECT_TRUE(station["time"].is_null()) << record.text;
        } else {
            char clock[16];
            std::snprintf(clock, sizeof clock, "%02d:%02d:%02d", record.numbers[13],
                          record.numbers[14], record.numbers[15]);
            EXPECT_EQ(station["time"], clock) << record.text;
        }
        // Types from 25 on get no end cell.
        EXPECT_EQ(station["end"].is_null(), record.numbers[1] >= 25) << record.text;
    }
}

TEST(InspectSummary, ListsEverySignalAtItsPositionWithEachFieldDecoded) {
    const std::vector<source_record> records = records_of(builtin_train_table(), "segnale", 11);
    const json& signals = builtin_summary()["signals"];
    ASSERT_EQ(records.size(), 42u);
    ASSERT_EQ(signals.size(), records.size());
    const char* const names[] = {"sx", "s1", "s2", "s3", "rapp", "dx", "d1", "d2", "d3"};
    for (std::size_t k = 0; k < records.size(); ++k) {
        const std::vector<std::int32_t>& n = records[k].numbers;
        const json& signal = signals[k];
        EXPECT_EQ(signal["position_m"], n[0]);
        EXPECT_EQ(signal["cell"], point_cell(n[0]));
        for (std::size_t f = 0; f < std::size(names); ++f) {
            EXPECT_EQ(signal[names[f]], n[f + 1]) << n[0] << " " << names[f];
        }
        EXPECT_EQ(signal["tempo"], n[1] == 2 ? n[10] : 0) << n[0];
    }
}

TEST(InspectSummary, ListsBothSlowdownsWithTheirWarningBoardsAndPoints) {
    const std::vector<source_record> records =
        records_of(builtin_train_table(), "rallentamento", 6);
    const json& slowdowns = builtin_summary()["slowdowns"];
    ASSERT_EQ(records.size(), 2u);
    ASSERT_EQ(slowdowns.size(), records.size());
    for (std::size_t k = 0; k < records.size(); ++k) {
        const std::vector<std::int32_t>& n = records[k].numbers;  // x, v, l, f_tt, f_ta, d_v
        const json& slowdown = slowdowns[k];
        EXPECT_EQ(slowdown["position_m"], n[0]);
        EXPECT_EQ(slowdown["cell"], point_cell(n[0]));
        EXPECT_EQ(slowdown["v"], n[1]);
        EXPECT_EQ(slowdown["l"], n[2]);
        EXPECT_EQ(slowdown["end"]["position_m"], n[0] + n[2]);
        EXPECT_EQ(slowdown["f_tt"], n[3]);
        EXPECT_EQ(slowdown["f_ta"], n[4]);
        EXPECT_EQ(slowdown["d_v"], n[5]);
        EXPECT_EQ(slowdown["warning_board"]["position_m"], n[0] - 1200);
        EXPECT_EQ(slowdown["warning_board"]["cell"], point_cell(n[0] - 1200));
        // One point in each of the three windows ahead of the start, none inside: both are
        // faster than 110 km/h or shorter than 400 m.
        ASSERT_EQ(slowdown["points"].size(), 3u);
        for (const json& point : slowdown["points"]) {
            EXPECT_EQ(point["value"], 180);
            EXPECT_LT(point["cell"].get<std::int64_t>(), point_cell(n[0]));
            EXPECT_GE(point["cell"].get<std::int64_t>(), point_cell(n[0]) - 20);
        }
    }
    EXPECT_TRUE(builtin_summary()["abbattimento_points"].empty());
    EXPECT_TRUE(builtin_summary()["other_objects"].empty());
}

// An author's scenario with an "abbattimento" point without a value ahead of a slowdown, and
// a slowdown that begins inside another: each record stands under its own kind, once.
TEST(InspectSummary, ListsEveryRecordOfTheAuthorUnderItsOwnKindOnce) {
    testing_support::author_folder folder;
    folder.write_sources(
        testing_support::clean_line_lines(),
        testing_support::changed(testing_support::clean_train_lines(),
                                 {{16,
                                   {"rallentamento,   7000, 60, 1000, 0, 1, 0",
                                    "rallentamento,   7500, 60, 200, 0, 1, 0",
                                    "abbattimento,   6800, 0", "abbattimento,   9000, 120"}}}));
    ASSERT_EQ(folder.compile().exit_status, 0);
    const json summary = summary_json({folder.path_text("R_T.sim")});

    const json& points = summary["abbattimento_points"];
    ASSERT_EQ(points.size(), 2u) << points.dump();
    EXPECT_EQ(points[0]["cell"], start_cell(6800));
    EXPECT_TRUE(points[0]["value"].is_null());
    EXPECT_EQ(points[1]["cell"], start_cell(9000));
    EXPECT_EQ(points[1]["value"], 120);

    const json& slowdowns = summary["slowdowns"];
    ASSERT_EQ(slowdowns.size(), 2u);
    EXPECT_EQ(slowdowns[0]["end"]["cell"], point_cell(8000));
    EXPECT_EQ(slowdowns[1]["end"]["cell"], point_cell(7700));
    for (const json& slowdown : slowdowns) {
        for (const json& point : slowdown["points"]) {
            EXPECT_EQ(point["value"], 180) << slowdown.dump();
        }
    }
    EXPECT_TRUE(summary["other_objects"].empty()) << summary["other_objects"].dump();
}

TEST(InspectSummary, ListsEveryBoardWithBothFacesAndEveryIndicatorBoardWithItsText) {
    const std::vector<source_record> records = records_of(builtin_line_table(), "indicatori_v", 9);
    const json& boards = builtin_summary()["maximum_speed_boards"];
    ASSERT_EQ(records.size(), 19u);
    ASSERT_EQ(boards.size(), records.size());
    const char* const names[] = {"vas", "vbs", "vcs", "strisces", "vad", "vbd", "vcd", "strisced"};
    for (std::size_t k = 0; k < records.size(); ++k) {
        const std::vector<std::int32_t>& n = records[k].numbers;
        EXPECT_EQ(boards[k]["position_m"], n[0]);
        EXPECT_EQ(boards[k]["cell"], point_cell(n[0]));
        for (std::size_t f = 0; f < std::size(names); ++f) {
            EXPECT_EQ(boards[k][names[f]], n[f + 1]) << n[0] << " " << names[f];
        }
    }
    const std::vector<source_record> texts = records_of(builtin_line_table(), "cartello", 1, true);
    const json& indicators = builtin_summary()["indicator_boards"];
    ASSERT_EQ(texts.size(), 3u);
    ASSERT_EQ(indicators.size(), texts.size());
    for (std::size_t k = 0; k < texts.size(); ++k) {
        EXPECT_EQ(indicators[k]["position_m"], texts[k].numbers[0]);
        EXPECT_EQ(indicators[k]["cell"], point_cell(texts[k].numbers[0]));
        EXPECT_EQ(indicators[k]["text"], texts[k].text);
    }
}

// A series record at p changes the series at cell nearest(p / 50): its range starts there.
void expect_steps(const json& ranges, const std::vector<source_record>& records) {
    ASSERT_EQ(ranges.size(), records.size() + (records.front().numbers[0] == 0 ? 0 : 1));
    std::size_t range = ranges.size() - records.size();
    for (const source_record& record : records) {
        const std::int32_t p = record.numbers[0];
        EXPECT_EQ(ranges[range]["first_cell"], start_cell(p)) << p;
        EXPECT_EQ(ranges[range]["from_m"], start_cell(p) * 50) << p;
        EXPECT_EQ(ranges[range]["value"], record.numbers[1]) << p;
        ++range;
    }
    EXPECT_EQ(ranges.back()["last_cell"], 1777);
}

TEST(InspectSummary, ListsEverySpeedLimitAndGradientStepWhereItsRecordStartsIt) {
    expect_steps(builtin_summary()["speed_limits"],
                 records_of(builtin_train_table(), "velocit", 2));
    expect_steps(builtin_summary()["adherence"], records_of(builtin_train_table(), "aderenza", 2));
    expect_steps(builtin_summary()["gradients"], records_of(builtin_line_table(), "pendenza", 2));
}

TEST(InspectSummary, ListsTheMountainStretchesAndTheArcsThatThePlanDraws) {
    const std::vector<source_record> stretches = records_of(builtin_line_table(), "montagna", 3);
    const json& mountains = builtin_summary()["mountain_side_stretches"];
    ASSERT_EQ(mountains.size(), stretches.size());
    for (std::size_t k = 0; k < stretches.size(); ++k) {
        EXPECT_EQ(mountains[k]["position_m"], stretches[k].numbers[0]);
        EXPECT_EQ(mountains[k]["fine"], stretches[k].numbers[1]);
        EXPECT_EQ(mountains[k]["tipo"], stretches[k].numbers[2]);
    }
    // The plan draws an arc from where the plan has got to: arcs that begin inside the one
    // before are shorter, and arcs of one curvature that meet are one. The last metre of
    // every curve record is drawn by an arc of its key all the same.
    const std::vector<source_record> curves = records_of(builtin_line_table(), "curva", 2);
    const json& arcs = builtin_summary()["curves"];
    ASSERT_EQ(curves.size(), 48u);
    for (const source_record& curve : curves) {
        const std::int64_t last_metre = std::int64_t{curve.numbers[0]} + curve.numbers[1];
        const auto draws_it = [&](const json& arc) {
            const std::int64_t inizio = arc["position_m"];
            return arc["key"] == curve.key && inizio < last_metre &&
                   last_metre <= inizio + arc["length"].get<std::int64_t>();
        };
        EXPECT_TRUE(std::any_of(arcs.begin(), arcs.end(), draws_it))
            << curve.key << " " << curve.numbers[0];
    }
    EXPECT_EQ(arcs.front(), json::parse(R"({"position_m":700,"key":"curvas2","length":100,
        "radius":5000})"));
}

TEST(InspectSummary, GivesTheGeneralValuesAndTheLinesExtent) {
    const json& summary = builtin_summary();
    const json& general = summary["general"];
    EXPECT_EQ(general["numero_vetture"],
              records_of(builtin_train_table(), "vetture", 1)[0].numbers[0]);
    EXPECT_EQ(general["percentuale_massa_frenata"],
              records_of(builtin_train_table(), "frenata", 1)[0].numbers[0]);
    EXPECT_EQ(general["sabbia"], records_of(builtin_train_table(), "sabbia", 1)[0].numbers[0]);
    EXPECT_EQ(general["orologio"], "13:24:40");
    EXPECT_EQ(general["lunghezza_percorso"], 82000);
    EXPECT_EQ(general["sfondo_uno"], 1);
    EXPECT_EQ(general["ripetizione_segnali_start"], 4650);
    EXPECT_EQ(general["ripetizione_segnali_end"], 79150);
    EXPECT_EQ(general["ripetizione_segnali_codes"], 4);
    EXPECT_EQ(summary["line"], json::parse(R"({"lunghezza_percorso_m":82000,"cells":1781,
        "grid_to_m":89050,"series_cells":1778,"series_to_m":88900})"));
    EXPECT_EQ(summary["plan"]["last_row"], 89000);
    EXPECT_EQ(summary["plan"]["last_filled_row"], 88998);
    EXPECT_NEAR(summary["plan"]["x_min_m"].get<double>(), -23915.977, 0.001);
    EXPECT_EQ(summary["stamps"]["plain_code"], 2515);
}

TEST(InspectSummary, TextNamesEachObjectAtItsPositionAndCell) {
    const program_result result = run_program({"inspect", item_file, "--summary"});
    ASSERT_EQ(result.exit_status, 0) << result.standard_error;
    const std::string& text = result.standard_output;
    for (const char* line : {
             "Valdora_Rova, train 5284\n",
             "\nline: 82000 m; grid cells 0..1780, 0 .. 89050 m; series over cells 0..1777, 0 .. "
             "88900 m\n",
             "\nstations (16):\n  VALDORA S.M.N. at 0 m: tipo 8, lung. 400 m, area from -400 m, "
             "area to 400 m, tps 1, tab 0, mar 0,\n      first group d2 4,",
             "\n  1000 m (cell 21): sx 1, s1 4, s2 1, s3 0, rapp 0, dx 0, d1 0, d2 0, d3 0, "
             "tempo 0\n",
             "\n  36500 m (cell 731): v 80 km/h, l 300 m, end 36800 m (cell 737), f_tt 0, f_ta 1, "
             "d_v 80,\n      warning board 35300 m (cell 707),\n",
             "\n  18550 m (cell 372): text \"(  Km. ) (18.600)\"\n",
             "\n  2750 .. 7400 m (cells 55..147): 95 km/h\n",
             "\ntrain: numero vetture 6, percentuale massa frenata 120, sabbia 300, orologio "
             "13:24:40\n",
             "\nripetizione segnali: 4 codes from 4650 m to 79150 m\n",
         }) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
}

TEST(InspectSummary, AnyOfTheThreeFilesOrTheFolderFindsTheSameScenario) {
    const json& from_items = builtin_summary();
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{grid_file}, std::vector<std::string>{line_file},
          std::vector<std::string>{"--dir", data_folder, "--route", "Valdora_Rova", "--train",
                                   "5284"},
          std::vector<std::string>{data_folder}}) {
        json summary = summary_json(args);
        EXPECT_EQ(summary["files"]["items"], item_file);
        EXPECT_EQ(summary["files"]["grid"], grid_file);
        EXPECT_EQ(summary["files"]["line"], line_file);
        EXPECT_EQ(summary, from_items) << args.front();
    }
}

TEST(InspectSummary, KilometresKeepWhatLiesBetweenThemAtItsWrittenPosition) {
    const json part = summary_json({item_file, "--km", "13.7..15.6"});
    EXPECT_EQ(part["window"], json::parse(R"({"first_cell":null,"last_cell":null,
        "from_m":13700.0,"to_m":15600.0})"));
    std::vector<std::int64_t> signals;
    for (const json& signal : part["signals"]) {
        signals.push_back(signal["position_m"]);
    }
    EXPECT_EQ(signals, (std::vector<std::int64_t>{13700, 15100}));
    std::vector<std::int64_t> boards;
    for (const json& board : part["maximum_speed_boards"]) {
        boards.push_back(board["position_m"]);
    }
    EXPECT_EQ(boards, (std::vector<std::int64_t>{14050, 15200}));
    ASSERT_EQ(part["stations"].size(), 1u);  // SIGNA's area begins at 15600 m, just within
    EXPECT_EQ(part["stations"][0]["nome"], "SIGNA");
    // Ranges that overlap the part are kept whole.
    EXPECT_EQ(part["speed_limits"][0]["from_m"], 7400);
    EXPECT_EQ(part["speed_limits"].back()["to_m"], 17000);
    EXPECT_EQ(part["general"], builtin_summary()["general"]);
}

TEST(InspectSummary, CellsKeepTheObjectsThatTheyHold) {
    const json part = summary_json({item_file, "--cells", "275..282"});
    ASSERT_EQ(part["signals"].size(), 1u);
    EXPECT_EQ(part["signals"][0]["cell"], 275);
    ASSERT_EQ(part["maximum_speed_boards"].size(), 1u);
    EXPECT_EQ(part["maximum_speed_boards"][0]["cell"], 282);
    EXPECT_TRUE(part["stations"].empty());
}

TEST(InspectSummary, LineFileAloneAmongSeveralTrainsNeedsTheTrain) {
    temporary_folder folder;
    for (const char* name :
         {"Valdora_Rova_5284.sim", "Valdora_Rova_5284.dat", "Valdora_Rova_linea.dat"}) {
        std::filesystem::copy_file(data_folder + "/" + name, folder.path() / name);
    }
    std::filesystem::copy_file(item_file, folder.path() / "Valdora_Rova_9999.sim");
    const std::string line = (folder.path() / "Valdora_Rova_linea.dat").string();
    const program_result several = run_program({"inspect", line, "--summary"});
    EXPECT_EQ(several.exit_status, 64);
    EXPECT_EQ(several.standard_error,
              "scenario-builder inspect: " + folder.string() +
                  " holds several compiled scenarios (Valdora_Rova_5284.sim, "
                  "Valdora_Rova_9999.sim): give --route and --train\n");
    const program_result chosen =
        run_program({"inspect", line, "--summary", "--json", "--train", "5284"});
    EXPECT_EQ(chosen.exit_status, 0) << chosen.standard_error;
    // The other train's grid is not there.
    const program_result missing = run_program({"inspect", line, "--summary", "--train", "9999"});
    EXPECT_EQ(missing.exit_status, 2);
    EXPECT_EQ(missing.standard_error, "scenario-builder inspect: no compiled grid file " +
                                          (folder.path() / "Valdora_Rova_9999.dat").string() +
                                          ": compile the scenario first\n");
}

TEST(InspectSummary, WithoutTheLineFileTheSummaryHasNoPlan) {
    temporary_folder folder;
    for (const char* name : {"Valdora_Rova_5284.sim", "Valdora_Rova_5284.dat"}) {
        std::filesystem::copy_file(data_folder + "/" + name, folder.path() / name);
    }
    const json summary = summary_json({(folder.path() / "Valdora_Rova_5284.dat").string()});
    EXPECT_TRUE(summary["plan"].is_null());
    EXPECT_TRUE(summary["files"]["line"].is_null());
    EXPECT_TRUE(summary["curves"].empty());
    EXPECT_EQ(summary["signals"], builtin_summary()["signals"]);
}

struct refusal_case {
    const char* name;
    std::vector<std::string> args;
    int exit_status;
    std::string message;
};

class SummaryRefusals : public testing::TestWithParam<refusal_case> {};

TEST_P(SummaryRefusals, GetAClearMessageAndNoOutput) {
    const refusal_case& c = GetParam();
    std::vector<std::string> command = {"inspect"};
    command.insert(command.end(), c.args.begin(), c.args.end());
    const program_result result = run_program(command);
    EXPECT_EQ(result.exit_status, c.exit_status);
    EXPECT_EQ(result.standard_output, "");
    EXPECT_EQ(result.standard_error, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, SummaryRefusals,
    testing::Values(
        refusal_case{"KilometresBackwards",
                     {item_file, "--summary", "--km", "14..12.5"},
                     64,
                     "scenario-builder inspect: --km 14..12.5: give A..B in kilometres with A <= "
                     "B, for example 12.5..14\n"},
        refusal_case{"KilometresBeyondTheGrid",
                     {item_file, "--summary", "--km", "90..95"},
                     2,
                     "scenario-builder inspect: --km 90..95: the grid ends at 89050 m\n"},
        refusal_case{"KilometresNotANumber",
                     {grid_file, "--km", "1,5..2"},
                     64,
                     "scenario-builder inspect: --km 1,5..2: give A..B in kilometres with A <= "
                     "B, for example 12.5..14\n"},
        refusal_case{"NameThatIsNoCompiledFile",
                     {data_folder + "/Valdora_Rova_linea.txt", "--summary"},
                     64,
                     "scenario-builder inspect: cannot tell which compiled file " + data_folder +
                         "/Valdora_Rova_linea.txt is from its name: give a file named R_T.sim, "
                         "R_T.dat or R_linea.dat, or the folder that holds them\n"},
        refusal_case{"MissingFile",
                     {data_folder + "/nothing.sim", "--summary"},
                     2,
                     "scenario-builder inspect: no compiled file or folder " + data_folder +
                         "/nothing.sim\n"},
        refusal_case{"FolderWithoutTheScenario",
                     {"--dir", data_folder, "--route", "Lago", "--summary"},
                     2,
                     "scenario-builder inspect: no compiled item file Lago_T.sim in " +
                         data_folder + ": compile the scenario there first\n"},
        refusal_case{"FolderWithoutAKind",
                     {"--dir", data_folder},
                     64,
                     "scenario-builder inspect: give --summary for the whole scenario, or --kind "
                     "items, grid or line for one of its files\n"}),
    [](const testing::TestParamInfo<refusal_case>& info) { return std::string(info.param.name); });

TEST(InspectSummary, KilometresChooseCellsOfAGridAndRowsOfAPlan) {
    const program_result cells = run_program({"inspect", grid_file, "--csv", "--km", "0.3..0.35"});
    ASSERT_EQ(cells.exit_status, 0) << cells.standard_error;
    EXPECT_NE(cells.standard_output.find("\n6,300,"), std::string::npos);
    EXPECT_NE(cells.standard_output.find("\n7,350,"), std::string::npos);
    EXPECT_EQ(cells.standard_output.find("\n8,"), std::string::npos);

    const program_result rows = run_program({"inspect", line_file, "--km", "0.7..0.701"});
    ASSERT_EQ(rows.exit_status, 0) << rows.standard_error;
    const json plan = json::parse(rows.standard_output);
    ASSERT_EQ(plan["profilo"].size(), 2u);
    EXPECT_EQ(plan["profilo"][1]["riga"], 701);
}

}  // namespace
}  // namespace scenario
