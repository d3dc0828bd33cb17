// The layers of the picture that show the indicator boards, the cab-signal stretch, the
// curves and the kilometre references, on the built-in scenario's compiled files: each at the
// place that the built-in line source writes, read from the source's own lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "format/plan_meaning.h"
#include "inspect/compiled_scenario.h"
#include "inspect/scenario_description.h"
#include "plot/model.h"
#include "source/builtin_line.h"
#include "source/builtin_train.h"
#include "support/program_run.h"
#include "support/scenario_folder_files.h"

namespace scenario {
namespace {

using testing_support::compiled_files;
using testing_support::compiled_line_file;
using testing_support::grid_file;
using testing_support::item_file;

// The comma-separated fields of a source line, spaces around them removed.
std::vector<std::string> fields_of(std::string_view line) {
    std::vector<std::string> fields;
    std::stringstream in{std::string(line)};
    std::string field;
    while (std::getline(in, field, ',')) {
        const auto first = field.find_first_not_of(' ');
        const auto last = field.find_last_not_of(' ');
        fields.push_back(first == std::string::npos ? "" : field.substr(first, last - first + 1));
    }
    return fields;
}

std::vector<std::vector<std::string>> builtin_records(std::string_view key) {
    std::vector<std::vector<std::string>> records;
    for (const std::string_view line : builtin_line_table()) {
        if (line.starts_with(key)) {
            records.push_back(fields_of(line));
        }
    }
    return records;
}

class BuiltinPlotLayers : public ::testing::Test {
  protected:
    static const compiled_tables& tables() {
        static const compiled_tables read = [] {
            const std::string data = SCENARIO_TEST_DATA_DIR;
            compiled_tables result;
            EXPECT_TRUE(read_compiled_tables({data + "/" + item_file, data + "/" + grid_file,
                                              data + "/" + compiled_line_file},
                                             result)
                            .ok());
            return result;
        }();
        return read;
    }

    static plot::plot_model build(const compiled_tables& from) {
        plot::plot_model result;
        EXPECT_TRUE(plot::build_plot_model(describe_scenario(from), from.profilo, {},
                                           plot::sheet_layout{}, result)
                        .ok());
        return result;
    }

    static const plot::plot_model& model() {
        static const plot::plot_model built = build(tables());
        return built;
    }
};

TEST_F(BuiltinPlotLayers, IndicatorBoardsStandWhereTheSourceWritesThemWithTheirTexts) {
    const auto records = builtin_records("cartello indicatore");
    const std::vector<plot::indicator_board>& boards = model().distance.indicator_boards;
    ASSERT_EQ(boards.size(), records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(boards[i].metre, std::stod(records[i][1])) << i;
        EXPECT_EQ(boards[i].text, records[i][2]) << i;
    }
}

TEST_F(BuiltinPlotLayers, CabSignalStretchRunsFromItsStartToItsEnd) {
    const auto records = builtin_records("ripetizione segnali");
    ASSERT_EQ(records.size(), 1u);
    ASSERT_TRUE(model().distance.cab_signals.has_value());
    const plot::cab_signal_band& band = *model().distance.cab_signals;
    EXPECT_EQ(band.from_metre, std::stod(records[0][1]));
    EXPECT_EQ(band.to_metre, std::stod(records[0][2]));
    EXPECT_EQ(band.codes, records[0][0].find('4') != std::string::npos ? 4 : 9);
}

// A curve record that stands apart from its neighbours (another key, or a straight between)
// is one band: from its position over its length, to its side and with its key's radius.
// Records of one key that meet make one arc, and records that overlap share their metres:
// those are left out here.
TEST_F(BuiltinPlotLayers, CurvesHaveTheirPlaceSideAndRadius) {
    const auto records = builtin_records("curva");
    const std::vector<plot::curve_band>& curves = model().distance.curves;
    const auto start = [&](std::size_t i) { return std::stod(records[i][1]); };
    const auto end = [&](std::size_t i) { return start(i) + std::stod(records[i][2]); };
    int checked = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string& key = records[i][0];  // "curvas2": s to the left, digit 2
        // Neighbours of another key may meet it but not overlap it; of the same key, not meet.
        const bool apart_before =
            i == 0 || (records[i - 1][0] != key ? end(i - 1) <= start(i) : end(i - 1) < start(i));
        const bool apart_after =
            i + 1 == records.size() ||
            (records[i + 1][0] != key ? start(i + 1) >= end(i) : start(i + 1) > end(i));
        if (!apart_before || !apart_after) {
            continue;
        }
        SCOPED_TRACE(key + " at " + records[i][1]);
        const auto band = std::find_if(curves.begin(), curves.end(),
                                       [&](const auto& c) { return c.from_metre == start(i); });
        ASSERT_NE(band, curves.end());
        const int digit = key.back() - '0';
        const double radius = 1.0 / curvature_of_digit[static_cast<std::size_t>(digit - 1)];
        EXPECT_EQ(band->to_metre, end(i));
        EXPECT_EQ(band->left, key[5] == 's');
        EXPECT_EQ(band->digit, digit);
        EXPECT_NEAR(band->radius, radius, radius * 1e-6);
        ++checked;
    }
    EXPECT_GE(checked, 10) << "the built-in line has many curves that stand apart";
}

TEST_F(BuiltinPlotLayers, KilometreReferencesLeftAtZeroAreNotDrawn) {
    for (const auto& record : builtin_records("progressiva chilometrica")) {
        ASSERT_EQ(record[1], "0");
        ASSERT_EQ(record[2], "0");
    }
    EXPECT_TRUE(model().distance.kilometre_references.empty());
}

// The references as the compile leaves them, ordered: at each position the posts read the
// stored value (a flag of 1 has already added its 100 m).
TEST_F(BuiltinPlotLayers, KilometreReferencesStandAtTheirPositionsWithTheirReadings) {
    compiled_tables changed = tables();
    changed.voci[entry::smallest_reference] = voce{};
    changed.voci[entry::smallest_reference].valore1 = 5000;
    changed.voci[entry::smallest_reference].valore2 = 12300;
    changed.voci[entry::middle_reference].valore1 = 40000;
    changed.voci[entry::middle_reference].valore2 = 47400;
    changed.voci[entry::middle_reference].valore3 = 1;
    const plot::plot_model with_references = build(changed);
    const std::vector<plot::kilometre_mark>& marks = with_references.distance.kilometre_references;
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0].metre, 5000.0);
    EXPECT_EQ(marks[0].reading, 12300);
    EXPECT_EQ(marks[1].metre, 40000.0);
    EXPECT_EQ(marks[1].reading, 47400);
}

TEST_F(BuiltinPlotLayers, LegendNamesEveryNewLayer) {
    std::vector<plot::legend_symbol> symbols;
    for (const plot::legend_entry& entry : model().legend) {
        symbols.push_back(entry.symbol);
    }
    for (const plot::legend_symbol wanted :
         {plot::legend_symbol::indicator_board, plot::legend_symbol::cab_signals,
          plot::legend_symbol::curve, plot::legend_symbol::kilometre_reference}) {
        EXPECT_NE(std::find(symbols.begin(), symbols.end(), wanted), symbols.end());
    }
}

// The station names of the built-in train source, its last field.
std::vector<std::string> builtin_station_names() {
    std::vector<std::string> names;
    for (const std::string_view line : builtin_train_table()) {
        if (line.starts_with("stazione")) {
            names.push_back(fields_of(line).back());
        }
    }
    return names;
}

// An SVG or a PDF keeps its texts as text: every station name can be searched for, in the
// SVG as the content of a text element, in the PDF as text that pdftotext extracts.
TEST(PlotText, SvgAndPdfHoldTheStationNamesAsText) {
    testing_support::temporary_folder folder;
    for (const std::string& name : compiled_files) {
        std::filesystem::copy_file(std::string(SCENARIO_TEST_DATA_DIR) + "/" + name,
                                   folder.path() / name);
    }
    const std::vector<std::string> names = builtin_station_names();
    ASSERT_FALSE(names.empty());
    for (const char* picture : {"sheet.svg", "sheet.pdf"}) {
        const std::string out = (folder.path() / picture).string();
        const auto drawn =
            testing_support::run_program({"plot", "--dir", folder.string(), "--route",
                                          "Valdora_Rova", "--train", "5284", "--out", out});
        ASSERT_EQ(drawn.exit_status, 0) << drawn.standard_error;
        std::string text;
        if (std::string_view(picture).ends_with(".svg")) {
            text = testing_support::read_text_file(out);
        } else {
            const auto extracted = testing_support::run_program_at("pdftotext", {out, "-"});
            ASSERT_EQ(extracted.exit_status, 0) << extracted.standard_error;
            text = extracted.standard_output;
        }
        for (const std::string& name : names) {
            const std::string wanted =
                std::string_view(picture).ends_with(".svg") ? ">" + name : name;
            EXPECT_NE(text.find(wanted), std::string::npos) << picture << ": " << name;
        }
    }
}

}  // namespace
}  // namespace scenario
